// The Windows profile functions, run under Wine, as the reference for what a
// KalCfg.ini means to the suite's programs. Thousands of generated files in every
// line form are read by both, loaded and saved by the editor, and loaded and saved
// the same way through WritePrivateProfileStringA; what Windows then reads from the
// two results must agree.
#include "config/Catalogue.h"
#include "config/Cp1251.h"
#include "config/ProfileFile.h"
#include "config/WholeConfig.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

namespace {

const int kFiles = 2000;
const char *const kPrefixes[FieldCount] = {"dbn", "caption", "servip", "basename", "sysbasename"};

QString fold(const QString &name) { return name.toCaseFolded(); }

// What Windows reads: section -> key -> value, names folded, the first of each name.
using Meaning = QMap<QString, QMap<QString, QByteArray>>;

// One Wine process running the reference reader; commands go in batches.
class Windows
{
public:
    bool start(QString *why)
    {
        QString wine = QStandardPaths::findExecutable("wine64");
        if (wine.isEmpty())
            wine = QStandardPaths::findExecutable("wine64", {"/usr/lib/wine"});
        const QString exe = QStringLiteral(PROFREF_EXE);
        if (wine.isEmpty() || exe.isEmpty() || !QFile::exists(exe)) {
            *why = "Wine (wine64) or the MinGW cross compiler is missing";
            return false;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("WINEPREFIX", QStringLiteral(WINE_PREFIX));
        env.insert("WINEDEBUG", "-all");
        env.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        env.insert("LC_ALL", "bg_BG.UTF-8"); // the ANSI code page of Bulgarian Windows, 1251
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        m_proc.setProcessEnvironment(env);
        m_proc.setProcessChannelMode(QProcess::SeparateChannels);
        m_proc.setStandardErrorFile(QProcess::nullDevice());
        m_proc.start(wine, {exe});
        if (!m_proc.waitForStarted(30000)) {
            *why = "Wine does not start: " + m_proc.errorString();
            return false;
        }
        // The first start makes the Wine prefix, which takes a while.
        const QList<QList<QByteArray>> probe = run({"dump " + hex(QByteArray("Z:\\nonexistent.ini"))}, 300000);
        if (probe.size() != 1) {
            *why = "Wine does not run the reference reader";
            return false;
        }
        return true;
    }

    ~Windows()
    {
        m_proc.closeWriteChannel();
        if (!m_proc.waitForFinished(10000))
            m_proc.kill();
    }

    static QByteArray hex(const QByteArray &bytes) { return bytes.isEmpty() ? QByteArray("-") : bytes.toHex(); }
    static QByteArray winPath(const QString &path) { return hex(("Z:" + QString(path).replace('/', '\\')).toLocal8Bit()); }

    // The answers to the commands, one list of lines each; empty after a failure.
    QList<QList<QByteArray>> run(const QList<QByteArray> &commands, int timeoutMs = 120000)
    {
        QByteArray all;
        for (const QByteArray &c : commands)
            all += c + '\n';
        m_proc.write(all);
        m_proc.waitForBytesWritten(timeoutMs);
        QList<QList<QByteArray>> answers;
        QList<QByteArray> current;
        QByteArray pending;
        while (answers.size() < commands.size()) {
            if (!m_proc.canReadLine() && !m_proc.waitForReadyRead(timeoutMs))
                return {};
            while (m_proc.canReadLine()) {
                const QByteArray line = m_proc.readLine().trimmed();
                if (line == "." || line == "!") {
                    if (line == "!")
                        current.prepend("!");
                    answers.append(current);
                    current.clear();
                } else {
                    current.append(line);
                }
            }
        }
        return answers;
    }

    static QByteArray unhex(const QByteArray &h) { return h == "-" ? QByteArray() : QByteArray::fromHex(h); }

    static Meaning meaning(const QList<QByteArray> &dump)
    {
        Meaning m;
        QString section;
        bool first = false;
        for (const QByteArray &line : dump) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts[0] == "S") {
                section = fold(Cp1251::decode(unhex(parts[1])));
                first = !m.contains(section);
                if (first)
                    m[section];
            } else if (parts[0] == "K" && first) {
                const QString key = fold(Cp1251::decode(unhex(parts[1])));
                if (!m[section].contains(key))
                    m[section].insert(key, unhex(parts[2]));
            }
        }
        return m;
    }

private:
    QProcess m_proc;
};

