// Path routines of the file-system controls and the dialogs built on them. None
// of them changes the process's current directory.
#pragma once
#include <functional>
#include <string>

namespace Spfilectrl {

// True when the attributes of Name can be read and mark a directory.
bool DirectoryExists(const std::string& Name);
// Creates Dir and every missing parent; true when Dir exists afterwards
// (an existing directory and a drive root give true and create nothing).
bool ForceDirectories(std::string Dir);
// Dir + Name with one backslash between them.
std::string AppendPathPart(const std::string& Dir, const std::string& Name);
// One shortening step of MinimizeName: the first directory of Dir gives way to
// "...\" ("\A\B\" -> "\...\B\" -> "\...\" ...; "\" -> "").
void DropFirstDirectory(std::string& Dir);
// FileName shortened with "...\" until TextWidth(result) is at most MaxLen, or
// only the file name is left: D:\...\Data\file.txt, ...\file.txt, file.txt.
std::string MinimizeName(const std::string& FileName, const std::function<int(const std::string&)>& TextWidth,
                         int MaxLen);
// The volume label of drive Letter in square brackets, cased like Letter;
// "[]" when the drive has none or cannot be read (no error box either way).
std::string DriveVolumeText(char Letter);
// The remote name of the network drive Letter, cased like Letter; for a drive
// that is no network connection DriveVolumeText.
std::string DriveNetworkText(char Letter);

// A path typed into a file-system control, split against BaseDir (the folder
// the control shows, in place of the process's current directory, which is
// never changed): Drive is the drive letter ('\0' on a network share), DirPart
// the folder without its drive (with the share root on a share), FilePart a
// name or pattern left over. "[label]" stands for BaseDir's own drive. A typed
// name that is no existing file but a folder is entered and FilePart emptied.
// A folder that is not there raises Exception.
void ProcessPath(const std::string& EditText, const std::string& BaseDir, char& Drive, std::string& DirPart,
                 std::string& FilePart);

} // namespace Spfilectrl
