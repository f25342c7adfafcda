#include <QTest>

#include "shell/FaceNameResolver.h"

namespace tavelo {

class FaceNameResolverTest : public QObject {
    Q_OBJECT

  private slots:
    // The Japanese system faces
    void systemFaces_resolveToTheInstalledIpaFonts_data();
    void systemFaces_resolveToTheInstalledIpaFonts();
    void systemFaces_withoutIpa_fallBackToNotoCjk();
    void proportionalFaces_withoutProportionalIpa_takeTheFixedOnes();
    void systemFaceInstalledItself_isUsed();

    // Installed families
    void installedFamily_resolvesToItself_caseInsensitively();
    void installedFamily_matchesWithoutTheFoundrySuffix();
    void mojikyoFace_installed_isUsedVertically();

    // Substitutes
    void emptyOrUnknownFace_isTheVerticalMincho_data();
    void emptyOrUnknownFace_isTheVerticalMincho();
    void noMinchoAtAll_leavesTheDefaultFamily();
};

namespace {

const QStringList kDebianFamilies{
    QStringLiteral("DejaVu Sans"),       QStringLiteral("IPAGothic"),
    QStringLiteral("IPAMincho"),         QStringLiteral("IPAPGothic"),
    QStringLiteral("IPAPMincho"),        QStringLiteral("Nimbus Sans [urw]"),
    QStringLiteral("Nimbus Sans [UKWN]")};

}  // namespace

// ---- The Japanese system faces

void FaceNameResolverTest::systemFaces_resolveToTheInstalledIpaFonts_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("@MS Mincho, full width")
        << QStringLiteral("@ＭＳ 明朝") << QStringLiteral("IPAMincho") << true;
    QTest::newRow("MS Mincho, full width")
        << QStringLiteral("ＭＳ 明朝") << QStringLiteral("IPAMincho") << false;
    QTest::newRow("@MS Gothic, full width")
        << QStringLiteral("@ＭＳ ゴシック") << QStringLiteral("IPAGothic") << true;
    QTest::newRow("MS Mincho") << QStringLiteral("MS Mincho") << QStringLiteral("IPAMincho")
                               << false;
    QTest::newRow("@ms gothic") << QStringLiteral("@ms gothic") << QStringLiteral("IPAGothic")
                                << true;
    QTest::newRow("@MS PMincho, full width")
        << QStringLiteral("@ＭＳ Ｐ明朝") << QStringLiteral("IPAPMincho") << true;
    QTest::newRow("MS PGothic, full width")
        << QStringLiteral("ＭＳ Ｐゴシック") << QStringLiteral("IPAPGothic") << false;
}

void FaceNameResolverTest::systemFaces_resolveToTheInstalledIpaFonts() {
    QFETCH(QString, face);
    QFETCH(QString, family);
    QFETCH(bool, vertical);
    const auto resolution = FaceNameResolver(kDebianFamilies).resolve(face.toStdU16String());
    QCOMPARE(resolution.family, family);
    QCOMPARE(resolution.vertical, vertical);
    QVERIFY(!resolution.substituted);
}

void FaceNameResolverTest::systemFaces_withoutIpa_fallBackToNotoCjk() {
    const FaceNameResolver resolver(
        {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Serif CJK JP")});
    QCOMPARE(resolver.resolve(u"@ＭＳ 明朝").family, QStringLiteral("Noto Serif CJK JP"));
    QCOMPARE(resolver.resolve(u"@ＭＳ ゴシック").family, QStringLiteral("Noto Sans CJK JP"));
    QCOMPARE(resolver.resolve(u"ＭＳ Ｐ明朝").family, QStringLiteral("Noto Serif CJK JP"));
}

void FaceNameResolverTest::proportionalFaces_withoutProportionalIpa_takeTheFixedOnes() {
    const FaceNameResolver resolver({QStringLiteral("IPAMincho"), QStringLiteral("IPAGothic")});
    QCOMPARE(resolver.resolve(u"@ＭＳ Ｐ明朝").family, QStringLiteral("IPAMincho"));
    QCOMPARE(resolver.resolve(u"MS PGothic").family, QStringLiteral("IPAGothic"));
}

void FaceNameResolverTest::systemFaceInstalledItself_isUsed() {
    const FaceNameResolver resolver({QStringLiteral("IPAMincho"), QStringLiteral("ＭＳ 明朝")});
    const auto resolution = resolver.resolve(u"@ＭＳ 明朝");
    QCOMPARE(resolution.family, QStringLiteral("ＭＳ 明朝"));
    QVERIFY(resolution.vertical);
}

// ---- Installed families

void FaceNameResolverTest::installedFamily_resolvesToItself_caseInsensitively() {
    const FaceNameResolver resolver(kDebianFamilies);
    const auto vertical = resolver.resolve(u"@dejavu sans");
    QCOMPARE(vertical.family, QStringLiteral("DejaVu Sans"));
    QVERIFY(vertical.vertical);
    const auto sideways = resolver.resolve(u"IPAGothic");
    QCOMPARE(sideways.family, QStringLiteral("IPAGothic"));
    QVERIFY(!sideways.vertical);
    QVERIFY(!sideways.substituted);
}

void FaceNameResolverTest::installedFamily_matchesWithoutTheFoundrySuffix() {
    const FaceNameResolver resolver(kDebianFamilies);
    QCOMPARE(resolver.resolve(u"Nimbus Sans").family, QStringLiteral("Nimbus Sans [urw]"));
    QCOMPARE(resolver.resolve(u"Nimbus Sans [UKWN]").family, QStringLiteral("Nimbus Sans [UKWN]"));
}

void FaceNameResolverTest::mojikyoFace_installed_isUsedVertically() {
    QStringList families = kDebianFamilies;
    families << QStringLiteral("Mojikyo M101");
    const auto resolution = FaceNameResolver(families).resolve(u"@Mojikyo M101");
    QCOMPARE(resolution.family, QStringLiteral("Mojikyo M101"));
    QVERIFY(resolution.vertical);
    QVERIFY(!resolution.substituted);
}

// ---- Substitutes

void FaceNameResolverTest::emptyOrUnknownFace_isTheVerticalMincho_data() {
    QTest::addColumn<QString>("face");
    QTest::newRow("empty") << QString();
    QTest::newRow("only the at sign") << QStringLiteral("@");
    QTest::newRow("unknown") << QStringLiteral("No Such Face");
    QTest::newRow("unknown, vertical") << QStringLiteral("@No Such Face");
    QTest::newRow("Mojikyo not installed") << QStringLiteral("@Mojikyo M101");
    QTest::newRow("Mojikyo without at sign") << QStringLiteral("Mojikyo M181");
}

void FaceNameResolverTest::emptyOrUnknownFace_isTheVerticalMincho() {
    QFETCH(QString, face);
    const auto resolution = FaceNameResolver(kDebianFamilies).resolve(face.toStdU16String());
    QCOMPARE(resolution.family, QStringLiteral("IPAMincho"));
    QVERIFY(resolution.vertical);  // a missing face never turns the text on its side
    QVERIFY(resolution.substituted);
}

void FaceNameResolverTest::noMinchoAtAll_leavesTheDefaultFamily() {
    const FaceNameResolver resolver({QStringLiteral("DejaVu Sans")});
    const auto resolution = resolver.resolve(u"@ＭＳ 明朝");
    QCOMPARE(resolution.family, QString());
    QVERIFY(resolution.vertical);
    QVERIFY(resolution.substituted);
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::FaceNameResolverTest)
#include "FaceNameResolverTest.moc"
