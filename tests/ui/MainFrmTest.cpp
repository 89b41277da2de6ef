// The window as a person meets it: every control where the layout puts it, clicks routed by Qt's own
// hit-testing, the board state mirrored, hover, the title lights and the links.

#include "WindowTest.h"

#include "BoardGeometry.h"
#include "GameLinesView.h"
#include "Pictures.h"

#include <QDesktopServices>
#include <QPainter>

using namespace vorni;
using namespace vorni::testing;

namespace {

enum class Kind { Label, Image, Panel };

} // namespace

// Stands in for the desktop's opener of web and mail addresses.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Picture)

class MainFrmTest : public WindowTest {
    Q_OBJECT

private slots:
    void window()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorni Game"));
        QCOMPARE(m_window->size(), QSize(669, 428));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(m_window->palette().color(QPalette::Window), QColor(Qt::black));
        QTRY_VERIFY(!m_window->windowIcon().isNull());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QRect>("twips"); // width < 0: the label sizes itself
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<int>("fontStyle");   // 1 bold, 2 italic, 4 struck through
        QTest::addColumn<unsigned>("colour"); // &H00BBGGRR&
        QTest::addColumn<Picture>("picture");

        const QString win = QStringLiteral("MainFrm");
        const QString panel = QStringLiteral("Picture3");
        const QString strip = QStringLiteral("Picture1");
        auto image = [](const char *name, const QString &parent, QRect r, bool visible, Picture picture) {
            QTest::newRow(name) << parent << Kind::Image << r << visible << QString() << 0 << 0 << 0u << picture;
        };
        auto label = [](const char *name, const QString &parent, QRect r, bool visible, const char *caption, int px,
                        int style, unsigned colour) {
            QTest::newRow(name) << parent << Kind::Label << r << visible << QString::fromLatin1(caption) << px << style
                                << colour << Picture::None;
        };
        const auto none = Picture::None;
        QTest::newRow("Picture3") << win << Kind::Panel << QRect(7710, 1365, 2070, 4260) << true << QString() << 0 << 0
                                  << 0u << none;
        QTest::newRow("Picture1") << win << Kind::Panel << QRect(1980, 5655, 5445, 345) << true << QString() << 0 << 0
                                  << 0u << none;
        image("LineImg", win, {45, 780, 9945, 30}, true, Picture::Player1);
        label("WebLb(0)", win, {7485, 6165, 2445, 195}, true, "", 11, 1, 0xC0FFC0);
        label("EmailLb", win, {45, 270, 2445, 195}, true, "", 11, 1, 0xC0FFC0);
        label("WebLb(1)", win, {75, 510, 2445, 195}, true, "", 11, 1, 0xC0FFC0);
        label("GameOver(1)", win, {1965, 3180, 5430, 1005}, false, "Player 2 Wins", 48, 2, 0x0080FF);
        label("GameOver(0)", win, {2805, 2220, 3855, 1005}, false, "Game Over", 48, 2, 0x0080FF);
        image("i2", win, {7725, 5700, 630, 330}, false, Picture::Player2);
        image("i1", win, {8430, 5700, 630, 330}, false, Picture::Player1);
        image("Dis", win, {9135, 5700, 630, 330}, false, Picture::Neutral);
        image("Image25", win, {7440, 6165, 2715, 270}, true, Picture::WebAddress);
        image("VorniImg", win, {7380, 0, 2580, 765}, true, Picture::Logo);
        label("lights(0)", win, {345, 885, 1245, 1350}, true, "V", 64, 2, 0x00FFFF);
        label("lights(1)", win, {750, 1575, 1020, 1350}, true, "O", 64, 2, 0xFF00FF);
        label("lights(2)", win, {330, 2490, 1290, 1485}, true, "r", 73, 2, 0x00FF00);
        label("lights(3)", win, {570, 3675, 1230, 1350}, true, "N", 64, 2, 0x0000FF);
        label("lights(4)", win, {375, 4920, 1170, 1350}, true, "I", 64, 2, 0xFFFF00);
        image("Balls(0)", win, {8325, 915, 525, 465}, false, none);
        image("Image1", win, {1950, 1275, 5490, 4395}, true, Picture::Board);
        image("Image3", win, {30, 30, 3060, 690}, true, Picture::Credits);

