#include "ViewerRun.h"
#include "SysUtils.h"

TViewerRun::TViewerRun(const std::string& Folder, const std::string& HostProgram, int HostSeconds)
    : FFolder(IncludeTrailingPathDelimiter(Folder)), FHostProgram(HostProgram), FHostSeconds(HostSeconds)
{
}

TViewerRun::~TViewerRun() { Stop(); }

bool TViewerRun::Start(std::string& Error)
{
    ForceDirectories(FFolder);
    FBroadcaster.reset(new TTestBroadcaster(FFolder + "program", TTestBroadcaster::TOptions()));
    if (!FBroadcaster->Start(Error)) return false;

    // The host plays its sound on the software sound card, which appends it to
    // the file SOFTCARD_OUT names (platform/sound). The card reads the variable
    // from the Unix environment, and a Wine process passes its children the
    // Unix environment it was started with, not variables set through
    // SetEnvironmentVariable: so it comes from whoever started this process.
    char out[MAX_PATH] = {0};
    if (!GetEnvironmentVariableA("SOFTCARD_OUT", out, sizeof(out)) || !out[0]) {
        Error = "SOFTCARD_OUT is not set (run through ctest or bench/viewer/run.sh)";
        return false;
    }
    const std::string sound = DosPath(out);
    DeleteFile(sound);

    std::string args = "--unattended --seconds " + IntToStr(FHostSeconds) + " 127.0.0.1 " +
                       IntToStr(FBroadcaster->Port()) + " prop3.skn";
    if (!FHost.Start(DosPath(FHostProgram), args, HostLog(), Error)) return false;
    if (!FHost.WaitForForm(30000)) {
        Error = "the control's form did not appear in the viewer host";
        return false;
    }
    FProbe.reset(new TPlaybackProbe(FHost, Prop3::VideoX, Prop3::VideoY, Prop3::VideoWidth, Prop3::VideoHeight, sound));
    return true;
}

void TViewerRun::Stop()
{
    if (FHost.Running()) {
        if (FHost.HostWindow()) PostMessageA(FHost.HostWindow(), WM_CLOSE, 0, 0);
        if (!FHost.WaitEnd(20000)) FHost.Kill();
    }
    if (FBroadcaster) FBroadcaster->Stop();
}
