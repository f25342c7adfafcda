#include <gtest/gtest.h>

#include <string>

#include "common/Error.h"
#include "common/PathBytes.h"
#include "common/RecordingMessageSink.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"

namespace tavelo {
namespace {

using testing::sjis;

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// The whole message for bytes read under the path; "" when none is shown.
String messageFor(std::vector<std::uint8_t> bytes, const String& path = u"/d/a.tl2") {
    RecordingMessageSink messages;
    FixedMeasuringDevice device{600, 400, [](Single points) { return points; }};
    DocumentLoader loader(messages, device);
    loader.keepOnlyWholeCells(true);
    loader.loadBytes(std::move(bytes), PathBytes::fileName(path));
    return ReadingMessage::readFailure(loader, path).value_or(String());
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// --- Each limit, the line where the reading stopped, and what is shown ---
TEST(ReadingMessageTest, eachLimit_isToldInOneWholeConsistentMessage) {
    const String stopped = u"/d/a.tl2 の ";
    const String shown = u"\n中止した所より前を表示します。";
    // 321 lines of 50 kanji (102 bytes each), then spaces up to 32,768 bytes with CR LF.
    const std::string full =
        repeated(repeated("字", 50) + "\r\n", 321) + std::string(24, ' ') + "\r\n";
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        String message;
    };
    const Case cases[] = {
        {"one byte over the size", sjis(full),
         stopped +
             u"322 行目で読み込みを中止しました。\nファイルが 32,767 バイトを超えています"
             u"（32,768 バイト）。" +
             shown},
        {"over the size once LF is CR LF", bytesOf(repeated(std::string(62, ' ') + "\n", 512)),
         stopped +
             u"512 行目で読み込みを中止しました。\nファイルが 32,767 バイトを超えています"
             u"（シフトJIS・CR LF に直すと 32,768 バイト）。" +
             shown},
        {"far over the size", bytesOf(std::string(40000, ' ')),
         u"/d/a.tl2 を読み込めません。\nファイルが 32,767 バイトを超えています（40,002 バイト）。"},
        {"56 characters", sjis("漢\r\n" + repeated("字", 56) + "\r\n"),
         stopped + u"2 行目で読み込みを中止しました。\n1行の文字が 55 文字を超えています。" +
             shown},
        {"1001 lines", sjis(repeated("字\r\n", 1001)),
         stopped + u"1001 行目で読み込みを中止しました。\n行が 1,000 行を超えています。" + shown},
        {"121 ruby slots", sjis(repeated("ｱ", 121) + "\r\n漢\r\n"),
         stopped + u"1 行目で読み込みを中止しました。\n1行のルビが 120 文字分を超えています。" +
             shown},
        {"two in brackets", sjis("漢字\r\n[人人]\r\n漢\r\n"),
         stopped +
             u"2 行目で読み込みを中止しました。\n[ ] の中に2文字以上あります。[ ] "
             u"の中は1文字だけです。" +
             shown},
        {"typeface beyond cell 55", sjis("漢\r\n" + std::string(110, ' ') + "M1;\r\n"),
         stopped +
             u"2 行目で読み込みを中止しました。\n書体の指定が行の 55 文字目より後ろにあります。" +
             shown},
        {"typeface first", sjis("M1;\r\n漢\r\n"),
         stopped + u"1 行目で読み込みを中止しました。\n書体の指定の前に本文の行がありません。" +
             shown},
        {"bare LF in a file with CR", sjis("\r\n" + repeated("漢字\n", 30)),
         stopped +
             u"29 行目で読み込みを中止しました。\n1行の文字が 55 文字を超えています。\n"
             u"tl2形式ファイルの行は CR LF で終わります。このファイルには LF "
             u"だけで終わる行があります。" +
             shown},
        {"read whole", sjis("漢字\r\n"), String()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(messageFor(c.bytes), c.message);
    }
}

TEST(ReadingMessageTest, shiftJisPathAndLayoutFailure_areToldReadablyInJapanese) {
    const String path = PathBytes::fromSystem("/d/\x8A\xBF.tl2");
    EXPECT_EQ(
        messageFor(sjis("M1;\r\n"), path),
        u"/d/漢.tl2 の 1 行目で読み込みを中止しました。\n書体の指定の前に本文の行がありません。"
        u"\n中止した所より前を表示します。");
    EXPECT_EQ(ReadingMessage::layoutFailure(Error::divisionByZero("x"), path),
              u"/d/漢.tl2 の文字の位置を計算できませんでした。\nエラー 11（0 で割りました）");
}

TEST(ReadingMessageTest, statusNote_saysHowAFileWrittenOnLinuxWasRead) {
    struct Case {
        std::string bytes;
        String note;
    };
    const Case cases[] = {
        {"\x8A\xBF\r\n", String()},
        {"\x8A\xBF\n", u"（LF の改行を CR LF として読み込みました）"},
        {"\xE6\xBC\xA2\r\n", u"（UTF-8 のファイルとして読み込みました）"},
        {"\xE6\xBC\xA2\n", u"（UTF-8 のファイルとして、LF の改行を CR LF として読み込みました）"},
    };
    RecordingMessageSink messages;
    for (const Case& c : cases) {
        CFileChangeTlData reader(messages);
        reader.LoadBytes(bytesOf(c.bytes));
        EXPECT_EQ(ReadingMessage::statusNote(reader.Conversion()), c.note) << c.bytes;
    }
}

}  // namespace
}  // namespace tavelo
