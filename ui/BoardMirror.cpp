#include "BoardMirror.h"

#include "Accessibility.h"
#include "BoardGeometry.h"
#include "GameLinesView.h"

namespace vorni {

namespace {

// The falling ball covers the tallest drop, from 580 to the bottom row at 5000 twips, in this time, at
// a constant speed.
constexpr double FullDropMs = 400.0;

Picture pictureOf(Player p)
{
    return p == Player::Two ? Picture::Player2 : Picture::Player1;
}

QString number(int n)
{
    return QString::number(n);
}

// A cell's tag is its owner, a column button's its fill count: what a reader hears as the cell's name
// and the button's description.
void setTag(ImageControl *control, int value, void (*tell)(QWidget *))
{
    const QString tag = number(value);
    if (control->property("tag").toString() == tag)
        return;
    control->setProperty("tag", tag);
    tell(control);
}

} // namespace

BoardMirror::BoardMirror(const Game &game, const BoardControls &controls, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_c(controls)
{
    m_drop = new QVariantAnimation(this);
    m_drop->setEasingCurve(QEasingCurve::Linear);
    connect(m_drop, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &top) { m_c.balls[0]->move(m_c.balls[0]->x(), twipsToPixels(top.toInt())); });
    connect(m_drop, &QVariantAnimation::finished, this, [this] {
        landBall(m_dropping);
        playPending();
    });
}

bool BoardMirror::isBusy() const
{
    return !m_pending.empty() || m_drop->state() == QAbstractAnimation::Running;
}

void BoardMirror::stop()
{
    m_drop->stop();
    m_pending.clear();
}

void BoardMirror::happened(const GameEvent &event)
{
    m_pending.push_back(event);
}

void BoardMirror::playPending()
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

void BoardMirror::display(const GameEvent &event)
{
    switch (event.kind) {
    case EventKind::TurnPassed:
        showTurn(event.player);
        break;
    case EventKind::BallPlaced:
        landBall(event);
        break;
    case EventKind::LineDrawn:
        m_c.lines->addLine(m_game.line(event.line));
        break;
    case EventKind::ScoreChanged:
        // A label tells the reader of its new caption itself.
        (event.player == Player::One ? m_c.p1 : m_c.p2)->setCaption(number(event.score));
        break;
    case EventKind::ColumnClosed:
        showClosed(event.column, true);
        break;
    case EventKind::GameOver:
        showGameOver(event.result);
        break;
    case EventKind::Restored:
        showWhole();
        break;
    }
}

void BoardMirror::showTurn(Player sideToMove)
{
    m_c.nextImg->setPicture(pictureOf(sideToMove));
    m_c.nextLb->setColour(sideToMove == Player::One ? Brown : White);
    tellNameChanged(m_c.nextLb);
}

void BoardMirror::showClosed(int column, bool closed)
{
    ImageControl *button = m_c.butt[static_cast<std::size_t>(column)];
    button->setEnabled(!closed);
    button->setPicture(closed ? Picture::Neutral : Picture::Player2);
    m_c.buttLb[static_cast<std::size_t>(column)]->setColour(closed ? QColor(Qt::black) : QColor(LightGreen));
}

void BoardMirror::showGameOver(Result result)
{
    m_c.nextImg->setPicture(Picture::Neutral);
    m_c.nextLb->setCaption(QStringLiteral("Game Over")); // told by the label itself
    m_c.nextLb->setColour(White);
    // A reader hears the result once: the result's label takes its caption untold, the two labels
    // join the reader's tree, and then the result is told.
    m_c.gameOver[1]->setCaption(QString::fromUtf8(resultText(result)));
    for (LabelControl *text : m_c.gameOver) {
        text->show();
        text->raise();
        tellJoined(text);
    }
    tellNameChanged(m_c.gameOver[1]);
}

void BoardMirror::startDrop(const GameEvent &event)
{
    ImageControl *ball = m_c.balls[0];
    const int bottom = rowTop(event.row);
    ball->move(twipsToPixels(columnLeft(event.column)), twipsToPixels(DropStartTop));
    ball->setPicture(pictureOf(event.player));
    ball->raise();
    ball->show();
    m_dropping = event;
    m_drop->setStartValue(DropStartTop);
    m_drop->setEndValue(bottom);
    m_drop->setDuration(qRound(FullDropMs * (bottom - DropStartTop) / (rowTop(0) - DropStartTop)));
    m_drop->start();
}

void BoardMirror::landBall(const GameEvent &event)
{
    m_c.balls[0]->hide();
    ImageControl *cell = m_c.balls[static_cast<std::size_t>(event.cell)];
    setTag(cell, static_cast<int>(event.player), tellNameChanged);
    cell->setPicture(pictureOf(event.player));
    cell->show();
    setTag(m_c.butt[static_cast<std::size_t>(event.column)], event.row + 1, tellDescriptionChanged);
}

void BoardMirror::showWhole()
{
    m_drop->stop();
    m_c.balls[0]->hide();
    m_pending.clear();
    const Board &board = m_game.board();
    for (int k = 1; k <= CellCount; ++k) {
        ImageControl *cell = m_c.balls[static_cast<std::size_t>(k)];
        const Player owner = board.owner(k);
        setTag(cell, static_cast<int>(owner), tellNameChanged);
        cell->setVisible(owner != Player::None);
        cell->setPicture(owner == Player::None ? Picture::None : pictureOf(owner));
    }
    for (int c = 0; c < Columns; ++c) {
        setTag(m_c.butt[static_cast<std::size_t>(c)], board.fillCount(c), tellDescriptionChanged);
        showClosed(c, board.isClosed(c));
    }
    m_c.lines->clear();
    for (int n = 1; n <= m_game.lineCount(); ++n)
        m_c.lines->addLine(m_game.line(n));
    m_c.p1->setCaption(number(board.score(Player::One)));
    m_c.p2->setCaption(number(board.score(Player::Two)));
    if (board.gameOver) {
        showGameOver(m_game.result());
        return;
    }
    m_c.gameOver[0]->hide();
    m_c.gameOver[1]->hide();
    m_c.nextLb->setCaption(QStringLiteral("Next"));
    showTurn(board.sideToMove);
}

} // namespace vorni
