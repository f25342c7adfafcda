#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/Utf8.h"
#include "prose/AozoraNotation.h"
#include "prose/AozoraReader.h"

namespace tavelo::prose {
namespace {

std::string utf8(std::u32string_view text) {
    return tavelo::utf8::fromUtf32(text);
}

// A paragraph in one line: its text, then each ruby 《start-end:reading》, note
// ［kind start-end:value］ and gaiji ※start-end(mapped or 〓).
std::string describe(const Paragraph& p) {
    std::string out = utf8(p.text);
    for (const Ruby& r : p.ruby)
        out += " 《" + std::to_string(r.start) + "-" + std::to_string(r.end) + ":" +
               utf8(r.reading) + "》";
    for (const Note& n : p.notes)
        out += " ［" + utf8(n.kind) + " " + std::to_string(n.start) + "-" + std::to_string(n.end) +
               ":" + utf8(n.value) + "］";
    for (const Gaiji& g : p.gaiji)
        out +=
            " ※" + std::to_string(g.start) + "-" + std::to_string(g.end) + (g.mapped ? "" : "〓");
    return out;
}

// The body lines after a two-line head.
ProseDocument readBody(std::u32string_view body) {
    std::u32string text = U"題名\r\n作者\r\n\r\n";
    text += body;
    return readAozoraText(text);
}

std::string describeOnly(std::u32string_view line) {
    const ProseDocument d = readBody(line);
    if (d.paragraphs.size() != 1) return "paragraphs: " + std::to_string(d.paragraphs.size());
    return describe(d.paragraphs[0]);
}

struct LineCase {
    std::u32string_view line;
    std::string expected;
};

void expectLines(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) EXPECT_EQ(describeOnly(c.line), c.expected) << utf8(c.line);
}

// --- Ruby ---
TEST(AozoraReaderTest, rubyBase_isTheBarredTextOrTheRunOfOneScript) {
    expectLines({
        {U"吾輩《わがはい》は猫《ねこ》である", "吾輩は猫である 《0-2:わがはい》 《3-4:ねこ》"},
        {U"十五六｜歩《ぽ》", "十五六歩 《3-4:ぽ》"},
        {U"ルビの付く｜文字列《もじれつ》", "ルビの付く文字列 《5-8:もじれつ》"},
        {U"そこで|half《ハーフ》", "そこでhalf 《3-7:ハーフ》"},
        {U"ひらがなの漢字《かんじ》", "ひらがなの漢字 《5-7:かんじ》"},
        {U"あのカタカナ《かたかな》", "あのカタカナ 《2-6:かたかな》"},
        {U"漢字のかな《カナ》", "漢字のかな 《2-5:カナ》"},
        {U"東京のＴＯＫＹＯ《とうきょう》", "東京のＴＯＫＹＯ 《3-8:とうきょう》"},
        {U"時々《ときどき》刻々《こくこく》", "時々刻々 《0-2:ときどき》 《2-4:こくこく》"},
        {U"三ヶ月《さんかげつ》", "三ヶ月 《0-3:さんかげつ》"},
        // A base never reaches into the previous one.
        {U"漢《かん》字《じ》", "漢字 《0-1:かん》 《1-2:じ》"},
        // A gaiji is a kanji of the base.
        {U"大※［＃「木＋内」、第3水準1-85-54］《だいぜい》", "大枘 《0-2:だいぜい》 ※1-2"},
        {U"｜※［＃「虫+慈」、62-6］々《じじ》", "〓々 《0-2:じじ》 ※0-1〓"},
        // The reading loses its own notation.
        {U"猫《ね［＃「ね」はママ］こ》", "猫 《0-1:ねこ》"},
    });
}

TEST(AozoraReaderTest, rubyMarksWithoutABaseOrAClose_stayText) {
    expectLines({
        {U"漢字《かんじ", "漢字《かんじ"},
        {U"漢字》かんじ", "漢字》かんじ"},
        {U"。《あ》", "。《あ》"},
        {U"｜《あ》", "｜《あ》"},
        {U"漢字《》", "漢字《》"},
        {U"a｜b｜漢字《かんじ》", "a｜b漢字 《3-5:かんじ》"},
        {U"｜漢字", "｜漢字"},
        {U"《《漢字《かんじ》", "《《漢字 《2-4:かんじ》"},
        {U"漢《か《ん》", "漢《か 《2-3:ん》"},
    });
}

// --- Gaiji and accents ---
TEST(AozoraReaderTest, gaiji_becomesItsCharacterOrGetaWithItsDescription) {
    const ProseDocument d = readBody(
        U"※［＃「木＋内」、第3水準1-85-54］と※［＃「木＋奈」、第4水準2-15-9］と"
        U"※［＃「虫+慈」、62-6］と※［＃「てへん＋劣」、第3水準1-84-77］と※［＃改ページ］");
    ASSERT_EQ(d.paragraphs.size(), 1u);
    const Paragraph& p = d.paragraphs[0];
    EXPECT_EQ(utf8(p.text), "枘と㮈と〓と挘と※");
    ASSERT_EQ(p.gaiji.size(), 4u);
    EXPECT_EQ(p.gaiji[2], (Gaiji{4, 5, U"「虫+慈」、62-6", false}));
    EXPECT_EQ(p.gaiji[1], (Gaiji{2, 3, U"「木＋奈」、第4水準2-15-9", true}));
    EXPECT_EQ(d.gaijiMapped, 3u);
    EXPECT_EQ(d.gaijiUnmapped, 1u);
}

TEST(AozoraReaderTest, gaijiNamedWithoutACode_isUnmappedButANoteAfterTheMarkIsNot) {
    expectLines({
        {U"ウ※［＃小書き片仮名ヲ］ルター", "ウ〓ルター ※1-2〓"},
        {U"注※［＃ママ］", "注※ ［注記 2-2:ママ］"},
        {U"※［＃ここから２字下げ］本文", "※本文"},
    });
}

TEST(AozoraReaderTest, accentBrackets_goOnlyWhenSomethingDecoded) {
    expectLines({
        {U"〔e'te'〕の夏", "étéの夏"},
        {U"〔abc〕", "〔abc〕"},
        {U"〔!@Hola!〕", "¡Hola!"},
        {U"〔〔e'〕", "〔é"},
        {U"〔e'《え》〕", "〔e'《え》〕"},
        {U"〔Ge'ne'ral〕《ジェネラル》", "Général 《0-7:ジェネラル》"},
    });
}

// --- Notes on spans ---
TEST(AozoraReaderTest, spanNotes_coverTheTextTheyNameOrEnclose) {
    expectLines({
        {U"これは重要［＃「重要」に傍点］", "これは重要 ［傍点 3-5:傍点］"},
        {U"重要で重要［＃「重要」に白ゴマ傍点］", "重要で重要 ［傍点 3-5:白ゴマ傍点］"},
        {U"重要だ［＃「重要」に丸傍点］", "重要だ ［傍点 0-2:丸傍点］"},
        {U"［＃傍点］重要［＃傍点終わり］だ", "重要だ ［傍点 0-2:傍点］"},
        {U"線［＃「線」に二重傍線］と波［＃「波」に波線］",
         "線と波 ［傍線 0-1:二重傍線］ ［傍線 2-3:波線］"},
        {U"左［＃「左」の左に傍点］", "左 ［傍点 0-1:左に傍点］"},
        {U"第10回［＃「10」は縦中横］", "第10回 ［縦中横 1-3:縦中横］"},
        {U"［＃太字］強く［＃太字終わり］［＃斜体］斜め［＃斜体終わり］",
         "強く斜め ［太字 0-2:太字］ ［斜体 2-4:斜体］"},
        {U"大［＃「大」は２段階大きな文字］", "大 ［大きな文字 0-1:２段階大きな文字］"},
        {U"［＃１段階小さな文字］小［＃小さな文字終わり］",
         "小 ［小さな文字 0-1:１段階小さな文字］"},
        {U"本文［＃割り注］注です［＃割り注終わり］", "本文注です ［割り注 2-5:割り注］"},
        {U"ァ［＃「ァ」は小書き］", "ァ ［小書き 0-1:小書き］"},
        {U"１）［＃「１）」は縦中横、行右小書き］",
         "１） ［縦中横 0-2:縦中横］ ［小書き 0-2:行右小書き］"},
        {U"甲乙丙丁［＃「乙」～「丙」に傍点］", "甲乙丙丁 ［傍点 1-3:傍点］"},
        {U"左［＃「左」の左に「ひだり」のルビ］", "左 ［左ルビ 0-1:ひだり］"},
        {U"右［＃「右」に「みぎ」のルビ］", "右 《0-1:みぎ》"},
        {U"白い［＃「白い」は底本では「白」］", "白い ［注記 0-2:「白い」は底本では「白」］"},
        {U"ら［＃「ら」はママ］", "ら ［注記 0-1:ママ］"},
        // The target as written loses its ruby and gaiji notation.
        {U"吾輩《わがはい》［＃「吾輩」に傍点］", "吾輩 《0-2:わがはい》 ［傍点 0-2:傍点］"},
        {U"大阪｜道頓堀《どうとんぼり》［＃「大阪｜道頓堀《どうとんぼり》」は太字］",
         "大阪道頓堀 《2-5:どうとんぼり》 ［太字 0-5:太字］"},
        {U"※［＃「木＋内」、第3水準1-85-54］［＃「※［＃「木＋内」、第3水準1-85-54］」に傍点］",
         "枘 ［傍点 0-1:傍点］ ※0-1"},
    });
}

TEST(AozoraReaderTest, pointNotes_standWhereTheyAre) {
    expectLines({
        {U"学［＃レ］而", "学而 ［返り点 1-1:レ］"},
        {U"有［＃二］朋［＃一］", "有朋 ［返り点 1-1:二］ ［返り点 2-2:一］"},
        {U"時［＃（ニ）］", "時 ［訓点送り仮名 1-1:ニ］"},
        {U"［＃石の図（fig1_01.png、横100×縦200）入る］", " ［挿絵 0-0:石の図］"},
        {U"［＃「第一図」のキャプション付きの図（fig1_02.png、横10×縦20）入る］",
         " ［挿絵 0-0:第一図］"},
        {U"それ［＃ママ］", "それ ［注記 2-2:ママ］"},
    });
}

// --- Paragraph attributes ---
struct Attributes {
    int indent = 0;
    int hanging = 0;
    Align align = Align::Top;
    int raise = 0;
    Heading heading = Heading::None;
    BreakBefore breakBefore = BreakBefore::None;
    friend bool operator==(const Attributes&, const Attributes&) = default;
};

std::vector<Attributes> attributesOf(const ProseDocument& d) {
    std::vector<Attributes> all;
    for (const Paragraph& p : d.paragraphs)
        all.push_back({p.indent, p.hangingIndent, p.align, p.raise, p.heading, p.breakBefore});
    return all;
}

TEST(AozoraReaderTest, layoutNotes_setTheirParagraphsAttributes) {
    constexpr Align B = Align::Bottom;
    constexpr auto None = Heading::None;
    const struct {
        std::u32string_view body;
        std::vector<Attributes> expected;
    } cases[] = {
        {U"［＃３字下げ］本文\nつぎ", {{3, 3}, {}}},
        {U"［＃ここから２字下げ］\nA\nB\n［＃ここで字下げ終わり］\nC", {{2, 2}, {2, 2}, {}}},
        {U"［＃ここから改行天付き、折り返して２字下げ］\nA\n［＃ここで字下げ終わり］", {{0, 2}}},
        {U"［＃ここから１字下げ、折り返して３字下げ］\nA\n［＃ここで字下げ終わり］", {{1, 3}}},
        {U"［＃改行天付き、折り返して１字下げ］A", {{0, 1}}},
        {U"［＃ここから四字下げ］\n［＃二字下げ］A\nB", {{2, 2}, {4, 4}}},
        {U"［＃地付き］署名\n［＃地から２字上げ］日付", {{0, 0, B}, {0, 0, B, 2}}},
        {U"［＃ここから地から１字上げ］\nA\n［＃ここで字上げ終わり］\nB", {{0, 0, B, 1}, {}}},
        {U"第一［＃「第一」は大見出し］\n［＃中見出し］二［＃中見出し終わり］",
         {{0, 0, Align::Top, 0, Heading::Large}, {0, 0, Align::Top, 0, Heading::Medium}}},
        {U"［＃ここから小見出し］\nA\n［＃ここで小見出し終わり］\nB",
         {{0, 0, Align::Top, 0, Heading::Small}, {}}},
        {U"A\n［＃改ページ］\nB", {{}, {0, 0, Align::Top, 0, None, BreakBefore::Page}}},
        {U"A［＃改丁］\nB", {{}, {0, 0, Align::Top, 0, None, BreakBefore::Sheet}}},
        {U"A\n［＃改段］B", {{}, {0, 0, Align::Top, 0, None, BreakBefore::Column}}},
        {U"［＃改ページ］\n\nA", {{0, 0, Align::Top, 0, None, BreakBefore::Page}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(attributesOf(readBody(c.body)), c.expected) << utf8(c.body);
}

TEST(AozoraReaderTest, blockStyles_coverEveryParagraphOfTheBlock) {
    const ProseDocument d =
        readBody(U"前［＃ここから太字］後\nまるごと\n半分［＃ここで太字終わり］残り");
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_EQ(describe(d.paragraphs[0]), "前後 ［太字 1-2:太字］");
    EXPECT_EQ(describe(d.paragraphs[1]), "まるごと ［太字 0-4:太字］");
    EXPECT_EQ(describe(d.paragraphs[2]), "半分残り ［太字 0-2:太字］");
}

// --- Head, explanation and colophon ---
TEST(AozoraReaderTest, head_isTheLinesBeforeTheFirstEmptyOrHyphenLine) {
    const struct {
        std::u32string_view text;
        std::vector<std::u32string> head;
        std::u32string author;
    } cases[] = {
        {U"こころ\n夏目漱石\n\n本文", {U"こころ", U"夏目漱石"}, U"夏目漱石"},
        {U"盗まれた手紙\nThe Purloined Letter\nエドガー・アラン・ポー\n佐々木直次郎訳\n---\n本文",
         {U"盗まれた手紙", U"The Purloined Letter", U"エドガー・アラン・ポー", U"佐々木直次郎訳"},
         U"エドガー・アラン・ポー"},
        {U"題\n副題\n作者\n\n本文", {U"題", U"副題", U"作者"}, U"作者"},
        {U"題\n訳者訳\n\n本文", {U"題", U"訳者訳"}, U"訳者訳"},
        {U"羅生門《らしょうもん》\n芥川［＃「芥川」は太字］龍之介\n\n本文",
         {U"羅生門", U"芥川龍之介"},
         U"芥川龍之介"},
        {U"一\n二\n三\n四\n五\n六\n七\n\n本文", {U"一", U"二"}, U"二"},
        {U"一\n二\n三\n四\n五\n六\n\n本文", {U"一", U"二", U"三", U"四", U"五", U"六"}, U"六"},
        {U"\n本文", {}, U""},
    };
    for (const auto& c : cases) {
        const ProseDocument d = readAozoraText(c.text);
        EXPECT_EQ(d.head, c.head) << utf8(c.text);
        EXPECT_EQ(d.title, c.head.empty() ? U"" : c.head[0]) << utf8(c.text);
        EXPECT_EQ(d.author, c.author) << utf8(c.text);
    }
}

TEST(AozoraReaderTest, body_leavesOutTheExplanationTheColophonAndTheOuterEmptyLines) {
    const std::u32string text =
        U"題名\r\n作者\r\n\r\n"
        U"-------------------------------------------------------\r\n"
        U"【テキスト中に現れる記号について】\r\n\r\n《》：ルビ\r\n（例）猫《ねこ》\r\n"
        U"-------------------------------------------------------\r\n"
        U"\r\n\r\n一行目\r\n\r\n三行目\r\n\r\n\r\n"
        U"底本：「題名」※［＃「木＋内」、第3水準1-85-54］社\r\n入力：誰か\r\n\r\n";
    const ProseDocument d = readAozoraText(text);
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_EQ(d.paragraphs[0].text, U"一行目");
    EXPECT_EQ(d.paragraphs[1].text, U"");
    EXPECT_EQ(d.paragraphs[2].text, U"三行目");
    EXPECT_EQ(d.colophon, (std::vector<std::u32string>{U"底本：「題名」枘社", U"入力：誰か"}));
}

TEST(AozoraReaderTest, lineEnds_crLfLfAndCrAllEndALine) {
    for (std::u32string_view text :
         {U"題\r\n作\r\n\r\nA\r\nB", U"題\n作\n\nA\nB", U"題\r作\r\rA\rB", U"題\r\n作\n\rA\rB\n"}) {
        const ProseDocument d = readAozoraText(text);
        ASSERT_EQ(d.paragraphs.size(), 2u) << utf8(text);
        EXPECT_EQ(d.paragraphs[1].text, U"B");
    }
}

// --- Unknown, unclosed, nested and hostile notation ---
TEST(AozoraReaderTest, notesNotUnderstood_goToUnknownNotesWithTheirParagraph) {
    const ProseDocument d = readBody(
        U"\nA\n\nB［＃ここから３８字詰め］C［＃謎の注記］\n［＃ページの左右中央］\n\nD\n［＃本文終"
        U"わり］\n");
    ASSERT_EQ(d.paragraphs.size(), 5u);
    EXPECT_EQ(d.paragraphs[2].text, U"BC");
    EXPECT_EQ(d.paragraphs[4].text, U"D");
    EXPECT_EQ(d.unknownNotes, (std::vector<UnknownNote>{{2, U"［＃ここから３８字詰め］"},
                                                        {2, U"［＃謎の注記］"},
                                                        {4, U"［＃ページの左右中央］"},
                                                        {4, U"［＃本文終わり］"}}));
    // With no text at all the notes still name a paragraph.
    const ProseDocument empty = readBody(U"\n［＃謎］\n\n");
    ASSERT_EQ(empty.paragraphs.size(), 1u);
    EXPECT_EQ(empty.unknownNotes, (std::vector<UnknownNote>{{0, U"［＃謎］"}}));
}

TEST(AozoraReaderTest, brokenNotation_keepsTheText) {
    expectLines({
        {U"前［＃閉じない注記", "前［＃閉じない注記"},
        {U"前］後［＃", "前］後［＃"},
        {U"［＃「外［＃「内」に傍点］」に傍点］X", "X"},
        {U"［＃［＃［＃］］", "［＃"},
        {U"※［＃", "※［＃"},
        {U"［x］と［＃「存在しない」に傍点］", "［x］と"},
    });
    const ProseDocument d = readBody(U"語［＃「存在しない」に傍点］");
    ASSERT_EQ(d.unknownNotes.size(), 1u);
    EXPECT_EQ(d.unknownNotes[0].text, U"［＃「存在しない」に傍点］");
}

// Inputs that a scan from the start of the line at every mark would take minutes over.
TEST(AozoraReaderTest, hugeLines_areReadInLinearTime) {
    const auto started = std::chrono::steady_clock::now();
    std::u32string bars(1'000'000, U'｜');
    EXPECT_EQ(readBody(bars).paragraphs.at(0).text.size(), bars.size());

    std::u32string rubies;
    for (int i = 0; i < 50'000; ++i) rubies += U"漢《か》";
    const ProseDocument r = readBody(rubies);
    EXPECT_EQ(r.paragraphs.at(0).text.size(), 50'000u);
    EXPECT_EQ(r.paragraphs.at(0).ruby.size(), 50'000u);

    std::u32string note = U"本文［＃「" + std::u32string(100'000, U'字') + U"」に傍点］";
    EXPECT_EQ(readBody(note).unknownNotes.size(), 1u);

    // A periodic text and a long periodic target that is not at its end.
    const std::u32string period(50'000, U'字');
    const ProseDocument periodic =
        readBody(period + U"。" + period + U"。［＃「" + period + U"」に傍点］");
    ASSERT_EQ(periodic.paragraphs.at(0).notes.size(), 1u);
    EXPECT_EQ(periodic.paragraphs[0].notes[0], (Note{U"傍点", 50'001, 100'001, U"傍点"}));
    std::u32string quoteEnds = U"語［＃「";
    for (int i = 0; i < 50'000; ++i) quoteEnds += U"」は";
    EXPECT_EQ(readBody(quoteEnds + U"］").unknownNotes.size(), 1u);

    std::u32string opens(200'000, U'《');
    opens += U"》";
    std::u32string references;
    for (int i = 0; i < 20'000; ++i) references += U"語［＃「無い」に傍点］〔〔《";
    for (const auto& hostile : {opens, references, std::u32string(300'000, U'〔') + U"〕"})
        EXPECT_FALSE(readBody(hostile).paragraphs.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

// --- Bytes ---
TEST(AozoraReaderTest, bytes_areDecodedBeforeReading) {
    // 題\r\n作\r\n\r\n猫《ねこ》 in CP932.
    const std::string cp932 =
        "\x91\xe8\r\n\x8d\xec\r\n\r\n\x94\x4c\x81\x73\x82\xcb\x82\xb1\x81\x74\r\n";
    const ProseDocument d = readProseBytes(cp932);
    EXPECT_EQ(d.encoding, "cp932");
    EXPECT_EQ(d.undecodable, 0u);
    EXPECT_EQ(d.title, U"題");
    ASSERT_EQ(d.paragraphs.size(), 1u);
    EXPECT_EQ(describe(d.paragraphs[0]), "猫 《0-1:ねこ》");
}

// --- Vocabulary ---
TEST(AozoraNotationTest, counts_readDigitsAndKanjiNumerals) {
    const struct {
        std::u32string_view text;
        int value;
        std::size_t length;
    } cases[] = {{U"3字", 3, 1},     {U"１２字", 12, 2}, {U"三字", 3, 1},    {U"十字", 10, 1},
                 {U"十二字", 12, 2}, {U"二十字", 20, 2}, {U"二十三", 23, 3}, {U"99999", 9999, 5}};
    for (const auto& c : cases) {
        std::size_t length = 0;
        EXPECT_EQ(aozora::leadingCount(c.text, length), c.value) << utf8(c.text);
        EXPECT_EQ(length, c.length) << utf8(c.text);
    }
    std::size_t length = 0;
    EXPECT_FALSE(aozora::leadingCount(U"字下げ", length));
}

}  // namespace
}  // namespace tavelo::prose
