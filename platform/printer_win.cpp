// GDI printing on the system's default printer. The print system is loaded
// only while a document is printed: a program that imports winspool.drv waits
// for a hung spooler before it even starts.
#include "platform/printer.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string_view>
#include <vector>

#include "core/report.h"
#include "platform/gdi.h"
#include "platform/owned.h"
#include "platform/report_font.h"
#include "platform/system_library.h"
#include "platform/text.h"

namespace pulvar {

namespace {

using Library = Owned<HMODULE, FreeLibrary>;
using PrintFont = Owned<HFONT, DeleteObject>;
using GetDefaultPrinterFn = BOOL(WINAPI*)(LPWSTR, LPDWORD);

// The printer's own default font is far too large for the longer sentences.
constexpr int kFontPoints = 10;
// Arial has Greek and Cyrillic on every Windows (Wine maps it to Liberation
// Sans, which has them too).
constexpr wchar_t kFontFace[] = L"Arial";
// Text keeps this far from every edge of the paper, in tenths of a millimetre;
// a printer that cannot print that close to the edge keeps its own margin.
constexpr int kPaperMarginTenthsMm = 100;

std::wstring DefaultPrinterName(HMODULE winspool) {
    FARPROC proc = GetProcAddress(winspool, "GetDefaultPrinterW");
    if (!proc) return {};
    auto getDefault = reinterpret_cast<GetDefaultPrinterFn>(reinterpret_cast<void (*)()>(proc));
    DWORD size = 0;
    getDefault(nullptr, &size);
    if (size == 0) return {};
    std::wstring name(size, L'\0');
    if (!getDefault(name.data(), &size)) return {};
    name.resize(std::wcslen(name.c_str()));
    return name;
}

class WinPrinter : public Printer {
public:
    ~WinPrinter() override { Abandon(); }

    PrintStart StartDocument(const std::string& title) override {
        // A second document would take the first one's device context away.
        if (busy_) return PrintStart::Failed;
        busy_ = true;
        cancelled_ = false;
        if (Open(title)) return PrintStart::Started;
        busy_ = false;
        return cancelled_ ? PrintStart::Cancelled : PrintStart::Failed;
    }

    bool PrintLine(int indentColumns, const std::string& text) override {
        if (!documentOpen_) return false;
        const int x =
            left_ + (indentColumns > 0 ? Width(std::wstring(static_cast<size_t>(indentColumns), L' ')) : 0);
        bool printed = true;
        // After a cancel every further step would fail the same way.
        if (cancelled_) return false;
        const std::vector<std::string> pieces = WrapWords(text, right_ - x, [&](const std::string& all) {
            std::vector<int> widths;
            if (!PrefixWidths(all, widths)) printed = false;
            return widths;
        });
        for (const std::string& piece : pieces) {
            if (y_ + lineHeight_ > bottom_ && !NextPage()) return false;
            const std::wstring wide = Widen(piece);
            if (!wide.empty() && !TextOutW(dc_.get(), x, y_, wide.c_str(), static_cast<int>(wide.size())))
                printed = false;
            y_ += lineHeight_;
        }
        return printed;
    }

    void AbortDocument() override {
        Abandon();
        busy_ = false;
    }

    bool DocumentOpen() const override { return busy_; }

    PrintEnd EndDocument() override {
        if (!documentOpen_) return PrintEnd::Failed;
        documentOpen_ = false;
        bool ended = Step(EndPage(dc_.get()) > 0);
        if (ended)
            ended = Step(EndDoc(dc_.get()) > 0);
        else
            AbortDoc(dc_.get());
        Release();
        busy_ = false;
        if (cancelled_) return PrintEnd::Cancelled;
        return ended ? PrintEnd::Queued : PrintEnd::Failed;
    }

private:
    bool Open(const std::string& title) {
        Abandon();
        winspool_.reset(LoadSystemLibrary(L"winspool.drv"));
        if (!winspool_) return false;
        const std::wstring name = DefaultPrinterName(winspool_.get());
        if (name.empty()) return Fail();
        // GDI takes the driver from the printer's name.
        dc_.reset(CreateDCW(nullptr, name.c_str(), nullptr, nullptr));
        if (!dc_) return Fail();

        const LOGFONTW lf = ReportFont(GetDeviceCaps(dc_.get(), LOGPIXELSY));
        font_.reset(CreateFontIndirectW(&lf));
        if (!font_) return Fail();
        selection_.emplace(dc_.get(), font_.get());
        if (!*selection_) return Fail();

        TEXTMETRICW tm{};
        if (!GetTextMetricsW(dc_.get(), &tm)) return Fail();
        lineHeight_ = tm.tmHeight + tm.tmExternalLeading;
        if (lineHeight_ <= 0 || !FindTextArea()) return Fail();

        const std::wstring wideTitle = Widen(title);
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = wideTitle.c_str();
        // A printer that prints to a file asks for its name here, in a box
        // with a message loop of its own.
        if (!Step(StartDocW(dc_.get(), &info) > 0)) return Fail();
        documentOpen_ = true;
        // The font again: some drivers give every page a fresh DC state, the
        // first one's too.
        if (!Step(StartPage(dc_.get()) > 0) || !selection_->Renew()) return Fail();
        y_ = top_;
        return true;
    }

