#include "installer/tarnward_run.h"
#include "installer/win32_platform.h"
#include "testing/tarnward_recording/message_record.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>

namespace {

// Tarnward for unattended tests: every operation is the real one except the message
// box, which is recorded so no run waits for a button press.
class CRecordingPlatform final : public tarnward::CWin32Platform {
public:
    void ShowMessage(const tarnward::MessageText& message) override {
        const char* logPath = std::getenv(tarnward::kMessageLogVariable);
        if (logPath == nullptr) {
            return;
        }
        std::ofstream log(logPath, std::ios::binary | std::ios::app);
        log << tarnward::FormatMessageRecord(message);
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CRecordingPlatform platform;
    return static_cast<int>(tarnward::RunTarnward(platform, GetCommandLineA()));
}
