#pragma once

// The accessible interface of every widget of a game window (see Accessibility.h for what a reader
// meets).

#include "Accessibility.h"

#include <QAccessibleWidget>

namespace vorni {

// The controls of a game window, or null for any other widget's window (or a window that is going).
const ReadableControls *readableControlsOf(const QWidget *window);

// What a widget of the window is to a reader.
enum class Kind : std::uint8_t {
    Decoration,
    Window,
    Board,
    Cell,
    Column,
    Option,
    Command,
    Score,
    Turn,
    Link,
    GameOverText,
    Hint
};
struct Part {
    Kind kind = Kind::Decoration;
    int index = 0; // cell 1..42, column 0..6 of a button or a hint, command 0..4, player 0..1 of a score,
                   // game-over text 0..1; a link: 0 e-mail, 1 web
};

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
    QString columnDescription(int column) const override;
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
    const ReadableControls *frm() const { return readableControlsOf(widget()->window()); }
    Part part() const;
    LabelControl *caption(int command) const { return frm()->commandCaptions[static_cast<std::size_t>(command)]; }
    QString labelText() const { return qobject_cast<const QLabel *>(widget())->text(); }
    QList<QWidget *> children() const;
};

} // namespace vorni
