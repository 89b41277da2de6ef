// One game's run against the options file in FOLDER (see GameRun.h); prints
// what was read.
//
//   vorni-settings-switch-animation FOLDER

#include "GameRun.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    vorni::UserSettingsStore store(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", qPrintable(vorni::switchAnimation(store)));
    return 0;
}
