#include "SkinElement.h"
#include "SkinData.h"
#include "SkinImage.h"
#include "SkinRegion.h"
#include <algorithm>

namespace {

bool NullPoint(const TPoint& P) { return P.x == 0 && P.y == 0; }

// A corner lies in a zone with every edge inclusive.
bool CornerIn(const TRect& Z, const TPoint& P)
{
    return P.x >= Z.left && P.x <= Z.right && P.y >= Z.top && P.y <= Z.bottom;
}

bool RectIn(const TRect& Z, const TRect& R)
{
    return PtInRect(&Z, R.TopLeft()) && PtInRect(&Z, R.BottomRight());
}

}  // namespace

TBitmap* SkinPicture(const TspSkinData* Data, int Index)
{
    if (!Data || Index < 0 || Index >= static_cast<int>(Data->ActivePictures.size())) return nullptr;
    TBitmap* b = Data->ActivePictures[Index].get();
    return (b && !b->Empty()) ? b : nullptr;
}

TRect ClipToPicture(const TRect& R, TBitmap* Picture)
{
    if (!Picture) return TRect();
    TRect r(std::max<LONG>(R.left, 0), std::max<LONG>(R.top, 0), std::min<LONG>(R.right, Picture->GetWidth()),
            std::min<LONG>(R.bottom, Picture->GetHeight()));
    return r.IsEmpty() ? TRect() : r;
}

void TspSkinElement::Clear()
{
    *this = TspSkinElement();
}

bool TspSkinElement::Read(const TspDataSkinCustomControl* Rec, const TspSkinData* Data, bool WithMask)
{
    Clear();
    const TRect& s = Rec->SkinRect;
    // A skin rectangle far beyond any picture, or inverted, would size the control
    // from garbage; null rectangles are legitimate (resize mode -1).
    if (s.right - static_cast<long long>(s.left) > MaxSkinControlSide ||
        s.bottom - static_cast<long long>(s.top) > MaxSkinControlSide)
        return false;
    LTPoint = Rec->LeftTopPoint;
    RTPoint = Rec->RightTopPoint;
    LBPoint = Rec->LeftBottomPoint;
    RBPoint = Rec->RightBottomPoint;
    SkinRect = s;
    ClRect = Rec->ClientRect;
    CursorIndex = Rec->CursorIndex;
    Picture = SkinPicture(Data, Rec->PictureIndex);
    Mask = WithMask ? SkinPicture(Data, Rec->MaskPictureIndex) : nullptr;
    ResizeMode = GetResizeMode();
    NewLTPoint = LTPoint;
    NewRTPoint = RTPoint;
    NewLBPoint = LBPoint;
    NewRBPoint = RBPoint;
    NewClRect = ClRect;
    return true;
}

int TspSkinElement::GetResizeMode() const
{
    if (SkinRect.IsEmpty()) return rmNone;
    if (RBPoint.x != 0 && RBPoint.y != 0) return rmEightPoint;
    if (!NullPoint(RTPoint)) return rmHorizontal;
    if (!NullPoint(LBPoint)) return rmVertical;
    return rmFixed;
}

void TspSkinElement::CalcSize(int& W, int& H)
{
    const int sw = SkinRect.Width(), sh = SkinRect.Height();
    switch (ResizeMode) {
    case rmEightPoint:
    case rmHorizontal:
    case rmVertical: {
        if (ResizeMode == rmHorizontal) H = sh;
        if (ResizeMode == rmVertical) W = sw;
        W = ClampSide(W);
        H = ClampSide(H);
        const int dx = W - sw, dy = H - sh;
        NewLTPoint = LTPoint;
        NewClRect = ClRect;
        if (ResizeMode != rmVertical) {
            NewRTPoint = TPoint(RTPoint.x + dx, RTPoint.y);
            NewClRect.right += dx;
        }
        if (ResizeMode != rmHorizontal) {
            NewLBPoint = TPoint(LBPoint.x, LBPoint.y + dy);
            NewClRect.bottom += dy;
        }
        if (ResizeMode == rmEightPoint) NewRBPoint = TPoint(RBPoint.x + dx, RBPoint.y + dy);
        break;
    }
    case rmFixed:
        W = sw;
        H = sh;
        NewClRect = ClRect;
        break;
    default:
        break;
    }
}

