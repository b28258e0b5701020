#pragma once

#include <QDialog>

class QFrame;
class QToolButton;

// What the editor's two small dialogs share: the window's look and the strip
// at the bottom with "Отказ" and "OK", flat buttons that take no focus. Neither
// is a default or cancel button: Enter and Escape do not end the dialog; the
// close box ends it as Cancel (QDialog's own closeEvent rejects).
class TStripDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TStripDialog(QWidget *parent = nullptr);

    QFrame *Panel1 = nullptr;
    QToolButton *sbCancel = nullptr;
    QToolButton *sbOK = nullptr;

    void sbOKClick();
    void sbCancelClick();

protected:
    // Sizes the client area to its design and places the strip; the panel keeps
    // to the bottom as the dialog grows. "Отказ" sits at (4, 4), "OK" at (okLeft, 4).
    void createStrip(const QSize &clientSize, const QRect &panel, int okLeft);
    void keyPressEvent(QKeyEvent *event) override;
};
