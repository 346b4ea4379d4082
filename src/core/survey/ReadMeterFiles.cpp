// The two meter file readers of the document. Both walk the file with the
// same mode switch (header mode / readings mode) and share the header-mode
// lines and the bookkeeping of a new reading; they differ in the reading
// line and in the mode they start in.
#include <memory>

#include "survey/AliodLines.h"
#include "survey/CKelpDoc.h"
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
        const DateTime sameDay = DateTime::fromParts(date.year(), date.month(), date.day(), t.hour, t.minute, t.second);
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
    reading->m_dDriftCorr = 0.0;
    Station* raw = reading.get();
    doc.m_Readings.push_back(std::move(reading));
    return raw;
}

enum class Mode { header, readings };

// Runs the shared mode switch over a file; readingLine handles one reading line.
template <class ReadingLine>
void WalkFile(LineReader& in, CKelpDoc& doc, Mode mode, ReadingLine&& readingLine)
{
    std::string line;
    while (in.next(line)) {
        if (mode == Mode::header) {
            if (ApplyScintrexHeaderLine(line, doc))
                mode = Mode::readings;
            continue;
        }
        if (IsBlankLine(line))
            continue;
        if (IsEndOfReadings(line)) {
            mode = Mode::header;
            continue;
        }
        readingLine(line);
    }
}

void AddSkipWarning(ReadReport& report)
{
    if (report.skippedLines > 0)
        report.warnings.push_back(std::to_string(report.skippedLines) +
                                  " reading line(s) before the first SCINTREX header were skipped: "
                                  "they have no survey date.");
}

}  // namespace

ReadReport CKelpDoc::ReadScintrexFile(const std::string& path)
{
    ClearSurvey();
    ReadReport report;
    LineReader in(path);
    if (!in.isOpen()) {
        ShowMessage("File not valid");
        UpdateAllViews(kHintScintrex);
        return report;
    }
    report.opened = true;
    BlockCalendar calendar;
    WalkFile(in, *this, Mode::header, [&](std::string_view line) {
        if (!m_pCurHeader) {
            ++report.skippedLines;
            return;
        }
        auto reading = std::make_unique<CScintrexStation>();
        const ClockTime time = ParseScintrexReadingLine(line, *reading);
        reading->m_dtTime = calendar.place(*m_pCurHeader, time);
        reading->m_dGravLessEtc = reading->m_dRawGrav - reading->m_dEtc;
        m_pCurStation = AppendReading(*this, std::move(reading), m_pCurHeader);
        m_pCurStation->m_nStationIndex = m_nRecords;
    });
    report.readings = m_nRecords;
    AddSkipWarning(report);
    UpdateAllViews(kHintScintrex);
    return report;
}

ReadReport CKelpDoc::ReadAliodFile(const std::string& path)
{
    ClearSurvey();
    ReadReport report;
    LineReader in(path);
    if (!in.isOpen()) {
        ShowMessage("File not valid");
        UpdateAllViews(kHintAliod);
        return report;
    }
    report.opened = true;
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

    WalkFile(in, *this, Mode::readings, [&](std::string_view line) {
        auto reading = std::make_unique<CAliodStation>();
        ParseAliodReadingLine(line, *reading);
        m_pCurAliodStation = AppendReading(*this, std::move(reading), m_pCurAliodHeader);
    });
    report.readings = m_nRecords;
    UpdateAllViews(kHintAliod);
    return report;
}

}  // namespace bramble
