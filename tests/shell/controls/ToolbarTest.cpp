#include <QSignalSpy>
#include <QToolButton>

#include "support/GuiTesting.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/Toolbar.h"
#include "shell/controls/ToolbarButton.h"

namespace tavelo {

using testing::errorNumberOf;
using testing::q;

class ToolbarTest : public QObject {
    Q_OBJECT

private:
    static void fill(Toolbar& bar) {
        QPixmap image(16, 16);
        image.fill(Qt::red);
        bar.ImageList({image, image});
        bar.AddButton(u"ファイルを開く", ToolbarButton::tbrDefault, 1);
        bar.AddButton(String(), ToolbarButton::tbrSeparator);
        bar.AddButton(u"フォント小", ToolbarButton::tbrCheck, 2);
        bar.AddButton(String(), ToolbarButton::tbrPlaceholder);
    }

private slots:
    // --- ButtonClick ---
    void pressingButton_passesThatButtonWithItsKey() {
        Toolbar bar(nullptr);
        bar.resize(451, 28);
        fill(bar);
        std::vector<String> keys;
        std::vector<Integer> indices;
        connect(&bar, &Toolbar::ButtonClick, this, [&](ToolbarButton& button) {
            keys.push_back(button.Key());
            indices.push_back(button.Index());
        });
        QTest::mouseClick(&bar.Buttons(3).button(), Qt::LeftButton);
        QTest::mouseClick(&bar.Buttons(1).button(), Qt::LeftButton);
        QCOMPARE(keys.size(), std::size_t{2});
        QCOMPARE(q(keys[0]), QStringLiteral("フォント小"));
        QCOMPARE(indices[0], Integer{3});
        QCOMPARE(q(keys[1]), QStringLiteral("ファイルを開く"));
    }
    void disabledButton_raisesNoButtonClick() {
        Toolbar bar(nullptr);
        fill(bar);
        bar.Buttons(1).Enabled(false);
        QSignalSpy clicks(&bar, &Toolbar::ButtonClick);
        QTest::mouseClick(&bar.Buttons(1).button(), Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);
    }
    void checkButton_togglesItsPressedState() {
        Toolbar bar(nullptr);
        fill(bar);
        QCOMPARE(bar.Buttons(3).Value(), Integer{0});
        QTest::mouseClick(&bar.Buttons(3).button(), Qt::LeftButton);
        QCOMPARE(bar.Buttons(3).Value(), Integer{1});
    }

    // --- Layout ---
    void buttonsStandInARow_separatorsNarrower_invisibleButtonsTakeNoSpace() {
        Toolbar bar(nullptr);
        bar.resize(451, 28);
        fill(bar);
        bar.AddButton(u"更新", ToolbarButton::tbrDefault, 1);
        const int first = bar.Buttons(1).button().x();
        QCOMPARE(first, Toolbar::kLeftMargin);
        QCOMPARE(bar.Buttons(3).button().x(),
                 first + Toolbar::kButtonWidth + Toolbar::kSeparatorWidth);
        bar.Buttons(3).Visible(false);
        QVERIFY(bar.Buttons(3).button().isHidden());
        QCOMPARE(bar.Buttons(5).button().x(),
                 first + Toolbar::kButtonWidth + Toolbar::kSeparatorWidth);
    }
    void placeholderWidth_inTwips_keepsThatSpaceFree() {
        Toolbar bar(nullptr);
        bar.resize(900, 28);
        fill(bar);
        bar.AddButton(u"更新", ToolbarButton::tbrDefault, 1);
        const int before = bar.Buttons(5).button().x();
        bar.Buttons(4).Width(7000);
        QCOMPARE(bar.Buttons(5).button().x(), before + 467);
        QCOMPARE(bar.Buttons(4).Width(), Single{7005});  // whole pixels
    }
    void widthOfOrdinaryButton_isReadOnly() {
        Toolbar bar(nullptr);
        fill(bar);
        QCOMPARE(errorNumberOf([&] { bar.Buttons(1).Width(500); }), controlerrors::kPropertyReadOnly);
    }

    // --- Images and indices ---
    void imageBeyondImageList_fails() {
        Toolbar bar(nullptr);
        fill(bar);
        QCOMPARE(errorNumberOf([&] { bar.Buttons(1).Image(3); }), controlerrors::kInvalidPropertyValue);
        QCOMPARE(bar.Buttons(1).Image(), Integer{1});
        QVERIFY(!bar.Buttons(1).button().icon().isNull());
    }
    void buttonIndexOutsideOneToCount_fails() {
        Toolbar bar(nullptr);
        fill(bar);
        QCOMPARE(errorNumberOf([&] { (void)bar.Buttons(0); }), Error::kSubscriptOutOfRange);
        QCOMPARE(errorNumberOf([&] { (void)bar.Buttons(5); }), Error::kSubscriptOutOfRange);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::ToolbarTest)
#include "ToolbarTest.moc"
