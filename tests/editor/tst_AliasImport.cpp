#include "EditorTest.h"
#include "config/Cp1251.h"
#include "config/KalCfg.h"
#include "editor/BdeEngine.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// The engine as the tests want it: aliases in order, and an operation that fails.
class FakeEngine : public BdeEngine
{
public:
    struct Alias
    {
        QString name, driver;
        QStringList params;
    };
    QList<Alias> aliases;
    QString failOn; // "names", "exists:<alias>", "params:<alias>", "driver:<alias>"
    int calls = 0;

    void fail(const QString &what)
    {
        ++calls;
        if (what == failOn)
            throw EngineError("engine says no: " + what);
    }
    const Alias *find(const QString &n) const
    {
        for (const Alias &a : aliases)
            if (a.name.compare(n, Qt::CaseInsensitive) == 0)
                return &a;
        return nullptr;
    }
    QStringList EngineAliasNames() override
    {
        fail("names");
        QStringList out;
        for (const Alias &a : aliases)
            out << a.name;
        return out;
    }
    bool EngineAliasExists(const QString &n) override
    {
        fail("exists:" + n);
        return !n.isEmpty() && find(n);
    }
    QString EngineAliasDriver(const QString &n) override
    {
        fail("driver:" + n);
        return find(n)->driver;
    }
    QStringList EngineAliasParams(const QString &n) override
    {
        fail("params:" + n);
        return find(n)->params;
    }
};

FakeEngine::Alias ib(const QString &name, const QString &serverName, const QString &driver = "INTRBASE")
{
    QStringList params{"USER NAME=SYSDBA", "OPEN MODE=READ/WRITE"};
    if (!serverName.isNull())
        params.insert(1, "SERVER NAME=" + serverName);
    return {name, driver, params};
}

QStringList logLines(TfrmeKMain *w)
{
    QStringList out;
    for (const QString &line : w->mmMsg->toPlainText().split('\n', Qt::SkipEmptyParts))
        out << line.mid(22); // past "dd.mm.yyyy hh:nn:ss - "
    return out;
}

} // namespace

class TestAliasImport : public QObject, EditorTest
{
    Q_OBJECT

    FakeEngine *bde = nullptr;
    bool m_lookupWorks = true;


private slots:
    void init()
    {
        prepare();
        start();
        auto engine = std::make_unique<FakeEngine>();
        bde = engine.get();
        w->setEngine(std::move(engine));
        m_lookupWorks = true;
        w->FLocalHostLookup = [this](QString &a) {
            if (!m_lookupWorks)
                return false;
            a = "192.168.7.7";
            return true;
        };
        w->edDefServer->setText("def-server");
    }

    void cleanup() { finish(); }

    void serverNameForms_data()
    {
        QTest::addColumn<QString>("param");
        QTest::addColumn<bool>("lookup");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("path");
        const QString longTail(1200, 'p');
        QTest::newRow("drive letter") << "SERVER NAME=C:\\DATA\\T3.GDB" << true << "def-server" << "C:\\DATA\\T3.GDB";
        QTest::newRow("host prefix") << "Server Name=dbhost:C:\\DATA\\T3.GDB" << true << "192.168.7.7"
                                     << "C:\\DATA\\T3.GDB";
        QTest::newRow("no colon") << "server name=\\\\srv\\share\\x.gdb" << true << "192.168.7.7"
                                  << "\\\\srv\\share\\x.gdb";
        QTest::newRow("long after colon") << "Server Name=host:" + longTail << true << "192.168.7.7" << QString(999, 'p');
        QTest::newRow("long drive letter") << "Server Name=C:" + longTail << true << "def-server" << "C:" + longTail;
        QTest::newRow("missing") << QString() << true << "192.168.7.7" << "";
        QTest::newRow("lookup fails") << "Server Name=host:/db/x.fdb" << false << "def-server" << "/db/x.fdb";
        QTest::newRow("blanks around") << " Server Name \t=  C:\\x.gdb \t" << true << "def-server" << "C:\\x.gdb";
    }

