// The form: every control of the window with its name, place, caption, font, colour and layering,
// and the events each one raises.

#include "MainFrm.h"

#include "Pictures.h"

#include <QApplication>

namespace vorni {

namespace {

constexpr QRgb Orange = fromBgr(0x0080FF);

// Within one container, the control created first lies in front.
void stackFrontToBack(const std::vector<QWidget *> &frontToBack)
{
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it)
        (*it)->raise();
}

// The commands in the panel's stored order, top to bottom by index.
struct Command {
    int index;
    const char *caption;
    int left, top, width;
    Qt::Alignment alignment;
};
constexpr std::array<Command, 5> Commands{{
    {1, "Player vs Computer", 285, 2640, 1665, Qt::AlignLeft},
    {0, "Animation", 645, 2235, 855, Qt::AlignLeft},
    {2, "New Game", 615, 3075, 945, Qt::AlignLeft},
    {3, "Game Line", 615, 3495, 915, Qt::AlignHCenter},
    {4, "Out", 885, 3930, 330, Qt::AlignLeft},
}};

constexpr std::array<int, Columns> LetterLeft{315, 1080, 1845, 2625, 3435, 4200, 4980};
constexpr std::array<int, Columns> LetterWidth{105, 105, 105, 120, 105, 90, 120};
constexpr std::array<int, Columns> ButtonLeft{0, 765, 1545, 2325, 3090, 3870, 4650};
constexpr std::array<int, Columns> ButtonWidth{750, 765, 765, 750, 765, 765, 765};

} // namespace

