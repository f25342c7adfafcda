#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/RecordingMessageSink.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "store/RecordRelayout.h"

namespace tavelo {
namespace {

using testing::sjis;

Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

const char* const kDocument =
    "[人]\r\n漢字《かんじ》の|行《ぎょう》\r\n\r\n青い空に白い雲が流れてゆく\r\n短い\r\n";

// Everything the layout writes into a record, in one comparable list.
std::vector<double> layoutOf(const CViewData& view) {
    std::vector<double> out;
    for (Integer style = 0; style <= 1; ++style) {
        out.push_back(view.CharSpace(style));
        out.push_back(view.FontSizeBun(style));
        out.push_back(view.FontSizeRubi(style));
    }
    out.push_back(view.DeviceScaleWidth());
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        for (int k = 1; k <= view.LenBunDan(g); ++k)
            for (double v : {view.position(PositionTables::kSmallBunX, g, k),
                             view.position(PositionTables::kSmallBunY, g, k),
                             view.position(PositionTables::kBigBunX, g, k),
                             view.position(PositionTables::kBigBunY, g, k)})
                out.push_back(v);
        for (int k = 1; k <= view.LenRubiDan(g); ++k)
            for (double v : {view.position(PositionTables::kSmallRubiX, g, k),
                             view.position(PositionTables::kSmallRubiY, g, k),
                             view.position(PositionTables::kBigRubiX, g, k),
                             view.position(PositionTables::kBigRubiY, g, k)})
                out.push_back(v);
        for (Integer tier = 0; tier <= 1; ++tier) {
            out.push_back(view.LenBigBunDan(tier, g));
            out.push_back(view.LenBigRubiDan(tier, g));
        }
    }
    return out;
}

CViewData& opened(CViewDataS& list, Single width, Single height, const String& id) {
    RecordingMessageSink messages;
    FixedMeasuringDevice device(width, height, emHeight);
    DocumentLoader loader(messages, device);
    loader.loadBytes(sjis(kDocument), u"a.tl2");
    return loader.addTo(list, id);
}

// Laying a record out again for another size gives what opening at that size gives, keeps
// what the reader and the search wrote, and going back gives the first layout exactly.
TEST(RecordRelayoutTest, layOutAgain_matchesAnOpenAtTheNewSizeAndKeepsTheRest) {
    CViewDataS list;
    CViewData& view = opened(list, 449, 624, u"9:00:00 a.tl2");
    const std::vector<double> classic = layoutOf(view);
    view.ReversalChar(2, 1, true);

    for (auto [width, height] : {std::pair{1600.0f, 1000.0f}, std::pair{300.0f, 200.0f},
                                 std::pair{2400.0f, 1400.0f}}) {
        FixedMeasuringDevice device(width, height, emHeight);
        RecordRelayout::layOutAgain(view, device);
        const CViewData& reference = opened(list, width, height, u"ref " + String(1, static_cast<char16_t>(u'0' + list.Count())));
        EXPECT_EQ(layoutOf(view), layoutOf(reference)) << width << " x " << height;
        EXPECT_EQ(view.ID(), u"9:00:00 a.tl2");
        EXPECT_EQ(view.Bun(2), reference.Bun(2));
        EXPECT_EQ(view.Rubi(2), reference.Rubi(2));
        EXPECT_TRUE(view.ReversalChar(2, 1));
        EXPECT_GT(view.FontSizeBun(0), 0);
        EXPECT_GT(view.FontSizeBun(1), 0);
    }

    FixedMeasuringDevice classicDevice(449, 624, emHeight);
    RecordRelayout::layOutAgain(view, classicDevice);
    EXPECT_EQ(layoutOf(view), classic);
}

}  // namespace
}  // namespace tavelo
