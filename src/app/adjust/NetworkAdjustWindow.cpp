#include "adjust/NetworkAdjustWindow.h"

#include <atomic>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include "adjust/AdjustCharts.h"
#include "adjust/AdjustOutput.h"
#include "adjust/AdjustResultModels.h"
#include "adjust/Adjustment.h"
#include "adjust/DatumEditor.h"
#include "adjust/LoopChooser.h"
#include "output/FileSaving.h"
#include "output/StringPrintf.h"
#include "survey/FileChoosers.h"

namespace bramble {
namespace {

const char* const kCaption = "Adjust Network";
const char* const kSettingsGroup = "NetworkAdjustment";

QString Number(const char* format, double value) { return QString::fromStdString(StringPrintf(format, value)); }

QDoubleSpinBox* NumberBox(QWidget* parent, const char* name, double low, double high, int decimals, double step,
                          const QString& suffix = {})
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setSuffix(suffix);
    return box;
}

QTableView* ResultTable(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setVisible(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // the adjustment's order until a header is clicked
    return view;
}

QSortFilterProxyModel* NumericProxy(QObject* parent, QAbstractItemModel* source)
{
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(source);
    proxy->setSortRole(Qt::UserRole);
    return proxy;
}

}  // namespace

// One adjustment on the worker thread: inputs copied in, results out.
struct NetworkAdjustWindow::Job {
    std::vector<SurveyReadings> surveys;
    std::set<LoopKey> excluded;
    std::vector<Datum> datums;
    AdjustOptions options;
    SigmaOptions sigma;
    std::vector<Setup> setups;
    std::vector<std::string> setupWarnings;
    AdjustOutcome outcome;
    std::atomic<bool> stop{false};

    // `report` is called on this thread before each pass.
    void Work(const std::function<void(int pass, int removed)>& report)
    {
        setups = CombineSources(SourcesFromSurveys(surveys, sigma, excluded, setupWarnings));
        outcome = Adjust(setups, datums, options, [this, &report](int pass, int removed) {
            report(pass, removed);
            return !stop.load();
        });
    }
};

NetworkAdjustWindow::NetworkAdjustWindow(InputSource source, StationShower showStations, QWidget* parent)
    : QMainWindow(parent), m_Source(std::move(source)), m_ShowStations(std::move(showStations))
{
    setObjectName("networkAdjustWindow");
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildOptions());

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    m_pInputLabel = new QLabel(right);
    m_pInputLabel->setObjectName("inputLabel");
    m_pInputLabel->setWordWrap(true);
    rightLayout->addWidget(m_pInputLabel);
    m_pTabs = new QTabWidget(right);
    m_pTabs->setObjectName("resultTabs");
    rightLayout->addWidget(m_pTabs, 1);

    m_pStationModel = new StationResultModel(this);
    m_pStationView = ResultTable(m_pTabs, "stationTable", NumericProxy(this, m_pStationModel));
    m_pTabs->addTab(m_pStationView, "Stations");

    m_pObservationModel = new ObservationResultModel(this);
    m_pObservationProxy = NumericProxy(this, m_pObservationModel);
    m_pObservationView = ResultTable(m_pTabs, "observationTable", m_pObservationProxy);
    m_pObservationView->setToolTip("Click an observation (or press Enter on it) to select its station's readings in "
                                   "the main window's list. Highlighted rows fail the tau test.");
    connect(m_pObservationView, &QTableView::clicked, this, &NetworkAdjustWindow::OnObservationActivated);
    connect(m_pObservationView, &QTableView::activated, this, &NetworkAdjustWindow::OnObservationActivated);
    m_pTabs->addTab(m_pObservationView, "Observations");

    m_pTabs->addTab(BuildStatistics(), "Statistics");
    m_pDrift = new DriftChart(m_pTabs);
    m_pDrift->setObjectName("driftChart");
    m_pTabs->addTab(m_pDrift, "Drift");
    m_pHistogram = new ResidualHistogram(m_pTabs);
    m_pHistogram->setObjectName("histogram");
    m_pTabs->addTab(m_pHistogram, "Histogram");
    m_pMap = new StationMap(m_pTabs);
    m_pMap->setObjectName("stationMap");
    m_pTabs->addTab(m_pMap, "Map");

    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    m_pBusy = new QProgressBar(statusBar());
    m_pBusy->setObjectName("busyIndicator");
    m_pBusy->setRange(0, 0);  // no steps to count: it shows that the adjustment runs
    m_pBusy->setMaximumWidth(160);
    m_pBusy->hide();
    statusBar()->addPermanentWidget(m_pBusy);

