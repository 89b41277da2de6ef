#include "MainFrm.h"

#include "Links.h"
#include "Pictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace vorni {

namespace {

constexpr QRgb LightGreen = fromBgr(0xC0FFC0);
constexpr QRgb Brown = fromBgr(0x004080);
constexpr QRgb White = fromBgr(0xFFFFFF);
constexpr QRgb Orange = fromBgr(0x0080FF);

// The title letters: the product word down the left edge, lit in turn.
struct Light {
    const char *caption;
    int left, top, width, height;
    double points;
    double litPoints;
    unsigned colour;
};
constexpr std::array<Light, 5> Lights{{
    {"V", 345, 885, 1245, 1350, 48, 55, 0x00FFFF},
    {"O", 750, 1575, 1020, 1350, 48, 55, 0xFF00FF},
    {"r", 330, 2490, 1290, 1485, 54.75, 62, 0x00FF00},
    {"N", 570, 3675, 1230, 1350, 48, 55, 0x0000FF},
    {"I", 375, 4920, 1170, 1350, 48, 55, 0xFFFF00},
}};
constexpr int BlinkerInterval = 300;
constexpr int TicksPerCycle = 25;

// The three options in the user's settings store. "PlayComputer" is read
// and "Playcomputer" written: the store matches keys regardless of case.
const QString Application = QStringLiteral("Vorni Game");
const QString Section = QStringLiteral("Settings");
struct StoredOption {
    int command;
    QString readKey;
    QString writtenKey;
    QString fallback;
};
const std::array<StoredOption, 3> StoredOptions{{
    {0, QStringLiteral("Animation"), QStringLiteral("Animation"), QStringLiteral("False")},
    {1, QStringLiteral("PlayComputer"), QStringLiteral("Playcomputer"), QStringLiteral("True")},
    {3, QStringLiteral("GameLine"), QStringLiteral("GameLine"), QStringLiteral("False")},
}};

// The falling ball covers the tallest drop, from 580 to the bottom row at
// 5000 twips, in this time, at a constant speed.
constexpr double FullDropMs = 400.0;

Picture pictureOf(Player p)
{
    return p == Player::Two ? Picture::Player2 : Picture::Player1;
}

QString number(int n)
{
    return QString::number(n);
}

// Within one container, the control created first lies in front.
void stackFrontToBack(const std::vector<QWidget *> &frontToBack)
{
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it)
        (*it)->raise();
}

} // namespace

GameLinesView::GameLinesView(QWidget *parent, QRect geometry)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Line1"));
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void GameLinesView::addLine(const GameLine &line)
{
    m_lines.push_back(line);
    update();
}

void GameLinesView::setLinesVisible(bool visible)
{
    for (GameLine &line : m_lines)
        line.visible = visible;
    update();
}

void GameLinesView::clear()
{
    m_lines.clear();
    update();
}

void GameLinesView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(Colour), Width, Qt::SolidLine, Qt::RoundCap));
    // End points are in twips of the window; fractions are kept.
    const QPointF origin = pos();
    for (const GameLine &line : m_lines) {
        if (!line.visible)
            continue;
        painter.drawLine(QPointF(line.p1.x, line.p1.y) / TwipsPerPixel - origin,
                         QPointF(line.p2.x, line.p2.y) / TwipsPerPixel - origin);
    }
}

