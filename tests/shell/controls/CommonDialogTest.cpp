#include "support/FakeCommonDialog.h"
#include "support/GuiTesting.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/CommonDialog.h"

namespace tavelo {

using testing::errorNumberOf;
using testing::FakeCommonDialog;
using testing::q;

class CommonDialogTest : public QObject {
    Q_OBJECT

private slots:
    // --- Open ---
    void chosenFile_givesFullPathAndNameWithoutFolder() {
        FakeCommonDialog dialog;
        dialog.nextFile = u"/home/yomu/作品/sample.tl2";
        dialog.ShowOpen();
        QCOMPARE(q(dialog.FileName()), QStringLiteral("/home/yomu/作品/sample.tl2"));
        QCOMPARE(q(dialog.FileTitle()), QStringLiteral("sample.tl2"));
    }
    void cancelledOpen_leavesFileNameEmpty_withoutError() {
        FakeCommonDialog dialog;
        dialog.FileName(u"/old/left-over.tl2");
        dialog.nextFile = std::nullopt;
        QCOMPARE(errorNumberOf([&] { dialog.ShowOpen(); }), 0);
        QVERIFY(dialog.FileName().empty());
        QVERIFY(dialog.FileTitle().empty());
    }
    void cancelledOpen_withCancelError_failsWith32755() {
        FakeCommonDialog dialog;
        dialog.CancelError(true);
        QCOMPARE(errorNumberOf([&] { dialog.ShowOpen(); }), 32755);
        QVERIFY(dialog.FileName().empty());
    }

    // --- Colour ---
    void chosenColour_becomesColor() {
        FakeCommonDialog dialog;
        dialog.Color(RGB(0, 0, 255));
        dialog.nextColor = RGB(255, 0, 0);
        dialog.ShowColor();
        QCOMPARE(dialog.Color(), Long{0x0000FF});
    }
    void cancelledColour_keepsThePresetColour() {
        FakeCommonDialog dialog;
        dialog.Color(RGB(0, 0, 255));
        QCOMPARE(errorNumberOf([&] { dialog.ShowColor(); }), 0);
        QCOMPARE(dialog.Color(), Long{0xFF0000});
        QCOMPARE(dialog.colorCount, 1);
    }
    void cancelledColour_withCancelError_failsAndKeepsColour() {
        FakeCommonDialog dialog;
        dialog.Color(RGB(1, 2, 3));
        dialog.CancelError(true);
        QCOMPARE(errorNumberOf([&] { dialog.ShowColor(); }), 32755);
        QCOMPARE(dialog.Color(), RGB(1, 2, 3));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::CommonDialogTest)
#include "CommonDialogTest.moc"
