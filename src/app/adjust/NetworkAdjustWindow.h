#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>

#include "adjust/AdjustOptions.h"
#include "adjust/AdjustReading.h"
#include "adjust/AdjustResult.h"
#include "adjust/SetupBuilder.h"
#include "adjust/Setup.h"
#include "adjust/SetupSources.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTabWidget;
class QTableView;
class QThread;

namespace bramble {

class DatumEditor;
class DriftChart;
class LoopChooser;
class ObservationResultModel;
class ResidualHistogram;
class StationMap;
class StationResultModel;

// What the window adjusts: the readings of the project's surveys, taken
// anew at every Run (so that the corrections chosen since count), and a line
// saying which surveys they are.
struct AdjustInput {
    std::vector<SurveyReadings> surveys;
    QString description;
};

// "Adjust Network": the options of the adjustment and its datums on the
// left, Run, and the results in tabs: the adjusted stations, the
// observations with their residuals and tests (flagged rows highlighted;
// a click shows the station's readings in the main list), the statistics,
// the drift per loop, the histogram of standardized residuals and the map.
// The report, the station CSV and the JSON go through the core's writers
// (the bytes of bramble-cli adjust) and the safe file writing.
//
// The adjustment runs on a worker thread on copies of its inputs; the
// window stays responsive and shows that it is busy. It is not modal.
class NetworkAdjustWindow final : public QMainWindow {
    Q_OBJECT
public:
    using InputSource = std::function<AdjustInput()>;
    // Called with the station(s) of an observation the operator clicked.
    using StationShower = std::function<void(const std::vector<std::string>& stations)>;

    NetworkAdjustWindow(InputSource source, StationShower showStations, QWidget* parent = nullptr);
    ~NetworkAdjustWindow() override;

    // The options as the controls set them.
    AdjustOptions Options() const;
    SigmaOptions Sigma() const;
    DatumEditor* datums() const { return m_pDatums; }
    LoopChooser* loops() const { return m_pLoops; }
    // Takes the surveys anew and shows them with their loops.
    void RefreshInput();

    // Reads the survey(s) and the options and starts the adjustment; false
    // (after saying why) when there is nothing to adjust or a datum is wrong.
    bool Run();
    bool IsRunning() const { return m_pThread != nullptr; }
    // Stops a run between two solutions; the results before it stay.
    void Stop();

    // The last adjustment's result, or none (none yet, or it failed).
    const std::optional<AdjustmentResult>& Result() const { return m_Result; }
    const std::vector<std::string>& Warnings() const { return m_Warnings; }
    const std::vector<Setup>& Setups() const { return m_Setups; }
    // Why the last adjustment failed; empty after a success.
    const QString& LastError() const { return m_strError; }

    // The exports, as bramble-cli adjust writes them.
    std::string ReportBytes() const;
    std::string CsvBytes() const;
    std::string JsonBytes() const;
    // Writes one of them to `path` safely; false after saying why.
    bool Export(const QString& path, const std::string& bytes);

    QTabWidget* tabs() const { return m_pTabs; }
    QTableView* stationTable() const { return m_pStationView; }
    QTableView* observationTable() const { return m_pObservationView; }
    QSortFilterProxyModel* observationProxy() const { return m_pObservationProxy; }
    QPushButton* runButton() const { return m_pRun; }
    QLabel* verdictLabel() const { return m_pVerdict; }
    DriftChart* driftChart() const { return m_pDrift; }
    ResidualHistogram* histogram() const { return m_pHistogram; }
    StationMap* stationMap() const { return m_pMap; }

signals:
    // A run ended, with or without a result.
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Job;
    QWidget* BuildOptions();
    QWidget* BuildStatistics();
    void BuildMenus();
    void OnFinished(std::shared_ptr<Job> job);
    void ShowResult();
    void OnObservationActivated(const QModelIndex& index);
    void ExportWithDialog(const QString& what, const QString& extension, const std::string& bytes);
    void ExportChart(bool pdf);
    void LoadSettings();
    void SaveSettings() const;

    InputSource m_Source;
    StationShower m_ShowStations;
    std::optional<AdjustmentResult> m_Result;
    std::vector<std::string> m_Warnings;
    std::vector<Setup> m_Setups;
    QString m_strError;
    QString m_strExportBase;
    QThread* m_pThread = nullptr;  // the running adjustment; deletes itself
    std::shared_ptr<Job> m_pJob;   // the running adjustment's job, shared with its thread

    QComboBox* m_pModel = nullptr;
    QSpinBox* m_pDegree = nullptr;
    QCheckBox* m_pCalibration = nullptr;
    QDoubleSpinBox* m_pSdFactor = nullptr;
    QDoubleSpinBox* m_pSdAdd = nullptr;
    QDoubleSpinBox* m_pSdMin = nullptr;
    QDoubleSpinBox* m_pAlpha = nullptr;
    QCheckBox* m_pAPriori = nullptr;
    QCheckBox* m_pRemoveOutliers = nullptr;
    DatumEditor* m_pDatums = nullptr;
    LoopChooser* m_pLoops = nullptr;
    QPushButton* m_pRun = nullptr;
    QPushButton* m_pStop = nullptr;
    QProgressBar* m_pBusy = nullptr;
    QLabel* m_pInputLabel = nullptr;
    QTabWidget* m_pTabs = nullptr;
    StationResultModel* m_pStationModel = nullptr;
    ObservationResultModel* m_pObservationModel = nullptr;
    QSortFilterProxyModel* m_pObservationProxy = nullptr;
    QTableView* m_pStationView = nullptr;
    QTableView* m_pObservationView = nullptr;
    QLabel* m_pVerdict = nullptr;
    QLabel* m_pStatistics = nullptr;
    QPlainTextEdit* m_pMessages = nullptr;
    DriftChart* m_pDrift = nullptr;
    ResidualHistogram* m_pHistogram = nullptr;
    StationMap* m_pMap = nullptr;
    QList<QAction*> m_ExportActions;
};

}  // namespace bramble
