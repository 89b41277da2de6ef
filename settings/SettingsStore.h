#pragma once

// The per-user settings store: text values under an application, a section
// and a key, read whole when the game starts and written whole in one save
// as often as the window asks.

#include "StoredSettings.h"

#include <QString>

#include <optional>
#include <set>

namespace vorni {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Everything stored for application; nothing when the store is missing
    // or cannot be trusted.
    virtual StoredSettings load(const QString &application) = 0;
    // Sets changes over what is stored now and writes it all in one save;
    // when that changes nothing, nothing is written. Cheap enough to be
    // called after every change of an option.
    virtual void save(const QString &application, const StoredSettings &changes) = 0;
};

// The store for the current user: "<application>.ini" in the user's
// configuration folder, where QSettings' user scope keeps it.
//
// It reads what it can and writes back what it found: a line it does not
// understand is skipped and kept, and a save changes only the lines of the
// values it sets. It never does harm and never takes long: a file that is
// not a regular one (a folder, or a link to a device such as /dev/null) is
// neither read nor written, and one whose mode bits keep the user, root
// too, from writing it is read but never written. A file larger than
// MaxFileSize or one that is not text is not read into the options, and the
// save keeps it beside the fresh file as "<name>.bak" (or "<name>.2.bak" and
// on, never over an earlier one). Whenever the game is killed, the file's
// name holds a whole file, the old or the new: the old reaches its ".bak" by
// a hard link first, the new one takes the name in one rename, and the
// folder is synced. What a killed save left behind is removed at the next
// load. Every fault is said in one line on stderr, once, and the game goes
// on.
class UserSettingsStore final : public SettingsStore {
public:
    static constexpr qint64 MaxFileSize = 64 * 1024;

    // The folder is looked up at every load and save, from the environment.
    UserSettingsStore() = default;
    // The store in folder; an empty folder stands for a user without a home.
    explicit UserSettingsStore(const QString &folder);

    StoredSettings load(const QString &application) override;
    void save(const QString &application, const StoredSettings &changes) override;

    // $XDG_CONFIG_HOME when it is an absolute path, else ".config" in the
    // home folder: $HOME, or the user database's when HOME is unset or empty.
    // Empty when there is no home folder either.
    static QString userConfigFolder();

private:
    enum class Trust {
        Whole,     // missing, or read: the save writes its values over it
        Damaged,   // not read into the options: the save keeps it as ".bak"
        Untouched, // not a regular file, or out of reach: never written
    };
    struct File {
        QString path;
        Trust trust = Trust::Whole;
        bool exists = false;
        bool writable = true; // by its mode bits, for this user
        unsigned mode = 0644;
        QByteArray bytes;
        StoredSettings settings;
    };

    QString filePath(const QString &application) const;
    File read(const QString &application);
    void write(const QString &application, const File &file, const QByteArray &text);
    // Says line on stderr, unless this store said it before.
    void say(const QString &application, const QString &line);

    std::optional<QString> m_folder;
    std::set<QString> m_said;
};

// Flags are kept as "True" and "False". Reading takes any letter case and
// whole numbers (non-zero is true); any other text gives fallback rather
// than a wrong value.
QString boolToText(bool value);
bool textToBool(const QString &text, bool fallback);

} // namespace vorni
