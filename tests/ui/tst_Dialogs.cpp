#include "ui/GetSysName.h"
#include "ui/Pictures.h"
#include "ui/Prompt.h"
#include "ui/ReplOpt.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <stdexcept>

namespace {

QImage imageOf(const QIcon &icon, QIcon::Mode mode)
{
    return icon.pixmap(QSize(16, 16), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

template <typename Dialog>
int openDialogs()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<Dialog *>(w))
            ++n;
    return n;
}

// Runs script on the dialog of type Dialog once its modal loop is up. A dialog
// that the script failed to end is rejected after a few seconds, so that a
// broken test fails instead of hanging.
template <typename Dialog>
class WhenShown
{
public:
    explicit WhenShown(std::function<void(Dialog *)> script)
    {
        QTimer::singleShot(0, &m_context, [script] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<Dialog *>(w); d && d->isVisible()) {
                    script(d);
                    return;
                }
        });
        m_watchdog.setSingleShot(true);
        QObject::connect(&m_watchdog, &QTimer::timeout, &m_context, [this] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<Dialog *>(w); d && d->isVisible()) {
                    timedOut = true;
                    d->reject();
                }
        });
        m_watchdog.start(5000);
    }

    bool timedOut = false;

private:
    QObject m_context; // cancels the pending calls when the test is done
    QTimer m_watchdog;
};

void pressEnterAndEscape(QWidget *target)
{
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(target, Qt::Key_Escape);
}

} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choiceDialogLayout();
    void replaceDialogLayout();
    void buttonGlyphs();

    void chooseFromListSplitsChoices_data();
    void chooseFromListSplitsChoices();
    void chooseFromListOkAndCancel();
    void askReplaceTextOutputs_data();
    void askReplaceTextOutputs();
    void dialogsOpenFresh();
    void failuresAreReportedAndLeaveOutputs();

    void choiceDialogShownForReal();
    void replaceDialogShownForReal();
};

void tst_Dialogs::init()
{
    Prompt::setInteractive(false);
    Prompt::takeQuestions();
}

void tst_Dialogs::cleanup()
{
    Prompt::setInteractive(false);
    QCOMPARE(Prompt::pendingAnswers(), 0);
    // Every call destroys its dialog before returning.
    QCOMPARE(openDialogs<TfrmGetSysName>(), 0);
    QCOMPARE(openDialogs<TfrmReplOpt>(), 0);
}

