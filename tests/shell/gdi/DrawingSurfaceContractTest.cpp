#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

#include "support/GuiTesting.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/gdi/VectorDrawingSurface.h"
#include "support/ClassicTextOut.h"
#include "support/GdiToString.h"
#include "support/RecordingDrawingSurface.h"

namespace tavelo {

// The rules every drawing surface keeps, run against each implementation.
class DrawingSurfaceContractTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();

    // Device context
    void hDC_isStable_andNinetySixPixelsPerInch();

    // Fonts and handles
    void createFont_givesDistinctHandles_selectReturnsThePreviousObject();
    void selectObject_unknownHandleOrWrongDc_returnsZeroAndKeepsTheSelection();
    void deleteObject_invalidatesTheHandleForGood();
    void deleteObject_selectedOrStockFont_survives();

    // Colour, text and Cls
    void setTextColor_returnsThePreviousColour();
    void textOut_succeedsWhenClippedAway_failsOnBadArguments();
    void cls_keepsTheSelectedFontAndTheColour();

private:
    [[nodiscard]] HDC otherDc() const { return HDC(surface_->hDC().value() + 1); }

    QImage image_;
    std::unique_ptr<DrawingSurface> surface_;
    std::unique_ptr<QPainter> painter_;  // the vector surface's
};

namespace {

const LOGFONTA kBody = testing::classicLogFont(u"@ＭＳ 明朝", -21);

}  // namespace

void DrawingSurfaceContractTest::initTestCase_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("recording") << 0;
    QTest::newRow("qt") << 1;
    QTest::newRow("vector") << 2;
}

void DrawingSurfaceContractTest::init() {
    QFETCH_GLOBAL(int, kind);
    surface_.reset();
    painter_.reset();
    image_ = QImage(120, 120, QImage::Format_RGB32);
    if (kind == 1) {
        surface_ = std::make_unique<MFontDraw>(image_);
    } else if (kind == 2) {
        painter_ = std::make_unique<QPainter>(&image_);
        surface_ = std::make_unique<VectorDrawingSurface>(*painter_, image_.size());
    } else {
        surface_ = std::make_unique<RecordingDrawingSurface>();
    }
    surface_->Cls();
}

// ---- Device context

void DrawingSurfaceContractTest::hDC_isStable_andNinetySixPixelsPerInch() {
    const HDC dc = surface_->hDC();
    QVERIFY(static_cast<bool>(dc));
    QVERIFY(surface_->hDC() == dc);
    QCOMPARE(surface_->GetDeviceCaps(dc, LOGPIXELSY), 96);
    QCOMPARE(surface_->GetDeviceCaps(dc, 8), 0);  // an index nobody asks for
    QCOMPARE(surface_->GetDeviceCaps(otherDc(), LOGPIXELSY), 0);
}

// ---- Fonts and handles

void DrawingSurfaceContractTest::createFont_givesDistinctHandles_selectReturnsThePreviousObject() {
    const HFONT body = surface_->CreateFontIndirectA(kBody);
    const HFONT again = surface_->CreateFontIndirectA(kBody);
    QVERIFY(static_cast<bool>(body) && static_cast<bool>(again));
    QVERIFY(body != again);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), body);
    QVERIFY(static_cast<bool>(stock));
    QVERIFY(stock != HGDIOBJ(body));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), again), HGDIOBJ(body));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(again));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), stock);
}

void DrawingSurfaceContractTest::
    selectObject_unknownHandleOrWrongDc_returnsZeroAndKeepsTheSelection() {
    const HFONT body = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), body);
    QVERIFY(!surface_->SelectObject(surface_->hDC(), HGDIOBJ(0xBADF00D)));
    QVERIFY(!surface_->SelectObject(surface_->hDC(), HGDIOBJ()));
    QVERIFY(!surface_->SelectObject(otherDc(), stock));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(body));
}

void DrawingSurfaceContractTest::deleteObject_invalidatesTheHandleForGood() {
    const HFONT old = surface_->CreateFontIndirectA(kBody);
    QVERIFY(surface_->DeleteObject(old) != 0);
    QCOMPARE(surface_->DeleteObject(old), 0);
    QCOMPARE(surface_->DeleteObject(HGDIOBJ(0xBADF00D)), 0);
    for (int i = 0; i < 5; ++i) {  // later fonts do not bring the old handle back
        const HFONT later = surface_->CreateFontIndirectA(kBody);
        QVERIFY(later != old);
        surface_->DeleteObject(later);
    }
    QVERIFY(!surface_->SelectObject(surface_->hDC(), old));
}

void DrawingSurfaceContractTest::deleteObject_selectedOrStockFont_survives() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), font);
    QCOMPARE(surface_->DeleteObject(font), 0);  // refused while selected
    QVERIFY(surface_->TextOutA(surface_->hDC(), 60, 10, "\x88\xea", 2) != 0);
    QVERIFY(surface_->DeleteObject(stock) != 0);  // stock objects ignore it
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(font));
    QVERIFY(surface_->TextOutA(surface_->hDC(), 10, 10, "A", 1) != 0);
    QVERIFY(surface_->DeleteObject(font) != 0);  // no longer selected
}

// ---- Colour, text and Cls

void DrawingSurfaceContractTest::setTextColor_returnsThePreviousColour() {
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 255)), RGB(0, 0, 0));
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(1, 2, 3)), RGB(0, 0, 255));
    QCOMPARE(surface_->SetTextColor(otherDc(), RGB(9, 9, 9)), CLR_INVALID);
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 0)), RGB(1, 2, 3));
}

void DrawingSurfaceContractTest::textOut_succeedsWhenClippedAway_failsOnBadArguments() {
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, 60, 10, u"吾") != 0);
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, -5000, 10, u"吾") != 0);
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, 60, 100000, u"吾") != 0);
    QVERIFY(surface_->TextOutA(surface_->hDC(), 60, 10, "", 0) != 0);
    QCOMPARE(surface_->TextOutA(otherDc(), 60, 10, "A", 1), 0);
    QCOMPARE(surface_->TextOutA(surface_->hDC(), 60, 10, "A", -1), 0);
    QCOMPARE(surface_->TextOutA(surface_->hDC(), 60, 10, nullptr, 2), 0);
}

void DrawingSurfaceContractTest::cls_keepsTheSelectedFontAndTheColour() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), font);
    surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 255));
    surface_->Cls();
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 0)), RGB(0, 0, 255));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(font));
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::DrawingSurfaceContractTest)
#include "DrawingSurfaceContractTest.moc"