    BuildMenus();
    LoadSettings();
    ShowResult();
    resize(1150, 720);
}

NetworkAdjustWindow::~NetworkAdjustWindow()
{
    // The worker touches only its job, which it shares; wait so that no
    // thread outlives the program's windows.
    if (m_pThread) {
        m_pJob->stop = true;
        m_pThread->disconnect(this);
        m_pThread->wait();
    }
}

QWidget* NetworkAdjustWindow::BuildOptions()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("optionsPanel");
    auto* layout = new QVBoxLayout(panel);

    auto* model = new QGroupBox("Model", panel);
    auto* form = new QFormLayout(model);
    m_pModel = new QComboBox(model);
    m_pModel->setObjectName("modelChoice");
    m_pModel->addItem("Readings (an offset per loop)", static_cast<int>(ObservationModel::readings));
    m_pModel->addItem("Differences of successive setups", static_cast<int>(ObservationModel::differences));
    form->addRow("Obser&vations:", m_pModel);
    m_pDegree = new QSpinBox(model);
    m_pDegree->setObjectName("driftDegree");
    m_pDegree->setRange(0, 3);
    m_pDegree->setToolTip("Degree of the drift polynomial of each loop (0 none, 1 linear ...)");
    form->addRow("&Drift degree:", m_pDegree);
    m_pCalibration = new QCheckBox("Estimate a &calibration factor per meter", model);
    m_pCalibration->setObjectName("calibration");
    m_pCalibration->setToolTip("Needs datums at two stations or more, well apart in gravity");
    form->addRow(m_pCalibration);
    layout->addWidget(model);

    auto* sigma = new QGroupBox(QString::fromUtf8("Reading \u03c3 = max(minimum, \u221a((f\u00b7SD/\u221adur)\u00b2 + a\u00b2))"),
                                panel);
    auto* sigmaForm = new QFormLayout(sigma);
    m_pSdFactor = NumberBox(sigma, "sdFactor", 0.0, 1000.0, 3, 0.1);
    sigmaForm->addRow("SD fac&tor f:", m_pSdFactor);
    m_pSdAdd = NumberBox(sigma, "sdAdd", 0.0, 10.0, 4, 0.001, " mGal");
    sigmaForm->addRow("Added t&erm a:", m_pSdAdd);
    m_pSdMin = NumberBox(sigma, "sdMin", 0.0001, 10.0, 4, 0.001, " mGal");
    sigmaForm->addRow("Mi&nimum:", m_pSdMin);
    layout->addWidget(sigma);

    auto* tests = new QGroupBox("Tests", panel);
    auto* testForm = new QFormLayout(tests);
    m_pAlpha = NumberBox(tests, "alpha", 0.001, 0.5, 3, 0.01);
    testForm->addRow(QString::fromUtf8("Si&gnificance \u03b1:"), m_pAlpha);
    m_pAPriori = new QCheckBox("A-&priori station SDs (not scaled by s0)", tests);
    m_pAPriori->setObjectName("aPriori");
    testForm->addRow(m_pAPriori);
    m_pRemoveOutliers = new QCheckBox("Remove o&utliers one by one and adjust again", tests);
    m_pRemoveOutliers->setObjectName("removeOutliers");
    testForm->addRow(m_pRemoveOutliers);
    layout->addWidget(tests);

    auto* input = new QGroupBox("Surveys and loops", panel);
    auto* inputLayout = new QVBoxLayout(input);
    m_pLoops = new LoopChooser(input);
    inputLayout->addWidget(m_pLoops);
    layout->addWidget(input, 1);

    auto* datums = new QGroupBox("Datums", panel);
    auto* datumLayout = new QVBoxLayout(datums);
    m_pDatums = new DatumEditor(datums);
    datumLayout->addWidget(m_pDatums);
    layout->addWidget(datums, 1);

    m_pRun = new QPushButton("&Run", panel);
    m_pRun->setObjectName("runButton");
    m_pRun->setDefault(true);
    m_pRun->setToolTip("Adjust the network of the open survey (F5)");
    connect(m_pRun, &QPushButton::clicked, this, &NetworkAdjustWindow::Run);
    m_pStop = new QPushButton("Stop (Esc)", panel);
    m_pStop->setObjectName("stopButton");
    m_pStop->setEnabled(false);
    m_pStop->setToolTip("Stop the adjustment after the solution it is computing");
    connect(m_pStop, &QPushButton::clicked, this, &NetworkAdjustWindow::Stop);
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(m_pRun, 1);
    runRow->addWidget(m_pStop);
    layout->addLayout(runRow);
    return panel;
}

