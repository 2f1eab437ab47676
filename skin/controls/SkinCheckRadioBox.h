// TspSkinCheckRadioBox: the skinned check box and, with Radio, radio button. The
// skinned look is the element image with one of six check images and the
// caption, with the skin's transition into the active look; the flat look draws
// check, an optional image and caption over the parent. Members of one parent
// with a common non-zero GroupIndex exclude each other.
#pragma once
#include "ButtonFace.h"
#include "ImgList.h"
#include "SkinControl.h"
#include "SkinDataLink.h"

class TspSkinCheckRadioBox : public TspSkinCustomControl {
public:
    explicit TspSkinCheckRadioBox(TComponent* AOwner);
    ~TspSkinCheckRadioBox() override;

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void ChangeSkinData() override;

    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    // The user's toggle: a check box inverts, a radio button only becomes checked.
    void SetCheckState();
    bool GetRadio() const { return FRadio; }
    void SetRadio(bool Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool MouseIn() const { return FMouseIn; }
    bool IsFocused();
    TRect CheckImagePosition() const { return FCheckImagePos; }
    // Image shown before the caption in the flat look (not owned).
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool GetMorphing() const { return FMorphing; }
    double MorphFactor() const { return FMorphKf; }
    bool Transitioning() const { return FMorphTimer != nullptr; }

    int GroupIndex = 0;
    TNotifyEvent OnClick;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateImage(TBitmap* B, const TRect& R, bool Active);
    // The check image for the state, a rectangle of the skin picture.
    TRect CheckImageRect() const;
    void DrawCheckImage(TCanvas* C, int X, int Y, const TRect& R);
    void PaintFlat(TBitmap* B);
    void UnCheckAll();
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void WndProc(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    TControlActionLink* CreateActionLink() override;
    void ActionCheckedChange(bool Value);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The transition between the normal and the active look.
    void ReDrawControl();
    void StartMorph();
    void StopMorph();
    void DoMorph();
    bool MorphGoal() { return FMouseIn || IsFocused(); }
    // The flat look's image when Images holds ImageIndex.
    bool HasImage() const;

    bool FChecked = false, FRadio = false, FFlat = false, FCanFocused = false, FMouseIn = false;
    TRect FCheckImagePos, FTextRect;
    // Copied from a check-radio record.
    TspSkinFontFields FSkinFont;
    TColor FActiveFontColor = 0, FFrameFontColor = 0, FUnEnabledFontColor = 0;
    TRect FActiveSkinRect, FCheckImageArea, FTextArea;
    TRect FCheck, FUnCheck, FActiveCheck, FActiveUnCheck, FDisabledCheck, FDisabledUnCheck;
    bool FMorphing = false;
    TMorphKind FMorphKind = mkDefault;
    double FMorphKf = 0;
    std::unique_ptr<TTimer> FMorphTimer;
    TspComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = 0;
};
