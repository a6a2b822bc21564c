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
using ::testing::StrEq;
using ::testing::StrictMock;

const ServicePath kNoFolder{ServicePathError::NoOwnFolder};

class ServicePathTest : public ::testing::Test {
protected:
    // A single-byte code page that holds every character of the program's path.
    ServicePathTest() {
        EXPECT_CALL(platform, IsLeadByte(_)).WillRepeatedly(Return(false));
        EXPECT_CALL(platform, NamesRunningProgram(_)).WillRepeatedly(Return(true));
    }

    ServicePath PathFor(const std::string& ownPath) {
        EXPECT_CALL(platform, ModuleFileName(_, _))
            .WillRepeatedly(Invoke(AnswerModulePath(ownPath)));
        return BuildServicePath(platform);
    }

    StrictMock<MockPlatform> platform;
};

TEST_F(ServicePathTest, LowerCasesTheFolderAndQuotesTheWhole) {
    EXPECT_EQ(PathFor("D:\\Apps\\VPN\\Tarnward.exe"), ServicePath{"\"d:\\apps\\vpn\\Proxy.exe\""});
    EXPECT_EQ(PathFor("C:\\Program Files\\Tarn Link\\TARNWARD.EXE"),
              ServicePath{"\"c:\\program files\\tarn link\\Proxy.exe\""});
    // Only A to Z change; 8-bit letters of the ANSI code page stay as they are.
    EXPECT_EQ(PathFor("C:\\\xC4rger\\\xE9T\\Tarnward.exe"),
              ServicePath{"\"c:\\\xC4rger\\\xE9t\\Proxy.exe\""});
    EXPECT_EQ(PathFor("\\\\Server\\Share\\x.exe"), ServicePath{"\"\\\\server\\share\\Proxy.exe\""});
}

TEST_F(ServicePathTest, DoubleByteCharactersStayWhole) {
    // As in code page 932: after the lead byte 0x95, 'A' and '\\' are trail bytes.
    EXPECT_CALL(platform, IsLeadByte(_)).WillRepeatedly(Invoke([](char c) { return c == '\x95'; }));
    EXPECT_EQ(PathFor("C:\\Tools\\\x95"
                      "A\x95\\Dir\\Tarn\x95\\.exe"),
              ServicePath{"\"c:\\tools\\\x95"
                          "A\x95\\dir\\Proxy.exe\""});
}

TEST_F(ServicePathTest, NoneWhenTheReadPathIsNotTheProgramsOwn) {
    // Asked with the path as read, before lower-casing.
    EXPECT_CALL(platform, NamesRunningProgram(StrEq("C:\\Lodz\\Tarnward.exe")))
        .WillOnce(Return(false));
    EXPECT_EQ(PathFor("C:\\Lodz\\Tarnward.exe"), ServicePath{ServicePathError::NotInCodePage});
}

TEST_F(ServicePathTest, NothingWithoutABackslash) {
    EXPECT_EQ(PathFor("Tarnward.exe"), kNoFolder);
    EXPECT_EQ(PathFor("C:/Apps/Tarnward.exe"), kNoFolder);
    EXPECT_EQ(PathFor(""), kNoFolder);
}

TEST_F(ServicePathTest, NothingWhenThePathCannotBeRead) {
    EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Return(0u));
    EXPECT_EQ(BuildServicePath(platform), kNoFolder);
}

TEST_F(ServicePathTest, LongPathIsReadInFullWithALargerBuffer) {
    const std::string folder = "C:\\" + std::string(300, 'D') + "\\";
    const ServicePath expected = "\"c:\\" + std::string(300, 'd') + "\\Proxy.exe\"";
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
    const ServicePath expected = "\"c" + folder.substr(1) + "Proxy.exe\"";
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
    EXPECT_EQ(BuildServicePath(platform),
              ServicePath{"\"c:\\" + std::string(400, 'x') + "\\Proxy.exe\""});
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
    EXPECT_EQ(BuildServicePath(platform), kNoFolder);
    EXPECT_GE(largest, 65536u);
    EXPECT_LE(largest, kOwnPathSizeLimit);
}

} // namespace
} // namespace tarnward
