// Files that other people made, opened and refreshed through the window: every one ends in a
// message or in a correct document, the window goes on working, and the documents that were
// already open keep what they showed and can still be switched to.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <random>

#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class HostileFilesTest : public QObject {
    Q_OBJECT

private:
    // What a document showed: enough to tell that nothing of it changed.
    struct Snapshot {
        String id;
        Integer lines = 0;
        Integer longest = 0;
        std::vector<String> text;
        std::vector<Long> firstX;

        static Snapshot of(const CViewData& view) {
            Snapshot s{view.ID(), view.GyouArraySize(), view.MaxBunDan(), {}, {}};
            for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
                s.text.push_back(view.Bun(g) + u"|" + view.Rubi(g));
                s.firstX.push_back(
                    view.LenBunDan(g) > 0 ? view.position(PositionTables::kSmallBunX, g, 1) : -1);
            }
            return s;
        }
        bool operator==(const Snapshot&) const = default;
    };

    std::unique_ptr<testing::WindowFixture> w;
    std::vector<Snapshot> before;

    [[nodiscard]] frmMain& f() const { return *w->form; }
    [[nodiscard]] QString lastMessage() const {
        return w->messages.messages().empty() ? QString() : q(w->messages.messages().back());
    }
    [[nodiscard]] std::size_t messageCount() const { return w->messages.messages().size(); }
    [[nodiscard]] QString folderPath(const QString& name) const { return w->folder.filePath(name); }
    [[nodiscard]] bool viewIsBlank() const {
        const QImage& image = drive(f()).viewImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
        return true;
    }

    // The documents opened before each hostile file.
    void openTheDocumentsAlreadyThere() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 5));
        w->clock = u"9:06:00";
        w->open(w->writeDocument(QStringLiteral("b.tl2"), 8, 30));
        w->clock = u"9:07:00";
        before = {Snapshot::of(drive(f()).document(1)), Snapshot::of(drive(f()).document(2))};
        QCOMPARE(messageCount(), std::size_t{0});
    }

    // The commands a user reaches for next, through the window's own event handling as a
    // click reaches them.
    void useTheCurrentDocument() {
        frmMain& form = f();
        emit drive(form).cmdEnd().Click();
        emit drive(form).cmdHead().Click();
        emit drive(form).mnuStyleType().Click(1);
        emit drive(form).cmdEnd().Click();
        emit drive(form).mnuStyleType().Click(0);
        drive(form).typeSearch(u"漢");
        emit drive(form).cmdSearch().Click();
        emit drive(form).cmdClear().Click();
    }

    // The documents already open are unchanged, still listed at their places, and each can be
    // switched to and is drawn.
    void theOthersAreUnchangedAndSwitchable() {
        frmMain& form = f();
        QVERIFY(drive(form).documentCount() >= 2);
        for (Integer i = 1; i <= 2; ++i) {
            QVERIFY2(Snapshot::of(drive(form).document(i)) == before[i - 1],
                     qPrintable(q(before[i - 1].id)));
            QCOMPARE(q(drive(form).mnuID()(i).Caption()), q(before[i - 1].id));
            emit drive(form).mnuID().Click(i);
            QCOMPARE(drive(form).currentIndex(), i);
            QCOMPARE(q(w->status()), q(before[i - 1].id));
            QCOMPARE(drive(form).scrollMin(), static_cast<Integer>(before[i - 1].lines - 1));
            QVERIFY(!viewIsBlank());
            useTheCurrentDocument();
            QVERIFY(Snapshot::of(drive(form).document(i)) == before[i - 1]);
        }
    }

    // A file that could not be opened at all: the reader's message, and nothing added.
    void isRefusedWithOneMessage(const String& path, const QString& words) {
        const std::size_t messages = messageCount();
        w->open(path);
        QCOMPARE(messageCount(), messages + 1);
        QVERIFY2(lastMessage().contains(words), qPrintable(lastMessage()));
        QCOMPARE(drive(f()).documentCount(), Long{2});
        QCOMPARE(drive(f()).currentIndex(), Integer{2});
    }

    // A file that was read up to a limit: one message naming the line and the limit, and the
    // part read shown as the third document.
    void isShownWithOneMessage(const String& path, const QString& words) {
        w->open(path);
        QCOMPARE(messageCount(), std::size_t{1});
        QVERIFY2(lastMessage().contains(words), qPrintable(lastMessage()));
        QVERIFY2(lastMessage().contains(QStringLiteral("\n中止した所より前を表示します。")),
                 qPrintable(lastMessage()));
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(drive(f()).currentIndex(), Integer{3});
        useTheCurrentDocument();
    }

    static std::string sjisOf(const std::string& text) {
        return CodePage932::encode(utf8::toUtf16(text));
    }
    static std::string repeated(const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) text += piece;
        return text;
    }

