#include "SettingsStore.h"

#include <QSettings>

namespace vorni {

namespace {

// The spelling already stored for name, or name itself when none is.
QString storedSpelling(const QStringList &stored, const QString &name)
{
    for (const QString &s : stored) {
        if (s.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    }
    return name;
}

} // namespace

QString UserSettingsStore::read(const QString &application, const QString &section, const QString &key,
                                const QString &fallback) const
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application);
    settings.beginGroup(storedSpelling(settings.childGroups(), section));
    const QString stored = storedSpelling(settings.childKeys(), key);
    const QVariant value = settings.value(stored);
    return value.isValid() ? value.toString() : fallback;
}

void UserSettingsStore::write(const QString &application, const QString &section, const QString &key,
                              const QString &text)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application);
    settings.beginGroup(storedSpelling(settings.childGroups(), section));
    settings.setValue(storedSpelling(settings.childKeys(), key), text);
    settings.endGroup();
    // Nothing is reported: a store that cannot be written keeps its old values.
    settings.sync();
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
