#pragma once

#include "config/EntryList.h"

#include <QTreeWidget>

// The entry list control shared by the system list and every application page:
// report view with five columns, a check box on every row, whole-row selection
// of at most one row, no in-place editing and no sorting. Its rows are the data.
class EntryListView : public QTreeWidget, public EntryList
{
    Q_OBJECT

public:
    // The fifth column is headed "Коментар" in the system list and
    // "База за достъп" on the application pages.
    EntryListView(const QString &lastColumnCaption, const QList<int> &widths, QWidget *parent = nullptr);

    // EntryList
    int count() const override;
    bool isChecked(int row) const override;
    void setChecked(int row, bool checked) override;
    QString text(int row, int field) const override;
    void setText(int row, int field, const QString &text) override;
    int append() override;
    void remove(int row) override;

    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);
    // The row under a point of the viewport, or -1.
    int rowAt(const QPoint &pos) const;
    // Current width of each column, and the horizontal scroll position in pixels.
    QList<int> columnWidths() const;
    int horizontalScrollPixels() const;

    // What the editor found about a row, to be drawn: shown, never stored, and no
    // change of the row (it raises no change notification).
    struct RowMarks
    {
        unsigned empty = 0;    // bit (1 << field) for each field the suite's readers find blank
        bool dangling = false; // the access cell names no system database
        bool skipped() const { return empty != 0; }
        bool operator==(const RowMarks &) const = default;
    };
    // A skipped row is drawn in grey italics, its tooltip naming the empty fields by
    // their column captions; a dangling access cell in red.
    void setRowMarks(int row, RowMarks marks);
    RowMarks rowMarks(int row) const;

signals:
    // Any change of a row: text, check mark, added, deleted, selected or current;
    // not the current row that Qt sets when the list receives the focus.
    void changed();
    void keyDown(QKeyEvent *event);
    // Every press, the second press of a double click included, with its viewport position.
    void mouseDown(QMouseEvent *event);
    // A double click of the left button.
    void dblClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    bool FTakingFocus = false;
};
