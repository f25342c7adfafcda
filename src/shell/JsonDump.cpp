#include "JsonDump.h"

#include <filesystem>
#include <functional>
#include <optional>

#include "JsonWriter.h"
#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "common/Utf8.h"
#include "reader/CFileChangeTlData.h"

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

}  // namespace

JsonDump::Result JsonDump::dumpFile(const std::string& path, MessageSink& messages) {
    RecordingMessageSink recorded(&messages);
    CFileChangeTlData reader(recorded);
    const String fileName = utf8::toUtf16(std::filesystem::path(path).filename().string());
    reader.FileName(fileName);
    reader.FullPathName(utf8::toUtf16(path));

    std::optional<Error> error;
    bool readAnything = true;
    try {
        reader.FileOpenBuff();
    } catch (const Error& e) {
        error = e;
        readAnything = false;
    }
    if (readAnything) {
        try {
            reader.BuffChangeTl2Data();
        } catch (const Error& e) {
            error = e;
            // A buffer over the limit fails before its first byte: nothing was read.
            readAnything = reader.BufferSize() <= CFileChangeTlData::kMaxBytes + 1;
        }
    }

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
    json.endObject();
    return {json.text() + "\n", readAnything ? 0 : 1};
}

}  // namespace tavelo
