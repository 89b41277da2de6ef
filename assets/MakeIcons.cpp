// Writes the game's icon as one PNG per size, for the desktop's hicolor theme:
//   vorni-make-icons <directory> <name> <size>...
// makes <directory>/<size>x<size>/<name>.png, drawn by the same code as the window icon.

#include "Drawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <directory> <name> <size>...\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "%s: %s is no icon size\n", argv[0], argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QString file = root.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!root.mkpath(folder) || !vorni::renderIcon(size).save(file)) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
