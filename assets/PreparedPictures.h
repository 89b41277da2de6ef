#pragma once

// The pictures made at build time: vorni-make-pictures draws them with Drawing.h, for the device pixel
// ratios most screens have, and the build compiles them into the game as resources. Pictures.cpp loads
// them rather than drawing them again while the window first appears; any other ratio or tile size is
// drawn when first asked for, by the same code, so both give the same pixels.

#include "Pictures.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace vorni {

inline constexpr std::array<int, 2> PreparedRatios{1, 2};

// The sizes at which the window shows tiles: the rule under the credits, the panel's plates and
// commands, the column buttons, the balls and the holders under the panel.
inline constexpr std::array<QSize, 7> PreparedTileSizes{
    {{663, 2}, {136, 25}, {137, 25}, {50, 22}, {51, 22}, {35, 31}, {42, 22}}};

struct PreparedPicture {
    QString name; // the resource's name, ratio included: "board@2x", "tile-player1-136x25@1x", "icon-48"
    std::function<QImage()> draw;
    // Those of ratio 1 and the icon, which most screens show, are kept as they are, so the game reads
    // them where they lie, with no copy; the larger ones of ratio 2 are compressed.
    bool compressed;
};

// Every picture made at build time: the fixed pictures, both looks of each title letter and each tile
// at each of PreparedTileSizes, at each of PreparedRatios, and the window icon at each of IconSizes.
std::vector<PreparedPicture> preparedPictures();

// A picture's name at a ratio, as preparedPictures() names it: "board" at 2 is "board@2x".
QString preparedName(const QString &picture, int dpr);
QString tileName(Tile tile, QSize size);
QString titleLookName(int letter, bool lit);
QString iconName(int size);

// The prepared picture of that name from the game's resources, its device pixel ratio set to dpr; a
// null image when there is none or it cannot be read. Defined in vorni_assets, beside the resources.
QImage preparedImage(const QString &name, qreal dpr);

// How a prepared picture is kept: a 16-byte header ("VPIC", width, height, QImage::Format, each as
// 32 bits in the machine's order) and the rows of 32-bit pixels as they lie in memory, so that loading
// is one decompression by the resource system and no decoding. Opaque pictures are kept as RGB32,
// which a pixmap takes as it is.
QByteArray encodePicture(const QImage &image);
// The image kept in bytes, sharing them, or a null image if they do not hold one.
QImage decodePicture(const QByteArray &bytes);

} // namespace vorni
