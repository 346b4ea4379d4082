#include "ReadSurvey.h"

#include <filesystem>

namespace bramble::cli {

// Pipes and devices are read: a script may hand the survey over through one.
std::string NotAFile(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return "there is no such file";
    if (std::filesystem::is_directory(status))
        return "it is a folder";
    return {};
}

std::optional<ReadReport> ReadSurvey(CKelpDoc& doc, const std::string& path, bool aliod, const std::string& who,
                                     std::ostream& err)
{
    if (const std::string why = NotAFile(path); !why.empty()) {
        err << who << ": cannot read " << path << ": " << why << "\n";
        return std::nullopt;
    }
    ReadReport report = aliod ? doc.ReadAliodFile(path) : doc.ReadScintrexFile(path);
    if (!report.opened) {
        err << who << ": cannot read " << path << ": it could not be opened\n";
        return std::nullopt;
    }
    if (report.readings == 0) {
        for (const std::string& warning : report.warnings)
            err << "warning: " << warning << "\n";
        err << who << ": no readings in " << path << ": "
            << (aliod ? "it holds no Aliod reading lines"
                      : "it holds no Scintrex CG-3 readings (an Aliod file is read with --aliod)")
            << (report.warnings.empty() ? "" : "; see the warnings above") << "\n";
        return std::nullopt;
    }
    return report;
}

}  // namespace bramble::cli
