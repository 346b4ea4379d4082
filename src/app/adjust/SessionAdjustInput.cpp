#include "adjust/SessionAdjustInput.h"

#include <algorithm>

#include <QFileInfo>

#include "adjust/SessionReadings.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/StationTableView.h"
#include "session/ReductionSession.h"

namespace bramble {

AdjustInput SessionAdjustInput(const ReductionSession& session)
{
    AdjustInput input;
    input.readings = AdjustReadingsFromSession(session);
    if (input.readings.empty()) {
        input.description = "No survey is open.";
        return input;
    }
    const CorrectionSettings& c = session.Corrections();
    const QString tide = c.m_nTideMode == kTideLongman  ? "meter's own (Longman)"
                         : c.m_nTideMode == kTideBerger ? "Berger"
                                                        : "none";
    input.description =
        QString("Survey %1 (%2, %3 readings). Corrections: tide %4, pressure %5, polar motion %6; the drift is "
                "modelled by the adjustment.")
            .arg(QFileInfo(QString::fromStdString(session.Document().m_strFilePath)).fileName(),
                 session.Meter() == MeterKind::aliod ? "Aliod" : "CG-3")
            .arg(input.readings.size())
            .arg(tide, c.m_bApplyPressure ? "on" : "off", c.m_bApplyPolar ? "on" : "off");
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
