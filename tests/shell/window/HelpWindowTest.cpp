#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "support/GuiTesting.h"
#include "common/RecordingMessageSink.h"
#include "shell/window/HelpWindow.h"
#include "shell/window/ResourceLocator.h"

using namespace tavelo;

namespace {

const QString kHelpDir = QStringLiteral(TAVELO_PROGRAM_DIR "/help");

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

QStringList helpPages() {
    QStringList pages = QDir(kHelpDir).entryList({QStringLiteral("*.html")}, QDir::Files);
    for (QString& page : pages) page = QDir(kHelpDir).filePath(page);
    return pages;
}

QString fileOf(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private:
    static QAction& action(HelpWindow& window, const char* name) {
        auto* found = window.findChild<QAction*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("action %s is missing", name);
        return *found;
    }

private slots:
    // --- the pages ---
    // Links and images, relative to the help folder: the pointer images are shown from the
    // program's folder above it, where the view reads them too.
    void everyLinkAndImage_leadsToAnExistingFileAndAnchor() {
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        const QStringList pages = helpPages();
        QVERIFY(pages.size() >= 5);
        int checked = 0;
        for (const QString& page : pages) {
            const QString html = readUtf8(page);
            for (auto match = link.globalMatch(html); match.hasNext();) {
                const QString target = match.next().captured(1);
                QVERIFY2(!target.contains(QLatin1Char(':')), qPrintable(page + u' ' + target));
                const QString file = target.section(QLatin1Char('#'), 0, 0);
                const QString anchor = target.section(QLatin1Char('#'), 1);
                const QString targetPath = file.isEmpty() ? page : QDir(kHelpDir).filePath(file);
                QVERIFY2(QFileInfo::exists(targetPath), qPrintable(page + u' ' + target));
                if (!anchor.isEmpty()) {
                    QVERIFY2(readUtf8(targetPath).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                             qPrintable(page + u' ' + target));
                }
                ++checked;
            }
        }
        QVERIFY(checked >= 30);
    }

    void everyPage_isUtf8WithATitleAndIsReachableFromTheContents() {
        const QString contents = readUtf8(QDir(kHelpDir).filePath(QStringLiteral("index.html")));
        for (const QString& page : helpPages()) {
            const QString html = readUtf8(page);
            QVERIFY2(html.contains(QStringLiteral("charset=\"utf-8\""), Qt::CaseInsensitive),
                     qPrintable(page));
            QVERIFY2(!html.contains(QChar::ReplacementCharacter), qPrintable(page));
            QVERIFY2(
                QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch(),
                qPrintable(page));
            const QString name = QFileInfo(page).fileName();
            if (name != QStringLiteral("index.html")) {
                QVERIFY2(contents.contains(QStringLiteral("href=\"%1\"").arg(name)),
                         qPrintable(name));
            }
        }
    }

    // --- the window ---
    void window_opensAtTheContentsPage() {
        HelpWindow window(QDir(kHelpDir).filePath(QStringLiteral("index.html")));
        QCOMPARE(fileOf(window.browser().source()), QStringLiteral("index.html"));
        QVERIFY(!window.browser().documentTitle().isEmpty());
        QVERIFY(window.browser().toPlainText().contains(QStringLiteral("Tavelo")));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Tavelo ヘルプ - ") + window.browser().documentTitle());
        QVERIFY(!action(window, "actionBack").isEnabled());
        QVERIFY(!action(window, "actionForward").isEnabled());
    }

    void followingALink_thenBackForwardAndContents() {
        HelpWindow window(QDir(kHelpDir).filePath(QStringLiteral("index.html")));
        QTextBrowser& browser = window.browser();
        emit browser.anchorClicked(QUrl(QStringLiteral("format.html")));
        QCOMPARE(fileOf(browser.source()), QStringLiteral("format.html"));
        QVERIFY(browser.toPlainText().contains(QStringLiteral("32,767")));
        QVERIFY(action(window, "actionBack").isEnabled());
        QVERIFY(window.windowTitle().endsWith(browser.documentTitle()));

        action(window, "actionBack").trigger();
        QCOMPARE(fileOf(browser.source()), QStringLiteral("index.html"));
        QVERIFY(action(window, "actionForward").isEnabled());
        action(window, "actionForward").trigger();
        QCOMPARE(fileOf(browser.source()), QStringLiteral("format.html"));
        action(window, "actionContents").trigger();
        QCOMPARE(fileOf(browser.source()), QStringLiteral("index.html"));
    }

    void linkToAnAnchorOnAnotherPage_opensThatPageAtTheAnchor() {
        HelpWindow window(QDir(kHelpDir).filePath(QStringLiteral("index.html")));
        emit window.browser().anchorClicked(QUrl(QStringLiteral("format.html#limits")));
        QCOMPARE(fileOf(window.browser().source()), QStringLiteral("format.html"));
        QCOMPARE(window.browser().source().fragment(), QStringLiteral("limits"));
    }

    void linkOutsideTheHelp_isNotFollowed() {
        HelpWindow window(QDir(kHelpDir).filePath(QStringLiteral("index.html")));
        emit window.browser().anchorClicked(QUrl(QStringLiteral("https://example.org/")));
        QCOMPARE(fileOf(window.browser().source()), QStringLiteral("index.html"));
    }

    // --- one window ---
    void openingAgain_bringsTheSameWindowForward() {
        RecordingMessageSink messages;
        QPointer<HelpWindow> kept;
        const ResourceLocator locator(QStringLiteral(TAVELO_PROGRAM_DIR));
        HelpWindow* first = HelpWindow::showSingle(kept, locator, messages, nullptr);
        QVERIFY(first != nullptr);
        QVERIFY(first->isVisible());
        QCOMPARE(HelpWindow::showSingle(kept, locator, messages, nullptr), first);
        QVERIFY(messages.messages().empty());
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(kept.isNull());
    }

    void missingHelp_isReportedInsteadOfAnEmptyWindow() {
        RecordingMessageSink messages;
        QPointer<HelpWindow> kept;
        QTemporaryDir nowhere;
        QCOMPARE(HelpWindow::showSingle(kept, ResourceLocator(nowhere.path()), messages, nullptr),
                 nullptr);
        QVERIFY(kept.isNull());
        QCOMPARE(messages.messages().size(), std::size_t{1});
        const QString text = QString::fromStdU16String(messages.messages().front());
        QVERIFY(text.startsWith(QStringLiteral("ヘルプが見つかりません。")));
        QVERIFY(text.contains(nowhere.path() + QStringLiteral("/help/index.html")));
    }
};

TAVELO_GUI_TEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
