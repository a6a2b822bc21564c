// Not a test itself: the 32-bit machine's setup job runs it on the programs a signed
// setup installed. It trusts the test CA (adds it to the machine's root store), asks
// WinVerifyTrust about each file and prints its answer; 0 only when every file is
// signed, unchanged and chains to a trusted root.
//   signature_check CA.pem FILE...
// Wine's Authenticode policy checks the digest but accepts any chain when the signer's
// certificate is signed with SHA-256, so the signer's chain is checked again here.
#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool TrustRoot(const wchar_t* pemPath) {
    std::ifstream in(pemPath, std::ios::binary);
    const std::string pem(std::istreambuf_iterator<char>(in), {});
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr))
        return false;
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              der.data(), &size, nullptr, nullptr))
        return false;
    HCERTSTORE root =
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (root == nullptr)
        return false;
    const BOOL added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), size,
                                                        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(root, 0);
    return added != FALSE;
}

LONG Verify(const wchar_t* path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path;
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);

    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer =
        provider != nullptr ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    if (result == ERROR_SUCCESS && (signer == nullptr || signer->pChainContext == nullptr))
        result = TRUST_E_NOSIGNATURE;
    if (result == ERROR_SUCCESS) {
        CERT_CHAIN_POLICY_PARA policy{};
        policy.cbSize = sizeof policy;
        CERT_CHAIN_POLICY_STATUS status{};
        status.cbSize = sizeof status;
        if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, signer->pChainContext,
                                              &policy, &status))
            result = static_cast<LONG>(GetLastError());
        else if (status.dwError != ERROR_SUCCESS)
            result = static_cast<LONG>(status.dwError);
    }
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: signature_check CA.pem FILE...\n", stderr);
        return 2;
    }
    if (!TrustRoot(argv[1])) {
        std::printf("the CA could not be trusted (%lu)\n", GetLastError());
        return 2;
    }
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const LONG result = Verify(argv[i]);
        std::printf("%ls: 0x%08lX\n", argv[i], static_cast<unsigned long>(result));
        if (result != ERROR_SUCCESS)
            status = 1;
    }
    return status;
}
