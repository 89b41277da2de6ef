// The form: every control of the window with its name, place, caption, font, colour and layering, the
// events each one raises, and the load step that makes them.

#include "MainFrm.h"

#include "BoardGeometry.h"
#include "BoardMirror.h"
#include "CommandPanel.h"
#include "GameLinesView.h"
#include "GameOverLabel.h"
#include "HintMark.h"
#include "InputQueue.h"
#include "Pictures.h"
#include "TitleLights.h"

#include <QApplication>
#include <QTimer>

namespace vorni {

namespace {

constexpr QRgb Orange = fromBgr(0x0080FF);

// Within one container, the control created first lies in front.
void stackFrontToBack(const std::vector<QWidget *> &frontToBack)
{
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it)
        (*it)->raise();
}

constexpr std::array<int, Columns> LetterLeft{315, 1080, 1845, 2625, 3435, 4200, 4980};
constexpr std::array<int, Columns> LetterWidth{105, 105, 105, 120, 105, 90, 120};
constexpr std::array<int, Columns> ButtonLeft{0, 765, 1545, 2325, 3090, 3870, 4650};
constexpr std::array<int, Columns> ButtonWidth{750, 765, 765, 750, 765, 765, 765};

// Watches for the window's next paint, then sets its icon: the icon is not needed for the first frame.
// The frame reaches the screen when that paint ends, before the event loop turns again.
class IconAfterFrame : public QObject {
public:
    explicit IconAfterFrame(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            QTimer::singleShot(0, m_window, [window = m_window] { window->setWindowIcon(windowIcon()); });
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void MainFrm::Form_Load()
{
    if (isLoaded())
        return;
    createControls();
    LayOutBalls();
    findChild<ImageControl *>(QStringLiteral("LineImg"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(0)"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(1)"))->setPicture(Picture::Player2);
    m_controls.board.nextImg->setPicture(Picture::Player1);
    Form_MouseMove();
    m_commands->readOptions();

    m_game.emplace(*m_commands);
    m_game->setOpponent(&m_computer);
    m_mirror = new BoardMirror(*m_game, m_controls.board, this);
    m_hint = new HintMark(m_controls, this);
    m_game->setListener(m_mirror);
    connect(m_mirror, &BoardMirror::moveShown, m_input, &InputQueue::resume);
    connectControls();
    setUpFocus();
    // Controls made after the window was shown must be shown themselves; those hidden on purpose stay
    // hidden.
    for (QWidget *control : findChildren<QWidget *>()) {
        if (!control->testAttribute(Qt::WA_WState_ExplicitShowHide))
            control->show();
    }
    // Every control shown asks to be painted by a posted event; handled after the first frame, those
    // would paint and send the whole window a second time. Taken now, they are part of the first frame.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    new IconAfterFrame(this);
}

void MainFrm::createControls()
{
    const QFont panelFont = sansFont(8.25, true);
    const QFont letterFont = sansFont(8.25, false);
    const QFont scoreFont = sansFont(9.75, true);
    const QFont gameOverFont = comicFont(36, true);
    const QColor highlightedText = QApplication::palette().color(QPalette::HighlightedText);
    BoardControls &board = m_controls.board;

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
    auto &gameOver = board.gameOver;
    gameOver[1] = new GameOverLabel(this, QStringLiteral("GameOver(1)"), twipsRect(1965, 3180, 5430, 1005),
                                    QStringLiteral("Player 2 Wins"), gameOverFont, Orange, Qt::AlignHCenter);
    gameOver[0] = new GameOverLabel(this, QStringLiteral("GameOver(0)"), twipsRect(2805, 2220, 3855, 1005),
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
    auto &balls = board.balls;
    balls[0] = new ImageControl(this, QStringLiteral("Balls(0)"), twipsRect(8325, 915, CellWidth, CellHeight), true);
    balls[0]->hide();
    auto *image1 = new ImageControl(this, QStringLiteral("Image1"), twipsRect(1950, 1275, 5490, 4395), false);
    image1->setPicture(Picture::Board);
    board.board = image1;
    auto *image3 = new ImageControl(this, QStringLiteral("Image3"), twipsRect(30, 30, 3060, 690), false);
    image3->setPicture(Picture::Credits);
    gameOver[0]->hide();
    gameOver[1]->hide();
    m_controls.emailLink = emailLb;
    m_controls.webLinks = {webLb0, webLb1};
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
    board.p1 = new LabelControl(panel, QStringLiteral("P1"), twipsRect(1770, 60, 135, 240), QStringLiteral("0"),
                                scoreFont, White, Qt::AlignLeft, true);
    board.p2 = new LabelControl(panel, QStringLiteral("P2"), twipsRect(1755, 495, 135, 240), QStringLiteral("0"),
                                scoreFont, highlightedText, Qt::AlignLeft, true);
    m_commands = new CommandPanel(m_picture3, panelFont, m_store);
    std::vector<QWidget *> panelOrder{board.p1, board.p2};
    for (QWidget *caption : m_commands->storedCaptions())
        panelOrder.push_back(caption);
    board.nextLb = new LabelControl(panel, QStringLiteral("NextLb"), twipsRect(825, 960, 420, 195),
                                    QStringLiteral("Next"), panelFont, Brown, Qt::AlignHCenter, true);
    auto *label10 = new LabelControl(panel, QStringLiteral("Label10"), twipsRect(285, 75, 1380, 195),
                                     QStringLiteral("First Player      :"), panelFont, QColor(fromBgr(0x404080)),
                                     Qt::AlignLeft, true);
    auto *label11 = new LabelControl(panel, QStringLiteral("Label11"), twipsRect(285, 510, 1365, 195),
                                     QStringLiteral("Second Player :"), panelFont, LightGreen, Qt::AlignLeft, true);
    auto *plate0 = new ImageControl(panel, QStringLiteral("DisImg(0)"), twipsRect(0, 0, 2040, 375), true);
    auto *plate1 = new ImageControl(panel, QStringLiteral("DisImg(1)"), twipsRect(0, 435, 2040, 375), true);
    board.nextImg = new ImageControl(panel, QStringLiteral("NextImg"), twipsRect(0, 870, 2040, 375), true);
    panelOrder.insert(panelOrder.end(), {board.nextLb, label10, label11, plate0, plate1, board.nextImg});
    for (QWidget *button : m_commands->buttons())
        panelOrder.push_back(button);
    stackFrontToBack(panelOrder);
    for (Command command : Commands) {
        const auto i = static_cast<std::size_t>(indexOf(command));
        m_controls.commandButtons[i] = m_commands->button(command);
        m_controls.commandCaptions[i] = m_commands->caption(command);
    }

    // The strip of column buttons under the board, front to back.
    std::vector<QWidget *> stripOrder;
    for (int c = Columns - 1; c >= 0; --c) {
        const auto i = static_cast<std::size_t>(c);
        board.buttLb[i] = new LabelControl(m_picture1, QStringLiteral("ButtLb(%1)").arg(c),
                                           twipsRect(LetterLeft[i], 60, LetterWidth[i], 195), QString(QChar(u'A' + c)),
                                           letterFont, LightGreen, Qt::AlignLeft, true);
        stripOrder.push_back(board.buttLb[i]);
    }
    for (int c : {0, 1, 2, 3, 4, 6, 5}) {
        const auto i = static_cast<std::size_t>(c);
        board.butt[i] = new ImageControl(m_picture1, QStringLiteral("butt(%1)").arg(c),
                                         twipsRect(ButtonLeft[i], 0, ButtonWidth[i], 330), true);
        board.butt[i]->setProperty("tag", QStringLiteral("0"));
        stripOrder.push_back(board.butt[i]);
    }
    stackFrontToBack(stripOrder);
}

void MainFrm::LayOutBalls()
{
    for (int k = 1; k <= CellCount; ++k) {
        auto *cell = new ImageControl(
            this, QStringLiteral("Balls(%1)").arg(k),
            twipsRect(columnLeft(columnOfCell(k)), rowTop(rowOfCell(k)), CellWidth, CellHeight), true);
        cell->hide();
        cell->raise();
        cell->setProperty("tag", QStringLiteral("0"));
        m_controls.board.balls[static_cast<std::size_t>(k)] = cell;
    }
    // Lines lie over the balls; the board picture bounds every line.
    m_controls.board.lines = new GameLinesView(this, twipsRect(1950, 1275, 5490, 4395),
                                               [this] { return m_commands->isOn(Command::GameLine); });
    m_controls.board.lines->raise();
}

void MainFrm::connectControls()
{
    // Clicks that act on the game wait while a move is shown; the links and hover act at once.
    auto post = [this](Input::Kind kind, int index) { return [this, kind, index] { m_input->post({kind, index}); }; };
    const BoardControls &board = m_controls.board;
    for (int c = 0; c < Columns; ++c) {
        ImageControl *button = board.button(c);
        LabelControl *letter = board.letter(c);
        connect(button, &ImageControl::clicked, this, post(Input::Kind::Button, c));
        connect(letter, &LabelControl::clicked, this, post(Input::Kind::Letter, c));
        trackMouse(button);
        trackMouse(letter);
        connect(button, &ImageControl::mouseMoved, this, [this, c] { butt_MouseMove(c); });
        connect(letter, &LabelControl::mouseMoved, this, [this, c] { ButtLb_MouseMove(c); });
    }
    for (Command command : Commands) {
        const int i = indexOf(command);
        ImageControl *button = m_commands->button(command);
        connect(button, &ImageControl::clicked, this, post(Input::Kind::Command, i));
        connect(m_commands->caption(command), &LabelControl::clicked, this, post(Input::Kind::Caption, i));
        trackMouse(button);
        connect(button, &ImageControl::mouseMoved, this, [this, i] { CButt_MouseMove(i); });
    }
    connect(m_commands, &CommandPanel::newGameAsked, this, &MainFrm::newGame);
    connect(m_commands, &CommandPanel::outAsked, this, &QWidget::close);
    connect(m_commands, &CommandPanel::optionSwitched, this, [this](Command option) {
        if (option == Command::GameLine)
            m_controls.board.lines->update();
    });
    connect(findChild<LabelControl *>(QStringLiteral("WebLb(0)")), &LabelControl::clicked, this,
            [this] { WebLb_Click(0); });
    connect(findChild<LabelControl *>(QStringLiteral("WebLb(1)")), &LabelControl::clicked, this,
            [this] { WebLb_Click(1); });
    connect(findChild<LabelControl *>(QStringLiteral("EmailLb")), &LabelControl::clicked, this,
            &MainFrm::EmailLb_Click);
    connect(m_titleLights->timer(), &QTimer::timeout, this, &MainFrm::Blinker_Timer);
    setMouseTracking(true);
    trackMouse(board.board);
    connect(board.board, &ImageControl::mouseMoved, this, &MainFrm::Image1_MouseMove);
    trackMouse(m_picture3);
    connect(m_picture3, &PanelControl::mouseMoved, this, &MainFrm::Picture3_MouseMove);
}

} // namespace vorni