void MainFrm::createControls()
{
    const QFont panelFont = sansFont(8.25, true);
    const QFont letterFont = sansFont(8.25, false);
    const QFont scoreFont = sansFont(9.75, true);
    const QFont gameOverFont = comicFont(36, true);
    const QColor highlightedText = QApplication::palette().color(QPalette::HighlightedText);

    // Controls placed directly on the window, front to back.
    m_picture3 = new PanelControl(this, QStringLiteral("Picture3"), twipsRect(7710, 1365, 2070, 4260));
    m_picture1 = new PanelControl(this, QStringLiteral("Picture1"), twipsRect(1980, 5655, 5445, 345));
    auto *lineImg = new ImageControl(this, QStringLiteral("LineImg"), twipsRect(45, 780, 9945, 30), true);
    const QCursor hand = linkCursor();
    auto linkArea = [&](const QString &name, int left, int top) {
        auto *label = new LabelControl(this, name, twipsRect(left, top, 2445, 195), QString(), panelFont, LightGreen);
        label->setCursor(hand);
        return label;
    };
    auto *webLb0 = linkArea(QStringLiteral("WebLb(0)"), 7485, 6165);
    auto *emailLb = linkArea(QStringLiteral("EmailLb"), 45, 270);
    auto *webLb1 = linkArea(QStringLiteral("WebLb(1)"), 75, 510);
    auto &gameOver = m_board.gameOver;
    gameOver[1] = new LabelControl(this, QStringLiteral("GameOver(1)"), twipsRect(1965, 3180, 5430, 1005),
                                   QStringLiteral("Player 2 Wins"), gameOverFont, Orange, Qt::AlignHCenter);
    gameOver[0] = new LabelControl(this, QStringLiteral("GameOver(0)"), twipsRect(2805, 2220, 3855, 1005),
                                   QStringLiteral("Game Over"), gameOverFont, Orange);
    auto holder = [&](const QString &name, int left, Picture picture) {
        auto *image = new ImageControl(this, name, twipsRect(left, 5700, 630, 330), true);
        image->setPicture(picture);
        image->hide();
        return image;
    };
    auto *i2 = holder(QStringLiteral("i2"), 7725, Picture::Player2);
    auto *i1 = holder(QStringLiteral("i1"), 8430, Picture::Player1);
    auto *dis = holder(QStringLiteral("Dis"), 9135, Picture::Neutral);
    auto *image25 = new ImageControl(this, QStringLiteral("Image25"), twipsRect(7440, 6165, 2715, 270), false);
    image25->setPicture(Picture::WebAddress);
    auto *vorniImg = new ImageControl(this, QStringLiteral("VorniImg"), twipsRect(7380, 0, 2580, 765), false);
    vorniImg->setPicture(Picture::Logo);
    m_titleLights = new TitleLights(this);
    auto &balls = m_board.balls;
    balls[0] = new ImageControl(this, QStringLiteral("Balls(0)"), twipsRect(8325, 915, CellWidth, CellHeight), true);
    balls[0]->hide();
    auto *image1 = new ImageControl(this, QStringLiteral("Image1"), twipsRect(1950, 1275, 5490, 4395), false);
    image1->setPicture(Picture::Board);
    m_board.board = image1;
    auto *image3 = new ImageControl(this, QStringLiteral("Image3"), twipsRect(30, 30, 3060, 690), false);
    image3->setPicture(Picture::Credits);
    gameOver[0]->hide();
    gameOver[1]->hide();
    std::vector<QWidget *> windowOrder{lineImg, webLb0, emailLb, webLb1,  gameOver[1], gameOver[0],
                                       i2,      i1,     dis,     image25, vorniImg};
    for (QWidget *letter : m_titleLights->storedOrder())
        windowOrder.push_back(letter);
    windowOrder.insert(windowOrder.end(), {balls[0], image1, image3});
    stackFrontToBack(windowOrder);
    // The panels are child windows: in front of everything placed on the window.
    m_picture1->raise();
    m_picture3->raise();

    // The right-hand panel, front to back.
    QWidget *panel = m_picture3;
    m_board.p1 = new LabelControl(panel, QStringLiteral("P1"), twipsRect(1770, 60, 135, 240), QStringLiteral("0"),
                                  scoreFont, White, Qt::AlignLeft, true);
    m_board.p2 = new LabelControl(panel, QStringLiteral("P2"), twipsRect(1755, 495, 135, 240), QStringLiteral("0"),
                                  scoreFont, highlightedText, Qt::AlignLeft, true);
    std::vector<QWidget *> panelOrder{m_board.p1, m_board.p2};
    for (const Command &c : Commands) {
        auto *label = new LabelControl(panel, QStringLiteral("CButtLB(%1)").arg(c.index),
                                       twipsRect(c.left, c.top, c.width, 195), QString::fromLatin1(c.caption),
                                       panelFont, LightGreen, c.alignment, true);
        m_cButtLb[static_cast<std::size_t>(c.index)] = label;
        panelOrder.push_back(label);
    }
    m_cButtLb[1]->setStrikeOut(true);
    m_board.nextLb = new LabelControl(panel, QStringLiteral("NextLb"), twipsRect(825, 960, 420, 195),
                                      QStringLiteral("Next"), panelFont, Brown, Qt::AlignHCenter, true);
    auto *label10 = new LabelControl(panel, QStringLiteral("Label10"), twipsRect(285, 75, 1380, 195),
                                     QStringLiteral("First Player      :"), panelFont, QColor(fromBgr(0x404080)),
                                     Qt::AlignLeft, true);
    auto *label11 = new LabelControl(panel, QStringLiteral("Label11"), twipsRect(285, 510, 1365, 195),
                                     QStringLiteral("Second Player :"), panelFont, LightGreen, Qt::AlignLeft, true);
    auto *plate0 = new ImageControl(panel, QStringLiteral("DisImg(0)"), twipsRect(0, 0, 2040, 375), true);
    auto *plate1 = new ImageControl(panel, QStringLiteral("DisImg(1)"), twipsRect(0, 435, 2040, 375), true);
    m_board.nextImg = new ImageControl(panel, QStringLiteral("NextImg"), twipsRect(0, 870, 2040, 375), true);
    panelOrder.insert(panelOrder.end(), {m_board.nextLb, label10, label11, plate0, plate1, m_board.nextImg});
    for (int i = 0; i < 5; ++i) {
        const int width = i == 0 ? 2040 : 2055;
        auto *button = new ImageControl(panel, QStringLiteral("CButt(%1)").arg(i),
                                        twipsRect(0, 2145 + 420 * i, width, 375), true);
        m_cButt[static_cast<std::size_t>(i)] = button;
        panelOrder.push_back(button);
    }
    stackFrontToBack(panelOrder);

    // The strip of column buttons under the board, front to back.
    std::vector<QWidget *> stripOrder;
    for (int c = Columns - 1; c >= 0; --c) {
        const auto i = static_cast<std::size_t>(c);
        m_board.buttLb[i] = new LabelControl(m_picture1, QStringLiteral("ButtLb(%1)").arg(c),
                                             twipsRect(LetterLeft[i], 60, LetterWidth[i], 195),
                                             QString(QChar(u'A' + c)), letterFont, LightGreen, Qt::AlignLeft, true);
        stripOrder.push_back(m_board.buttLb[i]);
    }
    for (int c : {0, 1, 2, 3, 4, 6, 5}) {
        const auto i = static_cast<std::size_t>(c);
        m_board.butt[i] = new ImageControl(m_picture1, QStringLiteral("butt(%1)").arg(c),
                                           twipsRect(ButtonLeft[i], 0, ButtonWidth[i], 330), true);
        m_board.butt[i]->setProperty("tag", QStringLiteral("0"));
        stripOrder.push_back(m_board.butt[i]);
    }
    stackFrontToBack(stripOrder);
}

