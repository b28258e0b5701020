#include "editor/EditorTest.h"
#include "config/KalCfg.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/SplitterBar.h"
#include "ui/ekMain.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmeKMain> w;

    template <typename T = QWidget>
    T *named(const char *name)
    {
        T *c = w->findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no control %s", name);
        return c;
    }

    QRect geo(const char *name) { return named(name)->geometry(); }

    void drag(QWidget *bar, int dy)
    {
        const QPoint start(100, 1);
        QTest::mousePress(bar, Qt::LeftButton, {}, start);
        QTest::mouseMove(bar, start + QPoint(0, dy / 2));
        QTest::mouseMove(bar, start + QPoint(0, dy));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(0, dy));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setProgramDir(m_dir->path());
        QFile lib(m_dir->filePath("rodivavi.dll"));
        QVERIFY(lib.open(QIODevice::WriteOnly));
        Prompt::setInteractive(false);
        Prompt::reset();
        w = std::make_unique<TfrmeKMain>();
        w->FormCreate();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanup()
    {
        QCOMPARE(Prompt::pendingAnswers(), 0);
        w.reset();
        m_dir.reset();
    }

    void designGeometry()
    {
        QCOMPARE(w->size(), QSize(639, 474));
        QCOMPARE(geo("GroupBox1"), QRect(0, 0, 639, 61));
        QCOMPARE(geo("edDefServer"), QRect(144, 13, 259, 21));
        QCOMPARE(geo("edDefBasePath"), QRect(144, 36, 259, 21));
        QCOMPARE(geo("sbChangeText"), QRect(504, 8, 93, 22));
        QCOMPARE(geo("Label1").topLeft(), QPoint(4, 17));
        QCOMPARE(geo("Label2").topLeft(), QPoint(4, 40));
        QCOMPARE(geo("GroupBox2"), QRect(0, 61, 639, 128));
        QCOMPARE(geo("lvSystem"), QRect(2, 15, 635, 80));
        QCOMPARE(geo("sbNewSysDB"), QRect(4, 100, 97, 22));
        QCOMPARE(geo("sbChangeSysDB"), QRect(108, 100, 113, 22));
        QCOMPARE(geo("Splitter1"), QRect(0, 189, 639, 3));
        QCOMPARE(geo("PageControl1"), QRect(0, 192, 639, 248));
        QCOMPARE(geo("Panel1"), QRect(0, 440, 639, 34));
        QCOMPARE(geo("sbSave"), QRect(4, 4, 97, 25));
        QCOMPARE(geo("sbGetFromAlias"), QRect(104, 4, 137, 25));
        QCOMPARE(geo("sbExit"), QRect(510, 4, 89, 25));
        for (const char *page : {"tsOffice", "tsKalvor2004", "tsJK", "tsKalvorWebQuery", "tsMessages"})
            QCOMPARE(named(page)->size(), QSize(631, 220));
        QCOMPARE(geo("bgbAOff"), QRect(0, 0, 631, 220));
        QCOMPARE(geo("lvAOff"), QRect(2, 15, 627, 175));
        QCOMPARE(geo("sbNewAODB"), QRect(2, 195, 97, 22));
        QCOMPARE(geo("sbChangeAOName"), QRect(102, 195, 113, 22));
        QCOMPARE(geo("sbChangeAOSys"), QRect(217, 195, 154, 22));
        QCOMPARE(geo("sbAOffAddAls"), QRect(373, 195, 112, 22));
        QCOMPARE(geo("gbKalvorFloor"), QRect(0, 0, 631, 220));
        QCOMPARE(geo("lvKalvorFloor"), QRect(2, 15, 627, 175));
        QCOMPARE(geo("SpeedButton28"), QRect(217, 195, 154, 22));
        QCOMPARE(geo("mmMsg"), QRect(0, 0, 631, 220));
    }

    void resizing()
    {
        w->resize(739, 574);
        QCOMPARE(geo("GroupBox1"), QRect(0, 0, 739, 61));
        QCOMPARE(geo("edDefServer"), QRect(144, 13, 259, 21)); // nothing in it moves
        QCOMPARE(geo("sbChangeText"), QRect(504, 8, 93, 22));
        QCOMPARE(geo("GroupBox2"), QRect(0, 61, 739, 128));   // only the splitter changes its height
        QCOMPARE(geo("lvSystem"), QRect(2, 15, 735, 80));
        QCOMPARE(geo("sbNewSysDB"), QRect(4, 100, 97, 22));
        QCOMPARE(geo("PageControl1"), QRect(0, 192, 739, 348));
        QCOMPARE(named("tsOffice")->size(), QSize(731, 320));
        QCOMPARE(geo("bgbAOff"), QRect(0, 0, 731, 320));
        QCOMPARE(geo("lvAOff"), QRect(2, 15, 727, 275));      // 100 taller
        QCOMPARE(geo("sbNewAODB"), QRect(2, 295, 97, 22));    // 100 lower
        QCOMPARE(geo("sbAOffAddAls"), QRect(373, 295, 112, 22));
        w->PageControl1->setActivePageIndex(16); // a page takes its size when it is shown
        QCOMPARE(geo("lvKalvorWebRegisters"), QRect(2, 15, 727, 275));
        QCOMPARE(geo("sbKalvorWebRegistersChangeSys"), QRect(217, 295, 154, 22));
        QCOMPARE(geo("Panel1"), QRect(0, 540, 739, 34));
        QCOMPARE(geo("sbExit"), QRect(510, 4, 89, 25));       // does not move right
        w->PageControl1->setActivePageIndex(8);
        QCOMPARE(geo("mmMsg"), QRect(0, 0, 731, 320));
        // No button is covered by its list.
        for (int i = 0; i < w->PageControl1->count(); ++i) {
            w->PageControl1->setActivePageIndex(i);
            if (const TfrmeKMain::Page *p = w->pageOf(w->PageControl1->page(i)))
                QVERIFY(p->list->geometry().bottom() < p->newButton->geometry().top());
        }
    }

    void splitter()
    {
        auto *bar = named<SplitterBar>("Splitter1");
        QCOMPARE(bar->cursor().shape(), Qt::SizeVerCursor);
        drag(bar, -50); // 128 -> 78
        QCOMPARE(geo("GroupBox2").height(), 78);
        QCOMPARE(geo("Splitter1").top(), 61 + 78);
        QCOMPARE(geo("PageControl1"), QRect(0, 142, 639, 298));
        QCOMPARE(geo("lvSystem"), QRect(2, 15, 635, 30)); // its bottom stays 33 above the group's
        QCOMPARE(geo("sbNewSysDB").top(), 78 - 28);

        drag(bar, -48); // to 30: collapses
        QCOMPARE(geo("GroupBox2").height(), 0);
        QVERIFY(!w->GroupBox2->isVisible());
        QCOMPARE(geo("PageControl1"), QRect(0, 64, 639, 376));

        drag(bar, 31); // out again, at 31
        QCOMPARE(geo("GroupBox2").height(), 31);

        drag(bar, 1000); // held where the page control keeps 30
        QCOMPARE(geo("PageControl1").height(), 30);
        QCOMPARE(geo("GroupBox2").height(), 128 + 248 - 30);
        QCOMPARE(bar->heightFor(100, -70), 0);
        QCOMPARE(bar->heightFor(100, -69), 31);
    }

    void textsAndKinds()
    {
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Централизирана конфигурация на системи Калвор"));
        QCOMPARE(w->GroupBox1->title(), QString::fromUtf8("Общи"));
        QCOMPARE(w->GroupBox2->title(), QString::fromUtf8("Системни БД (Пароли)"));
        QCOMPARE(w->Label1->text(), QString("Server IP"));
        QCOMPARE(w->Label2->text(), QString::fromUtf8("Директория с бази данни"));
        QCOMPARE(w->sbChangeText->text(), QString::fromUtf8("Промяна текст ")); // the trailing blank
        QCOMPARE(w->edDefServer->toolTip(), QString::fromUtf8("Подразбиращ се IP  адрес на SQL  сървера"));
        QCOMPARE(w->edDefBasePath->toolTip(), QString::fromUtf8("Подразбиращ се път до базата данни"));
        QCOMPARE(w->sbSave->text(), QString::fromUtf8("Запис"));
        QCOMPARE(w->sbGetFromAlias->text(), QString::fromUtf8("От BDE алиаси"));
        QCOMPARE(w->sbExit->text(), QString::fromUtf8("Изход"));

        QTabBar *tabs = w->PageControl1->tabBar();
        QCOMPARE(tabs->count(), 18);
        QCOMPARE(tabs->tabText(0), QString::fromUtf8("Калвор Офис"));
        QCOMPARE(tabs->tabText(8), QString::fromUtf8("Съобщения"));
        QCOMPARE(tabs->tabText(17), QString::fromUtf8("Калвор Разширена Деловодна Справка"));
        QCOMPARE(w->frame("bgbProp")->title(), QString::fromUtf8("Калвор Имоти/Каса/Наеми"));
        QCOMPARE(w->frame("grbox_Kalvor2004")->title(), QString());
        QCOMPARE(w->frame("bgJK")->title(), QString::fromUtf8("Калвор Жилищна Картотека"));

        // Every button is unfocusable; only the two edits carry a hint; every caption fits.
        int aliasButtons = 0;
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
            if (b->parentWidget() == tabs || w->opd->isAncestorOf(b))
                continue; // the tab row's scroll arrows, the file dialog's own buttons
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QVERIFY2(b->toolTip().isEmpty(), qPrintable(b->objectName()));
            const int icon = b->icon().isNull() ? 0 : 16 + 4;
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) + icon <= b->width() - 4,
                     qPrintable(b->objectName()));
            if (b->text() == QString::fromUtf8("От BDE алиас")) {
                ++aliasButtons;
                QVERIFY(!b->icon().isNull());
            }
        }
        QCOMPARE(aliasButtons, 4);
        for (QLabel *l : w->findChildren<QLabel *>())
            QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->width());
        QVERIFY(w->Label2->geometry().right() < w->edDefBasePath->geometry().left());

        // Frames: check box, no collapse button, caption on the left; lists and buttons off.
        for (const auto &p : w->pages()) {
            QVERIFY(p.frame->ShowEnableBtn());
            QVERIFY(!p.frame->ShowMinimizeBtn());
            QVERIFY(!p.frame->CaptionCenter());
            QVERIFY(!p.list->isEnabled());
            QVERIFY(!p.changeAccessButton->isEnabled());
        }
        QCOMPARE(controlTag(named("SpeedButton1")), 102);
        QCOMPARE(controlTag(named("sbAOffAddAls")), 101);

        QVERIFY(w->findChildren<QMenuBar *>().isEmpty());
        QCOMPARE(w->mmMsg->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(w->mmMsg->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!w->mmMsg->isReadOnly());
        QCOMPARE(w->font().pixelSize(), 11);
    }

    void focusOrder()
    {
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(w->PageControl1->activePageIndex(), 0);
        QVERIFY(w->edDefServer->hasFocus());
        QCOMPARE(w->lvSystem->count(), 0); // no focus rule ran at start
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(w->edDefBasePath->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(w->lvSystem->hasFocus());
        QCOMPARE(w->lvSystem->count(), 1); // the System rule
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(w->PageControl1->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(w->list("lvDrav")->count(), 1); // the Agency rule

        // Around the window and once more: the lists now hold entries, and taking
        // the focus changes none of them. The tab row's scroll arrows are shown but
        // not visited, nor is anything on the pages not shown.
        w->frame("bgbAOff")->setChecked(true);
        fill(w->list("lvAOff"), "Data_db");
        w->FModified = false;
        QVERIFY(w->PageControl1->tabBar()->findChild<QToolButton *>()->isVisible());
        QList<QWidget *> visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        const QList<QWidget *> cycle{w->list("lvAOff"), w->edDefServer, w->edDefBasePath, w->lvSystem,
                                     w->PageControl1->tabBar()};
        QCOMPARE(visited, cycle + cycle);
        QVERIFY(!w->FModified);
        QCOMPARE(w->lvSystem->count(), 1);

        // A click on a tab takes the focus into the page control: the directory
        // field is left, and the Agency rule runs.
        w->list("lvDrav")->remove(0);
        w->edDefBasePath->setFocus();
        w->edDefBasePath->setText("C:\\Data");
        QTabBar *tabs = w->PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(w->PageControl1->activePageIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), tabs);
        QCOMPARE(w->edDefBasePath->text(), QString("C:\\Data\\"));
        QCOMPARE(w->list("lvDrav")->count(), 1);
    }

    void wiringEndToEnd()
    {
        // Ticking page 0's frame on an empty list adds the Office default entry.
        QTest::mouseClick(w->frame("bgbAOff"), Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(w->list("lvAOff")->count(), 1);
        QCOMPARE(w->list("lvAOff")->text(0, FieldName), QString("Data_db"));
        QVERIFY(w->FModified);

        // "Запис" writes the file.
        QTest::mouseClick(w->sbSave, Qt::LeftButton);
        QFile f(CfgFileName());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray saved = f.readAll();
        QVERIFY(saved.contains("[Documents]\r\nDBN1=Data_db\r\n"));
        QVERIFY(!w->FModified);

        // Delete in a disabled list does nothing.
        EntryListView *l = w->list("lvAOff");
        l->selectRow(0);
        QTest::mouseClick(w->frame("bgbAOff"), Qt::LeftButton, {}, QPoint(7, 7));
        QVERIFY(!l->isEnabled());
        QTest::keyClick(l, Qt::Key_Delete);
        QCOMPARE(l->count(), 1);

        // Every page's buttons reach their commands: "Нова БД" asks for a name.
        for (const auto &p : w->pages()) {
            p.frame->setChecked(true);
            Prompt::setNextAnswer(Prompt::Answer::cancel());
            QTest::mouseClick(p.newButton, Qt::LeftButton);
            const auto asked = Prompt::takeQuestions();
            QCOMPARE(asked.size(), 1);
            QCOMPARE(asked[0].value.left(3), QString::fromUtf8(p.def->prefix).left(3));
        }

        // The close box behaves as "Изход".
        Prompt::setNextAnswer(Prompt::Answer::no());
        w->FModified = true;
        QTest::mouseClick(w->sbExit, Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(Prompt::takeQuestions().size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
