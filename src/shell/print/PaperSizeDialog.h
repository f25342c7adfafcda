#pragma once

#include <QDialog>

#include "shell/print/DocumentPrinter.h"

class QComboBox;

namespace tavelo {

// The small dialog that chooses the page size of a printout: A4 landscape (the default),
// A4 portrait, B5 and A5.
class PaperSizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaperSizeDialog(QWidget* parent = nullptr);

    [[nodiscard]] DocumentPrinter::Paper paper() const;
    void setPaper(DocumentPrinter::Paper paper);
    [[nodiscard]] QComboBox& sizes() const { return *sizes_; }

private:
    QComboBox* sizes_;
};

}  // namespace tavelo
