#include "shell/controls/OpenFileDialog.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/PathBytes.h"

namespace tavelo {
namespace {

constexpr int kNameRole = Qt::UserRole;        // the entry's name in PathBytes' form
constexpr int kFolderRole = Qt::UserRole + 1;  // whether the entry is a folder

struct Entry {
    String name;
    bool folder = false;
};

QString q(const String& text) {
    return QString::fromStdU16String(text);
}

String join(const String& folder, const String& name) {
    return folder == u"/" ? u"/" + name : folder + u"/" + name;
}

String parentOf(const String& path) {
    const auto slash = path.rfind(u'/');
    if (slash == String::npos || slash == 0) return u"/";
    return path.substr(0, slash);
}

// What the path names, following links: a folder, a file, or nothing.
enum class Kind { None, File, Folder };
Kind kindOf(const String& path) {
    struct stat status {};
    if (::stat(PathBytes::toSystem(path).c_str(), &status) != 0) return Kind::None;
    return S_ISDIR(status.st_mode) ? Kind::Folder : Kind::File;
}

// The entries of a folder with their names as the system holds them; nullopt when the folder
// cannot be read.
std::optional<std::vector<Entry>> readFolder(const String& folder) {
    DIR* dir = ::opendir(PathBytes::toSystem(folder).c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<Entry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view bytes(entry->d_name);
        if (bytes == "." || bytes == "..") continue;
        Entry found{PathBytes::fromSystem(bytes), entry->d_type == DT_DIR};
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
            found.folder = kindOf(join(folder, found.name)) == Kind::Folder;
        entries.push_back(std::move(found));
    }
    ::closedir(dir);
    return entries;
}

// The entry `part` of `folder`: the entry of that very name, or else the one the list shows
// under that name (a Shift-JIS name typed as it reads).
String entryIn(const String& folder, const String& part) {
    const String plain = join(folder, part);
    if (kindOf(plain) != Kind::None) return plain;
    if (const auto entries = readFolder(folder)) {
        for (const Entry& entry : *entries)
            if (PathBytes::display(entry.name) == part) return join(folder, entry.name);
    }
    return plain;
}

String home() {
    return PathBytes::fromSystem(QFile::encodeName(QDir::homePath()).toStdString());
}

String workingFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? home() : PathBytes::fromSystem(current.native());
}

// A typed path, absolute or relative to `folder`, found part by part.
String resolve(const String& folder, const String& typed) {
    String path = folder;
    std::size_t begin = 0;
    if (typed.starts_with(u'/')) {
        path = u"/";
    } else if (typed == u"~" || typed.starts_with(u"~/")) {
        path = home();
        begin = 1;
    }
    while (begin <= typed.size()) {
        const std::size_t end = std::min(typed.find(u'/', begin), typed.size());
        const String part = typed.substr(begin, end - begin);
        if (part == u"..")
            path = parentOf(path);
        else if (!part.empty() && part != u".")
            path = entryIn(path, part);
        begin = end + 1;
    }
    return path;
}

}  // namespace

OpenFileDialog::OpenFileDialog(QWidget* parent) : QDialog(parent) {
    auto* up = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogToParent),
                               QStringLiteral("上へ"), this);
    location_ = new QLineEdit(this);
    list_ = new QListWidget(this);
    name_ = new QLineEdit(this);
    filters_ = new QComboBox(this);
    problem_ = new QLabel(this);
    auto* open = new QPushButton(QStringLiteral("開く(&O)"), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    // Enter is the fields' and the list's own, never a default button's.
    for (QPushButton* button : {up, open, cancel}) button->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("場所(&L):"), this), 0, 0);
    grid->addWidget(location_, 0, 1);
    grid->addWidget(up, 0, 2);
    grid->addWidget(list_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("ファイル名(&N):"), this), 2, 0);
    grid->addWidget(name_, 2, 1);
    grid->addWidget(open, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("ファイルの種類:"), this), 3, 0);
    grid->addWidget(filters_, 3, 1);
    grid->addWidget(cancel, 3, 2);
    grid->addWidget(problem_, 4, 0, 1, 3);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->text().contains(QStringLiteral("場所"))) label->setBuddy(location_);
        if (label->text().contains(QStringLiteral("ファイル名"))) label->setBuddy(name_);
    }

    auto* upKey = new QAction(this);
    upKey->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    addAction(upKey);
    connect(upKey, &QAction::triggered, this, &OpenFileDialog::goUp);
    connect(up, &QPushButton::clicked, this, &OpenFileDialog::goUp);
    connect(open, &QPushButton::clicked, this, &OpenFileDialog::openButton);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &OpenFileDialog::activate);
    connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr && !item->data(kFolderRole).toBool()) name_->setText(item->text());
    });
    connect(filters_, &QComboBox::currentIndexChanged, this, [this] {
        const QListWidgetItem* item = list_->currentItem();
        showFolder(folder_,
                   item != nullptr ? item->data(kNameRole).toString().toStdU16String() : String());
    });
    list_->installEventFilter(this);
    location_->installEventFilter(this);
    name_->installEventFilter(this);

    resize(640, 440);
    showFolder(workingFolder());
}

