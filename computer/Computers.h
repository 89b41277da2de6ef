#pragma once

// The computer opponent. It plays Player 2 and answers every move of Player 1
// at once, judging the board as it stands: it completes or blocks a line of
// four, then extends or blocks a pair, and otherwise plays a random column.
// It never looks ahead and remembers nothing between its moves.
//
// The rules judge a board and name a column without playing. chooseColumn
// applies them for either side, for the computer's reply as for a hint to a
// person. The rule procedures (TryColumnRun, TryRowThree, ...) play what
// their rule finds through Butt_Click, the same entry as a person's click, so
// the ball, the scoring, the turn and the end of the game are handled as for
// any move. Each either plays exactly one ball and returns true, or changes
// nothing and returns false.
//
// A side is the player whose balls a rule looks for: Player::Two to complete
// the computer's own line, Player::One to block the person's. Cell numbers,
// columns and row numbers R = r + 1 are those of Board.h.

#include "Game.h"
#include "RandomGenerator.h"
#include "Windows.h"

namespace vorni {

// No column: no rule applies, or no column has room.
constexpr int NoColumn = -1;

// The column the rules choose for side, as the computer chooses for Player 2:
// side's own lines are completed and extended, the other side's blocked, and
// every difference the order makes between the two (column 6, the vertical
// pairs) follows the roles. Draws from generator only when no pattern
// applies. NoColumn only when no column has room. Nothing is played.
int chooseColumn(const Board &board, Player side, RandomGenerator &generator);

// The column the pattern rules choose for side (1 or 2), or NoColumn when
// none applies and the choice falls to chance.
int patternColumn(const Board &board, Player side);

// The column the rules choose for the side to move, offered to a person as
// a hint: with Player 1 to move the rules judge for Player 1 as they judge
// for the computer. Nothing changes, neither the game nor the computer's
// generator; a choice by chance draws from generator, the hint's own.
// NoColumn once the game is over.
int hintColumn(const Game &game, RandomGenerator &generator);

class Computer final : public Opponent {
public:
    // Draws its random replies from the process's generator.
    Computer();
    // Draws from generator instead, which must outlive the computer.
    explicit Computer(RandomGenerator &generator);

    // Plays Player 2's reply, the column chooseColumn gives for Player 2.
    // Precondition: Player 2 is to move. If no column has room (the turn
    // order never allows it) nothing is played.
    void ComputerMove(Game &game) override;

    // The generator's state: the board and it decide every reply.
    std::uint64_t replyState() const override { return m_generator->state(); }
    void restoreReplyState(std::uint64_t state) override { m_generator->setState(state); }

private:
    RandomGenerator *m_generator;
};

// Column n - 1 (n = 1..7) holds need consecutive balls of side, counted from
// the bottom; the first such run decides. Plays that column unless it is full.
bool TryColumnRun(Game &game, Player side, int n, int need);

// A three of side with a playable gap in the windows W1..W8 of row number R
// (1..6), pattern by pattern. A row that has scored its horizontal line is
// not searched.
bool TryRowThree(Game &game, Player side, int R);

// A three of side with a playable gap in the diagonal windows: every rising
// window, pattern by pattern, before any falling one.
bool TryDiagonalThree(Game &game, Player side);

// Window c1..c4 matches three-pattern 0..3 (three of side and an empty cell)
// and its empty cell is playable: plays it.
bool MatchThreeWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4);

// The column 0..6 of cell 1..42.
constexpr int ColumnOfCell(int cell)
{
    return (cell - 1) / 6;
}

// A pair of side next to a playable empty cell in the windows W1, W2, W3, W5,
// W6, W7 of row number R (1..6), pattern by pattern. A scored row is searched
// like any other.
bool TryRowPair(Game &game, Player side, int R);

// The same on the diagonal windows: every rising window before any falling one.
bool TryDiagonalPair(Game &game, Player side);

// Window c1..c4 matches pair-pattern 0..3 and the pattern's empty cell to play
// is playable: plays it. Cells the pattern does not examine are not read.
bool MatchPairWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4);

// An empty cell is playable when a ball dropped into its column lands on it:
// it is on the bottom row or the cell below it holds a ball.
bool isPlayable(const Board &board, int cell);

// The column a fallback draw x (0 <= x < 1) names: x * 6 rounded to the
// nearest whole number, an exact half to the even neighbour, so the edge
// columns come up half as often as the inner ones.
int columnForDraw(double x);

struct FallbackChoice {
    int column = NoColumn; // no column has room
    int draws = 0;
};

// One random fallback decision: re-seed with 50, draw, and draw again while
// the drawn column is full. Draws nothing when every column is full.
FallbackChoice chooseFallbackColumn(RandomGenerator &generator, const Board &board);

} // namespace vorni
