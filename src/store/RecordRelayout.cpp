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

    view.takeLayout(calc);
}

}  // namespace tavelo
