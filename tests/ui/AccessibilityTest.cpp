// The window as a screen reader is told of it, through Qt's accessibility interfaces.

#include "WindowTest.h"

#include "Pictures.h"

#include <QAccessible>

using namespace vorni;
using namespace vorni::testing;

class AccessibilityTest : public WindowTest {
    Q_OBJECT

private slots:
    // What a screen reader is told of a control after the moves given as column letters ("*": a whole
    // game that Player 2 wins; animation off), as "Role 'name' (description) states: actions", and the
    // control that lists it (none: the control is nowhere in the window's tree).
    void accessibleControls_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("told");
        auto row = [](const char *tag, const char *moves, const char *name, const char *parent, const QString &told) {
            QTest::newRow(tag) << QString::fromLatin1(moves) << QString::fromLatin1(name) << QString::fromLatin1(parent)
                               << told;
        };
        const char *win = "MainFrm";
        row("window", "", win, "", "Window 'Vorni Game'");
        row("board", "", "Image1", win, "Table 'Board'");
        row("empty cell", "", "Balls(13)", "Image1", "Cell 'C1: empty'");
        row("Player 1's cell", "C", "Balls(13)", "Image1", "Cell 'C1: Player 1'");
        row("Player 2's cell", "CC", "Balls(14)", "Image1", "Cell 'C2: Player 2'");
        row("open column", "", "butt(2)", win, "Button 'Column C' (6 cells free) focusable: Press SetFocus");
        row("one cell free", "AAAAA", "butt(0)", win, "Button 'Column A' (1 cell free) focusable: Press SetFocus");
        row("full column", "AAAAAA", "butt(0)", win, "Button 'Column A' (full) disabled focusable");
        row("option on", "", "CButt(3)", win,
            "CheckBox 'Game Line' focusable checkable checked: Press Toggle SetFocus");
        row("option off", "", "CButt(0)", win, "CheckBox 'Animation' focusable checkable: Press Toggle SetFocus");
        row("New Game", "", "CButt(2)", win, "Button 'New Game' focusable: Press SetFocus");
        row("score", "ABABABA", "P1", win, "StaticText 'Player 1 score: 1'");
        row("turn", "C", "NextLb", win, "StaticText 'Next: Player 2'");
        row("turn when over", "*", "NextLb", win, "StaticText 'Game Over'");
        row("result shown", "*", "GameOver(1)", win, "StaticText 'Player 2 Wins'");
        row("result hidden", "", "GameOver(1)", "", "StaticText 'Player 2 Wins' invisible");
        row("title letter", "", "lights(0)", "", "Graphic ''");
        row("caption", "", "CButtLB(0)", "", "Graphic ''");
        row("e-mail link", "", "EmailLb", win, "Link 'E-mail to " + makerEmailAddress() + "': Press");
        row("web link", "", "WebLb(0)", win, "Link 'Web page " + makerWebAddress() + "': Press");
    }
    void accessibleControls()
    {
        QFETCH(QString, moves);
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QString, told);
        animationOff();
        if (moves == QLatin1String("*")) {
            for (int column : gameEndingWith(Result::Player2Wins))
                clickColumn(column);
        }
        for (QChar letter : moves.remove(QLatin1Char('*')))
            give(QStringLiteral("key ") + letter);

        QWidget *target = name == QLatin1String("MainFrm") ? m_window.get() : control(name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(target);
        QString heard = QStringLiteral("%1 '%2'").arg(
            QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role())),
            iface->text(QAccessible::Name));
        if (const QString description = iface->text(QAccessible::Description); !description.isEmpty())
            heard += QStringLiteral(" (%1)").arg(description);
        const QAccessible::State s = iface->state();
        const std::pair<bool, const char *> flags[]{{s.disabled, "disabled"},
                                                    {s.invisible, "invisible"},
                                                    {s.focusable, "focusable"},
                                                    {s.checkable, "checkable"},
                                                    {s.checked, "checked"}};
        for (auto [on, flag] : flags) {
            if (on)
                heard += QLatin1Char(' ') + QString::fromLatin1(flag);
        }
        if (const QStringList actions = iface->actionInterface()->actionNames(); !actions.isEmpty())
            heard += QStringLiteral(": ") + actions.join(QLatin1Char(' '));
        QCOMPARE(heard, told);
        // In the tree exactly where its parent lists it; otherwise nowhere in the window.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        if (parent.isEmpty()) {
            QCOMPARE(window->indexOfChild(iface), -1);
        } else {
            QCOMPARE(iface->parent()->object()->objectName(), parent);
            const int index = iface->parent()->indexOfChild(iface);
            QVERIFY(index >= 0);
            QCOMPARE(iface->parent()->child(index), iface);
        }
        // The board is a table of its cells, the top row first.
        if (iface->role() == QAccessible::Cell) {
            QAccessibleTableCellInterface *cell = iface->tableCellInterface();
            QCOMPARE(cell->table()->tableInterface()->cellAt(cell->rowIndex(), cell->columnIndex()), iface);
            QCOMPARE(iface->text(QAccessible::Name).left(2),
                     QChar(u'A' + cell->columnIndex()) + QString::number(Rows - cell->rowIndex()));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
