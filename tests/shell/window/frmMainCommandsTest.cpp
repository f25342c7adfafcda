#include <QFile>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "shell/controls/ToolbarButton.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;

    [[nodiscard]] QString lastMessage() const {
        return w->messages.messages().empty() ? QString() : q(w->messages.messages().back());
    }
    // Whether the view shows a pixel of pure-looking red anywhere.
    [[nodiscard]] bool viewShowsRed() const {
        const QImage& image = drive(*w->form).viewImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80) return true;
            }
        return false;
    }
    static int hits(const CViewData& view) {
        int count = 0;
        for (Integer g = 1; g <= view.GyouArraySize(); ++g)
            for (Integer d = 1; d <= view.LenBunDan(g); ++d) count += view.ReversalChar(g, d);
        return count;
    }

private slots:
    void init() { w = std::make_unique<testing::WindowFixture>(); }
    void cleanup() { w.reset(); }

    // --- Opening ---
    void cancellingTheDialog_changesNothing() {
        w->dialog.nextFile.reset();
        w->form->mnuFileOpen_Click();
        QCOMPARE(w->dialog.openCount, 1);
        QCOMPARE(drive(*w->form).documentCount(), Long{0});
        QVERIFY(!drive(*w->form).mnuStyle().Enabled());
        QVERIFY(!drive(*w->form).mnuID()(0).Visible());
        QVERIFY(!drive(*w->form).hsb1().Enabled());
    }

    void openDialog_asksForTl2FilesWithItsTitle() {
        w->form->mnuFileOpen_Click();
        QCOMPARE(q(w->dialog.Filter()),
                 QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|テキスト (*.txt *.zip)|*.txt;*.zip|"
                                "すべてのファイル (*)|*|"));
        QCOMPARE(q(w->dialog.DialogTitle()), QStringLiteral("ﾌｧｲﾙを開く"));
        QCOMPARE(w->dialog.Flags(), Long{4});
    }

    void firstOpen_switchesTheCommandsOnInTheSmallStyle() {
        const String path = w->writeDocument(QStringLiteral("sample.tl2"), 12, 38);
        w->open(path);
        frmMain& f = *w->form;
        QCOMPARE(drive(f).documentCount(), Long{1});
        QCOMPARE(drive(f).currentIndex(), Integer{1});
        QVERIFY(drive(f).styleChecked(0));
        QVERIFY(!drive(f).styleChecked(1));
        QVERIFY(drive(f).mnuStyle().Enabled());
        QVERIFY(drive(f).mnuID()(0).Visible());
        QCOMPARE(q(drive(f).mnuID()(1).Caption()), QStringLiteral("9:05:31 sample.tl2"));
        QVERIFY(drive(f).mnuRenewal().Enabled());
        QVERIFY(drive(f).tlb1().Buttons(6).Enabled());
        QVERIFY(drive(f).txtSearch().Enabled());
        QVERIFY(drive(f).cmdSearch().Enabled());
        QVERIFY(!drive(f).cmdClear().Enabled());
        QVERIFY(drive(f).cmdHead().Enabled() && drive(f).cmdEnd().Enabled() &&
                drive(f).hsb1().Enabled());
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 sample.tl2   12行×38段(最長)   456字 (400字詰め 2枚)"));
        QCOMPARE(q(drive(f).fileName()), QStringLiteral("sample.tl2"));
        QCOMPARE(drive(f).fullPathName(), path);
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("1"));
    }

    void secondOpen_addsAnEntryKeepsTheStyleAndEmptiesTheSearchBox() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 5));
        frmMain& f = *w->form;
        f.mnuStyleType_Click(1);
        drive(f).scrollTo(3);
        drive(f).typeSearch(u"漢");
        w->clock = u"9:05:40";
        w->open(w->writeDocument(QStringLiteral("b.tl2"), 5));
        QCOMPARE(q(drive(f).mnuID()(2).Caption()), QStringLiteral("9:05:40 b.tl2"));
        QCOMPARE(drive(f).currentIndex(), Integer{2});
        QVERIFY(drive(f).styleChecked(1));
        QCOMPARE(q(drive(f).searchText()), QString());
        QCOMPARE(drive(f).scrollValue(), Integer{0});
    }

    void sameFileTwiceWithinOneSecond_getsANumberedIdAndItsOwnRecord() {
        const String path = w->writeDocument(QStringLiteral("twice.tl2"), 3);
        w->open(path);
        w->open(path);
        w->open(path);
        frmMain& f = *w->form;
        QCOMPARE(drive(f).documentCount(), Long{3});
        QCOMPARE(q(drive(f).mnuID()(2).Caption()), QStringLiteral("9:05:31 twice.tl2 (2)"));
        QCOMPARE(q(drive(f).mnuID()(3).Caption()), QStringLiteral("9:05:31 twice.tl2 (3)"));
        QCOMPARE(drive(f).currentIndex(), Integer{3});
    }

    void fileThatDoesNotExist_isReportedByTheReaderAndAddsNothing() {
        w->open(w->folder.filePath(QStringLiteral("missing.tl2")).toStdU16String());
        QVERIFY(lastMessage().endsWith(QStringLiteral("missing.tl2 ファイルを開けません。")));
        QCOMPARE(w->messages.messages().size(), std::size_t{1});
        QCOMPARE(drive(*w->form).documentCount(), Long{0});
        QVERIFY(!drive(*w->form).mnuStyle().Enabled());
    }

    // --- Failed readings are never silent ---
    void lineOf56Characters_isReportedWithItsLineAndTheRestIsShown() {
        std::string text = "漢\r\n";
        for (int i = 0; i < 56; ++i) text += "字";
        text += "\r\n";
        w->open(w->writeFile(QStringLiteral("long.tl2"), text));
        QCOMPARE(w->messages.messages().size(), std::size_t{1});
        QVERIFY(lastMessage().contains(QStringLiteral("long.tl2 の 2 行目")));
        QVERIFY(lastMessage().contains(QStringLiteral("55 文字")));
        QCOMPARE(drive(*w->form).documentCount(), Long{1});
        QCOMPARE(w->current().LenBunDan(2), Integer{55});
    }

    void failingFileWithBareLineFeeds_isToldThatLinesEndWithCrLf() {
        std::string text = "\r\n";  // one CR: the file is read as the format reads it
        for (int i = 0; i < 30; ++i) text += "漢字\n";
        w->open(w->writeFile(QStringLiteral("lf.tl2"), text));
        QVERIFY(lastMessage().contains(QStringLiteral("CR LF")));
        QCOMPARE(drive(*w->form).documentCount(), Long{1});
    }

    void fileOverTheSizeLimit_isReportedAndAddsNothing() {
        w->open(w->writeBytes(QStringLiteral("big.tl2"), std::string(40000, ' ')));
        QVERIFY(lastMessage().contains(QStringLiteral("32,767 バイト")));
        QCOMPARE(drive(*w->form).documentCount(), Long{0});
    }

    void eachLimit_isNamedInPlainWords() {
        struct Case {
            QString file;
            std::string text;
            QString words;
        };
        std::string ruby, lines;
        for (int i = 0; i < 121; ++i) ruby += "ｱ";
        for (int i = 0; i < 1001; ++i) lines += "字\r\n";
        const Case cases[] = {
            {QStringLiteral("ruby.tl2"), ruby + "\r\n漢\r\n", QStringLiteral("120 文字分")},
            {QStringLiteral("bracket.tl2"), "[人人]\r\n漢\r\n", QStringLiteral("[ ] の中")},
            {QStringLiteral("lines.tl2"), lines, QStringLiteral("1,000 行")},
            {QStringLiteral("face.tl2"), "M1;\r\n漢\r\n", QStringLiteral("書体の指定")},
        };
        for (const Case& c : cases) {
            w->open(w->writeFile(c.file, c.text));
            QVERIFY2(lastMessage().contains(c.words), qPrintable(lastMessage()));
        }
    }

    // --- Switching documents ---
    void switchingDocuments_showsTheOtherWhereItWasLeftAndKeepsRefresh() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 5));
        w->clock = u"9:06:00";
        w->open(w->writeDocument(QStringLiteral("b.tl2"), 8));
        w->clock = u"9:07:00";
        w->open(w->writeDocument(QStringLiteral("c.tl2"), 3));
        frmMain& f = *w->form;
        drive(f).typeSearch(u"漢");
        f.mnuID_Click(1);
        QCOMPARE(drive(f).currentIndex(), Integer{1});
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(drive(f).scrollMin(), Integer{4});
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 a.tl2"));
        // Refresh reads whichever document is current.
        QVERIFY(drive(f).mnuRenewal().Enabled());
        QVERIFY(drive(f).tlb1().Buttons(6).Enabled());
        QVERIFY(drive(f).tlb1().Buttons(6).Visible());
        QCOMPARE(q(drive(f).searchText()), QString());
        // Each document keeps its own place; choosing the current one goes to its start.
        drive(f).scrollTo(3);
        f.mnuID_Click(2);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        drive(f).scrollTo(5);
        f.mnuID_Click(1);
        QCOMPARE(drive(f).scrollValue(), Integer{3});
        f.mnuID_Click(2);
        QCOMPARE(drive(f).scrollValue(), Integer{5});
        f.mnuID_Click(2);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
    }

    // --- Styles ---
    void styleSwitch_keepsTheRelativePlace() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = *w->form;
        drive(f).scrollTo(6);  // ratio 6/9
        f.mnuStyleType_Click(1);
        QCOMPARE(drive(f).scrollMin(), Integer{19});
        QCOMPARE(drive(f).scrollValue(), Integer{12});  // round(19 x 0.6666667) = 13, odd: 12
        f.mnuStyleType_Click(0);
        QCOMPARE(drive(f).scrollValue(), Integer{6});  // round(9 x 12/19) = round(5.684)
        QVERIFY(drive(f).styleChecked(0));
        QVERIFY(!drive(f).styleChecked(1));
    }

    void styleSwitch_fromTheLastSmallPosition_landsOnTheUpperHalfOfTheLastLine() {
        w->open(w->writeDocument(QStringLiteral("two.tl2"), 2));
        frmMain& f = *w->form;
        drive(f).scrollTo(1);
        f.mnuStyleType_Click(1);
        QCOMPARE(drive(f).scrollMin(), Integer{3});
        QCOMPARE(drive(f).scrollValue(), Integer{2});
    }

    void styleSwitch_atTheBeginning_staysAtPositionZero() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        w->form->mnuStyleType_Click(1);
        QCOMPARE(drive(*w->form).scrollValue(), Integer{0});
    }

    void hitColour_isChosenInTheDialogAndKeptWhenCancelled() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 2));
        frmMain& f = *w->form;
        w->dialog.nextColor = 0x0000CC;
        f.mnuStyleType_Click(3);
        QCOMPARE(drive(f).cdlFileOpen().Color(), Long{0x0000CC});
        QCOMPARE(drive(f).cdlFileOpen().Flags(), Long{5});
        w->dialog.nextColor.reset();
        f.mnuStyleType_Click(3);
        QCOMPARE(drive(f).cdlFileOpen().Color(), Long{0x0000CC});
        QCOMPARE(w->dialog.colorCount, 2);
    }

    void newHitColour_isDrawnAtOnce() {
        w->open(w->writeFile(QStringLiteral("cat.tl2"), "猫\r\n"));
        frmMain& f = *w->form;
        drive(f).typeSearch(u"猫");
        f.cmdSearch_Click();
        QVERIFY(!viewShowsRed());
        w->dialog.nextColor = 0x0000FF;  // red
        f.mnuStyleType_Click(3);
        QVERIFY(viewShowsRed());
    }

    // --- Toolbar ---
    void styleButtons_showTheStyleInEffect() {
        frmMain& f = *w->form;
        // Each step presses a button or chooses a menu item as the user would, then both
        // buttons must show the checked style: small, large.
        struct Step {
            const char* what;
            std::function<void()> act;
            Integer small, large;
        };
        auto press = [&f](Integer index) { drive(f).tlb1().Buttons(index).button().click(); };
        const Step steps[] = {
            {"start", [] {}, 0, 0},
            {"large without a document", [&] { press(4); }, 0, 0},
            {"small without a document", [&] { press(3); }, 0, 0},
            {"first open", [&] { w->open(w->writeDocument(QStringLiteral("a.tl2"), 4)); }, 1, 0},
            {"large button", [&] { press(4); }, 0, 1},
            {"large button again", [&] { press(4); }, 0, 1},
            {"small from the menu", [&] { f.mnuStyleType_Click(0); }, 1, 0},
            {"small button again", [&] { press(3); }, 1, 0},
            {"large from the menu", [&] { f.mnuStyleType_Click(1); }, 0, 1},
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(drive(f).tlb1().Buttons(3).Value() == step.small, step.what);
            QVERIFY2(drive(f).tlb1().Buttons(4).Value() == step.large, step.what);
        }
    }

    void fontButtonsWithoutDocument_sayThatNoFileIsOpen() {
        frmMain& f = *w->form;
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(3));
        QCOMPARE(lastMessage(), QStringLiteral("まだファイルが開かれていません。"));
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(4));
        QCOMPARE(w->messages.messages().size(), std::size_t{2});
        QVERIFY(!drive(f).styleChecked(0) && !drive(f).styleChecked(1));
    }

    void toolbarKeys_leadToOpenStylesAndRefresh() {
        frmMain& f = *w->form;
        w->dialog.nextFile = w->writeDocument(QStringLiteral("a.tl2"), 4);
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(1));
        QCOMPARE(drive(f).documentCount(), Long{1});
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(4));
        QVERIFY(drive(f).styleChecked(1));
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(3));
        QVERIFY(drive(f).styleChecked(0));
        w->clock = u"9:10:00";
        f.tlb1_ButtonClick(drive(f).tlb1().Buttons(6));
        QCOMPARE(q(drive(f).mnuID()(1).Caption()), QStringLiteral("9:10:00   a.tl2"));
    }

    // --- Refresh ---
    void refresh_readsTheFileAgainAtTheSamePositionWithAThreeSpaceId() {
        const String path = w->writeDocument(QStringLiteral("edit.tl2"), 10);
        w->open(path);
        frmMain& f = *w->form;
        drive(f).scrollTo(4);
        drive(f).typeSearch(u"漢");
        f.cmdSearch_Click();
        w->writeDocument(QStringLiteral("edit.tl2"), 12);
        w->clock = u"9:20:00";
        f.mnuRenewal_Click();
        QCOMPARE(drive(f).documentCount(), Long{1});
        QCOMPARE(w->current().GyouArraySize(), Integer{12});
        QCOMPARE(drive(f).scrollValue(), Integer{4});
        QCOMPARE(q(drive(f).mnuID()(1).Caption()), QStringLiteral("9:20:00   edit.tl2"));
        QCOMPARE(q(w->status()), QStringLiteral("9:20:00   edit.tl2"));
        QCOMPARE(hits(w->current()), 0);
        QCOMPARE(q(drive(f).searchText()), QStringLiteral("漢"));
    }

    void refreshesWithinOneSecond_keepTheSameId() {
        w->open(w->writeDocument(QStringLiteral("edit.tl2"), 4));
        frmMain& f = *w->form;
        w->clock = u"9:20:00";
        for (int i = 0; i < 3; ++i) {
            f.mnuRenewal_Click();
            QCOMPARE(drive(f).documentCount(), Long{1});
            QCOMPARE(q(drive(f).mnuID()(1).Caption()), QStringLiteral("9:20:00   edit.tl2"));
        }
        QVERIFY(w->messages.messages().empty());
    }

    void refreshOfAFileThatIsGone_keepsTheDocument() {
        const String path = w->writeDocument(QStringLiteral("gone.tl2"), 6);
        w->open(path);
        QFile::remove(q(path));
        w->clock = u"9:30:00";
        w->form->mnuRenewal_Click();
        QCOMPARE(drive(*w->form).documentCount(), Long{1});
        QCOMPARE(w->current().GyouArraySize(), Integer{6});
        QCOMPARE(q(drive(*w->form).mnuID()(1).Caption()), QStringLiteral("9:05:31 gone.tl2"));
        QVERIFY(lastMessage().endsWith(QStringLiteral("ファイルを開けません。")));
    }

    // --- Search ---
    void search_marksEveryOccurrenceWithoutOverlapAndHitsAccumulate() {
        w->open(w->writeFile(QStringLiteral("kana.tl2"), "ああ\r\nあああ\r\nアア\r\nいあ\r\n"));
        frmMain& f = *w->form;
        drive(f).typeSearch(u"ああ");
        f.cmdSearch_Click();
        const CViewData& view = w->current();
        QVERIFY(view.ReversalChar(1, 1) && view.ReversalChar(1, 2));
        QVERIFY(view.ReversalChar(2, 1) && view.ReversalChar(2, 2) && !view.ReversalChar(2, 3));
        QVERIFY(!view.ReversalChar(3, 1));  // katakana is not hiragana
        QVERIFY(drive(f).hitsShown());
        QVERIFY(drive(f).cmdClear().Enabled());
        drive(f).typeSearch(u"い");
        f.cmdSearch_Click();
        QVERIFY(view.ReversalChar(4, 1) && view.ReversalChar(1, 1));
        QCOMPARE(hits(view), 5);
    }

    void hitCount_isTheWordsWithEveryWordShownApart_andClearShowsTheLineCountsAgain() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 2));  // 漢 and 字, 10 each a line
        frmMain& f = *w->form;
        const struct {
            const char16_t* word;
            QString status;
        } searches[] = {
            {u"漢", QStringLiteral("9:05:31 a.tl2   検索「漢」20件")},
            {u"字", QStringLiteral("9:05:31 a.tl2   検索「字」20件(2語で計40件)")},
            // Not counted twice.
            {u"漢", QStringLiteral("9:05:31 a.tl2   検索「漢」20件(2語で計40件)")},
        };
        for (const auto& search : searches) {
            drive(f).typeSearch(search.word);
            f.cmdSearch_Click();
            QCOMPARE(q(w->status()), search.status);
        }
        f.cmdClear_Click();
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 a.tl2   2行×20段(最長)   40字 (400字詰め 1枚)"));
        drive(f).typeSearch(u"字");
        f.cmdSearch_Click();
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 a.tl2   検索「字」20件"));
    }

    void emptySearchWord_isAskedForAndChangesNothing() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 2));
        w->form->cmdSearch_Click();
        QCOMPARE(lastMessage(), QStringLiteral("検索する単語を入力して下さい。"));
        QVERIFY(!drive(*w->form).hitsShown());
        QVERIFY(!drive(*w->form).cmdClear().Enabled());
    }

    void wordThatDoesNotOccur_stillTurnsTheHitDisplayOn() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 2));
        drive(*w->form).typeSearch(u"猫");
        w->form->cmdSearch_Click();
        QVERIFY(drive(*w->form).hitsShown());
        QCOMPARE(hits(w->current()), 0);
    }

    void clear_resetsOnlyTheCurrentDocumentAndHidesHitsEverywhere() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 2));
        frmMain& f = *w->form;
        drive(f).typeSearch(u"漢");
        f.cmdSearch_Click();
        w->clock = u"9:06:00";
        w->open(w->writeDocument(QStringLiteral("b.tl2"), 2));
        drive(f).typeSearch(u"字");
        f.cmdSearch_Click();
        f.mnuStyleType_Click(1);
        f.cmdClear_Click();
        QCOMPARE(hits(drive(f).document(2)), 0);
        QVERIFY(hits(drive(f).document(1)) > 0);  // kept, and shown again by the next search
        QVERIFY(!drive(f).hitsShown());
        QVERIFY(!drive(f).cmdClear().Enabled());
        QCOMPARE(q(drive(f).searchText()), QString());
    }

    void hitsAreDrawnInTheHitColourOnlyWhileShown() {
        w->open(w->writeFile(QStringLiteral("cat.tl2"), "猫\r\n"));
        frmMain& f = *w->form;
        drive(*w->form).cdlFileOpen().Color(0x0000FF);  // red
        QVERIFY(!viewShowsRed());
        drive(f).typeSearch(u"猫");
        f.cmdSearch_Click();
        QVERIFY(viewShowsRed());
        f.cmdClear_Click();
        QVERIFY(!viewShowsRed());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainCommandsTest)
#include "frmMainCommandsTest.moc"
