#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QList>
#include <QString>
#include <algorithm>
#include <vector>

#include "layout/CEisuuCyotai.h"
#include "layout/qt/QtScreenFonts.h"
#include "reader/Tl2TestBytes.h"

namespace tavelo {
namespace {

using testing::errorNumberOf;

QString toQString(const String& text) {
    return QString::fromStdU16String(text);
}

class QtScreenFontsTest : public ::testing::Test {
protected:
    QtScreenFonts screen;
};

// --- The list ---
TEST_F(QtScreenFontsTest, everyVerticalEntry_followsItsJapaneseFamily) {
    int vertical = 0;
    for (Integer i = 0; i < screen.FontCount(); ++i) {
        const String font = screen.Fonts(i);
        if (!font.starts_with(u'@')) continue;
        ++vertical;
        ASSERT_GT(i, 0);
        EXPECT_EQ(screen.Fonts(static_cast<Integer>(i - 1)), font.substr(1));
        EXPECT_TRUE(QFontDatabase::writingSystems(toQString(font.substr(1)))
                        .contains(QFontDatabase::Japanese));
    }
    EXPECT_GE(vertical, 1);
}

TEST_F(QtScreenFontsTest, familiesWithoutJapanese_haveNoVerticalEntry) {
    for (Integer i = 0; i < screen.FontCount(); ++i) {
        const String font = screen.Fonts(i);
        if (font.starts_with(u'@')) continue;
        const bool japanese =
            QFontDatabase::writingSystems(toQString(font)).contains(QFontDatabase::Japanese);
        const bool followed =
            i + 1 < screen.FontCount() && screen.Fonts(static_cast<Integer>(i + 1)) == u"@" + font;
        EXPECT_EQ(followed, japanese) << toQString(font).toStdString();
    }
}

TEST_F(QtScreenFontsTest, families_areInCodeUnitOrderTheSameEveryTime) {
    std::vector<String> families;
    for (Integer i = 0; i < screen.FontCount(); ++i)
        if (!screen.Fonts(i).starts_with(u'@')) families.push_back(screen.Fonts(i));
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
    const QtScreenFonts again;
    ASSERT_EQ(again.FontCount(), screen.FontCount());
    for (Integer i = 0; i < screen.FontCount(); ++i) EXPECT_EQ(again.Fonts(i), screen.Fonts(i));
}

TEST_F(QtScreenFontsTest, indexOutsideTheList_isSubscriptOutOfRange) {
    EXPECT_EQ(errorNumberOf([&] { (void)screen.Fonts(screen.FontCount()); }), Error::kSubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { (void)screen.Fonts(-1); }), Error::kSubscriptOutOfRange);
}

// --- Lookups through the list ---
TEST_F(QtScreenFontsTest, installedIpaFonts_resolveToTheirVerticalVariants) {
    CEisuuCyotai lookup;
    lookup.ScreenFont(screen);
    EXPECT_EQ(lookup.ChangeLongFontName(u"IPAMincho"), u"@IPAMincho");
    // Both IPAGothic and IPAPGothic end in "Gothic"; the later in the list wins.
    EXPECT_EQ(lookup.ChangeLongFontName(u"Gothic"), u"@IPAPGothic");
}

}  // namespace
}  // namespace tavelo
