#include "config/ProfileFile.h"

#include "config/Cp1251.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <climits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// ^Z counts as white space too: the profile functions skip the DOS end-of-file mark.
inline bool isWs(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 9 && u <= 13) || u == 26 || u == 32;
}

QStringView trimWs(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isWs(s[b]))
        ++b;
    while (e > b && isWs(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

QStringView trimEnd(QStringView s)
{
    qsizetype e = s.size();
    while (e > 0 && isWs(s[e - 1]))
        --e;
    return s.left(e);
}

QStringView trimStart(QStringView s)
{
    qsizetype b = 0;
    while (b < s.size() && isWs(s[b]))
        ++b;
    return s.mid(b);
}

// The profile functions hold names and values as C strings.
QStringView cutAtNul(QStringView s)
{
    const qsizetype i = s.indexOf(QChar(0));
    return i < 0 ? s : s.left(i);
}

QString fold(QStringView name)
{
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

QString foldQuery(const QString &name)
{
    return fold(trimWs(name));
}

// A header's name, or a null view when the line is no header.
QStringView headerName(QStringView line)
{
    const QStringView t = trimWs(line);
    if (t.isEmpty() || t[0] != u'[')
        return {};
    const qsizetype close = t.lastIndexOf(u']');
    if (close <= 0)
        return {};
    const QStringView name = cutAtNul(trimWs(t.mid(1, close - 1)));
    return name.isNull() ? QStringView(u"") : name;
}

inline bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

QString withoutBreaks(QStringView s)
{
    QString v = cutAtNul(s).toString();
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    return v;
}

// What a value is written as, so that a profile reader gives back the same text:
// line breaks cannot stand inside a line and become blanks; white space at the
// ends would be dropped by every reader anyway; a text that itself stands between
// two equal quotes is enclosed in one more pair of double quotes, which the reader
// takes off again.
QString encodeValue(const QString &value)
{
    QString v = withoutBreaks(value);
    const QStringView t = trimWs(v);
    if (t.size() >= 2 && isQuote(t.front()) && t.back() == t.front())
        return QString(u'"' + t.toString() + u'"');
    return t.size() == v.size() ? v : t.toString();
}

// Strong enough that another content never passes for the one read, and several
// times faster than SHA-256 on a large file.
FileStamp stampOf(const QByteArray &bytes)
{
    return FileStamp{true, QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256)};
}

ProfileError readFailure(const QString &path, ProfileFile::Purpose purpose)
{
    const QString shown = ProfileFile::shownPath(path);
    return ProfileError(purpose == ProfileFile::Purpose::Save ? QStringLiteral("Unable to write to %1").arg(shown)
                                                              : QStringLiteral("Unable to read %1").arg(shown));
}

} // namespace

ProfileFile::ProfileFile(const QString &path, Purpose purpose)
    : m_path(path)
{
    QByteArray content;
    const QFileInfo info(path);
    m_existed = info.exists();
    if (m_existed) {
        // An existing file that cannot be read is not an empty configuration:
        // saving one would replace whatever it holds.
        QFile f(path);
        if (info.isDir() || !f.open(QIODevice::ReadOnly))
            throw readFailure(path, purpose);
        content = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw readFailure(path, purpose);
    }
    load(content);
}

ProfileFile ProfileFile::fromBytes(const QByteArray &content, const QString &path)
{
    ProfileFile p;
    p.m_path = path;
    p.load(content);
    return p;
}

void ProfileFile::load(const QByteArray &bytes)
{
    m_bytes = bytes;
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    m_encoding = Encoding::Ansi;
    m_bomSize = 0;
    if (bytes.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE)
        m_encoding = Encoding::Utf16LE;
    else if (bytes.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF)
        m_encoding = Encoding::Utf16BE;
    if (m_encoding == Encoding::Ansi) {
        m_text = Cp1251::decode(bytes);
    } else {
        m_bomSize = 2;
        const qsizetype n = (bytes.size() - 2) / 2; // an odd last byte is kept, not read
        m_text = QString(n, Qt::Uninitialized);
        QChar *dst = m_text.data();
        const bool le = m_encoding == Encoding::Utf16LE;
        for (qsizetype i = 0; i < n; ++i) {
            const unsigned char lo = b[2 + 2 * i + (le ? 0 : 1)], hi = b[2 + 2 * i + (le ? 1 : 0)];
            dst[i] = QChar(char16_t(lo | (hi << 8)));
        }
    }
    parse();
}

QStringView ProfileFile::text(const Line &line) const
{
    return line.start >= 0 ? QStringView(m_text).mid(line.start, line.size) : QStringView(line.written);
}

bool ProfileFile::keyOf(QStringView lineText, KeyInfo *info)
{
    const QStringView t = trimWs(lineText);
    if (t.isEmpty())
        return false;
    const qsizetype eq = t.indexOf(u'=');
    info->name = cutAtNul(trimEnd(eq < 0 ? t : t.left(eq)));
    info->hasValue = eq >= 0;
    info->rawValue = eq < 0 ? QStringView() : trimStart(t.mid(eq + 1));
    info->listed = info->hasValue && t[0] != u';' && !info->name.isEmpty();
    return true;
}

QStringView ProfileFile::readValue(QStringView rawValue)
{
    QStringView v = cutAtNul(rawValue);
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(MaxValueLength);
}

void ProfileFile::parse()
{
    m_eol = QStringLiteral("\r\n");
    m_sections.clear();
    m_sections.append(Section{});
    const QChar *d = m_text.constData();
    const qsizetype n = m_text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype e = pos;
        while (e < n && d[e] != u'\r' && d[e] != u'\n')
            ++e;
        // CR CR LF (what a second CR LF conversion leaves) and LF CR are one
        // ending each, so that a line written to such a file ends as its own do.
        qsizetype endSize = 0;
        if (e < n) {
            auto at = [&](qsizetype i, char16_t c) { return i < n && d[i] == c; };
            if (at(e, u'\r') && at(e + 1, u'\r') && at(e + 2, u'\n'))
                endSize = 3;
            else if ((at(e, u'\r') && at(e + 1, u'\n')) || (at(e, u'\n') && at(e + 1, u'\r')))
                endSize = 2;
            else
                endSize = 1;
        }
        // New lines end as the file's first line does.
        if (pos == 0 && endSize > 0)
            m_eol = QString(d + e, endSize);
        Line line;
        line.start = pos;
        line.size = e - pos;
        line.endSize = endSize;
        pos = e + endSize;

        const QStringView lineText(d + line.start, line.size);
        const QStringView name = headerName(lineText);
        if (!name.isNull()) {
            Section sec;
            sec.header = line;
            sec.hasHeader = true;
            sec.folded = fold(name);
            m_sections.append(sec);
            continue;
        }
        m_sections.last().lines.append(line);
    }
    // The keys are indexed once each section's size is known.
    KeyInfo key;
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        Section &sec = m_sections[i];
        sec.keys.reserve(sec.lines.size());
        for (qsizetype l = 0; l < sec.lines.size(); ++l) {
            if (!keyOf(text(sec.lines[l]), &key))
                continue;
            sec.keys.insertFirst(fold(key.name), int(l)); // the first of a name counts
            if (key.listed)
                ++sec.listed;
        }
    }
    // Blank lines that end a section stay at its end when keys are added to it.
    for (Section &sec : m_sections) {
        qsizetype k = sec.lines.size();
        while (k > 0 && trimWs(text(sec.lines[k - 1])).isEmpty())
            --k;
        sec.tail = sec.lines.mid(k);
        sec.lines.resize(k);
    }
    indexSections();
}

