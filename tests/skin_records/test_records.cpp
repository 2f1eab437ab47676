// Every record kind: the keys it writes and their order, a write/read round trip
// of distinct non-default values (negative coordinates included), the defaults of
// missing keys, and the few rules each kind applies while reading.
#include "test_gtest.h"
#include <cstring>
#include <map>
#include "SkinData.h"
#include "SkinRecordFactory.h"

namespace {

// Gives every visited field a distinct value that differs from its default.
class FillVisitor : public TspSkinFieldVisitor {
public:
    explicit FillVisitor(int Seed) : n(Seed) {}
    void Int(const char*, int& v, int) override { v = 1000 + 7 * ++n; }
    void PictureIndex(const char*, int& v) override { v = ++n % 9; }
    void Bool(const char*, bool& v) override { v = true; }
    void Str(const char*, std::string& v, const char*) override { v = "text " + IntToStr(++n); }
    void Rect(const char*, TRect& v) override
    {
        ++n;
        v = TRect(-n, -2 * n, -n + 5 + n % 7, 3 + n);
    }
    void Point(const char*, TPoint& v) override { ++n; v = TPoint(-n, n + 1); }
    void FontStyles(const char*, TFontStyles& v) override { v = static_cast<TFontStyles>(++n % 15 + 1); }
    void Alignment(const char*, TAlignment& v) override { v = ++n % 2 ? taLeftJustify : taRightJustify; }
    void MorphKind(const char*, TMorphKind& v) override { v = static_cast<TMorphKind>(++n % 6 + 1); }
    void StdCommand(const char*, TStdCommand& v) override
    {
        static const TStdCommand others[] = {cmClose, cmMaximize, cmMinimize, cmSysMenu, cmRollUp, cmMinimizeToTray};
        v = others[++n % 6];
    }
    void FramesPlacement(const char*, TFramesPlacement& v) override { v = fpVertical; }
    void RegulatorKind(const char*, TRegulatorKind& v) override { v = ++n % 2 ? rkHorizontal : rkVertical; }
    void GaugeKind(const char*, TGaugeKind& v) override { v = gkVertical; }
    void InActiveEffect(const char*, TspInActiveEffect& v) override
    {
        v = static_cast<TspInActiveEffect>(++n % 5 + 1);
    }
    void Lines(const char*, TStringList& v) override
    {
        v.Clear();
        v.Add("ABC" + IntToStr(++n));
        v.Add("");
        v.Add("xyz");
    }
private:
    int n;
};

// Collects every field as "key=value" text, in visiting order.
class CollectVisitor : public TspSkinFieldVisitor {
public:
    std::vector<std::string> Items;
    void Int(const char* k, int& v, int) override { Add(k, IntToStr(v)); }
    void Bool(const char* k, bool& v) override { Add(k, v ? "true" : "false"); }
    void Str(const char* k, std::string& v, const char*) override { Add(k, "'" + v + "'"); }
    void Rect(const char* k, TRect& v) override { Add(k, Sputils::SetRect(v)); }
    void Point(const char* k, TPoint& v) override { Add(k, IntToStr(v.x) + "," + IntToStr(v.y)); }
    void FontStyles(const char* k, TFontStyles& v) override { Add(k, IntToStr(v)); }
    void Alignment(const char* k, TAlignment& v) override { Add(k, IntToStr(v)); }
    void MorphKind(const char* k, TMorphKind& v) override { Add(k, IntToStr(v)); }
    void StdCommand(const char* k, TStdCommand& v) override { Add(k, IntToStr(v)); }
    void FramesPlacement(const char* k, TFramesPlacement& v) override { Add(k, IntToStr(v)); }
    void RegulatorKind(const char* k, TRegulatorKind& v) override { Add(k, IntToStr(v)); }
    void GaugeKind(const char* k, TGaugeKind& v) override { Add(k, IntToStr(v)); }
    void InActiveEffect(const char* k, TspInActiveEffect& v) override { Add(k, IntToStr(v)); }
    void Lines(const char* k, TStringList& v) override { Add(k, v.GetCommaText()); }
private:
    void Add(const char* k, const std::string& v) { Items.push_back(std::string(k) + "=" + v); }
};

template <class R> std::vector<std::string> Collect(R* rec)
{
    CollectVisitor c;
    rec->VisitFields(c);
    return c.Items;
}

std::vector<std::string> Split(const std::string& s)
{
    std::vector<std::string> r;
    size_t start = 0;
    while (start <= s.size()) {
        size_t p = s.find(',', start);
        if (p == std::string::npos) p = s.size();
        if (p > start) r.push_back(s.substr(start, p - start));
        start = p + 1;
    }
    return r;
}

std::vector<std::string> WrittenKeys(TCustomIniFile* ini, const std::string& section)
{
    TStringList keys;
    ini->ReadSection(section, &keys);
    std::vector<std::string> r;
    for (int i = 0; i < keys.GetCount(); ++i) r.push_back(keys[i]);
    return r;
}

// The keys of each kind in the order its writer writes them, as the description
// format lists them.
const std::string ObjBase =
    "hint,rollup,activepictureindex,skinrectinapicture,cursorindex,skinrect,activeskinrect,inactiveskinrect,"
    "morphing,morphkind,";
const std::string CtlBase = "pictureindex,maskpictureindex,cursorindex,skinrect,";
const std::string Custom = CtlBase + "lefttoppoint,righttoppoint,leftbottompoint,rightbottompoint,clientrect,";
const std::string ButtonKeys = "fontname,fontheight,fontstyle,fontcolor,activefontcolor,downfontcolor,"
                               "disabledfontcolor,morphing,morphkind,activeskinrect,downskinrect,disabledskinrect,";
const std::string EditKeys = "activeskinrect,fontname,fontheight,fontstyle,fontcolor,activefontcolor,"
                             "disabledfontcolor,buttonrect,activebuttonrect,downbuttonrect,unenabledbuttonrect,";
const std::string ListKeys =
    "itemrect,activeitemrect,focusitemrect,itemleftoffset,itemrightoffset,itemtextrect,fontname,fontheight,"
    "fontstyle,fontcolor,activefontcolor,focusfontcolor,captionrect,captionfontname,captionfontheight,"
    "captionfontstyle,captionfontcolor,upbuttonrect,activeupbuttonrect,downupbuttonrect,downbuttonrect,"
    "activedownbuttonrect,downdownbuttonrect,checkbuttonrect,activecheckbuttonrect,downcheckbuttonrect,"
    "vscrollbarname,hscrollbarname,bothhscrollbarname,";
const std::string ViewKeys = CtlBase + "fontname,fontheight,fontstyle,fontcolor,bgcolor";
const std::string UpDownButtons = "upbuttonrect,activeupbuttonrect,downupbuttonrect,downbuttonrect,"
                                  "activedownbuttonrect,downdownbuttonrect,";

struct KindKeys { const char* Word; std::string Keys; };

const std::vector<KindKeys>& ObjectKeyTable()
{
    static const std::vector<KindKeys> t = {
        {"userobject", "rollup,skinrect,cursorindex"},
        {"switch", ObjBase},
        {"button", ObjBase + "downrect,disableskinrsect,groupindex"},
        {"stdbutton",
         ObjBase + "downrect,disableskinrsect,groupindex,command,restorerect,restoreactiverect,restoredownrect"},
        {"mainmenubarbutton",
         ObjBase + "downrect,disableskinrsect,groupindex,command,restorerect,restoreactiverect,restoredownrect"},
        {"caption", ObjBase + "defaultcaption,textrect,fontname,fontheight,fontstyle,fontcolor,activefontcolor,"
                              "alignment,shadow,shadowcolor,activeshadowcolor,framerect,activeframerect,"
                              "frametextrect,frameleftoffset,framerightoffset"},
        {"menuitem", ObjBase + "itemleftoffset,itemrightoffset,dividerrect,dividerleftoffset,dividerrightoffset,"
                               "textrect,fontname,fontheight,fontstyle,fontcolor,activefontcolor,unenabledfontcolor"},
        {"mainmenuitem", ObjBase + "itemleftoffset,itemrightoffset,downrect,textrect,fontname,fontheight,fontstyle,"
                                   "fontcolor,activefontcolor,downfontcolor,unenabledfontColor"},
        {"mainmenubaritem", ObjBase + "itemleftoffset,itemrightoffset,downrect,textrect,fontname,fontheight,"
                                      "fontstyle,fontcolor,activefontcolor,downfontcolor,unenabledfontColor"},
        {"trackbar",
         ObjBase + "buttonrect,activebuttonrect,beginpoint,endpoint,minvalue,maxvalue,mousedownchangevalue"},
        {"gauge", ObjBase + "minvalue,maxvalue,kind"},
        {"framegauge", ObjBase + "minvalue,maxvalue,countframes,framesplacement"},
        {"frameregulator", ObjBase + "minvalue,maxvalue,countframes,framesplacement,kind"},
        {"label", ObjBase + "fontname,fontheight,fontstyle,fontcolor,activefontcolor,alignment,textvalue"},
        {"bitlabel",
         ObjBase + "textvalue,symbolwidth,symbolheight,symbolslinecount,symbolsline0,symbolsline1,symbolsline2"},
        {"animate", ObjBase + "countframes,cycle,buttonstyle,timerinterval,command"},
    };
    return t;
}

const std::vector<KindKeys>& ControlKeyTable()
{
    static const std::vector<KindKeys> t = {
        {"slider", CtlBase + "bgcolor,hrulerrect,hthumbrect,vrulerrect,vthumbrect,edgesize,pointscolor"},
        {"bevel", CtlBase + "lightcolor,darkcolor"},
        {"panel", Custom + "bgpictureindex,captionrect,alignment,fontname,fontheight,fontstyle,fontcolor,"
                           "checkimagerect,uncheckimagerect"},
        {"expanel", Custom + "rollhskinrect,rollvskinrect,rollleftoffset,rollrightoffset,rolltopoffset,"
                             "rollbottomoffset,rollvcaptionrect,rollhcaptionrect,closebuttonrect,"
                             "closebuttonactiverect,closebuttondownrect,hrollbuttonrect,hrollbuttonactiverect,"
                             "hrollbuttondownrect,hrestorebuttonrect,hrestorebuttonactiverect,"
                             "hrestorebuttondownrect,vrollbuttonrect,vrollbuttonactiverect,vrollbuttondownrect,"
                             "vrestorebuttonrect,vrestorebuttonactiverect,vrestorebuttondownrect,captionrect,"
                             "fontname,fontheight,fontstyle,fontcolor"},
        {"menubutton", Custom + ButtonKeys + "trackbuttonrect"},
        {"button", Custom + ButtonKeys},
        {"checkradio", Custom + "fontname,fontheight,fontstyle,fontcolor,activefontcolor,unenabledfontcolor,"
                                "framefontcolor,morphing,morphkind,activeskinrect,checkimagearea,textarea,"
                                "checkimagerect,uncheckimagerect,activecheckimagerect,activeuncheckimagerect,"
                                "unenabledcheckimagerect,unenableduncheckimagerect"},
        {"gauge", Custom + "progressarea,progressrect,beginoffset,endoffset,vertical,fontname,fontheight,"
                           "fontstyle,fontcolor"},
        {"splitter", Custom},
        {"trackbar", Custom + "trackarea,buttonrect,activebuttonrect,vertical"},
        {"label", Custom + "fontname,fontheight,fontstyle,fontcolor"},
        {"stdlabel", CtlBase + "fontname,fontheight,fontstyle,fontcolor,activefontcolor"},
        {"bitlabel",
         Custom + "skintextrect,symbolwidth,symbolheight,symbolslinecount,symbolsline0,symbolsline1,symbolsline2"},
        {"frameregulator", CtlBase + "framescount,framesplacement,kind"},
        {"framegauge", CtlBase + "framescount,framesplacement"},
        {"animate", CtlBase + "framescount,framesplacement"},
        {"updown", Custom + UpDownButtons},
        {"switch", CtlBase + "framescount,framesplacement"},
        {"grid", CtlBase + "fixedcellrect,selectcellrect,focuscellrect,fixedcellleftoffset,fixedcellrightoffset,"
                           "fixedcelltextrect,cellleftoffset,cellrightoffset,celltextrect,linescolor,bgcolor,"
                           "bgpictureindex,fontname,fontheight,fontstyle,fontcolor,selectfontcolor,focusfontcolor,"
                           "fixedfontname,fixedfontheight,fixedfontstyle,fixedfontcolor"},
        {"tab", CtlBase + "tabrect,activetabrect,focustabrect,mouseintabrect,clientrect,bgpictureindex,"
                          "lefttoppoint,righttoppoint,leftbottompoint,rightbottompoint,tableftoffset,"
                          "tabrightoffset,tabsbgrect,fontname,fontheight,fontstyle,fontcolor,activefontcolor,"
                          "focusfontcolor,mouseinfontcolor,updown"},
        {"mainmenubar", CtlBase + "itemsrect,menubaritem,closebutton,minbutton,maxbutton,sysmenubutton,"
                                  "trackmarkcolor,trackmarkactivecolor"},
        {"controlbar", Custom + "itemrect,bgpictureindex"},
        {"memo", Custom + EditKeys + "bgcolor,activebgcolor"},
        {"edit", Custom + EditKeys},
        {"checklistbox", Custom + ListKeys + "itemcheckrect,uncheckimagerect,checkimagerect"},
        {"listbox", Custom + ListKeys},
        {"combobox", Custom + "itemrect,focusitemrect,itemleftoffset,itemrightoffset,itemtextrect,fontname,"
                              "fontheight,fontstyle,fontcolor,focusfontcolor,buttonrect,activebuttonrect,"
                              "downbuttonrect,unenabledbuttonrect,listboxname"},
        {"scrollbar", Custom + "trackarea," + UpDownButtons +
                          "thumbrect,activethumbrect,downthumbrect,"
                          "thumboffset1,thumboffset2,glyphrect,activeglyphrect,downglyphrect"},
        {"spinedit", Custom +
                         "activeskinrect,fontname,fontheight,fontstyle,fontcolor,activefontcolor,"
                         "disabledfontcolor," +
                         UpDownButtons},
        {"scrollbox", Custom + "bgpictureindex"},
        {"treeview", ViewKeys},
        {"listview", ViewKeys},
        {"richedit", ViewKeys},
    };
    return t;
}

TEST(SkinRecords, EveryTypeWordHasAKeyTable)
{
    EXPECT_EQ(Skindata::SkinObjectTypeWords().size(), 16u);
    EXPECT_EQ(Skindata::SkinControlTypeWords().size(), 33u);
    EXPECT_EQ(ObjectKeyTable().size(), 16u);
    EXPECT_EQ(ControlKeyTable().size(), 33u);
    for (const KindKeys& k : ObjectKeyTable()) {
        std::unique_ptr<TspDataSkinObject> r(Skindata::CreateSkinObject(k.Word, "x"));
        ASSERT_TRUE(r) << k.Word;
        EXPECT_STREQ(r->TypeWord(), k.Word);
    }
    for (const KindKeys& k : ControlKeyTable()) {
        std::unique_ptr<TspDataSkinControl> r(Skindata::CreateSkinControl(k.Word, "x"));
        ASSERT_TRUE(r) << k.Word;
        EXPECT_STREQ(r->TypeWord(), k.Word);
    }
    EXPECT_EQ(Skindata::CreateSkinControl("Panel", "x"), nullptr);
    EXPECT_EQ(Skindata::CreateSkinObject("", "x"), nullptr);
    EXPECT_EQ(Skindata::CreateSkinObject("edit", "x"), nullptr);
}

// Fill, save, load into a fresh record of the same kind; the written keys are the
// table's, in its order, and the loaded record holds every value filled in.
template <class R, class Make, class Fix>
void RoundTrip(const KindKeys& k, Make make, Fix fixAfterSave)
{
    SCOPED_TRACE(k.Word);
    std::unique_ptr<R> src(make(k.Word, "Elem"));
    FillVisitor fill(static_cast<int>(k.Keys.size()));
    src->VisitFields(fill);
    TMemIniFile ini;
    ini.WriteString("Elem", "stale", "erased by the writer");
    ini.WriteString("Other", "kept", "1");
    src->SaveToFile(&ini);
    EXPECT_EQ(WrittenKeys(&ini, "Elem"), Split(k.Keys));
    EXPECT_EQ(ini.ReadString("Other", "kept", ""), "1");

    // Through the text as well: the description is stored as text.
    TMemIniFile again;
    again.SetText(ini.GetText());
    std::unique_ptr<R> dst(make(k.Word, "Elem"));
    dst->LoadFromFile(&again);
    fixAfterSave(src.get());
    EXPECT_EQ(Collect(dst.get()), Collect(src.get()));

    // And the record differs from a default one in every field it reads.
    std::unique_ptr<R> fresh(make(k.Word, "Elem"));
    TMemIniFile empty;
    fresh->LoadFromFile(&empty);
    std::vector<std::string> a = Collect(dst.get()), b = Collect(fresh.get());
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] == b[i] && a[i] != "morphing=false") ADD_FAILURE() << "round trip kept a default: " << a[i];
}

