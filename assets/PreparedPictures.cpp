#include "PreparedPictures.h"

#include "Drawing.h"

#include <cstring>

namespace vorni {

namespace {

constexpr char Magic[4] = {'V', 'P', 'I', 'C'};
constexpr qsizetype HeaderSize = 16;

bool isOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

QString preparedName(const QString &picture, int dpr)
{
    return QStringLiteral("%1@%2x").arg(picture).arg(dpr);
}

QString tileName(Tile tile, QSize size)
{
    const char *names[] = {"player1", "player2", "neutral"};
    return QStringLiteral("tile-%1-%2x%3")
        .arg(QLatin1String(names[static_cast<int>(tile)]))
        .arg(size.width())
        .arg(size.height());
}

QString titleLookName(int letter, bool lit)
{
    return QStringLiteral("title-%1-%2").arg(letter).arg(lit ? QLatin1String("lit") : QLatin1String("base"));
}

QString iconName(int size)
{
    return QStringLiteral("icon-%1").arg(size);
}

std::vector<PreparedPicture> preparedPictures()
{
    std::vector<PreparedPicture> pictures;
    for (const int dpr : PreparedRatios) {
        auto add = [&](const QString &picture, std::function<QImage()> draw) {
            pictures.push_back({preparedName(picture, dpr), std::move(draw), dpr != 1});
        };
        add(QStringLiteral("board"), [=] { return renderBoard(dpr); });
        add(QStringLiteral("logo"), [=] { return renderLogo(dpr); });
        add(QStringLiteral("credits"), [=] { return renderCredits(dpr); });
        add(QStringLiteral("web"), [=] { return renderWebAddress(dpr); });
        add(QStringLiteral("hand"), [=] { return renderLinkHand(dpr); });
        for (int letter = 0; letter < static_cast<int>(TitleLetterStyles.size()); ++letter)
            for (const bool lit : {false, true})
                add(titleLookName(letter, lit), [=] { return renderTitleLook(letter, lit, dpr); });
        for (const Tile tile : {Tile::Player1, Tile::Player2, Tile::Neutral})
            for (const QSize size : PreparedTileSizes)
                add(tileName(tile, size), [=] { return renderTile(tile, size, dpr); });
    }
    for (const int size : IconSizes)
        pictures.push_back({iconName(size), [=] { return renderIcon(size); }, false});
    return pictures;
}

QByteArray encodePicture(const QImage &image)
{
    Q_ASSERT(image.depth() == 32 && !image.isNull());
    const QImage kept = image.hasAlphaChannel() && isOpaque(image)
        ? image.convertToFormat(QImage::Format_RGB32)
        : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const quint32 header[] = {0, static_cast<quint32>(kept.width()), static_cast<quint32>(kept.height()),
                              static_cast<quint32>(kept.format())};
    const qsizetype rowBytes = kept.width() * 4;
    QByteArray bytes(HeaderSize + rowBytes * kept.height(), Qt::Uninitialized);
    std::memcpy(bytes.data(), header, HeaderSize);
    std::memcpy(bytes.data(), Magic, sizeof Magic);
    for (int y = 0; y < kept.height(); ++y)
        std::memcpy(bytes.data() + HeaderSize + y * rowBytes, kept.constScanLine(y), static_cast<size_t>(rowBytes));
    return bytes;
}

QImage decodePicture(const QByteArray &bytes)
{
    if (bytes.size() < HeaderSize || std::memcmp(bytes.constData(), Magic, sizeof Magic) != 0)
        return {};
    quint32 header[4];
    std::memcpy(header, bytes.constData(), HeaderSize);
    const auto format = static_cast<QImage::Format>(header[3]);
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const qint64 width = header[1];
    const qint64 height = header[2];
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || bytes.size() != HeaderSize + width * height * 4)
        return {};
    // The image reads the bytes where they are and lets them go with itself.
    auto *kept = new QByteArray(bytes);
    return QImage(
        reinterpret_cast<const uchar *>(kept->constData() + HeaderSize), static_cast<int>(width),
        static_cast<int>(height), static_cast<qsizetype>(width * 4), format,
        [](void *data) { delete static_cast<QByteArray *>(data); }, kept);
}

} // namespace vorni
