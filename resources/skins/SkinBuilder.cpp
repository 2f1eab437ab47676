#include "SkinBuilder.h"
#include <algorithm>
#include <cstdio>

namespace Skingen {
namespace {

// Indexes of the active pictures; the shaped skin appends its masks after them.
enum { PicControls = 0, PicFrame = 1, PicPopup = 2, PicHint = 3, PicBack = 4 };

const Colour White = Rgb(255, 255, 255);
const Colour Black = 0;

// Packs element images row by row into one picture; the picture is cut to what
// was used at the end.
struct Atlas {
    SkinCanvas Canvas;
    int X = 0, Y = 0, RowHeight = 0, UsedWidth = 0, MaxWidth = 0;
    Atlas(int maxWidth, int maxHeight, Colour fill) : Canvas(maxWidth, maxHeight, fill), MaxWidth(maxWidth) {}
    Box Alloc(int w, int h)
    {
        if (X + w > MaxWidth) {
            X = 0;
            Y += RowHeight + 2;
            RowHeight = 0;
        }
        Box b = MakeBox(X, Y, X + w, Y + h);
        X += w + 2;
        RowHeight = std::max(RowHeight, h);
        UsedWidth = std::max(UsedWidth, b.Right);
        return b;
    }
    void Finish(Colour fill) { Canvas.Crop(UsedWidth, Y + RowHeight, fill); }
};

Box Inset(const Box& b, int d) { return MakeBox(b.Left + d, b.Top + d, b.Right - d, b.Bottom - d); }

// The sign of a caption button, drawn with rectangles only: slot 0 close (a cross),
// 1 maximize (a window), 2 minimize (a bar below), 3 roll up (a bar above), 4 tray
// (a dot in the corner), -1 the system menu (a filled square).
void CaptionGlyph(SkinCanvas& c, const Box& b, int slot, Colour colour)
{
    Box g = Inset(b, std::max(b.Width() / 4, 2));
    switch (slot) {
    case 0:
        for (int i = 0; i < g.Width(); ++i) {
            c.Fill(MakeBox(g.Left + i, g.Top + i, g.Left + i + 2, g.Top + i + 1), colour);
            c.Fill(MakeBox(g.Right - i - 2, g.Top + i, g.Right - i, g.Top + i + 1), colour);
        }
        break;
    case 1:
        c.Frame(g, colour);
        c.Fill(MakeBox(g.Left, g.Top, g.Right, g.Top + 2), colour);
        break;
    case 2: c.Fill(MakeBox(g.Left, g.Bottom - 2, g.Right, g.Bottom), colour); break;
    case 3: c.Fill(MakeBox(g.Left, g.Top, g.Right, g.Top + 2), colour); break;
    case 4: c.Fill(MakeBox(g.Right - 4, g.Bottom - 4, g.Right, g.Bottom), colour); break;
    default: c.Fill(g, colour); break;
    }
}
Box Local(int w, int h) { return MakeBox(0, 0, w, h); }

// A filled arrow head centred in the box, pointing up or down: rows of odd widths
// narrowing towards the tip.
void ArrowGlyph(SkinCanvas& c, const Box& b, bool up, Colour colour)
{
    const int rows = std::max(2, std::min((b.Width() - 2) / 3, (b.Height() - 2) / 2));
    const int cx = b.Left + b.Width() / 2, top = b.Top + (b.Height() - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int half = up ? i : rows - 1 - i;
        c.Fill(MakeBox(cx - half, top + i, cx + half + 1, top + i + 1), colour);
    }
}

class Builder {
public:
    explicit Builder(const SkinStyle& s)
        : s_(s), ctl_(256, 2048, s.Window), frm_(256, 1024, s.Window)
    {
        out_.Name = s.Name;
    }
    BuiltSkin Build();

private:
    const SkinStyle& s_;
    BuiltSkin out_;
    IniText& ini() { return out_.Description; }
    Atlas ctl_, frm_;
    std::vector<std::pair<std::string, std::string>> objects_, controls_;
    int buttonMask_ = -1;   // active picture of the push button's mask (shaped skin)

    // State colours of a face: normal, active (hot), pressed, disabled.
    Colour StateFace(int state) const
    {
        switch (state) {
        case 1: return Shade(s_.Face, 24);
        case 2: return Shade(s_.Face, -28);
        case 3: return Shade(s_.Face, 12);
        default: return s_.Face;
        }
    }
    Box Face(Atlas& a, int w, int h, int state, bool sunken = false)
    {
        Box b = a.Alloc(w, h);
        a.Canvas.Bevel(b, StateFace(state), s_.Light, s_.Dark, sunken || state == 2);
        if (state == 1)
            a.Canvas.Frame(b, s_.Accent);
        if (state == 3)
            a.Canvas.Frame(Inset(b, 1), Shade(s_.Face, -10));
        return b;
    }
    // A button face of the given state carrying an arrow head.
    Box ArrowFace(Atlas& a, int w, int h, int state, bool up)
    {
        Box b = Face(a, w, h, state);
        ArrowGlyph(a.Canvas, b, up, state == 3 ? s_.DisabledText : s_.Text);
        return b;
    }
    // The normal look of an arrow button, drawn at its place inside a control's face.
    void ArrowButtonAt(const Box& face, const Box& place, bool up)
    {
        Box b = MakeBox(face.Left + place.Left, face.Top + place.Top, face.Left + place.Right, face.Top + place.Bottom);
        ctl_.Canvas.Bevel(b, s_.Face, s_.Light, s_.Dark);
        ArrowGlyph(ctl_.Canvas, b, up, s_.Text);
    }
    Box Glyph(Atlas& a, int w, int h, int state)
    {
        Box b = Face(a, w, h, state);
        a.Canvas.Fill(Inset(b, std::min(w, h) / 3), state == 3 ? s_.DisabledText : s_.Text);
        return b;
    }

    IniSection& Control(const std::string& name, const std::string& type)
    {
        controls_.emplace_back(name, type);
        return ini().Section(name);
    }
    IniSection& Object(const std::string& name, const std::string& type)
    {
        objects_.emplace_back(name, type);
        return ini().Section(name);
    }

    // Keys of the record bases, in the writers' order.
    void ControlBase(IniSection& sec, int picture, const Box& skin, int mask = -1)
    {
        sec.Int("pictureindex", picture).Int("maskpictureindex", mask).Rect("skinrect", skin).Int("cursorindex", -1);
    }
    // Eight-point element; rightEnd > border keeps that many columns at the right
    // (buttons drawn in the face) out of the client, which is repeated when the control grows.
    void EightPoint(IniSection& sec, int w, int h, int border, int rightEnd = 0)
    {
        int cx = std::max(border, w / 3), cy = std::max(border, h / 3);
        sec.Point("lefttoppoint", cx, cy).Point("righttoppoint", w - cx, cy).Point("leftbottompoint", cx, h - cy)
            .Point("rightbottompoint", w - cx, h - cy)
            .Rect("clientrect", MakeBox(border, border, w - std::max(border, rightEnd), h - border));
    }
    void HThree(IniSection& sec, int w, int h, int side)
    {
        sec.Point("lefttoppoint", side, 0).Point("righttoppoint", w - side, 0).Point("leftbottompoint", 0, 0)
            .Point("rightbottompoint", 0, 0).Rect("clientrect", MakeBox(side, 0, w - side, h));
    }
    void VThree(IniSection& sec, int w, int h, int side)
    {
        sec.Point("lefttoppoint", 0, side).Point("righttoppoint", 0, 0).Point("leftbottompoint", 0, h - side)
            .Point("rightbottompoint", 0, 0).Rect("clientrect", MakeBox(0, side, w, h - side));
    }
    void FixedPoints(IniSection& sec)
    {
        sec.Point("lefttoppoint", 0, 0).Point("righttoppoint", 0, 0).Point("leftbottompoint", 0, 0)
            .Point("rightbottompoint", 0, 0).Rect("clientrect", Box());
    }
    void Font(IniSection& sec, const std::string& prefix, int height, const std::string& style, Colour colour)
    {
        sec.Text(prefix + "fontname", "Arial").Int(prefix + "fontheight", height).Text(prefix + "fontstyle", style)
            .Int(prefix + "fontcolor", colour);
    }

    void Pictures();
    void FormPicture();
    void Version();
    void FormInfo();
    void PopupAndHint();
    void Areas();
    void FrameObjects();
    void ExtraObjects();
    void Buttons();
    void Panels();
    void CheckRadios();
    void Gauges();
    void Labels();
    void TrackBars();
    void Edits();
    void Lists();
    void ScrollBars();
    void UpDowns();
    void Singles();
    void ExtraControls();
    void Lists(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries);

