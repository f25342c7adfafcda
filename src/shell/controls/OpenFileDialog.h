#pragma once

#include <QDialog>
#include <QStringList>

#include "common/ClassicTypes.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace tavelo {

// The open dialog over the file system's bytes. Folders are read with opendir and readdir, so
// a name that is not UTF-8 (a Shift-JIS name from an old archive) is listed, shown decoded as
// code page 932 and chosen with its very bytes: paths come in and go out in PathBytes' form.
// Keys: the arrows and typed letters move in the list; Enter opens a folder or chooses a file;
// Backspace in the list, or Alt+Up, goes to the parent folder. A name or path typed into the
// location or name field is found by Enter, also when it is written as the list shows it.
class OpenFileDialog : public QDialog {
    Q_OBJECT

public:
    explicit OpenFileDialog(QWidget* parent = nullptr);

    // Qt name filters ("description (pattern pattern)"); the first one applies at first.
    void setNameFilters(const QStringList& filters);
    // When set, a typed name of a file that does not exist is refused.
    void setMustExist(bool mustExist) { mustExist_ = mustExist; }
    // Shows a folder; the path of a file shows its folder with the file selected.
    void setPath(const String& path);

    [[nodiscard]] const String& folder() const { return folder_; }
    // The chosen file once the dialog is accepted.
    [[nodiscard]] const String& chosenPath() const { return chosen_; }
    // The entries listed, as people read them: folders first, each ending in "/".
    [[nodiscard]] QStringList shownNames() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFolder(const String& folder, const String& selectName = String());
    void goUp();
    void activate(QListWidgetItem* item);
    // Finds what the user typed (relative to the folder shown) and opens it.
    void openTyped(const QString& typed);
    void openButton();
    void choose(const String& path);
    [[nodiscard]] QStringList patterns() const;

    QLineEdit* location_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* filters_ = nullptr;
    QLabel* problem_ = nullptr;
    String folder_;
    String chosen_;
    bool mustExist_ = false;
};

}  // namespace tavelo
