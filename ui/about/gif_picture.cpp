#include "ui/about/gif_picture.h"

#include <cstring>

#include "platform/com.h"
#include "platform/system_library.h"
#include "ui/controls/dpi.h"

namespace pulvar {

namespace {

using Stream = Owned<IStream*, ReleaseComObject>;
using Memory = Owned<HGLOBAL, GlobalFree>;

constexpr int kHimetricPerInch = 2540;

// OLE is loaded when the first picture is, not with the program.
using CreateStreamOnHGlobalFn = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
using OleLoadPictureFn = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);

struct Ole {
    CreateStreamOnHGlobalFn createStreamOnHGlobal =
        SystemFunction<CreateStreamOnHGlobalFn>(L"ole32.dll", "CreateStreamOnHGlobal");
    OleLoadPictureFn oleLoadPicture = SystemFunction<OleLoadPictureFn>(L"oleaut32.dll", "OleLoadPicture");

    bool complete() const { return createStreamOnHGlobal && oleLoadPicture; }
};

const Ole& OleFunctions() {
    static const Ole ole;
    return ole;
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

    // OLE may decode the picture through COM objects of its own; the picture
    // then lives in the thread's apartment, which stays until the program ends.
    if (!UseCom()) return false;
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
    // OLE measures pictures in HIMETRIC, converted from pixels at the screen's
    // resolution when loading; the same resolution turns them back exactly.
    const int dpi = ScreenDpi();
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
