// "Нова БД", "Промяна на път" and "Промяна на БД за достъп" of every list.
#include "ui/EntryListView.h"
#include "ui/ekMain.h"

void TfrmeKMain::NewEntry(EntryListView *, const QString &, const QString &) {}
void TfrmeKMain::ChangeEntryPath(EntryListView *) {}
void TfrmeKMain::ChangeAccessDB(EntryListView *) {}
void TfrmeKMain::sbNewSysDBClick() {}
void TfrmeKMain::sbChangeSysDBClick() { ChangeEntryPath(lvSystem); }
void TfrmeKMain::newButtonClick(const Page &page)
{
    NewEntry(page.list, QString::fromUtf8(page.def->prefix), DefaultAccessDB());
}