// Generated files in every form the profile functions read: mixed line ends,
// blanks, tabs and ^Z around everything, quotes, NULs, Cyrillic, UTF-16, twin
// sections and keys, long values and numbers in every notation.
class Generator
{
public:
    explicit Generator(quint32 seed) : m_rng(seed) {}

    QByteArray file()
    {
        m_eol = pick({"\r\n", "\r\n", "\r\n", "\n", "\r", "\r\r\n"});
        QString text;
        if (chance(15))
            text += line(QString::fromUtf8("; от ръка") + ws());
        if (chance(10))
            text += keyLine("Lost") ;
        const int sections = 1 + n(6);
        for (int s = 0; s < sections; ++s)
            text += section();
        if (chance(10) && !text.isEmpty()) // the last line without its ending
            while (!text.isEmpty() && (text.back() == u'\r' || text.back() == u'\n'))
                text.chop(1);
        const int encoding = n(100);
        if (encoding < 10)
            return utf16(text, true);
        if (encoding < 15)
            return utf16(text, false);
        return Cp1251::encode(text);
    }

private:
    int n(int k) { return int(m_rng.bounded(k)); }
    bool chance(int percent) { return n(100) < percent; }
    QString pick(const QStringList &l) { return l[n(int(l.size()))]; }

    QString eol() { return chance(85) ? m_eol : pick({"\r\n", "\n", "\r", "\r\r\n", "\n\r"}); }
    QString line(const QString &t) { return t + eol(); }
    QString ws()
    {
        return chance(70) ? QString() : pick({" ", "\t", "  ", " \t ", "\x0b", "\x0c", "\x1a", " \x1a"});
    }

    QString sectionName()
    {
        static QStringList names;
        if (names.isEmpty()) {
            names << "Common" << "common" << "COMMON" << "System" << "system" << "Other" << "HandMade"
                  << QString::fromUtf8("Бележки") << QString::fromUtf8("БЕЛЕЖКИ");
            for (const Catalogue::PageDef &p : Catalogue::pages())
                names << QLatin1String(p.section);
        }
        // The system list and the first pages come most often.
        return chance(40) ? pick({"System", "Documents", "Properties", "Common"}) : pick(names);
    }

    QString header(const QString &name)
    {
        switch (n(25)) {
        case 0: return line("[" + name);                          // no bracket: no header
        case 1: return line("[" + name + "]x]");                  // the last bracket ends the name
        case 2: return line("[" + name + QChar(0) + "x]");        // a NUL ends the name
        case 3: return line(ws() + "[" + name + "] ; " + name);   // text after the bracket
        default: return line(ws() + "[" + ws() + name + ws() + "]" + ws());
        }
    }

    QString keyName(const QString &section)
    {
        const int k = n(100);
        if (k < 55) {
            QString prefix = QLatin1String(kPrefixes[n(FieldCount)]);
            const int spelling = n(10);
            if (spelling < 6)
                prefix = QStringList{"DBN", "Caption", "ServIP", "BaseName", "SYSBaseName"}
                             [QStringList{"dbn", "caption", "servip", "basename", "sysbasename"}.indexOf(prefix)];
            else if (spelling < 8)
                prefix = prefix.toUpper();
            const int m = n(100);
            const QString number = m < 75 ? QString::number(1 + n(4))
                                   : m < 83 ? "0" + QString::number(1 + n(3))
                                   : m < 93 ? QString::number(5 + n(5))
                                   : m < 97 ? QString::number(2000000000 + n(100))
                                            : QString("2147483648");
            return prefix + number;
        }
        if (k < 70)
            return pick({"Number", "number", "NUMBER"});
        if (k < 80 && section.startsWith("c", Qt::CaseInsensitive))
            return pick({"DefServerIP", "DefDBDir", "defdbdir"});
        return pick({"Remark", QString::fromUtf8("Ключ"), "#hash", "Other"});
    }

