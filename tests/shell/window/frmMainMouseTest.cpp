#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <cmath>
#include <limits>

#include "common/Version.h"
#include "shell/controls/ClassicMouse.h"
#include "shell/controls/Screen.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/controls/Twips.h"
#include "shell/window/ApplicationIcon.h"
#include "shell/window/HelpWindow.h"
#include "shell/window/PointerImages.h"
#include "shell/window/frmAbout.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"
#include "view/ScrollPosition.h"

namespace tavelo {

using testing::drive;
using testing::q;
using Zone = PointerImages::Zone;

namespace {

const QString kWrongExtension =
    QStringLiteral("拡張子が .tl2、.txt、.zip のどれでもないのでファイルを開けません。");
const QString kOnlyOneFile = QStringLiteral("ファイルは一つだけ選択して下さい。");

// Where the build puts the program with its help and pointer images.
ResourceLocator programResources() {
    return ResourceLocator(QStringLiteral(TAVELO_PROGRAM_DIR));
}

std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

QImage iconFile(Zone zone) {
    QImageReader reader(QStringLiteral(TAVELO_PROGRAM_DIR "/") + PointerImages::fileName(zone),
                        "ico");
    reader.setDecideFormatFromContent(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QImage imageOf(const QCursor& cursor) {
    return cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

Single justBelow(Single x) {
    return std::nextafter(x, -std::numeric_limits<Single>::infinity());
}
Single justAbove(Single x) {
    return std::nextafter(x, std::numeric_limits<Single>::infinity());
}

}  // namespace

class frmMainMouseTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;

    [[nodiscard]] frmMain& form() const { return *w->form; }
    [[nodiscard]] QStringList messages() const {
        QStringList texts;
        for (const String& text : w->messages.messages()) texts.push_back(q(text));
        return texts;
    }

    // One drag over the view as the desktop delivers it: an enter, `moves` moves and then
    // either a drop or a leave. Returns whether the view took the drop.
    bool drag(const QMimeData& data, int moves, bool drop) {
        PictureBox& view = drive(form()).picView();
        const QPoint at(100, 100);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &enter);
        bool accepted = enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
        for (int i = 0; i < moves; ++i) {
            QDragMoveEvent move(at + QPoint(i, i), actions, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&view, &move);
            accepted = move.isAccepted() && move.dropAction() == Qt::CopyAction;
        }
        if (!drop) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(&view, &leave);
            return false;
        }
        QDropEvent dropEvent(at, actions, &data, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &dropEvent);
        return accepted && dropEvent.isAccepted();
    }
    bool dropFiles(const QStringList& paths) { return drag(*filesData(paths), 3, true); }

    // A document whose last position in the small style is `lastPosition`.
    void openDocumentWithLastPosition(Integer lastPosition) {
        w->open(w->writeDocument(QStringLiteral("doc.tl2"), lastPosition + 1, 8));
        QCOMPARE(drive(form()).scrollMin(), lastPosition);
    }

    // X of each zone of the view, in pixels (the view's scale once a document is open).
    [[nodiscard]] Single xIn(Zone zone) const {
        const Single width = drive(form()).picView().ScaleWidth();
        switch (zone) {
            case Zone::FarLeft:
                return width / 16;
            case Zone::Left:
                return width * 3 / 8;
            case Zone::Right:
                return width * 5 / 8;
            case Zone::FarRight:
                return width * 15 / 16;
        }
        return -1;
    }

    // A left click in `zone` at scroll position `from`; the position it leaves.
    Integer clickFrom(Integer from, Zone zone) {
        drive(form()).scrollTo(from);
        form().picView_MouseDown(classicmouse::kLeftButton, 0, xIn(zone), 100);
        return drive(form()).scrollValue();
    }

    static void sendMouseMove(QWidget& widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget.mapToGlobal(QPointF(3, 3)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
    }
    static void sendLeftPress(QWidget& widget, QPointF at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &press);
    }

    [[nodiscard]] QList<HelpWindow*> helpWindows() const {
        return form().findChildren<HelpWindow*>();
    }
    [[nodiscard]] QList<frmAbout*> aboutBoxes() const { return form().findChildren<frmAbout*>(); }

    // Where the status bar places the window: its Left in whole pixels, as the window moves.
    static int leftPixels(Single twipsLeft) { return twips::toPixels(twipsLeft); }

private slots:
    void init() {
        w = std::make_unique<testing::WindowFixture>();
        w->form->setResources(programResources());
    }
    void cleanup() { w.reset(); }

