// The window played at random as a restless player plays it: clicks, double-clicks and drags on every
// control, mouse moves, the keys the game knows and some it does not, a screen reader's presses, undo and
// redo, hints and copies, New Game and the options, during drops and between them. Each input the window takes is also
// played, in order, on a game of the test's own; whenever the window has settled it must show exactly
// that game, and undo then redo must give the same board back.
//
//   SOAK_SEED=1 SOAK_EVENTS=20000 vorni-ui-soak-tests     # the defaults; `make soak` plays 10^6
//   SOAK_SECONDS=100 ...                                   # stops after that time, whatever the count
//
// A failure names the seed and the event; the same seed plays the same events again. Both that and the
// count played are printed plainly, past QtTest's limit on messages.

#include "WindowTest.h"

#include "GameText.h"
#include "Keys.h"

#include <QAnimationDriver>
#include <QClipboard>
#include <QMessageBox>
#include <QSettings>

#include <cstdio>
#include <deque>
#include <random>

using namespace vorni;
using namespace vorni::testing;

namespace {

// The game the window's inputs should have made, played through the rules of its own.
struct Model {
    OptionValues options;
    bool gameLines = true;
    RandomGenerator generator;
    Computer computer{generator};
    Game game{options};

    explicit Model(std::uint64_t replyState)
    {
        generator.setState(replyState);
        game.setOpponent(&computer);
    }

    // As the window handles an input when its turn comes.
    void apply(const Input &input)
    {
        switch (input.kind) {
        case Input::Kind::Button:
        case Input::Kind::Letter:
            // A full column's button is disabled, and so are all once the game is over.
            if (game.canPlay(input.index))
                game.Butt_Click(input.index);
            break;
        case Input::Kind::Command:
        case Input::Kind::Caption:
            switch (*commandAt(input.index)) {
            case Command::Animation:
                options.animationOn = !options.animationOn;
                break;
            case Command::PlayComputer:
                options.computerOn = !options.computerOn;
                break;
            case Command::GameLine:
                gameLines = !gameLines;
                break;
            case Command::NewGame:
                game.newGame();
                break;
            case Command::Out:
                QFAIL("the random player never closes the game");
            }
            break;
        case Input::Kind::Undo:
            game.undo();
            break;
        case Input::Kind::Redo:
            game.redo();
            break;
        case Input::Kind::Hint:
            break;
        case Input::Kind::Copy:
            copied = QString::fromStdString(gameText(game));
            break;
        }
    }
    QString copied; // what the last copy put on the clipboard
};

// The clock of the window's animations, which stands still: a ball falls only when the test lets it
// land, so the same seed meets the same moves in flight however fast the machine is.
class StillClock : public QAnimationDriver {
public:
    using QAnimationDriver::QAnimationDriver;
    qint64 elapsed() const override { return 0; }
};

// A key and what the game makes of it.
struct KeyInput {
    const char *keys;
    std::optional<Input> input;
};
const std::array<KeyInput, 24> Keys{{
    {"A", Input{Input::Kind::Letter, 0}},
    {"D", Input{Input::Kind::Letter, 3}},
    {"G", Input{Input::Kind::Letter, 6}},
    {"Shift+C", Input{Input::Kind::Letter, 2}},
    {"2", Input{Input::Kind::Letter, 1}},
    {"5", Input{Input::Kind::Letter, 4}},
    {"7", Input{Input::Kind::Letter, 6}},
    {"Ctrl+A", Input{Input::Kind::Command, indexOf(Command::Animation)}},
    {"Ctrl+P", Input{Input::Kind::Command, indexOf(Command::PlayComputer)}},
    {"Ctrl+L", Input{Input::Kind::Command, indexOf(Command::GameLine)}},
    {"Ctrl+N", Input{Input::Kind::Command, indexOf(Command::NewGame)}},
    {"Ctrl+Z", Input{Input::Kind::Undo}},
    {"Ctrl+Shift+Z", Input{Input::Kind::Redo}},
    {"Ctrl+Y", Input{Input::Kind::Redo}},
    {"Ctrl+H", Input{Input::Kind::Hint}},
    {"Ctrl+C", Input{Input::Kind::Copy}},
    {"H", std::nullopt},
    {"8", std::nullopt},
    {"0", std::nullopt},
    {"Ctrl+D", std::nullopt},
    {"Alt+E", std::nullopt},
    {"Escape", std::nullopt},
    {"F2", std::nullopt},
    {"Ctrl+Shift+N", std::nullopt},
}};

} // namespace

