#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/PathBytes.h"
#include "shell/controls/OpenFileDialog.h"
#include "shell/controls/QtCommonDialog.h"
#include "shell/window/SessionSettings.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/ModalDialogs.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;
using testing::whenShown;

namespace {

// 径の糸.tl2 with its name in code page 932, as an old archive unpacks it.
const std::string kShiftJisName = "\x8C\x61\x82\xCC\x8E\x85.tl2";
const QString kShownName = QStringLiteral("径の糸.tl2");

enum class Route { CommandLine, RecentEntry, Refresh, Following, Drop, DocumentMenu };

}  // namespace

// A file whose name is Shift-JIS, not UTF-8, reached by every road into the window, then a
// restart on the same settings file: the next run must find the very same bytes, and the
// recent-file menu must show the name readably.
class NonUtf8NamesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    std::unique_ptr<QTemporaryDir> config;
    std::string bytePath;
    String path;

    frmMain& form() { return *w->form; }
    void remember(frmMain& window) {
        window.useSettings(config->path());
        window.settings()->setDebounceInterval(10);
        window.fileFollower().setQuietPeriod(50);
        window.fileFollower().setPollInterval(50);
    }
    void writeDocument(int lines) {
        std::ofstream file(bytePath, std::ios::binary | std::ios::trunc);
        for (int g = 0; g < lines; ++g) file << "\x8A\xBF\x8E\x9A\r\n";  // 漢字
    }
    std::unique_ptr<frmMain> restart() {
        w->form.reset();
        auto again = std::make_unique<frmMain>(w->dialog, w->messages);
        again->setTimeOfDay([] { return String(u"10:00:00"); });
        remember(*again);
        again->restoreSession();
        return again;
    }
    void drop(const QString& encodedUrl) {
        QMimeData data;
        data.setUrls({QUrl::fromEncoded(encodedUrl.toLatin1())});
        const QPoint at(100, 100);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&drive(form()).picView(), &enter);
        QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&drive(form()).picView(), &dropEvent);
    }
    QString said() const {
        QStringList all;
        for (const String& message : w->messages.messages()) all << q(message);
        return all.join(u'|');
    }
    static QStringList recentLabels(frmMain& window) {
        QStringList labels;
        for (QAction* action : drive(window).mnuRecentFiles().subMenu()->actions())
            labels << action->text();
        return labels;
    }

private slots:
    void init() {
        config = std::make_unique<QTemporaryDir>();
        w = std::make_unique<testing::WindowFixture>();
        remember(form());
        bytePath = w->folder.path().toStdString() + "/" + kShiftJisName;
        path = PathBytes::fromSystem(bytePath);
        writeDocument(5);
    }
    void cleanup() {
        w.reset();
        // QTemporaryDir removes by text names and would leave the Shift-JIS one behind.
        std::filesystem::remove(bytePath);
    }

    void openDialog_listsTheNameReadably_andOpensItsBytes() {
        QtCommonDialog dialog;
        dialog.FileName(w->folder.path().toStdU16String());
        frmMain window(dialog, w->messages);
        QStringList listed;
        whenShown<OpenFileDialog>([&](OpenFileDialog& shown) {
            listed = shown.shownNames();
            auto& list = *shown.findChild<QListWidget*>();
            list.setCurrentItem(list.findItems(kShownName, Qt::MatchExactly).value(0));
            QTest::keyClick(&list, Qt::Key_Return);
        });
        window.mnuFileOpen_Click();
        QVERIFY2(listed.contains(kShownName), qPrintable(listed.join(u'|')));
        QVERIFY2(w->messages.messages().empty(), qPrintable(said()));
        QCOMPARE(drive(window).documentCount(), Long{1});
        QCOMPARE(PathBytes::toSystem(drive(window).current().FullPathName()), bytePath);
        QVERIFY(q(drive(window).current().ID()).endsWith(kShownName));
    }

    void everyRoad_keepsTheBytesThroughARestart_data() {
        QTest::addColumn<int>("route");  // a Route
        QTest::newRow("command line") << static_cast<int>(Route::CommandLine);
        QTest::newRow("recent-file entry") << static_cast<int>(Route::RecentEntry);
        QTest::newRow("refresh") << static_cast<int>(Route::Refresh);
        QTest::newRow("following") << static_cast<int>(Route::Following);
        QTest::newRow("drop") << static_cast<int>(Route::Drop);
        QTest::newRow("document menu") << static_cast<int>(Route::DocumentMenu);
    }
    void everyRoad_keepsTheBytesThroughARestart() {
        QFETCH(int, route);
        const auto road = static_cast<Route>(route);
        const String other = w->writeDocument(QStringLiteral("other.tl2"), 3);
        switch (road) {
            case Route::CommandLine:
                form().openFile(path);
                break;
            case Route::RecentEntry:
                form().openFile(path);
                form().openFile(other);
                form().openRecentFile(q(path));
                break;
            case Route::Refresh:
                form().openFile(path);
                writeDocument(7);
                form().mnuRenewal_Click();
                QCOMPARE(w->current().GyouArraySize(), Integer{7});
                break;
            case Route::Following:
                form().openFile(path);
                QTest::qWait(20);
                writeDocument(9);
                QTRY_COMPARE_WITH_TIMEOUT(w->current().GyouArraySize(), Integer{9}, 5000);
                break;
            case Route::Drop: {
                const QByteArray encoded =
                    QUrl::fromLocalFile(w->folder.path()).toEncoded() + '/' +
                    QByteArray::fromStdString(kShiftJisName).toPercentEncoding();
                drop(QString::fromLatin1(encoded));
                break;
            }
            case Route::DocumentMenu:
                form().openFile(path);
                form().openFile(other);
                form().mnuID_Click(1);
                break;
        }
        QCOMPARE(drive(form()).documentCount() > 0, true);
        QCOMPARE(w->current().FullPathName(), path);
        QVERIFY(q(drive(form()).document(1).ID()).endsWith(kShownName));
        w->messages.clear();

        const auto again = restart();
        QVERIFY2(w->messages.messages().empty(), qPrintable(said()));
        QCOMPARE(drive(*again).current().FullPathName(), path);
        QString remembered;
        for (const auto& recent : again->settings()->recentFiles())
            if (PathBytes::toSystem(recent.path.toStdU16String()) == bytePath)
                remembered = recent.path;
        QVERIFY(!remembered.isEmpty());
        const QStringList labels = recentLabels(*again);
        QVERIFY2(labels.filter(kShownName).size() == 1, qPrintable(labels.join(u'|')));
        QVERIFY2(labels.filter(QChar(0xFFFD)).isEmpty(), qPrintable(labels.join(u'|')));
        // Opened from the menu of the new run, the file is found.
        again->openRecentFile(remembered);
        QVERIFY2(w->messages.messages().empty(), qPrintable(said()));
        QCOMPARE(drive(*again).current().FullPathName(), path);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::NonUtf8NamesTest)
#include "NonUtf8NamesTest.moc"
