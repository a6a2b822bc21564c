#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnsetup {

struct FolderEntry {
    std::wstring name;
    bool directory = false;
    bool reparsePoint = false; // a junction, symbolic link or mount point
};

// Whether a folder that is not the registered installation may take the programs:
// empty, or holding only what a removal keeps (the settings, the log, copies left
// by a save that stopped, and the uninstaller a removal in place leaves until
// Windows restarts).
enum class FolderContents { Empty, KeptInstallation, Other };

// `logName` is the name of the log file when the settings name one directly in the
// folder (empty otherwise); the default log name always counts.
FolderContents ClassifyContents(const std::vector<FolderEntry>& entries, std::wstring_view logName);

// Whether the loader could take the file for code, or be steered by it: programs,
// libraries, drivers, control-panel items, screen savers, and the redirection
// files ".local" and ".manifest".
bool IsCodeFile(std::wstring_view name);
// Whether the setup places a file of this name directly in the program folder.
bool IsPlacedBySetup(std::wstring_view name);

// The name when it is one plain file name (no path, no wildcard), otherwise empty:
// how a log that the settings name counts as one of the folder's own files.
std::wstring FileNameIn(std::wstring_view folder, std::wstring_view path);

} // namespace tarnsetup
