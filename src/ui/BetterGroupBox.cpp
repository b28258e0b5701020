#include "ui/BetterGroupBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace {

const char* const TagProperty = "Tag";

// One-pixel outline along the inside of (left, top, right, bottom), right and
// bottom exclusive, as the frame geometry is worked out in those terms.
void frameRect(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0)
        return;
    painter.fillRect(left, top, w, 1, color);
    painter.fillRect(left, bottom - 1, w, 1, color);
    painter.fillRect(left, top, 1, h, color);
    painter.fillRect(right - 1, top, 1, h, color);
}

} // namespace

int controlTag(const QObject* control)
{
    return control ? control->property(TagProperty).toInt() : 0;
}

void setControlTag(QObject* control, int tag)
{
    if (control)
        control->setProperty(TagProperty, tag);
}

TBetterGroupBox::TBetterGroupBox(QWidget* parent)
    : TBetterGroupBox(QString(), parent)
{
}

TBetterGroupBox::TBetterGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    setRbGetIndexFunc({});
}

void TBetterGroupBox::setChecked(bool value)
{
    FChecked = value;
    enableChildren();
    update();
}

void TBetterGroupBox::setCaptionCenter(bool value)
{
    FCaptionCenter = value;
}

void TBetterGroupBox::setShowMinimizeBtn(bool value)
{
    FShowMinimizeBtn = value;
    update();
}

void TBetterGroupBox::setShowEnableBtn(bool value)
{
    FShowEnableBtn = value;
    update();
}

void TBetterGroupBox::setCtl3D(bool value)
{
    FCtl3D = value;
    update();
}

void TBetterGroupBox::setOnCheck(TNotifyEvent handler)
{
    FOnCheck = std::move(handler);
}

void TBetterGroupBox::setOnMinimize(TNotifyEvent handler)
{
    FOnMinimize = std::move(handler);
}

int TBetterGroupBox::rbItemIndex() const
{
    for (QObject* child : children()) {
        auto* radio = qobject_cast<QRadioButton*>(child);
        if (radio && radio->isChecked())
            return FrbGetIndexFunc(radio);
    }
    return -1;
}

void TBetterGroupBox::setRbItemIndex(int value)
{
    const QObjectList kids = children();
    for (QObject* child : kids) {
        auto* radio = qobject_cast<QRadioButton*>(child);
        if (radio && FrbGetIndexFunc(radio) == value) {
            // The radio button clears its siblings itself.
            radio->setChecked(true);
            return;
        }
    }
}

void TBetterGroupBox::setRbGetIndexFunc(TObjectFunction func)
{
    if (func)
        FrbGetIndexFunc = std::move(func);
    else
        FrbGetIndexFunc = [this](QObject* Sender) { return defaultIndexFunc(Sender); };
}

int TBetterGroupBox::defaultIndexFunc(QObject* Sender) const
{
    return qobject_cast<QRadioButton*>(Sender) ? controlTag(Sender) : -1;
}

QRect TBetterGroupBox::checkBoxRect() const
{
    return FShowEnableBtn ? QRect(2, 2, 12, 12) : QRect();
}

QRect TBetterGroupBox::minimizeBtnRect() const
{
    return QRect(width() - 16, 2, 12, 12);
}

void TBetterGroupBox::enableChildren()
{
    // Snapshot first: a child's reaction to its EnabledChange may reparent
    // or delete siblings.
    QList<QPointer<QWidget>> kids;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // A window parented to the box is not inside its frame.
        if (widget && !widget->isWindow())
            kids.append(widget);
    }
    for (const QPointer<QWidget>& widget : kids)
        if (widget)
            widget->setEnabled(FChecked);
}

void TBetterGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect checkBox = checkBoxRect();

    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();

    int left = 0;
    int top = textHeight / 2 - 1;
    int right = width();
    int bottom = height();
    if (FCtl3D) {
        frameRect(painter, left + 1, top + 1, right, bottom, palette().color(QPalette::Light));
        right -= 1;
        bottom -= 1;
        frameRect(painter, left, top, right, bottom, palette().color(QPalette::Dark));
    } else {
        frameRect(painter, left, top, right, bottom, palette().color(QPalette::WindowText));
    }

    const QString caption = title();
    if (!caption.isEmpty()) {
        const int textWidth = metrics.horizontalAdvance(caption);
        int captionLeft;
        if (FCaptionCenter)
            captionLeft = (width() - textWidth) / 2;
        else if (layoutDirection() == Qt::RightToLeft)
            captionLeft = right - textWidth - 8;
        else
            captionLeft = checkBox.width() + 8;

        // The painter already reads right to left under a right-to-left
        // layout; the rectangle is cut to the text, so no alignment is needed.
        const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
        const QSize extent = metrics.size(flags, caption);
        const QRect captionRect(captionLeft, 0, extent.width(), extent.height());
        // Opaque, so the caption blanks the frame line it crosses.
        painter.fillRect(captionRect, palette().color(backgroundRole()));
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(captionRect, flags, caption);
    }

    if (FShowEnableBtn) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = checkBox;
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        option.state |= FChecked ? QStyle::State_On : QStyle::State_Off;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
    }

    if (FShowMinimizeBtn)
        drawCaptionButton(painter, minimizeBtnRect());
}

// A title-bar style button: the restore-to-full glyph while collapsed, the
// minimize glyph while expanded. Drawn rather than taken from the style's
// title-bar icons, which some styles scale poorly to 12 pixels or lack.
void TBetterGroupBox::drawCaptionButton(QPainter& painter, const QRect& rect) const
{
    const QBrush face = palette().brush(QPalette::Button);
    qDrawWinButton(&painter, rect, palette(), false, &face);

    const QColor glyph = palette().color(QPalette::ButtonText);
    const int x = rect.left();
    const int y = rect.top();
    if (FCollapsed) {
        painter.fillRect(x + 2, y + 2, 8, 2, glyph);
        painter.fillRect(x + 2, y + 2, 1, 7, glyph);
        painter.fillRect(x + 9, y + 2, 1, 7, glyph);
        painter.fillRect(x + 2, y + 8, 8, 1, glyph);
    } else {
        painter.fillRect(x + 3, y + 7, 6, 2, glyph);
    }
}

void TBetterGroupBox::mousePressEvent(QMouseEvent* event)
{
    QGroupBox::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The box owns its left presses; passed on, a press on a nested box's
    // check box would also land on the enclosing box's.
    event->accept();

    const QPoint pos = event->position().toPoint();
    // A handler may delete the box.
    const QPointer<TBetterGroupBox> alive(this);

    if (FShowMinimizeBtn && minimizeBtnRect().contains(pos)) {
        if (FCollapsed) {
            resize(width(), FExpandedHeight);
        } else {
            FExpandedHeight = height();
            resize(width(), CollapsedHeight);
        }
        update();
        FCollapsed = !FCollapsed;
        if (FOnMinimize)
            FOnMinimize(this);
        if (!alive)
            return;
        emit minimized();
        if (!alive)
            return;
    }

    if (FShowEnableBtn && checkBoxRect().contains(pos)) {
        FChecked = !FChecked;
        enableChildren();
        update();
        if (FOnCheck)
            FOnCheck(this);
        if (!alive)
            return;
        emit checkToggled();
    }
}
