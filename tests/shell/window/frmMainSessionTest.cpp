#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "shell/controls/ClassicColor.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/window/FileFollower.h"
#include "shell/window/SessionSettings.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;
using Place = SessionSettings::Place;

// The window's memory between runs (a settings folder of the test's own), the recent files,
// refresh of any document and following the documents' files as they are saved.
class frmMainSessionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    std::unique_ptr<QTemporaryDir> config;

    frmMain& form() { return *w->form; }
    // The window with settings in the test's folder, following with a short quiet period.
    void remember(frmMain& window) {
        window.useSettings(config->path());
        window.settings()->setDebounceInterval(10);
        window.fileFollower().setQuietPeriod(100);
    }
    static int hits(const CViewData& view) {
        int count = 0;
        for (Integer g = 1; g <= view.GyouArraySize(); ++g)
            for (Integer d = 1; d <= view.LenBunDan(g); ++d) count += view.ReversalChar(g, d);
        return count;
    }
    // The window closed and another one started on the same settings, as a restart does.
    std::unique_ptr<frmMain> restart(testing::FakeCommonDialog& dialog) {
        w->form.reset();
        auto again = std::make_unique<frmMain>(dialog, w->messages);
        again->setTimeOfDay([] { return String(u"10:00:00"); });
        remember(*again);
        again->restoreSession();
        return again;
    }

