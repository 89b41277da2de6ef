// The keys: columns, commands, undo and redo, the focus moved over the buttons and pressed with Space or
// Enter, and the keys shown on F1.

#include "WindowTest.h"

#include "HintMark.h"
#include "Keys.h"

#include <QAccessible>
#include <QClipboard>

#include <QMessageBox>

using namespace vorni;
using namespace vorni::testing;

class KeysTest : public WindowTest {
    Q_OBJECT

private slots:
    void lettersOnTheKeyboardPlayTheirColumns()
    {
        animationOff();
        QTest::keyClick(m_window.get(), Qt::Key_D);
        QTest::keyClick(m_window.get(), Qt::Key_G);
        QTest::keyClick(m_window.get(), Qt::Key_1);
        QCOMPARE(ball(cellOf(3, 0))->picture(), Picture::Player1);
        QCOMPARE(ball(cellOf(6, 0))->picture(), Picture::Player2);
        QCOMPARE(ball(cellOf(0, 0))->picture(), Picture::Player1);
        QTest::keyClick(m_window.get(), Qt::Key_H);
        QTest::keyClick(m_window.get(), Qt::Key_8);
        QCOMPARE(ballsOnBoard(), 3);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_window.get(), Qt::Key_A);
        QCOMPARE(game().board().fillCount(0), 6);
        QTest::keyClick(m_window.get(), Qt::Key_A); // a full column, as its letter
        QCOMPARE(ballsOnBoard(), 8);
    }

    // Keys reach the game only as they are meant to: column keys without Ctrl, Alt or Meta, the
    // commands, undo and redo on Ctrl. Before: animation off, two people, nothing played.
    void keys_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("after");
        auto row = [](const char *name, QStringList keys, const char *after) {
            QTest::newRow(name) << keys << QString::fromLatin1(after);
        };
        row("letter", {"key D"}, "0001000|110");
        row("letter with Shift", {"key Shift+D"}, "0001000|110");
        row("digit", {"key 4"}, "0001000|110");
        row("keypad digit", {"key Num+4"}, "0001000|110");
        row("last column", {"key G", "key 7"}, "0000002|110");
        row("beyond the columns", {"key H", "key 8", "key 0"}, "0000000|110");
        row("Ctrl with a column letter", {"key Ctrl+D", "key Ctrl+G"}, "0000000|110");
        row("Alt or Meta with a letter", {"key Alt+D", "key Meta+D", "key Alt+4"}, "0000000|110");
        row("a held key drops one ball", {"key D", "repeat D", "repeat D"}, "0001000|110");
        row("Animation", {"key Ctrl+A"}, "0000000|010");
        row("Player vs Computer", {"key Ctrl+P"}, "0000000|100");
        row("Game Line", {"key Ctrl+L"}, "0000000|111");
        row("New Game", {"key D", "key E", "key Ctrl+N"}, "0000000|110");
        row("undo", {"key D", "key E", "key Ctrl+Z"}, "0001000|110");
        row("redo", {"key D", "key Ctrl+Z", "key Ctrl+Shift+Z"}, "0001000|110");
        row("redo as Ctrl+Y", {"key D", "key Ctrl+Z", "key Ctrl+Y"}, "0001000|110");
        row("a hint and a copy play nothing", {"key D", "key Ctrl+H", "key Ctrl+C"}, "0001000|110");
        row("redo after a new move does nothing", {"key D", "key Ctrl+Z", "key E", "key Ctrl+Y"}, "0000100|110");
        row("Out", {"key Ctrl+Q"}, "closed");
        row("Space on a focused column", {"on butt(2) Space"}, "0010000|110");
        row("Enter on New Game", {"key D", "on CButt(2) Return"}, "0000000|110");
        row("keypad Enter on Out", {"on CButt(4) Enter"}, "closed");
        row("a reader presses New Game", {"key D", "action CButt(2) Press"}, "0000000|110");
        row("a reader presses a full column", QStringList(6, "key A") << "action butt(0) Press", "6000000|110");
    }
    // A hint marks the column the rules choose for the side to move (here Player 2 of two people, who
    // must block Player 1's three in column D) for a moment, and a reader finds "Hint: column D"; nothing
    // of the game changes, nor the computer's generator. Ctrl+C then copies the game as one line.
    void hintMarksTheRulesColumnAndChangesNothing()
    {
        animationOff();
        for (const char *key : {"D", "E", "D", "E", "D"})
            give(QStringLiteral("key ") + QLatin1String(key));
        const Board before = game().board();
        const std::uint64_t replies = processGenerator().state();
        give(QStringLiteral("key Ctrl+H"));
        QCOMPARE(butt(3)->picture(), Picture::Player1);
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        QAccessibleInterface *hint = QAccessible::queryAccessibleInterface(buttLb(3));
        QVERIFY(window->indexOfChild(hint) >= 0);
        QCOMPARE(hint->text(QAccessible::Name), QStringLiteral("Hint: column D"));
        verifyMirror();
        QVERIFY(game().board() == before);
        QVERIFY(game().canUndo() && !game().canRedo());
        QCOMPARE(processGenerator().state(), replies);
        QTRY_COMPARE_WITH_TIMEOUT(butt(3)->picture(), Picture::Player2, HintMark::ShownMs + 1000);
        QCOMPARE(window->indexOfChild(hint), -1);
        verifyMirror();
        give(QStringLiteral("key Ctrl+C"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("D E D E D - 0 : 0"));
        // No hint once the game is over.
        give(QStringLiteral("key Ctrl+N"));
        for (int column : gameEndingWith(Result::Player1Wins))
            clickColumn(column);
        give(QStringLiteral("key Ctrl+H"));
        for (int c = 0; c < Columns; ++c)
            QCOMPARE(butt(c)->picture(), Picture::Neutral);
    }

    void keys()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, after);
        animationOff();
        for (const QString &key : keys)
            give(key);
        QCOMPARE(shown(), after);
        if (after != QLatin1String("closed"))
            verifyMirror();
    }

    // Tab and Shift+Tab move the focus over the open columns and the commands; keys act on the focused
    // control or go on to the window; a mouse press gives the focus back to the window. Before: animation
    // off, two people, nothing played, nothing focused.
    void keyboardFocus_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("after");
        auto row = [](const char *name, QStringList inputs, const char *focused, const char *after) {
            QTest::newRow(name) << inputs << QString::fromLatin1(focused) << QString::fromLatin1(after);
        };
        const QString tab = QStringLiteral("typed Tab");
        const QString back = QStringLiteral("typed Shift+Tab");
        row("nothing at start", {}, "MainFrm", "0000000|110");
        row("Tab starts at column A", {tab}, "butt(0)", "0000000|110");
        row("Shift+Tab starts at Out", {back}, "CButt(4)", "0000000|110");
        row("the columns, then the commands", QStringList(8, tab), "CButt(0)", "0000000|110");
        row("a full column is passed over", QStringList(6, "key B") << tab << tab, "butt(2)", "0600000|110");
        row("Space plays the focused column", {tab, tab, "typed Space"}, "butt(1)", "0100000|110");
        row("a column filled moves the focus on", QStringList{tab} << QStringList(6, "typed Space"), "butt(1)",
            "6000000|110");
        row("other keys reach the window", {tab, "typed D", "typed Ctrl+L"}, "butt(0)", "0001000|111");
        row("a click takes the focus back", {tab, tab, "button 4", "typed Space"}, "MainFrm", "0000100|110");
    }
    void keyboardFocus()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QString, focused);
        QFETCH(QString, after);
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        animationOff();
        for (const QString &input : inputs)
            give(input);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QCOMPARE(shown(), after);
        verifyMirror();
    }

    // The focused control draws a line of black and white dots one logical pixel wide inside its edge,
    // over the picture, which stays as it was; a mouse press takes the line away.
    void focusMarkIsOneLineOfDots()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        ImageControl *newGame = button(Command::NewGame);
        const QImage plain = newGame->grab().toImage();
        for (int i = 0; i < 3; ++i)
            give(QStringLiteral("typed Shift+Tab"));
        QVERIFY(newGame->hasFocus());
        const QImage marked = newGame->grab().toImage();
        const qreal dpr = marked.devicePixelRatio();
        const int inset = ImageControl::FocusMarkInset;
        const QRectF outer(QPointF(inset, inset) * dpr, QSizeF(newGame->size() - 2 * QSize(inset, inset)) * dpr);
        const QRectF inner = outer.adjusted(dpr, dpr, -dpr, -dpr);
        QSet<QRgb> dots;
        for (int y = 0; y < marked.height(); ++y) {
            for (int x = 0; x < marked.width(); ++x) {
                const QPointF centre(x + 0.5, y + 0.5);
                if (outer.contains(centre) && !inner.contains(centre))
                    dots << marked.pixel(x, y);
                else
                    QVERIFY2(marked.pixel(x, y) == plain.pixel(x, y),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QCOMPARE(dots, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        QCOMPARE(newGame->picture(), Picture::Player2);
        QCOMPARE(caption(Command::NewGame)->colour(), QColor(LightGreen));
        click(control("Image1"));
        QVERIFY(!newGame->hasFocus());
        QCOMPARE(newGame->grab().toImage(), plain);
    }

    void helpKeyShowsTheKeys()
    {
        QTest::keyClick(m_window.get(), Qt::Key_F1);
        auto *help = m_window->findChild<QMessageBox *>(QStringLiteral("KeysHelp"));
        QVERIFY(help);
        QTRY_VERIFY(help->isVisible());
        QVERIFY(help->text().contains(QStringLiteral("Ctrl+Z")));
        QCOMPARE(m_window->size(), QSize(669, 428)); // the window keeps its look
        help->close();
    }

    // On a layout of another script a key plays the column of the Latin letter printed beside it (the
    // key's place on the keyboard); a layout of Latin letters keeps its own letters.
    void keysOfOtherScriptsPlayTheLetterBesideThem_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scanCode");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<int>("column"); // -1: nothing
        QTest::newRow("Russian V on D") << 0x412 << QStringLiteral("\u0432") << 40 << false << 3;
        QTest::newRow("Russian short I on Q") << 0x419 << QStringLiteral("\u0439") << 24 << false << -1;
        QTest::newRow("Ctrl with Russian V") << 0x412 << QStringLiteral("\u0432") << 40 << true << -1;
        QTest::newRow("AZERTY Q on A") << int(Qt::Key_Q) << QStringLiteral("q") << 38 << false << -1;
    }
    void keysOfOtherScriptsPlayTheLetterBesideThem()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, scanCode);
        QFETCH(bool, ctrl);
        QFETCH(int, column);
        const QKeyEvent press(QEvent::KeyPress, key, ctrl ? Qt::ControlModifier : Qt::NoModifier,
                              static_cast<quint32>(scanCode), 0, 0, text);
        const std::optional<Input> input = actionForKey(press).input;
        QCOMPARE(input.has_value(), column >= 0);
        if (input)
            QVERIFY(*input == (Input{Input::Kind::Letter, column}));
    }
};

QTEST_MAIN(KeysTest)
#include "KeysTest.moc"
