// The control's visual half on the class library's form: IActiveFormXView over
// TActiveFormXForm. Until the host places the control, the form lives in a
// hidden parking window of its own, so its window (and those of its parts)
// exists from creation on and is only ever moved, never made again: the video
// player's thread paints into it.
#include "ActiveFormXForm.h"
#include "ActiveFormXView.h"
#include "Mpeg4Panel.h"
#include "Screen.h"
#include <memory>

namespace {

const char* const kParkingClass = "QuendaParkingWindow";
const char* const kMessageCaption = "Quenda";

HINSTANCE ThisModule()
{
    HMODULE m = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &m);
    return m;
}

// The hidden top-level window that holds the form while no host window does.
class TParkingWindow {
public:
    TParkingWindow()
    {
        HINSTANCE inst = ThisModule();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = inst;
        wc.lpszClassName = kParkingClass;
        RegisterClassA(&wc); // a second view finds the class registered already
        FWnd = CreateWindowExA(WS_EX_TOOLWINDOW, kParkingClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst,
                               nullptr);
        if (!FWnd) throw EOSError("The control's parking window cannot be created");
    }
    ~TParkingWindow() { DestroyWindow(FWnd); }
    TParkingWindow(const TParkingWindow&) = delete;
    TParkingWindow& operator=(const TParkingWindow&) = delete;
    HWND Handle() const { return FWnd; }

private:
    HWND FWnd = nullptr;
};

// OLE colours name system colours with 0x80 in the high byte, the class library with 0xFF.
TColor OleToColor(int Value)
{
    unsigned v = static_cast<unsigned>(Value);
    if ((v & 0xFF000000u) == 0x80000000u) return clSystemColor | static_cast<TColor>(v & 0xFFu);
    return static_cast<TColor>(v & 0x00FFFFFFu);
}

class TActiveFormXFormView : public IActiveFormXView {
public:
    explicit TActiveFormXFormView(HWND Parent);
    ~TActiveFormXFormView() override;

    HWND Handle() override { return FForm->GetHandle(); }
    void SetParentWindow(HWND Parent) override { FForm->SetParentWindow(Parent ? Parent : FParking.Handle()); }
    void SetBounds(int Left, int Top, int Width, int Height) override { FForm->SetBounds(Left, Top, Width, Height); }
    void SetSize(int Width, int Height) override
    {
        FForm->SetBounds(FForm->GetLeft(), FForm->GetTop(), Width, Height);
    }
    int Width() override { return FForm->GetWidth(); }
    int Height() override { return FForm->GetHeight(); }
    void PaintTo(HDC DC, const RECT& Bounds) override { FForm->PaintTo(DC, Bounds.left, Bounds.top); }

    int GetProp(TFormProp Prop) override;
    void SetProp(TFormProp Prop, int Value) override;
    std::string GetText(TFormTextProp Prop) override
    {
        return Prop == fpCaption ? FForm->GetCaption() : FForm->HelpFile;
    }
    void SetText(TFormTextProp Prop, const std::string& Value) override
    {
        if (Prop == fpCaption) FForm->SetCaption(Value);
        else FForm->HelpFile = Value;
    }
    void GetFont(LOGFONTA& Font) override;
    void SetFont(const LOGFONTA& Font) override;

    void SetPartBounds(TFormPart Part, int Left, int Top, int Width, int Height) override
    {
        if (TControl* c = PartControl(Part)) c->SetBounds(Left, Top, Width, Height);
    }
    void MovePart(TFormPart Part, int Left, int Top) override
    {
        if (TControl* c = PartControl(Part)) c->SetBounds(Left, Top, c->GetWidth(), c->GetHeight());
    }
    RECT PartBounds(TFormPart Part) override
    {
        TControl* c = PartControl(Part);
        RECT r = {0, 0, 0, 0};
        if (c) SetRect(&r, c->GetLeft(), c->GetTop(), c->GetLeft() + c->GetWidth(), c->GetTop() + c->GetHeight());
        return r;
    }
    void SetPicture(TFormPart Part, int Index) override;
    int Picture(TFormPart Part) override { return Part < fpChatView ? FPictures[Part] : -1; }

