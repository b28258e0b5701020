#include "config/Catalogue.h"

namespace Catalogue {

namespace {

using R = Rule;

const QList<PageDef> kAllPages = {
    {0, "tsOffice", "Калвор Офис", "bgbAOff", "Калвор Офис", "lvAOff", "Documents", "Data",
     R::Office, "lvAOffEnter", R::Office, "bgbAOffCheck", "bgbAOff", 101,
     "sbNewAODB", "sbChangeAOName", "sbChangeAOSys", "sbAOffAddAls",
     "sbNewAODBClick", "k", "sbChangeAOSysClick"},
    {1, "TabSheet2", "Калвор Имоти/Наеми/Каса", "bgbProp", "Калвор Имоти/Каса/Наеми", "lvProp", "Properties", "Prop",
     R::Properties, "lvPropEnter", R::Properties, "bgbPropCheck", "bgbProp", 102,
     "sbNewPropDB", "sbChangePrpoDB", "sbChangePropSys", "SpeedButton1",
     "sbNewPropDBClick", "sbChangePrpoDBClick", "sbChangePropSysClick"},
    {2, "TabSheet3", "Калвор Търговия", "bgbRer", "Калвор Търговия", "lvRER", "Licenses", "RER",
     R::Trade, "lvREREnter", R::Trade, "bgbRerCheck", "bgbRer", 103,
     "sbNewRerDB", "sbChangeLCSDB", "SpeedButton3", "SpeedButton2",
     "sbNewRerDBClick", "sbChangeLCSDBClick", "SpeedButton3Click"},
    // Its check rule is the Properties rule, decided by the Properties page's frame.
    // Its alias button imports into this page's own list (code 104, below).
    {3, "tsKalvor2004", "Калвор 2004", "grbox_Kalvor2004", "", "lvKalvor2004", "KalvorGis", "KalvorGis",
     R::Properties, "lvPropEnter", R::Properties, "bgbPropCheck", "bgbProp", 104,
     "SpeedButton4", "SpeedButton5", "SpeedButton6", "SpeedButton7",
     "SpeedButton4Click", "SpeedButton5Click", "SpeedButton6Click"},
    {4, "tsDrav", "ДРАВ ИС 2006", "grbox_Drav", "", "lvDrav", "DravISYS", "DravISYS",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "SpeedButton8", "SpeedButton9", "SpeedButton10", nullptr,
     "SpeedButton8Click", "SpeedButton9Click", "SpeedButton10Click"},
    {5, "TabSheet1", "Калвор ТАВОРА", "grbox_Tavora", "", "lvTavora", "KalTavora", "Tavora",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "sbTavoraNew", "sbTavoraChange", "sbTavoraChangeSys", nullptr,
     "sbTavoraNewClick", "sbTavoraChangeClick", "sbTavoraChangeSysClick"},
    {6, "TabSheet4", "Калвор Търговия 2", "grbox_KalTarg", "", "lvTarg", "KalTarg", "KalTarg",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "SpeedButton14", "SpeedButton15", "SpeedButton16", nullptr,
     "SpeedButton14Click", "SpeedButton15Click", "SpeedButton16Click"},
    {7, "TabSheet5", "Калвор НОМЕДА", "gbNomeda", "", "lvNomeda", "KalNomeda", "KalNomeda",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "newNomeda", "changeNomeda", "sysChangeNomeda", nullptr,
     "newNomedaClick", "changeNomedaClick", "sysChangeNomedaClick"},
    {8, "tsMessages", "Съобщения", nullptr, nullptr, nullptr, nullptr, nullptr,
     R::None, nullptr, R::None, nullptr, nullptr, 0,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {9, "tsJK", "Калвор Жилищна Картотека", "bgJK", "Калвор Жилищна Картотека", "lvJK", "JK", "RORA",
     R::Housing, "lvJKEnter", R::Housing, "bgJKCheck", "bgJK", 0,
     "SpeedButton11", "SpeedButton12", "SpeedButton13", nullptr,
     "SpeedButton11Click", "SpeedButton12Click", "SpeedButton13Click"},
    {10, "TabSheet6", "Калвор Търговски Обекти", "gbTargObekti", "", "lvTarObekti", "KalTargObekti", "KalTargObekti",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "SpeedButton17", "SpeedButton18", "SpeedButton19", nullptr,
     "SpeedButton17Click", "SpeedButton18Click", "SpeedButton19Click"},
    {11, "TabSheet7", "Бриско", "gbBrisko", "", "lvBrisko", "Brisko", "Brisko",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "SpeedButton20", "SpeedButton21", "SpeedButton22", nullptr,
     "SpeedButton20Click", "SpeedButton21Click", "SpeedButton22Click"},
    {12, "tsLMServices", "Калвор ЛИМ", "gbLMServices", "", "lvLmServices", "LMServices", "LMServices",
     R::Properties, "lvPropEnter", R::None, nullptr, nullptr, 0,
     "SpeedButton23", "SpeedButton24", "SpeedButton25", nullptr,
     "SpeedButton23Click", "SpeedButton24Click", "SpeedButton25Click"},
    {13, "tsKalvorFloor", "Калвор Етажна Собственост", "gbKalvorFloor", "", "lvKalvorFloor", "KalvorFloor", "KalvorFloor",
     R::Floor, "lvKalvorFloorEnter", R::None, nullptr, nullptr, 0,
     "sbNewKalvorFloor", "sbKalvorFloorChangePath", "sbKalvorFloorChangeSys", nullptr,
     "sbNewKalvorFloorClick", "sbKalvorFloorChangePathClick", "sbKalvorFloorChangeSysClick"},
    // The next three keep what is entered on them in sections of their own, so
    // that it outlives the run.
    {14, "tsKalvorWebPortal", "Калвор Уеб Портал", "gbKalvorWebPortal", "", "lvKalvorWebPortal", "KalvorWebPortal", "KalvorWebPortal",
     R::Floor, "lvKalvorFloorEnter", R::None, nullptr, nullptr, 0,
     "sbWebPortalNewDB", "sbWebPortalChangePath", "sbWebPortalChangeSys", nullptr,
     "sbWebPortalNewDBClick", "sbWebPortalChangePathClick", "sbWebPortalChangeSysClick"},
    {15, "tsKalvorControl", "Калвор Контрол", "gbKalvorControl", "", "lvKalvorControl", "KalvorControl", "KalvorControl",
     R::Floor, "lvKalvorFloorEnter", R::None, nullptr, nullptr, 0,
     "sbKalvorControlNewDB", "sbKalvorControlChangePath", "sbKalvorControlChangeSys", nullptr,
     "sbKalvorControlNewDBClick", "sbKalvorControlChangePathClick", "sbKalvorControlChangeSysClick"},
    {16, "tsKalvorWebRegisters", "Калвор Уеб Регистри", "gbKalvorWebRegisters", "", "lvKalvorWebRegisters", "KalvorWebRegisters", "KalvorWebRegisters",
     R::Floor, "lvKalvorFloorEnter", R::None, nullptr, nullptr, 0,
     "sbKalvorWebRegistersNewDB", "sbKalvorWebRegistersChangePath", "sbKalvorWebRegistersChangeSys", nullptr,
     "sbKalvorWebRegistersNewDBClick", "sbKalvorWebRegistersChangePathClick", "sbKalvorWebRegistersChangeSysClick"},
    {17, "tsKalvorWebQuery", "Калвор Разширена Деловодна Справка", "gbKalvorWebQuery", "", "lvKalvorWebQuery", "KalvorWebQuery", "KalvorWebQuery",
     R::Floor, "lvKalvorFloorEnter", R::None, nullptr, nullptr, 0,
     "sbKalvorWebQueryNewDB", "SpeedButton27", "SpeedButton28", nullptr,
     "sbKalvorWebQueryNewDBClick", "SpeedButton27Click", "SpeedButton28Click"},
};

const QList<RuleDef> kRules = {
    {R::System, "lvSystem", "sys_db", "sys.gdb", "sys_db"},
    {R::Office, "lvAOff", "Data_db", "t3.gdb", "Документи"},
    {R::Properties, "lvProp", "Prop_db", "imo.gdb", "Имоти"},
    {R::Trade, "lvRER", "l_data", "db1.gdb", "Лицензи"},
    {R::Agency, "lvDrav", "DravISYS", "DravISYS.gdb", "DravISYS"},
    {R::Housing, "lvJK", "RORA", "RORA.gdb", "Жилищна картотека"},
    {R::Floor, "lvKalvorFloor", "KalvorFloor_db", "floor.fdb", "Етажна Собственост"},
};

const QList<AliasTarget> kAliasTargets = {
    {101, "lvAOff", "Документи"},
    {102, "lvProp", "Имоти"},
    {103, "lvRER", "Лицензи"},
    {104, "lvKalvor2004", "Имоти"},
};

} // namespace

const QList<PageDef> &allPages() { return kAllPages; }

const QList<PageDef> &pages()
{
    static const QList<PageDef> apps = [] {
        QList<PageDef> out;
        for (const PageDef &p : kAllPages)
            if (!p.isMessages())
                out.append(p);
        return out;
    }();
    return apps;
}

const PageDef *pageAt(int index)
{
    return index >= 0 && index < kAllPages.size() ? &kAllPages[index] : nullptr;
}

const PageDef *pageOfList(const QString &listName)
{
    for (const PageDef &p : kAllPages)
        if (p.listName && listName == QLatin1String(p.listName))
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
