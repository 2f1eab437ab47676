#include "SkinTabSheet.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "SkinElement.h"
#include "SkinPageControl.h"
#include "SkinTabs.h"

TspSkinCustomTabSheet::TspSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}

void TspSkinCustomTabSheet::WMEraseBkgnd(TMessage& Message)
{
    PaintBG(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TspSkinCustomTabSheet::WMSize(TMessage& Message)
{
    TTabSheet::WMSize(Message);
    Invalidate();
}

void TspSkinCustomTabSheet::PaintBG(HDC DC)
{
    const int w = GetWidth(), h = GetHeight();
    if (w < 1 || h < 1 || !DC || !GetParent()) return;
    TBitmap* tile = nullptr;
    TRect piece;
    if (auto* pc = dynamic_cast<TspSkinPageControl*>(GetParent())) {
        pc->GetSkinData();
        if (pc->Skinned()) {
            const auto& s = pc->FSkin;
            // A background picture index that names no picture of the skin, or an
            // empty picture, counts as none.
            tile = SkinPicture(pc->FSD, s.BGPictureIndex);
            if (tile && !tile->Empty()) {
                piece = TRect(0, 0, tile->GetWidth(), tile->GetHeight());
            } else {
                tile = pc->FPicture;
                piece = s.ClientRect;
                piece.Offset(s.SkinRect.left, s.SkinRect.top);
            }
        }
    }
    TBorrowedCanvas c(DC);
    if (tile && !ClipToPicture(piece, tile).IsEmpty()) {
        Skintabs::TilePiece(c.Get(), TRect(0, 0, w, h), tile, piece);
    } else {
        // Unskinned, or a frame without a middle to tile.
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(clBtnFace);
        c->FillRect(TRect(0, 0, w, h));
    }
}