    QString value(const QString &key)
    {
        if (key.compare("number", Qt::CaseInsensitive) == 0)
            return ws() + pick({"1", "2", "3", "4", "4", "0", "-1", "0x3", "0X2", "$A", "$4", " 3 ", "\"2\"", "'3'",
                                "abc", "99999999999", "2147483647", "3x", ""}) + ws();
        QString base = pick({"C:\\Data\\t3.gdb", "127.0.0.1", "sys_db@127.0.0.1:C:\\Data\\sys.gdb",
                             QString::fromUtf8("Документи"), QString::fromUtf8("Имоти №2"), "x", "Data_db", "a=b",
                             "[x]", "; no comment", QString::fromUtf8("Ёлка ёж"), "", " "});
        if (chance(30))
            base += pick({" ", "\t", "  "}) + pick({"one", QString::fromUtf8("две"), "3"});
        switch (n(24)) {
        case 0: base = "\"" + base + "\""; break;
        case 1: base = "'" + base + "'"; break;
        case 2: base = "\" " + base + " \""; break;
        case 3: base = "\"" + base; break;
        case 4: base = base + QChar(0) + pick({"rest", " ", "\"", ""}); break;
        case 5: base = "\"\"" + base + "\"\""; break;
        case 6: base = "\"" + base + "'"; break;
        case 7: {
            QString longer;
            const int size = 1500 + n(1500);
            while (longer.size() < size)
                longer += QString::fromUtf8("дълга стойност ") + QString::number(longer.size());
            base = (chance(30) ? "\"" + longer + "\"" : longer);
            break;
        }
        default: break;
        }
        return ws() + base + ws();
    }

    QString keyLine(const QString &section)
    {
        const QString key = keyName(section);
        if (chance(4))
            return line(ws() + key + ws()); // no "=": the key reads as empty
        QString name = key;
        if (chance(2))
            name += QChar(0) + QString("junk");
        return line(ws() + name + ws() + "=" + value(key));
    }

    QString section()
    {
        const QString name = sectionName();
        QString out = header(name);
        const int lines = n(12);
        for (int i = 0; i < lines; ++i) {
            const int kind = n(100);
            if (kind < 6)
                out += line(ws());
            else if (kind < 10)
                out += line(ws() + pick({"; DBN1=x", ";Number=1", "#Number=2", "just text"}));
            else
                out += keyLine(name);
        }
        return out;
    }

    static QByteArray utf16(const QString &text, bool littleEndian)
    {
        QByteArray out = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar c : text) {
            const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
            out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
        }
        return out;
    }

    QRandomGenerator m_rng;
    QString m_eol;
};

// The sections whose content the editor owns.
QStringList editorSections()
{
    QStringList s{fold(QLatin1String(Catalogue::SystemSection))};
    for (const Catalogue::PageDef &p : Catalogue::pages())
        s << fold(QLatin1String(p.section));
    return s;
}

