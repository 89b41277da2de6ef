// The pictures are checked where the window depends on them: their sizes at device pixel ratios 1 and
// 2, the players' colours, the board's grid between the ball cells, the address lines under the click
// areas, the pointer's hot spot and the icon's sizes. Positions come from the window's layout, not
// from the drawing code.

#include "Pictures.h"
#include "Drawing.h"

#include <QPainter>
#include <QPixmapCache>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>

using namespace vorni;

// Readable failure messages for the Qt values compared below (found by argument-dependent lookup).
std::ostream &operator<<(std::ostream &os, const QColor &c)
{
    return os << "rgba(" << c.red() << ", " << c.green() << ", " << c.blue() << ", " << c.alpha() << ")";
}

std::ostream &operator<<(std::ostream &os, const QSize &s)
{
    return os << s.width() << " x " << s.height();
}

std::ostream &operator<<(std::ostream &os, const QSizeF &s)
{
    return os << s.width() << " x " << s.height();
}

namespace {

enum class Hue { Golden, Green, Grey, Black, Other };

std::ostream &operator<<(std::ostream &os, Hue hue)
{
    const char *names[] = {"golden", "green", "grey", "black", "other"};
    return os << names[static_cast<int>(hue)];
}

// How a person (or a screenshot check) would name an opaque colour.
Hue classify(const QColor &c)
{
    const int r = c.red();
    const int g = c.green();
    const int b = c.blue();
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    if (high <= 24)
        return Hue::Black;
    if (high - low <= 16)
        return high >= 100 ? Hue::Grey : Hue::Other;
    if (r >= 170 && g >= r * 55 / 100 && g <= r * 97 / 100 && b <= g * 75 / 100)
        return Hue::Golden;
    if (g >= 80 && g >= r + 50 && g >= b + 50) // Player 2's green is a deep one
        return Hue::Green;
    return Hue::Other;
}

// The device pixel that covers logical point (x, y).
QColor pixelAt(const QImage &image, qreal x, qreal y)
{
    const qreal dpr = image.devicePixelRatio();
    const int px = std::clamp(static_cast<int>(std::floor(x * dpr)), 0, image.width() - 1);
    const int py = std::clamp(static_cast<int>(std::floor(y * dpr)), 0, image.height() - 1);
    return image.pixelColor(px, py);
}

QImage imageOf(const QPixmap &pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(pixmap.devicePixelRatio());
    return image;
}

qreal lightness(const QColor &c)
{
    return 0.30 * c.red() + 0.59 * c.green() + 0.11 * c.blue();
}

bool isBlack(const QColor &c)
{
    return c.alpha() == 255 && std::max({c.red(), c.green(), c.blue()}) <= 24;
}

// The logical rectangle (whole pixels) holding every pixel that is not black.
QRect inkBounds(const QImage &image, const QRect &area)
{
    const int dpr = static_cast<int>(image.devicePixelRatio());
    QRect device;
    for (int y = area.top() * dpr; y < (area.bottom() + 1) * dpr; ++y)
        for (int x = area.left() * dpr; x < (area.right() + 1) * dpr; ++x)
            if (!isBlack(image.pixelColor(x, y)))
                device = device.united(QRect(x, y, 1, 1));
    if (device.isNull())
        return {};
    return QRect(QPoint(device.left() / dpr, device.top() / dpr), QPoint(device.right() / dpr, device.bottom() / dpr));
}

constexpr int Ratios[] = {1, 2};

// ---------------------------------------------------------------------------------------------------
// Sizes, caching and reproducibility, for every fixed-size picture.

struct FixedPicture {
    const char *name;
    std::function<QPixmap(qreal)> make;
    std::function<QImage(qreal)> draw;
    QSize size;
};

std::ostream &operator<<(std::ostream &os, const FixedPicture &p)
{
    return os << p.name;
}

class FixedPictures : public testing::TestWithParam<FixedPicture> { };

TEST_P(FixedPictures, HaveTheirLogicalSizeAndTwiceThePixelsAtRatioTwo)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QPixmap pixmap = GetParam().make(dpr);
        EXPECT_EQ(pixmap.devicePixelRatio(), dpr);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(GetParam().size));
        EXPECT_EQ(pixmap.size(), GetParam().size * dpr);
    }
}

