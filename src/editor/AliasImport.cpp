// Entries taken from the database engine's aliases.
#include "ui/EntryListView.h"
#include "ui/ekMain.h"

bool TfrmeKMain::GetInfofromAlias(EntryListView *, const QString &, const QString &) { return false; }
void TfrmeKMain::AddFromChosenAlias(EntryListView *, const QString &) {}
void TfrmeKMain::sbGetFromAliasClick() {}
void TfrmeKMain::sbAOffAddAlsClick(QObject *) {}
