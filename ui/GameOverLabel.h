#pragma once

// A game-over text: its caption in its own font and colour with nothing behind it, each letter edged
// by a thin dark outline, so that it reads over the board, the lines and either player's balls alike.

#include "Controls.h"

#include <QPixmap>

namespace vorni {

class GameOverLabel : public LabelControl {
    Q_OBJECT
public:
    GameOverLabel(QWidget *parent, const QString &name, QRect geometry, const QString &caption, const QFont &font,
                  QColor colour, Qt::Alignment alignment = Qt::AlignLeft);

    // How far the outline reaches beyond the letters' edges, in logical pixels, and its colour: against
    // it the orange letters keep a contrast of 7 to 1 whatever lies under them.
    static constexpr qreal OutlineWidth = 2.0;
    static constexpr QRgb OutlineColour = qRgb(40, 16, 0);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_look; // the caption as drawn, for m_lookText at the label's size and screen
    QString m_lookText;
};

} // namespace vorni
