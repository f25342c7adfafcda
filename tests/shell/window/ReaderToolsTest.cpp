// The reader's tools in the window: progress and time left, bookmarks through a restart, a
// changed file and a refresh, contents, go to, selecting and copying across a page break,
// and the ruby shown always, never or under the pointer.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "common/Utf8.h"
#include "flow/PagePoints.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using Kind = ReaderTools::GoToKind;

class ReaderToolsTest : public QObject {
    Q_OBJECT

private:
    // Chapters of paragraphs with ruby: many pages in the default view.
    static QByteArray story(int chapters) {
        QByteArray text = QStringLiteral("物語\n作者\n\n").toUtf8();
        for (int c = 0; c < chapters; ++c) {
            text += QStringLiteral("第%1章［＃「第%1章」は中見出し］\n").arg(c + 1).toUtf8();
            for (int p = 0; p < 8; ++p)
                text += QStringLiteral(
                            "　第%1段。｜吾輩《わがはい》は猫である。名前はまだ無い。どこで生れ"
                            "たかとんと見当がつかぬ。何でも薄暗いじめじめした所で泣いていた事だけ"
                            "は記憶している。\n")
                            .arg(p + 1)
                            .toUtf8();
        }
        return text;
    }
    static String write(testing::WindowFixture& w, const QString& name, const QByteArray& text) {
        const QString path = w.folder.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(text);
        return path.toStdU16String();
    }
    static QString text(std::u32string_view text) {
        return QString::fromStdU32String(std::u32string(text));
    }

private slots:
    void progress_showsSpeedAndTimeLeftAfterAFewMinutes() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("story.txt"), story(4)));
        const testing::WindowDriver d = drive(*w.form);
        double now = 100;
        d.tools().setClock([&now] { return now; });
        QVERIFY(d.tools().progressText().contains(QStringLiteral(" 字")));
        QVERIFY(!d.tools().progressText().contains(QStringLiteral("毎分")));
        for (int turn = 0; turn < 4; ++turn) {
            now += 60;
            d.press(Qt::Key_Left);
        }
        const QString shown = d.tools().progressText();
        QVERIFY2(shown.contains(QStringLiteral("毎分")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("残り")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("この章")), qPrintable(shown));
        d.tools().setProgressShown(false);
        QVERIFY(!d.tools().progressShown());

        // A tl2 document: its first line of all and the percentage.
        w.open(w.writeDocument(QStringLiteral("lines.tl2"), 50));
        d.tools().setProgressShown(true);
        QCOMPARE(d.tools().progressText(), QStringLiteral("1 / 50 行（2%）"));
        d.tools().goTo(Kind::Line, 25);
        QCOMPARE(d.tools().progressText(), QStringLiteral("25 / 50 行（50%）"));
    }

    void bookmarks_surviveRestartRefreshAndAChangedFile() {
        auto w = std::make_unique<testing::WindowFixture>();
        QTemporaryDir config;
        w->form->useSettings(config.path());
        w->form->settings()->setDebounceInterval(0);
        const String path = write(*w, QStringLiteral("story.txt"), story(6));
        w->open(path);
        testing::WindowDriver d = drive(*w->form);
        d.scrollTo(3);
        d.tools().addBookmark();
        const flow::Place first = d.prosePlace();
        d.scrollTo(7);
        d.tools().addBookmark();
        const flow::Place second = d.prosePlace();
        QCOMPARE(d.tools().bookmarks().size(), std::size_t{2});
        QVERIFY(d.tools().bookmarks()[0].name.contains(QStringLiteral("吾輩")) ||
                !d.tools().bookmarks()[0].name.isEmpty());
        w->form->saveSession();
        w->form.reset();

        frmMain again(w->dialog, w->messages);
        again.useSettings(config.path());
        again.restoreSession();
        const testing::WindowDriver r = drive(again);
        QCOMPARE(r.tools().bookmarks().size(), std::size_t{2});
        QVERIFY(r.tools().jumpToBookmark(0));
        QVERIFY(r.prosePlace() == first);
        QCOMPARE(int{r.scrollValue()}, r.prosePageOfPlace());
        again.mnuRenewal_Click();
        QCOMPARE(r.tools().bookmarks().size(), std::size_t{2});
        QVERIFY(r.tools().jumpToBookmark(1));
        QVERIFY(r.prosePlace() == second);
        r.tools().renameBookmark(1, QStringLiteral(" 山場 "));
        QCOMPARE(r.tools().bookmarks()[1].name, QStringLiteral("山場"));

        // The file loses its second half: the second bookmark goes to the nearest place.
        write(*w, QStringLiteral("story.txt"), story(1));
        again.mnuRenewal_Click();
        QVERIFY(!r.tools().jumpToBookmark(1));
        QVERIFY(r.prosePlace().paragraph < r.proseDocument().paragraphs.size());
        QVERIFY(QString::fromStdU16String(r.statusText()).contains(QStringLiteral("しおり")));
        r.tools().removeBookmark(0);
        QCOMPARE(r.tools().bookmarks().size(), std::size_t{1});
        QCOMPARE(again.settings()->bookmarksOf(QString::fromStdU16String(path)).size(),
                 std::size_t{1});
    }

    void contents_listTheHeadingsAndGoThere() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("story.txt"), story(5)));
        const testing::WindowDriver d = drive(*w.form);
        const auto headings = d.tools().contents();
        QCOMPARE(headings.size(), std::size_t{5});
        QCOMPARE(text(headings[2].text), QStringLiteral("第3章"));
        QCOMPARE(d.tools().currentChapter(), 0L);
        d.tools().goToHeading(3);
        QCOMPARE(d.prosePlace().paragraph, headings[3].paragraph);
        QCOMPARE(d.tools().currentChapter(), 3L);
        QCOMPARE(int{d.scrollValue()}, d.prosePageOfPlace());

        w.open(write(w, QStringLiteral("plain.txt"), QStringLiteral("題\n著者\n\n本文だけ。\n").toUtf8()));
        QVERIFY(d.tools().contents().empty());
    }

    void goTo_pagePercentCharacterAndLine() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("story.txt"), story(4)));
        const testing::WindowDriver d = drive(*w.form);
        const Integer last = d.scrollMin();
        const prose::CharacterIndex index(d.proseDocument());
        struct Case {
            Kind kind;
            long value;
            int page;
        } cases[] = {
            {Kind::Page, 3, 2},
            {Kind::Page, 99999, last},
            {Kind::Page, -4, 0},
            {Kind::Percent, 100, last},
            {Kind::Percent, 0, 0},
            {Kind::Character, 1, 0},
            {Kind::Character, index.total(), last},
            {Kind::Character, 1000, d.proseLayout().pageOf(index.placeOf(999))},
        };
        for (const Case& c : cases) {
            d.tools().goTo(c.kind, c.value);
            QCOMPARE(int{d.scrollValue()}, c.page);
        }
        w.open(w.writeDocument(QStringLiteral("lines.tl2"), 60));
        d.tools().goTo(Kind::Line, 30);
        QCOMPARE(d.lineNumberText(), String(u"30"));
        d.tools().goTo(Kind::Percent, 100);
        QCOMPARE(d.scrollValue(), d.scrollMin());
        d.tools().goTo(Kind::Page, 2);
        QVERIFY(d.scrollValue() > 0);
    }

    // A drag from one page out of the view's left edge selects on into the next page; the
    // text copied is the text between the two ends, with its ruby or without.
    void selection_dragsAcrossAPageBreakAndCopies() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("story.txt"), story(3)));
        const testing::WindowDriver d = drive(*w.form);
        double now = 0;
        d.tools().setClock([&now] { return now; });
        d.scrollTo(1);
        const flow::FlowMetrics& m = d.proseLayout().metrics();
        PictureBox& view = d.picView();
        // The press is in the page's first column; it turns the page as a click does, and
        // the drag that follows brings it back.
        const QPoint start(m.bodyX(0) + m.fontSize / 2, static_cast<int>(m.rowY(2)) + 2);
        QTest::mousePress(&view, Qt::LeftButton, {}, start);
        QCOMPARE(int{d.scrollValue()}, 0);  // the right part of the view goes back
        QTest::mouseMove(&view, start + QPoint(-m.columnPitch * 2, 0));
        QCOMPARE(int{d.scrollValue()}, 1);
        QVERIFY(d.tools().hasSelection());
        now += 1;
        QTest::mouseMove(&view, QPoint(-5, static_cast<int>(m.rowY(5))));
        QCOMPARE(int{d.scrollValue()}, 2);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(-5, static_cast<int>(m.rowY(5))));
        const flow::Place pageBreak = d.proseLayout().firstPlaceOn(2);
        const flow::Place from = *flow::caretAt(d.proseLayout().page(1), m, start.x(), start.y());
        const flow::Place to = *flow::caretAt(d.proseLayout().page(2), m, 0, m.rowY(5));
        QVERIFY(from < pageBreak && pageBreak < to);
        d.tools().setCopyRuby(false);
        QCOMPARE(d.tools().selectedText(),
                 text(prose::textBetween(d.proseDocument(), from, to, false)));
        QVERIFY(!d.tools().selectedText().contains(u'《'));
        d.tools().setCopyRuby(true);
        QCOMPARE(d.tools().selectedText(),
                 text(prose::textBetween(d.proseDocument(), from, to, true)));
        QVERIFY(d.tools().selectedText().contains(QStringLiteral("｜吾輩《わがはい》")));
        d.tools().copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), d.tools().selectedText());

        // A double click selects the word there, on the page of its first click.
        d.scrollTo(1);
        const flow::FlowLayout::Page page = d.proseLayout().page(1);
        const auto& column = page.columns.back();
        const QPoint word(m.bodyX(column.index) + m.fontSize / 2,
                          static_cast<int>(m.rowY(column.cells.front().row)) + 3);
        QTest::mouseClick(&view, Qt::LeftButton, {}, word);
        QTest::mouseDClick(&view, Qt::LeftButton, {}, word);
        QCOMPARE(int{d.scrollValue()}, 1);
        const flow::Place at{column.paragraph, column.cells.front().start};
        const auto [wordFrom, wordTo] = prose::wordAt(d.proseDocument(), at);
        QCOMPARE(d.tools().selectedText(),
                 text(prose::textBetween(d.proseDocument(), wordFrom, wordTo, true)));

        // Ctrl+A takes the whole book; a click clears it.
        d.tools().selectAll();
        QCOMPARE(d.tools().selectedText().count(u'\n') + 1,
                 static_cast<qsizetype>(d.proseDocument().paragraphs.size()));
        QTest::mouseClick(&view, Qt::LeftButton, {}, word);
        QVERIFY(!d.tools().hasSelection());
    }

    void selection_ofTl2Lines() {
        testing::WindowFixture w;
        w.open(w.writeFile(QStringLiteral("three.tl2"),
                           "ﾙﾋﾞ\r\n一行目\r\nﾙﾋﾞ\r\n二行目　\r\nﾙﾋﾞ\r\n三行目\r\n"));
        const testing::WindowDriver d = drive(*w.form);
        d.tools().selectAll();
        QCOMPARE(d.tools().selectedText(), QStringLiteral("一行目\n二行目\n三行目"));
        d.tools().select({3, 0}, {2, 0});
        QCOMPARE(d.tools().selectedText(), QStringLiteral("二行目\n三行目"));
    }

    // A gaiji without a code is drawn as 〓; the pointer on it puts its description in the
    // status bar.
    void gaijiUnderThePointer_isDescribed() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("gaiji.txt"),
                     QStringLiteral("題\n著者\n\n　その※［＃「口＋世」、12-3］を見た。\n").toUtf8()));
        const testing::WindowDriver d = drive(*w.form);
        const prose::Paragraph& paragraph = d.proseDocument().paragraphs.front();
        QCOMPARE(paragraph.gaiji.size(), std::size_t{1});
        QVERIFY(!paragraph.gaiji.front().mapped);
        const flow::FlowMetrics& m = d.proseLayout().metrics();
        const flow::FlowLayout::Page page = d.proseLayout().page(0);
        const auto& column = page.columns.front();
        const auto cell = std::find_if(column.cells.begin(), column.cells.end(), [&](auto& c) {
            return c.start == paragraph.gaiji.front().start;
        });
        QVERIFY(cell != column.cells.end());
        const QPointF point(m.bodyX(column.index) + m.fontSize / 2, m.rowY(cell->row) + 3);
        QMouseEvent move(QEvent::MouseMove, point, d.picView().mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&d.picView(), &move);
        QVERIFY2(QString::fromStdU16String(d.statusText()).contains(QStringLiteral("外字：「口＋世」")),
                 qPrintable(QString::fromStdU16String(d.statusText())));
    }

    void rubyModes_reflowProseAndKeepThePlace() {
        testing::WindowFixture w;
        w.open(write(w, QStringLiteral("story.txt"), story(4)));
        const testing::WindowDriver d = drive(*w.form);
        d.scrollTo(4);
        const flow::Place place = d.prosePlace();
        const int pages = d.proseLayout().pageCount();
        d.tools().setRubyMode(ReaderTools::RubyMode::None);
        QVERIFY(d.proseLayout().pageCount() < pages);
        QCOMPARE(int{d.scrollValue()}, d.proseLayout().pageOf(place));
        d.tools().setRubyMode(ReaderTools::RubyMode::Hover);
        QVERIFY(d.proseLayout().pageCount() < pages);
        d.tools().setRubyMode(ReaderTools::RubyMode::All);
        QCOMPARE(d.proseLayout().pageCount(), pages);
        QCOMPARE(int{d.scrollValue()}, d.proseLayout().pageOf(place));

        // tl2: the same page without its ruby column drawn.
        w.open(w.writeDocument(QStringLiteral("lines.tl2"), 5));
        const QImage withRuby = d.viewImage().copy();
        d.tools().setRubyMode(ReaderTools::RubyMode::None);
        QVERIFY(d.viewImage() != withRuby);
        d.tools().setRubyMode(ReaderTools::RubyMode::All);
        QVERIFY(d.viewImage() == withRuby);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::ReaderToolsTest)
#include "ReaderToolsTest.moc"
