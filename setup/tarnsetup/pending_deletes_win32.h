#pragma once

#include <string>

namespace tarnsetup {

// Takes back the deletions at the next start of Windows that were asked for files
// directly in the folder (as a removal in place asks for its own uninstaller), so
// that the files a new installation writes there stay.
void DropPendingDeletes(const std::wstring& folder);

} // namespace tarnsetup
