// Skin image composition. Every piece goes through CopyPiece, which refuses empty
// or inverted rectangles and clips the source to its picture: the geometry comes
// from a skin, and a skin is untrusted input.
#include "SkinImage.h"
#include <algorithm>

namespace Sputils {

namespace {

// Tiles of From..To that overlap Lo..Hi (the target's extent): a span far larger
// than the target (points from a skin) costs no blits outside the target.
std::vector<TTile> VisibleTiles(int From, int To, int SegLen, int Lo, int Hi)
{
    std::vector<TTile> tiles;
    if (SegLen <= 0) return tiles;
    long long a = From, b = To, s = SegLen;
    long long n = (b - a) / s;   // truncates toward zero, as the repetition rule says
    if (n < 0) return tiles;
    long long first = 0;
    if (a < Lo) first = std::max(0LL, (Lo - a) / s - 1);
    long long last = n;
    if (Hi <= a) return tiles;
    last = std::min(last, (Hi - 1 - a) / s + 1);
    for (long long i = first; i <= last; ++i) {
        long long start = a + i * s;
        long long len = s;
        if (start + s > b) len = b - start;
        if (len <= 0) continue;
        if (start + len <= Lo || start >= Hi) continue;
        tiles.push_back({static_cast<int>(start), static_cast<int>(len)});
    }
    return tiles;
}

// Clips one axis of a copy: the source range s0..s1 to 0..Limit, moving the
// destination range d0..d1 in proportion. False when nothing is left.
bool ClipAxis(long long& s0, long long& s1, long long& d0, long long& d1, long long Limit)
{
    long long sl = s1 - s0, dl = d1 - d0;
    if (sl <= 0 || dl <= 0) return false;
    long long ns0 = std::max(s0, 0LL), ns1 = std::min(s1, Limit);
    if (ns1 <= ns0) return false;
    long long nd0 = d0 + (ns0 - s0) * dl / sl;
    long long nd1 = d1 - (s1 - ns1) * dl / sl;
    if (nd1 <= nd0) return false;
    s0 = ns0;
    s1 = ns1;
    d0 = nd0;
    d1 = nd1;
    return true;
}

void RepeatX(TCanvas* C, int DestW, int From, int To, int Y0, int Y1, TBitmap* Src, int SX0, int SX1,
             int SY0, int SY1)
{
    for (const TTile& t : VisibleTiles(From, To, SX1 - SX0, 0, DestW))
        CopyPiece(C, TRect(t.Start, Y0, t.Start + t.Length, Y1), Src, TRect(SX0, SY0, SX0 + t.Length, SY1));
}

void RepeatY(TCanvas* C, int DestH, int From, int To, int X0, int X1, TBitmap* Src, int SX0, int SX1,
             int SY0, int SY1)
{
    for (const TTile& t : VisibleTiles(From, To, SY1 - SY0, 0, DestH))
        CopyPiece(C, TRect(X0, t.Start, X1, t.Start + t.Length), Src, TRect(SX0, SY0, SX1, SY0 + t.Length));
}

// Repeats the source rectangle S over D in both directions, columns outer.
void RepeatXY(TCanvas* C, int DestW, int DestH, const TRect& D, TBitmap* Src, const TRect& S)
{
    std::vector<TTile> rows = VisibleTiles(D.top, D.bottom, S.Height(), 0, DestH);
    for (const TTile& col : VisibleTiles(D.left, D.right, S.Width(), 0, DestW))
        for (const TTile& row : rows)
            CopyPiece(C, TRect(col.Start, row.Start, col.Start + col.Length, row.Start + row.Length), Src,
                      TRect(S.left, S.top, S.left + col.Length, S.top + row.Length));
}

// A rectangle given relative to the skin rectangle's top-left corner, in the picture.
TRect InPicture(const TRect& R, int L, int T, int Rt, int B)
{
    return TRect(R.left + L, R.top + T, R.left + Rt, R.top + B);
}

struct TEightPoint {
    TPoint Lt, Rt, Lb, Rb;
    TRect Cl;
    TPoint NLt, NRt, NLb, NRb;
    TRect NCl;
};

TEightPoint Geometry(const TSkinImageArgs& A)
{
    return {A.Skin.LeftTop,   A.Skin.RightTop,   A.Skin.LeftBottom,   A.Skin.RightBottom,   A.Skin.Client,
            A.Target.LeftTop, A.Target.RightTop, A.Target.LeftBottom, A.Target.RightBottom, A.Target.Client};
}

enum TEightPointKind { epFull, epOpenRight };

void DrawEightPoint(const TEightPoint& g, TBitmap* Dest, TBitmap* Src, const TRect& R, int W, int H,
                    bool DrawClient, TEightPointKind Kind, bool LS, bool TS, bool RS, bool BS)
{
    if (!Dest) return;
    Dest->SetSize(W, H);
    W = Dest->GetWidth();
    H = Dest->GetHeight();
    if (g.Rb.x == g.Lt.x || g.Rb.y == g.Lt.y || !Src || Src->Empty()) return;
    if (W <= 0 || H <= 0) return;
    TCanvas* C = Dest->GetCanvas();
    const int wR = R.Width(), hR = R.Height();
    const bool open = Kind == epOpenRight;
    // Top edge.
    {
        int to = open ? W : g.NRt.x;
        TRect seg = InPicture(R, g.Lt.x, 0, g.Rt.x, g.Cl.top);
        if (TS && !open) CopyPiece(C, TRect(g.NLt.x, 0, to, g.NCl.top), Src, seg);
        else RepeatX(C, W, g.NLt.x, to, 0, g.NCl.top, Src, seg.left, seg.right, seg.top, seg.bottom);
    }
    // Bottom edge.
    {
        int to = open ? W : g.NRb.x;
        TRect seg = InPicture(R, g.Lb.x, g.Cl.bottom, g.Rb.x, hR);
        if (BS && !open) CopyPiece(C, TRect(g.NLb.x, g.NCl.bottom, to, H), Src, seg);
        else RepeatX(C, W, g.NLb.x, to, g.NCl.bottom, H, Src, seg.left, seg.right, seg.top, seg.bottom);
    }
    // Left edge.
    {
        TRect seg = InPicture(R, 0, g.Lt.y, g.Cl.left, g.Lb.y);
        if (LS && !open) CopyPiece(C, TRect(0, g.NLt.y, g.NCl.left, g.NLb.y), Src, seg);
        else RepeatY(C, H, g.NLt.y, g.NLb.y, 0, g.NCl.left, Src, seg.left, seg.right, seg.top, seg.bottom);
    }
    // Right edge.
    if (!open) {
        TRect seg = InPicture(R, g.Cl.right, g.Rt.y, wR, g.Rb.y);
        if (RS) CopyPiece(C, TRect(g.NCl.right, g.NRt.y, W, g.NRb.y), Src, seg);
        else RepeatY(C, H, g.NRt.y, g.NRb.y, g.NCl.right, W, Src, seg.left, seg.right, seg.top, seg.bottom);
    }
    // Corner pieces, after the edges so that they win where they overlap.
    CopyPiece(C, TRect(0, 0, g.NLt.x, g.NCl.top), Src, InPicture(R, 0, 0, g.Lt.x, g.Cl.top));
    CopyPiece(C, TRect(0, g.NCl.top, g.NCl.left, g.NLt.y), Src, InPicture(R, 0, g.Cl.top, g.Cl.left, g.Lt.y));
    if (!open) {
        CopyPiece(C, TRect(g.NRt.x, 0, W, g.NCl.top), Src, InPicture(R, g.Rt.x, 0, wR, g.Cl.top));
        CopyPiece(C, TRect(g.NCl.right, g.NCl.top, W, g.NRt.y), Src,
                  InPicture(R, g.Cl.right, g.Cl.top, wR, g.Rt.y));
    }
    CopyPiece(C, TRect(0, g.NLb.y, g.NCl.left, H), Src, InPicture(R, 0, g.Lb.y, g.Cl.left, hR));
    CopyPiece(C, TRect(g.NCl.left, g.NCl.bottom, g.NLb.x, H), Src,
              InPicture(R, g.Cl.left, g.Cl.bottom, g.Lb.x, hR));
    if (!open) {
        CopyPiece(C, TRect(g.NRb.x, g.NCl.bottom, W, H), Src, InPicture(R, g.Rb.x, g.Cl.bottom, wR, hR));
        CopyPiece(C, TRect(g.NCl.right, g.NRb.y, W, g.NCl.bottom), Src,
                  InPicture(R, g.Cl.right, g.Rb.y, wR, g.Cl.bottom));
    }
    if (DrawClient) {
        TRect target = g.NCl;
        if (open) target.right = W;
        RepeatXY(C, W, H, target, Src, InPicture(R, g.Cl.left, g.Cl.top, g.Cl.right, g.Cl.bottom));
    }
}

// The skin rectangle of a three-part element, kept inside its picture: its size
// decides the target's height (or width), and a damaged skin must not make that
// larger than the picture it is cut from.
TRect ClipToPicture(const TRect& R, TBitmap* Source)
{
    TRect r = R;
    if (Source && !Source->Empty()) {
        r.left = std::clamp<LONG>(r.left, 0, Source->GetWidth());
        r.right = std::clamp<LONG>(r.right, r.left, Source->GetWidth());
        r.top = std::clamp<LONG>(r.top, 0, Source->GetHeight());
        r.bottom = std::clamp<LONG>(r.bottom, r.top, Source->GetHeight());
    } else {
        // Nothing can be drawn from an empty picture; only the size is kept.
        const LONG cap = 32767;
        if (r.right < r.left || r.right - r.left > cap) r.right = r.left;
        if (r.bottom < r.top || r.bottom - r.top > cap) r.bottom = r.top;
    }
    return r;
}

}  // namespace

std::vector<TTile> TileSpan(int From, int To, int SegLen)
{
    if (SegLen <= 0) return {};
    long long lo = std::min(From, To), hi = std::max(From, To);
    return VisibleTiles(From, To, SegLen, static_cast<int>(lo), static_cast<int>(hi));
}

std::vector<TTile> TileSpan(int From, int To, int SegLen, int Lo, int Hi)
{
    return VisibleTiles(From, To, SegLen, Lo, Hi);
}

void CopyPiece(TCanvas* Dest, const TRect& D, TBitmap* Source, const TRect& S)
{
    if (!Dest || !Source || Source->Empty()) return;
    long long sx0 = S.left, sx1 = S.right, sy0 = S.top, sy1 = S.bottom;
    long long dx0 = D.left, dx1 = D.right, dy0 = D.top, dy1 = D.bottom;
    if (!ClipAxis(sx0, sx1, dx0, dx1, Source->GetWidth())) return;
    if (!ClipAxis(sy0, sy1, dy0, dy1, Source->GetHeight())) return;
    Dest->CopyRect(TRect(int(dx0), int(dy0), int(dx1), int(dy1)), Source->GetCanvas(),
                   TRect(int(sx0), int(sy0), int(sx1), int(sy1)));
}

void CreateHSkinImage(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& SkinRect, int AW, int /*AH*/)
{
    if (!Dest) return;
    const TRect R = ClipToPicture(SkinRect, Source);
    Dest->SetSize(AW, R.Height());
    if (Dest->Empty()) return;
    TCanvas* C = Dest->GetCanvas();
    const int W = Dest->GetWidth(), h = Dest->GetHeight();
    if (LO != 0) CopyPiece(C, TRect(0, 0, LO, h), Source, TRect(R.left, R.top, R.left + LO, R.bottom));
    if (RO != 0) CopyPiece(C, TRect(W - RO, 0, W, h), Source, TRect(R.right - RO, R.top, R.right, R.bottom));
    RepeatX(C, W, LO, W - RO, 0, h, Source, R.left + LO, R.right - RO, R.top, R.bottom);
}

void CreateVSkinImage(int TpO, int BO, TBitmap* Dest, TBitmap* Source, const TRect& SkinRect, int /*AW*/, int AH)
{
    if (!Dest) return;
    const TRect R = ClipToPicture(SkinRect, Source);
    Dest->SetSize(R.Width(), AH);
    if (Dest->Empty()) return;
    TCanvas* C = Dest->GetCanvas();
    const int w = Dest->GetWidth(), H = Dest->GetHeight();
    if (TpO != 0) CopyPiece(C, TRect(0, 0, w, TpO), Source, TRect(R.left, R.top, R.right, R.top + TpO));
    if (BO != 0) CopyPiece(C, TRect(0, H - BO, w, H), Source, TRect(R.left, R.bottom - BO, R.right, R.bottom));
    RepeatY(C, H, TpO, H - BO, 0, w, Source, R.left, R.right, R.top + TpO, R.bottom - BO);
}

void CreateHSkinImage2(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& SkinRect, int AW, int /*AH*/)
{
    if (!Dest) return;
    const TRect R = ClipToPicture(SkinRect, Source);
    Dest->SetSize(AW, R.Height());
    if (Dest->Empty()) return;
    TCanvas* C = Dest->GetCanvas();
    const int W = Dest->GetWidth(), h = Dest->GetHeight();
    if (LO != 0) CopyPiece(C, TRect(0, 0, LO, h), Source, TRect(R.left, R.top, R.left + LO, R.bottom));
    RepeatX(C, W, LO, W, 0, h, Source, R.left + LO, R.right - RO, R.top, R.bottom);
}

void CreateHSkinImage3(int LO, int RO, TBitmap* Dest, TBitmap* Source, const TRect& SkinRect, int AW, int /*AH*/)
{
    if (!Dest) return;
    const TRect R = ClipToPicture(SkinRect, Source);
    Dest->SetSize(AW, R.Height());
    if (Dest->Empty()) return;
    TCanvas* C = Dest->GetCanvas();
    const int W = Dest->GetWidth(), h = Dest->GetHeight();
    RepeatX(C, W, 0, W, 0, h, Source, R.left + LO, R.right - RO, R.top, R.bottom);
}

TEightPoints TEightPoints::Grown(int DW, int DH) const
{
    return {LeftTop,
            TPoint(RightTop.x + DW, RightTop.y),
            TPoint(LeftBottom.x, LeftBottom.y + DH),
            TPoint(RightBottom.x + DW, RightBottom.y + DH),
            TRect(Client.left, Client.top, Client.right + DW, Client.bottom + DH)};
}

void CreateSkinImage(TBitmap* Dest, const TSkinImageArgs& A)
{
    DrawEightPoint(Geometry(A), Dest, A.Source, A.SourceRect, A.Width, A.Height, A.DrawClient, epFull, false, false,
                   false, false);
}

void CreateSkinImage2(TBitmap* Dest, const TSkinImageArgs& A)
{
    DrawEightPoint(Geometry(A), Dest, A.Source, A.SourceRect, A.Width, A.Height, A.DrawClient, epOpenRight, false,
                   false, false, false);
}

void CreateSkinImageBS(TBitmap* Dest, const TSkinImageArgs& A)
{
    const TEdgeStretch& s = A.Stretch;
    DrawEightPoint(Geometry(A), Dest, A.Source, A.SourceRect, A.Width, A.Height, A.DrawClient, epFull, s.Left, s.Top,
                   s.Right, s.Bottom);
}

void CreateSkinBorderImages(const TSkinBorderImages& Dest, const TSkinImageArgs& A)
{
    const TPoint &LtPt = A.Skin.LeftTop, &RtPt = A.Skin.RightTop, &LbPt = A.Skin.LeftBottom, &RbPt = A.Skin.RightBottom;
    const TPoint &NewLtPt = A.Target.LeftTop, &NewRtPt = A.Target.RightTop, &NewLbPt = A.Target.LeftBottom,
                 &NewRbPt = A.Target.RightBottom;
    TBitmap *LeftB = Dest.Left, *TopB = Dest.Top, *RightB = Dest.Right, *BottomB = Dest.Bottom, *Source = A.Source;
    const bool LeftStretch = A.Stretch.Left, TopStretch = A.Stretch.Top, RightStretch = A.Stretch.Right,
               BottomStretch = A.Stretch.Bottom;
    const TRect& R = A.SourceRect;
    const int W = A.Width, H = A.Height, wR = R.Width();
    const TRect& Cl = A.Skin.Client;
    // A strip is never larger than the frame it belongs to, whatever the points say.
    TRect NCl = A.Target.Client;
    NCl.top = std::min<long>(NCl.top, H);
    NCl.left = std::min<long>(NCl.left, W);
    NCl.bottom = std::max<long>(NCl.bottom, 0);
    NCl.right = std::max<long>(NCl.right, 0);
    // Top strip.
    if (TopB && W > 0 && NCl.top > 0 && RtPt.x - LtPt.x > 0) {
        TopB->SetSize(W, NCl.top);
        TCanvas* C = TopB->GetCanvas();
        const int h = TopB->GetHeight();
        TRect seg = InPicture(R, LtPt.x, 0, RtPt.x, NCl.top);
        if (TopStretch) CopyPiece(C, TRect(NewLtPt.x, 0, NewRtPt.x, h), Source, seg);
        else RepeatX(C, W, 0, W, 0, h, Source, seg.left, seg.right, seg.top, seg.bottom);
        CopyPiece(C, TRect(0, 0, NewLtPt.x, h), Source, InPicture(R, 0, 0, LtPt.x, NCl.top));
        CopyPiece(C, TRect(NewRtPt.x, 0, W, h), Source, InPicture(R, RtPt.x, 0, wR, NCl.top));
    }
    // Bottom strip: the last b rows of the skin rectangle.
    const int b = H - NCl.bottom;
    if (BottomB && W > 0 && b > 0 && RbPt.x - LbPt.x > 0) {
        BottomB->SetSize(W, b);
        TCanvas* C = BottomB->GetCanvas();
        const int hb = BottomB->GetHeight();
        const int top = R.Height() - b;
        TRect seg = InPicture(R, LbPt.x, top, RbPt.x, R.Height());
        if (BottomStretch) CopyPiece(C, TRect(NewLbPt.x, 0, NewRbPt.x, hb), Source, seg);
        else RepeatX(C, W, 0, W, 0, hb, Source, seg.left, seg.right, seg.top, seg.bottom);
        CopyPiece(C, TRect(0, 0, NewLbPt.x, hb), Source, InPicture(R, 0, top, LbPt.x, R.Height()));
        CopyPiece(C, TRect(NewRbPt.x, 0, W, hb), Source, InPicture(R, RbPt.x, top, wR, R.Height()));
    }
    // The side strips fill what the top and bottom strips leave, as they now are.
    const int h = H - (BottomB ? BottomB->GetHeight() : 0) - (TopB ? TopB->GetHeight() : 0);
    if (LeftB && NCl.left > 0 && h > 0 && LbPt.y - LtPt.y > 0) {
        LeftB->SetSize(NCl.left, h);
        TCanvas* C = LeftB->GetCanvas();
        const int w = LeftB->GetWidth();
        TRect seg = InPicture(R, 0, LtPt.y, NCl.left, LbPt.y);
        if (LeftStretch) CopyPiece(C, TRect(0, LtPt.y - Cl.top, w, h - (Cl.bottom - LbPt.y)), Source, seg);
        else RepeatY(C, h, 0, h, 0, w, Source, seg.left, seg.right, seg.top, seg.bottom);
        if (LtPt.y - Cl.top > 0)
            CopyPiece(C, TRect(0, 0, w, LtPt.y - Cl.top), Source, InPicture(R, 0, Cl.top, NCl.left, LtPt.y));
        if (Cl.bottom - LbPt.y > 0)
            CopyPiece(C, TRect(0, h - (Cl.bottom - LbPt.y), w, h), Source,
                      InPicture(R, 0, LbPt.y, NCl.left, Cl.bottom));
    }
    const int wr = W - NCl.right;
    if (RightB && wr >= 1 && h >= 1 && RbPt.y - RtPt.y >= 1) {
        RightB->SetSize(wr, h);
        TCanvas* C = RightB->GetCanvas();
        const int w = RightB->GetWidth();
        TRect seg = InPicture(R, Cl.right, RtPt.y, wR, RbPt.y);
        if (RightStretch) CopyPiece(C, TRect(0, RtPt.y - Cl.top, w, h - (Cl.bottom - RbPt.y)), Source, seg);
        else RepeatY(C, h, 0, h, 0, w, Source, seg.left, seg.right, seg.top, seg.bottom);
        if (RtPt.y - Cl.top > 0)
            CopyPiece(C, TRect(0, 0, w, RtPt.y - Cl.top), Source, InPicture(R, Cl.right, Cl.top, wR, RtPt.y));
        if (Cl.bottom - RbPt.y > 0)
            CopyPiece(C, TRect(0, h - (Cl.bottom - RbPt.y), w, h), Source,
                      InPicture(R, Cl.right, RbPt.y, wR, Cl.bottom));
    }
}

}  // namespace Sputils
