#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/PathBytes.h"

namespace tavelo {
namespace {

// "/tmp/日本/" in UTF-8, then "漢字.tl2" in Shift-JIS (8A BF 8E 9A).
const std::string kMixed = "/tmp/\xE6\x97\xA5\xE6\x9C\xAC/\x8A\xBF\x8E\x9A.tl2";

// --- Paths keep their bytes ---
TEST(PathBytesTest, everyPath_comesBackAsTheSameBytes) {
    const std::string paths[] = {
        "/tmp/a.tl2",
        "/tmp/\xE6\x97\xA5.tl2",
        kMixed,
        "\x82\xA0",
        "/\xFF/\xC3/x",
        "",
        "/",
        "/tmp/\xF0\x9F\x98\x80.tl2",  // a character beyond 16 bits
    };
    for (const std::string& bytes : paths) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(PathBytes::toSystem(PathBytes::fromSystem(bytes)), bytes);
    }
}

// A character beyond 16 bits is a surrogate pair, and when its low half lies in DC80-DCFF it
// looks like a kept byte (U+1F480 is D83D DC80): every such low half, after the first high
// half, an emoji's (D83D) and the last, stays text beside a part kept as bytes.
TEST(PathBytesTest, surrogatePairsLikeKeptBytes_comeBackAsTheirCharacters) {
    const auto utf8Of = [](char32_t c) {
        return std::string{
            static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    };
    for (const char32_t high : {char32_t{0xD800}, char32_t{0xD83D}, char32_t{0xDBFF}}) {
        for (char32_t low = 0xDC80; low <= 0xDCFF; ++low) {
            const char32_t c = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
            const std::string bytes = "/\x8A\xBF/" + utf8Of(c) + "\xE6\x97\xA5" + utf8Of(c);
            const String path = PathBytes::fromSystem(bytes);
            ASSERT_EQ(path.substr(3),
                      (String{u'/', static_cast<char16_t>(high), static_cast<char16_t>(low), u'日',
                              static_cast<char16_t>(high), static_cast<char16_t>(low)}))
                << "U+" << std::hex << std::uint32_t{c};
            ASSERT_EQ(PathBytes::toSystem(path), bytes) << "U+" << std::hex << std::uint32_t{c};
        }
    }
}

TEST(PathBytesTest, shiftJisName_isShownDecodedAndItsUtf8FolderAsText) {
    const String path = PathBytes::fromSystem(kMixed);
    EXPECT_EQ(path.substr(0, 8), u"/tmp/日本/");
    EXPECT_EQ(path[8], u'\xDC8A');  // kept as a byte
    EXPECT_EQ(PathBytes::display(path), u"/tmp/日本/漢字.tl2");
    EXPECT_EQ(PathBytes::display(PathBytes::fileName(path)), u"漢字.tl2");
    EXPECT_EQ(PathBytes::display(u"/tmp/a.tl2"), u"/tmp/a.tl2");
    EXPECT_FALSE(PathBytes::lostBytes(path));
    EXPECT_TRUE(PathBytes::lostBytes(u"/tmp/\uFFFD\uFFFD.tl2"));
}

// --- Failures in Japanese ---
TEST(ErrorTextTest, failures_areToldInJapaneseWithTheirNumber) {
    EXPECT_EQ(ErrorText::of(Error::overflow("x")), u"エラー 6（オーバーフローしました）");
    EXPECT_EQ(ErrorText::of(Error::subscriptOutOfRange("x")),
              u"エラー 9（インデックスが範囲を超えています）");
    EXPECT_EQ(ErrorText::of(Error(Error::kDuplicateKey, "x", "This key is already associated")),
              u"エラー 457（このキーはすでに使われています）");
    EXPECT_EQ(ErrorText::of(1234), u"エラー 1234（予期しないエラーです）");
    // No description the program raises is left in English.
    for (std::int32_t number : {5, 6, 9, 11, 53, 75, 91, 340, 360, 380, 383, 457, 32755,
                                static_cast<std::int32_t>(Error::kCollectionKeyInvalid)}) {
        const String text = ErrorText::description(number);
        EXPECT_NE(text, ErrorText::description(1234)) << number;
        for (char16_t c : text) EXPECT_FALSE((c >= u'A' && c <= u'z')) << number;
    }
}

}  // namespace
}  // namespace tavelo
