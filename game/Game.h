#pragma once

// One game of Vorni: every move enters through Butt_Click, whoever asks for it
// (a click on a column, its letter, or the computer). The game changes plain
// data and tells its listener what happened, in order; it never waits and
// never draws. The window plays the events back, with the falling ball.

#include "Board.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vorni {

// The options live in the window's command labels; the game asks for the two
// that decide how a move is played at the moment it needs them. Whether game
// lines are seen is the window's alone: the game keeps every line it scored.
class GameOptions {
public:
    virtual ~GameOptions() = default;
    virtual bool animation() const = 0;    // drop the ball down the column
    virtual bool playComputer() const = 0; // the computer answers Player 1
};

// Fixed option values, for callers without a window.
struct OptionValues final : GameOptions {
    bool animationOn = false;
    bool computerOn = false;
    bool animation() const override { return animationOn; }
    bool playComputer() const override { return computerOn; }
};

enum class Result : std::uint8_t { Player1Wins, Player2Wins, Equal };
std::string_view resultText(Result result);

// A line over a scored four, from the centre of one end ball to the other's.
struct GameLine {
    int number = 0; // 1..n in the order drawn
    int from = 0;   // end cells, in the order the line is drawn
    int to = 0;
    friend bool operator==(const GameLine &, const GameLine &) = default;
};

// Every column, row and diagonal scores at most once: 7 + 6 + 6 + 6 lines.
constexpr int MaxGameLines = 25;

enum class EventKind : std::uint8_t {
    TurnPassed,   // player: the side now to move
    BallPlaced,   // player: mover; column, row, cell; animated: drop shown
    LineDrawn,    // line: number of the new game line
    ScoreChanged, // player: who scored; score: the new total
    ColumnClosed, // column
    GameOver,     // result
    Restored,     // player: the side now to move; after New Game, undo or redo
                  // the whole position changed at once: show the game as it
                  // stands now
};

struct GameEvent {
    EventKind kind = EventKind::TurnPassed;
    Player player = Player::None;
    int column = -1;
    int row = -1;
    int cell = 0;
    int score = 0;
    int line = 0;
    bool animated = false;
    Result result = Result::Equal;
};

class GameListener {
public:
    virtual ~GameListener() = default;
    virtual void happened(const GameEvent &event) = 0;
};

class Game;

// Plays Player 2's reply, nested inside Player 1's click, by calling
// Butt_Click itself.
class Opponent {
public:
    virtual ~Opponent() = default;
    virtual void ComputerMove(Game &game) = 0;

    // Whatever besides the board decides the replies (a random generator's
    // state), so that a move taken back and played again brings the same reply.
    virtual std::uint64_t replyState() const { return 0; }
    virtual void restoreReplyState(std::uint64_t) { }
};

class Game {
public:
    explicit Game(const GameOptions &options, GameListener *listener = nullptr);

    void setListener(GameListener *listener) { m_listener = listener; }
    // Set before play: undo and redo give their reply state to the opponent
    // of the moment, which must be the one that made the replies.
    void setOpponent(Opponent *opponent) { m_opponent = opponent; }

    // Drops a ball of the side to move into column Index and, with the
    // computer on and Player 1 moving, the computer's reply; then closes a
    // filled column and ends the game once all seven are closed.
    // A column outside 0..6, a full column or a finished game changes nothing.
    void Butt_Click(int Index);
    bool canPlay(int column) const;

    // Back to the start state: empty board, Player 1 to move, no lines, and
    // nothing to undo or redo. Reports one Restored event.
    void newGame();

    // A step is one click from outside, the computer's reply inside it
    // included. undo() takes the last step back, restoring the position (game
    // over too) and the opponent's reply state as they were before it; redo()
    // plays the step taken back last again exactly as recorded, whatever the
    // options are now. Either reports one Restored event, or returns false and
    // changes nothing when there is no step. A new move discards the steps to
    // redo. Not to be called from inside a click.
    bool undo();
    bool redo();
    bool canUndo() const { return m_stepCount > 0; }
    bool canRedo() const { return m_stepCount < m_recordedSteps; }

    const Board &board() const { return m_board; }
    // The columns 0..6 of the balls on the board in the order they were
    // played, the computer's replies included; not the moves redo can bring.
    std::span<const std::int8_t> moves() const { return {m_moves.data(), static_cast<std::size_t>(m_moveCount)}; }
    Player sideToMove() const { return m_board.sideToMove; }
    bool isGameOver() const { return m_board.gameOver; }
    Result result() const;

    int lineCount() const { return m_lineCount; }
    // number is 1..lineCount().
    const GameLine &line(int number) const;

private:
    // The moves m_moves[firstMove] up to the next step's first move, and the
    // opponent's reply state around them.
    struct Step {
        int firstMove = 0;
        std::uint64_t replyStateBefore = 0;
        std::uint64_t replyStateAfter = 0;
    };

    // Plays column and closes it if it is full: a click without its history.
    void dropBall(int column);
    void replayTo(int moveCount);
    std::uint64_t replyState() const { return m_opponent ? m_opponent->replyState() : 0; }
    void PlayColumn(int Column);
    bool ScanColumn(Player p, int c);
    bool ScanRow(Player p, int R);
    bool ScanRisingDiagonals(Player p);
    bool ScanFallingDiagonals(Player p);
    bool TestFour(Player p, int a, int b, int c, int d);
    void DrawGameLine(int a, int b);
    // Closes filled column c, and ends the game once all seven are closed.
    void closeColumn(int c);
    void endGame();
    void addScore(Player p);
    void report(const GameEvent &event)
    {
        if (m_listener)
            m_listener->happened(event);
    }

    const GameOptions &m_options;
    GameListener *m_listener = nullptr;
    Opponent *m_opponent = nullptr;
    Board m_board;
    std::array<GameLine, MaxGameLines> m_lines{};
    int m_lineCount = 0;

    // Every move fills a cell, so a game never holds more moves or steps.
    std::array<std::int8_t, CellCount> m_moves{};
    std::array<Step, CellCount> m_steps{};
    int m_moveCount = 0;     // moves on the board
    int m_recordedMoves = 0; // with those taken back that redo can bring
    int m_stepCount = 0;
    int m_recordedSteps = 0;
    bool m_inReply = false; // the computer is choosing its reply to Player 1
};

} // namespace vorni
