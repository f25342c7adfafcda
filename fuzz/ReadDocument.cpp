#include "ReadDocument.h"

#include <algorithm>
#include <type_traits>

#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "reader/CBunInfoPage.h"
#include "reader/CFileChangeTlData.h"
#include "reader/RubiInfo.h"

namespace tavelo::fuzzing {
namespace {

template <class Read>
auto readOrEmpty(Read&& read) -> std::optional<std::decay_t<decltype(read())>> {
    try {
        return read();
    } catch (const Error&) {
        return std::nullopt;
    }
}

}  // namespace

ReadDocument ReadDocument::read(std::span<const std::uint8_t> bytes) {
    ReadDocument document;
    document.input.assign(bytes.begin(), bytes.end());

    RecordingMessageSink messages;
    CFileChangeTlData reader(messages);
    reader.LoadBytes(document.input);
    document.bufferSize = reader.BufferSize();
    try {
        reader.BuffChangeTl2Data();
    } catch (const Error& e) {
        document.errorNumber = e.number();
    }
    document.failureLine = reader.FailureLine();

    document.GyouArraySize = reader.GyouArraySize();
    document.MaxBunDan = reader.MaxBunDan();
    document.Plusminus1MaxLenDan = readOrEmpty([&] { return reader.Plusminus1MaxLenDan(); });
    document.lines.reserve(static_cast<std::size_t>(std::max<Integer>(document.GyouArraySize, 0)));
    for (Integer g = 1; g <= document.GyouArraySize; ++g) {
        Line& line = document.lines.emplace_back();
        line.Bun = readOrEmpty([&] { return reader.Bun(g); });
        line.LenBunDan = readOrEmpty([&] { return reader.LenBunDan(g); });
        // Every cell, not only those up to LenBunDan: a typeface entry may name a cell beyond.
        line.FontData.reserve(CBunInfoPage::kMaxCells);
        for (int k = 1; k <= CBunInfoPage::kMaxCells; ++k)
            line.FontData.push_back(readOrEmpty([&] { return reader.FontData(g, k); }));
        line.Rubi = readOrEmpty([&] { return reader.Rubi(g); });
        line.LenRubiDan = readOrEmpty([&] { return reader.LenRubiDan(g); });
        line.IsKanjiRubi.reserve(RubiInfo::kMaxSlots);
        for (Integer k = 1; k <= RubiInfo::kMaxSlots; ++k)
            line.IsKanjiRubi.push_back(readOrEmpty([&] { return reader.IsKanjiRubi(g, k); }));
    }
    document.messages = messages.messages();
    return document;
}

}  // namespace tavelo::fuzzing