void OpenFileDialog::setNameFilters(const QStringList& filters) {
    const QSignalBlocker quiet(filters_);
    filters_->clear();
    filters_->addItems(filters);
    showFolder(folder_);
}

void OpenFileDialog::setPath(const String& path) {
    const String absolute = path.empty()             ? workingFolder()
                            : path.starts_with(u'/') ? path
                                                     : join(workingFolder(), path);
    list_->setFocus();
    if (kindOf(absolute) == Kind::Folder) {
        showFolder(absolute);
        return;
    }
    const String name = PathBytes::fileName(absolute);
    showFolder(parentOf(absolute), name);
    name_->setText(q(PathBytes::display(name)));
}

QStringList OpenFileDialog::shownNames() const {
    QStringList names;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        names << item->text() +
                     (item->data(kFolderRole).toBool() ? QStringLiteral("/") : QString());
    }
    return names;
}

QStringList OpenFileDialog::patterns() const {
    // "description (*.txt *.zip)": the patterns are in the last parentheses.
    const QString filter = filters_->currentText();
    const qsizetype open = filter.lastIndexOf(u'(');
    const qsizetype close = filter.lastIndexOf(u')');
    if (open < 0 || close < open) return {QStringLiteral("*")};
    return filter.mid(open + 1, close - open - 1).split(u' ', Qt::SkipEmptyParts);
}

void OpenFileDialog::showFolder(const String& folder, const String& selectName) {
    auto entries = readFolder(folder);
    if (!entries) {
        problem_->setText(QStringLiteral("フォルダーを開けません: ") +
                          q(PathBytes::display(folder)));
        location_->setText(q(PathBytes::display(folder_)));
        return;
    }
    problem_->clear();
    folder_ = folder;
    location_->setText(q(PathBytes::display(folder_)));

    std::vector<QByteArray> globs;
    for (const QString& pattern : patterns()) globs.push_back(pattern.toUtf8());
    auto shown = [&](const Entry& entry) {
        const std::string bytes = PathBytes::toSystem(entry.name);
        if (bytes.starts_with('.')) return false;  // hidden, as in every file manager
        if (entry.folder) return true;
        return std::any_of(globs.begin(), globs.end(), [&](const QByteArray& glob) {
            return ::fnmatch(glob.constData(), bytes.c_str(), FNM_CASEFOLD) == 0;
        });
    };
    std::erase_if(*entries, [&](const Entry& entry) { return !shown(entry); });
    std::vector<std::pair<Entry, QString>> rows;
    for (Entry& entry : *entries) {
        QString text = q(PathBytes::display(entry.name));
        rows.emplace_back(std::move(entry), std::move(text));
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        if (a.first.folder != b.first.folder) return a.first.folder;
        return a.second.compare(b.second, Qt::CaseInsensitive) < 0;
    });

    name_->clear();
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
    }
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    int current = 0;
    for (const auto& [entry, text] : rows) {
        auto* item = new QListWidgetItem(entry.folder ? folderIcon : fileIcon, text, list_);
        item->setData(kNameRole, q(entry.name));
        item->setData(kFolderRole, entry.folder);
        if (!selectName.empty() && entry.name == selectName) current = list_->count() - 1;
    }
    if (list_->count() > 0) list_->setCurrentRow(current);
}

void OpenFileDialog::goUp() {
    if (folder_ == u"/") return;
    showFolder(parentOf(folder_), PathBytes::fileName(folder_));
}

void OpenFileDialog::activate(QListWidgetItem* item) {
    if (item == nullptr) return;
    const String path = join(folder_, item->data(kNameRole).toString().toStdU16String());
    if (item->data(kFolderRole).toBool()) {
        showFolder(path);
    } else {
        choose(path);
    }
}

void OpenFileDialog::openTyped(const QString& typed) {
    const String text = typed.trimmed().toStdU16String();
    if (text.empty()) return;
    const String path = resolve(folder_, text);
    switch (kindOf(path)) {
        case Kind::Folder:
            showFolder(path);
            return;
        case Kind::File:
            choose(path);
            return;
        case Kind::None:
            if (mustExist_)
                problem_->setText(QStringLiteral("ファイルが見つかりません: ") +
                                  q(PathBytes::display(path)));
            else
                choose(path);
            return;
    }
}

void OpenFileDialog::openButton() {
    if (!name_->text().trimmed().isEmpty())
        openTyped(name_->text());
    else
        activate(list_->currentItem());
}

void OpenFileDialog::choose(const String& path) {
    chosen_ = path;
    accept();
}

bool OpenFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == list_) {
        if (enter) {
            activate(list_->currentItem());
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            goUp();
            return true;
        }
    } else if (enter && (watched == location_ || watched == name_)) {
        openTyped(static_cast<QLineEdit*>(watched)->text());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavelo
