// The picture dialogs: the preview loads the selected bitmap at its size, a
// file that is no picture leaves the picture before and says why, a folder row
// empties it; stretching and the preview's width carry over to the next run.
#include "DialogRun.h"
#include "../skin_controls/ControlFixture.h"
#include "Image.h"
#include "SkinData.h"
#include "SkinPanel.h"
#include "SkinPictureDialog.h"
#include "SkinScrollBox.h"
#include "WaitUntil.h"
#include <memory>

using namespace FileDlgTest;

namespace {

struct TPictures {
    TScratch T;
    explicit TPictures(const std::string& Name) : T(Name)
    {
        CtlFixture::NewPicture(40, 30, 0x0000FF)->SaveToFile(T.Path("red.bmp"));
        CtlFixture::NewPicture(300, 200, 0xFF0000)->SaveToFile(T.Path("big.bmp"));
        T.Write("bad.bmp", "no picture at all");
        T.Write("notes.txt", "text");
        T.Folder("sub");
    }
};

TEST(SkinPictureDialogs, PreviewLoadsTheSelectedPicture)
{
    TPictures p("pict");
    TspSkinOpenPictureDialog d(nullptr);
    EXPECT_EQ(d.GetTitle(), "Open picture");
    d.InitialDir = p.T.Root();
    const bool ok = RunDialog(d, [&](TspCustomFileDlgForm* f) {
        auto* w = dynamic_cast<TspOpenPictureDlgForm*>(f);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->PreviewPanel->GetWidth(), 190);
        EXPECT_EQ(Names(w->FileList), (std::vector<std::string>{"sub", "bad.bmp", "big.bmp", "red.bmp"}));
        struct Step {
            const char* Row;
            int Width, Height;
            bool Error;
        } steps[] = {
            {"red.bmp", 40, 30, false},
            {"bad.bmp", 40, 30, true},    // the picture before stays
            {"sub", 0, 0, false},         // a folder row: nothing shown
            {"big.bmp", 300, 200, false},
        };
        for (const Step& s : steps) {
            EXPECT_TRUE(w->SelectFile(s.Row));
            EXPECT_EQ(w->Image->GetWidth(), s.Width) << s.Row;
            EXPECT_EQ(w->Image->GetHeight(), s.Height) << s.Row;
            EXPECT_EQ(w->PictureError().empty(), !s.Error) << s.Row << ": " << w->PictureError();
        }
        EXPECT_FALSE(w->Stretched());
        w->StretchButton->SetDown(true);
        w->StretchButtonClick(w->StretchButton);
        EXPECT_TRUE(w->Stretched());
        EXPECT_EQ(w->Image->GetWidth(), w->ScrollBox->GetClientWidth());
        EXPECT_EQ(w->Image->GetHeight(), w->ScrollBox->GetClientHeight());
        // As the splitter would leave it.
        w->PreviewPanel->SetWidth(240);
        w->OpenButton->ButtonClick();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(d.FileName, p.T.Path("big.bmp"));
    // The next run: stretched, at the width left, with the chosen picture.
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* f) {
        auto* w = static_cast<TspOpenPictureDlgForm*>(f);
        EXPECT_EQ(w->PreviewPanel->GetWidth(), 240);
        EXPECT_TRUE(w->StretchButton->GetDown());
        EXPECT_TRUE(w->Stretched());
        EXPECT_EQ(w->Image->GetPicture()->GetWidth(), 300);
        EXPECT_EQ(w->FileNameEdit->GetText(), "big.bmp");
        w->StretchButton->SetDown(false);
        w->StretchButtonClick(w->StretchButton);
        EXPECT_FALSE(w->Stretched());
        EXPECT_EQ(w->Image->GetWidth(), 300);
    }));
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* f) {
        EXPECT_FALSE(static_cast<TspOpenPictureDlgForm*>(f)->Stretched());
    }));
    d.StretchPicture = true;
    EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* f) {
        EXPECT_TRUE(static_cast<TspOpenPictureDlgForm*>(f)->Stretched());
    }));
}

TEST(SkinPictureDialogs, AStoredFileThatIsNoPictureStillOpens)
{
    TPictures p("pict_bad");
    TspSkinSavePictureDialog d(nullptr);
    EXPECT_EQ(d.GetTitle(), "Save file");
    d.FileName = p.T.Path("bad.bmp");
    std::string error;
    const bool ok = RunDialog(d, [&](TspCustomFileDlgForm* f) {
        error = static_cast<TspOpenPictureDlgForm*>(f)->PictureError();
        Type(f, "new.bmp");
    });
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(ok);
    EXPECT_EQ(d.FileName, p.T.Path("new.bmp"));
}

TEST(SkinPictureDialogs, GalleryBothSkinsAndUnskinned)
{
    TPictures p("pict_gallery");
    SetCursorPos(2, 2);
    for (const char* skin : {"Korvel2", "Sarnic", ""}) {
        std::unique_ptr<TspSkinData> data;
        if (*skin) {
            data = CtlFixture::LoadSkin(skin);
            ASSERT_TRUE(data) << skin;
        }
        TspSkinOpenPictureDialog d(nullptr);
        d.InitialDir = p.T.Root();
        d.FileName = p.T.Path("red.bmp");
        d.SetSkinData(data.get());
        d.SetCtrlSkinData(data.get());
        EXPECT_FALSE(RunDialog(d, [&](TspCustomFileDlgForm* f) {
            auto* w = static_cast<TspOpenPictureDlgForm*>(f);
            SkinKit::RepaintAll(w->GetHandle());
            // The red picture shows at the top left of the preview.
            const TPoint at = w->Image->ClientToScreen(TPoint(20, 15));
            HDC screen = GetDC(nullptr);
            const COLORREF c = GetPixel(screen, at.x, at.y);
            RECT r;
            GetWindowRect(w->GetHandle(), &r);
            auto shot = CtlFixture::NewPicture(r.right - r.left, r.bottom - r.top, 0);
            BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top,
                   SRCCOPY);
            ReleaseDC(nullptr, screen);
            EXPECT_EQ(c & 0xFFFFFF, 0x0000FFu) << skin;
            CtlFixture::SaveArtefact(shot.get(), std::string("filedialogs-picture-") + (*skin ? skin : "unskinned"));
        }));
    }
}

} // namespace