// The entries of a section as the editor's rule takes them from what Windows
// reads: every number 1 to "Number" for which the section lists any of the five keys.
QList<std::array<QByteArray, FieldCount>> referenceEntries(const QMap<QString, QByteArray> &keys)
{
    int number = 0;
    ProfileFile::parseInteger(Cp1251::decode(keys.value("number")), &number);
    QList<int> numbers;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        for (const char *prefix : kPrefixes) {
            const QString p = QLatin1String(prefix);
            const QString rest = it.key().mid(p.size());
            bool ok = false;
            const qint64 i = rest.toLongLong(&ok);
            if (it.key().startsWith(p) && ok && !rest.startsWith('0') && !rest.startsWith('+')
                && !rest.startsWith('-') && i >= 1 && i <= number && !numbers.contains(int(i)))
                numbers << int(i);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    QList<std::array<QByteArray, FieldCount>> out;
    for (int i : numbers) {
        std::array<QByteArray, FieldCount> e;
        for (int f = 0; f < FieldCount; ++f)
            e[f] = keys.value(QLatin1String(kPrefixes[f]) + QString::number(i));
        out << e;
    }
    return out;
}

QString decodeFile(const QByteArray &bytes)
{
    ProfileFile p = ProfileFile::fromBytes(bytes);
    if (p.encoding() == ProfileFile::Encoding::Ansi)
        return Cp1251::decode(bytes);
    QString s;
    const bool le = p.encoding() == ProfileFile::Encoding::Utf16LE;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        s += QChar(char16_t(uchar(bytes[i + (le ? 0 : 1)]) | (uchar(bytes[i + (le ? 1 : 0)]) << 8)));
    return s;
}

bool isWs(QChar c) { return (c.unicode() >= 9 && c.unicode() <= 13) || c.unicode() == 26 || c == u' '; }

QStringView trimmed(QStringView s)
{
    while (!s.isEmpty() && isWs(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isWs(s.back()))
        s.chop(1);
    return s;
}

QStringView cut(QStringView s)
{
    const qsizetype z = s.indexOf(QChar(0));
    return z < 0 ? s : s.left(z);
}

// The lines that no save of the editor may touch: those outside its sections,
// apart from the two keys it writes into "Common". Each with its ending.
QStringList untouchable(const QByteArray &bytes)
{
    const QString text = decodeFile(bytes);
    const QStringList owned = editorSections();
    QStringList out;
    bool inOwned = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype e = pos;
        while (e < text.size() && text[e] != u'\r' && text[e] != u'\n')
            ++e;
        const QStringView rest = QStringView(text).mid(e);
        const qsizetype end = e + (rest.startsWith(u"\r\r\n") ? 3
                                   : rest.startsWith(u"\r\n") || rest.startsWith(u"\n\r") ? 2
                                   : rest.isEmpty() ? 0 : 1);
        const QString line = text.mid(pos, end - pos);
        const QStringView t = trimmed(QStringView(text).mid(pos, e - pos));
        pos = end;
        if (t.startsWith(u'[') && t.lastIndexOf(u']') > 0) {
            inOwned = owned.contains(fold(cut(trimmed(t.mid(1, t.lastIndexOf(u']') - 1))).toString()));
        } else {
            const QString key = fold(cut(trimmed(t.left(t.indexOf(u'=') < 0 ? t.size() : t.indexOf(u'=')))).toString());
            if (key == "defserverip" || key == "defdbdir")
                continue;
        }
        if (!inOwned)
            out << line;
    }
    return out;
}

QString show(const QByteArray &b) { return QString::fromLatin1(b.toPercentEncoding(" =[];,:\\@$'\"")); }

} // namespace

