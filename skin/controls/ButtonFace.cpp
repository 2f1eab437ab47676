#include "ButtonFace.h"
#include "ActnList.h"
#include "ImgList.h"
#include "UtilWindow.h"

void TspButtonFace::Read(const TspDataSkinButtonControl* Rec)
{
    Font = Rec->Font;
    ActiveFontColor = Rec->ActiveFontColor;
    DownFontColor = Rec->DownFontColor;
    DisabledFontColor = Rec->DisabledFontColor;
    Morphing = Rec->Morphing;
    MorphKind = Rec->MorphKind;
    ActiveSkinRect = Rec->ActiveSkinRect;
    if (ActiveSkinRect.IsEmpty()) ActiveSkinRect = Rec->SkinRect;
    DownSkinRect = Rec->DownSkinRect;
    if (DownSkinRect.IsEmpty()) DownSkinRect = ActiveSkinRect;
    DisabledSkinRect = Rec->DisabledSkinRect;
}

namespace Skinctrls {

namespace {

const UINT WM_DEFERREDFREE = WM_APP + 0x51;

void DeferredFreeProc(HWND Wnd, TMessage& Message)
{
    if (Message.Msg == WM_DEFERREDFREE) {
        delete reinterpret_cast<TComponent*>(Message.LParam);
        return;
    }
    Message.Result = DefWindowProcA(Wnd, Message.Msg, Message.WParam, Message.LParam);
}

HWND DeferredFreeWindow()
{
    // Never destroyed: a window may not belong to a static object (it would go
    // after the windowing library detached).
    static HWND wnd = nullptr;
    if (!wnd) {
        HWND* self = &wnd;
        wnd = AllocateHWnd([self](TMessage& m) { DeferredFreeProc(*self, m); });
    }
    return wnd;
}

}  // namespace

void DeferFree(TComponent* C)
{
    if (!C) return;
    if (!PostMessageA(DeferredFreeWindow(), WM_DEFERREDFREE, 0, reinterpret_cast<LPARAM>(C))) delete C;
}

void DropTimer(std::unique_ptr<TTimer>& T)
{
    if (!T) return;
    T->SetEnabled(false);
    T->OnTimer = nullptr;
    DeferFree(T.release());
}

void MorphByKind(TspEffectBmp& A, const TspEffectBmp& B, TMorphKind Kind, double K)
{
    switch (Kind) {
    case mkGradient: A.MorphGrad(&B, K); break;
    case mkLeftGradient: A.MorphLeftGrad(&B, K); break;
    case mkRightGradient: A.MorphRightGrad(&B, K); break;
    case mkLeftSlide: A.MorphLeftSlide(&B, K); break;
    case mkRightSlide: A.MorphRightSlide(&B, K); break;
    case mkPush: A.MorphPush(&B, K); break;
    default: A.Morph(&B, K); break;
    }
}

bool ActionGlyph(TBasicAction* Action, int Index, TBitmap* Glyph)
{
    auto* a = dynamic_cast<TCustomAction*>(Action);
    if (!a || !Glyph || !a->GetActionList()) return false;
    TCustomImageList* il = a->GetActionList()->GetImages();
    const int index = Index;
    if (!il || index < 0 || index >= il->GetCount() || il->GetWidth() <= 0 || il->GetHeight() <= 0) return false;
    TBitmap b(il->GetWidth(), il->GetHeight(), pf24bit);
    TCanvas* c = b.GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clFuchsia);
    c->FillRect(TRect(0, 0, il->GetWidth(), il->GetHeight()));
    il->Draw(c, 0, 0, index, true);
    // Fixed, not the bottom-left pixel: an image that covers its corner keeps that colour.
    b.SetTransparentColor(clFuchsia);
    Glyph->Assign(&b);
    return true;
}

void FollowActionImage(TBasicAction* Action, int Index, TBitmap* Glyph, bool& FromAction)
{
    if (!Glyph->Empty() && !FromAction) return;
    if (ActionGlyph(Action, Index, Glyph))
        FromAction = true;
    else if (FromAction) {
        Glyph->Assign(nullptr);
        FromAction = false;
    }
}

}  // namespace Skinctrls