void MainFrm::LayOutBalls()
{
    for (int k = 1; k <= CellCount; ++k) {
        auto *cell = new ImageControl(this, QStringLiteral("Balls(%1)").arg(k),
                                      twipsRect(ColumnLeft[static_cast<std::size_t>(columnOfCell(k))],
                                                RowTop[static_cast<std::size_t>(rowOfCell(k))], CellWidth, CellHeight),
                                      true);
        cell->hide();
        cell->raise();
        cell->setProperty("tag", QStringLiteral("0"));
        m_board.balls[static_cast<std::size_t>(k)] = cell;
    }
    // Lines lie over the balls; the board picture bounds every line.
    m_board.lines = new GameLinesView(this, twipsRect(1950, 1275, 5490, 4395));
    m_board.lines->raise();
}

void MainFrm::connectControls()
{
    // Clicks that act on the game wait while a move is shown; the links and hover act at once.
    auto post = [this](Input::Kind kind, int index) { return [this, kind, index] { m_input.post({kind, index}); }; };
    for (int c = 0; c < Columns; ++c) {
        ImageControl *button = butt(c);
        LabelControl *letter = buttLb(c);
        connect(button, &ImageControl::clicked, this, post(Input::Kind::Button, c));
        connect(letter, &LabelControl::clicked, this, post(Input::Kind::Letter, c));
        trackMouse(button);
        trackMouse(letter);
        connect(button, &ImageControl::mouseMoved, this, [this, c] { butt_MouseMove(c); });
        connect(letter, &LabelControl::mouseMoved, this, [this, c] { ButtLb_MouseMove(c); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(cButt(i), &ImageControl::clicked, this, post(Input::Kind::Command, i));
        connect(cButtLb(i), &LabelControl::clicked, this, post(Input::Kind::Command, i));
        trackMouse(cButt(i));
        connect(cButt(i), &ImageControl::mouseMoved, this, [this, i] { CButt_MouseMove(i); });
    }
    connect(findChild<LabelControl *>(QStringLiteral("WebLb(0)")), &LabelControl::clicked, this,
            [this] { WebLb_Click(0); });
    connect(findChild<LabelControl *>(QStringLiteral("WebLb(1)")), &LabelControl::clicked, this,
            [this] { WebLb_Click(1); });
    connect(findChild<LabelControl *>(QStringLiteral("EmailLb")), &LabelControl::clicked, this,
            &MainFrm::EmailLb_Click);
    setMouseTracking(true);
    auto *image1 = findChild<ImageControl *>(QStringLiteral("Image1"));
    trackMouse(image1);
    connect(image1, &ImageControl::mouseMoved, this, &MainFrm::Image1_MouseMove);
    trackMouse(m_picture3);
    connect(m_picture3, &PanelControl::mouseMoved, this, &MainFrm::Picture3_MouseMove);
}

} // namespace vorni
