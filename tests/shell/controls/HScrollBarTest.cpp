#include <QMouseEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <memory>

#include "support/GuiTesting.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/HScrollBar.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

// The bar with the rectangles of its parts, to click where a user would.
class ProbeBar : public HScrollBar {
public:
    ProbeBar() : HScrollBar(nullptr) {}
    [[nodiscard]] QRect part(QStyle::SubControl control) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    }
};

}  // namespace

class HScrollBarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProbeBar> bar;
    std::unique_ptr<QSignalSpy> changes;

    // The viewer's bar for a 21-position document: Min 20 at the left, Max 0 at the right.
    void makeRightToLeftBar(Integer value) {
        bar->Max(0);
        bar->Min(20);
        bar->LargeChange(10);
        bar->SmallChange(1);
        bar->Value(value);
        changes->clear();
    }
    void click(QStyle::SubControl control) {
        QTest::mouseClick(bar.get(), Qt::LeftButton, {}, bar->part(control).center());
    }

private slots:
    void init() {
        bar = std::make_unique<ProbeBar>();
        bar->resize(71, 25);  // its size in the window
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        changes = std::make_unique<QSignalSpy>(bar.get(), &HScrollBar::Change);
    }
    void cleanup() {
        changes.reset();
        bar.reset();
    }

    // --- Range with Min above Max ---
    void minAboveMax_acceptsEveryValueBetweenThem() {
        makeRightToLeftBar(0);
        QCOMPARE(errorNumberOf([&] { bar->Value(20); }), 0);
        QCOMPARE(errorNumberOf([&] { bar->Value(0); }), 0);
        QCOMPARE(bar->Value(), Integer{0});
    }
    void valueOutsideRange_failsAndKeepsValue() {
        makeRightToLeftBar(7);
        QCOMPARE(errorNumberOf([&] { bar->Value(21); }), controlerrors::kInvalidPropertyValue);
        QCOMPARE(errorNumberOf([&] { bar->Value(-1); }), controlerrors::kInvalidPropertyValue);
        QCOMPARE(bar->Value(), Integer{7});
        QCOMPARE(changes->count(), 0);
    }
    void valueMin_putsThumbAtLeftEnd_valueZeroAtRightEnd() {
        makeRightToLeftBar(20);
        const QRect groove = bar->part(QStyle::SC_ScrollBarGroove);
        QCOMPARE(bar->part(QStyle::SC_ScrollBarSlider).left(), groove.left());
        bar->Value(0);
        QCOMPARE(bar->part(QStyle::SC_ScrollBarSlider).right(), groove.right());
    }

    // --- Assigning Value ---
    void assigningNewValue_raisesChangeOnce_withTheValueAlreadySet() {
        makeRightToLeftBar(0);
        Integer seen = -1;
        connect(bar.get(), &HScrollBar::Change, this, [&] { seen = bar->Value(); });
        bar->Value(12);
        QCOMPARE(changes->count(), 1);
        QCOMPARE(seen, Integer{12});
    }
    void assigningSameValue_raisesNoChange() {
        makeRightToLeftBar(12);
        bar->Value(12);
        QCOMPARE(changes->count(), 0);
    }
    void handlerResettingMin_raisesNoNestedChange() {
        makeRightToLeftBar(0);
        connect(bar.get(), &HScrollBar::Change, this, [&] { bar->Min(20); });
        bar->Value(3);
        QCOMPARE(changes->count(), 1);
        QCOMPARE(bar->Value(), Integer{3});
    }

    // --- Setting Min and Max ---
    void loweringMinBelowValue_clampsSilently() {
        makeRightToLeftBar(15);
        bar->Min(10);
        QCOMPARE(bar->Value(), Integer{10});
        QCOMPARE(changes->count(), 0);
    }
    void raisingMaxAboveValue_clampsSilently() {
        makeRightToLeftBar(3);
        bar->Max(5);
        QCOMPARE(bar->Value(), Integer{5});
        QCOMPARE(changes->count(), 0);
    }
    void rangeThatStillHoldsValue_keepsIt() {
        makeRightToLeftBar(3);
        bar->Min(40);
        QCOMPARE(bar->Value(), Integer{3});
        QCOMPARE(changes->count(), 0);
    }
    void minBelowMax_runsLeftToRightAsUsual() {
        bar->Min(0);
        bar->Max(20);
        bar->Value(5);
        changes->clear();
        click(QStyle::SC_ScrollBarAddLine);
        QCOMPARE(bar->Value(), Integer{6});
    }

    // --- Arrows and trough of the right-to-left bar ---
    void leftArrow_stepsTowardsMinBySmallChange() {
        makeRightToLeftBar(5);
        click(QStyle::SC_ScrollBarSubLine);
        QCOMPARE(bar->Value(), Integer{6});
        QCOMPARE(changes->count(), 1);
    }
    void rightArrow_stepsTowardsZeroBySmallChange() {
        makeRightToLeftBar(5);
        click(QStyle::SC_ScrollBarAddLine);
        QCOMPARE(bar->Value(), Integer{4});
        QCOMPARE(changes->count(), 1);
    }
    void troughLeftOfThumb_stepsTowardsMinByLargeChange() {
        makeRightToLeftBar(5);
        click(QStyle::SC_ScrollBarSubPage);
        QCOMPARE(bar->Value(), Integer{15});
        QCOMPARE(changes->count(), 1);
    }
    void troughRightOfThumb_stepsTowardsZeroByLargeChange() {
        makeRightToLeftBar(15);
        click(QStyle::SC_ScrollBarAddPage);
        QCOMPARE(bar->Value(), Integer{5});
        QCOMPARE(changes->count(), 1);
    }
    void leftArrowAtMin_raisesNoChange() {
        makeRightToLeftBar(20);
        click(QStyle::SC_ScrollBarSubLine);
        QCOMPARE(bar->Value(), Integer{20});
        QCOMPARE(changes->count(), 0);
    }

    // --- Keyboard ---
    void arrowKeys_stepBySmallChangeTowardsTheirEnd() {
        makeRightToLeftBar(5);
        QTest::keyClick(bar.get(), Qt::Key_Left);
        QCOMPARE(bar->Value(), Integer{6});
        QTest::keyClick(bar.get(), Qt::Key_Right);
        QTest::keyClick(bar.get(), Qt::Key_Right);
        QCOMPARE(bar->Value(), Integer{4});
        QCOMPARE(changes->count(), 3);
    }
    void pageKeys_stepByLargeChange_pageUpTowardsMin() {
        makeRightToLeftBar(5);
        QTest::keyClick(bar.get(), Qt::Key_PageUp);
        QCOMPARE(bar->Value(), Integer{15});
        QTest::keyClick(bar.get(), Qt::Key_PageDown);
        QCOMPARE(bar->Value(), Integer{5});
        QCOMPARE(changes->count(), 2);
    }
    void homeAndEnd_jumpToLeftAndRightEnds() {
        makeRightToLeftBar(5);
        QTest::keyClick(bar.get(), Qt::Key_Home);
        QCOMPARE(bar->Value(), Integer{20});
        QTest::keyClick(bar.get(), Qt::Key_End);
        QCOMPARE(bar->Value(), Integer{0});
    }

    // --- Dragging the thumb ---
    void thumbDrag_redrawsNothingUntilRelease_thenRaisesOneChange() {
        makeRightToLeftBar(0);
        const QPoint start = bar->part(QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar.get(), Qt::LeftButton, {}, start);
        for (int dx = 3; dx <= 24; dx += 3) {
            const QPoint at = start - QPoint(dx, 0);
            QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(bar.get(), &move);
        }
        QCOMPARE(changes->count(), 0);
        QCOMPARE(bar->Value(), Integer{0});
        QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, start - QPoint(24, 0));
        QCOMPARE(changes->count(), 1);
        QVERIFY(bar->Value() > 0);
    }

    // --- Wheel and focus ---
    void wheel_movesNothing() {
        makeRightToLeftBar(5);
        const QPointF at = bar->rect().center();
        QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar.get(), &wheel);
        QCOMPARE(bar->Value(), Integer{5});
        QCOMPARE(changes->count(), 0);
    }
    void setFocus_onDisabledBar_isIgnored_onEnabledBarTakesFocus() {
        bar->Enabled(false);
        bar->SetFocus();
        QVERIFY(bar->window()->focusWidget() != bar.get());
        bar->Enabled(true);
        bar->SetFocus();
        QCOMPARE(bar->window()->focusWidget(), bar.get());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::HScrollBarTest)
#include "HScrollBarTest.moc"
