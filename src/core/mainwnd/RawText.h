#pragma once

#include <string>
#include <vector>

#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"

namespace bramble {

// The text of the raw data window: the lines of the data file that belong
// to the selected readings, read again from the file (never made from the
// parsed records).
struct RawText {
    std::vector<std::string> lines;
    // How many leading lines are a synthesized header (the seven Aliod header
    // lines) rather than lines of the file; the window appends those as a
    // scrolling log and the file's lines with keep-all.
    int headerLines = 0;
    // Empty, or a message for the operator when the data file cannot be
    // read; the text is then empty.
    std::string error;
};

// By the document's meter. CG-3: walks the file forwards once, in the file
// order of the selected readings. The first selected reading of the file's
// first block brings every line from the start of the file through the
// block's "Station" line; a reading in a later block brings the line that
// ended the block before it, then that block's header lines up to (not
// including) its "Station" line; every selected reading brings its own
// line. The blocks and reading lines are found exactly as the CG-3 reader
// finds them, so blank lines among the readings are skipped and the n-th
// reading of a block is its n-th non-blank reading line.
//
// CG-5, CG-6 and Burris: the file's lines before its first reading (the
// header and the column line), then each selected reading's own line, in
// file order.
//
// Aliod: the seven header lines of the typed Aliod header, then (when any
// row is selected) the file's lines from its start through the first line
// containing "Station", or to its end.
//
// The list is only read: its order is the same before and after.
RawText ExtractRawText(const CKelpDoc& doc, const CStationList& list);

// The seven synthesized header lines of an Aliod survey.
std::vector<std::string> AliodHeaderLines(const CAliodHeader& header);

}  // namespace bramble
