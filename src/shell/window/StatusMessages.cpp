#include "shell/window/StatusMessages.h"

#include "shell/controls/StatusBarPanel.h"

namespace tavelo {

StatusMessages::StatusMessages(StatusBarPanel& panel, QObject* parent)
    : QObject(parent), panel_(panel) {
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, [this] { show(normal_); });
}

void StatusMessages::expire() {
    if (!expiry_.isActive()) return;
    expiry_.stop();
    show(normal_);
}

void StatusMessages::showNormal(const String& text) {
    normal_ = text;
    // What a command has just done is news: it ends a passing message at once.
    expiry_.stop();
    show(text);
}

void StatusMessages::showPassing(const String& text, int milliseconds) {
    show(text);
    expiry_.start(milliseconds);
}

void StatusMessages::show(const String& text) {
    // Emptied first, as the classic panel is: the same text set again still repaints.
    panel_.Text(String());
    panel_.Text(text);
}

}  // namespace tavelo
