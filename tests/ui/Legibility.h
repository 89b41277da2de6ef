#pragma once

// How legible the window is, measured on the real window drawn offscreen at the screen's device pixel
// ratio: each caption against the tile behind it, the game-over texts against what lies around their
// letters on a full board, and how far apart the two players' balls look to eyes that see colour
// differently. The legibility test and the vorni-legibility tool both read these figures.
//
// Contrast is WCAG 2's ratio of relative luminances, (L1 + 0.05) / (L2 + 0.05), taken where the
// background is worst: for a caption lighter than its tile, against the mean of the lightest tenth of
// the tile's pixels in the caption's box (the window drawn without the caption); for a darker caption,
// of the darkest tenth. Colour distances are CIE76 dE in CIE L*a*b* (D65) between mean colours, after
// the colour is seen through Machado, Oliveira and Fernandes's (2009) dichromat matrices at severity 1,
// applied to linear RGB.

#include <QColor>
#include <QString>

#include <vector>

namespace vorni::legibility {

// WCAG 2 relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(QRgb colour);
// WCAG 2 contrast ratio of two luminances, 1 to 21, whichever is lighter.
double contrastRatio(double a, double b);

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr Vision Visions[] = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia};
const char *visionName(Vision vision);

struct Lab {
    double l;
    double a;
    double b;
};
// The colour as someone with that vision sees it, in CIE L*a*b*. Channels are 0..1 sRGB, unrounded.
Lab seenAs(double red, double green, double blue, Vision vision);
double distance(const Lab &a, const Lab &b);

// One figure and the least it may be.
struct Reading {
    QString what;
    double value;
    double goal;  // 0 for a figure that is only shown
    QString unit; // ":1" for a contrast ratio, "dE" for a colour distance
    bool hasGoal() const { return goal > 0.0; }
    bool met() const { return value >= goal; }
};

// Opens the game's window with every option at its default and takes it through the states in which
// captions lie on other tiles: as it opens, every command marked by the pointer in turn, every column
// button marked, Player 2 to move, and a full board with the game over. Needs a QApplication; the
// figures are those of the screen's device pixel ratio.
std::vector<Reading> measureWindow();

} // namespace vorni::legibility
