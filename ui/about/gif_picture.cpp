#include "ui/about/gif_picture.h"

#include <cstring>

namespace pulvar {

namespace {

using Stream = Owned<IStream*, ReleaseComObject>;

constexpr int kHimetricPerInch = 2540;

// OLE may decode the picture through COM objects of its own, which need COM
// on this thread while it loads; the loaded picture itself does not.
class ComForThisScope {
public:
    ComForThisScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComForThisScope(const ComForThisScope&) = delete;
    ComForThisScope& operator=(const ComForThisScope&) = delete;

private:
    HRESULT result_;  // a thread already in another apartment keeps it
};

// OLE measures pictures in HIMETRIC, converted from pixels at the screen's
// resolution when loading; the same resolution turns them back exactly.
int ScreenDpiX() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

bool GifPicture::Load(int resourceId) {
    picture_.reset();
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
    if (!found) return false;
    const DWORD bytes = SizeofResource(module, found);
    const void* data = LockResource(LoadResource(module, found));
    if (!data || bytes == 0) return false;

    // The stream takes the memory over and frees it with itself.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* copy = GlobalLock(memory);
    if (!copy) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(copy, data, bytes);
    GlobalUnlock(memory);
    IStream* rawStream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &rawStream))) {
        GlobalFree(memory);
        return false;
    }
    Stream stream(rawStream);

    ComForThisScope com;
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        return false;
    picture_.reset(picture);
    return true;
}

SIZE GifPicture::PixelSize() const {
    if (!picture_) return {0, 0};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_.get()->get_Width(&width);
    picture_.get()->get_Height(&height);
    const int dpi = ScreenDpiX();
    return {MulDiv(width, dpi, kHimetricPerInch), MulDiv(height, dpi, kHimetricPerInch)};
}

void GifPicture::Draw(HDC dc, int x, int y) const {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_.get()->get_Width(&width);
    picture_.get()->get_Height(&height);
    const SIZE pixels = PixelSize();
    // HIMETRIC runs upwards: the source starts at the bottom with a negative height.
    picture_.get()->Render(dc, x, y, pixels.cx, pixels.cy, 0, height, width, -height, nullptr);
}

}  // namespace pulvar
