#include "ui/ekMain.h"

#include "ui/Look.h"
#include "config/UserError.h"
#include "editor/BdeEngine.h"

#include "ui/Anchors.h"
#include "ui/BetterGroupBox.h"
#include "ui/EntryListView.h"
#include "ui/PageControl.h"
#include "ui/Prompt.h"
#include "ui/Pictures.h"
#include "ui/SplitterBar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QMoveEvent>
#include <QToolButton>

namespace {

const QSize kGeneralSize(639, 61);
const QSize kSystemSize(639, 128);
const QSize kPanelSize(639, 34);
const QSize kPageSize(631, 220);
const QList<int> kSystemWidths{100, 130, 125, 180, 50};
const QList<int> kPageWidths{100, 130, 125, 180, 150};

QString u8(const char *s) { return QString::fromUtf8(s); }

// A group box drawn like the page frames, without their buttons.
QGroupBox *plainFrame(const QString &caption, QWidget *parent)
{
    auto *box = new TBetterGroupBox(caption, parent);
    box->setShowEnableBtn(false);
    box->setShowMinimizeBtn(false);
    return box;
}

// A raised push button that takes no focus.
QPushButton *raisedButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmeKMain::TfrmeKMain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmeKMain"));
    setWindowTitle(u8("Централизирана конфигурация на системи Калвор"));
    applySuiteLook(this);

    createControls();
    connectSignals();
    resize(DesignWidth, DesignHeight);
    centreOnScreen(QSize(DesignOuterWidth, DesignOuterHeight));
}

// move() places the outer window; until a window manager has framed it, its
// outer size is taken as designed.
void TfrmeKMain::centreOnScreen(const QSize &outer)
{
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void TfrmeKMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // The first time a window manager's frame is known, the window is centred
    // by it; later moves are the user's.
    if (FFramed || !isVisible() || frameGeometry().size() == size())
        return;
    FFramed = true;
    if (frameGeometry().size() != QSize(DesignOuterWidth, DesignOuterHeight))
        centreOnScreen(frameGeometry().size());
}

