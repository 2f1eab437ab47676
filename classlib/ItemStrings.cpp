#include "ItemStrings.h"

const TItemMessages ListBoxMessages = {LB_GETCOUNT,     LB_GETTEXT,     LB_GETTEXTLEN,   LB_ADDSTRING,
                                       LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA,
                                       LB_SETITEMDATA,  LB_GETCURSEL,   LB_SETCURSEL};
const TItemMessages ComboBoxMessages = {CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING,
                                        CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
                                        CB_SETITEMDATA,  CB_GETCURSEL,    CB_SETCURSEL};

TItemStrings::TItemStrings(TWinControl* AControl, const TItemMessages& Messages) : FControl(AControl), FMsg(Messages) {}

LRESULT TItemStrings::Send(UINT Msg, WPARAM W, LPARAM L) const
{
    return SendMessageA(FControl->GetWindowHandle(), Msg, W, L);
}

void TItemStrings::Changed()
{
    if (OnChange && FUpdateCount == 0) OnChange(this);
}

int TItemStrings::GetCount() const
{
    return InWindow() ? static_cast<int>(Send(FMsg.GetCount, 0, 0)) : FSaved.GetCount();
}

std::string TItemStrings::Get(int Index) const
{
    if (!InWindow()) return FSaved.Get(Index);
    LRESULT len = Send(FMsg.GetTextLen, Index, 0);
    if (len < 0) throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
    std::string s(len + 1, '\0');
    LRESULT got = Send(FMsg.GetText, Index, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(got < 0 ? 0 : got);
    return s;
}

TObject* TItemStrings::GetObject(int Index) const
{
    if (!InWindow()) return FSaved.GetObject(Index);
    LRESULT d = Send(FMsg.GetItemData, Index, 0);
    if (d == -1 && (Index < 0 || Index >= GetCount()))
        throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
    return reinterpret_cast<TObject*>(d);
}

void TItemStrings::PutObject(int Index, TObject* AObject)
{
    if (!InWindow()) {
        FSaved.PutObject(Index, AObject);
        return;
    }
    Send(FMsg.SetItemData, Index, reinterpret_cast<LPARAM>(AObject));
}

int TItemStrings::Add(const std::string& S)
{
    if (!InWindow()) {
        int r = FSaved.Add(S);
        Changed();
        return r;
    }
    LRESULT r = Send(FMsg.AddString, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (r < 0) throw EOutOfMemory("Insufficient space for the item");
    Changed();
    return static_cast<int>(r);
}

void TItemStrings::Insert(int Index, const std::string& S)
{
    if (!InWindow()) {
        FSaved.Insert(Index, S);
        Changed();
        return;
    }
    if (Send(FMsg.InsertString, Index, reinterpret_cast<LPARAM>(S.c_str())) < 0)
        throw EOutOfMemory("Insufficient space for the item");
    Changed();
}

void TItemStrings::Delete(int Index)
{
    if (!InWindow()) FSaved.Delete(Index);
    else Send(FMsg.DeleteString, Index, 0);
    Changed();
}

void TItemStrings::Clear()
{
    if (!InWindow()) FSaved.Clear();
    else Send(FMsg.ResetContent, 0, 0);
    SavedIndex = -1;
    Changed();
}

int TItemStrings::IndexOf(const std::string& S) const
{
    if (!InWindow()) return FSaved.IndexOf(S);
    return TStrings::IndexOf(S);
}

void TItemStrings::SetUpdateState(bool Updating)
{
    if (InWindow()) {
        Send(WM_SETREDRAW, !Updating, 0);
        if (!Updating) FControl->Refresh();
    }
    if (!Updating) Changed();
}

void TItemStrings::WindowDestroying()
{
    if (!FControl->HandleAllocated()) return;
    FSaved.Clear();
    int n = GetCount();
    for (int i = 0; i < n; ++i) FSaved.AddObject(Get(i), GetObject(i));
    SavedIndex = static_cast<int>(Send(FMsg.GetCurSel, 0, 0));
    FMoving = true;
}

void TItemStrings::WindowCreated()
{
    FMoving = false;
    for (int i = 0; i < FSaved.GetCount(); ++i) {
        LRESULT at = Send(FMsg.AddString, 0, reinterpret_cast<LPARAM>(FSaved.Get(i).c_str()));
        if (at >= 0) Send(FMsg.SetItemData, at, reinterpret_cast<LPARAM>(FSaved.GetObject(i)));
    }
    FSaved.Clear();
    if (SavedIndex >= 0) Send(FMsg.SetCurSel, SavedIndex, 0);
}
