#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QUrl>

class QAction;
class QTextBrowser;

namespace tavelo {

class MessageSink;
class ResourceLocator;

// The program's help: its HTML pages in a window of its own, with back, forward and the
// contents page. Links between the pages are followed inside the window; nothing is handed
// to an outside browser.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    // The help's contents page, relative to the resource folders.
    static constexpr const char* kStartPage = "help/index.html";

    // Opens `startPage` (a local HTML file) and keeps it as the contents page.
    explicit HelpWindow(const QString& startPage, QWidget* parent = nullptr);

    // Shows the help window kept in `window`, making it at the contents page when there is
    // none; when it is open already, brings it forward. When the help cannot be found, tells
    // the user where it was looked for and returns nullptr.
    static HelpWindow* showSingle(QPointer<HelpWindow>& window, const ResourceLocator& resources,
                                  MessageSink& messages, QWidget* owner);

    [[nodiscard]] QTextBrowser& browser() const { return *browser_; }
    [[nodiscard]] QUrl homePage() const { return home_; }

private:
    void followLink(const QUrl& link);
    void updateTitle();

    QUrl home_;
    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* contents_ = nullptr;
};

}  // namespace tavelo
