#pragma once

#include <string_view>

// True when path, as CreateFileW would take it, names a device, a pipe or another
// object that is not a file on a disk or a share: the device namespace ("\\.\"), a
// "\\?\" path other than a drive's or a share's, an NT path ("\??\"), the pipes and
// mailslots of a server, or a DOS device name (CON, NUL, COM1...) as the last
// component. Opening such a name may reach hardware or a pipe server that could act
// with the opener's rights.
bool IsDevicePath(std::wstring_view path);
