#pragma once

#include "ui/StripDialog.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QToolButton;

// Lets the user pick one line out of a list of texts. Run by ChooseFromList,
// which sets the caption, the prompt and the choices for each call.
class TfrmGetSysName : public TStripDialog
{
    Q_OBJECT

public:
    explicit TfrmGetSysName(QWidget *parent = nullptr);

    // Controls, under the names the suite knows them by.
    QLabel *lbprompt = nullptr;
    QComboBox *cbChoises = nullptr;
};

// Shows the choice dialog with one choice per line of choices (split at CR, LF
// and CR LF; a line break at the very end adds no empty choice). On OK, result
// becomes the chosen line, or empty text when none was chosen; otherwise it is
// left as it was. A failure is shown as "Грешка : " and its message.
void ChooseFromList(const QString &caption, const QString &prompt, const QString &choices, QString &result);