void tst_Dialogs::choiceDialogLayout()
{
    TfrmGetSysName d;
    QCOMPARE(d.objectName(), QStringLiteral("frmGetSysName"));
    QCOMPARE(d.size(), QSize(286, 94));
    QCOMPARE(d.pos(), QPoint(303, 287));
    QCOMPARE(d.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(d.font().pixelSize(), 11);
    QCOMPARE(d.backgroundRole(), QPalette::Button);

    QCOMPARE(d.lbprompt->pos(), QPoint(4, 24));
    QCOMPARE(d.cbChoises->geometry(), QRect(48, 20, 237, 21));
    QVERIFY(!d.cbChoises->isEditable());
    QCOMPARE(d.cbChoises->currentIndex(), -1);
    QCOMPARE(d.Panel1->geometry(), QRect(0, 60, 286, 34));
    QCOMPARE(d.sbCancel->geometry(), QRect(4, 4, 85, 25));
    QCOMPARE(d.sbOK->geometry(), QRect(196, 4, 85, 25));
    QCOMPARE(d.sbCancel->text(), QStringLiteral("Отказ"));
    QCOMPARE(d.sbOK->text(), QStringLiteral("OK"));
    for (QToolButton *b : {d.sbCancel, d.sbOK}) {
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        QVERIFY(b->autoRaise());
        QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        QVERIFY(!b->icon().isNull());
    }

    // The strip stays at the bottom across the whole width; the rest keeps its place.
    d.show();
    d.resize(400, 200);
    QCOMPARE(d.Panel1->geometry(), QRect(0, 166, 400, 34));
    QCOMPARE(d.sbOK->geometry(), QRect(196, 4, 85, 25));
    QCOMPARE(d.cbChoises->geometry(), QRect(48, 20, 237, 21));
}

void tst_Dialogs::replaceDialogLayout()
{
    TfrmReplOpt d;
    QCOMPARE(d.objectName(), QStringLiteral("frmReplOpt"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Смяна на текст"));
    QCOMPARE(d.size(), QSize(309, 132));
    // Centred on the screen by its outer size of 317 x 159.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QPoint centre = d.pos() + QPoint(317 / 2, 159 / 2);
        QVERIFY2((centre - screen->geometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));
    }

    QCOMPARE(d.Label1->text(), QStringLiteral("Стар текст"));
    QCOMPARE(d.Label1->geometry(), QRect(24, 16, 55, 13));
    QCOMPARE(d.Label2->text(), QStringLiteral("Нов текст"));
    QCOMPARE(d.Label2->geometry(), QRect(24, 40, 51, 13));
    QCOMPARE(d.edOldTxt->geometry(), QRect(86, 12, 200, 21));
    QCOMPARE(d.edNewTxt->geometry(), QRect(86, 36, 200, 21));
    QCOMPARE(d.edOldTxt->nextInFocusChain(), d.edNewTxt);
    QCOMPARE(d.rgOpt->title(), QStringLiteral("Опции"));
    QCOMPARE(d.rgOpt->geometry(), QRect(0, 64, 309, 35));
    QCOMPARE(d.rgOptItem(0)->text(), QStringLiteral("Навсякъде"));
    QCOMPARE(d.rgOptItem(1)->text(), QStringLiteral("За тек. приложение"));
    QCOMPARE(d.rgOptItemIndex(), 0);
    QCOMPARE(d.Panel1->geometry(), QRect(0, 99, 309, 33));
    QCOMPARE(d.sbCancel->geometry(), QRect(4, 4, 85, 25));
    QCOMPARE(d.sbOK->geometry(), QRect(220, 4, 85, 25));
    QCOMPARE(d.sbOK->focusPolicy(), Qt::NoFocus);
    QCOMPARE(d.sbCancel->focusPolicy(), Qt::NoFocus);

    // Two columns side by side inside the group.
    QCOMPARE(d.rgOptItem(0)->y(), d.rgOptItem(1)->y());
    QVERIFY(d.rgOptItem(0)->geometry().right() < d.rgOptItem(1)->x());
    QVERIFY(d.rgOpt->rect().contains(d.rgOptItem(1)->geometry()));

    // The index can be cleared and set; a cleared group reads -1.
    d.setRgOptItemIndex(-1);
    QCOMPARE(d.rgOptItemIndex(), -1);
    d.setRgOptItemIndex(1);
    QCOMPARE(d.rgOptItemIndex(), 1);
    QVERIFY(!d.rgOptItem(0)->isChecked());

    // Group and strip stay at the bottom, full width; the columns follow the width.
    d.show();
    d.resize(409, 200);
    QCOMPARE(d.Panel1->geometry(), QRect(0, 167, 409, 33));
    QCOMPARE(d.rgOpt->geometry(), QRect(0, 132, 409, 35));
    QVERIFY(d.rgOpt->rect().contains(d.rgOptItem(1)->geometry()));
    QVERIFY(d.rgOptItem(1)->x() >= 409 / 2 - 4);
    QCOMPARE(d.edOldTxt->geometry(), QRect(86, 12, 200, 21));
}

void tst_Dialogs::buttonGlyphs()
{
    for (const QPixmap &glyph : {Pictures::cancelGlyph(), Pictures::okGlyph()}) {
        QCOMPARE(glyph.size(), QSize(32, 16));
        const QImage img = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
        // The bottom-left colour is the transparent one, in both halves.
        QCOMPARE(qAlpha(img.pixel(0, 15)), 0);
        QCOMPARE(qAlpha(img.pixel(16, 15)), 0);
        int opaqueLeft = 0, opaqueRight = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                opaqueLeft += qAlpha(img.pixel(x, y)) == 255;
                opaqueRight += qAlpha(img.pixel(16 + x, y)) == 255;
            }
        QVERIFY(opaqueLeft > 20);
        QVERIFY(opaqueRight > 20);
        QVERIFY(opaqueLeft < 256);

        const QIcon icon = Pictures::iconFromGlyph(glyph);
        QVERIFY(!icon.isNull());
        const QImage normal = imageOf(icon, QIcon::Normal);
        const QImage disabled = imageOf(icon, QIcon::Disabled);
        QCOMPARE(normal.size(), QSize(16, 16));
        QCOMPARE(normal, img.copy(0, 0, 16, 16));
        QCOMPARE(disabled, img.copy(16, 0, 16, 16));
        QVERIFY(normal != disabled);
    }
    // The two glyphs are different pictures, and the buttons carry them.
    QVERIFY(Pictures::cancelGlyph().toImage() != Pictures::okGlyph().toImage());
    TfrmReplOpt d;
    QCOMPARE(imageOf(d.sbOK->icon(), QIcon::Normal),
             imageOf(Pictures::iconFromGlyph(Pictures::okGlyph()), QIcon::Normal));
    QCOMPARE(imageOf(d.sbCancel->icon(), QIcon::Disabled),
             imageOf(Pictures::iconFromGlyph(Pictures::cancelGlyph()), QIcon::Disabled));
}

void tst_Dialogs::chooseFromListSplitsChoices_data()
{
    QTest::addColumn<QString>("choices");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("CR-separated references, last with a trailing blank")
        << QStringLiteral("SYS_DB@srv1:C:\\Data\\sys.gdb\rSYS2@srv2:/db/s2.fdb\rSYS3@10.0.0.1:D:\\k.gdb ")
        << QStringList{"SYS_DB@srv1:C:\\Data\\sys.gdb", "SYS2@srv2:/db/s2.fdb", "SYS3@10.0.0.1:D:\\k.gdb "};
    QTest::newRow("CR LF and LF mixed") << QStringLiteral("a\r\nb\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("CR LF is one break, LF CR two") << QStringLiteral("a\r\nb\n\rc") << QStringList{"a", "b", "", "c"};
    QTest::newRow("empty line in the middle") << QStringLiteral("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("blanks kept") << QStringLiteral(" a \r\t") << QStringList{" a ", "\t"};
    QTest::newRow("final break adds no choice") << QStringLiteral("a\r\n") << QStringList{"a"};
    QTest::newRow("empty line before the final break") << QStringLiteral("a\r\n\r\n") << QStringList{"a", ""};
    QTest::newRow("empty text") << QString() << QStringList{};
}

void tst_Dialogs::chooseFromListSplitsChoices()
{
    QFETCH(QString, choices);
    QFETCH(QStringList, expected);

    QStringList offered;
    int chosenAtStart = -2;
    bool editable = true;
    QString prompt;
    Prompt::setNextAnswer(Prompt::Answer::dialog([&](QDialog &dlg) {
        auto &d = dynamic_cast<TfrmGetSysName &>(dlg);
        for (int i = 0; i < d.cbChoises->count(); ++i)
            offered << d.cbChoises->itemText(i);
        chosenAtStart = d.cbChoises->currentIndex();
        editable = d.cbChoises->isEditable();
        prompt = d.lbprompt->text();
    }));

    // OK without choosing a line gives empty text, whatever the variable held.
    QString result = QStringLiteral("before");
    ChooseFromList(QStringLiteral("БД за достъп"), QStringLiteral("Избор"), choices, result);

    QCOMPARE(offered, expected);
    QCOMPARE(chosenAtStart, -1);
    QVERIFY(!editable);
    QCOMPARE(prompt, QStringLiteral("Избор"));
    QCOMPARE(result, QString());
    const QList<Prompt::Question> asked = Prompt::takeQuestions();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].kind, Prompt::Kind::Dialog);
    QCOMPARE(asked[0].title, QStringLiteral("БД за достъп"));
}

void tst_Dialogs::chooseFromListOkAndCancel()
{
    const QString choices = QStringLiteral("SYS_DB@srv1:C:\\sys.gdb\rSYS2@srv2:/s2.fdb\rSYS3@srv3:/s3.gdb ");
    const QString longPrompt = QStringLiteral("Изберете системна база данни за достъп");
    auto pickLast = [](QDialog &dlg) {
        auto &d = dynamic_cast<TfrmGetSysName &>(dlg);
        d.cbChoises->setCurrentIndex(d.cbChoises->count() - 1);
    };

    // OK gives the chosen line exactly, its trailing blank included.
    int promptWidth = 0;
    Prompt::setNextAnswer(Prompt::Answer::dialog([&](QDialog &dlg) {
        pickLast(dlg);
        promptWidth = dynamic_cast<TfrmGetSysName &>(dlg).lbprompt->width();
    }));
    QString result;
    ChooseFromList(QStringLiteral("Избор"), longPrompt, choices, result);
    QCOMPARE(result, QStringLiteral("SYS3@srv3:/s3.gdb "));
    // The label takes the width of its text.
    QVERIFY(promptWidth >= QFontMetrics(TfrmGetSysName().font()).horizontalAdvance(longPrompt));

    // Cancel leaves the variable untouched, even after a line was chosen.
    Prompt::setNextAnswer(Prompt::Answer::dialog(pickLast, false));
    result = QStringLiteral("untouched");
    ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), choices, result);
    QCOMPARE(result, QStringLiteral("untouched"));

    // An empty list, then OK: empty text.
    Prompt::setNextAnswer(Prompt::Answer::dialog({}, true));
    ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), QString(), result);
    QCOMPARE(result, QString());
    Prompt::takeQuestions();
}

