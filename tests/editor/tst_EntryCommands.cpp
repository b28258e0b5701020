#include "EditorTest.h"
#include "config/KalCfg.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/GetSysName.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QString kNetwork = QString::fromUtf8("Трябва да посочите локален път !");


// Picks the choice with this text in the choice dialog, then OK.
Prompt::Answer choose(const QString &text)
{
    return Prompt::Answer::dialog([text](QDialog &d) {
        auto *cb = d.findChild<QComboBox *>("cbChoises");
        QVERIFY(cb);
        cb->setCurrentIndex(cb->findText(text));
        QCOMPARE(cb->currentText(), text);
    });
}

} // namespace

class TestEntryCommands : public QObject, EditorTest
{
    Q_OBJECT

    QString m_db; // an existing database file

    const TfrmeKMain::Page &pg(const char *name) { return *w->page(QLatin1String(name)); }

private slots:
    void init()
    {
        prepare();
        m_db = m_dir->filePath("t3.gdb");
        QFile f(m_db);
        QVERIFY(f.open(QIODevice::WriteOnly));
        start();
        for (const auto &p : w->pages())
            p.frame->setChecked(true);
    }

    void cleanup() { finish(); }

    void newEntryProposesAndAdds()
    {
        w->edDefServer->setText("");
        w->edDefBasePath->setText(m_dir->path());
        Prompt::setNextAnswer(Prompt::Answer::ok()); // the proposal as it stands
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        pg("lvAOff").newButton->click();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].kind, Prompt::Kind::Input);
        QCOMPARE(asked[0].title, QString::fromUtf8("Име на базата"));
        QCOMPARE(asked[0].text, QString::fromUtf8("Име"));
        QCOMPARE(asked[0].value, QString("Data_db"));
        QCOMPARE(asked[1].kind, Prompt::Kind::OpenFile);
        QCOMPARE(asked[1].title, QString::fromUtf8("Посочете база данни"));
        QCOMPARE(asked[1].text, m_dir->path()); // the default directory
        EntryListView *l = lv("lvAOff");
        QCOMPARE(l->count(), 1);
        QCOMPARE(l->text(0, FieldName), QString("Data_db"));
        QCOMPARE(l->text(0, FieldLabel), QString("Data_db"));
        QCOMPARE(l->text(0, FieldServer), QString("127.0.0.1"));
        QCOMPARE(l->text(0, FieldPath), QDir::toNativeSeparators(m_db));
        QCOMPARE(l->text(0, FieldAccess), QString()); // empty system list

        fill(l, "b");
        fill(l, "c");
        fill(w->lvSystem, "sys_db", "l", "10.0.0.1", "C:\\sys.gdb", "x");
        w->edDefServer->setText("db-server");
        Prompt::setNextAnswer(Prompt::Answer::typed(QString::fromUtf8("Архив")));
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        pg("lvAOff").newButton->click();
        QCOMPARE(Prompt::takeQuestions()[0].value, QString("Data3_db"));
        QCOMPARE(l->text(3, FieldName), QString::fromUtf8("Архив"));
        QCOMPARE(l->text(3, FieldLabel), QString::fromUtf8("Архив"));
        QCOMPARE(l->text(3, FieldServer), QString("db-server"));
        QCOMPARE(l->text(3, FieldAccess), QString("sys_db@10.0.0.1:C:\\sys.gdb"));
    }

    void newEntryAfterADeletionAsksAboutTheDuplicate()
    {
        EntryListView *l = lv("lvProp");
        fill(l, "Prop_db");
        fill(l, "Prop1_db");
        fill(l, "Prop2_db");
        l->remove(1);
        Prompt::setNextAnswer(Prompt::Answer::ok());
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        Prompt::setNextAnswer(Prompt::Answer::no());
        pg("lvProp").newButton->click();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked[0].value, QString("Prop2_db"));
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[2].text, QString::fromUtf8("Prop2_db вече е добавен . Да се добави ли отново?"));
        QCOMPARE(l->count(), 2);
    }

    void newEntryStopsQuietly()
    {
        EntryListView *l = lv("lvRER");
        // Cancel at the name.
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        pg("lvRER").newButton->click();
        // Cancel at the file.
        Prompt::setNextAnswer(Prompt::Answer::ok());
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        pg("lvRER").newButton->click();
        // A typed file that does not exist.
        Prompt::setNextAnswer(Prompt::Answer::ok());
        Prompt::setNextAnswer(Prompt::Answer::file(m_dir->filePath("missing.gdb")));
        pg("lvRER").newButton->click();
        QCOMPARE(l->count(), 0);
        for (const auto &q : Prompt::takeQuestions())
            QVERIFY(q.kind != Prompt::Kind::Message);
        QVERIFY(!w->FModified);
    }

    void networkPathsAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("backslashes") << "\\\\srv\\share\\x.gdb";
        QTest::newRow("slashes") << "//srv/share/x.gdb";
        QTest::newRow("mixed") << "\\/srv/x.gdb";
    }

    void networkPathsAreRefused()
    {
        QFETCH(QString, path);
        Prompt::setNextAnswer(Prompt::Answer::ok());
        Prompt::setNextAnswer(Prompt::Answer::file(path));
        pg("lvJK").newButton->click();
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.last().kind, Prompt::Kind::Message);
        QCOMPARE(asked.last().text, kNetwork);
        QCOMPARE(lv("lvJK")->count(), 0);

        fill(lv("lvJK"), "RORA", "label", "s", "C:\\old.gdb");
        lv("lvJK")->selectRow(0);
        Prompt::setNextAnswer(Prompt::Answer::file(path));
        pg("lvJK").changePathButton->click();
        asked = Prompt::takeQuestions();
        QCOMPARE(asked.last().text, kNetwork);
        QCOMPARE(lv("lvJK")->text(0, FieldPath), QString("C:\\old.gdb"));
    }

    void emptyNameIsAccepted()
    {
        Prompt::setNextAnswer(Prompt::Answer::typed(""));
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        pg("lvBrisko").newButton->click();
        QCOMPARE(lv("lvBrisko")->count(), 1);
        QCOMPARE(lv("lvBrisko")->text(0, FieldName), QString());
        QCOMPARE(lv("lvBrisko")->text(0, FieldLabel), QString());
    }

    void changePath()
    {
        EntryListView *l = lv("lvTavora");
        fill(l, "n", QString::fromUtf8("Етикет"), "server", "C:\\old.gdb", "acc");
        pg("lvTavora").changePathButton->click(); // nothing selected: nothing asked
        QVERIFY(Prompt::takeQuestions().isEmpty());

        l->selectRow(0);
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        pg("lvTavora").changePathButton->click();
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].value, QString::fromUtf8("Етикет")); // proposed: the label, not the path
        QCOMPARE(l->text(0, FieldPath), QDir::toNativeSeparators(m_db));
        QCOMPARE(l->text(0, FieldServer), QString("server"));
        QCOMPARE(l->text(0, FieldAccess), QString("acc"));

        // The system list's button does the same on the system list.
        fill(w->lvSystem, "sys", "SysLabel", "s", "C:\\s.gdb", "c");
        w->lvSystem->selectRow(0);
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->sbChangeSysDB->click();
        QCOMPARE(Prompt::takeQuestions()[0].value, QString("SysLabel"));
        QCOMPARE(w->lvSystem->text(0, FieldPath), QString("C:\\s.gdb"));
    }

    void changeAccessDatabase()
    {
        fill(w->lvSystem, "A", "l", "s1", "C:\\a.gdb");
        fill(w->lvSystem, "U", "l", "s", "C:\\u.gdb", "c", false);
        fill(w->lvSystem, "B", "l", "s2", "C:\\b.gdb");
        EntryListView *l = lv("lvNomeda");
        fill(l, "KalNomeda_db", "l", "s", "p", "old");
        pg("lvNomeda").changeAccessButton->click(); // nothing selected
        QVERIFY(Prompt::takeQuestions().isEmpty());

        l->selectRow(0);
        Prompt::setNextAnswer(choose("B@s2:C:\\b.gdb ")); // the last choice keeps its blank
        pg("lvNomeda").changeAccessButton->click();
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, Prompt::Kind::Dialog);
        QCOMPARE(asked[0].title, QString::fromUtf8("База за достъп до KalNomeda_db"));
        QCOMPARE(l->text(0, FieldAccess), QString("B@s2:C:\\b.gdb "));

        Prompt::setNextAnswer(choose("A@s1:C:\\a.gdb"));
        pg("lvNomeda").changeAccessButton->click();
        QCOMPARE(l->text(0, FieldAccess), QString("A@s1:C:\\a.gdb"));

        // No checked system entry: an empty choice list, and OK changes nothing.
        w->lvSystem->setChecked(0, false);
        w->lvSystem->setChecked(2, false);
        Prompt::setNextAnswer(Prompt::Answer::dialog([](QDialog &d) {
            QCOMPARE(d.findChild<QComboBox *>("cbChoises")->count(), 0);
        }));
        pg("lvNomeda").changeAccessButton->click();
        QCOMPARE(l->text(0, FieldAccess), QString("A@s1:C:\\a.gdb"));
        // Cancel changes nothing either.
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        pg("lvNomeda").changeAccessButton->click();
        QCOMPARE(l->text(0, FieldAccess), QString("A@s1:C:\\a.gdb"));
    }

    void newSystemEntry()
    {
        // Cancelled on an empty list: nothing at all.
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->sbNewSysDB->click();
        QCOMPARE(w->lvSystem->count(), 0);
        QCOMPARE(Prompt::takeQuestions()[0].value, QString("sys_db"));

        // Added: "Системна" is replaced at once by its own reference.
        w->edDefServer->setText("srv");
        Prompt::setNextAnswer(Prompt::Answer::ok());
        Prompt::setNextAnswer(Prompt::Answer::file(m_db));
        w->sbNewSysDB->click();
        QCOMPARE(w->lvSystem->count(), 1);
        const QString ref = "sys_db@srv:" + QDir::toNativeSeparators(m_db);
        QCOMPARE(w->lvSystem->text(0, FieldAccess), ref);

        // Cancelled with entries: the last entry gets its own reference anew.
        fill(w->lvSystem, "second", "l", "s", "C:\\2.gdb", "my comment");
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->sbNewSysDB->click();
        QCOMPARE(Prompt::takeQuestions().last().value, QString("sys2_db"));
        QCOMPARE(w->lvSystem->text(1, FieldAccess), QString("second@s:C:\\2.gdb"));
        QCOMPARE(w->lvSystem->text(0, FieldAccess), ref);
    }

    void fileDialogForReal()
    {
        // The real dialog; only the name is answered by script.
        QFile zz9(m_dir->filePath("zz9.gdb"));
        QVERIFY(zz9.open(QIODevice::WriteOnly));
        zz9.close();
        QVERIFY(QDir(m_dir->path()).mkdir("other"));
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        Prompt::setInteractive(true);
        QString shownIn, proposed;

        // "zz9" typed finds the existing "zz9.gdb", though the default extension is "GDB".
        w->edDefBasePath->setText(m_dir->path());
        Prompt::setNextAnswer(Prompt::Answer::ok());
        whenFileDialogShown([&](QFileDialog *d) {
            shownIn = d->directory().absolutePath();
            auto *edit = d->findChild<QLineEdit *>("fileNameEdit");
            QTest::keyClicks(edit, "zz9");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        pg("lvDrav").newButton->click();
        QCOMPARE(shownIn, m_dir->path());
        QCOMPARE(lv("lvDrav")->count(), 1);
        QCOMPARE(lv("lvDrav")->text(0, FieldPath), QDir::toNativeSeparators(zz9.fileName()));
        QTest::qWait(300); // a late completion list would show by now
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(top == w.get() || !top->isVisible(), top->metaObject()->className());

        // The next "Нова БД" opens in the default directory of the moment, the last name proposed.
        w->edDefBasePath->setText(m_dir->filePath("other"));
        Prompt::setNextAnswer(Prompt::Answer::ok());
        whenFileDialogShown([&](QFileDialog *d) {
            shownIn = d->directory().absolutePath();
            proposed = d->findChild<QLineEdit *>("fileNameEdit")->text();
            d->reject();
        });
        pg("lvDrav").newButton->click();
        QCOMPARE(shownIn, m_dir->filePath("other"));
        QCOMPARE(proposed, QString("zz9.gdb"));
        QCOMPARE(lv("lvDrav")->count(), 1);
        QCOMPARE(w->opd->nameFilters().size(), 3);
        QCOMPARE(w->opd->defaultSuffix(), QString("GDB"));
    }

private:
    // Runs act once the file dialog is up; one left open is closed after a few seconds.
    void whenFileDialogShown(std::function<void(QFileDialog *)> act)
    {
        auto *poll = new QTimer(w.get());
        connect(poll, &QTimer::timeout, poll, [this, poll, act] {
            if (!w->opd->isVisible())
                return;
            poll->deleteLater();
            act(w->opd);
        });
        poll->start(20);
        QTimer::singleShot(5000, w->opd, [d = w->opd] { d->reject(); });
    }
};

QTEST_MAIN(TestEntryCommands)
#include "tst_EntryCommands.moc"