private slots:
    void init() {
        config = std::make_unique<QTemporaryDir>();
        w = std::make_unique<testing::WindowFixture>();
        remember(form());
    }
    void cleanup() { w.reset(); }

    // --- Restart ---
    void restart_bringsBackDocumentsPlacesStyleAndColour() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 30);
        const String b = w->writeDocument(QStringLiteral("b.tl2"), 40);
        const String c = w->writeDocument(QStringLiteral("c.tl2"), 20);
        for (const String& path : {a, b, c}) w->open(path);
        drive(form()).scrollTo(9);  // c at line 10
        form().mnuID_Click(1);
        drive(form()).scrollTo(4);  // a at line 5
        form().mnuID_Click(2);
        form().mnuStyleType_Click(1);
        drive(form()).scrollTo(15);  // b at line 8, lower tier
        w->dialog.nextColor = RGB(0, 128, 0);
        form().mnuStyleType_Click(3);
        form().zoomTo(80);
        const std::vector<Place> places = {form().placeOfDocument(1), form().placeOfDocument(2),
                                           form().placeOfDocument(3)};
        QCOMPARE(places[1], (Place{1, 8, 1}));

        testing::FakeCommonDialog dialog;  // the colour must come from the settings
        const auto again = restart(dialog);
        QCOMPARE(drive(*again).documentCount(), Long{3});
        for (Integer i = 1; i <= 3; ++i) {
            QCOMPARE(drive(*again).document(i).FullPathName(), (std::vector{a, b, c})[i - 1]);
            QCOMPARE(again->placeOfDocument(i).firstLine, places[i - 1].firstLine);
        }
        QCOMPARE(drive(*again).currentIndex(), Integer{2});
        QVERIFY(drive(*again).styleChecked(1));
        QCOMPARE(drive(*again).scrollValue(), Integer{15});
        QCOMPARE(drive(*again).cdlFileOpen().Color(), Long{RGB(0, 128, 0)});
        QCOMPARE(again->zoomPercent(), 80);
        QVERIFY(w->messages.messages().empty());
        // Back to a document: the place it was left at.
        again->mnuID_Click(1);
        QCOMPARE(drive(*again).scrollValue(), Integer{8});  // line 5, upper tier
    }

    void restart_skipsGoneFilesWithOneMessage() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
        const String b = w->writeDocument(QStringLiteral("b.tl2"), 6);
        const String c = w->writeDocument(QStringLiteral("c.tl2"), 7);
        for (const String& path : {a, b, c}) w->open(path);
        QVERIFY(QFile::remove(q(a)) && QFile::remove(q(c)));
        testing::FakeCommonDialog dialog;
        const auto again = restart(dialog);
        QCOMPARE(drive(*again).documentCount(), Long{1});
        QCOMPARE(drive(*again).document(1).FullPathName(), b);
        QCOMPARE(w->messages.messages().size(), std::size_t{1});
        const QString message = q(w->messages.messages().front());
        QVERIFY2(
            message.contains(QStringLiteral("a.tl2")) && message.contains(QStringLiteral("c.tl2")),
            qPrintable(message));
    }

    void badSettings_giveTheDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x01\xff[[[=\n\x00zz", 11);
        QTest::newRow("truncated") << QByteArray("[General]\nversion=1\nhitColor=12");
        QTest::newRow("newer version") << QByteArray("[General]\nversion=99\nhitColor=65280\n");
    }
    void badSettings_giveTheDefaults() {
        QFETCH(QByteArray, content);
        w->form.reset();
        QDir(config->path()).mkpath(QStringLiteral("tavelo"));
        QFile file(config->filePath(QStringLiteral("tavelo/tavelo.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        testing::FakeCommonDialog dialog;
        const auto again = restart(dialog);
        QCOMPARE(drive(*again).cdlFileOpen().Color(), Long{RGB(0, 0, 255)});
        QCOMPARE(drive(*again).documentCount(), Long{0});
        QVERIFY(w->messages.messages().empty());
    }

    // --- Recent files ---
    void recentFiles_newestFirst_goneOneSaysSoAndLeaves() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
        const String b = w->writeDocument(QStringLiteral("b.tl2"), 5);
        w->open(a);
        w->open(b);
        const QList<QAction*> entries = drive(form()).mnuRecentFiles().subMenu()->actions();
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0]->text().endsWith(QStringLiteral("b.tl2")));
        QVERIFY(entries[1]->text().endsWith(QStringLiteral("a.tl2")));
        QVERIFY(QFile::remove(q(a)));
        entries[1]->trigger();
        QCOMPARE(w->messages.messages().size(), std::size_t{1});
        QCOMPARE(form().settings()->recentFiles().size(), std::size_t{1});
        QCOMPARE(drive(form()).mnuRecentFiles().subMenu()->actions().size(), 1);
        QCOMPARE(drive(form()).documentCount(), Long{2});
        form().mnuForgetRecent_Click();
        QVERIFY(form().settings()->recentFiles().empty());
        QVERIFY(!drive(form()).mnuForgetRecent().Enabled());
    }

    // --- Refresh any document ---
    void refreshOfAnEarlierDocument_keepsItsPlaceInTheList() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
        w->open(a);
        w->clock = u"9:06:00";
        w->open(w->writeDocument(QStringLiteral("b.tl2"), 6));
        w->clock = u"9:07:00";
        w->open(w->writeDocument(QStringLiteral("c.tl2"), 8));
        form().mnuID_Click(1);
        QVERIFY(drive(form()).mnuRenewal().Enabled() && drive(form()).tlb1().Buttons(6).Enabled());
        w->writeDocument(QStringLiteral("a.tl2"), 9);
        w->clock = u"9:08:00";
        form().mnuRenewal_Click();
        QCOMPARE(drive(form()).currentIndex(), Integer{1});
        QCOMPARE(drive(form()).document(1).GyouArraySize(), Integer{9});
        QCOMPARE(q(drive(form()).mnuID()(1).Caption()), QStringLiteral("9:08:00   a.tl2"));
        QCOMPARE(q(drive(form()).mnuID()(2).Caption()), QStringLiteral("9:06:00 b.tl2"));
        QCOMPARE(q(drive(form()).document(3).ID()), QStringLiteral("9:07:00 c.tl2"));
        QCOMPARE(q(w->status()), QStringLiteral("9:08:00   a.tl2"));
    }

    // --- Following the files ---
    void following_readsTheDocumentAgainKeepingPlaceAndHits_data() {
        QTest::addColumn<QString>("save");
        QTest::addColumn<bool>("current");
        QTest::newRow("in place") << QStringLiteral("in place") << true;
        QTest::newRow("rename over") << QStringLiteral("rename") << true;
        QTest::newRow("rapid saves") << QStringLiteral("rapid") << true;
        QTest::newRow("not current") << QStringLiteral("in place") << false;
        QTest::newRow("not current, rename") << QStringLiteral("rename") << false;
    }
    void following_readsTheDocumentAgainKeepingPlaceAndHits() {
        QFETCH(QString, save);
        QFETCH(bool, current);
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 20);
        w->open(a);
        drive(form()).scrollTo(6);
        drive(form()).typeSearch(u"漢");
        form().cmdSearch_Click();
        if (!current) {
            w->clock = u"9:06:00";
            w->open(w->writeDocument(QStringLiteral("b.tl2"), 3));
        }
        const Integer lines = save == QStringLiteral("rapid") ? 25 : 24;
        QTest::qWait(50);
        if (save == QStringLiteral("rename")) {
            w->writeDocument(QStringLiteral("a.new"), lines);
            std::filesystem::rename(w->folder.filePath(QStringLiteral("a.new")).toStdString(),
                                    q(a).toStdString());
        } else if (save == QStringLiteral("rapid")) {
            for (Integer n = 21; n <= lines; ++n) {
                w->writeDocument(QStringLiteral("a.tl2"), n);
                QTest::qWait(20);
            }
        } else {
            w->writeDocument(QStringLiteral("a.tl2"), lines);
        }
        w->clock = u"9:10:00";
        QTRY_COMPARE_WITH_TIMEOUT(drive(form()).document(1).GyouArraySize(), lines, 5000);
        QCOMPARE(drive(form()).documentCount(), Long{current ? 1 : 2});
        QCOMPARE(drive(form()).currentIndex(), static_cast<Integer>(current ? 1 : 2));
        QCOMPARE(q(drive(form()).mnuID()(1).Caption()), QStringLiteral("9:10:00   a.tl2"));
        QCOMPARE(form().placeOfDocument(1).firstLine, 7);
        if (current) QCOMPARE(drive(form()).scrollValue(), Integer{6});
        QCOMPARE(hits(drive(form()).document(1)), lines * 10);
        QVERIFY(w->messages.messages().empty());
        // A later save is followed too: the watch survived.
        QTest::qWait(150);
        w->writeDocument(QStringLiteral("a.tl2"), 3);
        QTRY_COMPARE_WITH_TIMEOUT(drive(form()).document(1).GyouArraySize(), Integer{3}, 5000);
        QCOMPARE(form().placeOfDocument(1).firstLine, 3);  // clamped to the new end
    }

    void following_unreadableSave_keepsTheRecordAndTellsTheStatusBar() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
        w->open(a);
        QTest::qWait(50);
        w->writeBytes(QStringLiteral("a.tl2"), std::string(40000, ' '));  // too large
        QTRY_VERIFY_WITH_TIMEOUT(q(w->status()).contains(QStringLiteral("読み直せません")), 5000);
        QCOMPARE(w->current().GyouArraySize(), Integer{5});
        QVERIFY(w->messages.messages().empty());  // no message box
        w->writeDocument(QStringLiteral("a.tl2"), 8);
        QTRY_COMPARE_WITH_TIMEOUT(w->current().GyouArraySize(), Integer{8}, 5000);
    }

    void following_turnedOff_readsNothing() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
        w->open(a);
        QVERIFY(drive(form()).mnuFollowFiles().Checked());
        form().mnuFollowFiles_Click();
        QVERIFY(!drive(form()).mnuFollowFiles().Checked());
        w->writeDocument(QStringLiteral("a.tl2"), 8);
        QTest::qWait(400);
        QCOMPARE(w->current().GyouArraySize(), Integer{5});
        form().mnuFollowFiles_Click();  // on again: the change made meanwhile is read
        QTRY_COMPARE_WITH_TIMEOUT(w->current().GyouArraySize(), Integer{8}, 5000);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainSessionTest)
#include "frmMainSessionTest.moc"
