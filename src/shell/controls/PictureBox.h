#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <vector>

#include "common/ClassicTypes.h"

class QMimeData;

namespace tavelo {

// The drawing surface: a picture box that keeps a persistent image of its inner area (the
// classic AutoRedraw picture box; the image always persists).
//
// image() is that image, Format_RGB32, as large as the box inside its border in device pixels:
// logicalSize() times the device pixel ratio (the screen's, unless setDevicePixelRatio says
// otherwise), which the image carries, so that it is shown at the logical size. Whatever is
// drawn into it is shown at the next repaint: Cls clears it to BackColor and schedules one,
// Refresh repaints at once. ScaleWidth, ScaleHeight and the mouse positions are in the
// current ScaleMode (1 twips, 15 to a pixel; 3 pixels), measured from the inner area's
// top-left corner.
//
// Files dragged from the desktop are offered through OLEDragOver (for each notification:
// entering, moving over and leaving) with the effect preset to 1, copy; the effect the
// handler leaves, 1 or 0 (none), decides whether the drop is taken and OLEDragDrop raised.
// The box neither draws text nor measures fonts itself.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum : Integer { vbTwips = 1, vbPixels = 3 };
    enum : Integer { vbEnter = 0, vbLeave = 1, vbOver = 2 };
    enum : Long { vbDropEffectNone = 0, vbDropEffectCopy = 1 };

    explicit PictureBox(QWidget* parent);

    [[nodiscard]] QImage& image();
    [[nodiscard]] const QImage& image() const;
    // The box inside its border in logical pixels: what layout and scrolling measure.
    [[nodiscard]] QSize logicalSize() const { return innerSize(); }
    // Device pixels per logical pixel of the image: the ratio set, or the screen's.
    [[nodiscard]] qreal deviceRatio() const;
    // 0 follows the screen the box is on; 1 to 4 fixes the ratio (tests, exports).
    void setDevicePixelRatio(qreal ratio);

    void Cls();
    void Refresh();

    [[nodiscard]] Long BackColor() const { return backColor_; }
    void BackColor(Long vNewValue);
    // 0 none, 1 a one-pixel line around the drawing area.
    [[nodiscard]] Integer BorderStyle() const { return borderStyle_; }
    void BorderStyle(Integer vNewValue);
    // 1 twips or 3 pixels; error 380 for any other scale.
    [[nodiscard]] Integer ScaleMode() const { return scaleMode_; }
    void ScaleMode(Integer vNewValue);
    [[nodiscard]] Single ScaleWidth() const;
    [[nodiscard]] Single ScaleHeight() const;

    [[nodiscard]] bool Enabled() const { return isEnabled(); }
    void Enabled(bool vNewValue) { setEnabled(vNewValue); }
    // 1 the standard arrow, 99 the MouseIcon.
    [[nodiscard]] Integer MousePointer() const { return mousePointer_; }
    void MousePointer(Integer vNewValue);
    [[nodiscard]] const QCursor& MouseIcon() const { return mouseIcon_; }
    void MouseIcon(const QCursor& vNewValue);
    // 0 takes no drops, 1 offers them to the handlers.
    [[nodiscard]] Integer OLEDropMode() const { return oleDropMode_; }
    void OLEDropMode(Integer vNewValue);

    // The local files a drag carries; empty for a drag without files.
    [[nodiscard]] static std::vector<String> filesOf(const QMimeData* data);

signals:
    void MouseDown(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);
    void MouseMove(tavelo::Integer Button, tavelo::Integer Shift, tavelo::Single X,
                   tavelo::Single Y);
    void Click();
    void DblClick();
    void OLEDragOver(const std::vector<tavelo::String>& Files, tavelo::Long& Effect,
                     tavelo::Integer State);
    void OLEDragDrop(const std::vector<tavelo::String>& Files);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    [[nodiscard]] int border() const { return borderStyle_ == 1 ? 1 : 0; }
    [[nodiscard]] Single toScale(double pixels) const;
    [[nodiscard]] QSize innerSize() const;
    void fitImage() const;
    void applyMousePointer();
    void offerDrag(QDragMoveEvent& event, Integer state);

    // Follows the box's size at once, also while the box is hidden and Qt holds the resize
    // event back: hence mutable.
    mutable QImage image_;
    qreal fixedRatio_ = 0;
    Long backColor_ = 0xFFFFFF;
    Integer borderStyle_ = 0;
    Integer scaleMode_ = vbTwips;
    Integer mousePointer_ = 0;
    QCursor mouseIcon_;
    Integer oleDropMode_ = 0;
    // What the last drag-over notification decided, for the drop and the leave.
    std::vector<String> dragFiles_;
    Long dragEffect_ = vbDropEffectNone;
};

}  // namespace tavelo
