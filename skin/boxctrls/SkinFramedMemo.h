// TspSkinMemo: a multi-line text with a frame drawn from the skin's "memo"
// element in its non-client area (the eight-point model, so it grows both ways),
// or with the whole element image behind a transparent text (BitMapBG). One
// external vertical bar follows the lines. Font, colours, the default font and
// the context menu are the chat memo's; ReadOnly is its own, kept by the
// handlers rather than by the EDIT window.
#pragma once
#include "SkinImage.h"
#include "SkinMemo.h"
#include "SkinDataLink.h"

class TBitmap;

class TspSkinMemo : public TspSkinMemo2 {
public:
    explicit TspSkinMemo(TComponent* AOwner);
    ~TspSkinMemo() override;

    void GetSkinData() override;
    void ChangeSkinData() override;

    bool GetBitMapBG() const { return FBitMapBG; }
    void SetBitMapBG(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetAlphaBlend(bool Value);
    BYTE GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(BYTE Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

    TspSkinScrollBar* GetVScrollBar() const { return FFrameVScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* Value);
    void UpDateScrollRange();

    // The whole non-client image (BitMapBG) or only the four frame pieces, drawn
    // on Canvas at the window's size.
    void SkinNCPaint(TCanvas* Canvas);
    void SkinFramePaint(TCanvas* Canvas);
    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void OnFrameVScrollBarChange(TObject* Sender);
    void SetLook(bool Active);
    void ApplyEnabledColour();
    // The element's eight points stretched to the window, for a W x H image.
    Sputils::TSkinImageArgs ImageArgs(int W, int H);
    TRect SourceRect();
    bool HasPicture() const { return FPicture != nullptr; }

    void WMNCCalcSizeFrame(TMessage& Message);
    void WMNCPaintFrame(TMessage& Message);
    // The memo's own read-only state decides what the context menu offers.
    bool ContextMenuReadOnly() const override { return FReadOnly; }
    void WMSize(TMessage& Message) override;
    void WMMove(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMLButtonUp(TMessage& Message) override;
    void WMMouseMove(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    bool FBitMapBG = false, FTransparent = false, FReadOnly = false;
    BYTE FAlphaBlendValue = 0;
    TspComponentLink<TspSkinScrollBar> FFrameVScrollBar{this};
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    std::unique_ptr<TBitmap> FParentImage;
};
