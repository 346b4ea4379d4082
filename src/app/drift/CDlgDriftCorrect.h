#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "drift/DriftSession.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace bramble {

// The drift dialog: the named drift corrections of the document in a combo,
// the drift line of the selected one, the drift plot of the selected
// readings, and the buttons that update, type in, calculate and delete
// corrections. All its logic is DriftDialogModel's; this class shows it.
class CDlgDriftCorrect final : public QDialog {
    Q_OBJECT
public:
    CDlgDriftCorrect(DriftContext& ctx, std::vector<std::string> names, int startSelection, DriftMode mode,
                     std::string initialLine, QWidget* parent = nullptr);
    ~CDlgDriftCorrect() override;

    DriftDialogModel& model() { return m_model; }
    int exec() override;

    // The drift plot goes into the host frame; `refill` redraws it after every change.
    QWidget* plotHost() const { return m_plotHost; }
    void setPlotRefill(std::function<void()> refill) { m_refillPlot = std::move(refill); }
    // Called after every change to the rows (cells, order), so the list can repaint.
    void setRowsChanged(std::function<void()> changed) { m_rowsChanged = std::move(changed); }
    // Called on OK and when the dialog closes, to store the plot's settings.
    void setStorePlotSettings(std::function<void()> store) { m_storePlot = std::move(store); }

    // Runs the start of the dialog (selection of the starting entry); done
    // by exec() too, but callable for tests that do not run a modal loop.
    void start();

    void done(int result) override;

private:
    void onSelectionChanged(int index);
    void onUpdate();
    void onAdd(bool input);
    void onDelete();
    void showModel();
    void changed();

    DriftDialogModel m_model;
    QLineEdit* m_line = nullptr;
    QComboBox* m_names = nullptr;
    QWidget* m_plotHost = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_input = nullptr;
    QPushButton* m_calculate = nullptr;
    QPushButton* m_delete = nullptr;
    std::function<void()> m_refillPlot;
    std::function<void()> m_rowsChanged;
    std::function<void()> m_storePlot;
    bool m_started = false;
    bool m_showing = false;
    bool m_stored = false;
};

}  // namespace bramble
