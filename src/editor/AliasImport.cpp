// Entries taken from the database engine's aliases: the well-known ones all at
// once, or one InterBase alias chosen for a page.
#include "config/KalCfg.h"
#include "editor/BdeEngine.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/GetSysName.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QLineEdit>

namespace {

// The well-known aliases, imported in this order by "От BDE алиаси".
struct ImportStep
{
    const char *alias;    // becomes the internal name, spelled as here
    const char *label;
    int page;             // the catalogue page whose list receives it, or the system list
    bool switchesOn;      // the page's frame is checked when the alias exists
    bool setsSystemAccess; // the first system entry gets its own reference
    const char *missing;  // logged when the alias does not exist
};

const ImportStep kImportAll[] = {
    {"sys_db", "sys_db", Catalogue::SystemListPage, false, true, "sys_db не е открит!"},
    {"data_db", "Документи", 0, true, false, "data_db не е открит!"},
    {"old_docdb", "Документи - прикл", 0, false, false, "old_docdb не е открит!"},
    {"prop_db", "Имоти", 1, true, false, "prop_db не е открит!"},
    {"l_data", "Лицензи", 2, true, false, "l_Data не е открит!"},
};

constexpr int kMaxAliasPath = 999;

bool isInterBaseDriver(const QString &driver)
{
    // Only the letters A to Z compare without case.
    static const QString ib = QStringLiteral("INTRBASE");
    if (driver.size() != ib.size())
        return false;
    for (int i = 0; i < ib.size(); ++i) {
        QChar c = driver[i];
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
        if (c != ib[i])
            return false;
    }
    return true;
}

} // namespace

BdeEngine &TfrmeKMain::engine()
{
    if (!FEngine)
        FEngine = std::make_unique<FileBdeEngine>(FileBdeEngine::defaultPath());
    return *FEngine;
}

void TfrmeKMain::setEngine(std::unique_ptr<BdeEngine> engine)
{
    FEngine = std::move(engine);
}

bool TfrmeKMain::GetLocalHostAddr(QString &address)
{
    if (FLocalHostLookup)
        return FLocalHostLookup(address);
    const QString name = QHostInfo::localHostName();
    if (name.isEmpty())
        return false;
    const QHostInfo info = QHostInfo::fromName(name);
    if (info.error() != QHostInfo::NoError)
        return false;
    // Only the first IPv4 address counts, however many adapters the machine has.
    for (const QHostAddress &a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            address = a.toString();
            return true;
        }
    }
    return false;
}

bool TfrmeKMain::GetInfofromAlias(EntryListView *list, const QString &alias, const QString &label)
{
    BdeEngine &bde = engine();
    if (!bde.EngineAliasExists(alias)) {
        AddMsg(QStringLiteral("GetInfofromAlias"), alias + QStringLiteral(" - не е открит"));
        return false;
    }
    QString value;
    for (const QString &param : bde.EngineAliasParams(alias)) {
        const qsizetype eq = param.indexOf(u'=');
        if (eq >= 0 && param.left(eq).compare(QLatin1String("Server Name"), Qt::CaseInsensitive) == 0) {
            value = param.mid(eq + 1);
            break;
        }
    }
    const qsizetype p = value.indexOf(u':') + 1; // from 1; 0 without a colon
    QString server, path;
    if (p == 2) {
        // A drive letter: a path on this machine, taken whole.
        server = edDefServer->text();
        path = value;
    } else {
        // "server:path" or no colon: the path only; the server is this machine.
        path = value.mid(p).left(kMaxAliasPath);
        if (!GetLocalHostAddr(server))
            server = edDefServer->text();
    }
    const QString access = DefaultAccessDB(); // before the new entry exists
    AddEntry(list, alias, label, server, path, access);
    return true;
}

void TfrmeKMain::AddFromChosenAlias(EntryListView *list, const QString &label)
{
    BdeEngine &bde = engine();
    QStringList interBase;
    for (const QString &name : bde.EngineAliasNames())
        if (isInterBaseDriver(bde.EngineAliasDriver(name)))
            interBase.append(name);
    if (interBase.isEmpty())
        return;
    QString answer;
    ChooseFromList(QStringLiteral("Изберете BDE Алиас"), QStringLiteral("Алиас"), interBase.join(QChar(13)), answer);
    if (answer.isEmpty())
        return;
    GetInfofromAlias(list, answer, label);
}

void TfrmeKMain::sbGetFromAliasClick()
{
    for (const ImportStep &step : kImportAll) {
        if (GetInfofromAlias(listAt(step.page), QString::fromUtf8(step.alias), QString::fromUtf8(step.label))) {
            if (step.setsSystemAccess && lvSystem->count() > 0)
                lvSystem->setText(0, FieldAccess, DefaultAccessDB());
            if (step.switchesOn)
                pageAt(step.page)->frame->setChecked(true); // no check rule runs
        } else {
            AddMsg(QStringLiteral("GetFromAls"), QString::fromUtf8(step.missing));
        }
    }
}

void TfrmeKMain::sbAOffAddAlsClick(QObject *Sender)
{
    const Catalogue::AliasTarget *target = Catalogue::aliasTarget(controlTag(Sender));
    if (!target)
        return;
    AddFromChosenAlias(listAt(target->page), QString::fromUtf8(target->label));
}
