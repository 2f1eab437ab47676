// A broadcasting server for the viewer's end-to-end tests and benchmark, made
// of the program's own server classes: the HTTP server socket with its
// connection threads (TMyServerSendThread) on 127.0.0.1 and a free port, and a
// producer thread in place of the capture devices. Every FrameMs it "captures"
// a numbered test picture (FrameCode), compresses it with the installed MPEG-4
// codec and stamps it; every SoundMs it encodes that much sound (silence with
// a beep every BeepEveryMs) with the Ogg Vorbis encoder, whose stamps come from
// the same clock; every 2 s it sends the Vorbis headers as a key packet. It
// fans them out as the main window does. A main-window stand-in answers the
// connection threads and records the chat lines and alarms they report.
#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TTestBroadcaster {
public:
    struct TOptions {
        int Width = 320;
        int Height = 240;
        DWORD FrameMs = 125;
        DWORD SoundMs = 100;
        DWORD HeaderMs = 2000;
        // Further apart than any delay of the viewer's sound (its queue holds
        // at most 3 s), so a beep heard is never taken for its neighbour.
        DWORD BeepEveryMs = 4000;  // 0: silence only
        DWORD BeepMs = 200;
    };
    struct TFrame {
        uint32_t Number;
        uint32_t Stamp;
    };

    // ProgramFolder: a folder of the test's own for setup.ini (free viewing, no password).
    TTestBroadcaster(const std::string& ProgramFolder, const TOptions& Options);
    ~TTestBroadcaster();
    TTestBroadcaster(const TTestBroadcaster&) = delete;
    TTestBroadcaster& operator=(const TTestBroadcaster&) = delete;

    // Opens the compressor, the encoder and the server socket and starts
    // producing. False (with the reason) when a part is missing.
    bool Start(std::string& Error);
    void Stop();
    int Port() const;

    // The frames sent so far, in order.
    std::vector<TFrame> Frames();
    // For each beep, the stamp of the first sound packet whose decoded samples
    // carry it: the audio clock at which a viewer starts playing that packet,
    // the capture moment of its first sample (the beep starts within it).
    std::vector<uint32_t> BeepStamps();
    // For each beep, when its first sample was "captured": the moment its
    // sound buffer was produced, less the sound after it in that buffer.
    std::vector<uint32_t> BeepCaptures();
    // The chat lines and alarm signals that the connections handed to the main window.
    std::vector<std::string> ChatTexts();
    std::vector<std::pair<int, std::string>> Alarms();
    // Live connections streaming that kind (1 video, 2 chat, 3 audio).
    int Streams(int Kind);

    // Serves the connection threads' calls to the main window (Synchronize) and
    // the calling thread's messages for Ms milliseconds.
    static void Pump(DWORD Ms);

private:
    class TImpl;
    std::unique_ptr<TImpl> FImpl;
};
