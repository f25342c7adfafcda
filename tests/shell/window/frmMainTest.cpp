#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <memory>

#include "common/RecordingMessageSink.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/controls/Twips.h"
#include "shell/window/frmMain.h"
#include "support/FakeCommonDialog.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"

namespace tavelo {

using testing::drive;
using testing::FakeCommonDialog;
using testing::q;

class frmMainTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeCommonDialog> dialog;
    std::unique_ptr<RecordingMessageSink> messages;
    std::unique_ptr<frmMain> form;

    // Texts of a menu's entries in order, "-" for a separator.
    static QStringList entries(const QList<QAction*>& actions) {
        QStringList texts;
        for (const QAction* action : actions)
            texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

private slots:
    void init() {
        dialog = std::make_unique<FakeCommonDialog>();
        messages = std::make_unique<RecordingMessageSink>();
        form = std::make_unique<frmMain>(*dialog, *messages);
    }
    void cleanup() {
        form.reset();
        messages.reset();
        dialog.reset();
    }

    // --- Window ---
    void window_isTitledTavelo_withA32PixelIcon() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Tavelo"));
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));
    }
    void window_opensAtTheClassicSize_clientArea451By682UnderTheMenuBar_resizable() {
        // Smaller than the classic size, so that a small screen holds the whole window.
        QVERIFY(form->centralWidget()->minimumWidth() < 451);
        QVERIFY(form->centralWidget()->minimumHeight() < 600 - 100);
        QVERIFY(form->maximumWidth() > 451);
        QCOMPARE(form->width(), 451);
        QCOMPARE(form->centralWidget()->size(), QSize(451, 682));
        QCOMPARE(form->centralWidget()->y(), form->menuBar()->height());
        QVERIFY(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->ScaleWidth(), Single{6765});
        QCOMPARE(form->ScaleHeight(), Single{10230});
    }
    void window_startsAtTheTop_centredAcrossTheScreen() {
        const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
        const double leftTwips = screenWidth * 15.0 / 2 - form->frameGeometry().width() * 15.0 / 2;
        QCOMPARE(form->frameGeometry().y(), 0);
        QCOMPARE(form->frameGeometry().x(), twips::toPixels(leftTwips));
        QCOMPARE(form->Top(), Single{0});
    }

    // --- Menus ---
    void menuBar_listsFileStyleRefreshHelp_inThisOrder() {
        // The reader's 編集 and 移動 menus stand before the help.
        QCOMPARE(entries(form->menuBar()->actions()),
                 (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("スタイル(&S)"),
                              QStringLiteral("更新(&R)"), QStringLiteral("編集(&E)"),
                              QStringLiteral("移動(&G)"), QStringLiteral("ヘルプ(&H)")}));
        QCOMPARE(form->menuBar()->actions().at(2), &drive(*form).mnuRenewal().action());
        QVERIFY(drive(*form).mnuRenewal().action().menu() == nullptr);
    }
    void fileMenu_opensEndsAndHidesTheDocumentSeparator() {
        QCOMPARE(entries(drive(*form).mnuFile().subMenu()->actions()),
                 (QStringList{QStringLiteral("開く(&O)"), QStringLiteral("PDFに書き出す(&E)..."),
                              QStringLiteral("印刷(&P)..."), QStringLiteral("-"),
                              QStringLiteral("最近使ったファイル(&R)"),
                              QStringLiteral("最近使ったファイルの一覧を消去(&D)"),
                              QStringLiteral("ファイルの変更に追従する(&W)"), QStringLiteral("-"),
                              QStringLiteral("終了(&X)"), QStringLiteral("-")}));
        QCOMPARE(drive(*form).mnuFile().subMenu()->actions().at(9),
                 &drive(*form).mnuID()(0).action());
        QVERIFY(drive(*form).mnuFollowFiles().Checked());
        QVERIFY(!drive(*form).mnuID()(0).Visible());
        QVERIFY(drive(*form).mnuFileOpen().Enabled());
        QCOMPARE(drive(*form).mnuID().UBound(), Integer{0});
    }
    void styleMenu_isDisabled_withNeitherStyleChecked() {
        QVERIFY(!drive(*form).mnuStyle().Enabled());
        QCOMPARE(
            entries(drive(*form).mnuStyle().subMenu()->actions()),
            (QStringList{QStringLiteral("フォント小(&S)"), QStringLiteral("フォント大(&L)"),
                         QStringLiteral("-"), QStringLiteral("検索該当文字色(&C)"),
                         QStringLiteral("-"), QStringLiteral("全画面表示(&F)\tF11"),
                         QStringLiteral("表示倍率(&Z)"), QStringLiteral("紙とインクの色(&P)"),
                         QStringLiteral("-"), QStringLiteral("ルビ(&U)"),
                         QStringLiteral("進み具合を表示(&G)")}));
        QVERIFY(!drive(*form).styleChecked(0));
        QVERIFY(!drive(*form).styleChecked(1));
        for (Integer i = 0; i <= 3; ++i) QVERIFY(drive(*form).mnuStyleType()(i).Visible());
    }
    void refreshIsDisabled_helpMenuHidesTopicSearch() {
        QVERIFY(!drive(*form).mnuRenewal().Enabled());
        QCOMPARE(entries(drive(*form).mnuHelp().subMenu()->actions()),
                 (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), QStringLiteral("ﾍﾙﾌﾟ(&H)"),
                              QStringLiteral("ﾄﾋﾟｯｸの検索(&C)")}));
        QVERIFY(drive(*form).mnuAbout().Enabled() && drive(*form).nmuHelpHelp().Enabled());
        QVERIFY(!drive(*form).mnuTopic().Visible());
        QVERIFY(!drive(*form).mnuTopic().Enabled());
    }
    void onlyOpenAndRefresh_carryTheDesktopShortcuts_besideUnchangedCaptions() {
        QCOMPARE(drive(*form).mnuFileOpen().action().shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(drive(*form).mnuRenewal().action().shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(drive(*form).mnuFileOpen().action().text(), QStringLiteral("開く(&O)"));
        for (const QMenu* menu :
             {drive(*form).mnuFile().subMenu(), drive(*form).mnuStyle().subMenu(),
              drive(*form).mnuHelp().subMenu()})
            for (const QAction* action : menu->actions())
                if (action != &drive(*form).mnuFileOpen().action())
                    QVERIFY(action->shortcut().isEmpty());
    }

    // --- Toolbar ---
    void toolbar_hasSevenButtons_withTheirStylesKeysAndTips() {
        struct Expected {
            Integer style;
            Integer image;
            const char16_t* key;
            const char16_t* description;
        };
        const Expected expected[] = {
            {ToolbarButton::tbrDefault, 1, u"ファイルを開く", u"[ファイル]-[開く]"},
            {ToolbarButton::tbrSeparator, 0, u"", u""},
            {ToolbarButton::tbrCheck, 2, u"フォント小", u"[スタイル]-[フォント小]"},
            {ToolbarButton::tbrCheck, 3, u"フォント大", u"[スタイル]-[フォント大]"},
            {ToolbarButton::tbrSeparator, 0, u"", u""},
            {ToolbarButton::tbrDefault, 4, u"更新", u""},
            {ToolbarButton::tbrPlaceholder, 0, u"", u""},
        };
        QCOMPARE(drive(*form).tlb1().ButtonCount(), Integer{7});
        for (Integer i = 1; i <= 7; ++i) {
            const ToolbarButton& button = drive(*form).tlb1().Buttons(i);
            const Expected& want = expected[i - 1];
            QCOMPARE(button.Style(), want.style);
            QCOMPARE(button.Image(), want.image);
            QCOMPARE(q(button.Key()), QString::fromUtf16(want.key));
            QCOMPARE(q(button.ToolTipText()), QString::fromUtf16(want.key));
            QCOMPARE(q(button.Description()), QString::fromUtf16(want.description));
        }
        QCOMPARE(drive(*form).tlb1().ImageCount(), Integer{4});
        // At scale 2 each image is its own 32 x 32 pixels, not the 16 x 16 one blown up soft.
        for (Integer i = 1; i <= 4; ++i) {
            const QIcon& icon = drive(*form).tlb1().ImageListImage(i);
            const QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
            const QImage large = icon.pixmap(QSize(16, 16), 2.0).toImage();
            QCOMPARE(small.size(), QSize(16, 16));
            QCOMPARE(large.size(), QSize(32, 32));
            QVERIFY(large.convertToFormat(QImage::Format_ARGB32) !=
                    small.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_ARGB32));
        }
    }
    void toolbar_refreshDisabledButShown_placeholderKeeps7000Twips() {
        QVERIFY(!drive(*form).tlb1().Buttons(6).Enabled());
        QVERIFY(drive(*form).tlb1().Buttons(6).Visible());
        QVERIFY(!drive(*form).tlb1().Buttons(6).button().isHidden());
        QVERIFY(drive(*form).tlb1().Buttons(1).Enabled());
        QVERIFY(drive(*form).tlb1().Buttons(3).Enabled() &&
                drive(*form).tlb1().Buttons(4).Enabled());
        QCOMPARE(drive(*form).tlb1().Buttons(7).widthInPixels(), twips::toPixels(7000));
        QCOMPARE(drive(*form).tlb1().geometry(), QRect(0, 0, 451, 28));
    }

    // --- Search row ---
    void searchRow_standsAtItsTwipPositions() {
        QCOMPARE(drive(*form).txtSearch().geometry(), QRect(112, 8, 89, 17));
        QCOMPARE(drive(*form).cmdSearch().geometry(), QRect(208, 8, 33, 17));
        QCOMPARE(drive(*form).cmdClear().geometry(), QRect(248, 8, 33, 17));
        QCOMPARE(drive(*form).cmdEnd().geometry(), QRect(288, 0, 17, 25));
        QCOMPARE(drive(*form).hsb1().geometry(), QRect(312, 0, 71, 25));
        QCOMPARE(drive(*form).cmdHead().geometry(), QRect(392, 0, 17, 25));
        QCOMPARE(drive(*form).txtLineNumber().geometry(), QRect(408, 0, 41, 25));
    }
    void searchRow_fillsTheToolbarRowRightOfTheButtons_inFrontOfIt() {
        const int buttonsEnd = drive(*form).tlb1().Buttons(6).button().geometry().right();
        const QList<QWidget*> row = {&drive(*form).txtSearch(),    &drive(*form).cmdSearch(),
                                     &drive(*form).cmdClear(),     &drive(*form).cmdEnd(),
                                     &drive(*form).hsb1(),         &drive(*form).cmdHead(),
                                     &drive(*form).txtLineNumber()};
        for (const QWidget* control : row) {
            QVERIFY(control->x() > buttonsEnd);
            QVERIFY(control->geometry().bottom() < drive(*form).tlb1().height());
            QVERIFY(control->isVisibleTo(form.get()));
            QVERIFY(form->centralWidget()->children().indexOf(control) >
                    form->centralWidget()->children().indexOf(&drive(*form).tlb1()));
        }
    }
    void searchRow_captionsAndTips() {
        QCOMPARE(q(drive(*form).cmdSearch().Caption()), QStringLiteral("検索"));
        QCOMPARE(q(drive(*form).cmdSearch().ToolTipText()), QStringLiteral("検索"));
        QCOMPARE(q(drive(*form).cmdClear().Caption()), QStringLiteral("ｸﾘｱ"));
        QCOMPARE(q(drive(*form).cmdClear().ToolTipText()), QStringLiteral("検索該当文字のクリア"));
        QCOMPARE(q(drive(*form).cmdEnd().Caption()), QStringLiteral("終"));
        QCOMPARE(q(drive(*form).cmdEnd().ToolTipText()), QStringLiteral("文章の末尾へ移動"));
        QCOMPARE(q(drive(*form).cmdHead().Caption()), QStringLiteral("始"));
        QCOMPARE(q(drive(*form).cmdHead().ToolTipText()), QStringLiteral("文章の先頭へ移動"));
        QCOMPARE(q(drive(*form).txtLineNumber().ToolTipText()),
                 QStringLiteral("行番号 (数を入れて Enter でその行へ)"));
        QVERIFY(drive(*form).txtSearch().ToolTipText().empty());
    }
    void searchRow_isDisabled_lineNumberEmpty() {
        QVERIFY(!drive(*form).txtSearch().Enabled());
        QVERIFY(!drive(*form).cmdSearch().Enabled());
        QVERIFY(!drive(*form).cmdClear().Enabled());
        QVERIFY(!drive(*form).cmdEnd().Enabled());
        QVERIFY(!drive(*form).hsb1().Enabled());
        QVERIFY(!drive(*form).cmdHead().Enabled());
        QVERIFY(!drive(*form).txtLineNumber().Enabled());
        QVERIFY(drive(*form).lineNumberText().empty());
        QVERIFY(drive(*form).searchText().empty());
        QCOMPARE(drive(*form).txtLineNumber().font().pointSize(), 12);
        QCOMPARE(drive(*form).txtSearch().font().pointSize(), 9);
    }
    void scrollBar_startsWithEmptyRangeAndClassicSteps() {
        QCOMPARE(drive(*form).scrollMin(), Integer{0});
        QCOMPARE(drive(*form).scrollMax(), Integer{0});
        QCOMPARE(drive(*form).scrollValue(), Integer{0});
        QCOMPARE(drive(*form).hsb1().SmallChange(), Integer{1});
        QCOMPARE(drive(*form).pageStep(), Integer{10});
    }

    // --- View and status bar ---
    void view_fillsTheSpaceBetweenTheBars_withA449By624DrawingArea() {
        QCOMPARE(drive(*form).picView().geometry(), QRect(0, 28, 451, 626));
        QCOMPARE(drive(*form).viewImage().size(), QSize(449, 624));
        QCOMPARE(drive(*form).picView().BorderStyle(), Integer{1});
        QCOMPARE(drive(*form).picView().BackColor(), Long{0xFFFFFF});
        QCOMPARE(drive(*form).viewImage().pixel(224, 312), qRgb(255, 255, 255));
        QVERIFY(drive(*form).picView().Enabled());
        QCOMPARE(drive(*form).picView().OLEDropMode(), Integer{1});
        QVERIFY(drive(*form).picView().acceptDrops());
        drive(*form).picView().ScaleMode(PictureBox::vbPixels);
        QCOMPARE(drive(*form).picView().ScaleWidth(), Single{449});
        QCOMPARE(drive(*form).picView().ScaleHeight(), Single{624});
    }
    void statusBar_atTheBottom_withItsPanelEndingBeforeTheHitButtons() {
        QCOMPARE(drive(*form).stb1().geometry(), QRect(0, 654, 451, 28));
        const StatusBarPanel& panel = drive(*form).stb1().Panels(1);
        QVERIFY(panel.geometry().right() < drive(*form).cmdNextHit().geometry().left());
        QVERIFY(panel.geometry().right() > drive(*form).cmdNextHit().geometry().left() - 8);
        QVERIFY(panel.Text().empty());
    }
    void statusText_thatDoesNotFit_losesItsEnd() {
        StatusBarPanel& panel = drive(*form).stb1().Panels(1);
        const QString fits = QStringLiteral("9:05:31 a.tl2   12行×38段(最長)");
        const QString tooLong = QStringLiteral("9:05:31 ") + QString(60, QChar(u'長')) + fits;
        panel.Text(fits.toStdU16String());
        QCOMPARE(panel.text(), fits);
        panel.Text(tooLong.toStdU16String());
        QCOMPARE(q(panel.Text()), tooLong);  // the property keeps the whole text
        QVERIFY(panel.fontMetrics().horizontalAdvance(panel.text()) <=
                panel.contentsRect().width());
        QVERIFY(panel.text().startsWith(QStringLiteral("9:05:31 長")));
        QVERIFY(panel.text().endsWith(QChar(0x2026)));
        QCOMPARE(drive(*form).stb1().toolTip(), tooLong);
    }

    // --- Qt's own texts ---
    void qtTranslations_makeQtsDialogsJapanese() {
        QVERIFY(frmMain::installQtTranslations());
        QVERIFY(frmMain::installQtTranslations());  // once only
        QCOMPARE(QCoreApplication::instance()->findChildren<QTranslator*>().size(), 1);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("キャンセル"));
        QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") !=
                QStringLiteral("Look in:"));
    }

    // --- Start values ---
    void searchHitColour_startsBlue_openDialogTitled() {
        QCOMPARE(drive(*form).cdlFileOpen().Color(), Long{0xFF0000});
        QCOMPARE(q(drive(*form).cdlFileOpen().DialogTitle()), QStringLiteral("ﾌｧｲﾙを開く"));
        QCOMPARE(dialog->openCount + dialog->colorCount, 0);
    }
    void formVariables_startEmpty_andNothingIsShown() {
        QCOMPARE(drive(*form).currentIndex(), Integer{0});
        QVERIFY(drive(*form).fileName().empty());
        QVERIFY(drive(*form).fullPathName().empty());
        QCOMPARE(drive(*form).offsetX(), Long{0});
        QCOMPARE(drive(*form).valueRatio(), Single{0});
        QVERIFY(!drive(*form).hitsShown());
        QVERIFY(drive(*form).searchWord().empty());
        QVERIFY(messages->messages().empty());
        QCOMPARE(&form->messages(), messages.get());
    }

    // --- Events the handlers will use ---
    void styleTypeClick_passesTheIndex() {
        drive(*form).mnuStyle().Enabled(true);
        QSignalSpy clicks(&drive(*form).mnuStyleType(), &MenuItemArray::Click);
        drive(*form).mnuStyleType()(3).action().trigger();
        drive(*form).mnuStyleType()(1).action().trigger();
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(0).at(0).value<Integer>(), Integer{3});
        QCOMPARE(clicks.at(1).at(0).value<Integer>(), Integer{1});
    }
    void documentEntries_loadBelowTheSeparator_andPassTheirIndex() {
        MenuItem& first = drive(*form).mnuID().Load(1);
        first.Caption(u"9:05:31 sample.tl2");
        first.Visible(true);
        MenuItem& second = drive(*form).mnuID().Load(2);
        second.Caption(u"9:06:02 sample.tl2");
        second.Visible(true);
        const QList<QAction*> actions = drive(*form).mnuFile().subMenu()->actions();
        QCOMPARE(actions.size(), 12);
        QCOMPARE(actions.at(10), &first.action());
        QCOMPARE(actions.at(11), &second.action());
        QSignalSpy clicks(&drive(*form).mnuID(), &MenuItemArray::Click);
        second.action().trigger();
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<Integer>(), Integer{2});
    }
    void toolbarClick_passesTheButtonWithItsKey() {
        String key;
        connect(&drive(*form).tlb1(), &Toolbar::ButtonClick, this,
                [&](ToolbarButton& button) { key = button.Key(); });
        QTest::mouseClick(&drive(*form).tlb1().Buttons(4).button(), Qt::LeftButton);
        QCOMPARE(q(key), QStringLiteral("フォント大"));
    }

    // --- Ending ---
    void endMenu_endsTheProgramAtOnce() {
        form->show();
        QTimer::singleShot(0, form.get(), [this] { drive(*form).mnuEnd().action().trigger(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });  // not ended
        QCOMPARE(QCoreApplication::exec(), 0);
    }
    void closingTheWindow_unloadsItNormally() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainTest)
#include "frmMainTest.moc"
