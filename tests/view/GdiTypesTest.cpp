#include <QTest>
#include <climits>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "view/GdiTypes.h"

namespace tavelo {

class GdiTypesTest : public QObject {
    Q_OBJECT

  private slots:
    // LOGFONTA layout
    void logFont_keepsTheWindowsFieldOffsets();
    void logFont_startsAllZero();

    // Handles
    void handles_zeroIsFailureAndFontsConvertToObjects();

    // Colours
    void rgb_packsRedGreenBlueLowByteFirst();

    // MulDiv
    void mulDiv_pointSizesAtNinetySixDpi();
    void mulDiv_roundsHalvesAwayFromZero();
    void mulDiv_formsTheProductInSixtyFourBits();
    void mulDiv_zeroDivisorOrOverflow_givesMinusOne();

    // Face names
    void setFaceName_writesCodePage932BytesAndTerminator();
    void setFaceName_shorterAfterLonger_leavesExactlyTheShorterName();
    void setFaceName_thirtyOneBytes_fitsWithTerminator();
    void setFaceName_thirtyTwoBytesOrMore_writesTheEmptyName();
    void setFaceName_neverWritesPastTheField();
    void faceName_withoutTerminator_readsNoFurtherThanTheField();

    // TextOutA text
    void ansiText_terminatingZeroEndsTheText();
    void ansiText_flagsDoubleByteCharacters();
    void ansiText_leadByteWithoutTrail_isOneCharacter();
    void ansiText_nothingToRead_givesEmptyText();
};

// ---- LOGFONTA layout

void GdiTypesTest::logFont_keepsTheWindowsFieldOffsets() {
    QCOMPARE(sizeof(LOGFONTA), std::size_t{60});
    QCOMPARE(offsetof(LOGFONTA, lfHeight), std::size_t{0});
    QCOMPARE(offsetof(LOGFONTA, lfWidth), std::size_t{4});
    QCOMPARE(offsetof(LOGFONTA, lfEscapement), std::size_t{8});
    QCOMPARE(offsetof(LOGFONTA, lfOrientation), std::size_t{12});
    QCOMPARE(offsetof(LOGFONTA, lfWeight), std::size_t{16});
    QCOMPARE(offsetof(LOGFONTA, lfItalic), std::size_t{20});
    QCOMPARE(offsetof(LOGFONTA, lfUnderline), std::size_t{21});
    QCOMPARE(offsetof(LOGFONTA, lfStrikeOut), std::size_t{22});
    QCOMPARE(offsetof(LOGFONTA, lfCharSet), std::size_t{23});
    QCOMPARE(offsetof(LOGFONTA, lfOutPrecision), std::size_t{24});
    QCOMPARE(offsetof(LOGFONTA, lfClipPrecision), std::size_t{25});
    QCOMPARE(offsetof(LOGFONTA, lfQuality), std::size_t{26});
    QCOMPARE(offsetof(LOGFONTA, lfPitchAndFamily), std::size_t{27});
    QCOMPARE(offsetof(LOGFONTA, lfFaceName), std::size_t{28});
}

void GdiTypesTest::logFont_startsAllZero() {
    const LOGFONTA font;
    std::array<unsigned char, sizeof font> bytes{};
    std::memcpy(bytes.data(), &font, sizeof font);
    for (const unsigned char byte : bytes) QCOMPARE(byte, 0);
}

// ---- Handles

void GdiTypesTest::handles_zeroIsFailureAndFontsConvertToObjects() {
    static_assert(!std::is_convertible_v<HFONT, HDC>, "a font is no device context");
    static_assert(!std::is_convertible_v<HGDIOBJ, HFONT>, "an object is not always a font");
    static_assert(!std::is_convertible_v<std::uint32_t, HFONT>, "numbers are no handles");
    QVERIFY(!HFONT());
    QVERIFY(static_cast<bool>(HFONT(7)));
    const HGDIOBJ object = HFONT(0x1234);
    QCOMPARE(object.value(), 0x1234u);
    QVERIFY(HGDIOBJ(HFONT(5)) == HGDIOBJ(5));
}

// ---- Colours

void GdiTypesTest::rgb_packsRedGreenBlueLowByteFirst() {
    QCOMPARE(RGB(0, 0, 255), 0x00FF0000u);
    QCOMPARE(RGB(0x12, 0x34, 0x56), 0x00563412u);
    constexpr COLORREF color = RGB(200, 30, 60);
    QCOMPARE(redOf(color), BYTE{200});
    QCOMPARE(greenOf(color), BYTE{30});
    QCOMPARE(blueOf(color), BYTE{60});
}

// ---- MulDiv

void GdiTypesTest::mulDiv_pointSizesAtNinetySixDpi() {
    QCOMPARE(MulDiv(9, 96, 72), 12);
    QCOMPARE(MulDiv(10, 96, 72), 13);  // 13.33
    QCOMPARE(MulDiv(16, 96, 72), 21);  // 21.33
    QCOMPARE(MulDiv(17, 96, 72), 23);  // 22.67
    QCOMPARE(MulDiv(0, 96, 72), 0);
}

void GdiTypesTest::mulDiv_roundsHalvesAwayFromZero() {
    QCOMPARE(MulDiv(3, 1, 2), 2);
    QCOMPARE(MulDiv(5, 1, 2), 3);
    QCOMPARE(MulDiv(-3, 1, 2), -2);
    QCOMPARE(MulDiv(3, -1, 2), -2);
    QCOMPARE(MulDiv(5, 1, -2), -3);
    QCOMPARE(MulDiv(-5, 1, -2), 3);
    QCOMPARE(MulDiv(7, 1, 4), 2);    // 1.75
    QCOMPARE(MulDiv(-5, 1, 4), -1);  // -1.25
}

void GdiTypesTest::mulDiv_formsTheProductInSixtyFourBits() {
    QCOMPARE(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    QCOMPARE(MulDiv(100000, 100000, 1000), 10000000);
    QCOMPARE(MulDiv(INT_MIN, 1, 1), INT_MIN);
}

void GdiTypesTest::mulDiv_zeroDivisorOrOverflow_givesMinusOne() {
    QCOMPARE(MulDiv(12, 96, 0), -1);
    QCOMPARE(MulDiv(INT_MAX, 2, 1), -1);
    QCOMPARE(MulDiv(INT_MIN, -1, 1), -1);
}

// ---- Face names

void GdiTypesTest::setFaceName_writesCodePage932BytesAndTerminator() {
    LOGFONTA font;
    setFaceName(font, u"@ＭＳ 明朝");
    const char expected[] = "@\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
    QCOMPARE(std::memcmp(font.lfFaceName, expected, sizeof expected), 0);  // with the zero
    QCOMPARE(faceName(font), String(u"@ＭＳ 明朝"));
}

void GdiTypesTest::setFaceName_shorterAfterLonger_leavesExactlyTheShorterName() {
    LOGFONTA font;
    setFaceName(font, u"@Mojikyo M101");
    setFaceName(font, u"@ＭＳ 明朝");
    QCOMPARE(faceName(font), String(u"@ＭＳ 明朝"));
    for (std::size_t i = 10; i < sizeof font.lfFaceName; ++i) QCOMPARE(font.lfFaceName[i], '\0');
}

void GdiTypesTest::setFaceName_thirtyOneBytes_fitsWithTerminator() {
    LOGFONTA font;
    const String name(31, u'x');
    setFaceName(font, name);
    QCOMPARE(faceName(font), name);
    QCOMPARE(font.lfFaceName[31], '\0');

    const String kanji = String(15, u'明') + u"x";  // 15 double-byte characters and one byte
    setFaceName(font, kanji);
    QCOMPARE(faceName(font), kanji);
}

void GdiTypesTest::setFaceName_thirtyTwoBytesOrMore_writesTheEmptyName() {
    LOGFONTA font;
    setFaceName(font, u"@ＭＳ 明朝");
    setFaceName(font, String(32, u'x'));
    QCOMPARE(faceName(font), String());
    setFaceName(font, u"@ＭＳ 明朝");
    setFaceName(font, String(16, u'明'));  // 32 bytes
    QCOMPARE(faceName(font), String());
    setFaceName(font, String(200, u'y'));
    QCOMPARE(faceName(font), String());
}

void GdiTypesTest::setFaceName_neverWritesPastTheField() {
    // The face is the last field: guard bytes right behind it must survive any name.
    struct Guarded {
        LOGFONTA font;
        std::array<unsigned char, 16> guard;
    } guarded{};
    guarded.guard.fill(0xAA);
    guarded.font.lfPitchAndFamily = 0x55;
    for (const String& name : {String(31, u'a'), String(32, u'b'), String(33, u'c'),
                               String(16, u'明'), String(40, u'明'), String(1000, u'z')}) {
        setFaceName(guarded.font, name);
        for (const unsigned char byte : guarded.guard) QCOMPARE(byte, 0xAA);
        QCOMPARE(guarded.font.lfPitchAndFamily, BYTE{0x55});
    }
}

void GdiTypesTest::faceName_withoutTerminator_readsNoFurtherThanTheField() {
    LOGFONTA font;
    std::memset(font.lfFaceName, 'Q', sizeof font.lfFaceName);
    QCOMPARE(faceName(font), String(32, u'Q'));
}

// ---- TextOutA text

void GdiTypesTest::ansiText_terminatingZeroEndsTheText() {
    QCOMPARE(decodeAnsiText("A\0", 2), String(u"A"));
    QCOMPARE(decodeAnsiText("AB\0CD", 5), String(u"AB"));
    QCOMPARE(decodeAnsiText("ABCD", 2), String(u"AB"));
}

void GdiTypesTest::ansiText_flagsDoubleByteCharacters() {
    std::vector<std::pair<char16_t, bool>> seen;
    forEachAnsiCharacter(
        "\x8a\xbf"
        "A\xb6",
        4, [&seen](char16_t c, bool doubleByte) { seen.emplace_back(c, doubleByte); });
    QCOMPARE(seen.size(), std::size_t{3});
    QCOMPARE(seen[0], std::make_pair(u'漢', true));
    QCOMPARE(seen[1], std::make_pair(u'A', false));
    QCOMPARE(seen[2], std::make_pair(u'ｶ', false));
}

void GdiTypesTest::ansiText_leadByteWithoutTrail_isOneCharacter() {
    QCOMPARE(decodeAnsiText("\x8a", 1), String(u"・"));
    QCOMPARE(decodeAnsiText("\x8a\0", 2), String(u"・"));  // the zero is no trail byte
}

void GdiTypesTest::ansiText_nothingToRead_givesEmptyText() {
    QCOMPARE(decodeAnsiText(nullptr, 2), String());
    QCOMPARE(decodeAnsiText("A", 0), String());
    QCOMPARE(decodeAnsiText("A", -1), String());
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::GdiTypesTest)
#include "GdiTypesTest.moc"
