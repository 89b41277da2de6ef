// The settings store: flags as text, and a file that is missing, damaged or
// in the way of the save.

#include "SettingsStore.h"
#include "GameRun.h"
#include "RoundTrip.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <pwd.h>
#include <random>
#include <sys/file.h>
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

// A save that writes gives the file a new inode.
ino_t inode(const QString &path)
{
    struct stat status { };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
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
    {"UnreadableAndReadOnly",
     [](Path, Path file) {
         write(file, Valid);
         QFile::setPermissions(file, {});
     },
     User::Nobody, "default", 1, After::LeftAlone},
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

// A file as a user may have edited it, read and saved by one game that
// switched "Animation": what was read, what the file holds after, what was said.
struct Edited {
    const char *name;
    QByteArray before;
    QString read;
    QByteArray after; // empty: the file is left as it was
    const char *said = "";
    mode_t mode = 0644;
};

const QString Defaults = "Animation=False Playcomputer=True GameLine=False";
const QByteArray Fresh = "[Settings]\nAnimation=True\nPlaycomputer=True\nGameLine=False\n";
const QByteArray Full = "[Settings]\nAnimation=True\nPlaycomputer=True\nGameLine=False\n;";

const Edited Files[] = {
    {"CommentAfterAValue", "[Settings]\nAnimation=True ; off\nPlaycomputer=False\nGameLine=True\n",
     "Animation=True Playcomputer=False GameLine=True",
     "[Settings]\nAnimation=False ; off\nPlaycomputer=False\nGameLine=True\n"},
    {"QuotedWithAComment", "[Settings]\nAnimation = \"True\" # off\n",
     "Animation=True Playcomputer=True GameLine=False",
     "[Settings]\nAnimation = False # off\nPlaycomputer=True\nGameLine=False\n"},
    {"LineWithoutEquals", "[Settings]\nAnimation=True\nno equals sign\nPlaycomputer=False\n",
     "Animation=True Playcomputer=False GameLine=False",
     "[Settings]\nAnimation=False\nno equals sign\nPlaycomputer=False\nGameLine=False\n"},
    {"Latin1InAComment", "; caf\xe9\n[Settings]\nPlaycomputer=False\n",
     "Animation=False Playcomputer=False GameLine=False",
     "; caf\xe9\n[Settings]\nPlaycomputer=False\nAnimation=True\nGameLine=False\n"},
    {"CrLineEndsAndNoneAtTheEnd", "[Settings]\rAnimation=True\rGameLine=True",
     "Animation=True Playcomputer=True GameLine=True",
     "[Settings]\rAnimation=False\rGameLine=True\rPlaycomputer=True\r"},
    {"CrLfLineEnds", "[Settings]\r\nAnimation=True\r\n", "Animation=True Playcomputer=True GameLine=False",
     "[Settings]\r\nAnimation=False\r\nPlaycomputer=True\r\nGameLine=False\r\n"},
    {"SectionsWithoutNames", "[Settings]\nAnimation=True\n[]\nGameLine=True\n[ ]\n=orphan\n",
     "Animation=True Playcomputer=True GameLine=False",
     "[Settings]\nAnimation=False\nPlaycomputer=True\nGameLine=False\n[]\nGameLine=True\n[ ]\n=orphan\n"},
    {"LastOfDuplicatesWins", "[Settings]\nAnimation=False\nGameLine=True\n[settings]\nANIMATION=True\n",
     "Animation=True Playcomputer=True GameLine=True",
     "[Settings]\nGameLine=True\n[settings]\nANIMATION=False\nPlaycomputer=True\n"},
    {"FeffStartingALine", "[Settings]\nAnimation=True\nPlaycomputer=False\nGameLine=True\n \xef\xbb\xbf=1\n",
     "Animation=True Playcomputer=False GameLine=True",
     "[Settings]\nAnimation=False\nPlaycomputer=False\nGameLine=True\n \xef\xbb\xbf=1\n"},
    {"ByteOrderMark", "\xef\xbb\xbf[Settings]\nAnimation=True\n", "Animation=True Playcomputer=True GameLine=False",
     "\xef\xbb\xbf[Settings]\nAnimation=False\nPlaycomputer=True\nGameLine=False\n"},
    {"OtherSectionsOnly", "; mine\n[Other]\nKey=1", Defaults, "; mine\n[Other]\nKey=1\n\n" + Fresh},
    {"ReadOnly", "[Settings]\nAnimation=True\n", "Animation=True Playcomputer=True GameLine=False", "",
     "is read-only (mode 0444): the options are not saved", 0444},
    {"OwnerOnly", "[Settings]\n", Defaults, Fresh, "", 0600},
    {"NulByte", QByteArray("[Settings]\nAnimation=True") + '\0' + '\n', Defaults, Fresh, "is not text (line 2)"},
    {"KeyLineNotUtf8", "[Settings]\nAnimation=Tr\xfc\n", Defaults, Fresh, "is not text (line 2)"},
    {"Over64KiB", "[Settings]\n;" + QByteArray(64 * 1024, 'x'), Defaults, Fresh, "is larger than 64 KiB"},
    {"WouldGrowPast64KiB", Full + QByteArray(64 * 1024 - Full.size() - 1, 'x') + '\n',
     "Animation=True Playcomputer=True GameLine=False", "", "would grow past 64 KiB: the options are not saved"},
};

void PrintTo(const Edited &file, std::ostream *out)
{
    *out << file.name;
}

class EditedFiles : public testing::TestWithParam<Edited> { };

TEST_P(EditedFiles, ReadWhatCanBeReadAndWriteBackTheRest)
{
    const Edited &row = GetParam();
    QTemporaryDir folder;
    const QString file = folder.filePath("Vorni Game.ini");
    // Beside it: an earlier backup, what a killed save left, what another game is saving (it holds
    // the lock), and a file of the user's own.
    write(file + ".bak", "earlier");
    write(file + ".saving-k1LLeD", "[Settings]\n");
    write(file + ".saving-Saving", "[Settings]\n");
    QFile saving(file + ".saving-Saving");
    ASSERT_TRUE(saving.open(QIODevice::ReadOnly) && ::flock(saving.handle(), LOCK_EX) == 0);
    write(file + ".saving-mine", "mine");
    write(file, row.before);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), row.mode), 0);

    UserSettingsStore store(folder.path());
    testing::internal::CaptureStderr();
    EXPECT_EQ(switchAnimation(store), row.read);
    const std::string said = testing::internal::GetCapturedStderr();
    const auto contents = [](const QString &path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : "(cannot read)";
    };
    EXPECT_EQ(contents(file), row.after.isEmpty() ? row.before : row.after);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), *row.said ? 1 : 0) << said;
    EXPECT_NE(said.find(row.said), std::string::npos) << said;
    const bool setAside = QByteArray(row.said).contains("not text") || QByteArray(row.said).contains("larger");
    QStringList beside{"Vorni Game.ini", "Vorni Game.ini.bak", "Vorni Game.ini.saving-Saving",
                       "Vorni Game.ini.saving-mine"};
    if (setAside)
        beside.insert(1, "Vorni Game.ini.2.bak");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), beside);
    EXPECT_EQ(contents(file + ".bak"), "earlier");
    EXPECT_TRUE(!setAside || contents(file + ".2.bak") == row.before);

    // The mode stays; the next start reads what was saved, and saving the same again writes nothing.
    struct stat status { };
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, row.mode);
    StoredSettings same = UserSettingsStore(folder.path()).load(Game);
    EXPECT_EQ(same.value("Settings", "Animation", "False") == "True",
              row.after.isEmpty() == row.read.startsWith("Animation=True"));
    testing::internal::CaptureStderr();
    UserSettingsStore(folder.path()).save(Game, same);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(inode(file), status.st_ino);
}

