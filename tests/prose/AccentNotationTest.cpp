#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "prose/AccentNotation.h"

namespace tavelo::prose {
namespace {

struct AccentCase {
    const char* name;
    std::u32string_view inside;
    std::u32string_view text;
    int decoded;
};

// The examples of Aozora Bunko's own pages (注記一覧 ＞ 外字, アクセント分解) and the table's
// entries, each mark at least once.
const AccentCase kCases[] = {
    {"etiquette", U"e'tiquette", U"étiquette", 1},
    {"etranger", U"e'tranger", U"étranger", 1},
    {"verseWithCircumflexAndAcute", U"Sito^t qu'on le touche il re'sonne.",
     U"Sitôt qúon le touche il résonne.", 3},  // the table turns qu' too, as the page warns
    {"pensee", U"La pense'e doit remplir toute l'existence.",
     U"La pensée doit remplir toute l'existence.", 1},
    {"grave", U"a` la", U"à la", 1},
    {"circumflex", U"i^le", U"île", 1},
    {"tildes", U"Sa~o Paulo, man~ana, e~ i~ u~ E~ I~ U~", U"São Paulo, mañana, ẽ ĩ ũ Ẽ Ĩ Ũ", 8},
    {"diaeresis", U"Mu:nchen, na:if, Zo:e, y: E: I: U:", U"München, näif, Zöe, ÿ Ë Ï Ü", 7},
    {"ring", U"A&ngstro:m, u& U&", U"Ångström, ů Ů", 4},
    {"cedilla", U"garc,on, C,a", U"garçon, Ça", 2},
    {"stroke", U"o/l, O/, l/o/dz', d/ D/ h/ i/ L/", U"øl, Ø, łødz', đ Đ ħ ɨ Ł", 9},
    {"macron", U"To_kyo_, a_ e_ i_ u_ A_ E_ I_ O_ U_", U"Tōkyō, ā ē ī ū Ā Ē Ī Ō Ū", 11},
    {"esperantoCircumflex", U"c^ g^ h^ j^ s^ C^ G^ H^ J^ S^", U"ĉ ĝ ĥ ĵ ŝ Ĉ Ĝ Ĥ Ĵ Ŝ", 10},
    {"graveN", U"n` N`", U"ǹ Ǹ", 2},
    {"capitalsAcute", U"E'cole, A'frica, I' O' U' Y' y'", U"École, África, Í Ó Ú Ý ý", 7},
    {"ligatures", U"ae&on, AE&, oe&uvre, OE&, Stras&e", U"æon, Æ, œuvre, Œ, Straße", 5},
    {"invertedMarks", U"!@Hola! ?@Que' tal?", U"¡Hola! ¿Qué tal?", 3},
    // Longest match first: ae& is æ, not a followed by e&.
    {"longestMatch", U"Cae&sar", U"Cæsar", 1},
    {"ligatureBeforeAcute", U"oe&' ae'", U"œ' aé", 2},
    // The consonant entries with ' and , stay as written: elisions and commas.
    {"elisions", U"l'homme n'est c'est s'il m'a z'y r'a", U"l'homme n'est c'est s'il m'a z'y r'a",
     0},
    {"elisionCapitals", U"L'Oeuvre N'a C'est S'il M'A Z'Y R'A",
     U"L'Oeuvre N'a C'est S'il M'A Z'Y R'A", 0},
    {"commasAfterConsonants", U"Paris, Bruxelles, Brest, as, is, ts, S, T,",
     U"Paris, Bruxelles, Brest, as, is, ts, S, T,", 0},
    // Characters with no notation pass through; a mark alone or at the start is kept.
    {"noNotation", U"plain text 123", U"plain text 123", 0},
    {"markAlone", U"' ^ ~ : & _ , / @ `", U"' ^ ~ : & _ , / @ `", 0},
    {"markAfterNonLetter", U"1' x^ b: q~", U"1' x^ b: q~", 0},
    {"notationAtEnd", U"cafe'", U"café", 1},
    {"japaneseAround", U"日本のe'te'", U"日本のété", 2},
    {"empty", U"", U"", 0},
};

class AccentTest : public testing::TestWithParam<AccentCase> {};

TEST_P(AccentTest, decodes) {
    const AccentCase& c = GetParam();
    const AccentResult result = decodeAccents(c.inside);
    EXPECT_EQ(result.text, c.text);
    EXPECT_EQ(result.decoded, c.decoded);
}

INSTANTIATE_TEST_SUITE_P(AccentNotation, AccentTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<AccentCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tavelo::prose
