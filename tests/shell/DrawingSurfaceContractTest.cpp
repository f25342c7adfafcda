#include <QImage>
#include <QTest>
#include <memory>

#include "shell/MFontDraw.h"
#include "support/ClassicTextOut.h"
#include "support/GdiToString.h"
#include "view/RecordingDrawingSurface.h"

namespace tavelo {

// The rules every drawing surface keeps, run against each implementation.
class DrawingSurfaceContractTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase_data();
    void init();

    // Device context
    void hDC_isNonZeroAndStable();
    void getDeviceCaps_isNinetySixPixelsPerInchVertically();

    // Fonts and handles
    void createFont_givesADistinctNonZeroHandlePerCall();
    void selectObject_returnsThePreviouslySelectedObject();
    void selectObject_unknownHandleOrWrongDc_returnsZeroAndKeepsTheSelection();
    void deleteObject_invalidatesTheHandle();
    void deleteObject_ofTheSelectedFont_isRefusedHarmlessly();
    void deleteObject_ofTheStockFont_leavesItUsable();
    void deletedHandle_isNotRevivedByLaterFonts();

    // Colour
    void setTextColor_returnsThePreviousColour();

    // Text output
    void textOut_succeedsAlsoWhenClippedAway();
    void textOut_badArguments_fail();

    // Cls
    void cls_keepsTheSelectedFontAndTheColour();

  private:
    QImage image_;
    std::unique_ptr<DrawingSurface> surface_;
};

void DrawingSurfaceContractTest::initTestCase_data() {
    QTest::addColumn<bool>("qt");
    QTest::newRow("recording") << false;
    QTest::newRow("qt") << true;
}

void DrawingSurfaceContractTest::init() {
    QFETCH_GLOBAL(bool, qt);
    image_ = QImage(120, 120, QImage::Format_RGB32);
    if (qt)
        surface_ = std::make_unique<MFontDraw>(image_);
    else
        surface_ = std::make_unique<RecordingDrawingSurface>();
    surface_->Cls();
}

namespace {

const LOGFONTA kBody = testing::classicLogFont(u"@ＭＳ 明朝", -21);

}  // namespace

// ---- Device context

void DrawingSurfaceContractTest::hDC_isNonZeroAndStable() {
    const HDC dc = surface_->hDC();
    QVERIFY(static_cast<bool>(dc));
    QVERIFY(surface_->hDC() == dc);
}

void DrawingSurfaceContractTest::getDeviceCaps_isNinetySixPixelsPerInchVertically() {
    QCOMPARE(surface_->GetDeviceCaps(surface_->hDC(), LOGPIXELSY), 96);
    QCOMPARE(surface_->GetDeviceCaps(surface_->hDC(), 8), 0);  // an index nobody asks for
    QCOMPARE(surface_->GetDeviceCaps(HDC(surface_->hDC().value() + 1), LOGPIXELSY), 0);
    // The pass's font height for 16 points.
    QCOMPARE(-MulDiv(16, surface_->GetDeviceCaps(surface_->hDC(), LOGPIXELSY), 72), -21);
}

// ---- Fonts and handles

void DrawingSurfaceContractTest::createFont_givesADistinctNonZeroHandlePerCall() {
    const HFONT first = surface_->CreateFontIndirectA(kBody);
    const HFONT second = surface_->CreateFontIndirectA(kBody);
    QVERIFY(static_cast<bool>(first));
    QVERIFY(static_cast<bool>(second));
    QVERIFY(first != second);
    // Both stay usable until deleted.
    QVERIFY(static_cast<bool>(surface_->SelectObject(surface_->hDC(), first)));
    QVERIFY(static_cast<bool>(surface_->SelectObject(surface_->hDC(), second)));
}

void DrawingSurfaceContractTest::selectObject_returnsThePreviouslySelectedObject() {
    const HFONT body = surface_->CreateFontIndirectA(kBody);
    const HFONT ruby = surface_->CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -10));
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), body);
    QVERIFY(static_cast<bool>(stock));
    QVERIFY(stock != HGDIOBJ(body));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), ruby), HGDIOBJ(body));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(ruby));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), stock);
}

