#pragma once

#include <string>

namespace tarnsetup {

// Why a folder cannot take the programs; the setup stops before changing anything.
enum class RefusalReason {
    NotLocal,       // not a full path on a drive of this computer
    NotInCodePage,  // a name the ANSI code page cannot hold
    NotWritable,    // no such drive, a file in the path, no rights, a write that failed
    NotProtectable, // a drive that keeps no access rights, or they could not be set
    NotEmpty,       // holds files, and no installation is registered there
    KeptButOpen,    // holds what a removal kept, but others may change it
    UnsafeParent,   // others may rename, delete or re-permit a folder on the path
    Link,           // a folder on the path is a link, a junction or a mount point
    Unlistable,     // what the folder holds cannot be read
    ForeignCode,    // an installation folder holding code the setup did not place
};

struct Refusal {
    RefusalReason reason;
    std::wstring folder;
    // The folder on the path that is at fault, or the names found (one per line).
    std::wstring detail;
    std::uint32_t error = 0; // the Windows error, where one was met
};

// The text the setup shows and logs for it.
std::wstring RefusalMessage(const Refusal& refusal);

} // namespace tarnsetup
