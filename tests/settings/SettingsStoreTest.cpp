// The settings store: names without regard to case, flags as text, and a
// file that is missing, damaged or in the way of the save.

#include "SettingsStore.h"

#include <QCryptographicHash>
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

TEST(StoredSettings, NamesMatchWithoutRegardToCaseAndKeepTheirSpelling)
{
    auto stored = StoredSettings::parse("top = \"True\"\r\n; note\n[settings]\nPLAYCOMPUTER=False\n");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value("", "Top", "x"), "True");
    EXPECT_EQ(stored->value("Settings", "PlayComputer", "x"), "False");
    EXPECT_EQ(stored->value("Settings", "Top", "x"), "x");
    stored->setValue("Settings", "Playcomputer", "True");
    stored->setValue("Settings", "GameLine", "False");
    EXPECT_EQ(stored->text(), "top=\"True\"\n\n[settings]\nPLAYCOMPUTER=True\nGameLine=False\n");
    int badLine = 0;
    EXPECT_FALSE(StoredSettings::parse("[a]\nk=v\n[b\n", &badLine));
    EXPECT_EQ(badLine, 3);
}

// What is at path, links followed, in enough detail to see that a save left it alone.
QString describe(const QString &path)
{
    struct stat status { };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("link to ") + describe(QFileInfo(path).symLinkTarget());
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("folder of %1 entries")
            .arg(QDir(path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("device %1").arg(status.st_rdev);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unreadable file");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return QStringLiteral("file of %1 bytes, %2").arg(status.st_size).arg(QString::fromLatin1(hash.result().toHex()));
}

// The effective user while a row runs: root is refused nothing, so a
// read-only folder is tried as "nobody".
struct AsUser {
    explicit AsUser(bool nobody)
        : m_switched(nobody && ::geteuid() == 0)
    {
        if (m_switched) {
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~AsUser()
    {
        if (m_switched) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    bool m_switched;
};

enum class After { Saved, SavedWithBackup, LeftAlone };

struct Fault {
    const char *name;
    // Makes the situation from the config folder, which exists and is empty, and the file's path in it.
    void (*prepare)(const QString &folder, const QString &file);
    bool asNobody;
    QString animationRead;
    int linesOnStderr;
    After after;
};

void write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

const QByteArray Valid = "[Other]\nKey=1\n[Settings]\nAnimation=False\n";

const Fault Faults[] = {
    {"Missing", [](const QString &, const QString &) {}, false, "default", 0, After::Saved},
    {"Empty", [](const QString &, const QString &file) { write(file, ""); }, false, "default", 0, After::Saved},
    {"Valid", [](const QString &, const QString &file) { write(file, Valid); }, false, "False", 0, After::Saved},
    {"Junk",
     [](const QString &, const QString &file) {
         write(file,
               QByteArray("\x7f"
                          "ELF\0\x01=",
                          7)
                   .repeated(500));
     },
     false, "default", 1, After::SavedWithBackup},
    {"FiftyMegabytes",
     [](const QString &, const QString &file) {
         write(file, Valid);
         ASSERT_TRUE(QFile::resize(file, 50'000'000));
     },
     false, "default", 1, After::SavedWithBackup},
    {"FolderInTheWay", [](const QString &, const QString &file) { ASSERT_TRUE(QDir().mkdir(file)); }, false, "default",
     1, After::LeftAlone},
    {"ConfigFolderIsAFile",
     [](const QString &folder, const QString &) {
         ASSERT_TRUE(QDir(folder).removeRecursively());
         write(folder, Valid);
     },
     false, "default", 1, After::LeftAlone},
    {"ReadOnlyFolder",
     [](const QString &folder, const QString &file) {
         write(file, Valid);
         ASSERT_TRUE(QFile::setPermissions(folder,
                                           QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                               | QFile::ReadGroup | QFile::ExeGroup));
     },
     true, "False", 1, After::LeftAlone},
    {"LinkToARegularFile",
     [](const QString &folder, const QString &file) {
         write(folder + "/../kept.ini", Valid);
         ASSERT_TRUE(QFile::link("../kept.ini", file));
     },
     false, "False", 0, After::Saved},
    {"LinkToADeviceNode",
     [](const QString &folder, const QString &file) {
         if (::mknod(QFile::encodeName(folder + "/../null").constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
             GTEST_SKIP() << "mknod needs root: " << std::strerror(errno);
         ASSERT_TRUE(QFile::link("../null", file));
     },
     false, "default", 1, After::LeftAlone},
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
    QFile::setPermissions(base.path(),
                          QFile::permissions(base.path()) | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                              | QFile::ExeOther);
    const QString folder = base.filePath("config");
    const QString file = folder + "/Vorni Game.ini";
    ASSERT_TRUE(QDir().mkdir(folder));
    fault.prepare(folder, file);
    if (IsSkipped() || HasFatalFailure())
        return;
    const QString before = describe(file);

    UserSettingsStore store(folder);
    StoredSettings options;
    options.setValue("Settings", "Animation", "True");
    options.setValue("Settings", "Playcomputer", "False");
    testing::internal::CaptureStderr();
    {
        AsUser user(fault.asNobody);
        EXPECT_EQ(store.load(Game).value("Settings", "Animation", "default"), fault.animationRead);
        store.save(Game, options);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), fault.linesOnStderr) << said;

    const QString bak = describe(file + ".bak");
    if (fault.after == After::LeftAlone) {
        EXPECT_EQ(describe(file), before);
        EXPECT_EQ(bak, "nothing");
        return;
    }
    EXPECT_EQ(bak, fault.after == After::SavedWithBackup ? before : "nothing");
    EXPECT_TRUE(QFileInfo(file).isFile());
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

TEST(UserSettingsStore, WithoutAHomeItNeitherReadsNorSavesAndSaysSoOnce)
{
    UserSettingsStore store{QString()};
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.load(Game).value("Settings", "Animation", "default"), "default");
    store.save(Game, StoredSettings());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
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
