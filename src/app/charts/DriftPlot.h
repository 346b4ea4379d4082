#pragma once

#include <QWidget>

namespace bramble {

class CDlgDriftCorrect;
class CKelpDoc;
class CStationList;
class ChartWidget;

// The chart of the drift dialog, "Drift Correction Plot": for the rows
// selected in the station list, the working gravity ("Gravity") and the
// gravity less the drift correction ("Corrected Gravity") against time;
// other rows are gaps. The y axis scales itself. It reports no clicks.
//
// Its settings come from the document's m_strGraphFile2 once, at
// construction, and go back there by StoreSettings() (the dialog's OK) and
// at destruction.
class DriftPlot final : public QWidget {
    Q_OBJECT
public:
    // `doc` and `list` must outlive the plot. Configures and fills it.
    DriftPlot(const CKelpDoc& doc, const CStationList& list, QWidget* parent = nullptr);
    ~DriftPlot() override;

    // Puts a plot into the dialog's plot host and hands the dialog its
    // refill and store hooks. The dialog owns the plot through the host.
    static DriftPlot* Attach(CDlgDriftCorrect& dialog, const CKelpDoc& doc, const CStationList& list);

    // Reads the rows and their readings again and redraws.
    void Fill();
    bool StoreSettings() const;
    QString SettingsFile() const;

    ChartWidget* chart() const { return m_pChart; }

private:
    void Configure();

    const CKelpDoc& m_doc;
    const CStationList& m_list;
    ChartWidget* m_pChart = nullptr;  // child
};

}  // namespace bramble
