#include "SkinLinkLabel.h"
#include "SkinData.h"
#include <shellapi.h>

namespace Skinctrls {

void ShellOpen(const std::string& Address)
{
    ShellExecuteA(nullptr, "open", Address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace Skinctrls

// ---- TspSkinLinkLabel ----

TspSkinLinkLabel::TspSkinLinkLabel(TComponent* AOwner) : TCustomLabel(AOwner), FDefaultFont(std::make_unique<TFont>())
{
    SetTransparent(true);
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(fsUnderline);
    GetFont()->Assign(FDefaultFont.get());
    SetCursor(crHandPoint);
}

TspSkinLinkLabel::~TspSkinLinkLabel() = default;

void TspSkinLinkLabel::SetSkinData(TspSkinData* Value)
{
    FSD.Set(Value);
    if (FSD) ChangeSkinData();
}

void TspSkinLinkLabel::ChangeSkinData()
{
    FIndex = FLook.Lookup(FSD, SkinDataName);
    if (GetAutoSize()) AdjustBounds();
    Repaint();
}

void TspSkinLinkLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomLabel::Notification(AComponent, Operation);
    if (FSD.Removed(AComponent, Operation)) FIndex = -1;
}

void TspSkinLinkLabel::DoDrawText(TRect& R, UINT Flags) { DrawTextOn(GetCanvas(), R, Flags); }

void TspSkinLinkLabel::AdjustBounds()
{
    if (!GetAutoSize() || IsLoading()) return;
    TRect r = GetClientRect();
    r.bottom = r.top;
    if (!GetWordWrap()) r.right = r.left;
    // Measured in the font the label draws with, which the skin may give it.
    TBitmap scratch(1, 1, pf24bit);
    DrawTextOn(scratch.GetCanvas(), r, DrawTextFlags() | DT_CALCRECT);
    int x = GetLeft();
    if (GetAlignment() == taRightJustify) x += GetWidth() - r.Width();
    SetBounds(x, GetTop(), r.Width(), r.Height());
}

void TspSkinLinkLabel::DrawTextOn(TCanvas* C, TRect& R, UINT Flags)
{
    FIndex = FLook.Lookup(FSD, SkinDataName);
    std::string text = GetText();
    // Measuring an empty caption keeps one line's height.
    if ((Flags & DT_CALCRECT) && (text.empty() || (GetShowAccelChar() && text == "&"))) text += " ";
    if (!GetShowAccelChar()) Flags |= DT_NOPREFIX;
    TFont* f = C->GetFont();
    if (FIndex == -1) {
        f->Assign(UseSkinFont ? FDefaultFont.get() : GetFont());
        if (FMouseIn) f->SetColor(DefaultActiveFontColor);
        f->SetStyle(f->GetStyle() | fsUnderline);
    } else {
        if (UseSkinFont) {
            FLook.ApplyTo(f);
            f->SetStyle(f->GetStyle() | fsUnderline);
        } else {
            f->Assign(GetFont());
        }
        f->SetColor(FMouseIn ? FLook.ActiveFontColor : FLook.Font.Color);
    }
    C->GetBrush()->SetStyle(bsClear);
    if (!GetEnabled() && !(Flags & DT_CALCRECT)) {
        TRect r = R;
        r.Offset(1, 1);
        f->SetColor(clBtnHighlight);
        C->DrawText(text, r, Flags);
        f->SetColor(clBtnShadow);
    }
    C->DrawText(text, R, Flags);
}

void TspSkinLinkLabel::CMMouseEnter(TMessage& Message)
{
    TCustomLabel::CMMouseEnter(Message);
    if (IsDesigning()) return;
    FMouseIn = true;
    Repaint();
}

void TspSkinLinkLabel::CMMouseLeave(TMessage& Message)
{
    TCustomLabel::CMMouseLeave(Message);
    if (IsDesigning()) return;
    FMouseIn = false;
    Repaint();
}

void TspSkinLinkLabel::Click()
{
    // The click handler may free the label: the address is taken first.
    const std::string address = URL;
    auto alive = FAlive.Watch();
    TCustomLabel::Click();
    if (*alive)
        OpenURL(address);
    else
        Skinctrls::ShellOpen(address);
}

void TspSkinLinkLabel::OpenURL(const std::string& Address) { Skinctrls::ShellOpen(Address); }

// ---- TspSkinLinkImage ----

TspSkinLinkImage::TspSkinLinkImage(TComponent* AOwner) : TImage(AOwner)
{
    SetAutoSize(true);
    SetCursor(crHandPoint);
}

void TspSkinLinkImage::Click()
{
    const std::string address = URL;
    auto alive = FAlive.Watch();
    TImage::Click();
    if (*alive)
        OpenURL(address);
    else
        Skinctrls::ShellOpen(address);
}

void TspSkinLinkImage::OpenURL(const std::string& Address) { Skinctrls::ShellOpen(Address); }
