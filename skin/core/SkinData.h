// TspSkinData: the component that holds one loaded skin (pictures, frame
// description, popup and hint looks, element records), loads it from the three
// forms of a skin, saves it to each, and tells every open form when it changes.
#pragma once
#include "CompressedStoredSkin.h"
#include "SkinRecordFactory.h"
#include "SkinBudget.h"
#include "SkinSections.h"
#include <memory>
#include <string>
#include <vector>
#include "SkinDataLink.h"

// Private window messages of the skin library.
constexpr UINT WM_BEFORECHANGESKINDATA = 0x4C9;
constexpr UINT WM_CHANGESKINDATA = 0x4CA;
constexpr UINT WM_AFTERCHANGESKINDATA = 0x4CB;
constexpr UINT WM_CLOSESKINMENU = 0x4CC;
constexpr UINT WM_AFTERDISPATCH = 0x4CD;
constexpr UINT WM_MDICHILDRESIZE = 0x4CE;
constexpr UINT WM_MDICHILDMAX = 0x4CF;
constexpr UINT WM_MDICHILDRESTORE = 0x4D0;
// lParam of the skin-change messages.
constexpr LPARAM SkinDataMessageParam = 1000;

// Everything one loaded skin consists of. A load fills a fresh set and swaps it
// in only when the whole skin decoded, so a bad skin never replaces a good one.
// Its [FORMINFO] fields are its own, read as skin data's members.
struct TspSkinContent : TspDataSkinFormInfo {
    TspSkinContent();

    int StartCursorIndex = 1;
    std::unique_ptr<TspDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TspDataSkinHintWindow> HintWindow;
    bool Empty = true;
    std::unique_ptr<TBitmap> Picture, InActivePicture, Mask, RollUpPicture, RollUpMask;
    // Every "...pictureindex" of the skin indexes this list; -1 is none.
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;
    std::string PictureName, InActivePictureName, MaskName, RollUpPictureName, RollUpMaskName;
    std::unique_ptr<TStringList> ActivePicturesNames;
    std::unique_ptr<TStringList> CursorsNames;
    Skindata::TspSkinObjectRecords ObjectList;
    std::vector<std::unique_ptr<TspDataSkinArea>> AreaList;
    Skindata::TspSkinControlRecords CtrlList;
    // [VERSION].
    std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;
};

class TspSkinData : public TComponent, public TspSkinContent {
public:
    explicit TspSkinData(TComponent* AOwner);
    ~TspSkinData() override;

    TspCompressedStoredSkin* GetCompressedStoredSkin() const { return FCompressedStoredSkin; }
    // Loads the stored skin at once (outside the designer) when not null.
    void SetCompressedStoredSkin(TspCompressedStoredSkin* Value);

    // Loads. Each load that starts sends WM_BEFORECHANGESKINDATA and, whether the
    // new skin is then in place or not, WM_CHANGESKINDATA and
    // WM_AFTERCHANGESKINDATA. The current skin is replaced only by a skin that
    // decoded whole: a refused description returns false and an error is raised
    // to the caller after the bracket closed, with the current skin kept.
    bool LoadFromFile(const std::string& FileName);
    // False, and no message, for a version above 3. A file that cannot be read or
    // holds a bad header or block raises before any message.
    bool LoadFromCompressedFile(const std::string& FileName);
    // False, and no message, for a null or empty stored skin.
    bool LoadCompressedStoredSkin(TspCompressedStoredSkin* AStoredSkin);
    // Warns the forms, frees the skin, then tells them it is gone.
    void ClearSkin();

    // Saves.
    void SaveToCustomIniFile(TCustomIniFile* IniFile);
    void SaveToFile(const std::string& FileName);
    // Folder path ending with its separator: "skin.ini" and the pictures as BMP.
    // Picture names that would leave the folder, or missing names, raise before
    // anything is written.
    void StoreToDisk(const std::string& Path);
    void SaveToCompressedFile(const std::string& FileName);

    // Lookups: the first record whose IDName is Name, byte for byte; -1 when none.
    int GetIndex(const std::string& Name) const;
    int GetControlIndex(const std::string& Name) const;
    int GetAreaIndex(const std::string& Name) const;
    // What a skinned control finds: its element's index (-1 while no skin is in
    // place or none is named so), and the record at an index (null outside the list).
    int FindControlElement(const std::string& Name) const { return Empty ? -1 : GetControlIndex(Name); }
    TspDataSkinControl* ControlRecord(int Index) const;

    void ClearObjects();
    void ClearAll();
    void AddBitMap(const std::string& FileName);
    void DeleteBitMap(int Index);
    void AddSkinArea(const std::string& Name, const TRect& R);
    static void GetObjectTypeName(const std::string& S, std::string& AName, std::string& AType)
    {
        Skindata::GetObjectTypeName(S, AName, AType);
    }
    static void GetAreaNameRect(const std::string& S, std::string& AName, TRect& ARect)
    {
        Skindata::GetAreaNameRect(S, AName, ARect);
    }

    void ReadFormInfo(const TCustomIniFile* IniFile);
    void WriteFormInfo(TCustomIniFile* IniFile);
    void ReadAreas(const TCustomIniFile* IniFile);
    void WriteAreas(TCustomIniFile* IniFile);
    void ReadObjects(const TCustomIniFile* IniFile);
    void WriteObjects(TCustomIniFile* IniFile);
    void ReadCtrls(const TCustomIniFile* IniFile);
    void WriteCtrls(TCustomIniFile* IniFile);
    // Reads the names and loads each picture from Folder (JPEG by name, else BMP),
    // within Budget (a budget of its own when null).
    void ReadActivePictures(const TCustomIniFile* IniFile, const std::string& Folder,
                            Skindata::TSkinBudget* Budget = nullptr);
    void WriteActivePictures(TCustomIniFile* IniFile);
    // Reads [CURSORS]; the cursor files go into the screen's cursor table once
    // the skin is taken. Too many cursors, or slots past 16-bit positive numbers, raise.
    void ReadCursors(const TCustomIniFile* IniFile, const std::string& Folder);
    void WriteCursors(TCustomIniFile* IniFile);

    // Sends Msg to the owner form, then to every other form of the screen.
    void SendSkinDataMessage(UINT Msg);

    // The description as lines, as a stored skin carries it.
    void GetDescriptionLines(std::vector<std::string>& Lines);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TspCompressedStoredSkin;
    // Decoding into this (fresh) object; no message is sent from here.
    bool DecodeFile(const std::string& FileName);
    bool DecodeStoredSkin(TspCompressedStoredSkin* AStoredSkin);
    void ReadDescription(const TCustomIniFile* IniFile);
    void ReadVersion(const TCustomIniFile* IniFile);
    // Names of the main pictures. In a folder skin they are file names and must
    // stay in the folder; inside a stored skin they are only labels.
    void ReadPictureNames(const TCustomIniFile* IniFile, bool FileNames);
    // Takes over Fresh's skin; Fresh gets the old one (freed with it).
    void AdoptSkin(TspSkinData& Fresh);
    void InstallCursors();
    // Runs Decode between the opening and closing messages; the decoded skin
    // replaces the current one only when Decode returns true.
    template <class F> bool LoadBracketed(F Decode);

    TspComponentLink<TspCompressedStoredSkin> FCompressedStoredSkin{this};
    std::string FCursorFolder;       // where a decoded folder skin's cursors are
};
