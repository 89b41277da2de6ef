#include "StoredSettings.h"

#include <QStringDecoder>

namespace vorni {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

const StoredSettings::Entry *StoredSettings::find(const QString &section, const QString &key) const
{
    for (const Section &s : m_sections) {
        if (!sameName(s.name, section))
            continue;
        for (const Entry &e : s.entries) {
            if (sameName(e.key, key))
                return &e;
        }
    }
    return nullptr;
}

QString StoredSettings::value(const QString &section, const QString &key, const QString &fallback) const
{
    const Entry *entry = find(section, key);
    if (!entry)
        return fallback;
    const QString &t = entry->text;
    // QSettings quotes a text that has blanks at its ends.
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        return t.mid(1, t.size() - 2);
    return t;
}

void StoredSettings::setValue(const QString &section, const QString &key, const QString &text)
{
    Q_ASSERT(!text.contains(u'\n') && !text.contains(u'\r') && text == text.trimmed());
    if (auto *entry = const_cast<Entry *>(find(section, key))) {
        entry->text = text;
        return;
    }
    for (Section &s : m_sections) {
        if (sameName(s.name, section)) {
            s.entries.push_back({key, text});
            return;
        }
    }
    // Keys of no section come first in the file, before any "[section]" line.
    const auto at = section.isEmpty() ? m_sections.begin() : m_sections.end();
    m_sections.insert(at, Section{section, {{key, text}}});
}

void StoredSettings::setValues(const StoredSettings &other)
{
    for (const Section &s : other.m_sections) {
        for (const Entry &e : s.entries)
            setValue(s.name, e.key, e.text);
    }
}

std::optional<StoredSettings> StoredSettings::parse(QByteArrayView text, int *badLine)
{
    StoredSettings settings;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    int number = 0;
    while (!text.isEmpty()) {
        ++number;
        const qsizetype end = text.indexOf('\n');
        const QByteArrayView bytes = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        const QString line = QString(utf8(bytes)).trimmed();
        bool ok = !bytes.contains('\0') && !utf8.hasError();
        if (ok && !line.isEmpty() && !line.startsWith(u';') && !line.startsWith(u'#')) {
            if (line.startsWith(u'[')) {
                ok = line.endsWith(u']') && line.size() > 2;
                if (ok)
                    settings.m_sections.push_back({line.mid(1, line.size() - 2).trimmed(), {}});
            } else {
                const qsizetype equals = line.indexOf(u'=');
                ok = equals > 0;
                if (ok) {
                    if (settings.m_sections.empty())
                        settings.m_sections.push_back({});
                    settings.m_sections.back().entries.push_back(
                        {line.first(equals).trimmed(), line.sliced(equals + 1).trimmed()});
                }
            }
        }
        if (!ok) {
            if (badLine)
                *badLine = number;
            return std::nullopt;
        }
    }
    return settings;
}

QByteArray StoredSettings::text() const
{
    QString out;
    for (const Section &s : m_sections) {
        if (!out.isEmpty())
            out += u'\n';
        if (!s.name.isEmpty())
            out += u'[' + s.name + QLatin1String("]\n");
        for (const Entry &e : s.entries)
            out += e.key + u'=' + e.text + u'\n';
    }
    return out.toUtf8();
}

} // namespace vorni
