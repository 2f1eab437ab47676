// Draws the pictures and writes the description of one of our own skins from a
// style: the default skin and the second skin are the same set of elements drawn
// with different colours, sizes and extras (masks, inactive and roll-up pictures).
#pragma once
#include "SkinCanvas.h"
#include "SkinIniText.h"
#include <memory>
#include <string>
#include <vector>

namespace Skingen {

struct SkinStyle {
    std::string Name;          // file stem and [VERSION] "skinname"
    std::string Comments;
    Colour Face, Light, Dark, Border, CaptionTop, CaptionBottom, InactiveTop, InactiveBottom;
    Colour Text, ActiveText, DisabledText, CaptionText, Accent, Window, Client;
    int FormWidth, FormHeight, CaptionHeight, BorderWidth, CaptionButton;
    int ControlHeight;         // height of edits, combo boxes and buttons
    int Corner;                // radius of the rounded window corners (shaped skins)
    bool Shaped;               // mask, inactive picture, roll-up picture and mask, control masks, areas
    bool Morphing;
    std::string MorphKind, InactiveEffect;
    bool ButtonsInLeft;
};

// One picture of the skin as a file of its folder.
struct SkinPicture {
    std::string FileName;
    SkinCanvas Canvas;
};

struct BuiltSkin {
    std::string Name;
    IniText Description;
    // The five main pictures in the order picture, inactive picture, mask, roll-up
    // picture, roll-up mask; an empty file name means no picture.
    SkinPicture Main[5];
    std::vector<SkinPicture> Active;     // index = "pictureindex"
};

BuiltSkin BuildSkin(const SkinStyle& style);
SkinStyle Korvel2Style();
SkinStyle SarnicStyle();

// Writes skin.ini and every picture into the folder (which must exist); false on a write error.
bool WriteSkinFolder(const BuiltSkin& skin, const std::string& folder);

} // namespace Skingen
