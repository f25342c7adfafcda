#include <QFontDatabase>
#include <QImage>
#include <QTest>
#include <climits>
#include <cstring>
#include <memory>

#include "support/GuiTesting.h"
#include "shell/gdi/MFontDraw.h"
#include "support/ClassicTextOut.h"
#include "support/GdiToString.h"

namespace tavelo {

class MFontDrawTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    // Placement
    void ink_liesInsideTheEmSquareLeftOfAndBelowThePoint_data();
    void ink_liesInsideTheEmSquareLeftOfAndBelowThePoint();

    // Vertical forms
    void kanji_standsUprightUnderAt_liesOnItsSideWithout();
    void prolongedSoundMarkAndBrackets_takeTheirVerticalForms();
    void commaFullStopAndSmallKana_moveToTheUpperRight();
    void singleByteCharacter_drawsWithItsTerminator_lyingOnItsSide();

    // Faces and sizes
    void emptyAndUnknownFaces_drawLikeTheVerticalMincho_data();
    void emptyAndUnknownFaces_drawLikeTheVerticalMincho();
    void aliasesAndInstalledNames_drawAlike_otherFacesDiffer();
    void negativeHeightIsTheEm_positiveHeightTheCell();
    void zeroAndAbsurdHeights_drawWithoutFailing();

    // Colour and text
    void textColour_isTheColourDrawn_perCall();
    void characterTheFontLacks_drawsNothing();

    // Image edges
    void textPartlyOutside_drawsOnlyItsVisiblePart();
    void textWhollyOutside_isRejectedBeforeAnyWork();

    // Caches
    void cachedAndUncached_drawIdenticalImages();
    void secondDrawing_createsNoFontAndShapesNothing();
    void leftoverBytesAfterTheFaceName_stillFindTheCachedFont();
    void switchingCachesWhileAFontIsSelected_keepsItDrawing();

private:
    int draw(const String& face, LONG height, int x, int y, const String& character,
             COLORREF color = RGB(0, 0, 0));
    [[nodiscard]] QImage drawAlone(const String& face, LONG height, const String& character,
                                   int x = kX, int y = kY);
    [[nodiscard]] QRect inkAlone(const String& face, LONG height, const String& character,
                                 int x = kX, int y = kY);
    int textOut(const LOGFONTA& logFont, const char* text, int length);

    static constexpr int kX = 150;
    static constexpr int kY = 30;
    static constexpr int kSize = 40;

    QImage image_;
    std::unique_ptr<MFontDraw> surface_;
};

namespace {

// The rectangle of all pixels that are not white.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != 0xFFFFFFFFu) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QPointF centreOf(const QRect& rect) {
    return {rect.left() + rect.width() / 2.0, rect.top() + rect.height() / 2.0};
}

const char* utf8(const char16_t* text) {
    static QByteArray bytes;
    bytes = QString::fromUtf16(text).toUtf8();
    return bytes.constData();
}

// A body column with ruby beside it and text in other faces and colours, partly clipped.
void drawSampleColumns(MFontDraw& surface) {
    const LOGFONTA body = testing::classicLogFont(u"@ＭＳ 明朝", -27);
    const LOGFONTA ruby = testing::classicLogFont(u"@ＭＳ 明朝", -13);
    const String text = u"吾輩は猫である。「ルビ」ー、";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int y = 10 + static_cast<int>(i) * 13;
        QVERIFY(testing::drawCharacter(surface, body, i == 3 ? RGB(0, 0, 255) : 0, 170, y,
                                       text.substr(i, 1)) != 0);
        QVERIFY(testing::drawCharacter(surface, ruby, 0, 185, y, u"る") != 0);
    }
    const LOGFONTA sideways = testing::classicLogFont(u"ＭＳ ゴシック", -20);
    QVERIFY(testing::drawCharacter(surface, sideways, RGB(200, 30, 60), 100, 20, u"字") != 0);
    QVERIFY(testing::drawCharacter(surface, sideways, 0, 100, 40, u"A") != 0);
    QVERIFY(testing::drawCharacter(surface, body, 0, 3, 190, u"端") != 0);
}

}  // namespace

void MFontDrawTest::init() {
    image_ = QImage(200, 200, QImage::Format_RGB32);
    surface_ = std::make_unique<MFontDraw>(image_);
    surface_->Cls();
}

int MFontDrawTest::draw(const String& face, LONG height, int x, int y, const String& character,
                        COLORREF color) {
    return testing::drawCharacter(*surface_, testing::classicLogFont(face, height), color, x, y,
                                  character);
}

QImage MFontDrawTest::drawAlone(const String& face, LONG height, const String& character, int x,
                                int y) {
    surface_->Cls();
    if (draw(face, height, x, y, character) == 0)
        QTest::qFail("TextOutA failed", __FILE__, __LINE__);
    return image_;
}

