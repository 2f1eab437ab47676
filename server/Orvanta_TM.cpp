// The broadcasting program's entry point: the error log first, then the
// application, the main window and the about window, and the message loop.
#include "MainForm.h"
#include "Log.h"
#include "Settings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CLog log(Settings::ProgramFolder() + "errors.log");
    MyLog = &log;
    try {
        Application->Initialize();
        Application->Title = "Orvanta_TM";
        Application->CreateForm(Form1);
        CreateAboutWindow();
        Application->Run();
    } catch (...) {
        // An exception that escapes the message loop ends the program quietly.
    }
    try {
        // The main window's shut-down runs here, while the log still exists.
        FreeAboutWindow();
        delete Form1;
        Form1 = nullptr;
    } catch (...) {
    }
    MyLog = nullptr;
    return 0;
}
