#include "PreviewForm.h"
#include "FormFrame.h"
#include "Mpeg4Panel.h"

CAVFilePlayer* FilePlayer = nullptr;

namespace {
const int kClientWidth = 315;
const int kClientHeight = 240;
} // namespace

TForm4::TForm4(TComponent* AOwner, TspSkinData* Skin) : TForm(AOwner)
{
    SetName("Form4");
    SetCaption("Player");
    SetBorderStyle(bsDialog);
    // The skinned frame gives this window its system-menu button only; the
    // platform's frame needs the same to offer a way to close it.
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetClientSize(kClientWidth, kClientHeight);
    spFormFrame1 = new TspFormFrame(this);
    spFormFrame1->SetName("spFormFrame1");
    spFormFrame1->SetBorderIcons(biSystemMenu);
    spFormFrame1->Sizeable = true;
    spFormFrame1->SetAlphaBlend(false);
    spFormFrame1->SetShowIcon(false);
    // The video keeps its 315 x 240 whatever the skin's frame takes.
    spFormFrame1->ClientWidth = kClientWidth;
    spFormFrame1->ClientHeight = kClientHeight;
    spFormFrame1->SetSkinData(Skin);
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TForm4::~TForm4()
{
    // A window freed without being closed still lets its player go.
    StopPlayer();
}

void TForm4::FormShow(TObject*)
{
    StopPlayer();
    FPlayer = new CAVFilePlayer;
    FilePlayer = FPlayer;
    AVFilePlayerData data{FileName, kVideoWidth, kVideoHeight};
    if (!FPlayer->Play(&data, true, true)) return;
    if (CMpeg4Panel* panel = FPlayer->GetPanel()) {
        // The panel moves under its frame lock (SetParent), never by InsertControl.
        panel->SetBounds(0, 0, panel->GetWidth(), panel->GetHeight());
        panel->SetParent(this);
    }
}

void TForm4::FormClose(TObject*, TCloseAction&) { StopPlayer(); }

void TForm4::StopPlayer()
{
    CAVFilePlayer* player = FPlayer;
    if (!player) return;
    if (CMpeg4Panel* panel = player->GetPanel())
        if (panel->GetParent() == this) panel->SetParent(nullptr);
    player->Stop();
    if (FilePlayer == player) FilePlayer = nullptr;
    FPlayer = nullptr;
    delete player;
}
