#include "tests/support/resource_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// What the shipped Tarnward.exe carries besides its code, read from the built file.
namespace {

// The version block's strings: US English, in the program's code page.
constexpr char kStrings[] = "040904b0";

std::string TarnwardPath() {
    return ShippedProgramPath("Tarnward.exe");
}

TEST(ShippedProgram, CarriesItsVersionStrings) {
    const std::string path = TarnwardPath();
    const std::vector<BYTE> info = VersionInfo(path);
    ASSERT_FALSE(info.empty());

    EXPECT_EQ(VersionString(info, kStrings, "FileDescription"), "Tarnlink Configurator");
    EXPECT_EQ(VersionString(info, kStrings, "InternalName"), "Tarnward");
    EXPECT_EQ(VersionString(info, kStrings, "OriginalFilename"), "Tarnward.exe");
    EXPECT_EQ(VersionString(info, kStrings, "ProductName"), "Tarnlink");
    EXPECT_EQ(VersionString(info, kStrings, "FileVersion"), "0, 90, 0, 0");
    EXPECT_EQ(VersionString(info, kStrings, "ProductVersion"), "0, 90, 0, 0");

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &fixed, &length));
    const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(version->dwFileVersionMS, 0x0000005Au);
    EXPECT_EQ(version->dwFileVersionLS, 0u);
    EXPECT_EQ(version->dwProductVersionMS, 0x0000005Au);
    EXPECT_EQ(version->dwProductVersionLS, 0u);
}

TEST(ShippedProgram, HasManifestWithoutElevationRequestAndAnIconOfSeveralSizes) {
    const CResourceFile program(TarnwardPath());
    ASSERT_TRUE(program.IsLoaded());

    const std::string manifest = program.Bytes(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("<assembly"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedPrivileges"), std::string::npos);
    // Its message boxes are sharp at any display scale.
    EXPECT_NE(manifest.find(">PerMonitorV2, system</dpiAwareness>"), std::string::npos);

    // The icon group starts with reserved, type and the number of images.
    const std::string group = program.Bytes(RT_GROUP_ICON, 100);
    ASSERT_GE(group.size(), 6u);
    WORD images = 0;
    std::memcpy(&images, group.data() + 4, sizeof images);
    EXPECT_GE(images, 3u);
}

TEST(ShippedProgram, RunsInTheGraphicalSubsystemWithoutConsole) {
    std::ifstream file(TarnwardPath(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    IMAGE_DOS_HEADER dos{};
    ASSERT_GE(bytes.size(), sizeof dos);
    std::memcpy(&dos, bytes.data(), sizeof dos);
    const std::size_t subsystemAt = static_cast<std::size_t>(dos.e_lfanew) +
                                    offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                                    offsetof(IMAGE_OPTIONAL_HEADER, Subsystem);
    ASSERT_GE(bytes.size(), subsystemAt + sizeof(WORD));
    WORD subsystem = 0;
    std::memcpy(&subsystem, bytes.data() + subsystemAt, sizeof subsystem);
    EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

} // namespace
