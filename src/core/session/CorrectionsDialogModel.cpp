#include "session/CorrectionsDialogModel.h"

#include "corrections/PolarMotion.h"
#include "corrections/Pressure.h"
#include "output/StringPrintf.h"
#include "session/TideChoice.h"
#include "survey/CKelpDoc.h"

namespace bramble {

CorrectionsDialogModel::CorrectionsDialogModel(CKelpDoc& doc, CorrectionSettings settings)
    : m_doc(doc), m_meter(doc.m_bAliod ? MeterKind::aliod : MeterKind::cg3), m_settings(std::move(settings))
{
    // The entries in time order, which the interpolation walks.
    m_settings.m_PressureList = SortPressureEntries(std::move(m_settings.m_PressureList));
    m_settings.m_nTideMode = OfferedTideMode(m_meter, m_settings.m_nTideMode);
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
    const PolarTableResult table = ReadPolarMotionTable(m_doc, path);
    Outcome outcome;
    bool found = false;
    switch (table.m_Status) {
    case PolarTableResult::Status::kCannotOpen:
        return Outcome::Error(table.m_strMessage);
    case PolarTableResult::Status::kNotFound:
        outcome.AddWarning("the polar-motion table " + path +
                           " has no line for the survey's first day; the polar-motion correction stays off");
        m_settings.m_bApplyPolar = false;
        break;
    case PolarTableResult::Status::kRead:
        found = true;
        break;
    case PolarTableResult::Status::kNoReadings:
        break;
    }
    m_settings.m_strPolarFile = path;
    return Result<bool>::Of(found, std::move(outcome));
}

}  // namespace bramble
