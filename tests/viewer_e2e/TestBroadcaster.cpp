// Winsock before anything that brings the C library's own headers.
#include "ScktComp.h"
#include "TestBroadcaster.h"
#include "Contact.h"
#include "FrameCode.h"
#include "MainWindowLink.h"
#include "MediaClock.h"
#include "MultiThreadList.h"
#include "OggCodec.h"
#include "OggEncoder.h"
#include "PlayerBlocks.h"
#include "ServerSendThread.h"
#include "Settings.h"
#include "SysUtils.h"
#include "Thread.h"
#include "VideoTestSupport.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

const int SampleRate = 8000;
const DWORD CompressQuality = 7500; // the program's

// The main window as the connection threads see it: always online; a visitor's
// line goes back to the visitor's chat connections, as the operator's window
// shows and echoes it; an alarm marks every connection from the address.
class TLink : public IMainWindowLink {
public:
    TServerWinSocket* Server = nullptr;
    CMultiThreadList* Contacts = nullptr;
    std::mutex Lock;
    std::vector<std::string> Texts;
    std::vector<std::pair<int, std::string>> Alarms;

    bool LinkGetOnline() override { return true; }
    void LinkUpdateOnLine() override {}
    void LinkSendText(const std::string& Text, CContact* Contact) override
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Texts.push_back(Text);
        }
        if (!Contact || Text.empty()) return;
        std::string line = ChatLine(Text);
        TLockGuard<CMultiThreadList> contacts(*Contacts);
        TLockGuard<CMultiThreadList> threads(*Contact->Threads);
        for (int i = 0; i < Contact->Threads->GetCount(); ++i) {
            auto* t = static_cast<TMyServerSendThread*>(Contact->Threads->Get(i));
            if (t->FRequestKind == rkChat) t->FFifo->PushFrame(line.data(), static_cast<int32_t>(line.size()), 1);
        }
    }
    void LinkUpdateAlarm(uint8_t Value, const std::string& Address) override
    {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Alarms.emplace_back(Value, Address);
        }
        TLockGuard<TServerWinSocket> hold(*Server);
        for (int i = 0; i < Server->ActiveConnections(); ++i) {
            TServerClientWinSocket* c = Server->Connections(i);
            auto* t = dynamic_cast<TMyServerSendThread*>(c->ServerClientThread());
            if (t && c->Connected() && c->RemoteAddress() == Address) t->FAlarm = Value;
        }
    }
};

// Decodes the broadcaster's own sound the way a viewer's sound player does, to
// learn the stamp of the packet that first carries each beep.
class TBeepFinder {
public:
    TBeepFinder() : FCodec(8192)
    {
        ogg_sync_init(&FSync);
        std::memset(&FStream, 0, sizeof FStream);
    }
    ~TBeepFinder()
    {
        if (FStreamReady) ogg_stream_clear(&FStream);
        ogg_sync_clear(&FSync);
    }
    // Pages as the encoder gave them; returns the stamps of beeps that start in them.
    std::vector<uint32_t> Feed(const uint8_t* Data, int32_t Length)
    {
        std::vector<uint32_t> found;
        char* to = ogg_sync_buffer(&FSync, Length);
        std::memcpy(to, Data, static_cast<size_t>(Length));
        ogg_sync_wrote(&FSync, Length);
        ogg_page page;
        while (ogg_sync_pageout(&FSync, &page) == 1) {
            if (!FStreamReady) {
                ogg_stream_init(&FStream, ogg_page_serialno(&page));
                FStreamReady = true;
            }
            ogg_stream_pagein(&FStream, &page);
            ogg_packet packet;
            while (ogg_stream_packetout(&FStream, &packet) == 1) {
                if (packet.bytes <= 4) continue;
                uint32_t stamp = GetStamp(packet.packet);
                packet.packet += 4;
                packet.bytes -= 4;
                void* samples = FCodec.Decode(&packet);
                if (!samples) continue;
                size_t n = HeapBlockSize(samples);
                const uint8_t* s = static_cast<const uint8_t*>(samples);
                int loudest = 0;
                for (size_t i = 0; i < n; ++i) loudest = std::max(loudest, std::abs(static_cast<int>(s[i]) - 128));
                HeapFreeBlock(samples);
                if (loudest > 40 && FArmed) {
                    found.push_back(stamp);
                    FArmed = false;
                } else if (loudest < 8) {
                    FArmed = true;
                }
            }
        }
        return found;
    }

private:
    COggCodec FCodec;
    ogg_sync_state FSync;
    ogg_stream_state FStream;
    bool FStreamReady = false;
    bool FArmed = true;
};

} // namespace

