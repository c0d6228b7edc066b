// Structural checks of the images in assets/ that the resource script pulls
// in: icon and cursor directories, their colour bitmaps and AND masks, and
// the toolbar bitmaps. Everything is read by hand, little-endian, so the test
// runs on any host. The donate button GIF is checked where it is made
// (assets/make_images.py --check, run by ctest) and decoded by the system in
// tests/windows/about_test.cpp.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAsset(const std::string& name) {
    std::ifstream in(std::string(PULVAR_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// at() throws on a truncated file, which fails the test instead of reading
// past the end.
std::uint32_t u8(const Bytes& b, std::size_t off) { return b.at(off); }
std::uint32_t u16(const Bytes& b, std::size_t off) { return b.at(off) | (b.at(off + 1) << 8); }
std::uint32_t u32(const Bytes& b, std::size_t off) {
    return u16(b, off) | (u16(b, off + 2) << 16);
}
std::int32_t s32(const Bytes& b, std::size_t off) { return static_cast<std::int32_t>(u32(b, off)); }

std::size_t rowStride(std::size_t width, std::size_t bpp) { return (width * bpp + 31) / 32 * 4; }

// Pixel (x, y counted from the top) of a bottom-up DIB row block.
std::uint32_t dibPixel(const Bytes& b, std::size_t bitsOff, std::size_t w, std::size_t h,
                       std::size_t bpp, std::size_t x, std::size_t y) {
    const std::size_t bit = x * bpp;
    const std::uint32_t byte = u8(b, bitsOff + (h - 1 - y) * rowStride(w, bpp) + bit / 8);
    return (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
}

struct Rgb {
    std::uint32_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

Rgb rgbQuad(const Bytes& b, std::size_t off) { return {u8(b, off + 2), u8(b, off + 1), u8(b, off)}; }

// The standard 16-colour table the 4 bpp images are drawn for.
const std::array<Rgb, 16> kClassic16 = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// ---------------------------------------------------------------- icons ---

struct Frame {
    std::uint32_t size;  // square images only
    std::uint32_t bpp;
};

struct IconCase {
    const char* file;
    std::uint32_t type;  // 1 icon, 2 cursor
    std::vector<Frame> frames;
};

const std::vector<IconCase>& iconCases() {
    static const std::vector<IconCase> cases = {
        {"i01_lights.ico", 1, {{32, 4}, {16, 4}}},
        {"i02_lamp_amber.ico", 1, {{32, 4}, {16, 4}}},
        {"i03_lamp_green.ico", 1, {{32, 4}, {16, 4}}},
        {"i04_lamp_red.ico", 1, {{32, 4}, {16, 4}}},
        {"i05_clock_face.ico", 1, {{32, 4}, {16, 4}}},
        {"i06_alarm_clock.ico", 1, {{32, 4}, {16, 4}}},
        {"i07_eraser.ico", 1, {{32, 4}, {16, 4}}},
        {"i08_plus.ico", 1, {{32, 4}, {16, 4}}},
        {"i09_question.ico", 1, {{32, 4}, {32, 1}, {32, 4}}},
        {"i14_hand.ico", 1, {{32, 4}}},
        {"i16_hand.cur", 2, {{32, 4}}},
        {"i17_carton.ico", 1, {{32, 4}}},
    };
    return cases;
}

struct IconImage {
    std::size_t offset;  // BITMAPINFOHEADER
    std::size_t xorOff;
    std::size_t andOff;
    std::uint32_t size;
    std::uint32_t bpp;
};

IconImage locate(const Bytes& b, std::size_t index, const Frame& f) {
    const std::size_t entry = 6 + 16 * index;
    IconImage img;
    img.offset = u32(b, entry + 12);
    img.size = f.size;
    img.bpp = f.bpp;
    img.xorOff = img.offset + 40 + 4 * (std::size_t{1} << f.bpp);
    img.andOff = img.xorOff + rowStride(f.size, f.bpp) * f.size;
    return img;
}

bool masked(const Bytes& b, const IconImage& img, std::size_t x, std::size_t y) {
    return dibPixel(b, img.andOff, img.size, img.size, 1, x, y) != 0;
}

TEST(IconAssets, DirectoryBitmapHeaderAndMaskAgree) {
    for (const IconCase& c : iconCases()) {
        SCOPED_TRACE(c.file);
        const Bytes b = readAsset(c.file);
        ASSERT_GE(b.size(), 6u) << "missing or truncated";
        EXPECT_EQ(u16(b, 0), 0u);
        EXPECT_EQ(u16(b, 2), c.type);
        ASSERT_EQ(u16(b, 4), c.frames.size());

        std::size_t expectedOffset = 6 + 16 * c.frames.size();
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            const Frame& f = c.frames[i];
            const std::size_t entry = 6 + 16 * i;
            EXPECT_EQ(u8(b, entry + 0), f.size);
            EXPECT_EQ(u8(b, entry + 1), f.size);
            EXPECT_EQ(u8(b, entry + 2), f.bpp < 8 ? (1u << f.bpp) : 0u);
            EXPECT_EQ(u8(b, entry + 3), 0u);
            if (c.type == 1) {
                EXPECT_EQ(u16(b, entry + 4), 1u) << "planes";
                EXPECT_EQ(u16(b, entry + 6), f.bpp) << "bit count";
            }
            const std::uint32_t bytes = u32(b, entry + 8);
            const std::uint32_t offset = u32(b, entry + 12);
            // Images follow the directory back to back, inside the file.
            EXPECT_EQ(offset, expectedOffset);
            ASSERT_LE(std::size_t{offset} + bytes, b.size());
            expectedOffset = offset + bytes;

            EXPECT_EQ(u32(b, offset + 0), 40u) << "BITMAPINFOHEADER size";
            EXPECT_EQ(s32(b, offset + 4), static_cast<std::int32_t>(f.size));
            EXPECT_EQ(s32(b, offset + 8), static_cast<std::int32_t>(2 * f.size))
                << "height counts colour bitmap plus AND mask";
            EXPECT_EQ(u16(b, offset + 12), 1u);
            EXPECT_EQ(u16(b, offset + 14), f.bpp);
            EXPECT_EQ(u32(b, offset + 16), 0u) << "BI_RGB";

            const std::size_t xorBytes = rowStride(f.size, f.bpp) * f.size;
            const std::size_t andBytes = rowStride(f.size, 1) * f.size;
            EXPECT_EQ(bytes, 40 + 4 * (1u << f.bpp) + xorBytes + andBytes)
                << "header + palette + colour bitmap + AND mask";
        }
        EXPECT_EQ(expectedOffset, b.size()) << "trailing bytes after the last image";
    }
}

TEST(IconAssets, PalettesAndTransparency) {
    for (const IconCase& c : iconCases()) {
        SCOPED_TRACE(c.file);
        const Bytes b = readAsset(c.file);
        ASSERT_GE(b.size(), 6u) << "missing or truncated";
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            const IconImage img = locate(b, i, c.frames[i]);
            ASSERT_LE(img.andOff + rowStride(img.size, 1) * img.size, b.size());

            const std::size_t pal = img.offset + 40;
            if (img.bpp == 4) {
                for (std::size_t k = 0; k < 16; ++k) {
                    EXPECT_EQ(rgbQuad(b, pal + 4 * k), kClassic16[k]) << "palette entry " << k;
                    EXPECT_EQ(u8(b, pal + 4 * k + 3), 0u);
                }
            } else {
                EXPECT_EQ(rgbQuad(b, pal), (Rgb{0, 0, 0}));
                EXPECT_EQ(rgbQuad(b, pal + 4), (Rgb{255, 255, 255}));
            }

            // Every image has a transparent top-left corner and an opaque
            // centre. A transparent pixel must be black in the colour bitmap
            // or Windows draws it inverted over the background.
            for (std::size_t y = 0; y < img.size; ++y) {
                for (std::size_t x = 0; x < img.size; ++x) {
                    if (!masked(b, img, x, y)) continue;
                    EXPECT_EQ(dibPixel(b, img.xorOff, img.size, img.size, img.bpp, x, y), 0u)
                        << "transparent pixel " << x << "," << y << " is not black";
                }
            }
            EXPECT_TRUE(masked(b, img, 0, 0)) << "corner drawn: mask missing or inverted?";
            EXPECT_FALSE(masked(b, img, img.size / 2, img.size / 2)) << "centre see-through";
        }
    }
}

TEST(CursorAsset, HotSpotIsTheFingertip) {
    const Bytes b = readAsset("i16_hand.cur");
    ASSERT_GE(b.size(), 22u) << "missing or truncated";
    ASSERT_EQ(u16(b, 2), 2u);
    ASSERT_EQ(u16(b, 4), 1u);
    const std::uint32_t hotX = u16(b, 6 + 4);
    const std::uint32_t hotY = u16(b, 6 + 6);
    EXPECT_EQ(hotX, 12u);
    EXPECT_EQ(hotY, 1u);

    const IconImage img = locate(b, 0, {32, 4});
    ASSERT_LE(img.andOff + rowStride(32, 1) * 32, b.size());
    ASSERT_LT(hotX, 32u);
    ASSERT_LT(hotY, 32u);
    // The hot spot pixel is drawn, and nothing of the hand lies above it.
    EXPECT_FALSE(masked(b, img, hotX, hotY));
    for (std::size_t y = 0; y < hotY; ++y) {
        for (std::size_t x = 0; x < 32; ++x) EXPECT_TRUE(masked(b, img, x, y)) << x << "," << y;
    }
}

// -------------------------------------------------------------- bitmaps ---

struct BitmapCase {
    const char* file;
    std::int32_t width, height;
    std::uint32_t bpp;
    std::uint32_t colours;
};

TEST(BitmapAssets, HeaderPaletteAndBackground) {
    const std::vector<BitmapCase> cases = {
        {"i10_question.bmp", 16, 16, 4, 16},
        {"i11_calendar.bmp", 24, 22, 4, 16},
        {"i12_floppy.bmp", 24, 23, 8, 256},
        {"i13_folder.bmp", 24, 23, 8, 256},
    };
    for (const BitmapCase& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes b = readAsset(c.file);
        ASSERT_GE(b.size(), 54u) << "missing or truncated";
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 2), b.size()) << "bfSize";
        EXPECT_EQ(u32(b, 6), 0u);
        const std::uint32_t bitsOff = u32(b, 10);
        EXPECT_EQ(bitsOff, 14 + 40 + 4 * c.colours) << "palette of " << c.colours << " entries";

        EXPECT_EQ(u32(b, 14), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(s32(b, 18), c.width);
        EXPECT_EQ(s32(b, 22), c.height) << "positive: bottom-up rows";
        EXPECT_EQ(u16(b, 26), 1u);
        EXPECT_EQ(u16(b, 28), c.bpp);
        EXPECT_EQ(u32(b, 30), 0u) << "BI_RGB";
        const std::uint32_t used = u32(b, 46);
        EXPECT_EQ(used == 0 ? (1u << c.bpp) : used, c.colours);

        const std::size_t stride = rowStride(c.width, c.bpp);
        ASSERT_EQ(b.size(), bitsOff + stride * c.height);
        if (c.bpp == 4) {
            for (std::size_t k = 0; k < 16; ++k) EXPECT_EQ(rgbQuad(b, 54 + 4 * k), kClassic16[k]);
        }
        // Drawn on the button face colour, so the corners are light grey.
        const Rgb face{192, 192, 192};
        const std::array<std::int32_t, 2> corners[] = {
            {0, 0}, {c.width - 1, 0}, {0, c.height - 1}, {c.width - 1, c.height - 1}};
        for (const auto& xy : corners) {
            const std::uint32_t index = dibPixel(b, bitsOff, c.width, c.height, c.bpp, xy[0], xy[1]);
            ASSERT_LT(index, c.colours);
            EXPECT_EQ(rgbQuad(b, 54 + 4 * index), face) << "corner " << xy[0] << "," << xy[1];
        }
    }
}

}  // namespace
