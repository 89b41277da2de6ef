#pragma once

// The per-user settings store: text values under an application, a section
// and a key, read whole once when the game starts and written whole in one
// save when it ends.

#include "StoredSettings.h"

#include <QString>

#include <map>
#include <optional>

namespace vorni {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Everything stored for application; nothing when the store is missing
    // or cannot be trusted.
    virtual StoredSettings load(const QString &application) = 0;
    // Sets changes over what load() gave and writes it all in one save.
    virtual void save(const QString &application, const StoredSettings &changes) = 0;
};

// The store for the current user: "<application>.ini" in the user's
// configuration folder, where QSettings' user scope keeps it.
//
// It never does harm and never takes long: a file that is not a regular one
// (a folder, or a link to a device such as /dev/null) is neither read nor
// written; a file larger than MaxFileSize or one that does not parse is not
// read into the options, and the save keeps it as "<name>.bak" beside the
// fresh file. A save replaces the file in one rename, so a crash or a second
// game closing at the same moment leaves one whole set of values. Every
// fault is said in one line on stderr, once, and the game goes on.
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
        Whole,     // missing, or read and parsed: the save writes its values
        Damaged,   // not read into the options: the save keeps it as ".bak"
        Untouched, // not a regular file, or out of reach: never written
    };
    struct Loaded {
        QString path;
        Trust trust = Trust::Whole;
        StoredSettings settings;
    };

    QString filePath(const QString &application) const;
    Loaded read(const QString &application);
    bool write(const QString &application, const Loaded &file, const QByteArray &text);

    std::optional<QString> m_folder;
    std::map<QString, Loaded> m_loaded;
};

// Flags are kept as "True" and "False". Reading takes any letter case and
// whole numbers (non-zero is true); any other text gives fallback rather
// than a wrong value.
QString boolToText(bool value);
bool textToBool(const QString &text, bool fallback);

} // namespace vorni
