#include <QTest>
#include <QWheelEvent>

#include "support/GuiTesting.h"
#include "support/WindowFixture.h"
#include "store/CViewData.h"

namespace tavelo {

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
        wheel(f.picView, -120);
        QCOMPARE(f.hsb1.Value(), Integer{1});
        wheel(f.picView, -240);
        QCOMPARE(f.hsb1.Value(), Integer{3});
        wheel(f.picView, 120);
        QCOMPARE(f.hsb1.Value(), Integer{2});
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("3"));  // redrawn through Change
    }

    void touchpadScrolling_addsUpToWholePositionsAndStopsAtTheEnds() {
        frmMain& f = *w->form;
        for (int i = 0; i < 5; ++i) wheel(f.picView, -40);  // 200: one position
        QCOMPARE(f.hsb1.Value(), Integer{1});
        wheel(f.picView, 1200);
        QCOMPARE(f.hsb1.Value(), Integer{0});
        f.cmdEnd_Click();
        wheel(f.hsb1, -120);
        QCOMPARE(f.hsb1.Value(), f.hsb1.Min());
    }

    void wheelInTheLargeStyle_movesOneTierPerNotch() {
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        wheel(f.picView, -120);
        QCOMPARE(f.hsb1.Value(), Integer{1});  // the lower tiers of the same lines
    }

    // --- Keys ---
    void arrowAndPageKeys_moveInTheReadingDirection() {
        frmMain& f = *w->form;
        QTest::keyClick(&f.hsb1, Qt::Key_Left);
        QCOMPARE(f.hsb1.Value(), Integer{1});
        // A page is the whole columns the view shows, fewer than the classic ten here.
        const Integer page = f.hsb1.LargeChange();
        QVERIFY(page >= 1 && page < 10);
        QTest::keyClick(&f.hsb1, Qt::Key_PageDown);
        QCOMPARE(f.hsb1.Value(), static_cast<Integer>(1 + page));
        QTest::keyClick(&f.picView, Qt::Key_Right);
        QCOMPARE(f.hsb1.Value(), page);
        QTest::keyClick(&f.picView, Qt::Key_PageUp);
        QCOMPARE(f.hsb1.Value(), Integer{0});
        QTest::keyClick(&f.picView, Qt::Key_PageUp);
        QCOMPARE(f.hsb1.Value(), Integer{0});
    }

    void homeAndEnd_jumpAsTheStartAndEndButtonsDo() {
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        QTest::keyClick(&f.hsb1, Qt::Key_End);
        QCOMPARE(f.hsb1.Value(), Integer{59});  // the lower tier of the last line
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("30"));
        QTest::keyClick(&f.picView, Qt::Key_Home);
        QCOMPARE(f.hsb1.Value(), Integer{0});
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("1"));
    }

    // --- Search navigation ---
    void search_showsTheNumberOfHitsInTheStatusBar() {
        frmMain& f = *w->form;
        f.txtSearch.Text(u"漢字");
        f.cmdSearch_Click();
        // Each line is 漢字 ten times over.
        QVERIFY(q(w->status()).endsWith(QStringLiteral("検索「漢字」300件")));
        QVERIFY(f.cmdNextHit.isEnabled() && f.cmdPrevHit.isEnabled());
        f.cmdClear_Click();
        QVERIFY(!f.cmdNextHit.isEnabled());
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 thirty.tl2   30行×20段(最長)   600字 (400字詰め 2枚)"));
    }

    void enterInTheSearchBox_searchesAsTheButtonDoes() {
        frmMain& f = *w->form;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            f.cmdClear_Click();
            f.txtSearch.Text(u"漢字");
            QTest::keyClick(&f.txtSearch, key);
            QVERIFY(f.m_IsSearch);
            QVERIFY(q(w->status()).endsWith(QStringLiteral("検索「漢字」300件")));
        }
    }

    void nextAndPreviousHit_bringTheLineFirstAndWrap() {
        std::string text;
        for (int g = 1; g <= 12; ++g) text += (g == 4 || g == 9) ? "猫\r\n" : "犬\r\n";
        w->open(w->writeFile(QStringLiteral("cats.tl2"), text));
        frmMain& f = *w->form;
        f.txtSearch.Text(u"猫");
        f.cmdSearch_Click();
        f.cmdNextHit_Click();
        QCOMPARE(f.hsb1.Value(), Integer{3});
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("4"));
        f.cmdNextHit_Click();
        QCOMPARE(f.hsb1.Value(), Integer{8});
        f.cmdNextHit_Click();
        QCOMPARE(f.hsb1.Value(), Integer{3});  // round the end
        f.cmdPrevHit_Click();
        QCOMPARE(f.hsb1.Value(), Integer{8});
        f.show();  // shortcuts reach an active window only
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(&f, Qt::Key_F3);
        QCOMPARE(f.hsb1.Value(), Integer{3});
        QTest::keyClick(&f, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(f.hsb1.Value(), Integer{8});
    }

    void documentWithoutHits_staysWhereItIs() {
        frmMain& f = *w->form;
        f.hsb1.Value(5);
        f.txtSearch.Text(u"猫");
        f.cmdSearch_Click();
        QVERIFY(!f.cmdNextHit.isEnabled());
        f.cmdNextHit_Click();
        f.cmdPrevHit_Click();
        QCOMPARE(f.hsb1.Value(), Integer{5});
    }

    void ctrlF_putsTheFocusIntoTheSearchBox() {
        frmMain& f = *w->form;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.hsb1.SetFocus();
        QTest::keyClick(&f, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(f.txtSearch.hasFocus());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainKeysTest)
#include "frmMainKeysTest.moc"
