#pragma once

#include "ui/StripDialog.h"

#include <QDialog>
#include <QList>
#include <QString>

class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QRadioButton;
class QResizeEvent;
class QToolButton;

// Asks for an old text, a new text and the scope of a replacement. Run by
// AskReplaceText.
class TfrmReplOpt : public TStripDialog
{
    Q_OBJECT

public:
    explicit TfrmReplOpt(QWidget *parent = nullptr);

    // Controls, under the names the suite knows them by.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *edOldTxt = nullptr;
    QLineEdit *edNewTxt = nullptr;
    QGroupBox *rgOpt = nullptr; // a radio group: "Навсякъде" (0), "За тек. приложение" (1)

    // The chosen option of rgOpt, -1 when none; an index out of range clears it.
    int rgOptItemIndex() const;
    void setRgOptItemIndex(int index);
    QRadioButton *rgOptItem(int index) const { return FItems.value(index); }

protected:
    // Keeps the radio group's items in two equal columns.
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrangeRgOpt();

    QList<QRadioButton *> FItems;
};

// Shows a fresh replacement dialog. On OK, writes all three outputs as typed
// and chosen and returns true when oldText is not empty; otherwise writes
// nothing and returns false. A failure is shown as "Грешка : " and its message.
bool AskReplaceText(QString &oldText, QString &newText, int &option);
