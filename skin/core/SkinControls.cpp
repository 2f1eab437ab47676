#include "SkinControls.h"

void VisitLooks(TspSkinFieldVisitor& V, TspStateLooks& Looks, const char* Normal, const char* Hot, const char* Down)
{
    V.Rect(Normal, Looks[lsNormal]);
    V.Rect(Hot, Looks[lsHot]);
    V.Rect(Down, Looks[lsDown]);
}

void VisitUpDownLooks(TspSkinFieldVisitor& V, TspStateLooks& Up, TspStateLooks& Down)
{
    VisitLooks(V, Up, "upbuttonrect", "activeupbuttonrect", "downupbuttonrect");
    VisitLooks(V, Down, "downbuttonrect", "activedownbuttonrect", "downdownbuttonrect");
}

void TspDataSkinControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspSkinFieldReader r(IniFile, IDName);
    VisitFields(r);
}

void TspDataSkinControl::SaveToFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection(IDName);
    TspSkinFieldWriter w(IniFile, IDName);
    VisitFields(w);
}

void TspDataSkinControl::VisitFields(TspSkinFieldVisitor& V)
{
    V.PictureIndex("pictureindex", PictureIndex);
    V.PictureIndex("maskpictureindex", MaskPictureIndex);
    V.Int("cursorindex", CursorIndex, -1);
    V.Rect("skinrect", SkinRect);
}

void TspDataSkinCustomControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Corners("", LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
    V.Rect("clientrect", ClientRect);
}

void TspDataSkinFrameControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspDataSkinControl::LoadFromFile(IniFile);
    if (FramesCount < 1) FramesCount = 1;
}

void TspDataSkinFrameControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Int("framescount", FramesCount, 1);
    V.FramesPlacement("framesplacement", FramesPlacement);
}

void TspDataSkinFrameRegulator::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinFrameControl::VisitFields(V);
    V.RegulatorKind("kind", Kind);
}

void TspDataSkinButtonControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("downfontcolor", DownFontColor, 0);
    V.Color("disabledfontcolor", DisabledFontColor, 0);
    V.Bool("morphing", Morphing);
    V.MorphKind("morphkind", MorphKind);
    V.Rect("activeskinrect", ActiveSkinRect);
    V.Rect("downskinrect", DownSkinRect);
    V.Rect("disabledskinrect", DisabledSkinRect);
}

void TspDataSkinMenuButtonControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinButtonControl::VisitFields(V);
    V.Rect("trackbuttonrect", TrackButtonRect);
}

void TspDataSkinCheckRadioControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("unenabledfontcolor", UnEnabledFontColor, 0);
    V.Color("framefontcolor", FrameFontColor, 0);
    V.Bool("morphing", Morphing);
    V.MorphKind("morphkind", MorphKind);
    V.Rect("activeskinrect", ActiveSkinRect);
    V.Rect("checkimagearea", CheckImageArea);
    V.Rect("textarea", TextArea);
    V.Rect("checkimagerect", CheckImageRect);
    V.Rect("uncheckimagerect", UnCheckImageRect);
    V.Rect("activecheckimagerect", ActiveCheckImageRect);
    V.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    V.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    V.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
}

void TspDataSkinPanelControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.PictureIndex("bgpictureindex", BGPictureIndex);
    V.Rect("captionrect", CaptionRect);
    V.Alignment("alignment", Alignment);
    V.Font("", Font);
    V.Rect("checkimagerect", CheckImageRect);
    V.Rect("uncheckimagerect", UnCheckImageRect);
}

void TspDataSkinExPanelControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("rollhskinrect", RollHSkinRect);
    V.Rect("rollvskinrect", RollVSkinRect);
    V.Int("rollleftoffset", RollLeftOffset, 0);
    V.Int("rollrightoffset", RollRightOffset, 0);
    V.Int("rolltopoffset", RollTopOffset, 0);
    V.Int("rollbottomoffset", RollBottomOffset, 0);
    V.Rect("rollvcaptionrect", RollVCaptionRect);
    V.Rect("rollhcaptionrect", RollHCaptionRect);
    V.Rect("closebuttonrect", CloseButtonRect);
    V.Rect("closebuttonactiverect", CloseButtonActiveRect);
    V.Rect("closebuttondownrect", CloseButtonDownRect);
    V.Rect("hrollbuttonrect", HRollButtonRect);
    V.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    V.Rect("hrollbuttondownrect", HRollButtonDownRect);
    V.Rect("hrestorebuttonrect", HRestoreButtonRect);
    V.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    V.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    V.Rect("vrollbuttonrect", VRollButtonRect);
    V.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    V.Rect("vrollbuttondownrect", VRollButtonDownRect);
    V.Rect("vrestorebuttonrect", VRestoreButtonRect);
    V.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    V.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    V.Rect("captionrect", CaptionRect);
    V.Font("", Font);
}

void TspDataSkinLabelControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Font("", Font);
}

void TspDataSkinStdLabelControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 16711680);
}

void TspDataSkinBitLabelControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("skintextrect", SkinTextRect);
    V.Int("symbolwidth", SymbolWidth, 0);
    V.Int("symbolheight", SymbolHeight, 0);
    V.Lines("symbols", SkinTextSymbols);
}

void TspDataSkinBevel::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Color("lightcolor", LightColor, 0);
    V.Color("darkcolor", DarkColor, 0);
}

void TspDataSkinControlBar::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("itemrect", ItemRect);
    V.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TspDataSkinScrollBoxControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TspDataSkinGaugeControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("progressarea", ProgressArea);
    V.Rect("progressrect", ProgressRect);
    V.Int("beginoffset", BeginOffset, 0);
    V.Int("endoffset", EndOffset, 0);
    V.Bool("vertical", Vertical);
    V.Font("", Font);
}

void TspDataSkinTrackBarControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("trackarea", TrackArea);
    V.Rect("buttonrect", ButtonRect);
    V.Rect("activebuttonrect", ActiveButtonRect);
    V.Bool("vertical", Vertical);
}

void TspDataSkinSlider::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Color("bgcolor", BGColor, 0);
    V.Rect("hrulerrect", HRulerRect);
    V.Rect("hthumbrect", HThumbRect);
    V.Rect("vrulerrect", VRulerRect);
    V.Rect("vthumbrect", VThumbRect);
    V.Int("edgesize", EdgeSize, 0);
    V.Color("pointscolor", PointsColor, 0);
}

void TspDataSkinTabControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinControl::VisitFields(V);
    V.Rect("tabrect", TabLooks[tabNormal]);
    V.Rect("activetabrect", TabLooks[tabActive]);
    V.Rect("focustabrect", TabLooks[tabFocused]);
    V.Rect("mouseintabrect", TabLooks[tabMouseIn]);
    V.Rect("clientrect", ClientRect);
    V.PictureIndex("bgpictureindex", BGPictureIndex);
    V.Corners("", LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
    V.Int("tableftoffset", TabLeftOffset, 0);
    V.Int("tabrightoffset", TabRightOffset, 0);
    V.Rect("tabsbgrect", TabsBGRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("focusfontcolor", FocusFontColor, 0);
    V.Color("mouseinfontcolor", MouseInFontColor, 0);
    V.Str("updown", UpDown, "");
}

void TspDataSkinUpDownControl::ClearResizeModel()
{
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint(0, 0);
    ClientRect = TRect();
}

void TspDataSkinUpDownControl::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspDataSkinCustomControl::LoadFromFile(IniFile);
    ClearResizeModel();
}

void TspDataSkinUpDownControl::SaveToFile(TCustomIniFile* IniFile)
{
    ClearResizeModel();
    TspDataSkinCustomControl::SaveToFile(IniFile);
}

void TspDataSkinUpDownControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    VisitUpDownLooks(V, UpButtonLooks, DownButtonLooks);
}

void TspDataSkinScrollBarControl::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinCustomControl::VisitFields(V);
    V.Rect("trackarea", TrackArea);
    VisitUpDownLooks(V, Looks[sbpUpButton], Looks[sbpDownButton]);
    VisitLooks(V, Looks[sbpThumb], "thumbrect", "activethumbrect", "downthumbrect");
    V.Int("thumboffset1", ThumbOffset1, 0);
    V.Int("thumboffset2", ThumbOffset2, 0);
    VisitLooks(V, GlyphLooks, "glyphrect", "activeglyphrect", "downglyphrect");
}
