#pragma once

#include "config/EntryList.h"
#include "config/KalCfg.h"
#include "config/ProfileFile.h"

#include <QList>
#include <QString>

// What loading and saving the whole file need of the editor's state: the two
// general settings, the system list, and for every application page its list
// and its switch. Pages are numbered as in Catalogue::pages(). The main window
// implements this over its own controls; WholeConfig holds the same in memory.
class ConfigState
{
public:
    virtual ~ConfigState() = default;

    // Read by the save.
    virtual QString defServer() const = 0;
    virtual QString defBasePath() const = 0;
    virtual const EntryList &systemList() const = 0;
    virtual const EntryList &pageList(int page) const = 0;
    virtual bool isSwitchedOn(int page) const = 0;

    // Filled by the load.
    virtual void setDefServer(const QString &text) = 0;
    virtual void setDefBasePath(const QString &text) = 0;
    virtual EntryList &systemList() = 0;
    virtual EntryList &pageList(int page) = 0;
    virtual void setSwitchedOn(int page, bool on) = 0;
};

// The file's content as the editor holds it, without widgets (benchmarks, fuzzing, tests).
struct WholeConfig
{
    WholeConfig(); // empty lists, one per page, every page switched off

    QString defServer, defBasePath;
    MemoryEntryList system;
    QList<MemoryEntryList> pages; // one per Catalogue::pages() entry, same order
    QList<bool> switchedOn;       // the page switches
};

// Reads the file as the editor's start does: "DefServerIP" and "DefDBDir" from
// "Common", the system list from "System", then every page's section in catalogue
// order. The lists are appended to, so they should be empty; a page is switched
// on exactly when its section gave it entries. The section reader shows its own
// failures through report and the load goes on, and writes what it leaves unread
// to log; any other error (ProfileError or another exception) is not caught here:
// it ends the load, and the caller shows it.
void loadConfig(ProfileFile &ini, ConfigState &state, const ErrorSink &report, const LogSink &log = {});

// Writes as the save command does: "DefServerIP" under "Common", "DefDBDir" under
// "common" (one section), the system list into "System", then every page in
// order: its checked entries when it is switched on, otherwise its section is
// erased. The section writer shows its own failures through report and the save
// goes on; any other error ends the save and is left to the caller, as is
// committing the image to disk.
void saveConfig(ProfileFile &ini, const ConfigState &state, const ErrorSink &report);

// The same over a WholeConfig, which must have one list and one switch per page.
void loadConfig(ProfileFile &ini, WholeConfig &cfg, const ErrorSink &report, const LogSink &log = {});
void saveConfig(ProfileFile &ini, const WholeConfig &cfg, const ErrorSink &report);
