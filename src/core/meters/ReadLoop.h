#pragma once

#include <string>
#include <string_view>

#include "meters/MeterSurvey.h"
#include "survey/LineReader.h"

namespace bramble::meters {

namespace detail {
class LineSource {
public:
    explicit LineSource(const std::string& path, MeterSurvey& survey);
    ~LineSource();
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;
    bool next(std::string_view& line);
    int number() const { return m_number; }
    // Keeps the issue list short on a file of garbage: past a limit the
    // issues are counted, and one line says how many more there were.
    void afterLine();

private:
    LineReader m_reader;
    std::string m_line;
    unsigned long long m_fileSize = 0;
    MeterSurvey& m_survey;
    int m_number = 0;
    long long m_unlisted = 0;
};
}  // namespace detail

// Feeds every line of `path` with its 1-based number to `handle`, marks
// the survey opened, and makes room for the readings the file holds.
template <class Handler>
void ReadLines(const std::string& path, MeterSurvey& survey, Handler&& handle)
{
    detail::LineSource source(path, survey);
    std::string_view line;
    while (source.next(line)) {
        handle(line, source.number());
        source.afterLine();
    }
}

}  // namespace bramble::meters
