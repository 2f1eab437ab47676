// The number fields: the numeric text rules (typed characters, number texts,
// clamping, formatting) shared by the skinned numeric edit and the spin edit.
// A number typed out of range is clamped when the field is left or Enter is
// pressed, not on every key, so that 50 can be typed into a 10..100 field.
#pragma once
#include "SkinControl.h"
#include "SkinEdits.h"
#include "SkinLooks.h"
#include <string>

enum TspValueType { vtInteger, vtFloat };

namespace SpNumber {
// The locale's decimal separator (one character).
char DecimalSeparator();
// The typed-character rule: a digit, "-" (once), the separator (once, floats
// only) or a control character other than Enter; with ReadOnly only the control
// characters other than Backspace.
bool IsValidChar(char Ch, const std::string& Text, TspValueType Type, bool ReadOnly);
// The number-text rule: not empty, not a lone "-", "-" only first, digits, and
// for floats one separator that is not first.
bool IsNumText(const std::string& Text, TspValueType Type);
// Text converted; false (never an exception) when it does not convert, e.g. an
// integer beyond 32 bits or a separator with no digits.
bool TryConvert(const std::string& Text, TspValueType Type, double& Value);
// Equal bounds mean no range.
double CheckValue(double X, double MinValue, double MaxValue);
// Fixed-point with Decimal places for floats (locale separator), the value
// rounded half to even for integers.
std::string FormatValue(double X, TspValueType Type, int Decimal);
// What stays of an edit's text when the typed character replaces the selection
// (what IsValidChar judges): a selected "-" or separator may be typed again.
std::string TextOutsideSelection(TCustomEdit* E);
}  // namespace SpNumber

class TspSkinNumericEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinNumericEdit(TComponent* AOwner);

    TspValueType GetValueType() const { return FValueType; }
    void SetValueType(TspValueType Value) { FValueType = Value; }
    BYTE GetDecimal() const { return FDecimal; }
    void SetDecimal(BYTE Value) { FDecimal = Value; }
    double GetMinValue() const { return FMinValue; }
    void SetMinValue(double Value) { FMinValue = Value; }
    double GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(double Value) { FMaxValue = Value; }
    double GetValue() const { return FValue; }
    void SetValue(double Value);

    double CheckValue(double X) const { return SpNumber::CheckValue(X, FMinValue, FMaxValue); }
    bool IsNumText(const std::string& S) const { return SpNumber::IsNumText(S, FValueType); }
    // The typed-character rule against the text that stays beside the selection.
    bool IsValidChar(char Ch);
    // Clamps the typed number and writes it back (also done on leaving and Enter).
    void Commit();

protected:
    void KeyPress(char& Key) override;
    void Change() override;
    void WMChar(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    TspValueType FValueType = vtInteger;
    BYTE FDecimal = 2;
    double FMinValue = 0, FMaxValue = 0, FValue = 0;
    bool FSetting = false, FReformatting = false;
};

// The spin edit's inner editor: Up and Down keys and the wheel step the value,
// typed characters follow the number rule.
class TspSkinNumEdit : public TspCustomEdit {
public:
    explicit TspSkinNumEdit(TComponent* AOwner);
    bool Float = false;
    bool EditorEnabled = true;
    TNotifyEvent OnUpClick, OnDownClick, OnEditMouseEnter, OnEditMouseLeave, OnCommit;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;
    void WMChar(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
};

class TspSkinSpinEdit : public TspSkinCustomControl {
public:
    explicit TspSkinSpinEdit(TComponent* AOwner);
    ~TspSkinSpinEdit() override;

    TspValueType GetValueType() const { return FValueType; }
    void SetValueType(TspValueType Value);
    BYTE GetDecimal() const { return FDecimal; }
    void SetDecimal(BYTE Value) { FDecimal = Value; }
    double GetMinValue() const { return FMinValue; }
    void SetMinValue(double Value) { FMinValue = Value; }
    double GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(double Value) { FMaxValue = Value; }
    double GetValue() const { return FValue; }
    void SetValue(double X);
    void SimpleSetValue(double X);
    double GetIncrement() const { return FIncrement; }
    void SetIncrement(double Value) { FIncrement = Value; }
    bool GetEditorEnabled() const { return FEdit->EditorEnabled; }
    void SetEditorEnabled(bool Value) { FEdit->EditorEnabled = Value; }
    int GetMaxLength() const { return FEdit->GetMaxLength(); }
    void SetMaxLength(int Value) { FEdit->SetMaxLength(Value); }
    TspSkinNumEdit* GetEditor() const { return FEdit; }

    double CheckValue(double X) const { return SpNumber::CheckValue(X, FMinValue, FMaxValue); }
    bool IsNumText(const std::string& S) const { return SpNumber::IsNumText(S, FValueType); }
    void UpClick(TObject* Sender);
    void DownClick(TObject* Sender);
    // Clamps the editor's number and writes it back (on leaving the editor and Enter).
    void Commit();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Invalidate() override;
    void CalcRects();
    TRect GetButtonRect(int Index) const { return FButtons[Index & 1].R; }
    bool ButtonPressed(int Index) const { return FButtons[Index & 1].Down; }

    TNotifyEvent OnChange;
    TKeyEvent OnEditKeyDown, OnEditKeyUp;
    TKeyPressEvent OnEditKeyPress;
    TNotifyEvent OnEditEnter, OnEditExit;

protected:
    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void DefaultFontChange() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Change();
    void DrawButton(TCanvas* C, int Index);
    void TestActive(int X, int Y);
    void ButtonDown(int I);
    void ButtonUp(int I);
    void ButtonEnter(int I);
    void ButtonLeave(int I);
    void StartTimer();
    void StopTimer();
    void ApplyEditorColor();
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void WMTimer(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void EditChange(TObject* Sender);
    void EditEnter(TObject* Sender);
    void EditExit(TObject* Sender);
    void EditMouseEnter(TObject* Sender);
    void EditMouseLeave(TObject* Sender);

private:
    struct TSpinButton {
        TRect R;
        bool MouseIn = false, Down = false;
    };
    TspSkinNumEdit* FEdit = nullptr;   // owned through the component tree
    TSpinButton FButtons[2];
    int FActiveButton = -1, FOldActiveButton = -1, FCapturedButton = -1;
    int FTimerMode = 0;   // 0 none, 1 down, 2 up
    bool FWaitMode = false, FHot = false, FEditFocused = false;
    bool FSetting = false, FFromEdit = false;
    TspValueType FValueType = vtInteger;
    BYTE FDecimal = 2;
    double FMinValue = 0, FMaxValue = 0, FValue = 0, FIncrement = 1;

    TRect FActiveSkinRect;
    TspStateLooks FButtonLooks[2];   // the up button's, the down button's
    TspSkinFontFields FSkinFont{"Arial", 14, 0, clWindowText};
    TColor FActiveFontColor = clWindowText, FDisabledFontColor = clGrayText;
};
