#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "support/GuiTesting.h"
#include "shell/controls/MenuItem.h"

namespace tavelo {

using testing::q;

class MenuItemTest : public QObject {
    Q_OBJECT

private slots:
    // --- Captions ---
    void caption_keepsMnemonicAsGiven_andQtShowsIt() {
        QMenu menu;
        MenuItem item(menu, u"開く(&O)");
        QCOMPARE(q(item.Caption()), QStringLiteral("開く(&O)"));
        QCOMPARE(item.action().text(), QStringLiteral("開く(&O)"));
        QVERIFY(item.action().shortcut().isEmpty());
    }
    void dashCaption_makesSeparator_andTextMakesItACommandAgain() {
        QMenu menu;
        MenuItem item(menu, u"-");
        QVERIFY(item.action().isSeparator());
        item.Caption(u"9:05:31 sample.tl2");
        QVERIFY(!item.action().isSeparator());
        QCOMPARE(item.action().text(), QStringLiteral("9:05:31 sample.tl2"));
    }

    // --- Check marks ---
    void choosingCheckedItem_keepsItsMark() {
        QMenu menu;
        MenuItem item(menu, u"フォント小(&S)");
        item.Checked(true);
        QSignalSpy clicks(&item, &MenuItem::Click);
        item.action().trigger();
        QCOMPARE(clicks.count(), 1);
        QVERIFY(item.Checked());
        QVERIFY(item.action().isChecked());
    }
    void choosingUncheckedItem_doesNotCheckIt() {
        QMenu menu;
        MenuItem item(menu, u"フォント大(&L)");
        item.Checked(true);
        item.Checked(false);
        item.action().trigger();
        QVERIFY(!item.Checked());
        QVERIFY(!item.action().isChecked());
    }

    // --- Enabled and visible ---
    void disabledItem_raisesNoClick() {
        QMenu menu;
        MenuItem item(menu, u"更新(&R)");
        item.Enabled(false);
        QSignalSpy clicks(&item, &MenuItem::Click);
        item.action().trigger();
        QCOMPARE(clicks.count(), 0);
    }
    void hiddenItem_keepsItsEnabledState_andIsUsableOnceShown() {
        QMenu menu;
        MenuItem item(menu, u"9:05:31 sample.tl2");
        item.Visible(false);
        QVERIFY(item.Enabled());
        item.Visible(true);
        QSignalSpy clicks(&item, &MenuItem::Click);
        item.action().trigger();
        QCOMPARE(clicks.count(), 1);
    }
    void menuTitle_disabledOnTheBar_andItsItemsStayInItsMenu() {
        QMenuBar bar;
        MenuItem title(bar, u"スタイル(&S)", MenuItem::Kind::Menu);
        MenuItem entry(*title.subMenu(), u"フォント小(&S)");
        title.Enabled(false);
        QVERIFY(!bar.actions().front()->isEnabled());
        QCOMPARE(title.subMenu()->actions().size(), 1);
        QCOMPARE(title.subMenu()->actions().front(), &entry.action());
    }
    void insertedBefore_standsAboveThatItem() {
        QMenu menu;
        MenuItem last(menu, u"終了(&X)");
        MenuItem first(menu, u"開く(&O)", MenuItem::Kind::Command, &last.action());
        QCOMPARE(menu.actions().front(), &first.action());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::MenuItemTest)
#include "MenuItemTest.moc"