MainFrm::MainFrm(SettingsStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_game(*this, this)
{
    m_game.setOpponent(&m_computer);
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Vorni Game"));
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    // The window appears first, black and at its size; its controls, which
    // need the fonts loaded, are made as soon as the event loop runs, before
    // the first frame is painted.
    QMetaObject::invokeMethod(this, &MainFrm::Form_Load, Qt::QueuedConnection);
}

MainFrm::~MainFrm()
{
    // The drop may still run when the window goes; nothing is shown after.
    if (m_drop)
        m_drop->stop();
    m_game.setListener(nullptr);
}

void MainFrm::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    createControls();
    LayOutBalls();
    findChild<ImageControl *>(QStringLiteral("LineImg"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(0)"))->setPicture(Picture::Player1);
    findChild<ImageControl *>(QStringLiteral("DisImg(1)"))->setPicture(Picture::Player2);
    m_nextImg->setPicture(Picture::Player1);
    Form_MouseMove();
    // A stored "True" means the option is off, as the label's strike-through does.
    const StoredSettings stored = m_store.load(Application);
    for (const StoredOption &option : StoredOptions) {
        const QString text = stored.value(Section, option.readKey, option.fallback);
        cButtLb(option.command)->setStrikeOut(textToBool(text, textToBool(option.fallback, false)));
    }
    // Controls made after the window was shown must be shown themselves;
    // those hidden on purpose stay hidden.
    for (QWidget *control : findChildren<QWidget *>()) {
        if (!control->testAttribute(Qt::WA_WState_ExplicitShowHide))
            control->show();
    }
    emit loaded();
    // The icon is not needed for the first frame.
    QTimer::singleShot(0, this, [this] { setWindowIcon(::vorni::windowIcon()); });
}

void MainFrm::Form_Unload()
{
    // All three in one save: the file is replaced once, whole.
    StoredSettings options;
    for (const StoredOption &option : StoredOptions)
        options.setValue(Section, option.writtenKey, boolToText(cButtLb(option.command)->isStruckOut()));
    m_store.save(Application, options);
}

void MainFrm::closeEvent(QCloseEvent *event)
{
    // However the window closes, the options are saved; closing is never
    // refused. A window closed before its controls were made has read no
    // options, so it leaves the stored ones alone.
    if (m_loaded) {
        m_drop->stop();
        Form_Unload();
    }
    event->accept();
}

void MainFrm::keyPressEvent(QKeyEvent *event)
{
    // The keys of the column letters, "A" to "G", and 1 to 7 play a column
    // as a click on its letter does.
    const int key = event->key();
    if (m_loaded && key >= Qt::Key_A && key <= Qt::Key_G)
        ButtLb_Click(key - Qt::Key_A);
    else if (m_loaded && key >= Qt::Key_1 && key <= Qt::Key_7)
        ButtLb_Click(key - Qt::Key_1);
    else
        QWidget::keyPressEvent(event);
}

void MainFrm::WebLb_Click(int)
{
    OpenWebPage();
}

void MainFrm::EmailLb_Click()
{
    OpenEmail();
}

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
    connect(webLb0, &LabelControl::clicked, this, [this] { WebLb_Click(0); });
    connect(webLb1, &LabelControl::clicked, this, [this] { WebLb_Click(1); });
    connect(emailLb, &LabelControl::clicked, this, &MainFrm::EmailLb_Click);
    m_gameOver[1] = new LabelControl(this, QStringLiteral("GameOver(1)"), twipsRect(1965, 3180, 5430, 1005),
                                     QStringLiteral("Player 2 Wins"), gameOverFont, Orange, Qt::AlignHCenter);
    m_gameOver[0] = new LabelControl(this, QStringLiteral("GameOver(0)"), twipsRect(2805, 2220, 3855, 1005),
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

    auto &lights = m_lights;
    for (int i : {0, 1, 3, 4, 2}) {
        const Light &l = Lights[static_cast<std::size_t>(i)];
        lights[static_cast<std::size_t>(i)] = new LabelControl(
            this, QStringLiteral("lights(%1)").arg(i), twipsRect(l.left, l.top, l.width, l.height),
            QString::fromLatin1(l.caption), comicFont(l.points, true), QColor(fromBgr(l.colour)));
    }
    m_balls[0] = new ImageControl(this, QStringLiteral("Balls(0)"), twipsRect(8325, 915, CellWidth, CellHeight), true);
    m_balls[0]->hide();
    auto *image1 = new ImageControl(this, QStringLiteral("Image1"), twipsRect(1950, 1275, 5490, 4395), false);
    image1->setPicture(Picture::Board);
    auto *image3 = new ImageControl(this, QStringLiteral("Image3"), twipsRect(30, 30, 3060, 690), false);
    image3->setPicture(Picture::Credits);
    m_gameOver[0]->hide();
    m_gameOver[1]->hide();
    stackFrontToBack({lineImg, webLb0, emailLb, webLb1, m_gameOver[1], m_gameOver[0], i2, i1, dis, image25, vorniImg,
                      lights[0], lights[1], lights[3], lights[4], lights[2], m_balls[0], image1, image3});
    // The panels are child windows: in front of everything placed on the window.
    m_picture1->raise();
    m_picture3->raise();

    // The right-hand panel, front to back.
    QWidget *panel = m_picture3;
    m_p1 = new LabelControl(panel, QStringLiteral("P1"), twipsRect(1770, 60, 135, 240), number(0), scoreFont,
                            White, Qt::AlignLeft, true);
    m_p2 = new LabelControl(panel, QStringLiteral("P2"), twipsRect(1755, 495, 135, 240), number(0), scoreFont,
                            highlightedText, Qt::AlignLeft, true);
    struct Command {
        int index;
        const char *caption;
        int left, top, width;
        Qt::Alignment alignment;
    };
    static constexpr std::array<Command, 5> Commands{{
        {1, "Player vs Computer", 285, 2640, 1665, Qt::AlignLeft},
        {0, "Animation", 645, 2235, 855, Qt::AlignLeft},
        {2, "New Game", 615, 3075, 945, Qt::AlignLeft},
        {3, "Game Line", 615, 3495, 915, Qt::AlignHCenter},
        {4, "Out", 885, 3930, 330, Qt::AlignLeft},
    }};
    std::vector<QWidget *> panelOrder{m_p1, m_p2};
    for (const Command &c : Commands) {
        auto *label = new LabelControl(panel, QStringLiteral("CButtLB(%1)").arg(c.index),
                                       twipsRect(c.left, c.top, c.width, 195), QString::fromLatin1(c.caption),
                                       panelFont, LightGreen, c.alignment, true);
        m_cButtLb[static_cast<std::size_t>(c.index)] = label;
        panelOrder.push_back(label);
    }
    m_cButtLb[1]->setStrikeOut(true);
    m_nextLb = new LabelControl(panel, QStringLiteral("NextLb"), twipsRect(825, 960, 420, 195),
                                QStringLiteral("Next"), panelFont, Brown, Qt::AlignHCenter, true);
    auto *label10 = new LabelControl(panel, QStringLiteral("Label10"), twipsRect(285, 75, 1380, 195),
                                     QStringLiteral("First Player      :"), panelFont, QColor(fromBgr(0x404080)),
                                     Qt::AlignLeft, true);
    auto *label11 = new LabelControl(panel, QStringLiteral("Label11"), twipsRect(285, 510, 1365, 195),
                                     QStringLiteral("Second Player :"), panelFont, LightGreen, Qt::AlignLeft, true);
    auto *plate0 = new ImageControl(panel, QStringLiteral("DisImg(0)"), twipsRect(0, 0, 2040, 375), true);
    auto *plate1 = new ImageControl(panel, QStringLiteral("DisImg(1)"), twipsRect(0, 435, 2040, 375), true);
    m_nextImg = new ImageControl(panel, QStringLiteral("NextImg"), twipsRect(0, 870, 2040, 375), true);
    panelOrder.insert(panelOrder.end(), {m_nextLb, label10, label11, plate0, plate1, m_nextImg});
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
    static constexpr std::array<int, Columns> LetterLeft{315, 1080, 1845, 2625, 3435, 4200, 4980};
    static constexpr std::array<int, Columns> LetterWidth{105, 105, 105, 120, 105, 90, 120};
    for (int c = Columns - 1; c >= 0; --c) {
        const auto i = static_cast<std::size_t>(c);
        m_buttLb[i] = new LabelControl(m_picture1, QStringLiteral("ButtLb(%1)").arg(c),
                                       twipsRect(LetterLeft[i], 60, LetterWidth[i], 195),
                                       QString(QChar(u'A' + c)), letterFont, LightGreen, Qt::AlignLeft, true);
        stripOrder.push_back(m_buttLb[i]);
    }
    static constexpr std::array<int, Columns> ButtonLeft{0, 765, 1545, 2325, 3090, 3870, 4650};
    static constexpr std::array<int, Columns> ButtonWidth{750, 765, 765, 750, 765, 765, 765};
    for (int c : {0, 1, 2, 3, 4, 6, 5}) {
        const auto i = static_cast<std::size_t>(c);
        m_butt[i] = new ImageControl(m_picture1, QStringLiteral("butt(%1)").arg(c),
                                     twipsRect(ButtonLeft[i], 0, ButtonWidth[i], 330), true);
        m_butt[i]->setProperty("tag", number(0));
        stripOrder.push_back(m_butt[i]);
    }
    stackFrontToBack(stripOrder);

    for (int c = 0; c < Columns; ++c) {
        ImageControl *button = butt(c);
        LabelControl *letter = buttLb(c);
        connect(button, &ImageControl::clicked, this, [this, c] { Butt_Click(c); });
        connect(letter, &LabelControl::clicked, this, [this, c] { ButtLb_Click(c); });
        trackMouse(button);
        trackMouse(letter);
        connect(button, &ImageControl::mouseMoved, this, [this, c] { butt_MouseMove(c); });
        connect(letter, &LabelControl::mouseMoved, this, [this, c] { ButtLb_MouseMove(c); });
    }
    for (int i = 0; i < 5; ++i) {
        connect(cButt(i), &ImageControl::clicked, this, [this, i] { CButt_Click(i); });
        connect(cButtLb(i), &LabelControl::clicked, this, [this, i] { CButtLB_Click(i); });
        trackMouse(cButt(i));
        connect(cButt(i), &ImageControl::mouseMoved, this, [this, i] { CButt_MouseMove(i); });
    }
    setMouseTracking(true);
    trackMouse(image1);
    connect(image1, &ImageControl::mouseMoved, this, &MainFrm::Image1_MouseMove);
    trackMouse(m_picture3);
    connect(m_picture3, &PanelControl::mouseMoved, this, &MainFrm::Picture3_MouseMove);

    m_blinker = new QTimer(this);
    m_blinker->setObjectName(QStringLiteral("Blinker"));
    m_blinker->setInterval(BlinkerInterval);
    connect(m_blinker, &QTimer::timeout, this, &MainFrm::Blinker_Timer);
    m_blinker->start();

    m_drop = new QVariantAnimation(this);
    m_drop->setEasingCurve(QEasingCurve::Linear);
    connect(m_drop, &QVariantAnimation::valueChanged, this, [this](const QVariant &top) {
        m_balls[0]->move(m_balls[0]->x(), twipsToPixels(top.toInt()));
    });
    connect(m_drop, &QVariantAnimation::finished, this, [this] {
        landBall(m_dropping);
        playPending();
    });
}

void MainFrm::LayOutBalls()
{
    for (int k = 1; k <= CellCount; ++k) {
        auto *cell = new ImageControl(this, QStringLiteral("Balls(%1)").arg(k),
                                      twipsRect(ColumnLeft[static_cast<std::size_t>(columnOfCell(k))],
                                                RowTop[static_cast<std::size_t>(rowOfCell(k))], CellWidth,
                                                CellHeight),
                                      true);
        cell->hide();
        cell->raise();
        cell->setProperty("tag", number(0));
        m_balls[static_cast<std::size_t>(k)] = cell;
    }
    // Lines lie over the balls; the board picture bounds every line.
    m_lines = new GameLinesView(this, twipsRect(1950, 1275, 5490, 4395));
    m_lines->raise();
}

bool MainFrm::animation() const
{
    return !m_cButtLb[0]->isStruckOut();
}

bool MainFrm::playComputer() const
{
    return !m_cButtLb[1]->isStruckOut();
}

bool MainFrm::gameLines() const
{
    return !m_cButtLb[3]->isStruckOut();
}

bool MainFrm::isBusy() const
{
    return !m_pending.empty() || m_drop->state() == QAbstractAnimation::Running;
}

void MainFrm::Butt_Click(int Index)
{
    if (isBusy())
        return;
    m_game.Butt_Click(Index);
    playPending();
}

void MainFrm::ButtLb_Click(int Index)
{
    if (isColumn(Index) && butt(Index)->isEnabled())
        Butt_Click(Index);
}

void MainFrm::CButtLB_Click(int Index)
{
    CButt_Click(Index);
}

void MainFrm::CButt_Click(int Index)
{
    if (isBusy())
        return;
    switch (Index) {
    case 0:
    case 1:
    case 3: {
        LabelControl *label = cButtLb(Index);
        label->setStrikeOut(!label->isStruckOut());
        if (Index == 3) {
            m_game.setGameLinesVisible(gameLines());
            m_lines->setLinesVisible(gameLines());
        }
        break;
    }
    case 2:
        newGame();
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void MainFrm::clearColumnMarks()
{
    // A full column keeps its grey picture.
    for (ImageControl *button : m_butt) {
        if (button->isEnabled())
            button->setPicture(Picture::Player2);
    }
}

void MainFrm::clearCommandMarks()
{
    for (int i = 0; i < 5; ++i) {
        cButt(i)->setPicture(Picture::Player2);
        cButtLb(i)->setColour(LightGreen);
    }
}

void MainFrm::butt_MouseMove(int Index)
{
    clearColumnMarks();
    butt(Index)->setPicture(Picture::Player1);
}

void MainFrm::ButtLb_MouseMove(int Index)
{
    if (butt(Index)->isEnabled())
        butt_MouseMove(Index);
}

void MainFrm::CButt_MouseMove(int Index)
{
    clearCommandMarks();
    cButt(Index)->setPicture(Picture::Player1);
    cButtLb(Index)->setColour(Brown);
}

void MainFrm::Form_MouseMove()
{
    clearColumnMarks();
    clearCommandMarks();
}

void MainFrm::Image1_MouseMove()
{
    Form_MouseMove();
}

void MainFrm::Picture3_MouseMove()
{
    Form_MouseMove();
}

void MainFrm::mouseMoveEvent(QMouseEvent *)
{
    Form_MouseMove();
}

void MainFrm::toggleLight(int i)
{
    // Both looks are decided against the base look, never the lit one.
    const Light &l = Lights[static_cast<std::size_t>(i)];
    LabelControl *letter = light(i);
    const QColor base(fromBgr(l.colour));
    letter->setColour(letter->colour() == base ? QColor(White) : base);
    QFont font = letter->font();
    const int basePixels = pointsToPixels(l.points);
    font.setPixelSize(font.pixelSize() == basePixels ? pointsToPixels(l.litPoints) : basePixels);
    letter->setFont(font);
}

void MainFrm::Blinker_Timer()
{
    if (m_blinkCounter > TicksPerCycle - 1)
        m_blinkCounter = 0;
    ++m_blinkCounter;
    const int tick = m_blinkCounter;
    if (tick <= 10) {
        toggleLight((tick - 1) / 2); // down the word: lights(0) to lights(4)
    } else if (tick <= 20) {
        toggleLight(4 - (tick - 11) / 2); // and back up
    } else if (tick <= 24) {
        for (int i = 0; i < 5; ++i)
            toggleLight(i);
    }
}

void MainFrm::happened(const GameEvent &event)
{
    m_pending.push_back(event);
}

void MainFrm::playPending()
{
    while (!m_pending.empty()) {
        const GameEvent event = m_pending.front();
        m_pending.pop_front();
        if (event.kind == EventKind::BallPlaced && event.animated) {
            startDrop(event);
            return;
        }
        display(event);
    }
    emit moveShown();
}

void MainFrm::display(const GameEvent &event)
{
    switch (event.kind) {
    case EventKind::TurnPassed:
        m_nextImg->setPicture(pictureOf(event.player));
        m_nextLb->setColour(event.player == Player::One ? Brown : White);
        break;
    case EventKind::BallPlaced:
        landBall(event);
        break;
    case EventKind::LineDrawn:
        m_lines->addLine(m_game.line(event.line));
        break;
    case EventKind::ScoreChanged:
        (event.player == Player::One ? m_p1 : m_p2)->setCaption(number(event.score));
        break;
    case EventKind::ColumnClosed:
        butt(event.column)->setEnabled(false);
        butt(event.column)->setPicture(Picture::Neutral);
        buttLb(event.column)->setColour(Qt::black);
        break;
    case EventKind::GameOver:
        m_nextImg->setPicture(Picture::Neutral);
        m_nextLb->setCaption(QStringLiteral("Game Over"));
        m_gameOver[1]->setCaption(QString::fromUtf8(resultText(event.result)));
        m_gameOver[0]->show();
        m_gameOver[1]->show();
        m_gameOver[0]->raise();
        m_gameOver[1]->raise();
        m_nextLb->setColour(White);
        break;
    }
}

void MainFrm::startDrop(const GameEvent &event)
{
    ImageControl *ball = m_balls[0];
    const int bottom = RowTop[static_cast<std::size_t>(event.row)];
    ball->move(twipsToPixels(ColumnLeft[static_cast<std::size_t>(event.column)]), twipsToPixels(DropStartTop));
    ball->setPicture(pictureOf(event.player));
    ball->raise();
    ball->show();
    m_dropping = event;
    m_drop->setStartValue(DropStartTop);
    m_drop->setEndValue(bottom);
    m_drop->setDuration(qRound(FullDropMs * (bottom - DropStartTop) / (RowTop[0] - DropStartTop)));
    m_drop->start();
}

void MainFrm::landBall(const GameEvent &event)
{
    m_balls[0]->hide();
    ImageControl *cell = ball(event.cell);
    cell->setProperty("tag", number(static_cast<int>(event.player)));
    cell->setPicture(pictureOf(event.player));
    cell->show();
    butt(event.column)->setProperty("tag", number(event.row + 1));
}

void MainFrm::newGame()
{
    m_game.newGame();
    for (int k = 1; k <= CellCount; ++k) {
        ImageControl *cell = ball(k);
        cell->setProperty("tag", number(0));
        cell->hide();
        cell->setPicture(Picture::None);
    }
    for (int c = 0; c < Columns; ++c) {
        butt(c)->setProperty("tag", number(0));
        butt(c)->setEnabled(true);
        buttLb(c)->setColour(LightGreen);
        butt(c)->setPicture(Picture::Player2);
    }
    m_lines->clear();
    m_gameOver[0]->hide();
    m_gameOver[1]->hide();
    m_nextImg->setPicture(Picture::Player1);
    m_nextLb->setColour(Brown);
    m_nextLb->setCaption(QStringLiteral("Next"));
    m_p1->setCaption(number(0));
    m_p2->setCaption(number(0));
}

} // namespace vorni
