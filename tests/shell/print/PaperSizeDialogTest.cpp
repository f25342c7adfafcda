#include <QComboBox>
#include <QTest>

#include "support/GuiTesting.h"
#include "shell/print/PaperSizeDialog.h"

namespace tavelo {

class PaperSizeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void offersTheFourSizes_A4LandscapeFirstAndChosen() {
        PaperSizeDialog dialog;
        QComboBox& sizes = dialog.sizes();
        QCOMPARE(sizes.count(), 4);
        QCOMPARE(sizes.itemText(0), QStringLiteral("A4 横"));
        QCOMPARE(sizes.itemText(1), QStringLiteral("A4 縦"));
        QCOMPARE(sizes.itemText(2), QStringLiteral("B5 縦"));
        QCOMPARE(sizes.itemText(3), QStringLiteral("A5 縦"));
        QCOMPARE(dialog.paper(), DocumentPrinter::Paper::A4Landscape);
    }

    void choice_isThePaperOfTheSelectedEntry() {
        PaperSizeDialog dialog;
        dialog.sizes().setCurrentIndex(2);
        QCOMPARE(dialog.paper(), DocumentPrinter::Paper::B5);
        dialog.setPaper(DocumentPrinter::Paper::A5);
        QCOMPARE(dialog.sizes().currentIndex(), 3);
        QCOMPARE(dialog.paper(), DocumentPrinter::Paper::A5);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::PaperSizeDialogTest)
#include "PaperSizeDialogTest.moc"
