// The video panel: a window-less control that shows the last decoded picture
// stretched to its size, or a buffering bar before the first one.
#pragma once
#include "Controls.h"
#include "Graphics.h"
#include "MultiThreadClass.h"
#include <cstdint>
#include <memory>

class CMpeg4Panel : public TGraphicControl {
public:
    // No owner: the player owns the panel; a form places it with its parent's
    // InsertControl and takes it away with RemoveControl.
    CMpeg4Panel(int32_t width, int32_t height);
    ~CMpeg4Panel() override;

    // Copies the picture in (under the frame lock); from then on the panel shows pictures.
    void SetFrame(TBitmap* bitmap);
    // The buffering percentage shown until the first picture; no effect after it.
    void SetPercent(int32_t value);
    // 0..100 while buffering, -1 once a picture was set.
    int32_t GetState();

    // Paints at once instead of asking the window system for a later paint.
    void Invalidate() override;
    // Paints at once, and only this panel: the viewer's player thread calls
    // it, and must not make the parent window update itself from there.
    void Repaint() override;
    // Moving the panel and changing its parent wait for a paint in progress on
    // another thread (the viewer's player thread paints the panel itself), so
    // a form places and removes the panel with SetParent, which is the
    // parent's InsertControl / RemoveControl under the frame lock.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;

    // The panel's look drawn on any canvas, over (0, 0, width, height).
    void PaintTo(TCanvas* canvas, int width, int height);

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> FPicture;
    int32_t FState = 0;
    CMultiThreadClass FFrameLock;
};