class TestWindowsReference : public QObject
{
    Q_OBJECT

private slots:
    void editorAgreesWithWindows()
    {
        Windows windows;
        QString why;
        if (!windows.start(&why))
            QSKIP(qPrintable("check against the Windows profile functions skipped: " + why));

        // On a RAM disk where there is one: Wine writes the file at every call.
        QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/kalcfg-XXXXXX" : QDir::tempPath() + "/kalcfg-XXXXXX");
        QVERIFY(dir.isValid());
        Generator gen(20261209);
        QList<QByteArray> files;
        for (int i = 0; i < kFiles; ++i)
            files << gen.file();

        auto write = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        auto name = [&](const char *kind, int i) { return dir.filePath(QString("%1%2.ini").arg(kind).arg(i)); };

        const int batch = 200;
        for (int from = 0; from < kFiles; from += batch) {
            const int to = std::min(kFiles, from + batch);
            QList<QByteArray> dumps;
            for (int i = from; i < to; ++i) {
                QVERIFY(write(name("f", i), files[i]));
                QVERIFY(write(name("w", i), files[i]));
                dumps << "dump " + Windows::winPath(name("f", i));
            }
            const auto read = windows.run(dumps);
            QCOMPARE(read.size(), to - from);

            QList<QByteArray> saves;
            QList<Meaning> before;
            QList<WholeConfig> loaded;
            for (int i = from; i < to; ++i) {
                const Meaning m0 = Windows::meaning(read[i - from]);
                before << m0;
                checkReader(files[i], m0, i);
                if (QTest::currentTestFailed())
                    return;

                // The editor's load and save.
                ProfileFile ini = ProfileFile::fromBytes(files[i]);
                WholeConfig cfg;
                loadConfig(ini, cfg, [](const QString &m) { QFAIL(qPrintable(m)); });
                checkEntries(cfg, m0, i);
                if (QTest::currentTestFailed())
                    return;
                saveConfig(ini, cfg, [](const QString &m) { QFAIL(qPrintable(m)); });
                const QByteArray saved = ini.content();
                QVERIFY(write(name("e", i), saved));
                loaded << cfg;

                // A second load and save changes nothing.
                ProfileFile again = ProfileFile::fromBytes(saved);
                WholeConfig cfg2;
                loadConfig(again, cfg2, {});
                saveConfig(again, cfg2, {});
                QVERIFY2(again.content() == saved, qPrintable(QString("file %1: the second save differs").arg(i)));

                const QStringList kept = untouchable(files[i]), keptAfter = untouchable(saved);
                qsizetype l = 0;
                while (l < kept.size() && l < keptAfter.size()
                       && (kept[l] == keptAfter[l] || (l == kept.size() - 1 && keptAfter[l].startsWith(kept[l]))))
                    ++l;
                // A "Common" that the file lacked is the one section the save may add.
                const bool added = keptAfter.size() == l + 1 && keptAfter[l].startsWith("[Common]")
                                   && !ProfileFile::fromBytes(files[i]).sectionExists("Common");
                QVERIFY2(l == kept.size() && (l == keptAfter.size() || added),
                         qPrintable(QString("file %1: line %2 outside the editor's sections changed: %3 -> %4\n%5\n%6")
                                        .arg(i).arg(l).arg(show(Cp1251::encode(kept.value(l))), show(Cp1251::encode(keptAfter.value(l))),
                                                           show(files[i]), show(saved))));

                // The same save through the Windows profile functions.
                const QByteArray w = Windows::winPath(name("w", i));
                auto put = [&](const QString &section, const QString &key, const QByteArray &value) {
                    saves << "write " + w + ' ' + Windows::hex(section.toLatin1()) + ' ' + Windows::hex(key.toLatin1())
                                 + ' ' + Windows::hex(value);
                };
                // The editor erases a section with every twin of its name, which would
                // otherwise come to light with stale keys; Windows erases one a call.
                auto erase = [&](const QString &section) {
                    const QString folded = fold(section);
                    int copies = 0;
                    for (const QByteArray &l : read[i - from])
                        copies += l.startsWith("S ") && fold(Cp1251::decode(Windows::unhex(l.mid(2)))) == folded;
                    for (int c = 0; c < std::max(1, copies); ++c)
                        saves << "erase " + w + ' ' + Windows::hex(section.toLatin1());
                };
                auto section = [&](const QString &sec) {
                    erase(sec);
                    const auto entries = referenceEntries(m0.value(fold(sec)));
                    static const char *const keys[FieldCount] = {"DBN", "Caption", "ServIP", "BaseName", "SYSBaseName"};
                    for (qsizetype e = 0; e < entries.size(); ++e)
                        for (int f = 0; f < FieldCount; ++f)
                            put(sec, QLatin1String(keys[f]) + QString::number(e + 1), entries[e][f]);
                    put(sec, "Number", QByteArray::number(entries.size()));
                };
                put("Common", "DefServerIP", m0.value("common").value("defserverip"));
                put("common", "DefDBDir", m0.value("common").value("defdbdir"));
                section(QLatin1String(Catalogue::SystemSection));
                for (int p = 0; p < Catalogue::pages().size(); ++p) {
                    const QString sec = QLatin1String(Catalogue::pages()[p].section);
                    if (cfg.switchedOn[p])
                        section(sec);
                    else
                        erase(sec);
                }
                saves << "dump " + w << "dump " + Windows::winPath(name("e", i));
            }
            const auto results = windows.run(saves);
            QCOMPARE(results.size(), saves.size());
            // The two dumps of every file close its commands.
            int at = 0;
            for (int i = from; i < to; ++i) {
                while (!(saves[at].startsWith("dump ") && saves[at + 1].startsWith("dump "))) {
                    QVERIFY2(results[at].value(0) != "!", qPrintable(QString("file %1: %2 failed").arg(i).arg(QString(saves[at]))));
                    ++at;
                }
                compareSaves(Windows::meaning(results[at]), Windows::meaning(results[at + 1]), before[i - from], i,
                             files[i]);
                if (QTest::currentTestFailed())
                    return;
                at += 2;
            }
            for (int i = from; i < to; ++i)
                for (const char *kind : {"f", "w", "e"})
                    QFile::remove(name(kind, i));
        }
    }

private:
    // The editor's reader gives what Windows gives, key by key.
    void checkReader(const QByteArray &file, const Meaning &m0, int i)
    {
        const ProfileFile ini = ProfileFile::fromBytes(file);
        for (auto s = m0.cbegin(); s != m0.cend(); ++s) {
            QStringList listed;
            for (const QString &k : ini.keys(s.key()))
                listed << fold(k);
            std::sort(listed.begin(), listed.end());
            listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
            QVERIFY2(listed == s.value().keys(),
                     qPrintable(QString("file %1, [%2]: keys %3, Windows %4\n%5").arg(i).arg(s.key(), listed.join(','),
                                                                                       QStringList(s.value().keys()).join(','), show(file))));
            for (auto k = s.value().cbegin(); k != s.value().cend(); ++k) {
                const QByteArray mine = Cp1251::encode(ini.readString(s.key(), k.key()));
                QVERIFY2(mine == k.value(), qPrintable(QString("file %1, [%2] %3: editor %4, Windows %5\n%6")
                                                           .arg(i).arg(s.key(), k.key(), show(mine), show(k.value()), show(file))));
            }
        }
        for (const QString &s : editorSections())
            QVERIFY2(ini.sectionExists(s) == !m0.value(s).isEmpty(), qPrintable(QString("file %1: [%2]").arg(i).arg(s)));
    }

