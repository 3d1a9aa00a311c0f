#include "win/png_file.h"

#include "common/file_io.h"

#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace vm::win32 {
namespace {

// GDI+'s PNG encoder.
const CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The PNG bytes of bitmap, or an empty string.
std::string EncodePng(HBITMAP bitmap) {
    using namespace Gdiplus::DllExports;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return {};
    std::string bytes;
    Gdiplus::GpBitmap* image = nullptr;
    IStream* stream = nullptr;
    if (GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok &&
        CreateStreamOnHGlobal(nullptr, TRUE, &stream) == S_OK &&
        GdipSaveImageToStream(image, stream, &kPngEncoder, nullptr) == Gdiplus::Ok) {
        HGLOBAL memory = nullptr;
        STATSTG stat{};
        if (GetHGlobalFromStream(stream, &memory) == S_OK &&
            stream->Stat(&stat, STATFLAG_NONAME) == S_OK) {
            const char* data = static_cast<const char*>(GlobalLock(memory));
            if (data)
                bytes.assign(data, size_t(stat.cbSize.QuadPart));
            GlobalUnlock(memory);
        }
    }
    if (stream)
        stream->Release();
    if (image)
        GdipDisposeImage(image);
    Gdiplus::GdiplusShutdown(token);
    return bytes;
}

}  // namespace

bool WritePngFile(HBITMAP bitmap, const std::string& path, std::string* reason) {
    const std::string bytes = EncodePng(bitmap);
    if (bytes.empty()) {
        *reason = "无法生成PNG图片";
        return false;
    }
    FileError error;
    if (!WriteFileAtomic(path, bytes, &error)) {
        *reason = error.message;
        return false;
    }
    return true;
}

}  // namespace vm::win32
