// The rich edit on the system's rich-text control (RichEdit20A): the memo's
// text, lines, selection and read-only state, with the rich control's own
// colours and change notification, and a plain-text mode.
#pragma once
#include "Edit.h"

class TCustomRichEdit : public TCustomMemo {
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    // The rich control counts a line break as one character in its positions,
    // so the selected text is asked of it rather than cut from GetText.
    std::string GetSelText();
    // Plain text: one character format for the whole text.
    bool GetPlainText() const { return FPlainText; }
    void SetPlainText(bool Value);
    // Number of the line that holds character position Pos (the caret's with -1).
    int LineFromChar(int Pos);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void ApplyColors();

private:
    bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
