#include <QTest>

#include "view/WheelSteps.h"

namespace tavelo {

class WheelStepsTest : public QObject {
    Q_OBJECT

private slots:
    void notchTowardsTheUser_movesOnePositionForward() {
        WheelSteps wheel;
        QCOMPARE(wheel.add(-120), 1);
        QCOMPARE(wheel.add(120), -1);
        QCOMPARE(wheel.add(-360), 3);
    }

    void touchpadDeltas_addUpToWholePositions() {
        WheelSteps wheel;
        QCOMPARE(wheel.add(-50), 0);
        QCOMPARE(wheel.add(-50), 0);
        QCOMPARE(wheel.add(-50), 1);  // 150: one position, 30 left over
        QCOMPARE(wheel.add(-90), 1);
        QCOMPARE(wheel.add(-10), 0);
    }

    void turningBack_dropsWhatWasLeftOver() {
        WheelSteps wheel;
        QCOMPARE(wheel.add(-100), 0);
        QCOMPARE(wheel.add(40), 0);  // not 60 towards the next forward position
        QCOMPARE(wheel.add(80), -1);
    }
};

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::WheelStepsTest)
#include "WheelStepsTest.moc"
