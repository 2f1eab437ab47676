// The dialogs' skin, and the main window's commands that open the dialogs.
#include "DialogHost.h"
#include "CustomizationForm.h"
#include "DialogControls.h"
#include "PreferencesForm.h"

void RunPreferencesDialog(TForm1* Main)
{
    CMainWindowHost host(Main);
    RunDialog<TForm2>(&host);
}

void RunCustomizationDialog(TForm1* Main)
{
    CMainWindowHost host(Main);
    RunDialog<TForm3>(&host);
}

// ---------------------------------------------------------------- the dialogs' skin

namespace {

// Binds one component when it is a skinned control of any kind.
void BindSkin(TComponent* C, TspSkinData* Skin)
{
    if (auto* w = dynamic_cast<TspSkinControl*>(C))
        w->SetSkinData(Skin);
    else if (auto* e = dynamic_cast<TspSkinCustomEdit*>(C))
        e->SetSkinData(Skin);
    else if (auto* m = dynamic_cast<TspSkinMemo2*>(C))
        m->SetSkinData(Skin);
    else if (auto* pc = dynamic_cast<TspSkinPageControl*>(C))
        pc->SetSkinData(Skin);
    else if (auto* l = dynamic_cast<TspSkinStdLabel*>(C))
        l->SetSkinData(Skin);
}

} // namespace

TspFormFrame* DressDialog(TCustomForm* Form, TspSkinData* Skin)
{
    for (int i = 0; i < Form->GetComponentCount(); ++i) BindSkin(Form->GetComponent(i), Skin);
    auto* frame = new TspFormFrame(Form);
    frame->SetName("spFormFrame1");
    frame->SetBorderIcons(0);
    frame->Sizeable = false;
    // Whatever the skin's frame takes, the designed client area stays.
    frame->ClientWidth = Form->GetClientWidth();
    frame->ClientHeight = Form->GetClientHeight();
    frame->SetSkinData(Skin);
    return frame;
}
