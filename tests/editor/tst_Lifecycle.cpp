#include "config/Cp1251.h"
#include "config/KalCfg.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kWarning = QString::fromUtf8("Не е открита Rodivavi.dll -- Вероятно ще има проблеми при стартиране на програмите !");
const QString kCloseQuestion = QString::fromUtf8("Направените промени ще бъдат загубени! Сигурни ли сте ?");

QByteArray cp(const char *utf8)
{
    QByteArray b = Cp1251::encode(QString::fromUtf8(utf8));
    b.replace("\n", "\r\n");
    return b;
}

const char *kSample = "; kept as it is\n"
                      "[Common]\n"
                      "DefServerIP=10.0.0.5\n"
                      "DefDBDir=D:\\DB\n"
                      "Remark=по ръка\n"
                      "[System]\n"
                      "DBN1=sys_db\nCaption1=Пароли\nServIP1=10.0.0.5\nBaseName1=D:\\DB\\sys.gdb\nSYSBaseName1=коментар\n"
                      "Number=1\n"
                      "[Documents]\n"
                      "DBN1=Data_db\nCaption1=Документи\nServIP1=10.0.0.5\nBaseName1=D:\\DB\\t3.gdb\n"
                      "SYSBaseName1=sys_db@10.0.0.5:D:\\DB\\sys.gdb\nNumber=1\n"
                      "[HandMade]\n"
                      "x=1\n"
                      "[KalTarg]\n"
                      "Number=0\n"
                      "[KalvorControl]\n"
                      "DBN1=ctl\nCaption1=Контрол\nServIP1=\nBaseName1=D:\\DB\\ctl.fdb\nSYSBaseName1=s\nNumber=1\n";

} // namespace

