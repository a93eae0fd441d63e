// The Font page: the printer's own fonts and the point size that selects each of them.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "plugin/module.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// Not a caption: RC_RONT_TREETITLE is the text of the font tree's root item and goes with the
// tree (renamed on every reload).
constexpr TextBinding kCaptions[] = {
    {IDC_FONT_LABEL_NOTICE, Key::Font_RC_STATIC_FONT_NOTICE},
};

constexpr PageDefinition kPage = {.section = Section::Font, .captions = kCaptions, .help = {}};

// The tree's images: the root, a font, a size variant (icons 125 to 127).
constexpr int kIcons[] = {IDI_FONT_TREE_ROOT, IDI_FONT_TREE_FONT, IDI_FONT_TREE_SIZE};
constexpr int kRootImage = 0;
constexpr int kFontImage = 1;
constexpr int kSizeImage = 2;

struct FontNode {
    const wchar_t* name;
    std::initializer_list<const wchar_t*> sizes;  // the variant and the point size that selects it
};

// The item texts as the printer's documentation spells them, spaces included.
const FontNode kFonts[] = {
    {L"Font A",
     {L"FontA11    9.5", L"FontA12    19.0", L"FontA21    9.5", L"FontA22   19.0",
      L"FontA24   38.5", L"FontA42   19.0", L"FontA44   38.5"}},
    {L"Font B",
     {L"FontB11    7.0", L"FontB12    13.5", L"FontB21    7.0", L"FontB22   13.5",
      L"FontB24   27.0", L"FontB42   13.5", L"FontB44   27.0"}},
    {L"Control Font", {L"Control    1.0"}},
};

constexpr wchar_t kRootText[] = L"Printer Fonts and Font Sizes";

class FontPage final : public DevicePage {
public:
    explicit FontPage(DeviceSheetContext& context) : DevicePage(context, kPage) {}
    ~FontPage() override {
        if (images_ != nullptr) ImageList_Destroy(images_);
    }

private:
    BOOL OnInitDialog() override;
    void OnTextsChanged() override;
    INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override;

    HWND Tree() const { return Item(IDC_FONT_TREE_FONTS); }
    HTREEITEM Add(HTREEITEM parent, const wchar_t* text, int image) const;
    void MakeImages();

    HIMAGELIST images_ = nullptr;  // the tree does not own it
    HTREEITEM root_ = nullptr;
};

HTREEITEM FontPage::Add(HTREEITEM parent, const wchar_t* text, int image) const {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Tree(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FontPage::MakeImages() {
    const ScopedActivation activation;
    images_ =
        ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, static_cast<int>(std::size(kIcons)), 0);
    if (images_ == nullptr) return;
    // The icon's own colour and mask bitmaps go in as they are: adding the icon itself has the
    // list draw it again, about 3 ms an icon under Wine.
    for (const int id : kIcons) {
        const auto icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id),
                                                        IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        if (icon == nullptr) continue;  // a missing icon leaves its image out
        ICONINFO parts = {};
        if (GetIconInfo(icon, &parts)) {
            ImageList_Add(images_, parts.hbmColor, parts.hbmMask);
            if (parts.hbmColor != nullptr) DeleteObject(parts.hbmColor);
            DeleteObject(parts.hbmMask);
        }
        DestroyIcon(icon);
    }
    SendMessageW(Tree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
}

BOOL FontPage::OnInitDialog() {
    MakeImages();
    root_ = Add(TVI_ROOT, kRootText, kRootImage);
    for (const FontNode& font : kFonts) {
        const HTREEITEM node = Add(root_, font.name, kFontImage);
        for (const wchar_t* size : font.sizes) Add(node, size, kSizeImage);
        SendMessageW(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    }
    SendMessageW(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root_));
    SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root_));
    return TRUE;
}

// The root item's title in the current language.
void FontPage::OnTextsChanged() {
    if (root_ == nullptr) return;
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = root_;
    item.pszText = const_cast<wchar_t*>(Text(Key::Font_RC_RONT_TREETITLE));
    SendMessageW(Tree(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// The tree lets go of the image list before the page's object destroys it.
INT_PTR FontPage::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY) SendMessageW(Tree(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    return FALSE;
}

}  // namespace

const PageDefinition& FontPageDefinition() { return kPage; }

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<FontPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
