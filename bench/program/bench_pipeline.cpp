// The main window's per-frame pipeline on the GUI thread: the grab (the grabbed
// frame drawn into a bitmap, as the capture component does on the GUI thread),
// then scale, compress, stamp and fan-out to N loopback video connections, in
// milliseconds per frame; beside it the codec's own compress time for the same
// frames. Frames come at the program's pace (one per 125 ms) while N viewers
// drain their connections.
// Usage: bench_program N [frames] [res]   (res: the RES index, 0 160x120 ... 2 640x480)
#include "MainForm.h"
#include "Contact.h"
#include "Settings.h"
#include "LoopbackViewer.h"
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Drains up to 60 video connections with select, counting packets.
class Reader : public TThread {
public:
    Reader() : TThread(true) {}
    std::vector<SOCKET> Sockets;
    volatile long long Bytes = 0;

protected:
    void Execute() override
    {
        std::vector<char> chunk(256 * 1024);
        while (!Terminated()) {
            fd_set rd;
            FD_ZERO(&rd);
            for (SOCKET s : Sockets)
                if (s != INVALID_SOCKET) FD_SET(s, &rd);
            timeval tv = {0, 20000};
            if (select(0, &rd, nullptr, nullptr, &tv) <= 0) continue;
            for (SOCKET& s : Sockets) {
                if (s == INVALID_SOCKET || !FD_ISSET(s, &rd)) continue;
                int n = recv(s, chunk.data(), static_cast<int>(chunk.size()), 0);
                if (n <= 0) {
                    closesocket(s);
                    s = INVALID_SOCKET;
                } else {
                    Bytes = Bytes + n;
                }
            }
        }
    }
};

double NowMs()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart * 1000.0 / freq.QuadPart;
}

double ThreadCpuMs()
{
    FILETIME c, e, k, u;
    GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
    auto ms = [](const FILETIME& f) {
        return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000.0;
    };
    return ms(k) + ms(u);
}

// A moving test picture as the camera delivers it: bottom-up 24-bit rows.
void DrawFrame(std::vector<BYTE>& bits, int w, int h, int n)
{
    static const BYTE bars[8][3] = {{255, 255, 255}, {0, 255, 255}, {255, 255, 0}, {0, 255, 0},
                                    {255, 0, 255},   {0, 0, 255},   {255, 0, 0},   {0, 0, 0}};
    bits.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        BYTE* row = bits.data() + static_cast<size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) {
            const BYTE* c = bars[((x + n * 4) * 8 / w) % 8];
            bool box = y < h / 3 && ((x - n * 4) % w + w) % w < w / 8;
            row[x * 3 + 0] = box ? 200 : c[0];
            row[x * 3 + 1] = box ? 200 : c[1];
            row[x * 3 + 2] = box ? 200 : c[2];
        }
    }
}

// The grab as the capture component makes it on the GUI thread: a bitmap of the
// frame's size, the frame drawn into it.
TBitmap* Grab(const std::vector<BYTE>& bits, int w, int h)
{
    auto* b = new TBitmap(w, h, pf24bit);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(b->GetCanvas()->GetHandle(), 0, 0, w, h, 0, 0, w, h, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
    return b;
}


int VideoStreams(TServerWinSocket* s)
{
    int n = 0;
    TLockGuard<TServerWinSocket> hold(*s);
    for (int i = 0; i < s->ActiveConnections(); ++i) {
        auto* t = dynamic_cast<TMyServerSendThread*>(s->Connections(i)->ServerClientThread());
        if (t && t->FRequestKind == rkVideo) ++n;
    }
    return n;
}

struct Times {
    double Grab = 0, Frame = 0, FrameCpu = 0;
};

// Runs frames through the pipeline at the program's pace; per-frame means.
Times RunFrames(TForm1* form, int frames, bool paced)
{
    Times t;
    std::vector<BYTE> bits;
    double next = NowMs();
    for (int i = 0; i < frames; ++i) {
        DrawFrame(bits, kGrabWidth, kGrabHeight, i);
        double t0 = NowMs();
        std::unique_ptr<TBitmap> grabbed(Grab(bits, kGrabWidth, kGrabHeight));
        double t1 = NowMs(), c1 = ThreadCpuMs();
        form->ProcessFrame(grabbed.get());
        double t2 = NowMs(), c2 = ThreadCpuMs();
        t.Grab += t1 - t0;
        t.Frame += t2 - t1;
        t.FrameCpu += c2 - c1;
        if (paced) {
            next += 125;
            while (NowMs() < next) CheckSynchronize(5);
        }
    }
    t.Grab /= frames;
    t.Frame /= frames;
    t.FrameCpu /= frames;
    return t;
}

// The codec alone on the same frames, already scaled to the frame size.
double CodecOnly(TForm1* form, int frames)
{
    std::vector<BYTE> bits;
    int w = form->FFrameWidth, h = form->FFrameHeight;
    std::vector<std::vector<BYTE>> scaled;
    for (int i = 0; i < frames; ++i) {
        DrawFrame(bits, kGrabWidth, kGrabHeight, i);
        std::unique_ptr<TBitmap> grabbed(Grab(bits, kGrabWidth, kGrabHeight));
        TBitmap pic(w, h, pf24bit);
        SetStretchBltMode(pic.GetCanvas()->GetHandle(), COLORONCOLOR);
        pic.GetCanvas()->StretchDraw(TRect(0, 0, w, h), grabbed.get());
        std::vector<BYTE> rows(static_cast<size_t>(w) * h * 3);
        for (int y = 0; y < h; ++y)
            memcpy(rows.data() + static_cast<size_t>(w) * 3 * y, pic.ScanLine(h - 1 - y), static_cast<size_t>(w) * 3);
        scaled.push_back(std::move(rows));
    }
    form->StopVideo();
    form->OpenCompressor();
    double total = 0;
    for (auto& rows : scaled) {
        double t0 = NowMs();
        form->CompressBuffer(rows.data());
        total += NowMs() - t0;
    }
    return total / frames;
}

} // namespace

