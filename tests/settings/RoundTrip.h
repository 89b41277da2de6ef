#pragma once

// What a save promises for any file it reads: untouched, it writes the same
// bytes; with the game's options set, what it writes reads back as those
// options and as every other value the file held, keeps each line that names
// none of the options in its order, has a byte order mark at the start only,
// and a second save writes the same bytes again.

#include "StoredSettings.h"

#include <QStringList>

#include <string>

namespace vorni {

inline const QStringList SetKeys{"Animation", "Playcomputer", "GameLine"};

// Lines people write in such files, some of which trouble readers, and the three line ends.
inline const QList<QByteArray> Lines = QByteArray("[Settings]|[settings|[Other]|[]|[ ]|Animation=True|"
                                                  "animation = false ; off|PlayComputer=\"False\"|GAMELINE=1|"
                                                  "GameLine= ; empty|Key=x # y|=orphan|no equals|; caf\xe9||"
                                                  " \xEF\xBB\xBF=1|Animation=;x|Key=\"a ; b\"")
                                           .split('|');
inline const QList<QByteArray> LineEnds{"\n", "\r\n", "\r"};

// A file of up to 12 of Lines, with one of LineEnds, maybe a byte order mark, maybe no end at the end.
template <typename Random> QByteArray randomFile(Random &random)
{
    QByteArray file = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
    const QByteArray &end = LineEnds[random() % 3];
    for (auto n = random() % 13; n > 0; --n)
        file += Lines[random() % Lines.size()] + end;
    if (random() % 3 == 0)
        file.chop(end.size());
    return file;
}

// The game's options: bit i of flags sets SetKeys[i] to "True".
inline StoredSettings gameOptions(unsigned flags)
{
    StoredSettings options;
    for (int i = 0; i < SetKeys.size(); ++i)
        options.setValue("Settings", SetKeys[i], flags >> i & 1 ? "True" : "False");
    return options;
}

// "" when the promise holds for file and the options of flags, else what broke.
inline std::string roundTripFault(const QByteArray &file, unsigned flags)
{
    const auto parsed = StoredSettings::parse(file);
    if (!parsed)
        return {};
    if (parsed->text() != file)
        return "read and written untouched, the text changed";
    StoredSettings saved = *parsed;
    saved.setValues(gameOptions(flags));
    const QByteArray written = saved.text();
    auto again = StoredSettings::parse(written);
    if (!again)
        return "what was written does not read back";
    for (const QString section : {"Settings", "Other", ""}) {
        for (const QString key : {"Animation", "playcomputer", "GameLine", "Key", "x"}) {
            const bool set = section == "Settings" && SetKeys.contains(key, Qt::CaseInsensitive);
            const QString expected
                = set ? gameOptions(flags).value(section, key, {}) : parsed->value(section, key, "-");
            if (again->value(section, key, "-") != expected)
                return "reads back " + section.toStdString() + "/" + key.toStdString() + " differently";
        }
    }
    again->setValues(gameOptions(flags));
    if (again->text() != written)
        return "a second save changes the text";
    const QByteArray mark = "\xEF\xBB\xBF";
    if (written.startsWith(mark) != file.startsWith(mark) || written.count(mark) > file.count(mark))
        return "a byte order mark moved";
    const auto lines = [&](QByteArray text) {
        return text.mid(text.startsWith(mark) ? 3 : 0).replace("\r\n", "\n").replace('\r', '\n').split('\n');
    };
    const auto namesAnOption = [](const QByteArray &line) {
        return std::any_of(SetKeys.begin(), SetKeys.end(),
                           [&](const QString &key) { return line.toLower().contains(key.toLower().toUtf8()); });
    };
    const QList<QByteArray> out = lines(written);
    auto at = out.begin();
    for (const QByteArray &line : lines(file)) {
        if (namesAnOption(line))
            continue;
        if ((at = std::find(at, out.end(), line)) == out.end())
            return "a line that names no option is lost or moved: " + line.toStdString();
        ++at;
    }
    return {};
}

} // namespace vorni