class TestLifecycle : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString iniPath() const { return m_dir->filePath("KalCfg.ini"); }

    void writeIni(const QByteArray &bytes)
    {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readIni() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void addLoginLibrary(const QString &name = "rodivavi.dll")
    {
        QFile f(m_dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    // A started window, as the program makes it.
    std::unique_ptr<TfrmeKMain> start()
    {
        auto w = std::make_unique<TfrmeKMain>();
        w->FormCreate();
        return w;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setProgramDir(m_dir->path());
        Prompt::setInteractive(false);
        Prompt::reset();
        Prompt::takeQuestions();
    }

    void cleanup()
    {
        QCOMPARE(Prompt::pendingAnswers(), 0);
        setCfgFileName(QString());
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner);
        m_dir.reset();
    }

    void startWithoutFileOrLibrary()
    {
        auto w = start();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, Prompt::Kind::Message);
        QCOMPARE(asked[0].text, kWarning);
        QVERIFY(w->edDefServer->text().isEmpty());
        QVERIFY(w->edDefBasePath->text().isEmpty());
        QCOMPARE(w->lvSystem->count(), 0);
        for (const auto &p : w->pages()) {
            QCOMPARE(p.list->count(), 0);
            QVERIFY(!p.frame->Checked());
            QVERIFY(!p.list->isEnabled());
            QVERIFY(!p.newButton->isEnabled());
        }
        QVERIFY(!w->FModified);
        QCOMPARE(w->PageControl1->activePageIndex(), 0);
        QVERIFY(w->close()); // nothing to lose, nothing asked
        QVERIFY(Prompt::takeQuestions().isEmpty());
        QVERIFY(!QFile::exists(iniPath())); // nothing is written at the end
    }

    void loginLibraryInAnyLetterCase()
    {
        addLoginLibrary("RodiVavi.DLL");
        auto w = start();
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    // Named on the command line, the configuration lies with the suite's
    // programs and their login library; the program's own directory is not asked.
    void loginLibraryBesideTheConfiguration()
    {
        addLoginLibrary();
        QTemporaryDir suite;
        setCfgFileName(suite.filePath("KalCfg.ini"));
        start();
        QCOMPARE(Prompt::takeQuestions().size(), 1);
        QFile library(suite.filePath("RODIVAVI.DLL"));
        QVERIFY(library.open(QIODevice::WriteOnly));
        start();
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    void loadFillsFieldsListsAndSwitches()
    {
        addLoginLibrary();
        writeIni(cp(kSample));
        auto w = start();
        QVERIFY(Prompt::takeQuestions().isEmpty());
        QCOMPARE(w->edDefServer->text(), QString("10.0.0.5"));
        QCOMPARE(w->edDefBasePath->text(), QString("D:\\DB")); // no backslash added by the load
        QCOMPARE(w->lvSystem->count(), 1);
        QCOMPARE(w->lvSystem->text(0, FieldAccess), QString::fromUtf8("коментар"));
        QCOMPARE(w->list("lvAOff")->count(), 1);
        QVERIFY(w->list("lvAOff")->isChecked(0));
        QVERIFY(w->frame("bgbAOff")->Checked());
        QVERIFY(w->list("lvAOff")->isEnabled());
        QVERIFY(!w->frame("bgbProp")->Checked());
        QVERIFY(!w->frame("grbox_KalTarg")->Checked()); // a section with Number 0 gives no entries
        QVERIFY(w->frame("gbKalvorControl")->Checked());
        QCOMPARE(w->list("lvKalvorControl")->text(0, FieldServer), QString());
        QVERIFY(!w->FModified);
        // A good load logs only the pages that need attention: "s" names no system entry.
        const QStringList log = w->mmMsg->toPlainText().split('\n');
        QCOMPARE(log.size(), 1);
        QVERIFY2(log[0].endsWith(QString::fromUtf8(
                     " - LoadCfg : Калвор Контрол - пропускани записи: 0, с липсваща системна БД: 1")),
                 qPrintable(log[0]));
        QVERIFY(w->list("lvKalvorControl")->rowMarks(0).dangling);
        QVERIFY(!w->list("lvAOff")->rowMarks(0).dangling);
    }

    void modifiedFlagAndCloseQuestion()
    {
        addLoginLibrary();
        writeIni(cp(kSample));
        auto w = start();
        w->edDefServer->setText("changed"); // the general fields do not count
        QVERIFY(!w->FModified);
        QVERIFY(w->close());
        QVERIFY(Prompt::takeQuestions().isEmpty());

        w = start();
        w->list("lvAOff")->selectRow(0); // selecting alone counts as a change
        QVERIFY(w->FModified);
        Prompt::setNextAnswer(Prompt::Answer::no());
        QVERIFY(!w->close());
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, Prompt::Kind::Confirm);
        QCOMPARE(asked[0].text, kCloseQuestion);
        QCOMPARE(w->list("lvAOff")->count(), 1);
        Prompt::setNextAnswer(Prompt::Answer::yes());
        w->sbExitClick(); // "Изход" closes exactly as the close box does
        QVERIFY(!w->isVisible());
        QCOMPARE(Prompt::takeQuestions().size(), 1);
        QCOMPARE(readIni(), cp(kSample)); // nothing written at the end

        // Switching a page off by program changes no list: no question.
        w = start();
        w->frame("bgbAOff")->setChecked(false);
        QVERIFY(!w->FModified);
    }

    void saveWritesEverySectionInOrder()
    {
        addLoginLibrary();
        writeIni(cp(kSample));
        auto w = start();
        w->edDefBasePath->setText("E:\\New\\");
        w->frame("bgbAOff")->setChecked(false);     // its section goes
        w->frame("grbox_KalTarg")->setChecked(true); // on, but with no checked entry
        w->list("lvSystem")->selectRow(0);
        QVERIFY(w->FModified);
        w->sbSaveClick();
        QVERIFY(Prompt::takeQuestions().isEmpty());
        QVERIFY(!w->FModified);
        const QByteArray saved = readIni();
        QCOMPARE(saved, cp("; kept as it is\n"
                           "[Common]\n"
                           "DefServerIP=10.0.0.5\n"
                           "DefDBDir=E:\\New\\\n"
                           "Remark=по ръка\n"
                           "[System]\n" // rewritten where it stood
                           "DBN1=sys_db\nCaption1=Пароли\nServIP1=10.0.0.5\nBaseName1=D:\\DB\\sys.gdb\nSYSBaseName1=коментар\n"
                           "Number=1\n"
                           "[HandMade]\n"
                           "x=1\n"
                           "[KalTarg]\n"
                           "Number=0\n"
                           "[KalvorControl]\n"
                           "DBN1=ctl\nCaption1=Контрол\nServIP1=\nBaseName1=D:\\DB\\ctl.fdb\nSYSBaseName1=s\nNumber=1\n"));
        // A second save without changes writes the same bytes.
        w->sbSaveClick();
        QCOMPARE(readIni(), saved);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"KalCfg.ini", "rodivavi.dll"}));

        // The next start shows what was saved.
        auto again = start();
        QVERIFY(!again->frame("bgbAOff")->Checked());
        QCOMPARE(again->list("lvAOff")->count(), 0);
        QVERIFY(!again->frame("grbox_KalTarg")->Checked());
        QCOMPARE(again->edDefBasePath->text(), QString("E:\\New\\"));
        QVERIFY(again->frame("gbKalvorControl")->Checked());
    }

    // Another administrator's change of the shared file since the load or the last
    // save is never overwritten unasked.
    void saveAfterAnotherProgramsChange_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::newRow("untouched") << "" << false << false;
        QTest::newRow("rewritten alike") << "same" << false << false;
        QTest::newRow("changed, Yes") << "change" << true << true;
        QTest::newRow("changed, No") << "change" << true << false;
        QTest::newRow("appeared, No") << "appear" << true << false;
        QTest::newRow("vanished, Yes") << "vanish" << true << true;
        QTest::newRow("changed after a save, No") << "save+change" << true << false;
    }

    void saveAfterAnotherProgramsChange()
    {
        QFETCH(QString, meanwhile);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        addLoginLibrary();
        if (meanwhile != "appear")
            writeIni(cp(kSample));
        auto w = start();
        if (meanwhile == "appear") {
            w->frame("bgbAOff")->setChecked(true);
            w->AddEntry(w->list("lvAOff"), "Data_db", "", "", "t3.gdb", "");
        }
        w->list("lvAOff")->setText(0, FieldLabel, "mine");
        if (meanwhile.startsWith("save+")) {
            w->sbSaveClick(); // what this editor wrote is no one else's change
            w->list("lvAOff")->setText(0, FieldLabel, "mine again");
        }
        const QByteArray theirs = cp(kSample) + cp("[Theirs]\nKey=1\n");
        if (meanwhile == "same")
            writeIni(readIni()); // written again, not changed
        else if (meanwhile.endsWith("change") || meanwhile == "appear")
            writeIni(theirs);
        else if (meanwhile == "vanish")
            QVERIFY(QFile::remove(iniPath()));
        const QByteArray before = readIni();
        QVERIFY(w->FModified);

        if (asked)
            Prompt::setNextAnswer(yes ? Prompt::Answer::yes() : Prompt::Answer::no());
        w->sbSaveClick();
        const auto questions = Prompt::takeQuestions();
        QCOMPARE(questions.size(), asked ? 1 : 0);
        const QString log = w->mmMsg->toPlainText();
        if (asked) {
            QCOMPARE(questions[0].kind, Prompt::Kind::Confirm);
            QCOMPARE(questions[0].text, QString::fromUtf8("Файлът KalCfg.ini е променен от друга програма след "
                                                          "зареждането. Да се запише ли върху промените?"));
            QVERIFY2(log.contains(" - sbSaveClick : "), qPrintable(log));
            QCOMPARE(log.contains(QString::fromUtf8("не е записан")), !yes);
        } else {
            QVERIFY(!log.contains("sbSaveClick"));
        }
        const bool written = !asked || yes;
        QCOMPARE(w->FModified, !written);
        if (!written) {
            QCOMPARE(readIni(), before);
            QCOMPARE(QFile::exists(iniPath()), meanwhile != "vanish");
            return;
        }
        const QByteArray saved = readIni();
        QVERIFY(saved.contains("Caption1=mine\r\n"));
        QCOMPARE(saved.contains("[Theirs]\r\nKey=1\r\n"), meanwhile.endsWith("change")); // kept
        // What this save wrote is what the next one compares with.
        w->sbSaveClick();
        QVERIFY(Prompt::takeQuestions().isEmpty());
        QCOMPARE(readIni(), saved);
    }

    void failedSaveChangesNothing()
    {
        addLoginLibrary();
        writeIni(cp(kSample));
        auto w = start();
        w->list("lvAOff")->setText(0, FieldLabel, "new label");
        QVERIFY(w->FModified);
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadUser);
        w->sbSaveClick();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1); // exactly one box
        QCOMPARE(asked[0].kind, Prompt::Kind::Message);
        QCOMPARE(asked[0].text, QString::fromUtf8("Грешка при запис на конфигурация!") + QChar(13)
                                    + "Unable to write to " + QDir::toNativeSeparators(iniPath()));
        QVERIFY(w->FModified);
        QCOMPARE(readIni(), cp(kSample));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"KalCfg.ini", "rodivavi.dll"}));
    }

    void unreadableFileIsNeitherReadNorReplaced()
    {
        addLoginLibrary();
        QVERIFY(QDir(m_dir->path()).mkdir("KalCfg.ini")); // exists, and no user can read it as a file
        auto w = start();
        const QString shown = QDir::toNativeSeparators(iniPath());
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, QString::fromUtf8("Грешка : Unable to read ") + shown);
        QVERIFY(w->mmMsg->toPlainText().endsWith(" - LoadCfg : Unable to read " + shown));
        w->sbSaveClick();
        asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, QString::fromUtf8("Грешка при запис на конфигурация!") + QChar(13)
                                    + "Unable to write to " + shown);
        QVERIFY(QFileInfo(iniPath()).isDir());
    }

    void defaultDirectoryGetsItsBackslash_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("without") << "C:\\Data" << "C:\\Data\\";
        QTest::newRow("with") << "C:\\Data\\" << "C:\\Data\\";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("drive") << "D:" << "D:\\";
        QTest::newRow("this machine's path") << "/srv/kalvor" << "/srv/kalvor/";
    }

    void defaultDirectoryGetsItsBackslash()
    {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        addLoginLibrary();
        auto w = start();
        w->edDefBasePath->setText(typed);
        w->edDefBasePathExit();
        QCOMPARE(w->edDefBasePath->text(), after);
        QVERIFY(!w->FModified);
    }

    void leavingTheDirectoryFieldByFocus()
    {
        addLoginLibrary();
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->edDefBasePath->setFocus();
        w->edDefBasePath->setText("C:\\Data");
        w->edDefServer->setFocus();
        QCOMPARE(w->edDefBasePath->text(), QString("C:\\Data\\"));
    }

    void messageLogLineFormat()
    {
        addLoginLibrary();
        auto w = start();
        w->AddMsg("LoadCfg", "boom: 100%");
        w->AddMsg("GetFromAls", QString::fromUtf8("sys_db не е открит!"));
        const QStringList lines = w->mmMsg->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d - LoadCfg : boom: 100%$")
                     .match(lines[0]).hasMatch(), qPrintable(lines[0]));
        QVERIFY(lines[1].endsWith(QString::fromUtf8(" - GetFromAls : sys_db не е открит!")));
    }
};

QTEST_MAIN(TestLifecycle)
#include "tst_Lifecycle.moc"
