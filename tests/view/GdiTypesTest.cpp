#include <QTest>
#include <array>
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
    // Handles and colours
    void handlesAndColours_keepTheirGdiMeaning();

    // MulDiv
    void mulDiv_roundsToNearestWithHalvesAwayFromZero();
    void mulDiv_formsTheProductInSixtyFourBits_andFailsWithMinusOne();

    // Face names
    void setFaceName_writesCodePage932BytesTerminatorAndClearsTheRest();
    void setFaceName_nameWithoutRoomForTheTerminator_writesTheEmptyName();
    void faceName_neverWritesOrReadsPastTheField();

    // TextOutA text
    void ansiText_zeroByteEndsTheText_andDoubleBytesAreFlagged();
    void ansiText_leadByteWithoutTrail_isOneCharacter();
};

// ---- Handles and colours

void GdiTypesTest::handlesAndColours_keepTheirGdiMeaning() {
    static_assert(!std::is_convertible_v<HFONT, HDC>, "a font is no device context");
    static_assert(!std::is_convertible_v<HGDIOBJ, HFONT>, "an object is not always a font");
    static_assert(!std::is_convertible_v<std::uint32_t, HFONT>, "numbers are no handles");
    QVERIFY(!HFONT());
    QCOMPARE(HGDIOBJ(HFONT(0x1234)).value(), 0x1234u);
    QCOMPARE(RGB(0, 0, 255), 0x00FF0000u);
    QCOMPARE(RGB(0x12, 0x34, 0x56), 0x00563412u);
    QCOMPARE(greenOf(RGB(200, 30, 60)), BYTE{30});
}

// ---- MulDiv

void GdiTypesTest::mulDiv_roundsToNearestWithHalvesAwayFromZero() {
    QCOMPARE(MulDiv(10, 96, 72), 13);  // 13.33
    QCOMPARE(MulDiv(17, 96, 72), 23);  // 22.67
    QCOMPARE(MulDiv(3, 1, 2), 2);
    QCOMPARE(MulDiv(-3, 1, 2), -2);
    QCOMPARE(MulDiv(3, -1, 2), -2);
    QCOMPARE(MulDiv(5, 1, -2), -3);
    QCOMPARE(MulDiv(-5, 1, -2), 3);
    QCOMPARE(MulDiv(-5, 1, 4), -1);  // -1.25
}

void GdiTypesTest::mulDiv_formsTheProductInSixtyFourBits_andFailsWithMinusOne() {
    QCOMPARE(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    QCOMPARE(MulDiv(INT_MIN, 1, 1), INT_MIN);
    QCOMPARE(MulDiv(12, 96, 0), -1);
    QCOMPARE(MulDiv(INT_MAX, 2, 1), -1);
    QCOMPARE(MulDiv(INT_MIN, -1, 1), -1);
}

// ---- Face names

void GdiTypesTest::setFaceName_writesCodePage932BytesTerminatorAndClearsTheRest() {
    LOGFONTA font;
    setFaceName(font, u"@Mojikyo M101");
    setFaceName(font, u"@ＭＳ 明朝");
    const char expected[] = "@\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
    QCOMPARE(std::memcmp(font.lfFaceName, expected, sizeof expected), 0);  // with the zero
    for (std::size_t i = sizeof expected; i < sizeof font.lfFaceName; ++i)
        QCOMPARE(font.lfFaceName[i], '\0');
    QCOMPARE(faceName(font), String(u"@ＭＳ 明朝"));

    const String longest = String(15, u'明') + u"x";  // 31 bytes
    setFaceName(font, longest);
    QCOMPARE(faceName(font), longest);
}

void GdiTypesTest::setFaceName_nameWithoutRoomForTheTerminator_writesTheEmptyName() {
    for (const String& name : {String(32, u'x'), String(16, u'明'), String(200, u'y')}) {
        LOGFONTA font;
        setFaceName(font, u"@ＭＳ 明朝");
        setFaceName(font, name);
        QCOMPARE(faceName(font), String());
    }
}

void GdiTypesTest::faceName_neverWritesOrReadsPastTheField() {
    // The face is the last field: guard bytes right behind it must survive any name.
    struct Guarded {
        LOGFONTA font;
        std::array<unsigned char, 16> guard;
    } guarded{};
    guarded.guard.fill(0xAA);
    for (const String& name :
         {String(31, u'a'), String(33, u'c'), String(40, u'明'), String(1000, u'z')}) {
        setFaceName(guarded.font, name);
        for (const unsigned char byte : guarded.guard) QCOMPARE(byte, 0xAA);
    }
    std::memset(guarded.font.lfFaceName, 'Q', sizeof guarded.font.lfFaceName);
    QCOMPARE(faceName(guarded.font), String(32, u'Q'));  // no terminator: the field and no more
}

// ---- TextOutA text

void GdiTypesTest::ansiText_zeroByteEndsTheText_andDoubleBytesAreFlagged() {
    QCOMPARE(decodeAnsiText("A\0", 2), String(u"A"));
    QCOMPARE(decodeAnsiText("AB\0CD", 5), String(u"AB"));
    QCOMPARE(decodeAnsiText(nullptr, 2), String());
    QCOMPARE(decodeAnsiText("A", -1), String());

    std::vector<std::pair<char16_t, bool>> seen;
    forEachAnsiCharacter(
        "\x8a\xbf"
        "A\xb6",
        4, [&seen](char16_t c, bool doubleByte) { seen.emplace_back(c, doubleByte); });
    const std::vector<std::pair<char16_t, bool>> expected{
        {u'漢', true}, {u'A', false}, {u'ｶ', false}};
    QVERIFY(seen == expected);
}

void GdiTypesTest::ansiText_leadByteWithoutTrail_isOneCharacter() {
    QCOMPARE(decodeAnsiText("\x8a", 1), String(u"・"));
    QCOMPARE(decodeAnsiText("\x8a\0", 2), String(u"・"));  // the zero is no trail byte
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::GdiTypesTest)
#include "GdiTypesTest.moc"
