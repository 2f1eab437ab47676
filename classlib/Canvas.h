// The canvas: a device context with a font, a pen and a brush that are selected
// into it on demand. A canvas borrows its DC (a bitmap's, a control's, or one
// handed in); the original objects of the DC are put back when it lets go.
#pragma once
#include "GraphicsObjects.h"
#include "Types.h"
#include <memory>

class TGraphic;

enum TCanvasStateFlag : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
typedef unsigned TCanvasState;
enum TFillStyle { fsSurface, fsBorder };

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    HDC GetHandle();                        // creates the DC when the canvas can (CreateHandle)
    void SetHandle(HDC Value);              // a DC owned by someone else; 0 lets go
    bool HandleAllocated() const { return FHandle != nullptr; }
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    DWORD GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD Value) { FCopyMode = Value; }
    TPoint GetPenPos();
    void SetPenPos(const TPoint& Value) { MoveTo(Value.x, Value.y); }
    TRect GetClipRect();
    TColor GetPixel(int X, int Y);
    void SetPixel(int X, int Y, TColor Value);

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const TPoint* Points, int Count);
    void Polyline(const TPoint* Points, int Count);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    // Text in the canvas font; the background is the brush colour unless the brush is clear.
    void TextOut(int X, int Y, const std::string& Text);
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);   // clipped to R
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
    // DrawText with its DT_ flags; with DT_CALCRECT it fills R and draws nothing.
    int DrawText(const std::string& Text, TRect& R, UINT Flags);
    // Extra flags added to every text output (ETO_RTLREADING and the like).
    int TextFlags = 0;

    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

    // Serialises drawing when a canvas is shared between threads.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Makes sure the DC and the listed tools are selected; raises when no DC can be had.
    void RequiredState(TCanvasState ReqState);
    // Puts the DC's own objects back (before the DC goes away).
    void DeselectHandles();
    void Refresh();
    virtual void Changing();
    virtual void Changed();

protected:
    // Makes a DC for canvases that own one (bitmap, control); the base has none.
    virtual void CreateHandle() {}
    // Lets a canvas drop a DC that is no longer valid before drawing (control canvases).
    virtual void ValidateHandle() {}

    HDC FHandle = nullptr;
    TCanvasState FState = 0;

private:
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
    DWORD FCopyMode = SRCCOPY;
    TCriticalSection FLock;
    int FLockCount = 0;
};

// A canvas on a device context that someone else owns (a paint message's, a
// window's), for the scope: at the end the canvas puts the DC's own objects back
// and lets go of it; the DC itself stays its owner's.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC DC) { FCanvas.SetHandle(DC); }
    ~TBorrowedCanvas() { FCanvas.SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
    TCanvas* Get() { return &FCanvas; }
    TCanvas* operator->() { return &FCanvas; }
private:
    TCanvas FCanvas;
};

// Draws a 3-D frame of Width lines inside R and shrinks R to what lies within.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width);
