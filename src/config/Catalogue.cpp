#include "config/Catalogue.h"

#include <iterator>

namespace Catalogue {

namespace {

using R = Rule;

// The application pages in tab order; the messages page stands between pages 7
// and 9. Each row is held once: pages() and allPages() are views of this table.
constexpr PageDef kApplicationPages[] = {
    {0, "tsOffice", "Калвор Офис", "bgbAOff", "Калвор Офис", "lvAOff", "Documents", "Data",
     R::Office, R::Office, 0, 101,
     "sbNewAODB", "sbChangeAOName", "sbChangeAOSys", "sbAOffAddAls"},
    {1, "TabSheet2", "Калвор Имоти/Наеми/Каса", "bgbProp", "Калвор Имоти/Каса/Наеми", "lvProp", "Properties", "Prop",
     R::Properties, R::Properties, 1, 102,
     "sbNewPropDB", "sbChangePrpoDB", "sbChangePropSys", "SpeedButton1"},
    {2, "TabSheet3", "Калвор Търговия", "bgbRer", "Калвор Търговия", "lvRER", "Licenses", "RER",
     R::Trade, R::Trade, 2, 103,
     "sbNewRerDB", "sbChangeLCSDB", "SpeedButton3", "SpeedButton2"},
    // Its check rule is the Properties rule, decided by the Properties page's frame.
    // Its alias button imports into this page's own list (code 104, below).
    {3, "tsKalvor2004", "Калвор 2004", "grbox_Kalvor2004", "", "lvKalvor2004", "KalvorGis", "KalvorGis",
     R::Properties, R::Properties, 1, 104,
     "SpeedButton4", "SpeedButton5", "SpeedButton6", "SpeedButton7"},
    {4, "tsDrav", "ДРАВ ИС 2006", "grbox_Drav", "", "lvDrav", "DravISYS", "DravISYS",
     R::Properties, R::None, NoPage, 0,
     "SpeedButton8", "SpeedButton9", "SpeedButton10", nullptr},
    {5, "TabSheet1", "Калвор ТАВОРА", "grbox_Tavora", "", "lvTavora", "KalTavora", "Tavora",
     R::Properties, R::None, NoPage, 0,
     "sbTavoraNew", "sbTavoraChange", "sbTavoraChangeSys", nullptr},
    {6, "TabSheet4", "Калвор Търговия 2", "grbox_KalTarg", "", "lvTarg", "KalTarg", "KalTarg",
     R::Properties, R::None, NoPage, 0,
     "SpeedButton14", "SpeedButton15", "SpeedButton16", nullptr},
    {7, "TabSheet5", "Калвор НОМЕДА", "gbNomeda", "", "lvNomeda", "KalNomeda", "KalNomeda",
     R::Properties, R::None, NoPage, 0,
     "newNomeda", "changeNomeda", "sysChangeNomeda", nullptr},
    {9, "tsJK", "Калвор Жилищна Картотека", "bgJK", "Калвор Жилищна Картотека", "lvJK", "JK", "RORA",
     R::Housing, R::Housing, 9, 0,
     "SpeedButton11", "SpeedButton12", "SpeedButton13", nullptr},
    {10, "TabSheet6", "Калвор Търговски Обекти", "gbTargObekti", "", "lvTarObekti", "KalTargObekti", "KalTargObekti",
     R::Properties, R::None, NoPage, 0,
     "SpeedButton17", "SpeedButton18", "SpeedButton19", nullptr},
    {11, "TabSheet7", "Бриско", "gbBrisko", "", "lvBrisko", "Brisko", "Brisko",
     R::Properties, R::None, NoPage, 0,
     "SpeedButton20", "SpeedButton21", "SpeedButton22", nullptr},
    {12, "tsLMServices", "Калвор ЛИМ", "gbLMServices", "", "lvLmServices", "LMServices", "LMServices",
     R::Properties, R::None, NoPage, 0,
     "SpeedButton23", "SpeedButton24", "SpeedButton25", nullptr},
    {13, "tsKalvorFloor", "Калвор Етажна Собственост", "gbKalvorFloor", "", "lvKalvorFloor", "KalvorFloor", "KalvorFloor",
     R::Floor, R::None, NoPage, 0,
     "sbNewKalvorFloor", "sbKalvorFloorChangePath", "sbKalvorFloorChangeSys", nullptr},
    // The next three keep what is entered on them in sections of their own, so
    // that it outlives the run.
    {14, "tsKalvorWebPortal", "Калвор Уеб Портал", "gbKalvorWebPortal", "", "lvKalvorWebPortal", "KalvorWebPortal", "KalvorWebPortal",
     R::Floor, R::None, NoPage, 0,
     "sbWebPortalNewDB", "sbWebPortalChangePath", "sbWebPortalChangeSys", nullptr},
    {15, "tsKalvorControl", "Калвор Контрол", "gbKalvorControl", "", "lvKalvorControl", "KalvorControl", "KalvorControl",
     R::Floor, R::None, NoPage, 0,
     "sbKalvorControlNewDB", "sbKalvorControlChangePath", "sbKalvorControlChangeSys", nullptr},
    {16, "tsKalvorWebRegisters", "Калвор Уеб Регистри", "gbKalvorWebRegisters", "", "lvKalvorWebRegisters", "KalvorWebRegisters", "KalvorWebRegisters",
     R::Floor, R::None, NoPage, 0,
     "sbKalvorWebRegistersNewDB", "sbKalvorWebRegistersChangePath", "sbKalvorWebRegistersChangeSys", nullptr},
    {17, "tsKalvorWebQuery", "Калвор Разширена Деловодна Справка", "gbKalvorWebQuery", "", "lvKalvorWebQuery", "KalvorWebQuery", "KalvorWebQuery",
     R::Floor, R::None, NoPage, 0,
     "sbKalvorWebQueryNewDB", "SpeedButton27", "SpeedButton28", nullptr},
};

constexpr PageDef kMessagesPage =
    {8, "tsMessages", "Съобщения", nullptr, nullptr, nullptr, nullptr, nullptr,
     R::None, R::None, NoPage, 0,
     nullptr, nullptr, nullptr, nullptr};

const QList<RuleDef> kRules = {
    {R::System, SystemListPage, "sys_db", "sys.gdb", "sys_db"},
    {R::Office, 0, "Data_db", "t3.gdb", "Документи"},
    {R::Properties, 1, "Prop_db", "imo.gdb", "Имоти"},
    {R::Trade, 2, "l_data", "db1.gdb", "Лицензи"},
    {R::Agency, 4, "DravISYS", "DravISYS.gdb", "DravISYS"},
    {R::Housing, 9, "RORA", "RORA.gdb", "Жилищна картотека"},
    {R::Floor, 13, "KalvorFloor_db", "floor.fdb", "Етажна Собственост"},
};

const QList<AliasTarget> kAliasTargets = {
    {101, 0, "Документи"},
    {102, 1, "Имоти"},
    {103, 2, "Лицензи"},
    {104, 3, "Имоти"},
};

} // namespace

qsizetype AllPages::size() const
{
    return std::size(kApplicationPages) + 1;
}

const PageDef &AllPages::operator[](qsizetype index) const
{
    if (index < MessagesPageIndex)
        return kApplicationPages[index];
    return index == MessagesPageIndex ? kMessagesPage : kApplicationPages[index - 1];
}

AllPages allPages() { return {}; }

const QList<PageDef> &pages()
{
    // A list over the table itself; no row is copied.
    static const QList<PageDef> apps = QList<PageDef>::fromReadOnlyData(kApplicationPages);
    return apps;
}

const PageDef *pageAt(int index)
{
    return index >= 0 && index < allPages().size() ? &allPages()[index] : nullptr;
}

const PageDef *pageOfList(const QString &listName)
{
    for (const PageDef &p : kApplicationPages)
        if (listName == QLatin1String(p.listName))
            return &p;
    return nullptr;
}

const RuleDef &rule(Rule r)
{
    for (const RuleDef &d : kRules)
        if (d.rule == r)
            return d;
    Q_UNREACHABLE();
}

const QList<RuleDef> &rules() { return kRules; }

const AliasTarget *aliasTarget(int code)
{
    for (const AliasTarget &t : kAliasTargets)
        if (t.code == code)
            return &t;
    return nullptr;
}

} // namespace Catalogue
