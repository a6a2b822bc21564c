// Stands in for the web browser and the mail program while a scenario runs: registered
// as the shell's handler of "http:" and "mailto:" addresses, it appends the address it
// is given as one line to the record file named before it on its command line.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) {
        return 1;
    }
    const std::wstring address = arguments[2];
    FILE* record = _wfopen(arguments[1], L"ab");
    LocalFree(arguments);
    if (record == nullptr) {
        return 1;
    }
    // Addresses are ASCII.
    const std::string line(address.begin(), address.end());
    std::fprintf(record, "%s\n", line.c_str());
    std::fclose(record);
    return 0;
}
