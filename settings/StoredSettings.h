#pragma once

// What a settings file holds: sections of keys, each key with its text, in
// the order of the file. Names match without regard to letter case, so a
// value written as "Playcomputer" is the one read as "PlayComputer", and
// setting a value keeps the spelling already stored.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace vorni {

class StoredSettings {
public:
    // The stored text, without surrounding blanks or quotes, or fallback when
    // the key is not stored.
    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // text is one line without surrounding blanks.
    void setValue(const QString &section, const QString &key, const QString &text);
    // Every value of other, set over these.
    void setValues(const StoredSettings &other);

    // The INI text QSettings writes: "[section]" lines, "key=text" lines,
    // blank lines and comments (";" or "#"); keys before the first section
    // belong to none. Any other line, a NUL byte or text that is not UTF-8
    // makes the whole text unreadable: nullopt, with the 1-based number of
    // the first bad line in badLine.
    static std::optional<StoredSettings> parse(QByteArrayView text, int *badLine = nullptr);
    // The text parse() reads back as these values. Comments are not kept.
    QByteArray text() const;

private:
    struct Entry {
        QString key;
        QString text;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Entry *find(const QString &section, const QString &key) const;

    std::vector<Section> m_sections;
};

} // namespace vorni