void tst_Dialogs::askReplaceTextOutputs_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typedOld");
    QTest::addColumn<QString>("typedNew");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("expectedReturn");
    QTest::addColumn<bool>("written");

    QTest::newRow("OK, one letter, empty new text, current application")
        << true << "a" << "" << 1 << true << true;
    QTest::newRow("OK, everywhere") << true << "srv1" << "srv2" << 0 << true << true;
    QTest::newRow("OK with empty old text writes but returns false") << true << "" << "x" << 1 << false << true;
    QTest::newRow("OK with blanks: not empty") << true << "  " << " y " << 0 << true << true;
    QTest::newRow("Cancel writes nothing") << false << "a" << "b" << 1 << false << false;
}

void tst_Dialogs::askReplaceTextOutputs()
{
    QFETCH(bool, accept);
    QFETCH(QString, typedOld);
    QFETCH(QString, typedNew);
    QFETCH(int, chosen);
    QFETCH(bool, expectedReturn);
    QFETCH(bool, written);

    Prompt::setNextAnswer(Prompt::Answer::dialog(
        [&](QDialog &dlg) {
            auto &d = dynamic_cast<TfrmReplOpt &>(dlg);
            QTest::keyClicks(d.edOldTxt, typedOld);
            QTest::keyClicks(d.edNewTxt, typedNew);
            d.rgOptItem(chosen)->click();
        },
        accept));

    QString oldText = QStringLiteral("prev old");
    QString newText = QStringLiteral("prev new");
    int option = 7;
    QCOMPARE(AskReplaceText(oldText, newText, option), expectedReturn);
    if (written) {
        QCOMPARE(oldText, typedOld);
        QCOMPARE(newText, typedNew);
        QCOMPARE(option, chosen);
    } else {
        QCOMPARE(oldText, QStringLiteral("prev old"));
        QCOMPARE(newText, QStringLiteral("prev new"));
        QCOMPARE(option, 7);
    }
    const QList<Prompt::Question> asked = Prompt::takeQuestions();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].title, QStringLiteral("Смяна на текст"));
}

