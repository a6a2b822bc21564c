#pragma once

#include "testing/standin_proxy/behaviour.h"

#include <windows.h>

#include <string>

// A copy of the stand-in Proxy.exe in a fresh temporary folder whose name holds a
// space, for tests that run it as the proxy service. Removes the service's
// registration and the folder when destroyed.
class CStandinInstall {
public:
    // Creates the folder and copies Proxy.exe from beside the running program.
    CStandinInstall();
    CStandinInstall(const CStandinInstall&) = delete;
    CStandinInstall& operator=(const CStandinInstall&) = delete;
    ~CStandinInstall();

    // 0 when the folder and the copy are ready, otherwise the error code.
    DWORD SetupError() const { return m_setupError; }
    // The folder, ending in a backslash.
    const std::string& Folder() const { return m_folder; }
    std::string PathOf(const std::string& fileName) const { return m_folder + fileName; }

    // Copies another program from beside the running one into the folder.
    DWORD CopyProgram(const std::string& fileName) const;
    DWORD WriteFile(const std::string& fileName, const std::string& contents) const;
    DWORD WriteBehaviour(const standin::Behaviour& behaviour) const;
    // The whole file, opened so that a writer holding it open is not disturbed;
    // empty when it cannot be read.
    std::string ReadFile(const std::string& fileName) const;

    // Registers the copy as the proxy service, with its path quoted. Returns 0 or
    // the error code.
    DWORD Register() const;
    // Stops and removes the registration; true when none is left.
    bool Unregister() const;

private:
    std::string m_folder;
    DWORD m_setupError = 0;
};
