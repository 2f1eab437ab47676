#include "FrameMainMenuItem.h"
#include "FrameMainMenu.h"
#include "MenuItemLook.h"
#include "SkinElement.h"
#include "SkinImage.h"
#include "SkinMenuMode.h"
#include "SkinMenus.h"
#include <algorithm>

bool TspSkinMainMenuItem::Usable(TspSkinData* Skin, TspDataSkinMainMenuItem* AData)
{
    if (!AData) return false;
    TBitmap* pic = Frameobjects::ActivePicture(Skin, AData->ActivePictureIndex);
    return pic && !ClipToPicture(AData->SkinRect, pic).IsEmpty() && !AData->TextRect.IsEmpty() &&
           AData->SkinRect.Width() <= Frameobjects::MaxImageSide && AData->SkinRect.Height() <= Frameobjects::MaxImageSide;
}

TspSkinMainMenuItem::TspSkinMainMenuItem(TspFormFrame* AForm, TspDataSkinMainMenuItem* AData)
    : TspActiveSkinObject(AForm, AData)
{
    if (!AData) return;
    Font = AData->Font;
    Font.Height = ClampFontHeight(Font.Height);
    unenabledfontColor = AData->UnEnabledFontColor;
    activefontcolor = AData->ActiveFontColor;
    downfontcolor = AData->DownFontColor;
    TextRect = AData->TextRect;
    // Offsets beyond the image would leave a middle of width 0 or less to tile.
    const int w = std::max(0, skinrect.Width());
    ItemLeftOffset = std::clamp(AData->ItemLeftOffset, 0, w);
    ItemRightOffset = std::clamp(AData->ItemRightOffset, 0, w - ItemLeftOffset);
    // Our copies only: the record is shared by every reader of the skin.
    if (ActivePictureBitmap) {
        activeskinrect = ClipToPicture(activeskinrect, ActivePictureBitmap);
        downrect = ClipToPicture(AData->DownRect, ActivePictureBitmap);
    }
    if (downrect.IsEmpty()) downrect = activeskinrect;
    if (downrect.IsEmpty()) downrect = skinrect;
    if (activeskinrect.IsEmpty()) {
        activeskinrect = TRect();
        morphing = false;
    }
}

std::string TspSkinMainMenuItem::Caption() const { return LinkedMenuItem ? LinkedMenuItem->GetCaption() : ""; }

void TspSkinMainMenuItem::SetItemFont(TCanvas* C) const
{
    TFont* f = C->GetFont();
    ApplySkinFontFields(f, Font);
}

int TspSkinMainMenuItem::ItemWidth() const
{
    const int cw = Menuitemlook::CaptionWidth(Caption(), [this](TCanvas* C) { SetItemFont(C); });
    const int w = skinrect.Width() - TextRect.Width() + cw + 2;
    return std::clamp(w, 1, Frameobjects::MaxImageSide);
}

bool TspSkinMainMenuItem::Layout(int Left)
{
    const TRect& area = SkinForm->FrameMainMenuRect;
    const int left = Left > 0 ? Left : area.left;
    ObjectRect = TRect(left, area.top, left + ItemWidth(), area.top + skinrect.Height());
    const bool fits = !area.IsEmpty() && ObjectRect.right <= area.right;
    return Menuitemlook::FollowRoom(fits, InMenuRect, Enabled, SavedEnabled);
}

TColor TspSkinMainMenuItem::CaptionColor(TColor StateColor) const
{
    return LinkedMenuItem && !LinkedMenuItem->GetEnabled() ? unenabledfontColor : StateColor;
}

std::unique_ptr<TBitmap> TspSkinMainMenuItem::StateImage(const TRect& Source, TColor FontColor) const
{
    if (!ActivePictureBitmap || Source.IsEmpty()) return nullptr;
    auto img = Frameobjects::NewImage(ObjectRect.Width(), Source.Height());
    if (!img) return nullptr;
    Menuitemlook::ItemStrip(img.get(), ActivePictureBitmap, Source, ItemLeftOffset, ItemRightOffset,
                            ObjectRect.Width());
    if (img->Empty()) return nullptr;
    TCanvas* c = img->GetCanvas();
    SetItemFont(c);
    c->GetFont()->SetColor(FontColor);
    Menuitemlook::DrawCaption(c, Caption(), TextRect);
    return img;
}

void TspSkinMainMenuItem::Draw(TCanvas* Cnvs, bool /*Forced*/)
{
    if (!Cnvs || !InMenuRect || skinrect.IsEmpty() || TextRect.IsEmpty() || ObjectRect.IsEmpty()) return;
    if (Down) {
        auto img = StateImage(downrect, CaptionColor(downfontcolor));
        Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, img.get());
        return;
    }
    if (morphing && MorphUnderWay()) {
        auto normal = StateImage(skinrect, CaptionColor(Font.Color));
        auto act = StateImage(activeskinrect, CaptionColor(activefontcolor));
        if (normal && act && normal->GetHeight() == act->GetHeight()) {
            DrawMorph(Cnvs, normal.get(), act.get());
            return;
        }
    }
    std::unique_ptr<TBitmap> img;
    if (Active)
        img = StateImage(activeskinrect.IsEmpty() ? skinrect : activeskinrect, CaptionColor(activefontcolor));
    else
        img = StateImage(skinrect, CaptionColor(Font.Color));
    Frameobjects::DrawImage(Cnvs, ObjectRect.left, ObjectRect.top, img.get());
}