QWidget* NetworkAdjustWindow::BuildStatistics()
{
    auto* page = new QWidget(m_pTabs);
    auto* layout = new QVBoxLayout(page);
    m_pVerdict = new QLabel(page);
    m_pVerdict->setObjectName("verdictLabel");
    m_pVerdict->setWordWrap(true);
    m_pVerdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = m_pVerdict->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_pVerdict->setFont(big);
    layout->addWidget(m_pVerdict);
    m_pStatistics = new QLabel(page);
    m_pStatistics->setObjectName("statisticsLabel");
    m_pStatistics->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_pStatistics);
    m_pMessages = new QPlainTextEdit(page);
    m_pMessages->setObjectName("reportText");
    m_pMessages->setReadOnly(true);
    m_pMessages->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pMessages->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_pMessages, 1);
    return page;
}

void NetworkAdjustWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    const auto exportAction = [&](const QString& text, const char* name, auto bytes, const QString& what,
                                  const QString& extension) {
        QAction* action = file->addAction(text, this, [this, bytes, what, extension] {
            ExportWithDialog(what, extension, (this->*bytes)());
        });
        action->setObjectName(name);
        m_ExportActions.append(action);
    };
    exportAction("Export &Report...", "actionExportReport", &NetworkAdjustWindow::ReportBytes, "adjustment", ".txt");
    exportAction("Export Station &CSV...", "actionExportCsv", &NetworkAdjustWindow::CsvBytes, "stations", ".csv");
    exportAction("Export &JSON...", "actionExportJson", &NetworkAdjustWindow::JsonBytes, "adjustment", ".json");
    file->addSeparator();
    QAction* png = file->addAction("Export Chart as &PNG...", this, [this] { ExportChart(false); });
    png->setObjectName("actionExportPng");
    QAction* pdf = file->addAction("Export Chart as P&DF...", this, [this] { ExportChart(true); });
    pdf->setObjectName("actionExportPdf");
    m_ExportActions << png << pdf;
    // The same two on a right click into a chart (the one shown).
    for (QWidget* chart : {static_cast<QWidget*>(m_pDrift), static_cast<QWidget*>(m_pHistogram),
                           static_cast<QWidget*>(m_pMap)}) {
        chart->setContextMenuPolicy(Qt::ActionsContextMenu);
        chart->addAction(png);
        chart->addAction(pdf);
    }
    file->addSeparator();
    QAction* close = file->addAction("&Close", this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);

    QMenu* adjust = menuBar()->addMenu("&Adjustment");
    QAction* run = adjust->addAction("&Run", this, &NetworkAdjustWindow::Run);
    run->setObjectName("actionRun");
    run->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    QAction* stop = adjust->addAction("&Stop", this, &NetworkAdjustWindow::Stop);
    stop->setObjectName("actionStop");
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
}

AdjustOptions NetworkAdjustWindow::Options() const
{
    AdjustOptions o;
    o.model = static_cast<ObservationModel>(m_pModel->currentData().toInt());
    o.driftDegree = m_pDegree->value();
    o.calibration = m_pCalibration->isChecked();
    o.alpha = m_pAlpha->value();
    o.aPriori = m_pAPriori->isChecked();
    o.removeOutliers = m_pRemoveOutliers->isChecked();
    return o;
}

SigmaOptions NetworkAdjustWindow::Sigma() const
{
    SigmaOptions s;
    s.factor = m_pSdFactor->value();
    s.add = m_pSdAdd->value();
    s.minimum = m_pSdMin->value();
    return s;
}

