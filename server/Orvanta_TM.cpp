// The broadcasting program's entry point: the error log first, then the
// application, the main window and the about window, and the message loop.
#include "MainForm.h"
#include "AboutForm.h"
#include "Log.h"
#include "Settings.h"
#include "Trace.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CLog log(Settings::ProgramFolder() + "errors.log");
    MyLog = &log;
    try {
        Application->Initialize();
        Application->Title = "Orvanta_TM";
        Application->CreateForm(Form1);
        NewAboutWindow();
        Application->Run();
    } catch (const std::exception& e) {
        // An exception that escapes the message loop ends the program quietly.
        Trace::Line(Trace::Server, std::string("message loop: ") + e.what());
    } catch (...) {
        Trace::Line(Trace::Server, "message loop: unknown exception");
    }
    try {
        // The main window's shut-down runs here, while the log still exists.
        DeleteAboutWindow();
        delete Form1;
        Form1 = nullptr;
    } catch (...) {
        Trace::Line(Trace::Server, "shut-down: unknown exception");
    }
    MyLog = nullptr;
    return 0;
}
