// The main window's redraw: the scroll bar's Change handler, the jumps to the beginning and
// the end, and the passes over the current document.
#include "shell/controls/CommonDialog.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "view/ScrollPosition.h"

namespace tavelo {
PaintState frmMain::paintState() const {
    PaintState state;
    state.offsetX = m_OffsetX;
    state.isSearch = m_IsSearch;
    state.hitColor = static_cast<COLORREF>(cdlFileOpen.Color());
    paintColors(state);
    state.viewWidth = baselineDrawing_ ? 0 : picView.logicalSize().width();
    return state;
}

void frmMain::setBaselineDrawing(bool baseline) {
    baselineDrawing_ = baseline;
    surface_.setCachingEnabled(!baseline);
}

void frmMain::DrawSmallBun() {
    painter_.DrawSmallBun(m_obViewS.Item(m_ViewIndex), paintState());
}
void frmMain::DrawBigBun(Integer tier) {
    painter_.DrawBigBun(m_obViewS.Item(m_ViewIndex), tier, paintState());
}
void frmMain::DrawSmallRubi() {
    painter_.DrawSmallRubi(m_obViewS.Item(m_ViewIndex), paintState());
}
void frmMain::DrawBigRubi(Integer tier) {
    painter_.DrawBigRubi(m_obViewS.Item(m_ViewIndex), tier, paintState());
}

Integer frmMain::currentStyle() const {
    return largeStyle() ? 1 : 0;
}

void frmMain::hsb1_Change() {
    if (m_obViewS.Count() == 0) return;
    if (!smallStyle() && !largeStyle()) return;
    if (currentIsProse()) {
        showProsePage();
        return;
    }
    enableStyleCommands(true);
    const CViewData& view = m_obViewS.Item(m_ViewIndex);
    const Integer style = currentStyle();
    const ScrollPosition positions = ScrollPosition::of(view, style);
    hsb1.Min(positions.last());
    // A page moves by the whole columns the view shows, however wide the view and the pitch.
    hsb1.LargeChange(ScrollPosition::pageStep(view, style, picView.logicalSize().width()));
    const ScrollPosition::Shown shown = positions.at(hsb1.Value());
    m_OffsetX = shown.offsetX;
    m_ValueRatio = shown.valueRatio;
    txtLineNumber.Text(shown.lineNumber);
    picView.Cls();  // follows the screen's pixel ratio before the passes draw at it
    surface_.setDeviceScale(picView.deviceRatio());
    const bool ruby = tools_ == nullptr || tools_->drawsTl2Ruby();
    if (style == 0) {
        DrawSmallBun();
        if (ruby) DrawSmallRubi();
    } else {
        DrawBigBun(shown.tier);
        if (ruby) DrawBigRubi(shown.tier);
    }
    if (tools_ != nullptr) tools_->viewDrawn();
}

void frmMain::cmdHead_Click() {
    if (m_obViewS.Count() >= 1) {
        hsb1.Value(0);
        // Drawn again even when the assignment already redrew: the value may not have changed.
        hsb1_Change();
    }
    hsb1.SetFocus();
}

void frmMain::cmdEnd_Click() {
    if (currentIsProse()) {
        hsb1.Value(hsb1.Min());  // the last page
    } else if (m_obViewS.Count() >= 1 && (smallStyle() || largeStyle())) {
        hsb1.Value(ScrollPosition::of(m_obViewS.Item(m_ViewIndex), currentStyle()).end());
        hsb1_Change();
    }
    hsb1.SetFocus();
}

}  // namespace tavelo
