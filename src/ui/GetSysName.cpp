#include "ui/GetSysName.h"

#include "config/UserError.h"
#include "ui/Look.h"
#include "ui/Anchors.h"
#include "ui/Pictures.h"
#include "ui/Prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>

#include <exception>
#include <memory>

namespace {

const QSize kClientSize(286, 94);
const QPoint kScreenPos(303, 287);

// The lines of text as a string list's text is split: CR, LF and CR LF each
// end a line, and a break at the very end does not start another one.
QStringList choiceLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(lineBreak);
    if (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

} // namespace

TfrmGetSysName::TfrmGetSysName(QWidget *parent)
    : TStripDialog(parent)
{
    setObjectName(QStringLiteral("frmGetSysName"));
    setWindowTitle(QStringLiteral("frmGetSysName"));
    createStrip(kClientSize, QRect(0, 60, 286, 34), 196);

    lbprompt = new QLabel(this);
    lbprompt->setObjectName(QStringLiteral("lbprompt"));
    lbprompt->setText(QStringLiteral("lbprompt"));
    lbprompt->setGeometry(4, 24, 40, 13);

    cbChoises = new QComboBox(this);
    cbChoises->setObjectName(QStringLiteral("cbChoises"));
    cbChoises->setEditable(false);
    cbChoises->setGeometry(48, 20, 237, 21);


    // Placed where it was designed, not centred over the main window.
    move(kScreenPos);
}

void ChooseFromList(const QString &caption, const QString &prompt, const QString &choices, QString &result)
{
    try {
        // Owned here so that it is gone before the call returns, also after a failure.
        auto frm = std::make_unique<TfrmGetSysName>(QApplication::activeWindow());
        frm->setWindowTitle(caption);
        frm->lbprompt->setText(prompt);
        frm->lbprompt->adjustSize();
        frm->cbChoises->addItems(choiceLines(choices));
        frm->cbChoises->setCurrentIndex(-1);
        if (Prompt::exec(*frm))
            result = frm->cbChoises->currentText();
    } catch (const std::exception &e) {
        Prompt::error(QApplication::activeWindow(), QStringLiteral("Грешка : ") + UserError::textOf(e));
    }
}
