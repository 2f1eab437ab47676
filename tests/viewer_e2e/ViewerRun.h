// One viewing session on this machine: the test broadcaster on a free loopback
// port, the viewer host with the real control connected to it (unattended, with
// the sound the control plays going to a file), and a probe on its screen and sound.
#pragma once
#include "HostRun.h"
#include "PlaybackProbe.h"
#include "TestBroadcaster.h"
#include <memory>
#include <string>

// The 320 x 240 layout ("prop3"): where the control places its parts.
namespace Prop3 {
const int VideoX = 5, VideoY = 28, VideoWidth = 320, VideoHeight = 240;
const int SendX = 100, SendY = 465, CallX = 252, CallY = 308;   // 69 x 19 buttons
const int CallLampX = 295, CallLampY = 388;                      // 39 x 39
} // namespace Prop3

class TViewerRun {
public:
    // Folder: a Windows path for the session's files; HostProgram: the Unix path
    // of ViewerHost.exe.so; HostSeconds: the host closes itself after that long.
    TViewerRun(const std::string& Folder, const std::string& HostProgram, int HostSeconds);
    ~TViewerRun();

    // Starts the broadcast and the host and waits until the control's form is on screen.
    bool Start(std::string& Error);
    void Stop();

    TTestBroadcaster& Broadcaster() { return *FBroadcaster; }
    THostRun& Host() { return FHost; }
    TPlaybackProbe& Probe() { return *FProbe; }
    std::string HostLog() const { return FFolder + "host.log"; }

private:
    std::string FFolder;
    std::string FHostProgram;
    int FHostSeconds;
    std::unique_ptr<TTestBroadcaster> FBroadcaster;
    THostRun FHost;
    std::unique_ptr<TPlaybackProbe> FProbe;
};
