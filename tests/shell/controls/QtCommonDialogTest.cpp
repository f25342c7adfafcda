#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

#include "support/GuiTesting.h"
#include "support/ModalDialogs.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/QtCommonDialog.h"

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
    void openDialog_showsTitleAndFilter_andTakesATypedNewName() {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("まだない.tl2"));
        QtCommonDialog dialog;
        dialog.DialogTitle(u"ﾌｧｲﾙを開く");
        dialog.Flags(CommonDialog::cdlOFNHideReadOnly);
        dialog.Filter(u"tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|");
        QString title;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog& shown) {
            title = shown.windowTitle();
            filters = shown.nameFilters();
            shown.selectFile(path);
            static_cast<QDialog&>(shown).accept();  // QFileDialog hides accept()
        });
        dialog.ShowOpen();
        QCOMPARE(title, QStringLiteral("ﾌｧｲﾙを開く"));
        QCOMPARE(filters, QStringList{QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)")});
        QCOMPARE(q(dialog.FileName()), path);
        QCOMPARE(q(dialog.FileTitle()), QStringLiteral("まだない.tl2"));
    }
    void openDialogCancelled_leavesFileNameEmpty() {
        QtCommonDialog dialog;
        dialog.FileName(u"/tmp/earlier.tl2");
        whenShown<QFileDialog>([](QFileDialog& shown) { shown.reject(); });
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
