#include "store/RecordRelayout.h"

#include "layout/CCalcPointXY.h"
#include "store/CViewData.h"

namespace tavelo {

void RecordRelayout::layOutAgain(CViewData& view, MeasuringDevice& device) {
    CCalcPointXY calc;
    calc.Device1(&device);
    const Integer lines = view.GyouArraySize();
    calc.GyouArraySize(lines);
    calc.MaxBunDan(view.MaxBunDan());
    calc.Plusminus1MaxLenDan(view.Plusminus1MaxLenDan());
    for (Integer g = 1; g <= lines; ++g) {
        calc.LenBunDan(g, view.LenBunDan(g));
        calc.LenRubiDan(g, view.LenRubiDan(g));
        for (Integer k = 1; k <= view.LenRubiDan(g); ++k)
            calc.IsKanjiRubi(g, k, view.IsKanjiRubi(g, k));
    }
    calc.CalcSmallFontPointXY();
    calc.CalcBigFontPointXY();

    for (Integer style = 0; style <= 1; ++style) {
        view.FontSizeBun(style, calc.FontSizeBun(style));
        view.FontSizeRubi(style, calc.FontSizeRubi(style));
        view.CharSpace(style, calc.CharSpace(style));
    }
    for (Integer g = 1; g <= lines; ++g) {
        for (int k = 1; k <= view.LenBunDan(g); ++k) {
            view.PointSmallBunX(g, k, calc.PointSmallBunX(g, k));
            view.PointSmallBunY(g, k, calc.PointSmallBunY(g, k));
            view.PoinBigBunX(g, k, calc.PoinBigBunX(g, k));
            view.PoinBigBunY(g, k, calc.PoinBigBunY(g, k));
        }
        for (int k = 1; k <= view.LenRubiDan(g); ++k) {
            view.PointSmallRubiX(g, k, calc.PointSmallRubiX(g, k));
            view.PointSmallRubiY(g, k, calc.PointSmallRubiY(g, k));
            view.PointBigRubiX(g, k, calc.PointBigRubiX(g, k));
            view.PointBigRubiY(g, k, calc.PointBigRubiY(g, k));
        }
        for (Integer tier = 0; tier <= 1; ++tier) {
            view.LenBigBunDan(tier, g, calc.LenBigBunDan(tier, g));
            view.LenBigRubiDan(tier, g, calc.LenBigRubiDan(tier, g));
        }
    }
    view.DeviceScaleWidth(calc.DeviceScaleWidth());
}

}  // namespace tavelo
