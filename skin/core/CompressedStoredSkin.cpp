#include "CompressedStoredSkin.h"
#include "SkinBudget.h"
#include "SkinIniValues.h"
#include "SkinSections.h"
#include <cstring>

namespace {

const char* const MainPictureKeys[MainPictureCount] = {"picture", "inactivepicture", "mask", "rolluppicture",
                                                       "rollupmask"};

// Counts inflated bytes without keeping them: checking a block costs no memory.
class TCountingStream : public TStream {
public:
    long Read(void*, long) override { return 0; }
    long Write(const void*, long Count) override
    {
        FSize += Count;
        return Count;
    }
    long long Seek(long long, TSeekOrigin) override { return FSize; }
private:
    long long FSize = 0;
};

void LoadSkinPicture(const std::string& Folder, const std::string& Name, TBitmap* Bitmap,
                     Skindata::TSkinBudget& Budget)
{
    if (!Skindata::IsSafeFileName(Name)) throw ESkinDataError("Picture name \"" + Name + "\" is not valid");
    Skindata::LoadBitmapFile(Folder + Name, Bitmap, &Budget);
}

} // namespace

TspCompressedStoredSkin::TspCompressedStoredSkin(TComponent* AOwner) : TComponent(AOwner) {}

TspCompressedStoredSkin::~TspCompressedStoredSkin() = default;

void TspCompressedStoredSkin::ReplaceBlock(const std::vector<char>& Block)
{
    FCompressedStream.Clear();
    if (!Block.empty()) FCompressedStream.WriteBuffer(Block.data(), static_cast<long>(Block.size()));
    FCompressedStream.SetPosition(0);
}

bool TspCompressedStoredSkin::LoadFromIniFile(const std::string& FileName)
{
    TspStoredSkinStream content;
    content.Text = Skindata::ReadDescriptionFile(FileName);
    // Stored as CR LF lines whatever the file used.
    content.SetDescriptionLines(content.DescriptionLines());
    TMemIniFile ini;
    ini.SetText(content.Text);
    if (!Skindata::CheckSkinFile(&ini)) return false;
    const std::string folder = ExtractFilePath(FileName);
    Skindata::TSkinBudget budget;
    for (int i = 0; i < MainPictureCount; ++i) {
        std::string name = ini.ReadString("PICTURES", MainPictureKeys[i], "");
        if (!name.empty()) LoadSkinPicture(folder, name, content.MainPictures[i].get(), budget);
    }
    TStringList names;
    Sputils::ReadStrings1(&ini, "PICTURES", "activepictures", &names);
    for (int i = 0; i < names.Count(); ++i) {
        budget.AddPictureSlot();
        auto b = std::make_unique<TBitmap>();
        LoadSkinPicture(folder, names[i], b.get(), budget);
        content.ActivePictures.push_back(std::move(b));
    }
    TMemoryStream plain;
    content.WriteTo(&plain);
    TMemoryStream packed;
    CompressStream(&plain, &packed);
    FCompressedStream.Clear();
    packed.SetPosition(0);
    FCompressedStream.LoadFromStream(&packed);
    return true;
}

bool TspCompressedStoredSkin::LoadFromCompressFile(const std::string& FileName)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    return LoadFromCompressStream(&f);
}

bool TspCompressedStoredSkin::LoadFromCompressStream(TStream* Stream)
{
    int32_t version, count;
    Stream->ReadBuffer(&version, 4);
    if (version > 3) return false;
    Stream->ReadBuffer(&count, 4);
    long long left = Stream->GetSize() - Stream->GetPosition();
    if (count <= 0) throw ESkinDataError("Skin file holds no compressed block");
    if (count > left) throw EReadError("Stream read error");
    // A block is never much larger than what it may inflate to.
    if (count > MaxInflatedSize + 1024 * 1024) throw ESkinDataError("Skin file block is too large");
    std::vector<char> block(static_cast<size_t>(count));
    Stream->ReadBuffer(block.data(), count);
    // Only a block that inflates whole, within the bound, replaces a good one.
    {
        TMemoryStream probe;
        probe.WriteBuffer(block.data(), count);
        TCountingStream sink;
        if (!DeCompressStream(&sink, &probe)) throw EDecompressionError("compressed data ends early");
    }
    ReplaceBlock(block);
    return true;
}

void TspCompressedStoredSkin::SaveToCompressFile(const std::string& FileName)
{
    if (GetEmpty()) return;
    // Written in memory first, so a failed write never leaves half a file
    // behind a good name any longer than the one write takes.
    TMemoryStream out;
    SaveToCompressStream(&out);
    TFileStream f(FileName, fmCreate);
    out.SaveToStream(&f);
}

void TspCompressedStoredSkin::SaveToCompressStream(TStream* Stream)
{
    if (GetEmpty()) return;
    int32_t version = 2;
    int32_t size = static_cast<int32_t>(FCompressedStream.GetSize());
    Stream->WriteBuffer(&version, 4);
    Stream->WriteBuffer(&size, 4);
    FCompressedStream.SaveToStream(Stream);
}

void TspCompressedStoredSkin::DeCompressToStream(TMemoryStream& Stream)
{
    // A skin is taken whole or not at all: a cut block is no skin.
    if (!DeCompressStream(&Stream, &FCompressedStream)) throw EDecompressionError("compressed data ends early");
    Stream.SetPosition(0);
}

void TspCompressedStoredSkin::ReadData(TStream* Stream)
{
    long long left = Stream->GetSize() - Stream->GetPosition();
    std::vector<char> block(static_cast<size_t>(left > 0 ? left : 0));
    if (!block.empty()) Stream->ReadBuffer(block.data(), static_cast<long>(block.size()));
    ReplaceBlock(block);
}

void TspCompressedStoredSkin::WriteData(TStream* Stream)
{
    FCompressedStream.SaveToStream(Stream);
}

void TspCompressedStoredSkin::SetFileName(const std::string& Value)
{
    // In the designer the name picks an uncompressed skin to pack at once; at
    // run time it is only kept.
    if (IsDesigning() && !IsLoading()) {
        FFileName = ExtractFileName(Value);
        LoadFromIniFile(Value);
    } else {
        FFileName = Value;
    }
}

void TspCompressedStoredSkin::SetCompressedFileName(const std::string& Value)
{
    if (IsDesigning() && !IsLoading()) {
        FCompressedFileName = ExtractFileName(Value);
        LoadFromCompressFile(Value);
    } else {
        FCompressedFileName = Value;
    }
}
