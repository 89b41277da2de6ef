#pragma once

// The units the window's layout is given in: places and sizes in twips, 15 to the logical pixel, font
// sizes in points at 96 dpi, colours as &H00BBGGRR& values. Qt scales logical pixels to the screen, so
// everything stays sharp at any device pixel ratio.

#include <QFont>
#include <QRect>
#include <QRgb>

namespace vorni {

constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}
QRect twipsRect(int left, int top, int width, int height);

// The layout is fixed in pixels, so fonts are sized in pixels too and do not grow with the desktop's
// font dpi.
int pointsToPixels(double points);
QFont comicFont(double points, bool italic);
QFont comicPixelFont(int pixels, bool italic);
QFont sansFont(double points, bool bold);

constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                static_cast<int>((bgr >> 16) & 0xff));
}

// The colours several parts of the window share.
constexpr QRgb LightGreen = fromBgr(0xC0FFC0); // column letters and command captions
constexpr QRgb Brown = fromBgr(0x004080);      // "Next" while Player 1 is to move; a marked command; game lines
constexpr QRgb White = fromBgr(0xFFFFFF);

} // namespace vorni
