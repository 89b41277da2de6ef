#include "StoredSettings.h"

#include <QStringDecoder>

#include <algorithm>

namespace vorni {

namespace {

constexpr QByteArrayView ByteOrderMark = "\xEF\xBB\xBF";

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

// The text of bytes, a U+FEFF at its start kept; ok tells whether all of
// them were UTF-8.
QString decode(QByteArrayView bytes, bool *ok = nullptr)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    if (ok)
        *ok = !utf8.hasError();
    return text;
}

// Whether a line that ends in a lone CR and the next, when it starts with LF,
// would read as one line that ends in CR LF.
bool joins(const QByteArray &line, const QByteArray &next)
{
    return line.endsWith('\r') && next.startsWith('\n');
}

// Where the line that starts at from ends, its line end included: after LF,
// after CR LF, or after a CR alone.
qsizetype lineEnd(QByteArrayView text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
    }
    return text.size();
}

} // namespace

bool StoredSettings::inSection(const Line &line, const QString &section) const
{
    if (line.section == 0)
        return section.isEmpty();
    const QString &name = m_sections[static_cast<std::size_t>(line.section)];
    return !name.isEmpty() && sameName(name, section);
}

QString StoredSettings::value(const QString &section, const QString &key, const QString &fallback) const
{
    const auto found = std::find_if(m_lines.rbegin(), m_lines.rend(), [&](const Line &line) {
        return !line.key.isEmpty() && sameName(line.key, key) && inSection(line, section);
    });
    if (found == m_lines.rend())
        return fallback;
    const QString &t = found->text;
    // QSettings quotes a text that has blanks at its ends.
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        return t.mid(1, t.size() - 2);
    return t;
}

void StoredSettings::setValue(const QString &section, const QString &key, const QString &text)
{
    Q_ASSERT(!key.isEmpty() && key == key.trimmed() && !key.contains(u'=') && !key.contains(u'\n')
             && !key.contains(u'\r') && !key.startsWith(u'[') && !key.startsWith(u';') && !key.startsWith(u'#'));
    Q_ASSERT(text == text.trimmed() && !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(u';')
             && !text.contains(u'#') && !text.contains(u'"'));
    const auto isKey
        = [&](const Line &line) { return !line.key.isEmpty() && sameName(line.key, key) && inSection(line, section); };
    const auto last = std::find_if(m_lines.rbegin(), m_lines.rend(), isKey);
    if (last != m_lines.rend()) {
        Line &line = *last;
        QByteArray after = line.bytes.mid(line.textEnd);
        // A comment that followed an empty text keeps a blank before it.
        if (after.startsWith(';') || after.startsWith('#'))
            after.prepend(' ');
        const QByteArray bytes = text.toUtf8();
        line.bytes = line.bytes.first(line.textBegin) + bytes + after;
        line.textEnd = line.textBegin + bytes.size();
        line.text = text;
        // Earlier lines of the key were never read: one line says what is stored. Where the lines on
        // either side would join into one, a blank line stays between them.
        for (auto at = m_lines.rend() - last - 1; at-- > 0;) {
            const auto i = static_cast<std::size_t>(at);
            if (!isKey(m_lines[i]))
                continue;
            if (i > 0 && joins(m_lines[i - 1].bytes, m_lines[i + 1].bytes))
                m_lines[i] = Line("\r\n", m_lines[i].section);
            else
                m_lines.erase(m_lines.begin() + at);
        }
        return;
    }

    Line line;
    line.key = key;
    line.text = text;
    line.textBegin = key.toUtf8().size() + 1;
    line.bytes = key.toUtf8() + '=' + text.toUtf8();
    line.textEnd = line.bytes.size();
    line.bytes += m_lineEnd;
    // After the section's last key, or its "[section]" line.
    for (auto at = m_lines.size(); at-- > 0;) {
        if (inSection(m_lines[at], section) && (!m_lines[at].key.isEmpty() || m_lines[at].header)) {
            line.section = m_lines[at].section;
            insert(static_cast<qsizetype>(at) + 1, std::move(line));
            return;
        }
    }
    if (section.isEmpty()) {
        const auto header = std::find_if(m_lines.begin(), m_lines.end(), [](const Line &l) { return l.header; });
        insert(header - m_lines.begin(), std::move(line));
        return;
    }
    // A new section at the end, after a blank line as QSettings writes it.
    const auto append = [this](Line added) { insert(static_cast<qsizetype>(m_lines.size()), std::move(added)); };
    if (!m_lines.empty() && !m_lines.back().bytes.trimmed().isEmpty())
        append(Line(m_lineEnd, m_lines.back().section));
    m_sections.push_back(section);
    line.section = static_cast<int>(m_sections.size() - 1);
    append(Line('[' + section.toUtf8() + ']' + m_lineEnd, line.section, true));
    append(std::move(line));
}

