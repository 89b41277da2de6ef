#pragma once

// The per-user settings store: text values under an application, a section
// and a key. Names match without regard to letter case, so a value written
// as "Playcomputer" is the one read as "PlayComputer".

#include <QString>

namespace vorni {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when the key is not stored.
    virtual QString read(const QString &application, const QString &section, const QString &key,
                         const QString &fallback) const = 0;
    virtual void write(const QString &application, const QString &section, const QString &key,
                       const QString &text) = 0;
};

// The platform's store for the current user: one INI file per application
// in the user's configuration folder (QSettings' user scope).
class UserSettingsStore final : public SettingsStore {
public:
    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &fallback) const override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &text) override;
};

// Flags are kept as "True" and "False". Reading takes any letter case and
// whole numbers (non-zero is true); any other text gives fallback rather
// than a wrong value.
QString boolToText(bool value);
bool textToBool(const QString &text, bool fallback);

} // namespace vorni