        label("P1", panel, {1770, 60, -1, -1}, true, "0", 13, 1, 0xFFFFFF);
        label("CButtLB(1)", panel, {285, 2640, -1, -1}, true, "Player vs Computer", 11, 5, 0xC0FFC0);
        label("CButtLB(0)", panel, {645, 2235, -1, -1}, true, "Animation", 11, 1, 0xC0FFC0);
        label("CButtLB(2)", panel, {615, 3075, -1, -1}, true, "New Game", 11, 1, 0xC0FFC0);
        label("CButtLB(3)", panel, {615, 3495, -1, -1}, true, "Game Line", 11, 1, 0xC0FFC0);
        label("CButtLB(4)", panel, {885, 3930, -1, -1}, true, "Out", 11, 1, 0xC0FFC0);
        label("NextLb", panel, {825, 960, -1, -1}, true, "Next", 11, 1, 0x004080);
        label("Label10", panel, {285, 75, -1, -1}, true, "First Player      :", 11, 1, 0x404080);
        label("Label11", panel, {285, 510, -1, -1}, true, "Second Player :", 11, 1, 0xC0FFC0);
        image("DisImg(0)", panel, {0, 0, 2040, 375}, true, Picture::Player1);
        image("DisImg(1)", panel, {0, 435, 2040, 375}, true, Picture::Player2);
        image("NextImg", panel, {0, 870, 2040, 375}, true, Picture::Player1);
        image("CButt(0)", panel, {0, 2145, 2040, 375}, true, Picture::Player2);
        for (int i = 1; i < 5; ++i) {
            const QByteArray name = "CButt(" + QByteArray::number(i) + ")";
            image(name.constData(), panel, {0, 2145 + 420 * i, 2055, 375}, true, Picture::Player2);
        }

