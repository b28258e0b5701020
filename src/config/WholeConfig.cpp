#include "config/WholeConfig.h"

#include "config/Catalogue.h"

#include <stdexcept>

namespace {

const QString kCommon = QStringLiteral("Common");
const QString kServerKey = QStringLiteral("DefServerIP");
const QString kDirKey = QStringLiteral("DefDBDir");

// A WholeConfig seen as the editor's state. Made from a const one only for the
// save, which uses the const half of the interface alone.
class MemoryState final : public ConfigState
{
public:
    explicit MemoryState(WholeConfig &cfg) : m_cfg(cfg)
    {
        const qsizetype n = Catalogue::pages().size();
        if (cfg.pages.size() != n || cfg.switchedOn.size() != n)
            throw std::invalid_argument("WholeConfig: one list and one switch per page expected");
    }

    QString defServer() const override { return m_cfg.defServer; }
    QString defBasePath() const override { return m_cfg.defBasePath; }
    const EntryList &systemList() const override { return m_cfg.system; }
    const EntryList &pageList(int page) const override { return m_cfg.pages.at(page); }
    bool isSwitchedOn(int page) const override { return m_cfg.switchedOn.at(page); }

    void setDefServer(const QString &text) override { m_cfg.defServer = text; }
    void setDefBasePath(const QString &text) override { m_cfg.defBasePath = text; }
    EntryList &systemList() override { return m_cfg.system; }
    EntryList &pageList(int page) override { return m_cfg.pages[page]; }
    void setSwitchedOn(int page, bool on) override { m_cfg.switchedOn[page] = on; }

private:
    WholeConfig &m_cfg;
};

} // namespace

WholeConfig::WholeConfig()
{
    const qsizetype n = Catalogue::pages().size();
    pages.resize(n);
    switchedOn.fill(false, n);
}

void loadConfig(ProfileFile &ini, ConfigState &state, const ErrorSink &report, const LogSink &log)
{
    state.setDefServer(ini.readString(kCommon, kServerKey));
    state.setDefBasePath(ini.readString(kCommon, kDirKey));
    LoadLvFromIni(ini, state.systemList(), QLatin1String(Catalogue::SystemSection), report, log);
    const QList<Catalogue::PageDef> &pages = Catalogue::pages();
    for (int i = 0; i < pages.size(); ++i) {
        const bool on = LoadLvFromIni(ini, state.pageList(i), QLatin1String(pages[i].section), report, log);
        state.setSwitchedOn(i, on);
    }
}

void saveConfig(ProfileFile &ini, const ConfigState &state, const ErrorSink &report)
{
    ini.writeString(kCommon, kServerKey, state.defServer());
    // The same section as above; the suite's own save command spells it this way.
    ini.writeString(QStringLiteral("common"), kDirKey, state.defBasePath());
    SaveLvToIni(ini, state.systemList(), QLatin1String(Catalogue::SystemSection), report);
    const QList<Catalogue::PageDef> &pages = Catalogue::pages();
    for (int i = 0; i < pages.size(); ++i) {
        const QString section = QLatin1String(pages[i].section);
        if (state.isSwitchedOn(i))
            SaveLvToIni(ini, state.pageList(i), section, report);
        else
            ini.eraseSection(section);
    }
}

void loadConfig(ProfileFile &ini, WholeConfig &cfg, const ErrorSink &report, const LogSink &log)
{
    MemoryState state(cfg);
    loadConfig(ini, static_cast<ConfigState &>(state), report, log);
}

void saveConfig(ProfileFile &ini, const WholeConfig &cfg, const ErrorSink &report)
{
    const MemoryState state(const_cast<WholeConfig &>(cfg));
    saveConfig(ini, static_cast<const ConfigState &>(state), report);
}