bool NetworkAdjustWindow::Run()
{
    if (m_pThread)
        return false;
    const bramble::Result<std::vector<Datum>> datums = m_pDatums->Datums();
    if (datums.Failed()) {
        QMessageBox::warning(this, kCaption, QString::fromStdString(datums.ErrorText()));
        return false;
    }
    AdjustInput input = m_Source ? m_Source() : AdjustInput{};
    m_pInputLabel->setText(input.description);
    m_pLoops->SetSurveys(input.surveys);
    if (input.surveys.empty()) {
        QMessageBox::information(this, kCaption,
                                 "There are no readings to adjust. Import a survey first (File > Import... in the "
                                 "main window).");
        return false;
    }
    const int readings = m_pLoops->IncludedReadings();
    if (readings == 0) {
        QMessageBox::information(this, kCaption,
                                 "Every loop is left out: check the loops to adjust under Surveys and loops.");
        return false;
    }
    SaveSettings();
    auto job = std::make_shared<Job>();
    job->surveys = std::move(input.surveys);
    job->excluded = m_pLoops->Excluded();
    job->datums = datums.Value();
    job->options = Options();
    job->sigma = Sigma();

    m_pJob = job;
    const QPointer<NetworkAdjustWindow> window(this);
    const auto report = [window, readings](int pass, int removed) {
        // Shown by the window's thread, if the window is still there.
        if (!window)
            return;
        QMetaObject::invokeMethod(
            window.data(),
            [window, readings, pass, removed] {
                if (window)
                    window->statusBar()->showMessage(
                        QString("Adjusting %1 readings: solution %2, %3 removed as outliers...")
                            .arg(readings)
                            .arg(pass)
                            .arg(removed));
            },
            Qt::QueuedConnection);
    };
    m_pThread = QThread::create([job, report] { job->Work(report); });
    connect(m_pThread, &QThread::finished, this, [this, job] { OnFinished(job); });
    connect(m_pThread, &QThread::finished, m_pThread, &QObject::deleteLater);
    m_pRun->setEnabled(false);
    m_pStop->setEnabled(true);
    m_pBusy->show();
    statusBar()->showMessage(QString("Adjusting %1 readings...").arg(readings));
    m_pThread->start();
    return true;
}

void NetworkAdjustWindow::RefreshInput()
{
    if (m_pThread)
        return;
    const AdjustInput input = m_Source ? m_Source() : AdjustInput{};
    m_pInputLabel->setText(input.description);
    m_pLoops->SetSurveys(input.surveys);
}

void NetworkAdjustWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        RefreshInput();
}

void NetworkAdjustWindow::Stop()
{
    if (m_pJob) {
        m_pJob->stop = true;
        statusBar()->showMessage("Stopping after the current solution...");
    }
}

void NetworkAdjustWindow::OnFinished(std::shared_ptr<Job> job)
{
    m_pThread = nullptr;
    m_pJob.reset();
    m_pRun->setEnabled(true);
    m_pStop->setEnabled(false);
    m_pBusy->hide();
    statusBar()->clearMessage();
    if (!job->outcome.HasValue() && job->outcome.ErrorText() == kAdjustmentCancelled) {
        // The results of the run before stay as they were.
        statusBar()->showMessage("The adjustment was stopped.");
        emit finished();
        return;
    }
    m_Setups = std::move(job->setups);
    // The report lists the warnings as bramble-cli's does.
    m_Warnings = job->outcome.Texts(Severity::warning);
    m_Result = job->outcome.Optional();
    m_strError = m_Result ? QString() : QString::fromStdString(job->outcome.ErrorText());

    QString messages;
    for (const std::string& w : job->setupWarnings)
        messages += "- " + QString::fromStdString(w) + "\n";
    ShowResult();
    if (m_Result) {
        QString text = QString::fromStdString(AdjustmentReport(*m_Result, m_Warnings));
        if (!messages.isEmpty())
            text += "\nReadings left out\n" + messages;
        m_pMessages->setPlainText(text);
        const QString verdict = !m_Result->chi2Test     ? "no global test"
                                : m_Result->chi2Test->passed ? "global test passed"
                                                             : "global test FAILED";
        statusBar()->showMessage(QString("Adjusted: %1 stations, %2 degrees of freedom, %3")
                                     .arg(m_Result->stations.size())
                                     .arg(m_Result->dof)
                                     .arg(verdict));
    } else {
        for (const std::string& w : m_Warnings)
            messages += "- " + QString::fromStdString(w) + "\n";
        m_pMessages->setPlainText(messages.isEmpty() ? QString() : "Warnings\n" + messages);
        m_pTabs->setCurrentIndex(2);
        QMessageBox box(QMessageBox::Warning, kCaption, "The network cannot be adjusted: " + m_strError + ".",
                        QMessageBox::Ok, this);
        box.setObjectName("unsolvableBox");
        if (!messages.isEmpty())
            box.setDetailedText(messages);
        box.exec();
    }
    emit finished();
}

