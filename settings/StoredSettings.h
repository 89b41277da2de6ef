#pragma once

// What a settings file holds: sections of keys, each key with its text, kept
// line by line as the file has them. Names match without regard to letter
// case, so a value written as "Playcomputer" is the one read as
// "PlayComputer", and setting a value keeps the spelling already stored.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace vorni {

class StoredSettings {
public:
    // The stored text, without surrounding blanks, quotes or a comment, or
    // fallback when the key is not stored. Of a key stored twice, the last.
    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // key is a name as the game spells it; text is one line without
    // surrounding blanks, quotes, ";" or "#". The key keeps one line: its
    // last, where only the text changes, or a new one at the end of its
    // section. Earlier lines of the same key are dropped.
    void setValue(const QString &section, const QString &key, const QString &text);
    // Every value of other, set over these.
    void setValues(const StoredSettings &other);

    // The INI text QSettings reads: "[section]" lines, "key=text" lines and
    // comments (";" or "#"), also after a text when a blank stands before
    // them; keys before the first section belong to none. Lines end with LF,
    // CR LF or CR; a UTF-8 byte order mark may open the text. Any other line
    // is skipped and kept. Only bytes that are not text make the whole
    // unreadable: a NUL byte, or a key or its text that is not UTF-8; then
    // nullopt, with the 1-based number of that line in badLine.
    static std::optional<StoredSettings> parse(QByteArrayView text, int *badLine = nullptr);
    // The text parse() read, byte for byte, but for the lines setValue()
    // changed, dropped or added; parse() reads it back as these values.
    QByteArray text() const;

private:
    struct Line {
        explicit Line(QByteArray lineBytes = {}, int lineSection = 0, bool isHeader = false)
            : bytes(std::move(lineBytes))
            , section(lineSection)
            , header(isHeader)
        {
        }
        QByteArray bytes; // as in the file, with its line end
        int section = 0;  // index into m_sections
        bool header = false;
        QString key;                          // empty when the line is not "key=text"
        QString text;                         // as stored: quotes kept, comment cut
        qsizetype textBegin = 0, textEnd = 0; // where text lies in bytes
    };

    bool inSection(const Line &line, const QString &section) const;
    void insert(qsizetype at, Line line);

    // [0] stands for the keys before the first "[section]" line; an empty
    // name in a later one matches no section.
    std::vector<QString> m_sections{QString()};
    std::vector<Line> m_lines;
    bool m_byteOrderMark = false;
    QByteArray m_lineEnd = "\n"; // the file's own, for lines added
};

} // namespace vorni