void tst_Dialogs::dialogsOpenFresh()
{
    // A first call that leaves everything filled in.
    Prompt::setNextAnswer(Prompt::Answer::dialog([](QDialog &dlg) {
        auto &d = dynamic_cast<TfrmReplOpt &>(dlg);
        d.edOldTxt->setText(QStringLiteral("old"));
        d.edNewTxt->setText(QStringLiteral("new"));
        d.setRgOptItemIndex(1);
    }));
    QString oldText, newText;
    int option = 0;
    QVERIFY(AskReplaceText(oldText, newText, option));
    QCOMPARE(option, 1);

    QString seenOld = QStringLiteral("?"), seenNew = QStringLiteral("?");
    int seenOption = -2;
    Prompt::setNextAnswer(Prompt::Answer::dialog(
        [&](QDialog &dlg) {
            auto &d = dynamic_cast<TfrmReplOpt &>(dlg);
            seenOld = d.edOldTxt->text();
            seenNew = d.edNewTxt->text();
            seenOption = d.rgOptItemIndex();
        },
        false));
    QVERIFY(!AskReplaceText(oldText, newText, option));
    QCOMPARE(seenOld, QString());
    QCOMPARE(seenNew, QString());
    QCOMPARE(seenOption, 0);

    // The choice dialog likewise: nothing chosen and only this call's lines.
    Prompt::setNextAnswer(Prompt::Answer::dialog([](QDialog &dlg) {
        dynamic_cast<TfrmGetSysName &>(dlg).cbChoises->setCurrentIndex(1);
    }));
    QString result;
    ChooseFromList(QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("x\ry"), result);
    QCOMPARE(result, QStringLiteral("y"));
    int chosenAtStart = -2;
    QStringList offered;
    Prompt::setNextAnswer(Prompt::Answer::dialog([&](QDialog &dlg) {
        auto &d = dynamic_cast<TfrmGetSysName &>(dlg);
        chosenAtStart = d.cbChoises->currentIndex();
        for (int i = 0; i < d.cbChoises->count(); ++i)
            offered << d.cbChoises->itemText(i);
    }));
    ChooseFromList(QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("z"), result);
    QCOMPARE(chosenAtStart, -1);
    QCOMPARE(offered, QStringList{"z"});
    QCOMPARE(result, QString());
    Prompt::takeQuestions();
}