TEST(SkinRecords, ObjectsWriteTheirKeysInOrderAndReadBackEveryValue)
{
    for (const KindKeys& k : ObjectKeyTable())
        RoundTrip<TspDataSkinObject>(k, Skindata::CreateSkinObject, [&](TspDataSkinObject* s) {
            // These kinds hold morphing off whatever the section says.
            std::string w = s->TypeWord();
            if (w == "trackbar" || w == "bitlabel" || w == "animate") s->Morphing = false;
        });
}

TEST(SkinRecords, ControlsWriteTheirKeysInOrderAndReadBackEveryValue)
{
    for (const KindKeys& k : ControlKeyTable()) {
        if (std::string(k.Word) == "updown") continue;   // its resize model is always zero: below
        RoundTrip<TspDataSkinControl>(k, Skindata::CreateSkinControl, [](TspDataSkinControl*) {});
    }
}

// The text each key reads as when the section is empty, written back by the record.
std::string ExpectedDefault(const std::string& word, const std::string& key, bool control)
{
    static const std::map<std::string, std::string> fixed = {
        {"hint", ""}, {"textvalue", ""}, {"updown", ""}, {"listboxname", ""}, {"menubaritem", ""},
        {"closebutton", ""}, {"minbutton", ""}, {"maxbutton", ""}, {"sysmenubutton", ""},
        {"vscrollbarname", "vscrollbar"}, {"hscrollbarname", "hscrollbar"},
        {"bothhscrollbarname", "bothhscrollbar"}, {"alignment", "tacenter"}, {"morphkind", "mkdefault"},
        {"command", "cmdefault"}, {"framesplacement", "fphorizontal"}, {"timerinterval", "50"},
        {"framescount", "1"}, {"groupindex", "-1"}, {"cursorindex", "-1"}, {"symbolslinecount", "0"},
    };
    if (key == "kind") return word == "gauge" ? "gkhorizontal" : "rkround";
    if (key == "countframes") return word == "animate" ? "1" : "0";
    if (key == "activefontcolor" && control && word == "stdlabel") return "16711680";
    auto it = fixed.find(key);
    if (it != fixed.end()) return it->second;
    auto ends = [&key](const char* tail) {
        size_t n = strlen(tail);
        return key.size() >= n && key.compare(key.size() - n, n, tail) == 0;
    };
    if (ends("fontname")) return "Arial";
    if (ends("fontheight")) return "14";
    if (ends("fontstyle")) return "";
    if (ends("pictureindex")) return "-1";
    if (ends("point")) return "0,0";
    if (ends("rect") || ends("area") || ends("rsect")) return "0,0,0,0";
    return "0";   // integers, colours and flags
}

