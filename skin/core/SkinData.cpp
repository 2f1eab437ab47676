#include "SkinData.h"
#include "Forms.h"
#include "Jpeg.h"
#include "SkinIniValues.h"
#include "SkinPlatform.h"
#include <exception>
#include <utility>

namespace {

const char* const FormInfo = "FORMINFO";

void CheckName(const std::string& Name)
{
    if (!Skindata::IsSafeFileName(Name)) throw ESkinDataError("Skin file name \"" + Name + "\" is not valid");
}

// One picture of a folder skin: JPEG by its name, BMP otherwise; both bounded,
// alone and together with the rest of the skin.
void LoadPicture(const std::string& Folder, const std::string& Name, TBitmap* Bitmap, Skindata::TSkinBudget* Budget)
{
    CheckName(Name);
    const std::string path = Folder + Name;
    if (!Sputils::IsJpegFile(Name)) {
        Skindata::LoadBitmapFile(path, Bitmap, Budget);
        return;
    }
    TFileStream f(path, fmOpenRead | fmShareDenyWrite);
    if (f.GetSize() > MaxSkinImageBytes) throw EInvalidGraphic("JPEG image is too large");
    if (Budget) Budget->AddFileBytes(f.GetSize());
    TJPEGImage jpeg;
    jpeg.LoadFromStream(&f);
    // The header decides the decoded size: refuse what no skin needs.
    long long w = jpeg.GetWidth(), h = jpeg.GetHeight();
    if (w <= 0 || h <= 0 || w > 32767 || h > 32767 || w * h * 4 > MaxSkinImageBytes)
        throw EInvalidGraphic("JPEG image is not valid");
    if (Budget) Budget->AddPixels(w, h);
    Sputils::LoadFromJPegImage(Bitmap, &jpeg);
}

const char* const MainPictureKeys[MainPictureCount] = {"picture", "inactivepicture", "mask", "rolluppicture",
                                                       "rollupmask"};

} // namespace

TspSkinContent::TspSkinContent()
    : PopupWindow(std::make_unique<TspDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TspDataSkinHintWindow>()),
      Picture(std::make_unique<TBitmap>()),
      InActivePicture(std::make_unique<TBitmap>()),
      Mask(std::make_unique<TBitmap>()),
      RollUpPicture(std::make_unique<TBitmap>()),
      RollUpMask(std::make_unique<TBitmap>()),
      ActivePicturesNames(std::make_unique<TStringList>()),
      CursorsNames(std::make_unique<TStringList>())
{
}

TspSkinData::TspSkinData(TComponent* AOwner) : TComponent(AOwner) {}

TspSkinData::~TspSkinData()
{
    Empty = true;
    ClearObjects();
}

void TspSkinData::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    FCompressedStoredSkin.Removed(AComponent, Operation);
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* Value)
{
    if (FCompressedStoredSkin.Set(Value) && Value && !IsDesigning()) LoadCompressedStoredSkin(Value);
}

// ---- messages ----

void TspSkinData::SendSkinDataMessage(UINT Msg)
{
    auto* ownerForm = dynamic_cast<TCustomForm*>(GetOwner());
    const WPARAM self = reinterpret_cast<WPARAM>(this);
    if (ownerForm) SendMessageA(ownerForm->GetHandle(), Msg, self, SkinDataMessageParam);
    if (!Screen) return;
    // A form may come or go while it handles the message: the count is read anew.
    for (int i = 0; i < Screen->GetFormCount(); ++i) {
        TCustomForm* f = Screen->GetForms(i);
        if (f != ownerForm) SendMessageA(f->GetHandle(), Msg, self, SkinDataMessageParam);
    }
}

template <class F> bool TspSkinData::LoadBracketed(F Decode)
{
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    bool done = false;
    std::exception_ptr error;
    try {
        TspSkinData fresh(nullptr);
        if (Decode(fresh)) {
            AdoptSkin(fresh);
            done = true;
        }
    } catch (...) {
        error = std::current_exception();
    }
    // The bracket closes in every case, so no form stays torn down.
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
    if (error) std::rethrow_exception(error);
    return done;
}

