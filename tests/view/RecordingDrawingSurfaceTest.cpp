#include <QTest>
#include <string>

#include "support/ClassicTextOut.h"
#include "support/GdiToString.h"
#include "view/RecordingDrawingSurface.h"

namespace tavelo {

using Call = RecordingDrawingSurface::Call;

class RecordingDrawingSurfaceTest : public QObject {
    Q_OBJECT

  private slots:
    // What a drawn character records
    void textOut_recordsPositionTextFontAndColour();
    void textOut_recordsAllBytesPassed_terminatorIncluded();
    void textOut_recordsTheStockFontBeforeAnyIsSelected();

    // The drawing sequence
    void calls_areRecordedInOrder();
    void classicSequence_leavesNoFontAlive();
    void createdFonts_keepEveryRecordInOrder();

    // Cls
    void cls_forgetsWhatWasDrawnAndIsCounted();

    // Failures on demand
    void failNext_failsThatManyCallsThenSucceeds();
    void failedTextOut_drawsNothing();
    void failedSelect_keepsTheSelection();
};

namespace {

LOGFONTA verticalFont(const String& face, LONG height) {
    return testing::classicLogFont(face, height);
}

void drawCharacter(RecordingDrawingSurface& surface, const LOGFONTA& logFont, COLORREF color, int x,
                   int y, const String& character) {
    QVERIFY(testing::drawCharacter(surface, logFont, color, x, y, character) != 0);
}

}  // namespace

// ---- What a drawn character records

void RecordingDrawingSurfaceTest::textOut_recordsPositionTextFontAndColour() {
    RecordingDrawingSurface surface;
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), RGB(0, 0, 255), 581, 18, u"吾");
    drawCharacter(surface, verticalFont(u"@Mojikyo M101", -13), RGB(0, 0, 0), 590, 27, u"輩");

    QCOMPARE(surface.drawnTexts().size(), std::size_t{2});
    const auto& first = surface.drawnTexts()[0];
    QCOMPARE(first.x, 581);
    QCOMPARE(first.y, 18);
    QCOMPARE(first.text, String(u"吾"));
    QCOMPARE(first.face, String(u"@ＭＳ 明朝"));
    QCOMPARE(first.logFont.lfHeight, -21);
    QCOMPARE(first.logFont.lfEscapement, 2700);
    QCOMPARE(first.color, RGB(0, 0, 255));
    const auto& second = surface.drawnTexts()[1];
    QCOMPARE(second.face, String(u"@Mojikyo M101"));
    QCOMPARE(second.logFont.lfHeight, -13);
    QCOMPARE(second.color, RGB(0, 0, 0));
    QVERIFY(second.font != first.font);
}

void RecordingDrawingSurfaceTest::textOut_recordsAllBytesPassed_terminatorIncluded() {
    RecordingDrawingSurface surface;
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), 0, 10, 10, u"A");
    const auto& drawn = surface.drawnTexts().at(0);
    QCOMPARE(drawn.bytes, std::string("A\0", 2));
    QCOMPARE(drawn.text, String(u"A"));
}

void RecordingDrawingSurfaceTest::textOut_recordsTheStockFontBeforeAnyIsSelected() {
    RecordingDrawingSurface surface;
    QVERIFY(surface.TextOutA(surface.hDC(), 1, 2, "\x82\xa0", 2) != 0);
    const auto& drawn = surface.drawnTexts().at(0);
    QCOMPARE(HGDIOBJ(drawn.font), RecordingDrawingSurface::stockFont());
    QCOMPARE(drawn.text, String(u"あ"));
    QVERIFY(!drawn.face.empty());
}

// ---- The drawing sequence

void RecordingDrawingSurfaceTest::calls_areRecordedInOrder() {
    RecordingDrawingSurface surface;
    surface.Cls();
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), 0, 0, 0, u"一");
    const std::vector<Call> expected{
        Call::Cls,      Call::CreateFontIndirectA, Call::SelectObject, Call::SetTextColor,
        Call::TextOutA, Call::SelectObject,        Call::DeleteObject};
    QVERIFY(surface.calls() == expected);
}

