#include "CommandPanel.h"

#include "Accessibility.h"

namespace vorni {

namespace {

// The captions in the panel's stored order, front to back.
struct CaptionPlace {
    Command command;
    const char *caption;
    int left, top, width;
    Qt::Alignment alignment;
};
constexpr std::array<CaptionPlace, CommandCount> Captions{{
    {Command::PlayComputer, "Player vs Computer", 285, 2640, 1665, Qt::AlignLeft},
    {Command::Animation, "Animation", 645, 2235, 855, Qt::AlignLeft},
    {Command::NewGame, "New Game", 615, 3075, 945, Qt::AlignLeft},
    {Command::GameLine, "Game Line", 615, 3495, 915, Qt::AlignHCenter},
    {Command::Out, "Out", 885, 3930, 330, Qt::AlignLeft},
}};

// The three options in the user's settings store, where "True" means off, as the strike-through does.
// "PlayComputer" is read and "Playcomputer" written: the store matches keys regardless of case.
const QString Application = QStringLiteral("Vorni Game");
const QString Section = QStringLiteral("Settings");
struct StoredOption {
    Command option;
    const char *readKey;
    const char *writtenKey;
    const char *fallback;
};
constexpr std::array<StoredOption, 3> StoredOptions{{
    {Command::Animation, "Animation", "Animation", "False"},
    {Command::PlayComputer, "PlayComputer", "Playcomputer", "True"},
    {Command::GameLine, "GameLine", "GameLine", "False"},
}};

constexpr int SaveDelayMs = 500;

} // namespace

CommandPanel::CommandPanel(PanelControl *panel, const QFont &captionFont, SettingsStore &store)
    : QObject(panel)
    , m_store(store)
{
    setObjectName(QStringLiteral("Commands"));
    for (const CaptionPlace &c : Captions) {
        m_captions[at(c.command)] = new LabelControl(
            panel, QStringLiteral("CButtLB(%1)").arg(indexOf(c.command)), twipsRect(c.left, c.top, c.width, 195),
            QString::fromLatin1(c.caption), captionFont, LightGreen, c.alignment, true);
    }
    caption(Command::PlayComputer)->setStrikeOut(true);
    for (Command command : Commands) {
        const int i = indexOf(command);
        const int width = command == Command::Animation ? 2040 : 2055;
        m_buttons[at(command)] = new ImageControl(panel, QStringLiteral("CButt(%1)").arg(i),
                                                  twipsRect(0, 2145 + 420 * i, width, 375), true);
    }
    m_saveSoon.setSingleShot(true);
    m_saveSoon.setInterval(SaveDelayMs);
    connect(&m_saveSoon, &QTimer::timeout, this, &CommandPanel::saveOptions);
}

std::array<QWidget *, CommandCount> CommandPanel::storedCaptions() const
{
    std::array<QWidget *, CommandCount> order{};
    for (std::size_t i = 0; i < Captions.size(); ++i)
        order[i] = caption(Captions[i].command);
    return order;
}

std::array<QWidget *, CommandCount> CommandPanel::buttons() const
{
    std::array<QWidget *, CommandCount> order{};
    for (Command command : Commands)
        order[at(command)] = button(command);
    return order;
}

bool CommandPanel::isOn(Command option) const
{
    Q_ASSERT(isOption(option));
    return !caption(option)->isStruckOut();
}

void CommandPanel::CButt_Click(int Index)
{
    const std::optional<Command> command = commandAt(Index);
    if (!command)
        return;
    switch (*command) {
    case Command::NewGame:
        emit newGameAsked();
        return;
    case Command::Out:
        emit outAsked();
        return;
    case Command::Animation:
    case Command::PlayComputer:
    case Command::GameLine:
        break;
    }
    LabelControl *label = caption(*command);
    label->setStrikeOut(!label->isStruckOut());
    QAccessible::State checked;
    checked.checked = true;
    tellStateChanged(button(*command), checked);
    if (!m_saveSoon.isActive())
        m_saveSoon.start();
    emit optionSwitched(*command);
}

void CommandPanel::CButt_MouseMove(int Index)
{
    const std::optional<Command> command = commandAt(Index);
    if (!command)
        return;
    clearMarks();
    button(*command)->setPicture(Picture::Player1);
    caption(*command)->setColour(Brown);
}

void CommandPanel::clearMarks()
{
    for (Command command : Commands) {
        button(command)->setPicture(Picture::Player2);
        caption(command)->setColour(LightGreen);
    }
}

void CommandPanel::readOptions()
{
    const StoredSettings stored = m_store.load(Application);
    for (const StoredOption &o : StoredOptions) {
        const QString fallback = QString::fromLatin1(o.fallback);
        const QString text = stored.value(Section, QString::fromLatin1(o.readKey), fallback);
        caption(o.option)->setStrikeOut(textToBool(text, textToBool(fallback, false)));
    }
}

void CommandPanel::saveOptions()
{
    m_saveSoon.stop();
    // All three in one save: the file is replaced once, whole.
    StoredSettings options;
    for (const StoredOption &o : StoredOptions)
        options.setValue(Section, QString::fromLatin1(o.writtenKey), boolToText(caption(o.option)->isStruckOut()));
    m_store.save(Application, options);
}

} // namespace vorni
