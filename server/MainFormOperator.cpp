// TForm1's operator side: the switches and their lamps, chat distribution, alarms,
// availability and the weekly schedule, the online list and black-listing.
#include "MainForm.h"
#include "Contact.h"
#include "DialogHost.h"
#include "Log.h"
#include "Trace.h"
#include "Schedule.h"
#include "Settings.h"
#include "Video.h"
#include <mmsystem.h>

namespace {

// Timer4Timer: the schedule's settings are not a valid schedule (logged once).
const char* const kScheduleInvalid =
    "Timer4Timer: \xCE\xF8\xE8\xE1\xEA\xE0 \xE2 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE0\xF5 \xF0\xE0\xF1\xEF\xE8\xF1"
    "\xE0\xED\xE8\xFF: ";

// Runs a handler body; every failure is written with the handler's line.
template <class F> void Guarded(const char* prefix, F body)
{
    try {
        body();
    } catch (const std::exception& e) {
        LogLine(prefix, e);
    } catch (...) {
        LogUnknown(prefix);
    }
}

TMyServerSendThread* ConnectionThread(TServerClientWinSocket* c)
{
    if (!c || !c->Connected()) return nullptr;
    return dynamic_cast<TMyServerSendThread*>(c->ServerClientThread());
}

} // namespace

// ---------------------------------------------------------------- lamps and switches

void TForm1::DrawLamp(TImage* Image, TImageList* Images, bool On)
{
    TCanvas* c = Image->GetCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(Image->GetClientRect());
    Images->Draw(c, 0, 1, On ? 1 : 0);
    Image->Invalidate();
}

void TForm1::UpdateLamps()
{
    DrawLamp(Image2, ImageList2, FVideoOn != 0);
    DrawLamp(Image3, ImageList3, FVoiceOn != 0);
    DrawLamp(Image4, ImageList5, FAnyAlarm != 0);
    DrawLamp(Image5, ImageList4, FAvailable != 0);
}

void TForm1::ActionStartVideoExecute(TObject*)
{
    Guarded(LogPrefix::ActionStartVideoExecute, [this] {
        FVideoOn = FVideoOn ? 0 : 1;
        DrawLamp(Image2, ImageList2, FVideoOn != 0);
    });
}

void TForm1::ActionStartAudioExecute(TObject*)
{
    Guarded(LogPrefix::ActionStartAudioExecute, [this] {
        FVoiceOn = FVoiceOn ? 0 : 1;
        DrawLamp(Image3, ImageList3, FVoiceOn != 0);
    });
}

void TForm1::ActionAvailableExecute(TObject*)
{
    Guarded(LogPrefix::ActionAvailableExecute, [this] {
        FAvailable = FAvailable ? 0 : 1;
        bool show = !FAvailable && AutoVideoState() != 0;
        Timer3->SetEnabled(false);
        FAutoVideo.reset();
        if (show) {
            FAutoVideo.reset(new CVideo(Settings::Read("AUTOVIDEO", "0", 254), false));
            Timer3->SetEnabled(true);
        }
        DrawLamp(Image5, ImageList4, FAvailable != 0);
        UpdateOnOff(FAvailable);
    });
    ActionAvailable->SetCaption(FAvailable ? FAvailableCaption : FUnavailableCaption);
}

// AUTOVIDEO_STATE as a number; text that is none counts as 0 and is logged once,
// until the setting is a number again (it is read at every change of availability).
int TForm1::AutoVideoState()
{
    std::string text = Settings::Read("AUTOVIDEO_STATE", "0", 254);
    int state = 0;
    if (TryStrToInt(text, state)) {
        FAutoVideoStateLogged = false;
        return state;
    }
    if (!FAutoVideoStateLogged) LogLine(LogPrefix::ActionAvailableAutoVideoState, "\"" + text + "\"");
    FAutoVideoStateLogged = true;
    return 0;
}

