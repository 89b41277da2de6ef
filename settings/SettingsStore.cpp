#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorni {

namespace {

QString reason(int error)
{
    return qt_error_string(error);
}

// The name the store's file really has: path with its links followed, also
// when the last one points to a file that does not exist yet. Empty when the
// links go round in a loop.
QString followLinks(QString path)
{
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        // A relative link is read from the folder it really lies in, which may itself be reached
        // through a link ("../x" from a linked folder is not beside the link's name).
        const QString folder = info.absoluteDir().canonicalPath();
        path = folder.isEmpty() ? info.symLinkTarget()
                                : QFileInfo(QDir(folder).filePath(info.fileName())).symLinkTarget();
    }
    return {};
}

// Writes all of text to fd; 0, or the error that stopped it.
int writeAll(int fd, QByteArrayView text)
{
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, static_cast<size_t>(text.size() - done));
        if (n < 0 && errno != EINTR)
            return errno;
        done += std::max<ssize_t>(n, 0);
    }
    return 0;
}

// Reads fd to its end, but no more than most bytes, into text; 0, or the error that stopped it.
int readUpTo(int fd, qsizetype most, QByteArray &text)
{
    text.resize(most);
    qsizetype done = 0;
    while (done < most) {
        const ssize_t n = ::read(fd, text.data() + done, static_cast<size_t>(most - done));
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            return errno;
        done += std::max<ssize_t>(n, 0);
    }
    text.truncate(done);
    return 0;
}

// Whether the mode bits let this user write the file, as they would let
// anyone but root: root, too, keeps off a file its owner made read-only.
bool writableByMode(const struct stat &status)
{
    if (status.st_uid == ::geteuid())
        return status.st_mode & S_IWUSR;
    bool inGroup = status.st_gid == ::getegid();
    if (!inGroup) {
        std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
        const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
        inGroup = std::find(groups.begin(), groups.begin() + std::max(n, 0), status.st_gid) != groups.end();
    }
    return status.st_mode & (inGroup ? S_IWGRP : S_IWOTH);
}

// "<name>.bak", then "<name>.2.bak" and on: the first that is free.
QByteArray backupName(const QByteArray &name, int number)
{
    return number == 1 ? name + ".bak" : name + '.' + QByteArray::number(number) + ".bak";
}

constexpr int MostBackups = 999;

QByteArray freeBackupName(const QByteArray &name)
{
    struct stat status { };
    for (int number = 1; number <= MostBackups; ++number) {
        const QByteArray backup = backupName(name, number);
        if (::lstat(backup.constData(), &status) != 0 && errno == ENOENT)
            return backup;
    }
    return {};
}

// Copies the file at name to a new file at backup, and on to the disk; 0,
// EEXIST when backup is taken, or the error that stopped it.
int copyFile(const QByteArray &name, const QByteArray &backup, mode_t mode)
{
    const int in = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = ::open(backup.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    int error = out < 0 ? errno : 0;
    for (QByteArray chunk; error == 0;) {
        error = readUpTo(in, 1 << 20, chunk);
        if (error != 0 || chunk.isEmpty())
            break;
        error = writeAll(out, chunk);
    }
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    ::close(in);
    if (out >= 0) {
        ::close(out);
        if (error != 0)
            ::unlink(backup.constData());
    }
    return error;
}

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat first { };
    struct stat second { };
    return ::stat(a.constData(), &first) == 0 && ::lstat(b.constData(), &second) == 0 && first.st_ino == second.st_ino
        && first.st_dev == second.st_dev;
}

