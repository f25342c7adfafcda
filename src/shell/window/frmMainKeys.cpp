// The main window's keyboard, wheel and search navigation: the reading direction runs to the
// left, so Left, Page Down and the wheel turned towards the user move forward.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>
#include <algorithm>

#include "shell/window/LineNumberInput.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "view/SearchNavigation.h"

namespace tavelo {
namespace {

constexpr int kRefusalShownMs = 5000;

}  // namespace

void frmMain::setUpKeys() {
    mnuFileOpen.action().setShortcut(QKeySequence::Open);
    mnuRenewal.action().setShortcut(QKeySequence(Qt::Key_F5));
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        if (!txtSearch.isEnabled()) return;
        txtSearch.setFocus();
        txtSearch.selectAll();
    });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(next, &QShortcut::activated, this,
            [this] { handleEvent("cmdNextHit_Click", [this] { cmdNextHit_Click(); }); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this);
    connect(previous, &QShortcut::activated, this,
            [this] { handleEvent("cmdPrevHit_Click", [this] { cmdPrevHit_Click(); }); });
    route(txtLineNumber, &QLineEdit::returnPressed, "txtLineNumber_Return",
          &frmMain::txtLineNumber_Return);
    picView.setFocusPolicy(Qt::ClickFocus);
    picView.installEventFilter(this);
    hsb1.installEventFilter(this);
    txtSearch.installEventFilter(this);
    txtLineNumber.installEventFilter(this);
}

void frmMain::txtLineNumber_Return() {
    if (m_obViewS.Count() == 0) return;
    const CViewData& view = m_obViewS.Item(m_ViewIndex);
    const auto line = LineNumberInput::parse(txtLineNumber.Text(), view.GyouArraySize());
    if (!line) {
        showPassingStatus(LineNumberInput::refusal(view.GyouArraySize()), kRefusalShownMs);
        hsb1_Change();  // the box shows the line on screen again
        txtLineNumber.selectAll();
        return;
    }
    showAtPlace(SessionSettings::Place{currentStyle(), *line, 0});
    hsb1.SetFocus();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        handleEvent("resize", [this] {
            placeControls();
            followViewSize();
        });
        return false;
    }
    // On a screen of another pixel ratio the view is drawn again at the new device pixels;
    // the layout, in logical pixels, stays.
    if (watched == client_ && event->type() == QEvent::ScreenChangeInternal) {
        handleEvent("screen", [this] { hsb1_Change(); });
        return false;
    }
    // Esc in a box of the toolbar row gives the keys back to the view.
    if ((watched == &txtSearch || watched == &txtLineNumber) &&
        event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hsb1.SetFocus();
        if (watched == &txtLineNumber) handleEvent("hsb1_Change", [this] { hsb1_Change(); });
        event->accept();
        return true;
    }
    if (watched != &picView && watched != &hsb1) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            zoomByWheel(wheel->angleDelta().y());
            return true;
        }
        const int positions = wheel_.add(wheel->angleDelta().y());
        if (positions != 0) handleEvent("wheel", [this, positions] { scrollBy(positions); });
        return true;
    }
    if (watched == &picView && event->type() == QEvent::MouseButtonDblClick) {
        // The second press of a double click arrives only as the double click: it pages as a
        // press does, so that quick clicks are never lost. The box still hears the double click.
        const auto* click = static_cast<QMouseEvent*>(event);
        QMouseEvent press(QEvent::MouseButtonPress, click->position(), click->scenePosition(),
                          click->globalPosition(), click->button(), click->buttons(),
                          click->modifiers());
        QCoreApplication::sendEvent(&picView, &press);
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QMainWindow::eventFilter(watched, event);
    switch (key->key()) {
        case Qt::Key_Left:
            handleEvent("key", [this] { scrollBy(hsb1.SmallChange()); });
            return true;
        case Qt::Key_Right:
            handleEvent("key", [this] { scrollBy(-hsb1.SmallChange()); });
            return true;
        case Qt::Key_PageDown:
            handleEvent("key", [this] { scrollBy(hsb1.LargeChange()); });
            return true;
        case Qt::Key_PageUp:
            handleEvent("key", [this] { scrollBy(-hsb1.LargeChange()); });
            return true;
        case Qt::Key_Space: {
            // Space turns a page on, Shift+Space back, as in any reader.
            const int step =
                key->modifiers() & Qt::ShiftModifier ? -hsb1.LargeChange() : hsb1.LargeChange();
            handleEvent("key", [this, step] { scrollBy(step); });
            return true;
        }
        case Qt::Key_Home:
            handleEvent("cmdHead_Click", [this] { cmdHead_Click(); });
            return true;
        case Qt::Key_End:
            handleEvent("cmdEnd_Click", [this] { cmdEnd_Click(); });
            return true;
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

void frmMain::scrollBy(int positions) {
    if (m_obViewS.Count() == 0 || !hsb1.Enabled()) return;
    // Forward runs towards Min, the end of the document (Max stays 0 at its beginning).
    const int low = std::min<int>(hsb1.Min(), hsb1.Max());
    const int high = std::max<int>(hsb1.Min(), hsb1.Max());
    const int forward = hsb1.Min() >= hsb1.Max() ? 1 : -1;
    hsb1.Value(static_cast<Integer>(std::clamp(hsb1.Value() + forward * positions, low, high)));
}

void frmMain::updateHitButtons() {
    bool hits = false;
    if (m_IsSearch && currentIsProse())
        hits = prose_.hasHits(m_obViewS.Item(m_ViewIndex).ID());
    else if (m_IsSearch && m_obViewS.Count() > 0)
        hits = !SearchNavigation::hitPositions(m_obViewS.Item(m_ViewIndex), largeStyle() ? 1 : 0)
                    .empty();
    cmdNextHit.Enabled(hits);
    cmdPrevHit.Enabled(hits);
}

void frmMain::goToProseHit(bool forward) {
    const String& id = m_obViewS.Item(m_ViewIndex).ID();
    if (const auto page = prose_.nextHitPage(id, hsb1.Value(), forward))
        hsb1.Value(static_cast<Integer>(*page));
    hsb1.SetFocus();
}

void frmMain::cmdNextHit_Click() {
    if (!m_IsSearch || m_obViewS.Count() == 0 || !(smallStyle() || largeStyle())) return;
    if (currentIsProse()) {
        goToProseHit(true);
        return;
    }
    const auto target =
        SearchNavigation::next(m_obViewS.Item(m_ViewIndex), largeStyle() ? 1 : 0, hsb1.Value());
    if (target) hsb1.Value(*target);
    hsb1.SetFocus();
}

void frmMain::cmdPrevHit_Click() {
    if (!m_IsSearch || m_obViewS.Count() == 0 || !(smallStyle() || largeStyle())) return;
    if (currentIsProse()) {
        goToProseHit(false);
        return;
    }
    const auto target =
        SearchNavigation::previous(m_obViewS.Item(m_ViewIndex), largeStyle() ? 1 : 0, hsb1.Value());
    if (target) hsb1.Value(*target);
    hsb1.SetFocus();
}

}  // namespace tavelo
