#include "ui/StripDialog.h"

#include "ui/Anchors.h"
#include "ui/Look.h"
#include "ui/Pictures.h"

#include <QFrame>
#include <QKeyEvent>
#include <QToolButton>

TStripDialog::TStripDialog(QWidget *parent)
    : QDialog(parent)
{
    applySuiteLook(this);
}

void TStripDialog::createStrip(const QSize &clientSize, const QRect &panel, int okLeft)
{
    // First, so that the bottom-aligned controls are placed against the design size.
    resize(clientSize);
    Panel1 = raisedPanel(this, "Panel1");
    placeAnchored(Panel1, panel, clientSize, AnchorLeft | AnchorRight | AnchorBottom);
    sbCancel = flatButton(Panel1, "sbCancel", QStringLiteral("Отказ"), Pictures::iconFromGlyph(Pictures::cancelGlyph()));
    sbCancel->setGeometry(4, 4, 85, 25);
    sbOK = flatButton(Panel1, "sbOK", QStringLiteral("OK"), Pictures::iconFromGlyph(Pictures::okGlyph()));
    sbOK->setGeometry(okLeft, 4, 85, 25);
    connect(sbCancel, &QAbstractButton::clicked, this, &TStripDialog::sbCancelClick);
    connect(sbOK, &QAbstractButton::clicked, this, &TStripDialog::sbOKClick);
}

void TStripDialog::sbOKClick()
{
    done(QDialog::Accepted);
}

void TStripDialog::sbCancelClick()
{
    done(QDialog::Rejected);
}

void TStripDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel) || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