TEST_P(FixedPictures, AreCachedAndDrawnTheSameEachTime)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QPixmap first = GetParam().make(dpr);
        EXPECT_EQ(GetParam().make(dpr).cacheKey(), first.cacheKey());
        QPixmapCache::clear();
        const QPixmap again = GetParam().make(dpr);
        EXPECT_NE(again.cacheKey(), first.cacheKey()); // really drawn a second time
        EXPECT_EQ(imageOf(again), imageOf(first));
        EXPECT_EQ(GetParam().draw(dpr), GetParam().draw(dpr));
    }
}

INSTANTIATE_TEST_SUITE_P(Each, FixedPictures,
                         testing::Values(FixedPicture{"board", boardPixmap, renderBoard, {366, 293}},
                                         FixedPicture{"logo", logoPixmap, renderLogo, {172, 51}},
                                         FixedPicture{"credits", creditsPixmap, renderCredits, {204, 46}},
                                         FixedPicture{"webAddress", webAddressPixmap, renderWebAddress, {181, 18}},
                                         FixedPicture{"linkHand",
                                                      [](qreal dpr) { return linkCursorPixmap(static_cast<int>(dpr)); },
                                                      [](qreal dpr) { return renderLinkHand(static_cast<int>(dpr)); },
                                                      {32, 32}}),
                         [](const testing::TestParamInfo<FixedPicture> &test) { return std::string(test.param.name); });

// ---------------------------------------------------------------------------------------------------
// Tiles: stretched to every size the window uses, they keep their colour and their shading.

struct TileCase {
    Tile tile;
    QSize size;
    Hue hue;
};

std::ostream &operator<<(std::ostream &os, const TileCase &c)
{
    return os << "tile " << static_cast<int>(c.tile) << " at " << c.size << " expecting " << c.hue;
}

class Tiles : public testing::TestWithParam<TileCase> { };

TEST_P(Tiles, CentreShowsThePlayersColourAndTheEdgesAreDarker)
{
    const TileCase &c = GetParam();
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QPixmap pixmap = tilePixmap(c.tile, c.size, dpr);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(c.size));
        EXPECT_EQ(pixmap.size(), c.size * dpr);
        const QImage image = imageOf(pixmap);
        const qreal w = c.size.width();
        const qreal h = c.size.height();
        const QColor centre = pixelAt(image, w / 2, h / 2);
        EXPECT_EQ(centre.alpha(), 255) << centre;
        EXPECT_EQ(classify(centre), c.hue) << centre;

        // One pixel in from the middle of each side, and near the ends of the long axis.
        const qreal ends = std::max(1.0, w / 20);
        QList<QPointF> edges{{ends, h / 2}, {w - ends, h / 2}};
        if (h >= 10)
            edges << QPointF(w / 2, 1.0) << QPointF(w / 2, h - 1.0);
        for (const QPointF &e : edges) {
            const QColor edge = pixelAt(image, e.x(), e.y());
            EXPECT_LT(lightness(edge), 0.75 * lightness(centre)) << "at " << e.x() << ", " << e.y() << ": " << edge;
        }
        if (h >= 10) { // rounded corners let the window's black show through
            EXPECT_EQ(pixelAt(image, 0, 0).alpha(), 0);
            EXPECT_EQ(pixelAt(image, w - 0.5, h - 0.5).alpha(), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Each, Tiles,
    testing::Values(TileCase{Tile::Player1, {80, 25}, Hue::Golden}, TileCase{Tile::Player1, {35, 31}, Hue::Golden},
                    TileCase{Tile::Player1, {136, 25}, Hue::Golden}, TileCase{Tile::Player1, {663, 2}, Hue::Golden},
                    TileCase{Tile::Player2, {80, 25}, Hue::Green}, TileCase{Tile::Player2, {35, 31}, Hue::Green},
                    TileCase{Tile::Player2, {136, 25}, Hue::Green}, TileCase{Tile::Player2, {50, 22}, Hue::Green},
                    TileCase{Tile::Neutral, {65, 24}, Hue::Grey}, TileCase{Tile::Neutral, {50, 22}, Hue::Grey},
                    TileCase{Tile::Neutral, {136, 25}, Hue::Grey}, TileCase{Tile::Neutral, {35, 31}, Hue::Grey}));

TEST(TileSizes, NaturalSizesAreThoseOfTheHeldPictures)
{
    EXPECT_EQ(tileNaturalSize(Tile::Player1), QSize(80, 25));
    EXPECT_EQ(tileNaturalSize(Tile::Player2), QSize(80, 25));
    EXPECT_EQ(tileNaturalSize(Tile::Neutral), QSize(65, 24));
}

TEST(TileCache, SameRequestSharesOnePixmapAndEachSizeAndRatioHasItsOwn)
{
    const QPixmap ball = tilePixmap(Tile::Player1, {35, 31}, 1);
    EXPECT_EQ(tilePixmap(Tile::Player1, {35, 31}, 1).cacheKey(), ball.cacheKey());
    EXPECT_NE(tilePixmap(Tile::Player2, {35, 31}, 1).cacheKey(), ball.cacheKey());
    EXPECT_NE(tilePixmap(Tile::Player1, {36, 31}, 1).cacheKey(), ball.cacheKey());
    EXPECT_EQ(tilePixmap(Tile::Player1, {35, 31}, 2).size(), QSize(70, 62));
}

TEST(TileDrawing, RatioTwoIsDrawnFinerNotScaledUp)
{
    // A picture scaled up from ratio 1 would repeat each pixel in a 2 x 2 block.
    const QImage fine = renderTile(Tile::Player1, {136, 25}, 2);
    int blocksWithDetail = 0;
    for (int y = 0; y + 1 < fine.height(); y += 2)
        for (int x = 0; x + 1 < fine.width(); x += 2)
            if (fine.pixel(x, y) != fine.pixel(x + 1, y + 1))
                ++blocksWithDetail;
    EXPECT_GT(blocksWithDetail, fine.width() * fine.height() / 4 / 2);
}

// ---------------------------------------------------------------------------------------------------
// The board: the ball cells (35 x 31) sit centred in its grid squares.

qreal cellCentreX(int column)
{
    return 30.5 + 51.0 * column;
}
qreal cellCentreY(int rowFromTop)
{
    return 30.5 + 140.0 / 3.0 * rowFromTop;
}

TEST(Board, GridLinesAreGoldenMidwayBetweenCells)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage board = imageOf(boardPixmap(dpr));
        for (int c = 0; c <= 7; ++c)
            for (int i = 0; i < 6; ++i) {
                const QColor line = pixelAt(board, 5.0 + 51.0 * c, cellCentreY(i));
                EXPECT_EQ(classify(line), Hue::Golden) << "vertical line " << c << " by row " << i << ": " << line;
            }
        for (int i = 0; i <= 6; ++i)
            for (int c = 0; c < 7; ++c) {
                const QColor line = pixelAt(board, cellCentreX(c), cellCentreY(i) - 70.0 / 3.0);
                EXPECT_EQ(classify(line), Hue::Golden) << "horizontal line " << i << " by column " << c << ": " << line;
            }
    }
}

