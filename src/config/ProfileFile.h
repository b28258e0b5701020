#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include "config/UserError.h"


// An error of the profile file.
class ProfileError : public UserError
{
public:
    using UserError::UserError;
};

// What a file held when it was read or written: whether it existed, and a
// BLAKE2b-256 digest of its bytes. Two stamps are equal when the file held the
// same bytes both times, or was missing both times.
struct FileStamp
{
    bool exists = false;
    QByteArray digest;
    bool operator==(const FileStamp &) const = default;
};

// A Windows profile ("INI") file, read as the suite's programs read it through
// the Windows profile functions:
//  - a line ends at CR, at LF or at CR LF (and so at CR CR LF and LF CR);
//  - white space around names and values is every character of code 9 to 13,
//    26 (^Z) and 32; a NUL ends a name or a value;
//  - a header is a line that begins with "[" and holds a "]" after it; its name
//    is the text up to the last "]"; any other line belongs to the section
//    before it, and lines before the first header to none;
//  - section and key names compare without letter case; of two sections (or two
//    keys in one section) of one name the first counts, and a key line without
//    "=" counts too: it reads as empty;
//  - a value enclosed in a matching pair of double or single quotes is read
//    without them; at most 2,047 characters are read;
//  - a key is listed (keys(), sectionExists()) only when its line holds "=" and
//    does not begin with ";".
// A file that starts with the UTF-16 byte order mark (FF FE or FE FF) is UTF-16
// text; any other file is Windows-1251.
//
// The file is read once, when the object is made. Every operation works on that
// image in memory and sees the effect of the ones before it; commit() replaces
// the file on disk in one step, in the file's own encoding. Every line that no
// operation changes is written back as it was, byte for byte, line ending
// included; a line that is written takes the ending of the file's first line.
// A section that is erased and then written again stays where it was, and a key
// written with the value it already had keeps its line as it stood.
class ProfileFile
{
public:
    static constexpr int MaxValueLength = 2047;

    enum class Encoding { Ansi, Utf16LE, Utf16BE };
    // What the file is read for decides the error when it exists but cannot be read.
    enum class Purpose { Load, Save };

    // Reads the file at path; a missing file reads as empty. A file that exists
    // but cannot be read throws ProfileError: "Unable to read <path>" for a load,
    // "Unable to write to <path>" for a save, which would otherwise replace it.
    explicit ProfileFile(const QString &path, Purpose purpose = Purpose::Load);
    // An image made from bytes, not bound to any file on disk (tests, benchmarks).
    static ProfileFile fromBytes(const QByteArray &content, const QString &path = QString());

    QString path() const { return m_path; }
    Encoding encoding() const { return m_encoding; }

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void eraseSection(const QString &section);
    bool sectionExists(const QString &section) const;

    // The listed keys of a section, as spelled in the file, in file order; a name
    // that stands twice is listed twice, as the Windows functions list it.
    QStringList keys(const QString &section) const;

    // The bytes that commit() writes.
    QByteArray content() const;

    // What the file held when this object read it (an image made from bytes: those).
    FileStamp readStamp() const;

    // Replaces the file with content(): a temporary file in the same directory,
    // flushed, then renamed over the old one, which keeps its permissions and,
    // where the user may set them, its owner and group. Returns the stamp of
    // what it wrote.
    // A read-only file or a directory that cannot be written is left as it was;
    // throws ProfileError("Unable to write to <path>") then.
    FileStamp commit() const;

    // The number rule of the profile readers: "0x"/"0X" hexadecimal when the text
    // is longer than two characters, "$" hexadecimal, otherwise signed decimal.
    static bool parseInteger(const QString &text, int *value);

    // A path as messages show it: absolute, with the platform's separators.
    static QString shownPath(const QString &path);

    // The text without the white space that the profile readers skip around names
    // and values: codes 9 to 13, 26 (^Z) and 32.
    static QStringView trimmed(QStringView text);

