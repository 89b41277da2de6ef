#include "Pictures.h"

#include "Drawing.h"
#include "MakerAddresses.h"

#include <QGuiApplication>
#include <QPixmapCache>

#include <cmath>
#include <functional>

namespace vorni {

namespace {

// Looks the picture up in Qt's pixmap cache, which lives as long as the application, and draws it
// only when it is missing.
QPixmap cached(const QString &key, const std::function<QImage()> &draw)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap::fromImage(draw());
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QString ratioKey(qreal dpr) { return QString::number(dpr, 'g', 17); }

} // namespace

QPixmap tilePixmap(Tile tile, QSize size, qreal dpr)
{
    Q_ASSERT(!size.isEmpty() && dpr > 0);
    const QString key = QStringLiteral("vorni/tile/%1/%2x%3@%4")
                            .arg(static_cast<int>(tile))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratioKey(dpr));
    return cached(key, [=] { return renderTile(tile, size, dpr); });
}

QSize tileNaturalSize(Tile tile) { return tile == Tile::Neutral ? QSize(65, 24) : QSize(80, 25); }

QPixmap boardPixmap(qreal dpr)
{
    return cached(QStringLiteral("vorni/board@") + ratioKey(dpr), [=] { return renderBoard(dpr); });
}

QPixmap logoPixmap(qreal dpr)
{
    return cached(QStringLiteral("vorni/logo@") + ratioKey(dpr), [=] { return renderLogo(dpr); });
}

QPixmap creditsPixmap(qreal dpr)
{
    return cached(QStringLiteral("vorni/credits@") + ratioKey(dpr), [=] { return renderCredits(dpr); });
}

QPixmap webAddressPixmap(qreal dpr)
{
    return cached(QStringLiteral("vorni/web@") + ratioKey(dpr), [=] { return renderWebAddress(dpr); });
}

QPixmap linkCursorPixmap(int dpr)
{
    return cached(QStringLiteral("vorni/hand@%1").arg(dpr), [=] { return renderLinkHand(dpr); });
}

QCursor linkCursor()
{
    const int dpr = std::max(1, static_cast<int>(std::ceil(qGuiApp->devicePixelRatio() - 0.01)));
    return QCursor(linkCursorPixmap(dpr), LinkCursorHotSpot.x(), LinkCursorHotSpot.y());
}

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : IconSizes)
        icon.addPixmap(QPixmap::fromImage(renderIcon(size)));
    return icon;
}

QString makerWebAddress() { return QString::fromUtf8(maker::WebAddress); }

QString makerEmailAddress() { return QString::fromUtf8(maker::EmailAddress); }

} // namespace vorni
