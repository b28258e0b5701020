// Start, load, save and close of the editor, and its message log.
#include "config/KalCfg.h"
#include "config/WholeConfig.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The window's controls as the state that loading and saving fill and read:
// the same sequence serves the editor and its widget-free users.
class WindowState final : public ConfigState
{
public:
    explicit WindowState(TfrmeKMain &w) : m_w(w) {}

    QString defServer() const override { return m_w.edDefServer->text(); }
    QString defBasePath() const override { return m_w.edDefBasePath->text(); }
    const EntryList &systemList() const override { return *m_w.lvSystem; }
    const EntryList &pageList(int page) const override { return *m_w.pages().at(page).list; }
    bool isSwitchedOn(int page) const override { return m_w.pages().at(page).frame->Checked(); }

    // Loading fills the edits without running edDefBasePathExit, and sets the
    // switches without running the pages' check rules.
    void setDefServer(const QString &text) override { m_w.edDefServer->setText(text); }
    void setDefBasePath(const QString &text) override { m_w.edDefBasePath->setText(text); }
    EntryList &systemList() override { return *m_w.lvSystem; }
    EntryList &pageList(int page) override { return *m_w.pages().at(page).list; }
    void setSwitchedOn(int page, bool on) override { m_w.pages().at(page).frame->setChecked(on); }

private:
    TfrmeKMain &m_w;
};

// The suite's login library; only its presence is checked. It lies with the
// suite's programs, beside the configuration they read. The suite's own
// installations spell it in various letter cases.
bool loginLibraryPresent()
{
    const QDir dir(QFileInfo(CfgFileName()).absolutePath());
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
        FDiskStamp = ini.readStamp();
        {
            MarksHold hold(*this); // one pass over the lists when the load is done
            WindowState state(*this);
            loadConfig(ini, state, [this](const QString &m) { showError(m); },
                       [this](const QString &source, const QString &m) { AddMsg(source, m); });
        }
        logListMarks();
        return true;
    } catch (const std::exception &e) {
        const QString text = UserError::textOf(e);
        showError(QStringLiteral("Грешка : ") + text);
        AddMsg(QStringLiteral("LoadCfg"), text);
        return false;
    }
}

void TfrmeKMain::sbSaveClick()
{
    try {
        // The whole file is prepared first and replaces the old one in one step:
        // the suite's programs never read a half-written configuration. A file
        // that cannot be read is refused rather than replaced.
        ProfileFile ini(CfgFileName(), ProfileFile::Purpose::Save);
        // Another administrator may have changed the shared file meanwhile. What
        // the editor does not own is kept anyway: the save works on the file as
        // it is now.
        if (!FDiskStamp || ini.readStamp() != *FDiskStamp) {
            const QString shown = ProfileFile::shownPath(CfgFileName());
            const bool overwrite = Prompt::confirm(
                this, QStringLiteral("Файлът KalCfg.ini е променен от друга програма след зареждането. "
                                     "Да се запише ли върху промените?"));
            AddMsg(QStringLiteral("sbSaveClick"),
                   overwrite ? QStringLiteral("Файлът %1 е променен от друга програма; записва се върху промените.").arg(shown)
                             : QStringLiteral("Файлът %1 е променен от друга програма; не е записан.").arg(shown));
            if (!overwrite)
                return;
            // Read once more: whatever came while the question was open is kept too.
            ini = ProfileFile(CfgFileName(), ProfileFile::Purpose::Save);
        }
        saveConfig(ini, WindowState(*this), [this](const QString &m) { showError(m); });
        FDiskStamp = ini.commit();
        FModified = false;
    } catch (const std::exception &e) {
        showError(QStringLiteral("Грешка при запис на конфигурация!") + QChar(13) + UserError::textOf(e));
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
    Prompt::error(this, message);
}
