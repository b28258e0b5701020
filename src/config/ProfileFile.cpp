#include "config/ProfileFile.h"

#include "config/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <climits>

namespace {

inline bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
inline bool isBlankByte(char c) { return c == ' ' || c == '\t'; }

QStringView trimBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// The line without its ending (LF, or CR LF).
QByteArrayView lineText(const QByteArray &raw)
{
    qsizetype n = raw.size();
    if (n > 0 && raw[n - 1] == '\n') {
        --n;
        if (n > 0 && raw[n - 1] == '\r')
            --n;
    }
    return QByteArrayView(raw.constData(), n);
}

QByteArray lineEnding(const QByteArray &raw)
{
    if (raw.endsWith("\r\n"))
        return "\r\n";
    if (raw.endsWith('\n'))
        return "\n";
    return "\r\n";
}

qsizetype firstNonBlank(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlankByte(text[i]))
        ++i;
    return i;
}

bool isBlankLine(const QByteArray &raw)
{
    const QByteArrayView t = lineText(raw);
    return firstNonBlank(t) == t.size();
}

// What a value is written as, so that a profile reader gives back the same text:
// line breaks cannot stand inside a line and become blanks; blanks at the ends
// would be dropped by every reader anyway; a text that itself begins and ends with
// a double quote is enclosed in one more pair, which the reader takes off again.
QByteArray encodeValue(const QString &value)
{
    const bool plain = !value.isEmpty() && !isBlank(value.front()) && !isBlank(value.back())
                       && !(value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
                       && !value.contains(u'\r') && !value.contains(u'\n');
    if (plain || value.isEmpty())
        return Cp1251::encode(value);
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    v = trimBlanks(v).toString();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        v = u'"' + v + u'"';
    return Cp1251::encode(v);
}

QByteArray encodeName(const QString &name)
{
    if (!name.contains(u'\r') && !name.contains(u'\n'))
        return Cp1251::encode(name);
    QString n = name;
    n.replace(u'\r', u' ').replace(u'\n', u' ');
    return Cp1251::encode(n);
}

} // namespace

ProfileFile::ProfileFile(const QString &path)
    : m_path(path)
{
    QFile f(path);
    QByteArray content;
    if (f.open(QIODevice::ReadOnly))
        content = f.readAll();
    parse(content);
}

ProfileFile ProfileFile::fromBytes(const QByteArray &content, const QString &path)
{
    ProfileFile p;
    p.m_path = path;
    p.parse(content);
    return p;
}

