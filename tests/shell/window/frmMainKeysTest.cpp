#include <QTest>
#include <QWheelEvent>

#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainKeysTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testing::WindowFixture> w;

    void wheel(QWidget& target, int angleDeltaY) {
        const QPointF at(10, 10);
        QWheelEvent event(at, target.mapToGlobal(at), QPoint(), QPoint(0, angleDeltaY),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&target, &event);
    }

  private slots:
    void init() {
        w = std::make_unique<testing::WindowFixture>();
        w->open(w->writeDocument(QStringLiteral("thirty.tl2"), 30));
    }
    void cleanup() { w.reset(); }

    // --- Wheel ---
    void wheelTowardsTheUser_movesForwardOnePositionPerNotch() {
        frmMain& f = *w->form;
        wheel(drive(f).picView(), -120);
        QCOMPARE(drive(f).scrollValue(), Integer{1});
        wheel(drive(f).picView(), -240);
        QCOMPARE(drive(f).scrollValue(), Integer{3});
        wheel(drive(f).picView(), 120);
        QCOMPARE(drive(f).scrollValue(), Integer{2});
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("3"));  // redrawn through Change
    }

    void touchpadScrolling_addsUpToWholePositionsAndStopsAtTheEnds() {
        frmMain& f = *w->form;
        for (int i = 0; i < 5; ++i) wheel(drive(f).picView(), -40);  // 200: one position
        QCOMPARE(drive(f).scrollValue(), Integer{1});
        wheel(drive(f).picView(), 1200);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        f.cmdEnd_Click();
        wheel(drive(f).hsb1(), -120);
        QCOMPARE(drive(f).scrollValue(), drive(f).scrollMin());
    }

    void wheelInTheLargeStyle_movesOneTierPerNotch() {
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        wheel(drive(f).picView(), -120);
        QCOMPARE(drive(f).scrollValue(), Integer{1});  // the lower tiers of the same lines
    }

    // --- Keys ---
    void arrowAndPageKeys_moveInTheReadingDirection() {
        frmMain& f = *w->form;
        QTest::keyClick(&drive(f).hsb1(), Qt::Key_Left);
        QCOMPARE(drive(f).scrollValue(), Integer{1});
        // A page is the whole columns the view shows, fewer than the classic ten here.
        const Integer page = drive(f).pageStep();
        QVERIFY(page >= 1 && page < 10);
        QTest::keyClick(&drive(f).hsb1(), Qt::Key_PageDown);
        QCOMPARE(drive(f).scrollValue(), static_cast<Integer>(1 + page));
        drive(f).press(Qt::Key_Right);
        QCOMPARE(drive(f).scrollValue(), page);
        drive(f).press(Qt::Key_PageUp);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        drive(f).press(Qt::Key_PageUp);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
    }

    void homeAndEnd_jumpAsTheStartAndEndButtonsDo() {
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        QTest::keyClick(&drive(f).hsb1(), Qt::Key_End);
        QCOMPARE(drive(f).scrollValue(), Integer{59});  // the lower tier of the last line
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("30"));
        drive(f).press(Qt::Key_Home);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("1"));
    }

    // --- Search navigation ---
    void search_showsTheNumberOfHitsInTheStatusBar() {
        frmMain& f = *w->form;
        drive(f).typeSearch(u"漢字");
        f.cmdSearch_Click();
        // Each line is 漢字 ten times over.
        QVERIFY(q(w->status()).endsWith(QStringLiteral("検索「漢字」300件")));
        QVERIFY(drive(f).cmdNextHit().isEnabled() && drive(f).cmdPrevHit().isEnabled());
        f.cmdClear_Click();
        QVERIFY(!drive(f).cmdNextHit().isEnabled());
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 thirty.tl2   30行×20段(最長)   600字 (400字詰め 2枚)"));
    }

    void enterInTheSearchBox_searchesAsTheButtonDoes() {
        frmMain& f = *w->form;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            f.cmdClear_Click();
            drive(f).typeSearch(u"漢字");
            QTest::keyClick(&drive(f).txtSearch(), key);
            QVERIFY(drive(f).hitsShown());
            QVERIFY(q(w->status()).endsWith(QStringLiteral("検索「漢字」300件")));
        }
    }

    void nextAndPreviousHit_bringTheLineFirstAndWrap() {
        std::string text;
        for (int g = 1; g <= 12; ++g) text += (g == 4 || g == 9) ? "猫\r\n" : "犬\r\n";
        w->open(w->writeFile(QStringLiteral("cats.tl2"), text));
        frmMain& f = *w->form;
        drive(f).typeSearch(u"猫");
        f.cmdSearch_Click();
        f.cmdNextHit_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{3});
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("4"));
        f.cmdNextHit_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{8});
        f.cmdNextHit_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{3});  // round the end
        f.cmdPrevHit_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{8});
        f.show();  // shortcuts reach an active window only
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_F3);
        QCOMPARE(drive(f).scrollValue(), Integer{3});
        QTest::keyClick(&f, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(drive(f).scrollValue(), Integer{8});
    }

    void documentWithoutHits_staysWhereItIs() {
        frmMain& f = *w->form;
        drive(f).scrollTo(5);
        drive(f).typeSearch(u"猫");
        f.cmdSearch_Click();
        QVERIFY(!drive(f).cmdNextHit().isEnabled());
        f.cmdNextHit_Click();
        f.cmdPrevHit_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{5});
    }

    void ctrlF_putsTheFocusIntoTheSearchBox() {
        frmMain& f = *w->form;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        drive(f).hsb1().SetFocus();
        QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(drive(f).txtSearch().hasFocus());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainKeysTest)
#include "frmMainKeysTest.moc"
