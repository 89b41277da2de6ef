#pragma once

// What counts as a click on one of the window's controls: a left press and a release over the same
// control. No control takes double-clicks: the second press of a double-click is no press, so that
// press and its release do nothing. Qt tells a double-click by time and distance over the whole window,
// so a quick click on the next column's button arrives as one; there it is an ordinary press, as that
// control had no first click.

#include <QObject>
#include <QPointer>

class QMouseEvent;
class QRect;

namespace vorni {

// One control's half of a click: whether the left button went down on it.
class ClickTracker {
public:
    void press(const QMouseEvent *event);
    // The release ends a click when the press was on the control and the pointer is still over area.
    bool release(const QMouseEvent *event, const QRect &area);

private:
    bool m_pressed = false;
};

// The window's half: it sees every press before its control does. A double-click on the control that
// took the last press is dropped; on another control it goes on, and Qt hands it to the control as a
// press.
class DoubleClicks : public QObject {
public:
    using QObject::QObject;
    // Watches control, which must be a child of the window.
    void watch(QObject *control) { control->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QObject> m_lastPressed;
};

} // namespace vorni