void DrawingSurfaceContractTest::
    selectObject_unknownHandleOrWrongDc_returnsZeroAndKeepsTheSelection() {
    const HFONT body = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), body);
    QVERIFY(!surface_->SelectObject(surface_->hDC(), HGDIOBJ(0xBADF00D)));
    QVERIFY(!surface_->SelectObject(surface_->hDC(), HGDIOBJ()));
    QVERIFY(!surface_->SelectObject(HDC(surface_->hDC().value() + 1), stock));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(body));
}

void DrawingSurfaceContractTest::deleteObject_invalidatesTheHandle() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    QVERIFY(surface_->DeleteObject(font) != 0);
    QVERIFY(!surface_->SelectObject(surface_->hDC(), font));
    QCOMPARE(surface_->DeleteObject(font), 0);
    QCOMPARE(surface_->DeleteObject(HGDIOBJ(0xBADF00D)), 0);
}

void DrawingSurfaceContractTest::deleteObject_ofTheSelectedFont_isRefusedHarmlessly() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), font);
    QCOMPARE(surface_->DeleteObject(font), 0);
    QVERIFY(surface_->TextOutA(surface_->hDC(), 60, 10, "\x88\xea", 2) != 0);
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(font));
    QVERIFY(surface_->DeleteObject(font) != 0);  // no longer selected
}

void DrawingSurfaceContractTest::deleteObject_ofTheStockFont_leavesItUsable() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), font);
    QVERIFY(surface_->DeleteObject(stock) != 0);
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(font));
    QVERIFY(surface_->TextOutA(surface_->hDC(), 10, 10, "A", 1) != 0);
}

void DrawingSurfaceContractTest::deletedHandle_isNotRevivedByLaterFonts() {
    const HFONT old = surface_->CreateFontIndirectA(kBody);
    QVERIFY(surface_->DeleteObject(old) != 0);
    for (int i = 0; i < 5; ++i) {
        const HFONT later = surface_->CreateFontIndirectA(kBody);
        QVERIFY(later != old);
        surface_->DeleteObject(later);
    }
    QVERIFY(!surface_->SelectObject(surface_->hDC(), old));
}

// ---- Colour

void DrawingSurfaceContractTest::setTextColor_returnsThePreviousColour() {
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 255)), RGB(0, 0, 0));
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(1, 2, 3)), RGB(0, 0, 255));
    QCOMPARE(surface_->SetTextColor(HDC(surface_->hDC().value() + 1), RGB(9, 9, 9)), CLR_INVALID);
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 0)), RGB(1, 2, 3));
}

// ---- Text output

void DrawingSurfaceContractTest::textOut_succeedsAlsoWhenClippedAway() {
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, 60, 10, u"吾") != 0);
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, -5000, 10, u"吾") != 0);
    QVERIFY(testing::drawCharacter(*surface_, kBody, 0, 60, 100000, u"吾") != 0);
    QVERIFY(surface_->TextOutA(surface_->hDC(), 60, 10, "", 0) != 0);
}

void DrawingSurfaceContractTest::textOut_badArguments_fail() {
    QCOMPARE(surface_->TextOutA(HDC(surface_->hDC().value() + 1), 60, 10, "A", 1), 0);
    QCOMPARE(surface_->TextOutA(surface_->hDC(), 60, 10, "A", -1), 0);
    QCOMPARE(surface_->TextOutA(surface_->hDC(), 60, 10, nullptr, 2), 0);
}

// ---- Cls

void DrawingSurfaceContractTest::cls_keepsTheSelectedFontAndTheColour() {
    const HFONT font = surface_->CreateFontIndirectA(kBody);
    const HGDIOBJ stock = surface_->SelectObject(surface_->hDC(), font);
    surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 255));
    surface_->Cls();
    QCOMPARE(surface_->SetTextColor(surface_->hDC(), RGB(0, 0, 0)), RGB(0, 0, 255));
    QCOMPARE(surface_->SelectObject(surface_->hDC(), stock), HGDIOBJ(font));
}

}  // namespace tavelo

QTEST_MAIN(tavelo::DrawingSurfaceContractTest)
#include "DrawingSurfaceContractTest.moc"