// Gives the file at name a second name, the first free backup name, by a
// hard link or, where the file system has none, a copy; 0 or the error.
int keepBackup(const QByteArray &name, mode_t mode)
{
    for (int number = 1; number <= MostBackups; ++number) {
        const QByteArray backup = backupName(name, number);
        int error = ::link(name.constData(), backup.constData()) == 0 ? 0 : errno;
        if (error != 0 && error != EEXIST)
            error = copyFile(name, backup, mode);
        // Kept already by a save that was killed before its rename.
        if (error == EEXIST && sameFile(name, backup))
            return 0;
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

// What a save writes first: "<name>.saving-" and six letters or digits.
constexpr QByteArrayView TemporarySuffix = ".saving-XXXXXX";

bool isTemporaryOf(QByteArrayView entry, QByteArrayView name)
{
    const QByteArrayView prefix = TemporarySuffix.chopped(6);
    if (entry.size() != name.size() + TemporarySuffix.size() || !entry.startsWith(name)
        || !entry.sliced(name.size()).startsWith(prefix))
        return false;
    const QByteArrayView random = entry.last(6);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

// Removes the temporary files that a save killed before its rename left
// beside the file at path. A save holds a lock on its own until it is done,
// so one of a game still saving is left alone.
void removeLeftovers(const QString &path)
{
    const QString target = followLinks(path);
    if (target.isEmpty())
        return;
    const QFileInfo info(target);
    DIR *folder = ::opendir(QFile::encodeName(info.absolutePath()).constData());
    if (!folder)
        return;
    const QByteArray name = QFile::encodeName(info.fileName());
    while (const dirent *entry = ::readdir(folder)) {
        if (!isTemporaryOf(entry->d_name, name))
            continue;
        const int fd = ::openat(::dirfd(folder), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat status { };
        if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        if (fd >= 0)
            ::close(fd);
    }
    ::closedir(folder);
}

} // namespace

UserSettingsStore::UserSettingsStore(const QString &folder)
    : m_folder(folder)
{
}

QString UserSettingsStore::userConfigFolder()
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.startsWith(u'/'))
        return config;
    QString home = qEnvironmentVariable("HOME");
    // QDir::homePath() would give "/" here: the store would land in the
    // root folder, or nowhere a user may write.
    if (home.isEmpty()) {
        if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
            home = QFile::decodeName(user->pw_dir);
    }
    return home.isEmpty() ? QString() : home + QLatin1String("/.config");
}

QString UserSettingsStore::filePath(const QString &application) const
{
    const QString folder = m_folder ? *m_folder : userConfigFolder();
    return folder.isEmpty() ? QString() : folder + u'/' + application + QLatin1String(".ini");
}

void UserSettingsStore::say(const QString &application, const QString &line)
{
    if (m_said.insert(line).second)
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(application), qUtf8Printable(line));
}

UserSettingsStore::File UserSettingsStore::read(const QString &application)
{
    File file;
    file.path = filePath(application);
    if (file.path.isEmpty()) {
        file.trust = Trust::Untouched;
        say(application,
            QStringLiteral("no home folder (HOME is unset and the user database has none): "
                           "the options are not read or saved"));
        return file;
    }
    const QByteArray name = QFile::encodeName(file.path);
    struct stat status { };
    if (::stat(name.constData(), &status) != 0) {
        // A missing file is a first start: the options start from their defaults.
        if (errno != ENOENT) {
            file.trust = Trust::Untouched;
            say(application,
                QStringLiteral("cannot reach %1: %2: the options are not read or saved").arg(file.path, reason(errno)));
        }
        return file;
    }
    // Never opened: opening a device can have effects of its own.
    if (!S_ISREG(status.st_mode)) {
        file.trust = Trust::Untouched;
        say(application, QStringLiteral("%1 is not a regular file: the options are not read or saved").arg(file.path));
        return file;
    }
    file.exists = true;
    file.writable = writableByMode(status);
    file.mode = status.st_mode & 07777;

    // However large the file, no more is read than the most it may hold.
    QString fault;
    int badLine = 0;
    int error = 0;
    if (status.st_size <= MaxFileSize) {
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        error = fd < 0 ? errno : readUpTo(fd, MaxFileSize + 1, file.bytes);
        if (fd >= 0)
            ::close(fd);
    }
    if (error != 0)
        fault = QStringLiteral("cannot read %1: %2").arg(file.path, reason(error));
    else if (status.st_size > MaxFileSize || file.bytes.size() > MaxFileSize)
        fault = QStringLiteral("%1 is larger than 64 KiB").arg(file.path);
    else if (auto parsed = StoredSettings::parse(file.bytes, &badLine))
        file.settings = std::move(*parsed);
    else
        fault = QStringLiteral("%1 is not text (line %2)").arg(file.path).arg(badLine);
    if (!fault.isEmpty()) {
        file.trust = Trust::Damaged;
        const QByteArray backup = freeBackupName(QFile::encodeName(followLinks(file.path)));
        say(application,
            fault
                + (file.writable ? QStringLiteral(", so it is not trusted: the options start from their defaults, "
                                                  "and the file is kept as %1 when they are saved")
                                       .arg(QFileInfo(QFile::decodeName(backup)).fileName())
                                 : QStringLiteral(", so it is not trusted: the options start from their defaults, "
                                                  "and are not saved, as the file is read-only (mode %1)")
                                       .arg(file.mode, 4, 8, QLatin1Char('0'))));
    }
    return file;
}

