// Watches one folder of the file system and calls a handler on the GUI thread
// after each change. A worker thread waits on the platform's change notification
// and on a wake-up event; every change reaches the GUI thread through the class
// library's synchronous call.
//
// Ownership: the notifier owns its worker and joins it when it stops. The one
// exception is a stop from inside the worker's own handler (a view that frees
// its notifier while refreshing): the worker waits for that very handler, so it
// is handed over to free itself once the handler has returned.
#pragma once
#include "ShellNamespace.h"
#include "Classes.h"
#include "Thread.h"
#include <functional>
#include <memory>

// A handler without arguments, bound to an object.
typedef std::function<void()> TThreadMethod;

enum TNotifyFilter {
    nfFileNameChange, nfDirNameChange, nfAttributeChange, nfSizeChange, nfWriteChange, nfSecurityChange
};
typedef TEnumSet<TNotifyFilter> TNotifyFilters;

namespace Spskinshellctrls {
// The FILE_NOTIFY_CHANGE_* flags of a filter set.
DWORD NotifyFiltersToFlags(TNotifyFilters Filters);
} // namespace Spskinshellctrls

// What one worker shares with its notifier and with the calls it queues for the
// GUI thread. GUI thread only: the worker merely passes it on.
struct TShellChangeLink {
    TThreadMethod OnChange;
    // Set when the notifier lets go of the worker: queued calls are dropped.
    bool Stopped = false;
    // Handlers of this worker running at the moment (the worker waits for them).
    int InHandler = 0;
};

class TspShellChangeThread : public TThread {
public:
    // Created suspended; the caller sets the options and resumes it.
    explicit TspShellChangeThread(std::shared_ptr<TShellChangeLink> Link);
    ~TspShellChangeThread() override;

    // Hands new options to the worker, which re-arms its notification itself.
    // False when the worker has already given up (nothing reaches it any more).
    bool SetDirectoryOptions(const std::string& Directory, bool WatchSubTree, DWORD NotifyOptionFlags);
    // Asks the worker to end and wakes it.
    void Terminate() override;
    // Number of times a notification was armed (first arm and every re-arm).
    int ArmCount() const;

protected:
    void Execute() override;

private:
    TKernelHandle FWakeEvent;
    TKernelHandle FChangeNotification;   // the worker's own: only it arms and closes it
    std::shared_ptr<TShellChangeLink> FLink;
    // Under the unit lock:
    std::string FDirectory;
    bool FWatchSubTree = true;
    DWORD FNotifyOptionFlags = 0;
    bool FOptionsChanged = false;
    bool FGaveUp = false;
    int FArmCount = 0;

    void ArmLocked();
    void Loop();
    static void Deliver(const std::shared_ptr<TShellChangeLink>& Link);
};

class TspCustomShellChangeNotifier : public TComponent {
public:
    explicit TspCustomShellChangeNotifier(TComponent* AOwner);
    ~TspCustomShellChangeNotifier() override;

    const TRoot& GetRoot() const { return FRoot; }
    void SetRoot(const TRoot& Value);
    bool GetWatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    TNotifyFilters GetNotifyFilters() const { return FFilters; }
    void SetFilters(TNotifyFilters Value);
    const TThreadMethod& GetOnChange() const { return FOnChange; }
    void SetOnChange(const TThreadMethod& Value);

    // The running worker, or null.
    TspShellChangeThread* Worker() const { return FThread.get(); }

protected:
    void Change();
    void Start();

private:
    TRoot FRoot = "C:\\";
    bool FWatchSubTree = true;
    TNotifyFilters FFilters{nfFileNameChange, nfDirNameChange};
    TThreadMethod FOnChange;
    std::unique_ptr<TspShellChangeThread> FThread;
    std::shared_ptr<TShellChangeLink> FLink;
    void StopWorker();
};

class TspShellChangeNotifier : public TspCustomShellChangeNotifier {
public:
    using TspCustomShellChangeNotifier::TspCustomShellChangeNotifier;
};
