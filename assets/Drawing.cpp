#include "Drawing.h"

#include "Fonts.h"
#include "MakerAddresses.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vorni {

namespace {

// Where the board's grid lines run, in the board's logical pixels: midway between neighbouring ball
// cells, whose centres are 51 pixels apart across and 46 2/3 down.
constexpr int BoardColumns = 7;
constexpr int BoardRows = 6;
constexpr qreal GridLeft = 5.0;
constexpr qreal GridColumnPitch = 51.0;
constexpr qreal GridTop = 30.5 - 70.0 / 3.0;
constexpr qreal GridRowPitch = 140.0 / 3.0;
constexpr qreal GridLineWidth = 2.0;

// The light centre of a tile: its extent as a share of the tile's half-width and half-height.
constexpr qreal PlateauWidth = 0.725;
constexpr qreal PlateauHeight = 0.68;

const QColor Black(0, 0, 0);
const QColor Gold(236, 184, 52);

// A picture's size in device pixels: its logical size times dpr, rounded.
QSize deviceSize(QSize size, qreal dpr)
{
    return {static_cast<int>(std::lround(size.width() * dpr)), static_cast<int>(std::lround(size.height() * dpr))};
}
const QColor LinkGreen(92, 226, 104);
const QColor DeveloperGold(246, 196, 72);

struct Rgb {
    qreal r;
    qreal g;
    qreal b;
};

Rgb toRgb(const QColor &c)
{
    return {c.redF(), c.greenF(), c.blueF()};
}

Rgb mix(const Rgb &a, const Rgb &b, qreal t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

qreal clamp01(qreal v)
{
    return std::clamp(v, 0.0, 1.0);
}

qreal smooth(qreal t)
{
    t = clamp01(t);
    return t * t * (3.0 - 2.0 * t);
}

int toByte(qreal v)
{
    return static_cast<int>(std::lround(clamp01(v) * 255.0));
}

// Signed distance from p to the outline of a rounded rectangle: negative inside.
qreal roundedRectDistance(const QPointF &p, const QRectF &r, qreal radius)
{
    const qreal qx = std::abs(p.x() - r.center().x()) - (r.width() / 2.0 - radius);
    const qreal qy = std::abs(p.y() - r.center().y()) - (r.height() / 2.0 - radius);
    const qreal outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    const qreal inside = std::min(std::max(qx, qy), 0.0);
    return outside + inside - radius;
}

// Logical coordinate v moved onto the nearest device pixel boundary, so edges drawn there are crisp.
qreal snap(qreal v, qreal dpr)
{
    return std::round(v * dpr) / dpr;
}

QRectF snapped(const QRectF &r, qreal dpr)
{
    const qreal left = snap(r.left(), dpr);
    const qreal top = snap(r.top(), dpr);
    return {left, top, std::max(snap(r.right(), dpr) - left, 1.0 / dpr),
            std::max(snap(r.bottom(), dpr) - top, 1.0 / dpr)};
}

// A soft copy of an 8-bit coverage mask: three box blurs of the given radius in device pixels, which
// come close to a Gaussian. Values 0..1, row by row.
std::vector<qreal> blurredMask(const QImage &mask, int radius)
{
    const int w = mask.width();
    const int h = mask.height();
    std::vector<qreal> a(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const uchar *line = mask.constScanLine(y);
        for (int x = 0; x < w; ++x)
            a[static_cast<size_t>(y * w + x)] = line[x] / 255.0;
    }
    if (radius <= 0)
        return a;

    std::vector<qreal> tmp(a.size());
    const qreal norm = 1.0 / (2 * radius + 1);
    auto boxPass = [&](int count, int length, int stride, int step) {
        // count lines of length samples; sample i of line n sits at n * stride + i * step.
        for (int n = 0; n < count; ++n) {
            const int base = n * stride;
            auto at = [&](int i) { return (i < 0 || i >= length) ? 0.0 : a[static_cast<size_t>(base + i * step)]; };
            qreal sum = 0.0;
            for (int i = -radius; i <= radius; ++i)
                sum += at(i);
            for (int i = 0; i < length; ++i) {
                tmp[static_cast<size_t>(base + i * step)] = sum * norm;
                sum += at(i + radius + 1) - at(i - radius);
            }
        }
        a.swap(tmp);
    };
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(h, w, w, 1);
        boxPass(w, h, 1, w);
    }
    return a;
}

} // namespace

