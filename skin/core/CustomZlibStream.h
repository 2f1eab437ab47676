// Compression streams: a write-only deflating filter and a read-only inflating
// filter over another stream (zlib format), and the two whole-stream routines
// that pack and unpack a skin's compressed block.
#pragma once
#include "Streams.h"
#include "SysUtils.h"
#include <zlib.h>

// Scoped: the colour constants clNone and clDefault share the short names.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class EZlibError : public Exception { public: using Exception::Exception; };
class ECompressionError : public EZlibError { public: using EZlibError::EZlibError; };
class EDecompressionError : public EZlibError { public: using EZlibError::EZlibError; };

// Skins are operator input: no inflate may grow past this unless a caller asks.
constexpr long long MaxInflatedSize = 64LL * 1024 * 1024;

class TCustomZlibStream : public TStream {
public:
    TNotifyEvent OnProgress;
protected:
    explicit TCustomZlibStream(TStream* Strm);
    virtual void Progress(TObject* Sender);
    // Puts the underlying stream back where this filter left it, in case
    // someone else moved it between two transfers.
    void RestorePosition();
    static constexpr int BufferSize = 4096;
    TStream* FStrm;                 // not owned
    long long FStrmPos;
    z_stream FZRec;
    unsigned char FBuffer[BufferSize];
};

class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
    // Finishes the zlib stream when Finish was not called; errors are lost there.
    ~TCompressionStream() override;
    long Read(void* Buffer, long Count) override;
    long Write(const void* Buffer, long Count) override;
    // Only the position query (0 from the current position) is allowed.
    long long Seek(long long Offset, TSeekOrigin Origin) override;
    double GetCompressionRate() const;
    // Writes the end of the zlib stream; the data is complete only after this.
    // Raises what the underlying stream raises.
    void Finish();
private:
    bool FFinished = false;
    bool FInitialised = false;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    // MaxOutput bounds the inflated bytes; reading past it raises.
    explicit TDecompressionStream(TStream* Source, long long MaxOutput = MaxInflatedSize);
    ~TDecompressionStream() override;
    // Up to Count inflated bytes; fewer only at the end of the zlib stream or
    // when the input ends before it (a cut block: what it holds is delivered).
    // Damaged data raises EDecompressionError; bytes after the end of the zlib
    // stream are not read.
    long Read(void* Buffer, long Count) override;
    long Write(const void* Buffer, long Count) override;
    long long Seek(long long Offset, TSeekOrigin Origin) override;
    // True once the zlib stream has ended whole (its checksum read and right).
    bool Ended() const { return FEnded; }
private:
    long long FStartPos;            // where the zlib stream begins in Source
    long long FMaxOutput;
    bool FEnded = false;
};

// Compresses the whole of Source into Target at clMax.
void CompressStream(TStream* Source, TStream* Target);
// Inflates the whole of Source into Target (note: Target first). The inflated
// size is bounded by MaxOutput; a damaged block raises EDecompressionError. A
// block cut short leaves in Target what it held and returns false; true when
// the zlib stream ended whole. Whoever needs the whole data checks the result.
bool DeCompressStream(TStream* Target, TStream* Source, long long MaxOutput = MaxInflatedSize);
