#include "config/KalCfg.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

namespace {

QString &programDirOverride()
{
    static QString dir;
    return dir;
}

const char *const kKeys[FieldCount] = {"DBN", "Caption", "ServIP", "BaseName", "SYSBaseName"};

// Empty after removing the characters of code 0 to 32 at both ends.
bool isBlankText(const QString &s)
{
    for (QChar c : s)
        if (c.unicode() > 32)
            return false;
    return true;
}

// The highest i for which the section holds a key "DBN" + i as the readers spell
// it (decimal, no leading zero). Entries past it can only be read as empty names.
int highestEntryKey(const ProfileFile &ini, const QString &section)
{
    static const QRegularExpression re(QStringLiteral("^dbn([1-9][0-9]{0,9})$"),
                                       QRegularExpression::CaseInsensitiveOption);
    qint64 best = 0;
    for (const QString &key : ini.keys(section)) {
        const auto m = re.match(key);
        if (m.hasMatch())
            best = std::max(best, m.captured(1).toLongLong());
    }
    return int(std::min<qint64>(best, INT_MAX));
}

} // namespace

QString ProgramDir()
{
    QString dir = programDirOverride().isEmpty() ? QCoreApplication::applicationDirPath() : programDirOverride();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

void setProgramDir(const QString &dir)
{
    programDirOverride() = dir;
}

QString CfgFileName()
{
    return ProgramDir() + QStringLiteral("KalCfg.ini");
}

bool SaveLvToIni(ProfileFile &ini, const EntryList &list, const QString &section, const ErrorSink &report)
{
    try {
        ini.eraseSection(section);
        int n = 0;
        const int count = list.count();
        for (int row = 0; row < count; ++row) {
            if (!list.isChecked(row))
                continue;
            ++n;
            const QString num = QString::number(n);
            for (int f = 0; f < FieldCount; ++f)
                ini.writeString(section, QLatin1String(kKeys[f]) + num, list.text(row, f));
        }
        ini.writeInteger(section, QStringLiteral("Number"), n);
        return true;
    } catch (const ProfileError &e) {
        if (report)
            report(QStringLiteral("Грешка при запис на секция : ") + section + QChar(13) + e.message());
        return false;
    }
}

bool LoadLvFromIni(ProfileFile &ini, EntryList &list, const QString &section, const ErrorSink &report)
{
    try {
        if (!ini.sectionExists(section))
            return false;
        // A hand-edited "Number" can be huge; numbers past the last entry present
        // would only be appended and dropped again.
        const int number = std::min(ini.readInteger(section, QStringLiteral("Number"), 0),
                                    highestEntryKey(ini, section));
        for (int i = 1; i <= number; ++i) {
            const int row = list.append();
            list.setChecked(row, true);
            const QString num = QString::number(i);
            for (int f = 0; f < FieldCount; ++f)
                list.setText(row, f, ini.readString(section, QLatin1String(kKeys[f]) + num));
            if (list.text(row, FieldName).isEmpty() || isBlankText(list.text(row, FieldLabel))
                || isBlankText(list.text(row, FieldPath)) || isBlankText(list.text(row, FieldAccess)))
                list.remove(row);
        }
        return list.count() > 0;
    } catch (const ProfileError &e) {
        if (report)
            report(QStringLiteral("Грешка - <LoadLvFromIni> : ") + e.message());
        return false;
    } catch (const std::exception &e) {
        if (report)
            report(QStringLiteral("Грешка - <LoadLvFromIni> : ") + QString::fromLocal8Bit(e.what()));
        return false;
    }
}
