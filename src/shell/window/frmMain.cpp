#include "shell/window/frmMain.h"

#include "shell/window/ReaderTools.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QLayout>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTime>
#include <QTranslator>

#include "common/Version.h"
#include "shell/window/ApplicationIcon.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/CommonDialog.h"
#include "shell/print/QtPrintDialogs.h"
#include "shell/controls/Screen.h"
#include "shell/window/ShellImages.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/controls/Twips.h"
#include "shell/window/StatusMessages.h"
#include "common/Error.h"
#include "common/MessageSink.h"
#include "common/Utf8.h"
#include "layout/DefaultViewSize.h"
#include "layout/qt/QtScreenFonts.h"

namespace tavelo {
namespace {

// The client area: 6765 x 10230 twips.
constexpr int kClientWidth = 451;
constexpr int kClientHeight = 682;

constexpr Single kBarHeight = 420;  // toolbar row and status bar, in twips

void placeTwips(QWidget& widget, Single left, Single top, Single width, Single height) {
    widget.setGeometry(twips::toPixels(left), twips::toPixels(top), twips::toPixels(width),
                       twips::toPixels(height));
}

void setHeightTwips(QWidget& widget, Single height) {
    widget.resize(widget.width(), twips::toPixels(height));
}

void setTopTwips(QWidget& widget, Single top) {
    widget.move(widget.x(), twips::toPixels(top));
}

// The window's typeface, with the installed Japanese Gothic standing in where the classic
// one is missing.
QFont windowFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
    font.setPointSize(pointSize);
    return font;
}

}  // namespace

frmMain::frmMain(CommonDialog& commonDialog, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent),
      client_(new QWidget(this)),
      mnuFile(*menuBar(), u"ファイル(&F)", MenuItem::Kind::Menu),
      mnuFileOpen(*mnuFile.subMenu(), u"開く(&O)"),
      mnuFileExportPdf(*mnuFile.subMenu(), u"PDFに書き出す(&E)..."),
      mnuFilePrint(*mnuFile.subMenu(), u"印刷(&P)..."),
      Kubunsen1_1(*mnuFile.subMenu(), u"-"),
      mnuEnd(*mnuFile.subMenu(), u"終了(&X)"),
      mnuID(*mnuFile.subMenu(), "mnuID"),
      mnuStyle(*menuBar(), u"スタイル(&S)", MenuItem::Kind::Menu),
      mnuStyleType(*mnuStyle.subMenu(), "mnuStyleType"),
      mnuRenewal(*menuBar(), u"更新(&R)"),
      mnuHelp(*menuBar(), u"ヘルプ(&H)", MenuItem::Kind::Menu),
      mnuAbout(*mnuHelp.subMenu(), u"ﾊﾞｰｼﾞｮﾝ情報(&A)"),
      nmuHelpHelp(*mnuHelp.subMenu(), u"ﾍﾙﾌﾟ(&H)"),
      mnuTopic(*mnuHelp.subMenu(), u"ﾄﾋﾟｯｸの検索(&C)"),
      tlb1(client_),
      txtSearch(client_),
      cmdSearch(u"検索", client_),
      cmdClear(u"ｸﾘｱ", client_),
      cmdEnd(u"終", client_),
      hsb1(client_),
      cmdHead(u"始", client_),
      txtLineNumber(client_),
      picView(client_),
      stb1(client_),
      cmdNextHit(u"次", &stb1),
      cmdPrevHit(u"前", &stb1),
      cdlFileOpen(commonDialog),
      messages_(messages),
      status_(std::make_unique<StatusMessages>(stb1.Panels(1), this)),
      viewDevice_(kDefaultViewWidth, kDefaultViewHeight),
      surface_(picView.image()),
      painter_(surface_, m_obEisuuCyotai),
      timeOfDay_(
          [] { return QTime::currentTime().toString(QStringLiteral("H:mm:ss")).toStdU16String(); }),
      printDialogs_(std::make_unique<QtPrintDialogs>(this)) {
    designLayout();
    connectHandlers();
    Form_Load();
    setUpKeys();
    tools_ = new ReaderTools(*this);  // after the keys: it hears the view's mouse first
    setUpSession();
}

