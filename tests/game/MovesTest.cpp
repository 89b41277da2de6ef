// A move from click to closed column: turn, events, game end, the
// computer's reply nested inside Player 1's click, and taking moves back.

#include "Positions.h"

namespace vorni {
namespace {

using testing::EventLog;
using testing::FakeOpponent;
using testing::play;
using K = EventKind;

TEST(Moves, FirstMovePassesTheTurnBeforeTheBallIsPlaced)
{
    OptionValues options;
    EventLog log;
    Game game(options, &log);
    game.Butt_Click(2);
    ASSERT_EQ(log.kinds(), (std::vector<K>{K::TurnPassed, K::BallPlaced}));
    EXPECT_EQ(log.events[0].player, Player::Two);
    const GameEvent &placed = log.events[1];
    EXPECT_EQ(placed.player, Player::One);
    EXPECT_EQ(placed.column, 2);
    EXPECT_EQ(placed.row, 0);
    EXPECT_EQ(placed.cell, 13);
    EXPECT_EQ(game.sideToMove(), Player::Two);
}

TEST(Moves, AnimationIsReadAtTheMomentOfTheDrop)
{
    OptionValues options;
    options.animationOn = true;
    EventLog log;
    Game game(options, &log);
    game.Butt_Click(0);
    options.animationOn = false;
    game.Butt_Click(0);
    ASSERT_EQ(log.events.size(), 4u);
    EXPECT_TRUE(log.events[1].animated);
    EXPECT_FALSE(log.events[3].animated);
}

TEST(Moves, SixthBallClosesTheColumn)
{
    OptionValues options;
    EventLog log;
    Game game(options, &log);
    ASSERT_TRUE(play(game, "55555"));
    EXPECT_FALSE(game.board().isClosed(4));
    log.clear();
    game.Butt_Click(4);
    EXPECT_TRUE(game.board().isClosed(4));
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.back().kind, K::ColumnClosed);
    EXPECT_EQ(log.events.back().column, 4);
    EXPECT_FALSE(game.canPlay(4));
}

// Columns outside the board, a full column and a finished game are refused
// without touching anything: such a move would otherwise write off the board.
TEST(Moves, RefusedMovesChangeNothing)
{
    OptionValues options;
    EventLog log;
    Game game(options, &log);
    ASSERT_TRUE(play(game, "333333 1"));
    const Board before = game.board();
    log.clear();
    for (int column : {-1, 7, 100, 2})
        game.Butt_Click(column);
    EXPECT_EQ(game.board(), before);
    EXPECT_TRUE(log.events.empty());

    ASSERT_TRUE(play(game, "11111 222222 444444 555555 666666 777777"));
    ASSERT_TRUE(game.isGameOver());
    const Board over = game.board();
    log.clear();
    for (int column = 0; column < Columns; ++column)
        game.Butt_Click(column);
    EXPECT_EQ(game.board(), over);
    EXPECT_TRUE(log.events.empty());
}

TEST(Moves, GameEndsWhenTheLastColumnCloses)
{
    OptionValues options;
    EventLog log;
    Game game(options, &log);
    // Columns filled one after another: each column alternates owners, so
    // only rows score, and each row once.
    ASSERT_TRUE(play(game, "111111 222222 333333 444444 555555 666666 77777"));
    EXPECT_FALSE(game.isGameOver());
    log.clear();
    game.Butt_Click(6);
    ASSERT_TRUE(game.isGameOver());
    ASSERT_GE(log.events.size(), 2u);
    EXPECT_EQ(log.events[log.events.size() - 2].kind, K::ColumnClosed);
    EXPECT_EQ(log.events.back().kind, K::GameOver);
    EXPECT_EQ(log.events.back().result, game.result());
    // Rows 1, 3, 5 go to Player 1, rows 2, 4, 6 to Player 2.
    EXPECT_EQ(game.board().score(Player::One), 3);
    EXPECT_EQ(game.board().score(Player::Two), 3);
    EXPECT_EQ(resultText(game.result()), "Both are Equal");
}

TEST(Moves, ResultTextsFollowTheScores)
{
    EXPECT_EQ(resultText(Result::Player1Wins), "Player 1 Wins");
    EXPECT_EQ(resultText(Result::Player2Wins), "Player 2 Wins");
    EXPECT_EQ(resultText(Result::Equal), "Both are Equal");
}

struct ComputerSeam : ::testing::Test {
    OptionValues options;
    EventLog log;
    FakeOpponent computer;
    Game game{options, &log};
    void SetUp() override { game.setOpponent(&computer); }
};

TEST_F(ComputerSeam, AskedOnlyAfterPlayer1AndOnlyWhileOn)
{
    computer.replies = {6, 6, 6};
    game.Butt_Click(0); // off: Player 2 is a person
    EXPECT_EQ(computer.asked, 0);
    options.computerOn = true;
    game.Butt_Click(1); // Player 2's own move asks nobody
    EXPECT_EQ(computer.asked, 0);
    game.Butt_Click(2);
    EXPECT_EQ(computer.asked, 1);
    EXPECT_EQ(game.board().owner(37), Player::Two);
    EXPECT_EQ(game.sideToMove(), Player::One);
}

TEST_F(ComputerSeam, ReplyRunsBeforePlayer1sColumnIsClosed)
{
    // Everything full but column A (4 balls) and column G (5 balls).
    ASSERT_TRUE(play(game, "222222 333333 444444 555555 666666 77777 1111"));
    ASSERT_EQ(game.sideToMove(), Player::Two);
    game.Butt_Click(0);
    ASSERT_EQ(game.sideToMove(), Player::One);

    // Player 1 fills column A; the reply fills G, the last open column.
    options.computerOn = true;
    computer.replies = {6};
    log.clear();
    game.Butt_Click(0);
    EXPECT_EQ(computer.asked, 1);
    ASSERT_TRUE(game.isGameOver());
    std::vector<GameEvent> closings;
    for (const GameEvent &e : log.events) {
        if (e.kind == K::ColumnClosed || e.kind == K::GameOver)
            closings.push_back(e);
    }
    ASSERT_EQ(closings.size(), 3u);
    EXPECT_EQ(closings[0].column, 6); // the reply's own column, inside the click
    EXPECT_EQ(closings[1].column, 0);
    EXPECT_EQ(closings[2].kind, K::GameOver);
    EXPECT_EQ(closings[2].result, game.result());
}

TEST_F(ComputerSeam, ReplyIntoTheSameColumnEndsTheGameOnce)
{
    // The last two free cells are both in column D.
    ASSERT_TRUE(play(game, "111111 222222 333333 555555 666666 777777 4444"));
    ASSERT_EQ(game.sideToMove(), Player::One);
    options.computerOn = true;
    computer.replies = {3};
    log.clear();
    game.Butt_Click(3);
    EXPECT_EQ(computer.asked, 1);
    EXPECT_TRUE(game.isGameOver());
    EXPECT_TRUE(game.board().isClosed(3));
    int closed = 0;
    int over = 0;
    for (const GameEvent &e : log.events) {
        closed += e.kind == K::ColumnClosed;
        over += e.kind == K::GameOver;
    }
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(over, 1);
    EXPECT_EQ(log.events.back().kind, K::GameOver);
}

TEST_F(ComputerSeam, ReplyCannotUseTheColumnPlayer1JustFilled)
{
    ASSERT_TRUE(play(game, "11111 2"));
    options.computerOn = true;
    // Column A is full but not yet closed while the reply is chosen.
    computer.replies = {0};
    game.Butt_Click(0);
    EXPECT_EQ(computer.asked, 1);
    EXPECT_EQ(game.board().fillCount(0), 6);
    EXPECT_EQ(game.board().owner(6), Player::One);
    EXPECT_EQ(game.sideToMove(), Player::Two);
    EXPECT_TRUE(game.board().isClosed(0));
}

// A script is a column sequence with actions: 'u' undo, 'r' redo, 'n' New Game.
struct UndoCase {
    std::string_view script;
    bool done; // what a final undo or redo returns
    std::string_view samePositionAs;
};

void PrintTo(const UndoCase &c, std::ostream *os)
{
    *os << '"' << c.script << '"';
}

class Undo : public ::testing::TestWithParam<UndoCase> { };

TEST_P(Undo, LeavesThePositionOfThePlainGameAndReportsOnlyRestored)
{
    OptionValues options;
    EventLog log;
    Game game(options, &log);
    bool done = false;
    for (char ch : GetParam().script) {
        log.clear();
        done = (ch == 'u' && game.undo()) || (ch == 'r' && game.redo());
        if (ch == 'n')
            game.newGame();
        else if (ch >= '1' && ch <= '9')
            game.Butt_Click(ch - '1');
    }
    if (GetParam().script.ends_with('u') || GetParam().script.ends_with('r')) {
        EXPECT_EQ(done, GetParam().done);
        EXPECT_EQ(log.kinds(), done ? std::vector<K>{K::Restored} : std::vector<K>{});
    }
    Game plain(options);
    ASSERT_TRUE(play(plain, GetParam().samePositionAs));
    EXPECT_TRUE(testing::positionOf(game, nullptr) == testing::positionOf(plain, nullptr));
}

constexpr UndoCase Edges[] = {
    {"u", false, ""},
    {"44n u", false, ""},
    {"44u n r", false, ""},
    {"44u5 r", false, "45"},
    {"445 uuur", true, "4"},
    // Refused clicks (a full column, no column) are no steps.
    {"111111 18 u", true, "11111"},
    // The next line takes the number after the highest left.
    {"12121212 u2", false, "12121212"},
    {"111111 222222 333333 444444 555555 666666 777777 u", true, "111111 222222 333333 444444 555555 666666 77777"},
};
// Named by their place in the table and printed as their scripts, so that their test names stay the same.
INSTANTIATE_TEST_SUITE_P(Edges, Undo, ::testing::ValuesIn(Edges),
                         [](const auto &param) { return "Case" + std::to_string(param.index); });

} // namespace
} // namespace vorni
