#pragma once

// The large configuration that the benchmarks load: 1,000 entries in the system
// list and in each of the 17 page sections, with the texts an administrator's
// file holds (Cyrillic labels, servers left to the default, Windows paths).

#include "config/Catalogue.h"
#include "config/Cp1251.h"
#include "config/EntryList.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace BenchFile {

// A benchmark that cannot measure what it should stops with exit status 2.
[[noreturn]] inline void stop(const char *bench, const char *what)
{
    std::fprintf(stderr, "%s: %s\n", bench, what);
    std::exit(2);
}

inline double msSince(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

inline const QString kServer = QStringLiteral("192.168.10.5");
inline const QString kBasePath = QStringLiteral("D:\\Kalvor\\Data\\");
inline const QString kSysRef = QStringLiteral("sys_db@srv1:D:\\Data\\sys.gdb");

inline const QStringList kLabels = {
    QStringLiteral("Документи"), QStringLiteral("Имоти"), QStringLiteral("Лицензи"),
    QStringLiteral("Деловодство"), QStringLiteral("Жилищна картотека"), QStringLiteral("Етажна собственост"),
    QStringLiteral("Търговски обекти"), QStringLiteral("Каса"), QStringLiteral("Наеми"),
    QStringLiteral("Общинска собственост"), QStringLiteral("Архив"), QStringLiteral("Справки"),
};
inline const QStringList kTowns = {
    QStringLiteral("София"), QStringLiteral("Пловдив"), QStringLiteral("Варна"), QStringLiteral("Бургас"),
    QStringLiteral("Русе"), QStringLiteral("Стара Загора"), QStringLiteral("Плевен"), QStringLiteral("Сливен"),
    QStringLiteral("Добрич"), QStringLiteral("Шумен"), QStringLiteral("Перник"), QStringLiteral("Хасково"),
};

// How the page entries name their access database.
enum class Access {
    OneName,   // all of them the same reference, which names no system entry
    SystemRow, // entry i the reference of system entry i, as the editor writes them
};

inline QString systemPrefix() { return QStringLiteral("sys"); }

// The texts of entry i (from 1) of a list whose new entries are named prefix.
inline QString entryText(const QString &prefix, bool system, int i, int field, Access access = Access::OneName)
{
    const QString n = QString::number(i);
    switch (field) {
    case FieldName:
        return prefix + n;
    case FieldLabel:
        return (i % 2 ? kLabels[i % kLabels.size()] : kTowns[i % kTowns.size()]) + u' ' + n;
    case FieldServer: // every third entry is on the default server and leaves it empty
        return i % 3 == 0 ? QString() : QStringLiteral("srv%1").arg(i % 9 + 1);
    case FieldPath:
        return QStringLiteral("D:\\Data\\%1%2.gdb").arg(prefix.toLower(), n);
    default:
        if (system)
            return kTowns[i % kTowns.size()];
        if (access == Access::OneName)
            return kSysRef;
        return entryText(systemPrefix(), true, i, FieldName) + u'@' + entryText(systemPrefix(), true, i, FieldServer)
               + u':' + entryText(systemPrefix(), true, i, FieldPath);
    }
}

struct ListDef
{
    QString section;
    QString prefix;
    bool system;
};

inline QList<ListDef> lists()
{
    QList<ListDef> out{{QLatin1String(Catalogue::SystemSection), systemPrefix(), true}};
    for (const Catalogue::PageDef &p : Catalogue::pages())
        out.append({QLatin1String(p.section), QLatin1String(p.prefix), false});
    return out;
}

// The file as written by hand and by earlier saves: the general settings among
// other keys, a section the editor does not know, then every list's section.
inline QByteArray makeFile(int perSection, Access access = Access::OneName)
{
    static const char *const keys[FieldCount] = {"DBN", "Caption", "ServIP", "BaseName", "SYSBaseName"};
    QByteArray out = "[Common]\r\nLanguage=BG\r\nDefServerIP=" + Cp1251::encode(kServer) + "\r\nDefDBDir="
                     + Cp1251::encode(kBasePath) + "\r\n\r\n[Printers]\r\nDefault=HP LaserJet\r\n\r\n";
    for (const ListDef &l : lists()) {
        out += '[' + l.section.toLatin1() + "]\r\n";
        for (int i = 1; i <= perSection; ++i)
            for (int f = 0; f < FieldCount; ++f)
                out += keys[f] + QByteArray::number(i) + '='
                       + Cp1251::encode(entryText(l.prefix, l.system, i, f, access)) + "\r\n";
        out += "Number=" + QByteArray::number(perSection) + "\r\n\r\n";
    }
    return out;
}

} // namespace BenchFile
