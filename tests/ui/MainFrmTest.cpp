// The window as a person meets it: every control where the layout puts it,
// clicks routed by Qt's own hit-testing, and the board state mirrored.

#include "MainFrm.h"
#include "Keys.h"
#include "Pictures.h"
#include "QuitSignals.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <random>

using namespace vorni;

namespace {

enum class Kind { Label, Image, Panel };

QPoint centreInWindow(const QWidget *window, const QWidget *w)
{
    return w->mapTo(window, w->rect().center());
}

// A complete random game whose result is the one asked for, as columns.
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

class MainFrmTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_config;
    UserSettingsStore m_store;
    std::unique_ptr<MainFrm> m_window;

    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QWidget *target)
    {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centreInWindow(m_window.get(), target));
    }
    void clickColumn(int c) { click(m_window->butt(c)); }
    void waitForMove()
    {
        if (m_window->isBusy()) {
            QSignalSpy shown(m_window.get(), &MainFrm::moveShown);
            QVERIFY(shown.wait(3000));
        }
    }
    void animationOff()
    {
        if (!m_window->cButtLb(0)->isStruckOut())
            click(m_window->cButtLb(0));
        QVERIFY(m_window->cButtLb(0)->isStruckOut());
    }
    int ballsOnBoard() const
    {
        int n = 0;
        for (int c = 0; c < Columns; ++c)
            n += m_window->game().board().fillCount(c);
        return n;
    }
    // What the player sees of the game: the columns' fill counts as the window mirrors them and the
    // options' strike-through (Animation, Player vs Computer, Game Line), or "closed".
    QString shown() const
    {
        if (!m_window->isVisible())
            return QStringLiteral("closed");
        QString s;
        for (int c = 0; c < Columns; ++c)
            s += m_window->butt(c)->property("tag").toString();
        s += QLatin1Char('|');
        for (int i : {0, 1, 3})
            s += m_window->cButtLb(i)->isStruckOut() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    // One input as a person gives it: "button 4" and "letter 4" click column E's button or letter,
    // "command 2" clicks a command's caption, "key Ctrl+Z" presses keys, "repeat D" is a held key,
    // "typed Tab" is a key brought by the platform to the focused control, "on butt(4) Space" gives a
    // control the focus as Tab does and types a key on it, "action butt(4) Press" is a screen reader's.
    void give(const QString &input)
    {
        const QString what = input.section(QLatin1Char(' '), 0, 0);
        const QString arg = input.section(QLatin1Char(' '), 1);
        if (what == QLatin1String("button")) {
            clickColumn(arg.toInt());
        } else if (what == QLatin1String("letter")) {
            click(m_window->buttLb(arg.toInt()));
        } else if (what == QLatin1String("command")) {
            click(m_window->cButtLb(arg.toInt()));
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
            QAccessible::queryAccessibleInterface(target)->actionInterface()->doAction(
                arg.section(QLatin1Char(' '), 1));
        } else if (what == QLatin1String("repeat")) {
            QKeyEvent held(QEvent::KeyPress, QKeySequence(arg)[0].key(), Qt::NoModifier, arg.toLower(), true);
            QApplication::sendEvent(m_window.get(), &held);
        } else {
            QFAIL(qPrintable(QStringLiteral("no such input: ") + input));
        }
    }
    // Every control that mirrors the board shows the game as it stands.
    void verifyMirror()
    {
        const Game &game = m_window->game();
        const Board &board = game.board();
        for (int k = 1; k <= CellCount; ++k) {
            const Player owner = board.owner(k);
            ImageControl *cell = m_window->ball(k);
            QCOMPARE(cell->property("tag").toString(), QString::number(static_cast<int>(owner)));
            QCOMPARE(cell->isVisible(), owner != Player::None);
            QCOMPARE(cell->picture(),
                     owner == Player::None      ? Picture::None
                         : owner == Player::One ? Picture::Player1
                                                : Picture::Player2);
        }
        for (int c = 0; c < Columns; ++c) {
            QCOMPARE(m_window->butt(c)->property("tag").toString(), QString::number(board.fillCount(c)));
            QCOMPARE(m_window->butt(c)->isEnabled(), !board.isClosed(c));
            // An open column shows Player 2's picture, or Player 1's while the pointer marks it.
            const Picture picture = m_window->butt(c)->picture();
            if (board.isClosed(c))
                QCOMPARE(picture, Picture::Neutral);
            else
                QVERIFY(picture == Picture::Player2 || picture == Picture::Player1);
            QCOMPARE(m_window->buttLb(c)->colour(), board.isClosed(c) ? QColor(Qt::black) : QColor(LightGreen));
        }
        QCOMPARE(control<LabelControl>("P1")->text(), QString::number(board.score(Player::One)));
        QCOMPARE(control<LabelControl>("P2")->text(), QString::number(board.score(Player::Two)));
        QCOMPARE(m_window->linesView()->lineCount(), game.lineCount());
        for (int n = 1; n <= game.lineCount(); ++n)
            QVERIFY(m_window->linesView()->line(n) == game.line(n));
        auto *next = control<LabelControl>("NextLb");
        auto *indicator = control<ImageControl>("NextImg");
        QCOMPARE(control("GameOver(0)")->isVisible(), board.gameOver);
        QCOMPARE(control("GameOver(1)")->isVisible(), board.gameOver);
        if (board.gameOver) {
            QCOMPARE(next->text(), QStringLiteral("Game Over"));
            QCOMPARE(indicator->picture(), Picture::Neutral);
            QCOMPARE(control<LabelControl>("GameOver(1)")->text(), QString::fromUtf8(resultText(game.result())));
        } else {
            QCOMPARE(next->text(), QStringLiteral("Next"));
            const bool one = board.sideToMove == Player::One;
            QCOMPARE(indicator->picture(), one ? Picture::Player1 : Picture::Player2);
            QCOMPARE(next->colour(), one ? QColor(Brown) : QColor(White));
        }
    }

private slots:
    void startWindow()
    {
        m_window = std::make_unique<MainFrm>(m_store);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->isLoaded());
    }
    // The user's settings live in a folder of each test's own.
    void useNewSettingsFolder()
    {
        m_config = std::make_unique<QTemporaryDir>();
        QVERIFY(m_config->isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    }
    QString storedFile() const { return m_config->filePath(QStringLiteral("Vorni Game.ini")); }

    void init()
    {
        useNewSettingsFolder();
        startWindow();
    }
    void cleanup() { m_window.reset(); }

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
        QVERIFY(!m_window->isBusy());
        ImageControl *cell = m_window->ball(13);
        QVERIFY(cell->isVisible());
        QCOMPARE(cell->picture(), Picture::Player1);
        QCOMPARE(cell->property("tag").toString(), QStringLiteral("1"));
        QCOMPARE(cell->pos(), twipsRect(ColumnLeft[2], RowTop[0], CellWidth, CellHeight).topLeft());
        QCOMPARE(m_window->butt(2)->property("tag").toString(), QStringLiteral("1"));
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player2);
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(Qt::white));
        for (int k = 1; k <= CellCount; ++k) {
            if (k != 13)
                QVERIFY(!m_window->ball(k)->isVisible());
        }
        // Player 2 answers in the same column, on top.
        click(m_window->buttLb(2));
        QCOMPARE(m_window->ball(14)->picture(), Picture::Player2);
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player1);
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(fromBgr(0x004080)));
    }

    void lettersOnTheKeyboardPlayTheirColumns()
    {
        animationOff();
        QTest::keyClick(m_window.get(), Qt::Key_D);
        QTest::keyClick(m_window.get(), Qt::Key_G);
        QTest::keyClick(m_window.get(), Qt::Key_1);
        QCOMPARE(m_window->ball(cellOf(3, 0))->picture(), Picture::Player1);
        QCOMPARE(m_window->ball(cellOf(6, 0))->picture(), Picture::Player2);
        QCOMPARE(m_window->ball(cellOf(0, 0))->picture(), Picture::Player1);
        QTest::keyClick(m_window.get(), Qt::Key_H);
        QTest::keyClick(m_window.get(), Qt::Key_8);
        QCOMPARE(ballsOnBoard(), 3);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_window.get(), Qt::Key_A);
        QCOMPARE(m_window->game().board().fillCount(0), 6);
        QTest::keyClick(m_window.get(), Qt::Key_A); // a full column, as its letter
        QCOMPARE(ballsOnBoard(), 8);
    }

    void fullColumnIsClosedAndIgnoresClicks()
    {
        animationOff();
        for (int i = 0; i < Rows; ++i)
            clickColumn(0);
        ImageControl *button = m_window->butt(0);
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->picture(), Picture::Neutral);
        QCOMPARE(button->property("tag").toString(), QStringLiteral("6"));
        QCOMPARE(m_window->buttLb(0)->colour(), QColor(Qt::black));
        click(m_window->buttLb(0));
        clickColumn(0);
        QCOMPARE(ballsOnBoard(), 6);
        QCOMPARE(m_window->game().sideToMove(), Player::One);
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
        const Board &board = m_window->game().board();
        QVERIFY(m_window->game().isGameOver());
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
            QVERIFY(!m_window->butt(c)->isEnabled());
            QCOMPARE(m_window->butt(c)->picture(), Picture::Neutral);
        }
        for (int k = 1; k <= CellCount; ++k) {
            QVERIFY(m_window->ball(k)->isVisible());
            QCOMPARE(m_window->ball(k)->picture(), board.owner(k) == Player::One ? Picture::Player1 : Picture::Player2);
        }
        QCOMPARE(m_window->linesView()->lineCount(), board.score(Player::One) + board.score(Player::Two));
    }

    void gameLineToggleShowsAndHidesLines()
    {
        animationOff();
        for (int column : {0, 1, 0, 1, 0, 1, 0})
            clickColumn(column);
        GameLinesView *lines = m_window->linesView();
        QCOMPARE(lines->lineCount(), 1);
        QVERIFY(lines->line(1).visible);
        // Midway between the first and second ball of column A.
        const QPoint onLine = QPointF((ColumnLeft[0] + CellWidth / 2.0) / TwipsPerPixel,
                                      (RowTop[0] + RowTop[1] + CellHeight) / 2.0 / TwipsPerPixel)
                                  .toPoint();
        auto pixel = [&] { return m_window->grab().toImage().pixelColor(onLine * m_window->devicePixelRatioF()); };
        QCOMPARE(pixel(), QColor(GameLinesView::Colour));

        click(m_window->cButtLb(3));
        QVERIFY(m_window->cButtLb(3)->isStruckOut());
        QVERIFY(!lines->line(1).visible);
        QVERIFY(!m_window->game().line(1).visible);
        QVERIFY(pixel() != QColor(GameLinesView::Colour));

        // A line scored while lines are off stays hidden until switched on.
        clickColumn(1); // Player 2's fourth in column B
        QCOMPARE(lines->lineCount(), 2);
        QVERIFY(!lines->line(2).visible);
        click(m_window->cButt(3));
        QVERIFY(lines->line(1).visible);
        QVERIFY(lines->line(2).visible);
        QCOMPARE(pixel(), QColor(GameLinesView::Colour));
    }

    void ballFallsBeforeTheMoveGoesOn()
    {
        QVERIFY(!m_window->cButtLb(0)->isStruckOut());
        clickColumn(3);
        QVERIFY(m_window->isBusy());
        ImageControl *falling = m_window->ball(0);
        QVERIFY(falling->isVisible());
        QCOMPARE(falling->picture(), Picture::Player1);
        QCOMPARE(falling->pos(), QPoint(twipsToPixels(ColumnLeft[3]), twipsToPixels(DropStartTop)));
        QVERIFY(!m_window->ball(19)->isVisible());
        QTest::qWait(100);
        QVERIFY(falling->y() > twipsToPixels(DropStartTop));
        QVERIFY(falling->y() < twipsToPixels(RowTop[0]));
        waitForMove();
        QVERIFY(!falling->isVisible());
        QCOMPARE(falling->y(), twipsToPixels(RowTop[0]));
        QVERIFY(m_window->ball(19)->isVisible());
        QCOMPARE(ballsOnBoard(), 1);
    }

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
            click(m_window->cButtLb(1));
        if (QByteArray(QTest::currentDataTag()).startsWith("the column the move filled")) {
            animationOff();
            for (int i = 0; i < 5; ++i)
                clickColumn(3);
            click(m_window->cButtLb(0));
        }
        const QString before = shown();
        clickColumn(3);
        QVERIFY(m_window->isBusy());
        for (const QString &input : inputs)
            give(input);
        QCOMPARE(shown(), before); // nothing acted on yet
        QCOMPARE(m_window->waitingInputs(), static_cast<int>(inputs.size()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isBusy() && m_window->waitingInputs() == 0, 5000);
        if (after == QLatin1String("-")) {
            // Player 1's E comes after the reply to D, and the computer answers it too.
            QCOMPARE(ballsOnBoard(), 4);
            QCOMPARE(m_window->game().board().owner(cellOf(4, 0)) == Player::One
                         || m_window->game().board().owner(cellOf(4, 1)) == Player::One,
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
        doubleClick(m_window->butt(4), QPoint(8, m_window->butt(4)->height() / 2));
        QCOMPARE(ballsOnBoard(), 1);
        doubleClick(m_window->buttLb(4), m_window->buttLb(4)->rect().center());
        QCOMPARE(ballsOnBoard(), 2);
        clickColumn(4);
        clickColumn(4);
        QCOMPARE(ballsOnBoard(), 4);
        doubleClick(m_window->cButtLb(3), m_window->cButtLb(3)->rect().center());
        QVERIFY(m_window->cButtLb(3)->isStruckOut());

        // Qt takes a quick click a few pixels on, on the next column's button, for a double-click;
        // that button had no first click, so it is a click there.
        const Board before = m_window->game().board();
        const QPoint c = m_window->butt(2)->mapTo(m_window.get(), QPoint(m_window->butt(2)->width() - 2, 10));
        const QPoint d = m_window->butt(3)->mapTo(m_window.get(), QPoint(1, 10));
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, c);
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval; // the next press 1 ms after this one
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, d);
        QCOMPARE(m_window->game().board().fillCount(2), before.fillCount(2) + 1);
        QCOMPARE(m_window->game().board().fillCount(3), before.fillCount(3) + 1);
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
        QVERIFY(!early.isLoaded());
        early.Form_Load();
        QCOMPARE(early.game().board(), Board{});
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
        row("redo after a new move does nothing", {"key D", "key Ctrl+Z", "key E", "key Ctrl+Y"}, "0000100|110");
        row("Out", {"key Ctrl+Q"}, "closed");
        row("Space on a focused column", {"on butt(2) Space"}, "0010000|110");
        row("Enter on New Game", {"key D", "on CButt(2) Return"}, "0000000|110");
        row("keypad Enter on Out", {"on CButt(4) Enter"}, "closed");
        row("a reader presses New Game", {"key D", "action CButt(2) Press"}, "0000000|110");
        row("a reader presses a full column", QStringList(6, "key A") << "action butt(0) Press", "6000000|110");
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
        ImageControl *button = m_window->cButt(2);
        const QImage plain = button->grab().toImage();
        for (int i = 0; i < 3; ++i)
            give(QStringLiteral("typed Shift+Tab"));
        QVERIFY(button->hasFocus());
        const QImage marked = button->grab().toImage();
        const qreal dpr = marked.devicePixelRatio();
        const int inset = ImageControl::FocusMarkInset;
        const QRectF outer(QPointF(inset, inset) * dpr, QSizeF(button->size() - 2 * QSize(inset, inset)) * dpr);
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
        QCOMPARE(button->picture(), Picture::Player2);
        QCOMPARE(m_window->cButtLb(2)->colour(), QColor(LightGreen));
        click(m_window->boardControls().board);
        QVERIFY(!button->hasFocus());
        QCOMPARE(button->grab().toImage(), plain);
    }

    // What a screen reader is told of a control after the moves given as column letters ("*": a whole
    // game that Player 2 wins; animation off), as "Role 'name' (description) states: actions", and the
    // control that lists it (none: the control is nowhere in the window's tree).
    void accessibleControls_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("told");
        auto row = [](const char *tag, const char *moves, const char *name, const char *parent, const char *told) {
            QTest::newRow(tag) << QString::fromLatin1(moves) << QString::fromLatin1(name) << QString::fromLatin1(parent)
                               << QString::fromLatin1(told);
        };
        const char *win = "MainFrm";
        row("window", "", win, "", "Window 'Vorni Game'");
        row("board", "", "Image1", win, "Table 'Board'");
        row("empty cell", "", "Balls(13)", "Image1", "Cell 'C1: empty'");
        row("Player 1's cell", "C", "Balls(13)", "Image1", "Cell 'C1: Player 1'");
        row("Player 2's cell", "CC", "Balls(14)", "Image1", "Cell 'C2: Player 2'");
        row("open column", "", "butt(2)", win, "Button 'Column C' (6 cells free) focusable: Press SetFocus");
        row("one cell free", "AAAAA", "butt(0)", win, "Button 'Column A' (1 cell free) focusable: Press SetFocus");
        row("full column", "AAAAAA", "butt(0)", win, "Button 'Column A' (full) disabled focusable");
        row("option on", "", "CButt(3)", win,
            "CheckBox 'Game Line' focusable checkable checked: Press Toggle SetFocus");
        row("option off", "", "CButt(0)", win, "CheckBox 'Animation' focusable checkable: Press Toggle SetFocus");
        row("New Game", "", "CButt(2)", win, "Button 'New Game' focusable: Press SetFocus");
        row("score", "ABABABA", "P1", win, "StaticText 'Player 1 score: 1'");
        row("turn", "C", "NextLb", win, "StaticText 'Next: Player 2'");
        row("turn when over", "*", "NextLb", win, "StaticText 'Game Over: Player 2 Wins'");
        row("result shown", "*", "GameOver(1)", win, "StaticText 'Player 2 Wins'");
        row("result hidden", "", "GameOver(1)", "", "StaticText 'Player 2 Wins' invisible");
        row("title letter", "", "lights(0)", "", "Graphic ''");
        row("caption", "", "CButtLB(0)", "", "Graphic ''");
    }
    void accessibleControls()
    {
        QFETCH(QString, moves);
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, told);
        animationOff();
        if (moves == QLatin1String("*")) {
            for (int column : gameEndingWith(Result::Player2Wins))
                clickColumn(column);
        }
        for (QChar letter : moves.remove(QLatin1Char('*')))
            give(QStringLiteral("key ") + letter);

        QWidget *target = name == QLatin1String("MainFrm") ? m_window.get() : control(name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(target);
        QString heard = QStringLiteral("%1 '%2'").arg(
            QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role())),
            iface->text(QAccessible::Name));
        if (const QString description = iface->text(QAccessible::Description); !description.isEmpty())
            heard += QStringLiteral(" (%1)").arg(description);
        const QAccessible::State s = iface->state();
        const std::pair<bool, const char *> flags[]{{s.disabled, "disabled"},
                                                    {s.invisible, "invisible"},
                                                    {s.focusable, "focusable"},
                                                    {s.checkable, "checkable"},
                                                    {s.checked, "checked"}};
        for (auto [on, flag] : flags) {
            if (on)
                heard += QLatin1Char(' ') + QString::fromLatin1(flag);
        }
        if (const QStringList actions = iface->actionInterface()->actionNames(); !actions.isEmpty())
            heard += QStringLiteral(": ") + actions.join(QLatin1Char(' '));
        QCOMPARE(heard, told);
        // In the tree exactly where its parent lists it; otherwise nowhere in the window.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        if (parent.isEmpty()) {
            QCOMPARE(window->indexOfChild(iface), -1);
        } else {
            QCOMPARE(iface->parent()->object()->objectName(), parent);
            const int index = iface->parent()->indexOfChild(iface);
            QVERIFY(index >= 0);
            QCOMPARE(iface->parent()->child(index), iface);
        }
        // The board is a table of its cells, the top row first.
        if (iface->role() == QAccessible::Cell) {
            QAccessibleTableCellInterface *cell = iface->tableCellInterface();
            QCOMPARE(cell->table()->tableInterface()->cellAt(cell->rowIndex(), cell->columnIndex()), iface);
            QCOMPARE(iface->text(QAccessible::Name).left(2),
                     QChar(u'A' + cell->columnIndex()) + QString::number(Rows - cell->rowIndex()));
        }
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

    // Undo takes back a whole step and the window shows it at once; redo brings it back exactly.
    void undoAndRedoShowTheBoardAtOnce()
    {
        animationOff();
        click(m_window->cButtLb(1)); // the computer answers
        for (int column : {0, 0, 0, 3})
            clickColumn(column);
        const Board played = m_window->game().board();
        const int lines = m_window->game().lineCount();
        give(QStringLiteral("key Ctrl+Z"));
        QCOMPARE(ballsOnBoard(), 6);
        QCOMPARE(m_window->game().sideToMove(), Player::One);
        QVERIFY(!m_window->isBusy());
        verifyMirror();
        give(QStringLiteral("key Ctrl+Y"));
        QVERIFY(m_window->game().board() == played);
        QCOMPARE(m_window->game().lineCount(), lines);
        verifyMirror();
        // The same click after an undo brings the same reply.
        give(QStringLiteral("key Ctrl+Z"));
        clickColumn(3);
        QVERIFY(m_window->game().board() == played);
        verifyMirror();

        // After the game is over, undo reopens it.
        click(m_window->cButtLb(2));
        click(m_window->cButtLb(1));
        for (int column : gameEndingWith(Result::Player1Wins))
            clickColumn(column);
        QVERIFY(m_window->game().isGameOver());
        give(QStringLiteral("key Ctrl+Z"));
        QVERIFY(!m_window->game().isGameOver());
        verifyMirror();
        give(QStringLiteral("key Ctrl+Shift+Z"));
        QVERIFY(m_window->game().isGameOver());
        verifyMirror();
    }

    void computerReplyDropsAfterPlayer1sBall()
    {
        click(m_window->cButtLb(1));
        QVERIFY(!m_window->cButtLb(1)->isStruckOut());
        clickColumn(3);
        // The game has both moves; the window shows Player 1's first.
        QCOMPARE(ballsOnBoard(), 2);
        QCOMPARE(m_window->ball(0)->picture(), Picture::Player1);
        QSignalSpy shown(m_window.get(), &MainFrm::moveShown);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->ball(0)->picture(), Picture::Player2, 3000);
        QVERIFY(m_window->ball(19)->isVisible());
        QVERIFY(m_window->isBusy());
        QVERIFY(shown.wait(3000));
        int shownBalls = 0;
        for (int k = 1; k <= CellCount; ++k)
            shownBalls += m_window->ball(k)->isVisible();
        QCOMPARE(shownBalls, 2);
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player1);
    }

    void newGameAfterAGameOverRestoresTheStartState()
    {
        animationOff();
        for (int column : gameEndingWith(Result::Player2Wins))
            clickColumn(column);
        QVERIFY(m_window->game().isGameOver());
        click(m_window->cButtLb(2));
        QCOMPARE(m_window->game().board(), Board{});
        QCOMPARE(m_window->game().lineCount(), 0);
        verifyMirror();
        QCOMPARE(control<LabelControl>("NextLb")->colour(), QColor(Brown));
        // Line numbering starts again from 1.
        for (int column : {0, 1, 0, 1, 0, 1, 0})
            clickColumn(column);
        QCOMPARE(m_window->linesView()->lineCount(), 1);
        QCOMPARE(m_window->linesView()->line(1).number, 1);
        // Nothing to take back from the game before.
        click(m_window->cButtLb(2));
        give(QStringLiteral("key Ctrl+Z"));
        QCOMPARE(m_window->game().board(), Board{});
    }

    void hoverMarksOneButtonPerGroup()
    {
        animationOff();
        auto moveTo = [&](QPoint p) { QTest::mouseMove(m_window->windowHandle(), p); };
        auto over = [&](const QWidget *w) { moveTo(centreInWindow(m_window.get(), w)); };
        auto markedColumns = [&] {
            QList<int> marked;
            for (int c = 0; c < Columns; ++c) {
                if (m_window->butt(c)->picture() == Picture::Player1)
                    marked << c;
            }
            return marked;
        };
        auto markedCommand = [&] {
            int marked = -1;
            for (int i = 0; i < 5; ++i) {
                const bool button = m_window->cButt(i)->picture() == Picture::Player1;
                const bool label = m_window->cButtLb(i)->colour() == QColor(fromBgr(0x004080));
                if (button != label)
                    return -2; // a half-marked command
                if (button)
                    marked = i;
            }
            return marked;
        };

        over(m_window->butt(2));
        QCOMPARE(markedColumns(), QList<int>{2});
        over(m_window->butt(3));
        QCOMPARE(markedColumns(), QList<int>{3});
        over(m_window->buttLb(5)); // the letter marks its button
        QCOMPARE(markedColumns(), QList<int>{5});
        // The strip around the buttons leaves the mark where it is.
        QWidget *strip = control("Picture1");
        moveTo(strip->mapTo(m_window.get(), QPoint(strip->width() - 1, strip->height() - 1)));
        QCOMPARE(markedColumns(), QList<int>{5});

        // Commands: the button marks itself and its label; the label alone changes nothing.
        // Its label covers the middle of a command button: point at its left end.
        auto overButton = [&](int i) {
            const QWidget *b = m_window->cButt(i);
            moveTo(b->mapTo(m_window.get(), QPoint(3, b->height() / 2)));
        };
        overButton(1);
        QCOMPARE(markedCommand(), 1);
        QCOMPARE(markedColumns(), QList<int>{5}); // the groups are independent
        over(m_window->cButtLb(2));
        QCOMPARE(markedCommand(), 1);
        overButton(4);
        QCOMPARE(markedCommand(), 4);
        // The panel's own background clears both groups.
        QWidget *panel = control("Picture3");
        moveTo(panel->mapTo(m_window.get(), QPoint(10, twipsToPixels(400))));
        QCOMPARE(markedCommand(), -1);
        QCOMPARE(markedColumns(), QList<int>{});

        // A ball on the board is no background; the bare board is.
        clickColumn(0);
        over(m_window->butt(1));
        over(m_window->ball(1));
        QCOMPARE(markedColumns(), QList<int>{1});
        over(m_window->ball(2)); // empty cell: the board picture beneath
        QCOMPARE(markedColumns(), QList<int>{});

        // A full column is never marked, by its button or its letter.
        for (int i = 0; i < 5; ++i)
            clickColumn(0);
        over(m_window->buttLb(0));
        QCOMPARE(markedColumns(), QList<int>{});
        QCOMPARE(m_window->butt(0)->picture(), Picture::Neutral);
        over(m_window->butt(6));
        moveTo(QPoint(300, 20)); // the bare window
        QCOMPARE(markedColumns(), QList<int>{});
        QCOMPARE(m_window->butt(0)->picture(), Picture::Neutral);
    }

    void titleLightsRunTheirCycle()
    {
        QVERIFY(m_window->blinker()->isActive());
        QCOMPARE(m_window->blinker()->interval(), 300);
        m_window->blinker()->stop();
        const int basePixels[] = {64, 64, 73, 64, 64};
        const int litPixels[] = {73, 73, 83, 73, 73};
        auto litLetters = [&] {
            QString lit;
            for (int i = 0; i < 5; ++i) {
                TitleLetter *letter = m_window->light(i);
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
        click(m_window->cButtLb(2));
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
        ImageControl *cell = m_window->ball(1);
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

    // The window appears at once; its controls follow in the first turn of
    // the event loop. Closed before that, it must not overwrite the options
    // it never read.
    void windowClosedBeforeItsControlsKeepsTheStoredOptions()
    {
        m_window.reset();
        {
            QSettings stored(storedFile(), QSettings::IniFormat);
            stored.setValue("Settings/Animation", "True");
        }
        MainFrm early(m_store);
        QVERIFY(!early.isLoaded());
        QCOMPARE(early.size(), QSize(669, 428));
        early.close();
        QSettings stored(storedFile(), QSettings::IniFormat);
        QCOMPARE(stored.allKeys(), QStringList{"Settings/Animation"});
        QCOMPARE(stored.value("Settings/Animation").toString(), QStringLiteral("True"));
        // Made on request, the controls come with the stored options.
        early.Form_Load();
        QVERIFY(early.isLoaded());
        QVERIFY(early.cButtLb(0)->isStruckOut());
        // Shown after its controls came, the window keeps the focus for itself all the same.
        early.show();
        QVERIFY(QTest::qWaitForWindowActive(&early));
        QCOMPARE(QApplication::focusWidget(), &early);
    }

    void optionsStartFromTheirDefaults()
    {
        QVERIFY(!QFile::exists(storedFile()));
        QVERIFY(!m_window->cButtLb(0)->isStruckOut());
        QVERIFY(m_window->cButtLb(1)->isStruckOut());
        QVERIFY(!m_window->cButtLb(3)->isStruckOut());
        click(m_window->cButtLb(4)); // "Out"
        QVERIFY(!m_window->isVisible());
        QSettings stored(storedFile(), QSettings::IniFormat);
        QCOMPARE(stored.value("Settings/Animation").toString(), QStringLiteral("False"));
        QCOMPARE(stored.value("Settings/Playcomputer").toString(), QStringLiteral("True"));
        QCOMPARE(stored.value("Settings/GameLine").toString(), QStringLiteral("False"));
    }

    void optionsSurviveARestart()
    {
        for (int i : {0, 1, 3})
            click(m_window->cButtLb(i));
        // Closed by the window frame rather than "Out": saved all the same.
        m_window->close();
        m_window.reset();
        startWindow();
        QVERIFY(m_window->cButtLb(0)->isStruckOut());
        QVERIFY(!m_window->cButtLb(1)->isStruckOut()); // read as "PlayComputer"
        QVERIFY(m_window->cButtLb(3)->isStruckOut());
        for (int i : {0, 1, 3})
            click(m_window->cButtLb(i));
        m_window->close();
        m_window.reset();
        startWindow();
        QVERIFY(!m_window->cButtLb(0)->isStruckOut());
        QVERIFY(m_window->cButtLb(1)->isStruckOut());
        QVERIFY(!m_window->cButtLb(3)->isStruckOut());
    }

    void storedTextIsReadWithoutRegardToCase()
    {
        m_window.reset();
        useNewSettingsFolder();
        {
            QSettings stored(storedFile(), QSettings::IniFormat);
            stored.setValue("settings/ANIMATION", "TRUE");
            stored.setValue("settings/playcomputer", "false");
            stored.setValue("settings/gameline", "whatever"); // unreadable: the default
        }
        startWindow();
        QVERIFY(m_window->cButtLb(0)->isStruckOut());
        QVERIFY(!m_window->cButtLb(1)->isStruckOut());
        QVERIFY(!m_window->cButtLb(3)->isStruckOut());
        m_window->close();
        QSettings stored(storedFile(), QSettings::IniFormat);
        // Written back under the spellings already there, not as duplicates.
        QCOMPARE(stored.allKeys().size(), 3);
        QCOMPARE(stored.value("settings/ANIMATION").toString(), QStringLiteral("True"));
        QCOMPARE(stored.value("settings/playcomputer").toString(), QStringLiteral("False"));
    }

    void linksOpenTheMakersAddresses()
    {
        UrlRecorder opened;
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opened, "open");
        animationOff();
        clickColumn(3);
        const Board before = m_window->game().board();
        click(control("WebLb(0)"));
        click(control("WebLb(1)"));
        click(control("EmailLb"));
        click(control("WebLb(0)"));
        for (const char *scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        const QUrl web(makerWebAddress());
        QCOMPARE(opened.urls, (QList<QUrl>{web, web, QUrl("mailto:" + makerEmailAddress()), web}));
        QVERIFY(m_window->game().board() == before);
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

    // Ended by a signal, the window closes as "Out" closes it, and saves once however many come. After
    // one, a second SIGTERM or SIGINT ends the program at once; SIGHUP, which a closed terminal sends
    // twice (from its shell, then from the kernel as the shell goes), stays caught.
    void quitSignalsCloseTheWindowOnce()
    {
        constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};
        std::array<struct sigaction, Signals.size()> before{};
        struct sigaction byDefault { };
        byDefault.sa_handler = SIG_DFL;
        for (std::size_t i = 0; i < Signals.size(); ++i)
            ::sigaction(Signals[i], &byDefault, &before[i]);
        {
            QuitSignals quit;
            QSignalSpy requests(&quit, &QuitSignals::quitRequested);
            connect(&quit, &QuitSignals::quitRequested, m_window.get(), &QWidget::close);
            animationOff();
            QCOMPARE(::raise(SIGTERM), 0);
            QTRY_VERIFY(!m_window->isVisible());
            QCOMPARE(QSettings(storedFile(), QSettings::IniFormat).value("Settings/Animation").toString(),
                     QStringLiteral("True"));
            // Written in after the save: a second save would drop it, as the store writes what it read.
            QSettings(storedFile(), QSettings::IniFormat).setValue("Other/Mark", "kept");
            for (int signal : {SIGINT, SIGHUP, SIGHUP})
                QCOMPARE(::raise(signal), 0); // each handled before raise returns
            QTRY_COMPARE(requests.size(), 4);
            QCOMPARE(requests.at(3).at(0).toInt(), SIGHUP);
            QCOMPARE(QSettings(storedFile(), QSettings::IniFormat).value("Other/Mark").toString(),
                     QStringLiteral("kept"));
            for (int signal : Signals) {
                struct sigaction now { };
                ::sigaction(signal, nullptr, &now);
                QCOMPARE(now.sa_handler == SIG_DFL, signal != SIGHUP);
            }
        }
        for (std::size_t i = 0; i < Signals.size(); ++i)
            ::sigaction(Signals[i], &before[i], nullptr);
    }

    void closingDuringTheDropClosesAtOnce()
    {
        clickColumn(0);
        QVERIFY(m_window->isBusy());
        clickColumn(1); // waits for the drop
        QCOMPARE(m_window->waitingInputs(), 1);
        m_window->close();
        QVERIFY(!m_window->isVisible());
        // The drop ends with the window, and what waited for it is dropped, never played after.
        QVERIFY(!m_window->isBusy());
        QCOMPARE(m_window->waitingInputs(), 0);
        QTest::qWait(600);
        QCOMPARE(ballsOnBoard(), 1);
        QCOMPARE(m_window->game().board().fillCount(1), 0);
    }
};

QTEST_MAIN(MainFrmTest)
#include "MainFrmTest.moc"
