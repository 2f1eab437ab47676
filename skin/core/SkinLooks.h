// The states a skinned part is drawn in, and a part's looks as a table indexed
// by its state: drawing code picks a look by state instead of through a chain of
// conditions. The skin file still names every look by its own key.
#pragma once
#include "Types.h"
#include <array>

// A button, a thumb or a glyph: at rest, under the pointer (the skin's keys call
// it "active"), pressed (the keys' "down").
enum TspLookState { lsNormal, lsHot, lsDown };
constexpr int LookStateCount = 3;
using TspStateLooks = std::array<TRect, LookStateCount>;

inline TspLookState LookState(bool Down, bool Hot) { return Down ? lsDown : (Hot ? lsHot : lsNormal); }

// Gives every state from First on that has no look (an empty rectangle) the look
// of the state before it: a missing pressed look shows the hot one, and so on.
inline void InheritEmptyLooks(TspStateLooks& Looks, TspLookState First)
{
    for (int s = First; s < LookStateCount; ++s)
        if (s > lsNormal && Looks[s].IsEmpty()) Looks[s] = Looks[s - 1];
}

// A tab: at rest, the selected one, the selected one while its control has the
// focus, one under the pointer.
enum TspTabState { tabNormal, tabActive, tabFocused, tabMouseIn };
constexpr int TabStateCount = 4;
using TspTabLooks = std::array<TRect, TabStateCount>;

inline TspTabState TabState(bool Active, bool Focused, bool MouseIn)
{
    if (Active) return Focused ? tabFocused : tabActive;
    return MouseIn ? tabMouseIn : tabNormal;
}
