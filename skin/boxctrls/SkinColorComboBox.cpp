#include "SkinColorComboBox.h"
#include "Canvas.h"
#include "Classes.h"
#include "ScopeGuard.h"
#include "SkinColorDialog.h"
#include "SkinDrawHelpers.h"
#include "Trace.h"
#include <cstdint>
#include <memory>

namespace SpColorIdents {

namespace {
const TIdentEntry kIdents[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"}, {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
};
}  // namespace

int Count() { return static_cast<int>(sizeof(kIdents) / sizeof(kIdents[0])); }
const TIdentEntry& Entry(int Index) { return kIdents[Index]; }

std::string PrettyName(const std::string& Name)
{
    std::string s = Name.compare(0, 2, "cl") == 0 ? Name.substr(2) : Name;
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && s[i] >= 'A' && s[i] <= 'Z') r += ' ';
        r += s[i];
    }
    return r;
}

}  // namespace SpColorIdents

namespace {

TObject* AsObject(TColor C) { return reinterpret_cast<TObject*>(static_cast<uintptr_t>(static_cast<uint32_t>(C))); }
TColor AsColor(TObject* O) { return static_cast<TColor>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(O))); }

const char* const kCustom = "Custom...";

}  // namespace

TspSkinColorComboBox::TspSkinColorComboBox(TComponent* AOwner) : TspSkinCustomComboBox(AOwner)
{
    SetStyle(spcbFixedStyle);
    auto draw = [this](TCanvas* C, int I, int W, int H, TRect T, TOwnerDrawState S) { DrawColorItem(C, I, W, H, T, S); };
    SetListBoxDrawItem(draw);
    OnComboBoxDrawItem = draw;
    OnCloseUp = [this](TObject* S) { OnLBCloseUp(S); };
}

void TspSkinColorComboBox::CreateWnd()
{
    TspSkinCustomComboBox::CreateWnd();
    PopulateList();
}

TColor TspSkinColorComboBox::GetColor(int Index) const
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return 0;
    return AsColor(GetItems()->GetObject(Index));
}

std::string TspSkinColorComboBox::GetColorName(int Index) const
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return "";
    return GetItems()->Get(Index);
}

void TspSkinColorComboBox::SetItemColor(int Index, TColor Color) { GetItems()->PutObject(Index, AsObject(Color)); }

void TspSkinColorComboBox::ColorCallBack(const std::string& Name)
{
    const std::string text = (FExStyle & spcbPrettyNames) ? SpColorIdents::PrettyName(Name) : Name;
    GetItems()->AddObject(text, AsObject(FNextColor));
}

void TspSkinColorComboBox::PopulateList()
{
    if (!HandleAllocated()) return;
    TStrings* items = GetItems();
    items->BeginUpdate();
    TColor custom = 0;
    const TColor selected = FSelected;
    {
        TScopeExit endUpdate([items] { items->EndUpdate(); });
        if ((FExStyle & spcbCustomColor) && items->GetCount() > 0) custom = GetColor(0);
        items->Clear();
        for (int i = 0; i < SpColorIdents::Count(); ++i) {
            FNextColor = SpColorIdents::Entry(i).Value;
            ColorCallBack(SpColorIdents::Entry(i).Name);
        }
        auto remove = [&](TColor C) {
            for (int i = 0; i < items->GetCount(); ++i)
                if (GetColor(i) == C) {
                    items->Delete(i);
                    return;
                }
        };
        if (!(FExStyle & spcbIncludeNone)) remove(clNone);
        if (!(FExStyle & spcbIncludeDefault)) remove(clDefault);
        auto cut = [&](int From, int To) {
            for (int i = std::min(To, items->GetCount() - 1); i >= From; --i) items->Delete(i);
        };
        if (!(FExStyle & spcbSystemColors)) cut(20, items->GetCount() - 1);
        if (!(FExStyle & spcbExtendedColors)) cut(16, 19);
        if (!(FExStyle & spcbStandardColors)) cut(0, 15);
        if (FExStyle & spcbCustomColor) {
            items->Insert(0, kCustom);
            SetItemColor(0, custom);
        }
    }
    SetSelected(selected);
}

