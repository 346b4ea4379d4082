// The two meter file readers of the document. Both walk the file with the
// same mode switch (header mode / readings mode) and share the header-mode
// lines and the bookkeeping of a new reading; they differ in the reading
// line and in the mode they start in.
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "survey/AliodHeaderCheck.h"
#include "survey/AliodLines.h"
#include "survey/CKelpDoc.h"
#include "output/StringPrintf.h"
#include "survey/LineReader.h"
#include "survey/NumberParse.h"
#include "survey/ScintrexLines.h"
#include "survey/TextScan.h"

namespace bramble {
namespace {

constexpr int kHintScintrex = 0;
constexpr int kHintAliod = 1;

// The meter writes only the time of day; a block's date is the day the
// block began. A reading whose time of day is earlier than the previous
// reading's of the same block was taken after midnight: it moves on a day.
class BlockCalendar {
public:
    DateTime place(const CScintrexHeader& header, const ClockTime& t)
    {
        if (&header != m_header) {
            m_header = &header;
            m_lastSeconds = -1;
            m_days = 0;
        }
        const DateTime& date = header.m_dtDate;
        if (!date.isValid())
            return DateTime::invalid();
        if (!(date == m_date)) {
            // The block's calendar date, taken apart once for its readings.
            m_date = date;
            m_year = date.year();
            m_month = date.month();
            m_day = date.day();
        }
        const DateTime sameDay = DateTime::fromParts(m_year, m_month, m_day, t.hour, t.minute, t.second);
        if (!sameDay.isValid())
            return sameDay;
        const int seconds = t.hour * 3600 + t.minute * 60 + t.second;
        if (m_lastSeconds >= 0 && seconds < m_lastSeconds)
            ++m_days;
        m_lastSeconds = seconds;
        return m_days == 0 ? sameDay : DateTime(sameDay.value() + m_days);
    }

private:
    const CScintrexHeader* m_header = nullptr;
    DateTime m_date = DateTime::invalid();
    int m_year = 0, m_month = 0, m_day = 0;
    int m_lastSeconds = -1;
    int m_days = 0;
};

// Bookkeeping shared by both readers once a reading line is parsed.
template <class Station, class Header>
Station* AppendReading(CKelpDoc& doc, std::unique_ptr<Station> reading, Header* header)
{
    reading->m_pHeader = header;
    doc.m_nRecords += 1;
    header->m_nStations += 1;
    reading->m_nRecord = header->m_nStations;
    reading->m_dTideCorr = 0.0;
    reading->m_dPressureCorr = 0.0;
    reading->m_dPolarCorr = 0.0;
    reading->m_dOceanLoadCorr = 0.0;
    reading->m_dDriftCorr = 0.0;
    Station* raw = reading.get();
    doc.m_Readings.push_back(std::move(reading));
    return raw;
}

enum class Mode { header, readings };

// Runs the shared mode switch over a file; readingLine handles one reading
// line and gets its 1-based line number; headerLines gets the line number
// of each "SCINTREX" line.
template <class ReadingLine>
void WalkFile(LineReader& in, CKelpDoc& doc, Mode mode, ReadingLine&& readingLine,
              std::map<const CHeaderRecord*, long long>& headerLines)
{
    std::string line;
    while (in.next(line)) {
        if (mode == Mode::header) {
            const std::size_t headers = doc.m_Headers.size();
            if (ApplyScintrexHeaderLine(line, doc))
                mode = Mode::readings;
            if (doc.m_Headers.size() != headers)
                headerLines[doc.m_Headers.back().get()] = in.lineNumber();
            continue;
        }
        if (IsBlankLine(line))
            continue;
        if (IsEndOfReadings(line)) {
            mode = Mode::header;
            continue;
        }
        readingLine(line, in.lineNumber());
    }
}

// Line numbers for a sentence of the report: a count and the first few.
class LineList {
public:
    void add(long long line)
    {
        if (m_first.size() < kListed)
            m_first.push_back(line);
        ++m_count;
    }
    long long count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // "5, 6, 7", then ", ..." when there are more.
    std::string text() const
    {
        std::string text;
        for (std::size_t i = 0; i < m_first.size(); ++i)
            text += (i == 0 ? "" : ", ") + std::to_string(m_first[i]);
        if (m_count > static_cast<long long>(m_first.size()))
            text += ", ...";
        return text;
    }

private:
    static constexpr std::size_t kListed = 20;
    std::vector<long long> m_first;
    long long m_count = 0;
};

// What the reader has to say about single lines and blocks, gathered so
// that a damaged file gives a readable report rather than one sentence per
// line.
class LineNotes {
public:
    void notReading(long long line, const std::string& why)
    {
        if (m_named < kNamed) {
            ++m_named;
            m_sentences.push_back("Line " + std::to_string(line) + " is not a reading and was left out: " + why + ".");
        } else {
            m_moreNotReadings.add(line);
        }
    }
    void noEtc(long long line) { m_noEtc.add(line); }
    void refusedInBlock(const CHeaderRecord* header)
    {
        if (m_refusedInBlock[header]++ == 0)
            m_refusedBlocks.push_back(header);
    }

