// The pictures compiled into the game are those the drawing gives, pixel for pixel, and the way they are
// kept refuses anything it cannot read rather than showing garbage.

#include "PreparedPictures.h"
#include "Drawing.h"

#include <QPixmapCache>

#include <gtest/gtest.h>

#include <cstring>

using namespace vorni;

namespace {

QImage comparable(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(PreparedPictures, AreThePixelsTheDrawingGives)
{
    const auto pictures = preparedPictures();
    ASSERT_EQ(pictures.size(),
              PreparedRatios.size() * (5 + 2 * TitleLetterStyles.size() + 3 * PreparedTileSizes.size())
                  + IconSizes.size());
    for (const PreparedPicture &picture : pictures) {
        SCOPED_TRACE(picture.name.toStdString());
        const QImage drawn = picture.draw();
        const QImage prepared = preparedImage(picture.name, drawn.devicePixelRatio());
        ASSERT_FALSE(prepared.isNull()) << "not among the resources";
        EXPECT_EQ(prepared.devicePixelRatio(), drawn.devicePixelRatio());
        EXPECT_EQ(comparable(prepared), comparable(drawn));
    }
}

TEST(PreparedPictures, OtherRatiosAreDrawnWhenAsked)
{
    QPixmapCache::clear();
    const QPixmap plate = tilePixmap(Tile::Player2, {136, 25}, 1.5);
    EXPECT_EQ(plate.size(), QSize(204, 38));
    EXPECT_EQ(comparable(plate.toImage()), comparable(renderTile(Tile::Player2, {136, 25}, 1.5)));
}

TEST(PictureEncoding, KeepsOpaquePicturesAsRgbAndOthersWithTheirAlpha)
{
    QImage opaque = makeCanvas({7, 3}, 1);
    opaque.fill(QColor(10, 200, 30));
    const struct {
        QImage image;
        QImage::Format kept;
    } cases[]
        = {{opaque, QImage::Format_RGB32}, {renderTile(Tile::Player1, {9, 5}, 1), QImage::Format_ARGB32_Premultiplied}};
    for (const auto &c : cases) {
        const QImage decoded = decodePicture(encodePicture(c.image));
        EXPECT_EQ(decoded.format(), c.kept);
        EXPECT_EQ(comparable(decoded), comparable(c.image));
    }
}

struct Damage {
    const char *what;
    void (*spoil)(QByteArray &bytes);
};

std::ostream &operator<<(std::ostream &os, const Damage &d)
{
    return os << d.what;
}

class DamagedPicture : public testing::TestWithParam<Damage> { };

TEST_P(DamagedPicture, IsRefused)
{
    QByteArray bytes = encodePicture(renderTile(Tile::Neutral, {6, 4}, 1));
    ASSERT_FALSE(decodePicture(bytes).isNull());
    GetParam().spoil(bytes);
    EXPECT_TRUE(decodePicture(bytes).isNull());
}

void setWord(QByteArray &bytes, int index, quint32 value)
{
    std::memcpy(bytes.data() + 4 * index, &value, sizeof value);
}

INSTANTIATE_TEST_SUITE_P(
    Each, DamagedPicture,
    testing::Values(Damage{"empty", [](QByteArray &b) { b.clear(); }},
                    Damage{"a header cut short", [](QByteArray &b) { b.truncate(10); }},
                    Damage{"another kind of file", [](QByteArray &b) { b[0] = '\x89'; }},
                    Damage{"a row short", [](QByteArray &b) { b.chop(6 * 4); }},
                    Damage{"a pixel too many", [](QByteArray &b) { b.append(4, '\0'); }},
                    Damage{"taller than its pixels", [](QByteArray &b) { setWord(b, 2, 5); }},
                    Damage{"no width", [](QByteArray &b) { setWord(b, 1, 0); }},
                    Damage{"an 8-bit format", [](QByteArray &b) { setWord(b, 3, QImage::Format_Grayscale8); }},
                    Damage{"beyond any picture", [](QByteArray &b) { setWord(b, 1, 0x40000000u); }}));

} // namespace