TEST(Board, EveryBallCellAndTheMarginOutsideTheGridAreBlack)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage board = imageOf(boardPixmap(dpr));
        for (int c = 0; c < 7; ++c)
            for (int i = 0; i < 6; ++i) {
                const QRectF cell(cellCentreX(c) - 17.5, cellCentreY(i) - 15.5, 35, 31);
                int lit = 0;
                for (int y = static_cast<int>(std::ceil(cell.top() * dpr)); y < cell.bottom() * dpr; ++y)
                    for (int x = static_cast<int>(std::ceil(cell.left() * dpr)); x < cell.right() * dpr; ++x)
                        lit += isBlack(board.pixelColor(x, y)) ? 0 : 1;
                EXPECT_EQ(lit, 0) << "cell column " << c << " row " << i;
            }
        for (const QPointF &outside : {QPointF(1, 150), QPointF(365, 150), QPointF(180, 2), QPointF(180, 291)})
            EXPECT_TRUE(isBlack(pixelAt(board, outside.x(), outside.y()))) << outside.x() << ", " << outside.y();
    }
}

// ---------------------------------------------------------------------------------------------------
// Text pictures: each line inside the band that the window's click area covers.

QImage pictureAtRatio(const std::function<QPixmap(qreal)> &make, int dpr)
{
    return imageOf(make(dpr));
}

