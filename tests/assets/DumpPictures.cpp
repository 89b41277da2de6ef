// Writes every picture as PNG at device pixel ratios 1 and 2 (and the icon at each size), for a person
// to look at: vorni-dump-pictures <directory>.

#include "Drawing.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    auto save = [&](const QImage &image, const QString &name) {
        ok = image.save(dir.filePath(name + QStringLiteral(".png"))) && ok;
    };
    struct Stretch {
        const char *name;
        QSize size;
    };
    const Stretch stretches[] = {{"natural", {80, 25}}, {"ball", {35, 31}}, {"plate", {136, 25}},
                                 {"button", {50, 22}},  {"rule", {663, 2}}, {"neutral", {65, 24}}};
    const struct {
        const char *name;
        vorni::Tile tile;
    } tiles[]
        = {{"player1", vorni::Tile::Player1}, {"player2", vorni::Tile::Player2}, {"neutral", vorni::Tile::Neutral}};
    for (const int dpr : {1, 2}) {
        const QString at = QStringLiteral("@%1x").arg(dpr);
        for (const auto &t : tiles)
            for (const auto &s : stretches)
                save(vorni::renderTile(t.tile, s.size, dpr),
                     QStringLiteral("tile-%1-%2%3").arg(QLatin1String(t.name), QLatin1String(s.name), at));
        save(vorni::renderBoard(dpr), QStringLiteral("board") + at);
        save(vorni::renderLogo(dpr), QStringLiteral("logo") + at);
        save(vorni::renderCredits(dpr), QStringLiteral("credits") + at);
        save(vorni::renderWebAddress(dpr), QStringLiteral("web") + at);
        save(vorni::renderLinkHand(dpr), QStringLiteral("hand") + at);
    }
    for (const int size : vorni::IconSizes)
        save(vorni::renderIcon(size), QStringLiteral("icon-%1").arg(size));
    return ok ? 0 : 1;
}
