#include "ui/PageControl.h"

#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

PageControl::PageControl(QWidget *parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_stack(new QStackedWidget(this))
{
    m_tabs->setObjectName(QStringLiteral("tabBar"));
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_stack->setObjectName(QStringLiteral("pages"));
    // A click on a tab takes the focus into the page control, as a Windows tab
    // control does; the Tab key stops on the tab row, never on its scroll arrows.
    m_tabs->setFocusPolicy(Qt::StrongFocus);
    for (QWidget *arrow : m_tabs->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        arrow->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int i) {
        m_stack->setCurrentIndex(i);
        emit activePageChanged(i);
    });
}

int PageControl::addPage(QWidget *page, const QString &caption)
{
    m_stack->addWidget(page);
    return m_tabs->addTab(caption);
}

int PageControl::count() const
{
    return m_stack->count();
}

QWidget *PageControl::page(int index) const
{
    return m_stack->widget(index);
}

int PageControl::activePageIndex() const
{
    return m_tabs->currentIndex();
}

void PageControl::setActivePageIndex(int index)
{
    m_tabs->setCurrentIndex(index);
    m_stack->setCurrentIndex(index);
}

void PageControl::resizeEvent(QResizeEvent *)
{
    m_tabs->setGeometry(2, 2, qMax(0, width() - 4), TabHeight - 2);
    m_stack->setGeometry(Inset, TabHeight, qMax(0, width() - 2 * Inset), qMax(0, height() - TabHeight - Inset));
}

void PageControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QStyleOptionTabWidgetFrame opt;
    opt.initFrom(this);
    opt.rect = QRect(0, TabHeight - 2, width(), height() - TabHeight + 2);
    opt.shape = QTabBar::RoundedNorth;
    opt.tabBarSize = m_tabs->sizeHint();
    opt.tabBarRect = m_tabs->geometry();
    opt.selectedTabRect = m_tabs->tabRect(m_tabs->currentIndex()).translated(m_tabs->pos());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
}
