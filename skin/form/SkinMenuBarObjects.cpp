#include "SkinMenuBarObjects.h"
#include "ActiveSkinObject.h"
#include "ButtonFace.h"
#include "EffectBmp.h"
#include "MenuItemLook.h"
#include "SkinData.h"
#include "SkinDefaultColors.h"
#include "SkinDrawHelpers.h"
#include "SkinImage.h"
#include "SkinMenuBar.h"
#include "SkinMenus.h"
#include <algorithm>

// ---- TspMenuBarObject ----

TspMenuBarObject::TspMenuBarObject(TspSkinMainMenuBar* ABar, TspDataSkinObject* AData) : Bar(ABar)
{
    if (!AData) return;
    IDName = AData->IDName;
    skinrect = AData->SkinRect;
    activeskinrect = AData->ActiveSkinRect;
    downrect = AData->ActiveSkinRect;
    morphing = AData->Morphing;
    morphkind = AData->MorphKind;
    Picture = Frameobjects::ActivePicture(ABar ? ABar->GetSkinDataComponent() : nullptr, AData->ActivePictureIndex);
    ObjectRect = skinrect;
}

void TspMenuBarObject::MouseEnter()
{
    Hovered = true;
    Active = true;
    Redraw();
}

void TspMenuBarObject::MouseLeave()
{
    Hovered = false;
    Active = false;
    Redraw();
}

bool TspMenuBarObject::CanMorphing()
{
    if (Down && !downrect.IsEmpty()) return false;
    return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

void TspMenuBarObject::Redraw()
{
    if (morphing && Bar) {
        Bar->StartMorph();
        return;
    }
    MorphKf = Active ? 1 : 0;
    if (Bar) Bar->DrawSkinObject(this);
}

void TspMenuBarObject::DoMorphing()
{
    SetMorphKf(MorphKf + (Active ? 0.2 : -0.2));
    if (Bar) Bar->DrawSkinObject(this);
}

void TspMenuBarObject::SetMorphKf(double Value)
{
    // Steps of 0.2 do not sum exactly: the ends are met, not missed by a rounding.
    if (Value < 1e-6) Value = 0;
    if (Value > 1 - 1e-6) Value = 1;
    MorphKf = std::clamp(Value, 0.0, 1.0);
}

// ---- TspSkinMainMenuBarItem ----

TspSkinMainMenuBarItem::TspSkinMainMenuBarItem(TspSkinMainMenuBar* ABar, TspDataSkinObject* AData)
    : TspMenuBarObject(ABar, AData)
{
    auto* r = dynamic_cast<TspDataSkinMainMenuItem*>(AData);
    // An item without its picture, or whose images are empty, cannot be drawn from
    // the skin: it takes the plain look instead of vanishing (or measuring 0).
    HasSkin = r && Picture && !ClipToPicture(r->SkinRect, Picture).IsEmpty() && !r->TextRect.IsEmpty();
    if (!HasSkin) {
        skinrect = activeskinrect = downrect = TRect();
        morphing = false;
        return;
    }
    Font = r->Font;
    Font.Height = ClampFontHeight(Font.Height);
    unenabledfontColor = r->UnEnabledFontColor;
    activefontcolor = r->ActiveFontColor;
    downfontcolor = r->DownFontColor;
    TextRect = r->TextRect;
    // Offsets beyond the image would leave a middle of width 0 or less to tile.
    const int w = skinrect.Width();
    ItemLeftOffset = std::clamp(r->ItemLeftOffset, 0, w);
    ItemRightOffset = std::clamp(r->ItemRightOffset, 0, w - ItemLeftOffset);
    ItemDownRect = r->DownRect;
    if (ItemDownRect.IsEmpty()) ItemDownRect = activeskinrect;
    if (ItemDownRect.IsEmpty()) ItemDownRect = skinrect;
    if (activeskinrect.IsEmpty()) morphing = false;
}

std::string TspSkinMainMenuBarItem::Caption() const { return LinkedMenuItem ? LinkedMenuItem->GetCaption() : ""; }

void TspSkinMainMenuBarItem::SetItemFont(TCanvas* C)
{
    C->GetFont()->Assign(Bar->GetDefItemFont());
    if (HasSkin) {
        ApplySkinFontFields(C->GetFont(), Font);
    }
}

int TspSkinMainMenuBarItem::ItemWidth()
{
    const int cw = Menuitemlook::CaptionWidth(Caption(), [this](TCanvas* C) { SetItemFont(C); });
    if (HasSkin) return std::max(1, skinrect.Width() - TextRect.Width() + cw + 2);
    return cw + 12;
}

bool TspSkinMainMenuBarItem::Layout(int Left, const TRect& Area, int MarkerWidth)
{
    const int left = Left > 0 ? Left : Area.left;
    const int top = Area.top;
    const int bottom = HasSkin ? top + skinrect.Height() : Area.bottom;
    ObjectRect = TRect(left, top, left + ItemWidth(), bottom);
    const bool fits = ObjectRect.right <= Area.right - MarkerWidth;
    return Menuitemlook::FollowRoom(fits, InMenuRect, Enabled, SavedEnabled);
}

void TspSkinMainMenuBarItem::Draw(TCanvas* Cnvs)
{
    if (!Cnvs || !InMenuRect || ObjectRect.IsEmpty()) return;
    if (HasSkin)
        SkinDraw(Cnvs);
    else
        DefaultDraw(Cnvs);
}

bool TspSkinMainMenuBarItem::StripImage(TBitmap* Img, const TRect& Source, TColor Color)
{
    Menuitemlook::ItemStrip(Img, Picture, Source, ItemLeftOffset, ItemRightOffset, ObjectRect.Width());
    if (Img->Empty()) return false;
    TCanvas* c = Img->GetCanvas();
    SetItemFont(c);
    c->GetFont()->SetColor(LinkedMenuItem && !LinkedMenuItem->GetEnabled() ? unenabledfontColor : Color);
    Menuitemlook::DrawCaption(c, Caption(), TextRect);
    return true;
}

void TspSkinMainMenuBarItem::SkinDraw(TCanvas* Cnvs)
{
    TRect src = skinrect;
    TColor color = Font.Color;
    if (Down) {
        src = ItemDownRect;
        color = downfontcolor;
    } else if (morphing && MorphKf > 0 && MorphKf < 1) {
        // Under way between the normal and the active look.
        TBitmap normal, active;
        if (!StripImage(&normal, skinrect, Font.Color) || !StripImage(&active, activeskinrect, activefontcolor)) return;
        TspEffectBmp a(&normal), b(&active);
        Skinctrls::MorphByKind(a, b, morphkind, MorphKf);
        a.Draw(Cnvs->GetHandle(), ObjectRect.left, ObjectRect.top);
        return;
    } else if (Active) {
        if (!activeskinrect.IsEmpty()) src = activeskinrect;
        color = activefontcolor;
    }
    TBitmap img;
    if (!StripImage(&img, src, color)) return;
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &img);
}

