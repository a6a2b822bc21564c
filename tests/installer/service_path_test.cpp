#include "installer/service_path.h"
#include "mock_platform.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnward {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::StrictMock;

class ServicePathTest : public ::testing::Test {
protected:
    std::optional<std::string> PathFor(const std::string& ownPath) {
        EXPECT_CALL(platform, ModuleFileName(_, _))
            .WillRepeatedly(Invoke(AnswerModulePath(ownPath)));
        return BuildServicePath(platform);
    }

    StrictMock<MockPlatform> platform;
};

TEST_F(ServicePathTest, LowerCasesTheFolderAndQuotesTheWhole) {
    EXPECT_EQ(PathFor("D:\\Apps\\VPN\\Tarnward.exe"), "\"d:\\apps\\vpn\\Proxy.exe\"");
    EXPECT_EQ(PathFor("C:\\Program Files\\Tarn Link\\TARNWARD.EXE"),
              "\"c:\\program files\\tarn link\\Proxy.exe\"");
    // Only A to Z change; 8-bit letters of the ANSI code page stay as they are.
    EXPECT_EQ(PathFor("C:\\\xC4rger\\\xE9T\\Tarnward.exe"), "\"c:\\\xC4rger\\\xE9t\\Proxy.exe\"");
    EXPECT_EQ(PathFor("\\\\Server\\Share\\x.exe"), "\"\\\\server\\share\\Proxy.exe\"");
}

TEST_F(ServicePathTest, NothingWithoutABackslash) {
    EXPECT_EQ(PathFor("Tarnward.exe"), std::nullopt);
    EXPECT_EQ(PathFor("C:/Apps/Tarnward.exe"), std::nullopt);
    EXPECT_EQ(PathFor(""), std::nullopt);
}

TEST_F(ServicePathTest, NothingWhenThePathCannotBeRead) {
    EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Return(0u));
    EXPECT_EQ(BuildServicePath(platform), std::nullopt);
}

TEST_F(ServicePathTest, LongPathIsReadInFullWithALargerBuffer) {
    const std::string folder = "C:\\" + std::string(300, 'D') + "\\";
    const std::string expected = "\"c:\\" + std::string(300, 'd') + "\\Proxy.exe\"";
    InSequence order;
    EXPECT_CALL(platform, ModuleFileName(_, 260u))
        .WillOnce(Invoke(AnswerModulePath(folder + "Tarnward.exe")));
    EXPECT_CALL(platform, ModuleFileName(_, 520u))
        .WillOnce(Invoke(AnswerModulePath(folder + "Tarnward.exe")));
    EXPECT_EQ(BuildServicePath(platform), expected);
}

TEST_F(ServicePathTest, BufferGrowsExactlyWhenThePathFillsIt) {
    // 259 bytes and the terminator fit in 260 bytes; 260 bytes do not.
    const std::string folder = "C:\\" + std::string(243, 'a') + "\\";
    const std::string fits = folder + "Tarnward.exe";
    const std::string filled = folder + "Tarnward1.exe";
    ASSERT_EQ(fits.size(), 259u);
    const std::string expected = "\"c" + folder.substr(1) + "Proxy.exe\"";
    {
        InSequence order;
        EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Invoke(AnswerModulePath(fits)));
        EXPECT_EQ(BuildServicePath(platform), expected);
    }
    {
        InSequence order;
        EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Invoke(AnswerModulePath(filled)));
        EXPECT_CALL(platform, ModuleFileName(_, 520u)).WillOnce(Invoke(AnswerModulePath(filled)));
        EXPECT_EQ(BuildServicePath(platform), expected);
    }
}

TEST_F(ServicePathTest, CutPathWithoutTerminatorIsNeverUsed) {
    // Older Windows fills the whole buffer without a terminator and answers its size.
    const std::string path = "C:\\" + std::string(400, 'x') + "\\Tarnward.exe";
    EXPECT_CALL(platform, ModuleFileName(_, _))
        .WillRepeatedly(Invoke([&path](char* buffer, std::uint32_t size) -> std::uint32_t {
            if (path.size() >= size) {
                std::memcpy(buffer, path.data(), size);
                return size;
            }
            std::memcpy(buffer, path.data(), path.size());
            return static_cast<std::uint32_t>(path.size());
        }));
    EXPECT_EQ(BuildServicePath(platform), "\"c:\\" + std::string(400, 'x') + "\\Proxy.exe\"");
}

TEST_F(ServicePathTest, PlatformThatNeverFitsEndsWithoutAPath) {
    std::uint32_t largest = 0;
    EXPECT_CALL(platform, ModuleFileName(_, _))
        .WillRepeatedly(Invoke([&largest](char* buffer, std::uint32_t size) {
            buffer[0] = 'C';
            buffer[1] = '\\';
            largest = size;
            return size;
        }));
    EXPECT_EQ(BuildServicePath(platform), std::nullopt);
    EXPECT_GE(largest, 65536u);
    EXPECT_LE(largest, kOwnPathSizeLimit);
}

} // namespace
} // namespace tarnward
