#include "Units.h"

#include "Fonts.h"

namespace vorni {

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

int pointsToPixels(double points)
{
    return qRound(points * 96.0 / 72.0);
}

QFont comicFont(double points, bool italic)
{
    return comicPixelFont(pointsToPixels(points), italic);
}

QFont comicPixelFont(int pixels, bool italic)
{
    QFont font(comicFamily());
    font.setPixelSize(pixels);
    font.setItalic(italic);
    return font;
}

QFont sansFont(double points, bool bold)
{
    QFont font(panelFamily());
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    return font;
}

} // namespace vorni
