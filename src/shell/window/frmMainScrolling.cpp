// The main window's redraw: the scroll bar's Change handler, the jumps to the beginning and
// the end, and the passes over the current document.
#include <string>

#include "shell/controls/CommonDialog.h"
#include "common/CheckedArithmetic.h"
#include "common/Rounding.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"

namespace tavelo {
namespace {

String decimal(long value) {
    const std::string text = std::to_string(value);
    return String(text.begin(), text.end());
}

// A scroll position times a pitch factor: both Single, the product rounded half to even.
Long offsetOf(long position, Single factor) {
    return rounding::roundToLong(
        rounding::toSingle(static_cast<double>(position) * static_cast<double>(factor)));
}

}  // namespace

PaintState frmMain::paintState() {
    PaintState state;
    state.offsetX = m_OffsetX;
    state.isSearch = m_IsSearch;
    state.hitColor = static_cast<COLORREF>(cdlFileOpen.Color());
    paintColors(state);
    state.viewWidth = baselineDrawing_ ? 0 : picView.image().width();
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

void frmMain::hsb1_Change() {
    if (m_obViewS.Count() == 0) return;
    const CViewData& view = m_obViewS.Item(m_ViewIndex);
    const Integer n = view.GyouArraySize();
    if (smallStyle()) {
        hsb1.Min(checked::sub(n, Integer{1}));
        const Integer v = hsb1.Value();
        if (v != 0) {
            m_OffsetX = offsetOf(v, rounding::toSingle(double{view.CharSpace(0)} * 2));
            m_ValueRatio = rounding::toSingle(static_cast<double>(v) / hsb1.Min());
        } else {
            m_OffsetX = 0;
            m_ValueRatio = 0;
            txtLineNumber.Text(u"1");
        }
        txtLineNumber.Text(n < v + 1 ? String() : decimal(v + 1));
        picView.Cls();
        DrawSmallBun();
        DrawSmallRubi();
    } else if (largeStyle()) {
        hsb1.Min(checked::sub(checked::mul(n, Integer{2}), Integer{1}));
        const Integer v = hsb1.Value();
        if (v % 2 == 0) {
            if (v == 0) {
                m_OffsetX = 0;
                m_ValueRatio = 0;
                txtLineNumber.Text(u"1");
            } else {
                m_OffsetX = offsetOf(v, view.CharSpace(1));
                m_ValueRatio = rounding::toSingle(static_cast<double>(v) / hsb1.Min());
                const double line = (static_cast<double>(v) + 2) / 2;
                txtLineNumber.Text(line <= n ? decimal(static_cast<long>(line)) : String());
            }
            picView.Cls();
            DrawBigBun(0);
            DrawBigRubi(0);
        } else {
            m_OffsetX = offsetOf(v - 1, view.CharSpace(1));
            picView.Cls();
            DrawBigBun(1);
            DrawBigRubi(1);
        }
    }
}

void frmMain::cmdHead_Click() {
    if (m_obViewS.Count() >= 1) {
        hsb1.Value(0);
        // Drawn again even when the assignment already redrew: the value may not have changed.
        m_OffsetX = 0;
        txtLineNumber.Text(u"1");
        picView.Cls();
        if (smallStyle()) {
            DrawSmallBun();
            DrawSmallRubi();
        } else if (largeStyle()) {
            DrawBigBun(0);
            DrawBigRubi(0);
        }
    }
    hsb1.SetFocus();
}

void frmMain::cmdEnd_Click() {
    if (m_obViewS.Count() >= 1) {
        const CViewData& view = m_obViewS.Item(m_ViewIndex);
        const Integer n = view.GyouArraySize();
        if (smallStyle()) {
            const Single factor = rounding::toSingle(double{view.CharSpace(0)} * 2);
            hsb1.Value(checked::sub(n, Integer{1}));
            m_OffsetX = offsetOf(hsb1.Value(), factor);
            txtLineNumber.Text(decimal(n));
            picView.Cls();
            DrawSmallBun();
            DrawSmallRubi();
        } else if (largeStyle()) {
            const Single factor = view.CharSpace(1);
            hsb1.Value(
                checked::add(checked::mul(checked::sub(n, Integer{1}), Integer{2}), Integer{1}));
            m_OffsetX = offsetOf(hsb1.Value() - 1, factor);
            picView.Cls();
            txtLineNumber.Text(decimal((hsb1.Value() + 1) / 2));
            DrawBigBun(1);
            DrawBigRubi(1);
        }
    }
    hsb1.SetFocus();
}

}  // namespace tavelo