TEST(Credits, ThreeLinesEachInItsBandWithBlackBetween)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage credits = pictureAtRatio(creditsPixmap, dpr);
        const QRect developer = inkBounds(credits, QRect(0, 0, 204, 16));
        const QRect email = inkBounds(credits, QRect(0, 15, 204, 16));
        const QRect web = inkBounds(credits, QRect(0, 30, 204, 16));
        for (const QRect &line : {developer, email, web}) {
            EXPECT_FALSE(line.isNull());
            EXPECT_GE(line.height(), 7) << "too small to read";
            EXPECT_LE(line.left(), 6);
            EXPECT_GE(line.width(), 60);
        }
        EXPECT_GE(developer.top(), 1);
        EXPECT_LE(developer.bottom(), 14);
        EXPECT_GE(email.top(), 16);
        EXPECT_LE(email.bottom(), 29);
        EXPECT_GE(web.top(), 32);
        EXPECT_LE(web.bottom(), 45);
        // The click areas end at x 165; nothing is drawn beyond them.
        EXPECT_TRUE(inkBounds(credits, QRect(166, 0, 38, 46)).isNull());

        // The addresses are green, like the web address picture.
        EXPECT_EQ(classify(pixelAt(credits, 0, 0)), Hue::Black);
        int green = 0;
        for (int y = 16 * dpr; y < 30 * dpr; ++y)
            for (int x = 0; x < credits.width(); ++x)
                green += classify(credits.pixelColor(x, y)) == Hue::Green ? 1 : 0;
        EXPECT_GT(green, 20 * dpr * dpr);
    }
}

TEST(WebAddressPicture, OneGreenLineUnderTheClickArea)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage web = pictureAtRatio(webAddressPixmap, dpr);
        const QRect ink = inkBounds(web, QRect(0, 0, 181, 18));
        ASSERT_FALSE(ink.isNull());
        EXPECT_GE(ink.left(), 3);
        EXPECT_LE(ink.left(), 8);
        EXPECT_LE(ink.right(), 166);
        EXPECT_GE(ink.top(), 0);
        EXPECT_LE(ink.bottom(), 13);
        EXPECT_GE(ink.height(), 8) << "too small to read";
        int green = 0;
        int other = 0;
        for (int y = 0; y < web.height(); ++y)
            for (int x = 0; x < web.width(); ++x) {
                const Hue hue = classify(web.pixelColor(x, y));
                green += hue == Hue::Green ? 1 : 0;
                other += (hue == Hue::Golden || hue == Hue::Grey) ? 1 : 0;
            }
        EXPECT_GT(green, 40 * dpr * dpr);
        EXPECT_EQ(other, 0);
    }
}

QRect fittedInk(const QString &text, const QRect &box, int dpr)
{
    QImage image = makeCanvas({240, 24}, dpr);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        drawFittedLine(painter, box, text, Qt::green, QFont::Normal, 14);
    }
    return inkBounds(image, QRect(0, 0, 240, 24));
}

TEST(FittedLine, LongerTextIsDrawnSmallerAndStaysInsideItsBox)
{
    const QRect box(20, 5, 160, 14);
    const QString shortText = QStringLiteral("vorni.example.org");
    const QString longer = QStringLiteral("games.vorni.example.org/four");
    const QString tooLong = QStringLiteral("a-rather-long-web-address.games.example.org/vorni/four-in-a-row/play");
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        QRect inks[3];
        int n = 0;
        for (const QString &text : {shortText, longer, tooLong}) {
            SCOPED_TRACE(text.toStdString());
            const QRect ink = fittedInk(text, box, dpr);
            ASSERT_FALSE(ink.isNull());
            EXPECT_TRUE(box.contains(ink))
                << ink.x() << ", " << ink.y() << ", " << ink.width() << " x " << ink.height();
            inks[n++] = ink;
        }
        EXPECT_LT(inks[1].height(), inks[0].height()) << "shrinks rather than squeezing a readable size";
        EXPECT_GE(inks[2].width(), box.width() - 8) << "the longest text still uses the whole box";
    }
}

struct ShownAddress {
    const char *address;
    const char *shown;
};

std::ostream &operator<<(std::ostream &os, const ShownAddress &a)
{
    return os << a.address;
}

class ShownWebAddress : public testing::TestWithParam<ShownAddress> { };

