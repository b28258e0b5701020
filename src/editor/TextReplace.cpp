// "Промяна текст ": one text replaced by another across several lists.
#include "ui/EntryListView.h"
#include "ui/ekMain.h"

void TfrmeKMain::ReplaceInList(EntryListView *, const QString &, const QString &) {}
void TfrmeKMain::sbChangeTextClick() {}
