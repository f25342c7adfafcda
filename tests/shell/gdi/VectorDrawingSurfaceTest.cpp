#include <QImage>
#include <QPainter>
#include <QTest>

#include "support/GuiTesting.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/gdi/VectorDrawingSurface.h"
#include "support/ClassicTextOut.h"

namespace tavelo {

// The vector surface draws what the view's surface draws, in the same place.
class VectorDrawingSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void glyphs_standWhereTheViewDrawsThem_data();
    void glyphs_standWhereTheViewDrawsThem();
    void textColour_isThePensColour();
    void textOutsideTheView_drawsNoGlyph();
    void cls_whitensOnlyTheView();
};

namespace {

// The box of the pixels darker than the background, or an empty box.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

void VectorDrawingSurfaceTest::glyphs_standWhereTheViewDrawsThem_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("text");
    QTest::newRow("kanji, body size")
        << QStringLiteral("@ＭＳ 明朝") << -21 << QStringLiteral("吾");
    QTest::newRow("vertical comma") << QStringLiteral("@ＭＳ 明朝") << -21 << QStringLiteral("、");
    QTest::newRow("long vowel mark") << QStringLiteral("@ＭＳ 明朝") << -40 << QStringLiteral("ー");
    QTest::newRow("ruby kana") << QStringLiteral("@ＭＳ 明朝") << -8 << QStringLiteral("ね");
    QTest::newRow("gothic") << QStringLiteral("@ＭＳ ゴシック") << -30 << QStringLiteral("猫");
    QTest::newRow("single byte on its side")
        << QStringLiteral("@ＭＳ 明朝") << -30 << QStringLiteral("A");
}

void VectorDrawingSurfaceTest::glyphs_standWhereTheViewDrawsThem() {
    QFETCH(QString, face);
    QFETCH(int, height);
    QFETCH(QString, text);
    const LOGFONTA font = testing::classicLogFont(face.toStdU16String(), height);

    QImage viewImage(120, 120, QImage::Format_RGB32);
    MFontDraw view(viewImage);
    view.Cls();
    QVERIFY(testing::drawCharacter(view, font, RGB(0, 0, 0), 70, 20, text.toStdU16String()));

    QImage vectorImage(120, 120, QImage::Format_RGB32);
    {
        QPainter painter(&vectorImage);
        painter.setRenderHint(QPainter::Antialiasing);
        VectorDrawingSurface vector(painter, vectorImage.size());
        vector.Cls();
        QVERIFY(testing::drawCharacter(vector, font, RGB(0, 0, 0), 70, 20, text.toStdU16String()));
        QCOMPARE(vector.glyphsDrawn(), 1);
    }

    const QRect expected = inkBox(viewImage);
    const QRect drawn = inkBox(vectorImage);
    QVERIFY(!expected.isEmpty());
    // Antialiasing differs between the two rasterisers by a pixel at most.
    QVERIFY2(std::abs(drawn.left() - expected.left()) <= 1 &&
                 std::abs(drawn.top() - expected.top()) <= 1 &&
                 std::abs(drawn.right() - expected.right()) <= 1 &&
                 std::abs(drawn.bottom() - expected.bottom()) <= 1,
             qPrintable(QStringLiteral("view %1,%2 %3x%4, vector %5,%6 %7x%8")
                            .arg(expected.x())
                            .arg(expected.y())
                            .arg(expected.width())
                            .arg(expected.height())
                            .arg(drawn.x())
                            .arg(drawn.y())
                            .arg(drawn.width())
                            .arg(drawn.height())));
}

void VectorDrawingSurfaceTest::textColour_isThePensColour() {
    QImage image(60, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    VectorDrawingSurface surface(painter, image.size());
    surface.Cls();
    const LOGFONTA font = testing::classicLogFont(u"@ＭＳ ゴシック", -40);
    QVERIFY(testing::drawCharacter(surface, font, RGB(0, 0, 255), 50, 5, u"■"));
    painter.end();
    QCOMPARE(QColor(image.pixel(30, 25)), QColor(0, 0, 255));
}

void VectorDrawingSurfaceTest::textOutsideTheView_drawsNoGlyph() {
    QImage image(60, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    VectorDrawingSurface surface(painter, image.size());
    const LOGFONTA font = testing::classicLogFont(u"@ＭＳ 明朝", -20);
    QVERIFY(testing::drawCharacter(surface, font, 0, -100, 10, u"吾") != 0);
    QVERIFY(testing::drawCharacter(surface, font, 0, 30, 500, u"吾") != 0);
    QCOMPARE(surface.glyphsDrawn(), 0);
    QVERIFY(testing::drawCharacter(surface, font, 0, 30, 10, u"吾") != 0);
    QCOMPARE(surface.glyphsDrawn(), 1);
}

void VectorDrawingSurfaceTest::cls_whitensOnlyTheView() {
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        VectorDrawingSurface surface(painter, QSize(40, 30));
        surface.Cls();
    }
    QCOMPARE(QColor(image.pixel(39, 29)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(40, 10)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(10, 30)), QColor(Qt::black));
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::VectorDrawingSurfaceTest)
#include "VectorDrawingSurfaceTest.moc"
