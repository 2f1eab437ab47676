// A borderless form with three painted blocks (two with hints, one without),
// the mouse moved onto a block as the system would (cursor and WM_MOUSEMOVE),
// and a copy of what a window shows.
#pragma once
#include "Bitmap.h"
#include "CustomControl.h"
#include "Forms.h"
#include "GdiHandles.h"
#include "WaitUntil.h"
#include "SkinTestKit.h"
#include <memory>

namespace hintfix {

using SkinKit::Probe;
using SkinKit::SaveArtefact;
using SkinKit::WindowShot;

class TBlock : public TCustomControl {
public:
    TBlock(TWinControl* Parent, const TRect& R, TColor C) : TCustomControl(Parent)
    {
        SetParent(Parent);
        SetBoundsRect(R);
        SetColor(C);
    }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetStyle(bsSolid);
        GetCanvas()->GetBrush()->SetColor(GetColor());
        GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
    }
};

struct TBlockForm {
    std::unique_ptr<TForm> Form;
    TBlock* A = nullptr;
    TBlock* B = nullptr;
    TBlock* Plain = nullptr;

    TBlockForm()
    {
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(60, 60, 320, 200);
        Form->SetColor(0x808080);
        A = new TBlock(Form.get(), TRect(10, 10, 110, 70), 0x00C000);
        A->SetHint("First|The long text of the first block");
        A->SetShowHint(true);
        B = new TBlock(Form.get(), TRect(160, 10, 260, 70), 0xC00000);
        B->SetHint("Second");
        B->SetShowHint(true);
        Plain = new TBlock(Form.get(), TRect(10, 110, 110, 170), 0x0000C0);
        Form->Show();
        PumpUntilIdle();
    }
};

// Where the mouse was last put to rest.
struct TRest {
    TWinControl* C = nullptr;
    int X = 0, Y = 0;
};
inline TRest& LastRest()
{
    static TRest r;
    return r;
}

// The cursor goes to (X, Y) of C and C hears of it.
inline void MoveTo(TWinControl* C, int X, int Y)
{
    LastRest() = {C, X, Y};
    TPoint p = C->ClientToScreen(TPoint(X, Y));
    SetCursorPos(p.x, p.y);
    SendMessageA(C->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
}

// Waits for the application's hint while the mouse rests where it was put. Tests
// of other programs share the display and may move the mouse meanwhile: then it
// is put back (and the pause starts again) instead of failing.
inline bool WaitForHint(DWORD Ms = 4000)
{
    const DWORD start = GetTickCount();
    do {
        const TRest r = LastRest();
        if (r.C) {
            TPoint p = r.C->ClientToScreen(TPoint(r.X, r.Y));
            POINT now;
            if (GetCursorPos(&now) && (now.x != p.x || now.y != p.y)) MoveTo(r.C, r.X, r.Y);
        }
        if (PumpUntil([] { return Application->GetHintActive(); }, 300)) return true;
    } while (GetTickCount() - start < Ms);
    return false;
}

// Real input, as the system delivers it: a move to a screen point, and optional buttons there.
inline void InputAt(int X, int Y, DWORD Buttons = 0)
{
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (X * 65535) / (sw - 1);
    in.mi.dy = (Y * 65535) / (sh - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | Buttons;
    SendInput(1, &in, sizeof(INPUT));
}


}  // namespace hintfix