QImage makeCanvas(QSize size, qreal dpr)
{
    Q_ASSERT(!size.isEmpty() && dpr > 0);
    QImage image(deviceSize(size, dpr), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

TileShades tileShades(Tile tile)
{
    // Player 2's tile carries light captions (the light green commands, column letters and "Second
    // Player", the white score and "Next"), so it is a deep green, dark even in its centre. Player 1's
    // carries dark ones (the brown "Next" and marked commands, the red-brown "First Player") on its
    // light centre, and its white score on the band at the plate's end. The grey one carries a white
    // "Game Over" and black letters, so its centre sits midway in lightness, where both read alike.
    // Light gold and deep green differ in lightness as much as in hue, which every eye tells apart.
    switch (tile) {
    case Tile::Player1:
        return {QColor(255, 238, 170), QColor(255, 228, 140), QColor(176, 111, 15), QColor(112, 66, 0),
                QColor(72, 40, 0)};
    case Tile::Player2:
        return {QColor(0, 122, 0), QColor(0, 104, 0), QColor(0, 70, 0), QColor(0, 44, 0), QColor(0, 24, 0)};
    case Tile::Neutral:
        return {QColor(118, 118, 118), QColor(118, 118, 118), QColor(80, 80, 80), QColor(52, 52, 52),
                QColor(30, 30, 30)};
    }
    Q_UNREACHABLE();
}

void paintShadedTile(QImage &target, const QRectF &rect, qreal radius, qreal rimWidth, const TileShades &shades)
{
    Q_ASSERT(target.format() == QImage::Format_ARGB32_Premultiplied);
    if (rect.isEmpty())
        return;
    const qreal dpr = target.devicePixelRatio();
    const qreal shorter = std::min(rect.width(), rect.height());
    radius = std::clamp(radius, 0.0, shorter / 2.0);
    const Rgb centre = toRgb(shades.centre);
    const Rgb plateau = toRgb(shades.plateau);
    const Rgb band = toRgb(shades.band);
    const Rgb edge = toRgb(shades.edge);
    const Rgb rim = toRgb(shades.rim);
    // A round ball has a round light centre; other tiles a nearly rectangular one, so that a caption's
    // whole box lies on it.
    const qreal exponent = radius >= shorter / 2.0 ? 2.0 : 12.0;
    // The plateau's ends are sharp, and the band there keeps its shade over its inner half before it
    // darkens to the outline: on Player 1's tile the marked "Player vs Computer" reaches a few pixels
    // into the band, at the very place where the score begins on the plate. Above and below the
    // plateau, where no caption lies, the step is soft.
    constexpr qreal EndStep = 0.02;
    constexpr qreal SideStep = 0.15;

    const int x0 = std::max(0, static_cast<int>(std::floor(rect.left() * dpr)));
    const int x1 = std::min(target.width(), static_cast<int>(std::ceil(rect.right() * dpr)));
    const int y0 = std::max(0, static_cast<int>(std::floor(rect.top() * dpr)));
    const int y1 = std::min(target.height(), static_cast<int>(std::ceil(rect.bottom() * dpr)));
    const QPointF c = rect.center();
    for (int y = y0; y < y1; ++y) {
        auto *line = reinterpret_cast<QRgb *>(target.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const QPointF p((x + 0.5) / dpr, (y + 0.5) / dpr);
            const qreal sd = roundedRectDistance(p, rect, radius);
            const qreal cover = clamp01(0.5 - sd * dpr);
            if (cover <= 0.0)
                continue;
            // q is 1 on the plateau's edge, 0 in the middle.
            const qreal u = std::abs(p.x() - c.x()) / (rect.width() / 2.0) / PlateauWidth;
            const qreal v = std::abs(p.y() - c.y()) / (rect.height() / 2.0) / PlateauHeight;
            const qreal uu = std::pow(u, exponent);
            const qreal vv = std::pow(v, exponent);
            const qreal q = std::pow(uu + vv, 1.0 / exponent);
            Rgb col;
            if (q <= 1.0) {
                col = mix(centre, plateau, smooth(q));
            } else {
                const qreal step = SideStep + (EndStep - SideStep) * uu / (uu + vv);
                const Rgb past = mix(plateau, band, smooth((q - 1.0) / step));
                col = mix(past, edge, smooth(2.0 * (q - 1.0) / (1.0 / PlateauWidth - 1.0) - 1.0));
            }
            if (rimWidth > 0.0)
                col = mix(col, rim, 0.8 * smooth(1.0 + sd / rimWidth));

            const QRgb under = line[x];
            const qreal keep = 1.0 - cover;
            line[x] = qRgba(toByte(col.r * cover + qRed(under) / 255.0 * keep),
                            toByte(col.g * cover + qGreen(under) / 255.0 * keep),
                            toByte(col.b * cover + qBlue(under) / 255.0 * keep),
                            toByte(cover + qAlpha(under) / 255.0 * keep));
        }
    }
}

QImage renderTile(Tile tile, QSize size, qreal dpr)
{
    QImage image = makeCanvas(size, dpr);
    const qreal shorter = std::min(size.width(), size.height());
    // A rim about one pixel wide on ordinary tiles, fading out on very thin ones (the 2 pixel rule).
    paintShadedTile(image, QRectF(QPointF(0, 0), size), std::min(shorter * 0.32, 9.0), std::min(shorter / 14.0, 1.25),
                    tileShades(tile));
    return image;
}

QImage renderBoard(qreal dpr)
{
    QImage image = makeCanvas(BoardSize, dpr);
    image.fill(Black);
    QPainter painter(&image);

    const qreal half = GridLineWidth / 2.0;
    const qreal left = GridLeft - half;
    const qreal right = GridLeft + BoardColumns * GridColumnPitch + half;
    const qreal top = GridTop - half;
    const qreal bottom = GridTop + BoardRows * GridRowPitch + half;

    // All lines as one path, filled once, so the translucent halo is not doubled where lines cross.
    auto drawGrid = [&](qreal spread, const QColor &colour) {
        QPainterPath grid;
        grid.setFillRule(Qt::WindingFill);
        for (int c = 0; c <= BoardColumns; ++c) {
            const qreal x = GridLeft + c * GridColumnPitch;
            grid.addRect(snapped(
                QRectF(x - half - spread, top - spread, GridLineWidth + 2 * spread, bottom - top + 2 * spread), dpr));
        }
        for (int i = 0; i <= BoardRows; ++i) {
            const qreal y = GridTop + i * GridRowPitch;
            grid.addRect(snapped(
                QRectF(left - spread, y - half - spread, right - left + 2 * spread, GridLineWidth + 2 * spread), dpr));
        }
        painter.fillPath(grid, colour);
    };
    // A faint halo one pixel wide on each side, then the lines themselves, pixel-aligned so they are
    // crisp at every whole device pixel ratio.
    drawGrid(1.0, QColor(Gold.red(), Gold.green() * 3 / 4, 0, 56));
    drawGrid(0.0, Gold);
    return image;
}

QImage renderLogo(qreal dpr)
{
    QImage image = makeCanvas(LogoSize, dpr);
    image.fill(Black);

    // The word as an outline, scaled to fill the picture with room left for the glow around it.
    QPainterPath word;
    word.addText(0, 0, pictureFont(100, QFont::Bold, true), QStringLiteral("Vorni"));
    const QRectF ink = word.boundingRect();
    const QRectF box(8.0, 5.0, LogoSize.width() - 16.0, LogoSize.height() - 10.0);
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-ink.center().x(), -ink.center().y());
    word = place.map(word);

    QImage mask(image.size(), QImage::Format_Alpha8);
    mask.fill(0);
    mask.setDevicePixelRatio(dpr);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.fillPath(word, Qt::black);
    }
    const auto wide = blurredMask(mask, static_cast<int>(std::lround(4.0 * dpr)));
    const auto narrow = blurredMask(mask, static_cast<int>(std::lround(1.5 * dpr)));
    const Rgb deep{1.0, 0.36, 0.0};
    const Rgb bright{1.0, 0.66, 0.16};
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const size_t i = static_cast<size_t>(y * image.width() + x);
            const qreal a = std::min(1.0, wide[i] * 1.5);
            const qreal b = std::min(1.0, narrow[i] * 1.2);
            line[x] = qRgb(toByte(deep.r * a + bright.r * b), toByte(deep.g * a + bright.g * b),
                           toByte(deep.b * a + bright.b * b));
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0.0, QColor(255, 246, 196));
    fill.setColorAt(0.45, QColor(255, 200, 80));
    fill.setColorAt(1.0, QColor(255, 128, 8));
    painter.setPen(QPen(QColor(196, 70, 0), 0.8));
    painter.setBrush(fill);
    painter.drawPath(word);
    return image;
}

