// A component's non-owning reference to another component: the skin data a
// skinned control wears, a control's SkinData/CtrlSkinData, its popup menu.
// The link keeps the free notification in step with the pointer (given up on
// re-assignment and on destruction); the owner's Notification hands every
// removal to Removed, which clears the link when its component goes.
#pragma once
#include "Classes.h"

template <class T>
class TspComponentLink {
public:
    explicit TspComponentLink(TComponent* AOwner) : FOwner(AOwner) {}
    ~TspComponentLink() { Unlink(); }
    TspComponentLink(const TspComponentLink&) = delete;
    TspComponentLink& operator=(const TspComponentLink&) = delete;

    T* Get() const { return FTarget; }
    operator T*() const { return FTarget; }
    T* operator->() const { return FTarget; }

    // Links Value (null unlinks); answers whether the link changed.
    bool Set(T* Value)
    {
        if (FTarget == Value) return false;
        Unlink();
        FTarget = Value;
        FComponent = Value;
        if (FComponent) FComponent->FreeNotification(FOwner);
        return true;
    }

    // The owner's Notification: true when AComponent was the linked one and
    // is going, the link then being clear.
    bool Removed(TComponent* AComponent, TOperation Operation)
    {
        if (Operation != opRemove || !FComponent || AComponent != FComponent) return false;
        FTarget = nullptr;
        FComponent = nullptr;
        return true;
    }

private:
    void Unlink()
    {
        if (FComponent) FComponent->RemoveFreeNotification(FOwner);
        FTarget = nullptr;
        FComponent = nullptr;
    }

    TComponent* FOwner;
    T* FTarget = nullptr;
    // The same object seen as a component: kept so that the link's own code
    // needs T only where it is set.
    TComponent* FComponent = nullptr;
};

class TspSkinData;
using TspSkinDataLink = TspComponentLink<TspSkinData>;
