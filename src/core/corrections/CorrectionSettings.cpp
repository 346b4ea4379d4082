#include "corrections/CorrectionSettings.h"

#include "corrections/Pressure.h"
#include "survey/CKelpDoc.h"

namespace bramble {

void ResetCorrectionsForImport(CorrectionSettings& settings, const CKelpDoc& doc)
{
    settings.m_bApplyPolar = false;
    settings.m_strPolarFile.clear();
    settings.m_bApplyOceanLoad = false;
    settings.m_strBlqFile.clear();
    settings.m_PressureList.clear();
    if (doc.m_Readings.empty())
        return;
    settings.m_PressureList.push_back(DefaultPressureEntry(doc.m_Readings.front()->m_dtTime));
    settings.m_PressureList.push_back(DefaultPressureEntry(doc.m_Readings.back()->m_dtTime));
}

}  // namespace bramble
