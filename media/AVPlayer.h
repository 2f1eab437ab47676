// The common base of the recording player and the viewer's network player.
#pragma once
#include "MultiThreadClass.h"
#include "Thread.h"
#include <cstdint>

class CMpeg4Panel;

// A player owns a video side and a sound side, each started and stopped on its
// own, and a thread of its own on which a subclass does its work step by step
// (ReadNext). The base fixes the order of starting and stopping, the locking
// and the thread's loop; subclasses fill in the virtual operations.
//
// Subclasses must call Stop() first thing in their own destructor: by the time
// this base destructor runs their overrides are gone, and the thread must not
// be calling ReadNext on a half-destroyed object.
class CAVPlayer : public TThread {
public:
    CAVPlayer();
    ~CAVPlayer() override;

    // Public operations. Each holds the player lock, except Stop.
    bool StartAudio(void* data);
    bool StartVideo(void* data);
    bool StopAudio();
    bool StopVideo();
    bool IsVideoRunning();
    bool IsAudioRunning();
    // Opens the source, starts the asked-for sides and runs the thread; a
    // failure anywhere leaves the player stopped and returns false.
    bool Play(void* data, bool video, bool sound);
    // Ends the thread (waiting for it when it runs), stops both sides and closes
    // the source. Harmless to call again.
    bool Stop();

    // Virtual operations with the base's behaviour.
    virtual bool ReadNext() { return false; }
    virtual bool Open(void* data, bool video, bool sound);
    virtual bool Close() { return true; }
    virtual bool DoStartAudio(void* data);
    virtual bool DoStartVideo(void* data);
    virtual bool DoStopAudio() { return true; }
    virtual bool DoStopVideo() { return true; }
    virtual bool DoIsVideoRunning() { return false; }
    virtual bool DoIsAudioRunning() { return false; }
    virtual CMpeg4Panel* GetPanel() { return nullptr; }
    virtual int32_t GetAudioQueuePercent() { return 0; }
    virtual int32_t GetVideoQueuePercent() { return 0; }

protected:
    // Loops on ReadNext while the thread is not terminated and it returns true.
    void Execute() override;
    // The player lock; recursive, since the operations above call each other.
    CMultiThreadClass FLock;
};
