#include <gtest/gtest.h>

#include <vector>

#include "layout/CEisuuCyotai.h"
#include "layout/ScreenFontSource.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

class ListedFonts : public ScreenFontSource {
public:
    explicit ListedFonts(std::vector<String> fonts) : fonts_(std::move(fonts)) {}
    [[nodiscard]] Integer FontCount() const override { return static_cast<Integer>(fonts_.size()); }
    [[nodiscard]] String Fonts(Integer i) const override {
        return fonts_.at(static_cast<std::size_t>(i));
    }

private:
    std::vector<String> fonts_;
};

class CEisuuCyotaiTest : public ::testing::Test {
protected:
    void install(std::vector<String> fonts) { lookup.ScreenFont(ListedFonts(std::move(fonts))); }

    CEisuuCyotai lookup;
};

// --- Matching ---
TEST_F(CEisuuCyotaiTest, shortName_givesTheLastVerticalFontEndingWithIt) {
    install({u"ＭＳ 明朝", u"@ＭＳ 明朝", u"ＭＳ Ｐ明朝", u"@ＭＳ Ｐ明朝"});
    EXPECT_EQ(lookup.ChangeLongFontName(u"明朝"), u"@ＭＳ Ｐ明朝");
    EXPECT_EQ(lookup.ChangeLongFontName(u"ＭＳ 明朝"), u"@ＭＳ 明朝");
    EXPECT_EQ(lookup.ChangeLongFontName(u"ゴシック"), u"");
}

TEST_F(CEisuuCyotaiTest, mojikyoNumber_findsItsVerticalFontOnly) {
    install({u"Mojikyo M101", u"@Mojikyo M101", u"Mojikyo M102"});
    EXPECT_EQ(lookup.ChangeLongFontName(u"M101"), u"@Mojikyo M101");
    EXPECT_EQ(lookup.ChangeLongFontName(u"M102"), u"");  // no vertical variant
    EXPECT_EQ(lookup.ChangeLongFontName(u"m101"), u"");  // letter case counts
}

TEST_F(CEisuuCyotaiTest, emptyShortName_matchesTheLastVerticalFont) {
    install({u"@A", u"@B", u"C"});
    EXPECT_EQ(lookup.ChangeLongFontName(u""), u"@B");
}

// --- The body font ---
TEST_F(CEisuuCyotaiTest, bodyFont_passesUnchangedEvenWhenNotInstalled) {
    EXPECT_EQ(lookup.ChangeLongFontName(u"@ＭＳ 明朝"), u"@ＭＳ 明朝");
    install({u"@IPA明朝"});
    EXPECT_EQ(lookup.ChangeLongFontName(u"@ＭＳ 明朝"), u"@ＭＳ 明朝");
}

// --- The font list ---
TEST_F(CEisuuCyotaiTest, beforeTheListIsTaken_everyOtherNameMapsToEmpty) {
    EXPECT_EQ(lookup.ChangeLongFontName(u"M101"), u"");
    EXPECT_EQ(lookup.ChangeLongFontName(u""), u"");
}

TEST_F(CEisuuCyotaiTest, takingTheListAgain_replacesTheOldOne) {
    install({u"@Mojikyo M101"});
    install({u"@Other"});
    EXPECT_EQ(lookup.ChangeLongFontName(u"M101"), u"");
}

// --- Limits ---
TEST_F(CEisuuCyotaiTest, nameOfMoreThan255Characters_isAnOverflow) {
    install({u"@" + String(255, u'x')});
    EXPECT_EQ(lookup.ChangeLongFontName(String(255, u'x')), u"@" + String(255, u'x'));
    EXPECT_EQ(errorNumberOf([&] { (void)lookup.ChangeLongFontName(String(256, u'x')); }), Error::kOverflow);
}

}  // namespace
}  // namespace tavelo