TRect TspSkinElement::GetNewRect(const TRect& R, int W, int H) const
{
    const int sw = SkinRect.Width(), sh = SkinRect.Height();
    const int dx = W - sw, dy = H - sh;
    TRect r = R;
    switch (ResizeMode) {
    case rmEightPoint: {
        const TRect lt(0, 0, LTPoint.x, LTPoint.y), rt(RTPoint.x, 0, sw, RTPoint.y);
        const TRect lb(0, LBPoint.y, LBPoint.x, sh), rb(RBPoint.x, RBPoint.y, sw, sh);
        const TPoint tl = R.TopLeft(), br = R.BottomRight();
        if (RectIn(lt, R)) {
        } else if (RectIn(rt, R)) {
            r.Offset(dx, 0);
        } else if (RectIn(lb, R)) {
            r.Offset(0, dy);
        } else if (RectIn(rb, R)) {
            r.Offset(dx, dy);
        } else if (CornerIn(lt, tl) && CornerIn(rb, br)) {
            r.right += dx;
            r.bottom += dy;
        } else if (CornerIn(lt, tl) && CornerIn(rt, br)) {
            r.right += dx;
        } else if (CornerIn(lb, tl) && CornerIn(rb, br)) {
            r.right += dx;
            r.Offset(0, dy);
        } else if (CornerIn(lt, tl) && CornerIn(lb, br)) {
            r.bottom += dy;
        } else if (CornerIn(rt, tl) && CornerIn(rb, br)) {
            r.Offset(dx, 0);
            r.bottom += dy;
        }
        break;
    }
    case rmHorizontal:
        if (R.left <= LTPoint.x && R.right >= RTPoint.x)
            r.right += dx;
        else if (R.left >= RTPoint.x && R.right > RTPoint.x)
            r.Offset(dx, 0);
        break;
    case rmVertical:
        if (R.top <= LTPoint.y && R.bottom >= LBPoint.y)
            r.bottom += dy;
        else if (R.top >= LBPoint.y && R.bottom > LBPoint.y)
            r.Offset(0, dy);
        break;
    default:
        break;
    }
    return r;
}

bool TspSkinElement::Compose(TBitmap* Dest, TBitmap* Source, const TRect& R, int W, int H) const
{
    // Without a picture nothing is composed: the caller's background stays.
    if (!Source || !Dest || R.IsEmpty()) return false;
    switch (ResizeMode) {
    case rmFixed:
        Dest->SetSize(std::min(R.Width(), MaxSkinControlSide), std::min(R.Height(), MaxSkinControlSide));
        Sputils::CopyPiece(Dest->GetCanvas(), TRect(0, 0, R.Width(), R.Height()), Source, R);
        break;
    case rmEightPoint: {
        Sputils::TSkinImageArgs a;
        a.Skin = {LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
        a.Target = {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
        a.Source = Source;
        a.SourceRect = R;
        a.Width = W;
        a.Height = H;
        Sputils::CreateSkinImage(Dest, a);
        break;
    }
    case rmHorizontal:
        Sputils::CreateHSkinImage(LTPoint.x, SkinRect.Width() - RTPoint.x, Dest, Source, R, W, H);
        break;
    case rmVertical:
        Sputils::CreateVSkinImage(LTPoint.y, SkinRect.Height() - LBPoint.y, Dest, Source, R, W, H);
        break;
    default:
        return false;
    }
    return true;
}

HRGN TspSkinElement::CreateRegion(int W, int H) const
{
    if (!Mask) return nullptr;
    HRGN rgn = nullptr;
    switch (ResizeMode) {
    case rmFixed:
        Sputils::CreateSkinSimplyRegion(rgn, Mask, W, H);
        break;
    case rmEightPoint:
        Sputils::CreateSkinRegion(rgn, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint,
                                  NewLBPoint, NewRBPoint, NewClRect, Mask, W, H);
        break;
    case rmHorizontal: {
        const TPoint nrt(RTPoint.x + W - SkinRect.Width(), RTPoint.y);
        Sputils::CreateSkinRegion(rgn, LTPoint, RTPoint, LTPoint, RTPoint, ClRect, LTPoint, nrt, LTPoint, nrt,
                                  NewClRect, Mask, W, H);
        break;
    }
    case rmVertical: {
        const TPoint nlb(LBPoint.x, LBPoint.y + H - SkinRect.Height());
        Sputils::CreateSkinRegion(rgn, LTPoint, LTPoint, LBPoint, LBPoint, ClRect, LTPoint, LTPoint, nlb, nlb,
                                  NewClRect, Mask, W, H);
        break;
    }
    default:
        break;
    }
    return rgn;
}
