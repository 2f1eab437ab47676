// Calls handed from worker threads to the thread that created the queue (the
// host's user-interface thread), run there in the order they were posted.
// Posting never blocks the worker, so a worker can be waited for by the very
// thread it posts to without a deadlock.
#pragma once
#include <windows.h>
#include <deque>
#include <functional>
#include <mutex>

class CMainThreadQueue {
public:
    CMainThreadQueue();
    ~CMainThreadQueue();
    CMainThreadQueue(const CMainThreadQueue&) = delete;
    CMainThreadQueue& operator=(const CMainThreadQueue&) = delete;

    // From any thread. Calls still waiting when the queue is destroyed are dropped.
    void Post(std::function<void()> Call);
    // Runs what is waiting; the owning thread's message loop does this by itself.
    void RunPending();

private:
    static LRESULT CALLBACK WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    HWND FWnd = nullptr;
    std::mutex FLock;
    std::deque<std::function<void()>> FCalls;
};