bool frmMain::installQtTranslations() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return false;
    const QString name = QStringLiteral("qtbase_ja");
    if (application->findChild<QTranslator*>(name) != nullptr) return true;
    auto* translator = new QTranslator(application);
    translator->setObjectName(name);
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

Single frmMain::Left() const {
    return twips::fromPixels(frameGeometry().x());
}
void frmMain::Left(Single vNewValue) {
    move(twips::toPixels(vNewValue), frameGeometry().y());
}
Single frmMain::Top() const {
    return twips::fromPixels(frameGeometry().y());
}
void frmMain::Top(Single vNewValue) {
    move(frameGeometry().x(), twips::toPixels(vNewValue));
}
Single frmMain::Width() const {
    return twips::fromPixels(frameGeometry().width());
}
Single frmMain::Height() const {
    return twips::fromPixels(frameGeometry().height());
}
Single frmMain::ScaleWidth() const {
    return twips::fromPixels(client_->width());
}
Single frmMain::ScaleHeight() const {
    return twips::fromPixels(client_->height());
}

// The window as it is designed, before start-up changes it.
void frmMain::designLayout() {
    setWindowTitle(QString::fromUtf16(version::kTitle));
    setWindowIcon(ApplicationIcon::icon());
    setFont(windowFont(9));
    setCentralWidget(client_);

    mnuID.Load(0).Caption(u"-");
    mnuStyleType.Load(0).Caption(u"フォント小(&S)");
    mnuStyleType.Load(1).Caption(u"フォント大(&L)");
    mnuStyleType.Load(2).Caption(u"-");
    mnuStyleType.Load(3).Caption(u"検索該当文字色(&C)");
    for (Integer i = 1; i <= 3; ++i) mnuStyleType(i).Visible(true);
    mnuTopic.Visible(false);
    mnuTopic.Enabled(false);

    tlb1.ImageList({shellimages::openFile(), shellimages::smallFont(), shellimages::largeFont(),
                    shellimages::refresh()});
    ToolbarButton& open = tlb1.AddButton(u"ファイルを開く", ToolbarButton::tbrDefault, 1);
    open.ToolTipText(u"ファイルを開く");
    open.Description(u"[ファイル]-[開く]");
    tlb1.AddButton(String(), ToolbarButton::tbrSeparator);
    ToolbarButton& small = tlb1.AddButton(u"フォント小", ToolbarButton::tbrCheck, 2);
    small.ToolTipText(u"フォント小");
    small.Description(u"[スタイル]-[フォント小]");
    ToolbarButton& large = tlb1.AddButton(u"フォント大", ToolbarButton::tbrCheck, 3);
    large.ToolTipText(u"フォント大");
    large.Description(u"[スタイル]-[フォント大]");
    tlb1.AddButton(String(), ToolbarButton::tbrSeparator);
    ToolbarButton& renewal = tlb1.AddButton(u"更新", ToolbarButton::tbrDefault, 4);
    renewal.ToolTipText(u"更新");
    tlb1.AddButton(String(), ToolbarButton::tbrPlaceholder);

    placeTwips(txtSearch, 1680, 120, 1335, 270);
    placeTwips(cmdSearch, 3120, 120, 495, 255);
    cmdSearch.ToolTipText(u"検索");
    placeTwips(cmdClear, 3720, 120, 495, 255);
    cmdClear.ToolTipText(u"検索該当文字のクリア");
    placeTwips(cmdEnd, 4320, 0, 255, 375);
    cmdEnd.ToolTipText(u"文章の末尾へ移動");
    placeTwips(hsb1, 4680, 0, 1065, 375);
    hsb1.Enabled(false);  // the first document enables it
    placeTwips(cmdHead, 5880, 0, 255, 375);
    cmdHead.ToolTipText(u"文章の先頭へ移動");
    placeTwips(txtLineNumber, 6120, 0, 615, 375);
    txtLineNumber.setFont(windowFont(12));
    txtLineNumber.ToolTipText(u"行番号 (数を入れて Enter でその行へ)");
    txtLineNumber.Text(u"9999");

    stb1.Panels(1).Text(String());
    cdlFileOpen.DialogTitle(u"ﾌｧｲﾙを開く");
}

