// The main window's header first: its socket headers must precede the C library's.
#include "MainForm.h"
#include "DialogHost.h"

int CMainWindowHost::GetResIndex() { return FMain->FResIndex; }
void CMainWindowHost::SetResIndex(int Index) { FMain->FResIndex = Index; }
void CMainWindowHost::SetCodecConfigure(bool On) { FMain->FCodecConfigure = On ? 1 : 0; }
void CMainWindowHost::StopVideo() { FMain->StopVideo(); }
void CMainWindowHost::InitVideo() { FMain->InitVideo(); }
void CMainWindowHost::SendTextToAll(const std::string& Text) { FMain->SendText(Text, nullptr); }
void CMainWindowHost::StartRecording(CVideo* Recorder) { FMain->StartRecording(Recorder); }
void CMainWindowHost::StopRecording() { FMain->StopRecording(); }

int CMainWindowHost::ServerPort()
{
    int port = FMain->ListeningPort();
    return port > 0 ? port : FMain->ServerSocket1->Port;
}

TspSkinData* CMainWindowHost::SkinData() { return FMain->spSkinData1; }
bool CMainWindowHost::ApplySkinFile(const std::string& Path) { return FMain->ApplySkinFile(Path); }

// The stored skin component takes a file's name only once the file has loaded.
std::string CMainWindowHost::SkinFileInUse()
{
    return FMain->spCompressedStoredSkin1 ? FMain->spCompressedStoredSkin1->GetFileName() : std::string();
}
