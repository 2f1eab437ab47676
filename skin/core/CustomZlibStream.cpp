#include "CustomZlibStream.h"
#include "Trace.h"
#include <cstring>

namespace {

const char* const InvalidOperation = "Invalid stream operation";

int ZLevel(TCompressionLevel Level)
{
    switch (Level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

int CCheck(int Code)
{
    if (Code < 0) throw ECompressionError("error");
    return Code;
}

int DCheck(int Code)
{
    // A dictionary request is no progress: a block that needs one is refused.
    if (Code < 0 || Code == Z_NEED_DICT) throw EDecompressionError("compression error");
    return Code;
}

} // namespace

TCustomZlibStream::TCustomZlibStream(TStream* Strm) : FStrm(Strm), FStrmPos(Strm->GetPosition())
{
    std::memset(&FZRec, 0, sizeof(FZRec));
}

void TCustomZlibStream::Progress(TObject* Sender)
{
    if (OnProgress) OnProgress(Sender);
}

void TCustomZlibStream::RestorePosition()
{
    if (FStrm->GetPosition() != FStrmPos) FStrm->SetPosition(FStrmPos);
}

// ---- compressing filter ----

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest)
    : TCustomZlibStream(Dest)
{
    FZRec.next_out = FBuffer;
    FZRec.avail_out = BufferSize;
    CCheck(deflateInit(&FZRec, ZLevel(CompressionLevel)));
    FInitialised = true;
}

TCompressionStream::~TCompressionStream()
{
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers that care call Finish themselves.
        Trace::Caught(Trace::Skin, "finishing a compression stream");
    }
    if (FInitialised) deflateEnd(&FZRec);
}

void TCompressionStream::Finish()
{
    if (FFinished) return;
    FFinished = true;
    struct EndGuard {
        TCompressionStream* S;
        ~EndGuard()
        {
            if (S->FInitialised) deflateEnd(&S->FZRec);
            S->FInitialised = false;
        }
    } guard{this};
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    RestorePosition();
    for (;;) {
        int r = CCheck(deflate(&FZRec, Z_FINISH));
        if (r == Z_STREAM_END || FZRec.avail_out != 0) break;
        FStrm->WriteBuffer(FBuffer, BufferSize);
        FZRec.next_out = FBuffer;
        FZRec.avail_out = BufferSize;
    }
    if (FZRec.avail_out < static_cast<uInt>(BufferSize))
        FStrm->WriteBuffer(FBuffer, BufferSize - static_cast<long>(FZRec.avail_out));
    FStrmPos = FStrm->GetPosition();
}

long TCompressionStream::Read(void*, long)
{
    throw ECompressionError(InvalidOperation);
}

long TCompressionStream::Write(const void* Buffer, long Count)
{
    if (FFinished) throw ECompressionError(InvalidOperation);
    if (Count <= 0) return 0;
    FZRec.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
    FZRec.avail_in = static_cast<uInt>(Count);
    RestorePosition();
    while (FZRec.avail_in > 0) {
        CCheck(deflate(&FZRec, Z_NO_FLUSH));
        if (FZRec.avail_out == 0) {
            FStrm->WriteBuffer(FBuffer, BufferSize);
            FZRec.next_out = FBuffer;
            FZRec.avail_out = BufferSize;
            FStrmPos = FStrm->GetPosition();
            Progress(this);
        }
    }
    return Count;
}

long long TCompressionStream::Seek(long long Offset, TSeekOrigin Origin)
{
    if (Offset == 0 && Origin == soCurrent) return static_cast<long long>(FZRec.total_in);
    throw ECompressionError(InvalidOperation);
}

double TCompressionStream::GetCompressionRate() const
{
    if (FZRec.total_in == 0) return 0;
    return (1.0 - static_cast<double>(FZRec.total_out) / static_cast<double>(FZRec.total_in)) * 100.0;
}

// ---- decompressing filter ----

TDecompressionStream::TDecompressionStream(TStream* Source, long long MaxOutput)
    : TCustomZlibStream(Source), FStartPos(FStrmPos), FMaxOutput(MaxOutput)
{
    FZRec.next_in = FBuffer;
    FZRec.avail_in = 0;
    DCheck(inflateInit(&FZRec));
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FZRec);
}

long TDecompressionStream::Read(void* Buffer, long Count)
{
    if (Count <= 0 || FEnded) return 0;
    FZRec.next_out = static_cast<Bytef*>(Buffer);
    FZRec.avail_out = static_cast<uInt>(Count);
    RestorePosition();
    while (FZRec.avail_out > 0) {
        if (FZRec.avail_in == 0) {
            long n = FStrm->Read(FBuffer, BufferSize);
            // The block was cut short: what could be inflated is delivered, and
            // Ended() tells the caller that the zlib stream never finished.
            if (n <= 0) break;
            FZRec.next_in = FBuffer;
            FZRec.avail_in = static_cast<uInt>(n);
            FStrmPos = FStrm->GetPosition();
            Progress(this);
        }
        int r = DCheck(inflate(&FZRec, Z_NO_FLUSH));
        if (static_cast<long long>(FZRec.total_out) > FMaxOutput)
            throw EDecompressionError("inflated data too large");
        if (r == Z_STREAM_END) {
            // Whatever follows the zlib stream is not ours to read.
            FEnded = true;
            break;
        }
    }
    return Count - static_cast<long>(FZRec.avail_out);
}

long TDecompressionStream::Write(const void*, long)
{
    throw EDecompressionError(InvalidOperation);
}

long long TDecompressionStream::Seek(long long Offset, TSeekOrigin Origin)
{
    long long delivered = static_cast<long long>(FZRec.total_out);
    if (Offset == 0 && Origin == soBeginning) {
        DCheck(inflateReset(&FZRec));
        FZRec.next_in = FBuffer;
        FZRec.avail_in = 0;
        FEnded = false;
        // Back to where this zlib stream starts, which need not be offset 0.
        FStrm->SetPosition(FStartPos);
        FStrmPos = FStartPos;
        return 0;
    }
    long long skip;
    if (Origin == soCurrent && Offset >= 0) skip = Offset;
    else if (Origin == soBeginning && Offset > delivered) skip = Offset - delivered;
    else if (Origin == soCurrent && Offset == 0) skip = 0;
    else throw EDecompressionError(InvalidOperation);
    unsigned char scratch[BufferSize];
    while (skip > 0) {
        long piece = static_cast<long>(skip < BufferSize ? skip : BufferSize);
        ReadBuffer(scratch, piece);
        skip -= piece;
    }
    return static_cast<long long>(FZRec.total_out);
}

// ---- whole streams ----

void CompressStream(TStream* Source, TStream* Target)
{
    TCompressionStream c(TCompressionLevel::clMax, Target);
    c.CopyFrom(Source, 0);
    c.Finish();
}

bool DeCompressStream(TStream* Target, TStream* Source, long long MaxOutput)
{
    Source->SetPosition(0);
    TDecompressionStream d(Source, MaxOutput);
    unsigned char buf[4096];
    for (;;) {
        long n = d.Read(buf, sizeof(buf));
        if (n <= 0) break;
        Target->WriteBuffer(buf, n);
    }
    return d.Ended();
}
