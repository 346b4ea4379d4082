#include "adjust/SessionAdjustInput.h"

#include <algorithm>

#include <QFileInfo>
#include <QStringList>

#include "adjust/SessionReadings.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/StationTableView.h"
#include "session/ReductionSession.h"

namespace bramble {

namespace {

QString MeterName(MeterKind meter)
{
    switch (meter) {
    case MeterKind::aliod:
        return "Aliod";
    case MeterKind::cg5:
        return "CG-5";
    case MeterKind::cg6:
        return "CG-6";
    case MeterKind::burris:
        return "Burris";
    case MeterKind::cg3:
        break;
    }
    return "CG-3";
}

QString CorrectionsText(const CorrectionSettings& c, MeterKind meter)
{
    // Aliod data has no tide of its own to keep.
    const QString tide = c.m_nTideMode == kTideBerger                              ? "Berger"
                         : c.m_nTideMode == kTideLongman && meter != MeterKind::aliod ? "meter's own (Longman)"
                                                                                     : "none";
    return QString("tide %1, pressure %2, polar motion %3")
        .arg(tide, c.m_bApplyPressure ? "on" : "off", c.m_bApplyPolar ? "on" : "off");
}

}  // namespace

AdjustInput SessionAdjustInput(const std::vector<const ReductionSession*>& sessions)
{
    AdjustInput input;
    QStringList lines;
    for (const ReductionSession* session : sessions) {
        std::vector<AdjustReading> readings = AdjustReadingsFromSession(*session);
        if (readings.empty())
            continue;
        const std::string& path = session->Document().m_strFilePath;
        lines << QString("%1 (%2, %3 readings). Corrections: %4")
                     .arg(QFileInfo(QString::fromStdString(path)).fileName(), MeterName(session->Meter()))
                     .arg(readings.size())
                     .arg(CorrectionsText(session->Corrections(), session->Meter()));
        input.surveys.push_back({path, std::move(readings)});
    }
    if (input.surveys.empty()) {
        input.description = "No survey is open.";
        return input;
    }
    // One survey in one sentence; several a line each.
    input.description = lines.size() == 1
                            ? QString("Survey %1; the drift is modelled by the adjustment.").arg(lines.front())
                            : QString("%1 surveys, the drift modelled by the adjustment:\n%2")
                                  .arg(lines.size())
                                  .arg(lines.join("\n"));
    return input;
}

void ShowStationsInList(CKelpView& view, const std::vector<std::string>& stations)
{
    view.OnSelectNone();
    const CStationList& list = view.StationList();
    int first = -1;
    for (int row = 0; row < list.RowCount(); ++row) {
        if (std::find(stations.begin(), stations.end(), list.Reading(row).m_strStation) == stations.end())
            continue;
        view.SelectRow(row);
        if (first < 0)
            first = row;
    }
    if (first >= 0)
        view.table()->scrollTo(view.table()->model()->index(first, 0));
}

}  // namespace bramble
