#include "drift/DriftSession.h"

#include <algorithm>
#include <cstdio>

#include "corrections/CorrectionSettings.h"
#include "drift/DriftLine.h"
#include "mainwnd/CStationList.h"
#include "output/StringPrintf.h"

namespace bramble {

std::string BeginDriftCommand(DriftContext& ctx, DriftNames& names, const CorrectionSettings& chosen)
{
    if (!ctx.drift.m_bReapplying) {
        names.m_Saved.clear();
        for (int row : ctx.list.SelectedRows()) {
            const CReading& r = ctx.list.Reading(row);
            names.m_Saved.push_back({ctx.list.StationIndex(row), r.m_dDriftCorr, r.m_strDriftName});
        }
    }
    ctx.drift.m_FitSettings = chosen;
    const StepsBeforeDrift steps = DriftFitSteps(ctx.doc, ctx.drift);
    CalculateDriftRate(ctx.list, ctx.drift, steps);
    ComputeReadingDrifts(ctx.list, ctx.drift, steps);
    if (ctx.drift.m_bReapplying)
        return {};
    if (!names.m_bAddNextDrift)
        return "No Drift Selected";
    ctx.doc.AddDriftCorrection(ctx.drift.m_dtStart, ctx.drift.m_dCoeff[0]);
    return FormatDriftLine(*ctx.doc.m_pCurDrift);
}

DriftDialogModel::DriftDialogModel(DriftContext& ctx, std::vector<std::string> names, int startSelection,
                                   DriftMode mode, std::string initialLine)
    : m_ctx(ctx), m_names(std::move(names)), m_selection(startSelection), m_mode(mode), m_line(std::move(initialLine))
{ }

void DriftDialogModel::Start()
{
    if (m_selection < 0 || m_selection >= static_cast<int>(m_names.size()))
        m_selection = 0;
    SelectionChange(m_selection);
}

std::string DriftDialogModel::LineOf(int k) const
{
    if (k < 0 || static_cast<std::size_t>(k) >= m_ctx.doc.m_DriftCorrections.size())
        return {};
    return FormatDriftLine(*m_ctx.doc.m_DriftCorrections[static_cast<std::size_t>(k)]);
}

void DriftDialogModel::SelectionChange(int k)
{
    m_selection = k;
    m_line = LineOf(k);
    Update();
}

void DriftDialogModel::Update()
{
    if (m_selection < 0 || static_cast<std::size_t>(m_selection) >= m_names.size())
        return;
    ApplyDriftEntry(m_ctx.doc, m_ctx.list, m_ctx.drift, m_ctx.settings, static_cast<std::size_t>(m_selection), m_line,
                    m_names[static_cast<std::size_t>(m_selection)], m_mode, m_ctx.recalc);
    const StepsBeforeDrift steps = DriftFitSteps(m_ctx.doc, m_ctx.drift);
    for (int row : m_ctx.list.SelectedRows()) {
        CReading& reading = m_ctx.list.Reading(row);
        ShowReadingDrift(m_ctx.list, row);
        m_ctx.list.SetDriftName(row, reading.m_strDriftName);
        reading.m_dGrav = GravityBeforeDrift(reading, steps);
    }
}

void DriftDialogModel::MarkSelected(const std::string& starredName)
{
    for (int row : m_ctx.list.SelectedRows()) {
        CReading& reading = m_ctx.list.Reading(row);
        reading.m_strDriftName = starredName;
        reading.m_strNote = starredName;
    }
}

DriftDialogModel::AddPrefill DriftDialogModel::BeginAdd()
{
    m_rememberedSortColumn = m_ctx.list.SortColumn();
    m_ctx.list.SortRowsByTime();
    const std::string current = m_selection >= 0 && static_cast<std::size_t>(m_selection) < m_names.size()
                                    ? m_names[static_cast<std::size_t>(m_selection)]
                                    : std::string();
    MarkSelected(current + "*");
    CalculateDriftRate(m_ctx.list, m_ctx.drift, DriftFitSteps(m_ctx.doc, m_ctx.drift));
    return {StringPrintf("%9.3f", m_ctx.drift.m_dCoeff[0]), m_ctx.drift.m_dtStart, "New Drift Correction"};
}

Outcome DriftDialogModel::FinishAdd(bool accepted, bool input, const std::string& name, const DateTime& start,
                                    const std::string& rateText)
{
    Result<std::array<double, 6>> rate;
    if (accepted && input) {
        rate = ReadDriftRate(rateText);
        accepted = rate.Succeeded();
    }
    if (accepted) {
        m_names.push_back(name);
        auto& entries = m_ctx.doc.m_DriftCorrections;
        // The new entry must land at the index of its name.
        while (entries.size() > m_names.size() - 1)
            entries.pop_back();
        auto entry = std::make_unique<CDriftCorrection>();
        if (input) {
            entry->m_dtStart = DateTime(start.value());
            entry->m_dCoeff = rate.Value();
        } else {
            entry->m_dtStart = m_ctx.drift.m_dtStart;
            entry->m_dCoeff = m_ctx.drift.m_dCoeff;
        }
        m_ctx.doc.m_pCurDrift = entry.get();
        entries.push_back(std::move(entry));
        MarkSelected(name + "*");
        SelectionChange(static_cast<int>(m_names.size()) - 1);
        if (input)
            Update();
    }
    m_ctx.list.SortByColumn(m_rememberedSortColumn);
    return rate;
}

void DriftDialogModel::Delete()
{
    if (m_selection <= 0 || static_cast<std::size_t>(m_selection) >= m_names.size())
        return;
    const auto k = static_cast<std::size_t>(m_selection);
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(k));
    auto& entries = m_ctx.doc.m_DriftCorrections;
    if (k < entries.size()) {
        if (m_ctx.doc.m_pCurDrift == entries[k].get())
            m_ctx.doc.m_pCurDrift = nullptr;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(k));
    }
    SelectionChange(0);
    Update();
}

