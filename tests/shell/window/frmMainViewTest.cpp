// The window as a reading view: a new size or zoom lays the documents out again and keeps the
// first visible line and tier; zooming back to 100 % gives the classic layout exactly.
#include <QImage>
#include <QTest>
#include <cmath>
#include <memory>

#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/LargeDocuments.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;

class frmMainViewTest : public QObject {
    Q_OBJECT

private:
    static std::unique_ptr<testing::WindowFixture> opened(int style) {
        auto w = std::make_unique<testing::WindowFixture>();
        w->open(w->writeBytes(QStringLiteral("doc.tl2"), testing::large_documents::fullLines()));
        if (style == 1) w->form->mnuStyleType_Click(1);
        return w;
    }

    static bool statusSaysItFits(testing::WindowFixture& w) {
        return QString::fromStdU16String(w.status())
            .contains(QStringLiteral("収まる"));
    }

    // The x of the first visible line's first character on the screen, and the pitch.
    static std::pair<Long, Single> firstColumn(testing::WindowFixture& w, int style) {
        frmMain& form = *w.form;
        const CViewData& view = w.current();
        const Integer v = drive(form).scrollValue();
        const Integer line = style == 0 ? v + 1 : v / 2 + 1;
        const Integer dan = style == 0 || v % 2 == 0 ? 1 : view.Plusminus1MaxLenDan() / 2 + 1;
        const Long x = style == 0 ? view.position(PositionTables::kSmallBunX, line, dan)
                                  : view.position(PositionTables::kBigBunX, line, dan);
        return {drive(form).offsetX() + x, view.CharSpace(style)};
    }

private slots:
    void resize_keepsTheFirstVisibleLineAndTier_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("position");
        QTest::newRow("small") << 0 << 7;
        QTest::newRow("large upper tier") << 1 << 12;
        QTest::newRow("large lower tier") << 1 << 13;
    }
    void resize_keepsTheFirstVisibleLineAndTier() {
        QFETCH(int, style);
        QFETCH(int, position);
        auto w = opened(style);
        drive(*w->form).scrollTo(static_cast<Integer>(position));
        const String lineNumber = drive(*w->form).lineNumberText();
        for (const QSize size : {QSize(1600, 1000), QSize(700, 300), QSize(449, 624)}) {
            w->form->setViewSize(size.width(), size.height());
            w->form->followViewSize();
            QCOMPARE(drive(*w->form).scrollValue(), position);
            QCOMPARE(drive(*w->form).lineNumberText(), lineNumber);
            // The first visible line stands at the view's right edge, one pitch in.
            const auto [x, pitch] = firstColumn(*w, style);
            QVERIFY2(std::abs(x - (size.width() - pitch)) <= 2.0,
                     qPrintable(QStringLiteral("%1 at %2").arg(x).arg(size.width())));
            QVERIFY(w->current().FontSizeBun(style) > 0);
        }
    }

    void zoom_outInAndBack_givesTheClassicLayoutAndPixels() {
        for (int style : {0, 1}) {
            auto w = opened(style);
            drive(*w->form).scrollTo(4);
            const QImage classic = drive(*w->form).viewImage().copy();
            const Single pitch = w->current().CharSpace(style);
            const Long x = w->current().position(PositionTables::kSmallBunX, 3, 2);
            w->form->zoomTo(50);
            QVERIFY(w->current().CharSpace(style) < pitch);
            QCOMPARE(drive(*w->form).scrollValue(), 4);
            w->form->zoomStep(2);
            QVERIFY(w->form->zoomPercent() > 50 && w->form->zoomPercent() < 100);
            QVERIFY(w->current().CharSpace(style) < pitch);
            QVERIFY(drive(*w->form).viewImage() != classic);
            w->form->zoomStep(7);  // runs into the largest zoom that fits
            QCOMPARE(w->form->zoomPercent(), 100);
            QCOMPARE(w->current().CharSpace(style), pitch);
            QCOMPARE(w->current().position(PositionTables::kSmallBunX, 3, 2), x);
            QVERIFY(drive(*w->form).viewImage() == classic);
        }
    }

    // Above 100 % the columns would run past the bottom of the view: the zoom stops where
    // they fit, and the status bar says why; the last character stays inside the view.
    void zoom_aboveTheFittingSize_isCappedAndSaysSo() {
        for (int style : {0, 1}) {
            auto w = opened(style);
            const Single pitch = w->current().CharSpace(style);
            for (int asked : {110, 400, 1000}) {
                w->form->zoomTo(asked);
                QCOMPARE(w->form->zoomPercent(), 100);
                QCOMPARE(w->current().CharSpace(style), pitch);
                QVERIFY(statusSaysItFits(*w));
            }
            w->form->zoomTo(100);
            QVERIFY(!statusSaysItFits(*w));
            w->form->zoomStep(1);
            QCOMPARE(w->form->zoomPercent(), 100);
            QVERIFY(statusSaysItFits(*w));
            // The last character of every line (of its lower tier) ends inside the view.
            const CViewData& view = w->current();
            const double bottom = drive(*w->form).picView().logicalSize().height() + 1.0;
            for (Integer line = 1; line <= view.GyouArraySize(); ++line) {
                const Integer last = view.LenBunDan(line);
                if (last == 0) continue;
                const Long y = style == 0 ? view.position(PositionTables::kSmallBunY, line, last)
                                          : view.position(PositionTables::kBigBunY, line, last);
                QVERIFY(y + pitch <= bottom);
            }
        }
    }

    void paper_darkDrawsLightInkOnADarkGround_printingStaysBlack() {
        auto w = opened(0);
        w->form->paperPresetTo(frmMain::kPaperDark);
        const QImage& image = drive(*w->form).viewImage();
        QVERIFY(qGray(image.pixel(2, image.height() - 2)) < 64);
        int light = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) light += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY2(light > 100, qPrintable(QString::number(light)));
        w->form->paperPresetTo(frmMain::kPaperWhite);
        QCOMPARE(qGray(drive(*w->form).viewImage().pixel(2, 2)), 255);
    }
};

}  // namespace tavelo

QTEST_MAIN(tavelo::frmMainViewTest)
#include "frmMainViewTest.moc"