    TStrings* ChatLines() override { return FForm->ChatView->GetLines(); }
    std::string InputText() override { return FForm->InputMessage->GetText(); }
    void SetInputText(const std::string& Text) override { FForm->InputMessage->SetText(Text); }
    void FocusInput() override
    {
        if (FForm->InputMessage->CanFocus()) FForm->InputMessage->SetFocus();
    }

    void InsertPanel(CMpeg4Panel* Panel, bool InPopup, int Left, int Top, int Width, int Height,
                     bool ClientAlign) override;
    void RemovePanel(CMpeg4Panel* Panel) override;

    void OpenPopup(const std::string& Caption, int Width, int Height) override;
    void ClosePopup() override;
    bool PopupOpen() override { return FForm->GetPopupForm() != nullptr; }

    void StartTimer(UINT Interval) override
    {
        FForm->Timer1->SetInterval(Interval);
        FForm->Timer1->SetEnabled(true);
    }
    void StopTimer() override { FForm->Timer1->SetEnabled(false); }
    bool TimerEnabled() override { return FForm->Timer1->GetEnabled(); }
    void ShowMessage(const std::string& Text) override
    {
        MessageBoxA(FForm->GetHandle(), Text.c_str(), kMessageCaption, MB_OK);
    }

private:
    TControl* PartControl(TFormPart Part);
    TImageList* PartList(TFormPart Part);
    void BindEvents();
    void BindButton(TFormPart Part, TAction* Action);
    void PopupClose(TCloseAction& Action);
    void Raise(const std::function<void()>& Event)
    {
        if (Event) Event();
    }

    TParkingWindow FParking;
    std::unique_ptr<TActiveFormXForm> FForm;
    int FPictures[fpChatView];
    int FColorValue;
    int FPrintScale = 1; // proportional
    CMpeg4Panel* FPanel = nullptr;
};

TActiveFormXFormView::TActiveFormXFormView(HWND Parent)
{
    // The window classes of the form and its parts stay registered after their
    // windows are gone, and name procedures of this library: once it has made
    // windows, the library stays loaded for the rest of the process.
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&ThisModule), &pinned);
    FForm.reset(new TActiveFormXForm(Parent ? Parent : FParking.Handle()));
    // The form is created here, not by a later show: OnCreate belongs to the
    // COM object, which raises it itself.
    FForm->AfterConstruction();
    FForm->HandleNeeded();
    FColorValue = static_cast<int>(ColorToRGB(FForm->GetColor()));
    for (int& p : FPictures) p = -1;
    BindEvents();
}

TActiveFormXFormView::~TActiveFormXFormView()
{
    // A panel still in the form belongs to its player, not to the form.
    if (FPanel && FPanel->GetParent()) FPanel->SetParent(nullptr);
    FPanel = nullptr;
    FForm->Timer1->OnTimer = nullptr;
    FForm.reset();
}

void TActiveFormXFormView::BindEvents()
{
    TActiveFormXForm* f = FForm.get();
    f->OnActivate = [this](TObject*) { Raise(Events.OnActivate); };
    f->OnDeactivate = [this](TObject*) { Raise(Events.OnDeactivate); };
    f->OnClick = [this](TObject*) { Raise(Events.OnClick); };
    f->OnDblClick = [this](TObject*) { Raise(Events.OnDblClick); };
    f->OnPaint = [this](TObject*) { Raise(Events.OnPaint); };
    f->OnDestroy = [this](TObject*) { Raise(Events.OnDestroy); };
    f->OnMouseMove = [this](TObject*, TShiftState, int, int) { Raise(Events.OnMouseMove); };
    f->OnKeyPress = [this](TObject*, char& Key) {
        if (!Events.OnKeyPress) return;
        short k = static_cast<short>(static_cast<unsigned char>(Key));
        Events.OnKeyPress(k);
        Key = static_cast<char>(k);
    };
    f->Timer1->OnTimer = [this](TObject*) {
        if (Actions.Timer1Timer) Actions.Timer1Timer();
    };
    BindButton(fpImageSend, f->ActionSend);
    BindButton(fpImageVideo, f->ActionVideo);
    BindButton(fpImageAudio, f->ActionAudio);
    BindButton(fpImageCall, f->ActionCall);
    BindButton(fpImagePopup, f->ActionPopup);
}