    void addTo(Outcome& outcome, const std::map<const CHeaderRecord*, long long>& headerLines,
               const std::map<const CHeaderRecord*, std::string>& blockProblems) const
    {
        for (const CHeaderRecord* header : m_refusedBlocks) {
            const auto count = m_refusedInBlock.find(header);
            const auto why = blockProblems.find(header);
            if (why == blockProblems.end())
                continue;
            const auto at = headerLines.find(header);
            outcome.AddWarning("The SCINTREX block of line " +
                               std::to_string(at == headerLines.end() ? 0 : at->second) + " " + why->second + ": its " +
                               std::to_string(count->second) + " reading line(s) were not used.");
        }
        for (const std::string& sentence : m_sentences)
            outcome.AddWarning(sentence);
        if (!m_moreNotReadings.empty())
            outcome.AddWarning(std::to_string(m_moreNotReadings.count()) +
                               " more line(s) are not readings and were left out (lines " + m_moreNotReadings.text() +
                               ").");
        if (!m_noEtc.empty())
            outcome.AddWarning(std::to_string(m_noEtc.count()) + " reading(s) have no E.T.C. value (line(s) " +
                               m_noEtc.text() + "): the meter's tide is taken as 0 for them.");
    }

private:
    static constexpr int kNamed = 20;
    int m_named = 0;
    std::vector<std::string> m_sentences;
    LineList m_moreNotReadings;
    LineList m_noEtc;
    std::map<const CHeaderRecord*, int> m_refusedInBlock;
    std::vector<const CHeaderRecord*> m_refusedBlocks;  // in the order of the file
};

// A file the line reader stopped on is refused whole (readings up to the
// fault would pass for the complete survey), and so is an Aliod file whose
// typed header cannot be used: no readings, and the error `text` says why
// (in place of the notes on single lines).
ReadReport RefuseFile(CKelpDoc& doc, const std::string& text)
{
    doc.ClearSurvey();
    return ReadReport::Of(ReadCounts{}, Outcome::Error(text));
}

void AddSkipWarning(Outcome& outcome, int skippedLines)
{
    if (skippedLines > 0)
        outcome.AddWarning(std::to_string(skippedLines) +
                           " reading line(s) before the first SCINTREX header were skipped: "
                           "they have no survey date.");
}

}  // namespace

ReadReport CKelpDoc::ReadScintrexFile(const std::string& path)
{
    ClearSurvey();
    LineReader in(path);
    if (!in.isOpen()) {
        UpdateAllViews(kHintScintrex);
        return Outcome::Error("File not valid");
    }
    ReadCounts counts;
    BlockCalendar calendar;
    LineNotes notes;
    std::map<const CHeaderRecord*, long long> headerLines;
    std::map<const CHeaderRecord*, std::string> blockProblems;
    const CScintrexHeader* checkedHeader = nullptr;
    bool blockRefused = false;
    WalkFile(
        in, *this, Mode::header,
        [&](std::string_view line, long long lineNumber) {
            if (!m_pCurHeader) {
                ++counts.skippedLines;
                return;
            }
            // A block is judged on its first reading line; the judgement
            // holds for the block's other readings.
            if (m_pCurHeader != checkedHeader) {
                auto problem = blockProblems.find(m_pCurHeader);
                if (problem == blockProblems.end())
                    problem = blockProblems.emplace(m_pCurHeader, ScintrexBlockProblem(*m_pCurHeader)).first;
                checkedHeader = m_pCurHeader;
                blockRefused = !problem->second.empty();
            }
            if (blockRefused) {
                notes.refusedInBlock(m_pCurHeader);
                return;
            }
            auto reading = std::make_unique<CScintrexStation>();
            const ScintrexLineResult parsed = ParseScintrexReadingLine(line, *reading);
            if (!parsed.problem.empty()) {
                notes.notReading(lineNumber, parsed.problem);
                return;
            }
            if (!parsed.hasEtc)
                notes.noEtc(lineNumber);
            reading->m_dtTime = calendar.place(*m_pCurHeader, parsed.time);
            reading->m_dGravLessEtc = reading->m_dRawGrav - reading->m_dEtc;
            m_pCurStation = AppendReading(*this, std::move(reading), m_pCurHeader);
            m_pCurStation->m_nStationIndex = m_nRecords;
        },
        headerLines);
    counts.readings = m_nRecords;
    Outcome outcome;
    AddSkipWarning(outcome, counts.skippedLines);
    notes.addTo(outcome, headerLines, blockProblems);
    ReadReport report = ReadReport::Of(counts, std::move(outcome));
    if (!in.error().empty())
        report = RefuseFile(*this, "The file cannot be read: " + in.error() + ".");
    UpdateAllViews(kHintScintrex);
    return report;
}

ReadReport CKelpDoc::ReadAliodFile(const std::string& path)
{
    ClearSurvey();
    LineReader in(path);
    if (!in.isOpen()) {
        UpdateAllViews(kHintAliod);
        return Outcome::Error("File not valid");
    }
    if (const auto fault = CheckAliodHeaderTexts(m_AliodHeader, true)) {
        ReadReport refused = RefuseFile(*this, "The Aliod readings are not read: " + fault->text + ".");
        UpdateAllViews(kHintAliod);
        return refused;
    }
    auto header = std::make_unique<CAliodHeader>();
    header->m_nIndex = 1;
    header->m_nStations = 0;
    // The operator typed these values just before the read.
    header->m_dLatitude = ToDouble(m_AliodHeader.avgLatitude);
    header->m_dLongitude = ToDouble(m_AliodHeader.avgLongitude);
    header->m_dSerialNumber = ToDouble(m_AliodHeader.serialNumber);
    header->m_strOperator = m_AliodHeader.op;
    header->m_dOperTemp = ToDouble(m_AliodHeader.operTemp);
    m_pCurAliodHeader = header.get();
    m_Headers.push_back(std::move(header));

    LineNotes notes;
    std::map<const CHeaderRecord*, long long> headerLines;
    WalkFile(
        in, *this, Mode::readings,
        [&](std::string_view line, long long lineNumber) {
            auto reading = std::make_unique<CAliodStation>();
            if (const std::string problem = ParseAliodReadingLine(line, *reading); !problem.empty()) {
                notes.notReading(lineNumber, problem);
                return;
            }
            m_pCurAliodStation = AppendReading(*this, std::move(reading), m_pCurAliodHeader);
        },
        headerLines);
    Outcome outcome;
    notes.addTo(outcome, headerLines, {});
    ReadReport report = ReadReport::Of(ReadCounts{m_nRecords, 0}, std::move(outcome));
    if (!in.error().empty())
        report = RefuseFile(*this, "The file cannot be read: " + in.error() + ".");
    UpdateAllViews(kHintAliod);
    return report;
}

}  // namespace bramble
