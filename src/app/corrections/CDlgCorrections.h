#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "corrections/CorrectionSettings.h"
#include "session/CorrectionsDialogModel.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace bramble {

class CKelpDoc;

// "Corrections": which corrections the pipeline applies. The dialog shows a
// CorrectionsDialogModel, which holds its rules, on a copy of the view's
// settings; its opener stores them back and runs
// the pipeline through the apply handler, which OK (and the hidden "Apply
// Corrections") calls before the dialog closes. The pressure list's "Apply"
// and the polar file's "..." change the document's readings at once, and
// the list edits stay after Cancel: the opener takes PressureList() back
// whatever the dialog's end.
class CDlgCorrections final : public QDialog {
    Q_OBJECT
public:
    using ApplyHandler = std::function<void(const CorrectionSettings&)>;
    // Returns the chosen path, or an empty text when the operator cancels.
    using FileChooser = std::function<QString(QWidget* parent, const QString& current)>;
    // Runs the drift calculation; returns the drift name to show, if any.
    using DriftCalculator = std::function<std::optional<QString>()>;

    // `doc` must outlive the dialog.
    CDlgCorrections(CKelpDoc& doc, const CorrectionSettings& settings, QWidget* parent = nullptr);

    void SetApplyHandler(ApplyHandler handler) { m_onApply = std::move(handler); }
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void SetBlqFileChooser(FileChooser chooser) { m_chooseBlqFile = std::move(chooser); }
    // "Calculate Drift..." is enabled once a calculation is given.
    void SetDriftCalculator(DriftCalculator calculator);

    // The settings as last taken from the controls (on OK: the ones applied).
    const CorrectionSettings& Settings() const { return m_model.Settings(); }
    // The pressure entries as the list box holds them now, in list order.
    std::vector<std::string> PressureList() const;

    void accept() override;

    // The texts the dialog shows for its messages.
    static const char* const kNotANumber;

private:
    void BuildControls();
    // Reads every control into the fields; refuses (with a message, keeping
    // the dialog open) a number field that does not hold a number.
    bool TakeFields();
    // Writes every field into its control.
    void ShowFields();
    bool ApplyCorrections();

    void OnSetNominal();
    void OnAddEntry();
    void OnRemoveEntry();
    void OnApplyPressures();
    void OnEntryClicked(QListWidgetItem* item);
    void OnChoosePolarFile();
    void OnChooseBlqFile();
    // The distance field into the model, which matches a chosen BLQ file
    // again; false (with a message) when refused.
    bool TakeBlqDistance();
    void ShowMessages(const Outcome& outcome);
    void OnCalculateDrift();
    void Message(const QString& text);

    CorrectionsDialogModel m_model;
    QString m_strDriftName = "No Drift";
    int m_nEntries = 0;        // entries in the list box
    int m_nLastSelected = -1;  // the entry clicked last; a second click on it edits it

    ApplyHandler m_onApply;
    FileChooser m_chooseFile;
    FileChooser m_chooseBlqFile;
    DriftCalculator m_calculateDrift;

    QButtonGroup* m_pTideGroup = nullptr;
    QRadioButton* m_pLongman = nullptr;        // 1111
    QRadioButton* m_pBerger = nullptr;         // 1112
    QRadioButton* m_pNoTide = nullptr;         // 1113
    QPushButton* m_pCalculateDrift = nullptr;  // 1155
    QCheckBox* m_pApplyPressure = nullptr;     // 1114
    QLineEdit* m_pElevation = nullptr;         // 1121
    QLineEdit* m_pNominalPressure = nullptr;   // 1123
    QListWidget* m_pPressureList = nullptr;    // 1126
    QCheckBox* m_pApplyPolar = nullptr;        // 1116
    QLineEdit* m_pPolarFile = nullptr;         // 1118
    QCheckBox* m_pApplyOceanLoad = nullptr;
    QLineEdit* m_pBlqFile = nullptr;
    QLineEdit* m_pBlqDistance = nullptr;
    QCheckBox* m_pApplyDrift = nullptr;  // 1146
    QLineEdit* m_pDriftName = nullptr;   // 1171
};

}  // namespace bramble
