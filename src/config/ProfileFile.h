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

// A Windows profile ("INI") file, read as the suite's programs read it through
// the Windows profile functions:
//  - section and key names compare without letter case and without the blanks
//    around them; of two sections (or two keys in one section) of one name the
//    first counts;
//  - blanks around a value are not part of it, and a value enclosed in one pair
//    of double quotes is read without them; at most 2,047 characters are read;
//  - lines that begin with ";" and lines without "=" are not keys, so a section
//    holding only such lines does not exist for the reader.
//
// The file is read once, when the object is made. Every operation works on that
// image in memory and sees the effect of the ones before it; commit() replaces
// the file on disk in one step. Every line that no operation changes is written
// back as it was, byte for byte, line ending included. Texts are Windows-1251.
class ProfileFile
{
public:
    static constexpr int MaxValueLength = 2047;

    // Reads the file at path; a missing or unreadable file reads as empty.
    explicit ProfileFile(const QString &path);
    // An image made from bytes, not bound to any file on disk (tests, benchmarks).
    static ProfileFile fromBytes(const QByteArray &content, const QString &path = QString());

    QString path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void eraseSection(const QString &section);
    bool sectionExists(const QString &section) const;

    // The keys of a section, as spelled in the file, in file order (first of each name).
    QStringList keys(const QString &section) const;

    // The bytes that commit() writes.
    QByteArray content() const;

    // Replaces the file with content(): a temporary file in the same directory,
    // flushed, then renamed over the old one, which keeps its permissions.
    // A read-only file or a directory that cannot be written is left as it was;
    // throws ProfileError("Unable to write to <path>") then.
    void commit() const;

    // The number rule of the profile readers: "0x"/"0X" hexadecimal when the text
    // is longer than two characters, "$" hexadecimal, otherwise signed decimal.
    static bool parseInteger(const QString &text, int *value);

private:
    struct Section
    {
        QByteArray header;           // the raw header line; empty for the lines before the first header
        QString folded;              // name for look-ups
        QList<QByteArray> lines;     // raw lines after the header, each with its own line ending
        QList<QByteArray> tail;      // blank lines at the end of the section, kept after new keys
        QHash<QString, int> keys;    // folded key -> index in lines of its first line
    };

    ProfileFile() = default;
    void parse(const QByteArray &content);
    void indexSections();
    const Section *findSection(const QString &section) const;
    Section *findSection(const QString &section);
    static QString foldName(QStringView name);
    static bool parseKeyLine(const QByteArray &line, QString *key);

    QString m_path;
    QByteArray m_content;            // the bytes read; unchanged lines point into them
    QList<Section> m_sections;       // m_sections[0] holds the lines before the first header
    QHash<QString, int> m_index;     // folded section name -> index of its first section
    QString m_lastSectionName;       // the last name findSection() resolved, as spelled
    int m_lastSection = -1;
};
