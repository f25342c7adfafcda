// What the status bar says: the normal text comes back after every passing message, a long
// text keeps its start (the cause) with the whole text as the tip, a written PDF says where.
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/print/DocumentPrinter.h"
#include "shell/window/StatusMessages.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainStatusTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    frmMain& form() { return *w->form; }

private slots:
    void init() {
        w = std::make_unique<testing::WindowFixture>();
        w->open(w->writeDocument(QStringLiteral("doc.tl2"), 30));
    }
    void cleanup() { w.reset(); }

    // --- Passing messages ---
    void passingMessage_givesTheNormalTextBackWhenItExpires_data() {
        QTest::addColumn<QString>("word");  // searched first: the normal text then has hits
        QTest::newRow("after opening") << QString();
        QTest::newRow("after a search") << QStringLiteral("漢");
    }
    void passingMessage_givesTheNormalTextBackWhenItExpires() {
        QFETCH(QString, word);
        if (!word.isEmpty()) {
            drive(form()).txtSearch().Text(word.toStdU16String());
            form().cmdSearch_Click();
        }
        const String normal = w->status();
        QVERIFY(!normal.empty());
        form().zoomTo(80);
        QVERIFY(q(w->status()).contains(QStringLiteral("表示倍率 80%")));
        QTRY_COMPARE_WITH_TIMEOUT(q(w->status()), q(normal), 5000);
    }

    void normalText_endsAPassingMessageAtOnce_andStaysAfterItsTime() {
        StatusBarPanel& panel = drive(form()).stb1().Panels(1);
        StatusMessages messages(panel);
        messages.showNormal(u"一");
        messages.showPassing(u"二", 50);
        QCOMPARE(q(panel.Text()), QStringLiteral("二"));
        messages.showNormal(u"三");
        QCOMPARE(q(panel.Text()), QStringLiteral("三"));
        QTest::qWait(120);
        QCOMPARE(q(panel.Text()), QStringLiteral("三"));
    }

    // --- Long texts ---
    void longText_keepsItsStart_andTheBarTipsTheWholeText() {
        const QString cause = QStringLiteral("原因はここ");
        const QString whole = cause + QString(200, u'長');
        drive(form()).stb1().Panels(1).Text(whole.toStdU16String());
        const QString shown = drive(form()).stb1().Panels(1).text();
        QVERIFY2(shown.startsWith(cause) && shown.size() < whole.size(), qPrintable(shown));
        QCOMPARE(drive(form()).stb1().toolTip(), whole);
        drive(form()).stb1().Panels(1).Text(u"短い");
        QVERIFY(drive(form()).stb1().toolTip().isEmpty());
    }

    // --- A written PDF ---
    void writtenPdf_saysWhereInTheStatusBar() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("出力.pdf"));
        QVERIFY(form().writePdf(path, DocumentPrinter::Paper::A4Landscape));
        QVERIFY2(q(w->status()).contains(path), qPrintable(q(w->status())));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainStatusTest)
#include "frmMainStatusTest.moc"
