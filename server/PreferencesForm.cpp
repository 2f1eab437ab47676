#include "PreferencesForm.h"
#include "Language.h"
#include "Settings.h"

namespace {
const int kClientWidth = 451;
const int kClientHeight = 147;

// Every combo box of the dialog is made here: a fixed list, no typing.
TspSkinComboBox* NewCombo(TComponent* Owner, TWinControl* Parent, const char* Name,
                          std::initializer_list<const char*> Items)
{
    auto* c = new TspSkinComboBox(Owner);
    c->SetName(Name);
    c->SetParent(Parent);
    c->SetStyle(spcbFixedStyle);
    for (const char* item : Items) c->GetItems()->Add(item);
    return c;
}
} // namespace

TForm2::TForm2(TComponent* AOwner, IDialogHost* Host) : TForm(AOwner), FHost(Host)
{
    SetName("Form2");
    CreateComponents();
    Translate();
    spFormFrame1 = DressDialog(this, Host ? Host->SkinData() : nullptr);
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm2::CreateComponents()
{
    SetCaption("Preferences");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);
    SetClientSize(kClientWidth, kClientHeight);

    spSkinPanel1 = new TspSkinPanel(this);
    spSkinPanel1->SetName("spSkinPanel1");
    spSkinPanel1->SetParent(this);
    spSkinPanel1->SetCaption("");
    spSkinPanel1->SetHeight(37);
    spSkinPanel1->SetAlign(alBottom);
    Button5 = new TspSkinButton(this);
    Button5->SetName("Button5");
    Button5->SetParent(spSkinPanel1);
    Button5->SetCaption("Apply");
    Button5->SetBounds(kClientWidth - 170, 6, 80, 25);
    Button5->SetDefault(true);
    Button5->OnClick = [this](TObject* s) { Button5Click(s); };
    Button6 = new TspSkinButton(this);
    Button6->SetName("Button6");
    Button6->SetParent(spSkinPanel1);
    Button6->SetCaption("Cancel");
    Button6->SetBounds(kClientWidth - 86, 6, 80, 25);
    Button6->Cancel = true;
    Button6->OnClick = [this](TObject* s) { Button6Click(s); };

    spSkinGroupBox2 = new TspSkinGroupBox(this);
    spSkinGroupBox2->SetName("spSkinGroupBox2");
    spSkinGroupBox2->SetParent(this);
    spSkinGroupBox2->SetCaption("Video settings");
    spSkinGroupBox2->SetHeight(55);
    spSkinGroupBox2->SetAlign(alTop);
    spSkinStdLabel2 = new TspSkinStdLabel(this);
    spSkinStdLabel2->SetName("spSkinStdLabel2");
    spSkinStdLabel2->SetParent(spSkinGroupBox2);
    spSkinStdLabel2->SetCaption("Video resolution");
    spSkinStdLabel2->SetBounds(10, 24, 110, 17);
    ComboBox2 = NewCombo(this, spSkinGroupBox2, "ComboBox2", {"160x120", "320x240"});
    ComboBox2->SetBounds(130, 20, 150, 24);
    ComboBox2->SetText("320x240");
    spSkinButton1 = new TspSkinButton(this);
    spSkinButton1->SetName("spSkinButton1");
    spSkinButton1->SetParent(spSkinGroupBox2);
    spSkinButton1->SetCaption("Compress setup");
    spSkinButton1->SetBounds(kClientWidth - 146, 19, 136, 25);
    spSkinButton1->OnClick = [this](TObject* s) { Button1Click(s); };

    spSkinGroupBox1 = new TspSkinGroupBox(this);
    spSkinGroupBox1->SetName("spSkinGroupBox1");
    spSkinGroupBox1->SetParent(this);
    spSkinGroupBox1->SetCaption("Network settings");
    spSkinGroupBox1->SetAlign(alClient);
    spSkinStdLabel1 = new TspSkinStdLabel(this);
    spSkinStdLabel1->SetName("spSkinStdLabel1");
    spSkinStdLabel1->SetParent(spSkinGroupBox1);
    spSkinStdLabel1->SetCaption("Net speed");
    spSkinStdLabel1->SetBounds(10, 24, 110, 17);
    ComboBox1 = NewCombo(this, spSkinGroupBox1, "ComboBox1",
                         {"LAN 100 Mbps", "LAN 10 Mbps", "Dialup 28.8 Kbps", "Dialup 33.6 Kbps", "Dialup 56.0 Kbps"});
    ComboBox1->SetBounds(130, 20, 150, 24);
    ComboBox1->SetItemIndex(0);
}

void TForm2::Translate()
{
    using Language::TCaption;
    auto caption = [](const char* key, TControl* c) {
        return TCaption{key, [c] { return c->GetCaption(); }, [c](const std::string& v) { c->SetCaption(v); }};
    };
    Language::Apply("Form2", {caption("spSkinGroupBox2", spSkinGroupBox2), caption("spSkinGroupBox1", spSkinGroupBox1),
                              caption("spSkinStdLabel2", spSkinStdLabel2), caption("spSkinStdLabel1", spSkinStdLabel1),
                              caption("spSkinButton1", spSkinButton1), caption("Button5", Button5),
                              caption("Button6", Button6), caption("Caption", this)});
}

void TForm2::LoadSettings()
{
    ComboBox1->SetItemIndex(Settings::ReadInt("LAN", "0", 254));
    ComboBox2->SetItemIndex(Settings::ReadInt("RES", "0", 254));
}

void TForm2::FormShow(TObject*)
{
    try {
        LoadSettings();
    } catch (...) {
        // The show is abandoned; the command that opened the dialog logs it.
        // A close made here would be undone as the modal loop begins: post it.
        ShowError = std::current_exception();
        PostMessageA(GetHandle(), WM_CLOSE, 0, 0);
    }
}

void TForm2::Button5Click(TObject*)
{
    Settings::Write("LAN", IntToStr(ComboBox1->GetItemIndex()));
    int res = ComboBox2->GetItemIndex();
    // No size chosen (a stored index this dialog does not offer): RES keeps
    // its value and the video goes on at the size it has.
    if (res >= 0) {
        Settings::Write("RES", IntToStr(res));
        if (res != FHost->GetResIndex()) {
            FHost->SetResIndex(res);
            FHost->StopVideo();
            FHost->SetCodecConfigure(false);
            FHost->InitVideo();
            FHost->SendTextToAll("~resizevideo");
        }
    }
    Close();
}

void TForm2::Button6Click(TObject*) { Close(); }

void TForm2::Button1Click(TObject*)
{
    FHost->StopVideo();
    FHost->SetCodecConfigure(true);
    FHost->InitVideo();
}