// Uncompressed skins are written and read through the profile functions on disk:
// every kind survives that road as well, into a file that did not exist.
TEST(SkinRecords, EveryKindRoundTripsThroughADiskFile)
{
    std::string fn = GetCurrentDir() + "\\records_disk.ini";
    DeleteFile(fn);
    {
        TIniFile disk(fn);
        std::vector<std::unique_ptr<TspDataSkinObject>> objs;
        std::vector<std::unique_ptr<TspDataSkinControl>> ctrls;
        int seed = 1;
        for (const std::string& w : Skindata::SkinObjectTypeWords()) {
            objs.emplace_back(Skindata::CreateSkinObject(w, "o_" + w));
            FillVisitor fill(seed += 100);
            objs.back()->VisitFields(fill);
            objs.back()->SaveToFile(&disk);
            if (w == "trackbar" || w == "bitlabel" || w == "animate") objs.back()->Morphing = false;
        }
        for (const std::string& w : Skindata::SkinControlTypeWords()) {
            ctrls.emplace_back(Skindata::CreateSkinControl(w, "c_" + w));
            FillVisitor fill(seed += 100);
            ctrls.back()->VisitFields(fill);
            ctrls.back()->SaveToFile(&disk);
        }
        disk.UpdateFile();
        TIniFile again(fn);
        for (auto& o : objs) {
            std::unique_ptr<TspDataSkinObject> r(Skindata::CreateSkinObject(o->TypeWord(), o->IDName));
            r->LoadFromFile(&again);
            EXPECT_EQ(Collect(r.get()), Collect(o.get())) << o->TypeWord();
        }
        for (auto& c : ctrls) {
            std::unique_ptr<TspDataSkinControl> r(Skindata::CreateSkinControl(c->TypeWord(), c->IDName));
            r->LoadFromFile(&again);
            EXPECT_EQ(Collect(r.get()), Collect(c.get())) << c->TypeWord();
        }
    }
    DeleteFile(fn);
}

