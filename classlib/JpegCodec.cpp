#include "JpegCodec.h"
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace JpegCodec {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return;
// we jump back to the call that started the work (no C++ frame lies between).
struct ErrorManager {
    jpeg_error_mgr Pub;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    ErrorManager* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->Message);
    longjmp(err->Jump, 1);
}

void OutputMessage(j_common_ptr) {}

// libjpeg speaks RGB; Windows bitmaps store blue first.
void SwapRedBlue(unsigned char* p, int Count)
{
    for (int i = 0; i < Count; ++i, p += 3) {
        unsigned char t = p[0];
        p[0] = p[2];
        p[2] = t;
    }
}

} // namespace

bool ReadSize(const unsigned char* Data, size_t Size, int& Width, int& Height, std::string& Error)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.output_message = OutputMessage;
    if (setjmp(err.Jump)) {
        Error = err.Message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&cinfo, TRUE);
    Width = static_cast<int>(cinfo.image_width);
    Height = static_cast<int>(cinfo.image_height);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool Decode(const unsigned char* Data, size_t Size, int ScaleDenom, bool Grayscale, TImage& Out,
            std::string& Error)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.output_message = OutputMessage;
    if (setjmp(err.Jump)) {
        Error = err.Message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, Data, static_cast<unsigned long>(Size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = ScaleDenom == 2 || ScaleDenom == 4 || ScaleDenom == 8 ? ScaleDenom : 1;
    bool grey = Grayscale || cinfo.num_components == 1;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Out.Width = static_cast<int>(cinfo.output_width);
    Out.Height = static_cast<int>(cinfo.output_height);
    Out.Components = static_cast<int>(cinfo.output_components);
    size_t stride = static_cast<size_t>(Out.Width) * Out.Components;
    Out.Pixels.resize(stride * Out.Height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &Out.Pixels[stride * cinfo.output_scanline];
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (Out.Components == 3) SwapRedBlue(row, Out.Width);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool Encode(const TImage& In, int Quality, bool Progressive, std::vector<unsigned char>& Out, std::string& Error)
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    // Declared before setjmp: a jump back must not skip its construction.
    size_t stride = static_cast<size_t>(In.Width) * In.Components;
    std::vector<unsigned char> line(stride);
    cinfo.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = ErrorExit;
    err.Pub.output_message = OutputMessage;
    if (setjmp(err.Jump)) {
        Error = err.Message;
        jpeg_destroy_compress(&cinfo);
        free(buffer);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &length);
    cinfo.image_width = static_cast<JDIMENSION>(In.Width);
    cinfo.image_height = static_cast<JDIMENSION>(In.Height);
    cinfo.input_components = In.Components;
    cinfo.in_color_space = In.Components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, Quality < 1 ? 1 : Quality > 100 ? 100 : Quality, TRUE);
    if (Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const unsigned char* src = &In.Pixels[stride * cinfo.next_scanline];
        line.assign(src, src + stride);
        if (In.Components == 3) SwapRedBlue(line.data(), In.Width);
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Out.assign(buffer, buffer + length);
    free(buffer);
    return true;
}

} // namespace JpegCodec
