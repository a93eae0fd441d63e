#include <gtest/gtest.h>

#include "core/imaging/transfer.h"

namespace zr640 {
namespace {

TEST(Transfer, NeutralContrastOnlyAddsBrightness) {
    for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(Transfer(p, 0, 0), p);
        EXPECT_EQ(Transfer(p, 0, 30), std::min(p + 30, 255));
    }
    EXPECT_EQ(Transfer(200, 0, 100), 255);
    EXPECT_EQ(Transfer(10, 0, -50), 0);
}

TEST(Transfer, FullContrastStretchesTheMiddle) {
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(Transfer(p, 100, 0), 0) << p;
    for (int p = 155; p < 256; ++p) EXPECT_EQ(Transfer(p, 100, 0), 255) << p;
    // (p - 100) * 255 / 55 truncated, except where the single-precision factor 55 / 255
    // lands the quotient just below a whole number.
    for (int p = 101; p < 155; ++p) {
        const bool justBelow = p == 111 || p == 122 || p == 133 || p == 144;
        EXPECT_EQ(Transfer(p, 100, 0), (p - 100) * 255 / 55 - justBelow) << p;
    }
    EXPECT_EQ(Transfer(120, 100, 0), 92);
}

TEST(Transfer, NegativeContrastSqueezesToTheMiddle) {
    EXPECT_EQ(Transfer(0, -100, 0), 100);
    EXPECT_EQ(Transfer(255, -100, 0), 155);
    EXPECT_EQ(Transfer(0, -100, -100), 0);
    EXPECT_EQ(Transfer(255, -100, 100), 255);
    for (int c = -100; c < 0; ++c) {
        int previous = -1;
        for (int p = 0; p < 256; ++p) {
            const int t = Transfer(p, c, 0);
            EXPECT_GE(t, previous) << "monotonic at p " << p << ", C " << c;
            previous = t;
        }
    }
}

// Values where the precision of the steps decides: with exact fractions (or all in double
// precision for S) each would come out one higher, or for S(10, -81) one lower.
TEST(Transfer, PrecisionOfTheSteps) {
    EXPECT_EQ(Transfer(255, -12, 0), 242);  // single-precision divisor and quotient
    EXPECT_EQ(Transfer(128, -1, 0), 127);
    EXPECT_EQ(Transfer(86, 3, 0), 84);  // factor rounded to single precision
    EXPECT_EQ(Transfer(201, 5, 0), 203);
    EXPECT_EQ(MeanPivotTransfer(10, -81, 0, 0), 1);  // 1 - 0.9 rounded to single precision
    EXPECT_EQ(MeanPivotTransfer(200, -2, 0, 0), 171);
}

TEST(MeanPivotTransfer, ContrastAboutTheMean) {
    for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(MeanPivotTransfer(p, 0, 0, 90), p);
        EXPECT_EQ(MeanPivotTransfer(p, -100, 0, 90), 90) << "flattened to the mean";
        EXPECT_EQ(MeanPivotTransfer(p, -100, 20, 90), 110);
    }
    EXPECT_EQ(MeanPivotTransfer(100, 100, 0, 90), 200);  // (100 - 90) * 11 + 90
    EXPECT_EQ(MeanPivotTransfer(80, 100, 0, 90), 0);     // -20, clamped
    EXPECT_EQ(MeanPivotTransfer(101, 10, 0, 100), 102);  // 1 * 2 + 100
    // C = -25: x = 1 - 5 / 10 = 0.5; (99 - 100) * 0.5 + 100 = 99.5, truncated.
    EXPECT_EQ(MeanPivotTransfer(99, -25, 0, 100), 99);
    // C = -2: x = 1 - sqrt(2) / 10 in single precision.
    EXPECT_EQ(MeanPivotTransfer(200, -2, 0, 0), 171);
}

TEST(TransferTables, MatchTheFunctions) {
    for (int c : {-100, -37, 0, 1, 64, 100}) {
        for (int v : {-100, -5, 0, 42, 100}) {
            const TransferTable t = MakeTransferTable(c, v);
            const TransferTable s = MakeMeanPivotTable(c, v, 77);
            for (int p = 0; p < 256; ++p) {
                ASSERT_EQ(t[static_cast<size_t>(p)], Transfer(p, c, v));
                ASSERT_EQ(s[static_cast<size_t>(p)], MeanPivotTransfer(p, c, v, 77));
            }
        }
    }
}

}  // namespace
}  // namespace zr640
