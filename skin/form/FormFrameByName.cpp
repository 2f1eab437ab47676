// The frame's object interface by name: the application reaches the live
// objects by the section names of the skin. While the skin changes, setters
// only store their values; the frame paints everything once the change ends.
#include "FormFrame.h"
#include "FrameAnimateObject.h"
#include "FrameObjects.h"
#include "Menus.h"

namespace {

template <class T>
T* ObjectAs(const TspFormFrame* Frame, const std::string& IDName)
{
    return dynamic_cast<T*>(Frame->GetObject(Frame->GetIndex(IDName)));
}

} // namespace

void TspFormFrame::AnimateStart(const std::string& IDName)
{
    if (auto* a = ObjectAs<TspSkinAnimateObject>(this, IDName)) a->Start();
}

void TspFormFrame::AnimateStop(const std::string& IDName)
{
    if (auto* a = ObjectAs<TspSkinAnimateObject>(this, IDName)) a->Stop();
}

void TspFormFrame::LabelSetText(const std::string& IDName, const std::string& Text)
{
    if (auto* l = ObjectAs<TspSkinLabelObject>(this, IDName)) l->SetTextValue(Text, !FSkinChanging);
}

void TspFormFrame::BitLabelSetText(const std::string& IDName, const std::string& Text)
{
    if (auto* l = ObjectAs<TspSkinBitLabelObject>(this, IDName)) l->SetTextValue(Text, !FSkinChanging);
}

void TspFormFrame::CaptionSetText(const std::string& IDName, const std::string& Text)
{
    auto* c = ObjectAs<TspSkinCaptionObject>(this, IDName);
    if (!c) return;
    if (FSkinChanging) c->SimpleSetTextValue(Text);
    else c->SetTextValue(Text);
}

void TspFormFrame::ButtonSetDown(const std::string& IDName, bool Down)
{
    if (auto* b = ObjectAs<TspSkinButtonObject>(this, IDName)) b->SetDown(Down);
}

bool TspFormFrame::ButtonGetDown(const std::string& IDName) const
{
    auto* b = ObjectAs<TspSkinButtonObject>(this, IDName);
    return b && b->Down;
}

void TspFormFrame::LinkMenu(const std::string& IDName, TMenu* Menu, bool PopupUp)
{
    TMenuItem* items = Menu ? Menu->GetItems() : nullptr;
    if (auto* b = ObjectAs<TspSkinButtonObject>(this, IDName)) {
        b->LinkedMenuItem = items;
        b->PopupToUp = PopupUp;
    } else if (auto* a = ObjectAs<TspSkinAnimateObject>(this, IDName)) {
        // Only an animation that works as a button takes a menu.
        if (!a->LinkMenu(items, PopupUp)) return;
    } else {
        return;
    }
    if (!Menu) return;
    // The button only borrows the menu's items: hear when the menu goes.
    Menu->FreeNotification(this);
    FLinkedMenus.emplace_back(Menu, Menu->GetItems());
}

void TspFormFrame::ForgetLinkedMenu(TComponent* AComponent)
{
    for (auto it = FLinkedMenus.begin(); it != FLinkedMenus.end();) {
        if (it->first != AComponent) {
            ++it;
            continue;
        }
        for (int i = 0; i < ObjectCount(); ++i)
            if (auto* b = dynamic_cast<TspSkinButtonObject*>(GetObject(i))) {
                if (b->LinkedMenuItem == it->second) b->LinkedMenuItem = nullptr;
            } else if (auto* a = dynamic_cast<TspSkinAnimateObject*>(GetObject(i))) {
                if (a->LinkedMenuItem == it->second) a->LinkedMenuItem = nullptr;
            }
        it = FLinkedMenus.erase(it);
    }
}
