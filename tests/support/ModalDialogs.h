#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace tavelo::testing {

// Runs `act` on the next modal dialog of type Dialog as soon as it is shown, so that a test
// can answer a dialog that the code under test opens and waits for. Gives up after
// `timeoutMs`, closing whatever modal widget is open so that the test cannot hang.
template <class Dialog>
void whenShown(std::function<void(Dialog&)> act, int timeoutMs = 5000) {
    auto* timer = new QTimer(qApp);
    auto elapsed = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, act, elapsed, timeoutMs] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        *elapsed += 10;
        if (dialog == nullptr && *elapsed < timeoutMs) return;
        timer->stop();
        timer->deleteLater();
        if (dialog != nullptr) {
            act(*dialog);
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            other->close();
        }
    });
    timer->start();
}

}  // namespace tavelo::testing
