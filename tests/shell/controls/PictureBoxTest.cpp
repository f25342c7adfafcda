#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>
#include <memory>

#include "support/GuiTesting.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/PictureBox.h"

namespace tavelo {

using testing::errorNumberOf;
using testing::q;

class PictureBoxTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PictureBox> box;

    [[nodiscard]] static std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        return data;
    }

    // Drags `data` over the box and drops it; the handler sets the effect to `effect`.
    // Returns whether the drop was delivered.
    bool dragAndDrop(const QMimeData& data, Long effect, std::vector<String>* offered) {
        auto setEffect = connect(box.get(), &PictureBox::OLEDragOver, this,
                                 [&](const std::vector<String>& files, Long& e, Integer) {
                                     if (offered != nullptr) *offered = files;
                                     e = effect;
                                 });
        QSignalSpy drops(box.get(), &PictureBox::OLEDragDrop);
        const QPoint at(100, 100);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton,
                              Qt::NoModifier);
        QApplication::sendEvent(box.get(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(box.get(), &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box.get(), &drop);
        disconnect(setEffect);
        return drops.count() == 1;
    }

private slots:
    void init() {
        box = std::make_unique<PictureBox>(nullptr);
        box->setGeometry(0, 0, 451, 626);
        box->BorderStyle(1);
        box->BackColor(RGB(255, 255, 255));
    }
    void cleanup() { box.reset(); }

    // --- The persistent image ---
    void image_isTheInnerArea_insideAOnePixelBorder() {
        QCOMPARE(box->image().size(), QSize(449, 624));
        QCOMPARE(box->image().format(), QImage::Format_RGB32);
        box->BorderStyle(0);
        QCOMPARE(box->image().size(), QSize(451, 626));
    }
    void cls_clearsTheImageToBackColor() {
        box->image().fill(Qt::black);
        box->BackColor(RGB(0, 128, 255));
        box->Cls();
        QCOMPARE(box->image().pixel(0, 0), qRgb(0, 128, 255));
        QCOMPARE(box->image().pixel(448, 623), qRgb(0, 128, 255));
    }
    void drawnPixels_appearAtTheNextRepaint_insideTheBorder() {
        box->Cls();
        box->image().setPixel(0, 0, qRgb(255, 0, 0));
        box->image().setPixel(448, 623, qRgb(0, 0, 255));
        const QImage shown = box->grab().toImage();
        QCOMPARE(shown.pixel(1, 1), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(449, 624), qRgb(0, 0, 255));
        QVERIFY(shown.pixel(0, 0) != qRgb(255, 255, 255));  // the border
    }
    void resizing_keepsWhatWasDrawn() {
        box->Cls();
        box->image().setPixel(5, 5, qRgb(255, 0, 0));
        box->resize(300, 300);
        QCOMPARE(box->image().size(), QSize(298, 298));
        QCOMPARE(box->image().pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(box->image().pixel(200, 200), qRgb(255, 255, 255));
    }

    // At a pixel ratio of 2 the image has twice the pixels each way and is shown at the logical
    // size; what layout and mouse positions measure stays logical, and drawing survives it.
    void devicePixelRatio_doublesTheImage_logicalSizesStay() {
        box->Cls();
        box->image().setPixel(3, 3, qRgb(255, 0, 0));
        box->setDevicePixelRatio(2);
        QCOMPARE(box->image().size(), QSize(898, 1248));
        QCOMPARE(box->image().devicePixelRatio(), 2.0);
        QCOMPARE(box->logicalSize(), QSize(449, 624));
        QCOMPARE(box->image().pixel(6, 6), qRgb(255, 0, 0));  // kept at its logical place
        box->ScaleMode(PictureBox::vbPixels);
        QCOMPARE(box->ScaleWidth(), Single{449});
        const QImage shown = box->grab().toImage();
        QCOMPARE(shown.size() / shown.devicePixelRatio(), QSize(451, 626));
        box->setDevicePixelRatio(0);  // follows the screen again: 1 offscreen
        QCOMPARE(box->image().size(), QSize(449, 624));
        QCOMPARE(errorNumberOf([&] { box->setDevicePixelRatio(5); }),
                 controlerrors::kInvalidPropertyValue);
    }

    // --- Scale ---
    void scaleSize_inTwipsOrPixels() {
        box->ScaleMode(PictureBox::vbTwips);
        QCOMPARE(box->ScaleWidth(), Single{6735});
        QCOMPARE(box->ScaleHeight(), Single{9360});
        box->ScaleMode(PictureBox::vbPixels);
        QCOMPARE(box->ScaleWidth(), Single{449});
        QCOMPARE(box->ScaleHeight(), Single{624});
    }
    void otherScaleModes_fail() {
        QCOMPARE(errorNumberOf([&] { box->ScaleMode(2); }), controlerrors::kInvalidPropertyValue);
        QCOMPARE(box->ScaleMode(), Integer{PictureBox::vbTwips});
    }

    // --- Mouse ---
    void mouseDown_reportsButtonShiftAndPositionFromTheInnerCorner() {
        box->ScaleMode(PictureBox::vbPixels);
        QSignalSpy downs(box.get(), &PictureBox::MouseDown);
        QTest::mousePress(box.get(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                          QPoint(11, 21));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.at(0).at(0).value<Integer>(), Integer{2});
        QCOMPARE(downs.at(0).at(1).value<Integer>(), Integer{3});
        QCOMPARE(downs.at(0).at(2).value<Single>(), Single{10});
        QCOMPARE(downs.at(0).at(3).value<Single>(), Single{20});
    }
    void mousePositions_followTheScaleMode() {
        box->ScaleMode(PictureBox::vbTwips);
        QSignalSpy downs(box.get(), &PictureBox::MouseDown);
        QTest::mousePress(box.get(), Qt::MiddleButton, {}, QPoint(11, 21));
        QCOMPARE(downs.at(0).at(0).value<Integer>(), Integer{4});
        QCOMPARE(downs.at(0).at(2).value<Single>(), Single{150});
        QCOMPARE(downs.at(0).at(3).value<Single>(), Single{300});
    }
    void mouseMove_reportsTheButtonsHeld() {
        box->ScaleMode(PictureBox::vbPixels);
        QSignalSpy moves(box.get(), &PictureBox::MouseMove);
        const QPoint at(31, 41);
        QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(box.get(), &move);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).value<Integer>(), Integer{3});
        QCOMPARE(moves.at(0).at(2).value<Single>(), Single{30});
    }
    void leftClick_raisesClick_doubleClickRaisesDblClick() {
        QSignalSpy clicks(box.get(), &PictureBox::Click);
        QSignalSpy doubles(box.get(), &PictureBox::DblClick);
        QTest::mouseClick(box.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(box.get(), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseDClick(box.get(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(clicks.count() >= 1);
        QCOMPARE(doubles.count(), 1);
    }
    void customPointer_showsTheMouseIcon_arrowPointerTheArrow() {
        QPixmap icon(32, 32);
        icon.fill(Qt::black);
        box->MouseIcon(QCursor(icon, 0, 16));
        box->MousePointer(99);
        QCOMPARE(box->cursor().shape(), Qt::BitmapCursor);
        box->MousePointer(1);
        QCOMPARE(box->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(errorNumberOf([&] { box->MousePointer(98); }), controlerrors::kInvalidPropertyValue);
        QCOMPARE(box->MousePointer(), Integer{1});
    }

    // --- Dropping files ---
    void dragOver_offersTheLocalFiles_withCopyPreset() {
        box->OLEDropMode(1);
        auto data = filesData({QStringLiteral("/tmp/作品/sample.tl2")});
        Long presetEffect = -1;
        connect(box.get(), &PictureBox::OLEDragOver, this,
                [&](const std::vector<String>&, Long& effect, Integer) { presetEffect = effect; });
        std::vector<String> offered;
        QVERIFY(dragAndDrop(*data, PictureBox::vbDropEffectCopy, &offered));
        QCOMPARE(presetEffect, Long{1});
        QCOMPARE(offered.size(), std::size_t{1});
        QCOMPARE(q(offered[0]), QStringLiteral("/tmp/作品/sample.tl2"));
    }
    void effectNone_keepsTheDropFromBeingDelivered() {
        box->OLEDropMode(1);
        auto data = filesData({QStringLiteral("/tmp/a.tl2"), QStringLiteral("/tmp/b.tl2")});
        std::vector<String> offered;
        QVERIFY(!dragAndDrop(*data, PictureBox::vbDropEffectNone, &offered));
        QCOMPARE(offered.size(), std::size_t{2});
    }
    void dragWithoutFiles_offersAnEmptyList() {
        box->OLEDropMode(1);
        QMimeData text;
        text.setText(QStringLiteral("本文"));
        std::vector<String> offered{u"stale"};
        (void)dragAndDrop(text, PictureBox::vbDropEffectNone, &offered);
        QVERIFY(offered.empty());
    }
    void droppedFiles_reachTheDropHandler() {
        box->OLEDropMode(1);
        auto data = filesData({QStringLiteral("/tmp/sample.tl2")});
        std::vector<String> dropped;
        connect(box.get(), &PictureBox::OLEDragDrop, this,
                [&](const std::vector<String>& files) { dropped = files; });
        QVERIFY(dragAndDrop(*data, PictureBox::vbDropEffectCopy, nullptr));
        QCOMPARE(dropped.size(), std::size_t{1});
        QCOMPARE(q(dropped[0]), QStringLiteral("/tmp/sample.tl2"));
    }
    void dropMode_decidesWhetherDropsAreTaken() {
        QVERIFY(!box->acceptDrops());
        box->OLEDropMode(1);
        QVERIFY(box->acceptDrops());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::PictureBoxTest)
#include "PictureBoxTest.moc"