private slots:
    void init() {
        // A handler that ends with an error is logged by the window's event guard: none may.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(" ended: ")));
        w = std::make_unique<testing::WindowFixture>();
        openTheDocumentsAlreadyThere();
    }
    void cleanup() {
        w.reset();
        before.clear();
    }

    // --- Files that cannot be read at all ---
    void directoryGivenAsTheFile_isRefused() {
        QVERIFY(QDir(w->folder.path()).mkdir(QStringLiteral("folder.tl2")));
        isRefusedWithOneMessage(folderPath(QStringLiteral("folder.tl2")).toStdU16String(),
                                QStringLiteral("folder.tl2 ファイルを開けません。"));
        theOthersAreUnchangedAndSwitchable();
    }

    void fileWithoutReadPermission_isRefused() {
        const String path = w->writeDocument(QStringLiteral("locked.tl2"), 3);
        QFile file(q(path));
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        if (::access(file.fileName().toLocal8Bit().constData(), R_OK) == 0)
            QSKIP("the tests run with a user that reads every file (root): no file is unreadable");
        isRefusedWithOneMessage(path, QStringLiteral("locked.tl2 ファイルを開けません。"));
        theOthersAreUnchangedAndSwitchable();
    }

    // A file that opens but cannot be read: the kernel refuses every read of a process's
    // memory file at offset 0. This holds for root as well.
    void fileWhoseReadingFails_isRefused() {
        const QString path = QStringLiteral("/proc/self/mem");
        if (!QFile::exists(path)) QSKIP("no /proc on this system");
        const std::size_t messages = messageCount();
        w->dialog.nextFile = path.toStdU16String();
        emit drive(f()).mnuFileOpen().Click();
        QCOMPARE(messageCount(), messages + 1);
        QVERIFY2(lastMessage().contains(QStringLiteral("/proc/self/mem ファイルを開けません。")),
                 qPrintable(lastMessage()));
        QCOMPARE(drive(f()).documentCount(), Long{2});
        theOthersAreUnchangedAndSwitchable();
    }

    // --- Refresh of a file that changed on disk ---
    void fileDeletedBeforeRefresh_keepsItsDocument() {
        const String path = w->writeDocument(QStringLiteral("gone.tl2"), 4);
        w->open(path);
        const Snapshot shown = Snapshot::of(w->current());
        QVERIFY(QFile::remove(q(path)));
        w->clock = u"9:30:00";
        f().mnuRenewal_Click();
        QCOMPARE(messageCount(), std::size_t{1});
        QVERIFY(lastMessage().endsWith(QStringLiteral("gone.tl2 ファイルを開けません。")));
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QVERIFY(Snapshot::of(drive(f()).document(3)) == shown);
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }

    void fileReplacedByALargerOneBeforeRefresh_showsTheLargerOne() {
        const String path = w->writeDocument(QStringLiteral("grows.tl2"), 3, 10);
        w->open(path);
        w->writeDocument(QStringLiteral("grows.tl2"), 300, 50);
        w->clock = u"9:30:00";
        f().mnuRenewal_Click();
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(w->current().GyouArraySize(), Integer{300});
        QCOMPARE(w->current().MaxBunDan(), Integer{50});
        QCOMPARE(q(drive(f()).mnuID()(3).Caption()), QStringLiteral("9:30:00   grows.tl2"));
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }

    void fileReplacedByOneOverTheSizeLimitBeforeRefresh_keepsItsDocument() {
        const String path = w->writeDocument(QStringLiteral("huge.tl2"), 3, 10);
        w->open(path);
        const Snapshot shown = Snapshot::of(w->current());
        w->writeBytes(QStringLiteral("huge.tl2"), std::string(40000, ' '));
        f().mnuRenewal_Click();
        QCOMPARE(messageCount(), std::size_t{1});
        QVERIFY2(lastMessage().contains(QStringLiteral("32,767 バイト")),
                 qPrintable(lastMessage()));
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QVERIFY(Snapshot::of(drive(f()).document(3)) == shown);
        theOthersAreUnchangedAndSwitchable();
    }

    // --- Contents ---
    void emptyFile_isAnEmptyDocument() {
        w->open(w->writeBytes(QStringLiteral("empty.tl2"), std::string()));
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(w->current().GyouArraySize(), Integer{0});
        QCOMPARE(q(w->status()), QStringLiteral("9:07:00 empty.tl2   0行×0段(最長)   0字 (400字詰め 0枚)"));
        QVERIFY(viewIsBlank());
        useTheCurrentDocument();
        QVERIFY(viewIsBlank());
        theOthersAreUnchangedAndSwitchable();
    }

    void randomBinaryBytes_stopTheReadingWithAMessage() {
        std::mt19937 random(20261207);
        for (int round = 0; round < 8; ++round) {
            std::string bytes(static_cast<std::size_t>(500 + 700 * round), '\0');
            for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
            const QString name = QStringLiteral("random%1.tl2").arg(round);
            const std::size_t messages = messageCount();
            const Long count = drive(f()).documentCount();
            w->open(w->writeBytes(name, bytes));
            // Binary bytes break the format at once, never silently: the characters refused
            // on the way may each be told, and the last message says where the reading stopped.
            QVERIFY(messageCount() > messages);
            QVERIFY2(lastMessage().contains(name), qPrintable(lastMessage()));
            if (drive(f()).documentCount() == count + 1)
                useTheCurrentDocument();
            else
                QCOMPARE(drive(f()).documentCount(), count);
        }
        theOthersAreUnchangedAndSwitchable();
    }

    void fileOf32768Bytes_isOverTheLimitAndShownUpToIt() {
        // 292 lines of 55 kanji (112 bytes each) and a line of 31: 32,768 bytes, the last
        // line's LF at index 32,767, where the reading stops.
        const std::string bytes =
            sjisOf(repeated(repeated("字", 55) + "\r\n", 292) + repeated("漢", 31) + "\r\n");
        QCOMPARE(bytes.size(), std::size_t{32768});
        isShownWithOneMessage(w->writeBytes(QStringLiteral("full.tl2"), bytes),
                              QStringLiteral("ファイルが 32,767 バイトを超えています"));
        // One message that names the limit and the line and never says the file cannot be read.
        QCOMPARE(lastMessage(),
                 w->folder.filePath(QStringLiteral("full.tl2")) +
                     QStringLiteral(" の 293 行目で読み込みを中止しました。\n"
                                    "ファイルが 32,767 バイトを超えています（32,768 バイト）。\n"
                                    "中止した所より前を表示します。"));
        QCOMPARE(drive(f()).document(3).GyouArraySize(), Integer{293});
        QCOMPARE(drive(f()).document(3).LenBunDan(292), Integer{55});
        theOthersAreUnchangedAndSwitchable();
    }

    void fileOf1001Lines_showsTheFirstThousand() {
        isShownWithOneMessage(w->writeFile(QStringLiteral("lines.tl2"), repeated("字\r\n", 1001)),
                              QStringLiteral("1,000 行"));
        QCOMPARE(drive(f()).document(3).GyouArraySize(), Integer{1000});
        theOthersAreUnchangedAndSwitchable();
    }

    void lineOf56Characters_showsItsFirst55() {
        isShownWithOneMessage(
            w->writeFile(QStringLiteral("long.tl2"), "漢\r\n" + repeated("字", 56) + "\r\n"),
            QStringLiteral("55 文字"));
        QCOMPARE(drive(f()).document(3).LenBunDan(2), Integer{55});
        theOthersAreUnchangedAndSwitchable();
    }

    void rubyLineOf121Positions_isReportedAndNothingOfItShown() {
        isShownWithOneMessage(
            w->writeFile(QStringLiteral("ruby.tl2"), repeated("ｱ", 121) + "\r\n漢\r\n"),
            QStringLiteral("1行のルビが 120 文字分を超えています。"));
        QVERIFY(lastMessage().contains(QStringLiteral("の 1 行目で")));
        QCOMPARE(drive(f()).document(3).GyouArraySize(), Integer{0});
        QVERIFY(viewIsBlank());
        theOthersAreUnchangedAndSwitchable();
    }

    void twoCharactersInBrackets_areReportedAndTheLinesBeforeShown() {
        isShownWithOneMessage(
            w->writeFile(QStringLiteral("bracket.tl2"), "漢字\r\n[人人]\r\n漢\r\n"),
            QStringLiteral("[ ] の中に2文字以上あります。"));
        QVERIFY(lastMessage().contains(QStringLiteral("の 2 行目で")));
        QCOMPARE(drive(f()).document(3).GyouArraySize(), Integer{1});
        QCOMPARE(q(drive(f()).document(3).Bun(1)), QStringLiteral("漢字"));
        theOthersAreUnchangedAndSwitchable();
    }

    // A file with no CR, as Linux editors write it, reads each LF as CR LF and says so.
    void lineFeedOnlyLineEnds_readAsCrLfAndTheStatusSaysSo() {
        w->open(w->writeFile(QStringLiteral("lf.tl2"), "漢字\nかな\n空\n"));
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(w->current().GyouArraySize(), Integer{3});
        QCOMPARE(q(w->current().Bun(2)), QStringLiteral("かな"));
        QCOMPARE(q(w->status()),
                 QStringLiteral(
                     "9:07:00 lf.tl2   3行×2段(最長)   5字 (400字詰め 1枚)（LF の改行を CR LF として読み込みました）"));
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }

    void utf8File_isReadAsUtf8AndTheStatusSaysSo() {
        w->open(w->writeBytes(QStringLiteral("utf8.tl2"), "\xEF\xBB\xBFｶﾝｼﾞ\r\n漢字😀\r\n"));
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(q(w->current().Bun(1)), QStringLiteral("漢字〓"));
        QCOMPARE(q(w->current().Rubi(1)), QStringLiteral("かんじ　"));
        QCOMPARE(q(w->status()),
                 QStringLiteral(
                     "9:07:00 utf8.tl2   1行×3段(最長)   3字 (400字詰め 1枚)（UTF-8 のファイルとして読み込みました）"));
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }

    void invalidShiftJisPairs_areRefusedAndTheRestIsShown() {
        // A lead byte before a space, before a line end, an unassigned pair, and a lead byte
        // as the file's last byte.
        const std::string bytes =
            "\x8a\xbf\x81\x20\r\n\x8a\r\n\xef\xfc\x85\x40\r\n\xa0\xfd\xfe\xff\r\n\x8a";
        w->open(w->writeBytes(QStringLiteral("sjis.tl2"), bytes));
        // The pair that decodes to no single character is refused with the page's message;
        // the rest is read and shown.
        QCOMPARE(messageCount(), std::size_t{1});
        QCOMPARE(lastMessage(), QStringLiteral("1文字以外"));
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(q(w->current().Bun(1)), QStringLiteral("漢"));
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }

    // --- Names ---
    void pathWithSpacesAndNonAscii_opensAndRefreshes() {
        QVERIFY(QDir(w->folder.path()).mkpath(QStringLiteral("my books 日本語")));
        const String path = w->writeDocument(QStringLiteral("my books 日本語/吾輩 は 猫.tl2"), 6);
        w->open(path);
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(drive(f()).documentCount(), Long{3});
        QCOMPARE(q(drive(f()).mnuID()(3).Caption()), QStringLiteral("9:07:00 吾輩 は 猫.tl2"));
        QCOMPARE(w->current().FullPathName(), path);
        w->writeDocument(QStringLiteral("my books 日本語/吾輩 は 猫.tl2"), 9);
        w->clock = u"9:08:00";
        f().mnuRenewal_Click();
        QCOMPARE(messageCount(), std::size_t{0});
        QCOMPARE(w->current().GyouArraySize(), Integer{9});
        QCOMPARE(q(drive(f()).mnuID()(3).Caption()), QStringLiteral("9:08:00   吾輩 は 猫.tl2"));
        useTheCurrentDocument();
        theOthersAreUnchangedAndSwitchable();
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::HostileFilesTest)
#include "HostileFilesTest.moc"
