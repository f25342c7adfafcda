#include <QFontDatabase>
#include <QImage>
#include <QTest>
#include <climits>
#include <cstring>
#include <memory>

#include "shell/MFontDraw.h"
#include "support/ClassicTextOut.h"
#include "support/GdiToString.h"

namespace tavelo {

class MFontDrawTest : public QObject {
    Q_OBJECT

  private slots:
    void init();

    // Placement in the column
    void ink_liesInsideTheEmSquareLeftOfAndBelowThePoint_data();
    void ink_liesInsideTheEmSquareLeftOfAndBelowThePoint();
    void longerText_runsDownTheColumnOneEmPerCharacter();
    void escapementZero_drawsHorizontallyRightOfAndBelowThePoint();

    // Vertical forms
    void kanji_standsUprightUnderAt_liesOnItsSideWithout();
    void prolongedSoundMark_takesItsVerticalForm();
    void brackets_areTurned();
    void commaAndFullStop_landInTheUpperRightQuarter();
    void smallKana_areSmallerAndShiftedRight();
    void singleByteCharacterInVerticalFace_liesOnItsSide();

    // Faces
    void emptyAndUnknownFaces_drawLikeTheVerticalMincho_data();
    void emptyAndUnknownFaces_drawLikeTheVerticalMincho();
    void systemFaceAliasesAndInstalledNames_drawAlike();
    void gothic_drawsOtherPixelsThanMincho();

    // Sizes
    void negativeHeight_isTheEmSize();
    void positiveHeight_isTheCellHeight();
    void zeroAndAbsurdHeights_drawWithoutFailing();

    // Colour
    void textColour_isTheColourDrawn();
    void textColour_appliesPerCall();

    // Text bytes
    void singleByteWithTerminator_draws();
    void zeroByte_endsTheText();
    void characterTheFontLacks_drawsNothing();

    // Image edges
    void textPartlyOutside_drawsOnlyItsVisiblePart();
    void textWhollyOutside_isRejectedBeforeAnyWork();
    void cls_clearsTheImageToWhite();
    void imageOfAnotherFormat_isDrawnAsRgb32();

    // Caches
    void cachedAndUncached_drawIdenticalImages();
    void secondDrawing_createsNoFontAndShapesNothing();
    void leftoverBytesAfterTheFaceName_stillFindTheCachedFont();
    void uncached_createsAFontPerCall();
    void switchingCachesWhileAFontIsSelected_keepsItDrawing();

  private:
    int draw(const String& face, LONG height, int x, int y, const String& character,
             COLORREF color = RGB(0, 0, 0), LONG escapement = 2700);
    [[nodiscard]] QImage drawAlone(const String& face, LONG height, const String& character,
                                   int x = kX, int y = kY);
    [[nodiscard]] QRect inkAlone(const String& face, LONG height, const String& character,
                                 int x = kX, int y = kY);
    void drawSampleColumns(MFontDraw& surface);

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
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != 0xFFFFFFFFu) bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

QPointF centreOf(const QRect& rect) {
    return {rect.left() + rect.width() / 2.0, rect.top() + rect.height() / 2.0};
}

}  // namespace

void MFontDrawTest::init() {
    image_ = QImage(200, 200, QImage::Format_RGB32);
    surface_ = std::make_unique<MFontDraw>(image_);
    surface_->Cls();
}

int MFontDrawTest::draw(const String& face, LONG height, int x, int y, const String& character,
                        COLORREF color, LONG escapement) {
    return testing::drawCharacter(*surface_, testing::classicLogFont(face, height, escapement),
                                  color, x, y, character);
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

// A body column with its ruby and a second column, in several faces and colours.
void MFontDrawTest::drawSampleColumns(MFontDraw& surface) {
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
    QVERIFY(testing::drawCharacter(surface, body, 0, 3, 190, u"端") != 0);  // clipped
}

// ---- Placement in the column

void MFontDrawTest::ink_liesInsideTheEmSquareLeftOfAndBelowThePoint_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("size");
    for (const auto* face : {u"@ＭＳ 明朝", u"@ＭＳ ゴシック", u"ＭＳ 明朝"}) {
        for (const int size : {13, 27, 40}) {
            const QString name = QString::fromUtf16(face);
            QTest::addRow("%s %d", name.toUtf8().constData(), size) << name << size;
        }
    }
}

