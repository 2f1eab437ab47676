// Item identifier lists (ID lists) of the shell namespace: their owner and their
// arithmetic. An ID list is a run of items, each starting with its 16-bit byte
// count (the count included), ended by a zero count; its memory always comes from
// the shell allocator.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <vector>

// The one owner of an ID list allocated by the shell allocator; moved, never
// copied (Copy makes a new list of its own).
class TPidl {
public:
    TPidl() = default;
    // Takes ownership of p (null allowed).
    explicit TPidl(LPITEMIDLIST p) : FPidl(p) {}
    TPidl(TPidl&& o) noexcept : FPidl(o.Release()) {}
    TPidl& operator=(TPidl&& o) noexcept;
    TPidl(const TPidl&) = delete;
    TPidl& operator=(const TPidl&) = delete;
    ~TPidl() { Reset(); }

    LPITEMIDLIST Get() const { return FPidl; }
    explicit operator bool() const { return FPidl != nullptr; }
    LPITEMIDLIST Release();
    void Reset(LPITEMIDLIST p = nullptr);
    // For out parameters of shell calls: frees what is held and returns the slot.
    LPITEMIDLIST* Put();
    TPidl Copy() const;

private:
    LPITEMIDLIST FPidl = nullptr;
};

namespace Spskinshellctrls {

// Size bytes from the shell allocator, zero-filled; empty when it gives nothing.
TPidl PidlAlloc(UINT Size);
// Frees an ID list with the shell allocator (what TPidl does for its list).
void PidlFree(LPITEMIDLIST Pidl);
// The address just behind the first item.
LPCITEMIDLIST PidlNext(LPCITEMIDLIST Pidl);
// Writes a zero count over the last item; an empty list and null stay as they are.
void PidlStripLast(LPITEMIDLIST Pidl);
int PidlItemCount(LPCITEMIDLIST Pidl);
// Bytes including the 2-byte terminator; 0 for null.
UINT PidlByteSize(LPCITEMIDLIST Pidl);
TPidl PidlCopy(LPCITEMIDLIST Pidl);
// First without its terminator followed by the whole of Second; a null first
// list gives a copy of Second.
TPidl PidlConcat(LPCITEMIDLIST First, LPCITEMIDLIST Second);
// A copy of the last item alone (an empty list gives an empty list).
TPidl PidlLastItemCopy(LPCITEMIDLIST Pidl);
// The ancestors: the empty list (the desktop) first, then the first item alone,
// the first two items, ... up to all items but the last; as many as Pidl has items.
std::vector<TPidl> PidlAncestorList(LPCITEMIDLIST Pidl);

} // namespace Spskinshellctrls