QFont pictureFont(int pixelSize, QFont::Weight weight, bool italic)
{
    QFont font;
    font.setFamily(comicFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    // Grey anti-aliasing only: colour fringes would differ from screen to screen.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

void drawFittedLine(QPainter &painter, const QRectF &box, const QString &text, const QColor &colour,
                    QFont::Weight weight, int maxPixelSize, int minPixelSize)
{
    Q_ASSERT(minPixelSize > 0 && maxPixelSize >= minPixelSize);
    const QString typical = QStringLiteral("Ag@jpl");
    QFont font;
    QRectF ink;
    qreal inkTop = 0.0;
    qreal inkBottom = 0.0;
    for (int size = maxPixelSize; size >= minPixelSize; --size) {
        font = pictureFont(size, weight, false);
        const QFontMetricsF metrics(font, painter.device());
        ink = metrics.tightBoundingRect(text);
        const QRectF usual = metrics.tightBoundingRect(typical);
        inkTop = std::min(ink.top(), usual.top());
        inkBottom = std::max(ink.bottom(), usual.bottom());
        if (ink.width() <= box.width() && inkBottom - inkTop <= box.height())
            break;
    }

    const qreal dpr = painter.device()->devicePixelRatio();
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    painter.translate(box.left(), 0.0);
    if (ink.width() > box.width())
        painter.scale(box.width() / ink.width(), 1.0); // still too long at the smallest size: squeeze
    const qreal baseline = snap(box.top() + (box.height() - (inkBottom - inkTop)) / 2.0 - inkTop, dpr);
    painter.drawText(QPointF(-ink.left(), baseline), text);
    painter.restore();
}

QString makerWebAddress()
{
    return QString::fromUtf8(maker::WebAddress);
}

QString makerEmailAddress()
{
    return QString::fromUtf8(maker::EmailAddress);
}

QString shownWebAddress(const QString &address)
{
    QString shown = address;
    for (const auto &scheme : {QStringLiteral("https://"), QStringLiteral("http://")}) {
        if (shown.startsWith(scheme, Qt::CaseInsensitive)) {
            shown.remove(0, scheme.size());
            break;
        }
    }
    if (shown.endsWith(QLatin1Char('/')))
        shown.chop(1);
    return shown;
}

QImage renderCredits(qreal dpr)
{
    QImage image = makeCanvas(CreditsSize, dpr);
    image.fill(Black);
    QPainter painter(&image);
    // The e-mail and web lines lie under the window's click areas; the developer line sits above them.
    drawFittedLine(painter, QRectF(2, 1, 163, 14), QStringLiteral("Vorni Game by Vorni Games"), DeveloperGold,
                   QFont::Bold, 13);
    drawFittedLine(painter, QRectF(2, 16, 163, 14), makerEmailAddress(), LinkGreen, QFont::Bold, 13);
    drawFittedLine(painter, QRectF(2, 32, 163, 14), shownWebAddress(makerWebAddress()), LinkGreen, QFont::Bold, 13);
    return image;
}

QImage renderTitleLook(int letter, bool lit, qreal dpr)
{
    const TitleLetterStyle &style = TitleLetterStyles.at(static_cast<std::size_t>(letter));
    // Drawn on the window's opaque black, as the label would be, so that the edges blend the same.
    QImage image(deviceSize(style.box, dpr), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Black);
    {
        // As a label draws its caption: its font, colour and alignment, nothing else.
        QPainter painter(&image);
        QFont font(comicFamily());
        font.setPixelSize(lit ? style.litPixels : style.basePixels);
        font.setItalic(true);
        painter.setFont(font);
        painter.setPen(lit ? QColor(Qt::white) : QColor(style.colour));
        painter.drawText(QRect(QPoint(), style.box), Qt::AlignLeft | Qt::AlignTop, QString(QLatin1Char(style.caption)));
    }
    // On black, a pixel's brightest channel is how much of the letter covers it.
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int cover = std::max({qRed(line[x]), qGreen(line[x]), qBlue(line[x])});
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), cover);
        }
    }
    image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return image;
}