TEST_P(ShownWebAddress, DropsTheSchemeAndTrailingSlash)
{
    EXPECT_EQ(shownWebAddress(QString::fromUtf8(GetParam().address)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Each, ShownWebAddress,
                         testing::Values(ShownAddress{"https://vorni.example.org", "vorni.example.org"},
                                         ShownAddress{"http://vorni.example.org/", "vorni.example.org"},
                                         ShownAddress{"HTTPS://Vorni.Example.org/games", "Vorni.Example.org/games"},
                                         ShownAddress{"vorni.example.org", "vorni.example.org"},
                                         ShownAddress{"ftp://vorni.example.org", "ftp://vorni.example.org"}));

TEST(MakerAddresses, AreThoseTheBuildWasConfiguredWith)
{
    EXPECT_EQ(makerWebAddress(), QString::fromUtf8(QByteArray::fromHex(EXPECTED_WEB_ADDRESS_HEX)));
    EXPECT_EQ(makerEmailAddress(), QString::fromUtf8(QByteArray::fromHex(EXPECTED_EMAIL_ADDRESS_HEX)));
}

// ---------------------------------------------------------------------------------------------------
// Logo

TEST(Logo, OrangeGlowingWordAcrossTheWidthOnBlack)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage logo = imageOf(logoPixmap(dpr));
        for (const QPointF &corner : {QPointF(0, 0), QPointF(171, 0), QPointF(0, 50), QPointF(171, 50)})
            EXPECT_TRUE(isBlack(pixelAt(logo, corner.x(), corner.y())));
        int orange = 0;
        int bluish = 0;
        for (int y = 0; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x) {
                const QColor c = logo.pixelColor(x, y);
                if (c.red() >= 200 && c.green() >= 60 && c.green() <= 230 && c.blue() <= c.green() * 3 / 4)
                    ++orange;
                if (c.blue() > c.red())
                    ++bluish;
            }
        EXPECT_GT(orange, logo.width() * logo.height() / 8);
        EXPECT_EQ(bluish, 0);
        const QRect ink = inkBounds(logo, QRect(0, 0, 172, 51));
        EXPECT_LE(ink.left(), 20);
        EXPECT_GE(ink.right(), 150);
    }
}

// ---------------------------------------------------------------------------------------------------
// The link pointer

TEST(LinkCursor, HotSpotIsTheFingertipOfAThirtyTwoPixelHand)
{
    const QCursor cursor = linkCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 0));
    EXPECT_EQ(cursor.pixmap().deviceIndependentSize(), QSizeF(32, 32));

    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage hand = imageOf(linkCursorPixmap(dpr));
        EXPECT_EQ(hand.size(), QSize(32, 32) * dpr);
        // The topmost drawn pixels are the fingertip, on the hot spot.
        EXPECT_EQ(pixelAt(hand, 5, 0), QColor(Qt::black));
        for (int x = 0; x < hand.width(); ++x) {
            if (hand.pixelColor(x, 0).alpha() != 0) {
                EXPECT_NEAR(x / static_cast<qreal>(dpr), 5.5, 3.0) << "top row lit at " << x;
            }
        }
    }
}

TEST(LinkCursor, IsBlackOutlineAroundWhiteFill)
{
    for (const int dpr : Ratios) {
        SCOPED_TRACE(dpr);
        const QImage hand = imageOf(linkCursorPixmap(dpr));
        int black = 0;
        int white = 0;
        for (int y = 0; y < hand.height(); ++y)
            for (int x = 0; x < hand.width(); ++x) {
                const QColor c = hand.pixelColor(x, y);
                if (c.alpha() == 0)
                    continue;
                ASSERT_TRUE(c == QColor(Qt::black) || c == QColor(Qt::white)) << x << ", " << y << ": " << c;
                if (c == QColor(Qt::black)) {
                    ++black;
                    continue;
                }
                ++white;
                // White never touches the transparent outside directly.
                for (const QPoint &n : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                    ASSERT_TRUE(hand.rect().contains(n)) << x << ", " << y;
                    EXPECT_NE(hand.pixelColor(n).alpha(), 0) << "white at " << x << ", " << y << " is open";
                }
            }
        EXPECT_GT(white, 200 * dpr * dpr); // a hand, not a few strokes
        EXPECT_GT(black, 60 * dpr);
    }
}

// ---------------------------------------------------------------------------------------------------
// The window icon

TEST(WindowIcon, HasEverySizeEachShowingAGoldenAndAGreenBall)
{
    const QIcon icon = windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 32, 48, 64, 128}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(sizes.contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(size, size));
        int golden = 0;
        int green = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() != 255)
                    continue;
                golden += classify(c) == Hue::Golden ? 1 : 0;
                green += classify(c) == Hue::Green ? 1 : 0;
            }
        // At least a ball's worth of each: a tenth of the icon's width squared.
        EXPECT_GE(green, size * size / 100 * 3) << "green";
        EXPECT_GE(golden, size * size / 100 * 6) << "golden";
    }
}

} // namespace
