// What all 18 entry lists share: adding with the duplicate question, the
// access-database references, the default-entry rules, deleting and cell editing.
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

using Catalogue::Rule;

namespace {

// Empty after removing the characters of code 0 to 32 at both ends.
bool isBlankText(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 32)
            return false;
    return true;
}

QString referenceOf(const EntryList &list, int row)
{
    return list.text(row, FieldName) + u'@' + list.text(row, FieldServer) + u':' + list.text(row, FieldPath);
}

} // namespace

int TfrmeKMain::AddEntry(EntryListView *list, const QString &name, const QString &label, const QString &server,
                         const QString &path, const QString &access)
{
    const int n = list->count();
    for (int i = 0; i < n; ++i) {
        if (list->text(i, FieldName) == name
            && !Prompt::confirm(this, name + QStringLiteral(" вече е добавен . Да се добави ли отново?")))
            return -1;
    }
    const int row = list->append();
    list->setText(row, FieldName, name);
    list->setText(row, FieldLabel, label);
    list->setText(row, FieldServer, server.isEmpty() ? QStringLiteral("127.0.0.1") : server);
    list->setText(row, FieldPath, path);
    list->setText(row, FieldAccess, access);
    list->setChecked(row, true);
    return row;
}

QString TfrmeKMain::DefaultAccessDB() const
{
    return lvSystem->count() == 0 ? QString() : referenceOf(*lvSystem, 0);
}

QString TfrmeKMain::AccessDBOf(int index) const
{
    if (lvSystem->count() == 0 || index < 0 || index >= lvSystem->count())
        return QString();
    return referenceOf(*lvSystem, index);
}

QString TfrmeKMain::SystemDBChoices() const
{
    QString out;
    for (int i = 0; i < lvSystem->count(); ++i)
        if (lvSystem->isChecked(i))
            out += referenceOf(*lvSystem, i) + QChar(13);
    // The last reference ends with a blank instead of a line break.
    if (!out.isEmpty())
        out[out.size() - 1] = u' ';
    return out;
}

void TfrmeKMain::runRule(Rule rule)
{
    if (rule == Rule::None)
        return;
    const Catalogue::RuleDef &def = Catalogue::rule(rule);
    EntryListView *target = listAt(def.targetPage);
    const QString name = QString::fromUtf8(def.name);
    const QString label = QString::fromUtf8(def.label);
    const QString path = edDefBasePath->text() + QString::fromUtf8(def.fileName);

    if (rule == Rule::System) {
        // An entry 0 left without label and path is taken away first.
        if (target->count() > 0 && isBlankText(target->text(0, FieldLabel)) && isBlankText(target->text(0, FieldPath)))
            target->remove(0);
        if (target->count() > 0)
            return;
        AddEntry(target, name, label, edDefServer->text(), path, QString());
        if (target->count() > 0)
            target->setText(0, FieldAccess, DefaultAccessDB()); // its own reference
        return;
    }
    if (target->count() > 0)
        return;
    const QString access = DefaultAccessDB();
    AddEntry(target, name, label, edDefServer->text(), path, access);
}

void TfrmeKMain::lvSystemEnter() { runRule(Rule::System); }
void TfrmeKMain::lvAOffEnter() { runRule(Rule::Office); }
void TfrmeKMain::lvPropEnter() { runRule(Rule::Properties); }
void TfrmeKMain::lvREREnter() { runRule(Rule::Trade); }
void TfrmeKMain::lvJKEnter() { runRule(Rule::Housing); }
void TfrmeKMain::lvKalvorFloorEnter() { runRule(Rule::Floor); }
void TfrmeKMain::PageControl1Enter() { runRule(Rule::Agency); }

void TfrmeKMain::frameCheck(const Page &page)
{
    const Catalogue::PageDef &def = *page.def;
    if (def.checkRule == Rule::None)
        return;
    // The condition frame decides, not the frame that was clicked.
    const Page *condition = pageAt(def.conditionPage);
    if (condition && condition->frame->Checked())
        runRule(def.checkRule);
}

void TfrmeKMain::bgbAOffCheck() { frameCheck(*pageAt(0)); }
void TfrmeKMain::bgbPropCheck() { frameCheck(*pageAt(1)); }
void TfrmeKMain::bgbRerCheck() { frameCheck(*pageAt(2)); }
void TfrmeKMain::bgJKCheck() { frameCheck(*pageAt(9)); }

void TfrmeKMain::lvSystemKeyDown(EntryListView *list, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete)
        return;
    event->accept();
    const int row = list->selectedRow();
    if (row >= 0)
        list->remove(row);
}

void TfrmeKMain::lvSystemMouseDown(EntryListView *, QMouseEvent *event)
{
    FClickX = int(event->position().x());
    FClickY = int(event->position().y());
}

void TfrmeKMain::lvSystemDblClick(EntryListView *list)
{
    EditCell(list);
}

int TfrmeKMain::ColumnAt(EntryListView *list, int x) const
{
    const int p = list->horizontalScrollPixels();
    const QList<int> widths = list->columnWidths();
    int s = 0;
    for (int i = 0; i < widths.size(); ++i) {
        s += widths[i];
        if (s >= x + p)
            return i;
    }
    if (widths.isEmpty())
        return -1;
    // Right of the last column: the last column, unless the list is scrolled
    // so far that the point lies within the scrolled-away width.
    return s <= x ? int(widths.size()) - 1 : -1;
}

void TfrmeKMain::EditCell(EntryListView *list)
{
    const int c = ColumnAt(list, FClickX);
    const int row = list->rowAt(QPoint(FClickX, FClickY));
    if (c < 0 && row >= 0)
        return; // no cell under the point
    QString value = row >= 0 ? list->text(row, c) : QString();
    if (!Prompt::input(this, QStringLiteral("Нова стойност"), QStringLiteral("Стойност"), value, 255))
        return;
    if (row >= 0)
        list->setText(row, c, value);
}
