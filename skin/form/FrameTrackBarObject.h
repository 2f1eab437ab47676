// TspSkinTrackBarObject: a track bar on the frame, its button dragged or placed
// by a click along the track between two points of the skin.
#pragma once
#include "ActiveSkinObject.h"
#include "FrameValueEvents.h"

enum TTrackKind { tkHorizontal, tkVertical };

class TspSkinTrackBarObject : public TspActiveSkinObject {
public:
    TspSkinTrackBarObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;

    void SetValue(int V);
    void SimplySetValue(int V);
    void SetButtonPos(const TPoint& P);
    TRect CalcButtonRect(const TPoint& P) const;
    TPoint CalcButtonPos() const;
    int CalcValue() const;

    TPoint ButtonPos, PrevButtonPos;
    int Value = 0;
    bool Dragging = false;
    TPoint TrackDragPoint;
    TTrackKind Orientation = tkHorizontal;
    TRect buttonrect, activebuttonrect;
    TPoint beginpoint, endpoint;
    int MinValue = 0, MaxValue = 0;
    bool mousedownchangevalue = false;

private:
    void ChangeValue(int V);
    TPoint ToObject(int X, int Y) const { return TPoint(X - ObjectRect.left, Y - ObjectRect.top); }
};