class SoakTest : public WindowTest {
    Q_OBJECT

    std::mt19937_64 m_random;
    std::unique_ptr<Model> m_model;
    std::deque<QString> m_recent; // the last events given, for a failure's report
    StillClock m_clock;
    int m_checks = 0;
    long m_played = 0;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    void note(const QString &event)
    {
        m_recent.push_back(event + (isBusy() ? QStringLiteral(" (during a move)") : QString()));
        if (m_recent.size() > 12)
            m_recent.pop_front();
    }
    void take(const std::optional<Input> &input)
    {
        if (input)
            m_model->apply(*input);
    }

    // What a click at a point of the window is: the control there takes it, if it takes clicks.
    std::optional<Input> inputAt(QPoint at) const { return inputOf(m_window->childAt(at)); }
    std::optional<Input> inputOf(const QWidget *target) const
    {
        if (!target || !target->isEnabled())
            return std::nullopt;
        const QString name = target->objectName();
        const int index = name.section(u'(', 1).section(u')', 0, 0).toInt();
        if (name.startsWith(QLatin1String("butt(")))
            return Input{Input::Kind::Button, index};
        if (name.startsWith(QLatin1String("ButtLb(")))
            return Input{Input::Kind::Letter, index};
        if (name.startsWith(QLatin1String("CButt(")))
            return Input{Input::Kind::Command, index};
        if (name.startsWith(QLatin1String("CButtLB(")))
            return Input{Input::Kind::Caption, index};
        return std::nullopt;
    }

    // A control the random player aims at, never "Out".
    QWidget *randomControl()
    {
        switch (pick(6)) {
        case 0:
        case 1:
            return butt(pick(Columns));
        case 2:
            return buttLb(pick(Columns));
        case 3:
            return button(Commands[static_cast<std::size_t>(pick(CommandCount - 1))]);
        case 4:
            return caption(Commands[static_cast<std::size_t>(pick(CommandCount - 1))]);
        default:
            return pick(2) ? static_cast<QWidget *>(control("Image1")) : ball(1 + pick(CellCount));
        }
    }
    QPoint randomPointIn(const QWidget *w)
    {
        return w->mapTo(m_window.get(), QPoint(pick(w->width()), pick(w->height())));
    }

