#pragma once

#include "config/EntryList.h"
#include "config/ProfileFile.h"

#include <QString>

#include <functional>

// Shows a failure to the user (a message box in the editor, a collector in tests).
using ErrorSink = std::function<void(const QString &message)>;

// The directory of the editor's own program file, with its trailing separator.
// Tests point it elsewhere with setProgramDir().
QString ProgramDir();
void setProgramDir(const QString &dir);

// The full path of the configuration file that the suite's programs share.
QString CfgFileName();

// Rewrites a section from the list's checked entries, numbered from 1.
// Returns false when writing failed; the failure has been shown through report.
bool SaveLvToIni(ProfileFile &ini, const EntryList &list, const QString &section, const ErrorSink &report);

// Appends the section's entries to the list, each checked; entries without a
// name, label, path or access database are dropped. Returns true when the
// section exists and the list holds entries afterwards.
bool LoadLvFromIni(ProfileFile &ini, EntryList &list, const QString &section, const ErrorSink &report);
