#pragma once

#include <QLabel>

#include "common/ClassicTypes.h"

namespace tavelo {

// One sunken panel of a StatusBar, showing one line of text. Its width is in twips; the
// panel is shown no wider than the bar leaves room for.
class StatusBarPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusBarPanel(QWidget* parent);

    [[nodiscard]] const String& Text() const { return text_; }
    void Text(const String& vNewValue);
    [[nodiscard]] Single Width() const;
    void Width(Single vNewValue);

    // Places the panel inside the bar (its parent) after a change of either.
    void fitToBar();

private:
    String text_;
    Single width_ = 0;
};

}  // namespace tavelo
