// main() of the Windows unit-test programs: GoogleTest's run, then the closing line
// "N passed, M failed" (counted in tests) that the Wine runner reads.

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    std::printf("%d passed, %d failed\n", run.successful_test_count(), run.failed_test_count());
    std::fflush(stdout);
    return status;
}
