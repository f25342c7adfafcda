#include <QSignalSpy>

#include "support/GuiTesting.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/StatusBar.h"
#include "shell/controls/StatusBarPanel.h"

namespace tavelo {

using testing::errorNumberOf;
using testing::q;

class StatusBarTest : public QObject {
    Q_OBJECT

private slots:
    // --- Mouse in twips ---
    void mouseDown_reportsButtonAndXInTwips_alsoOverThePanel() {
        StatusBar bar(nullptr);
        bar.resize(451, 28);
        bar.Panels(1).Width(6765);
        QSignalSpy downs(&bar, &StatusBar::MouseDown);
        QTest::mouseClick(&bar, Qt::RightButton, Qt::ShiftModifier, QPoint(100, 10));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.at(0).at(0).value<Integer>(), Integer{2});
        QCOMPARE(downs.at(0).at(1).value<Integer>(), Integer{1});
        QCOMPARE(downs.at(0).at(2).value<Single>(), Single{1500});
        QCOMPARE(downs.at(0).at(3).value<Single>(), Single{150});
        QCOMPARE(bar.Width(), Single{6765});
    }

    // --- Panel ---
    void panel_keepsTextAndWidth_andIsShownInsideTheBar() {
        StatusBar bar(nullptr);
        bar.resize(451, 28);
        bar.Panels(1).Text(u"9:05:31 sample.tl2   120行×38段(最長)");
        bar.Panels(1).Width(9000);
        QCOMPARE(q(bar.Panels(1).Text()), QStringLiteral("9:05:31 sample.tl2   120行×38段(最長)"));
        QCOMPARE(bar.Panels(1).Width(), Single{9000});
        QVERIFY(bar.rect().contains(bar.Panels(1).geometry()));
    }
    void onlyPanelOneExists() {
        StatusBar bar(nullptr);
        QCOMPARE(errorNumberOf([&] { (void)bar.Panels(0); }), Error::kSubscriptOutOfRange);
        QCOMPARE(errorNumberOf([&] { (void)bar.Panels(2); }), Error::kSubscriptOutOfRange);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::StatusBarTest)
#include "StatusBarTest.moc"
