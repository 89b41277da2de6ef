// Keyboard focus: Tab and Shift+Tab move it over the column buttons, A to G, and on over the commands,
// top to bottom; Qt passes over a full column, whose button is disabled. The focused control draws the
// focus mark, and Space or Enter on it is a click (ImageControl). The window itself holds the focus
// until Tab moves it, and takes it back at any press of the mouse: mouse play never shows the mark, and
// Space or Enter never presses a control the player no longer sees marked.

#include "MainFrm.h"

#include "Clicks.h"
#include "CommandPanel.h"

#include <QEvent>

namespace vorni {

void MainFrm::setUpFocus()
{
    QList<QWidget *> order(m_controls.board.butt.begin(), m_controls.board.butt.end());
    for (QWidget *button : m_commands->buttons())
        order.append(button);
    for (QWidget *control : order)
        control->setFocusPolicy(Qt::TabFocus);
    // Qt leaves alone an order that Tab already follows around the circle. Column A is put right after
    // the window itself, where the first Tab starts, for which the window needs a focus policy a moment.
    setFocusPolicy(Qt::TabFocus);
    order.prepend(this);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFocusPolicy(Qt::NoFocus);
    // A press reaches the control under the pointer, which keeps it to itself. The window sees it
    // first, and tells a double-click there from one on another control.
    m_doubleClicks = new DoubleClicks(this);
    installEventFilter(this);
    m_doubleClicks->watch(this);
    for (QWidget *control : findChildren<QWidget *>()) {
        control->installEventFilter(this);
        m_doubleClicks->watch(control);
    }
    // Without a focus of its own, the window would hand it to column A when it becomes active.
    setFocus();
}

bool MainFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        setFocus(Qt::MouseFocusReason);
    return QWidget::eventFilter(watched, event);
}

} // namespace vorni