    // Form picture geometry.
    int W() const { return s_.FormWidth; }
    int H() const { return s_.FormHeight; }
    // Height of the frame's main-menu items ("MAINMENUITEM").
    static constexpr int MenuItemHeight = 18;
    // No menu band: every form of the program either has no main menu or shows it in
    // a menu bar control, and a band in the form picture would stand empty on each.
    Box ClientRect() const
    {
        return MakeBox(s_.BorderWidth, s_.CaptionHeight, W() - s_.BorderWidth, H() - s_.BorderWidth);
    }
    // The top band repeats only between the split points, so everything drawn once
    // in it (caption buttons, system-menu button) must lie in the fixed parts beside
    // them; the caption rectangle starts in the left part and ends in the right one,
    // so the caption object stretches with the window while its ends stay put.
    int SplitLeft() const
    {
        Box fixedLeft = s_.ButtonsInLeft ? ButtonsRect() : SysMenuPlace();
        return std::max(W() * 3 / 10, fixedLeft.Right + 8);
    }
    int SplitRight() const
    {
        Box fixedRight = s_.ButtonsInLeft ? SysMenuPlace() : ButtonsRect();
        return std::min(W() * 7 / 10, fixedRight.Left - 8);
    }
    // Space between two caption buttons; the frame leaves it as "buttonsoffset".
    static constexpr int ButtonGap = 2;
    Box CaptionButtonPlace(int slot) const
    {
        // Slot 0 is the outermost button on the buttons' side.
        int bs = s_.CaptionButton, y = (s_.CaptionHeight - bs) / 2;
        int x = s_.ButtonsInLeft ? s_.BorderWidth + 2 + slot * (bs + ButtonGap)
                                 : W() - s_.BorderWidth - 2 - bs - slot * (bs + ButtonGap);
        return MakeBox(x, y, x + bs, y + bs);
    }
    Box SysMenuPlace() const
    {
        int bs = s_.CaptionButton, y = (s_.CaptionHeight - bs) / 2;
        int x = s_.ButtonsInLeft ? W() - s_.BorderWidth - 2 - bs : s_.BorderWidth + 2;
        return MakeBox(x, y, x + bs, y + bs);
    }
    Box ButtonsRect() const
    {
        Box a = CaptionButtonPlace(0), b = CaptionButtonPlace(4);
        return MakeBox(std::min(a.Left, b.Left), a.Top, std::max(a.Right, b.Right), a.Bottom);
    }
    Box CaptionRect() const
    {
        Box btn = ButtonsRect(), sys = SysMenuPlace();
        if (s_.ButtonsInLeft)
            return MakeBox(btn.Right + 4, 2, sys.Left - 4, s_.CaptionHeight - 2);
        return MakeBox(sys.Right + 4, 2, btn.Left - 4, s_.CaptionHeight - 2);
    }
    SkinCanvas DrawFrame(Colour top, Colour bottom) const;
    SkinCanvas ShapeMask(int w, int h) const;
};

SkinCanvas Builder::DrawFrame(Colour top, Colour bottom) const
{
    SkinCanvas c(W(), H(), s_.Face);
    c.Bevel(Local(W(), H()), s_.Face, s_.Light, s_.Dark);
    c.Frame(Local(W(), H()), s_.Border);
    c.VerticalRamp(MakeBox(1, 1, W() - 1, s_.CaptionHeight), top, bottom);
    Box cl = ClientRect();
    c.Fill(cl, s_.Client);
    c.Frame(MakeBox(cl.Left - 1, cl.Top - 1, cl.Right + 1, cl.Bottom + 1), s_.Dark);
    // The caption buttons are not painted here: a form without some of them must
    // show the bare caption band there, so their images live in the frame strip
    // and the frame lays out only those the form offers.
    Box sys = SysMenuPlace();
    c.Bevel(sys, s_.Accent, s_.Light, s_.Dark);
    if (s_.Shaped)
        c.RoundCorners(Local(W(), H()), s_.Corner, White);
    return c;
}

SkinCanvas Builder::ShapeMask(int w, int h) const
{
    // Black pixels belong to the window.
    SkinCanvas m(w, h, Black);
    m.RoundCorners(Local(w, h), s_.Corner, White);
    return m;
}

void Builder::FormPicture()
{
    out_.Main[0] = {"form.bmp", DrawFrame(s_.CaptionTop, s_.CaptionBottom)};
    if (!s_.Shaped)
        return;
    out_.Main[1] = {"forminactive.bmp", DrawFrame(s_.InactiveTop, s_.InactiveBottom)};
    out_.Main[2] = {"formmask.bmp", ShapeMask(W(), H())};
    // The rolled-up form is the caption band alone.
    SkinCanvas roll(W(), s_.CaptionHeight + 2, s_.Face);
    roll.Bevel(Local(W(), s_.CaptionHeight + 2), s_.Face, s_.Light, s_.Dark);
    roll.VerticalRamp(MakeBox(1, 1, W() - 1, s_.CaptionHeight + 1), s_.CaptionBottom, s_.CaptionTop);
    roll.RoundCorners(Local(W(), s_.CaptionHeight + 2), s_.Corner, White);
    out_.Main[3] = {"rollup.bmp", roll};
    out_.Main[4] = {"rollupmask.bmp", ShapeMask(W(), s_.CaptionHeight + 2)};
}

void Builder::Version()
{
    ini().Section("VERSION").Int("ver", 2).Text("skinname", s_.Name).Text("skinauthor", "Orvanta skin generator")
        .Text("authoremail", "").Text("authorurl", "").Text("skincomments", s_.Comments);
}

void Builder::Pictures()
{
    IniSection& sec = ini().Section("PICTURES");
    const char* keys[5] = {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"};
    for (int i = 0; i < 5; ++i)
        sec.Text(keys[i], out_.Main[i].FileName);
    sec.Int("activepicturescount", int(out_.Active.size()));
    for (size_t i = 0; i < out_.Active.size(); ++i)
        sec.Text(std::to_string(i), out_.Active[i].FileName);
}

void Builder::FormInfo()
{
    Box cl = ClientRect();
    int top = cl.Top + (cl.Height() / 4), bottom = cl.Bottom - (cl.Height() / 4);
    IniPoint lt{SplitLeft(), top}, rt{SplitRight(), top}, lb{SplitLeft(), bottom}, rb{SplitRight(), bottom};
    IniSection& f = ini().Section("FORMINFO");
    f.Point("lefttoppoint", lt).Point("righttoppoint", rt).Point("leftbottompoint", lb).Point("rightbottompoint", rb)
        .Rect("clientrect", cl)
        .Int("bgpictureindex", s_.Shaped ? PicBack : -1)
        .Int("mdibgpictureindex", PicBack)
        .Rect("maskrectarea", s_.Shaped ? cl : Box())
        .Bool("leftstretch", false).Bool("rightstretch", false).Bool("topstretch", s_.Shaped)
        .Bool("bottomstretch", false)
        .Rect("buttonsrect", ButtonsRect()).Rect("captionrect", CaptionRect())
        .Int("buttonsoffset", ButtonGap).Bool("buttonsinleft", s_.ButtonsInLeft);
    // With a mask the reader copies the corner points into unset hit-test points;
    // writing them equal keeps a save and reload unchanged.
    if (s_.Shaped)
        f.Point("hittestlefttoppoint", lt).Point("hittestrighttoppoint", rt).Point("hittestleftbottompoint", lb)
            .Point("hittestrightbottompoint", rb);
    else
        f.Point("hittestlefttoppoint", 0, 0).Point("hittestrighttoppoint", 0, 0).Point("hittestleftbottompoint", 0, 0)
            .Point("hittestrightbottompoint", 0, 0);
    f.Point("rollupleftpoint", s_.Shaped ? SplitLeft() : 0, 0).Point("rolluprightpoint", s_.Shaped ? SplitRight() : 0, 0)
        .Rect("mainmenurect", Box()).Rect("iconrect", SysMenuPlace()).Bool("mainmenupopupup", false)
        .Int("borderwidth", s_.BorderWidth).Int("cursorindex", -1)
        .Bool("autorenderinginactiveimage", !s_.Shaped).Text("inactiveeffect", s_.InactiveEffect);
}

void Builder::PopupAndHint()
{
    // Popup menu window: a whole picture of its own, split like an eight-point element.
    const int pw = 64, ph = 64, pb = 4;
    SkinCanvas popup(pw, ph, s_.Window);
    popup.Bevel(Local(pw, ph), s_.Window, s_.Light, s_.Dark);
    popup.Frame(Inset(Local(pw, ph), 2), s_.Accent);
    if (s_.Shaped)
        popup.RoundCorners(Local(pw, ph), 6, White);
    out_.Active[PicPopup] = {"popup.bmp", popup};
    const int hw = 48, hh = 32;
    SkinCanvas hint(hw, hh, Shade(s_.Window, -8));
    hint.Bevel(Local(hw, hh), Shade(s_.Window, -8), s_.Light, s_.Dark);
    if (s_.Shaped)
        hint.RoundCorners(Local(hw, hh), 6, White);
    out_.Active[PicHint] = {"hint.bmp", hint};
    int popupMask = -1, hintMask = -1;
    if (s_.Shaped) {
        SkinCanvas pm(pw, ph, Black), hm(hw, hh, Black);
        pm.RoundCorners(Local(pw, ph), 6, White);
        hm.RoundCorners(Local(hw, hh), 6, White);
        popupMask = int(out_.Active.size());
        out_.Active.push_back({"popupmask.bmp", pm});
        hintMask = int(out_.Active.size());
        out_.Active.push_back({"hintmask.bmp", hm});
    }
    ini().Section("POPUPWINDOW").Int("windowpictureindex", PicPopup).Int("maskpictureindex", popupMask)
        .Point("lefttoppoint", 16, 16).Point("righttoppoint", pw - 16, 16).Point("leftbottompoint", 16, ph - 16)
        .Point("rightbottompoint", pw - 16, ph - 16).Rect("itemsrect", MakeBox(pb, pb, pw - pb, ph - pb))
        .Int("cursorindex", -1).Int("scrollmarkercolor", s_.Text).Int("scrollmarkeractivecolor", s_.Accent)
        .Bool("leftstretch", false).Bool("rightstretch", false).Bool("topstretch", s_.Shaped).Bool("bottomstretch", false);
    ini().Section("HINTWINDOW").Int("windowpictureindex", PicHint).Int("maskpictureindex", hintMask)
        .Point("lefttoppoint", 12, 10).Point("righttoppoint", hw - 12, 10).Point("leftbottompoint", 12, hh - 10)
        .Point("rightbottompoint", hw - 12, hh - 10).Rect("clientrect", MakeBox(4, 4, hw - 4, hh - 4))
        .Text("fontname", "Arial").Int("fontheight", 13).Text("fontstyle", "").Int("fontcolor", s_.Text)
        .Bool("leftstretch", false).Bool("rightstretch", false).Bool("topstretch", false).Bool("bottomstretch", false);
}

void Builder::Areas()
{
    // Named rectangles of the form picture, for forms whose frame runs in client-area mode.
    IniSection& sec = ini().Section("SKINAREAS");
    Box cl = ClientRect();
    Box top = MakeBox(cl.Left + 4, cl.Top + 4, cl.Right - 4, cl.Top + 4 + (cl.Height() - 12) / 2);
    Box bottom = MakeBox(cl.Left + 4, top.Bottom + 4, cl.Right - 4, cl.Bottom - 4);
    auto rect = [](const Box& b) {
        return std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
               std::to_string(b.Bottom);
    };
    sec.Int("count", 2).Text("0", "toparea:" + rect(top)).Text("1", "bottomarea:" + rect(bottom));
}


// Object base keys in the writer's order.
static void ObjectBase(IniSection& sec, const std::string& hint, int activePicture, bool inPicture, const Box& skin,
                       const Box& active, const Box& inactive, bool morphing, const std::string& morphKind)
{
    sec.Text("hint", hint).Bool("rollup", false).Int("activepictureindex", activePicture)
        .Bool("skinrectinapicture", inPicture).Int("cursorindex", -1).Rect("skinrect", skin)
        .Rect("activeskinrect", active).Rect("inactiveskinrect", inactive).Bool("morphing", morphing)
        .Text("morphkind", morphKind);
}

void Builder::FrameObjects()
{
    const int bs = s_.CaptionButton;
    struct Btn { const char* name; int slot; const char* command; const char* hint; };
    const Btn buttons[] = {{"closebutton", 0, "cmclose", "Close"},       {"maxbutton", 1, "cmmaximize", "Maximize"},
                           {"minbutton", 2, "cmminimize", "Minimize"},   {"rollupbutton", 3, "cmrollup", "Roll up"},
                           {"sysmenubutton", -1, "cmsysmenu", "Menu"}};
    auto stdButton = [&](const Btn& b, bool inPicture) {
        Box place = b.slot < 0 ? SysMenuPlace() : CaptionButtonPlace(b.slot);
        auto state = [&](int st) {
            Box r = Face(frm_, bs, bs, st);
            CaptionGlyph(frm_.Canvas, r, b.slot, st == 3 ? s_.DisabledText : (st == 1 ? s_.Accent : s_.Text));
            return r;
        };
        Box skin = inPicture ? state(0) : place;
        Box active = state(1), down = state(2), disabled = state(3);
        Box inactive = state(3);
        bool restores = b.slot == 1 || b.slot == 2 || b.slot == 3;
        Box rn, ra, rd;
        if (restores) {
            rn = Face(frm_, bs, bs, 0);
            frm_.Canvas.Frame(Inset(rn, bs / 4), s_.Text);
            ra = Face(frm_, bs, bs, 1);
            frm_.Canvas.Frame(Inset(ra, bs / 4), s_.Text);
            rd = Face(frm_, bs, bs, 2);
            frm_.Canvas.Frame(Inset(rd, bs / 4), s_.Text);
        }
        return std::vector<Box>{skin, active, down, disabled, inactive, rn, ra, rd};
    };
    auto writeStd = [&](IniSection& sec, const Btn& b, const std::vector<Box>& r, bool inPicture) {
        ObjectBase(sec, b.hint, PicFrame, inPicture, r[0], r[1], r[4], s_.Morphing, s_.MorphKind);
        sec.Rect("downrect", r[2]).Rect("disableskinrsect", r[3]).Int("groupindex", -1)
            .Text("command", b.command).Rect("restorerect", r[5]).Rect("restoreactiverect", r[6])
            .Rect("restoredownrect", r[7]);
    };
    // The system-menu button keeps its place in the form picture; the others are
    // cut from the frame strip and lined up in the buttons rectangle.
    for (const Btn& b : buttons) {
        const bool inPicture = b.slot >= 0;
        writeStd(Object(b.name, "stdbutton"), b, stdButton(b, inPicture), inPicture);
    }

    // Caption text over the caption band of the form picture.
    Box cap = CaptionRect();
    Box frame = Face(frm_, 40, cap.Height(), 0, true), activeFrame = Face(frm_, 40, cap.Height(), 1, true);
    IniSection& c = Object("caption", "caption");
    ObjectBase(c, "", PicFrame, false, cap, Box(), Box(), false, "mkdefault");
    c.Bool("defaultcaption", true).Rect("textrect", MakeBox(2, 0, cap.Width() - 2, cap.Height()))
        .Text("fontname", "Arial").Int("fontheight", 14).Text("fontstyle", "fsbold")
        .Int("fontcolor", s_.DisabledText).Int("activefontcolor", s_.CaptionText)
        .Text("alignment", s_.ButtonsInLeft ? "tacenter" : "taleftjustify")
        .Bool("shadow", s_.Shaped).Int("shadowcolor", s_.Dark).Int("activeshadowcolor", Black)
        .Rect("framerect", s_.Shaped ? frame : Box()).Rect("activeframerect", s_.Shaped ? activeFrame : Box())
        .Rect("frametextrect", s_.Shaped ? MakeBox(6, 0, 34, cap.Height()) : Box())
        .Int("frameleftoffset", s_.Shaped ? 6 : 0).Int("framerightoffset", s_.Shaped ? 6 : 0);

    // Popup menu item: normal, selected and divider images.
    const int iw = 90, ih = 20;
    Box item = frm_.Alloc(iw, ih);
    frm_.Canvas.Fill(item, s_.Window);
    Box sel = frm_.Alloc(iw, ih);
    frm_.Canvas.Bevel(sel, s_.Accent, Shade(s_.Accent, 40), Shade(s_.Accent, -40));
    Box div = frm_.Alloc(iw, 6);
    frm_.Canvas.Fill(div, s_.Window);
    frm_.Canvas.Fill(MakeBox(div.Left + 4, div.Top + 2, div.Right - 4, div.Top + 3), s_.Dark);
    frm_.Canvas.Fill(MakeBox(div.Left + 4, div.Top + 3, div.Right - 4, div.Top + 4), s_.Light);
    IniSection& mi = Object("menuitem", "menuitem");
    ObjectBase(mi, "", PicFrame, true, item, sel, Box(), s_.Morphing, s_.MorphKind);
    mi.Int("itemleftoffset", 20).Int("itemrightoffset", 20).Rect("dividerrect", div).Int("dividerleftoffset", 6)
        .Int("dividerrightoffset", 6).Rect("textrect", MakeBox(22, 0, iw - 16, ih)).Text("fontname", "Arial")
        .Int("fontheight", 14).Text("fontstyle", "").Int("fontcolor", s_.Text).Int("activefontcolor", White)
        .Int("unenabledfontcolor", s_.DisabledText);

    // Items of the menu bar control.
    Box bi = Face(frm_, 40, 20, 0), ba = Face(frm_, 40, 20, 1), bd = Face(frm_, 40, 20, 2, true);
    IniSection& mbi = Object("mainmenubaritem", "mainmenubaritem");
    ObjectBase(mbi, "", PicFrame, true, bi, ba, Box(), s_.Morphing, s_.MorphKind);
    mbi.Int("itemleftoffset", 4).Int("itemrightoffset", 4).Rect("downrect", bd).Rect("textrect", MakeBox(4, 0, 36, 20))
        .Text("fontname", "Arial").Int("fontheight", 14).Text("fontstyle", "").Int("fontcolor", s_.Text)
        .Int("activefontcolor", s_.ActiveText).Int("downfontcolor", s_.ActiveText)
        .Int("unenabledfontColor", s_.DisabledText);

    // Buttons of a maximized child shown in the menu bar: their images are in the frame picture.
    const Btn barButtons[] = {{"menubarsysmenubutton", -1, "cmsysmenu", "Menu"},
                              {"menubarclosebutton", 0, "cmclose", "Close"},
                              {"menubarmaxbutton", 1, "cmmaximize", "Restore"},
                              {"menubarminbutton", 2, "cmminimize", "Minimize"}};
    for (const Btn& b : barButtons)
        writeStd(Object(b.name, "mainmenubarbutton"), b, stdButton(b, true), true);

    const Btn tray = {"traybutton", 4, "cmminimizetotray", "Minimize to tray"};
    writeStd(Object(tray.name, "stdbutton"), tray, stdButton(tray, true), true);
}

void Builder::ExtraObjects()
{
    // Frame objects of the kinds the default element list does not use; their
    // images lie in the frame picture ("skinrectinapicture").
    Box b0 = Face(frm_, 30, 16, 0), b1 = Face(frm_, 30, 16, 1), b2 = Face(frm_, 30, 16, 2), b3 = Face(frm_, 30, 16, 3);
    IniSection& fb = Object("framebutton", "button");
    ObjectBase(fb, "Frame button", PicFrame, true, b0, b1, Box(), false, "mkdefault");
    fb.Rect("downrect", b2).Rect("disableskinrsect", b3).Int("groupindex", 1);

    const int mh = MenuItemHeight;
    Box mi0 = Face(frm_, 40, mh, 0), mi1 = Face(frm_, 40, mh, 1), mi2 = Face(frm_, 40, mh, 2);
    IniSection& mmi = Object("MAINMENUITEM", "mainmenuitem");
    ObjectBase(mmi, "", PicFrame, true, mi0, mi1, Box(), false, "mkdefault");
    mmi.Int("itemleftoffset", 3).Int("itemrightoffset", 3).Rect("downrect", mi2).Rect("textrect", MakeBox(3, 0, 37, mh))
        .Text("fontname", "Arial").Int("fontheight", 13).Text("fontstyle", "").Int("fontcolor", s_.Text)
        .Int("activefontcolor", s_.ActiveText).Int("downfontcolor", s_.ActiveText)
        .Int("unenabledfontColor", s_.DisabledText);

    Box track = Face(frm_, 80, 12, 0, true), thumb = Face(frm_, 8, 12, 0), thumbActive = Face(frm_, 8, 12, 1);
    IniSection& tb = Object("volumetrack", "trackbar");
    ObjectBase(tb, "Volume", PicFrame, true, track, Box(), Box(), false, "mkdefault");
    tb.Rect("buttonrect", thumb).Rect("activebuttonrect", thumbActive).Point("beginpoint", 2, 0).Point("endpoint", 70, 0)
        .Int("minvalue", 0).Int("maxvalue", 100).Bool("mousedownchangevalue", true);

    Box gauge = Face(frm_, 60, 8, 0, true), gaugeFull = frm_.Alloc(60, 8);
    frm_.Canvas.Fill(gaugeFull, s_.Accent);
    IniSection& g = Object("levelgauge", "gauge");
    ObjectBase(g, "Level", PicFrame, true, gauge, gaugeFull, Box(), false, "mkdefault");
    g.Int("minvalue", 0).Int("maxvalue", 100).Text("kind", "gkhorizontal");

    const int frames = 8, fw = 12;
    Box strip = frm_.Alloc(frames * fw, fw);
    for (int i = 0; i < frames; ++i) {
        Box cell = MakeBox(strip.Left + i * fw, strip.Top, strip.Left + (i + 1) * fw, strip.Bottom);
        frm_.Canvas.Bevel(cell, s_.Face, s_.Light, s_.Dark);
        frm_.Canvas.Fill(MakeBox(cell.Left + 2, cell.Bottom - 2 - i, cell.Right - 2, cell.Bottom - 2), s_.Accent);
    }
    IniSection& fg = Object("levelframegauge", "framegauge");
    ObjectBase(fg, "", PicFrame, true, MakeBox(strip.Left, strip.Top, strip.Left + fw, strip.Bottom), strip, Box(),
               false, "mkdefault");
    fg.Int("minvalue", 0).Int("maxvalue", frames - 1).Int("countframes", frames).Text("framesplacement", "fphorizontal");
    IniSection& fr = Object("volumeregulator", "frameregulator");
    ObjectBase(fr, "", PicFrame, true, MakeBox(strip.Left, strip.Top, strip.Left + fw, strip.Bottom), strip, Box(),
               false, "mkdefault");
    fr.Int("minvalue", 0).Int("maxvalue", 100).Int("countframes", frames).Text("framesplacement", "fphorizontal")
        .Text("kind", "rkhorizontal");

    Box label = frm_.Alloc(60, 14);
    frm_.Canvas.Fill(label, s_.Face);
    IniSection& l = Object("skinlabel", "label");
    ObjectBase(l, "", PicFrame, true, label, Box(), Box(), false, "mkdefault");
    l.Text("fontname", "Arial").Int("fontheight", 12).Text("fontstyle", "fsitalic").Int("fontcolor", s_.Text)
        .Int("activefontcolor", s_.ActiveText).Text("alignment", "tacenter").Text("textvalue", s_.Name);

    // Bit label: one row of character images per symbol line, drawn as bars of
    // different lengths (no font is needed to tell the cells apart).
    const int sw = 7, sh = 9;
    // Values lose blanks at their ends, so the blank symbol stands inside the line.
    const std::string digits = "0123456789", marks = ":. -";
    Box glyphs = frm_.Alloc(sw * int(digits.size()), sh * 2);
    frm_.Canvas.Fill(glyphs, Black);
    for (int row = 0; row < 2; ++row) {
        const std::string& line = row == 0 ? digits : marks;
        for (size_t i = 0; i < line.size(); ++i) {
            int x = glyphs.Left + int(i) * sw, y = glyphs.Top + row * sh;
            frm_.Canvas.Fill(MakeBox(x + 1, y + sh - 1 - int(i % 8), x + sw - 1, y + sh - 1), s_.Accent);
        }
    }
    IniSection& bl = Object("clocklabel", "bitlabel");
    ObjectBase(bl, "", PicFrame, true, glyphs, Box(), Box(), false, "mkdefault");
    bl.Text("textvalue", "12:00").Int("symbolwidth", sw).Int("symbolheight", sh).Int("symbolslinecount", 2)
        .Text("symbolsline0", digits).Text("symbolsline1", marks);

    Box off = Face(frm_, 24, 12, 0), on = Face(frm_, 24, 12, 2, true);
    frm_.Canvas.Fill(Inset(on, 3), s_.Accent);
    IniSection& sw2 = Object("stayswitch", "switch");
    ObjectBase(sw2, "Stay on top", PicFrame, true, off, on, Box(), false, "mkdefault");

    const int aframes = 4, aw = 16;
    Box anim = frm_.Alloc(aframes * aw, aw);
    for (int i = 0; i < aframes; ++i) {
        Box cell = MakeBox(anim.Left + i * aw, anim.Top, anim.Left + (i + 1) * aw, anim.Bottom);
        frm_.Canvas.Bevel(cell, Shade(s_.Face, 10 * i), s_.Light, s_.Dark);
    }
    // The animation stands for its record kind only. Not "skinrectinapicture":
    // the frame lays out every animation whose image lies in a picture of its
    // own along the caption with the caption buttons, and ours would then cover
    // the close button. Its place is inside the client, which hides it.
    Box cl = ClientRect();
    IniSection& an = Object("logoanimate", "animate");
    ObjectBase(an, "", PicFrame, false, MakeBox(cl.Left + 2, cl.Top + 2, cl.Left + 2 + aw, cl.Top + 2 + aw), anim,
               Box(), false, "mkdefault");
    an.Int("countframes", aframes).Bool("cycle", true).Bool("buttonstyle", false).Int("timerinterval", 100)
        .Text("command", "cmdefault");

    // A user object marks the caption as a place of its own (no image).
    Object("dragarea", "userobject").Bool("rollup", false).Rect("skinrect", CaptionRect()).Int("cursorindex", -1);
}


void Builder::Buttons()
{
    // Push and speed buttons: eight-point faces with four state images.
    struct B { const char* name; int w, h, border; bool menu; };
    const int ch = s_.ControlHeight;
    const B list[] = {{"button", 60, ch + 2, 4, false},        {"toolbutton", 24, 24, 3, false},
                      {"resizebutton", 40, 20, 3, false},      {"bigtoolbutton", 40, 40, 4, false},
                      {"toolmenubutton", 36, 24, 3, true},     {"toolmenutrackbutton", 36, 24, 3, true},
                      {"bigtoolmenubutton", 52, 40, 4, true},  {"bigtoolmenutrackbutton", 52, 40, 4, true}};
    for (const B& b : list) {
        Box n = Face(ctl_, b.w, b.h, 0), a = Face(ctl_, b.w, b.h, 1), d = Face(ctl_, b.w, b.h, 2),
            x = Face(ctl_, b.w, b.h, 3);
        int mask = -1;
        if (s_.Shaped && std::string(b.name) == "button") {
            // The shaped skin's push button has rounded ends cut by its mask.
            SkinCanvas m(b.w, b.h, Black);
            m.RoundCorners(Local(b.w, b.h), 5, White);
            buttonMask_ = mask = int(out_.Active.size());
            out_.Active.push_back({"buttonmask.bmp", m});
        }
        IniSection& sec = Control(b.name, b.menu ? "menubutton" : "button");
        ControlBase(sec, PicControls, n, mask);
        if (b.menu) {
            // The track part (an arrow cell at the right end) must stay fixed: three-part horizontal.
            HThree(sec, b.w, b.h, 12);
            for (const Box& r : {n, a, d, x})
                ctl_.Canvas.Fill(MakeBox(r.Right - 8, r.Top + b.h / 2 - 1, r.Right - 4, r.Top + b.h / 2 + 1), s_.Text);
        } else {
            EightPoint(sec, b.w, b.h, b.border);
        }
        Font(sec, "", 14, "", s_.Text);
        sec.Int("activefontcolor", s_.ActiveText).Int("downfontcolor", s_.ActiveText)
            .Int("disabledfontcolor", s_.DisabledText).Bool("morphing", s_.Morphing).Text("morphkind", s_.MorphKind)
            .Rect("activeskinrect", a).Rect("downskinrect", d).Rect("disabledskinrect", x);
        if (b.menu)
            sec.Rect("trackbuttonrect", MakeBox(b.w - 12, 0, b.w, b.h));
    }
}

void Builder::Panels()
{
    struct P { const char* name; int w, h, border, caption; bool sunken; };
    const P list[] = {{"toolpanel", 40, 26, 2, 0, false},
                      {"panel", 40, 40, 2, 0, false},
                      {"groupbox", 60, 50, 4, 18, true},
                      {"statusbar", 40, 22, 2, 0, true},
                      {"bigtoolpanel", 40, 46, 2, 0, false}};
    Box check = Glyph(ctl_, 13, 13, 0), uncheck = Face(ctl_, 13, 13, 0, true);
    for (const P& p : list) {
        Box n = Face(ctl_, p.w, p.h, 0, p.sunken);
        Box cl = MakeBox(p.border, p.border + p.caption, p.w - p.border, p.h - p.border);
        if (p.caption) {
            ctl_.Canvas.Fill(MakeBox(n.Left + 1, n.Top + 1, n.Right - 1, n.Top + p.caption), Shade(s_.Face, -12));
        }
        IniSection& sec = Control(p.name, "panel");
        ControlBase(sec, PicControls, n);
        int cx = p.w / 3, cy = std::max(p.caption + 2, p.h / 3);
        sec.Point("lefttoppoint", cx, cy).Point("righttoppoint", p.w - cx, cy).Point("leftbottompoint", cx, p.h - p.h / 3)
            .Point("rightbottompoint", p.w - cx, p.h - p.h / 3).Rect("clientrect", cl);
        sec.Int("bgpictureindex", s_.Shaped && std::string(p.name) == "panel" ? PicBack : -1)
            .Rect("captionrect", p.caption ? MakeBox(p.border + 16, 0, p.w - p.border, p.caption) : Box())
            .Text("alignment", "taleftjustify");
        Font(sec, "", 14, p.caption ? "fsbold" : "", s_.Text);
        sec.Rect("checkimagerect", p.caption ? check : Box()).Rect("uncheckimagerect", p.caption ? uncheck : Box());
    }
}

void Builder::CheckRadios()
{
    for (const char* name : {"checkbox", "radiobox"}) {
        const int w = 80, h = 18, m = 13;
        Box n = ctl_.Alloc(w, h);
        ctl_.Canvas.Fill(n, s_.Face);
        Box a = ctl_.Alloc(w, h);
        ctl_.Canvas.Fill(a, Shade(s_.Face, 16));
        std::vector<Box> marks;
        for (int state = 0; state < 6; ++state) {
            bool checked = state % 2 == 0;
            Box r = Face(ctl_, m, m, state / 2 == 1 ? 1 : (state / 2 == 2 ? 3 : 0), true);
            if (checked)
                ctl_.Canvas.Fill(Inset(r, 4), state / 2 == 2 ? s_.DisabledText : s_.Accent);
            marks.push_back(r);
        }
        IniSection& sec = Control(name, "checkradio");
        ControlBase(sec, PicControls, n);
        HThree(sec, w, h, 20);
        Font(sec, "", 14, "", s_.Text);
        sec.Int("activefontcolor", s_.ActiveText).Int("unenabledfontcolor", s_.DisabledText)
            .Int("framefontcolor", s_.Text).Bool("morphing", s_.Morphing).Text("morphkind", s_.MorphKind)
            .Rect("activeskinrect", a).Rect("checkimagearea", MakeBox(2, (h - m) / 2, 2 + m, (h - m) / 2 + m))
            .Rect("textarea", MakeBox(20, 0, w, h)).Rect("checkimagerect", marks[0]).Rect("uncheckimagerect", marks[1])
            .Rect("activecheckimagerect", marks[2]).Rect("activeuncheckimagerect", marks[3])
            .Rect("unenabledcheckimagerect", marks[4]).Rect("unenableduncheckimagerect", marks[5]);
    }
}

void Builder::Gauges()
{
    struct G { const char* name; int w, h; bool vertical; };
    for (const G& g : {G{"gauge", 100, 16, false}, G{"vgauge", 16, 100, true}, G{"statusgauge", 80, 14, false}}) {
        Box n = Face(ctl_, g.w, g.h, 0, true);
        Box bar = ctl_.Alloc(g.vertical ? g.w - 4 : 20, g.vertical ? 20 : g.h - 4);
        ctl_.Canvas.Bevel(bar, s_.Accent, Shade(s_.Accent, 50), Shade(s_.Accent, -50));
        IniSection& sec = Control(g.name, "gauge");
        ControlBase(sec, PicControls, n);
        if (g.vertical)
            VThree(sec, g.w, g.h, 4);
        else
            HThree(sec, g.w, g.h, 4);
        sec.Rect("progressarea", MakeBox(2, 2, g.w - 2, g.h - 2)).Rect("progressrect", bar).Int("beginoffset", 2)
            .Int("endoffset", 2).Bool("vertical", g.vertical);
        Font(sec, "", 12, "", s_.Text);
    }
}

void Builder::Labels()
{
    for (const char* name : {"label", "statuspanel"}) {
        Box n = Face(ctl_, 40, 20, 0, true);
        IniSection& sec = Control(name, "label");
        ControlBase(sec, PicControls, n);
        EightPoint(sec, 40, 20, 2);
        Font(sec, "", 14, "", s_.Text);
    }
    IniSection& std_ = Control("stdlabel", "stdlabel");
    ControlBase(std_, -1, Box());
    Font(std_, "", 14, "", s_.Text);
    std_.Int("activefontcolor", s_.ActiveText);
}

void Builder::TrackBars()
{
    struct T { const char* name; bool vertical; };
    for (const T& t : {T{"trackbar", true}, T{"htrackbar", false}}) {
        int w = t.vertical ? 24 : 100, h = t.vertical ? 100 : 24;
        Box n = ctl_.Alloc(w, h);
        ctl_.Canvas.Fill(n, s_.Face);
        Box groove = t.vertical ? MakeBox(n.Left + 10, n.Top + 4, n.Left + 14, n.Bottom - 4)
                                : MakeBox(n.Left + 4, n.Top + 10, n.Right - 4, n.Top + 14);
        ctl_.Canvas.Bevel(groove, s_.Dark, s_.Dark, s_.Light, true);
        int tw = t.vertical ? 18 : 10, th = t.vertical ? 10 : 18;
        Box thumb = Face(ctl_, tw, th, 0), thumbActive = Face(ctl_, tw, th, 1);
        IniSection& sec = Control(t.name, "trackbar");
        ControlBase(sec, PicControls, n);
        if (t.vertical)
            VThree(sec, w, h, 6);
        else
            HThree(sec, w, h, 6);
        sec.Rect("trackarea", t.vertical ? MakeBox(3, 4, 21, 96) : MakeBox(4, 3, 96, 21)).Rect("buttonrect", thumb)
            .Rect("activebuttonrect", thumbActive).Bool("vertical", t.vertical);
    }
}

void Builder::Edits()
{
    const int w = 80, h = s_.ControlHeight;
    Box btn[3] = {Glyph(ctl_, 16, h - 4, 1), Glyph(ctl_, 16, h - 4, 2), Glyph(ctl_, 16, h - 4, 3)};
    for (const char* name : {"edit", "buttonedit", "statusedit", "statusbuttonedit", "tooledit", "toolbuttonedit"}) {
        bool withButton = std::string(name).find("button") != std::string::npos;
        Box n = Face(ctl_, w, h, 0, true), a = Face(ctl_, w, h, 1, true);
        if (withButton) {
            ctl_.Canvas.Bevel(MakeBox(n.Right - 18, n.Top + 2, n.Right - 2, n.Bottom - 2), s_.Face, s_.Light, s_.Dark);
            ctl_.Canvas.Bevel(MakeBox(a.Right - 18, a.Top + 2, a.Right - 2, a.Bottom - 2), s_.Face, s_.Light, s_.Dark);
        }
        IniSection& sec = Control(name, "edit");
        ControlBase(sec, PicControls, n);
        EightPoint(sec, w, h, 2, withButton ? 18 : 0);
        sec.Rect("activeskinrect", a);
        Font(sec, "", 14, "", s_.Text);
        sec.Int("activefontcolor", s_.ActiveText).Int("disabledfontcolor", s_.DisabledText)
            .Rect("buttonrect", withButton ? MakeBox(w - 18, 2, w - 2, h - 2) : Box())
            .Rect("activebuttonrect", withButton ? btn[0] : Box()).Rect("downbuttonrect", withButton ? btn[1] : Box())
            .Rect("unenabledbuttonrect", withButton ? btn[2] : Box());
    }
    // Memo: a larger sunken face with background colours.
    Box mn = Face(ctl_, 80, 60, 0, true), ma = Face(ctl_, 80, 60, 1, true);
    IniSection& memo = Control("memo", "memo");
    ControlBase(memo, PicControls, mn);
    EightPoint(memo, 80, 60, 2);
    memo.Rect("activeskinrect", ma);
    Font(memo, "", 14, "", s_.Text);
    memo.Int("activefontcolor", s_.ActiveText).Int("disabledfontcolor", s_.DisabledText).Rect("buttonrect", Box())
        .Rect("activebuttonrect", Box()).Rect("downbuttonrect", Box()).Rect("unenabledbuttonrect", Box())
        .Int("bgcolor", s_.Window).Int("activebgcolor", Shade(s_.Window, 8));

    const int bh = (h - 4) / 2;
    Box upA = ArrowFace(ctl_, 14, bh, 1, true), upD = ArrowFace(ctl_, 14, bh, 2, true),
        dnA = ArrowFace(ctl_, 14, bh, 1, false), dnD = ArrowFace(ctl_, 14, bh, 2, false);
    const Box upPlace = MakeBox(w - 16, 2, w - 2, 2 + bh), dnPlace = MakeBox(w - 16, 2 + bh, w - 2, 2 + 2 * bh);
    for (const char* name : {"spinedit", "statusspinedit", "toolspinedit"}) {
        // The buttons' normal look is the face's own picture at their places.
        Box n = Face(ctl_, w, h, 0, true), a = Face(ctl_, w, h, 1, true);
        for (const Box& f : {n, a}) {
            ArrowButtonAt(f, upPlace, true);
            ArrowButtonAt(f, dnPlace, false);
        }
        IniSection& sec = Control(name, "spinedit");
        ControlBase(sec, PicControls, n);
        EightPoint(sec, w, h, 2, w - upPlace.Left);
        sec.Rect("activeskinrect", a);
        Font(sec, "", 14, "", s_.Text);
        sec.Int("activefontcolor", s_.ActiveText).Int("disabledfontcolor", s_.DisabledText)
            .Rect("upbuttonrect", upPlace).Rect("activeupbuttonrect", upA)
            .Rect("downupbuttonrect", upD).Rect("downbuttonrect", dnPlace)
            .Rect("activedownbuttonrect", dnA).Rect("downdownbuttonrect", dnD);
    }
}

void Builder::Lists()
{
    const int w = 80, h = 80, iw = 60, ih = 16, capH = 18;
    Box item = ctl_.Alloc(iw, ih);
    ctl_.Canvas.Fill(item, s_.Window);
    Box itemActive = Face(ctl_, iw, ih, 1), itemFocus = ctl_.Alloc(iw, ih);
    ctl_.Canvas.Fill(itemFocus, s_.Accent);
    Box capBtn[6];
    for (int i = 0; i < 6; ++i)
        capBtn[i] = Glyph(ctl_, 14, 14, i % 2 == 0 ? 1 : 2);
    Box check = Glyph(ctl_, 12, 12, 0), uncheck = Face(ctl_, 12, 12, 0, true);
    struct L { const char* name; bool caption, checks; };
    for (const L& l : {L{"listbox", false, false}, L{"captionlistbox", true, false},
                       L{"checklistbox", false, true}, L{"captionchecklistbox", true, true}}) {
        Box n = Face(ctl_, w, h, 0, true);
        if (l.caption)
            ctl_.Canvas.VerticalRamp(MakeBox(n.Left + 2, n.Top + 2, n.Right - 2, n.Top + capH), s_.CaptionTop,
                                     s_.CaptionBottom);
        IniSection& sec = Control(l.name, l.checks ? "checklistbox" : "listbox");
        ControlBase(sec, PicControls, n);
        int top = l.caption ? capH : 2;
        sec.Point("lefttoppoint", w / 3, top + 10).Point("righttoppoint", w - w / 3, top + 10)
            .Point("leftbottompoint", w / 3, h - 10).Point("rightbottompoint", w - w / 3, h - 10)
            .Rect("clientrect", MakeBox(2, top, w - 2, h - 2));
        sec.Rect("itemrect", item).Rect("activeitemrect", itemActive).Rect("focusitemrect", itemFocus)
            .Int("itemleftoffset", 2).Int("itemrightoffset", 2)
            .Rect("itemtextrect", MakeBox(l.checks ? 16 : 3, 0, iw - 3, ih));
        Font(sec, "", 14, "", s_.Text);
        sec.Int("activefontcolor", s_.ActiveText).Int("focusfontcolor", White)
            .Rect("captionrect", l.caption ? MakeBox(2, 2, w - 50, capH) : Box());
        Font(sec, "caption", 13, "fsbold", s_.CaptionText);
        auto place = [&](int slot) {
            return l.caption ? MakeBox(w - 2 - 16 * (slot + 1), 3, w - 4 - 16 * slot, 3 + 14) : Box();
        };
        auto img = [&](int i) { return l.caption ? capBtn[i] : Box(); };
        sec.Rect("upbuttonrect", place(2)).Rect("activeupbuttonrect", img(0)).Rect("downupbuttonrect", img(1))
            .Rect("downbuttonrect", place(1)).Rect("activedownbuttonrect", img(2)).Rect("downdownbuttonrect", img(3))
            .Rect("checkbuttonrect", place(0)).Rect("activecheckbuttonrect", img(4)).Rect("downcheckbuttonrect", img(5))
            .Text("vscrollbarname", "vscrollbar").Text("hscrollbarname", "hscrollbar")
            .Text("bothhscrollbarname", "bothhscrollbar");
        if (l.checks)
            sec.Rect("itemcheckrect", MakeBox(2, 2, 14, 14)).Rect("uncheckimagerect", uncheck).Rect("checkimagerect", check);
    }

    const int cw = 100, ch = s_.ControlHeight;
    Box cItem = ctl_.Alloc(60, ch - 4);
    ctl_.Canvas.Fill(cItem, s_.Window);
    Box cFocus = ctl_.Alloc(60, ch - 4);
    ctl_.Canvas.Fill(cFocus, s_.Accent);
    Box cBtn[3] = {ArrowFace(ctl_, 16, ch - 4, 1, false), ArrowFace(ctl_, 16, ch - 4, 2, false),
                   ArrowFace(ctl_, 16, ch - 4, 3, false)};
    // The left end is the sunken frame alone; the right end holds the drop-down button.
    const int frameW = 2, rightEnd = 20;
    const Box button = MakeBox(cw - 18, 2, cw - 2, ch - 2);
    for (const char* name : {"combobox", "captioncombobox", "statuscombobox", "toolcombobox"}) {
        Box n = Face(ctl_, cw, ch, 0, true);
        ArrowButtonAt(n, button, false);
        IniSection& sec = Control(name, "combobox");
        ControlBase(sec, PicControls, n);
        sec.Point("lefttoppoint", frameW, 0).Point("righttoppoint", cw - rightEnd, 0).Point("leftbottompoint", 0, 0)
            .Point("rightbottompoint", 0, 0).Rect("clientrect", MakeBox(frameW, frameW, cw - rightEnd, ch - frameW));
        sec.Rect("itemrect", cItem).Rect("focusitemrect", cFocus).Int("itemleftoffset", 2).Int("itemrightoffset", 2)
            .Rect("itemtextrect", MakeBox(2, 0, 58, ch - 4));
        Font(sec, "", 14, "", s_.Text);
        sec.Int("focusfontcolor", White).Rect("buttonrect", button)
            .Rect("activebuttonrect", cBtn[0]).Rect("downbuttonrect", cBtn[1]).Rect("unenabledbuttonrect", cBtn[2])
            .Text("listboxname", "listbox");
    }
}

void Builder::ScrollBars()
{
    const int len = 100, t = 16;
    struct S { const char* name; bool vertical; };
    for (const S& s : {S{"hscrollbar", false}, S{"vscrollbar", true}, S{"bothhscrollbar", false}}) {
        int w = s.vertical ? t : len, h = s.vertical ? len : t;
        Box n = ctl_.Alloc(w, h);
        ctl_.Canvas.Checker(n, s_.Face, Shade(s_.Face, -16), 2);
        Box up = s.vertical ? MakeBox(0, 0, t, t) : MakeBox(0, 0, t, t);
        Box down = s.vertical ? MakeBox(0, len - t, t, len) : MakeBox(len - t, 0, len, t);
        ctl_.Canvas.Bevel(MakeBox(n.Left + up.Left, n.Top + up.Top, n.Left + up.Right, n.Top + up.Bottom), s_.Face,
                          s_.Light, s_.Dark);
        ctl_.Canvas.Bevel(MakeBox(n.Left + down.Left, n.Top + down.Top, n.Left + down.Right, n.Top + down.Bottom),
                          s_.Face, s_.Light, s_.Dark);
        Box upA = Glyph(ctl_, t, t, 1), upD = Glyph(ctl_, t, t, 2), dnA = Glyph(ctl_, t, t, 1), dnD = Glyph(ctl_, t, t, 2);
        int tw = s.vertical ? t : 24, th = s.vertical ? 24 : t;
        Box th0 = Face(ctl_, tw, th, 0), th1 = Face(ctl_, tw, th, 1), th2 = Face(ctl_, tw, th, 2);
        Box g0 = ctl_.Alloc(6, 6), g1 = ctl_.Alloc(6, 6), g2 = ctl_.Alloc(6, 6);
        ctl_.Canvas.Fill(g0, s_.Dark);
        ctl_.Canvas.Fill(g1, s_.Accent);
        ctl_.Canvas.Fill(g2, s_.Text);
        IniSection& sec = Control(s.name, "scrollbar");
        ControlBase(sec, PicControls, n);
        if (s.vertical)
            VThree(sec, w, h, t);
        else
            HThree(sec, w, h, t);
        sec.Rect("trackarea", s.vertical ? MakeBox(0, t, t, len - t) : MakeBox(t, 0, len - t, t))
            .Rect("upbuttonrect", up).Rect("activeupbuttonrect", upA).Rect("downupbuttonrect", upD)
            .Rect("downbuttonrect", down).Rect("activedownbuttonrect", dnA).Rect("downdownbuttonrect", dnD)
            .Rect("thumbrect", th0).Rect("activethumbrect", th1).Rect("downthumbrect", th2).Int("thumboffset1", 4)
            .Int("thumboffset2", 4).Rect("glyphrect", g0).Rect("activeglyphrect", g1).Rect("downglyphrect", g2);
    }
}

void Builder::UpDowns()
{
    struct U { const char* name; bool vertical; };
    for (const U& u : {U{"vupdown", true}, U{"hupdown", false}}) {
        int w = u.vertical ? 16 : 28, h = u.vertical ? 24 : 14;
        Box n = ctl_.Alloc(w, h);
        Box first = u.vertical ? MakeBox(0, 0, w, h / 2) : MakeBox(0, 0, w / 2, h);
        Box second = u.vertical ? MakeBox(0, h / 2, w, h) : MakeBox(w / 2, 0, w, h);
        for (const Box& part : {first, second})
            ctl_.Canvas.Bevel(MakeBox(n.Left + part.Left, n.Top + part.Top, n.Left + part.Right, n.Top + part.Bottom),
                              s_.Face, s_.Light, s_.Dark);
        Box a1 = Glyph(ctl_, first.Width(), first.Height(), 1), d1 = Glyph(ctl_, first.Width(), first.Height(), 2);
        Box a2 = Glyph(ctl_, second.Width(), second.Height(), 1), d2 = Glyph(ctl_, second.Width(), second.Height(), 2);
        IniSection& sec = Control(u.name, "updown");
        ControlBase(sec, PicControls, n);
        FixedPoints(sec);   // the reader zeroes them anyway
        sec.Rect("upbuttonrect", first).Rect("activeupbuttonrect", a1).Rect("downupbuttonrect", d1)
            .Rect("downbuttonrect", second).Rect("activedownbuttonrect", a2).Rect("downdownbuttonrect", d2);
    }
    for (const char* name : {"vsplitter", "hsplitter"}) {
        bool v = std::string(name) == "vsplitter";
        int w = v ? 6 : 40, h = v ? 40 : 6;
        Box n = Face(ctl_, w, h, 0);
        IniSection& sec = Control(name, "splitter");
        ControlBase(sec, PicControls, n);
        if (v)
            VThree(sec, w, h, 4);
        else
            HThree(sec, w, h, 4);
    }
}

void Builder::Singles()
{
    // Grid: the skin rectangle is the normal cell image.
    Box cell = ctl_.Alloc(40, 18);
    ctl_.Canvas.Fill(cell, s_.Window);
    Box fixed = Face(ctl_, 40, 18, 0), sel = ctl_.Alloc(40, 18), foc = Face(ctl_, 40, 18, 1);
    ctl_.Canvas.Fill(sel, s_.Accent);
    IniSection& g = Control("grid", "grid");
    ControlBase(g, PicControls, cell);
    g.Rect("fixedcellrect", fixed).Rect("selectcellrect", sel).Rect("focuscellrect", foc).Int("fixedcellleftoffset", 3)
        .Int("fixedcellrightoffset", 3).Rect("fixedcelltextrect", MakeBox(3, 1, 37, 17)).Int("cellleftoffset", 2)
        .Int("cellrightoffset", 2).Rect("celltextrect", MakeBox(2, 1, 38, 17)).Int("linescolor", s_.Dark)
        .Int("bgcolor", s_.Window).Int("bgpictureindex", -1);
    Font(g, "", 14, "", s_.Text);
    g.Int("selectfontcolor", White).Int("focusfontcolor", s_.ActiveText);
    Font(g, "fixed", 14, "fsbold", s_.Text);

    // Page and tab controls: page frame, tab images and the scroller's element.
    Box page = Face(ctl_, 60, 50, 0);
    Box tabs[4] = {Face(ctl_, 40, 20, 0), Face(ctl_, 40, 20, 2), Face(ctl_, 40, 20, 1), Face(ctl_, 40, 20, 1)};
    Box tabsBg = ctl_.Alloc(20, 20);
    ctl_.Canvas.Fill(tabsBg, Shade(s_.Face, -6));
    IniSection& t = Control("tab", "tab");
    ControlBase(t, PicControls, page);
    t.Rect("tabrect", tabs[0]).Rect("activetabrect", tabs[1]).Rect("focustabrect", tabs[2])
        .Rect("mouseintabrect", tabs[3]).Rect("clientrect", MakeBox(3, 3, 57, 47)).Int("bgpictureindex", -1)
        .Point("lefttoppoint", 20, 16).Point("righttoppoint", 40, 16).Point("leftbottompoint", 20, 34)
        .Point("rightbottompoint", 40, 34).Int("tableftoffset", 4).Int("tabrightoffset", 4).Rect("tabsbgrect", tabsBg);
    Font(t, "", 14, "", s_.Text);
    t.Int("activefontcolor", s_.ActiveText).Int("focusfontcolor", s_.ActiveText).Int("mouseinfontcolor", s_.Accent)
        .Text("updown", "hupdown");

    Box band = Face(ctl_, 40, 24, 0);
    Box barBack = Face(ctl_, 40, 40, 0);
    IniSection& cb = Control("controlbar", "controlbar");
    ControlBase(cb, PicControls, barBack);
    EightPoint(cb, 40, 40, 1);
    cb.Rect("itemrect", band).Int("bgpictureindex", s_.Shaped ? PicBack : -1);

    Box bar = Face(ctl_, 100, 22, 0);
    IniSection& mb = Control("mainmenubar", "mainmenubar");
    ControlBase(mb, PicControls, bar);
    mb.Rect("itemsrect", MakeBox(2, 1, 98, 21)).Text("menubaritem", "mainmenubaritem")
        .Text("closebutton", "menubarclosebutton").Text("minbutton", "menubarminbutton")
        .Text("maxbutton", "menubarmaxbutton").Text("sysmenubutton", "menubarsysmenubutton")
        .Int("trackmarkcolor", s_.Text).Int("trackmarkactivecolor", s_.Accent);

    Box box = Face(ctl_, 40, 40, 0, true);
    IniSection& sb = Control("scrollbox", "scrollbox");
    ControlBase(sb, PicControls, box);
    EightPoint(sb, 40, 40, 2);
    sb.Int("bgpictureindex", s_.Shaped ? PicBack : -1);

    for (const char* name : {"listview", "treeview", "richedit"}) {
        Box r = Face(ctl_, 30, 30, 0, true);
        IniSection& sec = Control(name, name);
        ControlBase(sec, PicControls, r);
        Font(sec, "", 14, "", s_.Text);
        sec.Int("bgcolor", White);
    }

    // Expandable panel: open face, the two rolled faces and five three-state buttons.
    const int ew = 60, eh = 60, cap = 18, bs = 12;
    Box open = Face(ctl_, ew, eh, 0);
    ctl_.Canvas.VerticalRamp(MakeBox(open.Left + 1, open.Top + 1, open.Right - 1, open.Top + cap), s_.CaptionTop,
                             s_.CaptionBottom);
    // Rolled vertically the panel is its caption bar alone (a horizontal bar); rolled
    // horizontally it is a vertical strip whose caption reads upwards.
    Box rollV = Face(ctl_, ew, cap, 0), rollH = Face(ctl_, cap, eh, 0);
    ctl_.Canvas.VerticalRamp(Inset(rollV, 1), s_.CaptionTop, s_.CaptionBottom);
    ctl_.Canvas.Fill(Inset(rollH, 1), s_.CaptionBottom);
    IniSection& ex = Control("expanel", "expanel");
    ControlBase(ex, PicControls, open);
    ex.Point("lefttoppoint", 20, cap + 4).Point("righttoppoint", 40, cap + 4).Point("leftbottompoint", 20, 50)
        .Point("rightbottompoint", 40, 50).Rect("clientrect", MakeBox(2, cap, ew - 2, eh - 2));
    ex.Rect("rollhskinrect", rollH).Rect("rollvskinrect", rollV).Int("rollleftoffset", 4).Int("rollrightoffset", 4)
        .Int("rolltopoffset", 4).Int("rollbottomoffset", 4).Rect("rollvcaptionrect", MakeBox(4, 3, ew - 4, cap - 3))
        .Rect("rollhcaptionrect", MakeBox(3, 4, cap - 3, eh - 4));
    for (const char* b : {"closebutton", "hrollbutton", "hrestorebutton", "vrollbutton", "vrestorebutton"}) {
        std::string k = b;
        ex.Rect(k + "rect", Glyph(ctl_, bs, bs, 0)).Rect(k + "activerect", Glyph(ctl_, bs, bs, 1))
            .Rect(k + "downrect", Glyph(ctl_, bs, bs, 2));
    }
    ex.Rect("captionrect", MakeBox(4, 0, ew - 30, cap));
    Font(ex, "", 13, "fsbold", s_.CaptionText);

    Box hr = Face(ctl_, 60, 8, 0, true), ht = Face(ctl_, 10, 16, 0), vr = Face(ctl_, 8, 60, 0, true),
        vt = Face(ctl_, 16, 10, 0);
    IniSection& sl = Control("slider", "slider");
    ControlBase(sl, PicControls, hr);
    sl.Int("bgcolor", s_.Face).Rect("hrulerrect", hr).Rect("hthumbrect", ht).Rect("vrulerrect", vr)
        .Rect("vthumbrect", vt).Int("edgesize", 3).Int("pointscolor", s_.Dark);

    IniSection& bv = Control("bevel", "bevel");
    ControlBase(bv, -1, Box());
    bv.Int("lightcolor", s_.Light).Int("darkcolor", s_.Dark);
}

void Builder::ExtraControls()
{
    // Control kinds that the default element list does not use, under their type words.
    const int sw = 7, sh = 9;
    Box lbl = Face(ctl_, 60, 16, 0, true);
    Box glyphs = ctl_.Alloc(sw * 10, sh);
    ctl_.Canvas.Fill(glyphs, Black);
    for (int i = 0; i < 10; ++i)
        ctl_.Canvas.Fill(MakeBox(glyphs.Left + i * sw + 1, glyphs.Top + sh - 1 - (i % 8), glyphs.Left + (i + 1) * sw - 1,
                                 glyphs.Bottom - 1), s_.Accent);
    IniSection& bl = Control("bitlabel", "bitlabel");
    ControlBase(bl, PicControls, lbl);
    EightPoint(bl, 60, 16, 2);
    // The character table: where the digits' cells lie in the picture.
    bl.Rect("skintextrect", glyphs).Int("symbolwidth", sw).Int("symbolheight", sh)
        .Int("symbolslinecount", 1).Text("symbolsline0", "0123456789");

    struct F { const char* type; int frames; bool vertical; };
    for (const F& f : {F{"frameregulator", 8, false}, F{"framegauge", 10, true}, F{"animate", 4, false},
                       F{"switch", 2, false}}) {
        const int fw = 16;
        Box strip = ctl_.Alloc(f.vertical ? fw : fw * f.frames, f.vertical ? fw * f.frames : fw);
        for (int i = 0; i < f.frames; ++i) {
            Box cell = f.vertical ? MakeBox(strip.Left, strip.Top + i * fw, strip.Right, strip.Top + (i + 1) * fw)
                                  : MakeBox(strip.Left + i * fw, strip.Top, strip.Left + (i + 1) * fw, strip.Bottom);
            ctl_.Canvas.Bevel(cell, Shade(s_.Face, 6 * i), s_.Light, s_.Dark);
        }
        IniSection& sec = Control(f.type, f.type);
        ControlBase(sec, PicControls, strip);
        sec.Int("framescount", f.frames).Text("framesplacement", f.vertical ? "fpvertical" : "fphorizontal");
        if (std::string(f.type) == "frameregulator")
            sec.Text("kind", "rkround");
    }
}

void Builder::Lists(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries)
{
    IniSection& sec = ini().Section(section);
    sec.Int("count", int(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        sec.Text(std::to_string(i), entries[i].first + ":" + entries[i].second);
}

BuiltSkin Builder::Build()
{
    out_.Active.resize(5);
    // Sections are laid out in the order the skin data component writes them.
    Version();
    ini().Section("PICTURES");
    FormInfo();
    PopupAndHint();
    if (s_.Shaped)
        Areas();
    ini().Section("SKINOBJECTS");
    FrameObjects();
    ExtraObjects();
    ini().Section("SKINCONTROLS");
    Buttons();
    Panels();
    CheckRadios();
    Gauges();
    Labels();
    TrackBars();
    Edits();
    Lists();
    ScrollBars();
    UpDowns();
    Singles();
    ExtraControls();
    Lists("SKINOBJECTS", objects_);
    Lists("SKINCONTROLS", controls_);

    FormPicture();
    ctl_.Finish(s_.Window);
    frm_.Finish(s_.Window);
    out_.Active[PicControls] = {"controls.bmp", ctl_.Canvas};
    out_.Active[PicFrame] = {"frame.bmp", frm_.Canvas};
    SkinCanvas back(32, 32, s_.Client);
    back.Checker(Local(32, 32), s_.Client, Shade(s_.Client, -10), 8);
    out_.Active[PicBack] = {"back.bmp", back};
    Pictures();
    return std::move(out_);
}

} // namespace
} // namespace Skingen

namespace Skingen {

BuiltSkin BuildSkin(const SkinStyle& style)
{
    return Builder(style).Build();
}

SkinStyle Korvel2Style()
{
    SkinStyle s;
    s.Name = "Korvel2";
    s.Comments = "Default skin of the broadcasting program";
    s.Face = Rgb(196, 202, 212);
    s.Light = Rgb(240, 244, 250);
    s.Dark = Rgb(92, 100, 118);
    s.Border = Rgb(40, 48, 66);
    s.CaptionTop = Rgb(58, 96, 160);
    s.CaptionBottom = Rgb(28, 52, 104);
    s.InactiveTop = Rgb(150, 156, 168);
    s.InactiveBottom = Rgb(118, 124, 138);
    s.Text = Rgb(16, 20, 32);
    s.ActiveText = Rgb(20, 60, 150);
    s.DisabledText = Rgb(128, 132, 140);
    s.CaptionText = Rgb(255, 255, 255);
    s.Accent = Rgb(64, 112, 200);
    s.Window = Rgb(250, 250, 252);
    s.Client = Rgb(212, 216, 224);
    s.FormWidth = 200;
    s.FormHeight = 120;
    s.CaptionHeight = 22;
    s.BorderWidth = 4;
    s.CaptionButton = 16;
    s.ControlHeight = 21;
    s.Corner = 0;
    s.Shaped = false;
    s.Morphing = false;
    s.MorphKind = "mkdefault";
    s.InactiveEffect = "iebrightness";
    s.ButtonsInLeft = false;
    return s;
}

SkinStyle SarnicStyle()
{
    SkinStyle s;
    s.Name = "Sarnic";
    s.Comments = "Shaped skin with inactive and roll-up pictures";
    s.Face = Rgb(214, 196, 160);
    s.Light = Rgb(250, 238, 210);
    s.Dark = Rgb(120, 92, 52);
    s.Border = Rgb(70, 48, 20);
    s.CaptionTop = Rgb(176, 84, 32);
    s.CaptionBottom = Rgb(120, 46, 14);
    s.InactiveTop = Rgb(168, 150, 128);
    s.InactiveBottom = Rgb(136, 120, 100);
    s.Text = Rgb(40, 24, 8);
    s.ActiveText = Rgb(150, 50, 10);
    s.DisabledText = Rgb(150, 136, 118);
    s.CaptionText = Rgb(255, 240, 200);
    s.Accent = Rgb(200, 110, 40);
    s.Window = Rgb(252, 246, 234);
    s.Client = Rgb(226, 212, 186);
    s.FormWidth = 240;
    s.FormHeight = 150;
    s.CaptionHeight = 28;
    s.BorderWidth = 6;
    s.CaptionButton = 18;
    s.ControlHeight = 23;
    s.Corner = 10;
    s.Shaped = true;
    s.Morphing = true;
    s.MorphKind = "mkgradient";
    s.InactiveEffect = "iedarkness";
    s.ButtonsInLeft = true;
    return s;
}

bool WriteSkinFolder(const BuiltSkin& skin, const std::string& folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '/' && base.back() != '\\')
        base += '/';
    std::string text = skin.Description.Render();
    FILE* f = std::fopen((base + "skin.ini").c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    for (const SkinPicture& p : skin.Main)
        if (!p.FileName.empty())
            ok = p.Canvas.SaveBmp(base + p.FileName) && ok;
    for (const SkinPicture& p : skin.Active)
        ok = p.Canvas.SaveBmp(base + p.FileName) && ok;
    return ok;
}

} // namespace Skingen