void ProfileFile::indexSections()
{
    m_lastIndex = -1;
    m_index.clear();
    for (int i = 1; i < m_sections.size(); ++i) {
        m_index.insertFirst(m_sections[i].folded, i);
    }
}

int ProfileFile::sectionIndex(const QString &section) const
{
    if (m_lastIndex >= 0 && section == m_lastName)
        return m_lastIndex;
    const int i = m_index.value(foldQuery(section));
    if (i < 0)
        return -1;
    m_lastName = section;
    m_lastIndex = i;
    return i;
}

const ProfileFile::Section *ProfileFile::findSection(const QString &section) const
{
    const int i = sectionIndex(section);
    return i < 0 || m_sections[i].erased ? nullptr : &m_sections[i];
}

ProfileFile::Section *ProfileFile::sectionForWrite(const QString &section)
{
    if (const int i = sectionIndex(section); i >= 0) {
        Section &sec = m_sections[i];
        sec.erased = false; // an erased section is written again where it stood
        return &sec;
    }
    const QString folded = foldQuery(section);
    QString name = withoutBreaks(section);
    Section fresh;
    fresh.header = writtenLine(u'[' + name + u']');
    fresh.hasHeader = true;
    fresh.folded = folded;
    m_sections.append(fresh);
    m_index.insertFirst(folded, int(m_sections.size()) - 1);
    m_lastIndex = -1;
    return &m_sections.last();
}

