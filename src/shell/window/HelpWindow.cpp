#include "shell/window/HelpWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

#include "shell/window/ApplicationInfo.h"
#include "shell/window/ResourceLocator.h"
#include "common/MessageSink.h"

namespace tavelo {

HelpWindow::HelpWindow(const QString& startPage, QWidget* parent)
    : QMainWindow(parent), home_(QUrl::fromLocalFile(startPage)) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("HelpWindow"));
    resize(720, 600);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setFont(QFont(QStringLiteral("IPAPGothic"), 11));
    // Links are followed here, one by one, so that only the help's own pages are shown.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    setCentralWidget(browser_);

    auto* toolBar = addToolBar(QStringLiteral("ヘルプ"));
    toolBar->setObjectName(QStringLiteral("helpToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"),
                               browser_, &QTextBrowser::backward);
    back_->setObjectName(QStringLiteral("actionBack"));
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                  QStringLiteral("進む"), browser_, &QTextBrowser::forward);
    forward_->setObjectName(QStringLiteral("actionForward"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    contents_ = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                   QStringLiteral("目次"), browser_, &QTextBrowser::home);
    contents_->setObjectName(QStringLiteral("actionContents"));
    contents_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    browser_->setSource(home_);
    updateTitle();
}

HelpWindow* HelpWindow::showSingle(QPointer<HelpWindow>& window, const ResourceLocator& resources,
                                   MessageSink& messages, QWidget* owner) {
    if (window.isNull()) {
        const QString startPage = QString::fromLatin1(kStartPage);
        const auto found = resources.find(startPage);
        if (!found) {
            QString text = QStringLiteral("ヘルプが見つかりません。次の場所を探しました:");
            for (const QString& folder : resources.searchFolders()) {
                text += QStringLiteral("\n") + folder + QStringLiteral("/") + startPage;
            }
            messages.showMessage(text.toStdU16String());
            return nullptr;
        }
        window = new HelpWindow(*found, owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window.data();
}

void HelpWindow::followLink(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    // Pages and anchors of the help itself; anything else (web addresses) is left alone.
    if (target.isLocalFile()) {
        browser_->setSource(target);
    }
}

void HelpWindow::updateTitle() {
    const QString page = browser_->documentTitle();
    QString title = ApplicationInfo::title() + QStringLiteral(" ヘルプ");
    if (!page.isEmpty()) title += QStringLiteral(" - ") + page;
    setWindowTitle(title);
}

}  // namespace tavelo