    // What a reader gets back from a value that is written afresh: the text up to
    // a NUL, line breaks as blanks, without white space at the ends, at most
    // MaxValueLength characters. A value the file held before keeps its own bytes.
    static QString storedText(const QString &value);

private:
    // A line of the file: an unchanged one is a range of m_text, ending included;
    // a written one owns its text and ends with the file's line ending.
    struct Line
    {
        qsizetype start = -1; // in m_text; -1 for a written line
        qsizetype size = 0;   // characters without the ending
        qsizetype endSize = 0;
        QString written;
    };

    // Folded name -> index. Names hash many times a load and a save: a plain
    // FNV-1a over the UTF-16 units is several times cheaper than QHash's seeded
    // hash of a QString, and QHash's spans keep the entries close together.
    class NameIndex
    {
    public:
        int value(const QString &name) const { return m_hash.value(Key{name}, -1); }
        void insertFirst(const QString &name, int index) // an existing entry is kept
        {
            if (!m_hash.contains(Key{name}))
                m_hash.insert(Key{name}, index);
        }
        void insertNew(const QString &name, int index) { m_hash.insert(Key{name}, index); } // known to be absent
        void reserve(qsizetype n) { m_hash.reserve(n); }
        void clear() { m_hash.clear(); }
        qsizetype size() const { return m_hash.size(); }

    private:
        struct Key
        {
            QString name;
            friend bool operator==(const Key &a, const Key &b) noexcept { return a.name == b.name; }
            friend size_t qHash(const Key &k, size_t seed) noexcept
            {
                size_t h = 1469598103934665603ull ^ seed;
                for (QChar c : k.name)
                    h = (h ^ c.unicode()) * 1099511628211ull;
                return h;
            }
        };
        QHash<Key, int> m_hash;
    };

    struct Section
    {
        Line header;               // unused (size 0, start -1) for the lines before the first header
        bool hasHeader = false;
        QString folded;            // name for look-ups
        QList<Line> lines;
        QList<Line> tail;          // blank lines at the end, kept after new keys
        NameIndex keys;            // folded key -> index in lines of its first line
        int listed = 0;            // lines that are listed keys
        bool erased = false;       // erased and not written since: absent for readers
        // An erased section's lines and their index, kept for unchanged values.
        QList<Line> oldLines;
        NameIndex oldKeys;
        bool hasOld = false;
    };

    ProfileFile() = default;
    void load(const QByteArray &bytes);
    void parse();
    void indexSections();
    QStringView text(const Line &line) const;
    int sectionIndex(const QString &section) const;
    const Section *findSection(const QString &section) const;
    Section *sectionForWrite(const QString &section);
    // The line's key: its folded name, whether it holds "=" and whether it is listed.
    struct KeyInfo
    {
        QStringView name; // as spelled, up to a NUL
        QStringView rawValue; // after "=" and the blanks that follow it
        bool hasValue = false;
        bool listed = false;
    };
    static bool keyOf(QStringView lineText, KeyInfo *info);
    static QStringView readValue(QStringView rawValue);
    Line writtenLine(const QString &text) const;
    void appendEncoded(QByteArray &out, QStringView text) const;

    QString m_path;
    QByteArray m_bytes;              // the bytes read; unchanged lines are copied from them
    bool m_existed = true;           // false: the file was missing when read
    QString m_text;                  // the same, decoded: one character per byte or per UTF-16 unit
    Encoding m_encoding = Encoding::Ansi;
    qsizetype m_bomSize = 0;         // bytes before m_text starts
    QString m_eol = QStringLiteral("\r\n");
    QList<Section> m_sections;       // m_sections[0] holds the lines before the first header
    NameIndex m_index;               // folded section name -> index of its first section
    // Sections are read and written key after key: the last name looked up.
    mutable QString m_lastName;
    mutable int m_lastIndex = -1;
};