void StoredSettings::insert(qsizetype at, Line line)
{
    // The line before must end for the new one to start a line.
    if (at == static_cast<qsizetype>(m_lines.size()) && !m_lines.empty()) {
        QByteArray &before = m_lines.back().bytes;
        if (!before.endsWith('\n') && !before.endsWith('\r'))
            before += m_lineEnd;
    }
    if (at > 0 && joins(m_lines[static_cast<std::size_t>(at - 1)].bytes, line.bytes))
        line.bytes.prepend('\r');
    if (at < static_cast<qsizetype>(m_lines.size()) && joins(line.bytes, m_lines[static_cast<std::size_t>(at)].bytes))
        line.bytes.append('\n');
    m_lines.insert(m_lines.begin() + at, std::move(line));
}

void StoredSettings::setValues(const StoredSettings &other)
{
    for (const Line &line : other.m_lines) {
        const QString &section = other.m_sections[static_cast<std::size_t>(line.section)];
        // A key under "[]" belongs to no section that can be named.
        if (!line.key.isEmpty() && (line.section == 0 || !section.isEmpty()))
            setValue(section, line.key, line.text);
    }
}

std::optional<StoredSettings> StoredSettings::parse(QByteArrayView text, int *badLine)
{
    StoredSettings settings;
    if (text.startsWith(ByteOrderMark)) {
        settings.m_byteOrderMark = true;
        text = text.sliced(ByteOrderMark.size());
    }
    bool lineEndSeen = false;
    int number = 0;
    for (qsizetype start = 0; start < text.size();) {
        ++number;
        const qsizetype end = lineEnd(text, start);
        Line line(text.sliced(start, end - start).toByteArray(), static_cast<int>(settings.m_sections.size() - 1));
        start = end;
        QByteArrayView content = line.bytes;
        while (content.endsWith('\n') || content.endsWith('\r'))
            content.chop(1);
        if (!lineEndSeen && content.size() < line.bytes.size()) {
            settings.m_lineEnd = line.bytes.sliced(content.size());
            lineEndSeen = true;
        }
        const QByteArrayView words = trimmed(content);
        const qsizetype equals = words.indexOf('=');
        const bool comment = words.startsWith(';') || words.startsWith('#');
        const bool header = words.startsWith('[');
        const bool keyLine = !comment && !header && equals > 0;
        bool utf8 = true;
        if (keyLine)
            line.key = decode(trimmed(words.first(equals)), &utf8);
        if (content.contains('\0') || !utf8) {
            if (badLine)
                *badLine = number;
            return std::nullopt;
        }
        if (header) {
            // "[name]", where the "]" may be missing and anything may follow it.
            QByteArrayView name = words.sliced(1);
            if (const qsizetype close = name.indexOf(']'); close >= 0)
                name = name.first(close);
            settings.m_sections.push_back(decode(trimmed(name)));
            line.section = static_cast<int>(settings.m_sections.size() - 1);
            line.header = true;
        } else if (keyLine) {
            qsizetype begin = content.indexOf('=') + 1;
            while (begin < content.size() && isBlank(content[begin]))
                ++begin;
            // A comment starts at ";" or "#" after a blank, outside quotes.
            qsizetype stop = begin;
            for (bool quoted = false; stop < content.size(); ++stop) {
                const char c = content[stop];
                if (c == '"')
                    quoted = !quoted;
                else if (!quoted && (c == ';' || c == '#') && isBlank(content[stop - 1]))
                    break;
            }
            while (stop > begin && isBlank(content[stop - 1]))
                --stop;
            line.textBegin = begin;
            line.textEnd = stop;
            line.text = decode(content.sliced(begin, stop - begin), &utf8);
            if (!utf8) {
                if (badLine)
                    *badLine = number;
                return std::nullopt;
            }
        }
        settings.m_lines.push_back(std::move(line));
    }
    return settings;
}

QByteArray StoredSettings::text() const
{
    QByteArray out;
    if (m_byteOrderMark)
        out += ByteOrderMark;
    for (const Line &line : m_lines)
        out += line.bytes;
    return out;
}

} // namespace vorni
