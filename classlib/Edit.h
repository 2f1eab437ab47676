// Edits on the system EDIT class: the one-line edit (password character,
// read-only, maximum length, selection and clipboard) and the memo with its
// lines.
#pragma once
#include "WinControl.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);           // 0: no limit
    char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);       // 0: the text is shown
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool AutoSelect = true;
    bool GetModified();
    void SetModified(bool Value);
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    std::string GetSelText();
    void SetSelText(const std::string& Value);
    bool CanUndo();

    void Clear();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    void SelectAll();

    TNotifyEvent OnChange;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();
    virtual void CNCommand(TMessage& Message);
    void CMEnter(TMessage& Message) override;
    TBorderStyle FBorderStyle = bsSingle;
private:
    int FMaxLength = 0;
    char FPasswordChar = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    bool FModified = false;
    bool FCreating = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo;

// The lines of a memo: the text of its window, line by line.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}
    int GetCount() const override;
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetText(const std::string& Value) override;
protected:
    void SetUpdateState(bool Updating) override;
private:
    std::vector<std::string> Split() const;
    void Join(const std::vector<std::string>& Lines);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    TStrings* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool WantReturns = true;
    bool WantTabs = false;
protected:
    friend class TMemoStrings;
    void CreateParams(TCreateParams& Params) override;
    void KeyPress(char& Key) override;
    void WMGetDlgCode(TMessage& Message);
    void Dispatch(TMessage& Message) override;
private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