void TspSkinColorComboBox::SetExStyle(TspColorBoxStyle Value)
{
    FExStyle = Value;
    SetEnabled((Value & (spcbStandardColors | spcbExtendedColors | spcbSystemColors | spcbCustomColor)) != 0);
    PopulateList();
    if (GetItems()->GetCount() > 0 && GetItemIndex() == -1) SetItemIndex(0);
}

void TspSkinColorComboBox::SetSelected(TColor Color)
{
    if (HandleAllocated() && GetItems()->GetCount() > 0) {
        int index = -1;
        for (int i = 0; i < GetItems()->GetCount(); ++i)
            if (GetColor(i) == Color) {
                index = i;
                break;
            }
        if (index < 0 && (FExStyle & spcbCustomColor) && Color != clSystemColor) {
            SetItemColor(0, Color);
            index = 0;
        }
        SetItemIndex(index);
    }
    FSelected = Color;
}

TColor TspSkinColorComboBox::GetSelected()
{
    if (!HandleAllocated()) return FSelected;
    const int i = GetItemIndex();
    return i < 0 ? clSystemColor : GetColor(i);
}

void TspSkinColorComboBox::SetShowNames(bool Value)
{
    FShowNames = Value;
    Invalidate();
}

void TspSkinColorComboBox::SetDefaultColorColor(TColor Value)
{
    if (Value == FDefaultColorColor) return;
    FDefaultColorColor = Value;
    Invalidate();
}

void TspSkinColorComboBox::SetNoneColorColor(TColor Value)
{
    if (Value == FNoneColorColor) return;
    FNoneColorColor = Value;
    Invalidate();
}

void TspSkinColorComboBox::DrawColorItem(TCanvas* Cnvs, int Index, int, int, TRect TxtRect, TOwnerDrawState)
{
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    TRect swatch = TxtRect;
    swatch.Inflate(-1, -1);
    if (FShowNames) swatch.right = swatch.left + (TxtRect.Height() - 2);
    Cnvs->GetBrush()->SetStyle(bsSolid);
    Cnvs->GetBrush()->SetColor(GetColor(Index));
    Cnvs->FillRect(swatch);
    if (!FShowNames) return;
    TRect t(swatch.right + 5, TxtRect.top, TxtRect.right - 2, TxtRect.bottom);
    Cnvs->GetBrush()->SetStyle(bsClear);
    Sputils::SPDrawText(Cnvs, GetItems()->Get(Index), t);
}

bool TspSkinColorComboBox::CustomPickable() { return (FExStyle & spcbCustomColor) && GetItemIndex() == 0; }

void TspSkinColorComboBox::OnLBCloseUp(TObject*)
{
    if (CustomPickable()) PickCustomColor();
}

void TspSkinColorComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && CustomPickable()) {
        PickCustomColor();
        Key = 0;
    }
    TspSkinCustomComboBox::KeyDown(Key, Shift);
}

// Runs from the list's close-up and from key presses, inside window procedures:
// a failure opening the dialog counts as no colour chosen.
bool TspSkinColorComboBox::PickCustomColor()
{
    try {
        std::unique_ptr<TspSkinColorDialog> d(new TspSkinColorDialog(nullptr));
        d->SetSkinData(GetSkinDataComponent());
        d->SetCtrlSkinData(GetSkinDataComponent());
        d->Color = static_cast<TColor>(ColorToRGB(GetColor(0)));
        if (OnColorDialog) OnColorDialog(d.get());
        if (!d->Execute()) return false;
        SetItemColor(0, d->Color);
        Invalidate();
        if (OnClick) OnClick(this);
        if (OnChange) OnChange(this);
        return true;
    } catch (...) {
        Trace::Caught(Trace::Skin, "colour box custom colour");
        return false;
    }
}