void MFontDrawTest::ink_liesInsideTheEmSquareLeftOfAndBelowThePoint() {
    QFETCH(QString, face);
    QFETCH(int, size);
    const QRect square(kX - size, kY, size, size);
    for (const char16_t* c : {u"吾", u"輩", u"一", u"ー", u"（", u"、", u"。", u"ゃ", u"「", u"」",
                              u"ル", u"ビ", u"猫", u"Ａ"}) {
        const QRect ink = inkAlone(face.toStdU16String(), -size, c);
        QVERIFY2(!ink.isEmpty(), QString::fromUtf16(c).toUtf8().constData());
        QVERIFY2(square.contains(ink), QString::fromUtf16(c).toUtf8().constData());
    }
}

void MFontDrawTest::longerText_runsDownTheColumnOneEmPerCharacter() {
    const HFONT font =
        surface_->CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -kSize));
    const HGDIOBJ previous = surface_->SelectObject(surface_->hDC(), font);
    QVERIFY(surface_->TextOutA(surface_->hDC(), kX, kY, "\x88\xea\x88\xea", 4) != 0);  // 一一
    surface_->SelectObject(surface_->hDC(), previous);
    surface_->DeleteObject(font);
    const QImage both = image_;
    const QRect first = inkAlone(u"@ＭＳ 明朝", -kSize, u"一");
    const QRect second = inkAlone(u"@ＭＳ 明朝", -kSize, u"一", kX, kY + kSize);
    QCOMPARE(inkBounds(both), first | second);
    QVERIFY(!first.intersects(second));
}

void MFontDrawTest::escapementZero_drawsHorizontallyRightOfAndBelowThePoint() {
    surface_->Cls();
    QVERIFY(draw(u"ＭＳ 明朝", -kSize, 20, kY, u"一", 0, 0) != 0);
    const QRect ink = inkBounds(image_);
    QVERIFY(QRect(20, kY, kSize, kSize).contains(ink));
    QVERIFY(ink.width() > ink.height());
}

// ---- Vertical forms

void MFontDrawTest::kanji_standsUprightUnderAt_liesOnItsSideWithout() {
    const QRect upright = inkAlone(u"@ＭＳ 明朝", -kSize, u"一");
    QVERIFY(upright.width() > 3 * upright.height());
    const QRect sideways = inkAlone(u"ＭＳ 明朝", -kSize, u"一");
    QVERIFY(sideways.height() > 3 * sideways.width());
}

void MFontDrawTest::prolongedSoundMark_takesItsVerticalForm() {
    // Upright but unsubstituted, the mark would be a horizontal stroke.
    const QRect mark = inkAlone(u"@ＭＳ 明朝", -kSize, u"ー");
    QVERIFY(mark.height() > 3 * mark.width());
    QVERIFY(mark.height() > kSize / 2);
}

void MFontDrawTest::brackets_areTurned() {
    for (const char16_t* bracket : {u"（", u"）", u"「", u"」", u"〔"}) {
        const QRect ink = inkAlone(u"@ＭＳ 明朝", -kSize, bracket);
        QVERIFY2(ink.width() > ink.height(), QString::fromUtf16(bracket).toUtf8().constData());
    }
    // An opening bracket opens downwards towards the text it encloses: it sits low.
    QVERIFY(centreOf(inkAlone(u"@ＭＳ 明朝", -kSize, u"「")).y() > kY + kSize / 2.0);
    QVERIFY(centreOf(inkAlone(u"@ＭＳ 明朝", -kSize, u"」")).y() < kY + kSize / 2.0);
}

void MFontDrawTest::commaAndFullStop_landInTheUpperRightQuarter() {
    const QRect upperRight(kX - kSize / 2, kY, kSize / 2, kSize / 2);
    for (const char16_t* mark : {u"、", u"。"}) {
        const QRect ink = inkAlone(u"@ＭＳ 明朝", -kSize, mark);
        QVERIFY2(!ink.isEmpty() && upperRight.contains(ink),
                 QString::fromUtf16(mark).toUtf8().constData());
    }
}

void MFontDrawTest::smallKana_areSmallerAndShiftedRight() {
    const QRect small = inkAlone(u"@ＭＳ 明朝", -kSize, u"ゃ");
    const QRect full = inkAlone(u"@ＭＳ 明朝", -kSize, u"や");
    QVERIFY(small.width() * small.height() < 0.8 * full.width() * full.height());
    QVERIFY(centreOf(small).x() > kX - kSize / 2.0 + kSize / 20.0);
}

