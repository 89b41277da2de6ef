// The options as the command panel keeps them: read from the settings file when the window is made,
// written back to it.

#include "WindowTest.h"

#include <QSettings>

using namespace vorni;
using namespace vorni::testing;

class CommandPanelTest : public WindowTest {
    Q_OBJECT

private slots:
    // The window appears at once; its controls follow in the first turn of
    // the event loop. Closed before that, it must not overwrite the options
    // it never read.
    void windowClosedBeforeItsControlsKeepsTheStoredOptions()
    {
        m_window.reset();
        {
            QSettings stored(storedFile(), QSettings::IniFormat);
            stored.setValue("Settings/Animation", "True");
        }
        MainFrm early(m_store);
        QVERIFY(!isLoaded(early));
        QCOMPARE(early.size(), QSize(669, 428));
        early.close();
        QSettings stored(storedFile(), QSettings::IniFormat);
        QCOMPARE(stored.allKeys(), QStringList{"Settings/Animation"});
        QCOMPARE(stored.value("Settings/Animation").toString(), QStringLiteral("True"));
        // Made on request, the controls come with the stored options.
        early.Form_Load();
        QVERIFY(isLoaded(early));
        QVERIFY(early.findChild<CommandPanel *>()->caption(Command::Animation)->isStruckOut());
        // Shown after its controls came, the window keeps the focus for itself all the same.
        early.show();
        QVERIFY(QTest::qWaitForWindowActive(&early));
        QCOMPARE(QApplication::focusWidget(), &early);
    }

    void optionsStartFromTheirDefaults()
    {
        QVERIFY(!QFile::exists(storedFile()));
        QVERIFY(!caption(Command::Animation)->isStruckOut());
        QVERIFY(caption(Command::PlayComputer)->isStruckOut());
        QVERIFY(!caption(Command::GameLine)->isStruckOut());
        click(caption(Command::Out)); // "Out"
        QVERIFY(!m_window->isVisible());
        QSettings stored(storedFile(), QSettings::IniFormat);
        QCOMPARE(stored.value("Settings/Animation").toString(), QStringLiteral("False"));
        QCOMPARE(stored.value("Settings/Playcomputer").toString(), QStringLiteral("True"));
        QCOMPARE(stored.value("Settings/GameLine").toString(), QStringLiteral("False"));
    }

    void optionsSurviveARestart()
    {
        for (Command option : Options)
            click(caption(option));
        // Closed by the window frame rather than "Out": saved all the same.
        m_window->close();
        m_window.reset();
        startWindow();
        QVERIFY(caption(Command::Animation)->isStruckOut());
        QVERIFY(!caption(Command::PlayComputer)->isStruckOut()); // read as "PlayComputer"
        QVERIFY(caption(Command::GameLine)->isStruckOut());
        // Switched, they reach the file within a second: a game killed then, never closed, keeps them.
        for (Command option : Options)
            click(caption(option));
        QTRY_COMPARE_WITH_TIMEOUT(QSettings(storedFile(), QSettings::IniFormat).value("Settings/GameLine").toString(),
                                  QStringLiteral("False"), 1000);
        m_window.reset();
        startWindow();
        QVERIFY(!caption(Command::Animation)->isStruckOut());
        QVERIFY(caption(Command::PlayComputer)->isStruckOut());
        QVERIFY(!caption(Command::GameLine)->isStruckOut());
    }

    void storedTextIsReadWithoutRegardToCase()
    {
        m_window.reset();
        useNewSettingsFolder();
        {
            QSettings stored(storedFile(), QSettings::IniFormat);
            stored.setValue("settings/ANIMATION", "TRUE");
            stored.setValue("settings/playcomputer", "false");
            stored.setValue("settings/gameline", "whatever"); // unreadable: the default
        }
        startWindow();
        QVERIFY(caption(Command::Animation)->isStruckOut());
        QVERIFY(!caption(Command::PlayComputer)->isStruckOut());
        QVERIFY(!caption(Command::GameLine)->isStruckOut());
        m_window->close();
        QSettings stored(storedFile(), QSettings::IniFormat);
        // Written back under the spellings already there, not as duplicates.
        QCOMPARE(stored.allKeys().size(), 3);
        QCOMPARE(stored.value("settings/ANIMATION").toString(), QStringLiteral("True"));
        QCOMPARE(stored.value("settings/playcomputer").toString(), QStringLiteral("False"));
    }
};

QTEST_MAIN(CommandPanelTest)
#include "CommandPanelTest.moc"
