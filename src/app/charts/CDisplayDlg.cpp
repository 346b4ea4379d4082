#include "charts/CDisplayDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "charts/ChartSettings.h"
#include "charts/ChartWidget.h"
#include "corrections/SelectionSummary.h"
#include "mainwnd/CStationList.h"
#include "survey/CKelpDoc.h"
#include "survey/FileChoosers.h"

namespace bramble {

namespace {

// Control identifiers of the check boxes and scale selectors, by series.
constexpr std::array<int, kStationSeriesCount> kCheckId{1064, 1065, 1066, 1067, 1068, 1069,
                                                        1140, 1142, 1143, 1148, 1205};
constexpr std::array<int, kStationSeriesCount> kScaleId{1082, 1084, 1086, 1083, 1087, 1085,
                                                        1141, 1144, 1145, 1149, 1206};
// The check box captions; "ETC" differs from the series name "E.T.C".
constexpr std::array<const char*, kStationSeriesCount> kCheckCaption{
    "Gravity", "SDev",     "Tilt X",       "Tilt Y", "Temp",         "ETC",
    "Berger",  "Pressure", "Polar Motion", "Drift",  "Ocean Loading"};

// The panel's rows: label, edit identifier, summary field.
struct MeanRow {
    const char* label;
    int id;
    SelectionSummary::Field field;
};
constexpr std::array<MeanRow, 12> kMeanRows{{
    {"Grav", 1072, SelectionSummary::kGrav},
    {"SDev", 1073, SelectionSummary::kSDev},
    {"Tilt X", 1076, SelectionSummary::kTiltX},
    {"Tilt Y", 1077, SelectionSummary::kTiltY},
    {"Temp", 1074, SelectionSummary::kTemp},
    {"E.T.C.", 1075, SelectionSummary::kEtc},
    {"Pressure", 1138, SelectionSummary::kPressure},
    {"Berger", 1139, SelectionSummary::kBerger},
    {"Polar Motion", 1137, SelectionSummary::kPolarMotion},
    {"Ocean Loading", 1207, SelectionSummary::kOceanLoad},
    {"Drift", 1150, SelectionSummary::kDrift},
    {"Time", 1078, SelectionSummary::kTime},
}};

QString Name(const char* kind, int id) { return QStringLiteral("%1%2").arg(kind).arg(id); }

}  // namespace

CDisplayDlg::CDisplayDlg(CKelpDoc& doc, const CStationList& list, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      m_doc(doc), m_list(list)
{
    setObjectName("CDisplayDlg");
    setWindowTitle("Station Information");
    setModal(false);
    setSizeGripEnabled(true);
    CreateControls();

    // Opening: every selector on "1", only "Gravity" ticked.
    m_bSeries.fill(false);
    m_bSeries[kSeriesGravity] = true;
    m_dScale.fill(1.0);
    m_dMissing = kPlotMissingValue;
    ShowFields();

    Configure();
    m_pChart->LoadSettings(SettingsFile());
    connect(m_pChart, &ChartWidget::pointClicked, this, &CDisplayDlg::OnPointClicked);
}

CDisplayDlg::~CDisplayDlg() { m_pChart->SaveSettings(SettingsFile()); }

QString CDisplayDlg::SettingsFile() const { return ChartSettingsFile(m_doc.m_strGraphFile, "graph.pg"); }

void CDisplayDlg::CreateControls()
{
    m_pChart = new ChartWidget(this);
    m_pChart->setObjectName("edit1060");
    m_pChart->setMinimumSize(480, 320);

    auto* means = new QGroupBox("Mean Calculations", this);
    auto* meanForm = new QFormLayout(means);
    meanForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    meanForm->setVerticalSpacing(3);
    for (std::size_t i = 0; i < kMeanRows.size(); ++i) {
        auto* label = new QLabel(kMeanRows[i].label, means);
        auto* edit = new QLineEdit(means);
        edit->setObjectName(Name("edit", kMeanRows[i].id));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(110);
        m_pMean[i] = edit;
        if (kMeanRows[i].field == SelectionSummary::kTiltX) {
            label->setObjectName("static1180");
            m_pTiltXLabel = label;
        } else if (kMeanRows[i].field == SelectionSummary::kTiltY) {
            label->setObjectName("static1181");
            m_pTiltYLabel = label;
        } else if (kMeanRows[i].field == SelectionSummary::kOceanLoad) {
            m_pOceanLoadLabel = label;
        }
        meanForm->addRow(label, edit);
    }

    m_pSubtractMean = new QCheckBox("Subtract Mean Gravity Value", this);
    m_pSubtractMean->setObjectName("check1108");

    // A group of check boxes, each with its scale selector beside it.
    const auto makeGroup = [this](const char* title, std::initializer_list<int> series) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        grid->setVerticalSpacing(3);
        grid->setColumnStretch(0, 1);
        int row = 0;
        for (int s : series) {
            const auto i = static_cast<std::size_t>(s);
            m_pCheck[i] = new QCheckBox(kCheckCaption[i], group);
            m_pCheck[i]->setObjectName(Name("check", kCheckId[i]));
            grid->addWidget(m_pCheck[i], row, 0);
            if (s != kSeriesGravity) {  // gravity is never scaled
                m_pScale[i] = new QComboBox(group);
                m_pScale[i]->setObjectName(Name("scale", kScaleId[i]));
                for (int k = 0; k < kScaleChoiceCount; ++k)
                    m_pScale[i]->addItem(ScaleChoiceText(k));
                grid->addWidget(m_pScale[i], row, 1);
            }
            ++row;
        }
        return group;
    };
    QGroupBox* data = makeGroup("Data", {kSeriesGravity, kSeriesSDev, kSeriesTiltX, kSeriesTiltY, kSeriesTemp});
    QGroupBox* corrections = makeGroup("Corrections", {kSeriesPressure, kSeriesEtc, kSeriesPolarMotion, kSeriesBerger,
                                                       kSeriesDrift, kSeriesOceanLoad});

    auto* side = new QVBoxLayout;
    side->addWidget(means);
    side->addWidget(m_pSubtractMean);
    side->addWidget(data);
    side->addWidget(corrections);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pChart, 1);
    layout->addLayout(side);
    resize(1100, 720);

