#include "shell/cli/JsonDump.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "shell/cli/JsonWriter.h"
#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "common/Rounding.h"
#include "common/Utf8.h"
#include "layout/CCalcPointXY.h"
#include "layout/MeasuringDevice.h"
#include "layout/PixelScale.h"
#include "reader/CFileChangeTlData.h"
#include "store/DocumentLoader.h"

namespace tavelo {
namespace {

void writeError(JsonWriter& json, const std::optional<Error>& error) {
    if (!error) {
        json.null();
        return;
    }
    json.beginObject();
    json.key("number");
    json.value(std::int64_t{error->number()});
    json.key("description");
    json.value(error->description());
    json.endObject();
}

// Writes the value `read` yields, or null when reading it fails.
void writeOrNull(JsonWriter& json, const std::function<void()>& read) {
    try {
        read();
    } catch (const Error&) {
        json.null();
    }
}

// The value `read` yields, or nothing when reading it fails.
template <class Read>
std::optional<std::int64_t> readOrNothing(Read&& read) {
    try {
        return read();
    } catch (const Error&) {
        return std::nullopt;
    }
}

// A list of [X, Y] positions 1..count; a position that cannot be read is null.
template <class ReadX, class ReadY>
void writePositions(JsonWriter& json, std::int64_t count, ReadX&& readX, ReadY&& readY) {
    json.beginArray();
    for (int k = 1; k <= count; ++k) {
        const auto x = readOrNothing([&] { return readX(k); });
        const auto y = readOrNothing([&] { return readY(k); });
        if (x && y)
            json.inlineArray(std::vector<std::int64_t>{*x, *y});
        else
            json.null();
    }
    json.endArray();
}

void writeLayout(JsonWriter& json, const DocumentLoader& loader, MeasuringDevice& device) {
    const CFileChangeTlData& reader = loader.reader();
    const CCalcPointXY& calc = loader.calculator();
    json.beginObject();
    json.key("view");
    json.inlineArray(std::vector<std::optional<std::int64_t>>{
        readOrNothing([&] {
            device.ScaleMode(PixelScale::kPixels);
            return rounding::roundToLong(device.ScaleWidth());
        }),
        readOrNothing([&] { return rounding::roundToLong(device.ScaleHeight()); })});
    json.key("CharSpace");
    json.inlineArraySingle({calc.CharSpace(0), calc.CharSpace(1)});
    json.key("FontSizeBun");
    json.inlineArray(std::vector<std::int64_t>{calc.FontSizeBun(0), calc.FontSizeBun(1)});
    json.key("FontSizeRubi");
    json.inlineArray(std::vector<std::int64_t>{calc.FontSizeRubi(0), calc.FontSizeRubi(1)});
    json.key("error");
    writeError(json, loader.layoutError());
    json.key("lines");
    json.beginArray();
    for (Integer g = 1; g <= reader.GyouArraySize(); ++g) {
        const std::int64_t cells = readOrNothing([&] { return reader.LenBunDan(g); }).value_or(0);
        const std::int64_t slots = readOrNothing([&] { return reader.LenRubiDan(g); }).value_or(0);
        json.beginObject();
        json.key("LenBigBunDan");
        json.inlineArray(std::vector<std::optional<std::int64_t>>{
            readOrNothing([&] { return calc.LenBigBunDan(0, g); }),
            readOrNothing([&] { return calc.LenBigBunDan(1, g); })});
        json.key("LenBigRubiDan");
        json.inlineArray(std::vector<std::optional<std::int64_t>>{
            readOrNothing([&] { return calc.LenBigRubiDan(0, g); }),
            readOrNothing([&] { return calc.LenBigRubiDan(1, g); })});
        json.key("SmallBun");
        writePositions(
            json, cells, [&](int k) { return calc.position(PositionTables::kSmallBunX, g, k); },
            [&](int k) { return calc.position(PositionTables::kSmallBunY, g, k); });
        json.key("BigBun");
        writePositions(
            json, cells, [&](int k) { return calc.position(PositionTables::kBigBunX, g, k); },
            [&](int k) { return calc.position(PositionTables::kBigBunY, g, k); });
        json.key("SmallRubi");
        writePositions(
            json, slots, [&](int k) { return calc.position(PositionTables::kSmallRubiX, g, k); },
            [&](int k) { return calc.position(PositionTables::kSmallRubiY, g, k); });
        json.key("BigRubi");
        writePositions(
            json, slots, [&](int k) { return calc.position(PositionTables::kBigRubiX, g, k); },
            [&](int k) { return calc.position(PositionTables::kBigRubiY, g, k); });
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

}  // namespace

JsonDump::Result JsonDump::dumpFile(const std::string& path, MessageSink& messages,
                                    MeasuringDevice& device) {
    RecordingMessageSink recorded(&messages);
    DocumentLoader loader(recorded, device);
    loader.loadSystemPath(path);
    CFileChangeTlData& reader = loader.reader();
    const std::optional<Error>& error = loader.readError();

    JsonWriter json;
    json.beginObject();
    json.key("file");
    json.value(utf8::fromUtf16(reader.FileName()));
    json.key("messages");
    json.beginArray();
    for (const String& message : recorded.messages()) json.value(utf8::fromUtf16(message));
    json.endArray();
    json.key("error");
    writeError(json, error);
    const Integer lines = reader.GyouArraySize();
    json.key("GyouArraySize");
    json.value(std::int64_t{lines});
    json.key("MaxBunDan");
    json.value(std::int64_t{reader.MaxBunDan()});
    json.key("Plusminus1MaxLenDan");
    writeOrNull(json, [&] { json.value(std::int64_t{reader.Plusminus1MaxLenDan()}); });
    json.key("lines");
    json.beginArray();
    for (Integer g = 1; g <= lines; ++g) {
        json.beginObject();
        json.key("Bun");
        json.value(utf8::fromUtf16(reader.Bun(g)));
        const Integer cells = reader.LenBunDan(g);
        json.key("LenBunDan");
        json.value(std::int64_t{cells});
        json.key("FontData");
        json.beginArray();
        for (int k = 1; k <= cells; ++k)
            writeOrNull(json, [&] { json.value(utf8::fromUtf16(reader.FontData(g, k))); });
        json.endArray();
        json.key("Rubi");
        json.value(utf8::fromUtf16(reader.Rubi(g)));
        const Integer slots = reader.LenRubiDan(g);
        json.key("LenRubiDan");
        json.value(std::int64_t{slots});
        json.key("IsKanjiRubi");
        std::vector<std::int64_t> flags;
        bool allRead = true;
        for (Integer k = 1; k <= slots && allRead; ++k) {
            try {
                flags.push_back(reader.IsKanjiRubi(g, k));
            } catch (const Error&) {
                allRead = false;
            }
        }
        if (allRead) {
            json.inlineArray(flags);
        } else {
            json.beginArray();
            for (Integer k = 1; k <= slots; ++k)
                writeOrNull(json, [&] { json.value(std::int64_t{reader.IsKanjiRubi(g, k)}); });
            json.endArray();
        }
        json.endObject();
    }
    json.endArray();
    json.key("layout");
    writeLayout(json, loader, device);
    json.endObject();
    return {json.text() + "\n", loader.readAnything() ? 0 : 1};
}

}  // namespace tavelo
