// "Промяна текст ": one text replaced by another across several lists.
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/ReplOpt.h"
#include "ui/ekMain.h"

namespace {

// The pages whose lists the replacement reaches: the first three.
constexpr int kReplacedPages = 3;

} // namespace

void TfrmeKMain::ReplaceInList(EntryListView *list, const QString &oldText, const QString &newText)
{
    if (oldText.isEmpty())
        return; // an empty text would be "found" between every two characters
    MarksHold hold(*this); // every system entry may change: one pass at the end
    for (int row = 0; row < list->count(); ++row) {
        for (int field = 0; field < FieldCount; ++field) {
            const QString text = list->text(row, field);
            // Left to right, case-sensitive, never overlapping, inserted text never
            // searched again. A text without the old one is left alone, so that
            // a replacement that finds nothing changes nothing.
            if (!text.contains(oldText, Qt::CaseSensitive))
                continue;
            QString replaced = text;
            replaced.replace(oldText, newText, Qt::CaseSensitive);
            list->setText(row, field, replaced);
        }
    }
}

void TfrmeKMain::sbChangeTextClick()
{
    QString oldText, newText;
    int option = 0;
    if (!AskReplaceText(oldText, newText, option))
        return;
    if (option == 0) {
        ReplaceInList(lvSystem, oldText, newText);
        for (int i = 0; i < kReplacedPages; ++i)
            ReplaceInList(listAt(i), oldText, newText);
    } else if (option == 1) {
        const int index = PageControl1->activePageIndex();
        if (index >= 0 && index < kReplacedPages)
            ReplaceInList(listAt(index), oldText, newText);
    }
}
