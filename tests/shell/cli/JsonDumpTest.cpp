#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "layout/DefaultViewSize.h"
#include "support/FixedMeasuringDevice.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "shell/cli/JsonDump.h"
#include "support/FailingMeasuringDevice.h"

namespace tavelo {
namespace {

using testing::sjis;

Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

// Lines of 20, 19 and 21 characters under ruby of 40, 38 and 42 slots: the standard length is
// 20, as in the layout's worked example.
std::string workedExample() {
    return repeat("ｱ", 40) + "\r\n" + repeat("字", 20) + "\r\n" + repeat("ｱ", 38) + "\r\n" +
           repeat("字", 19) + "\r\n" + repeat("ｱ", 42) + "\r\n" + repeat("字", 21) + "\r\n";
}

class JsonDumpTest : public ::testing::Test {
protected:
    // Writes the text as a tl2 file of this test's own (tests run in parallel) and dumps it.
    QJsonObject dump(const std::string& text, MeasuringDevice& device) {
        const std::string name =
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + std::string(".tl2");
        const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
        const auto bytes = sjis(text);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return parse(JsonDump::dumpFile(path.string(), messages, device));
    }
    QJsonObject parse(const JsonDump::Result& result) {
        exitCode = result.exitCode;
        text = result.json;
        return QJsonDocument::fromJson(QByteArray::fromStdString(result.json)).object();
    }
    static QJsonArray point(int x, int y) { return QJsonArray{x, y}; }

