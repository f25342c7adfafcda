// Start-up with several files: what can be opened is opened, and everything that stood in
// the way comes in one message, whether the files came from the command line or from the
// last session.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainStartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    frmMain& form() { return *w->form; }

    // A document read only up to its second line, which has more characters than a line may.
    String writeTooLongLine(const QString& name) {
        std::string text = "漢字\r\n";
        for (int k = 0; k < 60; ++k) text += "字";
        return w->writeFile(name, text + "\r\n漢字\r\n");
    }
    QStringList messages() const {
        QStringList said;
        for (const String& message : w->messages.messages()) said << q(message);
        return said;
    }

private slots:
    void init() { w = std::make_unique<testing::WindowFixture>(); }
    void cleanup() { w.reset(); }

    void commandLine_opensWhatItCan_andNamesTheRestInOneMessage() {
        const String good = w->writeDocument(QStringLiteral("good.tl2"), 5);
        const String other = w->writeDocument(QStringLiteral("other.tl2"), 6);
        const String missing = w->folder.filePath(QStringLiteral("missing.tl2")).toStdU16String();
        const String folder = w->folder.path().toStdU16String();
        form().openFiles({good, missing, folder, other});
        QCOMPARE(drive(form()).documentCount(), Long{2});
        QCOMPARE(drive(form()).document(1).FullPathName(), good);
        QCOMPARE(drive(form()).document(2).FullPathName(), other);
        QCOMPARE(messages().size(), 1);
        const QString message = messages().front();
        QVERIFY2(message.startsWith(QStringLiteral("次のファイルを開けませんでした。")) &&
                     message.contains(q(missing) + QStringLiteral(" (見つかりません)")) &&
                     message.contains(q(folder) + QStringLiteral(" (ファイルではありません)")) &&
                     !message.contains(QStringLiteral("good.tl2")),
                 qPrintable(message));
    }

    void commandLine_readingMessagesOfSeveralFiles_comeInOneMessage() {
        const String a = writeTooLongLine(QStringLiteral("a.tl2"));
        const String b = writeTooLongLine(QStringLiteral("b.tl2"));
        form().openFiles({a, b});
        QCOMPARE(drive(form()).documentCount(), Long{2});
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages().front().count(QStringLiteral("文字を超えています")), 2);
    }

    void restore_readingMessagesComeInOneSummary_notABoxPerDocument() {
        QTemporaryDir config;
        form().useSettings(config.path());
        const String a = writeTooLongLine(QStringLiteral("a.tl2"));
        const String b = writeTooLongLine(QStringLiteral("b.tl2"));
        const String gone = w->writeDocument(QStringLiteral("gone.tl2"), 3);
        for (const String& path : {a, b, gone}) w->open(path);
        QVERIFY(QFile::remove(q(gone)));
        w->form.reset();
        w->messages.clear();

        w->form = std::make_unique<frmMain>(w->dialog, w->messages);
        form().useSettings(config.path());
        form().restoreSession();
        QCOMPARE(drive(form()).documentCount(), Long{2});
        QCOMPARE(messages().size(), 1);
        const QString message = messages().front();
        QVERIFY2(message.contains(QStringLiteral("gone.tl2")) &&
                     message.count(QStringLiteral("文字を超えています")) == 2,
                 qPrintable(message));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainStartupTest)
#include "frmMainStartupTest.moc"
