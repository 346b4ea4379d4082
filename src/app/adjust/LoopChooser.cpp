#include "adjust/LoopChooser.h"

#include <QFileInfo>
#include <QHeaderView>

namespace bramble {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLoopRole = Qt::UserRole + 1;
constexpr int kCountRole = Qt::UserRole + 2;

LoopKey KeyOf(const QTreeWidgetItem& loop)
{
    return {loop.parent()->data(0, kPathRole).toString().toStdString(), loop.data(0, kLoopRole).toString().toStdString()};
}

}  // namespace

LoopChooser::LoopChooser(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName("loopChooser");
    setAccessibleName("Surveys and loops");
    setColumnCount(2);
    setHeaderLabels({"Survey / loop", "Readings"});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setToolTip("Clear a loop's box to leave its readings out of the adjustment");
    connect(this, &QTreeWidget::itemChanged, this, &LoopChooser::OnItemChanged);
}

void LoopChooser::SetSurveys(const std::vector<SurveyReadings>& surveys)
{
    m_bFilling = true;
    clear();
    for (const SurveyReadings& survey : surveys) {
        const QString path = QString::fromStdString(survey.path);
        auto* top = new QTreeWidgetItem(this);
        top->setText(0, QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName());
        top->setToolTip(0, path);
        top->setData(0, kPathRole, path);
        top->setText(1, QString::number(survey.readings.size()));
        top->setFlags(top->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        for (const auto& [loop, count] : LoopsOf(survey.readings)) {
            auto* item = new QTreeWidgetItem(top);
            item->setText(0, QString::fromStdString(loop));
            item->setData(0, kLoopRole, QString::fromStdString(loop));
            item->setData(0, kCountRole, count);
            item->setText(1, QString::number(count));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, m_excluded.count({survey.path, loop}) ? Qt::Unchecked : Qt::Checked);
        }
        top->setExpanded(surveys.size() == 1);
    }
    m_bFilling = false;
}

int LoopChooser::IncludedReadings() const
{
    int readings = 0;
    for (int s = 0; s < topLevelItemCount(); ++s) {
        const QTreeWidgetItem* top = topLevelItem(s);
        for (int l = 0; l < top->childCount(); ++l)
            if (top->child(l)->checkState(0) == Qt::Checked)
                readings += top->child(l)->data(0, kCountRole).toInt();
    }
    return readings;
}

void LoopChooser::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (m_bFilling || column != 0 || !item->parent())
        return;
    const LoopKey key = KeyOf(*item);
    if (item->checkState(0) == Qt::Checked)
        m_excluded.erase(key);
    else
        m_excluded.insert(key);
}

}  // namespace bramble
