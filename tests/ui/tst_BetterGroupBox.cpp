#include "ui/BetterGroupBox.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// The window font of the program; falls back to a sans-serif off Windows.
QFont fixedFont()
{
    QFont f("MS Sans Serif");
    f.setPixelSize(11);
    return f;
}

const QColor WindowColor(192, 192, 192);
const QColor LightColor(255, 255, 255);
const QColor DarkColor(0, 0, 160);
const QColor TextColor(0, 0, 0);

// Accepts every press so that none travels further, and counts those that
// reach it.
class Host : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

class PressableBox : public TBetterGroupBox
{
public:
    using TBetterGroupBox::TBetterGroupBox;
    using TBetterGroupBox::mousePressEvent;
};

class DerivedRadio : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;
};

TBetterGroupBox* makeBox(QWidget* parent, int width, int height, const QString& title = QString())
{
    auto* box = new TBetterGroupBox(title, parent);
    box->setFont(fixedFont());
    box->setGeometry(0, 0, width, height);
    return box;
}

void leftPress(QWidget* widget, QPoint pos)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

QImage renderBox(TBetterGroupBox* box)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, WindowColor);
    pal.setColor(QPalette::Light, LightColor);
    pal.setColor(QPalette::Dark, DarkColor);
    pal.setColor(QPalette::WindowText, TextColor);
    box->setPalette(pal);
    QImage image(box->size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    box->render(&image);
    return image;
}

int frameTop(const TBetterGroupBox* box)
{
    return QFontMetrics(box->font()).height() / 2 - 1;
}

// First x in [from, to) on row y whose colour differs from / equals `color`;
// -1 when there is none.
int firstOther(const QImage& image, int y, int from, int to, const QColor& color)
{
    for (int x = from; x < to; ++x)
        if (image.pixelColor(x, y) != color)
            return x;
    return -1;
}

int firstSame(const QImage& image, int y, int from, int to, const QColor& color)
{
    for (int x = from; x < to; ++x)
        if (image.pixelColor(x, y) == color)
            return x;
    return -1;
}

bool sameOutside(const QImage& a, const QImage& b, const QRect& except)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!except.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

bool differsInside(const QImage& a, const QImage& b, const QRect& rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

} // namespace

class tst_BetterGroupBox : public QObject
{
    Q_OBJECT

private slots:
    void freshBoxIsCheckedWithBothButtonsAndNoHandlers();

    // Mouse
    void leftPressOnCheckBoxSwitchesChildrenThenNotifies();
    void pressActsOnlyInsideTheSquares_data();
    void pressActsOnlyInsideTheSquares();
    void otherButtonsDoNothing_data();
    void otherButtonsDoNothing();
    void hiddenButtonsIgnorePresses();
    void pressOnNestedBoxStaysWithIt();
    void narrowBoxCollapsesThenTogglesInOnePress();
    void handlerDeletingTheBoxEndsThePress();

    // Checked writes
    void checkedWriteSwitchesDirectChildrenOnly();
    void checkedWriteOfSameValueReappliesEnabled();
    void laterChildrenKeepTheirStateUntilNextWrite();

    // Collapse
    void collapseRemembersHeightAndExpandRestoresIt();

    // Radio-button index
    void controlTagDefaultsToZero();
    void rbItemIndexReadsAndSelectsByTag();
    void rbItemIndexWithoutRadioButtons();
    void rbGetIndexFuncCustomAndReset();

    // Painting
    void paintsEtchedFrame();
    void paintsSingleFrameWithoutCtl3D();
    void captionPlacement_data();
    void captionPlacement();
    void captionIsDrawnInFontColour();
    void emptyCaptionLeavesFrameLineWhole();
    void wideCentredCaptionIsCutAtLeft();
    void checkGlyphFollowsChecked();
    void collapseGlyphFollowsState();
};

void tst_BetterGroupBox::freshBoxIsCheckedWithBothButtonsAndNoHandlers()
{
    TBetterGroupBox box;
    QVERIFY(box.Checked());
    QVERIFY(box.isChecked());
    QVERIFY(box.ShowEnableBtn());
    QVERIFY(box.ShowMinimizeBtn());
    QVERIFY(!box.CaptionCenter());
    QVERIFY(box.Ctl3D());
    QVERIFY(!box.OnCheck());
    QVERIFY(!box.OnMinimize());
    QVERIFY(box.rbGetIndexFunc());
    QVERIFY(!static_cast<QGroupBox&>(box).isCheckable());
    QCOMPARE(box.focusPolicy(), QGroupBox().focusPolicy());
}

