#include "editor/BdeEngine.h"

#include "config/Cp1251.h"
#include "config/KalCfg.h"
#include "config/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Blanks around names and values are skipped as in KalCfg.ini.
QString trimBlanks(QStringView s)
{
    return ProfileFile::trimmed(s).toString();
}

} // namespace

FileBdeEngine::FileBdeEngine(const QString &path)
    : m_path(path)
{
}

QString FileBdeEngine::defaultPath()
{
    return ProgramDir() + QStringLiteral("BdeAliases.ini");
}

QList<FileBdeEngine::Alias> FileBdeEngine::read() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Не е открита конфигурацията на алиасите на BDE: ")
                          + ProfileFile::shownPath(m_path));
    QList<Alias> aliases;
    const QStringList lines = Cp1251::decode(f.readAll()).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString t = trimBlanks(line);
        if (t.isEmpty() || t.startsWith(u';'))
            continue;
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            aliases.append(Alias{trimBlanks(QStringView(t).mid(1, close < 0 ? -1 : close - 1)), {}, {}});
            continue;
        }
        if (aliases.isEmpty())
            continue; // lines before the first alias belong to none
        // "Server Name = C:\x.gdb", written by hand, is "Server Name=C:\x.gdb".
        const qsizetype eq = t.indexOf(u'=');
        const QString name = trimBlanks(QStringView(t).left(eq < 0 ? t.size() : eq));
        const QString value = eq < 0 ? QString() : trimBlanks(QStringView(t).sliced(eq + 1));
        if (eq >= 0 && name.compare(QLatin1String("Driver"), Qt::CaseInsensitive) == 0)
            aliases.last().driver = value;
        else
            aliases.last().params.append(eq < 0 ? name : name + u'=' + value);
    }
    return aliases;
}

FileBdeEngine::Alias FileBdeEngine::find(const QString &alias) const
{
    for (const Alias &a : read())
        if (a.name.compare(alias, Qt::CaseInsensitive) == 0)
            return a;
    throw EngineError(QStringLiteral("Няма BDE алиас ") + alias);
}

QStringList FileBdeEngine::EngineAliasNames()
{
    QStringList names;
    for (const Alias &a : read())
        if (!names.contains(a.name, Qt::CaseInsensitive))
            names.append(a.name);
    return names;
}

bool FileBdeEngine::EngineAliasExists(const QString &alias)
{
    if (alias.isEmpty())
        return false;
    return EngineAliasNames().contains(alias, Qt::CaseInsensitive);
}

QString FileBdeEngine::EngineAliasDriver(const QString &alias)
{
    return find(alias).driver;
}

QStringList FileBdeEngine::EngineAliasParams(const QString &alias)
{
    return find(alias).params;
}
