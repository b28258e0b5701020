#include "ui/Look.h"

#include "ui/Pictures.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
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

QToolButton *flatButton(QWidget *parent, const char *name, const QString &caption, const QIcon &icon)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (!icon.isNull()) {
        b->setIcon(icon);
        b->setIconSize(QSize(16, 16));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    } else {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    return b;
}

QLabel *sizedLabel(QWidget *parent, const char *name, const QString &text, const QRect &design)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    const int width = qMax(design.width(), l->fontMetrics().horizontalAdvance(text));
    l->setGeometry(QRect(design.topLeft(), QSize(width, design.height())));
    return l;
}

QFrame *raisedPanel(QWidget *parent, const char *name)
{
    auto *p = new QFrame(parent);
    p->setObjectName(QLatin1String(name));
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setLineWidth(1);
    return p;
}
