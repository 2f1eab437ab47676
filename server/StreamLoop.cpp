// The stream loop of TMyServerSendThread: the endless reply of a video, audio or
// chat connection, its packets, and the pay-per-view settlement of the visitor.
#include "ServerSendThread.h"
#include "Contact.h"
#include "Log.h"
#include "Trace.h"
#include "PayThread.h"
#include "Settings.h"
#include <cmath>
#include <memory>
#include <mmsystem.h>
#include <vector>

namespace {

// A batch is sent once it holds this much (the queue's worth of video fits), or
// this many packets (two buffers each in one gather write).
const size_t kFlushBytes = 256 * 1024;
const size_t kFlushPackets = 16;
// An idle stream looks for a vanished peer this often (ms).
const DWORD kPeerLookMs = 1000;

// The price per minute; a price that is not a positive number makes viewing free
// (nothing is charged and the paid-time test always passes), so nothing divides by it.
double ReadPrice()
{
    double price = 0;
    if (!TryStrToFloat(Settings::ReadCached("PRICE", "1", 19), price) || !std::isfinite(price)) return 0;
    return price;
}

bool ReadFlag(const char* key)
{
    int v = 0;
    return TryStrToInt(Settings::ReadCached(key, "0", 254), v) && v == 1;
}

void PutLE32(char* p, uint32_t v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
    p[2] = static_cast<char>((v >> 16) & 0xFF);
    p[3] = static_cast<char>((v >> 24) & 0xFF);
}

} // namespace

std::atomic<bool> TMyServerSendThread::OversizeLogged{false};

void TMyServerSendThread::StreamLoop()
{
    try {
        if (Alive()) {
            SendText("HTTP/1.0 200 OK\r\nDate: " + HttpDate() +
                     "\r\nServer: Tarvik Brannoc Ulmar/1.0.0\r\nConnection: Keep-Alive\r\nContent-type: "
                     "text/html\r\nContent-Length: 1000000000\r\n\r\n");
            if (FRequestKind == rkChat) SendGreeting();
        }
    } catch (...) {
        Trace::Caught(Trace::Server, "stream header");
        Withdraw();
    }
    try {
        int sound = 0;
        if (TryStrToInt(Settings::ReadCached("SOUND", "0", 254), sound) && sound != 0)
            PlaySoundA(Settings::ReadCached("CONNECT", "0", 254).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    } catch (...) {
        Trace::Caught(Trace::Server, "connect sound");
    }

    StartMinuteClock();
    int turn = 0;
    bool sentSinceCheck = false;
    unsigned busyChecks = 0;
    while (Alive()) {
        try {
            // A chat stream carries a packet now and then: it looks for a vanished
            // peer before it sends, where a failed send would tell only at the
            // packet after next (a send into a closed connection still succeeds once).
            if (FRequestKind == rkChat && FFifo->GetCount() > 0) NoticeVanishedPeer();
            if (!Alive()) break;
            if (ServeQueued()) {
                FIdleSleep = 5;
                sentSinceCheck = true;
            } else if (turn == 2) {
                if (FRequestKind == rkChat) {
                    bool online = FOnline != 0;
                    CFrameItem notice{const_cast<char*>(online ? "~online" : "~offline"), online ? 7 : 8, 0};
                    SendPacket(&notice);
                    FlushPackets();
                    FIdleSleep = 100;
                }
                // A video or sound stream that has been sending learns of a vanished
                // peer from its failed send within two packets, so it looks only every
                // 20th time (a look costs wine server round trips, and thousands of
                // such streams come here four times a second). Chat, with a packet a
                // second at most, and an idle stream look every time.
                if (FRequestKind == rkChat || !sentSinceCheck || ++busyChecks % 20 == 0) NoticeVanishedPeer();
                sentSinceCheck = false;
            }
        } catch (...) {
            Trace::Caught(Trace::Server, "stream loop");
            Withdraw();
        }
        turn = WaitForNextTurn(turn);
    }
    StopMinuteClock();
}

// The loop's turns last FIdleSleep ms each (the turn counter runs 1..50, and the
// turn numbered 2 sends the idle notice and looks for a vanished peer). Turns with
// an empty queue do nothing else, so they are not run one by one: the thread
// waits on its queue until the next turn 2 is due, and a push ends the wait at
// once, on the turn the item would have been found on. Returns the next turn's number.
int TMyServerSendThread::WaitForNextTurn(int Turn)
{
    DWORD step = static_cast<DWORD>(FIdleSleep > 0 ? FIdleSleep : 1);
    int toTurn2 = Turn < 2 ? 2 - Turn : 52 - Turn;
    const DWORD total = step * static_cast<DWORD>(toTurn2);
    DWORD start = GetTickCount();
    int passed = toTurn2;
    // A long wait is cut into pieces with a look for a vanished peer between them:
    // a stream with nothing to send ends within a piece of its viewer leaving.
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= total) break;
        if (FFifo->WaitFrame(std::min<DWORD>(total - spent, kPeerLookMs))) {
            passed = std::min<int>(static_cast<int>((GetTickCount() - start) / step) + 1, toTurn2);
            break;
        }
        if (GetTickCount() - start >= total) break;
        try {
            NoticeVanishedPeer();
        } catch (...) {
            Trace::Caught(Trace::Server, "stream wait");
        }
        if (!Alive()) break;
    }
    for (int i = 0; i < passed; ++i) Turn = Turn % 50 + 1;
    return Turn;
}