void DriftDialogModel::Ok()
{
    if (m_selection < 0 || static_cast<std::size_t>(m_selection) >= m_names.size())
        return;
    ApplyDriftEntry(m_ctx.doc, m_ctx.list, m_ctx.drift, m_ctx.settings, static_cast<std::size_t>(m_selection), m_line,
                    m_names[static_cast<std::size_t>(m_selection)], m_mode, m_ctx.recalc);
}

void DriftDialogModel::Cancel(DriftNames& names)
{
    for (const DriftNames::Saved& saved : names.m_Saved) {
        const int index = saved.stationIndex;
        if (index < 1 || static_cast<std::size_t>(index) > m_ctx.doc.m_Readings.size())
            continue;
        CReading& reading = *m_ctx.doc.m_Readings[static_cast<std::size_t>(index - 1)];
        reading.m_dDriftCorr = saved.driftCorr;
        reading.m_strDriftName = saved.driftName;
    }
    m_ctx.drift.m_bReapplying = true;
    if (m_ctx.recalcByRow)
        m_ctx.recalcByRow();
    m_ctx.drift.m_bReapplying = false;
    names.m_Saved.clear();
    // Entries added or deleted while the dialog was open stay in the
    // document, so the names follow them; a regression appended by this
    // command beyond the named entries has no name and goes, so that both
    // lists keep the same length.
    names.m_DriftNames = m_names;
    auto& entries = m_ctx.doc.m_DriftCorrections;
    while (entries.size() > m_names.size()) {
        if (m_ctx.doc.m_pCurDrift == entries.back().get())
            m_ctx.doc.m_pCurDrift = nullptr;
        entries.pop_back();
    }
    names.m_nDriftSel = std::clamp(names.m_nDriftSel, 0, std::max(0, static_cast<int>(m_names.size()) - 1));
}

void FinishDriftCommand(const DriftDialogModel& dialog, DriftNames& names)
{
    names.m_DriftNames = dialog.Names();
    names.m_bAddNextDrift = false;
    if (dialog.Mode() == DriftMode::calculate)
        names.m_nDriftSel = dialog.Selection();
}

}  // namespace bramble
