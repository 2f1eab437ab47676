#include "SkinFileDialogComponent.h"

TspSkinFileDialogComponent::TspSkinFileDialogComponent(TComponent* AOwner, const std::string& Title,
                                                       BYTE AlphaBlendValue, const std::string& Filter)
    : TspSkinDialogComponent(AOwner, Title, AlphaBlendValue), Filter(Filter), Files(new TStringList)
{
}

TspSkinFileDialogComponent::~TspSkinFileDialogComponent() = default;

TspFileDlgOptions TspSkinFileDialogComponent::FileOptions() const
{
    TspFileDlgOptions o;
    o.Title = FTitle;
    o.SkinData = FSkinData;
    o.CtrlSkinData = FCtrlSkinData;
    o.DefaultFont = FDefaultFont.get();
    o.AlphaBlend = AlphaBlend;
    o.AlphaBlendAnimation = AlphaBlendAnimation;
    o.AlphaBlendValue = AlphaBlendValue;
    o.CtrlAlphaBlend = CtrlAlphaBlend;
    o.CtrlAlphaBlendAnimation = CtrlAlphaBlendAnimation;
    o.CtrlAlphaBlendValue = CtrlAlphaBlendValue;
    o.LVHeaderSkinDataName = LVHeaderSkinDataName;
    o.Filter = Filter;
    o.FilterIndex = FilterIndex;
    return o;
}

bool TspSkinFileDialogComponent::ShowAndTake(TspCustomFileDlgForm* W)
{
    const bool ok = W->ShowModal() == mrOk && !W->FileName.empty();
    FilterIndex = W->GetFilterIndex();
    W->Remember(FMemory);
    if (ok) {
        FileName = W->FileName;
        W->GetSelectedFiles(Files.get());
        // A typed name that is not among the selected rows is the one file chosen.
        if (Files->IndexOf(FileName) < 0) {
            Files->Clear();
            Files->Add(FileName);
        }
        Change();
    }
    return ok;
}
