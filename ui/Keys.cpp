#include "Keys.h"

#include "Command.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include <array>

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

struct KeyHelp {
    const char *keys;
    const char *does;
};
constexpr std::array<KeyHelp, 11> KeyHelps{{
    {"A to G, 1 to 7", "drop a ball into that column"},
    {"Tab, Shift+Tab", "move the focus over the column buttons and the commands"},
    {"Space, Enter", "press the button that has the focus"},
    {"Ctrl+Z", "take back the last move (against the computer, your move and its answer)"},
    {"Ctrl+Shift+Z, Ctrl+Y", "play the move taken back again"},
    {"Ctrl+N", "New Game"},
    {"Ctrl+A", "Animation on or off"},
    {"Ctrl+P", "Player vs Computer on or off"},
    {"Ctrl+L", "Game Line on or off"},
    {"Ctrl+Q", "Out"},
    {"F1", "these keys"},
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
    for (const KeyHelp &help : KeyHelps)
        text += QStringLiteral("%1\t%2\n").arg(QString::fromLatin1(help.keys), QString::fromLatin1(help.does));
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
    QString rows;
    for (const KeyHelp &help : KeyHelps) {
        rows
            += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                   .arg(QString::fromLatin1(help.keys).toHtmlEscaped(), QString::fromLatin1(help.does).toHtmlEscaped());
    }
    auto *box
        = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Vorni Game: keys"),
                          QStringLiteral("<table cellspacing=\"6\">%1</table>").arg(rows), QMessageBox::Close, parent);
    box->setObjectName(QStringLiteral("KeysHelp"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the game's window only, and without an event loop of its own: the game goes on
    // showing what it shows while the keys are read.
    box->open();
    shown = box;
}

} // namespace vorni
