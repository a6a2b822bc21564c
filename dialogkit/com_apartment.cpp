#include "dialogkit/com_apartment.h"

#include <objbase.h>

CComApartment::CComApartment()
    : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}

CComApartment::~CComApartment() {
    // Every successful call, S_FALSE included, is matched by one uninitialisation.
    if (SUCCEEDED(m_result)) {
        ::CoUninitialize();
    }
}