void TMyServerSendThread::SendGreeting()
{
    bool on = FOnline != 0;
    if (!ReadFlag(on ? "AUTOONLINE_STATE" : "AUTOOFFLINE_STATE")) return;
    std::string text = ChatLine(Settings::ReadCached(on ? "AUTOONLINE" : "AUTOOFFLINE", "0", 254));
    if (text.size() <= 1) return;
    // The length word and the text in one send.
    std::string packet(4, '\0');
    PutLE32(&packet[0], static_cast<uint32_t>(text.size()));
    SendText(packet + text);
}

void TMyServerSendThread::NoticeVanishedPeer()
{
    // Viewers send nothing after their request: anything readable is the peer's
    // close (or junk, which is dropped). Checked now and then, so that a stream
    // without traffic does not outlive its viewer.
    char junk[512];
    while (ClientSocket()->Connected() && ClientSocket()->WaitForData(0))
        if (ClientSocket()->ReceiveBuf(junk, sizeof(junk)) <= 0) break;
}

// Everything queued is served in one go and leaves in one gather write: under
// Wine every socket call takes a process-wide lock and a wine server round trip,
// so a thread that fell behind catches up with one send instead of one (or two)
// per packet. The bytes on the wire are the same. True when the queue held anything.
bool TMyServerSendThread::ServeQueued()
{
    CFrameItem* item = FFifo->PopFrame();
    if (!item) return false;
    // The price once for what is queued now: the settings copy sits behind one lock
    // that every stream thread would otherwise take once per packet.
    double price = ReadPrice();
    struct Release {
        TMyServerSendThread* T;
        // Whatever happens, no batch refers to an item after this.
        void Now()
        {
            T->FOut.clear();
            T->FOutBytes = 0;
            for (CFrameItem* i : T->FOutItems) CFrameFIFO::FreeFrame(i);
            T->FOutItems.clear();
        }
        ~Release() { Now(); }
    } release{this};
    do {
        FOutItems.push_back(item);
        ServeItem(item, price);
        if (FOutBytes >= kFlushBytes || FOut.size() >= kFlushPackets) {
            FlushPackets();
            release.Now();
        }
    } while (Alive() && (item = FFifo->PopFrame()) != nullptr);
    FlushPackets();
    return true;
}

void TMyServerSendThread::SendPacket(const CFrameItem* Item)
{
    if (Item->length > MaxPacketPayload || Item->length < 0) {
        // The length word has 16 bits: a longer payload cannot be framed.
        if (!OversizeLogged.exchange(true) && MyLog)
            MyLog->Write("StreamLoop: stream packet payload of " + IntToStr(Item->length) +
                         " bytes is over 65535 and was dropped");
        return;
    }
    uint32_t word = static_cast<uint32_t>(Item->length) + (Item->key ? 1u : 0u) * 65536u;
    // Little-endian on the wire whatever the host's order.
    char le[4];
    PutLE32(le, word);
    uint32_t wire;
    memcpy(&wire, le, 4);
    FOut.push_back({wire, static_cast<const char*>(Item->data), static_cast<uint32_t>(Item->length)});
    FOutBytes += 4 + static_cast<size_t>(Item->length);
}

void TMyServerSendThread::FlushPackets()
{
    if (FOut.empty()) return;
    // Emptied whatever happens (the capacity stays): after a failed send no half
    // batch may go out again.
    struct Emptied {
        TMyServerSendThread* T;
        ~Emptied()
        {
            T->FOut.clear();
            T->FOutBytes = 0;
        }
    } emptied{this};
    FOutBufs.clear();
    for (TOutPacket& p : FOut) {
        FOutBufs.push_back({4, reinterpret_cast<char*>(&p.Word)});
        if (p.Length > 0) FOutBufs.push_back({p.Length, const_cast<char*>(p.Data)});
    }
    SendGather(FOutBufs.data(), FOutBufs.size());
}

