#include "survey/AliodHeaderCheck.h"

#include <cmath>

#include "output/StringPrintf.h"
#include "survey/NumberParse.h"
#include "survey/TextScan.h"

namespace bramble {

std::optional<AliodHeaderFault> CheckAliodHeaderTexts(const AliodHeaderTexts& texts, bool blankAllowed)
{
    struct Text {
        AliodHeaderField field;
        const std::string& text;
        const char* name;
        double limit;  // degrees; 0: any number
    };
    const Text checked[] = {{AliodHeaderField::avgLatitude, texts.avgLatitude, "latitude", 90.0},
                            {AliodHeaderField::avgLongitude, texts.avgLongitude, "longitude", 360.0},
                            {AliodHeaderField::serialNumber, texts.serialNumber, "serial number", 0.0},
                            {AliodHeaderField::operTemp, texts.operTemp, "operating temperature", 0.0}};
    for (const Text& t : checked) {
        if (IsBlankLine(t.text)) {
            if (blankAllowed)
                continue;
            return AliodHeaderFault{t.field, std::string("the header's ") + t.name + " is empty"};
        }
        const auto value = WholeNumber(t.text);
        if (!value)
            return AliodHeaderFault{t.field, std::string("the header's ") + t.name + " \"" + t.text + "\" is not a number"};
        if (t.limit > 0.0 && std::fabs(*value) > t.limit)
            return AliodHeaderFault{t.field, std::string("the header's ") + t.name + " " + t.text + " is outside -" +
                                                 StringPrintf("%g", t.limit) + " to " + StringPrintf("%g", t.limit) +
                                                 " degrees"};
    }
    return std::nullopt;
}

}  // namespace bramble