class TTestBroadcaster::TImpl : public TThread {
public:
    TImpl(const std::string& Folder, const TOptions& Options) : TThread(true), FFolder(Folder), FOptions(Options)
    {
        FSocket.Address = "127.0.0.1";
        FSocket.Port = 0;
        FSocket.ServerType = stThreadBlocking;
        FSocket.ThreadCacheSize = 0;
        FSocket.OnGetThread = [this](TObject*, TServerClientWinSocket* c, TServerClientThread*& t) {
            t = new TMyServerSendThread(false, &FContacts, c, &FLink);
        };
    }
    ~TImpl() override { Shutdown(); }

    bool Open(std::string& Error)
    {
        ForceDirectories(FFolder);
        DeleteFile(IncludeTrailingPathDelimiter(FFolder) + "setup.ini");
        Settings::SetProgramFolder(IncludeTrailingPathDelimiter(FFolder));
        Settings::Write("PRICE", "0"); // free viewing
        Settings::Write("PASS", "");   // video and voice for everyone
        if (!FCompressor.Open(FOptions.Width, FOptions.Height)) {
            Error = "the MPEG-4 compressor does not open (is the codec installed in the prefix?)";
            return false;
        }
        if (!FEncoder.Init(1, SampleRate, 16, -0.1f)) {
            Error = "the Ogg Vorbis encoder does not start";
            return false;
        }
        try {
            FSocket.Open();
        } catch (const std::exception& e) {
            Error = std::string("the server socket does not open: ") + e.what();
            return false;
        }
        FLink.Server = FSocket.Socket();
        FLink.Contacts = &FContacts;
        Resume();
        return true;
    }

    void Shutdown()
    {
        if (FDown) return;
        FDown = true;
        Terminate();
        if (!Suspended()) WaitFor();
        FSocket.Close();
        FreeContacts(&FContacts);
    }

    int Port() { return FSocket.Socket()->LocalPort(); }

    std::mutex FLock;
    std::vector<TFrame> FFrames;
    std::vector<uint32_t> FBeeps;
    std::vector<uint32_t> FBeepCaptures;
    TLink FLink;
    TServerSocket FSocket{nullptr};
    CMultiThreadList FContacts;

protected:
    void Execute() override
    {
        DWORD start = MediaClockMs();
        DWORD nextFrame = start, nextSound = start + FOptions.SoundMs, nextHeader = start;
        while (!Terminated()) {
            DWORD now = MediaClockMs();
            if (static_cast<int32_t>(now - nextHeader) >= 0) {
                SendHeaders();
                nextHeader += FOptions.HeaderMs;
            }
            if (static_cast<int32_t>(now - nextSound) >= 0) {
                SendSound();
                nextSound += FOptions.SoundMs;
            }
            if (static_cast<int32_t>(now - nextFrame) >= 0) {
                SendFrame();
                nextFrame += FOptions.FrameMs;
            }
            Sleep(2);
        }
    }

private:
    void Push(int32_t Kind, const void* Data, int32_t Length, uint8_t Key)
    {
        FanOut(FSocket.Socket(), Kind, Data, Length, Key, nullptr);
    }

    void SendFrame()
    {
        std::vector<uint8_t> dib = FrameCode::Picture(FOptions.Width, FOptions.Height, FNextNumber);
        videotest::CompressedFrame f;
        if (FCompressor.Compress(dib.data(), CompressQuality, f) != ICERR_OK) return;
        uint32_t stamp = MediaClockMs();
        std::vector<uint8_t> payload(4 + f.Data.size());
        PutStamp(payload.data(), stamp);
        std::memcpy(payload.data() + 4, f.Data.data(), f.Data.size());
        Push(rkVideo, payload.data(), static_cast<int32_t>(payload.size()), f.Key ? 1 : 0);
        std::lock_guard<std::mutex> hold(FLock);
        FFrames.push_back({FNextNumber++, stamp});
    }

