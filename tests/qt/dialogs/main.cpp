#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

// The widgets need an application object; listing the tests does not, and may run where there is
// no display at all.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!::testing::GTEST_FLAG(list_tests)) {
        app = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
