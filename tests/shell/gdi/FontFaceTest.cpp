#include <QFontDatabase>
#include <QTest>

#include "shell/gdi/FaceNameResolver.h"
#include "shell/gdi/FontDrawCounters.h"
#include "shell/gdi/FontFace.h"
#include "support/GuiTesting.h"

namespace tavelo {
namespace {

QString describe(const FontFace::ShapedCharacter& shaped) {
    QString text = QStringLiteral("advance %1:").arg(shaped.advance);
    for (const FontFace::ShapedGlyph& glyph : shaped.glyphs)
        text += QStringLiteral(" #%1 (%2, %3)").arg(glyph.id).arg(glyph.xOffset).arg(glyph.yOffset);
    return text;
}

}  // namespace

class FontFaceTest : public QObject {
    Q_OBJECT

private slots:
    // Caches
    void characterShapedUprightAndOnItsSide_isRememberedEachWay_data();
    void characterShapedUprightAndOnItsSide_isRememberedEachWay();
};

void FontFaceTest::characterShapedUprightAndOnItsSide_isRememberedEachWay_data() {
    QTest::addColumn<bool>("uprightFirst");
    QTest::newRow("upright first") << true;
    QTest::newRow("on its side first") << false;
}

// One face shapes a character upright in a column and on its side (a full-width digit set
// upright and the same digit in a run laid on its side): the remembered shape of the one never
// stands for the other, whichever comes first.
void FontFaceTest::characterShapedUprightAndOnItsSide_isRememberedEachWay() {
    QFETCH(bool, uprightFirst);
    const QString family =
        FaceNameResolver(QFontDatabase::families()).resolve(u"@ＭＳ 明朝").family;
    FontDrawCounters counters;
    FontFace face(family, counters);
    // A full-width digit, the prolonged sound mark and a bracket (vertical forms of their own)
    // and a kana.
    for (const char16_t c : {u'１', u'ー', u'「', u'あ'}) {
        const QString upright = describe(face.shape(c, true, false));
        const QString sideways = describe(face.shape(c, false, false));
        QVERIFY2(upright != sideways, qPrintable(upright));
        // Twice each way: the first shapes and remembers, the second is remembered.
        for (int pass = 1; pass <= 2; ++pass) {
            for (const bool isUpright : {uprightFirst, !uprightFirst}) {
                const QString what =
                    QStringLiteral("U+%1 %2, pass %3")
                        .arg(static_cast<int>(c), 4, 16, QLatin1Char('0'))
                        .arg(isUpright ? QStringLiteral("upright") : QStringLiteral("on its side"))
                        .arg(pass);
                const QString shaped = describe(face.shape(c, isUpright, true));
                const QString& expected = isUpright ? upright : sideways;
                QVERIFY2(shaped == expected, qPrintable(what + QStringLiteral(": ") + shaped +
                                                        QStringLiteral(" instead of ") + expected));
            }
        }
    }
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::FontFaceTest)
#include "FontFaceTest.moc"
