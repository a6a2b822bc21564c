#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnsetup {

// Access rights as Windows numbers them (the Win32 layer checks each against winnt.h).
namespace rights {
inline constexpr std::uint32_t kWriteData = 0x0002;       // FILE_WRITE_DATA, FILE_ADD_FILE
inline constexpr std::uint32_t kAppendData = 0x0004;      // FILE_APPEND_DATA, FILE_ADD_SUBDIRECTORY
inline constexpr std::uint32_t kWriteEa = 0x0010;         // FILE_WRITE_EA
inline constexpr std::uint32_t kDeleteChild = 0x0040;     // FILE_DELETE_CHILD
inline constexpr std::uint32_t kWriteAttributes = 0x0100; // FILE_WRITE_ATTRIBUTES
inline constexpr std::uint32_t kDelete = 0x00010000;
inline constexpr std::uint32_t kWriteDac = 0x00040000;
inline constexpr std::uint32_t kWriteOwner = 0x00080000;
inline constexpr std::uint32_t kGenericAll = 0x10000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;
inline constexpr std::uint32_t kFileAllAccess = 0x001F01FF;
inline constexpr std::uint32_t kFileGenericWrite = 0x00120116;
} // namespace rights

// One entry of an access list, its trustee as a SID string ("S-1-5-32-545").
struct AccessEntry {
    bool allows = true;
    bool inheritOnly = false; // only for what is made inside later, not for the object
    std::uint32_t mask = 0;
    std::wstring sid;
};

// What the setup needs of an object's security descriptor. No access list at all
// means that everybody may do everything.
struct ObjectSecurity {
    std::wstring owner;
    std::optional<std::vector<AccessEntry>> dacl;
};

// The rights on the object of everybody the setup does not trust: everyone but the
// system, the administrators, the installer service and the account the setup runs
// as (`self`, an administrator). Generic rights count as the file rights they stand
// for; deny entries are not subtracted, so the answer errs on the side of refusing.
std::uint32_t RightsOfOthers(const ObjectSecurity& object, std::wstring_view self);

bool IsTrustedOwner(const ObjectSecurity& object, std::wstring_view self);

// Whether others could delete, rename or re-permit the folder `component` on the
// path to the program folder: DELETE, WRITE_DAC or WRITE_OWNER on it, an owner the
// setup does not trust, or FILE_DELETE_CHILD on `parent`, the folder that holds it.
bool OthersMayReplace(const ObjectSecurity& component, const ObjectSecurity& parent,
                      std::wstring_view self);
// Whether others may delete the folder `child` through its parent alone.
bool OthersMayDeleteChildren(const ObjectSecurity& parent, std::wstring_view self);

// Whether a folder that a removal left (settings and log) was kept by administrators
// alone: owned by a trusted owner, and nobody else may write, delete or re-permit in it.
bool IsKeptByAdministrators(const ObjectSecurity& folder, std::wstring_view self);

} // namespace tarnsetup
