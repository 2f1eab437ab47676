#include "AVPlayer.h"
#include "MediaTrace.h"

CAVPlayer::CAVPlayer() : TThread(true) { FreeOnTerminate = false; }

CAVPlayer::~CAVPlayer() { Stop(); }

void CAVPlayer::Execute()
{
    while (!Terminated() && ReadNext()) {
    }
}

bool CAVPlayer::Open(void*, bool, bool) { return false; }
bool CAVPlayer::DoStartAudio(void*) { return false; }
bool CAVPlayer::DoStartVideo(void*) { return false; }

bool CAVPlayer::StartAudio(void* data)
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    bool ok = false;
    try {
        if (DoIsAudioRunning()) StopAudio();
        ok = DoStartAudio(data);
    } catch (...) {
        TraceCaught("player: starting a side");
        ok = false;
    }
    // Whatever a failed start left half-built goes again.
    if (!ok) StopAudio();
    return ok;
}

bool CAVPlayer::StartVideo(void* data)
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    bool ok = false;
    try {
        if (DoIsVideoRunning()) StopVideo();
        ok = DoStartVideo(data);
    } catch (...) {
        TraceCaught("player: starting a side");
        ok = false;
    }
    if (!ok) StopVideo();
    return ok;
}

bool CAVPlayer::StopAudio()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    DoStopAudio();
    return true;
}

bool CAVPlayer::StopVideo()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    DoStopVideo();
    return true;
}

bool CAVPlayer::IsVideoRunning()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return DoIsVideoRunning();
}

bool CAVPlayer::IsAudioRunning()
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    return DoIsAudioRunning();
}

bool CAVPlayer::Play(void* data, bool video, bool sound)
{
    TLockGuard<CMultiThreadClass> hold(FLock);
    StopVideo();
    bool opened = Open(data, video, sound);
    bool ok = opened;
    if (video && opened) {
        try {
            ok = StartVideo(data);
        } catch (...) {
            TraceCaught("player: starting");
            ok = false;
        }
    }
    // Sound alone from a source that did not open would report success for
    // nothing: only what was opened plays.
    if (!video) ok = opened;
    StopAudio();
    if (sound && ok) {
        try {
            ok = StartAudio(data);
        } catch (...) {
            TraceCaught("player: starting");
            ok = false;
        }
    }
    if (ok)
        Resume();
    else
        Stop(); // the thread is still suspended: nothing is waited for
    return ok;
}

bool CAVPlayer::Stop()
{
    // Without the player lock: the thread may be about to take it to finish its step.
    Terminate();
    if (!Suspended() && !Finished() && GetCurrentThreadId() != ThreadID()) WaitFor();
    StopAudio();
    StopVideo();
    Close();
    return true;
}
