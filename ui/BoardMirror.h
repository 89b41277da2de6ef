#pragma once

// The board state mirrored on the window. The game reports what a move did; the mirror plays those
// events back one after another, with the ball falling down its column while "Animation" is on, so a
// move is shown in the order it happened: turn, ball, lines and scores, the computer's reply, closed
// columns, game over. After New Game, undo and redo it shows the whole board at once.

#include "BoardControls.h"
#include "Game.h"

#include <QObject>
#include <QVariantAnimation>

#include <deque>

namespace vorni {

class BoardMirror : public QObject, public GameListener {
    Q_OBJECT
public:
    BoardMirror(const Game &game, const BoardControls &controls, QObject *parent);

    // A move is being shown: its ball falling, or events still to play.
    bool isBusy() const;
    // Shows the events reported so far; returns at the first drop, which goes on by itself.
    void playPending();
    // Shows the game as it is now, at once, dropping any events not yet shown.
    void showWhole();
    // The window is closing: nothing more is shown.
    void stop();

    // The game shown.
    const Game &game() const { return m_game; }

signals:
    // Everything of the last move is on the screen.
    void moveShown();

private:
    void happened(const GameEvent &event) override;
    void display(const GameEvent &event);
    void startDrop(const GameEvent &event);
    void landBall(const GameEvent &event);
    void showTurn(Player sideToMove);
    void showClosed(int column, bool closed);
    void showGameOver(Result result);

    const Game &m_game;
    BoardControls m_c;
    std::deque<GameEvent> m_pending;
    GameEvent m_dropping;
    QVariantAnimation *m_drop = nullptr;
};

} // namespace vorni
