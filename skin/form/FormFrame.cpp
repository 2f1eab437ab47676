// TspFormFrame: construction, properties and the object interface. The window
// procedure, geometry and painting live in their own source files.
#include "FormFrame.h"
#if __has_include("FrameObjects.h")
#include "FrameObjects.h"
#define FRAME_OBJECTS_READY 1
#endif

void TspActiveSkinObjectDeleter::operator()(TspActiveSkinObject* AObject) const
{
#ifdef FRAME_OBJECTS_READY
    delete AObject;
#else
    (void)AObject;
#endif
}

TspFormFrame::TspFormFrame(TComponent* AOwner) : TComponent(AOwner)
{
    OwnerForm = dynamic_cast<TCustomForm*>(AOwner);
    FLogoBitMap = std::make_unique<TBitmap>();
    FDefCaptionFont = std::make_unique<TFont>();
    FDefInActiveCaptionFont = std::make_unique<TFont>();
    FDefMenuItemFont = std::make_unique<TFont>();
    FMorphingTimer = std::make_unique<TTimer>(nullptr);
    FAnimationTimer = std::make_unique<TTimer>(nullptr);
    FPointerTimer = std::make_unique<TTimer>(nullptr);
    FMorphingTimer->SetEnabled(false);
    FAnimationTimer->SetEnabled(false);
    FPointerTimer->SetEnabled(false);
}

TspFormFrame::~TspFormFrame() = default;

void TspFormFrame::SetLogoBitMap(TBitmap* Value) { if (Value) FLogoBitMap->Assign(Value); }
void TspFormFrame::SetShowIcon(bool Value) { FShowIcon = Value; }
void TspFormFrame::SetDefCaptionFont(TFont* Value) { if (Value) FDefCaptionFont->Assign(Value); }
void TspFormFrame::SetDefInActiveCaptionFont(TFont* Value) { if (Value) FDefInActiveCaptionFont->Assign(Value); }
void TspFormFrame::SetDefMenuItemFont(TFont* Value) { if (Value) FDefMenuItemFont->Assign(Value); }
void TspFormFrame::SetSkinHint(TspSkinHint* Value) { FSkinHint = Value; }
void TspFormFrame::SetTrayIcon(TspTrayIcon* Value) { FTrayIcon = Value; }
void TspFormFrame::SetMainMenuBar(TspSkinMainMenuBar* Value) { FMainMenuBar = Value; }
void TspFormFrame::SetSupportNCArea(bool Value) { FSupportNCArea = Value; }
void TspFormFrame::SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
void TspFormFrame::SetAlphaBlendValue(BYTE Value) { FAlphaBlendValue = Value; }
void TspFormFrame::SetMainMenu(TMainMenu* Value) { FMainMenu = Value; }
void TspFormFrame::SetSystemMenu(TPopupMenu* Value) { FSystemMenu = Value; }
void TspFormFrame::SetSkinData(TspSkinData* Value) { FSkinData = Value; }
void TspFormFrame::SetBorderIcons(TspBorderIcons Value) { FBorderIcons = Value; }

bool TspFormFrame::GetFormActive() { return AlwaysActive || (OwnerForm && OwnerForm->GetActive()); }
void TspFormFrame::DrawSkinObject(TspActiveSkinObject*) {}
void TspFormFrame::MouseDownEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, R, B);
}
void TspFormFrame::MouseUpEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, R, B);
}
void TspFormFrame::MouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& R)
{
    if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, R);
}
void TspFormFrame::MouseEnterEvent(const std::string& IDName) { if (OnMouseEnterEvent) OnMouseEnterEvent(IDName); }
void TspFormFrame::MouseLeaveEvent(const std::string& IDName) { if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName); }
void TspFormFrame::PaintEvent(const std::string& IDName, TCanvas* Canvas, const TRect& R)
{
    if (OnPaintEvent) OnPaintEvent(IDName, Canvas, R);
}
void TspFormFrame::SetWindowState(int Value) { FWindowState = Value; }
void TspFormFrame::SetRollUpState(bool Value) { FRolledUp = Value; }
void TspFormFrame::MinimizeToTray() {}
void TspFormFrame::RestoreFromTray() {}
void TspFormFrame::CloseForm() { if (OwnerForm) OwnerForm->Close(); }
TPopupMenu* TspFormFrame::GetSystemMenu() { return FSystemMenu; }
std::string TspFormFrame::GetCaptionText() const { return OwnerForm ? OwnerForm->GetText() : std::string(); }
TFont* TspFormFrame::GetCaptionFont() { return FDefCaptionFont.get(); }
void TspFormFrame::GetIconSize(int& Width, int& Height) { Width = Height = 16; }
void TspFormFrame::DrawFormIcon(TCanvas*, int, int) {}
int TspFormFrame::GetDefCaptionHeight() const { return 19; }
int TspFormFrame::GetDefButtonSize() const { return 17; }

