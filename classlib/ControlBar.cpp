#include "ControlBar.h"
#include "Bitmap.h"
#include <algorithm>

namespace {
// Insets a hook gives are bounded: a band frame is never wider than this.
const int MaxInset = 64;
}

TCustomControlBar::TCustomControlBar(TComponent* AOwner) : TCustomControl(AOwner), FPicture(new TPicture)
{
    FControlStyle |= csAcceptsControls;
    FWidth = 100;
    FHeight = 50;
}

TCustomControlBar::~TCustomControlBar() = default;

void TCustomControlBar::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    Realign();
}

void TCustomControlBar::SetPicture(TPicture* Value)
{
    FPicture->Assign(Value);
    Invalidate();
}

void TCustomControlBar::SetRowSize(int Value)
{
    FRowSize = std::clamp(Value, 1, 1000);
    Realign();
}

void TCustomControlBar::SetRowSnap(bool Value)
{
    FRowSnap = Value;
    Realign();
}

TRect TCustomControlBar::BandInsets(TControl* Control)
{
    TRect r(GrabWidth, 2, 2, 2);
    if (OnBandInfo) OnBandInfo(this, Control, r);
    r.left = std::clamp<int>(r.left, 0, MaxInset);
    r.top = std::clamp<int>(r.top, 0, MaxInset);
    r.right = std::clamp<int>(r.right, 0, MaxInset);
    r.bottom = std::clamp<int>(r.bottom, 0, MaxInset);
    return r;
}

TCustomControlBar::TBand* TCustomControlBar::FindBand(TControl* Control)
{
    for (TBand& b : FBands)
        if (b.Control == Control) return &b;
    return nullptr;
}

int TCustomControlBar::RowAt(int Y) const
{
    const int n = static_cast<int>(FRowTops.size()) - 1;
    if (n <= 0) return 0;
    for (int i = 0; i < n; ++i)
        if (Y < FRowTops[i + 1]) return i;
    return n;
}

void TCustomControlBar::SyncBands()
{
    // Only pointers found among the children now are kept: a control gone from
    // the bar is never touched again.
    std::vector<TControl*> children;
    for (int i = 0; i < GetControlCount(); ++i) children.push_back(GetControl(i));
    FBands.erase(std::remove_if(FBands.begin(), FBands.end(),
                                [&](const TBand& b) {
                                    return std::find(children.begin(), children.end(), b.Control) == children.end();
                                }),
                 FBands.end());
    if (FDragControl && !FindBand(FDragControl)) FDragControl = nullptr;
    for (TControl* c : children)
        if (!FindBand(c)) FBands.push_back({c, RowAt(c->GetTop()), std::max(0, c->GetLeft() - static_cast<int>(BandInsets(c).left)), false});
}

void TCustomControlBar::LayoutBands()
{
    if (FLaying) return;
    FLaying = true;
    SyncBands();
    // Rows left empty by a move close up.
    std::vector<int> rows;
    for (const TBand& b : FBands)
        if (b.Control->GetVisible() && !b.Placing) rows.push_back(b.Row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (TBand& b : FBands) {
        auto it = std::lower_bound(rows.begin(), rows.end(), b.Row);
        b.Row = static_cast<int>(it - rows.begin());
    }
    FRowTops.assign(1, 0);
    int top = 0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        std::vector<TBand*> in;
        for (TBand& b : FBands)
            if (b.Row == r && b.Control->GetVisible() && !b.Placing) in.push_back(&b);
        std::stable_sort(in.begin(), in.end(), [](const TBand* a, const TBand* b) {
            if (a->Left != b->Left) return a->Left < b->Left;
            return false;
        });
        int height = 1;
        for (TBand* b : in) {
            const TRect ins = BandInsets(b->Control);
            height = std::max(height, b->Control->GetHeight() + static_cast<int>(ins.top + ins.bottom));
        }
        // With RowSnap a row is a whole number of RowSize rows high.
        if (FRowSnap) height = std::max(1, (height + FRowSize - 1) / FRowSize) * FRowSize;
        int x = 0;
        for (TBand* b : in) {
            const TRect ins = BandInsets(b->Control);
            const int left = std::max(b->Left, x);
            TControl* c = b->Control;
            if (c->GetLeft() != left + ins.left || c->GetTop() != top + ins.top)
                c->SetBounds(left + ins.left, top + ins.top, c->GetWidth(), c->GetHeight());
            x = left + ins.left + c->GetWidth() + ins.right;
        }
        top += height;
        FRowTops.push_back(top);
    }
    if (FAutoSize) {
        const int h = std::max(top, FRowSize) + (GetHeight() - GetClientHeight());
        if (h != GetHeight()) SetHeight(h);
    }
    FLaying = false;
    Invalidate();
}

