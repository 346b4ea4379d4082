#include "meters/ReadLoop.h"

#include <filesystem>

namespace bramble::meters::detail {
namespace {

constexpr std::size_t kMaxIssues = 1000;
constexpr int kLinesToMeasure = 256;

}  // namespace

LineSource::LineSource(const std::string& path, MeterSurvey& survey) : m_reader(path), m_survey(survey)
{
    survey.opened = m_reader.isOpen();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    m_fileSize = ec ? 0 : size;
}

LineSource::~LineSource()
{
    if (m_unlisted > 0)
        m_survey.issues.push_back({0, std::to_string(m_unlisted) + " more lines with problems are not listed"});
}

bool LineSource::next(std::string_view& line)
{
    if (!m_reader.next(m_line)) {
        // A file the line reader stops on (not text, an over-long line, a
        // read error) is refused whole: the readings up to the fault would
        // pass for the whole survey.
        if (!m_reader.error().empty()) {
            m_survey.readings.clear();
            m_survey.issues.insert(m_survey.issues.begin(), {0, "The file cannot be read: " + m_reader.error() + "."});
        }
        return false;
    }
    ++m_number;
    line = m_line;
    // Once a few lines show their length, room for the whole file's
    // readings is made at once rather than by repeated doubling.
    if (m_number == kLinesToMeasure && m_fileSize > 0 && m_survey.readings.size() > kLinesToMeasure / 2) {
        const double bytesPerLine = static_cast<double>(m_reader.bytesRead()) / m_number;
        const double expected = static_cast<double>(m_fileSize) / bytesPerLine * 1.02 + 16.0;
        if (expected < 5e7)
            m_survey.readings.reserve(static_cast<std::size_t>(expected));
    }
    return true;
}

void LineSource::afterLine()
{
    while (m_survey.issues.size() > kMaxIssues) {
        m_survey.issues.pop_back();
        ++m_unlisted;
    }
}

}  // namespace bramble::meters::detail
