#pragma once

#include <string>

namespace bramble {

// The five texts of an Aliod survey header as the operator types them (the
// files carry no header). A document starts with all five empty.
struct AliodHeaderTexts {
    std::string serialNumber;
    std::string avgLatitude;
    std::string avgLongitude;  // east positive
    std::string op;
    std::string operTemp;

    friend bool operator==(const AliodHeaderTexts&, const AliodHeaderTexts&) = default;
};

// What the header dialog opens with, and what the command line uses for an
// option that is not given.
inline AliodHeaderTexts DefaultAliodHeaderTexts() { return {"123456789", "40.02885", "-105.04603", "NONE", "90.5"}; }

}  // namespace bramble
