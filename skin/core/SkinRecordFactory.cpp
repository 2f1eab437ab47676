#include "SkinRecordFactory.h"
#include <set>

namespace Skindata {

namespace {

typedef std::unique_ptr<TspDataSkinObject> (*TObjectMaker)(const std::string&);
typedef std::unique_ptr<TspDataSkinControl> (*TControlMaker)(const std::string&);

template <class T> std::unique_ptr<TspDataSkinObject> MakeObject(const std::string& Name)
{
    return std::make_unique<T>(Name);
}
template <class T> std::unique_ptr<TspDataSkinControl> MakeControl(const std::string& Name)
{
    return std::make_unique<T>(Name);
}

struct ObjectKind { const char* Word; TObjectMaker Make; };
struct ControlKind { const char* Word; TControlMaker Make; };

const ObjectKind ObjectKinds[] = {
    {"menuitem", MakeObject<TspDataSkinMenuItem>},
    {"mainmenubaritem", MakeObject<TspDataSkinMainMenuBarItem>},
    {"mainmenuitem", MakeObject<TspDataSkinMainMenuItem>},
    {"stdbutton", MakeObject<TspDataSkinStdButton>},
    {"mainmenubarbutton", MakeObject<TspDataSkinMainMenuBarButton>},
    {"button", MakeObject<TspDataSkinButton>},
    {"caption", MakeObject<TspDataSkinCaption>},
    {"trackbar", MakeObject<TspDataSkinTrackBar>},
    {"gauge", MakeObject<TspDataSkinGauge>},
    {"framegauge", MakeObject<TspDataSkinFrameGaugeObject>},
    {"frameregulator", MakeObject<TspDataSkinFrameRegulatorObject>},
    {"label", MakeObject<TspDataSkinLabel>},
    {"bitlabel", MakeObject<TspDataSkinBitLabel>},
    {"switch", MakeObject<TspDataSkinSwitch>},
    {"animate", MakeObject<TspDataSkinAnimate>},
    {"userobject", MakeObject<TspDataUserObject>},
};

const ControlKind ControlKinds[] = {
    {"slider", MakeControl<TspDataSkinSlider>},
    {"bevel", MakeControl<TspDataSkinBevel>},
    {"panel", MakeControl<TspDataSkinPanelControl>},
    {"expanel", MakeControl<TspDataSkinExPanelControl>},
    {"menubutton", MakeControl<TspDataSkinMenuButtonControl>},
    {"button", MakeControl<TspDataSkinButtonControl>},
    {"checkradio", MakeControl<TspDataSkinCheckRadioControl>},
    {"gauge", MakeControl<TspDataSkinGaugeControl>},
    {"splitter", MakeControl<TspDataSkinSplitterControl>},
    {"trackbar", MakeControl<TspDataSkinTrackBarControl>},
    {"label", MakeControl<TspDataSkinLabelControl>},
    {"stdlabel", MakeControl<TspDataSkinStdLabelControl>},
    {"bitlabel", MakeControl<TspDataSkinBitLabelControl>},
    {"frameregulator", MakeControl<TspDataSkinFrameRegulator>},
    {"framegauge", MakeControl<TspDataSkinFrameGauge>},
    {"animate", MakeControl<TspDataSkinAnimateControl>},
    {"updown", MakeControl<TspDataSkinUpDownControl>},
    {"switch", MakeControl<TspDataSkinSwitchControl>},
    {"grid", MakeControl<TspDataSkinGridControl>},
    {"tab", MakeControl<TspDataSkinTabControl>},
    {"mainmenubar", MakeControl<TspDataSkinMainMenuBar>},
    {"controlbar", MakeControl<TspDataSkinControlBar>},
    {"memo", MakeControl<TspDataSkinMemoControl>},
    {"edit", MakeControl<TspDataSkinEditControl>},
    {"checklistbox", MakeControl<TspDataSkinCheckListBox>},
    {"listbox", MakeControl<TspDataSkinListBox>},
    {"combobox", MakeControl<TspDataSkinComboBox>},
    {"scrollbar", MakeControl<TspDataSkinScrollBarControl>},
    {"spinedit", MakeControl<TspDataSkinSpinEditControl>},
    {"scrollbox", MakeControl<TspDataSkinScrollBoxControl>},
    {"treeview", MakeControl<TspDataSkinTreeView>},
    {"listview", MakeControl<TspDataSkinListView>},
    {"richedit", MakeControl<TspDataSkinRichEdit>},
};

// The names already taken, upper-cased as sections are matched; kept in a set so
// a description with very many entries is checked in n log n.
class TNameSet {
public:
    explicit TNameSet(TStringList* Taken) : FTaken(Taken)
    {
        for (int i = 0; i < Taken->GetCount(); ++i) FNames.insert(UpperCase(Taken->Get(i)));
    }
    // Accepts a name unless it is empty, names a top-level section or is taken.
    bool Take(const std::string& Name)
    {
        if (Name.empty() || IsTopLevelSection(Name)) return false;
        if (!FNames.insert(UpperCase(Name)).second) return false;
        FTaken->Add(Name);
        return true;
    }
private:
    TStringList* FTaken;
    std::set<std::string> FNames;
};

} // namespace

const std::vector<std::string>& SkinObjectTypeWords()
{
    static const std::vector<std::string> words = [] {
        std::vector<std::string> w;
        for (const ObjectKind& k : ObjectKinds) w.push_back(k.Word);
        return w;
    }();
    return words;
}

const std::vector<std::string>& SkinControlTypeWords()
{
    static const std::vector<std::string> words = [] {
        std::vector<std::string> w;
        for (const ControlKind& k : ControlKinds) w.push_back(k.Word);
        return w;
    }();
    return words;
}

std::unique_ptr<TspDataSkinObject> CreateSkinObject(const std::string& TypeWord, const std::string& Name)
{
    for (const ObjectKind& k : ObjectKinds)
        if (TypeWord == k.Word) return k.Make(Name);
    return nullptr;
}

std::unique_ptr<TspDataSkinControl> CreateSkinControl(const std::string& TypeWord, const std::string& Name)
{
    for (const ControlKind& k : ControlKinds)
        if (TypeWord == k.Word) return k.Make(Name);
    return nullptr;
}

std::unique_ptr<TspDataSkinObject> CloneSkinObject(TspDataSkinObject* Source)
{
    if (!Source) return nullptr;
    std::unique_ptr<TspDataSkinObject> copy = CreateSkinObject(Source->TypeWord(), Source->IDName);
    if (!copy) return nullptr;
    // The record's own writer and reader carry every field, so the copy cannot miss one.
    TMemIniFile ini;
    Source->SaveToFile(&ini);
    copy->LoadFromFile(&ini);
    return copy;
}

std::unique_ptr<TspDataSkinControl> CloneSkinControl(TspDataSkinControl* Source)
{
    if (!Source) return nullptr;
    std::unique_ptr<TspDataSkinControl> copy = CreateSkinControl(Source->TypeWord(), Source->IDName);
    if (!copy) return nullptr;
    TMemIniFile ini;
    Source->SaveToFile(&ini);
    copy->LoadFromFile(&ini);
    return copy;
}

void ReadObjectRecords(const TCustomIniFile* IniFile, TspSkinObjectRecords& Objects, TStringList* Taken)
{
    TStringList own;
    TNameSet names(Taken ? Taken : &own);
    int n = Sputils::ReadBoundedCount(IniFile, "SKINOBJECTS", "count");
    for (int i = 0; i < n; ++i) {
        std::string name, word;
        GetObjectTypeName(IniFile->ReadString("SKINOBJECTS", IntToStr(i), ""), name, word);
        std::unique_ptr<TspDataSkinObject> rec = CreateSkinObject(word, name);
        if (!rec || !names.Take(name)) continue;
        rec->LoadFromFile(IniFile);
        Objects.push_back(std::move(rec));
    }
}

void ReadControlRecords(const TCustomIniFile* IniFile, TspSkinControlRecords& Controls, TStringList* Taken)
{
    TStringList own;
    TNameSet names(Taken ? Taken : &own);
    int n = Sputils::ReadBoundedCount(IniFile, "SKINCONTROLS", "count");
    for (int i = 0; i < n; ++i) {
        std::string name, word;
        GetObjectTypeName(IniFile->ReadString("SKINCONTROLS", IntToStr(i), ""), name, word);
        std::unique_ptr<TspDataSkinControl> rec = CreateSkinControl(word, name);
        if (!rec || !names.Take(name)) continue;
        rec->LoadFromFile(IniFile);
        Controls.push_back(std::move(rec));
    }
}

void ReadSkinElements(const TCustomIniFile* IniFile, TspSkinObjectRecords& Objects, TspSkinControlRecords& Controls)
{
    TStringList taken;
    ReadObjectRecords(IniFile, Objects, &taken);
    ReadControlRecords(IniFile, Controls, &taken);
}

void WriteObjectRecords(TCustomIniFile* IniFile, const std::vector<TspDataSkinObject*>& Objects)
{
    IniFile->EraseSection("SKINOBJECTS");
    IniFile->WriteInteger("SKINOBJECTS", "count", static_cast<int>(Objects.size()));
    for (size_t i = 0; i < Objects.size(); ++i) {
        IniFile->WriteString("SKINOBJECTS", IntToStr(i), Objects[i]->IDName + ":" + Objects[i]->TypeWord());
        Objects[i]->SaveToFile(IniFile);
    }
}

void WriteControlRecords(TCustomIniFile* IniFile, const std::vector<TspDataSkinControl*>& Controls)
{
    IniFile->EraseSection("SKINCONTROLS");
    IniFile->WriteInteger("SKINCONTROLS", "count", static_cast<int>(Controls.size()));
    for (size_t i = 0; i < Controls.size(); ++i) {
        IniFile->WriteString("SKINCONTROLS", IntToStr(i), Controls[i]->IDName + ":" + Controls[i]->TypeWord());
        Controls[i]->SaveToFile(IniFile);
    }
}

} // namespace Skindata
