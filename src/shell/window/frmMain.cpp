#include "shell/window/frmMain.h"

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
#include "common/Error.h"
#include "common/MessageSink.h"
#include "common/Utf8.h"
#include "layout/qt/QtScreenFonts.h"

namespace tavelo {
namespace {

// The client area: 6765 x 10230 twips.
constexpr int kClientWidth = 451;
constexpr int kClientHeight = 682;
// The view's drawing area inside its border.
constexpr int kViewWidth = 449;
constexpr int kViewHeight = 624;

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
      viewDevice_(kViewWidth, kViewHeight),
      surface_(picView.image()),
      painter_(surface_, m_obEisuuCyotai),
      timeOfDay_(
          [] { return QTime::currentTime().toString(QStringLiteral("H:mm:ss")).toStdU16String(); }),
      printDialogs_(std::make_unique<QtPrintDialogs>(this)) {
    designLayout();
    connectHandlers();
    Form_Load();
    setUpKeys();
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
    txtLineNumber.ToolTipText(u"行番号");
    txtLineNumber.Text(u"9999");

    stb1.Panels(1).Text(String());
    cdlFileOpen.DialogTitle(u"ﾌｧｲﾙを開く");
}

void frmMain::Form_Load() {
    // Window: a fixed client area, at the top of the screen and centred across it.
    client_->setFixedSize(kClientWidth, kClientHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    adjustSize();
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
}

void frmMain::connectHandlers() {
    connect(&mnuEnd, &MenuItem::Click, this, &frmMain::mnuEnd_Click);
    connect(&mnuFileOpen, &MenuItem::Click, this,
            [this] { handleEvent("mnuFileOpen_Click", [this] { mnuFileOpen_Click(); }); });
    connect(&mnuFileExportPdf, &MenuItem::Click, this, [this] {
        handleEvent("mnuFileExportPdf_Click", [this] { mnuFileExportPdf_Click(); });
    });
    connect(&mnuFilePrint, &MenuItem::Click, this,
            [this] { handleEvent("mnuFilePrint_Click", [this] { mnuFilePrint_Click(); }); });
    connect(&mnuID, &MenuItemArray::Click, this, [this](Integer index) {
        handleEvent("mnuID_Click", [this, index] { mnuID_Click(index); });
    });
    connect(&mnuStyleType, &MenuItemArray::Click, this, [this](Integer index) {
        handleEvent("mnuStyleType_Click", [this, index] { mnuStyleType_Click(index); });
    });
    connect(&mnuRenewal, &MenuItem::Click, this,
            [this] { handleEvent("mnuRenewal_Click", [this] { mnuRenewal_Click(); }); });
    connect(&tlb1, &Toolbar::ButtonClick, this, [this](ToolbarButton& button) {
        handleEvent("tlb1_ButtonClick", [this, &button] { tlb1_ButtonClick(button); });
    });
    connect(&hsb1, &HScrollBar::Change, this,
            [this] { handleEvent("hsb1_Change", [this] { hsb1_Change(); }); });
    connect(&cmdHead, &CommandButton::Click, this,
            [this] { handleEvent("cmdHead_Click", [this] { cmdHead_Click(); }); });
    connect(&cmdEnd, &CommandButton::Click, this,
            [this] { handleEvent("cmdEnd_Click", [this] { cmdEnd_Click(); }); });
    connect(&cmdSearch, &CommandButton::Click, this,
            [this] { handleEvent("cmdSearch_Click", [this] { cmdSearch_Click(); }); });
    // Enter in the search box searches as the button does.
    connect(&txtSearch, &QLineEdit::returnPressed, this,
            [this] { handleEvent("cmdSearch_Click", [this] { cmdSearch_Click(); }); });
    connect(&cmdClear, &CommandButton::Click, this,
            [this] { handleEvent("cmdClear_Click", [this] { cmdClear_Click(); }); });
    connect(&cmdNextHit, &CommandButton::Click, this,
            [this] { handleEvent("cmdNextHit_Click", [this] { cmdNextHit_Click(); }); });
    connect(&cmdPrevHit, &CommandButton::Click, this,
            [this] { handleEvent("cmdPrevHit_Click", [this] { cmdPrevHit_Click(); }); });

    connect(&picView, &PictureBox::MouseDown, this,
            [this](Integer b, Integer s, Single x, Single y) {
                handleEvent("picView_MouseDown", [&] { picView_MouseDown(b, s, x, y); });
            });
    connect(&picView, &PictureBox::MouseMove, this,
            [this](Integer b, Integer s, Single x, Single y) {
                handleEvent("picView_MouseMove", [&] { picView_MouseMove(b, s, x, y); });
            });
    connect(&picView, &PictureBox::OLEDragOver, this,
            [this](const std::vector<String>& files, Long& effect, Integer state) {
                handleEvent("picView_OLEDragOver",
                            [&] { picView_OLEDragOver(files, effect, state); });
            });
    connect(&picView, &PictureBox::OLEDragDrop, this, [this](const std::vector<String>& files) {
        handleEvent("picView_OLEDragDrop", [&] { picView_OLEDragDrop(files); });
    });
    connect(&stb1, &StatusBar::MouseDown, this, [this](Integer b, Integer s, Single x, Single y) {
        handleEvent("stb1_MouseDown", [&] { stb1_MouseDown(b, s, x, y); });
    });
    connect(&cmdClear, &CommandButton::MouseMove, this,
            [this] { handleEvent("cmdClear_MouseMove", [this] { cmdClear_MouseMove(); }); });
    connect(&cmdEnd, &CommandButton::MouseMove, this,
            [this] { handleEvent("cmdEnd_MouseMove", [this] { cmdEnd_MouseMove(); }); });
    connect(&cmdHead, &CommandButton::MouseMove, this,
            [this] { handleEvent("cmdHead_MouseMove", [this] { cmdHead_MouseMove(); }); });
    connect(&cmdSearch, &CommandButton::MouseMove, this,
            [this] { handleEvent("cmdSearch_MouseMove", [this] { cmdSearch_MouseMove(); }); });
    connect(&txtLineNumber, &TextBox::MouseMove, this, [this] {
        handleEvent("txtLineNumber_MouseMove", [this] { txtLineNumber_MouseMove(); });
    });
    connect(&txtSearch, &TextBox::MouseMove, this,
            [this] { handleEvent("txtSearch_MouseMove", [this] { txtSearch_MouseMove(); }); });
    connect(&tlb1, &Toolbar::MouseMove, this,
            [this] { handleEvent("tlb1_MouseMove", [this] { tlb1_MouseMove(); }); });
    connect(&stb1, &StatusBar::MouseMove, this,
            [this] { handleEvent("stb1_MouseMove", [this] { stb1_MouseMove(); }); });

    connect(&nmuHelpHelp, &MenuItem::Click, this,
            [this] { handleEvent("nmuHelpHelp_Click", [this] { nmuHelpHelp_Click(); }); });
    // F1 anywhere in the window opens the help as the menu command does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { handleEvent("F1", [this] { nmuHelpHelp_Click(); }); });
    connect(&mnuAbout, &MenuItem::Click, this,
            [this] { handleEvent("mnuAbout_Click", [this] { mnuAbout_Click(); }); });
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
    viewDevice_.setInnerSize(picView.image().width(), picView.image().height());
}

void frmMain::mnuEnd_Click() {
    // Ends the program at once: nothing of the window runs after this, so the session is
    // written first.
    saveSession();
    if (settings_) settings_->flush();
    QCoreApplication::exit(0);
}

}  // namespace tavelo
