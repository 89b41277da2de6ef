// Prints how legible the window is, figure by figure against its goal:
//   vorni-legibility [ratio]
// draws the window offscreen at device pixel ratio 1, or at the ratio given. It exits with 1 when a
// figure falls short of its goal.

#include "Legibility.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [device pixel ratio]\n", argv[0]);
        return 2;
    }
    if (argc == 2)
        qputenv("QT_SCALE_FACTOR", argv[1]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool met = true;
    std::printf("At device pixel ratio %g:\n", app.devicePixelRatio());
    for (const auto &reading : vorni::legibility::measureWindow()) {
        met = met && reading.met();
        const QString goal
            = reading.hasGoal() ? QStringLiteral("goal %1").arg(reading.goal, 4, 'f', 1) : QStringLiteral("shown only");
        std::printf("%-72s %6.2f %-2s  %s%s\n", qPrintable(reading.what), reading.value, qPrintable(reading.unit),
                    qPrintable(goal), reading.met() ? "" : "  SHORT");
    }
    return met ? 0 : 1;
}
