#include <QImage>
#include <QTest>
#include <cmath>

#include "common/Rounding.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainScrollingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;

    // What the offset of a position is: position times pitch factor, in single precision,
    // rounded half to even.
    static Long offsetFor(long position, float factor) {
        return rounding::roundToLong(
            rounding::toSingle(static_cast<double>(position) * static_cast<double>(factor)));
    }
    // Columns of the view holding any ink.
    static std::vector<bool> inkedColumns(const QImage& image) {
        std::vector<bool> inked(static_cast<std::size_t>(image.width()), false);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 160) inked[static_cast<std::size_t>(x)] = true;
        return inked;
    }

private slots:
    void init() { w = std::make_unique<testing::WindowFixture>(); }
    void cleanup() { w.reset(); }

    // The position arithmetic itself is the view's (ScrollPosition); these check that the
    // window hands its values to the controls whatever way a position is reached.
    void positionReachedByAJump_showsItsOwnLineNumberAndRatio() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        const struct {
            Integer position;
            const char* line;
            Long offset;
            double ratio;
        } jumps[] = {{1, "1", 0, 0}, {11, "6", offsetFor(10, w->current().CharSpace(1)), 10.0 / 19},
                     {19, "10", offsetFor(18, w->current().CharSpace(1)), 18.0 / 19},
                     {3, "2", offsetFor(2, w->current().CharSpace(1)), 2.0 / 19}};
        for (const auto& jump : jumps) {
            drive(f).scrollTo(jump.position);
            QCOMPARE(q(drive(f).lineNumberText()), QString::fromUtf8(jump.line));
            QCOMPARE(drive(f).offsetX(), jump.offset);
            QCOMPARE(drive(f).valueRatio(), rounding::toSingle(jump.ratio));
        }
        // The end of the large style, then the small style: the end there too.
        f.cmdEnd_Click();
        f.mnuStyleType_Click(0);
        QCOMPARE(drive(f).scrollValue(), Integer{9});
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("10"));
    }

    void emptyDocument_staysAtPositionZeroWhateverMovesIt() {
        w->open(w->writeDocument(QStringLiteral("empty.tl2"), 0));
        frmMain& f = *w->form;
        QCOMPARE(w->current().GyouArraySize(), Integer{0});
        QCOMPARE(drive(f).scrollMin(), Integer{0});
        f.picView_MouseDown(1, 0, 1, 10);  // far left
        f.scrollBy(1);
        f.cmdEnd_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        f.mnuStyleType_Click(1);
        f.cmdEnd_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(drive(f).scrollMin(), Integer{0});
        f.mnuStyleType_Click(0);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
    }

    void headButton_atPositionZero_stillRedraws() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        QImage& image = drive(f).viewImage();
        const QImage drawn = image.copy();
        image.fill(Qt::red);
        f.cmdHead_Click();
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(image, drawn);
    }

    void withoutDocument_scrollingAndJumpsLeaveTheEmptyViewAlone() {
        frmMain& f = *w->form;
        QImage& image = drive(f).viewImage();
        image.setPixel(5, 5, qRgb(255, 0, 0));
        f.hsb1_Change();
        f.cmdHead_Click();
        f.cmdEnd_Click();
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(q(drive(f).lineNumberText()), QString());
    }

    // --- What the view shows ---
    void firstColumn_standsAtTheRightEdgeWithItsRubyToItsRight() {
        w->open(w->writeDocument(QStringLiteral("one.tl2"), 1));
        const QImage& image = drive(*w->form).viewImage();
        const int width = image.width();
        const double pitch = w->current().CharSpace(0);
        const auto inked = inkedColumns(image);
        int body = 0, ruby = 0, elsewhere = 0;
        for (int x = 0; x < width; ++x) {
            if (!inked[static_cast<std::size_t>(x)]) continue;
            if (x >= width - 2 * pitch && x < width - pitch)
                ++body;
            else if (x >= width - pitch && x < width - pitch / 2 + 1)
                ++ruby;
            else
                ++elsewhere;
        }
        QVERIFY(body > pitch / 2);
        QVERIFY(ruby > pitch / 8);
        QCOMPARE(elsewhere, 0);
    }

    void scrolledView_showsLaterLinesAtTheRightEdge() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        const QImage first = drive(f).viewImage().copy();
        drive(f).scrollTo(9);
        // The last line is now first: one column of body and ruby, the rest of the view blank.
        const auto inked = inkedColumns(drive(f).viewImage());
        const double pitch = w->current().CharSpace(0);
        for (int x = 0; x < drive(f).viewImage().width() - 2 * pitch - 1; ++x)
            QVERIFY2(!inked[static_cast<std::size_t>(x)], qPrintable(QString::number(x)));
        QVERIFY(drive(f).viewImage() != first);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainScrollingTest)
#include "frmMainScrollingTest.moc"
