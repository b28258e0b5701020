#include "ui/Look.h"

#include <QWidget>

QFont suiteFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

void applySuiteLook(QWidget *window)
{
    window->setFont(suiteFont());
    window->setAutoFillBackground(true);
    window->setBackgroundRole(QPalette::Button);
}
