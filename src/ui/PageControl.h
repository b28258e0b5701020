#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

// A row of tabs over a stack of pages, with the page area inset 4 pixels on
// the left, right and bottom and 24 from the top: a 639 x 248 control gives
// 631 x 220 pages, as the window was designed. The tab row scrolls when the
// tabs do not fit.
class PageControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TabHeight = 24;
    static constexpr int Inset = 4;

    explicit PageControl(QWidget *parent = nullptr);

    int addPage(QWidget *page, const QString &caption);
    int count() const;
    QWidget *page(int index) const;
    int activePageIndex() const;
    void setActivePageIndex(int index);
    QTabBar *tabBar() const { return m_tabs; }

signals:
    void activePageChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QTabBar *m_tabs;
    QStackedWidget *m_stack;
};
