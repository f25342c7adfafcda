#include <QTest>

#include "shell/gdi/FaceNameResolver.h"

namespace tavelo {

class FaceNameResolverTest : public QObject {
    Q_OBJECT

private slots:
    // The Japanese system faces
    void systemFaces_resolveToTheInstalledIpaFonts();
    void systemFaces_withoutIpa_fallBackToNotoCjk_unlessInstalledThemselves();

    // Installed families
    void installedFamily_resolvesToItself_caseInsensitivelyAndWithoutFoundry();

    // Substitutes
    void emptyOrUnknownFace_isTheVerticalMincho_data();
    void emptyOrUnknownFace_isTheVerticalMincho();
};

namespace {

const QStringList kDebianFamilies{
    QStringLiteral("DejaVu Sans"),       QStringLiteral("IPAGothic"),
    QStringLiteral("IPAMincho"),         QStringLiteral("IPAPGothic"),
    QStringLiteral("IPAPMincho"),        QStringLiteral("Nimbus Sans [urw]"),
    QStringLiteral("Nimbus Sans [UKWN]")};

void expect(const FaceNameResolver& resolver, const String& face, const QString& family,
            bool vertical) {
    const auto resolution = resolver.resolve(face);
    QCOMPARE(resolution.family, family);
    QCOMPARE(resolution.vertical, vertical);
    QVERIFY(!resolution.substituted);
}

}  // namespace

// ---- The Japanese system faces

void FaceNameResolverTest::systemFaces_resolveToTheInstalledIpaFonts() {
    const FaceNameResolver resolver(kDebianFamilies);
    expect(resolver, u"@ＭＳ 明朝", QStringLiteral("IPAMincho"), true);
    expect(resolver, u"ＭＳ 明朝", QStringLiteral("IPAMincho"), false);
    expect(resolver, u"@ＭＳ ゴシック", QStringLiteral("IPAGothic"), true);
    expect(resolver, u"MS Mincho", QStringLiteral("IPAMincho"), false);
    expect(resolver, u"@ms gothic", QStringLiteral("IPAGothic"), true);
    expect(resolver, u"@ＭＳ Ｐ明朝", QStringLiteral("IPAPMincho"), true);
    expect(resolver, u"ＭＳ Ｐゴシック", QStringLiteral("IPAPGothic"), false);
    // Without the proportional IPA fonts the fixed ones stand in.
    expect(FaceNameResolver({QStringLiteral("IPAMincho")}), u"@ＭＳ Ｐ明朝",
           QStringLiteral("IPAMincho"), true);
}

void FaceNameResolverTest::systemFaces_withoutIpa_fallBackToNotoCjk_unlessInstalledThemselves() {
    const FaceNameResolver resolver({QStringLiteral("Noto Sans CJK JP"),
                                     QStringLiteral("Noto Serif CJK JP"),
                                     QStringLiteral("ＭＳ 明朝")});
    expect(resolver, u"@ＭＳ ゴシック", QStringLiteral("Noto Sans CJK JP"), true);
    expect(resolver, u"@MS Mincho", QStringLiteral("Noto Serif CJK JP"), true);
    expect(resolver, u"@ＭＳ 明朝", QStringLiteral("ＭＳ 明朝"), true);
}

// ---- Installed families

void FaceNameResolverTest::installedFamily_resolvesToItself_caseInsensitivelyAndWithoutFoundry() {
    FaceNameResolver resolver(kDebianFamilies + QStringList{QStringLiteral("Mojikyo M101")});
    expect(resolver, u"@dejavu sans", QStringLiteral("DejaVu Sans"), true);
    expect(resolver, u"IPAGothic", QStringLiteral("IPAGothic"), false);
    expect(resolver, u"Nimbus Sans", QStringLiteral("Nimbus Sans [urw]"), false);
    expect(resolver, u"Nimbus Sans [UKWN]", QStringLiteral("Nimbus Sans [UKWN]"), false);
    expect(resolver, u"@Mojikyo M101", QStringLiteral("Mojikyo M101"), true);
}

// ---- Substitutes

void FaceNameResolverTest::emptyOrUnknownFace_isTheVerticalMincho_data() {
    QTest::addColumn<QString>("face");
    QTest::newRow("empty") << QString();
    QTest::newRow("only the at sign") << QStringLiteral("@");
    QTest::newRow("unknown") << QStringLiteral("No Such Face");
    QTest::newRow("unknown, vertical") << QStringLiteral("@No Such Face");
    QTest::newRow("Mojikyo not installed") << QStringLiteral("@Mojikyo M101");
}

void FaceNameResolverTest::emptyOrUnknownFace_isTheVerticalMincho() {
    QFETCH(QString, face);
    const auto resolution = FaceNameResolver(kDebianFamilies).resolve(face.toStdU16String());
    QCOMPARE(resolution.family, QStringLiteral("IPAMincho"));
    QVERIFY(resolution.vertical);  // a missing face never turns the text on its side
    QVERIFY(resolution.substituted);
    // With no Mincho at all the default family stands in, still vertical.
    const auto bare =
        FaceNameResolver({QStringLiteral("DejaVu Sans")}).resolve(face.toStdU16String());
    QCOMPARE(bare.family, QString());
    QVERIFY(bare.vertical);
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::FaceNameResolverTest)
#include "FaceNameResolverTest.moc"
