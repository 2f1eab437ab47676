// A component's non-owning reference to another component: the skin data a
// skinned control wears, a control's SkinData/CtrlSkinData, its popup menu.
// Setting the link registers the owner for the component's free notification;
// the owner's Notification hands every removal to Removed, which clears the link
// when its component goes. The registration is never given up by the link: one
// owner may hold the same component through two links (SkinData and
// CtrlSkinData on one skin data), and giving it up for one would leave the other
// pointing at a freed component. A registration left over costs one ignored
// notification; both components drop it when either is destroyed.
#pragma once
#include "Classes.h"

template <class T>
class TspComponentLink {
public:
    explicit TspComponentLink(TComponent* AOwner) : FOwner(AOwner) {}
    ~TspComponentLink() = default;
    TspComponentLink(const TspComponentLink&) = delete;
    TspComponentLink& operator=(const TspComponentLink&) = delete;

    T* Get() const { return FTarget; }
    operator T*() const { return FTarget; }
    T* operator->() const { return FTarget; }

    // Links Value (null unlinks); answers whether the link changed.
    bool Set(T* Value)
    {
        if (FTarget == Value) return false;
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
    TComponent* FOwner;
    T* FTarget = nullptr;
    // The same object seen as a component: kept so that the link's own code
    // needs T only where it is set.
    TComponent* FComponent = nullptr;
};

class TspSkinData;
using TspSkinDataLink = TspComponentLink<TspSkinData>;