void TspFormFrame::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
}
void TspFormFrame::ChangeSkinData() {}
TspActiveSkinObject* TspFormFrame::GetObject(int Index) const
{
    return Index >= 0 && Index < ObjectCount() ? FObjectList[Index].get() : nullptr;
}
int TspFormFrame::GetIndex(const std::string&) const { return -1; }
void TspFormFrame::LoadObjects() {}
void TspFormFrame::LoadDefObjects() {}
void TspFormFrame::ClearObjects() { FObjectList.clear(); }
void TspFormFrame::CheckObjects() {}
bool TspFormFrame::CanObjectTest(bool RollUp) const { return !RollUp; }
void TspFormFrame::SetDefaultCaptionText(const std::string&) {}
void TspFormFrame::SetEnabled(const std::string&, bool) {}
void TspFormFrame::UserObjectDraw(const std::string&) {}
bool TspFormFrame::CanScale() const { return false; }
bool TspFormFrame::CanNCSupport() const { return false; }
void TspFormFrame::CalcRects() {}
void TspFormFrame::CalcAllRealObjectRect() {}
void TspFormFrame::CalcDefRects() {}
void TspFormFrame::CalcRealObjectRect(const TRect& SkinRect, TRect& Result) const { Result = SkinRect; }
TRect TspFormFrame::GetDefCaptionRect() { return DefaultCaptionRect; }
LRESULT TspFormFrame::NewNCHitTest(TPoint) { return HTCLIENT; }
LRESULT TspFormFrame::NewDefNCHitTest(TPoint) { return HTCLIENT; }
bool TspFormFrame::PtInMask(TPoint) const { return true; }
void TspFormFrame::CreateNewRegion(bool) {}
void TspFormFrame::CreateNewForm(bool) {}
void TspFormFrame::UpDateForm() {}
void TspFormFrame::CalcNCClientRect(TRect&) {}
TPoint TspFormFrame::PointToNCPoint(TPoint P) const { return P; }
int TspFormFrame::GetMinWidth() const { return 0; }
int TspFormFrame::GetMinHeight() const { return 0; }
int TspFormFrame::GetMaxWidth() const { return 0; }
int TspFormFrame::GetMaxHeight() const { return 0; }
void TspFormFrame::PaintNCSkin() {}
void TspFormFrame::PaintNCDefault() {}
void TspFormFrame::PaintBG(HDC) {}
void TspFormFrame::PaintBG2(HDC) {}
void TspFormFrame::PaintBGDefault(HDC) {}
void TspFormFrame::DrawLogoBitMap(TCanvas*) {}
bool TspFormFrame::GetAutoRenderingInActiveImage() const { return false; }
void TspFormFrame::CorrectCaptionText(TCanvas*, std::string&, int) {}
void TspFormFrame::TestActive(int, int, bool) {}
void TspFormFrame::TestMouse() {}
void TspFormFrame::TestMorph() {}
void TspFormFrame::TestAnimate() {}
void TspFormFrame::MouseDown(TMouseButton, int, int) {}
void TspFormFrame::MouseUp(TMouseButton, int, int) {}
void TspFormFrame::MouseMove(int, int) {}
void TspFormFrame::MouseDBlClick() {}
void TspFormFrame::UpDateActiveObjects() {}
void TspFormFrame::FormChangeActive(bool) {}

namespace Formframe {
TspFormFrame* GetFormFrameComponent(TCustomForm* Form)
{
    if (!Form) return nullptr;
    for (int i = 0; i < Form->GetComponentCount(); ++i)
        if (auto* f = dynamic_cast<TspFormFrame*>(Form->GetComponent(i))) return f;
    return nullptr;
}
}  // namespace Formframe