INSTANTIATE_TEST_SUITE_P(UserSettingsStore, EditedFiles, testing::ValuesIn(Files),
                         [](const auto &row) { return std::string(row.param.name); });

// Random files made of what people write in them, through the store: each keeps the promise of
// RoundTrip.h, the store writes just the text promised, and saving the same again writes nothing.
TEST(UserSettingsStore, RandomFilesReadBackAsWrittenAndASecondSaveWritesNothing)
{
    std::mt19937 random(7);
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath("Vorni Game.ini"));
    for (int n = 0; n < 300; ++n) {
        const QByteArray file = randomFile(random);
        const unsigned flags = random() % 8;
        ASSERT_EQ(roundTripFault(file, flags), "") << file.toHex().constData();
        write(path, file);
        UserSettingsStore(folder.path()).save(Game, gameOptions(flags));
        auto expected = StoredSettings::parse(file);
        ASSERT_TRUE(expected) << file.toHex().constData();
        expected->setValues(gameOptions(flags));
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        ASSERT_EQ(saved.readAll(), expected->text()) << file.toHex().constData();
        const ino_t first = inode(path);
        UserSettingsStore(folder.path()).save(Game, gameOptions(flags));
        ASSERT_EQ(inode(path), first) << file.toHex().constData();
    }
}

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
