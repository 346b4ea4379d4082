#pragma once

#include <QDialog>

class QTableWidget;

namespace bramble {

class CKelpDoc;

// "Final Output Dialog": the final table (one row per averaged station, in
// the order of the document's m_FinalData), which the operator can print
// or export as tab-separated text. It only reads the table; the view runs
// the averaging before and puts its list back in order after.
class CDlgFinalOutput final : public QDialog {
    Q_OBJECT
public:
    // `doc` must outlive the dialog.
    explicit CDlgFinalOutput(const CKelpDoc& doc, QWidget* parent = nullptr);

    QTableWidget* list() const { return m_pList; }

private:
    void FillList();
    void OnPrint();
    void OnExportText();

    const CKelpDoc& m_doc;
    QTableWidget* m_pList = nullptr;  // 1166
};

}  // namespace bramble
