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

QString MeterName(MeterKind meter) { return meter == MeterKind::aliod ? "Aliod" : "CG-3"; }

QString CorrectionsText(const CorrectionSettings& c)
{
    const QString tide = c.m_nTideMode == kTideLongman  ? "meter's own (Longman)"
                         : c.m_nTideMode == kTideBerger ? "Berger"
                                                        : "none";
    return QString("tide %1, pressure %2, polar motion %3")
        .arg(tide, c.m_bApplyPressure ? "on" : "off", c.m_bApplyPolar ? "on" : "off");
}

}  // namespace

AdjustInput SessionAdjustInput(const std::vector<const ReductionSession*>& sessions)
{
    AdjustInput input;
    QStringList parts;
    for (const ReductionSession* session : sessions) {
        std::vector<AdjustReading> readings = AdjustReadingsFromSession(*session);
        if (readings.empty())
            continue;
        const std::string& path = session->Document().m_strFilePath;
        parts << QString("%1 (%2, %3 readings; %4)")
                     .arg(QFileInfo(QString::fromStdString(path)).fileName(), MeterName(session->Meter()))
                     .arg(readings.size())
                     .arg(CorrectionsText(session->Corrections()));
        input.surveys.push_back({path, std::move(readings)});
    }
    if (input.surveys.empty()) {
        input.description = "No survey is open.";
        return input;
    }
    input.description = QString("%1 %2. The drift is modelled by the adjustment.")
                            .arg(parts.size() == 1 ? "Survey" : "Surveys", parts.join(", "));
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
