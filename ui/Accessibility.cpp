#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QHash>

namespace vorni {

namespace {

// The game windows and their controls; every widget finds its own window's at each call.
QHash<const QWidget *, const ReadableControls *> &windows()
{
    static QHash<const QWidget *, const ReadableControls *> known;
    return known;
}

const ReadableControls *controlsOf(const QWidget *window)
{
    return windows().value(window);
}

bool isLoaded(const ReadableControls &controls)
{
    return controls.board.board != nullptr;
}

// What a widget of the window is to a reader.
enum class Kind : std::uint8_t { Decoration, Window, Board, Cell, Column, Option, Command, Score, Turn, GameOverText };
struct Part {
    Kind kind = Kind::Decoration;
    int index = 0; // cell 1..42, column 0..6, command 0..4, player 0..1 of a score, game-over text 0..1
};

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
    return {};
}

// The board's table counts its rows from the top, as it is read; its cells name theirs from the bottom.
int cellAtTableRow(int row, int column)
{
    return cellOf(column, Rows - 1 - row);
}

// One interface for every widget of a game window, which finds out at each call what its widget is: Qt
// keeps the first interface it makes for a widget, and asks for it while the widget is still being made,
// before the window has given it its part. Each call finds the window anew as well, so a window that is
// going (forgotten) is read no more.
class ControlAccessible : public QAccessibleWidget,
                          public QAccessibleTableInterface,
                          public QAccessibleTableCellInterface {
public:
    explicit ControlAccessible(QWidget *widget)
        : QAccessibleWidget(widget)
    {
    }

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    QAccessibleInterface *parent() const override;
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;
    QStringList actionNames() const override;
    void doAction(const QString &name) override;

    // The board, as a table that nothing can select in.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return letter(column); }
    QString rowDescription(int row) const override { return QString::number(Rows - row); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Columns; }
    int rowCount() const override { return Rows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

    // A cell of the board.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return columnOfCell(part().index); }
    int rowIndex() const override { return Rows - 1 - rowOfCell(part().index); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    // The controls of the widget's window; null once the window is going.
    const ReadableControls *frm() const { return controlsOf(widget()->window()); }
    Part part() const
    {
        const ReadableControls *controls = frm();
        return controls ? partOf(widget()->window(), *controls, widget()) : Part{};
    }
    LabelControl *caption(int command) const { return frm()->commandCaptions[static_cast<std::size_t>(command)]; }
    QString labelText() const { return qobject_cast<const QLabel *>(widget())->text(); }
    QList<QWidget *> children() const;
};

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
    case Kind::Score:
    case Kind::Turn:
    case Kind::GameOverText:
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
            return QStringLiteral("Game Over: ") + b.gameOver[1]->text();
        return QStringLiteral("Next: Player %1").arg(b.nextImg->picture() == Picture::Player2 ? 2 : 1);
    }
    case Kind::GameOverText:
        return labelText();
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
    if (enabled && (kind == Kind::Column || kind == Kind::Option || kind == Kind::Command))
        names << pressAction();
    if (enabled && kind == Kind::Option)
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void ControlAccessible::doAction(const QString &name)
{
    // A press is a click, which the window handles when the move being shown is over.
    if ((name == pressAction() || name == toggleAction()) && actionNames().contains(name))
        qobject_cast<ImageControl *>(widget())->click();
    else
        QAccessibleWidget::doAction(name);
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

QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && controlsOf(widget->window()))
        return new ControlAccessible(widget);
    return nullptr;
}

void tell(QWidget *control, QAccessible::Event type)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installAccessibility(QWidget *window, const ReadableControls *controls)
{
    static const bool installed = (QAccessible::installFactory(accessibleControl), true);
    Q_UNUSED(installed);
    windows().insert(window, controls);
}

void forgetAccessibility(QWidget *window)
{
    windows().remove(window);
}

void tellNameChanged(QWidget *control)
{
    tell(control, QAccessible::NameChanged);
}

void tellDescriptionChanged(QWidget *control)
{
    tell(control, QAccessible::DescriptionChanged);
}

void tellStateChanged(QWidget *control, QAccessible::State changed)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace vorni
