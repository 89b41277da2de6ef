#include "Pictures.h"

#include "Drawing.h"
#include "PreparedPictures.h"

#include <QGuiApplication>
#include <QPixmapCache>
#include <QResource>

#include <cmath>
#include <functional>

// The resources that vorni-make-pictures made; named outside any namespace, as Qt's resource system
// names them.
static void initPreparedPictures()
{
    Q_INIT_RESOURCE(vorni_pictures);
    Q_INIT_RESOURCE(vorni_compressed_pictures);
}

namespace vorni {

namespace {

QString ratioKey(qreal dpr)
{
    return QString::number(dpr, 'g', 17);
}

// Looks the picture up in Qt's pixmap cache, which lives as long as the application; when it is
// missing, loads it as made at build time or, at other ratios, draws it. size is its logical size.
QPixmap cached(const QString &name, QSize size, qreal dpr, const std::function<QImage()> &draw)
{
    const QString key = QStringLiteral("vorni/%1@%2").arg(name, ratioKey(dpr));
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QImage image;
        for (const int prepared : PreparedRatios) {
            if (dpr == prepared)
                image = preparedImage(preparedName(name, prepared), dpr);
        }
        if (image.size() != QSize(qRound(size.width() * dpr), qRound(size.height() * dpr)))
            image = draw();
        pixmap = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

} // namespace

QImage preparedImage(const QString &name, qreal dpr)
{
    static const bool initialised = (initPreparedPictures(), true);
    Q_UNUSED(initialised);
    const QResource resource(QStringLiteral(":/vorni/pictures/") + name);
    if (!resource.isValid())
        return {};
    QImage image = decodePicture(resource.uncompressedData());
    image.setDevicePixelRatio(dpr);
    return image;
}

QPixmap tilePixmap(Tile tile, QSize size, qreal dpr)
{
    Q_ASSERT(!size.isEmpty() && dpr > 0);
    return cached(tileName(tile, size), size, dpr, [=] { return renderTile(tile, size, dpr); });
}

QSize tileNaturalSize(Tile tile)
{
    return tile == Tile::Neutral ? QSize(65, 24) : QSize(80, 25);
}

QPixmap boardPixmap(qreal dpr)
{
    return cached(QStringLiteral("board"), BoardSize, dpr, [=] { return renderBoard(dpr); });
}

QPixmap logoPixmap(qreal dpr)
{
    return cached(QStringLiteral("logo"), LogoSize, dpr, [=] { return renderLogo(dpr); });
}

QPixmap creditsPixmap(qreal dpr)
{
    return cached(QStringLiteral("credits"), CreditsSize, dpr, [=] { return renderCredits(dpr); });
}

QPixmap webAddressPixmap(qreal dpr)
{
    return cached(QStringLiteral("web"), WebAddressSize, dpr, [=] { return renderWebAddress(dpr); });
}

QPixmap titleLookPixmap(int letter, bool lit, qreal dpr)
{
    return cached(titleLookName(letter, lit), TitleLetterStyles.at(static_cast<std::size_t>(letter)).box, dpr,
                  [=] { return renderTitleLook(letter, lit, dpr); });
}

QPixmap linkCursorPixmap(int dpr)
{
    return cached(QStringLiteral("hand"), LinkCursorSize, dpr, [=] { return renderLinkHand(dpr); });
}

QCursor linkCursor()
{
    const int dpr = std::max(1, static_cast<int>(std::ceil(qGuiApp->devicePixelRatio() - 0.01)));
    return QCursor(linkCursorPixmap(dpr), LinkCursorHotSpot.x(), LinkCursorHotSpot.y());
}

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : IconSizes) {
        QImage image = preparedImage(iconName(size), 1.0);
        if (image.size() != QSize(size, size))
            image = renderIcon(size);
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}

} // namespace vorni
