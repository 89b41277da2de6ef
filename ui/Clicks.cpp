#include "Clicks.h"

#include <QMouseEvent>

namespace vorni {

void ClickTracker::press(const QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

bool ClickTracker::release(const QMouseEvent *event, const QRect &area)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
    m_pressed = false;
    return click;
}

bool DoubleClicks::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (watched == m_lastPressed)
            return true;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
        m_lastPressed = watched;
        break;
    default:
        break;
    }
    return false;
}

} // namespace vorni
