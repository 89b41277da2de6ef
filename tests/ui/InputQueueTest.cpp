// Clicks and keys that come while a move is shown wait for it and are never lost, double-clicks are
// single clicks, and nothing comes before the controls or after the window closed.

#include "WindowTest.h"

using namespace vorni;
using namespace vorni::testing;

class InputQueueTest : public WindowTest {
    Q_OBJECT

private slots:
    // Clicks and keys that come while a move is shown wait for it and are then handled in order, each
    // as if it had come then. Before: animation on, column D's ball falling (with the computer on, its
    // reply still to fall after it).
    void inputDuringAMoveWaitsForIt_data()
    {
        QTest::addColumn<bool>("computer");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("after");
        auto row = [](const char *name, bool computer, QStringList inputs, const char *after) {
            QTest::newRow(name) << computer << inputs << QString::fromLatin1(after);
        };
        row("column button", false, {"button 4"}, "0001100|010");
        row("column letter", false, {"letter 4"}, "0001100|010");
        row("column key", false, {"key E"}, "0001100|010");
        row("column key during the reply", true, {"key E"}, "-");
        row("option by its caption", false, {"command 0"}, "0001000|110");
        row("option by its key", false, {"key Ctrl+L"}, "0001000|011");
        row("New Game", false, {"command 2"}, "0000000|010");
        row("undo", false, {"key Ctrl+Z"}, "0000000|010");
        row("undo during the reply", true, {"key Ctrl+Z"}, "0000000|000");
        row("in order: animation off, then a move", false, {"command 0", "letter 6"}, "0001001|110");
        row("in order: two moves, both dropping", false, {"letter 6", "button 6"}, "0001002|010");
        row("the column the move filled", false, {"button 3"}, "0006000|010");
        row("Out", false, {"command 4", "letter 5"}, "closed");
        row("column by Space on its button", false, {"on butt(4) Space"}, "0001100|010");
        row("option by Enter on its button", false, {"on CButt(3) Return"}, "0001000|011");
        row("column by a reader's press", false, {"action butt(4) Press"}, "0001100|010");
        row("option by a reader's toggle", false, {"action CButt(0) Toggle"}, "0001000|110");
    }
    void inputDuringAMoveWaitsForIt()
    {
        QFETCH(bool, computer);
        QFETCH(QStringList, inputs);
        QFETCH(QString, after);
        if (computer)
            click(caption(Command::PlayComputer));
        if (QByteArray(QTest::currentDataTag()).startsWith("the column the move filled")) {
            animationOff();
            for (int i = 0; i < 5; ++i)
                clickColumn(3);
            click(caption(Command::Animation));
        }
        const QString before = shown();
        clickColumn(3);
        QVERIFY(isBusy());
        for (const QString &input : inputs)
            give(input);
        QCOMPARE(shown(), before); // nothing acted on yet
        QCOMPARE(waitingInputs(), static_cast<int>(inputs.size()));
        QTRY_VERIFY_WITH_TIMEOUT(!isBusy() && waitingInputs() == 0, 5000);
        if (after == QLatin1String("-")) {
            // Player 1's E comes after the reply to D, and the computer answers it too.
            QCOMPARE(ballsOnBoard(), 4);
            QCOMPARE(game().board().owner(cellOf(4, 0)) == Player::One
                         || game().board().owner(cellOf(4, 1)) == Player::One,
                     true);
        } else {
            QCOMPARE(shown(), after);
        }
        if (after == QLatin1String("closed")) {
            QSettings stored(storedFile(), QSettings::IniFormat);
            QCOMPARE(stored.value("Settings/Animation").toString(), QStringLiteral("False"));
            QCOMPARE(ballsOnBoard(), 1);
        } else {
            verifyMirror();
        }
    }

    // The second press of a double-click is no click; two separate clicks are two.
    void doubleClickIsOneClick()
    {
        animationOff();
        auto doubleClick = [&](const QWidget *w, QPoint at) {
            QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, w->mapTo(m_window.get(), at));
        };
        // Column E's button left of its letter, then the letter, then a command's caption.
        doubleClick(butt(4), QPoint(8, butt(4)->height() / 2));
        QCOMPARE(ballsOnBoard(), 1);
        doubleClick(buttLb(4), buttLb(4)->rect().center());
        QCOMPARE(ballsOnBoard(), 2);
        clickColumn(4);
        clickColumn(4);
        QCOMPARE(ballsOnBoard(), 4);
        doubleClick(caption(Command::GameLine), caption(Command::GameLine)->rect().center());
        QVERIFY(caption(Command::GameLine)->isStruckOut());

        // Qt takes a quick click a few pixels on, on the next column's button, for a double-click;
        // that button had no first click, so it is a click there.
        const Board before = game().board();
        const QPoint c = butt(2)->mapTo(m_window.get(), QPoint(butt(2)->width() - 2, 10));
        const QPoint d = butt(3)->mapTo(m_window.get(), QPoint(1, 10));
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, c);
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval; // the next press 1 ms after this one
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, d);
        QCOMPARE(game().board().fillCount(2), before.fillCount(2) + 1);
        QCOMPARE(game().board().fillCount(3), before.fillCount(3) + 1);
    }

    // The first turn of the event loop can bring the pointer and keys before the controls exist.
    void inputBeforeTheControlsIsIgnored()
    {
        m_window.reset();
        MainFrm early(m_store);
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&early, &move);
        QTest::keyClick(&early, Qt::Key_D);
        QTest::keyClick(&early, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!isLoaded(early));
        early.Form_Load();
        QCOMPARE(early.findChild<BoardMirror *>()->game().board(), Board{});
    }

    void closingDuringTheDropClosesAtOnce()
    {
        clickColumn(0);
        QVERIFY(isBusy());
        clickColumn(1); // waits for the drop
        QCOMPARE(waitingInputs(), 1);
        m_window->close();
        QVERIFY(!m_window->isVisible());
        // The drop ends with the window, and what waited for it is dropped, never played after.
        QVERIFY(!isBusy());
        QCOMPARE(waitingInputs(), 0);
        QTest::qWait(600);
        QCOMPARE(ballsOnBoard(), 1);
        QCOMPARE(game().board().fillCount(1), 0);
    }
};

QTEST_MAIN(InputQueueTest)
#include "InputQueueTest.moc"
