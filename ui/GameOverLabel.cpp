#include "GameOverLabel.h"

#include <QPainter>
#include <QPainterPath>

namespace vorni {

GameOverLabel::GameOverLabel(QWidget *parent, const QString &name, QRect geometry, const QString &caption,
                             const QFont &font, QColor colour, Qt::Alignment alignment)
    : LabelControl(parent, name, geometry, caption, font, colour, alignment)
{
    // The window tells a reader of the result itself, once, as the texts appear; a name of their own
    // (never read: a reader is told their captions) keeps out the label's own news of a new caption.
    setAccessibleName(name);
}

void GameOverLabel::paintEvent(QPaintEvent *)
{
    // Outlining the letters costs far more than showing them: the look is drawn once for its caption,
    // size and screen, and shown as it is whenever the label is painted again.
    const qreal dpr = devicePixelRatioF();
    if (m_look.isNull() || m_lookText != text() || m_look.devicePixelRatio() != dpr
        || m_look.deviceIndependentSize() != QSizeF(size())) {
        m_look = QPixmap(size() * dpr);
        m_look.setDevicePixelRatio(dpr);
        m_look.fill(Qt::transparent);
        m_lookText = text();
        // The caption where the label would write it: at the top, its first line's baseline one ascent
        // down, placed across as the alignment says.
        const QFontMetricsF metrics(font());
        const QRectF box = contentsRect();
        const qreal width = metrics.horizontalAdvance(text());
        qreal left = box.left();
        if (alignment() & Qt::AlignHCenter)
            left += (box.width() - width) / 2.0;
        else if (alignment() & Qt::AlignRight)
            left = box.right() - width;
        QPainterPath letters;
        letters.addText(left, box.top() + metrics.ascent(), font(), text());

        QPainter painter(&m_look);
        painter.setRenderHint(QPainter::Antialiasing);
        // The outline's inner half lies under the letters' fill, so only OutlineWidth shows beyond them.
        painter.strokePath(letters,
                           QPen(QColor(OutlineColour), 2.0 * OutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(letters, colour());
    }
    QPainter(this).drawPixmap(0, 0, m_look);
}

} // namespace vorni
