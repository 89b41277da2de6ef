#pragma once

// The drawing behind Pictures.h: each picture rendered afresh into a QImage, no caching. Needs a
// QGuiApplication (fonts). Images carry setDevicePixelRatio(dpr) and are painted in logical
// coordinates.

#include "Pictures.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

class QPainter;

namespace vorni {

// A transparent image of logical size x dpr device pixels, rounded, with the ratio set.
QImage makeCanvas(QSize size, qreal dpr);

// The colours of one tile from its centre outwards. The light centre is a broad plateau with a sharp
// edge, and the darker edges a band around it: the captions drawn over the tiles lie on the plateau,
// except the scores, which lie on the band at the right end of the players' plates, so one plate
// carries a dark caption and a light one.
struct TileShades {
    QColor centre;
    QColor plateau; // the edge of the light centre
    QColor band;    // just past that edge, where the darker edges begin
    QColor edge;    // at the outline
    QColor rim;     // the thin dark border just inside the outline
};

TileShades tileShades(Tile tile);

// Composes a shaded tile over target, inside rect (logical coordinates), with corners rounded by
// radius (clamped to half the shorter side; half of it gives a round ball, whose light centre is then
// round too) and a dark rim rimWidth wide inside the outline. Anti-aliased at the target's device
// pixel ratio, which must be > 0.
void paintShadedTile(QImage &target, const QRectF &rect, qreal radius, qreal rimWidth, const TileShades &shades);

QImage renderTile(Tile tile, QSize size, qreal dpr);
QImage renderBoard(qreal dpr);
QImage renderLogo(qreal dpr);
QImage renderCredits(qreal dpr);
QImage renderWebAddress(qreal dpr);
QImage renderLinkHand(int dpr);
QImage renderIcon(int size);
QImage renderTitleLook(int letter, bool lit, qreal dpr);

// The font of the pictures: "Comic Sans MS" where installed, else Comic Neue, else the platform's
// sans serif.
QFont pictureFont(int pixelSize, QFont::Weight weight, bool italic);

// Draws text as one line whose ink lies wholly inside box: the largest pixel size up to
// maxPixelSize whose ink fits, and below minPixelSize a horizontal squeeze rather than clipping.
// The baseline sits where the ink of typical Latin letters ("Ag@jpl") is centred in the box.
void drawFittedLine(QPainter &painter, const QRectF &box, const QString &text, const QColor &colour,
                    QFont::Weight weight, int maxPixelSize, int minPixelSize = 8);

// How the pictures show a web address: without its "https://" or "http://" and without a trailing "/".
QString shownWebAddress(const QString &address);

} // namespace vorni