TfrmeKMain::~TfrmeKMain()
{
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void TfrmeKMain::createControls()
{
    createGeneralGroup();
    createSystemGroup();

    Splitter1 = new SplitterBar(this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->currentHeight = [this] { return GroupBox2->height(); };
    Splitter1->maximumHeight = [this] {
        return GroupBox2->height() + PageControl1->height() - SplitterBar::MinSize;
    };

    PageControl1 = new PageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    createPages();
    createPanel();

    opd = new QFileDialog(this, u8("Посочете база данни"));
    opd->setObjectName(QStringLiteral("opd"));
    opd->setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name that does not exist is let through; the commands stop on it silently.
    opd->setFileMode(QFileDialog::AnyFile);
    opd->setNameFilters({u8("Бази данни (*.gdb)"), u8("FireBird Бази (*.fdb)"), u8("Всички (*.*)")});
    opd->selectNameFilter(u8("Бази данни (*.gdb)"));
    opd->setDefaultSuffix(QStringLiteral("GDB"));
    opd->setSizeGripEnabled(true);
    // Qt's own dialog, in the window's font; it behaves the same on every desktop.
    opd->setOption(QFileDialog::DontUseNativeDialog);
    opd->setFont(suiteFont());

    // edDefServer first; the page control fourth in the window's order.
    setTabOrder(edDefServer, edDefBasePath);
    setTabOrder(edDefBasePath, lvSystem);
    setTabOrder(lvSystem, PageControl1);
}

void TfrmeKMain::createGeneralGroup()
{
    GroupBox1 = plainFrame(u8("Общи"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    Label1 = sizedLabel(GroupBox1, "Label1", QStringLiteral("Server IP"), QRect(4, 17, 44, 13));

    edDefServer = new QLineEdit(GroupBox1);
    edDefServer->setObjectName(QStringLiteral("edDefServer"));
    edDefServer->setToolTip(u8("Подразбиращ се IP  адрес на SQL  сървера"));
    placeAnchored(edDefServer, QRect(144, 13, 259, 21), kGeneralSize);

    Label2 = sizedLabel(GroupBox1, "Label2", u8("Директория с бази данни"), QRect(4, 40, 131, 13));

    edDefBasePath = new QLineEdit(GroupBox1);
    edDefBasePath->setObjectName(QStringLiteral("edDefBasePath"));
    edDefBasePath->setToolTip(u8("Подразбиращ се път до базата данни"));
    placeAnchored(edDefBasePath, QRect(144, 36, 259, 21), kGeneralSize);

    sbChangeText = raisedButton(GroupBox1, "sbChangeText", u8("Промяна текст "));
    placeAnchored(sbChangeText, QRect(504, 8, 93, 22), kGeneralSize);
}

void TfrmeKMain::createSystemGroup()
{
    GroupBox2 = plainFrame(u8("Системни БД (Пароли)"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));

    lvSystem = new EntryListView(u8("Коментар"), kSystemWidths, GroupBox2);
    lvSystem->setObjectName(QLatin1String(Catalogue::SystemList));
    placeAnchored(lvSystem, QRect(2, 15, 635, 80), kSystemSize, AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);

    sbNewSysDB = raisedButton(GroupBox2, "sbNewSysDB", u8("Нова БД"));
    placeAnchored(sbNewSysDB, QRect(4, 100, 97, 22), kSystemSize, AnchorLeft | AnchorBottom);
    sbChangeSysDB = raisedButton(GroupBox2, "sbChangeSysDB", u8("Промяна на път"));
    placeAnchored(sbChangeSysDB, QRect(108, 100, 113, 22), kSystemSize, AnchorLeft | AnchorBottom);
}

void TfrmeKMain::createPages()
{
    const QIcon aliasIcon = Pictures::alias();
    for (const Catalogue::PageDef &def : Catalogue::allPages()) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QLatin1String(def.pageName));
        // In the button face, as "Общи" is: the frames' captions are drawn on it.
        sheet->setAutoFillBackground(true);
        sheet->setBackgroundRole(QPalette::Button);
        PageControl1->addPage(sheet, u8(def.tabCaption));
        sheet->resize(kPageSize);

        if (def.isMessages()) {
            tsMessages = sheet;
            mmMsg = new QPlainTextEdit(sheet);
            mmMsg->setObjectName(QStringLiteral("mmMsg"));
            mmMsg->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            mmMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            mmMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            placeAnchored(mmMsg, QRect(QPoint(0, 0), kPageSize), kPageSize,
                          AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);
            continue;
        }

        Page page;
        page.def = &def;
        page.sheet = sheet;
        page.frame = new TBetterGroupBox(u8(def.frameCaption), sheet);
        page.frame->setObjectName(QLatin1String(def.frameName));
        page.frame->setCaptionCenter(false);
        page.frame->setShowMinimizeBtn(false);
        page.frame->setShowEnableBtn(true);
        placeAnchored(page.frame, QRect(QPoint(0, 0), kPageSize), kPageSize,
                      AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);

        page.list = new EntryListView(u8("База за достъп"), kPageWidths, page.frame);
        page.list->setObjectName(QLatin1String(def.listName));
        placeAnchored(page.list, QRect(2, 15, 627, 175), kPageSize,
                      AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);

        auto button = [&](const char *name, int left, int width, const QString &caption, const QIcon &icon = {}) {
            QToolButton *b = flatButton(page.frame, name, caption, icon);
            placeAnchored(b, QRect(left, 195, width, 22), kPageSize, AnchorLeft | AnchorBottom);
            return b;
        };
        page.newButton = button(def.newButton, 2, 97, u8("Нова БД"));
        page.changePathButton = button(def.changePathButton, 102, 113, u8("Промяна на път"));
        page.changeAccessButton = button(def.changeAccessButton, 217, 154, u8("Промяна на БД за достъп"));
        if (def.aliasButton) {
            page.aliasButton = button(def.aliasButton, 373, 112, u8("От BDE алиас"), aliasIcon);
            setControlTag(page.aliasButton, def.aliasCode);
        }
        // Every frame starts switched off, its list and buttons disabled.
        page.frame->setChecked(false);
        FPages.append(page);
    }
    FPageAt.fill(nullptr, Catalogue::allPages().size());
    for (const Page &p : std::as_const(FPages))
        FPageAt[p.def->index] = &p;
}

void TfrmeKMain::createPanel()
{
    Panel1 = raisedPanel(this, "Panel1");

    sbSave = flatButton(Panel1, "sbSave", u8("Запис"), Pictures::save());
    placeAnchored(sbSave, QRect(4, 4, 97, 25), kPanelSize, AnchorLeft | AnchorBottom);
    sbGetFromAlias = flatButton(Panel1, "sbGetFromAlias", u8("От BDE алиаси"), Pictures::alias());
    placeAnchored(sbGetFromAlias, QRect(104, 4, 137, 25), kPanelSize, AnchorLeft | AnchorBottom);
    sbExit = flatButton(Panel1, "sbExit", u8("Изход"), Pictures::exit());
    placeAnchored(sbExit, QRect(510, 4, 89, 25), kPanelSize, AnchorLeft | AnchorBottom);
}

void TfrmeKMain::connectList(EntryListView *list)
{
    connect(list, &EntryListView::changed, this, &TfrmeKMain::lvSystemChange);
    // The marks follow the rows' texts and check marks, not the selection.
    QAbstractItemModel *m = list->model();
    connect(m, &QAbstractItemModel::dataChanged, this,
            [this, list](const QModelIndex &a, const QModelIndex &b) { listRowsChanged(list, a.row(), b.row()); });
    connect(m, &QAbstractItemModel::rowsInserted, this,
            [this, list](const QModelIndex &, int first, int last) { listRowsChanged(list, first, last); });
    if (list == lvSystem)
        connect(m, &QAbstractItemModel::rowsRemoved, this, [this] { systemEntriesChanged(); });
    connect(list, &EntryListView::keyDown, this, [this, list](QKeyEvent *e) { lvSystemKeyDown(list, e); });
    connect(list, &EntryListView::mouseDown, this, [this, list](QMouseEvent *e) { lvSystemMouseDown(list, e); });
    connect(list, &EntryListView::dblClick, this, [this, list] { lvSystemDblClick(list); });
}

void TfrmeKMain::connectSignals()
{
    connect(qApp, &QApplication::focusChanged, this, &TfrmeKMain::focusChanged);
    // Every command runs guarded: an error that escapes it is shown, never left to Qt.
    auto on = [this](QAbstractButton *b, void (TfrmeKMain::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    on(sbChangeText, &TfrmeKMain::sbChangeTextClick);
    on(sbNewSysDB, &TfrmeKMain::sbNewSysDBClick);
    on(sbChangeSysDB, &TfrmeKMain::sbChangeSysDBClick);
    on(sbSave, &TfrmeKMain::sbSaveClick);
    on(sbGetFromAlias, &TfrmeKMain::sbGetFromAliasClick);
    on(sbExit, &TfrmeKMain::sbExitClick);
    connect(Splitter1, &SplitterBar::resized, this, [this](int h) {
        FSystemHeight = h;
        layoutRegions();
    });

    connectList(lvSystem);
    for (const Page &page : std::as_const(FPages)) {
        connectList(page.list);
        const Page *p = &page;
        page.frame->setOnCheck([this, p](QObject *) { guarded([this, p] { frameCheck(*p); }); });
        connect(page.newButton, &QAbstractButton::clicked, this,
                [this, p] { guarded([this, p] { newButtonClick(*p); }); });
        connect(page.changePathButton, &QAbstractButton::clicked, this,
                [this, p] { guarded([this, p] { ChangeEntryPath(p->list); }); });
        connect(page.changeAccessButton, &QAbstractButton::clicked, this,
                [this, p] { guarded([this, p] { ChangeAccessDB(p->list); }); });
        if (page.aliasButton)
            connect(page.aliasButton, &QAbstractButton::clicked, this,
                    [this, b = page.aliasButton] { guarded([this, b] { sbAOffAddAlsClick(b); }); });
    }
}

void TfrmeKMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutRegions();
}

void TfrmeKMain::layoutRegions()
{
    const int w = width();
    GroupBox1->setGeometry(0, 0, w, kGeneralSize.height());
    int top = kGeneralSize.height();
    const int panelTop = qMax(top, height() - kPanelSize.height());
    // Only the splitter changes the system group's height; a window too small
    // for it takes the height from the page control first.
    const int sys = qMax(0, qMin(FSystemHeight, panelTop - top - 3));
    GroupBox2->setGeometry(0, top, w, sys);
    GroupBox2->setVisible(sys > 0);
    top += sys;
    Splitter1->setGeometry(0, top, w, 3);
    top += 3;
    PageControl1->setGeometry(0, top, w, qMax(0, panelTop - top));
    Panel1->setGeometry(0, panelTop, w, kPanelSize.height());
}

const TfrmeKMain::Page *TfrmeKMain::pageAt(int index) const
{
    return index >= 0 && index < FPageAt.size() ? FPageAt[index] : nullptr;
}

EntryListView *TfrmeKMain::listAt(int index) const
{
    if (index == Catalogue::SystemListPage)
        return lvSystem;
    const Page *p = pageAt(index);
    return p ? p->list : nullptr;
}

const TfrmeKMain::Page *TfrmeKMain::page(const QString &name) const
{
    for (const Page &p : FPages)
        if (name == QLatin1String(p.def->listName) || name == QLatin1String(p.def->frameName))
            return &p;
    return nullptr;
}

const TfrmeKMain::Page *TfrmeKMain::pageOf(const QObject *control) const
{
    for (const Page &p : FPages)
        if (control == p.list || control == p.frame || control == p.sheet)
            return &p;
    return nullptr;
}

EntryListView *TfrmeKMain::list(const QString &name) const
{
    if (name == QLatin1String(Catalogue::SystemList))
        return lvSystem;
    const Page *p = page(name);
    return p ? p->list : nullptr;
}

TBetterGroupBox *TfrmeKMain::frame(const QString &name) const
{
    const Page *p = page(name);
    return p ? p->frame : nullptr;
}

void TfrmeKMain::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

// Focus rules run when the focus moves from one control of this window to
// another; a return from a dialog or from another program is no move.
void TfrmeKMain::focusChanged(QWidget *, QWidget *now)
{
    if (!now || now->window() != this)
        return;
    QWidget *before = FLastFocus;
    FLastFocus = now;
    if (before == now)
        return;

    if (before == edDefBasePath)
        edDefBasePathExit();

    const bool wasInPages = before && (before == PageControl1 || PageControl1->isAncestorOf(before));
    const bool isInPages = now == PageControl1 || PageControl1->isAncestorOf(now);
    if (isInPages && !wasInPages)
        PageControl1Enter();

    if (now == lvSystem) {
        lvSystemEnter();
    } else if (const Page *p = pageOf(now); p && now == p->list) {
        runRule(p->def->focusRule);
    }
}

void TfrmeKMain::guarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        Prompt::error(this, UserError::textOf(e));
    }
}
