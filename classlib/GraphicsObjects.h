// Colours and the drawing tools of a canvas: font, pen and brush. Each tool
// keeps its attributes in fields and makes its GDI object on first use; a
// change drops the object and raises OnChange.
#pragma once
#include "Classes.h"
#include "GdiHandles.h"
#include "SyncObjs.h"

// 0x00BBGGRR; system colours are negative: 0xFF000000 | COLOR_xxx.
typedef int TColor;

const TColor clSystemColor = static_cast<TColor>(0xFF000000);
const TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
const TColor clBackground = clSystemColor | COLOR_BACKGROUND;
const TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
const TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
const TColor clMenu = clSystemColor | COLOR_MENU;
const TColor clWindow = clSystemColor | COLOR_WINDOW;
const TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
const TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
const TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
const TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
const TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
const TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
const TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
const TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
const TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
const TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
const TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
const TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
const TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
const TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
const TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
const TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
const TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
const TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
const TColor clInfoBk = clSystemColor | COLOR_INFOBK;
const TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
const TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
const TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
const TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
const TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

const TColor clBlack = 0x000000;
const TColor clMaroon = 0x000080;
const TColor clGreen = 0x008000;
const TColor clOlive = 0x008080;
const TColor clNavy = 0x800000;
const TColor clPurple = 0x800080;
const TColor clTeal = 0x808000;
const TColor clGray = 0x808080;
const TColor clSilver = 0xC0C0C0;
const TColor clRed = 0x0000FF;
const TColor clLime = 0x00FF00;
const TColor clYellow = 0x00FFFF;
const TColor clBlue = 0xFF0000;
const TColor clFuchsia = 0xFF00FF;
const TColor clAqua = 0xFFFF00;
const TColor clWhite = 0xFFFFFF;
const TColor clLtGray = 0xC0C0C0;
const TColor clDkGray = 0x808080;
const TColor clNone = 0x1FFFFFFF;
const TColor clDefault = 0x20000000;

// The RGB value of a colour, system colours resolved through GetSysColor.
COLORREF ColorToRGB(TColor Color);
inline TColor RGBToColor(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
typedef unsigned TFontStyles;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
    pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// The screen's logical pixels per inch (fonts convert points with it).
int ScreenPixelsPerInch();

// A drawing tool: attributes in fields, the GDI object made on demand.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;
    // Serialises handle creation when a tool is used from more than one thread.
    void Lock() { FLock.Enter(); }
    void Unlock() { FLock.Leave(); }
protected:
    // Raised after every attribute change. The old GDI object is taken off the tool
    // first and deleted only after the listeners have heard: a canvas deselects it
    // meanwhile, and a window asking for the handle gets the new object, never the
    // old one that is about to be deleted.
    virtual void Changed();
    virtual HGDIOBJ DetachObject() = 0;
    TCriticalSection FLock;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    HFONT GetHandle();
    void SetHandle(HFONT Value);        // takes the attributes of an existing font
    std::string GetName() const { return FName; }
    void SetName(const std::string& Value);
    int GetHeight() const { return FHeight; }    // negative: character height in pixels
    void SetHeight(int Value);
    int GetSize() const;                         // points
    void SetSize(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    BYTE GetCharset() const { return FCharset; }
    void SetCharset(BYTE Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    int GetPixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    void Assign(TPersistent* Source) override;
    bool SameAs(const TFont& Other) const;
protected:
    HGDIOBJ DetachObject() override { return FHandle.Release(); }
private:
    std::string FName;
    int FHeight;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    BYTE FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FPixelsPerInch;
    TFontHandle FHandle;
};

class TPen : public TGraphicsObject {
public:
    HPEN GetHandle();
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);
    void Assign(TPersistent* Source) override;
protected:
    HGDIOBJ DetachObject() override { return FHandle.Release(); }
private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TPenHandle FHandle;
};

class TBitmap;

class TBrush : public TGraphicsObject {
public:
    TBrush();
    ~TBrush() override;
    HBRUSH GetHandle();
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap (not owned); the brush is made from it while set.
    TBitmap* GetBitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);
    void Assign(TPersistent* Source) override;
protected:
    HGDIOBJ DetachObject() override { return FHandle.Release(); }
private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    TBrushHandle FHandle;
};
