#include "GameLinesView.h"

#include "BoardGeometry.h"

#include <QPainter>

#include <utility>

namespace vorni {

GameLinesView::GameLinesView(QWidget *parent, QRect geometry, std::function<bool()> shown)
    : QWidget(parent)
    , m_shown(std::move(shown))
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

void GameLinesView::clear()
{
    m_lines.clear();
    update();
}

void GameLinesView::paintEvent(QPaintEvent *)
{
    if (!m_shown())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(Colour), Width, Qt::SolidLine, Qt::RoundCap));
    // End points are in twips of the window; fractions are kept.
    const QPointF origin = pos();
    for (const GameLine &line : m_lines)
        painter.drawLine(cellCentre(line.from) / TwipsPerPixel - origin, cellCentre(line.to) / TwipsPerPixel - origin);
}

} // namespace vorni
