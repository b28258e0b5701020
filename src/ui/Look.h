#pragma once

#include <QFont>

class QWidget;

// The look the suite's windows share: MS Sans Serif at 11 pixels where the
// system has it; otherwise Arial's metric twin, whose widths fit the captions
// as they were designed, or else the default sans-serif. The background is the
// button face.
QFont suiteFont();
void applySuiteLook(QWidget *window);