// Each picture button runs its action when clicked and shows its pressed look
// while the mouse button is down.
void TActiveFormXFormView::BindButton(TFormPart Part, TAction* Action)
{
    Action->OnExecute = [this, Part](TObject*) {
        if (Actions.ButtonClick) Actions.ButtonClick(Part);
    };
    TImage* image = static_cast<TImage*>(PartControl(Part));
    image->SetAction(Action);
    image->OnMouseDown = [this, Part](TObject*, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && Actions.ButtonMouse) Actions.ButtonMouse(Part, true);
    };
    image->OnMouseUp = [this, Part](TObject*, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && Actions.ButtonMouse) Actions.ButtonMouse(Part, false);
    };
}

TControl* TActiveFormXFormView::PartControl(TFormPart Part)
{
    TActiveFormXForm* f = FForm.get();
    switch (Part) {
    case fpImageSend: return f->ImageSend;
    case fpImageVideo: return f->ImageVideo;
    case fpImageAudio: return f->ImageAudio;
    case fpImageCall: return f->ImageCall;
    case fpImagePopup: return f->ImagePopup;
    case fpImageVideoStatus: return f->ImageVideoStatus;
    case fpImageAudioStatus: return f->ImageAudioStatus;
    case fpImageCallStatus: return f->ImageCallStatus;
    case fpImagePopupStatus: return f->ImagePopupStatus;
    case fpImageOnLine: return f->ImageOnLine;
    case fpChatView: return f->ChatView;
    case fpInputMessage: return f->InputMessage;
    default: return nullptr;
    }
}

TImageList* TActiveFormXFormView::PartList(TFormPart Part)
{
    if (Part <= fpImagePopup) return FForm->ImageList1;
    if (Part <= fpImagePopupStatus) return FForm->ImageList2;
    if (Part == fpImageOnLine) return FForm->ImageList3;
    return nullptr;
}

void TActiveFormXFormView::SetPicture(TFormPart Part, int Index)
{
    TImageList* list = PartList(Part);
    if (!list) return;
    FPictures[Part] = Index;
    TImage* image = static_cast<TImage*>(PartControl(Part));
    TBitmap picture;
    list->GetBitmap(Index, &picture);
    image->GetPicture()->SetBitmap(&picture);
    image->Repaint();
}

int TActiveFormXFormView::GetProp(TFormProp Prop)
{
    TActiveFormXForm* f = FForm.get();
    switch (Prop) {
    case fpVisible: return f->GetVisible();
    case fpAutoScroll: return f->GetAutoScroll();
    case fpAutoSize: return f->AutoSize;
    case fpAxBorderStyle: return f->GetAxBorderStyle();
    case fpBorderWidth: return f->GetBorderWidth();
    case fpColor: return FColorValue;
    case fpKeyPreview: return f->KeyPreview;
    case fpPixelsPerInch: return f->PixelsPerInch;
    case fpPrintScale: return FPrintScale;
    case fpScaled: return f->Scaled;
    case fpActive: return Screen->GetActiveForm() == f;
    case fpDropTarget: return f->DropTarget;
    case fpDoubleBuffered: return f->DoubleBuffered;
    case fpAlignDisabled: return f->AlignDisabled();
    case fpVisibleDockClientCount: return 0;
    case fpEnabled: return f->GetEnabled();
    default: return 0;
    }
}

void TActiveFormXFormView::SetProp(TFormProp Prop, int Value)
{
    TActiveFormXForm* f = FForm.get();
    switch (Prop) {
    case fpVisible: f->SetVisible(Value != 0); break;
    case fpAutoScroll: f->SetAutoScroll(Value != 0); break;
    case fpAutoSize: f->AutoSize = Value != 0; break;
    case fpAxBorderStyle: f->SetAxBorderStyle(Value); break;
    case fpBorderWidth: f->SetBorderWidth(Value); break;
    case fpColor:
        FColorValue = Value;
        f->SetColor(OleToColor(Value));
        break;
    case fpKeyPreview: f->KeyPreview = Value != 0; break;
    case fpPixelsPerInch: f->PixelsPerInch = Value; break;
    case fpPrintScale: FPrintScale = Value; break;
    case fpScaled: f->Scaled = Value != 0; break;
    case fpDropTarget: f->DropTarget = Value != 0; break;
    case fpDoubleBuffered: f->DoubleBuffered = Value != 0; break;
    case fpEnabled: f->SetEnabled(Value != 0); break;
    default: break; // read only
    }
}