void MFontDrawTest::singleByteCharacterInVerticalFace_liesOnItsSide() {
    // "l" is tall and narrow; on its side it is wide and low, as in a vertical GDI font.
    const QRect letter = inkAlone(u"@ＭＳ 明朝", -kSize, u"l");
    QVERIFY(letter.width() > 3 * letter.height());
    // The full-width letter stands upright.
    const QRect fullWidth = inkAlone(u"@ＭＳ 明朝", -kSize, u"ｌ");
    QVERIFY(fullWidth.height() > 2 * fullWidth.width());
}

// ---- Faces

void MFontDrawTest::emptyAndUnknownFaces_drawLikeTheVerticalMincho_data() {
    QTest::addColumn<QString>("face");
    QTest::newRow("empty") << QString();
    QTest::newRow("unknown") << QStringLiteral("No Such Face");
    QTest::newRow("unknown, vertical") << QStringLiteral("@No Such Face");
    QTest::newRow("Mojikyo") << QStringLiteral("@Mojikyo M101");
}

void MFontDrawTest::emptyAndUnknownFaces_drawLikeTheVerticalMincho() {
    QFETCH(QString, face);
    if (QFontDatabase::hasFamily(face.mid(1)) && face.startsWith(QLatin1Char('@')))
        QSKIP("the face is installed here");
    const String text = u"吾ー、";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const QImage expected = drawAlone(u"@ＭＳ 明朝", -27, text.substr(i, 1));
        QCOMPARE(drawAlone(face.toStdU16String(), -27, text.substr(i, 1)), expected);
    }
}

void MFontDrawTest::systemFaceAliasesAndInstalledNames_drawAlike() {
    const QImage mincho = drawAlone(u"@ＭＳ 明朝", -27, u"猫");
    QCOMPARE(drawAlone(u"@MS Mincho", -27, u"猫"), mincho);
    QCOMPARE(drawAlone(u"@IPAMincho", -27, u"猫"), mincho);
    const QImage gothic = drawAlone(u"@ＭＳ ゴシック", -27, u"猫");
    QCOMPARE(drawAlone(u"@IPAGothic", -27, u"猫"), gothic);
}

void MFontDrawTest::gothic_drawsOtherPixelsThanMincho() {
    QVERIFY(drawAlone(u"@ＭＳ ゴシック", -27, u"猫") != drawAlone(u"@ＭＳ 明朝", -27, u"猫"));
}

// ---- Sizes

void MFontDrawTest::negativeHeight_isTheEmSize() {
    const QRect small = inkAlone(u"@ＭＳ 明朝", -20, u"吾");
    const QRect large = inkAlone(u"@ＭＳ 明朝", -40, u"吾");
    QVERIFY(qAbs(large.width() - 2 * small.width()) <= 2);
    QVERIFY(qAbs(large.height() - 2 * small.height()) <= 2);
}

void MFontDrawTest::positiveHeight_isTheCellHeight() {
    // The Mincho's cell (Windows ascent plus descent) is larger than its em: 2257 / 2048.
    const QRect cell = inkAlone(u"@ＭＳ 明朝", 45, u"吾");
    const QRect em = inkAlone(u"@ＭＳ 明朝", -41, u"吾");
    QVERIFY(qAbs(cell.width() - em.width()) <= 1);
    QVERIFY(qAbs(cell.height() - em.height()) <= 1);
    QVERIFY(cell.width() < inkAlone(u"@ＭＳ 明朝", -45, u"吾").width());
}

void MFontDrawTest::zeroAndAbsurdHeights_drawWithoutFailing() {
    QVERIFY(!inkAlone(u"@ＭＳ 明朝", 0, u"吾").isEmpty());
    for (const LONG height : {LONG{INT_MIN}, LONG{INT_MAX}, LONG{-100000}}) {
        surface_->Cls();
        QVERIFY(draw(u"@ＭＳ 明朝", height, 100, 0, u"一") != 0);
    }
}

// ---- Colour

void MFontDrawTest::textColour_isTheColourDrawn() {
    const COLORREF color = RGB(200, 30, 60);
    surface_->Cls();
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, u"猫", color) != 0);
    bool fullyCovered = false;
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            const QRgb pixel = image_.pixel(x, y);
            if (pixel == qRgb(200, 30, 60)) fullyCovered = true;
            // Every pixel lies between white and the colour.
            QVERIFY(qRed(pixel) >= 200 && qGreen(pixel) >= 30 && qBlue(pixel) >= 60);
        }
    }
    QVERIFY(fullyCovered);
}

