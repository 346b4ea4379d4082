#include "adjust/SetupsCsv.h"

#include <array>
#include <filesystem>
#include <map>
#include <optional>

#include "adjust/TextFields.h"
#include "survey/LineReader.h"

namespace bramble {
namespace {

enum Column { kLoop, kStation, kTime, kG, kSd, kTemp, kMeter, kColumns };
constexpr std::array<const char*, kColumns> kNames = {"loop", "station", "time", "g", "sd", "temp", "meter"};

// What the reading below gathers: the setups, or the error.
struct SetupsGathered {
    bool ok = false;
    std::string error;
    std::vector<Setup> setups;
};

SetupsGathered GatherSetups(const std::string& path)
{
    SetupsGathered out;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        out.error = "cannot read " + path + ": it is a folder";
        return out;
    }
    LineReader reader(path);
    if (!reader.isOpen()) {
        out.error = "cannot read " + path;
        return out;
    }
    std::array<int, kColumns> index;
    index.fill(-1);
    bool haveHeader = false;
    std::size_t columnCount = 0;
    std::map<std::pair<std::string, std::string>, double> lastTime;  // per loop and meter
    std::string line;
    long long lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        out.error = path + " line " + std::to_string(lineNumber) + ": " + why;
        out.setups.clear();
        return out;
    };
    while (reader.next(line)) {
        ++lineNumber;
        // The line reader drops a byte-order mark and refuses NUL bytes.
        if (TrimBlanks(line).empty())
            continue;
        const auto fields = SplitCsvLine(line);
        if (!fields)
            return fail("a quoted field is not closed");
        if (!haveHeader) {
            for (std::size_t i = 0; i < fields->size(); ++i) {
                int which = -1;
                for (int c = 0; c < kColumns; ++c)
                    if ((*fields)[i] == kNames[c])
                        which = c;
                if (which < 0)
                    return fail("unknown column '" + (*fields)[i] +
                                "' (the columns are loop, station, time, g, sd "
                                "and optionally temp and meter)");
                if (index[which] >= 0)
                    return fail("column '" + (*fields)[i] + "' appears twice");
                index[which] = static_cast<int>(i);
            }
            for (int c = kLoop; c <= kSd; ++c)
                if (index[c] < 0)
                    return fail(std::string("the header has no column '") + kNames[c] + "'");
            columnCount = fields->size();
            haveHeader = true;
            continue;
        }
        if (fields->size() != columnCount)
            return fail("has " + std::to_string(fields->size()) + " fields, the header " + std::to_string(columnCount));
        const auto field = [&](Column c) -> const std::string& { return (*fields)[index[c]]; };
        Setup s;
        s.loop = field(kLoop);
        s.station = field(kStation);
        if (s.loop.empty())
            return fail("the loop is empty");
        if (s.station.empty())
            return fail("the station is empty");
        const auto time = ParseUtcTime(field(kTime));
        if (!time)
            return fail("time '" + field(kTime) + "' is not \"YYYY-MM-DD HH:MM:SS\"");
        const auto g = ParseFiniteNumber(field(kG));
        if (!g)
            return fail("g '" + field(kG) + "' is not a number");
        const auto sd = ParseFiniteNumber(field(kSd));
        if (!sd || *sd <= 0.0)
            return fail("sd '" + field(kSd) + "' is not a number greater than 0");
        if (index[kTemp] >= 0 && !TrimBlanks(field(kTemp)).empty()) {
            s.temperature = ParseFiniteNumber(field(kTemp));
            if (!s.temperature)
                return fail("temp '" + field(kTemp) + "' is not a number");
        }
        if (index[kMeter] >= 0)
            s.meter = field(kMeter);
        const auto key = std::make_pair(s.loop, s.meter);
        const auto last = lastTime.find(key);
        if (last != lastTime.end() && *time < last->second)
            return fail("the setup is earlier than the one before it in loop " + s.loop +
                        (s.meter.empty() ? "" : " of meter " + s.meter) + " (rows of a loop must be in time order)");
        lastTime[key] = *time;
        s.time = *time;
        s.gravity = *g;
        s.sd = *sd;
        s.source = path + ":" + std::to_string(lineNumber);
        out.setups.push_back(std::move(s));
    }
    // The line reader stops on what is not text (a NUL byte), an over-long
    // line and a read error: the file is refused, not taken as ended.
    if (!reader.error().empty()) {
        out.error = path + ": " + reader.error();
        out.setups.clear();
        return out;
    }
    if (!haveHeader) {
        out.error = path + ": no header line (loop,station,time,g,sd)";
        return out;
    }
    if (out.setups.empty()) {
        out.error = path + ": no setups after the header";
        return out;
    }
    out.ok = true;
    return out;
}

}  // namespace

SetupsFile ReadSetupsCsv(const std::string& path)
{
    SetupsGathered read = GatherSetups(path);
    if (!read.ok)
        return Outcome::Error(std::move(read.error));
    return SetupsFile::Of(std::move(read.setups));
}

}  // namespace bramble