QRect MFontDrawTest::inkAlone(const String& face, LONG height, const String& character, int x,
                              int y) {
    return inkBounds(drawAlone(face, height, character, x, y));
}

// Raw bytes at (kX, kY), for text the classic sequence does not produce.
int MFontDrawTest::textOut(const LOGFONTA& logFont, const char* text, int length) {
    const HFONT font = surface_->CreateFontIndirectA(logFont);
    const HGDIOBJ previous = surface_->SelectObject(surface_->hDC(), font);
    const int drawn = surface_->TextOutA(surface_->hDC(), kX, kY, text, length);
    surface_->SelectObject(surface_->hDC(), previous);
    surface_->DeleteObject(font);
    return drawn;
}

// ---- Placement

void MFontDrawTest::ink_liesInsideTheEmSquareLeftOfAndBelowThePoint_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("size");
    for (const auto* face : {u"@ＭＳ 明朝", u"@ＭＳ ゴシック", u"ＭＳ 明朝"})
        for (const int size : {13, 40})
            QTest::addRow("%s %d", utf8(face), size) << QString::fromUtf16(face) << size;
}

void MFontDrawTest::ink_liesInsideTheEmSquareLeftOfAndBelowThePoint() {
    QFETCH(QString, face);
    QFETCH(int, size);
    const QRect square(kX - size, kY, size, size);
    for (const char16_t* c :
         {u"吾", u"輩", u"一", u"ー", u"（", u"、", u"。", u"ゃ", u"「", u"」", u"ビ", u"Ａ"}) {
        const QRect ink = inkAlone(face.toStdU16String(), -size, c);
        QVERIFY2(!ink.isEmpty() && square.contains(ink), utf8(c));
    }
}

// ---- Vertical forms

void MFontDrawTest::kanji_standsUprightUnderAt_liesOnItsSideWithout() {
    const QRect upright = inkAlone(u"@ＭＳ 明朝", -kSize, u"一");
    QVERIFY(upright.width() > 3 * upright.height());
    const QRect sideways = inkAlone(u"ＭＳ 明朝", -kSize, u"一");
    QVERIFY(sideways.height() > 3 * sideways.width());
}

void MFontDrawTest::prolongedSoundMarkAndBrackets_takeTheirVerticalForms() {
    // Upright but unsubstituted, the mark would be a horizontal stroke, the brackets tall.
    const QRect mark = inkAlone(u"@ＭＳ 明朝", -kSize, u"ー");
    QVERIFY(mark.height() > 3 * mark.width());
    for (const char16_t* bracket : {u"（", u"）", u"「", u"」", u"〔"}) {
        const QRect ink = inkAlone(u"@ＭＳ 明朝", -kSize, bracket);
        QVERIFY2(ink.width() > ink.height(), utf8(bracket));
    }
    // An opening bracket sits low, towards the text it opens; a closing one high.
    QVERIFY(centreOf(inkAlone(u"@ＭＳ 明朝", -kSize, u"「")).y() > kY + kSize / 2.0);
    QVERIFY(centreOf(inkAlone(u"@ＭＳ 明朝", -kSize, u"」")).y() < kY + kSize / 2.0);
}

void MFontDrawTest::commaFullStopAndSmallKana_moveToTheUpperRight() {
    const QRect upperRight(kX - kSize / 2, kY, kSize / 2, kSize / 2);
    for (const char16_t* mark : {u"、", u"。"}) {
        const QRect ink = inkAlone(u"@ＭＳ 明朝", -kSize, mark);
        QVERIFY2(!ink.isEmpty() && upperRight.contains(ink), utf8(mark));
    }
    const QRect small = inkAlone(u"@ＭＳ 明朝", -kSize, u"ゃ");
    const QRect full = inkAlone(u"@ＭＳ 明朝", -kSize, u"や");
    QVERIFY(small.width() * small.height() < 0.8 * full.width() * full.height());
    QVERIFY(centreOf(small).x() > kX - kSize / 2.0 + kSize / 20.0);
}

void MFontDrawTest::singleByteCharacter_drawsWithItsTerminator_lyingOnItsSide() {
    // "l" is tall and narrow; on its side it is wide and low, as in a vertical GDI font.
    const QImage padded = drawAlone(u"@ＭＳ 明朝", -kSize, u"l");  // sent as "l\0", length 2
    const QRect letter = inkBounds(padded);
    QVERIFY(letter.width() > 3 * letter.height());
    surface_->Cls();
    QVERIFY(textOut(testing::classicLogFont(u"@ＭＳ 明朝", -kSize), "l", 1) != 0);
    QCOMPARE(image_, padded);
    // The full-width letter stands upright.
    const QRect fullWidth = inkAlone(u"@ＭＳ 明朝", -kSize, u"ｌ");
    QVERIFY(fullWidth.height() > 2 * fullWidth.width());
}

