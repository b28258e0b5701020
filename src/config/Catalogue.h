#pragma once

#include <QList>
#include <QString>

// The fixed table of the suite's applications: one page each in the window, with
// its frame, list, section, new-entry prefix and default-entry rules. Held once;
// every page, list and rule of the editor is looked up here.
namespace Catalogue {

enum class Rule { None, System, Office, Properties, Trade, Agency, Housing, Floor };

// Page references are catalogue indexes (tab positions).
inline constexpr int NoPage = -1;
inline constexpr int SystemListPage = -2; // the system list above the pages

// A default entry that a rule adds to its target list when that list is empty.
struct RuleDef
{
    Rule rule;
    int targetPage;         // the page whose list it fills, or SystemListPage
    const char *name;
    const char *fileName; // appended to the default database directory
    const char *label;
};

struct PageDef
{
    int index;                  // tab position; the messages page is 8
    const char *pageName;       // tsOffice, TabSheet2, ...
    const char *tabCaption;
    const char *frameName;      // nullptr on the messages page
    const char *frameCaption;   // empty: only the check box shows
    const char *listName;
    const char *section;        // the page's section in KalCfg.ini
    const char *prefix;         // proposed names of new entries
    Rule focusRule;             // run when the page's list receives the focus
    Rule checkRule;             // Rule::None: the frame has no check handler
    int conditionPage;          // the page whose frame decides the check rule
    int aliasCode;              // 0: no alias button
    // Buttons under the list: new, change path, change access database, alias.
    const char *newButton;
    const char *changePathButton;
    const char *changeAccessButton;
    const char *aliasButton;

    bool isMessages() const { return listName == nullptr; }
};

struct AliasTarget
{
    int code;
    int page;             // the page whose list receives the alias
    const char *label;
};

// The system list above the pages.
inline constexpr const char *SystemList = "lvSystem";
inline constexpr const char *SystemSection = "System";
inline constexpr const char *SystemPrefix = "sys";
inline constexpr const char *SystemNewAccess = "Системна";
inline constexpr int MessagesPageIndex = 8;

// All 18 pages in tab order, the messages page included: a view of the table.
class AllPages
{
public:
    struct const_iterator
    {
        qsizetype index;
        const PageDef &operator*() const { return AllPages()[index]; }
        const_iterator &operator++() { ++index; return *this; }
        bool operator!=(const const_iterator &other) const { return index != other.index; }
    };

    qsizetype size() const;
    const PageDef &operator[](qsizetype index) const;
    const_iterator begin() const { return {0}; }
    const_iterator end() const { return {size()}; }
};

AllPages allPages();
// The application pages in tab order, without the messages page; this is also
// the order in which their sections are loaded and saved.
const QList<PageDef> &pages();
const PageDef *pageAt(int index);
const PageDef *pageOfList(const QString &listName);
const RuleDef &rule(Rule r);
const QList<RuleDef> &rules();
const AliasTarget *aliasTarget(int code);

inline QString str(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace Catalogue
