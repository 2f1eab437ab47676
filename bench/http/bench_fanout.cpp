// Fan-out benchmark: one producer pushes 8 video packets of 8 KB and 10 audio
// packets a second, plus a chat line a second, to N loopback viewers holding three
// stream connections each (video, audio, chat). Prints one line: the fraction of
// packets delivered, the server's CPU time per delivered megabyte, and the memory
// per viewer. Usage: bench_http N [seconds]
#include "ScktComp.h"
#include "Contact.h"
#include "ServerSendThread.h"
#include "Settings.h"
#include "Forms.h"
#include "LoopbackViewer.h"
#include <psapi.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

enum { kVideo, kAudio, kChat, kKinds };
const int kStreamKind[kKinds] = {rkVideo, rkAudio, rkChat};
const char* const kRequest[kKinds] = {"GET /video HTTP 1.0", "GET /audio HTTP 1.0", "GET /chat HTTP 1.0"};
const char kTag[kKinds] = {'V', 'A', 'C'};

struct Viewer {
    SOCKET s = INVALID_SOCKET;
    int kind = 0;
    bool headerDone = false;
    std::string buf;
};

// Counts what the viewers receive; each reader serves up to 60 connections with select.
class Reader : public TThread {
public:
    Reader() : TThread(true) {}
    std::vector<Viewer> Viewers;
    volatile bool Counting = false;
    volatile long long Packets[kKinds] = {};
    volatile long long Bytes = 0;
    volatile int Headers = 0;

protected:
    void Execute() override
    {
        std::vector<char> chunk(256 * 1024);
        while (!Terminated()) {
            fd_set rd;
            FD_ZERO(&rd);
            for (auto& v : Viewers)
                if (v.s != INVALID_SOCKET) FD_SET(v.s, &rd);
            timeval tv = {0, 20000};
            if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
            for (auto& v : Viewers) {
                if (v.s == INVALID_SOCKET || !FD_ISSET(v.s, &rd)) continue;
                int n = recv(v.s, chunk.data(), static_cast<int>(chunk.size()), 0);
                if (n <= 0) {
                    closesocket(v.s);
                    v.s = INVALID_SOCKET;
                    continue;
                }
                v.buf.append(chunk.data(), static_cast<size_t>(n));
                Parse(v);
            }
        }
    }

private:
    void Parse(Viewer& v)
    {
        size_t pos = 0;
        if (!v.headerDone) {
            size_t end = v.buf.find("\r\n\r\n");
            if (end == std::string::npos) return;
            pos = end + 4;
            v.headerDone = true;
            Headers = Headers + 1;
        }
        while (v.buf.size() - pos >= 4) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(v.buf.data() + pos);
            size_t len = p[0] | (p[1] << 8);
            if (v.buf.size() - pos - 4 < len) break;
            if (Counting && len > 0 && v.buf[pos + 4] == kTag[v.kind]) {
                Packets[v.kind] = Packets[v.kind] + 1;
                Bytes = Bytes + static_cast<long long>(len + 4);
            }
            pos += 4 + len;
        }
        v.buf.erase(0, pos);
    }
};

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

long long ThreadCpuMs(HANDLE h)
{
    FILETIME c, e, k, u;
    GetThreadTimes(h, &c, &e, &k, &u);
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
    std::vector<std::unique_ptr<Reader>> readers;
    int connections = 0;
    for (int i = 0; i < viewers; ++i) {
        for (int k = 0; k < kKinds; ++k) {
            if (readers.empty() || readers.back()->Viewers.size() >= 60) readers.emplace_back(new Reader);
            Viewer v;
            v.kind = k;
            v.s = Connect(port, ViewerAddress(i));
            if (v.s == INVALID_SOCKET) continue;
            send(v.s, kRequest[k], static_cast<int>(strlen(kRequest[k])), 0);
            u_long on = 1;
            ioctlsocket(v.s, FIONBIO, &on);
            readers.back()->Viewers.push_back(std::move(v));
            ++connections;
            CheckSynchronize();
        }
    }
    for (auto& r : readers) r->Resume();
    // Until every stream loop runs.
    DWORD wait = GetTickCount();
    int streaming = 0;
    while (GetTickCount() - wait < 120000) {
        Pump(50);
        streaming = 0;
        for (auto& r : readers) streaming += r->Headers;
        if (streaming >= connections) break;
    }
    Pump(500);
    SIZE_T memAfter = PrivateBytes();
    SIZE_T wsAfter = WorkingSet();

    long long readerCpu0 = 0;
    for (auto& r : readers) readerCpu0 += ThreadCpuMs(r->Handle());
    long long cpu0 = ProcessCpuMs();
    for (auto& r : readers) r->Counting = true;

    // The producer, on this (the GUI) thread like the main window's timers.
    std::string video(8192, 'v'), audio(600, 'a'), chat = "C: operator line\n";
    video[0] = 'V';
    audio[0] = 'A';
    long long produced[kKinds] = {};
    long long due[kKinds] = {};
    DWORD start = GetTickCount();
    DWORD nextVideo = start, nextAudio = start, nextChat = start;
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
        CheckSynchronize(2);
    }
    // Let the queues drain, then stop counting.
    Pump(1000);
    for (auto& r : readers) r->Counting = false;
    long long cpu1 = ProcessCpuMs();
    long long readerCpu1 = 0;
    for (auto& r : readers) readerCpu1 += ThreadCpuMs(r->Handle());

    long long got[kKinds] = {};
    long long bytes = 0;
    for (auto& r : readers)
        for (int k = 0; k < kKinds; ++k) got[k] += r->Packets[k];
    for (auto& r : readers) bytes += r->Bytes;
    long long expected[kKinds];
    long long allExpected = 0, allGot = 0;
    for (int k = 0; k < kKinds; ++k) {
        expected[k] = produced[k] * viewers;
        allExpected += expected[k];
        allGot += got[k];
    }
    double mb = bytes / 1048576.0;
    long long serverCpu = (cpu1 - cpu0) - (readerCpu1 - readerCpu0);
    printf("N=%d connections=%d streaming=%d delivered=%.1f%% (video %.1f%%, audio %.1f%%, chat %.1f%%; queued %.1f%%) "
           "MB=%.1f cpu=%.1f ms/MB memory=%.0f KB/viewer (working set %.0f KB/viewer)\n",
           viewers, connections, streaming, 100.0 * allGot / (allExpected ? allExpected : 1),
           100.0 * got[kVideo] / (expected[kVideo] ? expected[kVideo] : 1),
           100.0 * got[kAudio] / (expected[kAudio] ? expected[kAudio] : 1),
           100.0 * got[kChat] / (expected[kChat] ? expected[kChat] : 1),
           100.0 * (due[0] + due[1] + due[2]) / (allExpected ? allExpected : 1), mb,
           mb > 0 ? serverCpu / mb : 0.0, (static_cast<double>(memAfter) - memBefore) / 1024.0 / viewers,
           (static_cast<double>(wsAfter) - wsBefore) / 1024.0 / viewers);
    fflush(stdout);

    for (auto& r : readers) {
        r->Terminate();
        r->WaitFor();
        for (auto& v : r->Viewers)
            if (v.s != INVALID_SOCKET) closesocket(v.s);
    }
    server.Close();
    FreeContacts(&contacts);
    return 0;
}
