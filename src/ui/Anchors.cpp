#include "ui/Anchors.h"

#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

class AnchorKeeper : public QObject
{
public:
    struct Item
    {
        QPointer<QWidget> child;
        QRect rect;
        QSize design;
        int anchors;
    };

    static constexpr const char *Name = "anchorKeeper";

    explicit AnchorKeeper(QWidget *parent) : QObject(parent), m_parent(parent)
    {
        setObjectName(QLatin1String(Name));
        parent->installEventFilter(this);
    }

    void add(const Item &item)
    {
        m_items.append(item);
        apply(m_items.last());
    }

    bool eventFilter(QObject *obj, QEvent *event) override
    {
        if (obj == m_parent && event->type() == QEvent::Resize)
            for (const Item &item : m_items)
                apply(item);
        return false;
    }

private:
    void apply(const Item &item) const
    {
        if (!item.child)
            return;
        const int dw = m_parent->width() - item.design.width();
        const int dh = m_parent->height() - item.design.height();
        QRect r = item.rect;
        if (item.anchors & AnchorRight) {
            if (item.anchors & AnchorLeft)
                r.setWidth(qMax(0, r.width() + dw));
            else
                r.moveLeft(r.left() + dw);
        }
        if (item.anchors & AnchorBottom) {
            if (item.anchors & AnchorTop)
                r.setHeight(qMax(0, r.height() + dh));
            else
                r.moveTop(r.top() + dh);
        }
        item.child->setGeometry(r);
    }

    QWidget *m_parent;
    QList<Item> m_items;
};

} // namespace

void placeAnchored(QWidget *child, const QRect &rect, const QSize &parentDesignSize, int anchors)
{
    QWidget *parent = child->parentWidget();
    // Found by name: the keeper is no Q_OBJECT class of its own.
    auto *keeper = static_cast<AnchorKeeper *>(
        parent->findChild<QObject *>(QLatin1String(AnchorKeeper::Name), Qt::FindDirectChildrenOnly));
    if (!keeper)
        keeper = new AnchorKeeper(parent);
    keeper->add({child, rect, parentDesignSize, anchors});
}