void RecordingDrawingSurfaceTest::classicSequence_leavesNoFontAlive() {
    RecordingDrawingSurface surface;
    for (const char16_t* c : {u"吾", u"輩", u"は"})
        drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), 0, 0, 0, c);
    QCOMPARE(surface.liveFontCount(), 0);
    QCOMPARE(surface.selectedObject(), RecordingDrawingSurface::stockFont());

    // A pass that forgets DeleteObject shows up here.
    const HFONT leaked = surface.CreateFontIndirectA(verticalFont(u"@ＭＳ 明朝", -21));
    QVERIFY(static_cast<bool>(leaked));
    QCOMPARE(surface.liveFontCount(), 1);
}

void RecordingDrawingSurfaceTest::createdFonts_keepEveryRecordInOrder() {
    RecordingDrawingSurface surface;
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), 0, 0, 0, u"吾");
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -13), 0, 0, 0, u"る");
    QCOMPARE(surface.createdFonts().size(), std::size_t{2});
    QCOMPARE(surface.createdFonts()[0].lfHeight, -21);
    QCOMPARE(surface.createdFonts()[1].lfHeight, -13);
    QCOMPARE(faceName(surface.createdFonts()[1]), String(u"@ＭＳ 明朝"));
}

// ---- Cls

void RecordingDrawingSurfaceTest::cls_forgetsWhatWasDrawnAndIsCounted() {
    RecordingDrawingSurface surface;
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), RGB(0, 0, 255), 0, 0, u"吾");
    surface.Cls();
    QVERIFY(surface.drawnTexts().empty());
    QCOMPARE(surface.clsCount(), 1);
    QCOMPARE(surface.textColor(), RGB(0, 0, 255));  // Cls clears the image only
    drawCharacter(surface, verticalFont(u"@ＭＳ 明朝", -21), 0, 0, 0, u"輩");
    QCOMPARE(surface.drawnTexts().size(), std::size_t{1});
    QCOMPARE(surface.drawnTexts()[0].text, String(u"輩"));
}

// ---- Failures on demand

void RecordingDrawingSurfaceTest::failNext_failsThatManyCallsThenSucceeds() {
    RecordingDrawingSurface surface;
    surface.failNext(Call::CreateFontIndirectA, 2);
    const LOGFONTA font = verticalFont(u"@ＭＳ 明朝", -21);
    QVERIFY(!surface.CreateFontIndirectA(font));
    QVERIFY(!surface.CreateFontIndirectA(font));
    const HFONT third = surface.CreateFontIndirectA(font);
    QVERIFY(static_cast<bool>(third));
    QCOMPARE(surface.createdFonts().size(), std::size_t{1});
    QCOMPARE(surface.liveFontCount(), 1);
    QCOMPARE(surface.calls().size(), std::size_t{3});
}

void RecordingDrawingSurfaceTest::failedTextOut_drawsNothing() {
    RecordingDrawingSurface surface;
    surface.failNext(Call::TextOutA, 1);
    QCOMPARE(surface.TextOutA(surface.hDC(), 0, 0, "A", 1), 0);
    QVERIFY(surface.drawnTexts().empty());
    QVERIFY(surface.TextOutA(surface.hDC(), 0, 0, "A", 1) != 0);
    QCOMPARE(surface.drawnTexts().size(), std::size_t{1});
}

void RecordingDrawingSurfaceTest::failedSelect_keepsTheSelection() {
    RecordingDrawingSurface surface;
    const HFONT font = surface.CreateFontIndirectA(verticalFont(u"@ＭＳ 明朝", -21));
    surface.failNext(Call::SelectObject, 1);
    QVERIFY(!surface.SelectObject(surface.hDC(), font));
    QCOMPARE(surface.selectedObject(), RecordingDrawingSurface::stockFont());
    QCOMPARE(surface.SelectObject(surface.hDC(), font), RecordingDrawingSurface::stockFont());
    QCOMPARE(surface.selectedObject(), HGDIOBJ(font));
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::RecordingDrawingSurfaceTest)
#include "RecordingDrawingSurfaceTest.moc"
