#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "support/GuiTesting.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/MenuItem.h"
#include "shell/controls/MenuItemArray.h"

namespace tavelo {

using testing::errorNumberOf;
using testing::q;

class MenuItemArrayTest : public QObject {
    Q_OBJECT

private slots:
    // --- Loading elements ---
    void loadedElement_standsBelowTheLastElement_evenWithItemsAfterTheArray() {
        QMenu menu;
        MenuItemArray array(menu, "mnuID");
        array.Load(0).Caption(u"-");
        MenuItem after(menu, u"後");
        MenuItem& first = array.Load(1);
        const QList<QAction*> actions = menu.actions();
        QCOMPARE(actions.indexOf(&first.action()), 1);
        QCOMPARE(actions.indexOf(&after.action()), 2);
    }
    void newElement_copiesLowestElement_butStartsInvisible() {
        QMenu menu;
        MenuItemArray array(menu, "mnuID");
        MenuItem& lowest = array.Load(0);
        lowest.Caption(u"-");
        lowest.Enabled(false);
        MenuItem& added = array.Load(1);
        QCOMPARE(q(added.Caption()), QStringLiteral("-"));
        QVERIFY(!added.Enabled());
        QVERIFY(!added.Visible());
        QCOMPARE(array.UBound(), Integer{1});
        QCOMPARE(array.Count(), Integer{2});
    }
    void loadingExistingElement_failsWith360() {
        QMenu menu;
        MenuItemArray array(menu, "mnuID");
        array.Load(0);
        array.Load(1);
        QCOMPARE(errorNumberOf([&] { array.Load(1); }), controlerrors::kObjectAlreadyLoaded);
        QCOMPARE(array.Count(), Integer{2});
    }
    void loadingPastTheNextFreeIndex_fails() {
        QMenu menu;
        MenuItemArray array(menu, "mnuID");
        array.Load(0);
        QCOMPARE(errorNumberOf([&] { array.Load(3); }), Error::kSubscriptOutOfRange);
        QCOMPARE(menu.actions().size(), 1);
    }
    void missingElement_failsWith340() {
        QMenu menu;
        MenuItemArray array(menu, "mnuID");
        QCOMPARE(errorNumberOf([&] { (void)array(0); }), controlerrors::kControlArrayElementMissing);
        array.Load(0);
        QCOMPARE(errorNumberOf([&] { (void)array(1); }), controlerrors::kControlArrayElementMissing);
        QCOMPARE(errorNumberOf([&] { (void)array(-1); }), controlerrors::kControlArrayElementMissing);
    }

    // --- Click ---
    void click_passesTheElementsIndex() {
        QMenu menu;
        MenuItemArray array(menu, "mnuStyleType");
        for (Integer i = 0; i <= 3; ++i) array.Load(i).Caption(u"項目");
        QSignalSpy clicks(&array, &MenuItemArray::Click);
        array(3).action().trigger();
        array(0).action().trigger();
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(0).at(0).value<Integer>(), Integer{3});
        QCOMPARE(clicks.at(1).at(0).value<Integer>(), Integer{0});
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::MenuItemArrayTest)
#include "MenuItemArrayTest.moc"