void frmMain::Form_Load() {
    // Window: a fixed client area, at the top of the screen and centred across it.
    // Resizable from the classic size down to what the screen holds (frmMainView.cpp).
    fitClassicSize(kClientWidth, kClientHeight);
    Top(0);
    Left(Screen::Width() / 2 - Width() / 2);

    mnuID(0).Visible(false);
    mnuStyle.Enabled(false);
    mnuFileExportPdf.Enabled(false);
    mnuFilePrint.Enabled(false);
    mnuStyleType(0).Checked(false);
    mnuStyleType(1).Checked(false);

    cdlFileOpen.Color(RGB(0, 0, 255));

    mnuRenewal.Enabled(false);

    placeTwips(tlb1, 0, 0, ScaleWidth(), kBarHeight);
    tlb1.Buttons(6).Enabled(false);
    tlb1.Buttons(6).Visible(true);
    tlb1.Buttons(7).Width(7000);

    txtSearch.Enabled(false);
    txtSearch.setFont(windowFont(9));
    setHeightTwips(txtSearch, 250);
    cmdSearch.Enabled(false);
    setHeightTwips(cmdSearch, 250);
    cmdClear.Enabled(false);
    setHeightTwips(cmdClear, 250);
    cmdEnd.Enabled(false);

    setTopTwips(hsb1, twips::fromPixels(tlb1.y()));
    hsb1.Max(0);
    hsb1.Min(0);
    hsb1.Value(0);
    hsb1.LargeChange(10);
    hsb1.SmallChange(1);

    cmdHead.Enabled(false);
    txtLineNumber.Enabled(false);
    setTopTwips(txtLineNumber, twips::fromPixels(tlb1.y()));
    txtLineNumber.Text(String());

    picView.OLEDropMode(1);
    picView.Enabled(true);
    placeTwips(picView, ScaleLeft(), twips::fromPixels(tlb1.height()), ScaleWidth(),
               ScaleHeight() - 2 * kBarHeight);
    picView.BorderStyle(1);
    picView.BackColor(RGB(255, 255, 255));
    picView.Cls();

    placeTwips(stb1, 0, ScaleHeight() - kBarHeight, ScaleWidth(), kBarHeight);
    const int buttonSize = stb1.height() - 6;
    cmdPrevHit.setGeometry(stb1.width() - buttonSize - 3, 3, buttonSize, buttonSize);
    cmdNextHit.setGeometry(stb1.width() - 2 * buttonSize - 5, 3, buttonSize, buttonSize);
    // The panel ends before the "次" and "前" buttons (it starts 2 pixels into the bar and
    // leaves as much before them).
    stb1.Panels(1).Width(twips::fromPixels(cmdNextHit.x() - 4));
    cmdNextHit.ToolTipText(u"次の該当行へ (F3)");
    cmdPrevHit.ToolTipText(u"前の該当行へ (Shift+F3)");
    cmdNextHit.Enabled(false);
    cmdPrevHit.Enabled(false);

    m_obEisuuCyotai.ScreenFont(QtScreenFonts());
    setUpReadingView();
}