void TForm1::UpdateOnOff(uint8_t Value)
{
    TServerWinSocket* server = ServerWinSocket;
    if (!server) return;
    TLockGuard<TServerWinSocket> hold(*server);
    for (int i = 0; i < server->ActiveConnections(); ++i)
        Guarded(LogPrefix::UpdateOnOff, [&] {
            if (TMyServerSendThread* t = ConnectionThread(server->Connections(i))) t->FOnline = Value;
        });
}

// ---------------------------------------------------------------- chat

void TForm1::AddMemoLine(const std::string& Text) { Memo2->GetLines()->Add(StripControlChars(Text)); }

int TForm1::SendToVisitor(const std::string& Text, CContact* Contact)
{
    std::string line = ChatLine(Text);
    int pushed = 0;
    TLockGuard<CMultiThreadList> contacts(*FContacts);
    TLockGuard<CMultiThreadList> threads(*Contact->Threads);
    for (int i = 0; i < Contact->Threads->GetCount(); ++i) {
        auto* t = static_cast<TMyServerSendThread*>(Contact->Threads->Get(i));
        if (t->FRequestKind == rkChat && t->FFifo->PushFrame(line.data(), static_cast<int32_t>(line.size()), 1))
            ++pushed;
    }
    if (pushed > 0) Contact->History += line;
    return pushed;
}

void TForm1::SendText(const std::string& Text, CContact* Contact)
{
    if (Contact) {
        Guarded(LogPrefix::SendTextContact, [&] {
            std::string line = ChatLine(Text);
            TLockGuard<CMultiThreadList> contacts(*FContacts);
            if (Contact == FSelectedContact) AddMemoLine(Text);
            TLockGuard<CMultiThreadList> threads(*Contact->Threads);
            for (int i = 0; i < Contact->Threads->GetCount(); ++i) {
                auto* t = static_cast<TMyServerSendThread*>(Contact->Threads->Get(i));
                if (t->FRequestKind == rkChat) t->FFifo->PushFrame(line.data(), static_cast<int32_t>(line.size()), 1);
            }
        });
    } else {
        Guarded(LogPrefix::SendTextAll, [&] {
            std::string line = ChatLine(Text);
            FanOut(rkChat, line.data(), static_cast<int32_t>(line.size()), 1, LogPrefix::SendTextAll);
        });
    }
}

// The operator's line goes to the visitor whose chat the memo shows (the selected
// contact), not to whatever visitor holds the remembered row now.
void TForm1::ActionSendTextExecute(TObject*)
{
    Guarded(LogPrefix::ActionSendTextExecute, [this] {
        std::string text = StripControlChars(Edit1->GetText());
        if (text.empty()) return;
        if (FSelectedContact && ListView2->GetItems()->GetCount() > 0) {
            std::string line = ChatLine("Server: " + text);
            line.pop_back();   // the line feed belongs to the packet, not to the memo
            SendToVisitor(line, FSelectedContact);
            AddMemoLine(line);
            Edit1->SetText("");
        }
        ListView2->Repaint();
    });
}

// ---------------------------------------------------------------- alarms

void TForm1::ActionStopAlarmExecute(TObject*)
{
    Guarded(LogPrefix::ActionStopAlarmExecute, [this] {
        SendText("~al_stop", nullptr);
        FAnyAlarm = 0;
        UpdateAlarm(0, "", true);
    });
}

void TForm1::UpdateAlarm(uint8_t Value, const std::string& Address, bool All)
{
    Guarded(LogPrefix::UpdateAlarmAll, [&] {
        if (TServerWinSocket* server = ServerWinSocket) {
            TLockGuard<TServerWinSocket> hold(*server);
            for (int i = 0; i < server->ActiveConnections(); ++i)
                Guarded(LogPrefix::UpdateAlarmOne, [&] {
                    TServerClientWinSocket* c = server->Connections(i);
                    TMyServerSendThread* t = ConnectionThread(c);
                    if (t && (All || c->RemoteAddress() == Address)) t->FAlarm = Value;
                });
            uint8_t any = 0;
            for (int i = 0; i < server->ActiveConnections() && !any; ++i)
                Guarded(LogPrefix::UpdateAlarmScan, [&] {
                    TMyServerSendThread* t = ConnectionThread(server->Connections(i));
                    if (t && t->FAlarm) any = 1;
                });
            FAnyAlarm = any;
        }
        DrawLamp(Image4, ImageList5, FAnyAlarm != 0);
        ListView2->Repaint();
    });
}

