#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include "shell/controls/ClassicColor.h"
#include "shell/controls/OpenFileDialog.h"
#include "shell/controls/QtCommonDialog.h"
#include "support/GuiTesting.h"
#include "support/ModalDialogs.h"

namespace tavelo {

using testing::q;
using testing::whenShown;

class QtCommonDialogTest : public QObject {
    Q_OBJECT

private slots:
    // --- Filters ---
    void classicFilter_becomesQtNameFilters() {
        QCOMPARE(QtCommonDialog::nameFilters(u"tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|"),
                 QStringList{QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)")});
        QCOMPARE(QtCommonDialog::nameFilters(u"Text|*.txt;*.doc|All|*.*"),
                 (QStringList{QStringLiteral("Text (*.txt *.doc)"), QStringLiteral("All (*.*)")}));
        QVERIFY(QtCommonDialog::nameFilters(String()).isEmpty());
    }

    // --- Open dialog ---
    void openDialog_showsTitleAndFilter_andTakesATypedNewName_inTheFolderOfTheLastChoice() {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("まだない.tl2"));
        QtCommonDialog dialog;
        dialog.FileName(QDir(folder.path()).filePath(QStringLiteral("前の.tl2")).toStdU16String());
        dialog.DialogTitle(u"ﾌｧｲﾙを開く");
        dialog.Flags(CommonDialog::cdlOFNHideReadOnly);
        dialog.Filter(u"tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|");
        QString title;
        QString filter;
        String startFolder;
        whenShown<OpenFileDialog>([&](OpenFileDialog& shown) {
            title = shown.windowTitle();
            filter = shown.findChild<QComboBox*>()->currentText();
            startFolder = shown.folder();
            QLineEdit& name = *shown.findChildren<QLineEdit*>().at(1);
            name.setText(QStringLiteral("まだない.tl2"));
            QTest::keyClick(&name, Qt::Key_Return);
        });
        dialog.ShowOpen();
        QCOMPARE(title, QStringLiteral("ﾌｧｲﾙを開く"));
        QCOMPARE(filter, QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)"));
        QCOMPARE(q(startFolder), folder.path());
        QCOMPARE(q(dialog.FileName()), path);
        QCOMPARE(q(dialog.FileTitle()), QStringLiteral("まだない.tl2"));
    }
    void openDialogCancelled_leavesFileNameEmpty() {
        QtCommonDialog dialog;
        dialog.FileName(u"/tmp/earlier.tl2");
        whenShown<OpenFileDialog>(
            [](OpenFileDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
        dialog.ShowOpen();
        QVERIFY(dialog.FileName().empty());
    }

    // --- Colour dialog ---
    void colourDialog_startsAtThePresetColour_andReturnsTheChoice() {
        QtCommonDialog dialog;
        dialog.Flags(CommonDialog::cdlCCPreventFullOpen | CommonDialog::cdlCCRGBInit);
        dialog.Color(RGB(0, 0, 255));
        QColor initial;
        whenShown<QColorDialog>([&](QColorDialog& shown) {
            initial = shown.currentColor();
            shown.setCurrentColor(QColor(255, 128, 0));
            shown.accept();
        });
        dialog.ShowColor();
        QCOMPARE(initial, QColor(0, 0, 255));
        QCOMPARE(dialog.Color(), RGB(255, 128, 0));
    }
    void colourDialogCancelled_keepsThePresetColour() {
        QtCommonDialog dialog;
        dialog.Flags(CommonDialog::cdlCCRGBInit);
        dialog.Color(RGB(0, 0, 255));
        whenShown<QColorDialog>([](QColorDialog& shown) {
            shown.setCurrentColor(QColor(255, 0, 0));
            shown.reject();
        });
        dialog.ShowColor();
        QCOMPARE(dialog.Color(), RGB(0, 0, 255));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::QtCommonDialogTest)
#include "QtCommonDialogTest.moc"
