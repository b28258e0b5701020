// "Нова БД", "Промяна на път" and "Промяна на БД за достъп": one implementation
// of each, run on whichever list the pressed button belongs to.
#include "ui/EntryListView.h"
#include "ui/GetSysName.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

// The file dialog keeps its file name from one use to the next.
void setOpdFileName(QFileDialog *opd, const QString &name)
{
    opd->setProperty(Prompt::ProposedFileProperty, name);
    opd->selectFile(name);
}

// A name typed without an extension got the dialog's default one in its own
// letter case ("zz9" became "zz9.GDB"). The suite's files are named on Windows,
// where letter case does not count: an existing "zz9.gdb" is the file meant.
QString withExistingExtension(const QFileDialog *opd, const QString &path)
{
    const QString suffix = u'.' + opd->defaultSuffix();
    if (opd->defaultSuffix().isEmpty() || !path.endsWith(suffix) || QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString base = info.fileName().chopped(suffix.size());
    for (const QString &name : info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.size() == base.size() + suffix.size() && name.startsWith(base)
            && name.endsWith(suffix, Qt::CaseInsensitive))
            return info.dir().filePath(name);
    return path;
}

// Asks for a database file. The path comes back with this platform's
// separators ("C:\Data\t3.gdb" on Windows, where the suite reads it). A network
// path is refused; a file that does not exist ends the command silently.
bool chooseDatabaseFile(TfrmeKMain *w, QString &path)
{
    QFileDialog *opd = w->opd;
    opd->selectFile(opd->property(Prompt::ProposedFileProperty).toString());
    QString chosen;
    if (!Prompt::openFile(*opd, chosen))
        return false;
    // A network path is refused before anything else: on this machine "//srv/x"
    // would otherwise pass for the local "/srv/x".
    auto isSep = [](QChar c) { return c == u'\\' || c == u'/'; };
    const bool network = chosen.size() >= 2 && isSep(chosen[0]) && isSep(chosen[1]);
    if (!network)
        chosen = withExistingExtension(opd, chosen);
    // Only the name is kept: a path would take the next "Нова БД" to the last
    // file's directory instead of the default one.
    setOpdFileName(opd, QFileInfo(chosen).fileName());
    if (network) {
        Prompt::error(w, QStringLiteral("Трябва да посочите локален път !"));
        return false;
    }
    if (chosen.isEmpty() || !QFileInfo::exists(chosen))
        return false;
    path = QDir::toNativeSeparators(chosen);
    return true;
}

} // namespace

void TfrmeKMain::NewEntry(EntryListView *list, const QString &prefix, const QString &access)
{
    const int n = list->count();
    QString name = n == 0 ? prefix + QStringLiteral("_db") : prefix + QString::number(n) + QStringLiteral("_db");
    if (!Prompt::input(this, QStringLiteral("Име на базата"), QStringLiteral("Име"), name, 255))
        return;
    const QString server = edDefServer->text(); // read before the file dialog opens
    opd->setDirectory(edDefBasePath->text());
    QString path;
    if (!chooseDatabaseFile(this, path))
        return;
    AddEntry(list, name, name, server, path, access);
}

void TfrmeKMain::ChangeEntryPath(EntryListView *list)
{
    const int row = list->selectedRow();
    if (row < 0)
        return;
    setOpdFileName(opd, list->text(row, FieldLabel));
    QString path;
    if (!chooseDatabaseFile(this, path))
        return;
    list->setText(row, FieldPath, path);
}

void TfrmeKMain::ChangeAccessDB(EntryListView *list)
{
    const int row = list->selectedRow();
    if (row < 0)
        return;
    QString result;
    ChooseFromList(QStringLiteral("База за достъп до ") + list->text(row, FieldName), QStringLiteral("База"),
                   SystemDBChoices(), result);
    if (!result.isEmpty())
        list->setText(row, FieldAccess, result);
}

void TfrmeKMain::sbNewSysDBClick()
{
    NewEntry(lvSystem, QLatin1String(Catalogue::SystemPrefix), QString::fromUtf8(Catalogue::SystemNewAccess));
    // Whatever the first step did, the last system entry gets its own reference.
    try {
        const int last = lvSystem->count() - 1;
        if (last >= 0)
            lvSystem->setText(last, FieldAccess, AccessDBOf(last));
    } catch (...) {
    }
}

void TfrmeKMain::sbChangeSysDBClick()
{
    ChangeEntryPath(lvSystem);
}

void TfrmeKMain::newButtonClick(const Page &page)
{
    // The access reference is taken at the click, before any dialog opens.
    NewEntry(page.list, QString::fromUtf8(page.def->prefix), DefaultAccessDB());
}