// ---- Faces and sizes

void MFontDrawTest::emptyAndUnknownFaces_drawLikeTheVerticalMincho_data() {
    QTest::addColumn<QString>("face");
    QTest::newRow("empty") << QString();
    QTest::newRow("unknown") << QStringLiteral("No Such Face");
    QTest::newRow("unknown, vertical") << QStringLiteral("@No Such Face");
    QTest::newRow("Mojikyo") << QStringLiteral("@Mojikyo M101");
}

void MFontDrawTest::emptyAndUnknownFaces_drawLikeTheVerticalMincho() {
    QFETCH(QString, face);
    if (face.startsWith(QLatin1Char('@')) && QFontDatabase::hasFamily(face.mid(1)))
        QSKIP("the face is installed here");
    for (const char16_t* c : {u"吾", u"ー", u"、"})
        QCOMPARE(drawAlone(face.toStdU16String(), -27, c), drawAlone(u"@ＭＳ 明朝", -27, c));
}

void MFontDrawTest::aliasesAndInstalledNames_drawAlike_otherFacesDiffer() {
    const QImage mincho = drawAlone(u"@ＭＳ 明朝", -27, u"猫");
    QCOMPARE(drawAlone(u"@MS Mincho", -27, u"猫"), mincho);
    QCOMPARE(drawAlone(u"@IPAMincho", -27, u"猫"), mincho);
    const QImage gothic = drawAlone(u"@ＭＳ ゴシック", -27, u"猫");
    QCOMPARE(drawAlone(u"@IPAGothic", -27, u"猫"), gothic);
    QVERIFY(gothic != mincho);
}

void MFontDrawTest::negativeHeightIsTheEm_positiveHeightTheCell() {
    const QRect small = inkAlone(u"@ＭＳ 明朝", -20, u"吾");
    const QRect large = inkAlone(u"@ＭＳ 明朝", -40, u"吾");
    QVERIFY(qAbs(large.width() - 2 * small.width()) <= 2);
    QVERIFY(qAbs(large.height() - 2 * small.height()) <= 2);
    // The Mincho's cell (Windows ascent plus descent) is 2257/2048 of its em: 45 -> 40.8.
    const QRect cell = inkAlone(u"@ＭＳ 明朝", 45, u"吾");
    const QRect em = inkAlone(u"@ＭＳ 明朝", -41, u"吾");
    QVERIFY(qAbs(cell.width() - em.width()) <= 1 && qAbs(cell.height() - em.height()) <= 1);
}

void MFontDrawTest::zeroAndAbsurdHeights_drawWithoutFailing() {
    QVERIFY(!inkAlone(u"@ＭＳ 明朝", 0, u"吾").isEmpty());
    for (const LONG height : {LONG{INT_MIN}, LONG{INT_MAX}, LONG{-100000}}) {
        surface_->Cls();
        QVERIFY(draw(u"@ＭＳ 明朝", height, 100, 0, u"一") != 0);
    }
}

// ---- Colour and text

void MFontDrawTest::textColour_isTheColourDrawn_perCall() {
    surface_->Cls();
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, u"猫", RGB(200, 30, 60)) != 0);
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY + kSize, u"猫", RGB(0, 0, 255)) != 0);
    bool red = false;
    bool blue = false;
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            // Every pixel lies between white and the colour of its character.
            const QRgb pixel = image_.pixel(x, y);
            if (y < kY + kSize)
                QVERIFY(qRed(pixel) >= 200 && qGreen(pixel) >= 30 && qBlue(pixel) >= 60);
            else
                QVERIFY(qRed(pixel) == qGreen(pixel) && qBlue(pixel) == 255);
            red = red || pixel == qRgb(200, 30, 60);
            blue = blue || pixel == qRgb(0, 0, 255);
        }
    }
    QVERIFY(red && blue);
}

void MFontDrawTest::characterTheFontLacks_drawsNothing() {
    surface_->Cls();
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, String(1, u'\uE000')) != 0);  // user-defined
    QVERIFY(inkBounds(image_).isEmpty());
}

// ---- Image edges

