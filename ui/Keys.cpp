#include "Keys.h"

#include "Command.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include <array>
#include <span>

namespace vorni {

namespace {

// Ctrl with a letter runs a command. The options take the letter of their caption.
struct CommandKey {
    Qt::Key key;
    Command command;
};
constexpr std::array<CommandKey, 4> CommandKeys{{
    {Qt::Key_N, Command::NewGame},
    {Qt::Key_A, Command::Animation},
    {Qt::Key_P, Command::PlayComputer},
    {Qt::Key_L, Command::GameLine},
}};

// A key that runs a command is a click on its button.
Input commandInput(Command command)
{
    return {Input::Kind::Command, indexOf(command)};
}

// How the game is played, as the help window and --help show it: sections of a heading and rows of
// "what" and "what it does"; a row without a "what" is a note under the rows before it.
struct HelpRow {
    const char *what;
    const char *does;
};
struct HelpSection {
    const char *heading;
    std::span<const HelpRow> rows;
};
constexpr std::array<HelpRow, 7> MouseHelp{{
    {"Column button, letter", "drop a ball into that column"},
    {"Animation", "the ball falls down its column: on or off"},
    {"Player vs Computer", "the computer plays Player 2: on or off"},
    {"Game Line", "lines drawn over the fours that scored: on or off"},
    {"New Game", "start again"},
    {"Out", "close the game; the options are kept"},
    {nullptr, "A caption struck through means that option is off."},
}};
constexpr std::array<HelpRow, 13> KeyHelp{{
    {"A to G, 1 to 7", "drop a ball into that column"},
    {"Tab, Shift+Tab", "move the focus over the column buttons and the commands"},
    {"Space, Enter", "press the button that has the focus"},
    {"Ctrl+Z", "take back the last move (against the computer, your move and its answer)"},
    {"Ctrl+Shift+Z, Ctrl+Y", "play the move taken back again"},
    {"Ctrl+H", "a hint: mark the column the computer's rules choose"},
    {"Ctrl+C", "copy the game so far as one line of text"},
    {"Ctrl+N", "New Game"},
    {"Ctrl+A", "Animation on or off"},
    {"Ctrl+P", "Player vs Computer on or off"},
    {"Ctrl+L", "Game Line on or off"},
    {"Ctrl+Q", "Out: close the game"},
    {"F1", "this help"},
}};
constexpr std::array<HelpSection, 2> Help{{
    {"With the mouse, click:", MouseHelp},
    {"With the keys:", KeyHelp},
}};

// The keys A to G where a PC keyboard has them, as X and Wayland number them (the kernel's codes + 8).
constexpr std::array<quint32, 7> LetterScanCodes{38, 56, 54, 40, 26, 41, 42};

// The column of a key that types a letter of another script (Cyrillic, Greek...): the one printed beside
// it. A layout of Latin letters (AZERTY, Dvorak) keeps its own letters, as printed.
std::optional<int> columnOfOtherScript(const QKeyEvent &event)
{
    const QString text = event.text();
    if (text.size() != 1 || !text.front().isLetter() || text.front().script() == QChar::Script_Latin)
        return std::nullopt;
    for (std::size_t c = 0; c < LetterScanCodes.size(); ++c) {
        if (event.nativeScanCode() == LetterScanCodes[c])
            return static_cast<int>(c);
    }
    return std::nullopt;
}

} // namespace

KeyAction actionForKey(const QKeyEvent &event)
{
    const int key = event.key();
    // Shift and the keypad do not change a key; Caps Lock never shows as a modifier.
    const Qt::KeyboardModifiers mods = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);

    if (key == Qt::Key_F1 && mods == Qt::NoModifier)
        return {.input = std::nullopt, .help = true};
    if (mods == Qt::NoModifier) {
        // A held key repeats; a ball is dropped once per press.
        if (event.isAutoRepeat())
            return {};
        if (key >= Qt::Key_A && key <= Qt::Key_G)
            return {.input = Input{Input::Kind::Letter, key - Qt::Key_A}};
        if (key >= Qt::Key_1 && key <= Qt::Key_7)
            return {.input = Input{Input::Kind::Letter, key - Qt::Key_1}};
        if (const std::optional<int> column = columnOfOtherScript(event))
            return {.input = Input{Input::Kind::Letter, *column}};
        return {};
    }
    if (mods != Qt::ControlModifier)
        return {};
    if (key == Qt::Key_Z)
        return {.input = Input{shift ? Input::Kind::Redo : Input::Kind::Undo}};
    if (key == Qt::Key_Y && !shift)
        return {.input = Input{Input::Kind::Redo}};
    if (key == Qt::Key_H && !shift)
        return {.input = Input{Input::Kind::Hint}};
    if (key == Qt::Key_C && !shift)
        return {.input = Input{Input::Kind::Copy}};
    if (event.isAutoRepeat() || shift)
        return {};
    if (event.matches(QKeySequence::Quit) || key == Qt::Key_Q)
        return {.input = commandInput(Command::Out)};
    for (const CommandKey &c : CommandKeys) {
        if (key == c.key)
            return {.input = commandInput(c.command)};
    }
    return {};
}

QString keysText()
{
    QString text;
    for (const HelpSection &section : Help) {
        text += QLatin1String(section.heading) + QLatin1Char('\n');
        for (const HelpRow &row : section.rows) {
            if (row.what)
                text += QLatin1String(row.what) + QLatin1Char('\t');
            text += QLatin1String(row.does) + QLatin1Char('\n');
        }
        text += QLatin1Char('\n');
    }
    text.chop(1);
    return text;
}

void showKeysHelp(QWidget *parent)
{
    static QPointer<QMessageBox> shown;
    if (shown) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    QString html;
    for (const HelpSection &section : Help) {
        html += QStringLiteral("<p><b>%1</b></p><table cellspacing=\"4\">").arg(QLatin1String(section.heading));
        for (const HelpRow &row : section.rows) {
            const QString does = QString::fromLatin1(row.does).toHtmlEscaped();
            html += row.what ? QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                                   .arg(QString::fromLatin1(row.what).toHtmlEscaped(), does)
                             : QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>").arg(does);
        }
        html += QStringLiteral("</table>");
    }
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Vorni Game: how to play"), html,
                                QMessageBox::Close, parent);
    box->setObjectName(QStringLiteral("KeysHelp"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal: a window blocked by a modal one never hears the window manager's close, and the game must
    // close however it is asked to. The box is the window's own and goes with it.
    box->setWindowModality(Qt::NonModal);
    box->show();
    shown = box;
}

} // namespace vorni