void tst_BetterGroupBox::leftPressOnCheckBoxSwitchesChildrenThenNotifies()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    auto* list = new QListWidget(box);
    auto* button = new QPushButton("x", box);

    QList<QObject*> senders;
    QList<bool> childEnabledSeen;
    box->setOnCheck([&](QObject* sender) {
        senders << sender;
        childEnabledSeen << (list->isEnabled() && button->isEnabled());
    });
    QSignalSpy toggled(box, &TBetterGroupBox::checkToggled);
    QSignalSpy baseToggled(box, &QGroupBox::toggled);

    // Acts on the press, not on the release.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(!box->Checked());
    QVERIFY(!list->isEnabled());
    QVERIFY(!button->isEnabled());
    QCOMPARE(senders, QList<QObject*>{box});
    QCOMPARE(childEnabledSeen, QList<bool>{false});
    QCOMPARE(toggled.count(), 1);
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(8, 8));

    leftPress(box, QPoint(8, 8));
    QVERIFY(box->Checked());
    QVERIFY(list->isEnabled());
    QVERIFY(button->isEnabled());
    QCOMPARE(childEnabledSeen, (QList<bool>{false, true}));
    QCOMPARE(toggled.count(), 2);

    QCOMPARE(baseToggled.count(), 0);
    QVERIFY(!static_cast<QGroupBox*>(box)->isCheckable());
    QCOMPARE(host.presses, 0);
}

void tst_BetterGroupBox::pressActsOnlyInsideTheSquares_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("toggles");
    QTest::addColumn<bool>("collapses");

    // Box 200 wide: check box (2,2)-(14,14), collapse button (184,2)-(196,14),
    // right and bottom exclusive.
    QTest::newRow("check top-left") << QPoint(2, 2) << true << false;
    QTest::newRow("check bottom-right") << QPoint(13, 13) << true << false;
    QTest::newRow("left of check") << QPoint(1, 8) << false << false;
    QTest::newRow("above check") << QPoint(8, 1) << false << false;
    QTest::newRow("check right edge") << QPoint(14, 8) << false << false;
    QTest::newRow("check bottom edge") << QPoint(8, 14) << false << false;
    QTest::newRow("collapse top-left") << QPoint(184, 2) << false << true;
    QTest::newRow("collapse bottom-right") << QPoint(195, 13) << false << true;
    QTest::newRow("left of collapse") << QPoint(183, 8) << false << false;
    QTest::newRow("collapse right edge") << QPoint(196, 8) << false << false;
    QTest::newRow("collapse bottom edge") << QPoint(190, 14) << false << false;
    QTest::newRow("caption strip") << QPoint(60, 6) << false << false;
    QTest::newRow("inside frame") << QPoint(100, 50) << false << false;
}

void tst_BetterGroupBox::pressActsOnlyInsideTheSquares()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, toggles);
    QFETCH(bool, collapses);

    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "Caption");
    int checks = 0;
    int minimizes = 0;
    box->setOnCheck([&](QObject*) { ++checks; });
    box->setOnMinimize([&](QObject*) { ++minimizes; });

    leftPress(box, pos);
    QCOMPARE(box->Checked(), !toggles);
    QCOMPARE(checks, toggles ? 1 : 0);
    QCOMPARE(box->height(), collapses ? TBetterGroupBox::CollapsedHeight : 100);
    QCOMPARE(minimizes, collapses ? 1 : 0);
}

void tst_BetterGroupBox::otherButtonsDoNothing_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("pos");

    QTest::newRow("right on check") << Qt::RightButton << QPoint(8, 8);
    QTest::newRow("middle on check") << Qt::MiddleButton << QPoint(8, 8);
    QTest::newRow("right on collapse") << Qt::RightButton << QPoint(190, 8);
    QTest::newRow("middle on collapse") << Qt::MiddleButton << QPoint(190, 8);
}

void tst_BetterGroupBox::otherButtonsDoNothing()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, pos);

    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    auto* child = new QPushButton("x", box);
    int calls = 0;
    box->setOnCheck([&](QObject*) { ++calls; });
    box->setOnMinimize([&](QObject*) { ++calls; });
    QSignalSpy toggled(box, &TBetterGroupBox::checkToggled);
    QSignalSpy minimized(box, &TBetterGroupBox::minimized);

    QTest::mousePress(box, button, {}, pos);
    QTest::mouseRelease(box, button, {}, pos);

    QVERIFY(box->Checked());
    QVERIFY(child->isEnabled());
    QCOMPARE(box->height(), 100);
    QCOMPARE(calls, 0);
    QCOMPARE(toggled.count(), 0);
    QCOMPARE(minimized.count(), 0);
}

