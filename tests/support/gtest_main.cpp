// Test entry point. The framework's own process entry (WinMain) is not used
// by the test executables; tests drive the framework directly.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