    void serverNameForms()
    {
        QFETCH(QString, param);
        QFETCH(bool, lookup);
        QFETCH(QString, server);
        QFETCH(QString, path);
        m_lookupWorks = lookup;
        QStringList params{"USER NAME=SYSDBA"};
        if (!param.isNull())
            params << param << "Server Name=second:ignored";
        // Through the alias file, as the administrator writes it.
        QFile f(m_dir->filePath("BdeAliases.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Cp1251::encode("[data_db]\r\nDriver=INTRBASE\r\n" + params.join("\r\n") + "\r\n"));
        f.close();
        w->setEngine(std::make_unique<FileBdeEngine>(f.fileName()));
        fill();
        QVERIFY(w->GetInfofromAlias(lv("lvAOff"), "data_db", "lab"));
        EntryListView *l = lv("lvAOff");
        QCOMPARE(l->count(), 1);
        QCOMPARE(l->text(0, FieldName), QString("data_db"));
        QCOMPARE(l->text(0, FieldLabel), QString("lab"));
        QCOMPARE(l->text(0, FieldServer), server);
        QCOMPARE(l->text(0, FieldPath), path);
        QCOMPARE(l->text(0, FieldAccess), QString("sys@s:C:\\sys.gdb"));
        QVERIFY(l->isChecked(0));
    }

    void emptyDefaultServerBecomesLoopback()
    {
        m_lookupWorks = false;
        w->edDefServer->setText("");
        bde->aliases = {ib("x", "host:C:\\x.gdb")};
        QVERIFY(w->GetInfofromAlias(lv("lvProp"), "x", "l"));
        QCOMPARE(lv("lvProp")->text(0, FieldServer), QString("127.0.0.1"));
    }

    void missingAlias()
    {
        QVERIFY(!w->GetInfofromAlias(lv("lvProp"), "nothere", "l"));
        QCOMPARE(logLines(w.get()), QStringList{QString::fromUtf8("GetInfofromAlias : nothere - не е открит")});
        QCOMPARE(lv("lvProp")->count(), 0);
    }

    void importAllWithNone()
    {
        w->sbGetFromAlias->click();
        QCOMPARE(logLines(w.get()), (QStringList{
                                        QString::fromUtf8("GetInfofromAlias : sys_db - не е открит"),
                                        QString::fromUtf8("GetFromAls : sys_db не е открит!"),
                                        QString::fromUtf8("GetInfofromAlias : data_db - не е открит"),
                                        QString::fromUtf8("GetFromAls : data_db не е открит!"),
                                        QString::fromUtf8("GetInfofromAlias : old_docdb - не е открит"),
                                        QString::fromUtf8("GetFromAls : old_docdb не е открит!"),
                                        QString::fromUtf8("GetInfofromAlias : prop_db - не е открит"),
                                        QString::fromUtf8("GetFromAls : prop_db не е открит!"),
                                        QString::fromUtf8("GetInfofromAlias : l_data - не е открит"),
                                        QString::fromUtf8("GetFromAls : l_Data не е открит!"),
                                    }));
        for (const auto &p : w->pages()) {
            QCOMPARE(p.list->count(), 0);
            QVERIFY(!p.frame->Checked());
        }
        QVERIFY(!w->FModified);
    }

    void importAllWithOnlyTheOldDocuments()
    {
        bde->aliases = {ib("OLD_DOCDB", "C:\\old.gdb")};
        w->sbGetFromAlias->click();
        QCOMPARE(lv("lvAOff")->count(), 1);
        QCOMPARE(lv("lvAOff")->text(0, FieldName), QString("old_docdb")); // spelled as in the table
        QCOMPARE(lv("lvAOff")->text(0, FieldLabel), QString::fromUtf8("Документи - прикл"));
        QVERIFY(!fr("bgbAOff")->Checked());
        QCOMPARE(logLines(w.get()).size(), 8);
    }

    void importAllOnAnEmptySystemList()
    {
        bde->aliases = {ib("sys_db", "C:\\sys.gdb"), ib("data_db", "C:\\t3.gdb"), ib("old_docdb", "C:\\o.gdb"),
                        ib("prop_db", "host:C:\\imo.gdb"), ib("l_data", "C:\\db1.gdb")};
        w->sbGetFromAlias->click();
        const QString ref = "sys_db@def-server:C:\\sys.gdb";
        QCOMPARE(w->lvSystem->count(), 1);
        QCOMPARE(w->lvSystem->text(0, FieldAccess), ref); // its own reference, after the fact
        QCOMPARE(lv("lvAOff")->count(), 2);               // no default entry from a check rule
        QCOMPARE(lv("lvAOff")->text(0, FieldAccess), ref);
        QCOMPARE(lv("lvProp")->text(0, FieldServer), QString("192.168.7.7"));
        QCOMPARE(lv("lvRER")->text(0, FieldLabel), QString::fromUtf8("Лицензи"));
        QVERIFY(fr("bgbAOff")->Checked() && fr("bgbProp")->Checked() && fr("bgbRer")->Checked());
        QVERIFY(lv("lvProp")->isEnabled());
        QVERIFY(logLines(w.get()).isEmpty());

        // Twice in a row: one question per alias found; No keeps the lists as they were.
        w->lvSystem->setText(0, FieldAccess, "changed");
        fr("bgbProp")->setChecked(false);
        for (int i = 0; i < 5; ++i)
            Prompt::setNextAnswer(Prompt::Answer::no());
        w->sbGetFromAlias->click();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 5);
        QCOMPARE(asked[2].text, QString::fromUtf8("old_docdb вече е добавен . Да се добави ли отново?"));
        QCOMPARE(w->lvSystem->count(), 1);
        QCOMPARE(lv("lvAOff")->count(), 2);
        QCOMPARE(w->lvSystem->text(0, FieldAccess), ref); // reset all the same
        QVERIFY(fr("bgbProp")->Checked());                 // checked all the same
    }

    void importAllOnAFilledSystemList()
    {
        fill();
        lv("lvAOff")->append();
        lv("lvAOff")->setText(0, FieldName, "Data_db");
        bde->aliases = {ib("sys_db", "C:\\sys2.gdb"), ib("data_db", "C:\\t3.gdb")};
        w->sbGetFromAlias->click();
        QCOMPARE(w->lvSystem->count(), 2);
        QCOMPARE(w->lvSystem->text(1, FieldAccess), QString("sys@s:C:\\sys.gdb"));
        QCOMPARE(w->lvSystem->text(0, FieldAccess), QString("sys@s:C:\\sys.gdb"));
        QCOMPARE(lv("lvAOff")->count(), 2); // "data_db" beside "Data_db": no question
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    void engineFailureEndsTheCommand()
    {
        bde->aliases = {ib("sys_db", "C:\\sys.gdb"), ib("data_db", "C:\\t3.gdb")};
        bde->failOn = "exists:data_db"; // a middle step
        w->sbGetFromAlias->click();
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, Prompt::Kind::Message);
        QCOMPARE(asked[0].text, QString("engine says no: exists:data_db"));
        QCOMPARE(w->lvSystem->count(), 1); // what the first step added stays
        QCOMPARE(lv("lvAOff")->count(), 0);
        QVERIFY(!fr("bgbAOff")->Checked());

        bde->failOn = "exists:sys_db"; // the first step
        w->sbGetFromAlias->click();
        QCOMPARE(Prompt::takeQuestions().size(), 1);
        QCOMPARE(w->lvSystem->count(), 1);
        QVERIFY(w->isEnabled()); // the editor goes on working

        bde->failOn = "names";
        fr("bgbAOff")->setChecked(true);
        w->page("lvAOff")->aliasButton->click();
        QCOMPARE(Prompt::takeQuestions()[0].text, QString("engine says no: names"));
    }

    void chosenAliasPerPage()
    {
        bde->aliases = {ib("first", "C:\\1.gdb", "intrbase"), ib("paradox", "C:\\p", "PARADOX"),
                        ib("Second", "host:C:\\2.gdb"), ib("odd", "C:\\o.gdb", "INTRBASE\u0131")};
        for (const auto &p : w->pages())
            p.frame->setChecked(true);
        Prompt::setNextAnswer(Prompt::Answer::dialog([](QDialog &d) {
            QCOMPARE(d.windowTitle(), QString::fromUtf8("Изберете BDE Алиас"));
            auto *cb = d.findChild<QComboBox *>("cbChoises");
            QCOMPARE(cb->count(), 2); // the InterBase aliases only, in the engine's order
            QCOMPARE(cb->itemText(0), QString("first"));
            cb->setCurrentIndex(1);
        }));
        w->page("lvRER")->aliasButton->click();
        QCOMPARE(lv("lvRER")->count(), 1);
        QCOMPARE(lv("lvRER")->text(0, FieldName), QString("Second"));
        QCOMPARE(lv("lvRER")->text(0, FieldLabel), QString::fromUtf8("Лицензи"));

        // Cancel: nothing added, nothing logged.
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->page("lvAOff")->aliasButton->click();
        QCOMPARE(lv("lvAOff")->count(), 0);
        QVERIFY(logLines(w.get()).isEmpty());

        // The alias button of "Калвор 2004" fills its own page's list.
        Prompt::setNextAnswer(Prompt::Answer::dialog([](QDialog &d) {
            d.findChild<QComboBox *>("cbChoises")->setCurrentIndex(0);
        }));
        w->page("lvKalvor2004")->aliasButton->click();
        QCOMPARE(lv("lvKalvor2004")->count(), 1);
        QCOMPARE(lv("lvKalvor2004")->text(0, FieldLabel), QString::fromUtf8("Имоти"));
        QCOMPARE(lv("lvProp")->count(), 0);
        Prompt::takeQuestions();

        // No InterBase alias at all: no dialog, no message.
        bde->aliases = {ib("paradox", "C:\\p", "PARADOX")};
        w->page("lvProp")->aliasButton->click();
        QVERIFY(Prompt::takeQuestions().isEmpty());
        w->sbAOffAddAlsClick(w->sbSave); // a sender without an alias code does nothing
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    void fileEngine()
    {
        const QString path = m_dir->filePath("BdeAliases.ini");
        FileBdeEngine missing(path);
        try {
            missing.EngineAliasNames();
            QFAIL("no error for a missing alias file");
        } catch (const EngineError &e) {
            QVERIFY(e.message().contains(QDir::toNativeSeparators(path)));
        }
        QVERIFY(!missing.EngineAliasExists("")); // an empty name is no alias, file or not

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Cp1251::encode(QString::fromUtf8("; aliases of this machine\r\n"
                                                 "[DATA_DB]\r\n"
                                                 "Driver=INTRBASE\r\n"
                                                 "SERVER NAME=C:\\Данни\\t3.gdb\r\n"
                                                 "USER NAME=SYSDBA\r\n"
                                                 "\r\n"
                                                 "[dbdemos]\n"
                                                 "DRIVER = STANDARD\n"
                                                 "PATH=C:\\demos\n")));
        f.close();
        FileBdeEngine engine(path);
        QCOMPARE(engine.EngineAliasNames(), (QStringList{"DATA_DB", "dbdemos"}));
        QVERIFY(engine.EngineAliasExists("data_db"));
        QVERIFY(!engine.EngineAliasExists("prop_db"));
        QCOMPARE(engine.EngineAliasDriver("DBDEMOS"), QString("STANDARD"));
        QCOMPARE(engine.EngineAliasParams("data_db"),
                 (QStringList{QString::fromUtf8("SERVER NAME=C:\\Данни\\t3.gdb"), "USER NAME=SYSDBA"}));

        // The window's own engine is that file, beside the program.
        w->setEngine(nullptr);
        w->sbGetFromAliasClick();
        QCOMPARE(lv("lvAOff")->count(), 1);
        QCOMPARE(lv("lvAOff")->text(0, FieldPath), QString::fromUtf8("C:\\Данни\\t3.gdb"));
    }

private:
    void fill() { ::fill(w->lvSystem, "sys", "", "s", "C:\\sys.gdb", ""); }
};

QTEST_MAIN(TestAliasImport)
#include "tst_AliasImport.moc"