void tst_BetterGroupBox::hiddenButtonsIgnorePresses()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    auto* child = new QPushButton("x", box);
    int calls = 0;
    box->setOnCheck([&](QObject*) { ++calls; });
    box->setOnMinimize([&](QObject*) { ++calls; });
    box->setShowEnableBtn(false);
    box->setShowMinimizeBtn(false);

    leftPress(box, QPoint(8, 8));
    leftPress(box, QPoint(190, 8));

    QVERIFY(box->Checked());
    QVERIFY(child->isEnabled());
    QCOMPARE(box->height(), 100);
    QCOMPARE(calls, 0);
    QVERIFY(box->checkBoxRect().isEmpty());
}

void tst_BetterGroupBox::pressOnNestedBoxStaysWithIt()
{
    Host host;
    TBetterGroupBox* outer = makeBox(&host, 300, 200);
    TBetterGroupBox* inner = makeBox(outer, 150, 100);
    int outerChecks = 0;
    outer->setOnCheck([&](QObject*) { ++outerChecks; });

    // Both boxes' check boxes cover this point.
    leftPress(inner, QPoint(8, 8));

    QVERIFY(!inner->Checked());
    QVERIFY(outer->Checked());
    QVERIFY(inner->isEnabled());
    QCOMPARE(outerChecks, 0);
    QCOMPARE(host.presses, 0);
}

void tst_BetterGroupBox::narrowBoxCollapsesThenTogglesInOnePress()
{
    Host host;
    // 20 wide: the collapse button (4,2)-(16,14) overlaps the check box.
    TBetterGroupBox* box = makeBox(&host, 20, 60);
    auto* child = new QPushButton(box);

    QStringList events;
    box->setOnMinimize([&](QObject* sender) {
        QCOMPARE(sender, box);
        events << QString("OnMinimize h=%1 checked=%2").arg(box->height()).arg(box->Checked());
    });
    box->setOnCheck([&](QObject* sender) {
        QCOMPARE(sender, box);
        events << QString("OnCheck checked=%1 child=%2").arg(box->Checked()).arg(child->isEnabled());
    });
    connect(box, &TBetterGroupBox::minimized, this, [&] { events << "minimized"; });
    connect(box, &TBetterGroupBox::checkToggled, this, [&] { events << "checkToggled"; });

    leftPress(box, QPoint(8, 8));
    QCOMPARE(events, (QStringList{"OnMinimize h=14 checked=1", "minimized",
                                  "OnCheck checked=0 child=0", "checkToggled"}));

    events.clear();
    leftPress(box, QPoint(8, 8));
    QCOMPARE(events, (QStringList{"OnMinimize h=60 checked=0", "minimized",
                                  "OnCheck checked=1 child=1", "checkToggled"}));
}

void tst_BetterGroupBox::handlerDeletingTheBoxEndsThePress()
{
    auto* box = new PressableBox;
    box->resize(20, 60);
    QPointer<PressableBox> guard(box);
    int checks = 0;
    box->setOnMinimize([&](QObject* sender) { delete sender; });
    box->setOnCheck([&](QObject*) { ++checks; });

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(8, 8), QPointF(8, 8), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    box->mousePressEvent(&press);

    QVERIFY(guard.isNull());
    QCOMPARE(checks, 0);
}

void tst_BetterGroupBox::checkedWriteSwitchesDirectChildrenOnly()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 300, 200);
    auto* list = new QListWidget(box);
    auto* speed = new QToolButton(box);
    speed->setAutoRaise(true);
    speed->setFocusPolicy(Qt::NoFocus);
    auto* flat = new QPushButton("flat", box);
    flat->setFlat(true);
    flat->setFocusPolicy(Qt::NoFocus);
    auto* label = new QLabel("label", box);
    auto* panel = new QWidget(box);
    auto* keptOff = new QPushButton("off", panel);
    keptOff->setEnabled(false);
    auto* plain = new QPushButton("on", panel);
    auto* dialog = new QDialog(box);
    const QList<QWidget*> direct{list, speed, flat, label, panel};

    int checks = 0;
    box->setOnCheck([&](QObject*) { ++checks; });
    QSignalSpy toggled(box, &TBetterGroupBox::checkToggled);

    box->setChecked(false);
    QVERIFY(!box->Checked());
    for (QWidget* w : direct)
        QVERIFY2(!w->isEnabled(), qPrintable(w->metaObject()->className()));
    // Grandchildren follow their parent but are not switched themselves.
    QVERIFY(!plain->testAttribute(Qt::WA_ForceDisabled));
    QVERIFY(dialog->isEnabled());

    box->setChecked(true);
    QVERIFY(box->Checked());
    for (QWidget* w : direct)
        QVERIFY2(w->isEnabled(), qPrintable(w->metaObject()->className()));
    QVERIFY(plain->isEnabled());
    QVERIFY(!keptOff->isEnabled());

    QCOMPARE(checks, 0);
    QCOMPARE(toggled.count(), 0);
}