void TActiveFormXFormView::GetFont(LOGFONTA& Font)
{
    TFont* font = FForm->GetFont();
    Font = LOGFONTA();
    Font.lfHeight = font->GetHeight();
    Font.lfWeight = (font->GetStyle() & fsBold) ? FW_BOLD : FW_NORMAL;
    Font.lfItalic = (font->GetStyle() & fsItalic) ? 1 : 0;
    Font.lfUnderline = (font->GetStyle() & fsUnderline) ? 1 : 0;
    Font.lfStrikeOut = (font->GetStyle() & fsStrikeOut) ? 1 : 0;
    Font.lfCharSet = font->GetCharset();
    lstrcpynA(Font.lfFaceName, font->GetName().c_str(), LF_FACESIZE);
}

void TActiveFormXFormView::SetFont(const LOGFONTA& Font)
{
    TFont* font = FForm->GetFont();
    if (Font.lfFaceName[0]) font->SetName(Font.lfFaceName);
    if (Font.lfHeight) font->SetHeight(Font.lfHeight < 0 ? Font.lfHeight : -Font.lfHeight);
    TFontStyles style = 0;
    if (Font.lfWeight >= FW_BOLD) style |= fsBold;
    if (Font.lfItalic) style |= fsItalic;
    if (Font.lfUnderline) style |= fsUnderline;
    if (Font.lfStrikeOut) style |= fsStrikeOut;
    font->SetStyle(style);
    font->SetCharset(Font.lfCharSet);
}

void TActiveFormXFormView::InsertPanel(CMpeg4Panel* Panel, bool InPopup, int Left, int Top, int Width, int Height,
                                       bool ClientAlign)
{
    TWinControl* parent = InPopup ? static_cast<TWinControl*>(FForm->GetPopupForm()) : FForm.get();
    if (!Panel || !parent) return;
    // Placed while it has no parent, then handed over with SetParent alone: the
    // panel takes its frame lock there, so a paint on the player thread never
    // sees it half moved.
    if (Panel->GetParent()) Panel->SetParent(nullptr);
    Panel->SetAlign(ClientAlign ? alClient : alNone);
    Panel->SetBounds(Left, Top, Width, Height);
    Panel->SetParent(parent);
    FPanel = Panel;
}

void TActiveFormXFormView::RemovePanel(CMpeg4Panel* Panel)
{
    if (!Panel) return;
    if (Panel->GetParent()) Panel->SetParent(nullptr);
    if (Panel == FPanel) FPanel = nullptr;
}

void TActiveFormXFormView::OpenPopup(const std::string& Caption, int Width, int Height)
{
    if (FForm->GetPopupForm()) return;
    TForm* popup = FForm->CreatePopupForm(Caption, Width, Height);
    popup->OnClose = [this](TObject*, TCloseAction& Action) { PopupClose(Action); };
    popup->Show();
}

void TActiveFormXFormView::PopupClose(TCloseAction& Action)
{
    TForm* popup = FForm->GetPopupForm();
    try {
        if (Actions.PopupFormClose) Actions.PopupFormClose();
    } catch (...) {
        // The window goes in any case; the failure is reported as every
        // failure of a handler is.
        if (popup) {
            popup->OnClose = nullptr;
            FForm->ForgetPopupForm();
            Action = caFree;
        }
        throw;
    }
    // The window frees itself once its close handling is over (caFree), and
    // counts as gone from now on.
    if (popup && popup == FForm->GetPopupForm()) {
        popup->OnClose = nullptr;
        FForm->ForgetPopupForm();
    }
    Action = caFree;
}

void TActiveFormXFormView::ClosePopup()
{
    TForm* popup = FForm->GetPopupForm();
    if (!popup) return;
    if (FPanel && FPanel->GetParent() == popup) RemovePanel(FPanel);
    popup->OnClose = nullptr;
    FForm->FreePopupForm();
}

} // namespace

std::unique_ptr<IActiveFormXView> CreateActiveFormXView(HWND Parent)
{
    return std::make_unique<TActiveFormXFormView>(Parent);
}
