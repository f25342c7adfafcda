#pragma once

#include <QDialog>

#include "shell/print/PrintChoice.h"
#include "shell/print/PrintPreview.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavelo {

class CEisuuCyotai;
class CViewData;

// The page dialog of the PDF export and of printing: manuscript pages in a preset grid
// (40 x 30, 30 x 40, 20 x 20), as many characters and columns as fit at a chosen size, or a
// custom grid; the paper, its orientation, the type size and the title line; or the pages
// "画面のとおり" (the screen's columns). It shows the first page as it will print, the
// document's length in characters and 400-character sheets, and refuses a grid the paper
// cannot hold: OK stays disabled and the reason is shown.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    // The document the preview shows outlives the dialog.
    explicit PageSetupDialog(PrintPreview document, QWidget* parent = nullptr);
    // A tl2 document: `view` and `fonts` outlive the dialog.
    PageSetupDialog(const CViewData& view, const CEisuuCyotai& fonts, QWidget* parent = nullptr);

    void setChoice(const PrintChoice& choice);
    [[nodiscard]] PrintChoice choice() const;

    // For tests: the controls and what the dialog shows.
    [[nodiscard]] QComboBox& layouts() const { return *layouts_; }
    [[nodiscard]] QSpinBox& characters() const { return *characters_; }
    [[nodiscard]] QSpinBox& columns() const { return *columns_; }
    [[nodiscard]] QComboBox& papers() const { return *papers_; }
    [[nodiscard]] QComboBox& orientations() const { return *orientations_; }
    [[nodiscard]] QDoubleSpinBox& fontSize() const { return *fontSize_; }
    [[nodiscard]] QPushButton& okButton() const { return *ok_; }
    [[nodiscard]] QString reason() const;
    [[nodiscard]] QString length() const;
    [[nodiscard]] QCheckBox& title() const { return *title_; }
    [[nodiscard]] const QImage& previewImage() const { return preview_; }

private:
    void refresh();

    PrintPreview document_;
    QComboBox* layouts_;
    QSpinBox* characters_;
    QSpinBox* columns_;
    QComboBox* papers_;
    QComboBox* orientations_;
    QDoubleSpinBox* fontSize_;
    QCheckBox* title_;
    QLabel* grid_;
    QLabel* reason_;
    QLabel* length_;
    QLabel* previewLabel_;
    QPushButton* ok_;
    QImage preview_;
};

}  // namespace tavelo
