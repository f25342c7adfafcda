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

#include "support/FakeCommonDialog.h"
#include "support/GuiTesting.h"
#include "common/RecordingMessageSink.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/controls/Twips.h"
#include "shell/window/frmMain.h"

namespace tavelo {

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
        QCOMPARE(entries(form->menuBar()->actions()),
                 (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("スタイル(&S)"),
                              QStringLiteral("更新(&R)"), QStringLiteral("ヘルプ(&H)")}));
        QCOMPARE(form->menuBar()->actions().at(2), &form->mnuRenewal.action());
        QVERIFY(form->mnuRenewal.action().menu() == nullptr);
    }
    void fileMenu_opensEndsAndHidesTheDocumentSeparator() {
        QCOMPARE(entries(form->mnuFile.subMenu()->actions()),
                 (QStringList{QStringLiteral("開く(&O)"), QStringLiteral("PDFに書き出す(&E)..."),
                              QStringLiteral("印刷(&P)..."), QStringLiteral("-"),
                              QStringLiteral("最近使ったファイル(&R)"),
                              QStringLiteral("最近使ったファイルの一覧を消去(&D)"),
                              QStringLiteral("ファイルの変更に追従する(&W)"), QStringLiteral("-"),
                              QStringLiteral("終了(&X)"), QStringLiteral("-")}));
        QCOMPARE(form->mnuFile.subMenu()->actions().at(9), &form->mnuID(0).action());
        QVERIFY(form->mnuFollowFiles->Checked());
        QVERIFY(!form->mnuID(0).Visible());
        QVERIFY(form->mnuFileOpen.Enabled());
        QCOMPARE(form->mnuID.UBound(), Integer{0});
    }
    void styleMenu_isDisabled_withNeitherStyleChecked() {
        QVERIFY(!form->mnuStyle.Enabled());
        QCOMPARE(entries(form->mnuStyle.subMenu()->actions()),
                 (QStringList{QStringLiteral("フォント小(&S)"), QStringLiteral("フォント大(&L)"),
                              QStringLiteral("-"), QStringLiteral("検索該当文字色(&C)"),
                              QStringLiteral("-"), QStringLiteral("全画面表示(&F)\tF11"),
                              QStringLiteral("表示倍率(&Z)"), QStringLiteral("紙とインクの色(&P)")}));
        QVERIFY(!form->mnuStyleType(0).Checked());
        QVERIFY(!form->mnuStyleType(1).Checked());
        for (Integer i = 0; i <= 3; ++i) QVERIFY(form->mnuStyleType(i).Visible());
    }
    void refreshIsDisabled_helpMenuHidesTopicSearch() {
        QVERIFY(!form->mnuRenewal.Enabled());
        QCOMPARE(entries(form->mnuHelp.subMenu()->actions()),
                 (QStringList{QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), QStringLiteral("ﾍﾙﾌﾟ(&H)"),
                              QStringLiteral("ﾄﾋﾟｯｸの検索(&C)")}));
        QVERIFY(form->mnuAbout.Enabled() && form->nmuHelpHelp.Enabled());
        QVERIFY(!form->mnuTopic.Visible());
        QVERIFY(!form->mnuTopic.Enabled());
    }
    void onlyOpenAndRefresh_carryTheDesktopShortcuts_besideUnchangedCaptions() {
        QCOMPARE(form->mnuFileOpen.action().shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(form->mnuRenewal.action().shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(form->mnuFileOpen.action().text(), QStringLiteral("開く(&O)"));
        for (const QMenu* menu :
             {form->mnuFile.subMenu(), form->mnuStyle.subMenu(), form->mnuHelp.subMenu()})
            for (const QAction* action : menu->actions())
                if (action != &form->mnuFileOpen.action()) QVERIFY(action->shortcut().isEmpty());
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
        QCOMPARE(form->tlb1.ButtonCount(), Integer{7});
        for (Integer i = 1; i <= 7; ++i) {
            const ToolbarButton& button = form->tlb1.Buttons(i);
            const Expected& want = expected[i - 1];
            QCOMPARE(button.Style(), want.style);
            QCOMPARE(button.Image(), want.image);
            QCOMPARE(q(button.Key()), QString::fromUtf16(want.key));
            QCOMPARE(q(button.ToolTipText()), QString::fromUtf16(want.key));
            QCOMPARE(q(button.Description()), QString::fromUtf16(want.description));
        }
        QCOMPARE(form->tlb1.ImageCount(), Integer{4});
        for (Integer i = 1; i <= 4; ++i)
            QCOMPARE(form->tlb1.ImageListImage(i).size(), QSize(16, 16));
    }
    void toolbar_refreshDisabledButShown_placeholderKeeps7000Twips() {
        QVERIFY(!form->tlb1.Buttons(6).Enabled());
        QVERIFY(form->tlb1.Buttons(6).Visible());
        QVERIFY(!form->tlb1.Buttons(6).button().isHidden());
        QVERIFY(form->tlb1.Buttons(1).Enabled());
        QVERIFY(form->tlb1.Buttons(3).Enabled() && form->tlb1.Buttons(4).Enabled());
        QCOMPARE(form->tlb1.Buttons(7).widthInPixels(), twips::toPixels(7000));
        QCOMPARE(form->tlb1.geometry(), QRect(0, 0, 451, 28));
    }

    // --- Search row ---
    void searchRow_standsAtItsTwipPositions() {
        QCOMPARE(form->txtSearch.geometry(), QRect(112, 8, 89, 17));
        QCOMPARE(form->cmdSearch.geometry(), QRect(208, 8, 33, 17));
        QCOMPARE(form->cmdClear.geometry(), QRect(248, 8, 33, 17));
        QCOMPARE(form->cmdEnd.geometry(), QRect(288, 0, 17, 25));
        QCOMPARE(form->hsb1.geometry(), QRect(312, 0, 71, 25));
        QCOMPARE(form->cmdHead.geometry(), QRect(392, 0, 17, 25));
        QCOMPARE(form->txtLineNumber.geometry(), QRect(408, 0, 41, 25));
    }
    void searchRow_fillsTheToolbarRowRightOfTheButtons_inFrontOfIt() {
        const int buttonsEnd = form->tlb1.Buttons(6).button().geometry().right();
        const QList<QWidget*> row = {&form->txtSearch,    &form->cmdSearch, &form->cmdClear,
                                     &form->cmdEnd,       &form->hsb1,      &form->cmdHead,
                                     &form->txtLineNumber};
        for (const QWidget* control : row) {
            QVERIFY(control->x() > buttonsEnd);
            QVERIFY(control->geometry().bottom() < form->tlb1.height());
            QVERIFY(control->isVisibleTo(form.get()));
            QVERIFY(form->centralWidget()->children().indexOf(control) >
                    form->centralWidget()->children().indexOf(&form->tlb1));
        }
    }
    void searchRow_captionsAndTips() {
        QCOMPARE(q(form->cmdSearch.Caption()), QStringLiteral("検索"));
        QCOMPARE(q(form->cmdSearch.ToolTipText()), QStringLiteral("検索"));
        QCOMPARE(q(form->cmdClear.Caption()), QStringLiteral("ｸﾘｱ"));
        QCOMPARE(q(form->cmdClear.ToolTipText()), QStringLiteral("検索該当文字のクリア"));
        QCOMPARE(q(form->cmdEnd.Caption()), QStringLiteral("終"));
        QCOMPARE(q(form->cmdEnd.ToolTipText()), QStringLiteral("文章の末尾へ移動"));
        QCOMPARE(q(form->cmdHead.Caption()), QStringLiteral("始"));
        QCOMPARE(q(form->cmdHead.ToolTipText()), QStringLiteral("文章の先頭へ移動"));
        QCOMPARE(q(form->txtLineNumber.ToolTipText()),
                 QStringLiteral("行番号 (数を入れて Enter でその行へ)"));
        QVERIFY(form->txtSearch.ToolTipText().empty());
    }
    void searchRow_isDisabled_lineNumberEmpty() {
        QVERIFY(!form->txtSearch.Enabled());
        QVERIFY(!form->cmdSearch.Enabled());
        QVERIFY(!form->cmdClear.Enabled());
        QVERIFY(!form->cmdEnd.Enabled());
        QVERIFY(!form->hsb1.Enabled());
        QVERIFY(!form->cmdHead.Enabled());
        QVERIFY(!form->txtLineNumber.Enabled());
        QVERIFY(form->txtLineNumber.Text().empty());
        QVERIFY(form->txtSearch.Text().empty());
        QCOMPARE(form->txtLineNumber.font().pointSize(), 12);
        QCOMPARE(form->txtSearch.font().pointSize(), 9);
    }
    void scrollBar_startsWithEmptyRangeAndClassicSteps() {
        QCOMPARE(form->hsb1.Min(), Integer{0});
        QCOMPARE(form->hsb1.Max(), Integer{0});
        QCOMPARE(form->hsb1.Value(), Integer{0});
        QCOMPARE(form->hsb1.SmallChange(), Integer{1});
        QCOMPARE(form->hsb1.LargeChange(), Integer{10});
    }

    // --- View and status bar ---
    void view_fillsTheSpaceBetweenTheBars_withA449By624DrawingArea() {
        QCOMPARE(form->picView.geometry(), QRect(0, 28, 451, 626));
        QCOMPARE(form->picView.image().size(), QSize(449, 624));
        QCOMPARE(form->picView.BorderStyle(), Integer{1});
        QCOMPARE(form->picView.BackColor(), Long{0xFFFFFF});
        QCOMPARE(form->picView.image().pixel(224, 312), qRgb(255, 255, 255));
        QVERIFY(form->picView.Enabled());
        QCOMPARE(form->picView.OLEDropMode(), Integer{1});
        QVERIFY(form->picView.acceptDrops());
        form->picView.ScaleMode(PictureBox::vbPixels);
        QCOMPARE(form->picView.ScaleWidth(), Single{449});
        QCOMPARE(form->picView.ScaleHeight(), Single{624});
    }
    void statusBar_atTheBottom_withItsPanelEndingBeforeTheHitButtons() {
        QCOMPARE(form->stb1.geometry(), QRect(0, 654, 451, 28));
        const StatusBarPanel& panel = form->stb1.Panels(1);
        QVERIFY(panel.geometry().right() < form->cmdNextHit.geometry().left());
        QVERIFY(panel.geometry().right() > form->cmdNextHit.geometry().left() - 8);
        QVERIFY(panel.Text().empty());
    }
    void statusText_thatDoesNotFit_losesItsEnd() {
        StatusBarPanel& panel = form->stb1.Panels(1);
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
        QCOMPARE(form->stb1.toolTip(), tooLong);
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
        QCOMPARE(form->cdlFileOpen.Color(), Long{0xFF0000});
        QCOMPARE(q(form->cdlFileOpen.DialogTitle()), QStringLiteral("ﾌｧｲﾙを開く"));
        QCOMPARE(dialog->openCount + dialog->colorCount, 0);
    }
    void formVariables_startEmpty_andNothingIsShown() {
        QCOMPARE(form->m_ViewIndex, Integer{0});
        QVERIFY(form->m_FileName.empty());
        QVERIFY(form->m_FullPathName.empty());
        QCOMPARE(form->m_OffsetX, Long{0});
        QCOMPARE(form->m_ValueRatio, Single{0});
        QVERIFY(!form->m_IsSearch);
        QVERIFY(form->m_SearchWord.empty());
        QVERIFY(messages->messages().empty());
        QCOMPARE(&form->messages(), messages.get());
    }

    // --- Events the handlers will use ---
    void styleTypeClick_passesTheIndex() {
        form->mnuStyle.Enabled(true);
        QSignalSpy clicks(&form->mnuStyleType, &MenuItemArray::Click);
        form->mnuStyleType(3).action().trigger();
        form->mnuStyleType(1).action().trigger();
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(clicks.at(0).at(0).value<Integer>(), Integer{3});
        QCOMPARE(clicks.at(1).at(0).value<Integer>(), Integer{1});
    }
    void documentEntries_loadBelowTheSeparator_andPassTheirIndex() {
        MenuItem& first = form->mnuID.Load(1);
        first.Caption(u"9:05:31 sample.tl2");
        first.Visible(true);
        MenuItem& second = form->mnuID.Load(2);
        second.Caption(u"9:06:02 sample.tl2");
        second.Visible(true);
        const QList<QAction*> actions = form->mnuFile.subMenu()->actions();
        QCOMPARE(actions.size(), 12);
        QCOMPARE(actions.at(10), &first.action());
        QCOMPARE(actions.at(11), &second.action());
        QSignalSpy clicks(&form->mnuID, &MenuItemArray::Click);
        second.action().trigger();
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<Integer>(), Integer{2});
    }
    void toolbarClick_passesTheButtonWithItsKey() {
        String key;
        connect(&form->tlb1, &Toolbar::ButtonClick, this,
                [&](ToolbarButton& button) { key = button.Key(); });
        QTest::mouseClick(&form->tlb1.Buttons(4).button(), Qt::LeftButton);
        QCOMPARE(q(key), QStringLiteral("フォント大"));
    }

    // --- Ending ---
    void endMenu_endsTheProgramAtOnce() {
        form->show();
        QTimer::singleShot(0, form.get(), [this] { form->mnuEnd.action().trigger(); });
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
