#include "DocumentLoader.h"

#include <utility>

#include "CViewDataS.h"
#include "common/PathBytes.h"

namespace tavelo {
namespace {

// Runs one step of the open: a failing step is skipped and the first failure kept. Returns
// whether the step succeeded.
template <class Operation>
bool step(std::optional<Error>& firstFailure, Operation&& operation) {
    try {
        operation();
        return true;
    } catch (const Error& e) {
        if (!firstFailure) firstFailure = e;
        return false;
    }
}

}  // namespace

DocumentLoader::DocumentLoader(MessageSink& messages, MeasuringDevice& device)
    : device_(device), reader_(messages) {}

void DocumentLoader::loadFile(const String& vFullPathName, const String& vFileName) {
    readError_.reset();
    reader_.FileName(PathBytes::display(vFileName));
    reader_.FullPathName(vFullPathName);
    const bool opened = step(readError_, [&] { reader_.FileOpenBuff(); });
    parse(opened);
    layOut();
}

void DocumentLoader::loadSystemPath(std::string_view pathBytes) {
    const String path = PathBytes::fromSystem(pathBytes);
    loadFile(path, PathBytes::fileName(path));
}

void DocumentLoader::loadBytes(std::vector<std::uint8_t> bytes, const String& vFileName) {
    readError_.reset();
    reader_.FileName(vFileName);
    reader_.LoadBytes(std::move(bytes));
    parse(true);
    layOut();
}

// A file that could not be opened is still parsed, as an empty buffer, as the open command
// does.
void DocumentLoader::parse(bool bytesRead) {
    const bool parsed = step(readError_, [&] { reader_.BuffChangeTl2Data(); });
    if (!parsed && keepOnlyWholeCells_ &&
        reader_.FailedLimit() == CFileChangeTlData::ReadLimit::Cells)
        reader_.DropOverlongCells();
    // A buffer over the limit fails before its first byte: nothing was read.
    readAnything_ =
        bytesRead && (parsed || reader_.BufferSize() <= CFileChangeTlData::kMaxBytes + 1);
}

void DocumentLoader::layOut() {
    layoutError_.reset();
    calculator_.Device1(&device_);
    step(layoutError_, [&] { calculator_.GyouArraySize(reader_.GyouArraySize()); });
    step(layoutError_, [&] { calculator_.MaxBunDan(reader_.MaxBunDan()); });
    step(layoutError_, [&] { calculator_.Plusminus1MaxLenDan(reader_.Plusminus1MaxLenDan()); });
    // Each copy is its own step, so that one bad line does not cost the others their lengths.
    for (long i = 1; i <= calculator_.GyouArraySize(); ++i) {
        const auto line = static_cast<Integer>(i);
        step(layoutError_, [&] { calculator_.LenBunDan(line, reader_.LenBunDan(line)); });
        step(layoutError_, [&] { calculator_.LenRubiDan(line, reader_.LenRubiDan(line)); });
        Integer slots = 0;
        step(layoutError_, [&] { slots = reader_.LenRubiDan(line); });
        for (long j = 1; j <= slots; ++j) {
            const auto slot = static_cast<Integer>(j);
            step(layoutError_, [&] {
                calculator_.IsKanjiRubi(line, slot, reader_.IsKanjiRubi(line, slot) != kFalseFlag);
            });
        }
    }
    step(layoutError_, [&] { calculator_.CalcSmallFontPointXY(); });
    step(layoutError_, [&] { calculator_.CalcBigFontPointXY(); });
    step(layoutError_, [&] { highlights_.GyouArraySize(reader_.GyouArraySize()); });
}

CViewData& DocumentLoader::addTo(CViewDataS& vViewS, const String& vID) {
    return vViewS.Add(vID, reader_, calculator_, highlights_);
}

CViewData& DocumentLoader::replaceIn(CViewDataS& vViewS, long vPosition, const String& vID) {
    return vViewS.Replace(vPosition, vID, reader_, calculator_, highlights_);
}

}  // namespace tavelo
