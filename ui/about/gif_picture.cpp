#include "ui/about/gif_picture.h"

#include <cstring>

#include "platform/gdi.h"
#include "platform/system_library.h"

namespace pulvar {

namespace {

using Stream = Owned<IStream*, ReleaseComObject>;
using Memory = Owned<HGLOBAL, GlobalFree>;

constexpr int kHimetricPerInch = 2540;

// OLE is loaded when the first picture is, not with the program.
using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using CreateStreamOnHGlobalFn = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
using OleLoadPictureFn = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);

struct Ole {
    CoInitializeExFn coInitializeEx = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    CoUninitializeFn coUninitialize = SystemFunction<CoUninitializeFn>(L"ole32.dll", "CoUninitialize");
    CreateStreamOnHGlobalFn createStreamOnHGlobal =
        SystemFunction<CreateStreamOnHGlobalFn>(L"ole32.dll", "CreateStreamOnHGlobal");
    OleLoadPictureFn oleLoadPicture = SystemFunction<OleLoadPictureFn>(L"oleaut32.dll", "OleLoadPicture");

    bool complete() const { return coInitializeEx && coUninitialize && createStreamOnHGlobal && oleLoadPicture; }
};

const Ole& OleFunctions() {
    static const Ole ole;
    return ole;
}

// OLE may decode the picture through COM objects of its own, which need COM
// on this thread while it loads; the loaded picture itself does not.
class ComForThisScope {
public:
    explicit ComForThisScope(const Ole& ole)
        : uninitialize_(ole.coUninitialize), result_(ole.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisScope() {
        if (SUCCEEDED(result_)) uninitialize_();
    }
    ComForThisScope(const ComForThisScope&) = delete;
    ComForThisScope& operator=(const ComForThisScope&) = delete;

private:
    CoUninitializeFn uninitialize_;
    HRESULT result_;  // a thread already in another apartment keeps it
};

// OLE measures pictures in HIMETRIC, converted from pixels at the screen's
// resolution when loading; the same resolution turns them back exactly.
int ScreenDpiX() {
    ScreenDc screen;
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

bool GifPicture::Load(int resourceId) {
    picture_.reset();
    const Ole& ole = OleFunctions();
    if (!ole.complete()) return false;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
    if (!found) return false;
    const DWORD bytes = SizeofResource(module, found);
    const void* data = LockResource(LoadResource(module, found));
    if (!data || bytes == 0) return false;

    Memory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* copy = GlobalLock(memory.get());
    if (!copy) return false;
    std::memcpy(copy, data, bytes);
    GlobalUnlock(memory.get());
    IStream* rawStream = nullptr;
    if (FAILED(ole.createStreamOnHGlobal(memory.get(), TRUE, &rawStream))) return false;
    memory.release();  // the stream frees it with itself
    Stream stream(rawStream);

    ComForThisScope com(ole);
    IPicture* picture = nullptr;
    if (FAILED(ole.oleLoadPicture(stream.get(), static_cast<LONG>(bytes), FALSE, IID_IPicture,
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
