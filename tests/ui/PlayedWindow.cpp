#include "PlayedWindow.h"

#include "WindowTest.h"

#include <QtTest>

namespace vorni {

PlayedWindow::PlayedWindow()
    : m_window(m_store)
{
    m_window.show();
    if (!QTest::qWaitForWindowExposed(&m_window) || !QTest::qWaitFor([&] { return testing::isLoaded(m_window); }))
        qFatal("the window did not open");
    m_dpr = m_window.devicePixelRatioF();
}

QImage PlayedWindow::shot()
{
    QImage image = m_window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.devicePixelRatio() != m_dpr)
        qFatal("the window was drawn at ratio %g, not %g", image.devicePixelRatio(), m_dpr);
    return image;
}

QImage PlayedWindow::shotWithout(QWidget *control)
{
    control->hide();
    QImage image = shot();
    control->show();
    return image;
}

QRect PlayedWindow::deviceBox(const QWidget *control) const
{
    const QRect logical(control->mapTo(&m_window, QPoint(0, 0)), control->size());
    return {QPoint(qRound(logical.left() * m_dpr), qRound(logical.top() * m_dpr)),
            QSize(qRound(logical.width() * m_dpr), qRound(logical.height() * m_dpr))};
}

void PlayedWindow::key(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&m_window, static_cast<Qt::Key>(key), modifiers);
}

void PlayedWindow::pointAt(const QWidget *control)
{
    pointAt(control, control->rect().center());
}

void PlayedWindow::pointAt(const QWidget *control, QPoint at)
{
    QTest::mouseMove(m_window.windowHandle(), control->mapTo(&m_window, at));
}

int PlayedWindow::ballsShown() const
{
    int shown = 0;
    for (int k = 1; k <= CellCount; ++k)
        shown += control(QStringLiteral("Balls(%1)").arg(k))->isVisible() ? 1 : 0;
    return shown;
}

void PlayedWindow::play(int column, int balls)
{
    const int before = ballsShown();
    key(Qt::Key_A + column);
    if (!QTest::qWaitFor([&] { return ballsShown() == before + balls; }))
        qFatal("the move into column %d did not land", column);
}

} // namespace vorni
