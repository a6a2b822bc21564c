#include "dialogkit/system_library.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
// The controls the test templates use, registered once as a program does at start-up.
class CommonControls : public ::testing::Environment {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
        ASSERT_TRUE(::InitCommonControlsEx(&classes));
        ASSERT_TRUE(AfxInitRichEdit2());
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CommonControls);
} // namespace
