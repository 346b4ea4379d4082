#include "WriteOutput.h"

#include <filesystem>
#include <fstream>

#include "output/SafeFile.h"

namespace bramble::cli {

bool WriteOutput(const std::string& command, const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err)
{
    if (path == "-") {
        out << bytes;
        out.flush();
        if (!out)
            err << "bramble-cli " << command << ": could not write to standard output\n";
        return static_cast<bool>(out);
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {
        std::ofstream device(path, std::ios::binary);
        device << bytes;
        device.flush();
        if (!device)
            err << "bramble-cli " << command << ": could not write to " << path << "\n";
        return static_cast<bool>(device);
    }
    const Outcome written = WriteFileSafely(path, bytes);
    if (written.Failed())
        err << "bramble-cli " << command << ": " << written.ErrorText() << "\n";
    return written.Succeeded();
}

std::string EmptyOutputNameRefusal(const std::string& option)
{
    return option + " needs a file name (- for standard output)";
}

}  // namespace bramble::cli
