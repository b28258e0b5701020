#include "config/KalCfg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringBuilder>
#include <algorithm>
#include <climits>

namespace {

QString &programDirOverride()
{
    static QString dir;
    return dir;
}

QString &cfgFileOverride()
{
    static QString path;
    return path;
}

const char *const kKeys[FieldCount] = {"DBN", "Caption", "ServIP", "BaseName", "SYSBaseName"};

// Every i, ascending, for which the section lists one of an entry's five keys as
// the readers spell them (decimal, no leading zero). Any other number can only be
// read as an entry without any text, so these are the only ones to read, however
// large "Number" is.
QList<int> entryNumbers(const ProfileFile &ini, const QString &section)
{
    QList<int> out;
    for (const QString &key : ini.keys(section)) {
        for (const char *prefix : kKeys) {
            const qsizetype p = qsizetype(qstrlen(prefix));
            if (key.size() <= p || key.size() > p + 10 || !key.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)
                || key[p] == u'0')
                continue;
            qint64 n = 0;
            for (qsizetype i = p; i < key.size() && n >= 0; ++i)
                n = key[i] >= u'0' && key[i] <= u'9' ? n * 10 + (key[i].unicode() - u'0') : -1;
            if (n > 0 && n <= INT_MAX)
                out.append(int(n));
            break;
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
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
    return cfgFileOverride().isEmpty() ? ProgramDir() + QStringLiteral("KalCfg.ini") : cfgFileOverride();
}

void setCfgFileName(const QString &path)
{
    cfgFileOverride() = path;
}

QString cfgFileForArgument(const QString &arg, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (arg.isEmpty())
        return fail(QStringLiteral("the FILE or DIR argument is empty"));
    const QFileInfo info(arg);
    const QString shown = QDir::toNativeSeparators(arg);
    if (info.isDir())
        return QDir::cleanPath(QDir(info.absoluteFilePath()).filePath(QStringLiteral("KalCfg.ini")));
    if (info.exists()) {
        if (!info.isFile())
            return fail(QStringLiteral("%1 is neither a file nor a directory").arg(shown));
        return QDir::cleanPath(info.absoluteFilePath());
    }
    // A trailing separator means a directory, and a directory is not created.
    if (QDir::fromNativeSeparators(arg).endsWith(u'/'))
        return fail(QStringLiteral("the directory %1 does not exist").arg(shown));
    const QFileInfo dir(info.absolutePath());
    if (!dir.exists())
        return fail(QStringLiteral("the directory %1 does not exist").arg(QDir::toNativeSeparators(dir.filePath())));
    if (!dir.isDir())
        return fail(QStringLiteral("%1 is not a directory").arg(QDir::toNativeSeparators(dir.filePath())));
    return QDir::cleanPath(info.absoluteFilePath());
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
                ini.writeString(section, QLatin1String(kKeys[f]) % num, list.text(row, f));
        }
        ini.writeInteger(section, QStringLiteral("Number"), n);
        return true;
    } catch (const ProfileError &e) {
        if (report)
            report(QStringLiteral("Грешка при запис на секция : ") + section + QChar(13) + e.message());
        return false;
    }
}

bool LoadLvFromIni(ProfileFile &ini, EntryList &list, const QString &section, const ErrorSink &report,
                   const LogSink &log)
{
    try {
        if (!ini.sectionExists(section))
            return false;
        const int number = ini.readInteger(section, QStringLiteral("Number"), 0);
        for (const int i : entryNumbers(ini, section)) {
            if (i > number) {
                // The suite's programs stop at "Number" too; say what they do not see.
                if (log)
                    log(QStringLiteral("LoadLvFromIni"),
                        QStringLiteral("Секция %1: запис %2 е след Number=%3 и не е зареден").arg(section).arg(i).arg(number));
                continue;
            }
            // An entry is kept whatever it lacks: what the administrator typed into
            // it survives the next save. The suite's programs skip it as before.
            const int row = list.append();
            list.setChecked(row, true);
            const QString num = QString::number(i);
            for (int f = 0; f < FieldCount; ++f)
                list.setText(row, f, ini.readString(section, QLatin1String(kKeys[f]) % num));
        }
        return list.count() > 0;
    } catch (const std::exception &e) {
        if (report)
            report(QStringLiteral("Грешка - <LoadLvFromIni> : ") + UserError::textOf(e));
        return false;
    }
}
