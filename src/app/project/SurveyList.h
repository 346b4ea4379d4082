#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QWidget;

namespace bramble {

class ProjectCommands;

// The project's surveys where the user sees and picks them: the "&Survey"
// menu ("&Add Survey...", "&Remove Survey", then one checkable item per
// survey) and, while the project holds more than one survey, a "Survey"
// box that the main window puts beside "Number of Points". Picking one
// makes it the survey shown.
class SurveyList final : public QObject {
    Q_OBJECT
public:
    // `menu` is filled here; `boxParent` parents the box.
    SurveyList(ProjectCommands& project, QMenu& menu, QWidget* boxParent);

    QWidget* box() const { return m_pBox; }
    QComboBox* combo() const { return m_pCombo; }
    QAction* addAction() const { return m_pAdd; }
    QAction* removeAction() const { return m_pRemove; }

signals:
    // "&Add Survey..." was chosen: the import dialogs come next.
    void addRequested();

private:
    void Rebuild();

    ProjectCommands& m_project;
    QMenu& m_menu;
    QAction* m_pAdd = nullptr;
    QAction* m_pRemove = nullptr;
    QAction* m_pSeparator = nullptr;
    QActionGroup* m_pGroup = nullptr;
    QWidget* m_pBox = nullptr;
    QComboBox* m_pCombo = nullptr;
    QStringList m_shownNames;
    int m_nShownActive = -2;
};

}  // namespace bramble
