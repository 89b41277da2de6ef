#include "WindowTest.h"

#include <QAccessible>

#include <random>

namespace vorni::testing {

QPoint centreInWindow(const QWidget *window, const QWidget *w)
{
    return w->mapTo(window, w->rect().center());
}

std::vector<int> gameEndingWith(Result wanted)
{
    std::mt19937 random(11);
    OptionValues options;
    for (;;) {
        Game game(options);
        std::vector<int> moves;
        while (!game.isGameOver()) {
            int column;
            do
                column = std::uniform_int_distribution<int>(0, Columns - 1)(random);
            while (!game.canPlay(column));
            game.Butt_Click(column);
            moves.push_back(column);
        }
        if (game.result() == wanted)
            return moves;
    }
}

void WindowTest::startWindow()
{
    m_window = std::make_unique<MainFrm>(m_store);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(isLoaded(*m_window));
}

void WindowTest::useNewSettingsFolder()
{
    m_config = std::make_unique<QTemporaryDir>();
    QVERIFY(m_config->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

int WindowTest::waitingInputs() const
{
    return input()->waiting();
}

void WindowTest::click(const QWidget *target)
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centreInWindow(m_window.get(), target));
}

void WindowTest::waitForMove()
{
    if (isBusy()) {
        QSignalSpy shown(mirror(), &BoardMirror::moveShown);
        QVERIFY(shown.wait(3000));
    }
}

void WindowTest::animationOff()
{
    if (!caption(Command::Animation)->isStruckOut())
        click(caption(Command::Animation));
    QVERIFY(caption(Command::Animation)->isStruckOut());
}

int WindowTest::ballsOnBoard() const
{
    int n = 0;
    for (int c = 0; c < Columns; ++c)
        n += game().board().fillCount(c);
    return n;
}

QString WindowTest::shown() const
{
    if (!m_window->isVisible())
        return QStringLiteral("closed");
    QString s;
    for (int c = 0; c < Columns; ++c)
        s += butt(c)->property("tag").toString();
    s += QLatin1Char('|');
    for (Command option : Options)
        s += caption(option)->isStruckOut() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

void WindowTest::give(const QString &input)
{
    const QString what = input.section(QLatin1Char(' '), 0, 0);
    const QString arg = input.section(QLatin1Char(' '), 1);
    if (what == QLatin1String("button")) {
        clickColumn(arg.toInt());
    } else if (what == QLatin1String("letter")) {
        click(buttLb(arg.toInt()));
    } else if (what == QLatin1String("command")) {
        click(commands()->caption(*commandAt(arg.toInt())));
    } else if (what == QLatin1String("key")) {
        const QKeyCombination key = QKeySequence(arg)[0];
        QTest::keyClick(m_window.get(), key.key(), key.keyboardModifiers());
    } else if (what == QLatin1String("typed")) {
        const QKeyCombination key = QKeySequence(arg)[0];
        QTest::keyClick(m_window->windowHandle(), key.key(), key.keyboardModifiers());
    } else if (what == QLatin1String("on")) {
        control(arg.section(QLatin1Char(' '), 0, 0))->setFocus(Qt::TabFocusReason);
        give(QStringLiteral("typed ") + arg.section(QLatin1Char(' '), 1));
    } else if (what == QLatin1String("action")) {
        QWidget *target = control(arg.section(QLatin1Char(' '), 0, 0));
        QAccessible::queryAccessibleInterface(target)->actionInterface()->doAction(arg.section(QLatin1Char(' '), 1));
    } else if (what == QLatin1String("repeat")) {
        QKeyEvent held(QEvent::KeyPress, QKeySequence(arg)[0].key(), Qt::NoModifier, arg.toLower(), true);
        QApplication::sendEvent(m_window.get(), &held);
    } else {
        QFAIL(qPrintable(QStringLiteral("no such input: ") + input));
    }
}

void WindowTest::verifyMirror()
{
    const Game &shownGame = game();
    const Board &board = shownGame.board();
    for (int k = 1; k <= CellCount; ++k) {
        const Player owner = board.owner(k);
        ImageControl *cell = ball(k);
        QCOMPARE(cell->property("tag").toString(), QString::number(static_cast<int>(owner)));
        QCOMPARE(cell->isVisible(), owner != Player::None);
        QCOMPARE(cell->picture(),
                 owner == Player::None      ? Picture::None
                     : owner == Player::One ? Picture::Player1
                                            : Picture::Player2);
    }
    for (int c = 0; c < Columns; ++c) {
        QCOMPARE(butt(c)->property("tag").toString(), QString::number(board.fillCount(c)));
        QCOMPARE(butt(c)->isEnabled(), !board.isClosed(c));
        // An open column shows Player 2's picture, or Player 1's while the pointer marks it.
        const Picture picture = butt(c)->picture();
        if (board.isClosed(c))
            QCOMPARE(picture, Picture::Neutral);
        else
            QVERIFY(picture == Picture::Player2 || picture == Picture::Player1);
        // An open column's letter is light green, or brown while a hint marks it: then a reader finds it.
        const bool hinted = QAccessible::queryAccessibleInterface(m_window.get())
                                ->indexOfChild(QAccessible::queryAccessibleInterface(buttLb(c)))
            >= 0;
        QCOMPARE(buttLb(c)->colour(), board.isClosed(c) ? QColor(Qt::black) : QColor(hinted ? Brown : LightGreen));
    }
    QCOMPARE(control<LabelControl>("P1")->text(), QString::number(board.score(Player::One)));
    QCOMPARE(control<LabelControl>("P2")->text(), QString::number(board.score(Player::Two)));
    QCOMPARE(linesView()->lineCount(), shownGame.lineCount());
    for (int n = 1; n <= shownGame.lineCount(); ++n)
        QVERIFY(linesView()->line(n) == shownGame.line(n));
    auto *next = control<LabelControl>("NextLb");
    auto *indicator = control<ImageControl>("NextImg");
    QCOMPARE(control("GameOver(0)")->isVisible(), board.gameOver);
    QCOMPARE(control("GameOver(1)")->isVisible(), board.gameOver);
    if (board.gameOver) {
        QCOMPARE(next->text(), QStringLiteral("Game Over"));
        QCOMPARE(indicator->picture(), Picture::Neutral);
        QCOMPARE(control<LabelControl>("GameOver(1)")->text(), QString::fromUtf8(resultText(shownGame.result())));
    } else {
        QCOMPARE(next->text(), QStringLiteral("Next"));
        const bool one = board.sideToMove == Player::One;
        QCOMPARE(indicator->picture(), one ? Picture::Player1 : Picture::Player2);
        QCOMPARE(next->colour(), one ? QColor(Brown) : QColor(White));
    }
}

} // namespace vorni::testing