void TCustomControlBar::AlignControls(TControl* AControl, TRect& Rect)
{
    if (FLaying) return;
    TCustomControl::AlignControls(AControl, Rect);
    // A band placed by the program asks for the row and place it was put at.
    if (AControl && AControl->GetParent() == this && !FDragControl) {
        SyncBands();
        if (FindBand(AControl)) {
            // The rows as they are without it say which one its top falls in.
            FindBand(AControl)->Placing = true;
            LayoutBands();
            TBand* b = FindBand(AControl);
            if (b) {
                b->Placing = false;
                b->Row = RowAt(AControl->GetTop());
                b->Left = std::max(0, AControl->GetLeft() - static_cast<int>(BandInsets(AControl).left));
            }
        }
    }
    LayoutBands();
}

int TCustomControlBar::BandRow(TControl* Control)
{
    SyncBands();
    TBand* b = FindBand(Control);
    return b ? b->Row : -1;
}

int TCustomControlBar::RowCount() { return std::max(0, static_cast<int>(FRowTops.size()) - 1); }

TRect TCustomControlBar::BandRect(TControl* Control)
{
    if (!Control) return TRect();
    const TRect ins = BandInsets(Control);
    const TRect r = Control->GetBoundsRect();
    return TRect(r.left - ins.left, r.top - ins.top, r.right + ins.right, r.bottom + ins.bottom);
}

void TCustomControlBar::MoveBand(TControl* Control, int Row, int X)
{
    SyncBands();
    TBand* b = FindBand(Control);
    if (!b) return;
    b->Row = std::clamp(Row, 0, RowCount());
    // Before the others it now overlaps in that row, so it pushes them right.
    b->Left = std::max(0, X);
    for (TBand& o : FBands)
        if (&o != b && o.Row == b->Row && o.Left == b->Left) o.Left++;
    LayoutBands();
}

void TCustomControlBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SyncBands();
    for (const TBand& b : FBands) {
        TControl* c = b.Control;
        if (!c->GetVisible()) continue;
        const TRect r = BandRect(c);
        if (!r.Contains(TPoint(X, Y)) || X >= r.left + BandInsets(c).left) continue;
        bool drag = true;
        if (OnBandDrag) OnBandDrag(this, c, drag);
        if (!drag) return;
        FDragControl = c;
        FDragOffset = X - r.left;
        FDragStartRect = r;
        SetMouseCapture(true);
        return;
    }
}

void TCustomControlBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragControl) return;
    TControl* c = FDragControl;
    const int row = RowAt(Y);
    const TBand* b = FindBand(c);
    // Leaving a row it is alone in for the one below is no move at all.
    if (b && row == RowCount() && row == b->Row + 1) {
        bool alone = true;
        for (const TBand& o : FBands)
            if (&o != b && o.Row == b->Row && o.Control->GetVisible()) alone = false;
        if (alone) {
            MoveBand(c, b->Row, X - FDragOffset);
            return;
        }
    }
    MoveBand(c, row, X - FDragOffset);
}

void TCustomControlBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FDragControl) return;
    TControl* c = FDragControl;
    FDragControl = nullptr;
    SetMouseCapture(false);
    SyncBands();
    if (!FindBand(c)) return;
    TRect r = BandRect(c);
    if (!(r == FDragStartRect) && OnBandMove) OnBandMove(this, c, r);
}

void TCustomControlBar::PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& R)
{
    (void)AControl;
    if (R.IsEmpty()) return;
    TBrush* br = Canvas->GetBrush();
    br->SetStyle(bsSolid);
    // A raised edge, and two grip lines down the grab area.
    br->SetColor(clBtnHighlight);
    Canvas->FillRect(TRect(R.left, R.top, R.right, R.top + 1));
    Canvas->FillRect(TRect(R.left, R.top, R.left + 1, R.bottom));
    br->SetColor(clBtnShadow);
    Canvas->FillRect(TRect(R.left, R.bottom - 1, R.right, R.bottom));
    Canvas->FillRect(TRect(R.right - 1, R.top, R.right, R.bottom));
    if (R.Height() > 8)
        for (int x : {R.left + 3, R.left + 6}) {
            br->SetColor(clBtnHighlight);
            Canvas->FillRect(TRect(x, R.top + 3, x + 1, R.bottom - 3));
            br->SetColor(clBtnShadow);
            Canvas->FillRect(TRect(x + 1, R.top + 3, x + 2, R.bottom - 3));
        }
}

void TCustomControlBar::PaintBands(TCanvas* Canvas)
{
    SyncBands();
    for (const TBand& b : FBands) {
        if (!b.Control->GetVisible()) continue;
        TRect r = BandRect(b.Control);
        TBandPaintOptions opts = bpoGrabber | bpoFrame;
        if (OnBandPaint) OnBandPaint(this, b.Control, Canvas, r, opts);
        if (opts & bpoFrame) PaintControlFrame(Canvas, b.Control, r);
    }
}

void TCustomControlBar::Paint()
{
    TCanvas* c = GetCanvas();
    const TRect client = GetClientRect();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(GetColor());
    c->FillRect(client);
    if (TGraphic* g = FPicture->GetGraphic()) {
        const int w = g->GetWidth(), h = g->GetHeight();
        if (w > 0 && h > 0)
            for (int y = 0; y < client.bottom; y += h)
                for (int x = 0; x < client.right; x += w) c->Draw(x, y, g);
    }
    PaintBands(c);
    if (OnPaint) OnPaint(this);
}
