#include "session/CorrectionsDialogModel.h"

#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "output/StringPrintf.h"
#include "session/TideChoice.h"
#include "survey/CKelpDoc.h"

namespace bramble {

CorrectionsDialogModel::CorrectionsDialogModel(CKelpDoc& doc, CorrectionSettings settings)
    : m_doc(doc), m_meter(doc.Meter()), m_settings(std::move(settings))
{
    // The entries in time order, which the interpolation walks.
    m_settings.m_PressureList = SortPressureEntries(std::move(m_settings.m_PressureList));
    m_settings.m_nTideMode = OfferedTideMode(m_meter, m_settings.m_nTideMode);
    m_settings.m_bApplyOceanLoad = m_settings.m_bApplyOceanLoad && OceanLoadCanApply();
}

bool CorrectionsDialogModel::LongmanOffered() const { return TideModeOffered(m_meter, kTideLongman); }

Outcome CorrectionsDialogModel::SetTideMode(int tideMode)
{
    Outcome outcome = CheckTideMode(m_meter, tideMode);
    if (outcome.Succeeded())
        m_settings.m_nTideMode = tideMode;
    return outcome;
}

Outcome CorrectionsDialogModel::SetNominalFromElevation()
{
    const auto nominal = NominalPressureFromElevation(m_settings.m_dNominalElevation);
    if (!nominal)
        return Outcome::Error(StringPrintf("The elevation must lie between %g and %g m for a nominal pressure.",
                                           kMinNominalElevationM, kMaxNominalElevationM));
    m_settings.m_dNominalPressure = *nominal;
    return {};
}

std::optional<std::string> CorrectionsDialogModel::NewPressureEntry() const
{
    if (m_doc.m_Readings.empty())
        return std::nullopt;
    return DefaultPressureEntry(m_doc.m_Readings.back()->m_dtTime);
}

Result<int> CorrectionsDialogModel::ApplyPressures(const std::vector<std::string>& entries)
{
    Result<int> assigned = AssignPressures(m_doc, entries);
    m_settings.m_bApplyPressure = assigned.Value() > 0;
    return assigned;
}

Result<bool> CorrectionsDialogModel::ReadPolarTable(const std::string& path)
{
    const Result<PolarTableRead> table = ReadPolarMotionTable(m_doc, path);
    if (table.Failed())
        return static_cast<const Outcome&>(table);
    const bool found = table.HasValue() && table.Value().m_bFound;
    if (table.HasValue() && !found)
        m_settings.m_bApplyPolar = false;
    m_settings.m_strPolarFile = path;
    return Result<bool>::Of(found, table);
}

Result<SurveyOceanLoad> CorrectionsDialogModel::ReadBlqFile(const std::string& path)
{
    Result<SurveyOceanLoad> loaded = LoadOceanLoading(m_doc, path, m_settings.m_dBlqMatchDistanceKm);
    if (loaded.Succeeded()) {
        m_settings.m_strBlqFile = path;
        m_settings.m_bApplyOceanLoad = true;
    }
    return loaded;
}

Result<SurveyOceanLoad> CorrectionsDialogModel::SetBlqMatchDistance(double km)
{
    if (Outcome distance = CheckBlqMatchDistance(km); distance.Failed())
        return distance;
    if (m_settings.m_strBlqFile.empty()) {
        m_settings.m_dBlqMatchDistanceKm = km;
        return {};
    }
    Result<SurveyOceanLoad> loaded = LoadOceanLoading(m_doc, m_settings.m_strBlqFile, km);
    if (loaded.Succeeded())
        m_settings.m_dBlqMatchDistanceKm = km;
    return loaded;
}

Outcome CorrectionsDialogModel::SetApplyOceanLoad(bool apply)
{
    if (apply && !OceanLoadCanApply())
        return Outcome::Error("Choose the BLQ file of the stations' ocean-loading parameters first.");
    m_settings.m_bApplyOceanLoad = apply;
    return {};
}

}  // namespace bramble
