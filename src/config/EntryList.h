#pragma once

#include <QList>
#include <QString>

#include <array>

// The five texts of a database entry, in the order the lists show them.
enum EntryField {
    FieldName = 0,   // internal name, the row's caption
    FieldLabel = 1,  // label shown to users
    FieldServer = 2, // server address or host name
    FieldPath = 3,   // database path on that server
    FieldAccess = 4, // access-database reference; the comment in the system list
    FieldCount = 5
};

// What loading and saving need of an entry list. The window's list control
// implements it (its rows are the data); MemoryEntryList serves tests and
// benchmarks without widgets.
class EntryList
{
public:
    virtual ~EntryList() = default;

    virtual int count() const = 0;
    virtual bool isChecked(int row) const = 0;
    virtual void setChecked(int row, bool checked) = 0;
    virtual QString text(int row, int field) const = 0;
    virtual void setText(int row, int field, const QString &text) = 0;
    // Appends an entry with five empty texts, unchecked; returns its row.
    virtual int append() = 0;
    virtual void remove(int row) = 0;
};

class MemoryEntryList : public EntryList
{
public:
    struct Entry
    {
        bool checked = false;
        std::array<QString, FieldCount> texts;
    };

    int count() const override { return int(m_rows.size()); }
    bool isChecked(int row) const override { return m_rows[row].checked; }
    void setChecked(int row, bool checked) override { m_rows[row].checked = checked; }
    QString text(int row, int field) const override { return m_rows[row].texts[field]; }
    void setText(int row, int field, const QString &text) override { m_rows[row].texts[field] = text; }
    int append() override
    {
        m_rows.append(Entry{});
        return int(m_rows.size()) - 1;
    }
    void remove(int row) override { m_rows.removeAt(row); }

    void reserve(int n) { m_rows.reserve(n); }
    const QList<Entry> &rows() const { return m_rows; }

private:
    QList<Entry> m_rows;
};
