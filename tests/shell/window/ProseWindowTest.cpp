// Prose documents in the window: the pages turn with the keys and the clicks, the place (a
// character) survives a new zoom, a new size and a refresh, the search counts the book, and
// the status bar's length follows the file as it is saved.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "common/Utf8.h"
#include "flow/FlowLayout.h"
#include "prose/AozoraReader.h"
#include "shell/window/FileFollower.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;

class ProseWindowTest : public QObject {
    Q_OBJECT

private:
    // A story of `paragraphs` paragraphs with ruby.
    static QByteArray storyText(int paragraphs) {
        QByteArray text = QStringLiteral("物語\n作者\n\n").toUtf8();
        for (int p = 0; p < paragraphs; ++p)
            text += QStringLiteral(
                        "　第%1段。｜吾輩《わがはい》は猫である。名前はまだ無い。どこで生れたか"
                        "とんと見当がつかぬ。何でも薄暗いじめじめした所で泣いていた事だけは記憶して"
                        "いる。\n")
                        .arg(p + 1)
                        .toUtf8();
        return text;
    }
    // The length as the status bar shows it, counted from the text by the layout's rule.
    static QString lengthOf(const QByteArray& text) {
        const flow::FlowLayout::Length length = flow::FlowLayout::length(
            prose::readProseBytes(std::string_view(text.constData(), text.size())));
        return QStringLiteral("%1字・400字詰め%2枚").arg(length.characters).arg(length.sheets400);
    }
    // A story of forty paragraphs with ruby: many pages in the default view.
    static std::unique_ptr<testing::WindowFixture> openedStory() {
        auto w = std::make_unique<testing::WindowFixture>();
        const QByteArray text = storyText(40);
        const QString path = w->folder.filePath(QStringLiteral("story.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) return nullptr;
        file.close();
        w->open(path.toStdU16String());
        return w;
    }

private slots:
    void keysAndClicks_turnThePages() {
        auto w = openedStory();
        QVERIFY(w && drive(*w->form).currentIsProse());
        const testing::WindowDriver d = drive(*w->form);
        QVERIFY(!d.styleCommandsEnabled());
        const Integer last = d.scrollMin();
        QVERIFY2(last >= 4, "the story should fill several pages");
        struct Step {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int change;
        };
        const Step steps[] = {
            {Qt::Key_Left, Qt::NoModifier, 1},    {Qt::Key_PageDown, {}, 1},
            {Qt::Key_Space, Qt::NoModifier, 1},   {Qt::Key_Right, {}, -1},
            {Qt::Key_PageUp, Qt::NoModifier, -1}, {Qt::Key_Space, Qt::ShiftModifier, -1}};
        int expected = 0;
        for (const Step& step : steps) {
            d.press(step.key, step.modifiers);
            expected += step.change;
            QCOMPARE(int{d.scrollValue()}, expected);
            QCOMPARE(d.lineNumberText(), utf8::toUtf16(std::to_string(expected + 1)));
        }
        d.press(Qt::Key_End);
        QCOMPARE(d.scrollValue(), last);
        QVERIFY(
            QString::fromStdU16String(d.statusText())
                .contains(QStringLiteral("%1 / %2 ページ（100%）").arg(last + 1).arg(last + 1)));
        d.press(Qt::Key_Home);
        QCOMPARE(int{d.scrollValue()}, 0);
        // The left part of the view goes on, the right part back.
        d.click(10, 100);
        QCOMPARE(int{d.scrollValue()}, 1);
        d.click(d.picView().ScaleWidth() - 10, 100);
        QCOMPARE(int{d.scrollValue()}, 0);
    }

    void zoomSizeAndRefresh_keepTheFirstCharacterInView() {
        auto w = openedStory();
        QVERIFY(w);
        const testing::WindowDriver d = drive(*w->form);
        d.scrollTo(3);
        const flow::Place place = d.prosePlace();
        QVERIFY(place.paragraph > 0 || place.offset > 0);
        const auto keeps = [&](const char* what) {
            QVERIFY2(d.prosePlace() == place, what);
            QVERIFY2(int{d.scrollValue()} == d.prosePageOfPlace(), what);
        };
        w->form->zoomTo(50);
        keeps("zoom 50");
        w->form->zoomTo(100);
        keeps("zoom 100");
        // Prose is not held at 100 %: every step in sets larger text on more pages, up to
        // 400 %, and the character stays in view.
        int pages = int{d.scrollMin()} + 1;
        for (int step = 0; step < 7; ++step) {
            w->form->zoomStep(1);
            keeps("zoom step in");
            const int now = int{d.scrollMin()} + 1;
            QVERIFY2(now > pages, "larger text, more pages");
            pages = now;
        }
        QCOMPARE(w->form->zoomPercent(), 400);
        w->form->zoomStep(1);
        QCOMPARE(w->form->zoomPercent(), 400);
        QVERIFY(d.statusText().find(u"最大") != String::npos);
        w->form->zoomTo(100);
        keeps("zoom back to 100");
        w->form->resize(900, 500);
        QTest::qWait(20);
        keeps("resize");
        w->form->mnuRenewal_Click();
        keeps("refresh");
    }

    // While a page is read, the glyphs of the pages on either side are made: the turn itself
    // then makes none. Every paragraph has kanji of its own, so that every page has new ones.
    void aTurn_findsTheNextPagesGlyphsMadeWhileThePageWasRead() {
        auto w = std::make_unique<testing::WindowFixture>();
        QString text = QStringLiteral("字\n作者\n\n");
        for (int p = 0; p < 40; ++p) {
            for (int c = 0; c < 60; ++c) text += QChar(0x4E00 + p * 60 + c);
            text += QStringLiteral("。\n");
        }
        const QString path = w->folder.filePath(QStringLiteral("kanji.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        file.close();
        w->open(path.toStdU16String());
        const testing::WindowDriver d = drive(*w->form);
        QVERIFY(d.currentIsProse() && d.scrollMin() >= 3);
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Right}) {
            const auto shown = w->form->surface().counters().glyphsRendered;
            QTest::qWait(200);
            const auto prepared = w->form->surface().counters().glyphsRendered;
            QVERIFY2(prepared > shown, "the neighbours' glyphs are made while the page is read");
            d.press(key);
            QCOMPARE(w->form->surface().counters().glyphsRendered, prepared);
        }
    }

    void restart_bringsTheBookBackAtItsCharacter() {
        auto w = openedStory();
        QVERIFY(w);
        QTemporaryDir config;
        w->form->useSettings(config.path());
        w->form->settings()->setDebounceInterval(0);
        drive(*w->form).scrollTo(3);
        const flow::Place place = drive(*w->form).prosePlace();
        QVERIFY(place.paragraph > 0);
        w->form->saveSession();
        w->form.reset();  // closing writes the session

        frmMain again(w->dialog, w->messages);
        again.useSettings(config.path());
        again.restoreSession();
        QVERIFY(drive(again).currentIsProse());
        QVERIFY(drive(again).prosePlace() == place);
        QCOMPARE(int{drive(again).scrollValue()}, drive(again).prosePageOfPlace());
        QCOMPARE(int{drive(again).scrollValue()}, 3);
    }

    void emptyText_opensAsOnePage_andEveryCommandKeepsIt() {
        testing::WindowFixture w;
        const QString path = w.folder.filePath(QStringLiteral("empty.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        w.open(path.toStdU16String());
        const testing::WindowDriver d = drive(*w.form);
        QVERIFY(d.currentIsProse());
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_End, Qt::Key_Space, Qt::Key_Home})
            d.press(key);
        d.search(u"猫");
        w.form->zoomTo(50);
        w.form->mnuRenewal_Click();
        QCOMPARE(int{d.scrollValue()}, 0);
        QCOMPARE(d.documentCount(), Long{1});
        QVERIFY(QString::fromStdU16String(d.statusText()).contains(QStringLiteral("empty.txt")));
    }

    // Saving the followed file reads it again: the status bar counts the new text.
    void savedFile_updatesTheLengthInTheStatusBar() {
        auto w = openedStory();
        QVERIFY(w);
        w->form->fileFollower().setQuietPeriod(50);
        QVERIFY2(QString::fromStdU16String(w->status()).contains(lengthOf(storyText(40))),
                 qPrintable(QString::fromStdU16String(w->status())));
        const QByteArray longer = storyText(90);
        QFile file(w->folder.filePath(QStringLiteral("story.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(longer), longer.size());
        file.close();
        QTRY_VERIFY2_WITH_TIMEOUT(QString::fromStdU16String(w->status()).contains(lengthOf(longer)),
                                  qPrintable(QString::fromStdU16String(w->status())), 5000);
    }

    void search_countsEveryHitOfTheBook() {
        auto w = openedStory();
        QVERIFY(w);
        const testing::WindowDriver d = drive(*w->form);
        d.search(u"猫");
        QVERIFY(
            QString::fromStdU16String(d.statusText()).contains(QStringLiteral("検索「猫」40件")));
        // The next hit is on a later page; from the last page it goes round to the first.
        d.press(Qt::Key_End);
        w->form->cmdNextHit_Click();
        QCOMPARE(int{d.scrollValue()}, 0);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::ProseWindowTest)
#include "ProseWindowTest.moc"
