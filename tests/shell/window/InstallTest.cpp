#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "support/GuiTesting.h"
#include "shell/window/ApplicationIcon.h"
#include "shell/window/HelpWindow.h"
#include "shell/window/PointerImages.h"
#include "shell/window/ResourceLocator.h"

using namespace tavelo;

// Installs the build into a fresh prefix, as a user would with `cmake --install`, and checks
// that the installed program finds everything it reads at run time.
class InstallTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir prefix_;

    [[nodiscard]] QString installed(const QString& relative) const {
        return QDir(prefix_.path()).filePath(relative);
    }

private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(TAVELO_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(TAVELO_BUILD_DIR),
                       QStringLiteral("--prefix"), prefix_.path()});
        QVERIFY(install.waitForFinished(240000));
        const QByteArray log = install.readAll();
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 log.constData());
    }

    // --- what is installed ---
    void program_isInstalledExecutable() {
        const QFileInfo program(installed(QStringLiteral("bin/tavelo")));
        QVERIFY(program.isFile());
        QVERIFY(program.isExecutable());
    }

    void everyHelpFile_isInstalled() {
        const QDir sources(QStringLiteral(TAVELO_SOURCE_DIR "/help"));
        const QStringList files = sources.entryList(QDir::Files);
        QVERIFY(files.contains(QStringLiteral("index.html")));
        for (const QString& file : files) {
            const QString target = installed(QStringLiteral("share/tavelo/help/") + file);
            QVERIFY2(QFileInfo(target).isFile(), qPrintable(target));
            QCOMPARE(QFileInfo(target).size(), QFileInfo(sources.filePath(file)).size());
        }
    }

    void desktopIntegration_isInstalled() {
        for (const int size : ApplicationIcon::kSizes) {
            const QString icon =
                installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/tavelo.png").arg(size));
            QVERIFY2(QImage(icon).size() == QSize(size, size), qPrintable(icon));
        }
        QVERIFY(QFileInfo(installed(QStringLiteral("share/applications/tavelo.desktop"))).isFile());
        QVERIFY(QFileInfo(installed(QStringLiteral("share/mime/packages/tavelo.xml"))).isFile());
        QVERIFY(QFileInfo(installed(QStringLiteral("share/metainfo/org.example.tavelo.metainfo.xml")))
                    .isFile());
    }

    // gzip's header: magic 1f 8b, method 8, flags, then a four-byte time that -n leaves 0
    // (RFC 1952), so the page is the same bytes on every build.
    void manualPage_isInstalledCompressedWithoutATime() {
        QFile page(installed(QStringLiteral("share/man/man1/tavelo.1.gz")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray header = page.read(8);
        QCOMPARE(header.left(3), QByteArray("\x1f\x8b\x08", 3));
        QCOMPARE(header.mid(4, 4), QByteArray(4, '\0'));
    }

    // The copyright notice goes with every installation; the Debian changelog only into the
    // package.
    void copyright_isInstalledAndTheDebianChangelogIsNot() {
        QVERIFY(QFileInfo(installed(QStringLiteral("share/doc/tavelo/copyright"))).isFile());
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("share/doc/tavelo/changelog.Debian.gz"))));
    }

    // --- what the installed program finds ---
    void installedProgram_findsTheHelpAndThePointers() {
        const ResourceLocator locator(installed(QStringLiteral("bin")));
        const auto help = locator.find(QString::fromLatin1(HelpWindow::kStartPage));
        QCOMPARE(help,
                 std::optional<QString>(installed(QStringLiteral("share/tavelo/help/index.html"))));
        for (const PointerImages::Zone zone : PointerImages::kZones) {
            const auto pointer = locator.find(PointerImages::fileName(zone));
            QCOMPARE(pointer, std::optional<QString>(installed(QStringLiteral("share/tavelo/") +
                                                               PointerImages::fileName(zone))));
        }
        const PointerImages pointers(locator);
        for (const PointerImages::Zone zone : PointerImages::kZones) {
            QVERIFY(pointers.isFromFile(zone));
        }
    }

    void installedHelp_opensAtItsContentsPage() {
        const ResourceLocator locator(installed(QStringLiteral("bin")));
        const auto help = locator.find(QString::fromLatin1(HelpWindow::kStartPage));
        QVERIFY(help.has_value());
        HelpWindow window(*help);
        QVERIFY(!window.browser().documentTitle().isEmpty());
        QVERIFY(window.browser().toPlainText().contains(QStringLiteral("Tavelo")));
    }
};

TAVELO_GUI_TEST_MAIN(InstallTest)
#include "InstallTest.moc"