void tst_Dialogs::failuresAreReportedAndLeaveOutputs()
{
    QPointer<QDialog> seen;
    auto failing = [&](QDialog &dlg) {
        seen = &dlg;
        throw std::runtime_error("няма памет");
    };

    Prompt::setNextAnswer(Prompt::Answer::dialog(failing));
    QString result = QStringLiteral("kept");
    ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), QStringLiteral("a\rb"), result);
    QCOMPARE(result, QStringLiteral("kept"));
    QVERIFY(seen.isNull()); // destroyed on the way out
    QCOMPARE(Prompt::pendingAnswers(), 0);
    QList<Prompt::Question> asked = Prompt::takeQuestions();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[1].kind, Prompt::Kind::Message);
    QCOMPARE(asked[1].text, QStringLiteral("Грешка : няма памет"));

    // A failure after the user typed: nothing written, false returned.
    Prompt::setNextAnswer(Prompt::Answer::dialog([&](QDialog &dlg) {
        dynamic_cast<TfrmReplOpt &>(dlg).edOldTxt->setText(QStringLiteral("a"));
        failing(dlg);
    }));
    QString oldText = QStringLiteral("o"), newText = QStringLiteral("n");
    int option = 1;
    QVERIFY(!AskReplaceText(oldText, newText, option));
    QCOMPARE(oldText, QStringLiteral("o"));
    QCOMPARE(newText, QStringLiteral("n"));
    QCOMPARE(option, 1);
    QVERIFY(seen.isNull());
    asked = Prompt::takeQuestions();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[1].text, QStringLiteral("Грешка : няма памет"));
}

