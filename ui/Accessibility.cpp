#include "Accessibility.h"

#include "ControlAccessible.h"

#include <QHash>

namespace vorni {

namespace {

// The game windows and their controls; every widget finds its own window's at each call.
QHash<const QWidget *, const ReadableControls *> &windows()
{
    static QHash<const QWidget *, const ReadableControls *> known;
    return known;
}

QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && readableControlsOf(widget->window()))
        return new ControlAccessible(widget);
    return nullptr;
}

void tell(QWidget *control, QAccessible::Event type)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

const ReadableControls *readableControlsOf(const QWidget *window)
{
    return windows().value(window);
}

void installAccessibility(QWidget *window, const ReadableControls *controls)
{
    static const bool installed = (QAccessible::installFactory(accessibleControl), true);
    Q_UNUSED(installed);
    windows().insert(window, controls);
}

void forgetAccessibility(QWidget *window)
{
    windows().remove(window);
}

void tellNameChanged(QWidget *control)
{
    tell(control, QAccessible::NameChanged);
}

void tellDescriptionChanged(QWidget *control)
{
    tell(control, QAccessible::DescriptionChanged);
}

void tellJoined(QWidget *control)
{
    tell(control, QAccessible::ObjectCreated);
}

void tellStateChanged(QWidget *control, QAccessible::State changed)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace vorni
