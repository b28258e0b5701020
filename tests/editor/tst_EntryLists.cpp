#include "EditorTest.h"
#include "config/KalCfg.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QAbstractButton>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString dupQuestion(const QString &name)
{
    return name + QString::fromUtf8(" вече е добавен . Да се добави ли отново?");
}

} // namespace

class TestEntryLists : public QObject, EditorTest
{
    Q_OBJECT

private slots:
    void init()
    {
        prepare();
        start(); // no file: empty lists, frames off
    }

    void cleanup() { finish(); }

    // --- AddEntry and the duplicate question ---

    void addEntryAsksOncePerDuplicate()
    {
        EntryListView *l = lv("lvProp");
        fill(l, "Prop_db");
        QVERIFY(w->AddEntry(l, "prop_db", "x", "s", "p", "a") >= 0); // letter case differs: no question
        QVERIFY(Prompt::takeQuestions().isEmpty());
        fill(l, "Prop_db");
        Prompt::setNextAnswer(Prompt::Answer::yes());
        Prompt::setNextAnswer(Prompt::Answer::no());
        QCOMPARE(w->AddEntry(l, "Prop_db", "x", "s", "p", "a"), -1);
        const auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[1].kind, Prompt::Kind::Confirm);
        QCOMPARE(asked[1].text, dupQuestion("Prop_db"));
        QCOMPARE(l->count(), 3);
        Prompt::setNextAnswer(Prompt::Answer::yes());
        Prompt::setNextAnswer(Prompt::Answer::yes());
        QCOMPARE(w->AddEntry(l, "Prop_db", "x", "s", "p", "a"), 3);
        QCOMPARE(Prompt::takeQuestions().size(), 2);
        // " Prop_db" is not "Prop_db": nothing is trimmed.
        QCOMPARE(w->AddEntry(l, " Prop_db", "x", "s", "p", "a"), 4);
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    void addEntryServerAndCheckMark()
    {
        EntryListView *l = lv("lvRER");
        const int a = w->AddEntry(l, "n", "l", "", "p", "acc");
        const int b = w->AddEntry(l, "m", "l", " ", "p", "");
        QCOMPARE(l->text(a, FieldServer), QString("127.0.0.1"));
        QCOMPARE(l->text(b, FieldServer), QString(" "));
        QVERIFY(l->isChecked(a) && l->isChecked(b));
        QCOMPARE(l->text(a, FieldAccess), QString("acc"));
        QVERIFY(w->FModified);
    }

    // --- references and choices ---

    void referencesAndChoices()
    {
        QCOMPARE(w->DefaultAccessDB(), QString());
        QCOMPARE(w->AccessDBOf(0), QString());
        QCOMPARE(w->SystemDBChoices(), QString());
        fill(w->lvSystem, "A", "la", "s1", "C:\\a.gdb", "c", /*checked*/ false);
        fill(w->lvSystem, "B", "lb", "", "C:\\b.gdb");
        fill(w->lvSystem, "C", "lc", " s3 ", "C:\\c.gdb");
        QCOMPARE(w->DefaultAccessDB(), QString("A@s1:C:\\a.gdb")); // entry 0 even unchecked
        QCOMPARE(w->AccessDBOf(2), QString("C@ s3 :C:\\c.gdb"));   // nothing trimmed
        QCOMPARE(w->SystemDBChoices(), QString("B@:C:\\b.gdb") + QChar(13) + "C@ s3 :C:\\c.gdb ");
        w->lvSystem->setChecked(2, false);
        QCOMPARE(w->SystemDBChoices(), QString("B@:C:\\b.gdb "));
        w->lvSystem->setChecked(1, false);
        QCOMPARE(w->SystemDBChoices(), QString());
    }

    // --- default-entry rules ---

