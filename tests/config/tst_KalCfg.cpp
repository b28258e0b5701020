#include "config/Catalogue.h"
#include "config/Cp1251.h"
#include "config/KalCfg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ProfileFile mk(const char *utf8)
{
    QByteArray bytes = Cp1251::encode(QString::fromUtf8(utf8));
    bytes.replace("\n", "\r\n");
    return ProfileFile::fromBytes(bytes);
}

int addEntry(MemoryEntryList &l, bool checked, const QString &name, const QString &label = "L",
             const QString &server = "srv", const QString &path = "p.gdb", const QString &access = "a")
{
    const int row = l.append();
    l.setChecked(row, checked);
    const QString texts[] = {name, label, server, path, access};
    for (int f = 0; f < FieldCount; ++f)
        l.setText(row, f, texts[f]);
    return row;
}

struct Collector
{
    QStringList messages;
    ErrorSink sink() { return [this](const QString &m) { messages << m; }; }
};

} // namespace

class TestKalCfg : public QObject
{
    Q_OBJECT

private slots:
    void fileBesideTheProgram()
    {
        setProgramDir(QString());
        QCOMPARE(CfgFileName(), QCoreApplication::applicationDirPath() + "/KalCfg.ini");
        setProgramDir("/tmp/somewhere");
        QCOMPARE(CfgFileName(), QString("/tmp/somewhere/KalCfg.ini"));
        // The command line's file takes its place.
        setCfgFileName("/srv/share/KalCfg.ini");
        QCOMPARE(CfgFileName(), QString("/srv/share/KalCfg.ini"));
        setCfgFileName(QString());
        QCOMPARE(CfgFileName(), QString("/tmp/somewhere/KalCfg.ini"));
        setProgramDir(QString());
    }

    // The command line's FILE or DIR, relative to a directory holding the file
    // "a.ini" and the directory "sub"; an empty result is a refusal.
    void configurationFileOfTheArgument_data()
    {
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("expected");
        QTest::newRow("directory") << "sub" << "sub/KalCfg.ini";
        QTest::newRow("directory with its separator") << "sub/" << "sub/KalCfg.ini";
        QTest::newRow("current directory") << "." << "KalCfg.ini";
        QTest::newRow("existing file") << "a.ini" << "a.ini";
        QTest::newRow("path made plain") << "sub/../a.ini" << "a.ini";
        QTest::newRow("new file in an existing directory") << "sub/new.ini" << "sub/new.ini";
        QTest::newRow("directory that does not exist") << "nodir/" << "";
        QTest::newRow("file in a directory that does not exist") << "nodir/KalCfg.ini" << "";
        QTest::newRow("file taken for a directory") << "a.ini/KalCfg.ini" << "";
        QTest::newRow("empty") << "" << "";
    }

