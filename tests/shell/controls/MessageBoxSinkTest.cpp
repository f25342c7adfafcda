#include <QAbstractButton>
#include <QMessageBox>

#include "support/GuiTesting.h"
#include "support/ModalDialogs.h"
#include "shell/controls/MessageBoxSink.h"

namespace tavelo {

using testing::whenShown;

class MessageBoxSinkTest : public QObject {
    Q_OBJECT

private slots:
    void message_isShownModally_withTitleTextAndOneOkButton_untilOkIsPressed() {
        MessageBoxSink sink;
        QString title;
        QString text;
        QList<QAbstractButton*> buttons;
        bool modal = false;
        bool stillOpenAfterOk = true;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            buttons = box.buttons();
            modal = box.isModal();
            box.button(QMessageBox::Ok)->click();
            stillOpenAfterOk = box.isVisible();
        });
        sink.showMessage(u"まだファイルが開かれていません。");
        QCOMPARE(title, QStringLiteral("Tavelo"));
        QCOMPARE(text, QStringLiteral("まだファイルが開かれていません。"));
        QCOMPARE(buttons.size(), 1);
        QVERIFY(modal);
        QVERIFY(!stillOpenAfterOk);
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::MessageBoxSinkTest)
#include "MessageBoxSinkTest.moc"
