// The settings store: names without regard to case, flags as text.

#include "SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorni {
namespace {

TEST(FlagText, ReadsAnyCaseAndNumbersAndFallsBackOnNonsense)
{
    EXPECT_EQ(boolToText(true), "True");
    EXPECT_EQ(boolToText(false), "False");
    for (const char *text : {"True", "true", "TRUE", " tRuE ", "1", "-1"}) {
        EXPECT_TRUE(textToBool(QString::fromLatin1(text), false)) << text;
    }
    for (const char *text : {"False", "false", "FALSE", "0"}) {
        EXPECT_FALSE(textToBool(QString::fromLatin1(text), true)) << text;
    }
    for (const char *text : {"", "yes", "Tru", "1.5x"}) {
        EXPECT_TRUE(textToBool(QString::fromLatin1(text), true)) << text;
        EXPECT_FALSE(textToBool(QString::fromLatin1(text), false)) << text;
    }
}

TEST(UserSettingsStore, KeysAndSectionsMatchWithoutRegardToCase)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    UserSettingsStore store;
    EXPECT_EQ(store.read("Vorni Game", "Settings", "PlayComputer", "True"), "True");
    store.write("Vorni Game", "Settings", "Playcomputer", "False");
    EXPECT_EQ(store.read("Vorni Game", "Settings", "PlayComputer", "True"), "False");
    EXPECT_EQ(store.read("Vorni Game", "SETTINGS", "playcomputer", "True"), "False");
    store.write("Vorni Game", "settings", "PLAYCOMPUTER", "True");
    QSettings file(folder.filePath("Vorni Game.ini"), QSettings::IniFormat);
    EXPECT_EQ(file.allKeys(), QStringList{"Settings/Playcomputer"});
    EXPECT_EQ(file.value("Settings/Playcomputer").toString(), "True");
    // Another application's values are its own.
    EXPECT_EQ(store.read("Other Game", "Settings", "PlayComputer", "x"), "x");
}

} // namespace
} // namespace vorni
