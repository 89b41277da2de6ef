#pragma once

// The two font families of the game, chosen once from what is installed.
// Naming families that are missing makes every new font size search the
// whole font database again, which costs more than building the window.

#include <QString>

namespace vorni {

// "Comic Sans MS" where installed, otherwise Comic Neue, otherwise the
// desktop's default family.
QString comicFamily();

// "MS Sans Serif" where installed, otherwise a family of the same narrow
// widths (so the panel's captions fit their places), otherwise the default.
QString panelFamily();

} // namespace vorni
