#pragma once

// The game's shared pictures, window icon and link pointer. Everything is drawn by our own code when
// first asked for, at the requested device pixel ratio, so it stays sharp on high-DPI screens and the
// same build always produces the same pixels. A QGuiApplication must exist before any call.
//
// Every pixmap returned here has setDevicePixelRatio(dpr) and a device size of the logical size times
// dpr, rounded to whole pixels; at dpr 1 and 2 its deviceIndependentSize() is exactly the logical size.
// Pixmaps are cached, so asking again for the same picture is cheap and returns the same pixmap
// (same cacheKey()) as long as Qt's pixmap cache keeps it.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>

namespace vorni {

// The three shared tiles: Player 1's golden tile, Player 2's green tile and the grey neutral tile of
// full columns and of the finished game. Each is shaded from a light centre to darker edges.
enum class Tile { Player1, Player2, Neutral };

inline constexpr QSize BoardSize{366, 293};
inline constexpr QSize LogoSize{172, 51};
inline constexpr QSize CreditsSize{204, 46};
inline constexpr QSize WebAddressSize{181, 18};
inline constexpr QSize LinkCursorSize{32, 32};
inline constexpr QPoint LinkCursorHotSpot{5, 0};
// The window icon's sizes: the title bar's and the task switcher's, and twice those for screens of ratio
// 2. The desktop's larger icons come from the icon theme, where the game installs them.
inline constexpr std::array<int, 5> IconSizes{16, 32, 48, 64, 128};

// The five title letters down the left edge of the window, "VOrNI" from the top, in Comic italic. Each
// shows one of two looks: its own colour at its base size, or white at its lit size.
struct TitleLetterStyle {
    char caption;
    QSize box; // its label's size
    int basePixels;
    int litPixels;
    QRgb colour;
};
inline constexpr std::array<TitleLetterStyle, 5> TitleLetterStyles{{
    {'V', {83, 90}, 64, 73, qRgb(0xFF, 0xFF, 0x00)},
    {'O', {68, 90}, 64, 73, qRgb(0xFF, 0x00, 0xFF)},
    {'r', {86, 99}, 73, 83, qRgb(0x00, 0xFF, 0x00)},
    {'N', {82, 90}, 64, 73, qRgb(0xFF, 0x00, 0x00)},
    {'I', {78, 90}, 64, 73, qRgb(0x00, 0xFF, 0xFF)},
}};

// The tile at any logical size (size must not be empty), drawn at that size rather than scaled, so a
// 35 x 31 ball, a 136 x 25 plate and a 663 x 2 rule all keep their light centre and darker rim.
// The corners are rounded and transparent outside the tile. dpr > 0.
QPixmap tilePixmap(Tile tile, QSize size, qreal dpr);

// The size at which a tile is held when nothing stretches it: 80 x 25 for the players' tiles,
// 65 x 24 for the neutral one.
QSize tileNaturalSize(Tile tile);

// The board: golden grid lines on black, seven cells wide and six high, BoardSize logical pixels.
// Column c (0..6) of ball cells is centred at x = 30.5 + 51 c, row i from the top (0..5) at
// y = 30.5 + 46.667 i; the grid lines run midway between neighbouring cells.
QPixmap boardPixmap(qreal dpr);

// The product word "Vorni" in glowing orange italic letters on black, LogoSize.
QPixmap logoPixmap(qreal dpr);

// Three lines on black, CreditsSize: the developer line in y 1..14, the maker's e-mail address in
// y 16..29 and the maker's web address in y 32..45, all starting at x 2 and ending by x 165, so the
// window's click areas lie over the e-mail and web lines.
QPixmap creditsPixmap(qreal dpr);

// The maker's web address in green on black, one line inside x 3..166, y 0..13, WebAddressSize.
QPixmap webAddressPixmap(qreal dpr);

// The pointing hand shown over the link areas: 32 x 32 logical pixels, black outline, white fill,
// transparent elsewhere, hot spot (5, 0) at the tip of the index finger. Drawn for the highest device
// pixel ratio among the screens (rounded up to a whole number, so the outline stays one crisp pixel).
QCursor linkCursor();

// The pointing hand's picture at a whole-numbered device pixel ratio; linkCursor() shows it.
QPixmap linkCursorPixmap(int dpr);

// One look of title letter (0..4) as its label shows it: the caption at the top left of the box, drawn
// on black, each pixel's alpha its brightest channel, so that the look lies over a neighbour's ink too.
// Box-sized, transparent where there is no ink.
QPixmap titleLookPixmap(int letter, bool lit, qreal dpr);

// The window icon: a golden and a green ball on part of the board, drawn at each of IconSizes.
QIcon windowIcon();

// The maker's addresses as the build configured them. The web address is the full address the link
// opens (with its "https://"); the pictures show it without the scheme.
QString makerWebAddress();
QString makerEmailAddress();

} // namespace vorni
