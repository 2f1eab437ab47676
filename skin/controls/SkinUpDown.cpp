#include "SkinUpDown.h"
#include "ButtonFace.h"
#include "SkinData.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"

TspSkinUpDown::TspSkinUpDown(TComponent* AOwner) : TspSkinCustomControl(AOwner)
{
    FSkinDataName = "hupdown";
    SetBounds(GetLeft(), GetTop(), 25, 50);
}

TspSkinUpDown::~TspSkinUpDown() { Skinctrls::DropTimer(FTimer); }

bool TspSkinUpDown::AcceptsRecord(const TspDataSkinControl* Rec) const
{
    return dynamic_cast<const TspDataSkinUpDownControl*>(Rec) != nullptr;
}

void TspSkinUpDown::GetSkinData()
{
    TspSkinCustomControl::GetSkinData();
    if (Skinned()) {
        const auto* r = static_cast<const TspDataSkinUpDownControl*>(CurrentRecord());
        FLooks[0] = r->UpButtonLooks;
        FLooks[1] = r->DownButtonLooks;
        // The element image shows the idle buttons: only the pressed look falls back.
        for (TspStateLooks& looks : FLooks) InheritEmptyLooks(looks, lsDown);
    }
    CalcRects();
}

void TspSkinUpDown::CalcRects()
{
    const int w = GetWidth(), h = GetHeight();
    if (Skinned()) {
        FButtons[0].R = FLooks[0][lsNormal];
        FButtons[1].R = FLooks[1][lsNormal];
    } else if (FOrientation == udVertical) {
        FButtons[0].R = TRect(0, 0, w, h / 2);
        FButtons[1].R = TRect(0, h / 2, w, h);
    } else {
        FButtons[1].R = TRect(0, 0, w / 2, h);
        FButtons[0].R = TRect(w / 2, 0, w, h);
    }
}

void TspSkinUpDown::DrawButton(TCanvas* C, int I)
{
    // The arrow of each button, by orientation: button 0 steps up.
    static const TspArrowDirection Arrows[2][2] = {
        {adRight, adLeft},   // udHorizontal
        {adUp, adDown},      // udVertical
    };
    const TButtonState& b = FButtons[I];
    const TspLookState state = LookState(b.Pressed && b.Hot, b.Hot);
    if (Skinned()) {
        if (state == lsNormal) return;   // the element image shows the idle button
        Sputils::CopyPiece(C, b.R, FElement.Picture, FLooks[I][state]);
        return;
    }
    C->GetBrush()->SetStyle(bsSolid);
    Sputils::DrawPlainFace(C, b.R, state);
    Sputils::DrawArrowImage(C, b.R, clBlack, Arrows[FOrientation][I]);
}

void TspSkinUpDown::CreateControlSkinImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlSkinImage(B);
    if (!FElement.Picture) return;
    DrawButton(B->GetCanvas(), 0);
    DrawButton(B->GetCanvas(), 1);
}

void TspSkinUpDown::CreateControlDefaultImage(TBitmap* B)
{
    TspSkinCustomControl::CreateControlDefaultImage(B);
    CalcRects();
    DrawButton(B->GetCanvas(), 0);
    DrawButton(B->GetCanvas(), 1);
}

void TspSkinUpDown::TestActive(int X, int Y)
{
    FOldActive = FActive;
    FActive = -1;
    for (int i = 0; i < 2; ++i) {
        const TRect& r = FButtons[i].R;
        if (X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom) {
            FActive = i;
            break;
        }
    }
    if (FCaptured != -1 && FActive != FCaptured) FActive = -1;
    if (FActive != FOldActive) {
        if (FOldActive != -1) ButtonLeave(FOldActive);
        if (FActive != -1) ButtonEnter(FActive);
    }
}

void TspSkinUpDown::ButtonDown(int I)
{
    FButtons[I].Hot = FButtons[I].Pressed = true;
    Repaint();
    if (Increment != 0) {
        FRepeatDirection = I == 0 ? 2 : 1;
        FFirstTick = true;
        StartTimer(500);
    }
}

void TspSkinUpDown::ButtonUp(int I)
{
    auto alive = FAlive.Watch();
    TButtonState& b = FButtons[I];
    b.Pressed = false;
    if (FActive != I) b.Hot = false;
    Repaint();
    if (Increment != 0) SetPosition(FPosition + (I == 0 ? Increment : -Increment));
    if (!*alive) return;
    if (I == 0 && OnUpButtonClick) OnUpButtonClick(this);
    if (I == 1 && OnDownButtonClick) OnDownButtonClick(this);
    if (*alive && Increment != 0) StopTimer();
}

void TspSkinUpDown::ButtonEnter(int I)
{
    FButtons[1 - I].Hot = false;
    FButtons[I].Hot = true;
    Repaint();
    if (Increment != 0 && FButtons[I].Pressed) StartTimer(50);
}

void TspSkinUpDown::ButtonLeave(int I)
{
    FButtons[I].Hot = false;
    Repaint();
    if (Increment != 0 && FButtons[I].Pressed) Skinctrls::DropTimer(FTimer);   // repeating pauses
}

void TspSkinUpDown::StartTimer(UINT Interval)
{
    Skinctrls::DropTimer(FTimer);
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(Interval);
    FTimer->OnTimer = [this](TObject*) { TimerTick(); };
    FTimer->SetEnabled(true);
}

void TspSkinUpDown::StopTimer()
{
    Skinctrls::DropTimer(FTimer);
    FRepeatDirection = 0;
}

void TspSkinUpDown::TimerTick()
{
    if (FFirstTick) {
        FFirstTick = false;
        StartTimer(100);
        return;
    }
    if (FRepeatDirection == 2)
        SetPosition(FPosition + Increment);
    else if (FRepeatDirection == 1)
        SetPosition(FPosition - Increment);
}

void TspSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    TestActive(X, Y);
    FButtons[FActive == -1 ? 0 : 1 - FActive].Hot = false;
    if (FActive != -1) {
        FCaptured = FActive;
        ButtonDown(FActive);
    }
    if (*alive) TspSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TspSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    auto alive = FAlive.Watch();
    if (FCaptured != -1) {
        const int c = FCaptured;
        FCaptured = -1;
        ButtonUp(c);
        if (!*alive) return;
    }
    TspSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TspSkinUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TestActive(X, Y);
    TspSkinCustomControl::MouseMove(Shift, X, Y);
}

void TspSkinUpDown::CMMouseEnter(TMessage& Message)
{
    FActive = FOldActive = -1;
    TspSkinCustomControl::CMMouseEnter(Message);
}

void TspSkinUpDown::CMMouseLeave(TMessage& Message)
{
    TspSkinCustomControl::CMMouseLeave(Message);
    for (auto& b : FButtons)
        if (b.Hot) {
            b.Hot = false;
            Repaint();
        }
    FActive = -1;
}

void TspSkinUpDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TspSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();   // also before the window exists
}

void TspSkinUpDown::WMSize(TMessage& Message)
{
    TspSkinCustomControl::WMSize(Message);
    CalcRects();
}

void TspSkinUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    if (IsDesigning() && !IsLoading()) FSkinDataName = Value == udVertical ? "vupdown" : "hupdown";
    CalcRects();
    Repaint();
}

void TspSkinUpDown::SetPosition(int Value)
{
    if (Value > FMax || Value < FMin) return;
    FPosition = Value;
    if (!IsDesigning() && OnChange) OnChange(this);
}

void TspSkinUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
}

void TspSkinUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FPosition > FMax) FPosition = FMax;
}
