// What a connection thread asks of the main window. Every call is made through
// Synchronize, so it runs on the GUI thread while the connection thread waits; the
// main window answers only while it is visible (a hidden window at shut-down does
// nothing). The main window implements this; tests implement it without a window.
#pragma once
#include <cstdint>
#include <string>

class CContact;

class IMainWindowLink {
public:
    virtual ~IMainWindowLink() = default;
    // SyncGetOnline: the main window is visible and the operator is available.
    virtual bool LinkGetOnline() = 0;
    // SyncUpdateOnLine: the online list is rebuilt (UpdateOnLine).
    virtual void LinkUpdateOnLine() = 0;
    // SyncSendText: SendText(text, contact): the visitor's line reaches the
    // operator's window and the visitor's chat connections.
    virtual void LinkSendText(const std::string& text, CContact* contact) = 0;
    // SyncUpdateAlarm: UpdateAlarm(value, address, false): the alarm mark of every
    // connection from that address.
    virtual void LinkUpdateAlarm(uint8_t value, const std::string& address) = 0;
};