StoredSettings UserSettingsStore::load(const QString &application)
{
    File file = read(application);
    if (file.trust != Trust::Untouched)
        removeLeftovers(file.path);
    return std::move(file.settings);
}

void UserSettingsStore::save(const QString &application, const StoredSettings &changes)
{
    // Read again: what the user or another game wrote since is kept too.
    const File file = read(application);
    if (file.trust == Trust::Untouched)
        return;
    StoredSettings settings = file.trust == Trust::Whole ? file.settings : StoredSettings();
    settings.setValues(changes);
    const QByteArray text = settings.text();
    if (file.trust == Trust::Whole && text == file.bytes)
        return;
    if (!file.writable) {
        if (file.trust == Trust::Whole)
            say(application,
                QStringLiteral("%1 is read-only (mode %2): the options are not saved")
                    .arg(file.path)
                    .arg(file.mode, 4, 8, QLatin1Char('0')));
        return;
    }
    // The next start would not read a larger file.
    if (text.size() > MaxFileSize) {
        say(application, QStringLiteral("%1 would grow past 64 KiB: the options are not saved").arg(file.path));
        return;
    }
    write(application, file, text);
}

void UserSettingsStore::write(const QString &application, const File &file, const QByteArray &text)
{
    const auto failed = [&](int error) {
        say(application, QStringLiteral("cannot save the options to %1: %2").arg(file.path, reason(error)));
    };
    // A link to a regular file keeps working: its target is written.
    const QString target = followLinks(file.path);
    if (target.isEmpty())
        return failed(ELOOP);
    const QByteArray name = QFile::encodeName(target);
    const QString folderPath = QFileInfo(target).absolutePath();
    if (!file.exists)
        QDir().mkpath(folderPath);
    const int folder = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return failed(errno);

    // The text goes to a new file beside the target, which then takes the
    // target's name in one rename: readers see the old file or the new one.
    QByteArray temporary = name + TemporarySuffix.toByteArray();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        ::close(folder);
        return failed(error);
    }
    // Held until the rename, so that a game starting meanwhile leaves the file alone.
    ::flock(fd, LOCK_EX);
    // A new file is readable by all, as QSettings makes it; an old one keeps its mode, and is at least
    // readable by its owner: a file the game could not read would lose the options at every start.
    const mode_t mode = file.exists ? file.mode | S_IRUSR : 0644;
    int error = ::fchmod(fd, mode) == 0 ? writeAll(fd, text) : errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    // The damaged file keeps a name of its own before its name goes to the new one. A journalling
    // file system keeps the order of the two, so one sync after the rename makes both last.
    if (error == 0 && file.trust == Trust::Damaged && file.exists)
        error = keepBackup(name, file.mode | S_IRUSR);
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    // The new name reaches the disk before the game says it saved.
    else if (::fsync(folder) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    ::close(folder);
    if (error != 0)
        failed(error);
}

QString boolToText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool textToBool(const QString &text, bool fallback)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const qlonglong n = t.toLongLong(&isNumber);
    return isNumber ? n != 0 : fallback;
}

} // namespace vorni