    // --- Dropping a file: accepted ---
    void droppedTl2File_opensAsTheFirstDocumentWithTheNameWithoutFolder() {
        QVERIFY(QDir(w->folder.path()).mkpath(QStringLiteral("作品")));
        const String path = w->writeDocument(QStringLiteral("作品/sample.tl2"), 12, 38);
        QVERIFY(dropFiles({q(path)}));
        frmMain& f = form();
        QVERIFY(messages().isEmpty());
        QCOMPARE(w->dialog.openCount, 0);
        QCOMPARE(drive(f).documentCount(), Long{1});
        QCOMPARE(q(drive(f).fileName()), QStringLiteral("sample.tl2"));
        QCOMPARE(drive(f).fullPathName(), path);
        QCOMPARE(q(drive(f).mnuID()(1).Caption()), QStringLiteral("9:05:31 sample.tl2"));
        QCOMPARE(q(w->status()), QStringLiteral("9:05:31 sample.tl2   12行×38段(最長)   456字 (400字詰め 2枚)"));
        // The first document switches the commands on as the open command does.
        QVERIFY(drive(f).mnuID()(0).Visible());
        QVERIFY(drive(f).mnuStyle().Enabled() && drive(f).styleChecked(0));
        QVERIFY(drive(f).mnuRenewal().Enabled() && drive(f).tlb1().Buttons(6).Enabled());
        QVERIFY(drive(f).txtSearch().Enabled() && drive(f).cmdSearch().Enabled());
        QVERIFY(drive(f).cmdHead().Enabled() && drive(f).cmdEnd().Enabled() &&
                drive(f).hsb1().Enabled());
        QCOMPARE(drive(f).picView().ScaleMode(), Integer{PictureBox::vbPixels});
        QCOMPARE(f.focusWidget(), static_cast<QWidget*>(&drive(f).hsb1()));
        QCOMPARE(q(drive(f).lineNumberText()), QStringLiteral("1"));
    }

    void droppedFile_isWhatRefreshReadsAgain() {
        const String path = w->writeDocument(QStringLiteral("edit.tl2"), 4);
        QVERIFY(dropFiles({q(path)}));
        w->writeDocument(QStringLiteral("edit.tl2"), 7);
        w->clock = u"9:06:00";
        form().mnuRenewal_Click();
        QCOMPARE(w->current().GyouArraySize(), Integer{7});
        QCOMPARE(q(drive(form()).mnuID()(1).Caption()), QStringLiteral("9:06:00   edit.tl2"));
    }

    void secondDrop_addsAnEntryAndKeepsTheStyle() {
        w->open(w->writeDocument(QStringLiteral("a.tl2"), 5));
        form().mnuStyleType_Click(1);
        drive(form()).scrollTo(3);
        drive(form()).typeSearch(u"漢");
        w->clock = u"9:07:00";
        QVERIFY(dropFiles({q(w->writeDocument(QStringLiteral("b.tl2"), 6))}));
        frmMain& f = form();
        QCOMPARE(drive(f).documentCount(), Long{2});
        QCOMPARE(drive(f).currentIndex(), Integer{2});
        QCOMPARE(q(drive(f).mnuID()(2).Caption()), QStringLiteral("9:07:00 b.tl2"));
        QVERIFY(drive(f).styleChecked(1));
        QCOMPARE(drive(f).scrollMin(), Integer{11});
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(q(drive(f).searchText()), QString());
    }

    void droppedFileThatCannotBeRead_isReportedAndAddsNothing() {
        QVERIFY(dropFiles({w->folder.filePath(QStringLiteral("gone.tl2"))}));
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages().front().endsWith(QStringLiteral("gone.tl2 ファイルを開けません。")));
        QCOMPARE(drive(form()).documentCount(), Long{0});
        QVERIFY(!drive(form()).mnuStyle().Enabled());
        QVERIFY(!drive(form()).mnuID()(0).Visible());
    }

    void droppedFolderNamedLikeATl2File_addsNothing() {
        QVERIFY(QDir(w->folder.path()).mkpath(QStringLiteral("folder.tl2")));
        QVERIFY(dropFiles({w->folder.filePath(QStringLiteral("folder.tl2"))}));
        QCOMPARE(messages().size(), 1);
        QCOMPARE(drive(form()).documentCount(), Long{0});
    }

