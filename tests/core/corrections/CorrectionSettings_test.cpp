#include <gtest/gtest.h>

#include "SurveyBuilder.h"
#include "corrections/CorrectionSettings.h"

using namespace bramble;
using bramble::test::At;
using bramble::test::SurveyBuilder;

TEST(CorrectionSettings, ImportTurnsPolarOffAndPutsTheTwoDefaultPressures)
{
    SurveyBuilder s;
    s.AddCg3Header(40.0, 105.0);
    s.AddCg3(At(2019, 3, 13, 0, 14, 9), 1.0);  // document order, not time order
    s.AddCg3(At(2019, 3, 12, 21, 30, 12), 1.0);
    CorrectionSettings settings;
    settings.m_nTideMode = kTideBerger;
    settings.m_bApplyPolar = true;
    settings.m_strPolarFile = "pole.daily";
    settings.m_PressureList = {"old"};
    ResetCorrectionsForImport(settings, s.doc);
    EXPECT_FALSE(settings.m_bApplyPolar);
    EXPECT_TRUE(settings.m_strPolarFile.empty());
    EXPECT_EQ(settings.m_nTideMode, kTideBerger);  // kept
    EXPECT_EQ(settings.m_PressureList,
              (std::vector<std::string>{"03/13/2019  00:14:09  1013.25", "03/12/2019  21:30:12  1013.25"}));
}

TEST(CorrectionSettings, EmptySurveyHasNoPressureEntries)
{
    CKelpDoc doc;
    CorrectionSettings settings;
    settings.m_PressureList = {"old"};
    ResetCorrectionsForImport(settings, doc);
    EXPECT_TRUE(settings.m_PressureList.empty());
}
