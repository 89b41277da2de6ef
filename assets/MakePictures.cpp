// Draws the prepared pictures (PreparedPictures.h) for the game's resources:
//   vorni-make-pictures <directory>
// makes one file per picture, named as the resource, and two lists of them for the resource compiler:
// <directory>/pictures.qrc those kept as they are, <directory>/compressed-pictures.qrc the others. Apart,
// the compressed ones lie away from those a screen of ratio 1 reads, and are never loaded from disk there.

#include "PreparedPictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
        return 1;
    }
    QByteArray kept, compressed;
    for (const auto &picture : vorni::preparedPictures()) {
        if (!write(dir.filePath(picture.name), vorni::encodePicture(picture.draw()))) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(dir.filePath(picture.name)));
            return 1;
        }
        if (picture.compressed)
            compressed += "    <file>" + picture.name.toUtf8() + "</file>\n";
        else
            kept += "    <file compression-algorithm=\"none\">" + picture.name.toUtf8() + "</file>\n";
    }
    const auto list = [](const QByteArray &files) {
        return "<RCC>\n  <qresource prefix=\"/vorni/pictures\">\n" + files + "  </qresource>\n</RCC>\n";
    };
    if (!write(dir.filePath(QStringLiteral("pictures.qrc")), list(kept))
        || !write(dir.filePath(QStringLiteral("compressed-pictures.qrc")), list(compressed))) {
        std::fprintf(stderr, "%s: cannot write the resource lists in %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
