// Marks on the lists: the entries that the suite's readers skip, and the access
// references that name no checked system entry (after a system database moved,
// the suite's logins through them fail). Only drawn; nothing in the file changes.
#include "config/Catalogue.h"
#include "config/ProfileFile.h"
#include "ui/EntryListView.h"
#include "ui/ekMain.h"

namespace {

// What a reader gets back of the text after a save is empty: a NUL ends it, and
// the profile readers drop the white space at its ends.
bool readsBlank(const QString &s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    return ProfileFile::trimmed(QStringView(s).left(nul < 0 ? s.size() : nul)).isEmpty();
}

// Without the white space at both ends; the text itself (shared, not copied) when it has none.
QString withoutEndBlanks(const QString &s)
{
    const QStringView t = ProfileFile::trimmed(s);
    return t.size() == s.size() ? s : t.toString();
}

// The fields whose emptiness makes the suite's readers skip an entry. In the system
// list the last field is the comment, and it counts there too.
constexpr int kRequiredFields[] = {FieldName, FieldLabel, FieldPath, FieldAccess};

unsigned emptyFields(const EntryList &list, int row)
{
    unsigned empty = 0;
    for (const int f : kRequiredFields)
        if (readsBlank(list.text(row, f)))
            empty |= 1u << f;
    return empty;
}

} // namespace

TfrmeKMain::MarksHold::MarksHold(TfrmeKMain &w) : m_w(w)
{
    ++m_w.FMarksHeld;
}

TfrmeKMain::MarksHold::~MarksHold()
{
    if (--m_w.FMarksHeld == 0)
        m_w.markAllLists();
}

QSet<QString> TfrmeKMain::checkedSystemReferences() const
{
    QSet<QString> refs;
    const int n = lvSystem->count();
    refs.reserve(n);
    for (int i = 0; i < n; ++i)
        if (lvSystem->isChecked(i))
            refs.insert(withoutEndBlanks(AccessDBOf(i)));
    return refs;
}

void TfrmeKMain::markRows(EntryListView *list, int first, int last)
{
    // The system list's comment is no reference: it gets no red mark.
    const bool references = list != lvSystem;
    for (int row = first; row <= last; ++row) {
        EntryListView::RowMarks marks;
        marks.empty = emptyFields(*list, row);
        if (references && !(marks.empty & (1u << FieldAccess)))
            marks.dangling = !FSystemRefs.contains(withoutEndBlanks(list->text(row, FieldAccess)));
        list->setRowMarks(row, marks);
    }
}

void TfrmeKMain::markAllLists()
{
    FSystemRefs = checkedSystemReferences();
    markRows(lvSystem, 0, lvSystem->count() - 1);
    for (const Page &p : std::as_const(FPages))
        markRows(p.list, 0, p.list->count() - 1);
}

void TfrmeKMain::systemEntriesChanged()
{
    if (FMarksHeld > 0)
        return;
    QSet<QString> refs = checkedSystemReferences();
    if (refs == FSystemRefs)
        return; // a label or comment changed, or a selection: no reference moved
    FSystemRefs.swap(refs);
    for (const Page &p : std::as_const(FPages))
        markRows(p.list, 0, p.list->count() - 1);
}

void TfrmeKMain::listRowsChanged(EntryListView *list, int first, int last)
{
    if (FMarksHeld > 0)
        return; // the hold's end marks everything
    if (list == lvSystem)
        systemEntriesChanged();
    markRows(list, first, last);
}

void TfrmeKMain::logListMarks()
{
    for (const Page &p : std::as_const(FPages)) {
        int skipped = 0, dangling = 0;
        for (int row = 0; row < p.list->count(); ++row) {
            const EntryListView::RowMarks marks = p.list->rowMarks(row);
            skipped += marks.skipped() ? 1 : 0;
            dangling += marks.dangling ? 1 : 0;
        }
        if (skipped || dangling)
            AddMsg(QStringLiteral("LoadCfg"), QStringLiteral("%1 - пропускани записи: %2, с липсваща системна БД: %3")
                                                  .arg(Catalogue::str(p.def->tabCaption))
                                                  .arg(skipped)
                                                  .arg(dangling));
    }
}
