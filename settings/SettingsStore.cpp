#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

// One line on stderr: the game goes on without its options file.
void report(const QString &application, const QString &line)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(application), qUtf8Printable(line));
}

// Writes all of text to fd and on to the disk; 0, or the error that stopped it.
int writeAll(int fd, const QByteArray &text)
{
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.constData() + done, static_cast<size_t>(text.size() - done));
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            done += n;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
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

UserSettingsStore::Loaded UserSettingsStore::read(const QString &application)
{
    Loaded file;
    file.path = filePath(application);
    if (file.path.isEmpty()) {
        file.trust = Trust::Untouched;
        report(application,
               QStringLiteral("no home folder (HOME is unset and the user database has none): "
                              "the options are not read or saved"));
        return file;
    }
    struct stat status { };
    if (::stat(QFile::encodeName(file.path).constData(), &status) != 0) {
        // A missing file is a first start: the options start from their defaults.
        if (errno != ENOENT) {
            file.trust = Trust::Untouched;
            report(
                application,
                QStringLiteral("cannot reach %1: %2: the options are not read or saved").arg(file.path, reason(errno)));
        }
        return file;
    }
    // Never opened: opening a device can have effects of its own.
    if (!S_ISREG(status.st_mode)) {
        file.trust = Trust::Untouched;
        report(application,
               QStringLiteral("%1 is not a regular file: the options are not read or saved").arg(file.path));
        return file;
    }

    // However large the file, no more is read than the most it may hold.
    QString fault;
    QByteArray text;
    QFile in(file.path);
    if (in.open(QIODevice::ReadOnly))
        text = in.read(MaxFileSize + 1);
    int badLine = 0;
    if (in.error() != QFileDevice::NoError)
        fault = QStringLiteral("cannot read %1: %2").arg(file.path, in.errorString());
    else if (text.size() > MaxFileSize)
        fault = QStringLiteral("%1 is larger than 64 KiB").arg(file.path);
    else if (auto parsed = StoredSettings::parse(text, &badLine))
        file.settings = std::move(*parsed);
    else
        fault = QStringLiteral("%1 does not parse (line %2)").arg(file.path).arg(badLine);
    if (!fault.isEmpty()) {
        file.trust = Trust::Damaged;
        report(application,
               fault
                   + QStringLiteral(", so it is not trusted: the options start from their defaults, "
                                    "and the file is kept as %1.bak at exit")
                         .arg(QFileInfo(file.path).fileName()));
    }
    return file;
}

StoredSettings UserSettingsStore::load(const QString &application)
{
    return m_loaded.insert_or_assign(application, read(application)).first->second.settings;
}

void UserSettingsStore::save(const QString &application, const StoredSettings &changes)
{
    auto it = m_loaded.find(application);
    if (it == m_loaded.end() || it->second.path != filePath(application))
        it = m_loaded.insert_or_assign(application, read(application)).first;
    Loaded &file = it->second;
    // Said when the options were read.
    if (file.trust == Trust::Untouched)
        return;
    StoredSettings settings = file.settings;
    settings.setValues(changes);
    if (!write(application, file, settings.text()))
        return;
    file.settings = std::move(settings);
    file.trust = Trust::Whole;
}

bool UserSettingsStore::write(const QString &application, const Loaded &file, const QByteArray &text)
{
    const auto failed = [&](int error) {
        report(application, QStringLiteral("cannot save the options to %1: %2").arg(file.path, reason(error)));
        return false;
    };
    // A link to a regular file keeps working: its target is written.
    const QString target = followLinks(file.path);
    if (target.isEmpty())
        return failed(ELOOP);
    const QByteArray name = QFile::encodeName(target);
    struct stat status { };
    const bool exists = ::stat(name.constData(), &status) == 0;
    if (!exists && errno != ENOENT)
        return failed(errno);
    if (exists && !S_ISREG(status.st_mode)) {
        report(application, QStringLiteral("%1 is not a regular file: the options are not saved").arg(file.path));
        return false;
    }
    if (!exists)
        QDir().mkpath(QFileInfo(target).absolutePath());

    // The text goes to a new file beside the target, which then takes the
    // target's name in one rename: readers see the old file or the new one.
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    // A new file is readable by all, as QSettings makes it; an old one keeps its mode, but the game
    // always reads and writes it: a file it could not read would lose the options at every start.
    const mode_t mode = exists ? (status.st_mode & 07777) | S_IRUSR | S_IWUSR : 0644;
    int error = ::fchmod(fd, mode) == 0 ? writeAll(fd, text) : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && exists && file.trust == Trust::Damaged && ::rename(name, name + ".bak") != 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), name.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failed(error);
    }
    return true;
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
