#include "project/SurveyList.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>

#include "project/ProjectCommands.h"

namespace bramble {

SurveyList::SurveyList(ProjectCommands& project, QMenu& menu, QWidget* boxParent)
    : QObject(&project), m_project(project), m_menu(menu)
{
    m_pAdd = m_menu.addAction("&Add Survey...", this, &SurveyList::addRequested);
    m_pAdd->setObjectName("actionAddSurvey");
    m_pRemove = m_menu.addAction("&Remove Survey", this, [this] { m_project.RemoveSurvey(m_project.ActiveSurvey()); });
    m_pRemove->setObjectName("actionRemoveSurvey");
    m_pSeparator = m_menu.addSeparator();
    m_pGroup = new QActionGroup(this);
    m_pGroup->setExclusive(true);

    m_pBox = new QWidget(boxParent);
    m_pBox->setObjectName("surveyBox");
    auto* layout = new QHBoxLayout(m_pBox);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel("Survey", m_pBox);
    m_pCombo = new QComboBox(m_pBox);
    m_pCombo->setObjectName("surveyCombo");
    m_pCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(m_pCombo);
    layout->addWidget(label);
    layout->addWidget(m_pCombo);
    m_pBox->hide();
    connect(m_pCombo, &QComboBox::activated, this, [this](int index) { m_project.SwitchSurvey(index); });

    connect(&m_project, &ProjectCommands::stateChanged, this, &SurveyList::Rebuild);
    Rebuild();
}

void SurveyList::Rebuild()
{
    const QStringList names = m_project.SurveyNames();
    const int active = m_project.ActiveSurvey();
    m_pRemove->setEnabled(active >= 0);
    m_pSeparator->setVisible(!names.isEmpty());
    if (names == m_shownNames && active == m_nShownActive)
        return;
    m_shownNames = names;
    m_nShownActive = active;

    for (QAction* action : m_pGroup->actions()) {
        m_menu.removeAction(action);
        m_pGroup->removeAction(action);
        action->deleteLater();
    }
    for (int i = 0; i < names.size(); ++i) {
        // "&1  day1.dat": the number is the menu's accelerator.
        auto* action = new QAction("&" + names[i], m_pGroup);
        action->setObjectName(QString("actionSurvey%1").arg(i + 1));
        action->setCheckable(true);
        action->setChecked(i == active);
        connect(action, &QAction::triggered, this, [this, i] { m_project.SwitchSurvey(i); });
        m_menu.addAction(action);
    }

    const QSignalBlocker quiet(m_pCombo);
    m_pCombo->clear();
    m_pCombo->addItems(names);
    m_pCombo->setCurrentIndex(active);
    m_pBox->setVisible(names.size() > 1);
}

}  // namespace bramble
