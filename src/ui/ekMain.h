#pragma once

#include "config/Catalogue.h"
#include "config/ProfileFile.h"

#include <QList>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class BdeEngine;
class EntryList;
class EntryListView;
class PageControl;
class QFileDialog;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPlainTextEdit;
class QAbstractButton;
class QPushButton;
class QToolButton;
class SplitterBar;
class TBetterGroupBox;

// The editor's one window. It owns all state: the two general fields, the 18
// entry lists (whose rows are the data), the page frames, FModified and the
// message log. The commands are its methods; src/editor holds one file per
// capability.
class TfrmeKMain : public QWidget
{
    Q_OBJECT

public:
    // Client size at design.
    static constexpr int DesignWidth = 639;
    static constexpr int DesignHeight = 474;
    // Outer size at design, frame and caption included.
    static constexpr int DesignOuterWidth = 647;
    static constexpr int DesignOuterHeight = 508;

    // One application page as built from the catalogue.
    struct Page
    {
        const Catalogue::PageDef *def = nullptr;
        QWidget *sheet = nullptr;
        TBetterGroupBox *frame = nullptr;
        EntryListView *list = nullptr;
        QAbstractButton *newButton = nullptr;
        QAbstractButton *changePathButton = nullptr;
        QAbstractButton *changeAccessButton = nullptr;
        QAbstractButton *aliasButton = nullptr;
    };

    explicit TfrmeKMain(QWidget *parent = nullptr);
    ~TfrmeKMain() override;

    // State
    bool FModified = false;
    int FClickX = 0;
    int FClickY = 0;
    // What KalCfg.ini held when this editor last loaded or saved it; none when the
    // load could not read it. A save compares it with what the file holds then.
    std::optional<FileStamp> FDiskStamp;

    // Controls, under the names the suite's administrators and tests know them by.
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *edDefServer = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *edDefBasePath = nullptr;
    QPushButton *sbChangeText = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    EntryListView *lvSystem = nullptr;
    QPushButton *sbNewSysDB = nullptr;
    QPushButton *sbChangeSysDB = nullptr;
    SplitterBar *Splitter1 = nullptr;
    PageControl *PageControl1 = nullptr;
    QWidget *tsMessages = nullptr;
    QPlainTextEdit *mmMsg = nullptr;
    QFrame *Panel1 = nullptr;
    QToolButton *sbSave = nullptr;
    QToolButton *sbGetFromAlias = nullptr;
    QToolButton *sbExit = nullptr;
    QFileDialog *opd = nullptr;

    // The application pages in tab order (the messages page is not among them).
    const QList<Page> &pages() const { return FPages; }
    // The page at a catalogue index; nullptr for the messages page.
    const Page *pageAt(int index) const;
    // The list of a catalogue page reference: a page's list, or the system list.
    EntryListView *listAt(int page) const;
    const Page *pageOf(const QObject *control) const;
    // By the controls' names, for the suite's administrators' scripts and tests.
    const Page *page(const QString &listOrFrameName) const;
    EntryListView *list(const QString &name) const;
    TBetterGroupBox *frame(const QString &name) const;

    // Lifecycle
    void FormCreate();
    bool LoadCfg();
    void sbSaveClick();
    void sbExitClick();
    bool FormCloseQuery();
    void edDefBasePathExit();
    void AddMsg(const QString &source, const QString &message);
    void lvSystemChange();

    // Entry lists
    int AddEntry(EntryListView *list, const QString &name, const QString &label, const QString &server,
                 const QString &path, const QString &access);
    QString DefaultAccessDB() const;
    QString AccessDBOf(int index) const;
    QString SystemDBChoices() const;
    int ColumnAt(EntryListView *list, int x) const;
    void EditCell(EntryListView *list);
    void runRule(Catalogue::Rule rule);
    void lvSystemEnter();
    void lvAOffEnter();
    void lvPropEnter();
    void lvREREnter();
    void lvJKEnter();
    void lvKalvorFloorEnter();
    void PageControl1Enter();
    void bgbAOffCheck();
    void bgbPropCheck();
    void bgbRerCheck();
    void bgJKCheck();
    void frameCheck(const Page &page);
    void lvSystemKeyDown(EntryListView *list, QKeyEvent *event);
    void lvSystemMouseDown(EntryListView *list, QMouseEvent *event);
    void lvSystemDblClick(EntryListView *list);

    // Marks on the lists: entries the suite skips, references that name no system entry
    void markRows(EntryListView *list, int first, int last);
    void markAllLists();
    void listRowsChanged(EntryListView *list, int first, int last);
    void systemEntriesChanged();
    QSet<QString> checkedSystemReferences() const;
    // One line per page with such marks on the messages page.
    void logListMarks();
    // Held while a command changes many rows: one pass over all lists at its end
    // instead of one per change.
    class MarksHold
    {
    public:
        explicit MarksHold(TfrmeKMain &w);
        ~MarksHold();
        MarksHold(const MarksHold &) = delete;
        MarksHold &operator=(const MarksHold &) = delete;

    private:
        TfrmeKMain &m_w;
    };

    // Entry commands
    void NewEntry(EntryListView *list, const QString &prefix, const QString &access);
    void ChangeEntryPath(EntryListView *list);
    void ChangeAccessDB(EntryListView *list);
    void sbNewSysDBClick();
    void sbChangeSysDBClick();
    void newButtonClick(const Page &page);

    // Text replacement
    void ReplaceInList(EntryListView *list, const QString &oldText, const QString &newText);
    void sbChangeTextClick();

    // Import from the database engine's aliases
    BdeEngine &engine();
    // Replaces the engine (tests use a fake); by default the alias file beside the program.
    void setEngine(std::unique_ptr<BdeEngine> engine);
    bool GetLocalHostAddr(QString &address);
    // Replaces the host look-up (tests); an empty function restores the real one.
    std::function<bool(QString &)> FLocalHostLookup;
    bool GetInfofromAlias(EntryListView *list, const QString &alias, const QString &label);
    void AddFromChosenAlias(EntryListView *list, const QString &label);
    void sbGetFromAliasClick();
    void sbAOffAddAlsClick(QObject *Sender);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void createControls();
    void createGeneralGroup();
    void createSystemGroup();
    void createPages();
    void createPanel();
    void connectSignals();
    void connectList(EntryListView *list);
    void layoutRegions();
    void focusChanged(QWidget *old, QWidget *now);
    void showError(const QString &message);
    void centreOnScreen(const QSize &outer);

    // Shows an error that escaped a command, as the application's error display
    // does, so that no exception leaves a slot.
    void guarded(const std::function<void()> &command);

    QList<Page> FPages;
    QSet<QString> FSystemRefs; // the checked system entries' references, without end blanks
    int FMarksHeld = 0;
    QList<const Page *> FPageAt; // by catalogue index
    std::unique_ptr<BdeEngine> FEngine;
    int FSystemHeight = 128;
    QPointer<QWidget> FLastFocus;
    bool FFramed = false;
};
