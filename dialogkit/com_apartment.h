#pragma once

#include <windows.h>

// COM initialised apartment-threaded on the calling thread for the object's life.
// The shell's ShellExecuteW wants it on a thread that calls it: some handlers of the
// addresses it opens are COM objects.
class CComApartment {
public:
    CComApartment();
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment();

private:
    HRESULT m_result;
};
