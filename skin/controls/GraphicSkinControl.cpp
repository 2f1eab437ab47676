#include "GraphicSkinControl.h"

// ---- TspGraphicSkinControl ----

TspGraphicSkinControl::TspGraphicSkinControl(TComponent* AOwner) : TspSkinControlOf<TGraphicControl>(AOwner) {}

TspGraphicSkinControl::~TspGraphicSkinControl() = default;

void TspGraphicSkinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; break;   // the control paints every pixel
    case WM_MOVE:
        TGraphicControl::Dispatch(Message);
        if (FAlphaBlend) Repaint();
        break;
    default: TGraphicControl::Dispatch(Message); break;
    }
}

// ---- TspGraphicSkinCustomControl ----

TspGraphicSkinCustomControl::TspGraphicSkinCustomControl(TComponent* AOwner)
    : TspSkinCustomControlOf<TspGraphicSkinControl>(AOwner)
{
}

TspGraphicSkinCustomControl::~TspGraphicSkinCustomControl() = default;