void MFontDrawTest::textColour_appliesPerCall() {
    surface_->Cls();
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, u"猫", RGB(0, 0, 255)) != 0);
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY + kSize, u"猫", RGB(0, 0, 0)) != 0);
    bool blue = false;
    bool black = false;
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            const QRgb pixel = image_.pixel(x, y);
            if (y < kY + kSize) QVERIFY(qBlue(pixel) == 255);
            blue = blue || pixel == qRgb(0, 0, 255);
            black = black || pixel == qRgb(0, 0, 0);
        }
    }
    QVERIFY(blue);
    QVERIFY(black);
}

// ---- Text bytes

void MFontDrawTest::singleByteWithTerminator_draws() {
    const QRect ink = inkAlone(u"@ＭＳ 明朝", -kSize, u"A");  // sent as "A\0", length 2
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(kX - kSize, kY, kSize, kSize).contains(ink));
    const QImage padded = image_;
    surface_->Cls();
    const HFONT font =
        surface_->CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -kSize));
    const HGDIOBJ previous = surface_->SelectObject(surface_->hDC(), font);
    QVERIFY(surface_->TextOutA(surface_->hDC(), kX, kY, "A", 1) != 0);
    surface_->SelectObject(surface_->hDC(), previous);
    surface_->DeleteObject(font);
    QCOMPARE(image_, padded);
}

void MFontDrawTest::zeroByte_endsTheText() {
    const QImage alone = drawAlone(u"@ＭＳ 明朝", -kSize, u"一");
    surface_->Cls();
    const HFONT font =
        surface_->CreateFontIndirectA(testing::classicLogFont(u"@ＭＳ 明朝", -kSize));
    const HGDIOBJ previous = surface_->SelectObject(surface_->hDC(), font);
    QVERIFY(surface_->TextOutA(surface_->hDC(), kX, kY, "\x88\xea\0\x88\xea", 5) != 0);
    surface_->SelectObject(surface_->hDC(), previous);
    surface_->DeleteObject(font);
    QCOMPARE(image_, alone);
}

void MFontDrawTest::characterTheFontLacks_drawsNothing() {
    surface_->Cls();
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, String(1, u'\uE000')) != 0);  // user-defined area
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

void MFontDrawTest::cls_clearsTheImageToWhite() {
    QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY, u"猫") != 0);
    QVERIFY(!inkBounds(image_).isEmpty());
    surface_->Cls();
    QVERIFY(inkBounds(image_).isEmpty());
    QCOMPARE(image_.format(), QImage::Format_RGB32);
}

void MFontDrawTest::imageOfAnotherFormat_isDrawnAsRgb32() {
    QImage image(100, 100, QImage::Format_RGB888);
    image.fill(Qt::white);
    MFontDraw surface(image);
    QVERIFY(testing::drawCharacter(surface, testing::classicLogFont(u"@ＭＳ 明朝", -27), 0, 80, 10,
                                   u"猫") != 0);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY(!inkBounds(image).isEmpty());
}

// ---- Caches

void MFontDrawTest::cachedAndUncached_drawIdenticalImages() {
    drawSampleColumns(*surface_);
    const QImage cached = image_;

    QImage uncachedImage(image_.size(), QImage::Format_RGB32);
    MFontDraw uncached(uncachedImage);
    uncached.setCachingEnabled(false);
    uncached.Cls();
    drawSampleColumns(uncached);
    QVERIFY(!inkBounds(cached).isEmpty());
    QCOMPARE(uncachedImage, cached);
    QVERIFY(std::memcmp(uncachedImage.constBits(), cached.constBits(),
                        static_cast<std::size_t>(cached.sizeInBytes())) == 0);
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
    QCOMPARE(faceName(font), String(u"@ＭＳ 明朝"));
    QVERIFY(testing::drawCharacter(*surface_, font, 0, kX, kY + kSize, u"猫") != 0);
    QCOMPARE(surface_->counters().fontsCreated, created);
}

void MFontDrawTest::uncached_createsAFontPerCall() {
    surface_->setCachingEnabled(false);
    const FontDrawCounters before = surface_->counters();
    for (int i = 0; i < 3; ++i)
        QVERIFY(draw(u"@ＭＳ 明朝", -kSize, kX, kY + i * kSize, u"猫") != 0);
    QCOMPARE(surface_->counters().fontsCreated - before.fontsCreated, 3L);
    QCOMPARE(surface_->counters().shapings - before.shapings, 3L);
    QCOMPARE(surface_->counters().glyphsRendered - before.glyphsRendered, 3L);
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

QTEST_MAIN(tavelo::MFontDrawTest)
#include "MFontDrawTest.moc"
