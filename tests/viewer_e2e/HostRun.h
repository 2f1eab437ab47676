// The viewer host program run as a browser would run it: a process of its own
// that loads the real control. The test finds the host's windows by process,
// sends mouse clicks and text to the control's form as messages, reads the
// chat box back, and reads the screen with GDI, as a person would look at it.
#pragma once
#include "Registration.h"
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

class THostRun {
public:
    THostRun() = default;
    ~THostRun();
    THostRun(const THostRun&) = delete;
    THostRun& operator=(const THostRun&) = delete;

    // Starts Program (a Windows path of ViewerHost.exe.so) with Arguments and
    // --log LogFile (a Windows path), where the host's lines go. The host gets
    // the test process's environment.
    bool Start(const std::string& Program, const std::string& Arguments, const std::string& LogFile,
               std::string& Error);
    // Waits (serving the calling thread's synchronous calls) until the host's
    // window holds the control's form; false after Ms.
    bool WaitForForm(DWORD Ms);
    HWND HostWindow() const { return FHost; }
    HWND Form() const { return FForm; }

    // A left click at (X, Y) of the form's client area.
    void Click(int X, int Y);
    // Puts Text into the form's input line.
    void SetInputText(const std::string& Text);
    // The chat box's text.
    std::string ChatText();

    // The form's client area at (X, Y), Width x Height, as the screen shows it
    // now: 0x00RRGGBB per pixel, rows top first. False when it cannot be read.
    bool Grab(int X, int Y, int Width, int Height, std::vector<uint32_t>& Pixels);
    bool PixelAt(int X, int Y, uint32_t& Rgb);

    // Waits for the host to end (serving synchronous calls); false after Ms.
    bool WaitEnd(DWORD Ms);
    bool Running();
    DWORD ExitCode();
    // Ends the host at once (a test that gave up on it).
    void Kill();
    std::vector<std::string> LogLines();

private:
    HWND FindChild(HWND Parent, const char* ClassName);
    bool SendToHost(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    PROCESS_INFORMATION FProcess = {};
    std::string FLogFile;
    HWND FHost = nullptr;
    HWND FForm = nullptr;
};

// A path as Windows programs see it (DosPath, Registration.h), and back.
std::string UnixPath(const std::string& WindowsPath);
