// TspSkinXFormButton: the skinned push button with a second, picture-based look
// for when no skin applies. Unskinned and with DefImage set, it is exactly as
// large as that picture, shows DefImage, DefActiveImage (mouse over or focus) or
// DefDownImage (pressed), and takes the shape of the black pixels of DefMask.
#pragma once
#include "SkinButton.h"

class TspSkinXFormButton : public TspSkinButton {
public:
    explicit TspSkinXFormButton(TComponent* AOwner);
    ~TspSkinXFormButton() override;

    TBitmap* GetDefImage() const { return FDefImage.get(); }
    void SetDefImage(TBitmap* Value);
    TBitmap* GetDefActiveImage() const { return FDefActiveImage.get(); }
    void SetDefActiveImage(TBitmap* Value);
    TBitmap* GetDefDownImage() const { return FDefDownImage.get(); }
    void SetDefDownImage(TBitmap* Value);
    TBitmap* GetDefMask() const { return FDefMask.get(); }
    void SetDefMask(TBitmap* Value);
    TColor GetDefActiveFontColor() const { return FDefActiveFontColor; }
    void SetDefActiveFontColor(TColor Value);
    TColor GetDefDownFontColor() const { return FDefDownFontColor; }
    void SetDefDownFontColor(TColor Value);

    // Unskinned with a DefImage: the pictures give the look, size and shape.
    bool PictureLook() const { return !Skinned() && !FDefImage->Empty(); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ChangeSkinData() override;
    void SetControlRegion() override;
    void Loaded() override;
    void DrawDefaultButton(TCanvas* C);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateWnd() override;

private:
    // The picture's side as a control side (a damaged picture never makes the button unbounded).
    int PictureWidth() const;
    int PictureHeight() const;
    void FitToPicture();

    std::unique_ptr<TBitmap> FDefImage, FDefActiveImage, FDefDownImage, FDefMask;
    TColor FDefActiveFontColor = 0, FDefDownFontColor = 0;
};