    void SendSound()
    {
        int n = static_cast<int>(SampleRate * FOptions.SoundMs / 1000);
        std::vector<int16_t> pcm(static_cast<size_t>(n), 0);
        // The buffer stands for sound captured up to now.
        uint32_t captured = MediaClockMs();
        for (int i = 0; i < n; ++i, ++FSample) {
            if (FOptions.BeepEveryMs && FSample * 1000 % (static_cast<uint64_t>(FOptions.BeepEveryMs) * SampleRate) == 0) {
                std::lock_guard<std::mutex> hold(FLock);
                FBeepCaptures.push_back(captured - static_cast<uint32_t>((n - i) * 1000 / SampleRate));
            }
            uint64_t ms = FSample * 1000 / SampleRate;
            if (FOptions.BeepEveryMs && ms % FOptions.BeepEveryMs < FOptions.BeepMs)
                pcm[static_cast<size_t>(i)] =
                    static_cast<int16_t>(16000 * std::sin(2 * 3.14159265358979 * 1000.0 * FSample / SampleRate));
        }
        FEncoder.Encode(reinterpret_cast<const uint8_t*>(pcm.data()), n * 2);
        uint8_t* pages = nullptr;
        int32_t length = 0;
        if (FEncoder.GetPages(true, pages, length) && length > 0) {
            Push(rkAudio, pages, length, 0);
            std::vector<uint32_t> beeps = FBeepFinder.Feed(pages, length);
            std::lock_guard<std::mutex> hold(FLock);
            FBeeps.insert(FBeeps.end(), beeps.begin(), beeps.end());
        }
        std::free(pages);
    }

    // As the program's 2-second timer: the headers again, and whatever pages
    // are finished, as a key packet (usually empty).
    void SendHeaders()
    {
        FEncoder.WriteHeaders();
        uint8_t* pages = nullptr;
        int32_t length = 0;
        FEncoder.GetPages(false, pages, length);
        Push(rkAudio, pages ? pages : reinterpret_cast<const uint8_t*>(""), length, 1);
        if (pages && length > 0) {
            std::vector<uint32_t> beeps = FBeepFinder.Feed(pages, length);
            std::lock_guard<std::mutex> hold(FLock);
            FBeeps.insert(FBeeps.end(), beeps.begin(), beeps.end());
        }
        std::free(pages);
    }

    std::string FFolder;
    TOptions FOptions;
    videotest::TestCompressor FCompressor;
    COggEncoder FEncoder;
    TBeepFinder FBeepFinder;
    uint32_t FNextNumber = 0;
    uint64_t FSample = 0;
    bool FDown = false;
};

TTestBroadcaster::TTestBroadcaster(const std::string& ProgramFolder, const TOptions& Options)
    : FImpl(new TImpl(ProgramFolder, Options))
{
}

TTestBroadcaster::~TTestBroadcaster() { Stop(); }

bool TTestBroadcaster::Start(std::string& Error) { return FImpl->Open(Error); }

void TTestBroadcaster::Stop()
{
    if (FImpl) FImpl->Shutdown();
}

int TTestBroadcaster::Port() const { return FImpl->Port(); }

std::vector<TTestBroadcaster::TFrame> TTestBroadcaster::Frames()
{
    std::lock_guard<std::mutex> hold(FImpl->FLock);
    return FImpl->FFrames;
}

std::vector<uint32_t> TTestBroadcaster::BeepStamps()
{
    std::lock_guard<std::mutex> hold(FImpl->FLock);
    return FImpl->FBeeps;
}

std::vector<uint32_t> TTestBroadcaster::BeepCaptures()
{
    std::lock_guard<std::mutex> hold(FImpl->FLock);
    return FImpl->FBeepCaptures;
}

std::vector<std::string> TTestBroadcaster::ChatTexts()
{
    std::lock_guard<std::mutex> hold(FImpl->FLink.Lock);
    return FImpl->FLink.Texts;
}

std::vector<std::pair<int, std::string>> TTestBroadcaster::Alarms()
{
    std::lock_guard<std::mutex> hold(FImpl->FLink.Lock);
    return FImpl->FLink.Alarms;
}

int TTestBroadcaster::Streams(int Kind)
{
    TServerWinSocket* s = FImpl->FSocket.Socket();
    TLockGuard<TServerWinSocket> hold(*s);
    int n = 0;
    for (int i = 0; i < s->ActiveConnections(); ++i) {
        auto* t = dynamic_cast<TMyServerSendThread*>(s->Connections(i)->ServerClientThread());
        if (t && s->Connections(i)->Connected() && t->FRequestKind == Kind) ++n;
    }
    return n;
}

void TTestBroadcaster::Pump(DWORD Ms)
{
    DWORD start = GetTickCount();
    do {
        CheckSynchronize();
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (GetTickCount() - start >= Ms) break;
        HANDLE ev = SyncEventHandle();
        MsgWaitForMultipleObjects(1, &ev, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < Ms);
}
