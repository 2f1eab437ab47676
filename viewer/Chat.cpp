#include "Chat.h"
#include "Classes.h"
#include "PlayerBlocks.h"
#include "Trace.h"
#include <cstring>

namespace {
const char* const kChatRequest = "GET /chat HTTP 1.0";
const char* const kDisconnectNotice = "~al_disconnect";
const int kReplyBytes = 2048;

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
} // namespace

std::string ChatEncode(const std::string& Text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : Text) {
        if (Unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string ChatMessageRequest(const std::string& Text)
{
    return "GET /message?message=" + ChatEncode(Text) + " HTTP 1.0";
}

CChat::CChat(TStrings* ChatBox) : FChatBox(ChatBox), FOutgoing(std::make_unique<CSyncFIFO>(OutgoingCapacity)) {}

CChat::~CChat()
{
    Disconnect();
    while (void* block = FOutgoing->Pop()) HeapFreeBlock(block);
}

bool CChat::Connect(const std::string& Address, int32_t Port)
{
    try {
        FConnection.Open(Address, Port, kChatRequest);
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, std::string("chat stream not opened: ") + e.what());
        Disconnect();
        return false;
    }
    if (!FConnection.Active()) {
        Disconnect();
        return false;
    }
    FAddress = Address;
    FPort = Port;
    FConnected = true;
    return true;
}

void CChat::Disconnect()
{
    // The server learns that the visitor left only from this notice. The chat
    // thread sends what is queued once it is told to stop, so the stream may
    // be shut down at once (a read waiting on it returns) without losing it.
    if (FConnected) Send(kDisconnectNotice);
    FConnected = false;
    Terminate();
    FConnection.Shutdown();
    if (!Suspended() && GetCurrentThreadId() != ThreadID()) WaitFor();
    FConnection.Close();
}

void CChat::Send(const std::string& Text)
{
    if (Text.empty()) return;
    char* block = static_cast<char*>(HeapAllocZero(Text.size() + 1));
    if (!block) return;
    memcpy(block, Text.data(), Text.size());
    if (!FOutgoing->Push(block)) HeapFreeBlock(block);
}

std::string CChat::LastText()
{
    std::lock_guard<std::mutex> hold(FTextLock);
    return FLastText;
}

std::string CChat::LastNotice()
{
    std::lock_guard<std::mutex> hold(FTextLock);
    return FLastNotice;
}

void CChat::Execute()
{
    if (!FConnection.Active()) return;
    while (!Terminated()) {
        void* block = ReadMessage();
        if (!block) break;
        std::string text(static_cast<const char*>(block), strnlen(static_cast<const char*>(block), HeapBlockSize(block)));
        if (!text.empty()) {
            if (text[0] == '~') {
                {
                    std::lock_guard<std::mutex> hold(FTextLock);
                    FLastNotice = text;
                }
                HandleCommand();
            } else {
                {
                    std::lock_guard<std::mutex> hold(FTextLock);
                    FLastText = text;
                }
                ShowLine();
            }
        }
        HeapFreeBlock(block);
        if (char* message = static_cast<char*>(FOutgoing->Pop())) {
            std::string out(message);
            HeapFreeBlock(message);
            SendNow(out);
        }
        Sleep(10);
    }
    if (Terminated()) SendQueued();
}

void CChat::SendQueued()
{
    // Stops at the first message that cannot be delivered: the server is gone
    // and every further connect would only make Disconnect wait longer.
    while (char* message = static_cast<char*>(FOutgoing->Pop())) {
        std::string out(message);
        HeapFreeBlock(message);
        if (!SendNow(out)) break;
    }
}

void* CChat::ReadMessage()
{
    try {
        int waiting = FConnection.Waiting();
        if (waiting < 0) return nullptr; // the server has closed the chat stream
        // Nothing yet: an empty text. Part of a header: the rest is waited for
        // (it comes, or the close that follows it fails the read); polling
        // would never see a close that came after those bytes.
        if (waiting == 0) return HeapAllocZero(4);
        uint8_t header[4];
        if (ReadExact(header, 4) != 4) return nullptr;
        uint32_t length = header[0] | (header[1] << 8);
        // Four spare zero bytes, so the text always ends in a zero byte.
        char* block = static_cast<char*>(HeapAllocZero(length + 4));
        if (!block) return nullptr;
        if (length && ReadExact(block, static_cast<int32_t>(length)) != static_cast<int32_t>(length)) {
            HeapFreeBlock(block);
            return nullptr;
        }
        OutputDebugStringA(block);
        return block;
    } catch (const std::exception& e) {
        Trace::Line(Trace::Viewer, std::string("chat stream read failed: ") + e.what());
        return nullptr;
    }
}

int32_t CChat::ReadExact(void* Buffer, int32_t Count)
{
    return FConnection.ReadExact(Buffer, Count, [this] { return Terminated(); });
}

void CChat::ShowLine()
{
    std::string line = Trim(LastText());
    TStrings* box = FChatBox;
    if (!box) return;
    FToChatBox.Post([box, line] { box->Add(line); });
}

void CChat::HandleCommand()
{
    // Notices ("~online", "~offline", "~al_stop", "~resizevideo") change nothing here.
}

bool CChat::SendNow(const std::string& Text)
{
    if (Text.empty()) return true;
    try {
        TClientSocket socket(nullptr);
        socket.Address = FAddress;
        socket.Port = FPort;
        socket.ClientType = ctBlocking;
        socket.ConnectTimeout = CStreamConnection::Timeout;
        socket.Open();
        socket.SendText(ChatMessageRequest(Text));
        // The reply (or the close) is waited for, but never longer than the
        // time-out, and no longer at all once the chat is being closed.
        char reply[kReplyBytes];
        DWORD start = GetTickCount();
        while (!Terminated() && GetTickCount() - start < CStreamConnection::Timeout) {
            if (socket.WaitForData(50)) {
                socket.ReceiveBuf(reply, kReplyBytes);
                break;
            }
        }
    } catch (const std::exception& e) {
        // A message that cannot be delivered is dropped; the next one tries again.
        Trace::Line(Trace::Viewer, std::string("chat message not sent: ") + e.what());
        return false;
    }
    return true;
}
