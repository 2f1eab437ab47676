// TspSkinSplitter: the library's splitter whose bar is a three-part image of the
// skin's "vsplitter" element and whose thickness follows that element.
#pragma once
#include "Splitter.h"
#include "SkinChangeWalk.h"
#include <string>
#include "SkinDataLink.h"

class TspSkinData;
class TBitmap;

class TspSkinSplitter : public TSplitter, public TspSkinDataClient {
public:
    explicit TspSkinSplitter(TComponent* AOwner);

    TspSkinData* GetSkinDataComponent() const override { return FSD; }
    void SetSkinData(TspSkinData* Value);
    void GetSkinData();
    // Called by name by the re-skin walk.
    void ChangeSkinData() override;
    int GetSkinIndex() const { return FIndex; }

    int DefaultSize = 10;
    std::string SkinDataName = "vsplitter";

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TspSkinDataLink FSD{this};
    int FIndex = -1;
    TPoint FLTPoint, FRTPoint, FLBPoint;
    TRect FSkinRect;
    TBitmap* FPicture = nullptr;
};
