#include "Mpeg4Engine.h"
#include "VolHeader.h"
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

const int kMaxSide = 4096;

// Source and destination planes of a DIB for swscale: a bottom-up DIB is
// walked from its last row with a negative stride so the picture stands upright.
void DibPlane(uint8_t* dib, const DibLayout& l, uint8_t* planes[4], int strides[4])
{
    int stride = static_cast<int>(l.Stride());
    planes[0] = l.TopDown ? dib : dib + static_cast<size_t>(l.Height - 1) * l.Stride();
    strides[0] = l.TopDown ? stride : -stride;
    planes[1] = planes[2] = planes[3] = nullptr;
    strides[1] = strides[2] = strides[3] = 0;
}

} // namespace

bool IsCodecFrameSize(int width, int height)
{
    return width >= 16 && height >= 16 && width <= kMaxSide && height <= kMaxSide && width % 2 == 0 &&
           height % 2 == 0;
}

int QuantiserForQuality(int quality)
{
    if (quality < 0) quality = 0;
    if (quality > 10000) quality = 10000;
    return 1 + ((10000 - quality) * 30 + 5000) / 10000;
}

// ---------------------------------------------------------------- encoder

bool CMpeg4Encoder::Begin(int width, int height)
{
    End();
    if (!IsCodecFrameSize(width, height)) return false;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!codec) return false;
    FContext = avcodec_alloc_context3(codec);
    FFrame = av_frame_alloc();
    FPacket = av_packet_alloc();
    if (!FContext || !FFrame || !FPacket) {
        End();
        return false;
    }
    FContext->width = width;
    FContext->height = height;
    FContext->pix_fmt = AV_PIX_FMT_YUV420P;
    FContext->time_base = AVRational{1, 8};
    FContext->framerate = AVRational{8, 1};
    FContext->gop_size = kKeyFrameInterval;
    FContext->max_b_frames = 0;                 // one frame in, one frame out, as VfW expects
    FContext->thread_count = 1;
    FContext->flags |= AV_CODEC_FLAG_QSCALE;    // a fixed quantiser per frame, from the caller's quality
    FContext->global_quality = FF_QP2LAMBDA * QuantiserForQuality(7500);
    if (avcodec_open2(FContext, codec, nullptr) < 0) {
        End();
        return false;
    }
    FFrame->format = AV_PIX_FMT_YUV420P;
    FFrame->width = width;
    FFrame->height = height;
    if (av_frame_get_buffer(FFrame, 0) < 0) {
        End();
        return false;
    }
    FScaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, AV_PIX_FMT_YUV420P, SWS_BILINEAR,
                             nullptr, nullptr, nullptr);
    if (!FScaler) {
        End();
        return false;
    }
    FPts = 0;
    return true;
}

void CMpeg4Encoder::End()
{
    if (FScaler) sws_freeContext(FScaler);
    FScaler = nullptr;
    av_packet_free(&FPacket);
    av_frame_free(&FFrame);
    avcodec_free_context(&FContext);
}

CMpeg4Encoder::Result CMpeg4Encoder::Encode(const uint8_t* dib, bool topDown, int quality, bool forceKey,
                                            uint8_t* out, size_t capacity, size_t& written, bool& key)
{
    written = 0;
    key = false;
    if (!Active() || !dib || !out) return Result::Failed;
    if (av_frame_make_writable(FFrame) < 0) return Result::Failed;
    DibLayout l{FContext->width, FContext->height, topDown};
    uint8_t* src[4];
    int srcStride[4];
    DibPlane(const_cast<uint8_t*>(dib), l, src, srcStride);
    sws_scale(FScaler, src, srcStride, 0, l.Height, FFrame->data, FFrame->linesize);
    // Our own running count: the caller's frame numbers may repeat or restart,
    // and the encoder refuses time stamps that do not grow.
    FFrame->pts = FPts++;
    FFrame->quality = FF_QP2LAMBDA * QuantiserForQuality(quality);
    FFrame->pict_type = forceKey ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    if (avcodec_send_frame(FContext, FFrame) < 0) return Result::Failed;
    if (avcodec_receive_packet(FContext, FPacket) < 0) return Result::Failed;

    const uint8_t* data = FPacket->data;
    size_t size = static_cast<size_t>(FPacket->size);
    key = (FPacket->flags & AV_PKT_FLAG_KEY) != 0;
    Result r = Result::Ok;
    if (key) {
        int w = 0, h = 0;
        if (!RewriteKeyFrameHeader(data, size, FHeader, w, h) || w != l.Width || h != l.Height) {
            r = Result::Failed;
        } else {
            data = FHeader.data();
            size = FHeader.size();
        }
    }
    if (r == Result::Ok && size > capacity) r = Result::TooLarge;
    if (r == Result::Ok) {
        std::memcpy(out, data, size);
        written = size;
    }
    av_packet_unref(FPacket);
    return r;
}