void TspSkinData::AdoptSkin(TspSkinData& Fresh)
{
    std::swap(static_cast<TspSkinContent&>(*this), static_cast<TspSkinContent&>(Fresh));
    FCursorFolder = Fresh.FCursorFolder;
    if (!FCursorFolder.empty()) InstallCursors();
}

// ---- loads ----

bool TspSkinData::LoadFromFile(const std::string& FileName)
{
    return LoadBracketed([&](TspSkinData& Fresh) { return Fresh.DecodeFile(FileName); });
}

bool TspSkinData::LoadFromCompressedFile(const std::string& FileName)
{
    TspCompressedStoredSkin stored(nullptr);
    if (!stored.LoadFromCompressFile(FileName)) return false;
    return LoadCompressedStoredSkin(&stored);
}

bool TspSkinData::LoadCompressedStoredSkin(TspCompressedStoredSkin* AStoredSkin)
{
    if (!AStoredSkin || AStoredSkin->GetEmpty()) return false;
    return LoadBracketed([&](TspSkinData& Fresh) { return Fresh.DecodeStoredSkin(AStoredSkin); });
}

void TspSkinData::ClearSkin()
{
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearAll();
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

bool TspSkinData::DecodeFile(const std::string& FileName)
{
    // The description is parsed in memory by the same rules as the disk INI;
    // asking the platform for each of the thousands of keys would be slow.
    TMemIniFile ini;
    {
        const std::string text = Skindata::ReadDescriptionFile(FileName);
        ini.SetText(text);
    }
    if (!Skindata::CheckSkinFile(&ini)) return false;
    const std::string folder = ExtractFilePath(FileName);
    Skindata::TSkinBudget budget;
    ReadVersion(&ini);
    ReadPictureNames(&ini, true);
    TBitmap* main[MainPictureCount] = {Picture.get(), InActivePicture.get(), Mask.get(), RollUpPicture.get(),
                                       RollUpMask.get()};
    const std::string* names[MainPictureCount] = {&PictureName, &InActivePictureName, &MaskName, &RollUpPictureName,
                                                  &RollUpMaskName};
    for (int i = 0; i < MainPictureCount; ++i) {
        if (names[i]->empty()) main[i]->FreeImage();
        else LoadPicture(folder, *names[i], main[i], &budget);
    }
    ReadActivePictures(&ini, folder, &budget);
    ReadCursors(&ini, folder);
    ReadDescription(&ini);
    Empty = false;
    return true;
}

bool TspSkinData::DecodeStoredSkin(TspCompressedStoredSkin* AStoredSkin)
{
    TspStoredSkinStream content;
    {
        TMemoryStream plain;
        AStoredSkin->DeCompressToStream(plain);
        if (!content.ReadFrom(&plain)) return false;
    }
    // Parsed straight from the one text, which then goes: the description is
    // never held as more than that text and the parsed keys.
    TMemIniFile ini;
    ini.SetText(content.Text);
    std::string().swap(content.Text);
    // A block whose text is no skin description is refused like such a file.
    if (!Skindata::CheckSkinFile(&ini)) return false;
    Picture = std::move(content.MainPictures[mpPicture]);
    InActivePicture = std::move(content.MainPictures[mpInActivePicture]);
    Mask = std::move(content.MainPictures[mpMask]);
    RollUpPicture = std::move(content.MainPictures[mpRollUpPicture]);
    RollUpMask = std::move(content.MainPictures[mpRollUpMask]);
    ActivePictures = std::move(content.ActivePictures);
    ReadVersion(&ini);
    // Inside a stored skin the picture names are only labels (a skin made
    // elsewhere may carry folder parts in them); they are checked as file names
    // when the skin is written out to a folder.
    ReadPictureNames(&ini, false);
    ActivePicturesNames->Clear();
    Sputils::ReadStrings1(&ini, "PICTURES", "activepictures", ActivePicturesNames.get());
    // A stored skin brings no cursors.
    ReadDescription(&ini);
    Empty = false;
    return true;
}

void TspSkinData::ReadVersion(const TCustomIniFile* IniFile)
{
    SkinName = IniFile->ReadString("VERSION", "skinname", "");
    SkinAuthor = IniFile->ReadString("VERSION", "skinauthor", "");
    AuthorURL = IniFile->ReadString("VERSION", "authorurl", "");
    AuthorEmail = IniFile->ReadString("VERSION", "authoremail", "");
    SkinComments = IniFile->ReadString("VERSION", "skincomments", "");
}

void TspSkinData::ReadPictureNames(const TCustomIniFile* IniFile, bool FileNames)
{
    std::string* names[MainPictureCount] = {&PictureName, &InActivePictureName, &MaskName, &RollUpPictureName,
                                            &RollUpMaskName};
    for (int i = 0; i < MainPictureCount; ++i) {
        *names[i] = IniFile->ReadString("PICTURES", MainPictureKeys[i], "");
        if (FileNames && !names[i]->empty()) CheckName(*names[i]);
    }
}

void TspSkinData::ReadDescription(const TCustomIniFile* IniFile)
{
    ReadFormInfo(IniFile);
    PopupWindow->LoadFromFile(IniFile);
    HintWindow->LoadFromFile(IniFile);
    ReadAreas(IniFile);
    // Objects and controls together, so a control cannot take an object's name.
    ObjectList.clear();
    CtrlList.clear();
    Skindata::ReadSkinElements(IniFile, ObjectList, CtrlList);
}

void TspSkinData::ReadActivePictures(const TCustomIniFile* IniFile, const std::string& Folder,
                                     Skindata::TSkinBudget* Budget)
{
    Skindata::TSkinBudget own;
    if (!Budget) Budget = &own;
    ActivePicturesNames->Clear();
    Sputils::ReadStrings1(IniFile, "PICTURES", "activepictures", ActivePicturesNames.get());
    if (ActivePicturesNames->Count() > Skindata::MaxSkinPictures)
        throw ESkinDataError("The skin has more than " + IntToStr(Skindata::MaxSkinPictures) + " pictures");
    for (int i = 0; i < ActivePicturesNames->Count(); ++i) {
        Budget->AddPictureSlot();
        auto b = std::make_unique<TBitmap>();
        LoadPicture(Folder, (*ActivePicturesNames)[i], b.get(), Budget);
        ActivePictures.push_back(std::move(b));
    }
}

void TspSkinData::WriteActivePictures(TCustomIniFile* IniFile)
{
    Sputils::WriteStrings1(IniFile, "PICTURES", "activepictures", ActivePicturesNames.get());
}

void TspSkinData::ReadCursors(const TCustomIniFile* IniFile, const std::string& Folder)
{
    StartCursorIndex = IniFile->ReadInteger("CURSORS", "startcursorindex", 1);
    if (StartCursorIndex < 1) StartCursorIndex = 1;
    CursorsNames->Clear();
    Sputils::ReadStrings1(IniFile, "CURSORS", "cursors", CursorsNames.get());
    Skindata::CheckCursorSlots(StartCursorIndex, CursorsNames->Count());
    for (int i = 0; i < CursorsNames->Count(); ++i) CheckName((*CursorsNames)[i]);
    // The cursors go into the screen's table only once this skin is taken.
    FCursorFolder = Folder;
}

void TspSkinData::InstallCursors()
{
    if (!Screen) return;
    for (int i = 0; i < CursorsNames->Count(); ++i) {
        // A file the platform cannot load gives a null handle: the slot then
        // shows the default cursor.
        HCURSOR c = LoadCursorFromFileA((FCursorFolder + (*CursorsNames)[i]).c_str());
        Screen->SetCursors(static_cast<TCursor>(StartCursorIndex + i), c);
    }
}

void TspSkinData::WriteCursors(TCustomIniFile* IniFile)
{
    IniFile->WriteInteger("CURSORS", "startcursorindex", StartCursorIndex);
    Sputils::WriteStrings1(IniFile, "CURSORS", "cursors", CursorsNames.get());
}

void TspSkinData::ReadFormInfo(const TCustomIniFile* IniFile)
{
    TspSkinFieldReader r(IniFile, FormInfo);
    VisitFields(r);
    FitAfterRead(!MaskName.empty());
}

void TspSkinData::WriteFormInfo(TCustomIniFile* IniFile)
{
    TspSkinFieldWriter w(IniFile, FormInfo);
    VisitFields(w);
}

void TspSkinData::ReadAreas(const TCustomIniFile* IniFile)
{
    AreaList.clear();
    int n = Sputils::ReadBoundedCount(IniFile, "SKINAREAS", "count");
    for (int i = 0; i < n; ++i) {
        std::string name;
        TRect r;
        Skindata::GetAreaNameRect(IniFile->ReadString("SKINAREAS", IntToStr(i), ""), name, r);
        AreaList.push_back(std::make_unique<TspDataSkinArea>(name, r));
    }
}

void TspSkinData::WriteAreas(TCustomIniFile* IniFile)
{
    IniFile->EraseSection("SKINAREAS");
    IniFile->WriteInteger("SKINAREAS", "count", static_cast<int>(AreaList.size()));
    for (size_t i = 0; i < AreaList.size(); ++i)
        IniFile->WriteString("SKINAREAS", IntToStr(static_cast<long long>(i)),
                             AreaList[i]->IDName + ":" + Sputils::SetRect(AreaList[i]->AreaRect));
}

void TspSkinData::ReadObjects(const TCustomIniFile* IniFile)
{
    ObjectList.clear();
    Skindata::ReadObjectRecords(IniFile, ObjectList);
}

void TspSkinData::WriteObjects(TCustomIniFile* IniFile)
{
    std::vector<TspDataSkinObject*> list;
    for (auto& o : ObjectList) list.push_back(o.get());
    Skindata::WriteObjectRecords(IniFile, list);
}

void TspSkinData::ReadCtrls(const TCustomIniFile* IniFile)
{
    CtrlList.clear();
    Skindata::ReadControlRecords(IniFile, CtrlList);
}

void TspSkinData::WriteCtrls(TCustomIniFile* IniFile)
{
    std::vector<TspDataSkinControl*> list;
    for (auto& c : CtrlList) list.push_back(c.get());
    Skindata::WriteControlRecords(IniFile, list);
}

// ---- clearing and editing ----

void TspSkinData::ClearObjects()
{
    AreaList.clear();
    ObjectList.clear();
    CtrlList.clear();
    ActivePictures.clear();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    ActivePicturesNames->Clear();
    CursorsNames->Clear();
}

void TspSkinData::ClearAll()
{
    ClearObjects();
    for (TBitmap* b : {Picture.get(), InActivePicture.get(), Mask.get(), RollUpPicture.get(), RollUpMask.get()})
        b->FreeImage();
    PictureName.clear();
    InActivePictureName.clear();
    MaskName.clear();
    RollUpPictureName.clear();
    RollUpMaskName.clear();
    Empty = true;
}

void TspSkinData::AddBitMap(const std::string& FileName)
{
    std::string name = ExtractFileName(FileName);
    auto b = std::make_unique<TBitmap>();
    LoadPicture(ExtractFilePath(FileName), name, b.get(), nullptr);
    ActivePicturesNames->Add(name);
    ActivePictures.push_back(std::move(b));
}

void TspSkinData::DeleteBitMap(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(ActivePictures.size())) throw EListError("List index out of bounds");
    if (Index < ActivePicturesNames->Count()) ActivePicturesNames->Delete(Index);
    ActivePictures.erase(ActivePictures.begin() + Index);
}