TEST(SkinRecords, MissingKeysReadAsTheirDefaults)
{
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<KindKeys>& table = pass == 0 ? ObjectKeyTable() : ControlKeyTable();
        for (const KindKeys& k : table) {
            SCOPED_TRACE(k.Word);
            TMemIniFile empty, out;
            if (pass == 0) {
                std::unique_ptr<TspDataSkinObject> r(Skindata::CreateSkinObject(k.Word, "E"));
                r->LoadFromFile(&empty);
                r->SaveToFile(&out);
            } else {
                std::unique_ptr<TspDataSkinControl> r(Skindata::CreateSkinControl(k.Word, "E"));
                r->LoadFromFile(&empty);
                r->SaveToFile(&out);
            }
            for (const std::string& key : WrittenKeys(&out, "E"))
                EXPECT_EQ(out.ReadString("E", key, "<absent>"), ExpectedDefault(k.Word, key, pass == 1)) << key;
        }
    }
}

TEST(SkinRecords, MorphingIsOffForTrackBarsBitLabelsAndAnimations)
{
    for (const char* word : {"trackbar", "bitlabel", "animate", "button"}) {
        TMemIniFile ini;
        ini.WriteString("E", "morphing", "1");
        std::unique_ptr<TspDataSkinObject> r(Skindata::CreateSkinObject(word, "E"));
        r->LoadFromFile(&ini);
        bool expectOn = std::string(word) == "button";
        EXPECT_EQ(r->Morphing, expectOn) << word;
        TMemIniFile out;
        r->SaveToFile(&out);
        EXPECT_EQ(out.ReadString("E", "morphing", ""), expectOn ? "1" : "0") << word;
    }
}

