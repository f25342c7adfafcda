#pragma once

#include <QApplication>
#include <QLocale>
#include <QString>
#include <QTest>

#include "common/ClassicTypes.h"
#include "common/Error.h"

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

// The classic number of the Error the operation throws, or 0 when it succeeds.
template <class Operation>
int errorNumberOf(Operation&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
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
