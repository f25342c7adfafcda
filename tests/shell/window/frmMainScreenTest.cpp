// The window on the screen: it fits a small screen whole, comes back from full screen to the
// state it left, and gives the toolbar row's free width to the scroll bar.
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <memory>

#include "shell/window/ScreenFit.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;

class frmMainScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    frmMain& form() { return *w->form; }

private slots:
    void init() { w = std::make_unique<testing::WindowFixture>(); }
    void cleanup() { w.reset(); }

    // --- Small screens ---
    void shown_theWholeFrameIsOnTheScreensFreeArea() {
        // A screen 600 pixels high (1024 x 600) can hold the smallest window.
        QVERIFY(form().minimumSizeHint().height() < 600 - 60);
        QVERIFY(form().minimumHeight() < 600 - 60);
        // Asked to open taller than the test's screen and past its edge, it is cut and moved.
        const QRect available = form().screen()->availableGeometry();
        form().resize(451, available.height() + 200);
        form().move(available.right() - 100, available.top() + 50);
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        QVERIFY2(available.contains(form().frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(form().frameGeometry().x())
                                .arg(form().frameGeometry().y())
                                .arg(form().frameGeometry().width())
                                .arg(form().frameGeometry().height())));
        QVERIFY(form().minimumHeight() <= available.height());
        // The status bar is inside the window.
        QVERIFY(drive(form()).stb1().geometry().bottom() < form().centralWidget()->height());
    }

    void screenFit_cutsTheClassicSizeToTheFreeArea() {
        const QSize classic(451, 682);
        const QSize around(8, 34 + 22);
        const struct {
            QRect available;
            QSize client;
        } cases[] = {
            {QRect(0, 0, 1920, 1080), classic},
            {QRect(0, 0, 1024, 600), QSize(451, 600 - 56)},
            {QRect(0, 30, 1024, 570), QSize(451, 570 - 56)},
            {QRect(0, 0, 400, 300), QSize(400 - 8, 300 - 56)},
        };
        for (const auto& c : cases)
            QCOMPARE(ScreenFit::clientSize(classic, c.available, around), c.client);
        const QRect free(0, 30, 1024, 570);
        QCOMPARE(ScreenFit::topLeft(QRect(900, 500, 400, 300), free), QPoint(624, 300));
        QCOMPARE(ScreenFit::topLeft(QRect(-20, 0, 400, 300), free), QPoint(0, 30));
        QCOMPARE(ScreenFit::topLeft(QRect(100, 100, 400, 300), free), QPoint(100, 100));
    }

    // --- Full screen ---
    void fullScreenAndBack_returnsToTheStateBefore_data() {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }
    void fullScreenAndBack_returnsToTheStateBefore() {
        QFETCH(bool, maximized);
        if (maximized)
            form().showMaximized();
        else
            form().showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        form().toggleFullScreen();
        QVERIFY(form().isFullScreen());
        form().toggleFullScreen();
        QVERIFY(!form().isFullScreen());
        QCOMPARE(form().isMaximized(), maximized);
    }

    // --- The toolbar row ---
    void wideWindow_givesTheRowsFreeWidthToTheScrollBar_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("classic") << 451;
        QTest::newRow("wide") << 1600;
    }
    void wideWindow_givesTheRowsFreeWidthToTheScrollBar() {
        QFETCH(int, width);
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        form().centralWidget()->resize(width, 682);
        // The classic row: the scroll bar 71 pixels wide, the line number ending 2 before the
        // edge.
        QCOMPARE(drive(form()).txtLineNumber().geometry().right(), width - 3);
        QCOMPARE(drive(form()).hsb1().width(), 71 + (width - 451));
        QVERIFY(drive(form()).hsb1().geometry().right() < drive(form()).cmdHead().x());
        QCOMPARE(drive(form()).cmdHead().x(), drive(form()).txtLineNumber().x() - 16);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainScreenTest)
#include "frmMainScreenTest.moc"
