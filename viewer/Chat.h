// The viewer's chat connection: a thread that holds the chat stream open,
// shows the texts the broadcasting program sends, and sends what the visitor
// types (and the Call button's alarm signals) as message requests.
#pragma once
#include "MainThreadQueue.h"
#include "StreamConnection.h"
#include "SyncFIFO.h"
#include "Thread.h"
#include <cstdint>
#include <memory>
#include <mutex>

class TStrings;

// The message request for Text: every byte outside the unreserved characters
// (letters, digits, "-", ".", "_", "~") travels as "%" and two upper-case hex
// digits, so that the server's decoding gives back exactly what was typed.
std::string ChatEncode(const std::string& Text);
std::string ChatMessageRequest(const std::string& Text);

class CChat : public TThread {
public:
    // Chat lines go to ChatBox (not owned), always on the thread that creates
    // the chat client: the one that owns the chat box.
    explicit CChat(TStrings* ChatBox);
    ~CChat() override;

    // Opens the chat stream; true when connected. Then Resume the thread.
    bool Connect(const std::string& Address, int32_t Port);
    // Queues "~al_disconnect" (sent before the thread ends), closes the
    // stream and stops the thread.
    void Disconnect();
    // Queues Text for sending (any thread); empty texts and a full queue drop it.
    void Send(const std::string& Text);

    std::string LastText();
    std::string LastNotice();
    int32_t QueuedMessages() { return FOutgoing->GetCount(); }

    static const int32_t OutgoingCapacity = 100;

protected:
    void Execute() override;

private:
    void* ReadMessage();
    int32_t ReadExact(void* Buffer, int32_t Count);
    void ShowLine();
    void HandleCommand();
    // One message request; false when it could not be delivered.
    bool SendNow(const std::string& Text);
    // After a stop request: sends what is still queued, in order.
    void SendQueued();

    TStrings* FChatBox;
    std::unique_ptr<CSyncFIFO> FOutgoing;
    CStreamConnection FConnection;
    std::string FAddress;
    int32_t FPort = 0;
    bool FConnected = false;
    std::mutex FTextLock;
    std::string FLastText;
    std::string FLastNotice;
    CMainThreadQueue FToChatBox;
};