    for (std::size_t i = 0; i < kStationSeriesCount; ++i) {
        connect(m_pCheck[i], &QCheckBox::toggled, this, [this] {
            if (!m_bExchanging)
                OnSeriesOrScaleChanged();
        });
        if (m_pScale[i])
            connect(m_pScale[i], &QComboBox::currentIndexChanged, this, [this] {
                if (!m_bExchanging)
                    OnSeriesOrScaleChanged();
            });
    }
    connect(m_pSubtractMean, &QCheckBox::toggled, this, [this] {
        if (!m_bExchanging)
            OnSubtractMean();
    });
}

// The fixed configuration of the chart: titles, labels, names, colours,
// the missing value.
void CDisplayDlg::Configure()
{
    const bool aliod = m_doc.m_bAliod;
    m_pChart->SetSeriesCount(kStationSeriesCount);
    m_pChart->SetPointCount(m_list.RowCount());
    m_pChart->SetTitle(aliod ? "Aliod Data" : "Scintrex Data");
    m_pChart->SetSubtitle("");
    m_pChart->SetXLabel("time");
    m_pChart->SetYLabel("Gravity (mGals)");
    m_pChart->SetMissingValue(m_dMissing);
    const auto& table = StationSeriesTable();
    for (int s = 0; s < kStationSeriesCount; ++s) {
        const StationSeriesInfo& info = table[static_cast<std::size_t>(s)];
        m_pChart->SetSeriesName(s, StationSeriesName(s, aliod));
        m_pChart->SetSeriesColor(s, QColor(info.red, info.green, info.blue));
    }
}

void CDisplayDlg::SetSummary(const SelectionSummary& summary)
{
    for (std::size_t i = 0; i < kMeanRows.size(); ++i)
        m_strMean[i] = QString::fromStdString(summary.Text(kMeanRows[i].field));
    m_dMeanGravity = summary.m_dGrav;
}

void CDisplayDlg::TakeFields()
{
    for (std::size_t i = 0; i < kStationSeriesCount; ++i) {
        m_bSeries[i] = m_pCheck[i]->isChecked();
        // A selector without a selection leaves its factor as it was.
        if (m_pScale[i] && m_pScale[i]->currentIndex() >= 0)
            m_dScale[i] = ScaleChoiceFactor(m_pScale[i]->currentIndex());
    }
    m_bSubtractMean = m_pSubtractMean->isChecked();
}

void CDisplayDlg::ShowFields()
{
    m_bExchanging = true;
    for (std::size_t i = 0; i < kStationSeriesCount; ++i) {
        m_pCheck[i]->setChecked(m_bSeries[i]);
        if (m_pScale[i]) {
            int index = -1;
            for (int k = 0; k < kScaleChoiceCount; ++k)
                if (ScaleChoiceFactor(k) == m_dScale[i])
                    index = k;
            m_pScale[i]->setCurrentIndex(index);
        }
    }
    m_pSubtractMean->setChecked(m_bSubtractMean);
    for (std::size_t i = 0; i < m_pMean.size(); ++i)
        m_pMean[i]->setText(m_strMean[i]);
    m_bExchanging = false;
}

void CDisplayDlg::UpdateData(bool take)
{
    if (take)
        TakeFields();
    else
        ShowFields();
    Build();
}

