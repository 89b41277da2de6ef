#include "ControlAccessible.h"

#include "Pictures.h"

namespace vorni {

namespace {

bool isLoaded(const ReadableControls &controls)
{
    return controls.board.board != nullptr;
}
QString letter(int column)
{
    return QString(QChar(u'A' + column));
}

// The controls the window lists, in reading order: the board, the column buttons, the panel from top to
// bottom, and the game-over texts while they are shown.
QList<QWidget *> readable(const ReadableControls &window)
{
    if (!isLoaded(window))
        return {};
    const BoardControls &b = window.board;
    QList<QWidget *> controls{b.board};
    for (ImageControl *button : b.butt)
        controls << button;
    controls << b.p1 << b.p2 << b.nextLb;
    for (ImageControl *button : window.commandButtons)
        controls << button;
    controls << window.emailLink << window.webLinks[1] << window.webLinks[0];
    if (window.hint)
        controls << window.hint;
    for (LabelControl *text : b.gameOver) {
        if (!text->isHidden())
            controls << text;
    }
    return controls;
}

Part partOf(const QWidget *window, const ReadableControls &controls, const QWidget *widget)
{
    if (widget == window)
        return {Kind::Window};
    if (!isLoaded(controls))
        return {};
    const BoardControls &b = controls.board;
    if (widget == b.board)
        return {Kind::Board};
    if (widget == b.nextLb)
        return {Kind::Turn};
    for (int i : {0, 1}) {
        if (widget == (i == 0 ? b.p1 : b.p2))
            return {Kind::Score, i};
        if (widget == b.gameOver[static_cast<std::size_t>(i)])
            return {Kind::GameOverText, i};
    }
    for (int k = 1; k <= CellCount; ++k) {
        if (widget == b.ball(k))
            return {Kind::Cell, k};
    }
    for (int c = 0; c < Columns; ++c) {
        if (widget == b.button(c))
            return {Kind::Column, c};
    }
    for (Command command : Commands) {
        const int i = indexOf(command);
        if (widget == controls.commandButtons[static_cast<std::size_t>(i)])
            return {isOption(command) ? Kind::Option : Kind::Command, i};
    }
    for (int c = 0; c < Columns; ++c) {
        // A column's letter is its button's name, and a hint while it marks the column.
        if (widget == b.letter(c))
            return widget == controls.hint ? Part{Kind::Hint, c} : Part{};
    }
    if (widget == controls.emailLink)
        return {Kind::Link, 0};
    if (widget == controls.webLinks[0] || widget == controls.webLinks[1])
        return {Kind::Link, 1};
    return {};
}

// The board's table counts its rows from the top, as it is read; its cells name theirs from the bottom.
int cellAtTableRow(int row, int column)
{
    return cellOf(column, Rows - 1 - row);
}

} // namespace

Part ControlAccessible::part() const
{
    const ReadableControls *controls = frm();
    return controls ? partOf(widget()->window(), *controls, widget()) : Part{};
}

QString ControlAccessible::columnDescription(int column) const
{
    return letter(column);
}

QAccessible::Role ControlAccessible::role() const
{
    switch (part().kind) {
    case Kind::Decoration:
        return QAccessible::Graphic;
    case Kind::Window:
        return QAccessible::Window;
    case Kind::Board:
        return QAccessible::Table;
    case Kind::Cell:
        return QAccessible::Cell;
    case Kind::Column:
    case Kind::Command:
        return QAccessible::PushButton;
    case Kind::Option:
        return QAccessible::CheckBox;
    case Kind::Link:
        return QAccessible::Link;
    case Kind::Score:
    case Kind::Turn:
    case Kind::GameOverText:
    case Kind::Hint:
        break;
    }
    return QAccessible::StaticText;
}

QString ControlAccessible::text(QAccessible::Text t) const
{
    const Part p = part();
    // The mirror's tags say what the window shows, which may lag behind the game while a move is shown.
    const QString tag = widget()->property("tag").toString();
    if (t == QAccessible::Description && p.kind == Kind::Column) {
        const int free = Rows - tag.toInt();
        return free == 0 ? QStringLiteral("full")
            : free == 1  ? QStringLiteral("1 cell free")
                         : QStringLiteral("%1 cells free").arg(free);
    }
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    switch (p.kind) {
    case Kind::Decoration:
        return {};
    case Kind::Window:
        return QAccessibleWidget::text(t);
    case Kind::Board:
        return QStringLiteral("Board");
    case Kind::Cell:
        return QStringLiteral("%1%2: %3")
            .arg(letter(columnOfCell(p.index)))
            .arg(rowOfCell(p.index) + 1)
            .arg(tag == u"0" ? QStringLiteral("empty") : QStringLiteral("Player ") + tag);
    case Kind::Column:
        return QStringLiteral("Column ") + letter(p.index);
    case Kind::Option:
    case Kind::Command:
        return caption(p.index)->text();
    case Kind::Score:
        return QStringLiteral("Player %1 score: %2").arg(p.index + 1).arg(labelText());
    case Kind::Turn: {
        // The indicator turns neutral when the game is over.
        const BoardControls &b = frm()->board;
        if (b.nextImg->picture() == Picture::Neutral)
            return QStringLiteral("Game Over"); // the result is the game-over text's
        return QStringLiteral("Next: Player %1").arg(b.nextImg->picture() == Picture::Player2 ? 2 : 1);
    }
    case Kind::Link:
        return p.index == 0 ? QStringLiteral("E-mail to ") + makerEmailAddress()
                            : QStringLiteral("Web page ") + makerWebAddress();
    case Kind::GameOverText:
        return labelText();
    case Kind::Hint:
        return QStringLiteral("Hint: column ") + letter(p.index);
    }
    return {};
}

QAccessible::State ControlAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const Part p = part();
    if (p.kind == Kind::Cell) {
        // An empty cell is a hidden ball, yet a cell of the board all the same.
        state.invisible = !frm()->board.board->isVisible();
    } else if (p.kind == Kind::Option) {
        state.checkable = true;
        state.checked = !caption(p.index)->isStruckOut();
    }
    return state;
}

