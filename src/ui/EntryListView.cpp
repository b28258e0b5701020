#include "ui/EntryListView.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// A row that draws its marks: they answer the view's questions for colour, font
// and tooltip, and are set without the model's change signals, which would count
// as changes of the configuration.
class EntryItem final : public QTreeWidgetItem
{
public:
    EntryListView::RowMarks marks;

    QVariant data(int column, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::CheckStateRole
            || (!marks.skipped() && !marks.dangling))
            return QTreeWidgetItem::data(column, role);
        const bool redCell = marks.dangling && column == FieldAccess;
        switch (role) {
        case Qt::ForegroundRole:
            if (redCell)
                return QBrush(QColor(0xC0, 0x00, 0x00));
            if (marks.skipped())
                return QBrush(QColor(0x80, 0x80, 0x80));
            break;
        case Qt::FontRole:
            if (marks.skipped()) {
                QFont f = treeWidget()->font();
                f.setItalic(true);
                return f;
            }
            break;
        case Qt::ToolTipRole: {
            QStringList tips;
            if (redCell)
                tips << QStringLiteral("Няма такава системна БД");
            if (marks.skipped())
                tips << skippedTip();
            if (!tips.isEmpty())
                return tips.join(u'\n');
            break;
        }
        default:
            break;
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    QString skippedTip() const
    {
        QStringList empty;
        for (int f = 0; f < FieldCount; ++f)
            if (marks.empty & (1u << f))
                empty << treeWidget()->headerItem()->text(f);
        return QStringLiteral("Програмите на Калвор пропускат този запис. Празно: ") + empty.join(QStringLiteral(", "));
    }
};

// A skipped row draws its texts grey; its check box keeps the list's own colours,
// so that it does not look disabled: it can still be checked and unchecked.
class MarkDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() != 0 || !index.data(Qt::ForegroundRole).isValid())
            return;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        if (!(opt.features & QStyleOptionViewItem::HasCheckIndicator))
            return;
        const QWidget *widget = option.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        opt.palette = option.palette;
        opt.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
        opt.state &= ~QStyle::State_HasFocus;
        opt.state |= opt.checkState == Qt::Checked ? QStyle::State_On
                     : opt.checkState == Qt::PartiallyChecked ? QStyle::State_NoChange : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &opt, painter, widget);
    }
};

} // namespace

EntryListView::EntryListView(const QString &lastColumnCaption, const QList<int> &widths, QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(FieldCount);
    setHeaderLabels({QStringLiteral("Име - вътрешно"), QStringLiteral("Етикет(за показване)"),
                     QStringLiteral("Сървер IP (HostName)"), QStringLiteral("Име на базата"), lastColumnCaption});
    for (int i = 0; i < widths.size() && i < FieldCount; ++i)
        setColumnWidth(i, widths[i]);
    setItemDelegate(new MarkDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);

    QAbstractItemModel *m = model();
    auto notify = [this] {
        if (!FTakingFocus)
            emit changed();
    };
    connect(m, &QAbstractItemModel::dataChanged, this, notify);
    connect(m, &QAbstractItemModel::rowsInserted, this, notify);
    connect(m, &QAbstractItemModel::rowsRemoved, this, notify);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, notify);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, notify);
}

int EntryListView::count() const
{
    return topLevelItemCount();
}

bool EntryListView::isChecked(int row) const
{
    return topLevelItem(row)->checkState(0) == Qt::Checked;
}

void EntryListView::setChecked(int row, bool checked)
{
    topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

QString EntryListView::text(int row, int field) const
{
    return topLevelItem(row)->text(field);
}

void EntryListView::setText(int row, int field, const QString &text)
{
    topLevelItem(row)->setText(field, text);
}

int EntryListView::append()
{
    auto *item = new EntryItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
    item->setCheckState(0, Qt::Unchecked);
    addTopLevelItem(item);
    return topLevelItemCount() - 1;
}

void EntryListView::remove(int row)
{
    // Qt would select the next row in its place, and a second Delete would take it too.
    const bool wasSelected = row == selectedRow();
    delete takeTopLevelItem(row);
    if (wasSelected)
        clearSelection();
}

int EntryListView::selectedRow() const
{
    const QList<QTreeWidgetItem *> sel = selectedItems();
    return sel.isEmpty() ? -1 : indexOfTopLevelItem(sel.first());
}

void EntryListView::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    setCurrentItem(topLevelItem(row));
}

int EntryListView::rowAt(const QPoint &pos) const
{
    // A row spans the whole width, right of the last column included.
    QTreeWidgetItem *item = itemAt(QPoint(header()->sectionViewportPosition(0), pos.y()));
    return item ? indexOfTopLevelItem(item) : -1;
}

QList<int> EntryListView::columnWidths() const
{
    QList<int> w;
    for (int i = 0; i < header()->count(); ++i)
        w.append(header()->sectionSize(header()->logicalIndex(i)));
    return w;
}

int EntryListView::horizontalScrollPixels() const
{
    return horizontalScrollBar()->value();
}

void EntryListView::setRowMarks(int row, RowMarks marks)
{
    auto *item = static_cast<EntryItem *>(topLevelItem(row));
    if (item->marks == marks)
        return;
    item->marks = marks;
    viewport()->update();
}

EntryListView::RowMarks EntryListView::rowMarks(int row) const
{
    return static_cast<const EntryItem *>(topLevelItem(row))->marks;
}

void EntryListView::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
    emit keyDown(event);
    if (!event->isAccepted())
        QTreeWidget::keyPressEvent(event);
}

void EntryListView::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event);
    QTreeWidget::mousePressEvent(event);
}

void EntryListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit mouseDown(event);
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}

void EntryListView::focusInEvent(QFocusEvent *event)
{
    // Qt makes a row current when the list gets the focus from the keyboard;
    // that is no change of the configuration.
    FTakingFocus = true;
    QTreeWidget::focusInEvent(event);
    FTakingFocus = false;
}
