#pragma once

#include <set>
#include <vector>

#include <QTreeWidget>

#include "adjust/SetupSources.h"

namespace bramble {

// The surveys the adjustment reads and their loops, each with a check box:
// a loop left unchecked takes no part; a survey's box checks or clears all
// its loops. What was left out is kept by survey and loop name, so that it
// stays out when the surveys are shown again (at every Run).
class LoopChooser final : public QTreeWidget {
    Q_OBJECT
public:
    explicit LoopChooser(QWidget* parent = nullptr);

    void SetSurveys(const std::vector<SurveyReadings>& surveys);
    // The loops left out, of the surveys shown or shown before.
    const std::set<LoopKey>& Excluded() const { return m_excluded; }
    // How many of the shown readings are in loops that are included.
    int IncludedReadings() const;

private:
    void OnItemChanged(QTreeWidgetItem* item, int column);

    std::set<LoopKey> m_excluded;
    bool m_bFilling = false;
};

}  // namespace bramble
