// TspSkinTrackEdit: the skinned button edit for an integer in MinValue ..
// MaxValue. The number is typed, stepped with the wheel, or dragged on a
// horizontal skinned track bar that the ellipsis button drops below the edit.
// The bar never takes the activation, so the edit keeps the focus. A typed number
// out of range is clamped when the field is left or Enter is pressed.
#pragma once
#include "SkinEdits.h"
#include "SkinTrackBar.h"
#include <string>

enum TspTrackBarPopupKind { tbpRight, tbpLeft };

class TspSkinPopupTrackBar : public TspSkinTrackBar {
public:
    explicit TspSkinPopupTrackBar(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
};

class TspSkinTrackEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinTrackEdit(TComponent* AOwner);
    ~TspSkinTrackEdit() override;

    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value) { FMinValue = Value; }
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { FMaxValue = Value; }
    int GetValue() const { return FValue; }
    void SetValue(int Value);
    TspTrackBarPopupKind PopupKind = tbpRight;
    int TrackBarWidth = 0;
    std::string TrackBarSkinDataName = "htrackbar";
    bool GetJumpWhenClick() const;
    void SetJumpWhenClick(bool Value);
    // Stored only: the bar shows opaque.
    bool TrackBarAlphaBlend = false;
    bool TrackBarAlphaBlendAnimation = false;
    BYTE TrackBarAlphaBlendValue = 0;

    // Equal bounds mean no range.
    int CheckValue(int X) const;
    bool IsNumText(const std::string& S) const;
    bool IsValidChar(char Ch);
    // Clamps the typed number and writes it back (on leaving the field and on Enter);
    // a text that is no number, or none that fits 32 bits, gives way to Value.
    void Commit();

    void DropDown();
    void CloseUp();
    void ButtonClick(TObject* Sender);
    void TrackBarChange(TObject* Sender);
    TspSkinPopupTrackBar* GetTrackBar() const { return FTrackBar; }
    bool TrackBarShown() const;
    // The screen point of a bar of BarW x BarH for an edit at EditLeftTop (screen)
    // of EditW x EditH, on a screen of ScreenW x ScreenH.
    static TPoint DropPoint(const TPoint& EditLeftTop, int EditW, int EditH, int BarW, int BarH,
                            TspTrackBarPopupKind Kind, int ScreenW, int ScreenH);

protected:
    void Change() override;
    void KeyPress(char& Key) override;
    void WndProc(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WMMouseWheel(TMessage& Message);
    void CancelMode(TControl* Sender);

    TspSkinPopupTrackBar* FTrackBar = nullptr;   // owned through the component tree
    int FMinValue = 0, FMaxValue = 100, FValue = 0;
    bool FSetting = false, FReformatting = false;
};
