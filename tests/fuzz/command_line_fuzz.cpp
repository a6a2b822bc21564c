// Tarnward's whole command line, any bytes: the operation it starts must be the one
// a plain reading of its rules gives. The model below is written from those rules,
// not from the code: skip the program name (it ends at the first byte of 0x20 or
// less outside double quotes, each quote switching), skip such bytes after it,
// lower-case A to Z, then "-u" anywhere wins over "-i" anywhere, else the message;
// "-q" anywhere shows no message at all.
#include "installer/tarnward_constants.h"
#include "installer/tarnward_platform.h"
#include "installer/tarnward_run.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

enum class Chosen { Uninstall, Install, Message };

struct Expected {
    Chosen chosen;
    bool quiet;
};

Expected Model(const std::string& commandLine) {
    std::size_t at = 0;
    bool insideQuotes = false;
    while (at < commandLine.size()) {
        const auto code = static_cast<unsigned char>(commandLine[at]);
        if (code == '"') {
            insideQuotes = !insideQuotes;
        } else if (code <= 0x20 && !insideQuotes) {
            break;
        }
        ++at;
    }
    while (at < commandLine.size() && static_cast<unsigned char>(commandLine[at]) <= 0x20) {
        ++at;
    }
    std::string arguments;
    for (; at < commandLine.size(); ++at) {
        const char c = commandLine[at];
        arguments += c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    bool uninstall = false;
    bool install = false;
    bool quiet = false;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        uninstall = uninstall || (arguments[i] == '-' && arguments[i + 1] == 'u');
        install = install || (arguments[i] == '-' && arguments[i + 1] == 'i');
        quiet = quiet || (arguments[i] == '-' && arguments[i + 1] == 'q');
    }
    return {uninstall ? Chosen::Uninstall : install ? Chosen::Install : Chosen::Message, quiet};
}

// A machine without a Service Control Manager: the operation shows which one was
// started by the access it asks for, and ends at once.
class NoScm : public tarnward::ITarnwardPlatform {
public:
    Handle OpenManager(std::uint32_t access) override {
        managerAccess = access;
        return nullptr;
    }
    Handle OpenNamedService(Handle, const char*, std::uint32_t) override { std::abort(); }
    bool QueryState(Handle, std::uint32_t&) override { std::abort(); }
    bool SendStop(Handle) override { std::abort(); }
    bool Delete(Handle) override { std::abort(); }
    Handle Create(Handle, const tarnward::ServiceRegistration&) override { std::abort(); }
    void SetDescription(Handle, const char*) override { std::abort(); }
    void SetFailureActions(Handle, const tarnward::FailureActions&) override { std::abort(); }
    void Close(Handle) override { std::abort(); }
    std::uint32_t ModuleFileName(char*, std::uint32_t) override { std::abort(); }
    bool NamesRunningProgram(const char*) override { std::abort(); }
    bool IsLeadByte(char) override { std::abort(); }
    std::uint32_t LastError() override { return kDenied; }
    void Wait(std::uint32_t) override { std::abort(); }
    void ShowMessage(const tarnward::MessageText& message) override {
        ++messages;
        lastMessage = message.text;
    }

    static constexpr std::uint32_t kDenied = 5;
    std::uint32_t managerAccess = 0;
    int messages = 0;
    std::string lastMessage;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string commandLine(reinterpret_cast<const char*>(data), size);
    NoScm platform;
    const std::uint32_t exitCode = tarnward::RunTarnward(platform, commandLine);
    const Expected expected = Model(commandLine);
    // Every way ends in one failure message: none when quiet.
    if (platform.messages != (expected.quiet ? 0 : 1)) {
        std::abort();
    }
    switch (expected.chosen) {
    case Chosen::Uninstall:
        if (platform.managerAccess != 0x0001 || exitCode != NoScm::kDenied) {
            std::abort();
        }
        break;
    case Chosen::Install:
        if (platform.managerAccess != 0x0002 || exitCode != NoScm::kDenied) {
            std::abort();
        }
        break;
    case Chosen::Message:
        if (platform.managerAccess != 0 || exitCode != 1 ||
            (!expected.quiet &&
             platform.lastMessage != "This program should not be run directly by user")) {
            std::abort();
        }
        break;
    }
    return 0;
}
