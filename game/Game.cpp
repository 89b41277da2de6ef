#include "Game.h"

#include <utility>

namespace vorni {

namespace {

// A diagonal long enough for four: its lower end cell and its length. The
// windows of four are tried from the lower end upward.
struct Diagonal {
    int lowerEnd;
    int length;
};

// Rising diagonals run lower left to upper right (+7), falling ones lower
// right to upper left (-5); index = diagonal number - 1.
constexpr std::array<Diagonal, 6> RisingDiagonals{{{3, 4}, {2, 5}, {1, 6}, {7, 6}, {13, 5}, {19, 4}}};
constexpr std::array<Diagonal, 6> FallingDiagonals{{{39, 4}, {38, 5}, {37, 6}, {31, 6}, {25, 5}, {19, 4}}};
constexpr int RisingStep = 7;
constexpr int FallingStep = -5;

constexpr std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

std::string_view resultText(Result result)
{
    switch (result) {
    case Result::Player1Wins:
        return "Player 1 Wins";
    case Result::Player2Wins:
        return "Player 2 Wins";
    case Result::Equal:
        break;
    }
    return "Both are Equal";
}

Game::Game(const GameOptions &options, GameListener *listener)
    : m_options(options)
    , m_listener(listener)
{
}

bool Game::canPlay(int column) const
{
    return isColumn(column) && !m_board.gameOver && !m_board.isFull(column);
}

void Game::Butt_Click(int Index)
{
    // A full column's button is disabled and the computer judges by the
    // count; refusing here as well keeps every write inside the board.
    if (!canPlay(Index))
        return;
    assert(m_moveCount < CellCount);
    const int firstMove = m_moveCount++;
    m_moves[at(firstMove)] = static_cast<std::int8_t>(Index);
    // The computer's reply belongs to the step of the click it answers: undo
    // takes both back and leaves Player 1 to move.
    const bool newStep = !m_inReply;
    const std::uint64_t replyStateBefore = newStep ? replyState() : 0;
    dropBall(Index);
    if (!newStep)
        return;
    assert(m_stepCount < CellCount);
    m_steps[at(m_stepCount++)] = {firstMove, replyStateBefore, replyState()};
    m_recordedSteps = m_stepCount;
    m_recordedMoves = m_moveCount;
}

void Game::dropBall(int column)
{
    PlayColumn(column);
    if (m_board.isFull(column))
        closeColumn(column);
}

void Game::replayTo(int moveCount)
{
    // The recorded moves already hold the computer's replies, so the replay
    // asks no opponent; nor does the listener hear it move by move.
    GameListener *const listener = std::exchange(m_listener, nullptr);
    Opponent *const opponent = std::exchange(m_opponent, nullptr);
    if (moveCount < m_moveCount) {
        m_board = Board{};
        m_lineCount = 0;
        m_moveCount = 0;
    }
    // Played one after another the moves give the same position as when the
    // reply was nested: the ball order, and so the line numbers, are the same.
    for (; m_moveCount < moveCount; ++m_moveCount) {
        const int column = m_moves[at(m_moveCount)];
        assert(canPlay(column));
        dropBall(column);
    }
    m_listener = listener;
    m_opponent = opponent;
}

bool Game::undo()
{
    assert(!m_inReply);
    if (!canUndo())
        return false;
    const Step &step = m_steps[at(--m_stepCount)];
    replayTo(step.firstMove);
    if (m_opponent)
        m_opponent->restoreReplyState(step.replyStateBefore);
    report({.kind = EventKind::Restored, .player = m_board.sideToMove});
    return true;
}

bool Game::redo()
{
    assert(!m_inReply);
    if (!canRedo())
        return false;
    const Step &step = m_steps[at(m_stepCount++)];
    replayTo(m_stepCount < m_recordedSteps ? m_steps[at(m_stepCount)].firstMove : m_recordedMoves);
    if (m_opponent)
        m_opponent->restoreReplyState(step.replyStateAfter);
    report({.kind = EventKind::Restored, .player = m_board.sideToMove});
    return true;
}

void Game::PlayColumn(int Column)
{
    const int c = Column;
    const int n = m_board.fill[at(c)];
    const int target = cellOf(c, n);

    // The turn passes before the ball is drawn.
    const Player mover = m_board.sideToMove;
    m_board.sideToMove = opponentOf(mover);
    report({.kind = EventKind::TurnPassed, .player = m_board.sideToMove});

    m_board.owners[at(target)] = mover;
    report({.kind = EventKind::BallPlaced,
            .player = mover,
            .column = c,
            .row = n,
            .cell = target,
            .animated = m_options.animation()});

    if (ScanColumn(mover, c))
        addScore(mover);
    if (ScanRow(mover, n + 1))
        addScore(mover);
    if (ScanRisingDiagonals(mover))
        addScore(mover);
    if (ScanFallingDiagonals(mover))
        addScore(mover);

    m_board.fill[at(c)] = n + 1;

    // The reply runs here, before this click closes its own column.
    if (mover == Player::One && m_opponent && m_options.playComputer()) {
        m_inReply = true;
        m_opponent->ComputerMove(*this);
        m_inReply = false;
    }
}

void Game::addScore(Player p)
{
    int &score = m_board.scores[p == Player::One ? 0 : 1];
    ++score;
    report({.kind = EventKind::ScoreChanged, .player = p, .score = score});
}

bool Game::ScanColumn(Player p, int c)
{
    if (m_board.ColumnScored[at(c)])
        return false;
    int run = 0;
    for (int k = cellOf(c, 0); k <= cellOf(c, Rows - 1); ++k) {
        run = m_board.owners[at(k)] == p ? run + 1 : 0;
        if (run == 4) {
            m_board.ColumnScored[at(c)] = true;
            DrawGameLine(k, k - 3);
            return true;
        }
    }
    return false;
}

bool Game::ScanRow(Player p, int R)
{
    if (m_board.RowScored[at(R)])
        return false;
    for (int left = R; left <= R + 18; left += 6) {
        const bool match = m_board.owners[at(left)] == p && m_board.owners[at(left + 6)] == p
            && m_board.owners[at(left + 12)] == p && m_board.owners[at(left + 18)] == p;
        if (match) {
            m_board.RowScored[at(R)] = true;
            DrawGameLine(left, left + 18);
            return true;
        }
    }
    return false;
}

bool Game::ScanRisingDiagonals(Player p)
{
    for (int d = 1; d <= 6; ++d) {
        if (m_board.RisingScored[at(d)])
            continue;
        const Diagonal diagonal = RisingDiagonals[at(d - 1)];
        for (int w = 0; w + 4 <= diagonal.length; ++w) {
            const int a = diagonal.lowerEnd + w * RisingStep;
            if (TestFour(p, a, a + RisingStep, a + 2 * RisingStep, a + 3 * RisingStep)) {
                m_board.RisingScored[at(d)] = true;
                return true;
            }
        }
    }
    return false;
}

bool Game::ScanFallingDiagonals(Player p)
{
    for (int d = 1; d <= 6; ++d) {
        if (m_board.FallingScored[at(d)])
            continue;
        const Diagonal diagonal = FallingDiagonals[at(d - 1)];
        for (int w = 0; w + 4 <= diagonal.length; ++w) {
            const int a = diagonal.lowerEnd + w * FallingStep;
            if (TestFour(p, a, a + FallingStep, a + 2 * FallingStep, a + 3 * FallingStep)) {
                m_board.FallingScored[at(d)] = true;
                return true;
            }
        }
    }
    return false;
}

bool Game::TestFour(Player p, int a, int b, int c, int d)
{
    const auto &o = m_board.owners;
    if (o[at(a)] != p || o[at(b)] != p || o[at(c)] != p || o[at(d)] != p)
        return false;
    DrawGameLine(a, d);
    return true;
}

void Game::DrawGameLine(int a, int b)
{
    // At most one line per column, row and diagonal, so the table never fills.
    assert(m_lineCount < MaxGameLines);
    GameLine &line = m_lines[at(m_lineCount)];
    line = {.number = m_lineCount + 1, .from = a, .to = b};
    ++m_lineCount;
    report({.kind = EventKind::LineDrawn, .line = line.number});
}

const GameLine &Game::line(int number) const
{
    assert(number >= 1 && number <= m_lineCount);
    return m_lines[at(number - 1)];
}

void Game::closeColumn(int c)
{
    // With the computer's reply in the same column, the nested click has
    // closed it already; closing twice changes nothing.
    if (m_board.closed[at(c)])
        return;
    m_board.closed[at(c)] = true;
    report({.kind = EventKind::ColumnClosed, .column = c});
    for (bool closed : m_board.closed) {
        if (!closed)
            return;
    }
    endGame();
}

Result Game::result() const
{
    const int one = m_board.score(Player::One);
    const int two = m_board.score(Player::Two);
    if (one > two)
        return Result::Player1Wins;
    if (two > one)
        return Result::Player2Wins;
    return Result::Equal;
}

void Game::endGame()
{
    if (m_board.gameOver)
        return;
    m_board.gameOver = true;
    report({.kind = EventKind::GameOver, .result = result()});
}

void Game::newGame()
{
    m_board = Board{};
    m_lineCount = 0;
    m_moveCount = 0;
    m_recordedMoves = 0;
    m_stepCount = 0;
    m_recordedSteps = 0;
    report({.kind = EventKind::Restored, .player = m_board.sideToMove});
}

} // namespace vorni
