#pragma once

#include <QFont>

class QWidget;

// The look the suite's windows share: MS Sans Serif at 11 pixels where the
// system has it; otherwise Arial's metric twin, whose widths fit the captions
// as they were designed, or else the default sans-serif. The background is the
// button face.
QFont suiteFont();
void applySuiteLook(QWidget *window);

class QFrame;
class QIcon;
class QLabel;
class QRect;
class QSize;
class QToolButton;

// A flat button that takes no focus, its picture (if any) left of its caption.
QToolButton *flatButton(QWidget *parent, const char *name, const QString &caption, const QIcon &icon);
// A label at its designed place, as wide as its text needs when that is more.
QLabel *sizedLabel(QWidget *parent, const char *name, const QString &text, const QRect &design);
// A panel without caption, with a raised edge.
QFrame *raisedPanel(QWidget *parent, const char *name);