// ---------------------------------------------------------------- decoder

bool CMpeg4Decoder::Begin(int width, int height)
{
    End();
    if (!IsCodecFrameSize(width, height)) return false;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MPEG4);
    if (!codec) return false;
    FContext = avcodec_alloc_context3(codec);
    FFrame = av_frame_alloc();
    FPacket = av_packet_alloc();
    if (!FContext || !FFrame || !FPacket) {
        End();
        return false;
    }
    FContext->thread_count = 1;
    // Damaged data is refused rather than concealed: the caller then waits for a key frame.
    FContext->err_recognition |= AV_EF_EXPLODE;
    if (avcodec_open2(FContext, codec, nullptr) < 0) {
        End();
        return false;
    }
    FScaler = sws_getContext(width, height, AV_PIX_FMT_YUV420P, width, height, AV_PIX_FMT_BGR24, SWS_BILINEAR,
                             nullptr, nullptr, nullptr);
    if (!FScaler) {
        End();
        return false;
    }
    FWidth = width;
    FHeight = height;
    FNeedKey = true;
    return true;
}

void CMpeg4Decoder::End()
{
    if (FScaler) sws_freeContext(FScaler);
    FScaler = nullptr;
    av_packet_free(&FPacket);
    av_frame_free(&FFrame);
    avcodec_free_context(&FContext);
    FWidth = FHeight = 0;
}

bool CMpeg4Decoder::Decode(const uint8_t* data, size_t length, uint8_t* dib, bool topDown)
{
    if (!Active() || !data || !dib || length == 0 || length > INT32_MAX - AV_INPUT_BUFFER_PADDING_SIZE) return false;
    // libavcodec reads a little past the end of its input: give it zeroed padding.
    FInput.assign(data, data + length);
    FInput.resize(length + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    FPacket->data = FInput.data();
    FPacket->size = static_cast<int>(length);
    int sent = avcodec_send_packet(FContext, FPacket);
    FPacket->data = nullptr;
    FPacket->size = 0;
    if (sent < 0 || avcodec_receive_frame(FContext, FFrame) < 0) {
        Restart();
        return false;
    }
    bool sound = FFrame->decode_error_flags == 0 && !(FFrame->flags & AV_FRAME_FLAG_CORRUPT) &&
                 FFrame->format == AV_PIX_FMT_YUV420P && FFrame->width == FWidth && FFrame->height == FHeight;
    // A picture predicted from a reference this decoder never had is not shown either.
    bool ok = sound && (!FNeedKey || FFrame->key_frame);
    if (ok) {
        DibLayout l{FWidth, FHeight, topDown};
        uint8_t* dst[4];
        int dstStride[4];
        DibPlane(dib, l, dst, dstStride);
        sws_scale(FScaler, FFrame->data, FFrame->linesize, 0, FHeight, dst, dstStride);
        FNeedKey = false;
    }
    av_frame_unref(FFrame);
    if (!sound) Restart();
    return ok;
}

void CMpeg4Decoder::Restart()
{
    // Damaged data can leave libavcodec with stream state that a later VOL
    // header does not reset (a misread B-VOP switches low delay off for good,
    // and every picture would then come one frame late). A fresh decoder that
    // waits for the next key frame recovers fully.
    int w = FWidth, h = FHeight;
    if (!Begin(w, h)) End();
}