TEST(SkinRecords, UserObjectReadsAndWritesOnlyItsThreeKeys)
{
    TMemIniFile ini;
    ini.SetText("[U]\nhint=ignored\nactivepictureindex=3\nskinrect=-1,2,30,40\nrollup=1\ncursorindex=2\n");
    TspDataUserObject u("U");
    u.LoadFromFile(&ini);
    EXPECT_EQ(u.Hint, "");
    EXPECT_EQ(u.ActivePictureIndex, -1);
    EXPECT_EQ(u.SkinRect, TRect(-1, 2, 30, 40));
    EXPECT_TRUE(u.RollUp);
    EXPECT_EQ(u.CursorIndex, 2);
    u.SaveToFile(&ini);
    EXPECT_EQ(WrittenKeys(&ini, "U"), Split("rollup,skinrect,cursorindex"));
}

TEST(SkinRecords, KindSpecificReadingRules)
{
    TMemIniFile ini;
    ini.SetText("[anim]\nframescount=0\n[neg]\nframescount=-4\n[reg]\nkind=rkRound\n"
                "[ud]\nlefttoppoint=3,4\nclientrect=1,2,3,4\nupbuttonrect=0,0,5,5\n"
                "[std]\nfontcolor=5\n[mmi]\nunenabledfontcolor=77\n[lab]\nfontName=Tahoma\n"
                "[sb]\ncommand=cmMinimize\n[pic]\npictureindex=-9\nmaskpictureindex=12\n");
    TspDataSkinAnimateControl anim("anim");
    anim.LoadFromFile(&ini);
    EXPECT_EQ(anim.FramesCount, 1);
    TspDataSkinSwitchControl neg("neg");
    neg.LoadFromFile(&ini);
    EXPECT_EQ(neg.FramesCount, 1);
    TspDataSkinFrameRegulator reg("reg");
    reg.LoadFromFile(&ini);
    EXPECT_EQ(reg.Kind, rkVertical);

    TspDataSkinUpDownControl ud("ud");
    ud.LoadFromFile(&ini);
    EXPECT_EQ(ud.LeftTopPoint, TPoint(0, 0));
    EXPECT_EQ(ud.ClientRect, TRect());
    EXPECT_EQ(ud.UpButtonLooks[lsNormal], TRect(0, 0, 5, 5));
    ud.ClientRect = TRect(1, 1, 9, 9);   // a user changed its copy
    ud.SaveToFile(&ini);
    EXPECT_EQ(ini.ReadString("ud", "lefttoppoint", ""), "0,0");
    EXPECT_EQ(ini.ReadString("ud", "clientrect", ""), "0,0,0,0");
    EXPECT_EQ(WrittenKeys(&ini, "ud"), Split(Custom + UpDownButtons));

    TspDataSkinStdLabelControl std("std");
    std.LoadFromFile(&ini);
    EXPECT_EQ(std.Font.Color, 5);
    EXPECT_EQ(std.ActiveFontColor, 16711680);

    TspDataSkinMainMenuItem mmi("mmi");
    mmi.LoadFromFile(&ini);
    EXPECT_EQ(mmi.UnEnabledFontColor, 77);

    TspDataSkinLabel lab("lab");
    lab.LoadFromFile(&ini);
    EXPECT_EQ(lab.Font.Name, "Tahoma");
    TMemIniFile out;
    lab.SaveToFile(&out);
    EXPECT_EQ(out.ReadString("lab", "fontname", ""), "Tahoma");

    TspDataSkinStdButton sb("sb");
    sb.LoadFromFile(&ini);
    EXPECT_EQ(sb.Command, cmMinimizeToTray);
    TspDataSkinStdButton none("none");
    none.LoadFromFile(&ini);
    EXPECT_EQ(none.Command, cmDefault);

    // Picture indexes below -1 mean none; the upper bound is the user's test.
    TspDataSkinButtonControl pic("pic");
    pic.LoadFromFile(&ini);
    EXPECT_EQ(pic.PictureIndex, -1);
    EXPECT_EQ(pic.MaskPictureIndex, 12);

    TspDataSkinTreeView tv("tv");
    tv.LoadFromFile(&ini);
    EXPECT_EQ(tv.BGColor, 0);
    TspDataSkinListBox lb("lb");
    lb.LoadFromFile(&ini);
    EXPECT_EQ(lb.VScrollBarName, "vscrollbar");
    EXPECT_EQ(lb.BothHScrollBarName, "bothhscrollbar");
}

