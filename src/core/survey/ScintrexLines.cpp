#include "survey/ScintrexLines.h"

#include <memory>
#include <vector>

#include "survey/CKelpDoc.h"
#include "survey/NumberParse.h"
#include "survey/TextScan.h"

namespace bramble {
namespace {

constexpr char kDC3 = 0x13;

// Position of a key that may be missing from its line: the value after it
// is read only when the key is there, so a missing key leaves the field as
// it was instead of reading from an arbitrary place.
struct Key {
    std::string_view line;
    long long pos;
    Key(std::string_view text, std::string_view key) : line(text), pos(Find(text, key)) {}
    bool found() const { return pos != kNotFound; }
};

// At most two decimals of the number that starts at s: 275.813 reads 275.81.
double TwoDecimalValue(std::string_view line, long long s)
{
    const long long dot = Find(line, '.', s);
    if (dot == kNotFound)
        return 0.0;
    return ToDouble(Mid(line, s, dot + 3 - s));
}

void ReadIntAfter(const Key& key, long long offset, int& field)
{
    if (key.found())
        field = IntFrom(key.line, key.pos + offset);
}

// Latitude and longitude come with a short and a long key; the value
// starts a fixed distance after the start of whichever is there.
void ReadCoordinate(std::string_view line, std::string_view shortKey, std::string_view longKey,
                    long long offset, double& field)
{
    Key key(line, shortKey);
    if (!key.found())
        key = Key(line, longKey);
    if (key.found())
        field = TwoDecimalValue(line, key.pos + offset);
}

DateTime ShortTime(std::string_view eight)
{
    return DateTime::fromParts(1899, 12, 30, ToInt(Mid(eight, 0, 2)), ToInt(Mid(eight, 3, 2)),
                               ToInt(Mid(eight, 6, 2)));
}

void ApplyLineLine(std::string_view line, long long linePos, CScintrexHeader& h)
{
    h.m_nLine = IntFrom(line, linePos + 5);
    ReadIntAfter(Key(line, "Grid:"), 5, h.m_nGrid);
    ReadIntAfter(Key(line, "Job:"), 4, h.m_nJob);
    const Key date(line, "Date:");
    if (date.found())
        h.m_dtDate = ParseShortDate(Mid(line, date.pos + 6, 8));
    const Key op(line, "Operator:");
    if (op.found()) {
        // The operator ends at the first "." after the key; without one it
        // runs to the end of the line.
        const long long start = op.pos + 9;
        const long long dot = Find(line, '.', op.pos);
        const std::string_view text = dot == kNotFound ? Mid(line, start) : Mid(line, start, dot - start);
        h.m_strOperator = std::string(TrimRight(text));
    }
}

}  // namespace

DateTime ParseShortDate(std::string_view eight)
{
    const int yy = ToInt(Mid(eight, 0));
    const int mm = ToInt(Mid(eight, 3));
    const int dd = ToInt(Mid(eight, 6));
    const int year = yy < 75 ? 2000 + yy : 1900 + yy;
    return DateTime::fromParts(year, mm, dd);
}

bool IsEndOfReadings(std::string_view line)
{
    return line.find(kDC3) != std::string_view::npos || line.find("-----") != std::string_view::npos;
}

bool ApplyScintrexHeaderLine(std::string_view line, CKelpDoc& doc)
{
    if (Find(line, "SCINTREX") != kNotFound) {
        auto header = std::make_unique<CScintrexHeader>();
        doc.m_pCurHeader = header.get();
        doc.m_Headers.push_back(std::move(header));
        doc.m_pCurHeader->m_nIndex = static_cast<int>(doc.m_Headers.size());
        doc.m_pCurHeader->m_nStations = 0;
        // Some meters name their serial number on the first line already.
        ReadIntAfter(Key(line, "Ser No:"), 7, doc.m_pCurHeader->m_nSerNo);
        return false;
    }
    if (!doc.m_pCurHeader)   // a key line before any block has no header to fill
        return Find(line, "Station") != kNotFound;

    CScintrexHeader& h = *doc.m_pCurHeader;
    if (const Key k(line, "Cycle Time:"); k.found()) {
        h.m_nCycleTime = IntFrom(line, k.pos + 11);
        ReadIntAfter(Key(line, "Ser No:"), 7, h.m_nSerNo);
    } else if (const Key k2(line, "Line:"); k2.found()) {
        ApplyLineLine(line, k2.pos, h);
    } else if (const Key k3(line, "GREF.:"); k3.found()) {
        h.m_nGref = IntFrom(line, k3.pos + 6);
        if (const Key s(line, "Tilt x sensit.:"); s.found())
            h.m_dTiltXSens = TwoDecimalValue(line, s.pos + 15);
    } else if (const Key k4(line, "GCAL.1:"); k4.found()) {
        h.m_dGcal1 = DoubleFrom(line, k4.pos + 7);
        if (const Key s(line, "Tilt y sensit.:"); s.found())
            h.m_dTiltYSens = TwoDecimalValue(line, s.pos + 15);
    } else if (const Key k5(line, "GCAL.2"); k5.found()) {
        h.m_dGcal2 = DoubleFrom(line, k5.pos + 7);
        ReadCoordinate(line, "Deg.Lat.:", "Deg.Latitude:", 13, h.m_dLatitude);
    } else if (const Key k6(line, "TEMPCO.:"); k6.found()) {
        h.m_dTempco = DoubleFrom(line, k6.pos + 8);
        ReadCoordinate(line, "Deg.Long.:", "Deg.Longitude:", 14, h.m_dLongitude);
    } else if (const Key k7(line, "Drift const.:"); k7.found()) {
        h.m_dDriftConst = DoubleFrom(line, k7.pos + 13);
        ReadIntAfter(Key(line, "GMT Difference:"), 15, h.m_nGmtDiff);
    } else if (const Key k8(line, "Drift Correction Start"); k8.found()) {
        if (const Key t(line, "Time:"); t.found())
            h.m_dtDriftStart = ShortTime(Mid(line, t.pos + 6, 8));
        ReadIntAfter(Key(line, "Cal.after x samples:"), 20, h.m_nCalAfter);
    } else if (const Key k9(line, "Date:"); k9.found()) {
        h.m_dtDriftStart = ParseShortDate(Mid(line, k9.pos + 6, 8));
        if (const Key t(line, "On-Line Tilt Corrected = "); t.found())
            h.m_strTiltCorrected = std::string(Mid(line, t.pos + 25, 6));
    } else if (Find(line, "Station") != kNotFound) {
        return true;
    } else if (const Key k10(line, "Ser No:"); k10.found()) {
        // Field-mode dumps write the serial number on a line of its own.
        h.m_nSerNo = IntFrom(line, k10.pos + 7);
    }
    return false;
}

ClockTime ParseScintrexReadingLine(std::string_view line, CScintrexStation& r)
{
    const long long p0 = Find(line, '.');
    r.m_strStation = std::string(TrimLeft(Mid(line, 0, p0)));
    r.m_dRawGrav = DoubleFrom(line, p0 + 1);
    r.m_dGrav = r.m_dRawGrav;
    const long long p1 = Find(line, ' ', p0 + 5);
    r.m_dStdDev = DoubleFrom(line, p1 + 1);
    const long long p2 = Find(line, ' ', p1 + 5);
    r.m_nTiltX = IntFrom(line, p2);
    const long long p3 = Find(line, '.', p2 + 5);
    r.m_nTiltY = IntFrom(line, p3 + 1);
    const long long p4 = Find(line, '.', p3 + 5);
    r.m_dTemp = DoubleFrom(line, p4 + 1);
    const long long p5 = Find(line, ' ', p4 + 5);

    long long durPos = kNotFound;
    long long rejPos = kNotFound;
    if (p5 != kNotFound && Find(line, '.', p5) != kNotFound) {
        // An E.T.C. value follows the temperature.
        const long long p6 = Find(line, ' ', p5 + 1);
        r.m_dEtc = DoubleFrom(line, p6);
        durPos = Find(line, ' ', p6 + 5);
        rejPos = Find(line, ' ', durPos + 5);
    } else {
        // No E.T.C.: duration, rejections and time are the last three
        // blank-separated fields, whatever the width of the duration.
        r.m_dEtc = 0.0;
        std::vector<long long> starts;
        const std::string_view rest = TrimRight(line);
        for (long long i = 0; i < static_cast<long long>(rest.size()); ++i) {
            const bool blank = rest[static_cast<std::size_t>(i)] == ' ' || rest[static_cast<std::size_t>(i)] == '\t';
            const bool prevBlank = i == 0 || rest[static_cast<std::size_t>(i - 1)] == ' ' ||
                                   rest[static_cast<std::size_t>(i - 1)] == '\t';
            if (!blank && prevBlank)
                starts.push_back(i);
        }
        if (starts.size() >= 3) {
            durPos = starts[starts.size() - 3];
            rejPos = starts[starts.size() - 2];
        }
    }
    r.m_dEtcRead = r.m_dEtc;
    // A field whose anchor is missing reads as 0, not from the line's start.
    r.m_nDur = durPos == kNotFound ? 0 : IntFrom(line, durPos);
    r.m_nRejected = rejPos == kNotFound ? 0 : IntFrom(line, rejPos);
    const long long p9 = Find(line, ':', rejPos);
    const std::string_view time = Mid(line, p9 - 2, 8);
    return {ToInt(Mid(time, 0, 2)), ToInt(Mid(time, 3, 2)), ToInt(Mid(time, 6, 2))};
}

}  // namespace bramble