    void clickAt(QPoint at) { QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, at); }

    // One random event, given as a player gives it, and taken by the model as the window takes it.
    void giveRandomEvent()
    {
        QWindow *window = m_window->windowHandle();
        const int kind = pick(100);
        if (kind < 30) {
            QWidget *target = pick(3) ? static_cast<QWidget *>(butt(pick(Columns))) : buttLb(pick(Columns));
            note(QStringLiteral("click on ") + target->objectName());
            const std::optional<Input> input = inputAt(centreInWindow(m_window.get(), target));
            click(target);
            take(input);
        } else if (kind < 38) {
            QWidget *target = randomControl();
            const QPoint at = randomPointIn(target);
            note(QStringLiteral("click at %1,%2").arg(at.x()).arg(at.y()));
            const std::optional<Input> input = inputAt(at);
            clickAt(at);
            take(input);
        } else if (kind < 43) {
            QWidget *target = randomControl();
            note(QStringLiteral("double-click on ") + target->objectName());
            const QPoint at = centreInWindow(m_window.get(), target);
            const std::optional<Input> input = inputAt(at);
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
            take(input); // the second press of a double-click is none
        } else if (kind < 47) {
            // A quick click on the next column's button is a click there, though Qt calls it a double-click.
            const int c = pick(Columns - 1);
            note(QStringLiteral("quick clicks on columns %1 and %2").arg(c).arg(c + 1));
            const QPoint left = butt(c)->mapTo(m_window.get(), QPoint(butt(c)->width() - 2, 10));
            const QPoint right = butt(c + 1)->mapTo(m_window.get(), QPoint(1, 10));
            const std::optional<Input> first = inputAt(left);
            clickAt(left);
            take(first);
            const std::optional<Input> second = inputAt(right);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
            clickAt(right);
            take(second);
        } else if (kind < 51) {
            QWidget *from = randomControl();
            QWidget *to = randomControl();
            note(QStringLiteral("press on %1, release on %2").arg(from->objectName(), to->objectName()));
            const QPoint press = centreInWindow(m_window.get(), from);
            const QPoint release = centreInWindow(m_window.get(), to);
            QWidget *pressed = m_window->childAt(press);
            const std::optional<Input> input = inputOf(pressed);
            QTest::mousePress(window, Qt::LeftButton, {}, press);
            QTest::mouseRelease(window, Qt::LeftButton, {}, release);
            // The pressed control takes the release, which clicks it while the pointer is still over it.
            if (pressed && pressed->rect().contains(pressed->mapFrom(m_window.get(), release)))
                take(input);
        } else if (kind < 60) {
            const QPoint at(pick(m_window->width()), pick(m_window->height()));
            note(QStringLiteral("move to %1,%2").arg(at.x()).arg(at.y()));
            QTest::mouseMove(window, at);
        } else if (kind < 80) {
            const KeyInput &key = Keys[static_cast<std::size_t>(pick(static_cast<int>(Keys.size())))];
            note(QStringLiteral("key ") + QLatin1String(key.keys));
            give(QStringLiteral("key ") + QLatin1String(key.keys));
            take(key.input);
        } else if (kind < 87) {
            // Tab moves the focus; Space or Enter presses the focused control, or nothing on the window.
            const char *keys[] = {"Tab", "Shift+Tab", "Space", "Return", "Enter"};
            const char *key = keys[pick(5)];
            note(QStringLiteral("typed ") + QLatin1String(key));
            const bool press = !QByteArray(key).endsWith("Tab");
            // The window's keys go to the control in it that has the focus, which must not be "Out".
            const std::optional<Input> input = press ? inputOf(m_window->focusWidget()) : std::nullopt;
            if (m_window->focusWidget() == button(Command::Out) && press)
                return;
            give(QStringLiteral("typed ") + QLatin1String(key));
            take(input);
        } else if (kind < 92) {
            QWidget *target = randomControl();
            const bool isButton = qobject_cast<ImageControl *>(target) && target != control("Image1")
                && !target->objectName().startsWith(QLatin1String("Balls"));
            if (!isButton)
                return;
            note(QStringLiteral("reader presses ") + target->objectName());
            const std::optional<Input> input = inputOf(target);
            give(QStringLiteral("action %1 Press").arg(target->objectName()));
            take(input);
        } else if (kind < 93) {
            // Making the keys' box costs more than a thousand other events: it comes once in a thousand.
            if (pick(10) != 0)
                return;
            note(QStringLiteral("F1, and the keys' box closed"));
            QTest::keyClick(m_window.get(), Qt::Key_F1);
            if (auto *box = m_window->findChild<QMessageBox *>(QStringLiteral("KeysHelp")))
                box->close();
            QCoreApplication::processEvents();
        } else {
            // Undo then redo gives the board back.
            settle();
            if (!game().canUndo())
                return;
            note(QStringLiteral("undo, then redo"));
            const Board before = game().board();
            give(QStringLiteral("key Ctrl+Z"));
            take(Input{Input::Kind::Undo});
            settle();
            give(QStringLiteral("key Ctrl+Y"));
            take(Input{Input::Kind::Redo});
            settle();
            QVERIFY(game().board() == before);
        }
    }

    // Every ball falls at once and every input waiting is handled.
    void settle()
    {
        for (int round = 0; isBusy() || waitingInputs() > 0; ++round) {
            QVERIFY2(round < 1000, "the window never settles");
            for (auto *drop : mirror()->findChildren<QVariantAnimation *>()) {
                if (drop->state() == QAbstractAnimation::Running)
                    drop->setCurrentTime(drop->duration());
            }
        }
    }

    // The window shows the model's game and options.
    void checkPromises()
    {
        verifyMirror();
        if (QTest::currentTestFailed())
            return;
        const Game &expected = m_model->game;
        QVERIFY2(game().board() == expected.board(), "the board is not the one the inputs made");
        QCOMPARE(game().lineCount(), expected.lineCount());
        QCOMPARE(game().canUndo(), expected.canUndo());
        QCOMPARE(game().canRedo(), expected.canRedo());
        QCOMPARE(commands()->animation(), m_model->options.animationOn);
        QCOMPARE(commands()->playComputer(), m_model->options.computerOn);
        QCOMPARE(commands()->isOn(Command::GameLine), m_model->gameLines);
        if (!m_model->copied.isEmpty())
            QCOMPARE(QGuiApplication::clipboard()->text(), m_model->copied);
        if (++m_checks % 200 != 0)
            return;
        // The lines are drawn while "Game Line" is on, and none while it is off.
        const QImage lines = linesView()->grab().toImage();
        bool drawn = false;
        for (int y = 0; y < lines.height() && !drawn; ++y) {
            for (int x = 0; x < lines.width() && !drawn; ++x)
                drawn = qAlpha(lines.pixel(x, y)) != 0;
        }
        QCOMPARE(drawn, m_model->gameLines && expected.lineCount() > 0);
        // What the store is handed is the captions' strike-through.
        commands()->saveOptions();
        QSettings stored(storedFile(), QSettings::IniFormat);
        QCOMPARE(stored.value("Settings/Animation").toString(), boolToText(!m_model->options.animationOn));
        QCOMPARE(stored.value("Settings/Playcomputer").toString(), boolToText(!m_model->options.computerOn));
        QCOMPARE(stored.value("Settings/GameLine").toString(), boolToText(!m_model->gameLines));
    }

    // Plays events from seed; fails naming the seed and the event.
    void play(std::uint64_t seed, long events, int seconds)
    {
        m_clock.install();
        QElapsedTimer timer;
        timer.start();
        m_random.seed(seed);
        m_model = std::make_unique<Model>(processGenerator().state());
        m_model->options.animationOn = commands()->animation();
        m_model->options.computerOn = commands()->playComputer();
        m_model->gameLines = commands()->isOn(Command::GameLine);
        for (long i = 0; i < events && (seconds <= 0 || timer.elapsed() < seconds * 1000); ++i) {
            m_played = i + 1;
            giveRandomEvent();
            // Now and then a burst of inputs lands while a ball falls.
            const bool burst = chance(0.6);
            if (!QTest::currentTestFailed() && (!isBusy() || !burst)) {
                settle();
                checkPromises();
            }
            if (QTest::currentTestFailed()) {
                std::fprintf(stderr, "random play from seed %llu failed at event %ld; the last events:\n  %s\n",
                             static_cast<unsigned long long>(seed), i,
                             qPrintable(QStringList(m_recent.begin(), m_recent.end()).join(QLatin1String("\n  "))));
                return;
            }
        }
    }

private slots:
    void randomPlayKeepsThePromises()
    {
        const std::uint64_t seed = qEnvironmentVariableIsSet("SOAK_SEED") ? qgetenv("SOAK_SEED").toULongLong() : 1;
        const long events = qEnvironmentVariableIsSet("SOAK_EVENTS") ? qgetenv("SOAK_EVENTS").toLong() : 20000;
        const int seconds = qEnvironmentVariableIntValue("SOAK_SECONDS");
        QElapsedTimer timer;
        timer.start();
        play(seed, events, seconds);
        const double elapsed = static_cast<double>(timer.elapsed()) / 1000.0;
        if (!QTest::currentTestFailed())
            std::printf("%ld random events from seed %llu in %.1f s: %.0f a second\n", m_played,
                        static_cast<unsigned long long>(seed), elapsed, static_cast<double>(m_played) / elapsed);
    }
};

QTEST_MAIN(SoakTest)
#include "SoakTest.moc"
