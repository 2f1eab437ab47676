#include "SkinObjects.h"

void TspDataSkinObject::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspSkinFieldReader r(IniFile, IDName);
    VisitFields(r);
}

void TspDataSkinObject::SaveToFile(TCustomIniFile* IniFile)
{
    IniFile->EraseSection(IDName);
    TspSkinFieldWriter w(IniFile, IDName);
    VisitFields(w);
}

void TspDataSkinObject::VisitFields(TspSkinFieldVisitor& V)
{
    V.Str("hint", Hint, "");
    V.Bool("rollup", RollUp);
    V.PictureIndex("activepictureindex", ActivePictureIndex);
    V.Bool("skinrectinapicture", SkinRectInAPicture);
    V.Int("cursorindex", CursorIndex, -1);
    V.Rect("skinrect", SkinRect);
    V.Rect("activeskinrect", ActiveSkinRect);
    V.Rect("inactiveskinrect", InActiveSkinRect);
    V.Bool("morphing", Morphing);
    V.MorphKind("morphkind", MorphKind);
}

void TspDataUserObject::VisitFields(TspSkinFieldVisitor& V)
{
    // Only these three: the other base fields keep their constructor values.
    V.Bool("rollup", RollUp);
    V.Rect("skinrect", SkinRect);
    V.Int("cursorindex", CursorIndex, -1);
}

void TspDataSkinButton::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Rect("downrect", DownRect);
    V.Rect("disableskinrsect", DisableSkinRsect);
    V.Int("groupindex", GroupIndex, -1);
}

void TspDataSkinStdButton::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinButton::VisitFields(V);
    V.StdCommand("command", Command);
    V.Rect("restorerect", RestoreRect);
    V.Rect("restoreactiverect", RestoreActiveRect);
    V.Rect("restoredownrect", RestoreDownRect);
}

void TspDataSkinCaption::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Bool("defaultcaption", DefaultCaption);
    V.Rect("textrect", TextRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Alignment("alignment", Alignment);
    V.Bool("shadow", Shadow);
    V.Color("shadowcolor", ShadowColor, 0);
    V.Color("activeshadowcolor", ActiveShadowColor, 0);
    V.Rect("framerect", FrameRect);
    V.Rect("activeframerect", ActiveFrameRect);
    V.Rect("frametextrect", FrameTextRect);
    V.Int("frameleftoffset", FrameLeftOffset, 0);
    V.Int("framerightoffset", FrameRightOffset, 0);
}

void TspDataSkinMenuItem::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("itemleftoffset", ItemLeftOffset, 0);
    V.Int("itemrightoffset", ItemRightOffset, 0);
    V.Rect("dividerrect", DividerRect);
    V.Int("dividerleftoffset", DividerLeftOffset, 0);
    V.Int("dividerrightoffset", DividerRightOffset, 0);
    V.Rect("textrect", TextRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("unenabledfontcolor", UnEnabledFontColor, 0);
}

void TspDataSkinMainMenuItem::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("itemleftoffset", ItemLeftOffset, 0);
    V.Int("itemrightoffset", ItemRightOffset, 0);
    V.Rect("downrect", DownRect);
    V.Rect("textrect", TextRect);
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Color("downfontcolor", DownFontColor, 0);
    V.Color("unenabledfontColor", UnEnabledFontColor, 0);
}

void TspDataSkinTrackBar::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspDataSkinObject::LoadFromFile(IniFile);
    Morphing = false;
}

void TspDataSkinTrackBar::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Rect("buttonrect", ButtonRect);
    V.Rect("activebuttonrect", ActiveButtonRect);
    V.Point("beginpoint", BeginPoint);
    V.Point("endpoint", EndPoint);
    V.Int("minvalue", MinValue, 0);
    V.Int("maxvalue", MaxValue, 0);
    V.Bool("mousedownchangevalue", MouseDownChangeValue);
}

void TspDataSkinGauge::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("minvalue", MinValue, 0);
    V.Int("maxvalue", MaxValue, 0);
    V.GaugeKind("kind", Kind);
}

void TspDataSkinFrameGaugeObject::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("minvalue", MinValue, 0);
    V.Int("maxvalue", MaxValue, 0);
    V.Int("countframes", CountFrames, 0);
    V.FramesPlacement("framesplacement", FramesPlacement);
}

void TspDataSkinFrameRegulatorObject::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("minvalue", MinValue, 0);
    V.Int("maxvalue", MaxValue, 0);
    V.Int("countframes", CountFrames, 0);
    V.FramesPlacement("framesplacement", FramesPlacement);
    V.RegulatorKind("kind", Kind);
}

void TspDataSkinLabel::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    // Keys match without regard to case, so "fontName" in older skins reads here too.
    V.Font("", Font);
    V.Color("activefontcolor", ActiveFontColor, 0);
    V.Alignment("alignment", Alignment);
    V.Str("textvalue", TextValue, "");
}

void TspDataSkinBitLabel::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspDataSkinObject::LoadFromFile(IniFile);
    Morphing = false;
}

void TspDataSkinBitLabel::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Str("textvalue", TextValue, "");
    V.Int("symbolwidth", SymbolWidth, 0);
    V.Int("symbolheight", SymbolHeight, 0);
    V.Lines("symbols", SkinTextSymbols);
}

void TspDataSkinAnimate::LoadFromFile(const TCustomIniFile* IniFile)
{
    TspDataSkinObject::LoadFromFile(IniFile);
    Morphing = false;
}

void TspDataSkinAnimate::VisitFields(TspSkinFieldVisitor& V)
{
    TspDataSkinObject::VisitFields(V);
    V.Int("countframes", CountFrames, 1);
    V.Bool("cycle", Cycle);
    V.Bool("buttonstyle", ButtonStyle);
    V.Int("timerinterval", TimerInterval, 50);
    V.StdCommand("command", Command);
}
