#pragma once

#include <array>

#include <QDialog>
#include <QString>

#include "charts/StationPlotSeries.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace bramble {

class CKelpDoc;
class CStationList;
class ChartWidget;
struct SelectionSummary;

// "Station Information": up to ten quantities of every reading against
// the reading's time, in which only the rows selected in the station list
// carry values; the "Mean Calculations" panel of the selection; a check
// box and a scale selector per quantity; "Subtract Mean Gravity Value".
// Modeless and resizable; the view owns one and keeps it (Plot command).
//
// Every exchange between the fields and the controls rebuilds the chart.
// A check box or scale change also recomputes the value range (the y axis)
// from the ticked series; that range stays until the next such change.
// A click on a point shows the reading's stored value in a
// "Drop Select Message" box.
//
// The chart settings come from the document's m_strGraphFile when the
// window opens and go back there when it closes and when it is destroyed.
class CDisplayDlg final : public QDialog {
    Q_OBJECT
public:
    // `doc` and `list` must outlive the window.
    CDisplayDlg(CKelpDoc& doc, const CStationList& list, QWidget* parent = nullptr);
    ~CDisplayDlg() override;

    // What the view hands over before every showing.
    void SetSummary(const SelectionSummary& summary);  // the panel's texts and the mean gravity
    void SetMeanGravity(double mean) { m_dMeanGravity = mean; }
    void SetSubtractMean(bool subtract) { m_bSubtractMean = subtract; }

    // Field exchange: controls -> fields (take) or fields -> controls
    // (show); each is followed by a build.
    void UpdateData(bool take);
    // Builds the chart from the station list and the fields.
    void Build();

    ChartWidget* chart() const { return m_pChart; }
    QString SettingsFile() const;

    // The fields (named as the view and the tests know them).
    std::array<bool, kStationSeriesCount> m_bSeries{};
    std::array<double, kStationSeriesCount> m_dScale{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    bool m_bSubtractMean = true;
    double m_dMeanGravity = 0.0;
    double m_dMissing = kPlotMissingValue;
    double m_dEarliest = 9999999.0;
    double m_dLatest = -9999999.0;
    double m_dLowest = 9999999.0;
    double m_dHighest = -9999999.0;
    bool m_bRangeRequest = false;
    std::array<QString, 12> m_strMean;  // in the order of the "Mean Calculations" rows

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void Configure();
    void TakeFields();
    void ShowFields();
    void OnSeriesOrScaleChanged();
    void OnSubtractMean();
    void OnPointClicked(int series, int point);

    CKelpDoc& m_doc;
    const CStationList& m_list;
    ChartWidget* m_pChart = nullptr;  // child, edit 1060's place
    std::array<QCheckBox*, kStationSeriesCount> m_pCheck{};
    std::array<QComboBox*, kStationSeriesCount> m_pScale{};  // none for gravity
    std::array<QLineEdit*, 12> m_pMean{};
    QLabel* m_pTiltXLabel = nullptr;       // static 1180
    QLabel* m_pTiltYLabel = nullptr;       // static 1181
    QLabel* m_pOceanLoadLabel = nullptr;   // shown while the list shows the ocean loading
    QCheckBox* m_pSubtractMean = nullptr;  // 1108
    bool m_bExchanging = false;            // the controls are being set from the fields
};

}  // namespace bramble