void CDisplayDlg::Build()
{
    const bool aliod = m_doc.m_bAliod;
    m_pChart->SetTitle(aliod ? "Aliod Data" : "Scintrex Data");
    m_pChart->SetSubtitle("");
    for (int s : {kSeriesTiltX, kSeriesTiltY})
        m_pChart->SetSeriesName(s, StationSeriesName(s, aliod));
    m_pCheck[kSeriesTiltX]->setText(StationSeriesName(kSeriesTiltX, aliod));
    m_pCheck[kSeriesTiltY]->setText(StationSeriesName(kSeriesTiltY, aliod));
    m_pTiltXLabel->setText(StationSeriesName(kSeriesTiltX, aliod));
    m_pTiltYLabel->setText(StationSeriesName(kSeriesTiltY, aliod));
    for (int s : {kSeriesSDev, kSeriesEtc}) {
        m_pCheck[static_cast<std::size_t>(s)]->setEnabled(!aliod);
        m_pScale[static_cast<std::size_t>(s)]->setEnabled(!aliod);
    }

    // The ocean loading is offered while the list shows its column.
    const bool ocean = m_list.OceanLoadShown();
    m_pCheck[kSeriesOceanLoad]->setVisible(ocean);
    m_pScale[kSeriesOceanLoad]->setVisible(ocean);
    m_pOceanLoadLabel->setVisible(ocean);
    for (std::size_t i = 0; i < kMeanRows.size(); ++i)
        if (kMeanRows[i].field == SelectionSummary::kOceanLoad)
            m_pMean[i]->setVisible(ocean);

    for (std::size_t i = 0; i < kStationSeriesCount; ++i)
        if (m_pScale[i] && m_pScale[i]->currentIndex() >= 0)
            m_dScale[i] = ScaleChoiceFactor(m_pScale[i]->currentIndex());

    StationPlotRequest request;
    request.m_bSeries = m_bSeries;
    request.m_bSeries[kSeriesOceanLoad] = request.m_bSeries[kSeriesOceanLoad] && ocean;
    request.m_dScale = m_dScale;
    request.m_bSubtractMean = m_bSubtractMean;
    request.m_dMeanGravity = m_dMeanGravity;
    request.m_bRangeRequest = m_bRangeRequest;
    StationPlotData data = BuildStationPlot(m_doc, m_list, request);

    m_pChart->SetSeriesCount(kStationSeriesCount);
    m_pChart->SetPointCount(data.m_nPoints);
    // With nothing ticked nothing is drawn.
    m_pChart->SetVisibleSeries(QList<int>(data.m_Shown.begin(), data.m_Shown.end()));
    // Gravity far from the other series shown goes to a right-hand axis of
    // its own, so that neither side is flattened or pushed off the chart.
    const bool ownAxis = GravityNeedsOwnAxis(data);
    m_pChart->SetSeriesOnRightAxis(kSeriesGravity, ownAxis);
    m_pChart->SetYLabel(ownAxis ? "" : "Gravity (mGals)");
    m_pChart->SetY2Label(ownAxis ? "Gravity (mGals)" : "");
    std::vector<QString> stations(static_cast<std::size_t>(data.m_nPoints));
    for (int row = 0; row < data.m_nPoints && row < m_list.RowCount(); ++row)
        stations[static_cast<std::size_t>(row)] =
            "Station " + QString::fromStdString(m_list.Text(row, CStationList::kStation)).trimmed();
    m_pChart->SetPointLabels(std::move(stations));
    m_pChart->SetExportBaseName(SuggestedExportPath(m_doc, "plot", ""));
    for (int s = 0; s < kStationSeriesCount; ++s)
        m_pChart->SetSeriesData(s, data.m_X, std::move(data.m_Y[static_cast<std::size_t>(s)]));

    m_dEarliest = data.m_dEarliest;
    m_dLatest = data.m_dLatest;
    m_pChart->SetXRange(m_dEarliest, m_dLatest);
    if (m_bRangeRequest) {
        m_dLowest = data.m_dLowest;
        m_dHighest = data.m_dHighest;
        // With only "Gravity" ticked the range is inverted (gravity takes no
        // part in it): the y axis then scales itself.
        if (m_dLowest <= m_dHighest)
            m_pChart->SetYRange(m_dLowest, m_dHighest);
        else
            m_pChart->ClearYRange();
    }
    m_pChart->Repaint();
}

void CDisplayDlg::OnSeriesOrScaleChanged()
{
    // Take the fields, build with the range request, show the fields: one
    // build gives the chart all of them leave behind.
    TakeFields();
    m_bRangeRequest = true;
    Build();
    m_bRangeRequest = false;
    m_bExchanging = true;
    ShowFields();
    m_bExchanging = false;
}

void CDisplayDlg::OnSubtractMean()
{
    UpdateData(true);
    m_doc.m_bSubtractMean = m_bSubtractMean;
}

void CDisplayDlg::OnPointClicked(int series, int point)
{
    const std::string text = StationPointText(m_doc, m_list, series, point);
    if (text.empty())
        return;
    QMessageBox box(QMessageBox::Information, "Drop Select Message", QString::fromStdString(text), QMessageBox::Ok,
                    this);
    box.setObjectName("dropSelectMessage");
    box.exec();
}

void CDisplayDlg::keyPressEvent(QKeyEvent* event)
{
    Configure();
    Build();
    QDialog::keyPressEvent(event);
}

void CDisplayDlg::closeEvent(QCloseEvent* event)
{
    m_pChart->SaveSettings(SettingsFile());
    QDialog::closeEvent(event);
}

}  // namespace bramble