void TspSkinData::AddSkinArea(const std::string& Name, const TRect& R)
{
    AreaList.push_back(std::make_unique<TspDataSkinArea>(Name, R));
}

// ---- lookups ----

int TspSkinData::GetIndex(const std::string& Name) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == Name) return static_cast<int>(i);
    return -1;
}

int TspSkinData::GetControlIndex(const std::string& Name) const
{
    for (size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == Name) return static_cast<int>(i);
    return -1;
}

TspDataSkinControl* TspSkinData::ControlRecord(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(CtrlList.size())) return nullptr;
    return CtrlList[Index].get();
}

int TspSkinData::GetAreaIndex(const std::string& Name) const
{
    for (size_t i = 0; i < AreaList.size(); ++i)
        if (AreaList[i]->IDName == Name) return static_cast<int>(i);
    return -1;
}

// ---- saves ----

void TspSkinData::SaveToCustomIniFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection("VERSION");
    IniFile->WriteInteger("VERSION", "ver", 2);
    IniFile->WriteString("VERSION", "skinname", SkinName);
    IniFile->WriteString("VERSION", "skinauthor", SkinAuthor);
    IniFile->WriteString("VERSION", "authoremail", AuthorEmail);
    IniFile->WriteString("VERSION", "authorurl", AuthorURL);
    IniFile->WriteString("VERSION", "skincomments", SkinComments);
    IniFile->EraseSection("PICTURES");
    const std::string* names[MainPictureCount] = {&PictureName, &InActivePictureName, &MaskName, &RollUpPictureName,
                                                  &RollUpMaskName};
    for (int i = 0; i < MainPictureCount; ++i) IniFile->WriteString("PICTURES", MainPictureKeys[i], *names[i]);
    WriteActivePictures(IniFile);
    IniFile->EraseSection("CURSORS");
    WriteCursors(IniFile);
    IniFile->EraseSection(FormInfo);
    WriteFormInfo(IniFile);
    PopupWindow->SaveToFile(IniFile);
    HintWindow->SaveToFile(IniFile);
    WriteAreas(IniFile);
    WriteObjects(IniFile);
    WriteCtrls(IniFile);
}

