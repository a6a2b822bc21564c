#include "installer/command_line.h"
#include "installer/tarnward_run.h"
#include "mock_platform.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnward {
namespace {

using ::testing::Return;
using ::testing::StrictMock;

TEST(ArgumentText, SkipsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentText("Tarnward.exe -i"), "-i");
    EXPECT_EQ(ArgumentText("Tarnward.exe \t\r\n\x01  -u x"), "-u x");
    EXPECT_EQ(ArgumentText("Tarnward.exe"), "");
    EXPECT_EQ(ArgumentText("Tarnward.exe   "), "");
    EXPECT_EQ(ArgumentText(""), "");
    // A blank first character ends an empty program name.
    EXPECT_EQ(ArgumentText("  -i"), "-i");
}

TEST(ArgumentText, BlanksInsideQuotesBelongToTheProgramName) {
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Tarnward.exe\" -u"), "-u");
    // Each quote switches, also in the middle of the name.
    EXPECT_EQ(ArgumentText("C:\\\"my -i dir\"\\Tarnward.exe -u"), "-u");
    EXPECT_EQ(ArgumentText("\"C:\\a\" \"b\" -i"), "\"b\" -i");
    // An unclosed quote runs to the end: everything is program name.
    EXPECT_EQ(ArgumentText("\"C:\\my dir\\Tarnward.exe -i"), "");
}

TEST(ArgumentText, EightBitCharactersAreNotBlanks) {
    EXPECT_EQ(ArgumentText("C:\\Tarn\xA0w\xE4rd.exe -i"), "-i");
    EXPECT_EQ(ArgumentText("Tarnward.exe \xA0-i"), "\xA0-i");
}

TEST(ChooseOperation, FindsTheSwitchAnywhereUninstallFirst) {
    struct Case {
        const char* argumentText;
        Operation expected;
    };
    const Case cases[] = {
        {"", Operation::None},           {"-i", Operation::Install},
        {"-I", Operation::Install},      {"-U", Operation::Uninstall},
        {"-i -u", Operation::Uninstall}, {"-u -i", Operation::Uninstall},
        {"/i", Operation::None},         {"/u", Operation::None},
        {"install", Operation::None},    {"--info", Operation::Install},
        {"x-uy", Operation::Uninstall},  {"- i -\xC9", Operation::None},
        {"-q", Operation::None},         {"-i -q", Operation::Install},
        {"-Q -u", Operation::Uninstall},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseOperation(c.argumentText), c.expected)
            << "argument text: " << c.argumentText;
    }
}

// The whole program: which operation runs, what is shown and the exit code.
class RunTarnwardTest : public ::testing::Test {
protected:
    StrictMock<MockPlatform> platform;
};

TEST_F(RunTarnwardTest, WithoutSwitchTellsTheUserAndExitsWithOne) {
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kNotForUsers)));
    EXPECT_EQ(RunTarnward(platform, "C:\\my-utils\\Tarnward.exe /i"), kExitNoSwitch);
}

TEST_F(RunTarnwardTest, InstallsWhenOnlyTheArgumentsHoldTheSwitch) {
    EXPECT_CALL(platform, OpenManager(kScmCreateAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallNoScm)));
    EXPECT_EQ(RunTarnward(platform, "\"C:\\tools -u\\my-utils\\Tarnward.exe\" -i"), 5u);
}

TEST_F(RunTarnwardTest, UninstallAnswersTheOperationsCode) {
    EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(1115u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kUninstallNoScm)));
    EXPECT_EQ(RunTarnward(platform, "Tarnward.exe -I -U"), 1115u);
}

TEST_F(RunTarnwardTest, QuietShowsNoBoxButAnswersTheSameCodes) {
    EXPECT_EQ(RunTarnward(platform, "Tarnward.exe -q"), kExitNoSwitch);
    EXPECT_CALL(platform, OpenManager(kScmCreateAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_EQ(RunTarnward(platform, "Tarnward.exe -i -q"), 5u);
    EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(1115u));
    EXPECT_EQ(RunTarnward(platform, "Tarnward.exe -U -Q"), 1115u);
    // Only the arguments count, not the program's name.
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kNotForUsers)));
    EXPECT_EQ(RunTarnward(platform, "\"C:\\x -q\\Tarnward.exe\" /i"), kExitNoSwitch);
}

} // namespace
} // namespace tarnward
