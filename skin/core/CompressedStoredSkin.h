// TspCompressedStoredSkin: a skin kept as its compressed block in memory, so a
// skin can travel inside the program; and the compressed skin file (.skn) that
// carries the same block behind an 8-byte header.
#pragma once
#include "Classes.h"
#include "IniFiles.h"
#include "CustomZlibStream.h"
#include "StoredSkinStream.h"

class TspSkinData;

class TspCompressedStoredSkin : public TComponent {
public:
    explicit TspCompressedStoredSkin(TComponent* AOwner);
    ~TspCompressedStoredSkin() override;

    bool GetEmpty() { return FCompressedStream.GetSize() == 0; }
    // Builds the block from an uncompressed skin (description and BMP pictures
    // beside it). False, block unchanged, when the description is not usable;
    // raises (block unchanged) when a picture is missing, bad or named outside
    // the description's folder.
    bool LoadFromIniFile(const std::string& FileName);
    // Builds the block from the skin that SkinData holds.
    void LoadFromSkinData(TspSkinData* SkinData);
    // Replaces the block with the block of a compressed skin file. False, block
    // unchanged, for a version above 3. A file that cannot be opened, a byte
    // count that is not positive or exceeds the bytes left, or a block that does
    // not inflate to a whole zlib stream within the size bound raises, and the
    // block keeps what it held.
    bool LoadFromCompressFile(const std::string& FileName);
    // The same from a stream holding a compressed skin file at its position
    // (a program resource, for instance).
    bool LoadFromCompressStream(TStream* Stream);
    // Writes version 2, the block's size and the block; nothing for an empty block.
    void SaveToCompressFile(const std::string& FileName);
    void SaveToCompressStream(TStream* Stream);
    // Inflates the block into Stream (its stored skin stream), bounded.
    void DeCompressToStream(TMemoryStream& Stream);

    // The block as a form property keeps it: restored and written byte for byte.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);
    // The raw compressed block.
    TMemoryStream* GetCompressedStream() { return &FCompressedStream; }

    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value);
    const std::string& GetCompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const std::string& Value);
    std::string Description;

private:
    void ReplaceBlock(const std::vector<char>& Block);
    std::string FFileName;
    std::string FCompressedFileName;
    TMemoryStream FCompressedStream;
};
