// Fan-out benchmark, the server's process: the real server socket and stream
// threads, and a producer that pushes 8 video packets of 8 KB and 10 audio packets
// a second, plus a chat line a second, through the fan-out. The viewers run in
// another process (loopback_load), so the CPU and memory printed here are the
// server's own. Usage: bench_http N [seconds] [port file] [ready file]
// It writes its port into the port file, waits (at most two minutes) until the
// ready file exists (every viewer's three streams have their headers), produces
// for the given seconds, lets the queues drain for a second, prints one SERVER
// line (with the socket calls made meanwhile: sends, receives and waits) and
// closes every connection.
#include "ScktComp.h"
#include "Contact.h"
#include "ServerSendThread.h"
#include "Settings.h"
#include "Forms.h"
#include "Handles.h"
#include <psapi.h>
#include <cstdio>
#include <string>
#include <algorithm>
#include <vector>

namespace {

enum { kVideo, kAudio, kChat, kKinds };

long long FileTimeMs(const FILETIME& f)
{
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000;
}

long long ProcessCpuMs()
{
    FILETIME c, e, k, u;
    GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    return FileTimeMs(k) + FileTimeMs(u);
}

// Under Wine the page-file figure is the process's address space (reserved stacks
// included), so the working set is printed beside it as the memory really used.
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PagefileUsage;
}

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.WorkingSetSize;
}


void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    do CheckSynchronize(1);
    while (GetTickCount() - start < ms);
}

} // namespace

int main(int argc, char** argv)
{
    int viewers = argc > 1 ? atoi(argv[1]) : 10;
    int seconds = argc > 2 ? atoi(argv[2]) : 10;
    std::string portFile = argc > 3 ? argv[3] : "bench_http_port.txt";
    std::string readyFile = argc > 4 ? argv[4] : "bench_http_ready.txt";
    if (viewers < 1) viewers = 1;
    Application->Initialize();
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);

    std::string folder = GetCurrentDir() + "\\bench_http\\";
    ForceDirectories(folder + "HTML");
    Settings::SetProgramFolder(folder);
    DeleteFile(Settings::SetupPath());
    Settings::Write("PRICE", "0");   // free viewing: every packet is due to every viewer
    Settings::Write("PASS", "");
    {
        // The page the load side asks for while the streams run.
        static const char page[] = "<html><body>login</body></html>\n";
        TKernelHandle f(CreateFileA((folder + "HTML\\login.html").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (f) WriteFile(f.Get(), page, sizeof(page) - 1, &written, nullptr);
    }

    CMultiThreadList contacts;
    TServerSocket server(nullptr);
    server.Address = "127.0.0.1";
    server.OnGetThread = [&](TObject*, TServerClientWinSocket* c, TServerClientThread*& t) {
        t = new TMyServerSendThread(false, &contacts, c, nullptr);
    };
    server.Open();
    int port = server.Socket()->LocalPort();

    Pump(200);
    SIZE_T memBefore = PrivateBytes();
    SIZE_T wsBefore = WorkingSet();
    DeleteFile(readyFile.c_str());
    {
        // Written whole under another name, then renamed: the script never reads half a number.
        std::string tmp = portFile + ".tmp";
        FILE* f = fopen(tmp.c_str(), "w");
        if (f) {
            fprintf(f, "%d\n", port);
            fclose(f);
        }
        MoveFileExA(tmp.c_str(), portFile.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    DWORD wait = GetTickCount();
    while (GetTickCount() - wait < 120000 && GetFileAttributesA(readyFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        Pump(20);
    Pump(500);
    int connections = server.Socket()->ActiveConnections();
    SIZE_T memStreaming = PrivateBytes();
    SIZE_T wsStreaming = WorkingSet();

    long long cpu0 = ProcessCpuMs();
    long long calls0 = TCustomWinSocket::Calls();
    DWORD start = GetTickCount();
    // The producer, on this (the GUI) thread like the main window's timers.
    std::string video(8192, 'v'), audio(600, 'a'), chat = "C: operator line\n";
    video[0] = 'V';
    audio[0] = 'A';
    long long produced[kKinds] = {};
    long long due[kKinds] = {};
    DWORD nextVideo = start, nextAudio = start, nextChat = start;
    // The wine server's answer time while the streams run: a wait that does not
    // block is one request to it, the smallest step of anything a new connection
    // does (its thread, socket, file and replies are tens of such requests).
    TKernelHandle probe(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::vector<double> roundTrips;
    DWORD nextProbe = start + 500;
    while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        DWORD now = GetTickCount();
        TServerWinSocket* s = server.Socket();
        if (now - nextVideo < 0x80000000u) {
            due[kVideo] += FanOut(s, rkVideo, video.data(), 8192, produced[kVideo] % 8 == 0, nullptr);
            ++produced[kVideo];
            nextVideo += 125;
        }
        if (now - nextAudio < 0x80000000u) {
            due[kAudio] += FanOut(s, rkAudio, audio.data(), 600, produced[kAudio] % 20 == 0, nullptr);
            ++produced[kAudio];
            nextAudio += 100;
        }
        if (now - nextChat < 0x80000000u) {
            due[kChat] += FanOut(s, rkChat, chat.data(), static_cast<int32_t>(chat.size()), 1, nullptr);
            ++produced[kChat];
            nextChat += 1000;
        }
        if (now - nextProbe < 0x80000000u) {
            LARGE_INTEGER f, a, b;
            QueryPerformanceFrequency(&f);
            for (int i = 0; i < 20; ++i) {
                QueryPerformanceCounter(&a);
                WaitForSingleObject(probe.Get(), 0);
                QueryPerformanceCounter(&b);
                roundTrips.push_back(1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / f.QuadPart);
            }
            nextProbe += 250;
        }
        CheckSynchronize(2);
    }
    std::sort(roundTrips.begin(), roundTrips.end());
    const double tripMedian = roundTrips.empty() ? 0 : roundTrips[roundTrips.size() / 2];
    const double tripP90 = roundTrips.empty() ? 0 : roundTrips[roundTrips.size() * 9 / 10];
    SIZE_T memEnd = PrivateBytes();
    SIZE_T wsEnd = WorkingSet();
    // A second for the queues to drain; the load side counts until the connections close.
    Pump(1000);
    long long cpu1 = ProcessCpuMs();
    long long calls = TCustomWinSocket::Calls() - calls0;
    DWORD window = GetTickCount() - start;
    printf("SERVER N=%d connections=%d produced_video=%lld produced_audio=%lld produced_chat=%lld "
           "queued_video=%lld queued_audio=%lld queued_chat=%lld window_ms=%lu cpu_ms=%lld "
           "space_base_kb=%.0f space_streaming_kb=%.0f space_end_kb=%.0f "
           "ws_base_kb=%.0f ws_streaming_kb=%.0f ws_end_kb=%.0f roundtrip_median_us=%.0f roundtrip_p90_us=%.0f "
           "socket_calls=%lld\n",
           viewers, connections, produced[kVideo], produced[kAudio], produced[kChat], due[kVideo], due[kAudio],
           due[kChat], static_cast<unsigned long>(window), cpu1 - cpu0, memBefore / 1024.0, memStreaming / 1024.0,
           memEnd / 1024.0, wsBefore / 1024.0, wsStreaming / 1024.0, wsEnd / 1024.0, tripMedian, tripP90, calls);
    fflush(stdout);

    server.Close();
    FreeContacts(&contacts);
    return 0;
}