ProfileFile::Line ProfileFile::writtenLine(const QString &lineText) const
{
    Line l;
    l.size = lineText.size();
    l.endSize = m_eol.size();
    l.written = lineText;
    return l;
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const Section *sec = findSection(section);
    if (!sec)
        return def;
    const int line = sec->keys.value(foldQuery(key));
    if (line < 0)
        return def;
    KeyInfo k;
    keyOf(text(sec->lines[line]), &k);
    // A key line without "=" is found first and has no value.
    return k.hasValue ? readValue(k.rawValue).toString() : def;
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

QString ProfileFile::shownPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QStringView ProfileFile::trimmed(QStringView text)
{
    return trimWs(text);
}

QString ProfileFile::storedText(const QString &value)
{
    return trimWs(withoutBreaks(value)).left(MaxValueLength).toString();
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section *sec = sectionForWrite(section);
    const QString folded = foldQuery(key);
    KeyInfo k;
    if (const int at = sec->keys.value(folded); at >= 0) {
        Line &line = sec->lines[at];
        keyOf(text(line), &k);
        if (k.hasValue && readValue(k.rawValue) == value)
            return; // the value it already had: the line stays as it stood
        // Keep the key as it is spelled in the file.
        const QString name = k.name.toString();
        if (!k.listed)
            ++sec->listed;
        line = writtenLine(name + u'=' + encodeValue(value));
        return;
    }
    // A key of a section erased before this write keeps its old line when its
    // value is the same, so that a rewritten section changes only what changed.
    if (const int old = sec->oldKeys.value(folded); old >= 0) {
        const Line &line = sec->oldLines[old];
        if (keyOf(text(line), &k) && k.hasValue && readValue(k.rawValue) == value) {
            sec->keys.insertNew(folded, int(sec->lines.size()));
            sec->lines.append(line);
            ++sec->listed;
            return;
        }
    }
    sec->keys.insertNew(folded, int(sec->lines.size()));
    sec->lines.append(writtenLine(withoutBreaks(key) + u'=' + encodeValue(value)));
    ++sec->listed;
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::eraseSection(const QString &section)
{
    const QString folded = foldQuery(section);
    const int first = m_index.value(folded);
    if (first < 0)
        return;
    // Every section of that name goes: a second one, hidden behind the first until
    // now, would otherwise come to light with whatever stale keys it holds.
    for (int i = int(m_sections.size()) - 1; i > first; --i) {
        if (m_sections[i].folded == folded)
            m_sections.removeAt(i);
    }
    // The first keeps its place, its header and its trailing blank lines, in case
    // it is written again; until then readers do not see it, and it is not saved.
    Section &sec = m_sections[first];
    if (!sec.hasOld) {
        // What the file held, not what a save in between wrote.
        sec.oldLines = std::move(sec.lines);
        sec.oldKeys = std::move(sec.keys);
        sec.hasOld = true;
    }
    const qsizetype expected = sec.oldKeys.size();
    sec.lines.clear();
    sec.keys.clear();
    sec.lines.reserve(expected);
    sec.keys.reserve(expected);
    sec.listed = 0;
    sec.erased = true;
    indexSections();
}

bool ProfileFile::sectionExists(const QString &section) const
{
    const Section *sec = findSection(section);
    return sec && sec->listed > 0;
}

QStringList ProfileFile::keys(const QString &section) const
{
    QStringList out;
    const Section *sec = findSection(section);
    if (!sec)
        return out;
    out.reserve(sec->listed);
    KeyInfo k;
    for (const Line &line : sec->lines) {
        if (keyOf(text(line), &k) && k.listed)
            out.append(k.name.toString());
    }
    return out;
}

void ProfileFile::appendEncoded(QByteArray &out, QStringView s) const
{
    if (m_encoding == Encoding::Ansi) {
        out.append(Cp1251::encode(s.toString()));
        return;
    }
    const bool le = m_encoding == Encoding::Utf16LE;
    for (QChar c : s) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out.append(le ? lo : hi).append(le ? hi : lo);
    }
}

QByteArray ProfileFile::content() const
{
    const qsizetype unit = m_encoding == Encoding::Ansi ? 1 : 2;
    QByteArray out;
    out.reserve(m_bytes.size() + 4096);
    out.append(m_bytes.constData(), m_bomSize);
    bool open = false; // the last line put has no ending (it was the file's last)
    auto put = [&](const Line &line) {
        if (open)
            appendEncoded(out, m_eol);
        if (line.start >= 0) {
            out.append(m_bytes.constData() + m_bomSize + unit * line.start, unit * (line.size + line.endSize));
            open = line.endSize == 0;
        } else {
            appendEncoded(out, line.written);
            appendEncoded(out, m_eol);
            open = false;
        }
    };
    for (const Section &sec : m_sections) {
        if (sec.erased)
            continue;
        if (sec.hasHeader)
            put(sec.header);
        for (const Line &l : sec.lines)
            put(l);
        for (const Line &l : sec.tail)
            put(l);
    }
    // An odd last byte of a UTF-16 file was never read; it is kept at the end.
    if (unit == 2 && (m_bytes.size() - m_bomSize) % 2)
        out.append(m_bytes.back());
    return out;
}

FileStamp ProfileFile::readStamp() const
{
    return m_existed ? stampOf(m_bytes) : FileStamp{};
}

FileStamp ProfileFile::commit() const
{
    const QString shown = shownPath(m_path);
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
#ifdef Q_OS_UNIX
    // The file belongs to whoever it belonged to: the suite's programs and the
    // other administrators keep their access to it. Where the user may not give
    // the file away, it is theirs, as any new file would be.
    struct stat old;
    if (info.exists() && ::stat(QFile::encodeName(m_path).constData(), &old) == 0) {
        if (::fchown(out.handle(), old.st_uid, gid_t(-1)) != 0) {
            // not allowed: keep the saving user as owner
        }
        if (::fchown(out.handle(), uid_t(-1), old.st_gid) != 0) {
            // not a member of that group
        }
        ::fchmod(out.handle(), old.st_mode & 07777);
    }
#endif
    const QByteArray bytes = content();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        throw failure;
    }
    if (!out.commit())
        throw failure;
    return stampOf(bytes);
}