TEST(SkinRecords, MalformedRectangleStopsTheRead)
{
    TMemIniFile ini;
    ini.SetText("[b]\nskinrect=1,2,3\n[p]\nlefttoppoint=5\n");
    TspDataSkinButtonControl b("b");
    EXPECT_THROW(b.LoadFromFile(&ini), EConvertError);
    TspDataSkinPanelControl p("p");
    EXPECT_THROW(p.LoadFromFile(&ini), EConvertError);
}

TEST(SkinRecords, LoadingTwiceDoesNotDoubleTheSymbolList)
{
    TMemIniFile ini;
    ini.SetText("[bl]\nsymbolslinecount=2\nsymbolsline0=0123\nsymbolsline1=4567\n");
    TspDataSkinBitLabelControl bl("bl");
    bl.LoadFromFile(&ini);
    bl.LoadFromFile(&ini);
    EXPECT_EQ(bl.SkinTextSymbols.GetCommaText(), "0123,4567");
}

TEST(SkinRecords, PopupAndHintWindows)
{
    TspDataSkinPopupWindow pw;
    TspDataSkinHintWindow hw;
    EXPECT_EQ(pw.WindowPictureIndex, -1);
    EXPECT_EQ(hw.Font.Height, 12);   // before any skin
    EXPECT_EQ(hw.Font.Name, "Arial");
    TMemIniFile empty;
    hw.LoadFromFile(&empty);
    EXPECT_EQ(hw.Font.Height, 14);

    FillVisitor fill(3);
    pw.VisitFields(fill);
    hw.VisitFields(fill);
    TMemIniFile ini;
    ini.WriteString("POPUPWINDOW", "stale", "x");
    pw.SaveToFile(&ini);
    hw.SaveToFile(&ini);
    EXPECT_EQ(WrittenKeys(&ini, "POPUPWINDOW"),
              Split("windowpictureindex,maskpictureindex,lefttoppoint,righttoppoint,leftbottompoint,"
                    "rightbottompoint,itemsrect,cursorindex,scrollmarkercolor,scrollmarkeractivecolor,"
                    "leftstretch,rightstretch,topstretch,bottomstretch"));
    EXPECT_EQ(WrittenKeys(&ini, "HINTWINDOW"),
              Split("windowpictureindex,maskpictureindex,lefttoppoint,righttoppoint,leftbottompoint,"
                    "rightbottompoint,clientrect,fontname,fontheight,fontstyle,fontcolor,leftstretch,"
                    "rightstretch,topstretch,bottomstretch"));
    TspDataSkinPopupWindow pw2;
    TspDataSkinHintWindow hw2;
    pw2.LoadFromFile(&ini);
    hw2.LoadFromFile(&ini);
    EXPECT_EQ(Collect(&pw2), Collect(&pw));
    EXPECT_EQ(Collect(&hw2), Collect(&hw));
}

