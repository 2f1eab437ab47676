// The machine's capture devices and compressors, enumerated through the system
// device enumerator into four program-wide lists.
#pragma once
#include "Classes.h"
#include "VideoCaptureDShow.h"
#include <memory>
#include <string>
#include <vector>

// One enumerated device or compressor.
struct TCapDeviceInfo {
    std::string FriendlyName;
    // The friendly name, or for the n-th device of that name (n >= 2) the name and " (n)".
    std::string UniqueName;
    TComPtr<IMoniker> Moniker;
};

enum TCapDeviceKind { cdkVideoCapture, cdkAudioCapture, cdkVideoCompressor, cdkAudioCompressor };

class TCapDeviceList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const TCapDeviceInfo* Item(int Index) const;      // null outside the list
    int IndexOfName(const std::string& UniqueName) const;
    int IndexOfMoniker(IMoniker* Moniker) const;      // the same device, or -1
    void Clear() { FItems.clear(); }
    void Add(std::unique_ptr<TCapDeviceInfo> Info) { FItems.push_back(std::move(Info)); }
private:
    std::vector<std::unique_ptr<TCapDeviceInfo>> FItems;
};

// The program-wide list of a kind.
TCapDeviceList& CapDeviceList(TCapDeviceKind Kind);
// Empties the list and enumerates its category again.
void EnumerateCapDevices(TCapDeviceKind Kind);
// Empties all four lists (a capture component does this when it is destroyed).
void ClearCapDeviceLists();
// Whether two monikers name the same device.
bool SameMoniker(IMoniker* a, IMoniker* b);
// A moniker's "FriendlyName", empty when it has none.
std::string MonikerFriendlyName(IMoniker* Moniker);
// COM on the calling thread, once: the lists and the component need it.
void EnsureComInitialized();

// New lists of the unique names, which the caller frees; each category is
// enumerated again first when Refresh is set or its list is empty.
TStringList* GetVideoDevicesList(bool Refresh = false);
TStringList* GetAudioDevicesList(bool Refresh = false);
TStringList* GetVideoCompressorsList(bool Refresh = false);
TStringList* GetAudioCompressorsList(bool Refresh = false);
