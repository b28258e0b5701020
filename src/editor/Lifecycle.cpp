// Start, load, save and close of the editor, and its message log.
#include "config/KalCfg.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString kCommon = QStringLiteral("Common");

// The suite's login library; only its presence is checked. The suite's own
// installations spell it in various letter cases.
bool loginLibraryPresent()
{
    const QDir dir(ProgramDir());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.compare(QLatin1String("rodivavi.dll"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void TfrmeKMain::FormCreate()
{
    PageControl1->setActivePageIndex(0);
    if (!loginLibraryPresent())
        Prompt::message(this, QStringLiteral("Не е открита Rodivavi.dll -- Вероятно ще има проблеми при стартиране на програмите !"));
    if (LoadCfg())
        FModified = false;
}

bool TfrmeKMain::LoadCfg()
{
    try {
        ProfileFile ini(CfgFileName());
        edDefServer->setText(ini.readString(kCommon, QStringLiteral("DefServerIP")));
        edDefBasePath->setText(ini.readString(kCommon, QStringLiteral("DefDBDir")));
        const ErrorSink report = [this](const QString &m) { showError(m); };
        LoadLvFromIni(ini, *lvSystem, QLatin1String(Catalogue::SystemSection), report);
        for (const Page &p : std::as_const(FPages))
            p.frame->setChecked(LoadLvFromIni(ini, *p.list, QLatin1String(p.def->section), report));
        return true;
    } catch (const std::exception &e) {
        const QString text = QString::fromLocal8Bit(e.what());
        showError(QStringLiteral("Грешка : ") + text);
        AddMsg(QStringLiteral("LoadCfg"), text);
        return false;
    }
}

void TfrmeKMain::sbSaveClick()
{
    try {
        // The whole file is prepared first and replaces the old one in one step:
        // the suite's programs never read a half-written configuration.
        ProfileFile ini(CfgFileName());
        ini.writeString(QStringLiteral("Common"), QStringLiteral("DefServerIP"), edDefServer->text());
        ini.writeString(QStringLiteral("common"), QStringLiteral("DefDBDir"), edDefBasePath->text());
        const ErrorSink report = [this](const QString &m) { showError(m); };
        SaveLvToIni(ini, *lvSystem, QLatin1String(Catalogue::SystemSection), report);
        for (const Page &p : std::as_const(FPages)) {
            const QString section = QLatin1String(p.def->section);
            if (p.frame->Checked())
                SaveLvToIni(ini, *p.list, section, report);
            else
                ini.eraseSection(section);
        }
        ini.commit();
        FModified = false;
    } catch (const ProfileError &e) {
        showError(QStringLiteral("Грешка при запис на конфигурация!") + QChar(13) + e.message());
    } catch (const std::exception &e) {
        showError(QStringLiteral("Грешка при запис на конфигурация!") + QChar(13) + QString::fromLocal8Bit(e.what()));
    }
}

void TfrmeKMain::sbExitClick()
{
    close();
}

bool TfrmeKMain::FormCloseQuery()
{
    bool CanClose = true;
    if (FModified && !Prompt::confirm(this, QStringLiteral("Направените промени ще бъдат загубени! Сигурни ли сте ?")))
        CanClose = false;
    return CanClose;
}

void TfrmeKMain::edDefBasePathExit()
{
    const QString dir = edDefBasePath->text();
    if (dir.isEmpty() || dir.endsWith(u'\\') || dir.endsWith(u'/'))
        return;
    // The suite's directories are Windows paths; a directory written with
    // forward slashes (one of this machine's) keeps them.
    const bool slashes = dir.contains(u'/') && !dir.contains(u'\\');
    edDefBasePath->setText(dir + (slashes ? u'/' : u'\\'));
}

void TfrmeKMain::AddMsg(const QString &source, const QString &message)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    mmMsg->appendPlainText(QStringLiteral("%1 - %2 : %3").arg(stamp, source, message));
}

void TfrmeKMain::lvSystemChange()
{
    FModified = true;
}

void TfrmeKMain::showError(const QString &message)
{
    Prompt::message(this, message);
}