void tst_Dialogs::choiceDialogShownForReal()
{
    Prompt::setInteractive(true);
    const QString choices = QStringLiteral("one\r\ntwo\nthree");

    // Enter and Escape, on the list and on the dialog, leave it open; OK ends it.
    {
        bool openAfterKeys = false;
        QString focusedAtStart;
        WhenShown<TfrmGetSysName> run([&](TfrmGetSysName *d) {
            if (QTest::qWaitForWindowActive(d, 2000) && QApplication::focusWidget())
                focusedAtStart = QApplication::focusWidget()->objectName();
            d->cbChoises->setCurrentIndex(1);
            pressEnterAndEscape(d->cbChoises);
            pressEnterAndEscape(d);
            openAfterKeys = d->isVisible();
            QTest::mouseClick(d->sbOK, Qt::LeftButton);
        });
        QString result;
        ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), choices, result);
        QVERIFY(!run.timedOut);
        QVERIFY(openAfterKeys);
        QCOMPARE(result, QStringLiteral("two"));
        // The list is the first in the tab order: it has the focus, the buttons take none.
        QCOMPARE(focusedAtStart, QStringLiteral("cbChoises"));
    }

    // The close box ends it as Cancel.
    {
        WhenShown<TfrmGetSysName> run([](TfrmGetSysName *d) {
            d->cbChoises->setCurrentIndex(2);
            d->close();
        });
        QString result = QStringLiteral("untouched");
        ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), choices, result);
        QVERIFY(!run.timedOut);
        QCOMPARE(result, QStringLiteral("untouched"));
    }

    // So does the "Отказ" button.
    {
        WhenShown<TfrmGetSysName> run([](TfrmGetSysName *d) {
            d->cbChoises->setCurrentIndex(0);
            QTest::mouseClick(d->sbCancel, Qt::LeftButton);
        });
        QString result = QStringLiteral("untouched");
        ChooseFromList(QStringLiteral("Избор"), QStringLiteral("БД"), choices, result);
        QVERIFY(!run.timedOut);
        QCOMPARE(result, QStringLiteral("untouched"));
    }
    QVERIFY(Prompt::takeQuestions().isEmpty());
}

void tst_Dialogs::replaceDialogShownForReal()
{
    Prompt::setInteractive(true);

    // Typing, then Enter and Escape in the edits and on the dialog: still open.
    {
        bool openAfterKeys = false;
        QString focusedAtStart;
        WhenShown<TfrmReplOpt> run([&](TfrmReplOpt *d) {
            if (QTest::qWaitForWindowActive(d, 2000) && QApplication::focusWidget())
                focusedAtStart = QApplication::focusWidget()->objectName();
            QTest::keyClicks(d->edOldTxt, QStringLiteral("srv1"));
            pressEnterAndEscape(d->edOldTxt);
            QTest::keyClicks(d->edNewTxt, QStringLiteral("srv2"));
            pressEnterAndEscape(d->edNewTxt);
            pressEnterAndEscape(d);
            openAfterKeys = d->isVisible();
            QTest::mouseClick(d->rgOptItem(1), Qt::LeftButton, {}, QPoint(6, d->rgOptItem(1)->height() / 2));
            QTest::mouseClick(d->sbOK, Qt::LeftButton);
        });
        QString oldText, newText;
        int option = -1;
        QVERIFY(AskReplaceText(oldText, newText, option));
        QVERIFY(!run.timedOut);
        QVERIFY(openAfterKeys);
        QCOMPARE(focusedAtStart, QStringLiteral("edOldTxt")); // first in the tab order
        QCOMPARE(oldText, QStringLiteral("srv1"));
        QCOMPARE(newText, QStringLiteral("srv2"));
        QCOMPARE(option, 1);
    }

    // The close box ends it as Cancel: nothing written.
    {
        WhenShown<TfrmReplOpt> run([](TfrmReplOpt *d) {
            d->edOldTxt->setText(QStringLiteral("a"));
            d->close();
        });
        QString oldText = QStringLiteral("o"), newText = QStringLiteral("n");
        int option = 0;
        QVERIFY(!AskReplaceText(oldText, newText, option));
        QVERIFY(!run.timedOut);
        QCOMPARE(oldText, QStringLiteral("o"));
        QCOMPARE(newText, QStringLiteral("n"));
        QCOMPARE(option, 0);
    }
    QVERIFY(Prompt::takeQuestions().isEmpty());
}

QTEST_MAIN(tst_Dialogs)
#include "tst_Dialogs.moc"
