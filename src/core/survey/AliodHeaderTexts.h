#pragma once

#include <string>

namespace bramble {

// The five texts of an Aliod survey header as the operator types them (the
// files carry no header). The defaults are what the header dialog opens
// with, and what the command line uses when an option is not given.
struct AliodHeaderTexts {
    std::string serialNumber = "123456789";
    std::string avgLatitude = "40.02885";
    std::string avgLongitude = "-105.04603";   // east positive
    std::string op = "NONE";
    std::string operTemp = "90.5";
};

}  // namespace bramble
