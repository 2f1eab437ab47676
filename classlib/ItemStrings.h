// The items of a list box or combo box: kept in the window while it exists,
// in a string list of their own while it does not (before the window is made
// and across RecreateWnd).
#pragma once
#include "WinControl.h"

struct TItemMessages {
    UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent, GetItemData,
        SetItemData, GetCurSel, SetCurSel;
};
extern const TItemMessages ListBoxMessages;
extern const TItemMessages ComboBoxMessages;

class TItemStrings : public TStrings {
public:
    TItemStrings(TWinControl* AControl, const TItemMessages& Messages);
    int GetCount() const override;
    std::string Get(int Index) const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const std::string& S) const override;
    void SetSorted(bool Value) { FSaved.SetSorted(Value); }

    // The window is going: its items (and the selection) move into the list.
    void WindowDestroying();
    // The window is new: the kept items go into it.
    void WindowCreated();
    int SavedIndex = -1;
    TNotifyEvent OnChange;
protected:
    void SetUpdateState(bool Updating) override;
private:
    bool InWindow() const { return FControl->HandleAllocated() && !FMoving; }
    LRESULT Send(UINT Msg, WPARAM W, LPARAM L) const;
    void Changed();
    TWinControl* FControl;
    TItemMessages FMsg;
    TStringList FSaved;
    bool FMoving = false;
};
