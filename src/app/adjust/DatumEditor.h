#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "adjust/Datum.h"
#include "result/Result.h"

class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace bramble {

// The datums of an adjustment: a table of station, gravity and SD (mGal;
// an empty or 0 SD holds the station fixed) that the operator edits, with
// rows added, removed, or loaded from a datum file or an absolute-gravity
// report (moved to the reading height given beside the button).
class DatumEditor final : public QWidget {
    Q_OBJECT
public:
    explicit DatumEditor(QWidget* parent = nullptr);

    // The datums of the filled rows, read by the core's own datum parser; an
    // error names the row and what is wrong with it. Empty rows are skipped.
    Result<std::vector<Datum>> Datums() const;
    void SetDatums(const std::vector<Datum>& datums);
    // Appends the datums of a file (see ReadDatumFile); an error says why
    // the file was refused and changes nothing.
    Outcome LoadFile(const QString& path);

    QTableWidget* table() const { return m_pTable; }
    QDoubleSpinBox* readingHeight() const { return m_pHeight; }

private:
    void AddRow(const QString& station, const QString& gravity, const QString& sd);
    void OnLoad();

    QTableWidget* m_pTable = nullptr;
    QDoubleSpinBox* m_pHeight = nullptr;
};

}  // namespace bramble
