#pragma once

#include "config/EntryList.h"
#include "config/ProfileFile.h"

#include <QString>

#include <functional>

// Shows a failure to the user (a message box in the editor, a collector in tests).
using ErrorSink = std::function<void(const QString &message)>;
// Writes a line to the message log (the page "Съобщения" in the editor).
using LogSink = std::function<void(const QString &source, const QString &message)>;

// The directory of the editor's own program file, with its trailing separator.
// Tests point it elsewhere with setProgramDir().
QString ProgramDir();
void setProgramDir(const QString &dir);

// The full path of the configuration file that the suite's programs share:
// KalCfg.ini beside the program, unless the command line named another one.
QString CfgFileName();
// An empty path returns to the file beside the program.
void setCfgFileName(const QString &path);

// The configuration file that the command line's FILE or DIR names, as an absolute
// path: the file itself, or KalCfg.ini in the directory. A file that does not exist
// yet is taken when its directory exists (the first save creates it). When the
// argument can name no configuration file, returns an empty path and sets error to
// a one-line reason.
QString cfgFileForArgument(const QString &arg, QString *error);

// Rewrites a section from the list's checked entries, numbered from 1.
// Returns false when writing failed; the failure has been shown through report.
bool SaveLvToIni(ProfileFile &ini, const EntryList &list, const QString &section, const ErrorSink &report);

// Appends the section's entries 1 to "Number" to the list, each checked: every
// number for which the section holds any of the entry's keys, whatever texts are
// blank. Numbers above "Number" are not read; each gets a line through log.
// Returns true when the section exists and the list holds entries afterwards.
bool LoadLvFromIni(ProfileFile &ini, EntryList &list, const QString &section, const ErrorSink &report,
                   const LogSink &log = {});