void tst_BetterGroupBox::checkedWriteOfSameValueReappliesEnabled()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    auto* a = new QPushButton("a", box);
    auto* b = new QPushButton("b", box);

    a->setEnabled(false);
    box->setChecked(true);
    QVERIFY(a->isEnabled());
    QVERIFY(b->isEnabled());

    box->setChecked(false);
    b->setEnabled(true);
    box->setChecked(false);
    QVERIFY(!a->isEnabled());
    QVERIFY(!b->isEnabled());
}

void tst_BetterGroupBox::laterChildrenKeepTheirStateUntilNextWrite()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    box->setChecked(false);

    auto* late = new QPushButton("late", box);
    QVERIFY(late->isEnabled());

    // A mouse toggle switches it like a write does.
    leftPress(box, QPoint(8, 8));
    leftPress(box, QPoint(8, 8));
    QVERIFY(!box->Checked());
    QVERIFY(!late->isEnabled());
}

void tst_BetterGroupBox::collapseRemembersHeightAndExpandRestoresIt()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 120);
    auto* child = new QPushButton("x", box);
    QList<int> heightsSeen;
    box->setOnMinimize([&](QObject* sender) {
        QCOMPARE(sender, box);
        heightsSeen << box->height();
    });
    const QPoint button(190, 8);

    leftPress(box, button);
    QCOMPARE(box->height(), TBetterGroupBox::CollapsedHeight);
    QCOMPARE(box->width(), 200);
    leftPress(box, button);
    QCOMPARE(box->height(), 120);
    QCOMPARE(heightsSeen, (QList<int>{14, 120}));

    box->resize(200, 150);
    leftPress(box, button);
    QCOMPARE(box->height(), TBetterGroupBox::CollapsedHeight);
    leftPress(box, button);
    QCOMPARE(box->height(), 150);

    // Collapsing leaves the check state and the children alone.
    QVERIFY(box->Checked());
    QVERIFY(child->isEnabled());
}

void tst_BetterGroupBox::controlTagDefaultsToZero()
{
    QPushButton button;
    QCOMPARE(controlTag(&button), 0);
    setControlTag(&button, 102);
    QCOMPARE(controlTag(&button), 102);
    QCOMPARE(controlTag(nullptr), 0);
    setControlTag(nullptr, 1);
}

void tst_BetterGroupBox::rbItemIndexReadsAndSelectsByTag()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 150);
    auto* push = new QPushButton("push", box);
    setControlTag(push, 2);
    auto* r0 = new QRadioButton("0", box);
    auto* r1 = new QRadioButton("1", box);
    auto* r2 = new DerivedRadio("2", box);
    setControlTag(r0, 0);
    setControlTag(r1, 1);
    setControlTag(r2, 2);
    auto* panel = new QWidget(box);
    auto* nested = new QRadioButton("5", panel);
    setControlTag(nested, 5);

    QCOMPARE(box->rbItemIndex(), -1);

    box->setRbItemIndex(2);
    QVERIFY(r2->isChecked());
    QCOMPARE(box->rbItemIndex(), 2);

    box->setRbItemIndex(0);
    QVERIFY(r0->isChecked());
    QVERIFY(!r2->isChecked());
    QCOMPARE(box->rbItemIndex(), 0);

    box->setRbItemIndex(7);
    QVERIFY(r0->isChecked());
    box->setRbItemIndex(5);
    QVERIFY(!nested->isChecked());
    QVERIFY(r0->isChecked());

    // With two checked, the first in child order counts.
    for (QRadioButton* radio : {r0, r1, static_cast<QRadioButton*>(r2)})
        radio->setAutoExclusive(false);
    r0->setChecked(false);
    r2->setChecked(true);
    r1->setChecked(true);
    QCOMPARE(box->rbItemIndex(), 1);
}

