#include <gtest/gtest.h>

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
