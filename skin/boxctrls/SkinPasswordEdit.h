// TspSkinPasswordEdit: a password field without an EDIT window. The text lives
// only in a field of this control (never the window text), each character is
// drawn as a glyph, and caret, selection, editing keys and paste are its own;
// nothing can be copied or cut out of it.
#pragma once
#include "SkinControl.h"
#include "Edit.h"
#include <string>

enum TspPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TspSkinPasswordEdit : public TspSkinCustomControl {
public:
    explicit TspSkinPasswordEdit(TComponent* AOwner);
    ~TspSkinPasswordEdit() override;

    std::string GetText() const { return FText; }
    void SetText(const std::string& Value);
    void Clear() { SetText(std::string()); }

    TspPasswordKind GetPasswordKind() const { return FPasswordKind; }
    void SetPasswordKind(TspPasswordKind Value);
    TAlignment GetTextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment Value);
    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value < 0 ? 0 : Value; }
    bool ReadOnly = false;
    void SetCursor(TCursor Value);   // crDefault becomes crIBeam

    void SelectAll();
    void SelectWord();
    void ClearSelection();
    void PasteFromClipboard();
    void InsertText(const std::string& S);
    void InsertChar(char Ch);
    void InsertAfter(int Position, const std::string& S, bool Selected);
    void DeleteFrom(int Start, int Count, bool MoveCaret);

    int GetCaretPosition() const { return FCaretPosition; }
    void SetCaretPosition(int Pos);
    void UpdateCaretePosition() { SetCaretPosition(FCaretPosition); }
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const { return FSelLength < 0 ? -FSelLength : FSelLength; }
    void SetSelLength(int Value);
    // The signed length: from the caret back to the anchor.
    int GetSignedSelLength() const { return FSelLength; }
    int GetSelOrigin() const { return FSelStart; }
    std::string GetSelText() const;
    std::string GetVisibleSelText() const;
    int GetFirstVisibleChar() const { return FFVChar; }

    virtual TRect GetEditRect();
    virtual int GetPasswordCharWidth();
    virtual TRect GetSelRect();
    int GetCharX(int Index);
    int GetCoordinatePosition(int X);
    int GetNextWordBeging(int Pos) const;
    int GetPrivWordBeging(int Pos) const;
    UINT GetAlignmentFlags() const;

    void GetSkinData() override;

    TNotifyEvent OnChange;

protected:
    virtual void DrawPasswordChar(const TRect& Rect, bool Selected, TCanvas* C);
    virtual bool ValidText(const std::string& Text) { return true; }
    virtual void ShowCaret();
    virtual void HideCaret();
    virtual void Change();

    bool AcceptsRecord(const TspDataSkinControl* Rec) const override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void WMLButtonDblClk(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message);

    void UpdateFirstVisibleChar();
    void UpdateCarete();
    void HasFocus();
    void KillFocus();
    void PaintText(TCanvas* C);
    void PaintSelectedText(TCanvas* C);
    void PaintGlyphs(TCanvas* C);
    int AlignOffset(int RectWidth, int W) const;

private:
    std::string FText;
    TspPasswordKind FPasswordKind = pkRoundRect;
    TAlignment FTextAlignment = taLeftJustify;
    bool FAutoSelect = true;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    int FMaxLength = 0;

    int FCaretPosition = 0;
    int FSelStart = 0;
    int FSelLength = 0;
    int FFVChar = 1;
    bool FMouseSelecting = false;
    bool FMouseIn = false;
    bool FCaretMade = false;

    TRect FActiveSkinRect;
    int FLOffset = 0, FROffset = 0;
    TColor FFontColor = clWindowText, FActiveFontColor = clWindowText, FDisabledFontColor = clGrayText;
};