void frmMain::connectHandlers() {
    connect(&mnuEnd, &MenuItem::Click, this, &frmMain::mnuEnd_Click);
    route(mnuFileOpen, &MenuItem::Click, "mnuFileOpen_Click", &frmMain::mnuFileOpen_Click);
    route(mnuFileExportPdf, &MenuItem::Click, "mnuFileExportPdf_Click",
          &frmMain::mnuFileExportPdf_Click);
    route(mnuFilePrint, &MenuItem::Click, "mnuFilePrint_Click", &frmMain::mnuFilePrint_Click);
    route(mnuID, &MenuItemArray::Click, "mnuID_Click", &frmMain::mnuID_Click);
    route(mnuStyleType, &MenuItemArray::Click, "mnuStyleType_Click",
          &frmMain::mnuStyleType_Click);
    route(mnuRenewal, &MenuItem::Click, "mnuRenewal_Click", &frmMain::mnuRenewal_Click);
    route(tlb1, &Toolbar::ButtonClick, "tlb1_ButtonClick", &frmMain::tlb1_ButtonClick);
    route(hsb1, &HScrollBar::Change, "hsb1_Change", &frmMain::hsb1_Change);
    route(cmdHead, &CommandButton::Click, "cmdHead_Click", &frmMain::cmdHead_Click);
    route(cmdEnd, &CommandButton::Click, "cmdEnd_Click", &frmMain::cmdEnd_Click);
    route(cmdSearch, &CommandButton::Click, "cmdSearch_Click", &frmMain::cmdSearch_Click);
    // Enter in the search box searches as the button does.
    route(txtSearch, &QLineEdit::returnPressed, "cmdSearch_Click", &frmMain::cmdSearch_Click);
    route(cmdClear, &CommandButton::Click, "cmdClear_Click", &frmMain::cmdClear_Click);
    route(cmdNextHit, &CommandButton::Click, "cmdNextHit_Click", &frmMain::cmdNextHit_Click);
    route(cmdPrevHit, &CommandButton::Click, "cmdPrevHit_Click", &frmMain::cmdPrevHit_Click);

    route(picView, &PictureBox::MouseDown, "picView_MouseDown", &frmMain::picView_MouseDown);
    route(picView, &PictureBox::MouseMove, "picView_MouseMove", &frmMain::picView_MouseMove);
    route(picView, &PictureBox::OLEDragOver, "picView_OLEDragOver",
          &frmMain::picView_OLEDragOver);
    route(picView, &PictureBox::OLEDragDrop, "picView_OLEDragDrop",
          &frmMain::picView_OLEDragDrop);
    // Only a double click places the window: a click, to focus the window or by mistake,
    // must not carry it off to the top of the screen.
    route(stb1, &StatusBar::DblClick, "stb1_MouseDown", &frmMain::stb1_MouseDown);
    route(cmdClear, &CommandButton::MouseMove, "cmdClear_MouseMove", &frmMain::cmdClear_MouseMove);
    route(cmdEnd, &CommandButton::MouseMove, "cmdEnd_MouseMove", &frmMain::cmdEnd_MouseMove);
    route(cmdHead, &CommandButton::MouseMove, "cmdHead_MouseMove", &frmMain::cmdHead_MouseMove);
    route(cmdSearch, &CommandButton::MouseMove, "cmdSearch_MouseMove",
          &frmMain::cmdSearch_MouseMove);
    route(txtLineNumber, &TextBox::MouseMove, "txtLineNumber_MouseMove",
          &frmMain::txtLineNumber_MouseMove);
    route(txtSearch, &TextBox::MouseMove, "txtSearch_MouseMove", &frmMain::txtSearch_MouseMove);
    route(tlb1, &Toolbar::MouseMove, "tlb1_MouseMove", &frmMain::tlb1_MouseMove);
    route(stb1, &StatusBar::MouseMove, "stb1_MouseMove", &frmMain::stb1_MouseMove);

    route(nmuHelpHelp, &MenuItem::Click, "nmuHelpHelp_Click", &frmMain::nmuHelpHelp_Click);
    // F1 anywhere in the window opens the help as the menu command does.
    route(*new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, "F1",
          &frmMain::nmuHelpHelp_Click);
    route(mnuAbout, &MenuItem::Click, "mnuAbout_Click", &frmMain::mnuAbout_Click);
}

void frmMain::handleEvent(const char* name, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& error) {
        qWarning("%s ended: error %d (%s) in %s", name, static_cast<int>(error.number()),
                 error.description().c_str(), error.source().c_str());
    } catch (const std::exception& error) {
        qWarning("%s ended: %s", name, error.what());
    }
}

void frmMain::setViewSize(int width, int height) {
    picView.resize(width + 2 * picView.BorderStyle(), height + 2 * picView.BorderStyle());
    layOutDevice();
}

void frmMain::mnuEnd_Click() {
    // Ends the program at once: nothing of the window runs after this, so the session is
    // written first.
    saveSession();
    if (settings_) settings_->flush();
    QCoreApplication::exit(0);
}

}  // namespace tavelo
