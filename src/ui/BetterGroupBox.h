#pragma once

#include <QGroupBox>

#include <functional>

class QMouseEvent;
class QPainter;
class QPaintEvent;

// Qt has no per-control Tag; the program keeps one as the dynamic property
// "Tag" so that shared handlers can tell their senders apart. A control
// without one reads 0.
int controlTag(const QObject* control);
void setControlTag(QObject* control, int tag);

// Empty means "unassigned", which the box tells apart from an assigned one.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TObjectFunction = std::function<int(QObject* Sender)>;

// A group box that paints its own etched frame and caption, with a check box
// in the top-left corner that switches the box's direct children on and off,
// and an optional collapse button in the top-right corner.
//
// The check box and collapse button are drawn, not child widgets, and answer
// the left mouse button only. QGroupBox's own checkable mode is never used:
// it would toggle and disable the children on its own terms.
//
// Collapsing sets the height with resize(); a layout that manages the box, or
// a minimum height the box's own layout imposes, takes precedence over it.
class TBetterGroupBox : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
    Q_PROPERTY(bool CaptionCenter READ CaptionCenter WRITE setCaptionCenter)
    Q_PROPERTY(bool ShowMinimizeBtn READ ShowMinimizeBtn WRITE setShowMinimizeBtn)
    Q_PROPERTY(bool ShowEnableBtn READ ShowEnableBtn WRITE setShowEnableBtn)
    Q_PROPERTY(int rbItemIndex READ rbItemIndex WRITE setRbItemIndex)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)

public:
    static constexpr int CollapsedHeight = 14;

    explicit TBetterGroupBox(QWidget* parent = nullptr);
    explicit TBetterGroupBox(const QString& title, QWidget* parent = nullptr);

    bool Checked() const { return FChecked; }
    bool isChecked() const { return FChecked; }
    // Making the base checkable would bring back its own toggling.
    void setCheckable(bool) = delete;

    bool CaptionCenter() const { return FCaptionCenter; }
    void setCaptionCenter(bool value);
    bool ShowMinimizeBtn() const { return FShowMinimizeBtn; }
    void setShowMinimizeBtn(bool value);
    bool ShowEnableBtn() const { return FShowEnableBtn; }
    void setShowEnableBtn(bool value);
    bool Ctl3D() const { return FCtl3D; }
    void setCtl3D(bool value);

    const TNotifyEvent& OnCheck() const { return FOnCheck; }
    void setOnCheck(TNotifyEvent handler);
    const TNotifyEvent& OnMinimize() const { return FOnMinimize; }
    void setOnMinimize(TNotifyEvent handler);

    // The index of the first checked radio button among the direct children,
    // as rbGetIndexFunc reports it; -1 when none is checked.
    int rbItemIndex() const;
    void setRbItemIndex(int value);
    const TObjectFunction& rbGetIndexFunc() const { return FrbGetIndexFunc; }
    // An empty function brings back defaultIndexFunc.
    void setRbGetIndexFunc(TObjectFunction func);
    // A radio button's Tag; -1 for anything else.
    int defaultIndexFunc(QObject* Sender) const;

    // Client rectangles of the two drawn buttons; the check box's is empty
    // while it is hidden.
    QRect checkBoxRect() const;
    QRect minimizeBtnRect() const;

public slots:
    // Switches the direct children even when the value is unchanged, so a
    // write also repairs children enabled or disabled behind the box's back.
    // Never fires OnCheck: only the user's click does.
    void setChecked(bool value);

signals:
    // Fired together with OnCheck / OnMinimize, for Qt-style connections.
    void checkToggled();
    void minimized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void enableChildren();
    void drawCaptionButton(QPainter& painter, const QRect& rect) const;

    bool FCollapsed = false;
    bool FChecked = true;
    int FExpandedHeight = 0;
    bool FCaptionCenter = false;
    bool FShowEnableBtn = true;
    bool FShowMinimizeBtn = true;
    TNotifyEvent FOnCheck;
    TNotifyEvent FOnMinimize;
    TObjectFunction FrbGetIndexFunc;
    bool FCtl3D = true;
};
