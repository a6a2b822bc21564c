// Tarnward's command line. Written from its rules, not from the code: a table of cases
// that the rules decide, checked once, and properties that must hold for any argument
// text: the program name is never searched (whatever it holds, quoted), A to Z count
// as a to z, "-u" added anywhere uninstalls, "-q" added anywhere silences, and text
// without a "-" only shows the message. Every run shows at most one message.
#include "installer/tarnward_constants.h"
#include "installer/tarnward_platform.h"
#include "installer/tarnward_run.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

enum class Chosen { Uninstall, Install, Message };

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

struct Outcome {
    Chosen chosen;
    int messages;

    bool operator==(const Outcome&) const = default;
};

// Runs Tarnward on a command line; which operation started shows in the access it asked
// the manager for.
Outcome Run(const std::string& commandLine) {
    NoScm platform;
    const std::uint32_t exitCode = tarnward::RunTarnward(platform, commandLine);
    if (platform.messages > 1) {
        std::abort();
    }
    switch (platform.managerAccess) {
    case 0x0001:
        return {Chosen::Uninstall, platform.messages};
    case 0x0002:
        return {Chosen::Install, platform.messages};
    case 0:
        if (exitCode != 1 ||
            (platform.messages == 1 &&
             platform.lastMessage != "This program should not be run directly by user")) {
            std::abort();
        }
        return {Chosen::Message, platform.messages};
    default:
        std::abort();
    }
}

struct Case {
    const char* commandLine;
    Chosen chosen;
    bool quiet;
};

// What the rules say of these command lines.
constexpr Case kCases[] = {
    {"Tarnward.exe -i", Chosen::Install, false},
    {"Tarnward.exe -u", Chosen::Uninstall, false},
    {"Tarnward.exe", Chosen::Message, false},
    {"Tarnward.exe -I", Chosen::Install, false},
    {"Tarnward.exe -U -Q", Chosen::Uninstall, true},
    {"Tarnward.exe -i -u", Chosen::Uninstall, false},
    {"Tarnward.exe -u -i", Chosen::Uninstall, false},
    {"Tarnward.exe --info", Chosen::Install, false},
    {"Tarnward.exe x-uy", Chosen::Uninstall, false},
    {"Tarnward.exe -i -q", Chosen::Install, true},
    {"Tarnward.exe -q", Chosen::Message, true},
    {"Tarnward.exe /i", Chosen::Message, false},
    {"Tarnward.exe - i", Chosen::Message, false},
    {"C:\\my-utils\\Tarnward.exe -i", Chosen::Install, false},
    {"\"C:\\Program Files\\my -u tools\\Tarnward.exe\" -i", Chosen::Install, false},
    {"\"C:\\a -u\"b -q\\Tarnward.exe -i", Chosen::Install, true},
    {"Tarnward.exe\t\t-i", Chosen::Install, false},
    {"-u", Chosen::Message, false},
    {"", Chosen::Message, false},
};

void CheckCases() {
    for (const Case& c : kCases) {
        if (Run(c.commandLine) != Outcome{c.chosen, c.quiet ? 0 : 1}) {
            std::abort();
        }
    }
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - ('a' - 'A'));
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CheckCases();
    return 0;
}

// The input is the argument text after a program name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    // Any command line at all ends in one of the three ways.
    Run(arguments);

    const std::string name = "Tarnward.exe ";
    const Outcome plain = Run(name + arguments);
    if (Run("\"C:\\a -u -i -q\\Tarnward.exe\" " + arguments) != plain ||
        Run(name + Upper(arguments)) != plain) {
        std::abort();
    }
    if (Run(name + arguments + " -u").chosen != Chosen::Uninstall ||
        Run(name + arguments + " -q").messages != 0) {
        std::abort();
    }
    if (arguments.find('-') == std::string::npos && plain != Outcome{Chosen::Message, 1}) {
        std::abort();
    }
    return 0;
}
