#include "survey/ScintrexLines.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output/StringPrintf.h"
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
    Key(std::string_view text, std::string_view key) : line(text), pos(Find(text, key)) { }
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
void ReadCoordinate(std::string_view line, std::string_view shortKey, std::string_view longKey, long long offset,
                    double& field)
{
    Key key(line, shortKey);
    if (!key.found())
        key = Key(line, longKey);
    if (key.found())
        field = TwoDecimalValue(line, key.pos + offset);
}

DateTime ShortTime(std::string_view eight)
{
    return DateTime::fromParts(1899, 12, 30, ToInt(Mid(eight, 0, 2)), ToInt(Mid(eight, 3, 2)), ToInt(Mid(eight, 6, 2)));
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
    if (!doc.m_pCurHeader)  // a key line before any block has no header to fill
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

namespace {

bool IsFieldEnd(std::string_view line, std::size_t pos, char alsoAllowed)
{
    return pos >= line.size() || line[pos] == ' ' || line[pos] == '\t' || line[pos] == alsoAllowed;
}

// The number that starts (after blanks) at pos and ends at a blank, the end
// of the line or `alsoAllowed`; a missing anchor, a missing or partly
// numeric field or a non-finite value gives nothing.
std::optional<double> FieldNumber(std::string_view line, long long pos, char alsoAllowed = ' ')
{
    if (pos == kNotFound || pos < 0 || static_cast<std::size_t>(pos) > line.size())
        return std::nullopt;
    const std::string_view tail = line.substr(static_cast<std::size_t>(pos));
    const auto number = ReadNumberPrefix(tail);
    if (!number || !IsFieldEnd(tail, number->end, alsoAllowed))
        return std::nullopt;
    return number->value;
}

// The same for an integer field (digits only, in the int range).
std::optional<int> FieldInt(std::string_view line, long long pos, char alsoAllowed = ' ')
{
    if (pos == kNotFound || pos < 0 || static_cast<std::size_t>(pos) > line.size())
        return std::nullopt;
    const std::string_view tail = TrimLeft(line.substr(static_cast<std::size_t>(pos)));
    std::size_t end = 0;
    if (end < tail.size() && (tail[end] == '+' || tail[end] == '-'))
        ++end;
    while (end < tail.size() && tail[end] >= '0' && tail[end] <= '9')
        ++end;
    if (!IsFieldEnd(tail, end, alsoAllowed))
        return std::nullopt;
    return WholeInt(tail.substr(0, end));
}

// "hh:mm:ss" (the hour may be written with a blank for its leading zero).
std::optional<ClockTime> FieldTime(std::string_view eight)
{
    if (eight.size() != 8 || eight[2] != ':' || eight[5] != ':')
        return std::nullopt;
    const auto h = WholeInt(eight.substr(0, 2));
    const auto m = WholeInt(eight.substr(3, 2));
    const auto s = WholeInt(eight.substr(6, 2));
    const auto digits = [&](std::size_t at) { return eight[at] >= '0' && eight[at] <= '9'; };
    if (!h || !m || !s || !digits(1) || !digits(3) || !digits(4) || !digits(6) || !digits(7))
        return std::nullopt;
    if (*h < 0 || *h > 23 || *m < 0 || *m > 59 || *s < 0 || *s > 59)
        return std::nullopt;
    return ClockTime{*h, *m, *s};
}

}  // namespace

ScintrexLineResult ParseScintrexReadingLine(std::string_view line, CScintrexStation& r)
{
    ScintrexLineResult result;
    const auto problem = [&](std::string what) {
        result.problem = std::move(what);
        return result;
    };
    const long long p0 = Find(line, '.');
    if (p0 == kNotFound)
        return problem("it has no station number ending in \".\"");
    r.m_strStation = std::string(TrimLeft(Mid(line, 0, p0)));
    if (r.m_strStation.empty())
        return problem("it has no station number");
    const auto grav = FieldNumber(line, p0 + 1);
    if (!grav)
        return problem("the gravity is missing or not a number");
    r.m_dRawGrav = *grav;
    r.m_dGrav = r.m_dRawGrav;
    const long long p1 = Find(line, ' ', p0 + 5);
    const auto sd = p1 == kNotFound ? std::nullopt : FieldNumber(line, p1 + 1);
    if (!sd)
        return problem("the standard deviation is missing or not a number");
    r.m_dStdDev = *sd;
    const long long p2 = p1 == kNotFound ? kNotFound : Find(line, ' ', p1 + 5);
    const auto tiltX = FieldInt(line, p2, '.');
    if (!tiltX)
        return problem("the tilt x is missing or not a number");
    r.m_nTiltX = *tiltX;
    const long long p3 = Find(line, '.', p2 + 5);
    const auto tiltY = p3 == kNotFound ? std::nullopt : FieldInt(line, p3 + 1, '.');
    if (!tiltY)
        return problem("the tilt y is missing or not a number");
    r.m_nTiltY = *tiltY;
    const long long p4 = Find(line, '.', p3 + 5);
    const auto temp = p4 == kNotFound ? std::nullopt : FieldNumber(line, p4 + 1);
    if (!temp)
        return problem("the temperature is missing or not a number");
    r.m_dTemp = *temp;
    const long long p5 = Find(line, ' ', p4 + 5);

    long long durPos = kNotFound;
    long long rejPos = kNotFound;
    if (p5 != kNotFound && Find(line, '.', p5) != kNotFound) {
        // An E.T.C. value follows the temperature.
        const long long p6 = Find(line, ' ', p5 + 1);
        const auto etc = FieldNumber(line, p6);
        if (!etc)
            return problem("the E.T.C. is not a number");
        r.m_dEtc = *etc;
        result.hasEtc = true;
        durPos = Find(line, ' ', p6 + 5);
        rejPos = durPos == kNotFound ? kNotFound : Find(line, ' ', durPos + 5);
    } else {
        // No E.T.C.: duration, rejections and time are the last three
        // blank-separated fields, whatever the width of the duration.
        r.m_dEtc = 0.0;
        std::vector<long long> starts;
        const std::string_view rest = TrimRight(line);
        for (long long i = 0; i < static_cast<long long>(rest.size()); ++i) {
            const bool blank = rest[static_cast<std::size_t>(i)] == ' ' || rest[static_cast<std::size_t>(i)] == '\t';
            const bool prevBlank =
                i == 0 || rest[static_cast<std::size_t>(i - 1)] == ' ' || rest[static_cast<std::size_t>(i - 1)] == '\t';
            if (!blank && prevBlank)
                starts.push_back(i);
        }
        // They must be the only fields after the temperature: a field
        // between them (an E.T.C. that is not a number) makes no reading.
        const long long fieldsAfterTiltY =
            std::count_if(starts.begin(), starts.end(), [&](long long s) { return s > p4; });
        const bool tempJoinsTiltY = p4 + 1 < static_cast<long long>(line.size()) &&
                                    line[static_cast<std::size_t>(p4 + 1)] != ' ' &&
                                    line[static_cast<std::size_t>(p4 + 1)] != '\t';
        if (starts.size() >= 3 && p5 != kNotFound && starts[starts.size() - 3] > p5 &&
            fieldsAfterTiltY + (tempJoinsTiltY ? 1 : 0) == 4) {
            durPos = starts[starts.size() - 3];
            rejPos = starts[starts.size() - 2];
        }
    }
    r.m_dEtcRead = r.m_dEtc;
    const auto dur = FieldInt(line, durPos);
    if (!dur)
        return problem("the duration is missing or not a number");
    r.m_nDur = *dur;
    const auto rejected = FieldInt(line, rejPos);
    if (!rejected)
        return problem("the number of rejected samples is missing or not a number");
    r.m_nRejected = *rejected;
    const long long p9 = Find(line, ':', rejPos);
    const auto time = p9 == kNotFound ? std::nullopt : FieldTime(Mid(line, p9 - 2, 8));
    if (!time)
        return problem("the time is missing or not a time of day hh:mm:ss");
    result.time = *time;
    return result;
}

std::string ScintrexBlockProblem(const CScintrexHeader& h)
{
    if (!h.m_dtDate.isValid() || h.m_dtDate.value() == 0.0)
        return "has no valid survey date (\"Date: yy/mm/dd\" on its \"Line:\" line)";
    if (!(std::fabs(h.m_dLatitude) <= 90.0))
        return "has a latitude of " + StringPrintf("%g", h.m_dLatitude) + " degrees, which is not a latitude";
    if (!(std::fabs(h.m_dLongitude) <= 360.0))
        return "has a longitude of " + StringPrintf("%g", h.m_dLongitude) + " degrees, which is not a longitude";
    return {};
}

}  // namespace bramble