    int Width(const std::wstring& text) const {
        SIZE size{};
        if (!GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &size)) return 0;
        return size.cx;
    }

    // The width of each leading part of text that ends at a code point, from
    // one measurement of the whole text.
    bool PrefixWidths(const std::string& text, std::vector<int>& widths) const {
        std::wstring wide;
        std::vector<size_t> ends;  // where each code point ends in wide
        for (size_t pos = 0; pos < text.size();) {
            const size_t next = NextCodePoint(text, pos);
            wide += Widen(std::string_view(text).substr(pos, next - pos));
            ends.push_back(wide.size());
            pos = next;
        }
        std::vector<int> extents(wide.size());
        SIZE size{};
        if (!wide.empty() && !GetTextExtentExPointW(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), 0,
                                                    nullptr, extents.data(), &size))
            return false;
        widths.reserve(ends.size());
        for (size_t end : ends) widths.push_back(end > 0 ? extents[end - 1] : 0);
        return true;
    }

    // The part of the printable area inside the paper margin, in the DC's
    // coordinates (which start at the printable area's corner).
    bool FindTextArea() {
        HDC dc = dc_.get();
        const int printableWidth = GetDeviceCaps(dc, HORZRES), printableHeight = GetDeviceCaps(dc, VERTRES);
        const int paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH), paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
        const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
        const int marginX = MulDiv(kPaperMarginTenthsMm, GetDeviceCaps(dc, LOGPIXELSX), 254);
        const int marginY = MulDiv(kPaperMarginTenthsMm, GetDeviceCaps(dc, LOGPIXELSY), 254);
        left_ = std::max(0, marginX - offsetX);
        top_ = std::max(0, marginY - offsetY);
        right_ = paperWidth > 0 ? std::min(printableWidth, paperWidth - offsetX - marginX) : printableWidth;
        bottom_ = paperHeight > 0 ? std::min(printableHeight, paperHeight - offsetY - marginY) : printableHeight;
        return right_ > left_ && bottom_ - top_ >= lineHeight_;
    }

    bool NextPage() {
        if (!Step(EndPage(dc_.get()) > 0) || !Step(StartPage(dc_.get()) > 0)) return false;
        // Some drivers give every page a fresh DC state.
        if (!selection_->Renew()) return false;
        y_ = top_;
        return true;
    }

    // Notes a step that failed because the user cancelled the document.
    bool Step(bool done) {
        if (!done && IsUserCancel(GetLastError())) cancelled_ = true;
        return done;
    }

    bool Fail() {
        Abandon();
        return false;
    }

    // Gives up a document that was not ended, so no half job stays behind.
    void Abandon() {
        if (documentOpen_) AbortDoc(dc_.get());
        documentOpen_ = false;
        Release();
    }

    void Release() {
        selection_.reset();  // the DC's own font goes back before ours is freed
        font_.reset();
        dc_.reset();
        winspool_.reset();
    }

    // Declared in the order they are made, so they are freed the other way round.
    Library winspool_;
    MemoryDc dc_;
    PrintFont font_;
    std::optional<Selection> selection_;
    bool busy_ = false;          // from the start of a document until it ends or is given up
    bool documentOpen_ = false;  // StartDoc succeeded
    bool cancelled_ = false;     // a step of this document failed with the user's cancel
    int y_ = 0;
    int lineHeight_ = 0;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace

LOGFONTW ReportFont(int pixelsPerInch) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(kFontPoints, pixelsPerInch, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::wcsncpy(lf.lfFaceName, kFontFace, LF_FACESIZE - 1);
    return lf;
}

bool IsUserCancel(unsigned long error) { return error == ERROR_CANCELLED || error == ERROR_PRINT_CANCELLED; }

Printer& RealPrinter() {
    static WinPrinter printer;
    return printer;
}

}  // namespace pulvar
