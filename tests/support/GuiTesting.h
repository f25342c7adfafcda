#pragma once

#include <QApplication>
#include <QLocale>
#include <QString>
#include <QTest>

#include "common/ClassicTypes.h"
#include "common/Error.h"
#include "support/ErrorNumbers.h"

namespace tavelo::testing {

// Every GUI test runs alike: offscreen, 96 DPI, no high-DPI scaling, the C locale and the
// Fusion style, whatever the machine's desktop is.
inline void prepareGuiEnvironment() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QLocale::setDefault(QLocale::c());
}

[[nodiscard]] inline QString q(const String& text) {
    return QString::fromStdU16String(text);
}


}  // namespace tavelo::testing

#define TAVELO_GUI_TEST_MAIN(TestClass)                   \
    int main(int argc, char** argv) {                     \
        tavelo::testing::prepareGuiEnvironment();         \
        QApplication app(argc, argv);                     \
        QApplication::setStyle(QStringLiteral("Fusion")); \
        TestClass test;                                   \
        return QTest::qExec(&test, argc, argv);           \
    }