    void failedOpenOrDrop_leavesRefreshOnTheDocumentShown() {
        for (const bool drop : {false, true})
            for (const int failure : {0, 1, 2}) {  // missing, a folder, too large
                init();
                const String a = w->writeDocument(QStringLiteral("a.tl2"), 5);
                w->open(a);
                const QString b = w->folder.filePath(QStringLiteral("b.tl2"));
                if (failure == 1) QVERIFY(QDir().mkpath(b));
                if (failure == 2) w->writeBytes(QStringLiteral("b.tl2"), std::string(40000, ' '));
                drop ? (void)dropFiles({b}) : w->open(b.toStdU16String());
                const auto told = w->messages.messages().size();
                form().mnuRenewal_Click();  // reloads a.tl2, silently
                QCOMPARE(w->messages.messages().size(), told);
                QDir(b).removeRecursively();
                w->writeDocument(QStringLiteral("b.tl2"), 9);
                w->clock = u"9:11:00";
                form().mnuRenewal_Click();  // still a.tl2 once b.tl2 can be read
                QCOMPARE(drive(form()).fullPathName(), a);
                QCOMPARE(w->current().GyouArraySize(), Integer{5});
                QCOMPARE(q(drive(form()).mnuID()(1).Caption()), QStringLiteral("9:11:00   a.tl2"));
            }
    }

    void sameFileDroppedTwiceWithinOneSecond_getsANumberedId() {
        const String path = w->writeDocument(QStringLiteral("twice.tl2"), 3);
        QVERIFY(dropFiles({q(path)}));
        QVERIFY(dropFiles({q(path)}));
        QCOMPARE(drive(form()).documentCount(), Long{2});
        QCOMPARE(q(drive(form()).mnuID()(2).Caption()), QStringLiteral("9:05:31 twice.tl2 (2)"));
    }

    // --- Dropping: refused, and told once per drag ---
    void upperCaseExtension_isRefusedWithTheExtensionMessage() {
        const String path = w->writeDocument(QStringLiteral("SAMPLE.TL2"), 3);
        QVERIFY(!dropFiles({q(path)}));
        QCOMPARE(messages(), QStringList{kWrongExtension});
        QCOMPARE(drive(form()).documentCount(), Long{0});
        QVERIFY(drive(form()).fileName().empty());
    }

    void otherExtension_isRefusedWithTheExtensionMessage() {
        QVERIFY(!dropFiles({w->folder.filePath(QStringLiteral("notes.doc"))}));
        QCOMPARE(messages(), QStringList{kWrongExtension});
    }

