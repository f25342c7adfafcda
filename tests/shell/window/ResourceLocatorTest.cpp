#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "support/GuiTesting.h"
#include "shell/window/ResourceLocator.h"

using namespace tavelo;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(path));
}

}  // namespace

class ResourceLocatorTest : public QObject {
    Q_OBJECT

private slots:
    // --- where it looks ---
    void searchesTheProgramFolderThenTheInstalledDataFolder() {
        QTemporaryDir prefix;
        const ResourceLocator locator(prefix.filePath(QStringLiteral("bin")));
        QCOMPARE(locator.searchFolders(),
                 (QStringList{prefix.filePath(QStringLiteral("bin")),
                              prefix.filePath(QStringLiteral("share/tavelo"))}));
    }

    void fileNextToTheProgram_isFound() {
        QTemporaryDir build;
        touch(build.filePath(QStringLiteral("help/index.html")));
        const ResourceLocator locator(build.path());
        QCOMPARE(locator.find(QStringLiteral("help/index.html")),
                 std::optional<QString>(build.filePath(QStringLiteral("help/index.html"))));
    }

    void fileInTheInstalledDataFolder_isFound() {
        QTemporaryDir prefix;
        QDir().mkpath(prefix.filePath(QStringLiteral("bin")));
        touch(prefix.filePath(QStringLiteral("share/tavelo/arrow_normal_left_p.ico")));
        const ResourceLocator locator(prefix.filePath(QStringLiteral("bin")));
        QCOMPARE(locator.find(QStringLiteral("arrow_normal_left_p.ico")),
                 std::optional<QString>(
                     prefix.filePath(QStringLiteral("share/tavelo/arrow_normal_left_p.ico"))));
    }

    void fileInBothPlaces_isTakenFromTheProgramFolder() {
        QTemporaryDir prefix;
        touch(prefix.filePath(QStringLiteral("bin/help/index.html")));
        touch(prefix.filePath(QStringLiteral("share/tavelo/help/index.html")));
        const ResourceLocator locator(prefix.filePath(QStringLiteral("bin")));
        QCOMPARE(locator.find(QStringLiteral("help/index.html")),
                 std::optional<QString>(prefix.filePath(QStringLiteral("bin/help/index.html"))));
    }

    void folderItself_isFound() {
        QTemporaryDir build;
        QDir().mkpath(build.filePath(QStringLiteral("help")));
        const ResourceLocator locator(build.path());
        QCOMPARE(locator.find(QStringLiteral("help")),
                 std::optional<QString>(build.filePath(QStringLiteral("help"))));
    }

    void missingFileOrEmptyName_isNotFound() {
        QTemporaryDir empty;
        const ResourceLocator locator(empty.path());
        QCOMPARE(locator.find(QStringLiteral("help/index.html")), std::nullopt);
        QCOMPARE(locator.find(QString()), std::nullopt);
    }

    // --- the build tree ---
    void buildTree_holdsTheHelpAndThePointersNextToTheProgram() {
        const ResourceLocator locator(QStringLiteral(TAVELO_PROGRAM_DIR));
        const QString programDir = QDir::cleanPath(QStringLiteral(TAVELO_PROGRAM_DIR));
        for (const char* name :
             {"help/index.html", "arrow_normal_left_p.ico", "arrow_normal_left_b.ico",
              "arrow_normal_right_b.ico", "arrow_normal_right_p.ico"}) {
            const auto found = locator.find(QString::fromLatin1(name));
            QVERIFY2(found.has_value(), name);
            QVERIFY2(found->startsWith(programDir + QLatin1Char('/')), qPrintable(*found));
        }
    }
};

TAVELO_GUI_TEST_MAIN(ResourceLocatorTest)
#include "ResourceLocatorTest.moc"
