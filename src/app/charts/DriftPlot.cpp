#include "charts/DriftPlot.h"

#include <QLayout>
#include <QVBoxLayout>

#include "charts/ChartWidget.h"
#include "charts/DriftPlotSeries.h"
#include "charts/StationPlotSeries.h"
#include "drift/CDlgDriftCorrect.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"
#include "survey/FileChoosers.h"

namespace bramble {

DriftPlot::DriftPlot(const CKelpDoc& doc, const CStationList& list, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_list(list)
{
    setObjectName("driftPlot");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pChart = new ChartWidget(this);
    layout->addWidget(m_pChart);
    Configure();
    m_pChart->LoadSettings(SettingsFile());
    Fill();
}

DriftPlot::~DriftPlot() { StoreSettings(); }

DriftPlot* DriftPlot::Attach(CDlgDriftCorrect& dialog, const CKelpDoc& doc, const CStationList& list)
{
    QWidget* host = dialog.plotHost();
    auto* plot = new DriftPlot(doc, list, host);
    if (!host->layout())
        host->setLayout(new QVBoxLayout);
    host->layout()->addWidget(plot);
    dialog.setPlotRefill([plot] { plot->Fill(); });
    dialog.setStorePlotSettings([plot] { plot->StoreSettings(); });
    return plot;
}

void DriftPlot::Configure()
{
    m_pChart->SetSeriesCount(kDriftSeriesCount);
    m_pChart->SetMissingValue(kPlotMissingValue);
    m_pChart->SetTitle("Drift Correction Plot");
    m_pChart->SetSubtitle("");
    m_pChart->SetXLabel("time");
    m_pChart->SetYLabel("Gravity (mGals)");
    m_pChart->SetSeriesName(kDriftSeriesGravity, "Gravity");
    m_pChart->SetSeriesName(kDriftSeriesCorrected, "Corrected Gravity");
    m_pChart->SetSeriesColor(kDriftSeriesGravity, QColor(255, 0, 0));
    m_pChart->SetSeriesColor(kDriftSeriesCorrected, QColor(0, 255, 0));
    m_pChart->SetVisibleSeries({kDriftSeriesGravity, kDriftSeriesCorrected});
    m_pChart->ClearYRange();
}

void DriftPlot::Fill()
{
    DriftPlotData data = BuildDriftPlot(m_doc, m_list);
    m_pChart->SetSubtitle("");
    m_pChart->SetPointCount(data.m_nPoints);
    for (int s = 0; s < kDriftSeriesCount; ++s)
        m_pChart->SetSeriesData(s, data.m_X, std::move(data.m_Y[static_cast<std::size_t>(s)]));
    m_pChart->SetXRange(data.m_dEarliest, data.m_dLatest);
    m_pChart->SetExportBaseName(SuggestedExportPath(m_doc, "drift", ""));
    m_pChart->Repaint();
}

QString DriftPlot::SettingsFile() const { return ChartSettingsFile(m_doc.m_strGraphFile2, "graph2.pg"); }

bool DriftPlot::StoreSettings() const { return m_pChart->SaveSettings(SettingsFile()); }

}  // namespace bramble
