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
    ReadReport read = aliod ? doc.ReadAliodFile(path) : doc.ReadScintrexFile(path);
    if (!read.HasValue()) {
        err << who << ": cannot read " << path << ": it could not be opened\n";
        return std::nullopt;
    }
    if (read.Value().readings == 0) {
        PrintReadMessages(read, err);
        err << who << ": no readings in " << path << ": "
            << (aliod ? "it holds no Aliod reading lines"
                      : "it holds no Scintrex CG-3 readings (an Aliod file is read with --aliod)")
            << (read.Messages().empty() ? "" : "; see the warnings above") << "\n";
        return std::nullopt;
    }
    return read;
}

std::string* AliodHeaderField(AliodHeaderTexts& header, const std::string& option)
{
    if (option == "--lat")
        return &header.avgLatitude;
    if (option == "--lon")
        return &header.avgLongitude;
    if (option == "--serial")
        return &header.serialNumber;
    if (option == "--operator")
        return &header.op;
    if (option == "--temp")
        return &header.operTemp;
    return nullptr;
}

bool CheckReadable(const std::string& path, const std::string& who, std::ostream& err)
{
    const std::string why = NotAFile(path);
    if (!why.empty())
        err << who << ": cannot read " << path << ": " << why << "\n";
    return why.empty();
}

std::string FormatRefusal(const std::string& format)
{
    if (format == "auto" || MeterTypeFromName(format))
        return {};
    return "--format takes auto, cg3, aliod, cg5, cg6 or burris, not '" + format + "'";
}

FormatChoice ChooseFormat(const std::string& path, const std::string& format, bool aliod, const std::string& who,
                          std::ostream& err)
{
    const std::optional<MeterType> named = format == "auto" ? std::nullopt : MeterTypeFromName(format);
    if (const std::string why = FormatRefusal(format); !why.empty()) {
        err << who << ": " << why << "\n";
        return {std::nullopt, 2};
    }
    if (aliod && named && *named != MeterType::aliod) {
        err << who << ": --aliod and --format " << format << " contradict each other\n";
        return {std::nullopt, 2};
    }
    if (!CheckReadable(path, who, err))
        return {std::nullopt, 1};
    if (aliod)
        return {MeterType::aliod, 0};
    if (named)
        return {named, 0};
    const std::optional<MeterType> found = RecogniseMeterType(path);
    if (!found) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            err << who << ": " << path << " is a pipe or a device, which is not looked into to recognise its "
                << "meter (that would take its lines); --format names the kind\n";
        else
            err << who << ": no readings in " << path << ": it is none of the meter files Bramble reads (tried "
                << MeterTypesTried() << "); --format names the kind\n";
        return {std::nullopt, 1};
    }
    return {found, 0};
}

namespace {

void SayNoReadings(const std::string& path, MeterKind meter, const std::string& who, std::ostream& err)
{
    err << who << ": no readings in " << path << ": ";
    switch (meter) {
    case MeterKind::aliod:
        err << "it holds no Aliod reading lines";
        break;
    case MeterKind::cg3:
        err << "it holds no Scintrex CG-3 readings (an Aliod file is read with --aliod)";
        break;
    case MeterKind::cg5:
        err << "it holds no CG-5 readings";
        break;
    case MeterKind::cg6:
        err << "it holds no CG-6 readings";
        break;
    case MeterKind::burris:
        err << "it holds no Burris readings";
        break;
    }
    err << "\n";
}

}  // namespace

bool ReadSucceeded(const ReadReport& read, const std::string& path, MeterKind meter, const std::string& who,
                   std::ostream& err)
{
    if (!read.HasValue()) {
        // The reader's own "File not valid" says less than this line.
        err << who << ": cannot read " << path << ": it could not be opened\n";
        return false;
    }
    PrintReadMessages(read, err);
    if (read.Value().readings == 0) {
        SayNoReadings(path, meter, who, err);
        return false;
    }
    return true;
}

void PrintReadMessages(const Outcome& read, std::ostream& err)
{
    for (const Message& message : read.Messages())
        err << "warning: " << message.text << "\n";
}

void PrintMessages(const Outcome& outcome, const std::string& who, std::ostream& err)
{
    for (const Message& message : outcome.Messages()) {
        switch (message.severity) {
        case Severity::error:
            err << who << ": " << message.text << "\n";
            break;
        case Severity::warning:
            err << "warning: " << message.text << "\n";
            break;
        case Severity::information:
            err << message.text << "\n";
            break;
        }
    }
}

}  // namespace bramble::cli