void TspSkinMainMenuBarItem::DefaultDraw(TCanvas* Cnvs)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap img(w, h, pf24bit);
    if (img.Empty()) return;
    TCanvas* c = img.GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    if (Down || Hovered || Active) {
        c->GetBrush()->SetColor(clPlainHotFrame);
        c->FillRect(TRect(0, 0, w, h));
        c->GetBrush()->SetColor(Down ? clPlainDownFill : clPlainHotFill);
        c->FillRect(TRect(1, 1, w - 1, h - 1));
    } else {
        c->GetBrush()->SetColor(clPlainFace);
        c->FillRect(TRect(0, 0, w, h));
    }
    SetItemFont(c);
    const bool enabled = LinkedMenuItem && LinkedMenuItem->GetEnabled();
    c->GetFont()->SetColor(enabled ? Bar->GetDefItemFont()->GetColor() : clBtnShadow);
    c->GetBrush()->SetStyle(bsClear);
    const int th = c->TextHeight("Wq");
    TRect t(0, h / 2 - th / 2, w, h / 2 - th / 2 + th);
    if (Down) t.Offset(1, 1);
    c->DrawText(Caption(), t, DT_CENTER | DT_SINGLELINE);
    Cnvs->Draw(ObjectRect.left, ObjectRect.top, &img);
}

void TspSkinMainMenuBarItem::MouseEnter()
{
    if (SearchDown()) {
        // Moving along the bar with a drop-down open opens this item's instead.
        Active = true;
        Hovered = true;
        if (morphing) MorphKf = 1;
        SetDown(true);
        return;
    }
    SearchActive();
    Hovered = true;
    Active = true;
    Redraw();
    if (Bar->OnItemMouseEnter) Bar->OnItemMouseEnter(LinkedMenuItem);
}

void TspSkinMainMenuBarItem::MouseLeave()
{
    Active = false;
    Hovered = false;
    if (morphing && Down) MorphKf = 0;
    Redraw();
    if (Bar->OnItemMouseLeave) Bar->OnItemMouseLeave(LinkedMenuItem);
}

void TspSkinMainMenuBarItem::MouseDown(int, int, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || !LinkedMenuItem) return;
    TspSkinMainMenuBar* bar = Bar;
    TMenuItem* item = LinkedMenuItem;
    if (bar->OnMainMenuItemClick) bar->OnMainMenuItemClick(IDName);
    if (HasSubItems() && Down) {
        // A second press on the open item closes its drop-down (the press itself
        // may already have closed it, as a press outside the menu).
        bar->MenuExit();
        return;
    }
    if (HasSubItems()) {
        bar->EnterMenuMode();
        SetDown(true);
        return;
    }
    bar->MenuExit();
    // The item's command may rebuild the bar (and free this object): it runs last.
    item->Click();
}

void TspSkinMainMenuBarItem::SetDown(bool Value)
{
    if (Value) {
        Down = true;
        Bar->DrawSkinObject(this);
        Bar->EnterMenuMode();
        TrackMenu();
        return;
    }
    Down = false;
    Active = false;
    // From the pressed look the item fades back from fully active.
    if (morphing) MorphKf = 1;
    Redraw();
}

bool TspSkinMainMenuBarItem::SearchDown()
{
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = Bar->GetItem(i);
        if (it != this && it->Down) {
            it->SetDown(false);
            return true;
        }
    }
    return false;
}

void TspSkinMainMenuBarItem::SearchActive()
{
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        TspSkinMainMenuBarItem* it = Bar->GetItem(i);
        if (it != this && it->Active) {   // by object: unnamed items share an empty IDName
            it->MouseLeave();
            return;
        }
    }
}

void TspSkinMainMenuBarItem::TrackMenu()
{
    if (!HasSubItems()) return;
    Bar->PopupItem(LinkedMenuItem, Bar->ObjectToScreen(ObjectRect));
}