QImage renderWebAddress(qreal dpr)
{
    QImage image = makeCanvas(WebAddressSize, dpr);
    image.fill(Black);
    QPainter painter(&image);
    drawFittedLine(painter, QRectF(3, 0, 164, 14), shownWebAddress(makerWebAddress()), LinkGreen, QFont::Bold, 14);
    return image;
}

QImage renderLinkHand(int dpr)
{
    Q_ASSERT(dpr >= 1);
    QImage image = makeCanvas(LinkCursorSize, dpr);

    // A right hand seen from the back, index finger up with its tip on the hot spot, the other fingers
    // folded, the thumb out to the left. Coordinates on half pixels so that the one-pixel outline
    // covers whole pixels.
    auto rounded = [](const QRectF &r, qreal radius) {
        QPainterPath p;
        p.addRoundedRect(r, radius, radius);
        return p;
    };
    QPainterPath hand = rounded(QRectF(2.5, 0.5, 6, 17), 3);
    hand = hand.united(rounded(QRectF(8.5, 8.5, 5, 10), 2.5));
    hand = hand.united(rounded(QRectF(13.5, 9.5, 5, 10), 2.5));
    hand = hand.united(rounded(QRectF(18.5, 11.5, 4.5, 9), 2.25));
    hand = hand.united(rounded(QRectF(6.5, 14.5, 16.5, 12), 4));
    QPainterPath thumbAxis(QPointF(2.5, 15.5));
    thumbAxis.lineTo(QPointF(8.5, 23.5));
    QPainterPathStroker stroker;
    stroker.setWidth(4.0);
    stroker.setCapStyle(Qt::RoundCap);
    hand = hand.united(stroker.createStroke(thumbAxis)).simplified();

    // The cuff below the hand.
    const QRectF cuff(6.5, 26.5, 14, 4);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false); // a two-colour pointer, as the platform's own
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawRect(cuff);
    painter.drawPath(hand);
    // Creases: where the thumb meets the palm, and between the folded fingers.
    painter.drawLine(QPointF(6.5, 18.5), QPointF(9.5, 22.5));
    painter.drawLine(QPointF(8.5, 11.5), QPointF(8.5, 15.5));
    painter.drawLine(QPointF(13.5, 11.5), QPointF(13.5, 16.5));
    painter.drawLine(QPointF(18.5, 13.5), QPointF(18.5, 17.5));
    return image;
}