// [FORMINFO] in the order stored skins hold it; every value read back, and the
// skin data component writes the same section.
TEST(SkinRecords, FormInfoWritesItsKeysInOrderAndReadsBackEveryValue)
{
    const std::string keys =
        "lefttoppoint,righttoppoint,leftbottompoint,rightbottompoint,clientrect,bgpictureindex,mdibgpictureindex,"
        "maskrectarea,leftstretch,rightstretch,topstretch,bottomstretch,buttonsrect,captionrect,buttonsoffset,"
        "buttonsinleft,hittestlefttoppoint,hittestrighttoppoint,hittestleftbottompoint,hittestrightbottompoint,"
        "rollupleftpoint,rolluprightpoint,mainmenurect,iconrect,mainmenupopupup,borderwidth,cursorindex,"
        "autorenderinginactiveimage,inactiveeffect";
    ASSERT_EQ(Split(keys).size(), 29u);
    TspSkinData data(nullptr);
    FillVisitor fill(5);
    data.VisitFields(fill);
    TMemIniFile ini;
    data.WriteFormInfo(&ini);
    EXPECT_EQ(WrittenKeys(&ini, "FORMINFO"), Split(keys));
    TspDataSkinFormInfo back;
    TspSkinFieldReader r(&ini, "FORMINFO");
    back.VisitFields(r);
    EXPECT_EQ(Collect(&back), Collect(static_cast<TspDataSkinFormInfo*>(&data)));

    // Missing keys: the defaults of a skin without them.
    TMemIniFile empty, out;
    TspSkinData none(nullptr);
    none.ReadFormInfo(&empty);
    none.WriteFormInfo(&out);
    EXPECT_EQ(out.ReadString("FORMINFO", "bgpictureindex", ""), "-1");
    EXPECT_EQ(out.ReadString("FORMINFO", "cursorindex", ""), "-1");
    EXPECT_EQ(out.ReadString("FORMINFO", "borderwidth", ""), "0");
    EXPECT_EQ(out.ReadString("FORMINFO", "inactiveeffect", ""), "iebrightness");
    EXPECT_EQ(out.ReadString("FORMINFO", "clientrect", ""), "0,0,0,0");
}

TEST(SkinRecords, ClonesAreIndependentCopies)
{
    TspDataSkinMenuItem item("menuitem");
    FillVisitor fill(11);
    item.VisitFields(fill);
    std::unique_ptr<TspDataSkinObject> copy = Skindata::CloneSkinObject(&item);
    ASSERT_TRUE(dynamic_cast<TspDataSkinMenuItem*>(copy.get()));
    EXPECT_EQ(Collect(copy.get()), Collect(static_cast<TspDataSkinObject*>(&item)));
    copy->ActiveSkinRect = TRect();
    EXPECT_NE(item.ActiveSkinRect, TRect());

    TspDataSkinCheckListBox clb("clb");
    clb.VisitFields(fill);
    std::unique_ptr<TspDataSkinControl> c2 = Skindata::CloneSkinControl(&clb);
    ASSERT_TRUE(dynamic_cast<TspDataSkinCheckListBox*>(c2.get()));
    EXPECT_EQ(Collect(c2.get()), Collect(static_cast<TspDataSkinControl*>(&clb)));
}

} // namespace
