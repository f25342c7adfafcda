// Prose documents in the main window: they stand in the collection as empty records, and the
// prose view draws their flowing pages. The scroll bar runs over the pages (Min the last page,
// one page a step), so that the keys, the wheel, the clicks and the jumps of the tl2 view turn
// the pages as they are.
#include <QTimer>
#include <algorithm>

#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "prose/ProseLoad.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "store/DocumentLoader.h"

namespace tavelo {
namespace {

constexpr int kPrepareDelayMs = 30;  // after the page reaches the screen

}  // namespace

bool frmMain::loadAnyDocument(DocumentLoader& loader, const String& fileName,
                              const String& fullPathName, MessageSink& sink) {
    if (!prose::isProseName(PathBytes::toSystem(fullPathName)))
        return loadDocument(loader, fileName, fullPathName, sink);
    if (!prose_.read(fullPathName, sink)) return false;
    // The record only names the document: its text is the prose view's.
    loader.loadBytes({}, fileName);
    loader.reader().FullPathName(fullPathName);  // what refresh, following and the session read
    return true;
}

bool frmMain::currentIsProse() const {
    return m_obViewS.Count() > 0 && m_ViewIndex >= 1 && m_ViewIndex <= m_obViewS.Count() &&
           prose_.holds(m_obViewS.Item(m_ViewIndex).ID());
}

flow::FlowSettings frmMain::proseSettings() const {
    flow::FlowSettings settings;
    settings.viewWidth = picView.logicalSize().width();
    settings.viewHeight = picView.logicalSize().height();
    settings.zoomPercent = zoomPercent_;
    settings.rubySpace = tools_ == nullptr || tools_->rubySpace();
    return settings;
}

void frmMain::showProseAtPlace() {
    const String& id = m_obViewS.Item(m_ViewIndex).ID();
    const int pages = std::min(prose_.pageCount(id), 32768);
    hsb1.Min(static_cast<Integer>(pages - 1));
    const auto page = static_cast<Integer>(std::min(prose_.currentPage(id), pages - 1));
    if (hsb1.Value() != page)
        hsb1.Value(page);  // redraws
    else
        hsb1_Change();
}

void frmMain::showProsePage() {
    const String& id = m_obViewS.Item(m_ViewIndex).ID();
    enableStyleCommands(false);
    const int pages = std::min(prose_.pageCount(id), 32768);
    hsb1.Min(static_cast<Integer>(pages - 1));
    hsb1.LargeChange(1);
    txtLineNumber.Text(utf8::toUtf16(std::to_string(hsb1.Value() + 1)));
    picView.Cls();
    surface_.setDeviceScale(picView.deviceRatio());
    const PaintState colours = paintState();
    prose_.paint(id, hsb1.Value(), surface_, colours.inkColor, colours.hitColor);
    showStatus(statusText(m_obViewS.Item(m_ViewIndex)));
    tools_->viewDrawn();
    // The pages on either side are made while this one is read (once it is on the screen),
    // so that a turn only draws.
    QTimer::singleShot(kPrepareDelayMs, this, [this, id = String(id), page = int{hsb1.Value()}] {
        if (prose_.holds(id)) prose_.prepareNeighbours(id, page, surface_);
    });
}

void frmMain::enableStyleCommands(bool enabled) {
    mnuStyleType(0).Enabled(enabled);
    mnuStyleType(1).Enabled(enabled);
    tlb1.Buttons(3).Enabled(enabled);
    tlb1.Buttons(4).Enabled(enabled);
}

}  // namespace tavelo
