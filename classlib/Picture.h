// TPicture: holds one picture of any kind (bitmap, icon, JPEG) and picks the
// kind by file extension when loading.
#pragma once
#include "Bitmap.h"
#include "Icon.h"

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TGraphic* GetGraphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* Value);          // copies the picture
    // The picture as a bitmap; any other kind is replaced by an empty bitmap.
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    TIcon* GetIcon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
    int GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }
    // .bmp, .ico, .jpg/.jpeg/.jpe/.jfif; EInvalidGraphic for another extension.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);
    void Assign(TPersistent* Source) override;
    TNotifyEvent OnChange;
protected:
    void Changed(TObject* Sender);
private:
    void Take(TGraphic* g);
    std::unique_ptr<TGraphic> FGraphic;
};