void NetworkAdjustWindow::ShowResult()
{
    const AdjustmentResult* r = m_Result ? &*m_Result : nullptr;
    m_pStationModel->SetResult(r);
    m_pObservationModel->SetResult(r);
    m_pStationView->resizeColumnsToContents();
    m_pObservationView->resizeColumnsToContents();
    m_pDrift->SetResult(r, r ? &m_Setups : nullptr);
    m_pHistogram->SetResult(r);
    m_pMap->SetResult(r);
    for (QAction* action : m_ExportActions)
        action->setEnabled(r != nullptr);

    if (!r) {
        m_pVerdict->setStyleSheet("color: #b00000;");
        m_pVerdict->setText(m_strError.isEmpty() ? QString()
                                                 : "The network cannot be adjusted: " + m_strError + ".");
        m_pStatistics->setText(m_strError.isEmpty() ? "Choose the options and datums, then Run (F5)." : QString());
        if (m_strError.isEmpty())
            m_pMessages->clear();
        return;
    }
    if (!r->chi2Test) {
        m_pVerdict->setStyleSheet("color: #805000;");
        m_pVerdict->setText("No global test: the network has no redundancy.");
    } else if (r->chi2Test->passed) {
        m_pVerdict->setStyleSheet("color: #006000;");
        m_pVerdict->setText(QString::fromUtf8("Global \u03c7\u00b2 test passed."));
    } else {
        m_pVerdict->setStyleSheet("color: #b00000;");
        m_pVerdict->setText(QString::fromUtf8("Global \u03c7\u00b2 test FAILED: ") +
                            (r->chi2 > r->chi2Test->upper ? "the residuals are larger than the SDs allow."
                                                           : "the residuals are smaller than the SDs expect."));
    }
    int flagged = 0;
    for (const ObservationResult& o : r->observationResults)
        flagged += o.outlier ? 1 : 0;
    QString rows;
    const auto row = [&rows](const QString& name, const QString& value) {
        rows += "<tr><td>" + name + "</td><td align=right>&nbsp;&nbsp;" + value + "</td></tr>";
    };
    row("Model", QString(ModelName(r->model)) + ", drift degree " + QString::number(r->driftDegree));
    row("Observations", QString::number(r->observations));
    row("Unknowns", QString::number(r->unknowns));
    row("Degrees of freedom", QString::number(r->dof));
    row(QString::fromUtf8("\u03c7\u00b2 (v\u1d40Pv)"), Number("%.4f", r->chi2));
    row("s0", r->s0 ? Number("%.4f", *r->s0) : QString("undefined"));
    if (r->chi2Test)
        row(QString::fromUtf8("Bounds at \u03b1 = ") + Number("%g", r->alpha),
            Number("%.4f", r->chi2Test->lower) + " \u2026 " + Number("%.4f", r->chi2Test->upper));
    row(QString::fromUtf8("\u03c4 critical"), r->tauCritical ? Number("%.4f", *r->tauCritical) : QString("none"));
    row("Flagged observations", QString::number(flagged));
    row("Removed as outliers", QString::number(r->removed.size()));
    row("Station SDs", r->aPriori || !r->s0 ? QString("a-priori") : QString("a-posteriori (scaled by s0)"));
    m_pStatistics->setText("<table>" + rows + "</table>");
}