    void checkEntries(const WholeConfig &cfg, const Meaning &m0, int i)
    {
        auto compare = [&](const MemoryEntryList &list, const QString &section) {
            const auto expected = referenceEntries(m0.value(fold(section)));
            QVERIFY2(list.count() == expected.size(), qPrintable(QString("file %1, [%2]: %3 entries, expected %4")
                                                                     .arg(i).arg(section).arg(list.count()).arg(expected.size())));
            for (int r = 0; r < list.count(); ++r)
                for (int f = 0; f < FieldCount; ++f)
                    QCOMPARE(Cp1251::encode(list.text(r, f)), expected[r][f]);
        };
        compare(cfg.system, QLatin1String(Catalogue::SystemSection));
        for (int p = 0; p < Catalogue::pages().size(); ++p) {
            compare(cfg.pages[p], QLatin1String(Catalogue::pages()[p].section));
            QCOMPARE(cfg.switchedOn[p], cfg.pages[p].count() > 0);
        }
        QCOMPARE(Cp1251::encode(cfg.defServer), m0.value("common").value("defserverip"));
        QCOMPARE(Cp1251::encode(cfg.defBasePath), m0.value("common").value("defdbdir"));
    }

    // What Windows reads after its own save and after the editor's must agree. The
    // one exception: a value that the editor keeps as it was read (quoted, or with
    // blanks at its ends), where Windows' own writer loses its quotes or blanks.
    void compareSaves(const Meaning &windows, const Meaning &editor, const Meaning &m0, int i, const QByteArray &file)
    {
        QVERIFY2(windows.keys() == editor.keys(), qPrintable(QString("file %1: sections %2, editor's %3\n%4").arg(i).arg(
                                                      QStringList(windows.keys()).join(','), QStringList(editor.keys()).join(','), show(file))));
        for (auto s = windows.cbegin(); s != windows.cend(); ++s) {
            const auto &theirs = s.value();
            const auto &mine = editor.value(s.key());
            QVERIFY2(theirs.keys() == mine.keys(), qPrintable(QString("file %1, [%2]: keys %3, editor's %4\n%5")
                                                                  .arg(i).arg(s.key(), QStringList(theirs.keys()).join(','),
                                                                              QStringList(mine.keys()).join(','), show(file))));
            // The texts the editor loaded, by the key it writes them under.
            QMap<QString, QByteArray> original;
            if (s.key() == "common") {
                original = m0.value("common");
            } else {
                const auto entries = referenceEntries(m0.value(s.key()));
                for (qsizetype e = 0; e < entries.size(); ++e)
                    for (int f = 0; f < FieldCount; ++f)
                        original.insert(QLatin1String(kPrefixes[f]) + QString::number(e + 1), entries[e][f]);
            }
            for (auto k = theirs.cbegin(); k != theirs.cend(); ++k) {
                const QByteArray v = mine.value(k.key());
                if (v == k.value())
                    continue;
                const QByteArray was = original.value(k.key(), "\x01");
                auto changedByWindows = [](char c) { return c == '"' || c == '\'' || isWs(QChar(uchar(c))); };
                const bool kept = v == was && !was.isEmpty() && (changedByWindows(was.front()) || changedByWindows(was.back()));
                QVERIFY2(kept, qPrintable(QString("file %1, [%2] %3: Windows %4, editor %5\n%6")
                                              .arg(i).arg(s.key(), k.key(), show(k.value()), show(v), show(file))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestWindowsReference)
#include "tst_WindowsReference.moc"