        const int letterLeft[] = {315, 1080, 1845, 2625, 3435, 4200, 4980};
        const int buttonLeft[] = {0, 765, 1545, 2325, 3090, 3870, 4650};
        const int buttonWidth[] = {750, 765, 765, 750, 765, 765, 765};
        for (int c = 0; c < Columns; ++c) {
            const QByteArray letter = "ButtLb(" + QByteArray::number(c) + ")";
            const char caption[] = {static_cast<char>('A' + c), 0};
            label(letter.constData(), strip, {letterLeft[c], 60, -1, -1}, true, caption, 11, 0, 0xC0FFC0);
            const QByteArray button = "butt(" + QByteArray::number(c) + ")";
            image(button.constData(), strip, {buttonLeft[c], 0, buttonWidth[c], 330}, true, Picture::Player2);
        }
    }

    void layout()
    {
        QFETCH(QString, parent);
        QFETCH(Kind, kind);
        QFETCH(QRect, twips);
        QFETCH(bool, visible);
        QFETCH(QString, caption);
        QFETCH(int, fontPixels);
        QFETCH(int, fontStyle);
        QFETCH(unsigned, colour);
        QFETCH(Picture, picture);

        QWidget *w = control(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(w->parentWidget()->objectName(), parent);
        const QRect expected = twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(w->pos(), expected.topLeft());
        if (twips.width() >= 0)
            QCOMPARE(w->size(), expected.size());
        QCOMPARE(w->isVisibleTo(m_window.get()), visible);
        switch (kind) {
        case Kind::Panel:
            QVERIFY(qobject_cast<PanelControl *>(w));
            break;
        case Kind::Image: {
            auto *image = qobject_cast<ImageControl *>(w);
            QVERIFY(image);
            QCOMPARE(image->picture(), picture);
            break;
        }
        case Kind::Label: {
            auto *label = qobject_cast<LabelControl *>(w);
            QVERIFY(label);
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->font().pixelSize(), fontPixels);
            QCOMPARE(label->font().bold(), (fontStyle & 1) != 0);
            QCOMPARE(label->font().italic(), (fontStyle & 2) != 0);
            QCOMPARE(label->font().strikeOut(), (fontStyle & 4) != 0);
            QCOMPARE(label->colour(), QColor(fromBgr(colour)));
            QVERIFY(!label->autoFillBackground());
            if (twips.width() < 0) {
                // A self-sizing label fits its caption and stays inside its container.
                QVERIFY(label->isAutoSize());
                QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(caption));
                QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), "label leaves its container");
            }
            break;
        }
        }
    }

    // Which control a click at a point reaches is Qt's own hit-testing.
    void layering_data()
    {
        QTest::addColumn<QString>("over");
        QTest::addColumn<QString>("under");
        QTest::newRow("command label over its button") << "CButtLB(0)"
                                                       << "CButt(0)";
        QTest::newRow("game line label over its button") << "CButtLB(3)"
                                                         << "CButt(3)";
        QTest::newRow("letter over its column button") << "ButtLb(3)"
                                                       << "butt(3)";
        QTest::newRow("score over the plate") << "P1"
                                              << "DisImg(0)";
        QTest::newRow("Next over the indicator") << "NextLb"
                                                 << "NextImg";
        QTest::newRow("web link over the address picture") << "WebLb(0)"
                                                           << "Image25";
        QTest::newRow("e-mail link over the credits") << "EmailLb"
                                                      << "Image3";
        QTest::newRow("web link over the credits") << "WebLb(1)"
                                                   << "Image3";
    }
    void layering()
    {
        QFETCH(QString, over);
        QFETCH(QString, under);
        QWidget *top = control(over);
        QVERIFY(top->geometry().intersects(control(under)->geometry())
                || top->parentWidget() != control(under)->parentWidget());
        QCOMPARE(m_window->childAt(centreInWindow(m_window.get(), top)), top);
    }

    void linkAreasShowThePointingHand()
    {
        for (const char *name : {"WebLb(0)", "WebLb(1)", "EmailLb"}) {
            QWidget *link = control(QString::fromLatin1(name));
            QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(link->cursor().hotSpot(), QPoint(5, 0));
        }
    }

    void firstMoveIsMirrored()
    {
        animationOff();
        clickColumn(2);
        QVERIFY(!isBusy());
        ImageControl *cell = ball(13);
        QVERIFY(cell->isVisible());
        QCOMPARE(cell->picture(), Picture::Player1);
        QCOMPARE(cell->property("tag").toString(), QStringLiteral("1"));
        QCOMPARE(cell->pos(), twipsRect(ColumnLeft[2], RowTop[0], CellWidth, CellHeight).topLeft());
        QCOMPARE(butt(2)->property("tag").toString(), QStringLiteral("1"));
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player2);
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(Qt::white));
        for (int k = 1; k <= CellCount; ++k) {
            if (k != 13)
                QVERIFY(!ball(k)->isVisible());
        }
        // Player 2 answers in the same column, on top.
        click(buttLb(2));
        QCOMPARE(ball(14)->picture(), Picture::Player2);
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player1);
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(fromBgr(0x004080)));
    }

    void fullColumnIsClosedAndIgnoresClicks()
    {
        animationOff();
        for (int i = 0; i < Rows; ++i)
            clickColumn(0);
        ImageControl *button = butt(0);
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->picture(), Picture::Neutral);
        QCOMPARE(button->property("tag").toString(), QStringLiteral("6"));
        QCOMPARE(buttLb(0)->colour(), QColor(Qt::black));
        click(buttLb(0));
        clickColumn(0);
        QCOMPARE(ballsOnBoard(), 6);
        QCOMPARE(game().sideToMove(), Player::One);
    }

    void gameOverShowsTheResult_data()
    {
        QTest::addColumn<Result>("result");
        QTest::newRow("Player 1") << Result::Player1Wins;
        QTest::newRow("Player 2") << Result::Player2Wins;
        QTest::newRow("equal") << Result::Equal;
    }
    void gameOverShowsTheResult()
    {
        QFETCH(Result, result);
        animationOff();
        for (int column : gameEndingWith(result))
            clickColumn(column);
        const Board &board = game().board();
        QVERIFY(game().isGameOver());
        auto *headline = control<LabelControl>("GameOver(0)");
        auto *resultLine = control<LabelControl>("GameOver(1)");
        QVERIFY(headline->isVisible());
        QVERIFY(resultLine->isVisible());
        QCOMPARE(headline->text(), QStringLiteral("Game Over"));
        QCOMPARE(resultLine->text(), QString::fromUtf8(resultText(result)));
        QCOMPARE(resultLine->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(resultLine->width(), twipsToPixels(5430));
        QCOMPARE(m_window->childAt(centreInWindow(m_window.get(), resultLine)), resultLine);
        auto *next = control<LabelControl>("NextLb");
        QCOMPARE(next->text(), QStringLiteral("Game Over"));
        QCOMPARE(next->colour(), QColor(Qt::white));
        QCOMPARE(next->x(), twipsToPixels(825));
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Neutral);
        QCOMPARE(control<LabelControl>("P1")->text(), QString::number(board.score(Player::One)));
        QCOMPARE(control<LabelControl>("P2")->text(), QString::number(board.score(Player::Two)));
        for (int c = 0; c < Columns; ++c) {
            QVERIFY(!butt(c)->isEnabled());
            QCOMPARE(butt(c)->picture(), Picture::Neutral);
        }
        for (int k = 1; k <= CellCount; ++k) {
            QVERIFY(ball(k)->isVisible());
            QCOMPARE(ball(k)->picture(), board.owner(k) == Player::One ? Picture::Player1 : Picture::Player2);
        }
        QCOMPARE(linesView()->lineCount(), board.score(Player::One) + board.score(Player::Two));
    }

    void gameLineToggleShowsAndHidesLines()
    {
        // Cells lie 700 twips apart from the bottom row up, 765 apart across; lines join their centres.
        QCOMPARE(RowTop[0], 5000);
        QCOMPARE(RowTop[5], 1500);
        QCOMPARE(ColumnLeft[6], 2145 + 6 * 765);
        QCOMPARE(cellCentre(1), QPointF(2145 + 262.5, 5000 + 232.5));
        QCOMPARE(cellCentre(42), QPointF(6735 + 262.5, 1500 + 232.5));

        animationOff();
        for (int column : {0, 1, 0, 1, 0, 1, 0})
            clickColumn(column);
        GameLinesView *lines = linesView();
        QCOMPARE(lines->lineCount(), 1);
        // Midway between the first and second ball of a column.
        auto pixel = [&](int column) {
            const QPoint onLine
                = ((cellCentre(cellOf(column, 0)) + cellCentre(cellOf(column, 1))) / 2 / TwipsPerPixel).toPoint();
            return m_window->grab().toImage().pixelColor(onLine * m_window->devicePixelRatioF());
        };
        const QColor line(GameLinesView::Colour);
        QCOMPARE(pixel(0), line);

        click(caption(Command::GameLine));
        QVERIFY(caption(Command::GameLine)->isStruckOut());
        QVERIFY(pixel(0) != line);

        // A line scored while lines are off stays hidden until switched on.
        clickColumn(1); // Player 2's fourth in column B
        QCOMPARE(lines->lineCount(), 2);
        QVERIFY(pixel(1) != line);
        click(button(Command::GameLine));
        QCOMPARE(pixel(0), line);
        QCOMPARE(pixel(1), line);
    }

    void ballFallsBeforeTheMoveGoesOn()
    {
        QVERIFY(!caption(Command::Animation)->isStruckOut());
        clickColumn(3);
        QVERIFY(isBusy());
        ImageControl *falling = ball(0);
        QVERIFY(falling->isVisible());
        QCOMPARE(falling->picture(), Picture::Player1);
        QCOMPARE(falling->pos(), QPoint(twipsToPixels(ColumnLeft[3]), twipsToPixels(DropStartTop)));
        QVERIFY(!ball(19)->isVisible());
        QTest::qWait(100);
        QVERIFY(falling->y() > twipsToPixels(DropStartTop));
        QVERIFY(falling->y() < twipsToPixels(RowTop[0]));
        waitForMove();
        QVERIFY(!falling->isVisible());
        QCOMPARE(falling->y(), twipsToPixels(RowTop[0]));
        QVERIFY(ball(19)->isVisible());
        QCOMPARE(ballsOnBoard(), 1);
    }

    // Undo takes back a whole step and the window shows it at once; redo brings it back exactly.
    void undoAndRedoShowTheBoardAtOnce()
    {
        animationOff();
        click(caption(Command::PlayComputer)); // the computer answers
        for (int column : {0, 0, 0, 3})
            clickColumn(column);
        const Board played = game().board();
        const int lines = game().lineCount();
        give(QStringLiteral("key Ctrl+Z"));
        QCOMPARE(ballsOnBoard(), 6);
        QCOMPARE(game().sideToMove(), Player::One);
        QVERIFY(!isBusy());
        verifyMirror();
        give(QStringLiteral("key Ctrl+Y"));
        QVERIFY(game().board() == played);
        QCOMPARE(game().lineCount(), lines);
        verifyMirror();
        // The same click after an undo brings the same reply.
        give(QStringLiteral("key Ctrl+Z"));
        clickColumn(3);
        QVERIFY(game().board() == played);
        verifyMirror();

        // After the game is over, undo reopens it.
        click(caption(Command::NewGame));
        click(caption(Command::PlayComputer));
        for (int column : gameEndingWith(Result::Player1Wins))
            clickColumn(column);
        QVERIFY(game().isGameOver());
        give(QStringLiteral("key Ctrl+Z"));
        QVERIFY(!game().isGameOver());
        verifyMirror();
        give(QStringLiteral("key Ctrl+Shift+Z"));
        QVERIFY(game().isGameOver());
        verifyMirror();
    }

    void computerReplyDropsAfterPlayer1sBall()
    {
        click(caption(Command::PlayComputer));
        QVERIFY(!caption(Command::PlayComputer)->isStruckOut());
        clickColumn(3);
        // The game has both moves; the window shows Player 1's first.
        QCOMPARE(ballsOnBoard(), 2);
        QCOMPARE(ball(0)->picture(), Picture::Player1);
        QSignalSpy shown(mirror(), &BoardMirror::moveShown);
        QTRY_COMPARE_WITH_TIMEOUT(ball(0)->picture(), Picture::Player2, 3000);
        QVERIFY(ball(19)->isVisible());
        QVERIFY(isBusy());
        QVERIFY(shown.wait(3000));
        int shownBalls = 0;
        for (int k = 1; k <= CellCount; ++k)
            shownBalls += ball(k)->isVisible();
        QCOMPARE(shownBalls, 2);
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player1);
    }

    void newGameAfterAGameOverRestoresTheStartState()
    {
        animationOff();
        for (int column : gameEndingWith(Result::Player2Wins))
            clickColumn(column);
        QVERIFY(game().isGameOver());
        click(caption(Command::NewGame));
        QCOMPARE(game().board(), Board{});
        QCOMPARE(game().lineCount(), 0);
        verifyMirror();
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(Brown));
        // Line numbering starts again from 1.
        for (int column : {0, 1, 0, 1, 0, 1, 0})
            clickColumn(column);
        QCOMPARE(linesView()->lineCount(), 1);
        QCOMPARE(linesView()->line(1).number, 1);
        // Nothing to take back from the game before.
        click(caption(Command::NewGame));
        give(QStringLiteral("key Ctrl+Z"));
        QCOMPARE(game().board(), Board{});
    }

    void hoverMarksOneButtonPerGroup()
    {
        animationOff();
        auto moveTo = [&](QPoint p) { QTest::mouseMove(m_window->windowHandle(), p); };
        auto over = [&](const QWidget *w) { moveTo(centreInWindow(m_window.get(), w)); };
        auto markedColumns = [&] {
            QList<int> marked;
            for (int c = 0; c < Columns; ++c) {
                if (butt(c)->picture() == Picture::Player1)
                    marked << c;
            }
            return marked;
        };
        auto markedCommand = [&] {
            int marked = -1;
            for (Command command : Commands) {
                const bool picture = button(command)->picture() == Picture::Player1;
                const bool label = caption(command)->colour() == QColor(fromBgr(0x004080));
                if (picture != label)
                    return -2; // a half-marked command
                if (picture)
                    marked = indexOf(command);
            }
            return marked;
        };

        over(butt(2));
        QCOMPARE(markedColumns(), QList<int>{2});
        over(butt(3));
        QCOMPARE(markedColumns(), QList<int>{3});
        over(buttLb(5)); // the letter marks its button
        QCOMPARE(markedColumns(), QList<int>{5});
        // The strip around the buttons leaves the mark where it is.
        QWidget *strip = control("Picture1");
        moveTo(strip->mapTo(m_window.get(), QPoint(strip->width() - 1, strip->height() - 1)));
        QCOMPARE(markedColumns(), QList<int>{5});

        // Commands: the button marks itself and its label; the label alone changes nothing.
        // Its label covers the middle of a command button: point at its left end.
        auto overButton = [&](Command command) {
            const QWidget *b = button(command);
            moveTo(b->mapTo(m_window.get(), QPoint(3, b->height() / 2)));
        };
        overButton(Command::PlayComputer);
        QCOMPARE(markedCommand(), indexOf(Command::PlayComputer));
        QCOMPARE(markedColumns(), QList<int>{5}); // the groups are independent
        over(caption(Command::NewGame));
        QCOMPARE(markedCommand(), indexOf(Command::PlayComputer));
        overButton(Command::Out);
        QCOMPARE(markedCommand(), indexOf(Command::Out));
        // The panel's own background clears both groups.
        QWidget *panel = control("Picture3");
        moveTo(panel->mapTo(m_window.get(), QPoint(10, twipsToPixels(400))));
        QCOMPARE(markedCommand(), -1);
        QCOMPARE(markedColumns(), QList<int>{});

        // A ball on the board is no background; the bare board is.
        clickColumn(0);
        over(butt(1));
        over(ball(1));
        QCOMPARE(markedColumns(), QList<int>{1});
        over(ball(2)); // empty cell: the board picture beneath
        QCOMPARE(markedColumns(), QList<int>{});

        // A full column is never marked, by its button or its letter.
        for (int i = 0; i < 5; ++i)
            clickColumn(0);
        over(buttLb(0));
        QCOMPARE(markedColumns(), QList<int>{});
        QCOMPARE(butt(0)->picture(), Picture::Neutral);
        over(butt(6));
        moveTo(QPoint(300, 20)); // the bare window
        QCOMPARE(markedColumns(), QList<int>{});
        QCOMPARE(butt(0)->picture(), Picture::Neutral);
    }

    void titleLightsRunTheirCycle()
    {
        QVERIFY(lights()->timer()->isActive());
        QCOMPARE(lights()->timer()->interval(), 300);
        lights()->timer()->stop();
        const int basePixels[] = {64, 64, 73, 64, 64};
        const int litPixels[] = {73, 73, 83, 73, 73};
        auto litLetters = [&] {
            QString lit;
            for (int i = 0; i < 5; ++i) {
                TitleLetter *letter = lights()->letter(i);
                const bool white = letter->lookColour() == QColor(Qt::white);
                if (white != letter->isLit())
                    return QStringLiteral("colour of %1 out of step").arg(i);
                if (letter->lookPixelSize() != (white ? litPixels[i] : basePixels[i]))
                    return QStringLiteral("size of %1 out of step").arg(i);
                if (white)
                    lit += QString::number(i);
            }
            return lit;
        };
        QCOMPARE(litLetters(), QString());
        // Lit letters after each tick of one cycle: down the word, back up,
        // the whole word twice, a pause.
        const QStringList cycle{"0", "",  "1", "",  "2", "",  "3", "",      "4", "",      "4", "", "3",
                                "",  "2", "",  "1", "",  "0", "",  "01234", "",  "01234", "",  ""};
        for (int round = 0; round < 2; ++round) {
            for (int tick = 0; tick < cycle.size(); ++tick) {
                m_window->Blinker_Timer();
                QVERIFY2(litLetters() == cycle[tick],
                         qPrintable(QStringLiteral("round %1 tick %2: %3").arg(round).arg(tick + 1).arg(litLetters())));
            }
        }
        // A new game does not restart the show.
        m_window->Blinker_Timer();
        click(caption(Command::NewGame));
        m_window->Blinker_Timer();
        QCOMPARE(litLetters(), QString());
        m_window->Blinker_Timer();
        QCOMPARE(litLetters(), QStringLiteral("1"));
    }

    // Pictures are drawn for the screen's pixels, not scaled up from one
    // pixel per logical pixel: run with QT_SCALE_FACTOR=2 this checks HiDPI.
    void picturesAreDrawnAtTheScreensResolution()
    {
        animationOff();
        clickColumn(0);
        const qreal dpr = m_window->devicePixelRatioF();
        const QImage window = m_window->grab().toImage();
        QCOMPARE(window.size(), m_window->size() * dpr);
        ImageControl *cell = ball(1);
        const QRect device(cell->pos() * dpr, cell->size() * dpr);
        QImage expected(device.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::black);
        {
            QPainter painter(&expected);
            const QPixmap tile = tilePixmap(Tile::Player1, cell->size(), dpr);
            QCOMPARE(tile.size(), device.size());
            QImage pixels = tile.toImage();
            pixels.setDevicePixelRatio(1);
            painter.drawImage(0, 0, pixels);
        }
        const QImage shown = window.copy(device).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // The centre row of the ball, pixel for pixel (the board's grid lies around it).
        const int y = device.height() / 2;
        for (int x = 0; x < device.width(); ++x)
            QCOMPARE(QColor(shown.pixel(x, y)), QColor(expected.pixel(x, y)));
    }

    void linksOpenTheMakersAddresses()
    {
        UrlRecorder opened;
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        animationOff();
        clickColumn(3);
        const Board before = game().board();
        click(control("WebLb(0)"));
        click(control("WebLb(1)"));
        click(control("EmailLb"));
        click(control("WebLb(0)"));
        give(QStringLiteral("action EmailLb Press")); // a screen reader's press opens as a click does
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        const QUrl web(makerWebAddress());
        const QUrl mail("mailto:" + makerEmailAddress());
        QCOMPARE(opened.urls, (QList<QUrl>{web, web, mail, web, mail}));
        QVERIFY(game().board() == before);
    }
};

QTEST_MAIN(MainFrmTest)
#include "MainFrmTest.moc"