void TForm1::Timer2Timer(TObject*)
{
    Guarded(LogPrefix::Timer2Timer, [this] {
        int sound = 0;
        if (FAnyAlarm && TryStrToInt(Settings::Read("SOUND", "0", 254), sound) && sound != 0)
            PlaySoundA(Settings::Read("ALARM", "0", 254).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    });
}

// ---------------------------------------------------------------- the weekly schedule

// A schedule that is not valid (a flag that is no number, an empty or malformed
// time) counts as off: the tick does nothing, and the error is logged once until
// the settings are valid again. A window whose end lies before its start runs
// across midnight (Schedule::InsideWindow).
void TForm1::Timer4Timer(TObject*)
{
    try {
        SYSTEMTIME local;
        GetLocalTime(&local);
        Schedule::TSettings s = Schedule::Read(local);
        bool invalid = false;
        Schedule::TDecision d = Schedule::Decide(s, local, FAvailable != 0, invalid);
        if (invalid) {
            if (!FScheduleInvalidLogged)
                LogLine(kScheduleInvalid, "AVAL=" + s.Aval + " ALLAVAL=" + s.AllAval + " " +
                                              IntToStr(local.wDayOfWeek) + "=" + s.DayOn + " OT=" + s.From +
                                              " DO=" + s.To);
            FScheduleInvalidLogged = true;
        } else {
            FScheduleInvalidLogged = false;
        }
        if (d == Schedule::sdToggle) ActionAvailableExecute(this);
    } catch (const std::exception& e) {
        LogLine(kScheduleInvalid, e);
    } catch (...) {
        Trace::Caught(Trace::Server, "schedule");
    }
}

// ---------------------------------------------------------------- the online list

DWORD TForm1::OnLineUpdateInterval = 250;

void TForm1::RequestUpdateOnLine()
{
    // Each stream connection asks at its start and at its end: with many viewers
    // coming and going the asks are gathered into one refresh per interval, so the
    // GUI thread's queue (pages wait in it too) stays short.
    if (TimerOnLine->GetEnabled()) return;
    if (FOnLineShownValid && GetTickCount() - FLastOnLineUpdate < OnLineUpdateInterval) {
        TimerOnLine->SetEnabled(true);
        return;
    }
    UpdateOnLine();
}

void TForm1::TimerOnLineTimer(TObject*)
{
    TimerOnLine->SetEnabled(false);
    // Asked for while serving; the shut-down stops the timer before it frees the contacts.
    if (!FClosing && ListView2 && FContacts) UpdateOnLine();
}

void TForm1::UpdateOnLine()
{
    Guarded(LogPrefix::UpdateOnLine, [this] {
        FLastOnLineUpdate = GetTickCount();
        FOnlineMap.clear();
        int row = 0;
        CContact* previous = FSelectedContact;
        TOnLineView view;
        {
            TLockGuard<CMultiThreadList> hold(*FContacts);
            for (int i = 0; i < FContacts->GetCount(); ++i)
                if (static_cast<CContact*>(FContacts->Get(i))->IsOnline()) FOnlineMap.push_back(i);
            if (FOnlineMap.size() == 1) FSelectedContact = static_cast<CContact*>(FContacts->Get(FOnlineMap[0]));
            for (size_t r = 0; r < FOnlineMap.size(); ++r) {
                auto* c = static_cast<CContact*>(FContacts->Get(FOnlineMap[r]));
                if (c == FSelectedContact) row = static_cast<int>(r);
                view.Rows.push_back(c);
                view.Marks.push_back(CallingMark(c));
            }
        }
        int rows = static_cast<int>(FOnlineMap.size());
        view.Row = rows > 0 ? row : -1;
        view.Selected = FSelectedContact;
        // The same visitors in the same rows with the same marks and selection: the
        // list already shows this (a refresh costs the GUI thread milliseconds).
        if (FOnLineShownValid && view == FOnLineShown && ListView2->GetItems()->GetCount() == rows) return;
        FUpdatingList = true;
        try {
            TListItems* items = ListView2->GetItems();
            items->BeginUpdate();
            items->SetCount(rows);
            items->EndUpdate();
            if (rows > 0) ListView2->SetItemIndex(row);
        } catch (...) {
            FUpdatingList = false;
            FOnLineShownValid = false;
            throw;
        }
        FUpdatingList = false;
        // The row shown is the visitor whose chat the memo shows.
        if (rows > 0 && (FSelectedContact != previous || FSelectedRow != row ||
                         FContacts->Get(FOnlineMap[row]) != FSelectedContact))
            ShowContact(row);
        ListView2->Repaint();
        FOnLineShown = std::move(view);
        FOnLineShownValid = true;
    });
}

uint8_t TForm1::CallingMark(CContact* c)
{
    // The mark of a visitor's first live connection (the caller holds the contacts lock).
    TLockGuard<CMultiThreadList> threads(*c->Threads);
    if (c->Threads->GetCount() == 0) return 0;
    return static_cast<TMyServerSendThread*>(c->Threads->Get(0))->FAlarm ? 1 : 0;
}

void TForm1::ListView2Data(TObject*, TListItem* Item)
{
    Guarded(LogPrefix::ListView2Data, [&] {
        if (!Item) return;
        int row = Item->GetIndex();
        TLockGuard<CMultiThreadList> hold(*FContacts);
        if (row < 0 || row >= static_cast<int>(FOnlineMap.size()) || FOnlineMap[row] >= FContacts->GetCount()) return;
        auto* c = static_cast<CContact*>(FContacts->Get(FOnlineMap[row]));
        // A visitor whose last connection has just ended shows unmarked until the
        // list is rebuilt.
        int alarm = CallingMark(c);
        Item->SetCaption("");
        Item->SetImageIndex(alarm);
        Item->GetSubItems()->Clear();
        Item->GetSubItems()->Add(c->IP);
        Item->Data = c;
    });
}

void TForm1::ListView2DrawItem(TCustomListView* Sender, TListItem* Item, TRect Rect, TOwnerDrawState State)
{
    Guarded(LogPrefix::ListView2DrawItem, [&] {
        if (!Item) return;
        TCanvas* c = Sender->GetCanvas();
        bool selected = (State & odSelected) || (Item->Data && Item->Data == FSelectedContact);
        if (selected) {
            c->GetBrush()->SetColor(clHighlight);
            c->GetFont()->SetColor(clHighlightText);
        } else {
            c->GetBrush()->SetColor(static_cast<TColor>(14997716));
            c->GetFont()->SetColor(clBlack);
        }
        c->FillRect(Rect);
        if (Item->GetImageIndex() >= 0) ImageList1->Draw(c, Rect.left, Rect.top, Item->GetImageIndex());
        TListColumns* cols = ListView2->GetColumns();
        TRect r = Rect;
        r.left += cols->GetItem(0)->GetWidth() + 3;
        r.right = r.left + cols->GetItem(1)->GetWidth() - 2;
        std::string ip = Item->GetSubItems()->GetCount() > 0 ? Item->GetSubItems()->Get(0) : std::string();
        c->GetBrush()->SetStyle(bsClear);
        c->DrawText(ip, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        c->GetBrush()->SetStyle(bsSolid);
    });
}

void TForm1::ListView2SelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (FUpdatingList) return;
    Guarded(LogPrefix::ListView2SelectItem, [&] {
        SaveContacts(FContacts);
        if (!Item || !Selected) return;
        int row = Item->GetIndex();
        if (row >= 0 && row < static_cast<int>(FOnlineMap.size())) ShowContact(row);
    });
}

void TForm1::ShowContact(int Row)
{
    CContact* c;
    std::string history, interest;
    {
        TLockGuard<CMultiThreadList> hold(*FContacts);
        if (Row < 0 || Row >= static_cast<int>(FOnlineMap.size()) || FOnlineMap[Row] >= FContacts->GetCount()) return;
        c = static_cast<CContact*>(FContacts->Get(FOnlineMap[Row]));
        Edit2->SetText(c->Name);
        Edit3->SetText(c->Company);
        Edit4->SetText(c->Email);
        Edit5->SetText(c->Phone);
        Edit6->SetText(c->IP);
        history = c->History;
        interest = c->Interest;
    }
    ParseForMemo(history, Memo2);
    ParseForMemo(interest, Memo1);
    FSelectedContact = c;
    FSelectedRow = Row;
}

void TForm1::ClearDetails()
{
    Memo1->GetLines()->Clear();
    Memo2->GetLines()->Clear();
    for (TEdit* e : {Edit2, Edit3, Edit4, Edit5, Edit6}) e->SetText("");
}

void TForm1::ParseForMemo(const std::string& Text, TMemo* Memo)
{
    Guarded(LogPrefix::ParseForMemo, [&] {
        TStrings* lines = Memo->GetLines();
        lines->BeginUpdate();
        try {
            lines->Clear();
            std::string rest = Text;
            while (!rest.empty()) {
                size_t r = rest.find('\r'), n = rest.find('\n');
                std::string line;
                if (r != std::string::npos && n != std::string::npos) {
                    line = rest.substr(0, r);
                    rest = rest.substr(n + 1);
                } else if (n != std::string::npos) {
                    line = rest.substr(0, n);
                    rest = rest.substr(n + 1);
                } else {
                    line = rest;
                    rest.clear();
                }
                line = StripControlChars(line);
                if (!line.empty()) lines->Add(line);
            }
        } catch (...) {
            lines->EndUpdate();
            throw;
        }
        lines->EndUpdate();
        // Scrolled to its end. (Adding an empty line and deleting the last one, as
        // the designed form did, removes the last chat line here: the lines of a
        // memo do not count an empty line after the last line break.)
        if (Memo->HandleAllocated()) {
            Memo->SetSelStart(static_cast<int>(Memo->GetText().size()));
            Memo->Perform(EM_SCROLLCARET, 0, 0);
        }
    });
}

// ---------------------------------------------------------------- black list

void TForm1::ActionToBlackListExecute(TObject*)
{
    Guarded(LogPrefix::ActionToBlackListExecute, [this] {
        CContact* c = FSelectedContact;
        if (!c || ListView2->GetItems()->GetCount() == 0) return;
        {
            TLockGuard<CMultiThreadList> contacts(*FContacts);
            TLockGuard<CMultiThreadList> threads(*c->Threads);
            c->BlackListed = 1;
            // Each stream loop ends at its next turn; later connections are refused.
            for (int i = 0; i < c->Threads->GetCount(); ++i)
                static_cast<TMyServerSendThread*>(c->Threads->Get(i))->Terminate();
        }
        // The flag is kept at once, not only at the next save.
        SaveContacts(FContacts);
        ClearDetails();
    });
}

// ---------------------------------------------------------------- the dialogs

void TForm1::ActionSetupExecute(TObject*)
{
    Guarded(LogPrefix::ActionSetupExecute, [this] { RunPreferencesDialog(this); });
}

void TForm1::ActionCustomizationExecute(TObject*)
{
    Guarded(LogPrefix::ActionCustomizationExecute, [this] { RunCustomizationDialog(this); });
}
