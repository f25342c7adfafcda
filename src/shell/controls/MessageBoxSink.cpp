#include "shell/controls/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>

#include "common/Version.h"

namespace tavelo {

void MessageBoxSink::showMessage(const String& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(version::kTitle),
                    QString::fromStdU16String(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tavelo
