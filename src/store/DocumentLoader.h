#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/ClassicTypes.h"
#include "common/Error.h"
#include "layout/CCalcPointXY.h"
#include "layout/CReversalChar.h"
#include "reader/CFileChangeTlData.h"

namespace tavelo {

class CViewData;
class CViewDataS;
class MeasuringDevice;
class MessageSink;

// The headless part of opening a document, shared by the window's open, drop and refresh
// commands, the command line, benchmarks and fuzzers: it reads and parses the file, lays it out
// on the measuring device in the order of the open command (device, line count, longest line,
// standard length, per line the lengths and ruby flags, small style, large style) and sizes a
// fresh highlight table. Like the open command it goes on past every failing step; it keeps
// the first reading failure and the first layout failure for the caller.
//
// One loader serves one document: call loadFile or loadBytes once, then read the working
// objects or add the document to a collection. The sink and the device must outlive the
// loader; adding measures the device's width again.
class DocumentLoader {
public:
    DocumentLoader(MessageSink& messages, MeasuringDevice& device);

    // For showing a document: after a line that failed at its 56th cell, keep that line's 55
    // whole cells so that the document can be stored (the record copies a typeface per cell).
    void keepOnlyWholeCells(bool keep) { keepOnlyWholeCells_ = keep; }

    // vFileName is the name without its folder, as the record and the document ID show it.
    // Either may keep a name's bytes (PathBytes): the file is opened by them, and the reader's
    // FileName is the name as shown to the user.
    void loadFile(const String& vFullPathName, const String& vFileName);
    // The same for a path given as the system's bytes (a command-line argument): the file name
    // is the path's last part.
    void loadSystemPath(std::string_view pathBytes);
    // Parses bytes held in memory as if they were the file's.
    void loadBytes(std::vector<std::uint8_t> bytes, const String& vFileName);

    [[nodiscard]] CFileChangeTlData& reader() { return reader_; }
    [[nodiscard]] const CFileChangeTlData& reader() const { return reader_; }
    [[nodiscard]] const CCalcPointXY& calculator() const { return calculator_; }
    [[nodiscard]] const CReversalChar& highlights() const { return highlights_; }
    [[nodiscard]] const std::optional<Error>& readError() const { return readError_; }
    [[nodiscard]] const std::optional<Error>& layoutError() const { return layoutError_; }
    // False when nothing of the document could be read: the file could not be opened, or the
    // parse refused the whole buffer as too large.
    [[nodiscard]] bool readAnything() const { return readAnything_; }

    // Adds the document under vID (CViewDataS::Add); throws as Add does.
    CViewData& addTo(CViewDataS& vViewS, const String& vID);
    // Puts the document in place of record number vPosition (CViewDataS::Replace).
    CViewData& replaceIn(CViewDataS& vViewS, long vPosition, const String& vID);

    // Lays the parsed document out again, as loading did (benchmarks measure it alone).
    void layOut();

private:
    void parse(bool bytesRead);

    MeasuringDevice& device_;
    CFileChangeTlData reader_;
    CCalcPointXY calculator_;
    CReversalChar highlights_;
    std::optional<Error> readError_;
    std::optional<Error> layoutError_;
    bool readAnything_ = false;
    bool keepOnlyWholeCells_ = false;
};

}  // namespace tavelo
