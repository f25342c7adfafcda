// A followed file emptied for a moment (an editor that truncates the file and writes it again
// a little later): the last good reading stays on screen at its place until the file has
// content again, and is then read again at the same place.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/window/FileFollower.h"
#include "store/CViewData.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainFollowEmptiedTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    QTemporaryDir config;
    frmMain& form() { return *w->form; }

private slots:
    void init() {
        w = std::make_unique<testing::WindowFixture>();
        form().useSettings(config.path());
        form().fileFollower().setQuietPeriod(50);
    }
    void cleanup() { w.reset(); }

    void emptiedThenWritten_keepsThePlace_thenReadsAgainThere() {
        const String path = w->writeDocument(QStringLiteral("doc.tl2"), 40);
        w->open(path);
        drive(form()).hsb1().Value(20);
        const String idBefore = w->current().ID();

        {
            QFile file(q(path));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        QTRY_VERIFY2_WITH_TIMEOUT(q(w->status()).contains(QStringLiteral("空")),
                                  qPrintable(q(w->status())), 5000);
        QCOMPARE(w->current().GyouArraySize(), Integer{40});
        QCOMPARE(w->current().ID(), idBefore);
        QCOMPARE(drive(form()).hsb1().Value(), Integer{20});
        QVERIFY(w->messages.messages().empty());

        w->writeDocument(QStringLiteral("doc.tl2"), 41);
        QTRY_COMPARE_WITH_TIMEOUT(w->current().GyouArraySize(), Integer{41}, 5000);
        QCOMPARE(drive(form()).hsb1().Value(), Integer{20});
        QVERIFY(q(w->status()).contains(QStringLiteral("doc.tl2")));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainFollowEmptiedTest)
#include "frmMainFollowEmptiedTest.moc"