    RecordingMessageSink messages;
    FixedMeasuringDevice device{600, 400, emHeight};
    int exitCode = -1;
    std::string text;
};

// --- The layout part ---
TEST_F(JsonDumpTest, workedExampleFile_isLaidOutToThePixel) {
    const QJsonObject layout = dump(workedExample(), device)[QStringLiteral("layout")].toObject();
    EXPECT_EQ(layout[QStringLiteral("view")].toArray(), point(600, 400));
    EXPECT_EQ(layout[QStringLiteral("FontSizeBun")].toArray(), (QJsonArray{12, 24}));
    EXPECT_EQ(layout[QStringLiteral("FontSizeRubi")].toArray(), (QJsonArray{6, 12}));
    EXPECT_TRUE(layout[QStringLiteral("error")].isNull());
    const QJsonArray lines = layout[QStringLiteral("lines")].toArray();
    ASSERT_EQ(lines.size(), 3);
    const QJsonObject first = lines[0].toObject();
    const QJsonObject second = lines[1].toObject();
    EXPECT_EQ(first[QStringLiteral("SmallBun")].toArray().size(), 20);
    EXPECT_EQ(first[QStringLiteral("SmallBun")].toArray()[19], point(581, 362));
    EXPECT_EQ(second[QStringLiteral("SmallRubi")].toArray()[37], point(554, 371));
    EXPECT_EQ(second[QStringLiteral("BigBun")].toArray()[11], point(500, 69));
    EXPECT_EQ(second[QStringLiteral("BigRubi")].toArray()[22], point(517, 67));
    EXPECT_EQ(second[QStringLiteral("LenBigBunDan")].toArray(), (QJsonArray{10, 9}));
    EXPECT_EQ(second[QStringLiteral("LenBigRubiDan")].toArray(), (QJsonArray{20, 18}));
}

TEST_F(JsonDumpTest, charSpace_isPrintedAsItsSinglePrecisionValue) {
    dump(workedExample(), device);
    EXPECT_NE(text.find("\"CharSpace\": [18.142857, 33.090908]"), std::string::npos);
}

// --- Failures ---
TEST_F(JsonDumpTest, readingFailingPartWay_stillDumpsTheLayoutOfWhatWasStored) {
    const QJsonObject object = dump("漢字\r\n" + repeat("字", 56) + "\r\n", device);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(object[QStringLiteral("error")].toObject()[QStringLiteral("number")].toInt(), Error::kSubscriptOutOfRange);
    const QJsonObject layout = object[QStringLiteral("layout")].toObject();
    EXPECT_TRUE(layout[QStringLiteral("error")].isNull());
    const QJsonArray positions = layout[QStringLiteral("lines")]
                                     .toArray()[1]
                                     .toObject()[QStringLiteral("SmallBun")]
                                     .toArray();
    ASSERT_EQ(positions.size(), 56);
    EXPECT_TRUE(positions[55].isArray());
}

TEST_F(JsonDumpTest, failingLayout_isReportedInLayoutError) {
    testing::FailingMeasuringDevice broken;
    const QJsonObject layout = dump("漢字\r\n", broken)[QStringLiteral("layout")].toObject();
    const QJsonObject error = layout[QStringLiteral("error")].toObject();
    EXPECT_EQ(error[QStringLiteral("number")].toInt(), Error::kOverflow);
    EXPECT_EQ(error[QStringLiteral("description")].toString(), QStringLiteral("Overflow"));
    EXPECT_TRUE(layout[QStringLiteral("view")].toArray()[0].isNull());
}

TEST_F(JsonDumpTest, missingFile_exitsWithOneAndAnEmptyLayout) {
    const QJsonObject object =
        parse(JsonDump::dumpFile("/nonexistent/missing.tl2", messages, device));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(object[QStringLiteral("error")].toObject()[QStringLiteral("number")].toInt(), Error::kFileNotFound);
    EXPECT_TRUE(
        object[QStringLiteral("layout")].toObject()[QStringLiteral("lines")].toArray().isEmpty());
}

// --- The bundled samples on the installed Gothic ---
class SampleDumpTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleDumpTest, firstColumnStandsAtTheRightEdgeWithItsRubyRightOfIt) {
    RecordingMessageSink messages;
    FontMeasuringDevice view(kDefaultViewWidth, kDefaultViewHeight);
    const auto path = std::filesystem::path(TAVELO_SAMPLES_DIR) / GetParam();
    const JsonDump::Result result = JsonDump::dumpFile(path.string(), messages, view);
    ASSERT_EQ(result.exitCode, 0);
    const QJsonObject object =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.json)).object();
    const QJsonObject layout = object[QStringLiteral("layout")].toObject();
    EXPECT_TRUE(layout[QStringLiteral("error")].isNull());
    const QJsonArray lines = layout[QStringLiteral("lines")].toArray();
    ASSERT_EQ(lines.size(), object[QStringLiteral("GyouArraySize")].toInt());
    const QJsonObject first = lines[0].toObject();
    const QJsonArray charSpace = layout[QStringLiteral("CharSpace")].toArray();
    const char* const bun[] = {"SmallBun", "BigBun"};
    const char* const rubi[] = {"SmallRubi", "BigRubi"};
    for (int style = 0; style <= 1; ++style) {
        const double pitch = charSpace[style].toDouble();
        ASSERT_GT(pitch, 0);
        const QJsonArray body = first[QString::fromLatin1(bun[style])].toArray();
        const QJsonArray ruby = first[QString::fromLatin1(rubi[style])].toArray();
        ASSERT_FALSE(body.isEmpty());
        ASSERT_FALSE(ruby.isEmpty());
        const int bodyX = body[0].toArray()[0].toInt();
        EXPECT_EQ(bodyX, static_cast<int>(std::floor(kDefaultViewWidth - pitch)));
        EXPECT_GT(ruby[0].toArray()[0].toInt(), bodyX);
        EXPECT_LT(ruby[0].toArray()[0].toInt(), kDefaultViewWidth);
        for (const QJsonValue& position : body) {
            const int y = position.toArray()[1].toInt();
            EXPECT_GT(y, 0);
            EXPECT_LT(y, kDefaultViewHeight);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDumpTest,
                         ::testing::Values("wagahai.tl2", "kumo-no-ito.tl2"));

}  // namespace
}  // namespace tavelo
