// The re-skin walk over a container: the skinned controls bound to one skin data
// component hear of its skin change (the window-frame component runs it for
// every form at the skin-change messages); controls bound to another component
// are left alone.
#pragma once
#include <windows.h>

class TWinControl;
class TspSkinData;

// A skinned control whose class lies outside this library (the edits, memos,
// views, which derive from the class library's standard controls) takes part
// in the walk through this.
class TspSkinDataClient {
public:
    virtual ~TspSkinDataClient() = default;
    virtual TspSkinData* GetSkinDataComponent() const = 0;
    virtual void BeforeChangeSkinData() {}
    virtual void ChangeSkinData() = 0;
};

namespace Skinctrls {

// Before: BeforeChangeSkinData, else ChangeSkinData, on every skinned control
// inside Root (Root included) whose SkinData is Sender; a null Sender reaches
// every skinned control, whatever skin it wears (or none).
void ReskinControls(TWinControl* Root, TspSkinData* Sender, bool Before);

}  // namespace Skinctrls
