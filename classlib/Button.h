// Buttons on the system BUTTON class: push button (default and cancel
// buttons, modal result), check box and radio button.
#pragma once
#include "WinControl.h"

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
protected:
    friend class TButtonActionLink;
    friend class TCustomRadioGroup;
    void CreateParams(TCreateParams& Params) override;
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    // Setting Checked from code raises OnClick unless this is set.
    bool FClicksDisabled = false;
    bool FWordWrap = false;
};

// A check box or button that follows its action's Checked as well.
class TButtonActionLink : public TControlActionLink {
public:
    explicit TButtonActionLink(TButtonControl* AClient) : TControlActionLink(AClient), FButton(AClient) {}
    void SetChecked(bool Value) override;
private:
    TButtonControl* FButton;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    // Sets the form's ModalResult (when the button has one), then OnClick / the action.
    void Click() override;
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void SetButtonStyle(bool ADefault);
private:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    int FModalResult = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeftSide, taRightSide };

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    bool GetChecked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState GetState() const { return FState; }
    // Changing the state raises OnClick (as a click does).
    void SetState(TCheckBoxState Value);
    bool AllowGrayed = false;
    TLeftRight GetAlignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Toggle();
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;
private:
    TCheckBoxState FState = cbUnchecked;
    TLeftRight FAlignment = taRightSide;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool GetChecked() const override { return FChecked; }
    // Checking one turns off the radio buttons beside it and raises OnClick.
    void SetChecked(bool Value) override;
    TLeftRight GetAlignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;
private:
    bool FChecked = false;
    TLeftRight FAlignment = taRightSide;
};

// Whether Text marks Key as its accelerator ("&Send" and 's').
bool IsAccel(WORD Key, const std::string& Text);
