#include "ui/ReplOpt.h"

#include "config/UserError.h"
#include "ui/Look.h"
#include "ui/Anchors.h"
#include "ui/BetterGroupBox.h"
#include "ui/Pictures.h"
#include "ui/Prompt.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include <exception>
#include <memory>

namespace {

const QSize kClientSize(309, 132);
const QSize kOuterSize(317, 159);

QLineEdit *edit(QWidget *parent, const char *name, const QRect &rect)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(rect);
    return e;
}

} // namespace

TfrmReplOpt::TfrmReplOpt(QWidget *parent)
    : TStripDialog(parent)
{
    setObjectName(QStringLiteral("frmReplOpt"));
    setWindowTitle(QStringLiteral("Смяна на текст"));
    createStrip(kClientSize, QRect(0, 99, 309, 33), 220);

    Label1 = sizedLabel(this, "Label1", QStringLiteral("Стар текст"), QRect(24, 16, 55, 13));
    Label2 = sizedLabel(this, "Label2", QStringLiteral("Нов текст"), QRect(24, 40, 51, 13));
    edOldTxt = edit(this, "edOldTxt", QRect(86, 12, 200, 21));
    edNewTxt = edit(this, "edNewTxt", QRect(86, 36, 200, 21));

    // Drawn as the window's frames are: the line through the caption, no buttons.
    auto *group = new TBetterGroupBox(QStringLiteral("Опции"), this);
    group->setShowEnableBtn(false);
    group->setShowMinimizeBtn(false);
    rgOpt = group;
    rgOpt->setObjectName(QStringLiteral("rgOpt"));
    for (const QString &caption : {QStringLiteral("Навсякъде"), QStringLiteral("За тек. приложение")})
        FItems.append(new QRadioButton(caption, rgOpt));
    placeAnchored(rgOpt, QRect(0, 64, 309, 35), kClientSize, AnchorLeft | AnchorRight | AnchorBottom);


    setTabOrder(edOldTxt, edNewTxt);
    setTabOrder(edNewTxt, FItems.first());
    setRgOptItemIndex(0);

    arrangeRgOpt();
    // Centred on the screen by its outer size; move() places the frame.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
}

int TfrmReplOpt::rgOptItemIndex() const
{
    for (int i = 0; i < FItems.size(); ++i)
        if (FItems[i]->isChecked())
            return i;
    return -1;
}

void TfrmReplOpt::setRgOptItemIndex(int index)
{
    for (int i = 0; i < FItems.size(); ++i) {
        // Auto-exclusive buttons refuse to uncheck the checked one on their own.
        FItems[i]->setAutoExclusive(false);
        FItems[i]->setChecked(i == index);
        FItems[i]->setAutoExclusive(true);
    }
}

void TfrmReplOpt::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    arrangeRgOpt();
}

void TfrmReplOpt::arrangeRgOpt()
{
    // Equal columns below the caption, one item each, as a radio group lays
    // out its items.
    const int columns = 2;
    const int top = 14;
    const int columnWidth = qMax(0, (rgOpt->width() - 10) / columns);
    const int height = qMax(0, rgOpt->height() - top - 4);
    for (int i = 0; i < FItems.size(); ++i)
        FItems[i]->setGeometry(8 + (i % columns) * columnWidth, top, qMax(0, columnWidth - 4), height);
}

bool AskReplaceText(QString &oldText, QString &newText, int &option)
{
    bool result = false;
    try {
        // Owned here so that it is gone before the call returns, also after a failure.
        auto frm = std::make_unique<TfrmReplOpt>(QApplication::activeWindow());
        if (Prompt::exec(*frm)) {
            oldText = frm->edOldTxt->text();
            newText = frm->edNewTxt->text();
            option = frm->rgOptItemIndex();
            result = !oldText.isEmpty();
        }
    } catch (const std::exception &e) {
        Prompt::error(QApplication::activeWindow(), QStringLiteral("Грешка : ") + UserError::textOf(e));
    }
    return result;
}
