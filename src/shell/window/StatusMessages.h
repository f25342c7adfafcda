#pragma once

#include <QObject>
#include <QTimer>

#include "common/ClassicTypes.h"

namespace tavelo {

class StatusBarPanel;

// What the status bar's panel says. The normal text describes the document on screen (its ID,
// its counts, the hits); a passing message (the zoom, a file written) stands over it for a
// while, and when it expires the normal text comes back. A new normal text ends a passing
// message at once; a new passing message replaces the one shown.
class StatusMessages : public QObject {
    Q_OBJECT
public:
    explicit StatusMessages(StatusBarPanel& panel, QObject* parent = nullptr);

    void showNormal(const String& text);
    void showPassing(const String& text, int milliseconds);
    // Ends the passing message now, as its time running out does.
    void expire();
    [[nodiscard]] const String& normalText() const { return normal_; }
    [[nodiscard]] bool passingShown() const { return expiry_.isActive(); }

private:
    void show(const String& text);

    StatusBarPanel& panel_;
    String normal_;
    QTimer expiry_;
};

}  // namespace tavelo
