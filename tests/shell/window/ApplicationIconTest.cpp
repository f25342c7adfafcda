#include <QImage>
#include <QImageReader>
#include <QtTest>

#include "support/GuiTesting.h"
#include "shell/window/ApplicationIcon.h"

using namespace tavelo;

class ApplicationIconTest : public QObject {
    Q_OBJECT

private slots:
    void everySize_isBuiltInAndMatchesTheInstalledFile() {
        for (const int size : ApplicationIcon::kSizes) {
            const QImage builtIn(ApplicationIcon::resourcePath(size));
            QVERIFY2(!builtIn.isNull(), qPrintable(ApplicationIcon::resourcePath(size)));
            QCOMPARE(builtIn.size(), QSize(size, size));
            QVERIFY(builtIn.hasAlphaChannel());
            const QImage committed(
                QStringLiteral(TAVELO_SOURCE_DIR "/icons/hicolor/%1x%1/apps/tavelo.png").arg(size));
            QCOMPARE(builtIn, committed);
        }
    }

    void icon_offersTheWindowSize() {
        const QIcon icon = ApplicationIcon::icon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
    }
};

TAVELO_GUI_TEST_MAIN(ApplicationIconTest)
#include "ApplicationIconTest.moc"
