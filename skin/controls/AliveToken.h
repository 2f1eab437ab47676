// A control's life as a shared flag: code that raises an event which may free the
// control (a click that closes its form and frees the button) holds a watcher and
// touches the control again only while the flag still says alive.
#pragma once
#include <memory>

class TAliveToken {
public:
    TAliveToken() : FAlive(std::make_shared<bool>(true)) {}
    TAliveToken(const TAliveToken&) = delete;
    TAliveToken& operator=(const TAliveToken&) = delete;
    ~TAliveToken() { *FAlive = false; }
    std::shared_ptr<const bool> Watch() const { return FAlive; }
private:
    std::shared_ptr<bool> FAlive;
};
