// TUpDown on the system up-down control (msctls_updown32): a position between
// Min and Max, changed by its arrows, optionally shown in an associated edit.
#pragma once
#include "WinControl.h"

enum TUDOrientation { udHorizontal, udVertical };
enum TUDAlignButton { udLeft, udRight };
enum TUDBtnType { btNext, btPrev };
typedef std::function<void(TObject* Sender, TUDBtnType Button)> TUDClickEvent;
typedef std::function<void(TObject* Sender, bool& AllowChange)> TUDChangingEvent;

class TCustomUpDown : public TWinControl {
public:
    explicit TCustomUpDown(TComponent* AOwner);
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetPosition();
    void SetPosition(int Value);
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value);
    TWinControl* GetAssociate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    TUDOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    TUDAlignButton GetAlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    bool GetWrap() const { return FWrap; }
    void SetWrap(bool Value);
    bool GetArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value);
    bool GetThousands() const { return FThousands; }
    void SetThousands(bool Value);
    // The arrow pressed (after the position changed); hides the control's plain OnClick.
    TUDClickEvent OnClick;
    // Before a change by the arrows; AllowChange false keeps the position.
    TUDChangingEvent OnChanging;
    void Dispatch(TMessage& Message) override;
protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void CNNotify(TMessage& Message);
    virtual void CNScroll(TMessage& Message);
private:
    void ApplyRange();
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TWinControl* FAssociate = nullptr;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    bool FWrap = false;
    bool FArrowKeys = true;
    bool FThousands = true;
};

class TUpDown : public TCustomUpDown {
public:
    explicit TUpDown(TComponent* AOwner) : TCustomUpDown(AOwner) {}
};
