#include "setup/tarnsetup/folder_access.h"
#include "setup/tarnsetup/folder_contents.h"
#include "setup/tarnsetup/folder_refusal.h"
#include "setup/tarnsetup/install_path.h"

#include <gtest/gtest.h>

namespace tarnsetup {
namespace {

TEST(InstallPath, TakesFullPathsBelowADriveAndRefusesNamesWindowsWouldReadOtherwise) {
    const auto path = ParseInstallPath(L"D:\\Apps\\Tarn link\\");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->root, L"D:\\");
    EXPECT_EQ(path->components, (std::vector<std::wstring>{L"Apps", L"Tarn link"}));
    EXPECT_EQ(path->Prefix(0), L"D:\\");
    EXPECT_EQ(path->Prefix(1), L"D:\\Apps");
    EXPECT_EQ(path->Full(), L"D:\\Apps\\Tarn link");
    for (const wchar_t* refused :
         {L"\\\\server\\share\\Tarnlink", L"\\\\?\\C:\\Tarnlink", L"\\\\.\\C:\\Tarnlink",
          L"C:Tarnlink", L"C:\\", L"Tarnlink", L"C:\\Apps\\..\\Windows", L"C:\\.\\Tarnlink",
          L"C:\\Apps\\\\Tarnlink", L"C:\\Tarnlink.", L"C:\\Tarnlink ", L"C:\\Tarn*link",
          L"C:\\Tarn/link", L"C:\\Tarnlink\\CON", L"C:\\nul.txt\\Tarnlink", L"C:\\com1"}) {
        EXPECT_FALSE(ParseInstallPath(refused)) << refused;
    }
    EXPECT_TRUE(ParseInstallPath(L"C:\\Console\\COM10\\conX"));
}

constexpr wchar_t kSelf[] = L"S-1-5-21-1-2-3-1001";
constexpr wchar_t kUsers[] = L"S-1-5-32-545";
constexpr wchar_t kAuthenticatedUsers[] = L"S-1-5-11";
constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
constexpr wchar_t kSystem[] = L"S-1-5-18";

ObjectSecurity Owned(const wchar_t* owner, std::vector<AccessEntry> entries) {
    return ObjectSecurity{owner, std::move(entries)};
}

const ObjectSecurity kProtected =
    Owned(kAdministrators, {{true, false, rights::kFileAllAccess, kSystem},
                            {true, false, rights::kFileAllAccess, kAdministrators},
                            {true, false, 0x1200a9, kUsers},
                            // CREATOR OWNER's entry only reaches what is made inside.
                            {true, true, rights::kGenericAll, L"S-1-3-0"}});

TEST(FolderAccess, OthersMayReplaceAFolderThroughItsRightsItsOwnerOrItsParent) {
    const ObjectSecurity modify =
        Owned(kAdministrators, {{true, false, 0x1301bf, kAuthenticatedUsers}});
    const ObjectSecurity genericAll = Owned(kSystem, {{true, false, rights::kGenericAll, kUsers}});
    const ObjectSecurity writeDac = Owned(kSystem, {{true, false, rights::kWriteDac, kUsers}});
    const ObjectSecurity deleteChild =
        Owned(kSystem, {{true, false, rights::kDeleteChild, kUsers}});
    const ObjectSecurity userOwned = Owned(kUsers, {});
    const ObjectSecurity noDacl{kAdministrators, std::nullopt};
    const ObjectSecurity ownerRights =
        Owned(kUsers, {{false, false, rights::kFileAllAccess, L"S-1-3-4"}});
    const ObjectSecurity writeOnly =
        Owned(kAdministrators, {{true, false, rights::kGenericWrite, kUsers}});
    const ObjectSecurity selfOwned = Owned(kSelf, {{true, false, rights::kFileAllAccess, kSelf}});

    EXPECT_FALSE(OthersMayReplace(kProtected, kProtected, kSelf));
    EXPECT_FALSE(OthersMayReplace(selfOwned, kProtected, kSelf));
    // Creating files is no right to replace the folder; its parent then decides.
    EXPECT_FALSE(OthersMayReplace(writeOnly, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(modify, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(genericAll, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(writeDac, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(userOwned, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(noDacl, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(ownerRights, kProtected, kSelf));
    EXPECT_TRUE(OthersMayReplace(kProtected, deleteChild, kSelf));
    EXPECT_TRUE(OthersMayDeleteChildren(genericAll, kSelf));
    EXPECT_FALSE(OthersMayDeleteChildren(modify, kSelf));

    // A kept folder must not let others write at all.
    EXPECT_TRUE(IsKeptByAdministrators(kProtected, kSelf));
    EXPECT_TRUE(IsKeptByAdministrators(selfOwned, kSelf));
    EXPECT_FALSE(IsKeptByAdministrators(writeOnly, kSelf));
    EXPECT_FALSE(IsKeptByAdministrators(userOwned, kSelf));
    EXPECT_FALSE(IsKeptByAdministrators(selfOwned, L"S-1-5-21-1-2-3-1002"));
}

std::vector<FolderEntry> Files(std::initializer_list<const wchar_t*> names) {
    std::vector<FolderEntry> entries;
    for (const wchar_t* name : names) {
        entries.push_back({name, false, false});
    }
    return entries;
}

TEST(FolderContents, AKeptInstallationHoldsOnlyWhatARemovalLeaves) {
    EXPECT_EQ(ClassifyContents({}, L""), FolderContents::Empty);
    EXPECT_EQ(ClassifyContents(Files({L"settings.INI", L"TarnlinkLog.txt", L"trn3F2A.tmp",
                                      L"Uninstall.exe", L"service.log"}),
                               L"Service.log"),
              FolderContents::KeptInstallation);
    EXPECT_EQ(ClassifyContents(Files({L"Settings.ini", L"service.log"}), L""),
              FolderContents::Other);
    EXPECT_EQ(ClassifyContents(Files({L"Settings.ini", L"Tarnward.exe"}), L""),
              FolderContents::Other);
    EXPECT_EQ(ClassifyContents({{L"Settings.ini", true, false}}, L""), FolderContents::Other);
    EXPECT_EQ(ClassifyContents({{L"TarnlinkLog.txt", false, true}}, L""), FolderContents::Other);

    EXPECT_EQ(FileNameIn(L"C:\\Keep", L"c:\\keep\\Service.log"), L"Service.log");
    for (const wchar_t* other : {L"C:\\Keep\\logs\\a.log", L"C:\\Keep\\*.*", L"C:\\Keeper\\a.log",
                                 L"C:\\Keep\\", L"D:\\a.log", L"a.log"}) {
        EXPECT_EQ(FileNameIn(L"C:\\Keep", other), L"") << other;
    }
}

TEST(FolderContents, CodeIsTheLoadersFilesAndOnlyTheSetupsOwnAreItsOwn) {
    for (const wchar_t* code : {L"version.DLL", L"x.exe", L"Tarnlink.exe.local", L"a.manifest",
                                L"riched20.dll", L"x.ocx", L"x.cpl"}) {
        EXPECT_TRUE(IsCodeFile(code)) << code;
    }
    for (const wchar_t* data : {L"Settings.ini", L"Tarnlink.exe.earlier", L"log.txt", L"dll"}) {
        EXPECT_FALSE(IsCodeFile(data)) << data;
    }
    for (const wchar_t* own : {L"TARNLINK.EXE", L"Tarnward.exe", L"Proxy.exe", L"Uninstall.exe"}) {
        EXPECT_TRUE(IsPlacedBySetup(own)) << own;
    }
    EXPECT_FALSE(IsPlacedBySetup(L"Proxy.dll"));
}

TEST(RefusalMessage, NamesTheFolderAndWhatIsAtFault) {
    const std::wstring parent =
        RefusalMessage({RefusalReason::UnsafeParent, L"D:\\Apps\\Tarnlink", L"D:\\Apps", 0});
    EXPECT_NE(parent.find(L"D:\\Apps\\Tarnlink\r\n"), std::wstring::npos) << parent;
    EXPECT_NE(parent.find(L"\r\nD:\\Apps\r\n"), std::wstring::npos) << parent;
    const std::wstring foreign = RefusalMessage(
        {RefusalReason::ForeignCode, L"C:\\Tarnlink", L"version.dll\r\nsub\\x.exe", 0});
    EXPECT_NE(foreign.find(L"version.dll\r\nsub\\x.exe"), std::wstring::npos) << foreign;
    EXPECT_NE(foreign.find(L"earlier installation is kept"), std::wstring::npos) << foreign;
    const std::wstring unlisted = RefusalMessage({RefusalReason::Unlistable, L"C:\\T", L"", 5});
    EXPECT_NE(unlisted.find(L"(error 5)"), std::wstring::npos) << unlisted;
    EXPECT_NE(unlisted.find(L"Nothing was installed."), std::wstring::npos) << unlisted;
}

} // namespace
} // namespace tarnsetup