    void configurationFileOfTheArgument()
    {
        QFETCH(QString, arg);
        QFETCH(QString, expected);
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkdir("sub"));
        QFile a(tmp.filePath("a.ini"));
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.close();
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp.path()));
        QString error;
        const QString file = cfgFileForArgument(arg, &error);
        QDir::setCurrent(here);
        if (expected.isEmpty()) {
            QVERIFY(file.isEmpty());
            QVERIFY(!error.isEmpty());
            QVERIFY(!error.contains(u'\n'));
        } else {
            QCOMPARE(file, QDir(QDir(tmp.path()).canonicalPath()).filePath(expected));
        }
    }

    void writesCheckedEntriesNumberedFromOne()
    {
        MemoryEntryList l;
        addEntry(l, true, "Data_db", QString::fromUtf8("Документи"), "127.0.0.1", "C:\\Data\\t3.gdb",
                 "sys_db@127.0.0.1:C:\\Data\\sys.gdb");
        addEntry(l, false, "skipped");
        addEntry(l, true, "second", "L2", "", "p2", "a2");
        ProfileFile ini = mk("[Documents]\nDBN9=stale\nOther=gone\n");
        Collector c;
        QVERIFY(SaveLvToIni(ini, l, "Documents", c.sink()));
        QVERIFY(c.messages.isEmpty());
        QCOMPARE(ini.content(), Cp1251::encode(QString::fromUtf8("[Documents]\r\n"
                                                                 "DBN1=Data_db\r\n"
                                                                 "Caption1=Документи\r\n"
                                                                 "ServIP1=127.0.0.1\r\n"
                                                                 "BaseName1=C:\\Data\\t3.gdb\r\n"
                                                                 "SYSBaseName1=sys_db@127.0.0.1:C:\\Data\\sys.gdb\r\n"
                                                                 "DBN2=second\r\n"
                                                                 "Caption2=L2\r\n"
                                                                 "ServIP2=\r\n"
                                                                 "BaseName2=p2\r\n"
                                                                 "SYSBaseName2=a2\r\n"
                                                                 "Number=2\r\n")));
    }

    void emptyListLeavesNumberZero()
    {
        MemoryEntryList l;
        addEntry(l, false, "unchecked");
        ProfileFile ini = mk("");
        QVERIFY(SaveLvToIni(ini, l, "KalTarg", {}));
        QCOMPARE(ini.content(), QByteArray("[KalTarg]\r\nNumber=0\r\n"));
        MemoryEntryList back;
        QVERIFY(!LoadLvFromIni(ini, back, "KalTarg", {}));
        QCOMPARE(back.count(), 0);
    }

    void readsEntriesInNumberOrder()
    {
        ProfileFile ini = mk("[Properties]\n"
                             "Number=2\n"
                             "DBN2=b\nCaption2=Имоти 2\nServIP2=\nBaseName2=p2\nSYSBaseName2=s2\n"
                             "DBN1=a\nCaption1=Имоти\nServIP1=1.1.1.1\nBaseName1=p1\nSYSBaseName1=s1\n");
        MemoryEntryList l;
        addEntry(l, false, "already there");
        QVERIFY(LoadLvFromIni(ini, l, "properties", {}));
        QCOMPARE(l.count(), 3); // appended, never emptied first
        QCOMPARE(l.text(1, FieldName), QString("a"));
        QCOMPARE(l.text(1, FieldLabel), QString::fromUtf8("Имоти"));
        QCOMPARE(l.text(1, FieldServer), QString("1.1.1.1"));
        QCOMPARE(l.text(2, FieldName), QString("b"));
        QCOMPARE(l.text(2, FieldServer), QString()); // an empty server is kept
        QVERIFY(l.isChecked(1) && l.isChecked(2));
        QVERIFY(!l.isChecked(0));
    }

    void incompleteEntriesAreKept()
    {
        // Whatever an entry lacks, it is loaded, so that the next save keeps it.
        ProfileFile ini = mk("[S]\nNumber=7\n"
                             "DBN1=\nCaption1=x\nBaseName1=p\nSYSBaseName1=a\n"       // no name
                             "DBN2=n2\nCaption2=  \nBaseName2=p\nSYSBaseName2=a\n"    // blank label
                             "DBN3=n3\n"                                              // only a name
                             "SYSBaseName4=\"\t\"\n"                                  // only a blank access
                             "DBN5=n5\nCaption5=x\nBaseName5=p\nSYSBaseName5=a\n"
                             "ServIP6=s\n"                                            // only a server
                             "DBN7=\" \"\nCaption7=x\nBaseName7=p\nSYSBaseName7=a\n"
                             "DBN8=above Number\n");
        MemoryEntryList l;
        QStringList logged;
        QVERIFY(LoadLvFromIni(ini, l, "S", {}, [&](const QString &source, const QString &m) {
            logged << source + ": " + m;
        }));
        QCOMPARE(l.count(), 7);
        QCOMPARE(l.text(0, FieldName), QString());
        QCOMPARE(l.text(1, FieldLabel), QString());
        QCOMPARE(l.text(2, FieldName), QString("n3"));
        QCOMPARE(l.text(3, FieldAccess), QString("\t"));
        QCOMPARE(l.text(5, FieldServer), QString("s"));
        QCOMPARE(l.text(6, FieldName), QString(" "));
        QCOMPARE(logged, QStringList{QString::fromUtf8("LoadLvFromIni: Секция S: запис 8 е след Number=7 и не е зареден")});

        // A section of such entries alone still switches its page on.
        ProfileFile only = mk("[Documents]\nNumber=1\nCaption1=x\n");
        MemoryEntryList docs;
        QVERIFY(LoadLvFromIni(only, docs, "Documents", {}));
        QCOMPARE(docs.count(), 1);
    }

    void numberEdgeCases_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("entries");
        QTest::newRow("missing") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-2" << 0;
        QTest::newRow("text") << "two" << 0;
        QTest::newRow("hex 0x") << "0x3" << 3;
        QTest::newRow("hex $") << "$A" << 4; // only four entries present
        QTest::newRow("more than present") << "7" << 4;
        QTest::newRow("huge") << "2147483647" << 4;
    }

    void numberEdgeCases()
    {
        QFETCH(QString, number);
        QFETCH(int, entries);
        QString text = "[S]\n";
        if (!number.isEmpty())
            text += "Number=" + number + "\n";
        else
            text += "Something=1\n";
        for (int i = 1; i <= 4; ++i)
            text += QString("DBN%1=n%1\nCaption%1=c\nBaseName%1=p\nSYSBaseName%1=a\n").arg(i);
        ProfileFile ini = mk(text.toUtf8().constData());
        MemoryEntryList l;
        QCOMPARE(LoadLvFromIni(ini, l, "S", {}), entries > 0);
        QCOMPARE(l.count(), entries);
        // A list that held entries before reports true even when nothing was read.
        MemoryEntryList filled;
        addEntry(filled, true, "x");
        QVERIFY(LoadLvFromIni(ini, filled, "S", {}));
    }

    void hugeEntryNumbersReadOnlyWhatIsThere()
    {
        // A hand-edited file: the number and the key are far apart, the load is not.
        ProfileFile ini = mk("[S]\nNumber=2147483647\nDBN2000000000=x\nCaption2000000000=c\n"
                             "BaseName2000000000=p\nSYSBaseName2000000000=a\nDBN007=leading zero\n");
        MemoryEntryList l;
        QVERIFY(LoadLvFromIni(ini, l, "S", {}));
        QCOMPARE(l.count(), 1);
        QCOMPARE(l.text(0, FieldName), QString("x"));
        ProfileFile lower = mk("[S]\nNumber=1999999999\nDBN2000000000=x\nCaption2000000000=c\n"
                               "BaseName2000000000=p\nSYSBaseName2000000000=a\n");
        MemoryEntryList none;
        QVERIFY(!LoadLvFromIni(lower, none, "S", {}));
    }

    void missingSectionOrFile()
    {
        ProfileFile ini("/nonexistent-dir/KalCfg.ini");
        MemoryEntryList l;
        QVERIFY(!LoadLvFromIni(ini, l, "System", {}));
        QCOMPARE(ini.readString("Common", "DefServerIP"), QString());
        ProfileFile bare = mk("[System]\n; only a comment\n");
        QVERIFY(!LoadLvFromIni(bare, l, "System", {}));
        QCOMPARE(l.count(), 0);
    }

    void roundTrip()
    {
        MemoryEntryList l;
        addEntry(l, true, "sys_db", QString::fromUtf8("Пароли №1"), "", "C:\\Data\\sys.gdb",
                 QString::fromUtf8("Коментар"));
        addEntry(l, true, "no comment", "x", "s", "p", ""); // kept, as the suite skips it
        ProfileFile ini = mk("");
        SaveLvToIni(ini, l, "System", {});
        ProfileFile again = ProfileFile::fromBytes(ini.content());
        MemoryEntryList back;
        QVERIFY(LoadLvFromIni(again, back, "System", {}));
        QCOMPARE(back.count(), 2);
        for (int row = 0; row < 2; ++row)
            for (int f = 0; f < FieldCount; ++f)
                QCOMPARE(back.text(row, f), l.text(row, f));
    }

    void catalogueIsConsistent()
    {
        QCOMPARE(Catalogue::allPages().size(), 18);
        QCOMPARE(Catalogue::pages().size(), 17);
        QStringList sections;
        for (int i = 0; i < Catalogue::allPages().size(); ++i) {
            const Catalogue::PageDef &p = Catalogue::allPages()[i];
            QCOMPARE(p.index, i);
            QCOMPARE(p.isMessages(), i == Catalogue::MessagesPageIndex);
            if (p.isMessages())
                continue;
            sections << QString::fromLatin1(p.section);
            QVERIFY(Catalogue::pageOfList(QString::fromLatin1(p.listName)) == &p);
            if (p.checkRule != Catalogue::Rule::None)
                QVERIFY(Catalogue::rule(p.checkRule).targetPage >= 0
                        && !Catalogue::allPages()[Catalogue::rule(p.checkRule).targetPage].isMessages());
        }
        QCOMPARE(sections, (QStringList{"Documents", "Properties", "Licenses", "KalvorGis", "DravISYS", "KalTavora",
                                        "KalTarg", "KalNomeda", "JK", "KalTargObekti", "Brisko", "LMServices",
                                        "KalvorFloor", "KalvorWebPortal", "KalvorControl", "KalvorWebRegisters",
                                        "KalvorWebQuery"}));
        QCOMPARE(Catalogue::rules().size(), 7);
        QCOMPARE(QString::fromLatin1(Catalogue::allPages()[Catalogue::aliasTarget(102)->page].listName), QString("lvProp"));
        QVERIFY(!Catalogue::aliasTarget(105));
    }
};

QTEST_GUILESS_MAIN(TestKalCfg)
#include "tst_KalCfg.moc"
