#include "GameLinesView.h"

#include <QPainter>

namespace vorni {

GameLinesView::GameLinesView(QWidget *parent, QRect geometry)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Line1"));
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void GameLinesView::addLine(const GameLine &line)
{
    m_lines.push_back(line);
    update();
}

void GameLinesView::setLinesVisible(bool visible)
{
    for (GameLine &line : m_lines)
        line.visible = visible;
    update();
}

void GameLinesView::clear()
{
    m_lines.clear();
    update();
}

void GameLinesView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(Colour), Width, Qt::SolidLine, Qt::RoundCap));
    // End points are in twips of the window; fractions are kept.
    const QPointF origin = pos();
    for (const GameLine &line : m_lines) {
        if (!line.visible)
            continue;
        painter.drawLine(QPointF(line.p1.x, line.p1.y) / TwipsPerPixel - origin,
                         QPointF(line.p2.x, line.p2.y) / TwipsPerPixel - origin);
    }
}

} // namespace vorni
