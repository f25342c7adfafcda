#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <functional>

#include "support/GuiTesting.h"
#include "FakeProgramLauncher.h"
#include "common/RecordingMessageSink.h"
#include "common/Version.h"
#include "shell/window/ApplicationIcon.h"
#include "shell/window/MemoryRegistry.h"
#include "shell/window/frmAbout.h"

using namespace tavelo;

namespace {

// Positions are given in twips, 15 to the pixel at the 96 DPI the tests run at.
QRect fromTwips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// The text a button shows: its mnemonic marker is not drawn.
QString shownText(const QPushButton& button) {
    QString text = button.text();
    return text.remove(QLatin1Char('&'));
}

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class frmAboutTest : public QObject {
    Q_OBJECT

private:
    RecordingMessageSink messages_;
    MemoryRegistry registry_;
    FakeProgramLauncher launcher_;

    template <typename T>
    static T& control(frmAbout& box, const char* name) {
        T* widget = box.findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) qFatal("control %s is missing", name);
        return *widget;
    }

private slots:
    // --- captions ---
    void loadedBox_showsTitleVersionAndCopyright() {
        frmAbout box(messages_, registry_, launcher_, QIcon());
        QCOMPARE(box.windowTitle(), QStringLiteral("Taveloのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(control<QLabel>(box, "lblTitle").text(), QStringLiteral("Tavelo"));
        QCOMPARE(control<QLabel>(box, "lblVersion").text(),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::fromLatin1(version::kText));
        const QString copyright = control<QLabel>(box, "lblDisclaimer").text();
        QVERIFY(copyright.startsWith(QStringLiteral("©")));
        QVERIFY(copyright.contains(QStringLiteral("Tavelo")));
        QVERIFY(!copyright.contains(QLatin1Char('\n')));
        QCOMPARE(control<QPushButton>(box, "cmdOK").text(), QStringLiteral("OK"));
        QCOMPARE(control<QPushButton>(box, "cmdSysInfo").text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    }

    void box_carriesTheIconItIsGiven() {
        const QIcon icon = ApplicationIcon::icon();
        frmAbout box(messages_, registry_, launcher_, icon);
        QCOMPARE(box.windowIcon().cacheKey(), icon.cacheKey());
    }

    // --- placement ---
    void clientAreaAndControls_matchTheirTwipPositions() {
        frmAbout box(messages_, registry_, launcher_, QIcon());
        QCOMPARE(box.size(), fromTwips(0, 0, 4125, 1680).size());
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(control<QLabel>(box, "lblTitle").geometry(), fromTwips(120, 240, 2325, 480));
        QCOMPARE(control<QLabel>(box, "lblVersion").geometry(), fromTwips(120, 780, 2205, 225));
        QCOMPARE(control<QLabel>(box, "lblDisclaimer").geometry(), fromTwips(120, 1200, 2415, 300));
        QCOMPARE(control<QPushButton>(box, "cmdOK").geometry(), fromTwips(2640, 600, 1380, 345));
        QCOMPARE(control<QPushButton>(box, "cmdSysInfo").geometry(),
                 fromTwips(2640, 1200, 1380, 345));
    }

    void captions_fitTheirControlsWithoutClipping() {
        frmAbout box(messages_, registry_, launcher_, QIcon());
        for (const char* name : {"lblTitle", "lblVersion", "lblDisclaimer"}) {
            const QLabel& label = control<QLabel>(box, name);
            const QFontMetrics metrics(label.font());
            QVERIFY2(metrics.horizontalAdvance(label.text()) <= label.contentsRect().width(), name);
            QVERIFY2(metrics.height() <= label.contentsRect().height(), name);
        }
        for (const char* name : {"cmdOK", "cmdSysInfo"}) {
            const QPushButton& button = control<QPushButton>(box, name);
            const QFontMetrics metrics(button.font());
            // Room for the frame on both sides.
            QVERIFY2(metrics.horizontalAdvance(shownText(button)) + 6 <= button.width(), name);
            QVERIFY2(metrics.height() + 4 <= button.height(), name);
        }
    }

    // --- buttons ---
    void okButton_isTheDefaultButton() {
        frmAbout box(messages_, registry_, launcher_, QIcon());
        QVERIFY(control<QPushButton>(box, "cmdOK").isDefault());
        QVERIFY(!control<QPushButton>(box, "cmdSysInfo").isDefault());
        QVERIFY(!box.isModal());
    }

    void okButtonEnterAndEsc_eachCloseTheBox() {
        for (const auto& close : {std::function<void(frmAbout&)>([](frmAbout& box) {
                                      control<QPushButton>(box, "cmdOK").click();
                                  }),
                                  std::function<void(frmAbout&)>(
                                      [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Return); }),
                                  std::function<void(frmAbout&)>([](frmAbout& box) {
                                      QTest::keyClick(&box, Qt::Key_Escape);
                                  })}) {
            frmAbout box(messages_, registry_, launcher_, QIcon());
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            close(box);
            QVERIFY(!box.isVisible());
        }
        QVERIFY(launcher_.started().isEmpty());
    }

    // --- one box ---
    void choosingTheCommandAgain_bringsTheSameBoxForward() {
        QPointer<frmAbout> kept;
        frmAbout& first = frmAbout::showSingle(kept, messages_, QIcon(), nullptr);
        QVERIFY(first.isVisible());
        QVERIFY(first.testAttribute(Qt::WA_DeleteOnClose));
        frmAbout& second = frmAbout::showSingle(kept, messages_, QIcon(), nullptr);
        QCOMPARE(&second, &first);
        QCOMPARE(kept.data(), &first);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<frmAbout*>(w) != nullptr; }),
                 1);
        control<QPushButton>(first, "cmdOK").click();
        deleteClosedWindows();
        QVERIFY(kept.isNull());
    }

    void afterTheBoxIsClosed_theCommandOpensAFreshOne() {
        QPointer<frmAbout> kept;
        frmAbout::showSingle(kept, messages_, QIcon(), nullptr);
        QTest::keyClick(kept.data(), Qt::Key_Escape);
        deleteClosedWindows();
        QVERIFY(kept.isNull());
        frmAbout& again = frmAbout::showSingle(kept, messages_, QIcon(), nullptr);
        QVERIFY(again.isVisible());
        QCOMPARE(again.windowTitle(), QStringLiteral("Taveloのﾊﾞｰｼﾞｮﾝ情報"));
        delete kept.data();
    }
};

TAVELO_GUI_TEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
