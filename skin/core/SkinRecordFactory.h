// Making skin element records by their type words, and reading and writing the
// [SKINOBJECTS] and [SKINCONTROLS] entry lists with their element sections.
#pragma once
#include <memory>
#include <vector>
#include "SkinBoxControls.h"
#include "SkinObjects.h"
#include "SkinSections.h"

namespace Skindata {

// The type words in the order the description format lists them.
const std::vector<std::string>& SkinObjectTypeWords();   // 16 words
const std::vector<std::string>& SkinControlTypeWords();  // 33 words

// A new, unloaded record of the kind the word names (exact, case-sensitive), or
// null for a word that names no kind.
std::unique_ptr<TspDataSkinObject> CreateSkinObject(const std::string& TypeWord, const std::string& Name);
std::unique_ptr<TspDataSkinControl> CreateSkinControl(const std::string& TypeWord, const std::string& Name);

// A record of the same kind holding the same values, for a user that wants its
// own copy to change (the skin's records are shared by every reader).
std::unique_ptr<TspDataSkinObject> CloneSkinObject(TspDataSkinObject* Source);
std::unique_ptr<TspDataSkinControl> CloneSkinControl(TspDataSkinControl* Source);

typedef std::vector<std::unique_ptr<TspDataSkinObject>> TspSkinObjectRecords;
typedef std::vector<std::unique_ptr<TspDataSkinControl>> TspSkinControlRecords;

// Reads the entries of [SKINOBJECTS] and then [SKINCONTROLS] in entry order and
// lets each new record read its own section. Skipped: entries without a colon or
// with a word that names no kind, entries whose name is empty, equals a top-level
// section, or repeats a name already taken by an object or a control (without
// regard to case, as sections are matched), since such records would share one
// section and a save would let one erase the other. The entry counts are bounded
// by the keys present. A rectangle or point that fails to convert raises
// EConvertError out of here.
void ReadSkinElements(const TCustomIniFile* IniFile, TspSkinObjectRecords& Objects, TspSkinControlRecords& Controls);
// Each list on its own (the duplicate check then covers Taken and the list itself;
// ReadSkinElements passes the object names on to the controls).
void ReadObjectRecords(const TCustomIniFile* IniFile, TspSkinObjectRecords& Objects, TStringList* Taken = nullptr);
void ReadControlRecords(const TCustomIniFile* IniFile, TspSkinControlRecords& Controls,
                        TStringList* Taken = nullptr);

// Erase the list section, write "count" and entry i = name ":" type word, and let
// each record write its own section.
void WriteObjectRecords(TCustomIniFile* IniFile, const std::vector<TspDataSkinObject*>& Objects);
void WriteControlRecords(TCustomIniFile* IniFile, const std::vector<TspDataSkinControl*>& Controls);

} // namespace Skindata
