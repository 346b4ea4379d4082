#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "mainwnd/CStationList.h"
#include "support/TempFile.h"
#include "survey/CKelpDoc.h"
#include "output/StringPrintf.h"

using bramble::StringPrintf;

TEST(StringPrintf, NoPrintedNumberShowsANegativeZero)
{
    EXPECT_EQ(StringPrintf("%7.2f", -0.0), "   0.00");  // the Temp cell of a meter "-0.00"
    EXPECT_EQ(StringPrintf("%9.3f", -0.0004), "    0.000");
    EXPECT_EQ(StringPrintf("%+.1f|%-6.1f|", -0.04, -0.0), "+0.0|0.0   |");
    EXPECT_EQ(StringPrintf("%.2e %g %G", -0.0, -0.0, -1e-300), "0.00e+00 0 -1E-300");
    EXPECT_EQ(StringPrintf("%*.*f", 8, 3, -0.0001), "   0.000");
    EXPECT_EQ(StringPrintf("%.1Lf", -0.01L), "0.0");
    // Real negatives keep their sign; everything else prints as printf does.
    EXPECT_EQ(StringPrintf("%9.3f", -0.0006), "   -0.001");
    EXPECT_EQ(StringPrintf("%.3f", -2.0004), "-2.000");
    EXPECT_EQ(
        StringPrintf("%d %i %5ld %lld %zu %x %c %s %% %s", -1, 0, -7L, -8LL, std::size_t{9}, 255, 'q', "A-0.00", "end"),
        "-1 0    -7 -8 9 ff q A-0.00 % end");
    EXPECT_EQ(StringPrintf("%s", std::string(300, 'n').c_str()), std::string(300, 'n'));
    EXPECT_EQ(StringPrintf("%f", -NAN).find('-'), 0u);  // not a number is not made a zero
}

TEST(StringPrintf, TheTempCellOfAMeterMinusZero)
{
    bramble::test::TempFile file("SCINTREX\nLine: 0. Date: 19/03/12 Operator: 1.\nStation\n"
                                 "    1.  2489.871  0.021     -3.     2.  -0.00  -0.000   60   0  21:30:12\n");
    bramble::CKelpDoc doc;
    doc.ReadScintrexFile(file.path());
    bramble::CStationList list(doc);
    list.Fill(0);
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Text(0, bramble::CStationList::kTemp), "   0.00");
    EXPECT_EQ(list.Text(0, bramble::CStationList::kEtc), "  0.000");
}
