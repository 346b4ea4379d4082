// Undo and redo over a project: reductions, rejections and surveys added,
// removed or replaced.
#include <gtest/gtest.h>

#include "project/ProjectHistory.h"
#include "support/WorkedSurvey.h"

using namespace bramble;
using namespace bramble::test;

namespace {

std::unique_ptr<ProjectSurvey> Read(const std::string& path, MeterKind meter)
{
    Result<std::unique_ptr<ProjectSurvey>> read = ReadProjectSurvey(path, meter, DefaultAliodHeaderTexts());
    EXPECT_TRUE(read.Succeeded()) << read.ErrorText();
    return std::move(read.Value());
}

}  // namespace

TEST(ProjectHistory, UndoAndRedoWalkThroughTheReductionsCommands)
{
    Project project;
    ProjectHistory history;
    history.AddSurvey(project, 0, Read(kCg3Example, MeterKind::cg3), "Add Survey");
    ReductionSession& session = *project.ActiveSession();
    const std::string imported = EverythingShown(session);

    history.BeforeChange(project, 0, "Reduce");
    ReduceAsAnOperatorWould(session);
    const std::string reduced = EverythingShown(session);
    history.BeforeChange(project, 0, "Reject Reading");
    session.List().Reject(0, "spike");
    const std::string rejected = EverythingShown(session);
    history.MarkSaved();
    EXPECT_FALSE(history.IsModified());

    EXPECT_EQ(history.UndoLabel(), "Reject Reading");
    ASSERT_TRUE(history.Undo(project).Succeeded());
    EXPECT_TRUE(history.IsModified());
    EXPECT_EQ(EverythingShown(session), reduced);
    ASSERT_TRUE(history.Undo(project).Succeeded());
    EXPECT_EQ(EverythingShown(session), imported);
    EXPECT_EQ(history.RedoLabel(), "Reduce");
    ASSERT_TRUE(history.Redo(project).Succeeded());
    ASSERT_TRUE(history.Redo(project).Succeeded());
    EXPECT_EQ(EverythingShown(session), rejected);
    EXPECT_FALSE(history.IsModified());
    EXPECT_FALSE(history.CanRedo());

    // A new command forgets what could be redone.
    history.Undo(project);
    history.BeforeChange(project, 0, "Final Output");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.IsModified());
}

TEST(ProjectHistory, SurveysAddedRemovedAndReplacedComeBack)
{
    Project project;
    ProjectHistory history;
    history.AddSurvey(project, 0, Read(kCg3Example, MeterKind::cg3), "Add Survey");
    ReduceAsAnOperatorWould(*project.Survey(0).session);
    const std::string reduced = EverythingShown(*project.Survey(0).session);
    history.AddSurvey(project, 1, Read(kAliodExample, MeterKind::aliod), "Add Survey");
    EXPECT_EQ(project.Active(), 1);

    ASSERT_TRUE(history.RemoveSurvey(project, 0, "Remove Survey"));
    ASSERT_EQ(project.SurveyCount(), 1);
    EXPECT_FALSE(history.RemoveSurvey(project, 3, "Remove Survey"));
    ASSERT_TRUE(history.ReplaceSurvey(project, 0, Read(kCg3Example, MeterKind::cg3), "Import"));
    EXPECT_EQ(project.Survey(0).meter, MeterKind::cg3);

    ASSERT_TRUE(history.Undo(project).Succeeded());  // the import
    EXPECT_EQ(project.Survey(0).meter, MeterKind::aliod);
    ASSERT_TRUE(history.Undo(project).Succeeded());  // the removal
    ASSERT_EQ(project.SurveyCount(), 2);
    EXPECT_EQ(project.Active(), 1);
    EXPECT_EQ(EverythingShown(*project.Survey(0).session), reduced);
    ASSERT_TRUE(history.Undo(project).Succeeded());  // the second survey
    EXPECT_EQ(project.SurveyCount(), 1);
    EXPECT_EQ(project.Active(), 0);
    ASSERT_TRUE(history.Redo(project).Succeeded());
    EXPECT_EQ(project.SurveyCount(), 2);
    EXPECT_EQ(project.Survey(1).meter, MeterKind::aliod);

    // Switching is a step of its own; switching to the active one is none.
    EXPECT_FALSE(history.SwitchSurvey(project, 1, "Switch Survey"));
    EXPECT_FALSE(history.SwitchSurvey(project, 2, "Switch Survey"));
    ASSERT_TRUE(history.SwitchSurvey(project, 0, "Switch Survey"));
    EXPECT_EQ(project.Active(), 0);
    ASSERT_TRUE(history.Undo(project).Succeeded());
    EXPECT_EQ(project.Active(), 1);
    ASSERT_TRUE(history.Redo(project).Succeeded());
    EXPECT_EQ(project.Active(), 0);
}

TEST(ProjectHistory, OldStepsGoWhenTheBudgetIsSpent)
{
    Project project;
    project.InsertSurvey(0, Read(kCg3Example, MeterKind::cg3));
    ProjectHistory history(ProjectHistory::kDefaultBudget, 3);
    for (int i = 0; i < 5; ++i)
        history.BeforeChange(project, 0, "step " + std::to_string(i));
    EXPECT_EQ(history.UndoSteps(), 3u);
    EXPECT_EQ(history.UndoLabel(), "step 4");

    ProjectHistory small(1);  // one byte: only the last step stays
    small.BeforeChange(project, 0, "a");
    small.BeforeChange(project, 0, "b");
    EXPECT_EQ(small.UndoSteps(), 1u);
    EXPECT_GT(small.Bytes(), 0u);
}