void NetworkAdjustWindow::OnObservationActivated(const QModelIndex& index)
{
    const ObservationResult* o = m_pObservationModel->Observation(m_pObservationProxy->mapToSource(index).row());
    if (!o || !m_ShowStations)
        return;
    std::vector<std::string> stations;
    if (o->kind == ObservationResult::Kind::difference)
        stations.push_back(o->from);
    stations.push_back(o->to);
    m_ShowStations(stations);
    statusBar()->showMessage(QString("The readings of %1 are selected in the main window.")
                                 .arg(QString::fromStdString(o->kind == ObservationResult::Kind::difference
                                                                 ? o->from + " and " + o->to
                                                                 : o->to)),
                             5000);
}

std::string NetworkAdjustWindow::ReportBytes() const
{
    return m_Result ? AdjustmentReport(*m_Result, m_Warnings) : std::string();
}

std::string NetworkAdjustWindow::CsvBytes() const
{
    return m_Result ? AdjustmentStationCsv(*m_Result) : std::string();
}

std::string NetworkAdjustWindow::JsonBytes() const { return m_Result ? AdjustmentJson(*m_Result) : std::string(); }

bool NetworkAdjustWindow::Export(const QString& path, const std::string& bytes)
{
    return SaveFileOrSayWhy(this, path, bytes, kCaption);
}

void NetworkAdjustWindow::ExportWithDialog(const QString& what, const QString& extension, const std::string& bytes)
{
    if (!m_Result)
        return;
    const QString path = ChooseSaveFile(this, QDir(LastDataFolder()).filePath(what + extension));
    if (!path.isEmpty())
        Export(path, bytes);
}

void NetworkAdjustWindow::ExportChart(bool pdf)
{
    auto* chart = qobject_cast<AdjustChart*>(m_pTabs->currentWidget());
    if (!chart) {
        QMessageBox::information(this, kCaption, "Choose the Drift, Histogram or Map tab first: its chart is saved.");
        return;
    }
    const QString name = chart->objectName() + (pdf ? ".pdf" : ".png");
    const QString path = ChooseSaveFile(this, QDir(LastDataFolder()).filePath(name));
    if (path.isEmpty())
        return;
    const QByteArray bytes = pdf ? chart->PdfBytes() : chart->PngBytes();
    Export(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void NetworkAdjustWindow::LoadSettings()
{
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    const AdjustOptions o;
    const SigmaOptions s;
    m_pModel->setCurrentIndex(settings.value("Model", 0).toInt() == 1 ? 1 : 0);
    m_pDegree->setValue(settings.value("DriftDegree", o.driftDegree).toInt());
    m_pCalibration->setChecked(settings.value("Calibration", o.calibration).toBool());
    m_pSdFactor->setValue(settings.value("SdFactor", s.factor).toDouble());
    m_pSdAdd->setValue(settings.value("SdAdd", s.add).toDouble());
    m_pSdMin->setValue(settings.value("SdMin", s.minimum).toDouble());
    m_pAlpha->setValue(settings.value("Alpha", o.alpha).toDouble());
    m_pAPriori->setChecked(settings.value("APriori", o.aPriori).toBool());
    m_pRemoveOutliers->setChecked(settings.value("RemoveOutliers", o.removeOutliers).toBool());
    m_pDatums->readingHeight()->setValue(settings.value("ReadingHeight", 0.0).toDouble());
}

void NetworkAdjustWindow::SaveSettings() const
{
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue("Model", m_pModel->currentIndex());
    settings.setValue("DriftDegree", m_pDegree->value());
    settings.setValue("Calibration", m_pCalibration->isChecked());
    settings.setValue("SdFactor", m_pSdFactor->value());
    settings.setValue("SdAdd", m_pSdAdd->value());
    settings.setValue("SdMin", m_pSdMin->value());
    settings.setValue("Alpha", m_pAlpha->value());
    settings.setValue("APriori", m_pAPriori->isChecked());
    settings.setValue("RemoveOutliers", m_pRemoveOutliers->isChecked());
    settings.setValue("ReadingHeight", m_pDatums->readingHeight()->value());
}

void NetworkAdjustWindow::closeEvent(QCloseEvent* event)
{
    SaveSettings();
    event->accept();
}

}  // namespace bramble
