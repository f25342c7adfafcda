#include <QImage>
#include <QTest>
#include <cmath>

#include "support/GuiTesting.h"
#include "support/WindowFixture.h"
#include "common/Rounding.h"
#include "store/CViewData.h"

namespace tavelo {

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

    // --- Small style ---
    void smallStyle_positionMovesTwoPitchesPerLineAndShowsTheFirstVisibleLine() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        QCOMPARE(f.hsb1.Min(), Integer{9});
        QCOMPARE(f.hsb1.Max(), Integer{0});
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("1"));
        f.hsb1.Value(3);
        const float pitch = w->current().CharSpace(0);
        QCOMPARE(f.m_OffsetX, offsetFor(3, rounding::toSingle(pitch * 2.0)));
        QCOMPARE(f.m_ValueRatio, rounding::toSingle(3.0 / 9.0));
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("4"));
        f.hsb1.Value(0);
        QCOMPARE(f.m_OffsetX, Long{0});
        QCOMPARE(f.m_ValueRatio, 0.0f);
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("1"));
    }

    void oneLineDocument_hasOnlyPositionZeroInTheSmallStyle() {
        w->open(w->writeDocument(QStringLiteral("one.tl2"), 1));
        QCOMPARE(w->form->hsb1.Min(), Integer{0});
        QCOMPARE(q(w->form->txtLineNumber.Text()), QStringLiteral("1"));
    }

    // --- Large style ---
    void largeStyle_oddPositionsShowLowerTiersAtTheOffsetOfTheEvenOneBefore() {
        w->open(w->writeDocument(QStringLiteral("three.tl2"), 3));
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        QCOMPARE(f.hsb1.Min(), Integer{5});
        const float pitch = w->current().CharSpace(1);
        f.hsb1.Value(4);
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("3"));
        const Single ratio = f.m_ValueRatio;
        f.hsb1.Value(5);
        QCOMPARE(f.m_OffsetX, offsetFor(4, pitch));
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("3"));  // unchanged by odd positions
        QCOMPARE(f.m_ValueRatio, ratio);
    }

    void oneLineDocumentInTheLargeStyle_hasItsLowerTierAtPositionOne() {
        w->open(w->writeDocument(QStringLiteral("one.tl2"), 1, 30));
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        QCOMPARE(f.hsb1.Min(), Integer{1});
        f.hsb1.Value(1);
        QCOMPARE(f.m_OffsetX, Long{0});
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("1"));
    }

    // --- Jumps ---
    void endButton_inTheLargeStyle_showsTheLowerTierOfTheLastLine() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        f.cmdEnd_Click();
        QCOMPARE(f.hsb1.Value(), Integer{19});
        QCOMPARE(f.m_OffsetX, offsetFor(18, w->current().CharSpace(1)));
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("10"));
    }

    void endButton_inTheSmallStyle_showsTheLastLineFirst() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        f.cmdEnd_Click();
        QCOMPARE(f.hsb1.Value(), Integer{9});
        QCOMPARE(f.m_OffsetX, offsetFor(9, rounding::toSingle(w->current().CharSpace(0) * 2.0)));
        QCOMPARE(q(f.txtLineNumber.Text()), QStringLiteral("10"));
    }

    void headButton_atPositionZero_stillRedraws() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        QImage& image = f.picView.image();
        const QImage drawn = image.copy();
        image.fill(Qt::red);
        f.cmdHead_Click();
        QCOMPARE(f.hsb1.Value(), Integer{0});
        QCOMPARE(image, drawn);
    }

    void withoutDocument_scrollingAndJumpsLeaveTheEmptyViewAlone() {
        frmMain& f = *w->form;
        QImage& image = f.picView.image();
        image.setPixel(5, 5, qRgb(255, 0, 0));
        f.hsb1_Change();
        f.cmdHead_Click();
        f.cmdEnd_Click();
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(q(f.txtLineNumber.Text()), QString());
    }

    // --- What the view shows ---
    void firstColumn_standsAtTheRightEdgeWithItsRubyToItsRight() {
        w->open(w->writeDocument(QStringLiteral("one.tl2"), 1));
        const QImage& image = w->form->picView.image();
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
        const QImage first = f.picView.image().copy();
        f.hsb1.Value(9);
        // The last line is now first: one column of body and ruby, the rest of the view blank.
        const auto inked = inkedColumns(f.picView.image());
        const double pitch = w->current().CharSpace(0);
        for (int x = 0; x < f.picView.image().width() - 2 * pitch - 1; ++x)
            QVERIFY2(!inked[static_cast<std::size_t>(x)], qPrintable(QString::number(x)));
        QVERIFY(f.picView.image() != first);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainScrollingTest)
#include "frmMainScrollingTest.moc"
