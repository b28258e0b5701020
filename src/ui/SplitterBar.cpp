#include "ui/SplitterBar.h"

#include <QMouseEvent>
#include <QRubberBand>

SplitterBar::SplitterBar(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::SizeVerCursor);
    setFocusPolicy(Qt::NoFocus);
}

int SplitterBar::heightFor(int startHeight, int dy) const
{
    const int raw = startHeight + dy;
    if (raw <= MinSize)
        return 0;
    const int most = maximumHeight ? maximumHeight() : raw;
    return qMax(0, qMin(raw, most));
}

void SplitterBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !currentHeight)
        return;
    m_dragging = true;
    m_startY = int(event->globalPosition().y());
    m_startHeight = currentHeight();
    m_height = m_startHeight;
    if (!m_line)
        m_line = new QRubberBand(QRubberBand::Line, parentWidget());
    m_line->setGeometry(x(), y(), width(), height());
    m_line->show();
}

void SplitterBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    m_height = heightFor(m_startHeight, int(event->globalPosition().y()) - m_startY);
    m_line->move(x(), y() + m_height - m_startHeight);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_line->hide();
    m_height = heightFor(m_startHeight, int(event->globalPosition().y()) - m_startY);
    emit resized(m_height);
}
