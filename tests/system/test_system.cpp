// The whole system on this machine: the real broadcasting program, and the viewer
// host running the real viewer control against it, as a visitor's browser would.
// Winsock first: its headers must precede the C library's.
#include "ProgramKit.h"
#include "test_gtest.h"
#include "HostRun.h"

namespace {

using namespace programtest;

std::string FreeViewingSetup(const std::string& folder)
{
    return SetupIni({{"AUTOVIDEO_STATE", "0"}, {"AUTOONLINE_STATE", "0"}, {"AUTOOFFLINE_STATE", "0"},
                     {"SOUND", "0"}, {"AVAL", "0"}, {"PASS", ""}, {"PRICE", "0"},
                     {"SKIN", folder + "SKINS\\Korvel2.skn"}});
}

// Where the 320 x 240 layout ("prop3") puts the control's buttons (69 x 19).
const int SendX = 100 + 34, SendY = 465 + 9, CallX = 252 + 34, CallY = 308 + 9;

TEST(System, ViewerWatchesChatsAndCallsTheBroadcastingProgram)
{
    ASSERT_EQ(0, Regsvr32(QUENDA_DLL));
    Program p("system");
    p.WriteFile("setup.ini", FreeViewingSetup(p.Folder()));
    ASSERT_TRUE(p.Start());

    THostRun host;
    std::string error;
    std::string args = "--unattended --seconds 90 127.0.0.1 " + IntToStr(p.Port()) + " prop3.skn";
    ASSERT_TRUE(host.Start(DosPath(HOST_PROGRAM), args, p.Folder() + "host.log", error)) << error;
    ASSERT_TRUE(host.WaitForForm(30000));

    // The viewer's three streams make it a visitor in the operator's online list.
    ASSERT_TRUE(WaitUntil([&] { return p.ListRows() == 1; }, 20000));
    EXPECT_EQ(p.RowAddress(0), "127.0.0.1");

    // A line typed in the control reaches the operator's chat memo, lower-cased as
    // the server reads it, with "+" and "&" as typed.
    host.SetInputText("Hello a+b & c");
    host.Click(SendX, SendY);
    HWND memo = p.ChatMemo();
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return p.Text(memo).find("guest: hello a+b & c") != std::string::npos; }, 15000))
        << p.Text(memo);

    // The operator's reply reaches the control's chat box.
    HWND edit = p.ChatEdit();
    ASSERT_NE(edit, nullptr);
    p.SetText(edit, "Welcome");
    ASSERT_TRUE(p.ClickButton("Send"));
    EXPECT_TRUE(WaitUntil([&] { return host.ChatText().find("Server: Welcome") != std::string::npos; }, 15000))
        << host.ChatText();

    // Call raises the visitor's alarm mark; the operator's alarm stop clears it.
    host.Click(CallX, CallY);
    EXPECT_TRUE(WaitUntil([&] { return p.RowImage(0) == 1; }, 15000));
    ASSERT_TRUE(p.ClickButton("Alarm on/off"));
    EXPECT_TRUE(WaitUntil([&] { return p.RowImage(0) == 0; }, 15000));

    host.Kill();
    EXPECT_TRUE(p.Stop());
}

} // namespace