QString ProfileFile::foldName(QStringView name)
{
    name = trimBlanks(name);
    // Names are nearly always plain ASCII: fold those without the Unicode tables.
    QString out(name.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)
            return name.toString().toCaseFolded();
        dst[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return out;
}

bool ProfileFile::parseKeyLine(const QByteArray &raw, QString *key)
{
    const QByteArrayView text = lineText(raw);
    const qsizetype start = firstNonBlank(text);
    if (start == text.size() || text[start] == ';')
        return false;
    const qsizetype eq = text.indexOf('=', start);
    if (eq < 0)
        return false;
    if (key) {
        // The suite's keys are ASCII: fold those straight from the bytes, in one copy.
        qsizetype end = eq;
        while (end > start && isBlankByte(text[end - 1]))
            --end;
        QString folded(end - start, Qt::Uninitialized);
        QChar *dst = folded.data();
        for (qsizetype i = start; i < end; ++i) {
            const char c = text[i];
            if (static_cast<unsigned char>(c) >= 0x80) {
                folded = foldName(Cp1251::decode(text.constData() + start, end - start));
                break;
            }
            *dst++ = QChar(c >= 'A' && c <= 'Z' ? char16_t(c + 32) : char16_t(c));
        }
        *key = folded;
    }
    return true;
}

void ProfileFile::parse(const QByteArray &content)
{
    // Unchanged lines stay views into the file's bytes, which are kept for that.
    m_content = content;
    m_sections.clear();
    m_sections.append(Section{});
    qsizetype pos = 0;
    const qsizetype n = content.size();
    while (pos < n) {
        qsizetype nl = content.indexOf('\n', pos);
        const qsizetype end = nl < 0 ? n : nl + 1;
        const QByteArray raw = QByteArray::fromRawData(m_content.constData() + pos, end - pos);
        pos = end;

        const QByteArrayView text = lineText(raw);
        const qsizetype s = firstNonBlank(text);
        if (s < text.size() && text[s] == '[') {
            qsizetype close = text.indexOf(']', s + 1);
            if (close < 0)
                close = text.size();
            Section sec;
            sec.header = raw;
            sec.folded = foldName(Cp1251::decode(text.constData() + s + 1, close - s - 1));
            m_sections.append(sec);
            continue;
        }
        Section &cur = m_sections.last();
        if (m_sections.size() > 1) {
            QString key;
            if (parseKeyLine(raw, &key)) {
                if (auto it = cur.keys.find(key); it == cur.keys.end())
                    cur.keys.insert(key, cur.lines.size());
            }
        }
        cur.lines.append(raw);
    }
    // Blank lines that end a section stay at its end when keys are added to it.
    for (Section &sec : m_sections) {
        while (!sec.lines.isEmpty() && isBlankLine(sec.lines.last()))
            sec.tail.prepend(sec.lines.takeLast());
    }
    indexSections();
}

void ProfileFile::indexSections()
{
    m_lastSection = -1;
    m_index.clear();
    for (int i = 1; i < m_sections.size(); ++i) {
        if (!m_index.contains(m_sections[i].folded))
            m_index.insert(m_sections[i].folded, i);
    }
}

const ProfileFile::Section *ProfileFile::findSection(const QString &section) const
{
    const auto it = m_index.constFind(foldName(section));
    return it == m_index.constEnd() ? nullptr : &m_sections[*it];
}

ProfileFile::Section *ProfileFile::findSection(const QString &section)
{
    // A section is written key after key: remember the last one looked up.
    if (m_lastSection >= 0 && section == m_lastSectionName)
        return &m_sections[m_lastSection];
    const auto it = m_index.constFind(foldName(section));
    if (it == m_index.constEnd())
        return nullptr;
    m_lastSectionName = section;
    m_lastSection = *it;
    return &m_sections[*it];
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Section *sec = findSection(section);
    if (!sec)
        return def;
    const auto it = sec->keys.constFind(foldName(key));
    if (it == sec->keys.constEnd())
        return def;
    const QByteArrayView text = lineText(sec->lines[*it]);
    const qsizetype eq = text.indexOf('=');
    const QString all = Cp1251::decode(text.constData() + eq + 1, text.size() - eq - 1);
    QStringView v = trimBlanks(all);
    if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"')
        v = v.mid(1, v.size() - 2);
    v = v.left(MaxValueLength);
    return v.size() == all.size() ? all : v.toString(); // no second copy of a plain value
}

bool ProfileFile::parseInteger(const QString &text, int *value)
{
    QStringView t(text);
    bool negative = false;
    int base = 10;
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        base = 16;
        t = t.mid(2);
    } else {
        if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
            negative = t[0] == u'-';
            t = t.mid(1);
        }
        if (!t.isEmpty() && t[0] == u'$') {
            base = 16;
            t = t.mid(1);
        }
    }
    if (t.isEmpty())
        return false;
    // Hexadecimal takes the full 32 bits ($FFFFFFFF is -1); decimal must fit a signed int.
    const qint64 limit = base == 16 ? qint64(0xFFFFFFFF) : (negative ? qint64(INT_MAX) + 1 : qint64(INT_MAX));
    qint64 v = 0;
    for (QChar c : t) {
        const int d = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                      : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f') ? c.toLower().unicode() - 'a' + 10
                                                                                   : -1;
        if (d < 0)
            return false;
        v = v * base + d;
        if (v > limit)
            return false;
    }
    if (base == 16)
        v = static_cast<qint32>(static_cast<quint32>(v));
    *value = static_cast<int>(negative ? -v : v);
    return true;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int def) const
{
    int v = 0;
    return parseInteger(readString(section, key), &v) ? v : def;
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section *sec = findSection(section);
    if (!sec) {
        Section fresh;
        fresh.header = encodeName(u'[' + section + u']') + "\r\n";
        fresh.folded = foldName(section);
        m_sections.append(fresh);
        m_index.insert(fresh.folded, m_sections.size() - 1);
        sec = &m_sections.last();
    }
    const QString folded = foldName(key);
    const auto it = sec->keys.constFind(folded);
    if (it != sec->keys.constEnd()) {
        // Keep the key as it is spelled in the file, and the line's own ending.
        QByteArray &raw = sec->lines[*it];
        const QByteArrayView text = lineText(raw);
        const qsizetype s = firstNonBlank(text);
        QByteArray name = text.sliced(s, text.indexOf('=', s) - s).toByteArray();
        while (!name.isEmpty() && isBlankByte(name.back()))
            name.chop(1);
        raw = name + '=' + encodeValue(value) + lineEnding(raw);
        return;
    }
    const QByteArray name = encodeName(key);
    const QByteArray encoded = encodeValue(value);
    QByteArray line;
    line.reserve(name.size() + encoded.size() + 3);
    line.append(name).append('=').append(encoded).append("\r\n");
    sec->keys.insert(folded, sec->lines.size());
    sec->lines.append(line);
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::eraseSection(const QString &section)
{
    const QString folded = foldName(section);
    if (!m_index.contains(folded))
        return;
    // Every section of that name goes: a second one, hidden behind the first until
    // now, would otherwise come to light with whatever stale keys it holds.
    for (int i = m_sections.size() - 1; i >= 1; --i) {
        if (m_sections[i].folded == folded)
            m_sections.removeAt(i);
    }
    indexSections();
}

bool ProfileFile::sectionExists(const QString &section) const
{
    const Section *sec = findSection(section);
    return sec && !sec->keys.isEmpty();
}

QStringList ProfileFile::keys(const QString &section) const
{
    QStringList out;
    const Section *sec = findSection(section);
    if (!sec)
        return out;
    QList<int> rows = sec->keys.values();
    std::sort(rows.begin(), rows.end());
    out.reserve(rows.size());
    for (int row : rows) {
        const QByteArrayView text = lineText(sec->lines[row]);
        const qsizetype s = firstNonBlank(text);
        qsizetype e = text.indexOf('=', s);
        while (e > s && isBlankByte(text[e - 1]))
            --e;
        out.append(Cp1251::decode(text.data() + s, e - s));
    }
    return out;
}

QByteArray ProfileFile::content() const
{
    qsizetype total = 0;
    for (const Section &sec : m_sections) {
        total += sec.header.size();
        for (const QByteArray &l : sec.lines)
            total += l.size() + 2;
        for (const QByteArray &l : sec.tail)
            total += l.size() + 2;
    }
    QByteArray out;
    out.reserve(total);
    auto put = [&out](const QByteArray &raw) {
        // Only the file's last line can lack its ending; anything after it starts a new line.
        if (!out.isEmpty() && !out.endsWith('\n'))
            out.append("\r\n");
        out.append(raw);
    };
    for (const Section &sec : m_sections) {
        if (!sec.header.isEmpty())
            put(sec.header);
        for (const QByteArray &l : sec.lines)
            put(l);
        for (const QByteArray &l : sec.tail)
            put(l);
    }
    return out;
}

void ProfileFile::commit() const
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
    const ProfileError failure(QStringLiteral("Unable to write to %1").arg(shown));

    // A read-only file is not replaced, whoever runs the editor (root included),
    // just as the Windows profile functions refuse it.
    QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || !(info.permissions() & QFileDevice::WriteOwner)))
        throw failure;

    QSaveFile out(m_path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        throw failure;
    const QByteArray bytes = content();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        throw failure;
    }
    if (!out.commit())
        throw failure;
}
