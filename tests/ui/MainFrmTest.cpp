// The window as a person meets it: every control where the layout puts it,
// clicks routed by Qt's own hit-testing, and the board state mirrored.

#include "MainFrm.h"
#include "Pictures.h"

#include <QPainter>
#include <QDesktopServices>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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

    template <typename T = QWidget>
    T *control(const QString &name) const
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
        QTest::addColumn<int>("fontStyle"); // 1 bold, 2 italic, 4 struck through
        QTest::addColumn<unsigned>("colour"); // &H00BBGGRR&
        QTest::addColumn<Picture>("picture");

        const QString win = QStringLiteral("MainFrm");
        const QString panel = QStringLiteral("Picture3");
        const QString strip = QStringLiteral("Picture1");
        auto image = [](const char *name, const QString &parent, QRect r, bool visible, Picture picture) {
            QTest::newRow(name) << parent << Kind::Image << r << visible << QString() << 0 << 0 << 0u << picture;
        };
        auto label = [](const char *name, const QString &parent, QRect r, bool visible, const char *caption,
                        int px, int style, unsigned colour) {
            QTest::newRow(name) << parent << Kind::Label << r << visible << QString::fromLatin1(caption) << px
                                << style << colour << Picture::None;
        };
        const auto none = Picture::None;
        QTest::newRow("Picture3") << win << Kind::Panel << QRect(7710, 1365, 2070, 4260) << true << QString() << 0
                                  << 0 << 0u << none;
        QTest::newRow("Picture1") << win << Kind::Panel << QRect(1980, 5655, 5445, 345) << true << QString() << 0
                                  << 0 << 0u << none;
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
        QTest::newRow("command label over its button") << "CButtLB(0)" << "CButt(0)";
        QTest::newRow("game line label over its button") << "CButtLB(3)" << "CButt(3)";
        QTest::newRow("letter over its column button") << "ButtLb(3)" << "butt(3)";
        QTest::newRow("score over the plate") << "P1" << "DisImg(0)";
        QTest::newRow("Next over the indicator") << "NextLb" << "NextImg";
        QTest::newRow("web link over the address picture") << "WebLb(0)" << "Image25";
        QTest::newRow("e-mail link over the credits") << "EmailLb" << "Image3";
        QTest::newRow("web link over the credits") << "WebLb(1)" << "Image3";
    }
    void layering()
    {
        QFETCH(QString, over);
        QFETCH(QString, under);
        QWidget *top = control(over);
        QVERIFY(top->geometry().intersects(control(under)->geometry()) || top->parentWidget() != control(under)->parentWidget());
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
        // Clicks while the ball falls are not acted on.
        clickColumn(4);
        click(m_window->cButtLb(0));
        QVERIFY(!m_window->cButtLb(0)->isStruckOut());
        QTest::qWait(100);
        QVERIFY(falling->y() > twipsToPixels(DropStartTop));
        QVERIFY(falling->y() < twipsToPixels(RowTop[0]));
        waitForMove();
        QVERIFY(!falling->isVisible());
        QCOMPARE(falling->y(), twipsToPixels(RowTop[0]));
        QVERIFY(m_window->ball(19)->isVisible());
        QCOMPARE(ballsOnBoard(), 1);
        QCOMPARE(m_window->game().board().fillCount(4), 0);
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

    void newGameClearsTheBoard()
    {
        animationOff();
        for (int column : {0, 1, 0, 1, 0, 1, 0})
            clickColumn(column);
        click(m_window->cButtLb(2));
        QCOMPARE(ballsOnBoard(), 0);
        QCOMPARE(m_window->linesView()->lineCount(), 0);
        QCOMPARE(control<LabelControl>("P1")->text(), QStringLiteral("0"));
        for (int k = 1; k <= CellCount; ++k)
            QVERIFY(!m_window->ball(k)->isVisible());
        QCOMPARE(control<ImageControl>("NextImg")->picture(), Picture::Player1);
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
                LabelControl *letter = m_window->light(i);
                const bool white = letter->colour() == QColor(Qt::white);
                const int expectedSize = white ? litPixels[i] : basePixels[i];
                if (letter->font().pixelSize() != expectedSize)
                    return QStringLiteral("size of %1 out of step").arg(i);
                if (white)
                    lit += QString::number(i);
            }
            return lit;
        };
        QCOMPARE(litLetters(), QString());
        // Lit letters after each tick of one cycle: down the word, back up,
        // the whole word twice, a pause.
        const QStringList cycle{"0", "", "1", "", "2", "", "3", "", "4", "", "4", "", "3",
                                "",  "2", "", "1", "", "0", "", "01234", "", "01234", "", ""};
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

    void closingDuringTheDropClosesAtOnce()
    {
        clickColumn(0);
        QVERIFY(m_window->isBusy());
        m_window->close();
        QVERIFY(!m_window->isVisible());
        QTest::qWait(50);
    }
};

QTEST_MAIN(MainFrmTest)
#include "MainFrmTest.moc"
