#pragma once

#include <QWidget>

#include <functional>

class QRubberBand;

// The horizontal bar under the system group. Dragging it with the left button
// shows a line at the new position; the height is changed on release. A height
// of MinSize or less snaps to 0 (the group disappears), and the group may not
// take more than what leaves MinSize to the control below.
class SplitterBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MinSize = 30;

    explicit SplitterBar(QWidget *parent = nullptr);

    // The current height of the control above, and the most it may take.
    std::function<int()> currentHeight;
    std::function<int()> maximumHeight;

    // The height a drag by dy pixels from startHeight gives.
    int heightFor(int startHeight, int dy) const;

signals:
    void resized(int height);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRubberBand *m_line = nullptr;
    bool m_dragging = false;
    int m_startY = 0;
    int m_startHeight = 0;
    int m_height = 0;
};
