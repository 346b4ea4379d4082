#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "survey/CKelpDoc.h"

namespace bramble::cli {

// Keeps the texts of the message boxes the core would show, so that the
// command line can print them as warnings.
class CollectMessages final : public IMessageSink {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Why `path` cannot be a meter file before it is opened ("there is no such
// file", "it is a folder"), or empty.
std::string NotAFile(const std::string& path);

// Reads `path` into `doc` as a Scintrex CG-3 dump or, with `aliod`, as
// Aliod readings (the Aliod header values already in `doc`). A missing
// path, a folder, a file that cannot be opened or one that holds no reading
// is refused: the reader's warnings and a line saying what is wrong go to
// `err`, each line starting with `who`, and nothing is returned.
std::optional<ReadReport> ReadSurvey(CKelpDoc& doc, const std::string& path, bool aliod, const std::string& who,
                                     std::ostream& err);

}  // namespace bramble::cli