QImage renderIcon(int size)
{
    Q_ASSERT(size > 0);
    QImage image = makeCanvas(QSize(size, size), 1.0);
    const qreal s = size;
    // A corner of the board: two by two cells framed by golden lines on whole pixels.
    const qreal line = std::max(1.0, std::round(s / 22.0));
    const qreal margin = std::round(s * 0.08);
    const qreal cell = (s - 2 * margin - line) / 2.0;
    const qreal diameter = (cell - line) * 0.94;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QLinearGradient back(0, 0, 0, s);
    back.setColorAt(0.0, QColor(34, 30, 44));
    back.setColorAt(1.0, QColor(8, 8, 12));
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);
    for (int k = 0; k <= 2; ++k) {
        const qreal at = std::round(margin + k * cell);
        painter.fillRect(QRectF(at, margin, line, s - 2 * margin), Gold);
        painter.fillRect(QRectF(margin, at, s - 2 * margin, line), Gold);
    }
    painter.end();

    // Three balls: gold and green on the bottom row, gold above the green one, each with a glint.
    auto ball = [&](int column, int row, Tile tile) {
        const QPointF centre(margin + line / 2.0 + (column + 0.5) * cell, margin + line / 2.0 + (row + 0.5) * cell);
        paintShadedTile(image, QRectF(centre.x() - diameter / 2, centre.y() - diameter / 2, diameter, diameter),
                        diameter / 2, diameter / 14.0, tileShades(tile));
        if (size < 32)
            return; // too small for a glint to read as one
        QPainter glint(&image);
        glint.setRenderHint(QPainter::Antialiasing);
        const QPointF spot = centre + QPointF(-0.2 * diameter, -0.22 * diameter);
        QRadialGradient light(spot, 0.22 * diameter);
        light.setColorAt(0.0, QColor(255, 255, 255, 170));
        light.setColorAt(1.0, QColor(255, 255, 255, 0));
        glint.setPen(Qt::NoPen);
        glint.setBrush(light);
        glint.drawEllipse(spot, 0.22 * diameter, 0.22 * diameter);
    };
    ball(0, 1, Tile::Player1);
    ball(1, 1, Tile::Player2);
    ball(1, 0, Tile::Player1);
    return image;
}

} // namespace vorni
