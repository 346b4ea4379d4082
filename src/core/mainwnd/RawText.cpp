#include "mainwnd/RawText.h"

#include <algorithm>
#include <compare>
#include <filesystem>
#include <utility>

#include "output/StringPrintf.h"
#include "survey/LineReader.h"
#include "survey/ScintrexLines.h"
#include "survey/TextScan.h"

namespace bramble {
namespace {

// Where a reading sits in a CG-3 file: its header block and its record
// number within the block, as the reader numbers them.
struct ReadingPlace {
    int block = 0;
    int record = 0;
    friend auto operator<=>(const ReadingPlace&, const ReadingPlace&) = default;
};

std::vector<ReadingPlace> SelectedPlacesInFileOrder(const CStationList& list)
{
    std::vector<std::pair<int, ReadingPlace>> selected;
    for (const int row : list.SelectedRows()) {
        const CReading& reading = list.Reading(row);
        const int block = reading.header() ? reading.header()->m_nIndex : 0;
        selected.push_back({list.StationIndex(row), {block, reading.m_nRecord}});
    }
    std::stable_sort(selected.begin(), selected.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ReadingPlace> places;
    for (const auto& [index, place] : selected)
        places.push_back(place);
    return places;
}

// The CG-3 walk. It repeats the reader's mode switch line by line (header
// lines go through the reader's own header-line function, on a scratch
// document), so that blocks and records match the parsed readings.
//
// A "section" is the stretch of lines from the start of the file, or from
// a line that ended a block of readings, to the next such line. The lines
// of the current section up to its "Station" line are kept until it is
// known whether a selected reading follows in this section.
void WalkCg3(LineReader& in, std::vector<ReadingPlace> targets, std::vector<std::string>& out)
{
    if (targets.empty())
        return;
    CKelpDoc scratch;
    bool readingsMode = false;
    int section = 1;
    int shownSection = 0;
    std::vector<std::string> sectionHead;
    std::size_t next = 0;
    std::string line;
    while (next < targets.size() && in.next(line)) {
        if (!readingsMode) {
            readingsMode = ApplyScintrexHeaderLine(line, scratch);
            // The first section shows its "Station" line, later ones do not.
            if (!readingsMode || section == 1)
                sectionHead.push_back(line);
            continue;
        }
        if (IsBlankLine(line))
            continue;
        if (IsEndOfReadings(line)) {
            readingsMode = false;
            ++section;
            sectionHead.assign(1, line);
            continue;
        }
        if (!scratch.m_pCurHeader)  // the reader skips readings before any header
            continue;
        // The reader leaves out the lines that are not readings and the
        // readings of a block it cannot use; they have no record number.
        CScintrexHeader& header = *scratch.m_pCurHeader;
        CScintrexStation probe;
        if (!ScintrexBlockProblem(header).empty() || !ParseScintrexReadingLine(line, probe).problem.empty())
            continue;
        // Numbered as the reader numbers them: per header, from 1.
        header.m_nStations += 1;
        const ReadingPlace here{header.m_nIndex, header.m_nStations};
        // A selected reading the file no longer holds (it changed since the
        // import) is passed over instead of holding up the ones after it.
        while (next < targets.size() && targets[next] < here)
            ++next;
        if (next == targets.size() || targets[next] != here)
            continue;
        if (section != shownSection) {
            out.insert(out.end(), sectionHead.begin(), sectionHead.end());
            shownSection = section;
        }
        out.push_back(line);
        ++next;
    }
}

void ReadAliodFileLines(LineReader& in, std::vector<std::string>& out)
{
    std::string line;
    while (in.next(line)) {
        out.push_back(line);
        if (Find(line, "Station") != kNotFound)
            break;
    }
}

// A CG-5, CG-6 or Burris file: its lines before the first reading (the
// header and column lines), then the lines of the selected readings, in
// file order, found by the line numbers the reader gave them.
void WalkMeterFile(LineReader& in, const CKelpDoc& doc, const CStationList& list, std::vector<std::string>& out)
{
    std::vector<long long> targets;
    for (const int row : list.SelectedRows())
        if (const auto* r = dynamic_cast<const CMeterStation*>(&list.Reading(row)))
            targets.push_back(r->m_nLine);
    if (targets.empty())
        return;
    std::sort(targets.begin(), targets.end());
    long long firstReading = targets.front();
    for (const auto& reading : doc.m_Readings)
        if (const auto* r = dynamic_cast<const CMeterStation*>(reading.get()))
            firstReading = std::min<long long>(firstReading, r->m_nLine);
    std::size_t next = 0;
    std::string line;
    for (long long number = 1; next < targets.size() && in.next(line); ++number) {
        if (number < firstReading) {
            out.push_back(line);
            continue;
        }
        while (next < targets.size() && targets[next] < number)
            ++next;
        if (next < targets.size() && targets[next] == number) {
            out.push_back(line);
            ++next;
        }
    }
}

const CAliodHeader* AliodHeaderOf(const CKelpDoc& doc)
{
    if (doc.m_pCurAliodStation && doc.m_pCurAliodStation->m_pHeader)
        return doc.m_pCurAliodStation->m_pHeader;
    return doc.m_pCurAliodHeader;
}

}  // namespace

std::vector<std::string> AliodHeaderLines(const CAliodHeader& header)
{
    const std::string rule(79, '-');
    return {
        rule,
        StringPrintf("Serial Number: %9.0f", header.m_dSerialNumber),
        StringPrintf("Average Latitude of Survey Area: %9.5f", header.m_dLatitude),
        StringPrintf("Average Longitude of Survey Area: %9.5f", header.m_dLongitude),
        "Operator: " + header.m_strOperator,
        StringPrintf("Operation Temperature: %9.4f", header.m_dOperTemp),
        rule,
    };
}

RawText ExtractRawText(const CKelpDoc& doc, const CStationList& list)
{
    RawText text;
    const std::string& path = doc.m_strFilePath;
    std::error_code ec;
    LineReader in(path);
    if (path.empty() || !in.isOpen() || std::filesystem::is_directory(path, ec)) {
        text.error = path.empty() ? std::string("No data file has been imported.")
                                  : "Cannot open the data file \"" + path + "\".";
        return text;
    }
    switch (doc.Meter()) {
    case MeterKind::cg3:
        WalkCg3(in, SelectedPlacesInFileOrder(list), text.lines);
        return text;
    case MeterKind::cg5:
    case MeterKind::cg6:
    case MeterKind::burris:
        WalkMeterFile(in, doc, list, text.lines);
        return text;
    case MeterKind::aliod:
        break;
    }
    // An Aliod survey without readings has no current reading; its typed
    // header still exists, or the lines show zeros.
    const CAliodHeader* header = AliodHeaderOf(doc);
    text.lines = AliodHeaderLines(header ? *header : CAliodHeader{});
    text.headerLines = static_cast<int>(text.lines.size());
    if (list.SelectedCount() > 0)
        ReadAliodFileLines(in, text.lines);
    return text;
}

}  // namespace bramble