QRect ControlAccessible::rect() const
{
    if (part().kind == Kind::Cell && frm()->board.board->isVisible())
        return {widget()->mapToGlobal(QPoint(0, 0)), widget()->size()};
    return QAccessibleWidget::rect();
}

QAccessibleInterface *ControlAccessible::parent() const
{
    switch (part().kind) {
    case Kind::Decoration:
    case Kind::Window:
        return QAccessibleWidget::parent();
    case Kind::Cell:
        return table();
    default:
        return QAccessible::queryAccessibleInterface(widget()->window());
    }
}

QList<QWidget *> ControlAccessible::children() const
{
    const ReadableControls *window = frm();
    QList<QWidget *> controls;
    switch (part().kind) {
    case Kind::Window:
        controls = readable(*window);
        break;
    case Kind::Board:
        for (int row = 0; row < Rows; ++row) {
            for (int column = 0; column < Columns; ++column)
                controls << window->board.ball(cellAtTableRow(row, column));
        }
        break;
    default:
        break;
    }
    return controls;
}

QAccessibleInterface *ControlAccessible::child(int index) const
{
    const QList<QWidget *> controls = children();
    if (index < 0 || index >= controls.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(controls.at(index));
}

int ControlAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child ? static_cast<int>(children().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
}

void *ControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    const Kind kind = part().kind;
    if (type == QAccessible::TableInterface && kind == Kind::Board)
        return static_cast<QAccessibleTableInterface *>(this);
    if (type == QAccessible::TableCellInterface && kind == Kind::Cell)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList ControlAccessible::actionNames() const
{
    const Kind kind = part().kind;
    const bool enabled = widget()->isEnabled();
    QStringList names;
    if (enabled && (kind == Kind::Column || kind == Kind::Option || kind == Kind::Command || kind == Kind::Link))
        names << pressAction();
    if (enabled && kind == Kind::Option)
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void ControlAccessible::doAction(const QString &name)
{
    // A press is a click: on a button, the window handles it when the move being shown is over; a link
    // opens at once.
    if ((name == pressAction() || name == toggleAction()) && actionNames().contains(name)) {
        if (auto *image = qobject_cast<ImageControl *>(widget()))
            image->click();
        else
            qobject_cast<LabelControl *>(widget())->click();
    } else {
        QAccessibleWidget::doAction(name);
    }
}

QAccessibleInterface *ControlAccessible::cellAt(int row, int column) const
{
    const ReadableControls *window = frm();
    if (!window || row < 0 || row >= Rows || !isColumn(column))
        return nullptr;
    return QAccessible::queryAccessibleInterface(window->board.ball(cellAtTableRow(row, column)));
}

QAccessibleInterface *ControlAccessible::table() const
{
    const ReadableControls *window = frm();
    return window ? QAccessible::queryAccessibleInterface(window->board.board) : nullptr;
}

} // namespace vorni