void TspSkinData::SaveToFile(const std::string& FileName)
{
    { TFileStream create(FileName, fmCreate); }
    TMemIniFile ini(FileName);
    SaveToCustomIniFile(&ini);
    ini.UpdateFile();
}

void TspSkinData::GetDescriptionLines(std::vector<std::string>& Lines)
{
    TMemIniFile ini;
    SaveToCustomIniFile(&ini);
    TStringList text;
    ini.GetStrings(&text);
    Lines.clear();
    for (int i = 0; i < text.Count(); ++i) Lines.push_back(text[i]);
}

void TspSkinData::StoreToDisk(const std::string& Path)
{
    TBitmap* main[MainPictureCount] = {Picture.get(), InActivePicture.get(), Mask.get(), RollUpPicture.get(),
                                       RollUpMask.get()};
    const std::string* names[MainPictureCount] = {&PictureName, &InActivePictureName, &MaskName, &RollUpPictureName,
                                                  &RollUpMaskName};
    // Every file name is checked before the first file is written.
    for (int i = 0; i < MainPictureCount; ++i)
        if (!main[i]->Empty()) CheckName(*names[i]);
    if (ActivePicturesNames->Count() < static_cast<int>(ActivePictures.size()))
        throw ESkinDataError("The skin has more pictures than picture names");
    for (size_t i = 0; i < ActivePictures.size(); ++i) CheckName((*ActivePicturesNames)[static_cast<int>(i)]);
    SaveToFile(Path + "skin.ini");
    for (int i = 0; i < MainPictureCount; ++i) {
        if (main[i]->Empty()) continue;
        TFileStream f(Path + *names[i], fmCreate);
        Skindata::WriteBitmapImage(&f, main[i]);
    }
    for (size_t i = 0; i < ActivePictures.size(); ++i) {
        TFileStream f(Path + (*ActivePicturesNames)[static_cast<int>(i)], fmCreate);
        Skindata::WriteBitmapImage(&f, ActivePictures[i].get());
    }
}

void TspSkinData::SaveToCompressedFile(const std::string& FileName)
{
    TspCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(this);
    stored.SaveToCompressFile(FileName);
}

// The stored skin's writer from a loaded skin lives here, beside the skin data
// it reads, so the stored skin itself builds without the element records.
void TspCompressedStoredSkin::LoadFromSkinData(TspSkinData* SkinData)
{
    TBitmap* main[MainPictureCount] = {SkinData->Picture.get(), SkinData->InActivePicture.get(),
                                       SkinData->Mask.get(), SkinData->RollUpPicture.get(),
                                       SkinData->RollUpMask.get()};
    std::vector<TBitmap*> active;
    for (auto& p : SkinData->ActivePictures) active.push_back(p.get());
    std::vector<std::string> lines;
    SkinData->GetDescriptionLines(lines);
    TMemoryStream plain;
    TspStoredSkinStream::Write(&plain, main, active, lines);
    TMemoryStream packed;
    CompressStream(&plain, &packed);
    packed.SetPosition(0);
    FCompressedStream.Clear();
    FCompressedStream.LoadFromStream(&packed);
}
