// TCustomControlBar / TControlBar: a bar whose child controls are bands laid out
// in rows. Each band has a grab area at its left; dragging it with the mouse moves
// the band along its row or into another one (a new row below the last as well).
#pragma once
#include "CustomControl.h"
#include "Picture.h"
#include <functional>
#include <memory>
#include <vector>

enum TBandPaintOption : unsigned { bpoGrabber = 1, bpoFrame = 2 };
typedef unsigned TBandPaintOptions;

typedef std::function<void(TObject* Sender, TControl* Control, bool& Drag)> TBandDragEvent;
// Insets: the band's frame around its control (left is the grab area).
typedef std::function<void(TObject* Sender, TControl* Control, TRect& Insets)> TBandInfoEvent;
typedef std::function<void(TObject* Sender, TControl* Control, TRect& ARect)> TBandMoveEvent;
typedef std::function<void(TObject* Sender, TControl* Control, TCanvas* Canvas, TRect& ARect,
                           TBandPaintOptions& Options)>
    TBandPaintEvent;

class TCustomControlBar : public TCustomControl {
public:
    explicit TCustomControlBar(TComponent* AOwner);
    ~TCustomControlBar() override;

    static constexpr int GrabWidth = 11;

    bool GetAutoDrag() const { return FAutoDrag; }
    void SetAutoDrag(bool Value) { FAutoDrag = Value; }
    bool GetAutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TPicture* GetPicture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    int GetRowSize() const { return FRowSize; }
    void SetRowSize(int Value);
    bool GetRowSnap() const { return FRowSnap; }
    void SetRowSnap(bool Value);

    // The row a band lies in (0 at the top), -1 for a control that is no band.
    int BandRow(TControl* Control);
    int RowCount();
    // The band's frame: its control with the insets around it.
    TRect BandRect(TControl* Control);
    // Moves a band as a drag would: its frame's left edge to X, into Row (one
    // past the last makes a new row).
    void MoveBand(TControl* Control, int Row, int X);

    TBandDragEvent OnBandDrag;
    TBandInfoEvent OnBandInfo;
    TBandMoveEvent OnBandMove;
    TBandPaintEvent OnBandPaint;
    TNotifyEvent OnPaint;

    // Draws a band's frame and grab area around R.
    virtual void PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& R);

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The bands' frames on Canvas (with the OnBandPaint hook), for Paint overrides.
    void PaintBands(TCanvas* Canvas);
    TRect BandInsets(TControl* Control);

private:
    struct TBand {
        TControl* Control;
        int Row;
        int Left;  // wanted left edge of the frame; the row pushes bands right of each other
        bool Placing;  // left out of the rows while its own row is found
    };
    void SyncBands();
    void LayoutBands();
    TBand* FindBand(TControl* Control);
    int RowAt(int Y) const;

    std::vector<TBand> FBands;
    std::vector<int> FRowTops;  // top of each row and, last, the bottom of the last one
    std::unique_ptr<TPicture> FPicture;
    bool FAutoDrag = true, FAutoSize = false, FRowSnap = true;
    int FRowSize = 26;
    bool FLaying = false;
    TControl* FDragControl = nullptr;
    int FDragOffset = 0;
    TRect FDragStartRect;
};

class TControlBar : public TCustomControlBar {
public:
    explicit TControlBar(TComponent* AOwner) : TCustomControlBar(AOwner) {}
};
