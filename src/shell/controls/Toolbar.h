#pragma once

#include <QIcon>
#include <QWidget>
#include <memory>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo {

class ToolbarButton;

// A toolbar in the classic manner: numbered buttons (from 1) with keys, styles and images
// from the toolbar's image list, laid out from the left. ButtonClick reports the pressed
// button; the handler tells the buttons apart by their Key. Positions of mouse events are in
// twips.
class Toolbar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 23;
    static constexpr int kButtonHeight = 22;
    static constexpr int kSeparatorWidth = 8;
    static constexpr int kLeftMargin = 2;

    explicit Toolbar(QWidget* parent);
    ~Toolbar() override;

    // The images buttons refer to, numbered from 1; an icon may hold the image at more than
    // one size, for displays at a scale above 1.
    void ImageList(std::vector<QIcon> images);
    [[nodiscard]] Integer ImageCount() const { return static_cast<Integer>(images_.size()); }
    [[nodiscard]] const QIcon& ImageListImage(Integer vIndex) const;

    // Adds a button with the next index.
    ToolbarButton& AddButton(const String& key, Integer style, Integer image = 0);
    // The button `vIndex`, 1..ButtonCount; error 9 otherwise.
    [[nodiscard]] ToolbarButton& Buttons(Integer vIndex) const;
    [[nodiscard]] Integer ButtonCount() const { return static_cast<Integer>(buttons_.size()); }

    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    void MousePointer(Integer vNewValue);

    // Places the buttons one after the other; ToolbarButton calls it after each change.
    void layoutButtons();

signals:
    void ButtonClick(tavelo::ToolbarButton& Button);
    void MouseMove(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void reportMouseMove(const QMouseEvent& event, QPoint position);

    std::vector<QIcon> images_;
    std::vector<std::unique_ptr<ToolbarButton>> buttons_;
    Integer mousePointer_ = 0;
};

}  // namespace tavelo