    void proseText_isOpenedAsFlowingPages() {
        const QString path = w->folder.filePath(QStringLiteral("Story.TXT"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("題\n著者\n\n本文｜漢字《かんじ》です。\n").toUtf8());
        file.close();
        QVERIFY(dropFiles({path}));
        QVERIFY(messages().isEmpty());
        QCOMPARE(drive(form()).documentCount(), Long{1});
        QVERIFY(drive(form()).currentIsProse());
    }

    void twoTl2Files_areRefusedWithTheOneFileMessage() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 3);
        const String b = w->writeDocument(QStringLiteral("b.tl2"), 3);
        QVERIFY(!dropFiles({q(a), q(b)}));
        QCOMPARE(messages(), QStringList{kOnlyOneFile});
        QCOMPARE(drive(form()).documentCount(), Long{0});
    }

    void dragWithoutFiles_isRefusedWithTheOneFileMessage() {
        QMimeData text;
        text.setText(QStringLiteral("本文"));
        QVERIFY(!drag(text, 3, true));
        QCOMPARE(messages(), QStringList{kOnlyOneFile});
        QCOMPARE(drive(form()).documentCount(), Long{0});
    }

    void refusedDragMovedAndLeft_tellsOnceAndTheNextDragTellsAgain() {
        auto data = filesData({QStringLiteral("/tmp/a.doc")});
        QVERIFY(!drag(*data, 25, false));
        QCOMPARE(messages().size(), 1);
        QVERIFY(!drag(*data, 25, true));
        QCOMPARE(messages(), (QStringList{kWrongExtension, kWrongExtension}));
    }

    void acceptedDrag_isNeverToldAnything() {
        auto data = filesData({w->folder.filePath(QStringLiteral("x.tl2"))});
        QVERIFY(!drag(*data, 10, false));
        QVERIFY(messages().isEmpty());
        QCOMPARE(drive(form()).documentCount(), Long{0});
    }

    void dragOverHandler_setsCopyOnlyForOneTl2File() {
        struct Case {
            std::vector<String> files;
            Long effect;
        };
        const Case cases[] = {
            {{u"/d/a.tl2"}, PictureBox::vbDropEffectCopy},
            {{u"/d/.tl2"}, PictureBox::vbDropEffectCopy},
            {{u"/d/a.TL2"}, PictureBox::vbDropEffectNone},
            {{u"/d/a.tl2x"}, PictureBox::vbDropEffectNone},
            {{u"tl2"}, PictureBox::vbDropEffectNone},
            {{u"/d/a.tl2", u"/d/b.tl2"}, PictureBox::vbDropEffectNone},
            {{}, PictureBox::vbDropEffectNone},
        };
        for (const Case& c : cases) {
            for (const Integer state : {PictureBox::vbEnter, PictureBox::vbOver}) {
                Long effect = PictureBox::vbDropEffectCopy;
                form().picView_OLEDragOver(c.files, effect, state);
                QCOMPARE(effect, c.effect);
            }
        }
        // Told at each entry of a refused drag and at none of its moves.
        QCOMPARE(messages().size(), 5);
    }

    void refusedFilesReachingTheDropHandler_openNothing() {
        const String a = w->writeDocument(QStringLiteral("a.tl2"), 3);
        const String upper = w->writeDocument(QStringLiteral("B.TL2"), 3);
        form().picView_OLEDragDrop({a, a});
        form().picView_OLEDragDrop({upper});
        form().picView_OLEDragDrop({});
        QCOMPARE(drive(form()).documentCount(), Long{0});
        QVERIFY(drive(form()).fullPathName().empty());
        QVERIFY(messages().isEmpty());
    }

    // --- The name without folder ---
    void fileName_isWhatFollowsTheLastSlashOrBackslash() {
        QCOMPARE(q(frmMain::GetFileName(u"/home/yuki/作品/sample.tl2")),
                 QStringLiteral("sample.tl2"));
        QCOMPARE(q(frmMain::GetFileName(u"C:\\作品\\sample.tl2")), QStringLiteral("sample.tl2"));
        QCOMPARE(q(frmMain::GetFileName(u"/mnt/c\\old/b.tl2")), QStringLiteral("b.tl2"));
        QCOMPARE(q(frmMain::GetFileName(u"/mnt/c/old\\c.tl2")), QStringLiteral("c.tl2"));
        QCOMPARE(q(frmMain::GetFileName(u"sample.tl2")), QStringLiteral("sample.tl2"));
        QCOMPARE(q(frmMain::GetFileName(u"/folder/")), QString());
    }

    // --- Clicks on the view ---
    // The far zones page by the whole columns the view shows (the arithmetic is the view's
    // ClickZones and ScrollPosition; this checks the window hands them the right values).
    void farClicks_pageByTheWholeColumnsTheViewShows() {
        openDocumentWithLastPosition(25);
        frmMain& f = form();
        const Integer step = drive(f).pageStep();
        QCOMPARE(step,
                 ScrollPosition::pageStep(drive(f).document(1), 0, drive(f).viewImage().width()));
        QVERIFY(step >= 1 && step < 25);
        QCOMPARE(clickFrom(0, Zone::FarLeft), step);
        QCOMPARE(clickFrom(static_cast<Integer>(26 - step), Zone::FarLeft), Integer{25});
        QCOMPARE(clickFrom(static_cast<Integer>(step - 1), Zone::FarRight), Integer{0});
        QCOMPARE(clickFrom(25, Zone::FarRight), static_cast<Integer>(25 - step));
    }

    void leftAndRightClicks_stepOneForwardAndOneBack() {
        openDocumentWithLastPosition(25);
        QCOMPARE(clickFrom(3, Zone::Left), Integer{4});
        QCOMPARE(clickFrom(3, Zone::Right), Integer{2});
        QCOMPARE(clickFrom(0, Zone::Right), Integer{0});
    }

    void clickThatMovesRedrawsTheView() {
        openDocumentWithLastPosition(25);
        QSignalSpy changes(&drive(form()).hsb1(), &HScrollBar::Change);
        QCOMPARE(clickFrom(0, Zone::Left), Integer{1});
        QCOMPARE(changes.count(), 1);
        QCOMPARE(q(drive(form()).lineNumberText()), QStringLiteral("2"));
    }

    void leftClickAtTheEnd_movesNothingDrawsNothingAndFocusesTheScrollBar() {
        openDocumentWithLastPosition(25);
        frmMain& f = form();
        drive(f).scrollTo(25);
        drive(f).txtSearch().setFocus();
        QSignalSpy changes(&drive(f).hsb1(), &HScrollBar::Change);
        for (const Zone zone : {Zone::Left, Zone::FarLeft}) {
            f.picView_MouseDown(classicmouse::kLeftButton, 0, xIn(zone), 100);
            QCOMPARE(drive(f).scrollValue(), Integer{25});
        }
        QCOMPARE(changes.count(), 0);
        QCOMPARE(f.focusWidget(), static_cast<QWidget*>(&drive(f).hsb1()));
    }

    void rightButtonClick_movesNothingAndFocusesTheScrollBar() {
        openDocumentWithLastPosition(25);
        frmMain& f = form();
        drive(f).scrollTo(12);
        for (const Zone zone : PointerImages::kZones) {
            drive(f).txtSearch().setFocus();
            f.picView_MouseDown(classicmouse::kRightButton, 0, xIn(zone), 100);
            QCOMPARE(drive(f).scrollValue(), Integer{12});
            QCOMPARE(f.focusWidget(), static_cast<QWidget*>(&drive(f).hsb1()));
        }
    }

    void clickExactlyOnAZoneBoundary_movesNothing() {
        openDocumentWithLastPosition(25);
        frmMain& f = form();
        const Single width = drive(f).picView().ScaleWidth();
        const Integer step = drive(f).pageStep();
        for (const Single boundary : {width / 8, width / 2, (width / 8) * 7}) {
            drive(f).scrollTo(12);
            f.picView_MouseDown(classicmouse::kLeftButton, 0, boundary, 100);
            QCOMPARE(drive(f).scrollValue(), Integer{12});
        }
        // Beside each boundary the zones on either side apply.
        const struct {
            Single x;
            Integer expected;
        } beside[] = {
            {justBelow(width / 8), static_cast<Integer>(12 + step)},
            {justAbove(width / 8), 13},
            {justBelow(width / 2), 13},
            {justAbove(width / 2), 11},
            {justBelow((width / 8) * 7), 11},
            {justAbove((width / 8) * 7), static_cast<Integer>(12 - step)},
        };
        for (const auto& b : beside) {
            drive(f).scrollTo(12);
            f.picView_MouseDown(classicmouse::kLeftButton, 0, b.x, 100);
            QCOMPARE(drive(f).scrollValue(), b.expected);
        }
    }

    void leftClickInTheLargeStyle_turnsToTheLowerTierFirst() {
        w->open(w->writeDocument(QStringLiteral("ten.tl2"), 10));
        frmMain& f = form();
        f.mnuStyleType_Click(1);
        QCOMPARE(drive(f).scrollMin(), Integer{19});
        QCOMPARE(clickFrom(0, Zone::Left), Integer{1});
        QCOMPARE(clickFrom(12, Zone::FarLeft), Integer{19});
    }

    void realClickOnTheView_stepsByItsPixelPosition() {
        openDocumentWithLastPosition(25);
        frmMain& f = form();
        drive(f).scrollTo(0);
        // One pixel inside the border: far left.
        sendLeftPress(drive(f).picView(), QPointF(2, 50));
        QCOMPARE(drive(f).scrollValue(), drive(f).pageStep());
        sendLeftPress(drive(f).picView(), QPointF(drive(f).picView().width() - 3, 50));
        QCOMPARE(drive(f).scrollValue(), Integer{0});
    }

    void doubleClick_pagesAsASecondPressInEachZone() {
        openDocumentWithLastPosition(40);
        frmMain& f = form();
        const Integer step = drive(f).pageStep();
        const struct {
            Zone zone;
            Integer from, to;
        } cases[] = {
            {Zone::FarLeft, 0, static_cast<Integer>(2 * step)},
            {Zone::Left, 0, 2},
            {Zone::Right, 5, 3},
            {Zone::FarRight, 25, static_cast<Integer>(25 - 2 * step)},
        };
        for (const auto& c : cases) {
            drive(f).scrollTo(c.from);
            // A double click reaches the view as a press, a release and the double click.
            const QPointF at(xIn(c.zone) + 1, 50);
            sendLeftPress(drive(f).picView(), at);
            QMouseEvent release(QEvent::MouseButtonRelease, at, drive(f).picView().mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&drive(f).picView(), &release);
            QMouseEvent twice(QEvent::MouseButtonDblClick, at, drive(f).picView().mapToGlobal(at),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&drive(f).picView(), &twice);
            QCOMPARE(drive(f).scrollValue(), c.to);
        }
    }

    void clickWithoutADocument_showsTheArrowAndMovesNothing() {
        frmMain& f = form();
        QSignalSpy changes(&drive(f).hsb1(), &HScrollBar::Change);
        sendLeftPress(drive(f).picView(), QPointF(5, 50));
        QCOMPARE(drive(f).picView().MousePointer(), classicmouse::kArrowPointer);
        QCOMPARE(drive(f).picView().cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(drive(f).scrollValue(), Integer{0});
        QCOMPARE(changes.count(), 0);
    }

    // --- Pointers over the view ---
    void eachZone_showsItsOwnPointerImage() {
        openDocumentWithLastPosition(5);
        frmMain& f = form();
        for (const Zone zone : PointerImages::kZones) {
            f.picView_MouseMove(0, 0, xIn(zone), 100);
            QCOMPARE(drive(f).picView().MousePointer(), classicmouse::kCustomPointer);
            QCOMPARE(drive(f).picView().cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(imageOf(drive(f).picView().cursor()), iconFile(zone));
        }
        QVERIFY(iconFile(Zone::FarLeft) != iconFile(Zone::Left));
    }

    void moveOntoABoundary_keepsThePointerShownBefore() {
        openDocumentWithLastPosition(5);
        frmMain& f = form();
        const Single width = drive(f).picView().ScaleWidth();
        f.picView_MouseMove(0, 0, xIn(Zone::FarLeft), 100);
        f.picView_MouseMove(0, 0, width / 8, 100);
        QCOMPARE(imageOf(drive(f).picView().cursor()), iconFile(Zone::FarLeft));
        f.picView_MouseMove(0, 0, xIn(Zone::Right), 100);
        f.picView_MouseMove(0, 0, width / 2, 100);
        QCOMPARE(imageOf(drive(f).picView().cursor()), iconFile(Zone::Right));
    }

    void realMoveOverTheView_showsTheZonesPointer() {
        openDocumentWithLastPosition(5);
        frmMain& f = form();
        QMouseEvent move(
            QEvent::MouseMove, QPointF(drive(f).picView().width() - 3, 50),
            drive(f).picView().mapToGlobal(QPointF(drive(f).picView().width() - 3, 50)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&drive(f).picView(), &move);
        QCOMPARE(imageOf(drive(f).picView().cursor()), iconFile(Zone::FarRight));
    }

    void moveWithoutADocument_showsTheArrow() {
        frmMain& f = form();
        sendMouseMove(drive(f).picView());
        QCOMPARE(drive(f).picView().MousePointer(), classicmouse::kArrowPointer);
        QCOMPARE(drive(f).picView().cursor().shape(), Qt::ArrowCursor);
    }

    void missingPointerImages_fallBackToTheArrow() {
        QTemporaryDir empty;
        form().setResources(ResourceLocator(empty.path()));
        openDocumentWithLastPosition(5);
        for (const Zone zone : PointerImages::kZones) {
            form().picView_MouseMove(0, 0, xIn(zone), 100);
            QCOMPARE(drive(form()).picView().MousePointer(), classicmouse::kCustomPointer);
            QCOMPARE(drive(form()).picView().cursor().shape(), Qt::ArrowCursor);
        }
    }

    void damagedPointerImage_fallsBackToTheArrowForItsZoneOnly() {
        QTemporaryDir folder;
        for (const Zone zone : PointerImages::kZones)
            QVERIFY(
                QFile::copy(QStringLiteral(TAVELO_PROGRAM_DIR "/") + PointerImages::fileName(zone),
                            QDir(folder.path()).filePath(PointerImages::fileName(zone))));
        QFile damaged(QDir(folder.path()).filePath(PointerImages::fileName(Zone::Left)));
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("not an icon");
        damaged.close();
        form().setResources(ResourceLocator(folder.path()));
        openDocumentWithLastPosition(5);
        form().picView_MouseMove(0, 0, xIn(Zone::Left), 100);
        QCOMPARE(drive(form()).picView().cursor().shape(), Qt::ArrowCursor);
        form().picView_MouseMove(0, 0, xIn(Zone::FarLeft), 100);
        QCOMPARE(imageOf(drive(form()).picView().cursor()), iconFile(Zone::FarLeft));
    }

    void movesOverTheOtherControls_showTheStandardArrow() {
        openDocumentWithLastPosition(5);
        frmMain& f = form();
        // Disabled controls hear no mouse; the program keeps these two disabled here.
        drive(f).cmdClear().Enabled(true);
        drive(f).txtLineNumber().Enabled(true);
        sendMouseMove(drive(f).cmdClear());
        sendMouseMove(drive(f).cmdEnd());
        sendMouseMove(drive(f).cmdHead());
        sendMouseMove(drive(f).cmdSearch());
        sendMouseMove(drive(f).txtLineNumber());
        sendMouseMove(drive(f).tlb1());
        sendMouseMove(drive(f).stb1());
        QCOMPARE(drive(f).hsb1().MousePointer(), classicmouse::kDefaultPointer);
        sendMouseMove(drive(f).txtSearch());
        const Integer arrow = classicmouse::kArrowPointer;
        QCOMPARE(drive(f).cmdClear().MousePointer(), arrow);
        QCOMPARE(drive(f).cmdEnd().MousePointer(), arrow);
        QCOMPARE(drive(f).cmdHead().MousePointer(), arrow);
        QCOMPARE(drive(f).cmdSearch().MousePointer(), arrow);
        QCOMPARE(drive(f).txtLineNumber().MousePointer(), arrow);
        QCOMPARE(drive(f).txtSearch().MousePointer(), arrow);
        QCOMPARE(drive(f).hsb1().MousePointer(), arrow);
        QCOMPARE(drive(f).tlb1().MousePointer(), arrow);
        QCOMPARE(drive(f).stb1().MousePointer(), arrow);
        QCOMPARE(drive(f).txtSearch().cursor().shape(), Qt::ArrowCursor);
    }

    // --- The status bar places the window along the top of the screen ---
    void statusBarClick_movesTheWindowToTheTopLeftCentreOrRight() {
        frmMain& f = form();
        const Single W = drive(f).stb1().Width();
        const QSize size = f.frameGeometry().size();
        const struct {
            Single x;
            Single left;
        } cases[] = {
            {0, 0},
            {justBelow(W / 4), 0},
            {W / 4, Screen::Width() / 2 - f.Width() / 2},
            {(W / 4) * 3, Screen::Width() / 2 - f.Width() / 2},
            {justAbove((W / 4) * 3), Screen::Width() - f.Width()},
            {W, Screen::Width() - f.Width()},
        };
        for (const auto& c : cases) {
            f.move(40, 70);
            f.stb1_MouseDown(classicmouse::kLeftButton, 0, c.x, 100);
            QCOMPARE(f.frameGeometry().y(), 0);
            QCOMPARE(f.frameGeometry().x(), leftPixels(c.left));
            QCOMPARE(f.frameGeometry().size(), size);
        }
        // Three different places, so that each case above tells its branch.
        QVERIFY(leftPixels(Screen::Width() / 2 - f.Width() / 2) > 0);
        QVERIFY(leftPixels(Screen::Width() - f.Width()) >
                leftPixels(Screen::Width() / 2 - f.Width() / 2));
    }

    void statusBarClickWithAnotherButton_movesNothing() {
        frmMain& f = form();
        f.move(40, 70);
        f.stb1_MouseDown(classicmouse::kRightButton, 0, 0, 100);
        f.stb1_MouseDown(classicmouse::kMiddleButton, 0, drive(f).stb1().Width(), 100);
        QCOMPARE(f.frameGeometry().topLeft(), QPoint(40, 70));
    }

    void realDoubleClickOnTheStatusBar_reachesTheHandlerInTwips_aClickMovesNothing() {
        frmMain& f = form();
        f.move(40, 70);
        StatusBar& bar = drive(f).stb1();
        const QPointF at(bar.width() - 2, 5);
        sendLeftPress(bar, at);
        QCOMPARE(f.frameGeometry().topLeft(), QPoint(40, 70));
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, bar.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&bar, &twice);
        QCOMPARE(f.frameGeometry().topLeft(), QPoint(leftPixels(Screen::Width() - f.Width()), 0));
    }

    // --- Help ---
    void helpCommand_opensTheProgramsHelpAtItsContentsPage_once() {
        frmMain& f = form();
        drive(f).nmuHelpHelp().action().trigger();
        QCOMPARE(helpWindows().size(), 1);
        HelpWindow* help = helpWindows().front();
        QVERIFY(help->isVisible());
        QCOMPARE(QFileInfo(help->browser().source().toLocalFile()).fileName(),
                 QStringLiteral("index.html"));
        drive(f).nmuHelpHelp().action().trigger();
        QCOMPARE(helpWindows().size(), 1);
        QCOMPARE(helpWindows().front(), help);
        QVERIFY(messages().isEmpty());
        QVERIFY(!drive(f).mnuTopic().Visible() && !drive(f).mnuTopic().Enabled());
    }

    void f1AnywhereInTheWindow_opensTheHelp() {
        frmMain& f = form();
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        openDocumentWithLastPosition(5);
        drive(f).txtSearch().setFocus();
        QTest::keyClick(&drive(f).txtSearch(), Qt::Key_F1);
        QCOMPARE(helpWindows().size(), 1);
        QPointer<HelpWindow> first = helpWindows().front();
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        drive(f).hsb1().SetFocus();
        QTest::keyClick(&drive(f).hsb1(), Qt::Key_F1);
        QCOMPARE(helpWindows().size(), 1);
        QVERIFY(helpWindows().front()->isVisible());
    }

    void everyKeyOfTheWindow_isListedInTheHelp() {
        QFile page(QStringLiteral(TAVELO_SOURCE_DIR "/help/keys.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString keys = QString::fromUtf8(page.readAll());
        QStringList expected = {QStringLiteral("←"),
                                QStringLiteral("→"),
                                QStringLiteral("Page Up"),
                                QStringLiteral("Page Down"),
                                QStringLiteral("Home"),
                                QStringLiteral("End"),
                                QStringLiteral("マウスのホイール"),
                                QStringLiteral("Enter")};
        for (const QShortcut* shortcut : form().findChildren<QShortcut*>())
            expected.push_back(shortcut->key().toString());
        // The menu bar's commands (refresh stands on the bar itself) and the menus' items.
        QList<QAction*> actions = form().menuBar()->actions();
        for (const QAction* bar : form().menuBar()->actions())
            if (bar->menu() != nullptr) actions += bar->menu()->actions();
        for (const QAction* action : actions)
            if (!action->shortcut().isEmpty()) expected.push_back(action->shortcut().toString());
        QVERIFY(expected.size() >= 14);
        for (const QString& key : expected)
            QVERIFY2(keys.contains(QStringLiteral(">") + key + QStringLiteral("<")),
                     qPrintable(key));
    }

    void helpThatCannotBeFound_saysWhereItLooked() {
        QTemporaryDir empty;
        form().setResources(ResourceLocator(empty.path()));
        form().nmuHelpHelp_Click();
        QVERIFY(helpWindows().isEmpty());
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages().front().startsWith(QStringLiteral("ヘルプが見つかりません。")));
        QVERIFY(messages().front().contains(empty.path() + QStringLiteral("/help/index.html")));
    }

    // --- The About box ---
    void aboutCommand_showsOneBoxWithTitleVersionAndTheWindowsIcon() {
        frmMain& f = form();
        drive(f).mnuAbout().action().trigger();
        QCOMPARE(aboutBoxes().size(), 1);
        frmAbout* box = aboutBoxes().front();
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("Taveloのﾊﾞｰｼﾞｮﾝ情報"));
        auto* version = box->findChild<QLabel*>(QStringLiteral("lblVersion"));
        QVERIFY(version != nullptr);
        QCOMPARE(version->text(),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::fromLatin1(tavelo::version::kText));
        QCOMPARE(box->windowIcon().cacheKey(), f.windowIcon().cacheKey());
        // Chosen again, the same box comes forward.
        drive(f).mnuAbout().action().trigger();
        QCOMPARE(aboutBoxes().size(), 1);
        QCOMPARE(aboutBoxes().front(), box);
    }

    void aboutBoxClosedWithOk_isMadeAgainNextTime() {
        frmMain& f = form();
        f.mnuAbout_Click();
        QPointer<frmAbout> first = aboutBoxes().front();
        auto* ok = first->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QVERIFY(ok != nullptr && ok->isDefault());
        ok->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        f.mnuAbout_Click();
        QCOMPARE(aboutBoxes().size(), 1);
        QVERIFY(aboutBoxes().front()->isVisible());
    }

    void windowIcon_isTheApplicationIcon() {
        const QIcon icon = form().windowIcon();
        for (const int size : {16, 32, 48}) {
            QCOMPARE(
                icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32),
                QImage(ApplicationIcon::resourcePath(size)).convertToFormat(QImage::Format_ARGB32));
        }
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainMouseTest)
#include "frmMainMouseTest.moc"
