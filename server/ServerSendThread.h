// The thread of one HTTP connection: it reads one request, answers it and ends;
// stream requests are answered by the endless stream loop (StreamLoop.cpp).
#pragma once
#include "ScktComp.h"
#include "SyncFIFO.h"
#include "MultiThreadList.h"
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CContact;
class IMainWindowLink;

// Request kinds; the stream kinds equal the recording record kinds.
enum TRequestKind : int32_t {
    rkViewerPage = 0,
    rkVideo = 1,
    rkChat = 2,
    rkAudio = 3,
    rkOk = 4,
    rkClientJar = 5,
    rkRegistration = 6,
    rkChatMessage = 7,
    rkUnclassified = 9,
    rkLoginPage = 11,
    rkRegistrationPage = 12,
    rkLogin = 13,
    rkSignUp = 14,
    rkFile = 111,
    rkAlarm = 200,
};

// The longest payload a stream packet can frame (its length is 16 bits).
const int32_t MaxPacketPayload = 65535;
// A chat text as a queued line: the text cut so that it and its line feed fit one packet.
std::string ChatLine(const std::string& text);

// The fan-out of the producers (the main window's sound worker, frame grab, header
// timer, prerecorded stream and chat to all): under the server's registry lock,
// pushes a copy of the data into the queue of every connected connection whose
// thread streams that kind. A failure for one connection is written to the error
// log with Prefix (nothing when it is null) and the others go on. Returns the
// number of queues that took it; a null server takes nothing.
int FanOut(TServerWinSocket* Server, int32_t Kind, const void* Data, int32_t Length, uint8_t Key,
           const char* Prefix);

class TMyServerSendThread : public TServerClientThread {
public:
    // Reads PASS and builds the queue; the server socket starts the thread. Link may
    // be null (no main window).
    TMyServerSendThread(bool CreateSuspended, CMultiThreadList* Contacts, TServerClientWinSocket* ASocket,
                        IMainWindowLink* Link = nullptr);
    ~TMyServerSendThread() override;
    // Also wakes the stream loop from its wait on the queue.
    void Terminate() override;

    // Shared with the GUI thread and the producers (see the fan-out below).
    CFrameFIFO* FFifo;
    std::atomic<uint8_t> FAlarm{0};
    std::atomic<uint8_t> FOnline{0};
    std::atomic<int32_t> FRequestKind{rkUnclassified};

    CContact* Contact() const { return FContact; }
    const std::string& PeerAddress() const { return FPeerAddress; }

    static std::string HttpDate();

    // The clock of the pay-per-view minute (GetTickCount; tests drive their own).
    static DWORD(WINAPI* TickSource)();
    // How long a send may make no progress before the connection is dropped.
    static DWORD SendStallTimeout;
    // An oversized payload has been logged (the log gets one line per run, not one per packet).
    static std::atomic<bool> OversizeLogged;
    // The broadcast password when setup.ini has no PASS key.
    static const char* const DefaultPass;

protected:
    void ClientExecute() override;

private:
    int32_t ParseRequest();
    void ParseMessage(const std::string& decodedPath);
    bool Alive();
    void SendData(const void* Buffer, int Length);
    void SendText(const std::string& Text) { SendData(Text.data(), static_cast<int>(Text.size())); }
    void SendFile(const std::string& Name);
    void SendLoginPage() { SendFile("login.html"); }
    void SendRegistrationPage() { SendFile("registration.html"); }
    void SendViewerPage();
    void SendHtmlFile();
    void SendClientJar();
    void SendOk();
    void HandleChatMessage();
    void HandleRegistration();
    void CheckLogin();
    void RegisterNewUser();
    CContact* FindContact(const std::string& Address);
    void RemoveFromContacts();
    void ListWithContact();
    void SyncGetOnline();
    void SyncUpdateOnLine();
    void SyncSendText();
    void SyncUpdateAlarm();

    // The stream loop and pay-per-view (StreamLoop.cpp).
    void StreamLoop();
    void SendGreeting();
    void ServeItem(CFrameItem* Item, double Price);
    bool ServeQueued();
    void SendPacket(const CFrameItem* Item);
    void FlushPackets();
    void SendGather(WSABUF* Bufs, size_t Count);
    void Charge(double Amount, const std::string& User, const std::string& Password);
    void StartMinuteClock();
    void StopMinuteClock();
    void NoticeVanishedPeer();
    int WaitForNextTurn(int Turn);

    CMultiThreadList* FContacts;
    CContact* FContact = nullptr;
    IMainWindowLink* FLink;
    std::string FPass;
    std::string FLoginUser;
    std::string FLoginPassword;
    uint8_t FRunOutCharged = 0;
    std::string FHeader;
    std::string FMessage;
    std::string FPeerAddress;
    int32_t FIdleSleep = 100;
    std::string FFileName;
    int32_t FTrickleCount = 0;
    // Stream packets framed and not yet sent: each is its length word and a
    // reference to its payload, which stays in its queue item until the batch has
    // gone out in one gather write.
    struct TOutPacket {
        uint32_t Word;
        const char* Data;
        uint32_t Length;
    };
    std::vector<TOutPacket> FOut;
    size_t FOutBytes = 0;
    std::vector<CFrameItem*> FOutItems;   // the queue items that the batch refers to
    std::vector<WSABUF> FOutBufs;
};
