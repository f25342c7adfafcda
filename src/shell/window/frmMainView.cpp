// The main window as a reading view: it opens at the classic size where the screen holds it,
// can be resized, maximised and shown full screen, zooms the text and has paper and ink
// colours. Every size or zoom change lays the open documents out again for the new view and
// redraws at the same scroll position; positions count lines (and tiers), so the first
// visible line stays first.
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "shell/controls/CommonDialog.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/Twips.h"
#include "shell/window/ScreenFit.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "store/RecordRelayout.h"

namespace tavelo {
namespace {

constexpr int kBarPixels = 28;  // toolbar row and status bar
// A tl2 document's columns fill the height they are laid out for, the view's height times the
// zoom: above 100 % their lower part would run past the bottom of the view, where nothing
// reaches it. Its zoom therefore stops at 100 %; larger characters are the large style's two
// tiers. Prose flows into as many columns as the view holds at any size, up to 400 %.
constexpr std::array<int, 13> kZoomSteps{50,  67,  75,  80,  90,  100, 125,
                                         150, 175, 200, 250, 300, 400};
constexpr int kClassicLargestZoom = 100;
constexpr int kProseLargestZoom = 400;
constexpr int kWheelNotch = 120;
constexpr int kZoomShownMs = 1500;
// The right end of the toolbar row at the classic width: the scroll bar ends 9 pixels before
// the jump to the beginning, which stands 16 pixels before the line number, which ends 2
// pixels before the edge.
constexpr int kRowEndMargin = 2;
constexpr int kHeadToLineNumber = 16;
constexpr int kBarToHead = 9;
constexpr int kSmallestScrollBar = 24;
constexpr int kAssumedTitleBar = 30;
constexpr int kAssumedBorder = 4;

struct Paper {
    COLORREF paper;
    COLORREF ink;
};
// White is the classic view; sepia and dark keep the contrast of black on white.
constexpr std::array<Paper, 3> kPapers{{{RGB(255, 255, 255), RGB(0, 0, 0)},
                                        {RGB(244, 236, 216), RGB(67, 52, 34)},
                                        {RGB(30, 30, 30), RGB(224, 224, 224)}}};

// Perceived lightness, 0..255.
int lightness(COLORREF color) {
    return (299 * redOf(color) + 587 * greenOf(color) + 114 * blueOf(color)) / 1000;
}

// The hit colour the user chose, lightened or darkened halfway to white or black where it
// would hardly stand out from the paper.
COLORREF readableOn(COLORREF paper, COLORREF hit) {
    if (std::abs(lightness(paper) - lightness(hit)) >= 96) return hit;
    const bool darkPaper = lightness(paper) < 128;
    const auto shift = [darkPaper](BYTE channel) {
        return static_cast<BYTE>(darkPaper ? channel + (255 - channel) * 3 / 5 : channel * 2 / 5);
    };
    return RGB(shift(redOf(hit)), shift(greenOf(hit)), shift(blueOf(hit)));
}

String percentText(int percent, bool capped, bool prose) {
    const std::string text = std::to_string(percent);
    String shown = u"表示倍率 " + String(text.begin(), text.end()) + u"%";
    if (capped)
        shown += prose ? String(u"(最大です)")
                       : String(u"(列が表示に収まる最大です。大きな文字は「フォント大」で)");
    return shown;
}

}  // namespace

void frmMain::fitClassicSize(int clientWidth, int clientHeight) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The classic size is where the window starts, not its smallest: a small screen (1024 x
    // 600) must be able to hold the whole window, status bar included.
    client_->setMinimumSize(ScreenFit::kMinimumClientWidth, ScreenFit::kMinimumClientHeight);
    client_->resize(clientWidth, clientHeight);
    resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    layout()->activate();
    client_->installEventFilter(this);
}

// Opening never makes the window larger than the screen's free area: where the classic size
// does not fit, the window shrinks to what does, and the whole frame is moved onto the area.
void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    const QScreen* shown = screen();
    if (shown == nullptr || isMaximized() || isFullScreen()) return;
    const QRect available = shown->availableGeometry();
    // Before the window manager has framed the window its frame is unknown: a title bar and
    // borders of the usual size are allowed for.
    QSize frame = frameGeometry().size() - size();
    const bool framed = !frame.isEmpty();
    if (!framed) frame = QSize(2 * kAssumedBorder, kAssumedTitleBar + kAssumedBorder);
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize around = frame + QSize(0, menuHeight);
    const QSize client = ScreenFit::clientSize(client_->size(), available, around);
    const QPoint frameAt =
        ScreenFit::topLeft(QRect(frameGeometry().topLeft(), client + around), available);
    const QSize inner(client.width(), client.height() + menuHeight);
    if (framed) {
        resize(inner);
        move(frameAt);
    } else {
        // Not framed yet: the window manager puts its frame around the place given to the
        // window itself, so that place leaves room for the title bar.
        setGeometry(QRect(frameAt + QPoint(kAssumedBorder, kAssumedTitleBar), inner));
    }
}

