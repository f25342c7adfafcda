#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ClassicTextOut.h"
#include "support/GdiPrinters.h"
#include "support/RecordingDrawingSurface.h"

namespace tavelo {
namespace {

using Call = RecordingDrawingSurface::Call;

void draw(RecordingDrawingSurface& surface, const String& face, LONG height, COLORREF color, int x,
          int y, const String& character) {
    EXPECT_NE(testing::drawCharacter(surface, testing::classicLogFont(face, height), color, x, y,
                                     character),
              0);
}

// ---- What is recorded

TEST(RecordingDrawingSurfaceTest, textOut_recordsPositionBytesTextFontAndColour) {
    RecordingDrawingSurface surface;
    draw(surface, u"@ＭＳ 明朝", -21, RGB(0, 0, 255), 581, 18, u"吾");
    draw(surface, u"@Mojikyo M101", -13, RGB(0, 0, 0), 590, 27, u"A");

    ASSERT_EQ(surface.drawnTexts().size(), std::size_t{2});
    const auto& first = surface.drawnTexts()[0];
    EXPECT_EQ(first.x, 581);
    EXPECT_EQ(first.y, 18);
    EXPECT_EQ(first.text, String(u"吾"));
    EXPECT_EQ(first.face, String(u"@ＭＳ 明朝"));
    EXPECT_EQ(first.logFont.lfHeight, -21);
    EXPECT_EQ(first.color, RGB(0, 0, 255));
    const auto& second = surface.drawnTexts()[1];
    EXPECT_EQ(second.bytes, std::string("A\0", 2));  // the terminator travels along
    EXPECT_EQ(second.text, String(u"A"));
    EXPECT_EQ(second.face, String(u"@Mojikyo M101"));
    EXPECT_EQ(second.color, RGB(0, 0, 0));
    EXPECT_NE(second.font, first.font);
    EXPECT_EQ(surface.createdFonts().at(1).lfHeight, -13);
}

TEST(RecordingDrawingSurfaceTest, classicSequence_isRecordedInOrderAndLeavesNoFontAlive) {
    RecordingDrawingSurface surface;
    surface.Cls();
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"一");
    const std::vector<Call> expected{
        Call::Cls,      Call::CreateFontIndirectA, Call::SelectObject, Call::SetTextColor,
        Call::TextOutA, Call::SelectObject,        Call::DeleteObject};
    EXPECT_EQ(surface.calls(), expected);
    EXPECT_EQ(surface.liveFontCount(), 0);
    EXPECT_EQ(surface.selectedObject(), RecordingDrawingSurface::stockFont());

    // A pass that forgets DeleteObject shows up.
    const HFONT leaked = surface.CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -21));
    EXPECT_TRUE(static_cast<bool>(leaked));
    EXPECT_EQ(surface.liveFontCount(), 1);
}

TEST(RecordingDrawingSurfaceTest, cls_forgetsWhatWasDrawnAndIsCounted) {
    RecordingDrawingSurface surface;
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"吾");
    surface.Cls();
    EXPECT_TRUE(surface.drawnTexts().empty());
    EXPECT_EQ(surface.clsCount(), 1);
    draw(surface, u"@ＭＳ 明朝", -21, 0, 0, 0, u"輩");
    ASSERT_EQ(surface.drawnTexts().size(), std::size_t{1});
    EXPECT_EQ(surface.drawnTexts()[0].text, String(u"輩"));
}

// ---- Failures on demand

TEST(RecordingDrawingSurfaceTest, failNext_failsThatManyCallsThenSucceeds) {
    RecordingDrawingSurface surface;
    const LOGFONTA logFont = testing::classicLogFont(u"@ＭＳ 明朝", -21);
    surface.failNext(Call::CreateFontIndirectA, 2);
    EXPECT_FALSE(surface.CreateFontIndirectA(logFont));
    EXPECT_FALSE(surface.CreateFontIndirectA(logFont));
    const HFONT font = surface.CreateFontIndirectA(logFont);
    EXPECT_TRUE(static_cast<bool>(font));
    EXPECT_EQ(surface.createdFonts().size(), std::size_t{1});

    surface.failNext(Call::SelectObject, 1);
    EXPECT_FALSE(surface.SelectObject(surface.hDC(), font));
    EXPECT_EQ(surface.selectedObject(), RecordingDrawingSurface::stockFont());

    surface.failNext(Call::TextOutA, 1);
    EXPECT_EQ(surface.TextOutA(surface.hDC(), 0, 0, "A", 1), 0);
    EXPECT_TRUE(surface.drawnTexts().empty());
    EXPECT_NE(surface.TextOutA(surface.hDC(), 0, 0, "A", 1), 0);
    EXPECT_EQ(surface.calls().size(), std::size_t{6});
}

}  // namespace
}  // namespace tavelo