void MFontDrawTest::textPartlyOutside_drawsOnlyItsVisiblePart() {
    // Lower left: the em square [-28, 12] x [185, 225] is cut by the left and bottom edges.
    const QRect lowerLeft = inkAlone(u"@ＭＳ 明朝", -kSize, u"猫", 12, 185);
    QCOMPARE(lowerLeft.left(), 0);
    QCOMPARE(lowerLeft.bottom(), image_.height() - 1);
    QVERIFY(lowerLeft.right() < 12 && lowerLeft.top() >= 185);
    // Upper right: [170, 210] x [-20, 20] is cut by the right and top edges.
    const QRect upperRight = inkAlone(u"@ＭＳ 明朝", -kSize, u"猫", 210, -20);
    QCOMPARE(upperRight.right(), image_.width() - 1);
    QCOMPARE(upperRight.top(), 0);
    QVERIFY(upperRight.left() >= 170 && upperRight.bottom() < 20);
}

void MFontDrawTest::textWhollyOutside_isRejectedBeforeAnyWork() {
    const FontDrawCounters before = surface_->counters();
    for (const auto& [x, y] :
         {std::pair{-kSize, kY}, std::pair{kX, 260}, std::pair{300, kY}, std::pair{kX, -2 * kSize},
          std::pair{INT_MIN, INT_MIN}, std::pair{INT_MAX, INT_MAX}})
        QVERIFY(draw(u"@ＭＳ 明朝", -kSize, x, y, u"猫") != 0);
    QCOMPARE(surface_->counters().shapings, before.shapings);
    QCOMPARE(surface_->counters().glyphsRendered, before.glyphsRendered);
    QVERIFY(inkBounds(image_).isEmpty());
}

// ---- Caches

void MFontDrawTest::cachedAndUncached_drawIdenticalImages() {
    drawSampleColumns(*surface_);
    QImage uncachedImage(image_.size(), QImage::Format_RGB32);
    MFontDraw uncached(uncachedImage);
    uncached.setCachingEnabled(false);
    uncached.Cls();
    drawSampleColumns(uncached);

    QVERIFY(!inkBounds(image_).isEmpty());
    QCOMPARE(uncachedImage.sizeInBytes(), image_.sizeInBytes());
    QVERIFY(std::memcmp(uncachedImage.constBits(), image_.constBits(),
                        static_cast<std::size_t>(image_.sizeInBytes())) == 0);
    // Without caches every call does the whole work: 31 fonts, one per character.
    QCOMPARE(uncached.counters().fontsCreated, 31L);
    QVERIFY(uncached.counters().shapings > surface_->counters().shapings);
}

void MFontDrawTest::secondDrawing_createsNoFontAndShapesNothing() {
    drawSampleColumns(*surface_);
    const QImage first = image_;
    const FontDrawCounters before = surface_->counters();
    QVERIFY(before.fontsCreated > 0 && before.shapings > 0);

    surface_->Cls();
    drawSampleColumns(*surface_);
    QCOMPARE(surface_->counters().fontsCreated, before.fontsCreated);
    QCOMPARE(surface_->counters().facesLoaded, before.facesLoaded);
    QCOMPARE(surface_->counters().shapings, before.shapings);
    QCOMPARE(surface_->counters().glyphsRendered, before.glyphsRendered);
    QCOMPARE(image_, first);
}

void MFontDrawTest::leftoverBytesAfterTheFaceName_stillFindTheCachedFont() {
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, u"猫") != 0);
    const long created = surface_->counters().fontsCreated;

    // A pass that copies only the name and its terminator leaves a longer name's tail.
    LOGFONTA font = testing::classicLogFont(u"@Mojikyo M101", -kSize);
    const std::string mincho = CodePage932::encode(u"@ＭＳ 明朝");
    std::memcpy(font.lfFaceName, mincho.c_str(), mincho.size() + 1);
    QVERIFY(testing::drawCharacter(*surface_, font, 0, kX, kY + kSize, u"猫") != 0);
    QCOMPARE(surface_->counters().fontsCreated, created);
}

void MFontDrawTest::switchingCachesWhileAFontIsSelected_keepsItDrawing() {
    const QImage expected = drawAlone(u"@ＭＳ 明朝", -kSize, u"猫");
    surface_->Cls();
    const HFONT font =
        surface_->CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -kSize));
    const HGDIOBJ previous = surface_->SelectObject(surface_->hDC(), font);
    surface_->setCachingEnabled(false);  // the cache lets go of the font the handle names
    QVERIFY(surface_->TextOutA(surface_->hDC(), kX, kY, "\x94\x4c", 2) != 0);  // 猫
    QCOMPARE(image_, expected);
    QCOMPARE(surface_->SelectObject(surface_->hDC(), previous), HGDIOBJ(font));
    QVERIFY(surface_->DeleteObject(font) != 0);
    surface_->setCachingEnabled(true);
    QCOMPARE(drawAlone(u"@ＭＳ 明朝", -kSize, u"猫"), expected);
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::MFontDrawTest)
#include "MFontDrawTest.moc"