    void officeRuleTakesDefaultsAtThatMoment()
    {
        w->edDefServer->setText("");
        w->edDefBasePath->setText("D:\\DB\\");
        fill(w->lvSystem, "sys_db", "l", "10.0.0.1", "D:\\DB\\sys.gdb", "c");
        w->lvAOffEnter();
        EntryListView *l = lv("lvAOff");
        QCOMPARE(l->count(), 1);
        QCOMPARE(l->text(0, FieldName), QString("Data_db"));
        QCOMPARE(l->text(0, FieldLabel), QString::fromUtf8("Документи"));
        QCOMPARE(l->text(0, FieldServer), QString("127.0.0.1"));
        QCOMPARE(l->text(0, FieldPath), QString("D:\\DB\\t3.gdb"));
        QCOMPARE(l->text(0, FieldAccess), QString("sys_db@10.0.0.1:D:\\DB\\sys.gdb"));
        w->lvAOffEnter(); // a list with entries is left alone
        QCOMPARE(l->count(), 1);
    }

    void everyRuleFillsItsOwnTarget_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        using R = Catalogue::Rule;
        QTest::newRow("Office") << int(R::Office) << "lvAOff" << "Data_db" << "X\\t3.gdb";
        QTest::newRow("Properties") << int(R::Properties) << "lvProp" << "Prop_db" << "X\\imo.gdb";
        QTest::newRow("Trade") << int(R::Trade) << "lvRER" << "l_data" << "X\\db1.gdb";
        QTest::newRow("Agency") << int(R::Agency) << "lvDrav" << "DravISYS" << "X\\DravISYS.gdb";
        QTest::newRow("Housing") << int(R::Housing) << "lvJK" << "RORA" << "X\\RORA.gdb";
        QTest::newRow("Floor") << int(R::Floor) << "lvKalvorFloor" << "KalvorFloor_db" << "X\\floor.fdb";
    }

    void everyRuleFillsItsOwnTarget()
    {
        QFETCH(int, rule);
        QFETCH(QString, target);
        QFETCH(QString, name);
        QFETCH(QString, path);
        w->edDefBasePath->setText("X\\");
        w->runRule(Catalogue::Rule(rule));
        for (const auto &p : w->pages())
            QCOMPARE(p.list->count(), p.list == w->list(target) ? 1 : 0);
        QCOMPARE(w->list(target)->text(0, FieldName), name);
        QCOMPARE(w->list(target)->text(0, FieldPath), path);
        QCOMPARE(w->list(target)->text(0, FieldAccess), QString()); // no system entry yet
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    void systemRule()
    {
        w->edDefServer->setText("srv");
        w->edDefBasePath->setText("C:\\D\\");
        w->lvSystemEnter();
        QCOMPARE(w->lvSystem->count(), 1);
        QCOMPARE(w->lvSystem->text(0, FieldName), QString("sys_db"));
        QCOMPARE(w->lvSystem->text(0, FieldLabel), QString("sys_db"));
        QCOMPARE(w->lvSystem->text(0, FieldAccess), QString("sys_db@srv:C:\\D\\sys.gdb")); // its own reference

        // An entry 0 without label and path goes; if that empties the list, sys_db comes.
        w->lvSystem->remove(0);
        fill(w->lvSystem, "junk", "  ", "s", "", "c");
        w->lvSystemEnter();
        QCOMPARE(w->lvSystem->count(), 1);
        QCOMPARE(w->lvSystem->text(0, FieldName), QString("sys_db"));

        // Only entry 0 is looked at, once; other entries stay and nothing is added.
        w->lvSystem->remove(0);
        fill(w->lvSystem, "junk", "", "s", "\t", "c");
        fill(w->lvSystem, "junk2", "", "s", "", "c");
        fill(w->lvSystem, "keep", "k", "s", "p", "c");
        w->lvSystemEnter();
        QCOMPARE(w->lvSystem->count(), 2);
        QCOMPARE(w->lvSystem->text(0, FieldName), QString("junk2"));
    }

    void frameChecksFollowTheirConditionFrame()
    {
        // Clearing adds nothing, ticking adds the default entry.
        fr("bgbAOff")->setChecked(true);
        w->bgbAOffCheck();
        QCOMPARE(lv("lvAOff")->count(), 1);
        lv("lvAOff")->remove(0);
        fr("bgbAOff")->setChecked(false);
        w->bgbAOffCheck();
        QCOMPARE(lv("lvAOff")->count(), 0);

        // Page 3's frame runs the Properties rule when page 1's frame is checked.
        const TfrmeKMain::Page *p3 = w->page("grbox_Kalvor2004");
        w->frameCheck(*p3);
        QCOMPARE(lv("lvProp")->count(), 0);
        fr("bgbProp")->setChecked(true);
        w->frameCheck(*p3);
        QCOMPARE(lv("lvProp")->count(), 1);
        QCOMPARE(lv("lvKalvor2004")->count(), 0);

        // Frames without a check rule add nothing.
        for (const char *name : {"grbox_Drav", "gbKalvorFloor", "gbKalvorWebQuery"}) {
            fr(name)->setChecked(true);
            w->frameCheck(*w->page(QLatin1String(name)));
        }
        QCOMPARE(lv("lvDrav")->count(), 0);
        QCOMPARE(lv("lvKalvorFloor")->count(), 0);
    }

    void clickingTheFrameCheckBox()
    {
        TBetterGroupBox *f = fr("bgbAOff");
        QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(7, 7));
        QVERIFY(f->Checked());
        QVERIFY(lv("lvAOff")->isEnabled());
        QCOMPARE(lv("lvAOff")->count(), 1);
        QCOMPARE(lv("lvAOff")->text(0, FieldName), QString("Data_db"));
        // Page 4: switched on, nothing added.
        QTest::mouseClick(fr("grbox_Drav"), Qt::LeftButton, {}, QPoint(7, 7));
        QVERIFY(lv("lvDrav")->isEnabled());
        QCOMPARE(lv("lvDrav")->count(), 0);
        // Page 3, in either direction, while page 1 is on.
        QTest::mouseClick(fr("bgbProp"), Qt::LeftButton, {}, QPoint(7, 7)); // adds Prop_db
        lv("lvProp")->remove(0);
        QTest::mouseClick(fr("grbox_Kalvor2004"), Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(lv("lvProp")->count(), 1);
        lv("lvProp")->remove(0);
        QTest::mouseClick(fr("grbox_Kalvor2004"), Qt::LeftButton, {}, QPoint(7, 7));
        QVERIFY(!fr("grbox_Kalvor2004")->Checked());
        QCOMPARE(lv("lvProp")->count(), 1);
    }

    void focusRulesRunOnEnteringALIst()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(w->edDefServer->hasFocus()); // first in the tab order
        for (const auto &p : w->pages())
            QCOMPARE(p.list->count(), 0); // no rule has run at start
        QCOMPARE(w->lvSystem->count(), 0);

        // From outside the page control straight into a list: Agency first, then the list's rule.
        QStringList order;
        for (const char *name : {"lvDrav", "lvProp"})
            connect(lv(name), &EntryListView::changed, this, [&order, name] {
                if (order.isEmpty() || order.last() != QLatin1String(name))
                    order << QLatin1String(name);
            });
        fr("grbox_Tavora")->setChecked(true);
        w->PageControl1->setActivePageIndex(5);
        lv("lvTavora")->setFocus();
        QCOMPARE(order, (QStringList{"lvDrav", "lvProp"}));
        QCOMPARE(lv("lvTavora")->count(), 0); // the Properties rule fills lvProp, not page 5's list
        QCOMPARE(lv("lvProp")->text(0, FieldName), QString("Prop_db"));

        // Within the page control the Agency rule does not run again.
        lv("lvDrav")->remove(0);
        w->PageControl1->tabBar()->setFocus();
        lv("lvTavora")->setFocus();
        QCOMPARE(lv("lvDrav")->count(), 0);

        // The system list's rule.
        w->lvSystem->setFocus();
        QCOMPARE(w->lvSystem->count(), 1);

        // Page 14's list fills the Floor list.
        fr("gbKalvorWebPortal")->setChecked(true);
        w->PageControl1->setActivePageIndex(14);
        lv("lvKalvorWebPortal")->setFocus();
        QCOMPARE(lv("lvKalvorFloor")->count(), 1);
        QCOMPARE(lv("lvDrav")->count(), 1); // entered from the system list: Agency again
    }

    // --- deleting ---

    void deleteKey()
    {
        fr("bgbRer")->setChecked(true);
        EntryListView *l = lv("lvRER");
        fill(l, "a");
        fill(l, "b");
        fill(l, "c");
        QTest::keyClick(l, Qt::Key_Delete); // nothing selected
        QCOMPARE(l->count(), 3);
        w->PageControl1->setActivePageIndex(2);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(1)).center());
        QCOMPARE(l->selectedRow(), 1);
        QTest::keyClick(l, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(l->count(), 2);
        QCOMPARE(l->text(1, FieldName), QString("c"));
        // Nothing is selected after it: a second Delete deletes nothing more.
        QCOMPARE(l->selectedRow(), -1);
        QTest::keyClick(l, Qt::Key_Delete);
        QCOMPARE(l->count(), 2);
        l->selectRow(0);
        QTest::keyClick(l, Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(l->count(), 1);
        QVERIFY(Prompt::takeQuestions().isEmpty()); // no question
        // A disabled list takes no keys.
        fr("bgbRer")->setChecked(false);
        l->selectRow(0);
        QTest::keyClick(l, Qt::Key_Delete);
        QCOMPARE(l->count(), 1);
    }

    // --- cell editing ---

    void columnAt_data()
    {
        QTest::addColumn<int>("scroll");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("column");
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("right edge of 0") << 0 << 100 << 0;
        QTest::newRow("101") << 0 << 101 << 1;
        QTest::newRow("right of the last") << 0 << 700 << 4;
        QTest::newRow("scrolled 60") << 50 << 60 << 1;
        QTest::newRow("scrolled 660") << 50 << 660 << -1;
        QTest::newRow("scrolled 690") << 50 << 690 << 4;
    }

    void columnAt()
    {
        QFETCH(int, scroll);
        QFETCH(int, x);
        QFETCH(int, column);
        EntryListView *l = lv("lvAOff");
        QCOMPARE(l->columnWidths(), (QList<int>{100, 130, 125, 180, 150}));
        fr("bgbAOff")->setChecked(true);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        fill(l, "row");
        QCoreApplication::processEvents();
        QVERIFY(l->horizontalScrollBar()->maximum() >= 50);
        l->horizontalScrollBar()->setValue(scroll);
        QCOMPARE(l->horizontalScrollPixels(), scroll);
        QCOMPARE(w->ColumnAt(l, x), column);
    }

    void editCell()
    {
        EntryListView *l = w->lvSystem;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        fill(l, "sys", "label", "srv", "path", "comment");
        const QRect row = l->visualItemRect(l->topLevelItem(0));

        // A double click on the label cell offers the label; OK stores the text as typed.
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, QPoint(150, row.center().y()));
        auto asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind, Prompt::Kind::Input);
        QCOMPARE(asked[0].title, QString::fromUtf8("Нова стойност"));
        QCOMPARE(asked[0].text, QString::fromUtf8("Стойност"));
        QCOMPARE(asked[0].value, QString("label"));
        QCOMPARE(w->FClickX, 150);
        // Only the left button edits.
        QTest::mouseDClick(l->viewport(), Qt::RightButton, {}, QPoint(150, row.center().y()));
        QVERIFY(Prompt::takeQuestions().isEmpty());

        Prompt::setNextAnswer(Prompt::Answer::typed("  new  "));
        w->EditCell(l);
        QCOMPARE(l->text(0, FieldLabel), QString("  new  "));

        // Right of the last column, unscrolled: the last column.
        w->FClickX = l->viewport()->width() - 2;
        QVERIFY(w->FClickX > 585);
        Prompt::setNextAnswer(Prompt::Answer::typed(""));
        w->EditCell(l);
        QCOMPARE(l->text(0, FieldAccess), QString());

        // At most 255 characters.
        w->FClickX = 10;
        Prompt::setNextAnswer(Prompt::Answer::typed(QString(300, 'n')));
        w->EditCell(l);
        QCOMPARE(l->text(0, FieldName), QString(255, 'n'));

        // No entry under the point: the box opens empty and nothing changes.
        Prompt::takeQuestions();
        w->FClickY = row.bottom() + 40;
        Prompt::setNextAnswer(Prompt::Answer::typed("x"));
        w->EditCell(l);
        asked = Prompt::takeQuestions();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].value, QString());
        QCOMPARE(l->text(0, FieldName), QString(255, 'n'));

        // Cancel changes nothing.
        w->FClickY = row.center().y();
        Prompt::setNextAnswer(Prompt::Answer::cancel());
        w->EditCell(l);
        QCOMPARE(l->text(0, FieldName), QString(255, 'n'));
        Prompt::takeQuestions();

        // Scrolled sideways, a point that names no column under an entry opens nothing.
        fr("bgbAOff")->setChecked(true);
        EntryListView *page = lv("lvAOff");
        fill(page, "row");
        w->PageControl1->setActivePageIndex(0);
        QCoreApplication::processEvents();
        page->horizontalScrollBar()->setValue(50);
        QCOMPARE(page->horizontalScrollPixels(), 50);
        w->FClickX = 660;
        w->FClickY = page->visualItemRect(page->topLevelItem(0)).center().y();
        QCOMPARE(w->ColumnAt(page, w->FClickX), -1);
        w->EditCell(page);
        QVERIFY(Prompt::takeQuestions().isEmpty());
    }

    // --- marks: entries the suite skips, references that name no system entry ---

    void marksFollowTheEntries_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("dangling"); // of the page entry
        QTest::addColumn<unsigned>("empty"); // its fields that read blank
        const unsigned label = 1u << FieldLabel, path = 1u << FieldPath, access = 1u << FieldAccess;
        QTest::newRow("as entered") << "" << false << 0u;
        QTest::newRow("blanks at the ends") << "blanks" << false << 0u;
        QTest::newRow("system entry unchecked") << "uncheck" << true << 0u;
        QTest::newRow("and checked again") << "recheck" << false << 0u;
        QTest::newRow("system database moved") << "move" << true << 0u;
        QTest::newRow("system entry deleted") << "delete" << true << 0u;
        QTest::newRow("replaced in the system list") << "replace" << true << 0u;
        QTest::newRow("own reference edited") << "edit" << true << 0u;
        QTest::newRow("the system entry it names added") << "add" << false << 0u;
        QTest::newRow("label and path blank") << "blank" << false << (label | path);
        QTest::newRow("access blank") << "noaccess" << false << access;
    }

    void marksFollowTheEntries()
    {
        QFETCH(QString, change);
        QFETCH(bool, dangling);
        QFETCH(unsigned, empty);
        EntryListView *sys = w->lvSystem, *l = lv("lvProp");
        fill(sys, "sys_db", "Пароли", "srv", "D:\\sys.gdb", "");  // no comment: the suite skips it
        fill(sys, "old", "Стара", "srv", "D:\\old.gdb", "сървър 2", /*checked*/ false);
        fill(l, "Prop_db", "Имоти", "srv", "D:\\p.gdb", "sys_db@srv:D:\\sys.gdb");
        QCOMPARE(l->rowMarks(0), EntryListView::RowMarks{});
        if (change == "blanks")
            l->setText(0, FieldAccess, " sys_db@srv:D:\\sys.gdb\t");
        else if (change == "uncheck" || change == "recheck")
            sys->setChecked(0, false);
        if (change == "recheck")
            sys->setChecked(0, true);
        else if (change == "move")
            sys->setText(0, FieldServer, "srv2");
        else if (change == "delete")
            sys->remove(0);
        else if (change == "replace")
            w->ReplaceInList(sys, "D:", "E:");
        else if (change == "edit" || change == "add")
            l->setText(0, FieldAccess, "new@h:p.gdb");
        if (change == "add")
            w->AddEntry(sys, "new", "Нова", "h", "p.gdb", "");
        else if (change == "blank")
            l->setText(0, FieldLabel, "  "), l->setText(0, FieldPath, "");
        else if (change == "noaccess")
            l->setText(0, FieldAccess, "");

        const EntryListView::RowMarks marks = l->rowMarks(0);
        QCOMPARE(marks.dangling, dangling);
        QCOMPARE(marks.empty, empty);
        const QString accessTip = l->topLevelItem(0)->data(FieldAccess, Qt::ToolTipRole).toString();
        QCOMPARE(accessTip.startsWith(QString::fromUtf8("Няма такава системна БД")), dangling);
        QCOMPARE(l->topLevelItem(0)->data(FieldAccess, Qt::ForegroundRole).value<QBrush>().color() == QColor(0xC0, 0, 0),
                 dangling);
        const QString tip = l->topLevelItem(0)->data(FieldName, Qt::ToolTipRole).toString();
        const unsigned labelAndPath = (1u << FieldLabel) | (1u << FieldPath);
        QCOMPARE(tip.contains(QString::fromUtf8("Етикет(за показване), Име на базата")), empty == labelAndPath);
        QCOMPARE(l->topLevelItem(0)->data(FieldName, Qt::FontRole).value<QFont>().italic(), empty != 0);

        // The system list: its blank comment is skipped, never red; an unchecked
        // entry is no reference, and not otherwise marked.
        if (change != "delete") {
            QCOMPARE(sys->rowMarks(0).empty, 1u << FieldAccess);
            QVERIFY(!sys->rowMarks(0).dangling);
            QVERIFY(sys->topLevelItem(0)->data(FieldAccess, Qt::ToolTipRole).toString().contains(
                QString::fromUtf8("Празно: Коментар")));
        }
        QCOMPARE(sys->rowMarks(change == "delete" ? 0 : 1), EntryListView::RowMarks{});

        // Drawing the marks is no change of the configuration.
        w->FModified = false;
        w->markAllLists();
        QVERIFY(!w->FModified);
    }

    // --- the control ---

    void listControlNotifiesEveryChange()
    {
        EntryListView *l = lv("lvBrisko");
        QSignalSpy spy(l, &EntryListView::changed);
        const int row = l->append();
        QVERIFY(spy.count() > 0);
        spy.clear();
        l->setText(row, FieldPath, "x");
        QVERIFY(spy.count() > 0);
        spy.clear();
        l->setChecked(row, true);
        QVERIFY(spy.count() > 0);
        spy.clear();
        l->selectRow(row);
        QVERIFY(spy.count() > 0);
        spy.clear();
        l->remove(row);
        QVERIFY(spy.count() > 0);

        QCOMPARE(l->headerItem()->text(4), QString::fromUtf8("База за достъп"));
        QCOMPARE(w->lvSystem->headerItem()->text(4), QString::fromUtf8("Коментар"));
        QCOMPARE(w->lvSystem->columnWidths(), (QList<int>{100, 130, 125, 180, 50}));
        QVERIFY(!l->header()->sectionsClickable());
        QCOMPARE(l->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(l->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
};

QTEST_MAIN(TestEntryLists)
#include "tst_EntryLists.moc"