int main(int argc, char** argv)
{
    int viewers = argc > 1 ? atoi(argv[1]) : 1;
    int frames = argc > 2 ? atoi(argv[2]) : 80;
    int res = argc > 3 ? atoi(argv[3]) : 0;
    if (viewers < 0) viewers = 0;
    if (frames < 8) frames = 8;
    Application->Initialize();
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::string folder = GetCurrentDir() + "\\bench_program\\";
    ForceDirectories(folder + "HTML");
    Settings::SetProgramFolder(folder);
    DeleteFile(Settings::SetupPath());
    DeleteFile(folder + "contacts.tbl");
    Settings::Write("PRICE", "0");   // free viewing: every frame is due to every viewer
    Settings::Write("PASS", "");

    TForm1* form = new TForm1(Application);
    for (TTimer* t : {form->Timer1, form->Timer2, form->Timer3, form->Timer4, form->TimerCapture}) t->SetEnabled(false);
    form->FResIndex = TForm1::ClampResIndex(res);
    form->SetVideoSize(form->FResIndex);
    if (!form->OpenCompressor()) {
        printf("no compressor: install the codec (scripts/prefix.sh)\n");
        return 1;
    }
    form->FStopGrab = 0;
    form->FAvailable = 1;

    TServerSocket server(nullptr);
    server.Address = "127.0.0.1";
    server.OnGetThread = [&](TObject*, TServerClientWinSocket* c, TServerClientThread*& t) {
        t = new TMyServerSendThread(false, form->FContacts, c, nullptr);
    };
    server.Open();
    ServerWinSocket = server.Socket();
    int port = server.Socket()->LocalPort();

    // Without fan-out first: the pipeline alone, and the codec alone.
    form->FVideoOn = 0;
    Times alone = RunFrames(form, frames, false);
    double codec = CodecOnly(form, frames);
    form->StopVideo();
    form->OpenCompressor();

    std::vector<std::unique_ptr<Reader>> readers;
    int connected = 0;
    for (int i = 0; i < viewers; ++i) {
        if (readers.empty() || readers.back()->Sockets.size() >= 60) readers.emplace_back(new Reader);
        SOCKET s = Connect(port, ViewerAddress(i));
        if (s == INVALID_SOCKET) continue;
        const char req[] = "GET /video HTTP 1.0";
        send(s, req, sizeof(req) - 1, 0);
        u_long on = 1;
        ioctlsocket(s, FIONBIO, &on);
        readers.back()->Sockets.push_back(s);
        ++connected;
        CheckSynchronize();
    }
    for (auto& r : readers) r->Resume();
    DWORD wait = GetTickCount();
    int streams = 0;
    while (GetTickCount() - wait < 120000 && (streams = VideoStreams(server.Socket())) < connected) CheckSynchronize(50);

    form->FVideoOn = 1;
    Times fan = RunFrames(form, frames, true);
    long long bytes = 0;
    for (auto& r : readers) bytes += r->Bytes;

    printf("N=%d streams=%d frame=%dx%d frames=%d grab=%.3f ms pipeline=%.3f ms (cpu %.3f ms) "
           "without-fanout=%.3f ms codec=%.3f ms received=%.0f KB\n",
           viewers, streams, form->FFrameWidth, form->FFrameHeight, frames, fan.Grab, fan.Frame, fan.FrameCpu,
           alone.Frame, codec, bytes / 1024.0);
    fflush(stdout);

    for (auto& r : readers) {
        r->Terminate();
        r->WaitFor();
        for (SOCKET s : r->Sockets)
            if (s != INVALID_SOCKET) closesocket(s);
    }
    server.Close();
    ServerWinSocket = nullptr;
    form->StopVideo();
    delete form;
    return 0;
}
