// Mutated skins: bit flips, truncations, huge counts and sizes, applied to the
// .skn file and to the stream inside its block. Every one loads without a
// crash, a hang or an unbounded allocation, and a refused one leaves the
// previous skin in place. Seeded, so a failure repeats.
#include "test_gtest.h"
#include "SkinData.h"
#include "skin_data_fixtures.h"
#include <psapi.h>
#include <cstring>
#include <random>

using namespace skinfix;

namespace {

std::vector<char> Deflate(const std::vector<char>& Plain)
{
    TMemoryStream out;
    // The fastest level: thousands of blocks are made here, and the level does
    // not matter to the reader.
    TCompressionStream c(TCompressionLevel::clFastest, &out);
    if (!Plain.empty()) c.WriteBuffer(Plain.data(), static_cast<long>(Plain.size()));
    c.Finish();
    return StreamBytes(out);
}

std::vector<char> Skn(const std::vector<char>& Block)
{
    std::vector<char> v(8);
    int version = 2, n = static_cast<int>(Block.size());
    std::memcpy(v.data(), &version, 4);
    std::memcpy(v.data() + 4, &n, 4);
    v.insert(v.end(), Block.begin(), Block.end());
    return v;
}

// What a refused load must leave as it was.
std::string Fingerprint(TspSkinData& D)
{
    return D.SkinName + "|" + IntToStr(D.Empty) + "|" + IntToStr(D.Picture->GetWidth()) + "x" +
           IntToStr(D.Picture->GetHeight()) + "|" + IntToStr(D.ActivePictures.size()) + "|" +
           IntToStr(D.ObjectList.size()) + "|" + IntToStr(D.CtrlList.size()) + "|" + IntToStr(D.AreaList.size()) +
           "|" + IntToStr(D.ClientRect.left) + "," + IntToStr(D.ClientRect.bottom);
}

bool LoadSkn(TspSkinData& D, const std::vector<char>& Bytes)
{
    TMemoryStream m;
    if (!Bytes.empty()) m.WriteBuffer(Bytes.data(), static_cast<long>(Bytes.size()));
    m.SetPosition(0);
    TspCompressedStoredSkin stored(nullptr);
    if (!stored.LoadFromCompressStream(&m)) return false;
    return D.LoadCompressedStoredSkin(&stored);
}

class TMutator {
public:
    explicit TMutator(unsigned Seed) : FRng(Seed) {}
    size_t Below(size_t N) { return N ? static_cast<size_t>(FRng() % N) : 0; }

    void FlipBits(std::vector<char>& V)
    {
        if (V.empty()) return;
        for (size_t k = 1 + Below(8); k > 0; --k) V[Below(V.size())] ^= static_cast<char>(1 << Below(8));
    }
    void Truncate(std::vector<char>& V) { V.resize(Below(V.size())); }
    // A 32-bit field somewhere, most often near the start where the kind,
    // the picture headers and the first counts are, set to an extreme.
    void HugeField(std::vector<char>& V)
    {
        static const uint32_t values[] = {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x00FFFFFFu, 0x10000u, 0u};
        if (V.size() < 4) return;
        size_t span = Below(2) ? std::min<size_t>(V.size() - 3, 256) : V.size() - 3;
        uint32_t x = values[Below(sizeof(values) / sizeof(values[0]))];
        std::memcpy(&V[Below(span)], &x, 4);
    }
    // A number of the description made extreme (counts, indexes, coordinates).
    void HugeNumber(std::vector<char>& V)
    {
        static const char* const values[] = {"2147483647", "-2147483648", "99999999999", "-1", "0"};
        for (int tries = 0; tries < 20; ++tries) {
            size_t at = Below(V.size());
            if (at >= V.size() || V[at] < '0' || V[at] > '9') continue;
            size_t end = at;
            while (end < V.size() && V[end] >= '0' && V[end] <= '9') ++end;
            const char* v = values[Below(sizeof(values) / sizeof(values[0]))];
            V.erase(V.begin() + at, V.begin() + end);
            V.insert(V.begin() + at, v, v + std::strlen(v));
            return;
        }
    }
private:
    std::mt19937 FRng;
};

void PeakCommitBelow(SIZE_T Limit)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)));
    EXPECT_LT(pmc.PeakPagefileUsage, Limit);
}

void FuzzSeed(const std::string& What, const std::vector<char>& Seed, int Rounds, unsigned RngSeed)
{
    TspSkinData data(nullptr);
    ASSERT_TRUE(LoadSkn(data, Seed)) << What;
    const std::string reference = Fingerprint(data);
    // The stream inside the block, to mutate below the checksum.
    std::vector<char> plain;
    {
        TMemoryStream block, out;
        block.WriteBuffer(Seed.data() + 8, static_cast<long>(Seed.size() - 8));
        DeCompressStream(&out, &block);
        plain = StreamBytes(out);
    }
    TMutator mut(RngSeed);
    int accepted = 0, refused = 0;
    for (int round = 0; round < Rounds; ++round) {
        std::vector<char> file;
        size_t kind = mut.Below(7);
        if (kind < 3) {
            file = Seed;
            if (kind == 0) mut.FlipBits(file);
            if (kind == 1) mut.Truncate(file);
            if (kind == 2) mut.HugeField(file);
        } else {
            auto inner = plain;
            if (kind == 3) mut.FlipBits(inner);
            if (kind == 4) mut.Truncate(inner);
            if (kind == 5) mut.HugeField(inner);
            if (kind == 6) mut.HugeNumber(inner);
            file = Skn(Deflate(inner));
        }
        bool loaded = false;
        try {
            loaded = LoadSkn(data, file);
        } catch (const Exception&) {
            // Refused with the class library's errors: what a bad skin should give.
        }
        if (loaded) {
            ++accepted;
            ASSERT_TRUE(LoadSkn(data, Seed));
        } else {
            ++refused;
            ASSERT_EQ(Fingerprint(data), reference) << What << " round " << round << " kind " << kind;
        }
    }
    // Both outcomes must have happened, or the mutations did not reach the reader.
    EXPECT_GT(refused, Rounds / 4) << What;
    EXPECT_GT(accepted, 0) << What;
    PeakCommitBelow(1536u << 20);
}

std::vector<char> FixtureSkn()
{
    TTempDir dir;
    TspCompressedStoredSkin s(nullptr);
    s.LoadFromIniFile(WriteFixtureSkin(dir));
    TMemoryStream m;
    s.SaveToCompressStream(&m);
    return StreamBytes(m);
}

} // namespace

TEST(SkinFuzz, MutatedFixtureSkinsNeverReplaceTheSkinOrCrash)
{
    FuzzSeed("fixture", FixtureSkn(), 2500, 1301);
}

#ifdef SKINS_DIR
TEST(SkinFuzz, MutatedDefaultSkinsNeverReplaceTheSkinOrCrash)
{
    const std::string path = std::string(SKINS_DIR) + "\\Korvel2.skn";
    ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    FuzzSeed("Korvel2.skn", ReadFileBytes(path), 400, 2027);
}
#endif
