#include "shell/controls/Toolbar.h"

#include <QCursor>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/controls/Twips.h"

namespace tavelo {

Toolbar::Toolbar(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

Toolbar::~Toolbar() = default;

void Toolbar::ImageList(std::vector<QIcon> images) {
    images_ = std::move(images);
}

const QIcon& Toolbar::ImageListImage(Integer vIndex) const {
    if (vIndex < 1 || vIndex > ImageCount()) throw Error::subscriptOutOfRange("ImageList");
    return images_[static_cast<std::size_t>(vIndex - 1)];
}

ToolbarButton& Toolbar::AddButton(const String& key, Integer style, Integer image) {
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    button->setMouseTracking(true);
    button->installEventFilter(this);
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);

    buttons_.push_back(std::make_unique<ToolbarButton>(
        *this, static_cast<Integer>(buttons_.size() + 1), *button, *separator));
    ToolbarButton& added = *buttons_.back();
    added.Key(key);
    added.Style(style);
    added.Image(image);
    connect(button, &QToolButton::clicked, this, [this, &added] { emit ButtonClick(added); });
    return added;
}

ToolbarButton& Toolbar::Buttons(Integer vIndex) const {
    if (vIndex < 1 || vIndex > ButtonCount()) throw Error::subscriptOutOfRange("Buttons");
    return *buttons_[static_cast<std::size_t>(vIndex - 1)];
}

void Toolbar::MousePointer(Integer vNewValue) {
    classicmouse::applyPointer(*this, vNewValue);
    mousePointer_ = vNewValue;
}

void Toolbar::layoutButtons() {
    const int top = (height() - kButtonHeight) / 2;
    int left = kLeftMargin;
    for (const auto& button : buttons_) {
        if (!button->Visible()) continue;
        button->place(left, top, kButtonHeight);
        left += button->widthInPixels();
    }
}

void Toolbar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void Toolbar::mouseMoveEvent(QMouseEvent* event) {
    reportMouseMove(*event, event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

bool Toolbar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto& move = static_cast<const QMouseEvent&>(*event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr)
            reportMouseMove(move, widget->mapTo(this, move.position().toPoint()));
    }
    return QWidget::eventFilter(watched, event);
}

void Toolbar::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // An etched line under the menu bar separates the toolbar from it.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

void Toolbar::reportMouseMove(const QMouseEvent& event, QPoint position) {
    emit MouseMove(classicmouse::buttonsOf(event.buttons()),
                   classicmouse::shiftOf(event.modifiers()), twips::fromPixels(position.x()),
                   twips::fromPixels(position.y()));
}

}  // namespace tavelo
