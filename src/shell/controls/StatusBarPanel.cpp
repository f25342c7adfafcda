#include "shell/controls/StatusBarPanel.h"

#include <algorithm>

#include "shell/controls/ControlErrors.h"
#include "shell/controls/Twips.h"

namespace tavelo {
namespace {

// A text wider than the panel loses its end to "…": texts put what matters first (the
// document's ID, the cause of a failure). The whole text is the bar's tool tip.
void showElided(QLabel& label, const String& text) {
    const QString whole = QString::fromStdU16String(text);
    const int room = label.contentsRect().width() - label.indent();
    const QString shown =
        room > 0 ? label.fontMetrics().elidedText(whole, Qt::ElideRight, room) : whole;
    label.setText(shown);
    // The panel lets the mouse through to the bar, so the bar carries the tip.
    if (QWidget* bar = label.parentWidget()) bar->setToolTip(shown == whole ? QString() : whole);
}

}  // namespace

StatusBarPanel::StatusBarPanel(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setIndent(3);
    setTextFormat(Qt::PlainText);
    // The bar reports the mouse itself, in its own coordinates.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StatusBarPanel::Text(const String& vNewValue) {
    text_ = vNewValue;
    showElided(*this, text_);
}

Single StatusBarPanel::Width() const {
    return width_;
}

void StatusBarPanel::Width(Single vNewValue) {
    if (vNewValue < 0) throw controlerrors::invalidPropertyValue("Width");
    width_ = vNewValue;
    fitToBar();
}

void StatusBarPanel::fitToBar() {
    // The bar keeps a narrow margin around its panel, as the classic one does.
    constexpr int kSide = 2;
    constexpr int kTop = 3;
    constexpr int kBottom = 2;
    const QWidget* bar = parentWidget();
    if (bar == nullptr) return;
    const int room = std::max(bar->width() - 2 * kSide, 0);
    setGeometry(kSide, kTop, std::min(twips::toPixels(width_), room),
                std::max(bar->height() - kTop - kBottom, 0));
    showElided(*this, text_);
}

}  // namespace tavelo