// SendData for a list of buffers: what a send leaves over goes in the next one,
// with the same stall limit.
void TMyServerSendThread::SendGather(WSABUF* Bufs, size_t Count)
{
    size_t first = 0;
    DWORD lastProgress = GetTickCount();
    while (first < Count && ClientSocket()->Connected()) {
        if (Terminated()) throw ESocketError("Connection thread terminated");
        int n = ClientSocket()->SendBufs(Bufs + first, static_cast<DWORD>(Count - first));
        if (n > 0) {
            lastProgress = GetTickCount();
            ULONG left = static_cast<ULONG>(n);
            while (first < Count && left >= Bufs[first].len) left -= Bufs[first++].len;
            if (first < Count) {
                Bufs[first].buf += left;
                Bufs[first].len -= left;
            }
        } else if (n == 0) {
            break;
        } else {
            // A peer that stops reading holds the connection only so long.
            if (GetTickCount() - lastProgress >= SendStallTimeout) {
                ClientSocket()->Shutdown();
                throw ESocketError("Send timed out");
            }
            ClientSocket()->WaitForWrite(50);
        }
    }
}

void TMyServerSendThread::ServeItem(CFrameItem* Item, double price)
{
    bool free = !(price > 0);
    DWORD now = TickSource();
    bool paid = true;
    bool passOk;
    double minuteAmount = 0;
    double runOutAmount = 0;
    std::string user, password;
    {
        // The minute test and its reset, and the run-out's take of the balance, are
        // one step each under the contacts lock: one charge per visitor, not per stream.
        TLockGuard<CMultiThreadList> hold(*FContacts);
        CContact* c = FContact;
        if (!free) {
            uint32_t elapsed = (static_cast<uint32_t>(now) - c->LastCharge) / 1000;
            double remaining = std::trunc(c->Balance / price * 60.0 - static_cast<double>(elapsed));
            paid = remaining > 0;
            if (elapsed >= 60) {
                c->LastCharge = static_cast<uint32_t>(now);
                FRunOutCharged = 0;
                // The minute is charged from what the visitor has: never more than the
                // balance, never a negative amount.
                if (c->Balance > 0) {
                    minuteAmount = std::min(price, c->Balance);
                    c->Balance -= minuteAmount;
                }
            }
            if (!paid && !FRunOutCharged) {
                runOutAmount = c->Balance;
                c->Balance = 0;
                FRunOutCharged = 1;
            }
        }
        passOk = FPass == c->Password;
        user = c->PayUser;
        password = c->PayPassword;
    }
    if (minuteAmount > 0) {
        FlushPackets();   // what is already due goes out before the wait for the payment service
        Charge(minuteAmount, user, password);
    }
    if (paid) {
        // Video and voice only for a visitor who typed the broadcast password; chat always.
        if (passOk || FRequestKind == rkChat) SendPacket(Item);
        return;
    }
    if (runOutAmount > 0) {
        FlushPackets();
        Charge(runOutAmount, user, password);
    }
    // Without paid time one packet in 150 gets through.
    if (++FTrickleCount >= 150) {
        FTrickleCount = 0;
        SendPacket(Item);
    }
}

void TMyServerSendThread::Charge(double Amount, const std::string& User, const std::string& Password)
{
    // Waited for with no lock held; the answer does not change the local bookkeeping.
    std::unique_ptr<CPayThread> pay(new CPayThread(false, Settings::ReadCached("PAYPAL", "", 49), Amount,
                                                   ClientSocket()->RemoteAddress(), Password, User,
                                                   CPayThread::cmdSubTime));
    pay->WaitFor();
}

void TMyServerSendThread::StartMinuteClock()
{
    TLockGuard<CMultiThreadList> hold(*FContacts);
    // The minute runs from the visitor's first live stream; further streams, and a
    // reconnect, continue it where it stood.
    if (FContact->LiveStreams++ == 0) FContact->LastCharge = static_cast<uint32_t>(TickSource()) - FContact->PausedElapsed;
}

void TMyServerSendThread::StopMinuteClock()
{
    TLockGuard<CMultiThreadList> hold(*FContacts);
    if (--FContact->LiveStreams == 0)
        FContact->PausedElapsed = std::min<uint32_t>(static_cast<uint32_t>(TickSource()) - FContact->LastCharge, 60000);
}
