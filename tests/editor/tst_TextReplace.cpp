#include "EditorTest.h"
#include "config/KalCfg.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/ReplOpt.h"
#include "ui/ekMain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {


// Fills the replacement dialog, then OK.
Prompt::Answer replace(const QString &oldText, const QString &newText, int option)
{
    return Prompt::Answer::dialog([=](QDialog &d) {
        auto &dlg = static_cast<TfrmReplOpt &>(d);
        QVERIFY(dlg.edOldTxt->text().isEmpty()); // a fresh dialog every time
        QCOMPARE(dlg.rgOptItemIndex(), 0);
        dlg.edOldTxt->setText(oldText);
        dlg.edNewTxt->setText(newText);
        dlg.setRgOptItemIndex(option);
    });
}

} // namespace

class TestTextReplace : public QObject, EditorTest
{
    Q_OBJECT



private slots:
    void init()
    {
        prepare();
        start();
    }

    void cleanup() { finish(); }

    void replaceInOneText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("oldText");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<QString>("result");
        QTest::newRow("aa by a") << "aaaa" << "aa" << "a" << "aa";
        QTest::newRow("a by aa") << "aa" << "a" << "aa" << "aaaa";
        QTest::newRow("case counts") << "Server SERVER server" << "server" << "X" << "Server SERVER X";
        QTest::newRow("empty new text") << "10.0.0.1" << "10.0.0.1" << "" << "";
        QTest::newRow("not found") << "abc" << "x" << "y" << "abc";
        QTest::newRow("cyrillic") << QString::fromUtf8("Документи") << QString::fromUtf8("кум")
                                  << QString::fromUtf8("КУМ") << QString::fromUtf8("ДоКУМенти");
    }

    void replaceInOneText()
    {
        QFETCH(QString, text);
        QFETCH(QString, oldText);
        QFETCH(QString, newText);
        QFETCH(QString, result);
        EntryListView *l = lv("lvAOff");
        fill(l, text, text, text, text, text, false);
        w->ReplaceInList(l, oldText, newText);
        for (int f = 0; f < FieldCount; ++f)
            QCOMPARE(l->text(0, f), result);
        QVERIFY(!l->isChecked(0)); // check marks untouched, unchecked entries rewritten too
    }

    void everywhereReachesTheFourLists()
    {
        const QString oldRef = "sys_db@10.0.0.1:C:\\sys.gdb";
        fill(w->lvSystem, "sys_db", "l", "10.0.0.1", "C:\\sys.gdb", oldRef);
        for (const char *name : {"lvAOff", "lvProp", "lvRER", "lvKalvor2004", "lvKalvorWebQuery"})
            fill(lv(name), "n", "l", "10.0.0.1", "C:\\x.gdb", oldRef);
        w->edDefServer->setText("10.0.0.1");
        Prompt::setNextAnswer(replace("10.0.0.1", "10.0.0.2", 0));
        w->sbChangeText->click();
        const QString newRef = "sys_db@10.0.0.2:C:\\sys.gdb";
        for (const char *name : {"lvSystem", "lvAOff", "lvProp", "lvRER"}) {
            QCOMPARE(lv(name)->text(0, FieldServer), QString("10.0.0.2"));
            QCOMPARE(lv(name)->text(0, FieldAccess), newRef);
        }
        for (const char *name : {"lvKalvor2004", "lvKalvorWebQuery"}) {
            QCOMPARE(lv(name)->text(0, FieldServer), QString("10.0.0.1"));
            QCOMPARE(lv(name)->text(0, FieldAccess), oldRef);
        }
        QCOMPARE(w->edDefServer->text(), QString("10.0.0.1")); // the general fields are not lists
        QVERIFY(w->FModified);
    }

    void currentApplicationOnly()
    {
        for (const char *name : {"lvSystem", "lvAOff", "lvProp", "lvRER", "lvKalvor2004"})
            fill(lv(name), "x", "x", "x", "x", "x");
        auto run = [&](int page) {
            w->PageControl1->setActivePageIndex(page);
            Prompt::setNextAnswer(replace("x", "y", 1));
            w->sbChangeTextClick();
        };
        run(1);
        QCOMPARE(lv("lvProp")->text(0, FieldName), QString("y"));
        QCOMPARE(lv("lvAOff")->text(0, FieldName), QString("x"));
        QCOMPARE(lv("lvSystem")->text(0, FieldName), QString("x"));
        run(3); // "Калвор 2004": no list is reached
        run(8); // the messages page
        QCOMPARE(lv("lvKalvor2004")->text(0, FieldName), QString("x"));
        QCOMPARE(lv("lvAOff")->text(0, FieldName), QString("x"));
        QVERIFY(Prompt::takeQuestions().size() == 3); // the dialog only, nothing reported
    }

    void cancelOrEmptyOldTextChangesNothing()
    {
        fill(lv("lvAOff"), "a", "a", "a", "a", "a");
        w->FModified = false;
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->sbChangeTextClick();
        Prompt::setNextAnswer(replace("", "b", 0));
        w->sbChangeTextClick();
        QCOMPARE(lv("lvAOff")->text(0, FieldName), QString("a"));
        // A replacement that finds nothing is no change.
        Prompt::setNextAnswer(replace("zzz", "b", 0));
        w->sbChangeTextClick();
        QVERIFY(!w->FModified);
    }

    void duplicateNamesAreNotQuestioned()
    {
        fill(lv("lvRER"), "l_data", "a", "s", "p", "r");
        fill(lv("lvRER"), "l_Data", "a", "s", "p", "r");
        Prompt::setNextAnswer(replace("D", "d", 0));
        w->sbChangeTextClick();
        QCOMPARE(lv("lvRER")->text(1, FieldName), QString("l_data"));
        QCOMPARE(Prompt::takeQuestions().size(), 1);
    }
};

QTEST_MAIN(TestTextReplace)
#include "tst_TextReplace.moc"