void frmMain::setUpReadingView() {
    QMenu& style = *mnuStyle.subMenu();
    const auto item = [&](QWidget& container, const char16_t* caption, auto handler) {
        auto& made = *viewMenuItems_.emplace_back(std::make_unique<MenuItem>(container, caption));
        connect(&made, &MenuItem::Click, this, [this, handler] { handleEvent("view", handler); });
        return &made;
    };
    viewMenuItems_.push_back(std::make_unique<MenuItem>(style, u"-"));
    item(style, u"全画面表示(&F)\tF11", [this] { toggleFullScreen(); });
    auto& zoom = *viewMenuItems_.emplace_back(
        std::make_unique<MenuItem>(style, u"表示倍率(&Z)", MenuItem::Kind::Menu));
    item(*zoom.subMenu(), u"拡大(&I)\tCtrl++", [this] { zoomStep(1); });
    item(*zoom.subMenu(), u"縮小(&O)\tCtrl+-", [this] { zoomStep(-1); });
    item(*zoom.subMenu(), u"100%(&N)\tCtrl+0", [this] { zoomTo(100); });
    auto& paper = *viewMenuItems_.emplace_back(
        std::make_unique<MenuItem>(style, u"紙とインクの色(&P)", MenuItem::Kind::Menu));
    paperItems_ = {item(*paper.subMenu(), u"白(&W)", [this] { paperPresetTo(kPaperWhite); }),
                   item(*paper.subMenu(), u"セピア(&S)", [this] { paperPresetTo(kPaperSepia); }),
                   item(*paper.subMenu(), u"黒地(&D)", [this] { paperPresetTo(kPaperDark); }),
                   item(*paper.subMenu(), u"指定色(&C)...", [this] {
                       // The paper first, then the ink, through the colour dialog the hit
                       // colour uses; its colour is given back afterwards.
                       const Long hit = cdlFileOpen.Color();
                       cdlFileOpen.Color(customPaper_);
                       cdlFileOpen.ShowColor();
                       const Long chosenPaper = cdlFileOpen.Color();
                       cdlFileOpen.Color(customInk_);
                       cdlFileOpen.ShowColor();
                       const Long chosenInk = cdlFileOpen.Color();
                       cdlFileOpen.Color(hit);
                       setCustomPaper(chosenPaper, chosenInk);
                   })};
    paperItems_[kPaperWhite]->Checked(true);

    const auto shortcut = [this](const QKeySequence& keys, auto handler) {
        auto* made = new QShortcut(keys, this);
        connect(made, &QShortcut::activated, this, [this, handler] { handleEvent("key", handler); });
    };
    shortcut(QKeySequence(Qt::Key_F11), [this] { toggleFullScreen(); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] {
        if (isFullScreen()) toggleFullScreen();
    });
    for (const QKeySequence& in : {QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                   QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Semicolon)})
        shortcut(in, [this] { zoomStep(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { zoomStep(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomTo(100); });
}

// The controls follow the client area: the toolbar row and the status bar keep their height
// across the whole width, the view takes what lies between them.
void frmMain::placeControls() {
    const int width = client_->width();
    const int height = client_->height();
    tlb1.setGeometry(0, 0, width, kBarPixels);
    // The line number and the jump to the beginning keep to the row's right end, with their
    // classic gaps; the scroll bar takes the width between them and the search controls.
    txtLineNumber.move(width - kRowEndMargin - txtLineNumber.width(), txtLineNumber.y());
    cmdHead.move(txtLineNumber.x() - kHeadToLineNumber, cmdHead.y());
    hsb1.resize(std::max(cmdHead.x() - kBarToHead - hsb1.x(), kSmallestScrollBar), hsb1.height());
    picView.setGeometry(0, kBarPixels, width, std::max(height - 2 * kBarPixels, 2));
    stb1.setGeometry(0, std::max(height - kBarPixels, kBarPixels), width, kBarPixels);
    const int buttonSize = stb1.height() - 6;
    cmdPrevHit.setGeometry(stb1.width() - buttonSize - 3, 3, buttonSize, buttonSize);
    cmdNextHit.setGeometry(stb1.width() - 2 * buttonSize - 5, 3, buttonSize, buttonSize);
    const int panelEnd = cmdNextHit.x() - 4;
    stb1.Panels(1).Width(
        twips::fromPixels(tools_ != nullptr ? tools_->placeProgress(panelEnd) : panelEnd));
}

// The layout sees the view's width and its height scaled by the zoom: the pitch follows the
// height, so a larger zoom gives larger characters and fewer columns across the same width.
void frmMain::layOutDevice() {
    const QSize view = picView.logicalSize();
    const int zoom = std::min(zoomPercent_, kClassicLargestZoom);
    const int height = static_cast<int>(std::lround(view.height() * (zoom / 100.0)));
    viewDevice_.setInnerSize(view.width(), std::max(height, 1));
}

void frmMain::followViewSize() {
    layOutDevice();
    for (const auto& record : m_obViewS) RecordRelayout::layOutAgain(*record, viewDevice_);
    prose_.layOutAll(proseSettings());
    if (currentIsProse()) {
        showProseAtPlace();
    } else if (m_obViewS.Count() > 0) {
        hsb1_Change();
    } else {
        picView.Cls();
    }
}

// A tl2 document keeps its cap; prose, and a window without documents (a session being
// restored), go up to the prose's. The tl2 layout reads a larger zoom as 100 %.
int frmMain::largestZoom() const {
    return currentIsProse() || m_obViewS.Count() == 0 ? kProseLargestZoom : kClassicLargestZoom;
}

void frmMain::zoomTo(int percent) {
    const int largest = largestZoom();
    const bool capped = percent > largest;
    percent = std::clamp(percent, kZoomSteps.front(), largest);
    if (percent != zoomPercent_) {
        zoomPercent_ = percent;
        followViewSize();
    }
    showPassingStatus(percentText(percent, capped, largest == kProseLargestZoom), kZoomShownMs);
}

void frmMain::zoomStep(int steps) {
    const int largest = largestZoom();
    const int zoom = std::min(zoomPercent_, largest);
    const auto end = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), largest);
    const auto at = std::lower_bound(kZoomSteps.begin(), end, zoom);
    auto index = at - kZoomSteps.begin();
    // Between two steps, one step in goes to the larger and one step out to the smaller.
    if (steps < 0 || (at != end && *at == zoom))
        index += steps;
    else index += steps - 1;
    const auto last = (end - kZoomSteps.begin()) - 1;
    // A step past the largest asks for more than fits, which the status bar then says.
    if (index > last) {
        zoomTo(largest + 1);
        return;
    }
    zoomTo(kZoomSteps[static_cast<std::size_t>(std::max<decltype(index)>(index, 0))]);
}

