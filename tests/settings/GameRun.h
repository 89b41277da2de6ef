#pragma once

// One game's run, as the options file sees it: the options are read as the
// window reads them, "Animation" is switched, and they are saved.

#include "SettingsStore.h"

#include <QStringList>

namespace vorni {

// What was read: "Animation=True Playcomputer=False GameLine=False" ("True" is off).
inline QString switchAnimation(SettingsStore &store)
{
    struct Option {
        const char *read, *written, *fallback;
    };
    constexpr Option Options[] = {{"Animation", "Animation", "False"},
                                  {"PlayComputer", "Playcomputer", "True"},
                                  {"GameLine", "GameLine", "False"}};
    const QString application = QStringLiteral("Vorni Game"), section = QStringLiteral("Settings");
    const StoredSettings stored = store.load(application);
    StoredSettings changes;
    QStringList read;
    for (const Option &option : Options) {
        const bool off
            = textToBool(stored.value(section, option.read, option.fallback), textToBool(option.fallback, false));
        read.append(QString::fromLatin1(option.written) + u'=' + boolToText(off));
        changes.setValue(section, option.written, boolToText(&option == Options ? !off : off));
    }
    store.save(application, changes);
    return read.join(u' ');
}

} // namespace vorni
