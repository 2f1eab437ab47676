// The main window's header first: its socket headers must precede the C library's.
#include "MainForm.h"
#include "AboutForm.h"
#include "FormFrame.h"
#include "Language.h"
#include <shellapi.h>

TFormSolvaneTMAbout* FormSolvaneTMAbout = nullptr;

const char* const TFormSolvaneTMAbout::WebAddress = "http://www.orvanta-tm.example/";
const char* const TFormSolvaneTMAbout::MailAddress = "support@orvanta-tm.example";

namespace {
const int kClientWidth = 445;
const int kClientHeight = 156;
const char* const kVersion = "Version 2.0.0.2";
} // namespace

TFormSolvaneTMAbout::TFormSolvaneTMAbout(TComponent* AOwner) : TFormSolvaneTMAbout(AOwner, nullptr) {}

TFormSolvaneTMAbout::TFormSolvaneTMAbout(TComponent* AOwner, TspSkinData* SkinData) : TForm(AOwner)
{
    SetName("FormSolvaneTMAbout");
    CreateComponents(SkinData);
    Label3->SetCaption(kVersion);
    using Language::TCaption;
    Language::Apply("FormSolvaneTMAbout",
                    {TCaption{"Caption", [this] { return GetCaption(); }, [this](const std::string& v) { SetCaption(v); }},
                     TCaption{"Button1", [this] { return Button1->GetCaption(); },
                              [this](const std::string& v) { Button1->SetCaption(v); }}});
}

TspSkinStdLabel* TFormSolvaneTMAbout::NewLabel(const char* Name, const std::string& Text, int Left, int Top,
                                               TspSkinData* SkinData)
{
    auto* l = new TspSkinStdLabel(this);
    l->SetName(Name);
    l->SetSkinData(SkinData);
    l->SetParent(this);
    l->SetCaption(Text);
    l->SetLeft(Left);
    l->SetTop(Top);
    return l;
}

void TFormSolvaneTMAbout::CreateComponents(TspSkinData* SkinData)
{
    SetCaption("About...");
    // The frame draws the border; a dialog border's extra edge would eat into the
    // client area the frame keeps.
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    spFormFrame1 = new TspFormFrame(this);
    spFormFrame1->SetName("spFormFrame1");
    spFormFrame1->SetBorderIcons(biSystemMenu);
    spFormFrame1->Sizeable = false;
    spFormFrame1->ClientWidth = kClientWidth;
    spFormFrame1->ClientHeight = kClientHeight;
    spFormFrame1->SetSkinData(SkinData);
    // Another form's component: the frame must hear of its going.
    if (SkinData) SkinData->FreeNotification(spFormFrame1);
    // The client size is set on the window the frame has taken over: before the
    // window exists it would be worked out for the system's border, not the skin's.
    GetHandle();
    SetClientSize(kClientWidth, kClientHeight);

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(12, 12, 148, 111);
    DrawPicture();

    spSkinLabel1 = new TspSkinLabel(this);
    spSkinLabel1->SetName("spSkinLabel1");
    spSkinLabel1->SetSkinData(SkinData);
    spSkinLabel1->SetParent(this);
    spSkinLabel1->SetBounds(176, 10, 180, 28);
    spSkinLabel1->SetCaption("Orvanta TM");
    spSkinLabel1->GetDefaultFont()->SetStyle(fsBold);
    spSkinLabel1->GetDefaultFont()->SetHeight(-20);
    Label3 = NewLabel("Label3", "", 176, 44, SkinData);
    spSkinStdLabel2 = NewLabel("spSkinStdLabel2", "2005", 176, 62, SkinData);
    Label1 = NewLabel("Label1", "Developed by the Orvanta TM team", 176, 80, SkinData);

    Label2 = NewLabel("Label2", WebAddress, 176, 98, SkinData);
    Label7 = NewLabel("Label7", MailAddress, 176, 116, SkinData);
    // The links keep their underline in every skin; the skin gives the colour.
    for (TspSkinStdLabel* link : {Label2, Label7}) {
        link->UseSkinFont = false;
        link->GetFont()->SetColor(clBlue);
        link->GetFont()->SetStyle(fsUnderline);
        link->SetCursor(crHandPoint);
    }
    Label2->OnClick = [this](TObject* s) { Label2Click(s); };
    Label7->OnClick = [this](TObject* s) { Label7Click(s); };

    Button1 = new TspSkinButton(this);
    Button1->SetName("Button1");
    Button1->SetSkinData(SkinData);
    Button1->SetParent(this);
    Button1->SetCaption("Ok");
    Button1->SetBounds(kClientWidth - 87, kClientHeight - 33, 75, 25);
    Button1->SetDefault(true);
    Button1->Cancel = true;
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
}

// The picture of the window: a lens on a dark field, drawn once.
void TFormSolvaneTMAbout::DrawPicture()
{
    TCanvas* c = Image1->GetCanvas();
    const int w = Image1->GetWidth(), h = Image1->GetHeight();
    for (int y = 0; y < h; ++y) {
        c->GetPen()->SetColor(RGB(20, 30 + y, 70 + y));
        c->MoveTo(0, y);
        c->LineTo(w, y);
    }
    c->GetPen()->SetColor(RGB(230, 230, 240));
    c->GetBrush()->SetColor(RGB(40, 40, 60));
    c->Ellipse(w / 2 - 36, h / 2 - 36, w / 2 + 36, h / 2 + 36);
    c->GetBrush()->SetColor(RGB(90, 140, 220));
    c->Ellipse(w / 2 - 18, h / 2 - 18, w / 2 + 18, h / 2 + 18);
    c->GetBrush()->SetColor(RGB(240, 240, 255));
    c->Ellipse(w / 2 - 8, h / 2 - 12, w / 2, h / 2 - 4);
}

void TFormSolvaneTMAbout::Button1Click(TObject*) { Close(); }

void TFormSolvaneTMAbout::Label2Click(TObject*)
{
    ShellExecuteA(GetHandle(), nullptr, "explorer.exe", WebAddress, nullptr, SW_SHOWNORMAL);
}

void TFormSolvaneTMAbout::Label7Click(TObject*)
{
    std::string mail = std::string("mailto:") + MailAddress;
    ShellExecuteA(GetHandle(), nullptr, "explorer.exe", mail.c_str(), nullptr, SW_SHOWMINIMIZED);
}

void NewAboutWindow()
{
    if (!FormSolvaneTMAbout)
        FormSolvaneTMAbout = new TFormSolvaneTMAbout(Application, Form1 ? Form1->spSkinData1 : nullptr);
}

void RunAboutWindow()
{
    NewAboutWindow();
    FormSolvaneTMAbout->ShowModal();
}

void DeleteAboutWindow()
{
    delete FormSolvaneTMAbout;
    FormSolvaneTMAbout = nullptr;
}