void tst_BetterGroupBox::rbItemIndexWithoutRadioButtons()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    auto* push = new QPushButton("push", box);
    push->setCheckable(true);
    setControlTag(push, 0);

    QCOMPARE(box->rbItemIndex(), -1);
    box->setRbItemIndex(0);
    box->setRbItemIndex(-1);
    QVERIFY(!push->isChecked());
    QCOMPARE(box->rbItemIndex(), -1);
}

void tst_BetterGroupBox::rbGetIndexFuncCustomAndReset()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 150);
    auto* push = new QPushButton("push", box);
    QList<QRadioButton*> radios;
    for (int tag = 0; tag < 3; ++tag) {
        radios << new QRadioButton(QString::number(tag), box);
        setControlTag(radios.last(), tag);
    }

    QCOMPARE(box->rbGetIndexFunc()(radios[2]), 2);
    QCOMPARE(box->rbGetIndexFunc()(push), -1);

    QList<QObject*> asked;
    box->setRbGetIndexFunc([&](QObject* sender) {
        asked << sender;
        return controlTag(sender) * 10;
    });
    box->setRbItemIndex(10);
    QVERIFY(radios[1]->isChecked());
    QCOMPARE(box->rbItemIndex(), 10);
    // Only radio buttons are offered to the function.
    QVERIFY(!asked.contains(push));

    box->setRbItemIndex(2);
    QVERIFY(radios[1]->isChecked());

    box->setRbGetIndexFunc({});
    QVERIFY(box->rbGetIndexFunc());
    QCOMPARE(box->rbItemIndex(), 1);
    box->setRbItemIndex(2);
    QVERIFY(radios[2]->isChecked());
}

void tst_BetterGroupBox::paintsEtchedFrame()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "...");
    const QImage image = renderBox(box);
    const int top = frameTop(box);
    if (QFontMetrics(box->font()).height() == 13)
        QCOMPARE(top, 5);

    QCOMPARE(image.pixelColor(150, top - 1), WindowColor);
    QCOMPARE(image.pixelColor(150, top), DarkColor);
    QCOMPARE(image.pixelColor(150, top + 1), LightColor);
    QCOMPARE(image.pixelColor(150, top + 2), WindowColor);

    QCOMPARE(image.pixelColor(0, 50), DarkColor);
    QCOMPARE(image.pixelColor(1, 50), LightColor);
    QCOMPARE(image.pixelColor(2, 50), WindowColor);
    QCOMPARE(image.pixelColor(197, 50), WindowColor);
    QCOMPARE(image.pixelColor(198, 50), DarkColor);
    QCOMPARE(image.pixelColor(199, 50), LightColor);
    QCOMPARE(image.pixelColor(100, 97), WindowColor);
    QCOMPARE(image.pixelColor(100, 98), DarkColor);
    QCOMPARE(image.pixelColor(100, 99), LightColor);
    QCOMPARE(image.pixelColor(100, 50), WindowColor);
}

void tst_BetterGroupBox::paintsSingleFrameWithoutCtl3D()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "...");
    box->setCtl3D(false);
    const QImage image = renderBox(box);
    const int top = frameTop(box);

    QCOMPARE(image.pixelColor(150, top - 1), WindowColor);
    QCOMPARE(image.pixelColor(150, top), TextColor);
    QCOMPARE(image.pixelColor(150, top + 1), WindowColor);
    QCOMPARE(image.pixelColor(0, 50), TextColor);
    QCOMPARE(image.pixelColor(1, 50), WindowColor);
    QCOMPARE(image.pixelColor(198, 50), WindowColor);
    QCOMPARE(image.pixelColor(199, 50), TextColor);
    QCOMPARE(image.pixelColor(100, 98), WindowColor);
    QCOMPARE(image.pixelColor(100, 99), TextColor);
}

void tst_BetterGroupBox::captionPlacement_data()
{
    QTest::addColumn<bool>("showCheck");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<bool>("ctl3d");

    QTest::newRow("after check box") << true << false << false << true;
    QTest::newRow("without check box") << false << false << false << true;
    QTest::newRow("centred") << true << true << false << true;
    QTest::newRow("centred wins over right-to-left") << true << true << true << true;
    QTest::newRow("right-to-left") << true << false << true << true;
    QTest::newRow("right-to-left flat") << true << false << true << false;
}

