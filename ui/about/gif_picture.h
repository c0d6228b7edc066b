// A GIF kept in the resources as RCDATA, drawn with its transparent colour.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "platform/owned.h"

namespace pulvar {

inline void ReleaseComObject(IUnknown* object) { object->Release(); }

class GifPicture {
public:
    // False when the resource is missing or is not a picture OLE can read.
    bool Load(int resourceId);
    explicit operator bool() const { return static_cast<bool>(picture_); }
    // The picture's own size in pixels.
    SIZE PixelSize() const;
    // Draws it at its own size; the transparent pixels leave dc untouched.
    void Draw(HDC dc, int x, int y) const;

private:
    // OLE pictures rather than GDI+: GDI+ under Wine paints the transparent
    // colour black unless the bitmap is first turned into 32-bit ARGB.
    Owned<IPicture*, ReleaseComObject> picture_;
};

}  // namespace pulvar
