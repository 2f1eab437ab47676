// The viewer's built-in layouts: key=value texts carried as resources of type
// DEFAULTSKIN (PROP1 to PROP4). One layout is loaded at a time for the whole
// module, behind one re-entrant lock; every operation holds it for its run.
#pragma once
#include <cstddef>
#include <string>

// Loads the layout resource Name (matched without regard to case) unless it is
// already the loaded one. False when no such layout exists; the name stays current.
bool LoadSkin(const std::string& Name);
// LoadSkin of the current name.
bool EnsureSkinLoaded();
void FreeSkin();
// The value of Key (case-insensitive; lower-cased and trimmed), or Default.
std::string GetSkinValue(const std::string& Key, const std::string& Default);
// GetSkinValue as an integer; EConvertError when the value is not one.
int GetSkinInt(const std::string& Key, int Default);
// A layout key the control reads, with the value it takes when no layout
// gives one (the first layout's own values).
struct TLayoutKey {
    const char* Key;
    int Default;
};
// Every key the control reads, in no particular order.
const TLayoutKey* LayoutKeys(size_t& Count);
// The control's default for Key; EListError for a key it does not read.
int LayoutDefault(const std::string& Key);
// GetSkinInt with the control's default for Key.
int GetSkinInt(const std::string& Key);
// The current layout name ("prop1.skn" until another is loaded).
std::string CurrentSkinName();