void tst_BetterGroupBox::captionPlacement()
{
    QFETCH(bool, showCheck);
    QFETCH(bool, centred);
    QFETCH(bool, rightToLeft);
    QFETCH(bool, ctl3d);

    // Dots sit on the baseline, clear of the frame line's row, so that row
    // shows the caption's opaque background from edge to edge.
    const QString caption = "......";
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, caption);
    box->setShowEnableBtn(showCheck);
    box->setShowMinimizeBtn(false);
    box->setCaptionCenter(centred);
    box->setCtl3D(ctl3d);
    if (rightToLeft)
        box->setLayoutDirection(Qt::RightToLeft);

    const QFontMetrics metrics(box->font());
    const int textWidth = metrics.horizontalAdvance(caption);
    int expectedLeft;
    if (centred)
        expectedLeft = (200 - textWidth) / 2;
    else if (rightToLeft)
        expectedLeft = (ctl3d ? 199 : 200) - textWidth - 8;
    else
        expectedLeft = showCheck ? 20 : 8;
    const int extent = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption).width();

    const QImage image = renderBox(box);
    const int top = frameTop(box);
    const QColor line = ctl3d ? DarkColor : TextColor;
    const int scanFrom = showCheck ? 14 : 0;

    const int left = firstOther(image, top, scanFrom, 200, line);
    QCOMPARE(left, expectedLeft);
    QCOMPARE(image.pixelColor(left, top), WindowColor);
    QCOMPARE(firstSame(image, top, left, 200, line), expectedLeft + extent);
}

void tst_BetterGroupBox::captionIsDrawnInFontColour()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "Mm");
    const QImage image = renderBox(box);
    const int h = QFontMetrics(box->font()).height();

    int dark = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 20; x < 60; ++x)
            if (image.pixelColor(x, y) == TextColor)
                ++dark;
    QVERIFY(dark > 0);
    // Nothing of the caption left of its rectangle.
    for (int y = 0; y < h; ++y)
        for (int x = 14; x < 20; ++x)
            QVERIFY(image.pixelColor(x, y) != TextColor);
}

void tst_BetterGroupBox::emptyCaptionLeavesFrameLineWhole()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100);
    box->setShowMinimizeBtn(false);
    const QImage image = renderBox(box);
    QCOMPARE(firstOther(image, frameTop(box), 14, 199, DarkColor), -1);
}

void tst_BetterGroupBox::wideCentredCaptionIsCutAtLeft()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 40, 60, QString(40, QChar('.')));
    box->setCaptionCenter(true);
    box->setShowEnableBtn(false);
    box->setShowMinimizeBtn(false);
    const QImage image = renderBox(box);
    const int top = frameTop(box);
    QCOMPARE(image.pixelColor(0, top), WindowColor);
    QCOMPARE(image.pixelColor(39, top), WindowColor);
}

void tst_BetterGroupBox::checkGlyphFollowsChecked()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "Caption");
    box->setShowMinimizeBtn(false);
    const QImage checked = renderBox(box);
    box->setChecked(false);
    const QImage unchecked = renderBox(box);
    box->setShowEnableBtn(false);
    const QImage hidden = renderBox(box);

    const QRect square(2, 2, 12, 12);
    QVERIFY(differsInside(checked, unchecked, square));
    QVERIFY(sameOutside(checked, unchecked, square));
    // Hidden, the corner shows the bare frame line.
    QCOMPARE(firstOther(hidden, frameTop(box), 0, 8, DarkColor), -1);
}

void tst_BetterGroupBox::collapseGlyphFollowsState()
{
    Host host;
    TBetterGroupBox* box = makeBox(&host, 200, 100, "Caption");
    const QRect square(184, 2, 12, 12);
    const QImage expanded = renderBox(box);
    box->setShowMinimizeBtn(false);
    const QImage hidden = renderBox(box);
    QVERIFY(differsInside(expanded, hidden, square));
    QVERIFY(sameOutside(expanded, hidden, square));
    QCOMPARE(firstOther(hidden, frameTop(box), 150, 199, DarkColor), -1);

    box->setShowMinimizeBtn(true);
    leftPress(box, QPoint(190, 8));
    const QImage collapsed = renderBox(box);
    QCOMPARE(collapsed.height(), TBetterGroupBox::CollapsedHeight);
    QVERIFY(differsInside(expanded, collapsed, square));
}

QTEST_MAIN(tst_BetterGroupBox)
#include "tst_BetterGroupBox.moc"
