#include "config/Cp1251.h"
#include "config/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QByteArray cp(const char *utf8) { return Cp1251::encode(QString::fromUtf8(utf8)); }

ProfileFile mk(const QByteArray &bytes) { return ProfileFile::fromBytes(bytes); }

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray utf16(const char *utf8, bool littleEndian = true)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray out = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void codePageTable()
    {
        QCOMPARE(Cp1251::decode(QByteArray("\x88")), QString(QChar(0x20AC)));
        QCOMPARE(Cp1251::decode(QByteArray("\xB9")), QString(QChar(0x2116)));
        QCOMPARE(Cp1251::decode(QByteArray("\xC0\xFF")), QString::fromUtf8("Ая"));
        QCOMPARE(Cp1251::encode(QString::fromUtf8("Ёё№€")), QByteArray("\xA8\xB8\xB9\x88"));
        // Characters outside the code page are written as "?", one per character.
        QCOMPARE(Cp1251::encode(QString::fromUtf8("a\u00E9b\U0001F600c")), QByteArray("a?b?c"));
        // Every byte value survives a decode and encode.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(Cp1251::encode(Cp1251::decode(all)), all);
        QCOMPARE(Cp1251::decode(all).size(), 256);
    }

    void namesCompareWithoutCaseAndBlanks()
    {
        ProfileFile p = mk("[ common ]\r\n  DefServerIP  =  10.0.0.1  \r\n[\xD1\xE5\xEA\xF6\xE8\xFF]\r\nK=v\r\n");
        QCOMPARE(p.readString("Common", "defserverip"), QString("10.0.0.1"));
        QCOMPARE(p.readString("COMMON", " DEFSERVERIP "), QString("10.0.0.1"));
        // Cyrillic section names fold too.
        QCOMPARE(p.readString(QString::fromUtf8("СЕКЦИЯ"), "k"), QString("v"));
        QCOMPARE(p.readString("Common", "missing", "dflt"), QString("dflt"));
        QCOMPARE(p.readString("Nope", "k"), QString());
    }

    void valuesAsTheProfileReadersSeeThem()
    {
        ProfileFile p = mk("[S]\r\n"
                           "a=\"quoted value\"\r\n"
                           "b=  \" padded \"  \r\n"
                           "c=\"only left\r\n"
                           "d=\"\"twice\"\"\r\n"
                           "e=x=y\r\n"
                           "f=\r\n"
                           "g=\t tabbed \t\r\n");
        QCOMPARE(p.readString("S", "a"), QString("quoted value"));
        QCOMPARE(p.readString("S", "b"), QString(" padded "));
        QCOMPARE(p.readString("S", "c"), QString("\"only left"));
        QCOMPARE(p.readString("S", "d"), QString("\"twice\""));
        QCOMPARE(p.readString("S", "e"), QString("x=y"));
        QCOMPARE(p.readString("S", "f", "dflt"), QString());
        QCOMPARE(p.readString("S", "g"), QString("tabbed"));
    }

    // Every line form that the Windows profile functions read, one row each.
    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        auto row = [](const char *name, const QByteArray &file, const char *section, const char *key, const char *value) {
            QTest::newRow(name) << file << QString(section) << QString(key) << QString::fromUtf8(value);
        };
        row("CR CR LF", "[S]\r\r\na=1\r\r\nb=2\r\r\n", "S", "b", "2");
        row("LF CR", "[S]\n\ra=1\n\rb=2", "S", "b", "2");
        row("lone CR", "[S]\ra=1\rb=2\r", "S", "a", "1");
        row("white space 9 to 13", "[S]\r\n\x0b\x0c a \t=\x0b\x0c 1 \t\x0c\r\n", "S", "a", "1");
        row("DOS end-of-file mark", "[S]\x1a\r\na=\x1a" "1\x1a\r\n", "S", "a", "1");
        row("no-break space is text", "[S]\r\na=\xA0" "1\r\n", "S", "a", "\u00A01");
        row("NUL ends a value", QByteArray("[S]\r\na=12\0 3\r\n", 14), "S", "a", "12");
        row("blanks before the NUL stay", QByteArray("[S]\r\na=1 \0x\r\n", 13), "S", "a", "1 ");
        row("NUL ends a key name", QByteArray("[S]\r\na\0x=1\r\n", 12), "S", "a", "1");
        row("NUL ends a header name", QByteArray("[S\0x]\r\na=1\r\n", 12), "S", "a", "1");
        row("last bracket ends the name", "[A]x]tail\r\na=1\r\n", "A]x", "a", "1");
        row("blanks in the brackets", "[ \tS \t]\r\na=1\r\n", "S", "a", "1");
        row("header without bracket", "[S]\r\n[Sys\r\na=1\r\n", "S", "a", "1");
        row("header without bracket is a key", "[S]\r\n[Sys=x\r\n", "S", "[Sys", "x");
        row("line without = reads empty", "[S]\r\na\r\na=1\r\n", "S", "a", "");
        row("hash is no comment", "[S]\r\n#a=1\r\n", "S", "#a", "1");
        row("double quotes", "[S]\r\na=\" Docs \"\r\n", "S", "a", " Docs ");
        row("single quotes", "[S]\r\na='v'\r\n", "S", "a", "v");
        row("two pairs", "[S]\r\na=\"\"v\"\"\r\n", "S", "a", "\"v\"");
        row("unmatched pair", "[S]\r\na=\"v'\r\n", "S", "a", "\"v'");
        row("empty pair", "[S]\r\na=\"\"\r\n", "S", "a", "");
        row("quotes after the NUL", QByteArray("[S]\r\na=\"v\"\0x\"\r\n", 16), "S", "a", "v");
        row("lines before the first header", "a=1\r\n[S]\r\n", "", "a", "");
        row("UTF-16 LE", utf16("[Common]\r\nDefServerIP=Сървър\r\n"), "Common", "DefServerIP", "Сървър");
        row("UTF-16 BE", utf16("[Common]\nDefServerIP=Сървър\n", false), "common", "defserverip", "Сървър");
        row("8-bit Cyrillic", cp("[Секция]\r\nКлюч=Стойност\r\n"), "СЕКЦИЯ", "ключ", "Стойност");
    }

    void readingRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const ProfileFile p = mk(file);
        QCOMPARE(p.readString(section, key), value);
    }

    // A save in the file's own form: the section "S" is erased and written again
    // with k = "v" and n = "2", and a new section goes at the end. Then the same
    // once more, which must leave the bytes as they are.
    void writesInTheFilesOwnForm_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("new file") << QByteArray() << QByteArray("[S]\r\nk=v\r\nn=2\r\n[New]\r\nx=1\r\n");
        QTest::newRow("section keeps its place, quoted value its quotes")
            << QByteArray("[S]\r\nk = \"v\"\r\nold=1\r\n\r\n[O]\r\no=1\r\n")
            << QByteArray("[S]\r\nk = \"v\"\r\nn=2\r\n\r\n[O]\r\no=1\r\n[New]\r\nx=1\r\n");
        QTest::newRow("LF") << QByteArray("[O]\no=1\n[S]\nk=old\n")
                            << QByteArray("[O]\no=1\n[S]\nk=v\nn=2\n[New]\nx=1\n");
        QTest::newRow("CR CR LF") << QByteArray("[S]\r\r\nk=v\r\r\nold=1\r\r\n")
                                  << QByteArray("[S]\r\r\nk=v\r\r\nn=2\r\r\n[New]\r\r\nx=1\r\r\n");
        QTest::newRow("LF CR") << QByteArray("[S]\n\rk=v\n\r") << QByteArray("[S]\n\rk=v\n\rn=2\n\r[New]\n\rx=1\n\r");
        QTest::newRow("lone CR") << QByteArray("[S]\rk=v\r[O]\ro=1")
                                 << QByteArray("[S]\rk=v\rn=2\r[O]\ro=1\r[New]\rx=1\r");
        QTest::newRow("first line decides") << QByteArray("; x\n[S]\r\nk=v\r\n[O]\r\no=1\r\n")
                                            << QByteArray("; x\n[S]\r\nk=v\r\nn=2\n[O]\r\no=1\r\n[New]\nx=1\n");
        QTest::newRow("UTF-16 LE") << utf16("[S]\r\nk=Ж\r\n") << utf16("[S]\r\nk=v\r\nn=2\r\n[New]\r\nx=1\r\n");
        QTest::newRow("UTF-16 BE") << utf16("[S]\nk=v\n", false) << utf16("[S]\nk=v\nn=2\n[New]\nx=1\n", false);
        QTest::newRow("twin sections") << QByteArray("[S]\r\nk=v\r\n[O]\r\n[s]\r\nz=1\r\n")
                                       << QByteArray("[S]\r\nk=v\r\nn=2\r\n[O]\r\n[New]\r\nx=1\r\n");
    }

    void writesInTheFilesOwnForm()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, saved);
        ProfileFile p = mk(file);
        for (int pass = 0; pass < 2; ++pass) {
            p.eraseSection("S");
            p.writeString("S", "k", "v");
            p.writeInteger("S", "n", 2);
            p.writeString("New", "x", "1");
            QCOMPARE(p.content(), saved);
            p = mk(p.content());
        }
    }

    void firstOfDuplicatesCounts()
    {
        ProfileFile p = mk("[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\nother=4\r\n");
        QCOMPARE(p.readString("S", "k"), QString("1"));
        QCOMPARE(p.readString("S", "other"), QString()); // in the hidden second section
        p.writeString("S", "k", "9");
        QCOMPARE(p.readString("S", "k"), QString("9"));
        QVERIFY(p.content().startsWith("[S]\r\nk=9\r\nK=2\r\n"));
    }

    void commentsAndLinesWithoutEqualsAreNoKeys()
    {
        ProfileFile p = mk("[A]\r\n; k=v\r\njust text\r\n\r\n[B]\r\n ;x=1\r\ny=2\r\n[C]\r\n");
        QVERIFY(!p.sectionExists("A"));
        QVERIFY(p.sectionExists("B"));
        QVERIFY(!p.sectionExists("C")); // a bare header
        QCOMPARE(p.keys("A"), QStringList());
        QCOMPARE(p.readString("B", "y"), QString("2"));
        // Lines before the first header belong to no section.
        ProfileFile q = mk("k=v\r\n[A]\r\n");
        QVERIFY(!q.sectionExists(""));
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "12" << 12;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("plus") << "+4" << 4;
        QTest::newRow("0x") << "0x3" << 3;
        QTest::newRow("0X") << "0XfF" << 255;
        QTest::newRow("dollar") << "$A" << 10;
        QTest::newRow("dollar 32 bits") << "$FFFFFFFF" << -1;
        QTest::newRow("just 0x") << "0x" << 0;
        QTest::newRow("text") << "abc" << 0;
        QTest::newRow("trailing text") << "12a" << 0;
        QTest::newRow("inner blank") << "1 2" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("too large") << "99999999999" << 0;
        QTest::newRow("int max") << "2147483647" << 2147483647;
        QTest::newRow("int min") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("blanks around") << "  7  " << 7;
        QTest::newRow("quoted") << "\"5\"" << 5;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        ProfileFile p = mk("[S]\r\nNumber=" + text.toLatin1() + "\r\n");
        QCOMPARE(p.readInteger("S", "Number", 0), value);
        QCOMPARE(p.readInteger("S", "Missing", 0), 0);
    }

    void longValuesAreCut()
    {
        const QByteArray v(3000, 'x');
        ProfileFile p = mk("[S]\r\nk=" + v + "\r\n");
        QCOMPARE(p.readString("S", "k").size(), 2047);
        ProfileFile q = mk("[S]\r\nk=" + QByteArray(2047, 'y') + "\r\n");
        QCOMPARE(q.readString("S", "k"), QString(2047, 'y'));
    }

    void writesKeepEveryOtherLine()
    {
        const QByteArray original = "; the suite's configuration\r\n"
                                    "\r\n"
                                    "[Common]\r\n"
                                    "DefServerIP=1.2.3.4\r\n"
                                    "Extra = keep me \r\n"
                                    "\r\n"
                                    "[Unknown]\n"          // a line edited on Linux
                                    "x=\xE0\xE1\xE2\n"
                                    "[Documents]\r\n"
                                    "DBN1=a\r\n"
                                    "Number=1\r\n";
        ProfileFile p = mk(original);
        QCOMPARE(p.content(), original); // nothing changed, nothing moves
        p.writeString("Common", "DefServerIP", "5.6.7.8");
        p.writeString("common", "DefDBDir", "C:\\Data\\");
        p.eraseSection("Documents");
        p.writeString("Documents", "Number", "0");
        QCOMPARE(p.content(), QByteArray("; the suite's configuration\r\n"
                                         "\r\n"
                                         "[Common]\r\n"
                                         "DefServerIP=5.6.7.8\r\n"
                                         "Extra = keep me \r\n"
                                         "DefDBDir=C:\\Data\\\r\n"
                                         "\r\n"
                                         "[Unknown]\n"
                                         "x=\xE0\xE1\xE2\n"
                                         "[Documents]\r\n"
                                         "Number=0\r\n"));
    }

    void lastLineWithoutEnding()
    {
        ProfileFile p = mk("[A]\r\nk=v");
        QCOMPARE(p.content(), QByteArray("[A]\r\nk=v"));
        p.writeString("B", "x", "1");
        QCOMPARE(p.content(), QByteArray("[A]\r\nk=v\r\n[B]\r\nx=1\r\n"));
        ProfileFile q = mk("[A]\r\nk=v");
        q.writeString("A", "k", "w");
        QCOMPARE(q.content(), QByteArray("[A]\r\nk=w\r\n"));
    }

    void eraseSection()
    {
        ProfileFile p = mk("[A]\r\na=1\r\n[B]\r\nb=1\r\n[a]\r\nhidden=1\r\n[C]\r\nc=1\r\n");
        p.eraseSection("a");
        QCOMPARE(p.content(), QByteArray("[B]\r\nb=1\r\n[C]\r\nc=1\r\n"));
        QVERIFY(!p.sectionExists("A"));
        QCOMPARE(p.readString("A", "hidden"), QString()); // the shadowed twin went too
        p.eraseSection("missing"); // no error
        QCOMPARE(p.content(), QByteArray("[B]\r\nb=1\r\n[C]\r\nc=1\r\n"));
    }

    void writtenValuesReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << "C:\\Data\\t3.gdb" << "C:\\Data\\t3.gdb";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("cyrillic") << QString::fromUtf8("Документи №1 €") << QString::fromUtf8("Документи №1 €");
        // Blanks at the ends are dropped by every profile reader.
        QTest::newRow("trailing blank") << "sys_db@1.1.1.1:C:\\sys.gdb " << "sys_db@1.1.1.1:C:\\sys.gdb";
        QTest::newRow("enclosed in quotes") << "\"x\"" << "\"x\"";
        QTest::newRow("one quote") << "\"" << "\"";
        QTest::newRow("line break") << "a\r\nb\nc" << "a  b c";
        QTest::newRow("header injection") << "x\n[Evil]\nk=v" << "x [Evil] k=v";
    }

    void writtenValuesReadBackAsWritten()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        ProfileFile p = mk("");
        p.writeString("S", "k", value);
        QCOMPARE(p.readString("S", "k"), readBack);
        ProfileFile again = mk(p.content());
        QCOMPARE(again.readString("S", "k"), readBack);
        QVERIFY(!again.sectionExists("Evil"));
        QCOMPARE(again.content(), p.content());
    }

    void emptyValueIsAKey()
    {
        ProfileFile p = mk("");
        p.writeString("S", "k", "");
        QVERIFY(p.sectionExists("S"));
        QCOMPARE(p.content(), QByteArray("[S]\r\nk=\r\n"));
    }

    void newKeyGoesBeforeTrailingBlankLines()
    {
        ProfileFile p = mk("[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=1\r\n");
        p.writeString("A", "new", "2");
        QCOMPARE(p.content(), QByteArray("[A]\r\na=1\r\nnew=2\r\n\r\n\r\n[B]\r\nb=1\r\n"));
    }

    void fileRoundTripOfAllByteValues()
    {
        QByteArray label;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n')
                label.append(char(b));
        label = "<" + label + ">"; // no blank at either end
        QTemporaryDir dir;
        const QString path = dir.filePath("KalCfg.ini");
        writeFile(path, "[S]\r\nk=" + label + "\r\n");
        ProfileFile p(path);
        const QString text = p.readString("S", "k");
        QCOMPARE(text.size(), label.size());
        p.writeString("S", "k", text);
        p.commit();
        QCOMPARE(readFile(path), QByteArray("[S]\r\nk=" + label + "\r\n"));
    }

    void commitReplacesAtomically()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("KalCfg.ini");
        writeFile(path, "[A]\r\nk=1\r\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        ProfileFile p(path);
        p.writeString("A", "k", "2");
        QCOMPARE(readFile(path), QByteArray("[A]\r\nk=1\r\n")); // nothing reaches the disk before commit
        p.commit();
        QCOMPARE(readFile(path), QByteArray("[A]\r\nk=2\r\n"));
        QCOMPARE(QFile::permissions(path) & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                        | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KalCfg.ini"});
        // A missing file is created.
        ProfileFile fresh(dir.filePath("new.ini"));
        fresh.writeString("Common", "DefServerIP", "x");
        fresh.commit();
        QCOMPARE(readFile(dir.filePath("new.ini")), QByteArray("[Common]\r\nDefServerIP=x\r\n"));
    }

    void unreadableFileIsNoEmptyFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("KalCfg.ini");
        QVERIFY(QDir(dir.path()).mkdir("KalCfg.ini")); // unreadable as a file, for root too
        const QString shown = QDir::toNativeSeparators(path);
        try {
            ProfileFile p(path);
            QFAIL("an unreadable file was read as empty");
        } catch (const ProfileError &e) {
            QCOMPARE(e.message(), "Unable to read " + shown);
        }
        try {
            ProfileFile p(path, ProfileFile::Purpose::Save);
            QFAIL("an unreadable file was taken for saving");
        } catch (const ProfileError &e) {
            QCOMPARE(e.message(), "Unable to write to " + shown);
        }
    }

    void ownerAndGroupAreKept()
    {
#ifndef Q_OS_UNIX
        QSKIP("owners are a Unix matter");
#else
        if (::geteuid() != 0)
            QSKIP("needs root to give a file to another user");
        QTemporaryDir dir;
        const QString path = dir.filePath("KalCfg.ini");
        writeFile(path, "[A]\r\nk=1\r\n");
        const QByteArray native = QFile::encodeName(path);
        QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
        ProfileFile p(path);
        p.writeString("A", "k", "2");
        p.commit();
        struct stat st;
        QCOMPARE(::stat(native.constData(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(st.st_gid, gid_t(65534));
        QCOMPARE(readFile(path), QByteArray("[A]\r\nk=2\r\n"));
#endif
    }

    void readOnlyFileIsNotReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("KalCfg.ini");
        writeFile(path, "[A]\r\nk=1\r\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup);
        ProfileFile p(path);
        p.writeString("A", "k", "2");
        try {
            p.commit();
            QFAIL("a read-only file was replaced");
        } catch (const ProfileError &e) {
            QCOMPARE(e.message(), "Unable to write to " + QDir::toNativeSeparators(path));
        }
        QCOMPARE(readFile(path), QByteArray("[A]\r\nk=1\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KalCfg.ini"});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void unwritableDirectoryFails()
    {
        ProfileFile p("/nonexistent-dir/KalCfg.ini");
        p.writeString("A", "k", "1");
        QVERIFY_THROWS_EXCEPTION(ProfileError, p.commit());
    }

    void keysInFileOrder()
    {
        ProfileFile p = mk("[S]\r\nDBN2=b\r\n;c=1\r\ndbn1=a\r\nDBN2=dup\r\n");
        QCOMPARE(p.keys("s"), (QStringList{"DBN2", "dbn1", "DBN2"}));
    }

    void cyrillicBytesOnDisk()
    {
        ProfileFile p = mk("");
        p.writeString("Documents", "Caption1", QString::fromUtf8("Документи"));
        QCOMPARE(p.content(), QByteArray("[Documents]\r\nCaption1=") + cp("Документи") + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_ProfileFile.moc"
