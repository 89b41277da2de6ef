// The settings store: flags as text, and a file that is missing, damaged or
// in the way of the save.

#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Failures show the texts rather than their bytes.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vorni {
namespace {

const QString Game = QStringLiteral("Vorni Game");

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

// What is at path, links followed, in enough detail to see that a save left it alone.
QString describe(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + describe(info.symLinkTarget());
    QFile file(path);
    if (!info.isFile() || info.size() > UserSettingsStore::MaxFileSize || !file.open(QIODevice::ReadOnly))
        return QString("%1 of %2 bytes")
            .arg(info.isDir()        ? "folder"
                     : info.isFile() ? "file"
                                     : "other")
            .arg(info.size());
    return "file " + file.readAll().toHex();
}

void write(const QString &path, const QByteArray &text, qint64 size = 0)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    ASSERT_TRUE(size == 0 || file.resize(size));
}

// Root is refused nothing, so a read-only folder is tried as "nobody".
enum class User { Owner, Nobody, WithoutHome };
enum class After { Saved, SavedWithBackup, LeftAlone };

struct Fault {
    const char *name;
    // Makes the situation in the config folder, which exists and is empty.
    void (*prepare)(const QString &folder, const QString &file);
    User user;
    QString animationRead;
    int linesOnStderr;
    After after;
};

constexpr auto ReadAndEnterForAll
    = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
const QByteArray Valid = "[Other]\nKey=1\n[Settings]\nAnimation=False\n";
using Path = const QString &;

const Fault Faults[] = {
    {"Missing", [](Path, Path) {}, User::Owner, "default", 0, After::Saved},
    {"Empty", [](Path, Path file) { write(file, ""); }, User::Owner, "default", 0, After::Saved},
    {"Valid", [](Path, Path file) { write(file, Valid); }, User::Owner, "False", 0, After::Saved},
    {"Junk", [](Path, Path file) { write(file, QByteArray::fromHex("7f454c4602010100").repeated(500)); }, User::Owner,
     "default", 1, After::SavedWithBackup},
    {"Over64KiB", [](Path, Path file) { write(file, Valid + QByteArray(64 * 1024, '\n')); }, User::Owner, "default", 1,
     After::SavedWithBackup},
    {"FiftyMegabytes", [](Path, Path file) { write(file, Valid, 50'000'000); }, User::Owner, "default", 1,
     After::SavedWithBackup},
    {"FolderInTheWay", [](Path, Path file) { ASSERT_TRUE(QDir().mkdir(file)); }, User::Owner, "default", 1,
     After::LeftAlone},
    {"ReadOnlyFolder",
     [](Path folder, Path file) {
         write(file, Valid);
         QFile::setPermissions(folder, ReadAndEnterForAll);
     },
     User::Nobody, "False", 1, After::LeftAlone},
    {"LinkToARegularFile",
     [](Path folder, Path file) {
         write(folder + "/../kept.ini", Valid);
         QFile::link("../kept.ini", file);
     },
     User::Owner, "False", 0, After::Saved},
    {"LinkInALinkedFolder", // as dotfile managers set it up: read from the folder the link really lies in
     [](Path folder, Path file) {
         const QString base = QFileInfo(folder).absolutePath();
         ASSERT_TRUE(QDir().rmdir(folder) && QDir().mkpath(base + "/dotfiles/config"));
         ASSERT_TRUE(QFile::link("dotfiles/config", folder));
         write(base + "/dotfiles/kept.ini", Valid);
         QFile::link("../kept.ini", file);
     },
     User::Owner, "False", 0, After::Saved},
    {"Unreadable",
     [](Path folder, Path file) {
         write(file, Valid);
         QFile::setPermissions(file, {});
         QFile::setPermissions(folder,
                               QFile::ReadUser | QFile::WriteUser | QFile::ExeUser | ReadAndEnterForAll
                                   | QFile::WriteGroup | QFile::WriteOther);
     },
     User::Nobody, "default", 1, After::SavedWithBackup},
    {"LinkToADeviceNode",
     [](Path folder, Path file) {
         if (::mknod(QFile::encodeName(folder + "/../null").constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
             GTEST_SKIP() << "mknod needs root: " << std::strerror(errno);
         QFile::link("../null", file);
     },
     User::Owner, "default", 1, After::LeftAlone},
    {"WithoutAHome", [](Path, Path) {}, User::WithoutHome, "default", 1, After::LeftAlone},
};

void PrintTo(const Fault &fault, std::ostream *out)
{
    *out << fault.name;
}

class StoreFaults : public testing::TestWithParam<Fault> { };

TEST_P(StoreFaults, ReadDefaultsWhereUntrustedSaveWithoutHarmAndSayItOnce)
{
    const Fault &fault = GetParam();
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    // Reachable for "nobody" too.
    QFile::setPermissions(base.path(), ReadAndEnterForAll | QFile::WriteOwner);
    const QString folder = base.filePath("config");
    const QString file = folder + "/Vorni Game.ini";
    ASSERT_TRUE(QDir().mkdir(folder));
    fault.prepare(folder, file);
    if (IsSkipped() || HasFatalFailure())
        return;
    const QString before = describe(file);

    UserSettingsStore store(fault.user == User::WithoutHome ? QString() : folder);
    StoredSettings options;
    options.setValue("Settings", "Animation", "True");
    options.setValue("Settings", "Playcomputer", "False");
    testing::internal::CaptureStderr();
    const bool nobody = fault.user == User::Nobody && ::geteuid() == 0;
    ASSERT_EQ(nobody ? ::seteuid(65534) : 0, 0);
    EXPECT_EQ(store.load(Game).value("Settings", "Animation", "default"), fault.animationRead);
    store.save(Game, options);
    // The next start, by the same user, reads what was saved (and says nothing).
    const QString readBack = fault.after == After::LeftAlone
        ? QString()
        : UserSettingsStore(folder).load(Game).value("Settings", "Animation", "default");
    ASSERT_EQ(nobody ? ::seteuid(0) : 0, 0);
    const std::string said = testing::internal::GetCapturedStderr();
    if (fault.after != After::LeftAlone) {
        EXPECT_EQ(readBack, "True");
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), fault.linesOnStderr) << said;

    if (fault.after == After::SavedWithBackup) {
        EXPECT_EQ(describe(file + ".bak"), before);
    } else {
        EXPECT_FALSE(QFileInfo::exists(file + ".bak"));
    }
    if (fault.after == After::LeftAlone) {
        EXPECT_EQ(describe(file), before);
        return;
    }
    EXPECT_EQ(QFileInfo(file).isSymLink(), before.startsWith("link"));
    // Values read from the file are written back with the others it holds.
    QStringList keys{"Settings/Animation", "Settings/Playcomputer"};
    if (fault.animationRead != "default")
        keys.prepend("Other/Key");
    QSettings saved(file, QSettings::IniFormat);
    EXPECT_EQ(saved.allKeys(), keys);
    EXPECT_EQ(saved.value("Settings/Animation").toString(), "True");
    EXPECT_EQ(saved.value("Settings/Playcomputer").toString(), "False");
    // Nothing of the save is left beside the file.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), fault.after == After::SavedWithBackup ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(UserSettingsStore, StoreFaults, testing::ValuesIn(Faults),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(UserSettingsStore, FindsTheHomeInTheUserDatabaseWhenHomeIsUnset)
{
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
    const QString folder = UserSettingsStore::userConfigFolder();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    const passwd *user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(folder, QFile::decodeName(user->pw_dir) + "/.config");
}

} // namespace
} // namespace vorni
