// The text look that the hand-made skinned labels read from a "stdlabel" record:
// font name, style, height, colour and the colour under the mouse.
#pragma once
#include "Graphics.h"
#include "SkinData.h"
#include "SkinElement.h"
#include <string>

struct TspStdLabelLook {
    TspSkinFontFields Font;
    TColor ActiveFontColor = 0;

    // The record index of Name in Data (-1 without data, with an empty skin or
    // without such a name). A std-label record found there is copied; a record of
    // another kind leaves the copied values as they were.
    int Lookup(const TspSkinData* Data, const std::string& Name)
    {
        const int index = Data ? Data->FindControlElement(Name) : -1;
        if (index == -1) return -1;
        if (const auto* r = dynamic_cast<const TspDataSkinStdLabelControl*>(Data->ControlRecord(index))) {
            Font = r->Font;
            Font.Height = ClampFontHeight(Font.Height);
            ActiveFontColor = r->ActiveFontColor;
        }
        return index;
    }
    void ApplyTo(TFont* F) const
    {
        ApplySkinFontFields(F, Font);
    }
};