void frmMain::zoomByWheel(int angle) {
    zoomWheel_ += angle;
    const int steps = zoomWheel_ / kWheelNotch;
    if (steps == 0) return;
    zoomWheel_ -= steps * kWheelNotch;
    handleEvent("zoom", [this, steps] { zoomStep(steps); });
}

void frmMain::toggleFullScreen() {
    // The full screen lies over the state it was entered from: a maximised window comes
    // back maximised.
    if (isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    } else {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    }
}

void frmMain::paperPresetTo(int preset) {
    if (preset < kPaperWhite || preset > kPaperCustom) return;
    paperPreset_ = preset;
    for (std::size_t i = 0; i < paperItems_.size(); ++i)
        paperItems_[i]->Checked(static_cast<int>(i) == preset);
    picView.BackColor(preset == kPaperCustom
                          ? customPaper_
                          : static_cast<Long>(kPapers[static_cast<std::size_t>(preset)].paper));
    if (m_obViewS.Count() > 0) {
        hsb1_Change();
    } else {
        picView.Cls();
    }
}

void frmMain::setCustomPaper(Long paper, Long ink) {
    customPaper_ = paper;
    customInk_ = ink;
    paperPresetTo(kPaperCustom);
}

void frmMain::paintColors(PaintState& state) const {
    const bool custom = paperPreset_ == kPaperCustom;
    const Paper& preset = kPapers[static_cast<std::size_t>(custom ? 0 : paperPreset_)];
    const COLORREF paper = custom ? static_cast<COLORREF>(customPaper_) : preset.paper;
    state.inkColor = custom ? static_cast<COLORREF>(customInk_) : preset.ink;
    state.hitColor = readableOn(paper, state.hitColor);
}

}  // namespace tavelo
