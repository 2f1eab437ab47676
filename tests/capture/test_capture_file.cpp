// Capture into an AVI file, the confirmation box, and which files the component
// may delete.
#include "CaptureTestSupport.h"
#include <fstream>
#include <iterator>

using namespace capture_test;

namespace {

// A fresh folder under the temporary folder, removed with its files afterwards.
class TTempFolder {
public:
    TTempFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        FPath = std::string(base) + "capture_test_" + IntToStr(GetCurrentProcessId()) + "_" +
                IntToStr(GetTickCount());
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~TTempFolder()
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((FPath + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((FPath + "\\" + fd.cFileName).c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(FPath.c_str());
    }
    std::string File(const char* name) const { return FPath + "\\" + name; }
private:
    std::string FPath;
};

std::string ReadAll(const std::string& name)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string data;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0) data.append(buf, got);
    CloseHandle(h);
    return data;
}

void WriteAll(const std::string& name, const std::string& data)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
    CloseHandle(h);
}

using CaptureFileTest = CameraTest;

// Wine 8 cannot write an AVI capture: its capture graph builder does not set up
// the output file, and its AVI multiplexer, set up by hand, refuses to pause
// because Wine's file writer offers no IStream on its input pin. What can be
// checked here is that the component reports it with its own boxes and that the
// caller runs on with the preview.
TEST_F(CaptureFileTest, CaptureThatCannotRunIsReportedAndThePreviewRecovers)
{
    TTempFolder dir;
    Cap->WantCapture = true;
    Cap->SetCaptureFileName(dir.File("take.avi"));
    Cap->ChooseDevices(CameraIndex(), -1);
    EXPECT_TRUE(Cap->GraphBuilt());
    EXPECT_FALSE(Cap->Previewing());
    EXPECT_FALSE(Cap->CaptureFrame());
    ASSERT_EQ(Boxes.Texts().size(), 1u);
    EXPECT_EQ(Boxes.Texts()[0], "Error 80004002: Cannot run preview graph!");
    ExpectedBoxes = 1;

    // Every filter was stopped: the camera changes its mode and, without the
    // capture branch, the preview runs.
    ASSERT_TRUE(Cap->SetVCapMode(2));
    Cap->WantCapture = false;
    ASSERT_TRUE(Cap->StartPreview());
    ASSERT_TRUE(GrabOne());
    EXPECT_EQ(Last->GetWidth(), 160);
}

TEST_F(CaptureFileTest, EmptyCaptureFileNameIsReportedWithoutTouchingThePreview)
{
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->Previewing());
    Cap->WantCapture = true;
    Cap->SetCaptureFileName("");
    EXPECT_FALSE(Cap->StartCapture(false));
    EXPECT_TRUE(Cap->Previewing());
    EXPECT_FALSE(Cap->Capturing());
    ASSERT_EQ(Boxes.Texts().size(), 1u);
    EXPECT_EQ(Boxes.Texts()[0], "Capture filename required!");
    ExpectedBoxes = 1;
}

TEST_F(CaptureFileTest, CaptureOnAGraphBuiltForPreviewOnlyAddsTheFileBranch)
{
    TTempFolder dir;
    const std::string file = dir.File("late.avi");
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->Previewing());
    // Capture switched on after the graph was built: the graph is built again with
    // the capture branch, which shows in the file writer creating the file (it
    // cannot run here, see above).
    Cap->WantCapture = true;
    Cap->SetCaptureFileName(file);
    EXPECT_FALSE(Cap->StartCapture(false));
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(Boxes.Texts().size(), 1u);
    EXPECT_EQ(Boxes.Texts()[0], "Error 80004002: Cannot run graph!");
    ExpectedBoxes = 1;
}

TEST_F(CaptureFileTest, FilesOfTheUserSurviveGraphRebuilds)
{
    TTempFolder dir;
    const std::string temp = dir.File("mine-temp.avi"), target = dir.File("mine.avi");
    WriteAll(temp, "the user's own temp file");
    WriteAll(target, "the user's own film");
    Cap->WantCapture = true;
    Cap->WantPreview = false;
    Cap->SetTempCaptureFileName(temp);
    Cap->SetCaptureFileName(target);
    Cap->ChooseDevices(CameraIndex(), -1);
    ASSERT_TRUE(Cap->GraphBuilt());
    ASSERT_TRUE(Cap->SetVCapMode(1));       // tears the graph down
    ASSERT_TRUE(Cap->BuildGraph());
    Cap->TearDownGraph();
    Cap.reset();
    EXPECT_EQ(ReadAll(temp), "the user's own temp file");
    EXPECT_EQ(ReadAll(target), "the user's own film");
}

TEST_F(CaptureFileTest, ItsOwnTemporaryFileGoesWithTheGraph)
{
    TTempFolder dir;
    const std::string temp = dir.File("scratch.avi");
    Cap->WantCapture = true;
    Cap->UseTempFile = true;
    Cap->SetTempCaptureFileName(temp);
    Cap->SetCaptureFileName(dir.File("final.avi"));
    Cap->ChooseDevices(CameraIndex(), -1);
    // The file writer made the file when the graph tried to run.
    ASSERT_NE(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    Cap->TearDownGraph();
    EXPECT_EQ(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir.File("final.avi").c_str()), INVALID_FILE_ATTRIBUTES);
    ExpectedBoxes = 1;      // the preview could not run
}

} // namespace
