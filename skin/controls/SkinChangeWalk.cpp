#include "SkinChangeWalk.h"
#include "GraphicSkinControl.h"
#include "SkinControl.h"
#include "SkinLabels.h"
#include "SkinPageControl.h"
#include <vector>

namespace Skinctrls {

namespace {

// A null sender stands for every skin: each control of the tree takes part.
bool Wears(TspSkinData* Skin, TspSkinData* Sender) { return !Sender || Skin == Sender; }

void Visit(TControl* C, TspSkinData* Sender, bool Before)
{
    if (auto* w = dynamic_cast<TspSkinControl*>(C)) {
        if (Wears(w->GetSkinDataComponent(), Sender)) Before ? w->BeforeChangeSkinData() : w->ChangeSkinData();
    } else if (auto* g = dynamic_cast<TspGraphicSkinControl*>(C)) {
        if (Wears(g->GetSkinDataComponent(), Sender)) Before ? g->BeforeChangeSkinData() : g->ChangeSkinData();
    } else if (auto* pc = dynamic_cast<TspSkinPageControl*>(C)) {
        if (Wears(pc->GetSkinDataComponent(), Sender) && !Before) pc->ChangeSkinData();
    } else if (auto* l = dynamic_cast<TspSkinStdLabel*>(C)) {
        if (Wears(l->GetSkinDataComponent(), Sender) && !Before) l->ChangeSkinData();
    } else if (auto* x = dynamic_cast<TspSkinDataClient*>(C)) {
        if (Wears(x->GetSkinDataComponent(), Sender)) Before ? x->BeforeChangeSkinData() : x->ChangeSkinData();
    }
}

}  // namespace

void ReskinControls(TWinControl* Root, TspSkinData* Sender, bool Before)
{
    if (!Root) return;
    Visit(Root, Sender, Before);
    // A re-skin may resize and realign: take the children as they are before it.
    std::vector<TControl*> children;
    for (int i = 0; i < Root->GetControlCount(); ++i) children.push_back(Root->GetControl(i));
    for (TControl* c : children) {
        if (auto* w = dynamic_cast<TWinControl*>(c))
            ReskinControls(w, Sender, Before);
        else
            Visit(c, Sender, Before);
    }
}

}  // namespace Skinctrls
