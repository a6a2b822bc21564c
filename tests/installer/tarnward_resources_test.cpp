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

std::string TarnwardPath() {
    return ShippedProgramPath("Tarnward.exe");
}

std::string VersionString(const std::vector<BYTE>& info, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueA(info.data(), key.c_str(), &value, &length) || length == 0) {
        return "<missing>";
    }
    return static_cast<const char*>(value);
}

TEST(ShippedProgram, CarriesItsVersionStrings) {
    const std::string path = TarnwardPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_NE(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    EXPECT_EQ(VersionString(info, "FileDescription"), "Tarnlink Configurator");
    EXPECT_EQ(VersionString(info, "InternalName"), "Tarnward");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "Tarnward.exe");
    EXPECT_EQ(VersionString(info, "ProductName"), "Tarnlink");
    EXPECT_EQ(VersionString(info, "FileVersion"), "0, 90, 0, 0");
    EXPECT_EQ(VersionString(info, "ProductVersion"), "0, 90, 0, 0");

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