bool TspSkinMainMenuItem::CanMorphing()
{
    if (Down) return false;
    return TspActiveSkinObject::CanMorphing();
}

void TspSkinMainMenuItem::MouseEnter()
{
    if (SearchDown()) {
        // Moving along the items with a drop-down open opens this item's instead;
        // a command item only takes the highlight, and the mode goes on.
        Active = true;
        Hovered = true;
        if (morphing) MorphKf = 1;
        if (HasSubItems()) {
            SetDown(true);
            return;
        }
        TspSkinMenuMode::ForFrame(SkinForm)->CloseQuietly();
        Redraw();
        return;
    }
    SearchActive();
    Hovered = true;
    Active = true;
    Redraw();
}

void TspSkinMainMenuItem::MouseLeave()
{
    Active = false;
    Hovered = false;
    if (morphing && Down) MorphKf = 0;
    Redraw();
    SkinForm->MouseLeaveEvent(IDName);
}

void TspSkinMainMenuItem::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled || !LinkedMenuItem) return;
    TspFormFrame* frame = SkinForm;
    if (Button != mbLeft) {
        TspActiveSkinObject::MouseDown(X, Y, Button);
        return;
    }
    // The press that closed this item's own drop-down (the form's press closes
    // menus first) leaves it closed rather than opening it again.
    if (frame->TakeMenuClosingPress(this)) {
        TspActiveSkinObject::MouseDown(X, Y, Button);
        return;
    }
    if (HasSubItems()) {
        if (!Down) SetDown(true);
        TspActiveSkinObject::MouseDown(X, Y, Button);
        return;
    }
    SetDown(false);
    TMenuItem* item = LinkedMenuItem;
    const std::string id = IDName;
    const TRect r = ObjectRect;
    frame->MouseDownEvent(id, X, Y, r, Button);
    // A command leaves the menu mode first; it runs last, since it may rebuild
    // the frame's objects (and free this one).
    if (frame->GetMainMenuActive()) frame->SkinMainMenuClose();
    TspSkinMenuMode::ForFrame(frame)->SkinMenuClose();
    TMenu* menu = item->GetParentMenu();
    if (!menu || !menu->DispatchCommand(static_cast<WORD>(item->GetCommand()))) item->Click();
}

void TspSkinMainMenuItem::SetDown(bool Value)
{
    if (Value) {
        Down = true;
        SkinForm->DrawSkinObject(this);
        TrackMenu();
        if (!SkinForm->GetMainMenuActive()) SkinForm->SetMainMenuActive(true);
        return;
    }
    Down = false;
    Active = false;
    if (morphing) MorphKf = 1;
    Redraw();
}

void TspSkinMainMenuItem::SearchActive()
{
    for (int i = 0; i < SkinForm->ObjectCount(); ++i) {
        auto* it = dynamic_cast<TspSkinMainMenuItem*>(SkinForm->GetObject(i));
        // By object: unnamed menu items share an empty IDName.
        if (it && it != this && it->Active) {
            it->MouseLeave();
            return;
        }
    }
}

bool TspSkinMainMenuItem::SearchDown()
{
    for (int i = 0; i < SkinForm->ObjectCount(); ++i) {
        auto* it = dynamic_cast<TspSkinMainMenuItem*>(SkinForm->GetObject(i));
        if (it && it != this && it->Down) {
            it->SetDown(false);
            return true;
        }
    }
    return false;
}

void TspSkinMainMenuItem::TrackMenu()
{
    if (!HasSubItems()) return;
    TspSkinMenuMode* mode = TspSkinMenuMode::ForFrame(SkinForm);
    if (!mode || !mode->GetSkinMenu()) return;
    TspSkinData* skin = nullptr;
    auto* own = dynamic_cast<TspSkinMainMenu*>(LinkedMenuItem->GetParentMenu());
    if (own && own->GetSkinData())
        skin = own->GetSkinData();
    else
        skin = SkinForm->GetMenusSkinData() ? SkinForm->GetMenusSkinData() : SkinForm->GetSkinData();
    TspSkinData* upFrom = own && own->GetSkinData() ? own->GetSkinData() : SkinForm->GetSkinData();
    const bool up = upFrom && !upFrom->Empty && upFrom->MainMenuPopupUp;
    mode->SkinMenuOpen();
    mode->GetSkinMenu()->Popup(nullptr, skin, 0, Frameobjects::ScreenRect(SkinForm, ObjectRect), LinkedMenuItem, up);
    // Menu mode stays only while a level is really shown.
    mode->CheckOpened();
}
