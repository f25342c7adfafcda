#include "shell/controls/PictureBox.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <cmath>

#include "common/PathBytes.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/ClassicMouse.h"
#include "shell/controls/ControlErrors.h"
#include "shell/controls/Twips.h"

namespace tavelo {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitImage();
}

QImage& PictureBox::image() {
    fitImage();
    return image_;
}

const QImage& PictureBox::image() const {
    fitImage();
    return image_;
}

qreal PictureBox::deviceRatio() const {
    return fixedRatio_ > 0 ? fixedRatio_ : devicePixelRatioF();
}

void PictureBox::setDevicePixelRatio(qreal ratio) {
    if (!(ratio == 0 || (ratio >= 1 && ratio <= 4)))
        throw controlerrors::invalidPropertyValue("DevicePixelRatio");
    fixedRatio_ = ratio;
    fitImage();
    update();
}

void PictureBox::Cls() {
    fitImage();
    image_.fill(colorFromLong(backColor_));
    update();
}

void PictureBox::Refresh() {
    repaint();
}

void PictureBox::BackColor(Long vNewValue) {
    backColor_ = vNewValue;
    update();
}

void PictureBox::BorderStyle(Integer vNewValue) {
    if (vNewValue != 0 && vNewValue != 1) throw controlerrors::invalidPropertyValue("BorderStyle");
    borderStyle_ = vNewValue;
    fitImage();
    update();
}

void PictureBox::ScaleMode(Integer vNewValue) {
    if (vNewValue != vbTwips && vNewValue != vbPixels)
        throw controlerrors::invalidPropertyValue("ScaleMode");
    scaleMode_ = vNewValue;
}

Single PictureBox::ScaleWidth() const {
    return toScale(innerSize().width());
}
Single PictureBox::ScaleHeight() const {
    return toScale(innerSize().height());
}

void PictureBox::MousePointer(Integer vNewValue) {
    classicmouse::applyPointer(*this, vNewValue, mouseIcon_);  // rejects unknown values first
    mousePointer_ = vNewValue;
}

void PictureBox::MouseIcon(const QCursor& vNewValue) {
    mouseIcon_ = vNewValue;
    applyMousePointer();
}

void PictureBox::OLEDropMode(Integer vNewValue) {
    if (vNewValue != 0 && vNewValue != 1) throw controlerrors::invalidPropertyValue("OLEDropMode");
    oleDropMode_ = vNewValue;
    setAcceptDrops(vNewValue == 1);
}

std::vector<String> PictureBox::filesOf(const QMimeData* data) {
    std::vector<String> files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        // The URL carries the name's bytes percent-encoded; decoded as text, a name that is not
        // UTF-8 (Shift-JIS) would lose them, so they are taken as bytes.
        if (url.isLocalFile())
            files.push_back(PathBytes::fromSystem(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                    .toStdString()));
    }
    return files;
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (border() > 0) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.drawImage(border(), border(), image());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitImage();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseDown(classicmouse::buttonOf(event->button()),
                   classicmouse::shiftOf(event->modifiers()), toScale(position.x() - border()),
                   toScale(position.y() - border()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = event->position();
    emit MouseMove(classicmouse::buttonsOf(event->buttons()),
                   classicmouse::shiftOf(event->modifiers()), toScale(position.x() - border()),
                   toScale(position.y() - border()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit DblClick();
}

void PictureBox::dragEnterEvent(QDragEnterEvent* event) {
    offerDrag(*event, vbEnter);
    // Taken in any case, so that the handler also hears the moves and the leave.
    event->accept();
}

void PictureBox::dragMoveEvent(QDragMoveEvent* event) {
    offerDrag(*event, vbOver);
}

void PictureBox::dragLeaveEvent(QDragLeaveEvent* /*event*/) {
    Long effect = dragEffect_;
    emit OLEDragOver(dragFiles_, effect, vbLeave);
    dragFiles_.clear();
    dragEffect_ = vbDropEffectNone;
}

void PictureBox::dropEvent(QDropEvent* event) {
    const bool accepted = (dragEffect_ & vbDropEffectCopy) != 0;
    const std::vector<String> files = filesOf(event->mimeData());
    dragFiles_.clear();
    dragEffect_ = vbDropEffectNone;
    if (!accepted) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit OLEDragDrop(files);
}

Single PictureBox::toScale(double pixels) const {
    return scaleMode_ == vbTwips ? twips::fromPixels(pixels) : static_cast<Single>(pixels);
}

QSize PictureBox::innerSize() const {
    const QSize inner = rect().adjusted(border(), border(), -border(), -border()).size();
    return {std::max(inner.width(), 0), std::max(inner.height(), 0)};
}

void PictureBox::fitImage() const {
    const qreal ratio = deviceRatio();
    const QSize logical = innerSize();
    const QSize size = ratio == 1 ? logical
                                  : QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                                          static_cast<int>(std::lround(logical.height() * ratio)));
    if (image_.size() == size && image_.devicePixelRatio() == ratio && !image_.isNull()) return;
    // What was drawn stays, from the top-left corner, as the classic persistent image does
    // (at its logical size when the ratio changed).
    QImage resized(size, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(colorFromLong(backColor_));
    if (!image_.isNull() && !size.isEmpty()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

void PictureBox::applyMousePointer() {
    classicmouse::applyPointer(*this, mousePointer_, mouseIcon_);
}

void PictureBox::offerDrag(QDragMoveEvent& event, Integer state) {
    dragFiles_ = filesOf(event.mimeData());
    Long effect = (event.possibleActions() & Qt::CopyAction) ? vbDropEffectCopy : vbDropEffectNone;
    emit OLEDragOver(dragFiles_, effect, state);
    dragEffect_ = effect;
    if ((effect & vbDropEffectCopy) != 0) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.ignore();
    }
}

}  // namespace tavelo
