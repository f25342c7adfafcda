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
    // What is recorded
    void textOut_recordsPositionBytesTextFontAndColour();
    void classicSequence_isRecordedInOrderAndLeavesNoFontAlive();
    void cls_forgetsWhatWasDrawnAndIsCounted();

    // Failures on demand
    void failNext_failsThatManyCallsThenSucceeds();
};

namespace {

void draw(RecordingDrawingSurface& surface, const String& face, LONG height, COLORREF color, int x,
          int y, const String& character) {
    QVERIFY(testing::drawCharacter(surface, testing::classicLogFont(face, height), color, x, y,
                                   character) != 0);
}

}  // namespace

// ---- What is recorded

void RecordingDrawingSurfaceTest::textOut_recordsPositionBytesTextFontAndColour() {
    RecordingDrawingSurface surface;
    draw(surface, u"@ＭＳ 明朝", -21, RGB(0, 0, 255), 581, 18, u"吾");
    draw(surface, u"@Mojikyo M101", -13, RGB(0, 0, 0), 590, 27, u"A");

    QCOMPARE(surface.drawnTexts().size(), std::size_t{2});
    const auto& first = surface.drawnTexts()[0];
    QCOMPARE(first.x, 581);
    QCOMPARE(first.y, 18);
    QCOMPARE(first.text, String(u"吾"));
    QCOMPARE(first.face, String(u"@ＭＳ 明朝"));
    QCOMPARE(first.logFont.lfHeight, -21);
    QCOMPARE(first.color, RGB(0, 0, 255));
    const auto& second = surface.drawnTexts()[1];
    QCOMPARE(second.bytes, std::string("A\0", 2));  // the terminator travels along
    QCOMPARE(second.text, String(u"A"));
    QCOMPARE(second.face, String(u"@Mojikyo M101"));
    QCOMPARE(second.color, RGB(0, 0, 0));
    QVERIFY(second.font != first.font);
    QCOMPARE(surface.createdFonts().at(1).lfHeight, -13);
}

void RecordingDrawingSurfaceTest::classicSequence_isRecordedInOrderAndLeavesNoFontAlive() {
    RecordingDrawingSurface surface;
    surface.Cls();
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"一");
    const std::vector<Call> expected{
        Call::Cls,      Call::CreateFontIndirectA, Call::SelectObject, Call::SetTextColor,
        Call::TextOutA, Call::SelectObject,        Call::DeleteObject};
    QVERIFY(surface.calls() == expected);
    QCOMPARE(surface.liveFontCount(), 0);
    QCOMPARE(surface.selectedObject(), RecordingDrawingSurface::stockFont());

    // A pass that forgets DeleteObject shows up.
    const HFONT leaked = surface.CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -21));
    QVERIFY(static_cast<bool>(leaked));
    QCOMPARE(surface.liveFontCount(), 1);
}

void RecordingDrawingSurfaceTest::cls_forgetsWhatWasDrawnAndIsCounted() {
    RecordingDrawingSurface surface;
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"吾");
    surface.Cls();
    QVERIFY(surface.drawnTexts().empty());
    QCOMPARE(surface.clsCount(), 1);
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"輩");
    QCOMPARE(surface.drawnTexts().size(), std::size_t{1});
    QCOMPARE(surface.drawnTexts()[0].text, String(u"輩"));
}

// ---- Failures on demand

void RecordingDrawingSurfaceTest::failNext_failsThatManyCallsThenSucceeds() {
    RecordingDrawingSurface surface;
    const LOGFONTA logFont = testing::classicLogFont(u"@ＭＳ 明朝", -21);
    surface.failNext(Call::CreateFontIndirectA, 2);
    QVERIFY(!surface.CreateFontIndirectA(logFont));
    QVERIFY(!surface.CreateFontIndirectA(logFont));
    const HFONT font = surface.CreateFontIndirectA(logFont);
    QVERIFY(static_cast<bool>(font));
    QCOMPARE(surface.createdFonts().size(), std::size_t{1});

    surface.failNext(Call::SelectObject, 1);
    QVERIFY(!surface.SelectObject(surface.hDC(), font));
    QCOMPARE(surface.selectedObject(), RecordingDrawingSurface::stockFont());

    surface.failNext(Call::TextOutA, 1);
    QCOMPARE(surface.TextOutA(surface.hDC(), 0, 0, "A", 1), 0);
    QVERIFY(surface.drawnTexts().empty());
    QVERIFY(surface.TextOutA(surface.hDC(), 0, 0, "A", 1) != 0);
    QCOMPARE(surface.calls().size(), std::size_t{6});
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::RecordingDrawingSurfaceTest)
#include "RecordingDrawingSurfaceTest.moc"
