#pragma once
// The skinned page control and its tab sheets. The platform's page control
// keeps the pages, the selection and the tab geometry; the skinned one paints
// the tab strip, the frame around the pages and the tabs from the "tab"
// descriptor, and tracks the tab under the pointer.

#include <functional>
#include <string>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/controls/qlSkinUpDown.h"

class TqlSkinPageControl;

// A page whose background is its wallpaper, else the page area of its page
// control's tab skin, else the button face.
class TqlSkinCustomTabSheet : public TTabSheet, public TqlSkinLink {
public:
    explicit TqlSkinCustomTabSheet(TComponent* owner);
    // Tiled over the page when not empty; takes effect at the next paint.
    TBitmap WallPaper;
    // The close button on this page's tab, in tab coordinates (set when the
    // tab is drawn), under the pointer, held down.
    TRect CloseRect;
    bool CloseMouseIn = false, CloseDown = false;
    // The tab's image in the page control's Images, -1 none.
    int ImageIndex = -1;

protected:
    void Paint() override;
    void BoundsChanged(bool moved, bool resized) override;
    void WndProc(TMessage& m) override;
};

// The pages of the main form.
class TqlSkinTabSheet : public TqlSkinCustomTabSheet {
public:
    using TqlSkinCustomTabSheet::TqlSkinCustomTabSheet;
};

// Draws a tab's content (in place of caption, image and close button) on
// the tab's face, unturned: Rct is (0, 0, length, thickness).
using TqlDrawSkinTabEvent =
    std::function<void(int TabIndex, const TRect& Rct, bool Active, bool MouseIn, TCanvas& Cnvs)>;
// Asked before a page closes; CanClose starts true.
using TqlCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TqlSkinPageControl : public TPageControl, public TqlSkinLookup {
public:
    explicit TqlSkinPageControl(TComponent* owner);
    void SetSkinData(TqlSkinData* value) override;
    // Re-reads the descriptor, takes its tab height and font, lays the pages out anew.
    void ChangeSkinData();
    void BeforeChangeSkinData() { FIndex = -1; }
    bool Skinned() const { return FIndex != -1 && FPicture; }
    // The page under the pointer (-1 none).
    int HotPage() const { return FHotPage; }
    // The tab height the user asks for (SetTabHeight, or TabHeight written):
    // kept through skin changes; 0 or less leaves it to the skin's tab face,
    // or DefaultItemHeight unskinned. It takes effect at once: the face, the
    // row and the page area.
    int UserTabHeight() const { return FTabHeight; }
    void SetTabHeight(int value) override;
    // The row's tab, where this control draws it: the first tab of a single
    // row starts one pixel further in.
    TRect TabRect(int pageIndex) const override;
    // The page background is stretched, not tiled, with the page size.
    bool StretchedBackground() const { return Skinned() && FLook.StretchEffect; }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int value);
    // Background of the page area, for the sheets and for an empty control.
    void PaintPageBackground(TCanvas& canvas, int width, int height);
    TRect ClientRect() const override;

    bool ShowCloseButtons() const { return FShowCloseButtons; }
    void SetShowCloseButtons(bool value);
    // A closed page is also destroyed.
    bool FreeOnClose = false;
    // Asked before a page closes (Sender: the page); then told it closed.
    TqlCloseEvent OnClose;
    TqlDrawSkinTabEvent OnDrawSkinTab;
    // The font when unskinned, or skinned without UseSkinFont.
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& value);
    // Take the font's name, height and style from the skin.
    bool UseSkinFont = true;
    // Not owned: tab images, by each sheet's ImageIndex; every tab keeps room for one.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    // The strip behind the tabs shows the parent's background, not the skin's.
    bool TabsBGTransparent() const { return FTabsBGTransparent; }
    void SetTabsBGTransparent(bool value);
    TNotifyEvent OnAfterClose;
    // Hides the page's tab unless OnClose refuses.
    void ClosePage(TTabSheet* page);
    // The arrows shown at the row's end while tabs do not fit, else null.
    TqlSkinUpDown* UpDown() const { return FUpDown; }
    // Shows or removes the arrows as a row of tabs along the top or bottom fits.
    void CheckTabOverflow();
    // Visible tabs the row does not show whole; those scrolled out on the left too.
    int HiddenTabs(int* scrolledOut) const;
    void SetTabPosition(TTabPosition value) override;
    void SetMultiLine(bool value) override;

protected:
    void Change() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseLeave(TMessage& m) override;
    void WndProc(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;
    void BoundsChanged(bool moved, bool resized) override;
    void TabRowChanged() override;
    void ActivePageChanged() override;

private:
    // Scrolls the row by whole tabs until the selected tab shows whole beside the arrows.
    void ScrollToActiveTab();
    // Sizes and places the arrows at the row's end.
    void PlaceUpDown();
    void GetSkinData();
    // The frame around the page area, in control coordinates.
    TRect FrameRect() const;
    void PaintFrame(TCanvas& canvas, const TRect& frame);
    void PaintStrip(TCanvas& canvas, const TRect& frame, int active);
    void PaintTab(TCanvas& canvas, int page, const TRect& r, bool active, bool mouseIn);
    // A tab's face, unturned, length long; the active one may stand taller.
    void BuildTabFace(TBitmap& tab, bool active, bool focused, bool mouseIn, int length, int thickness) const;
    void PlainTabFace(TBitmap& tab, bool active, bool focused, bool mouseIn, int length, int thickness) const;
    // Caption, with the sheet's image when it has one, in the text area.
    void DrawTabContent(TCanvas& canvas, int page, const TRect& text, int thickness, int shift) const;
    // The row keeps room in every tab for an image and a close button.
    void UpdateTabRoom();
    void SetHotPage(int page);
    int CloseButtonSize() const;
    // The page whose close button lies under (x, y), or -1.
    int CloseButtonAt(int x, int y) const;
    void DrawCloseButton(TCanvas& canvas, TqlSkinCustomTabSheet& sheet, const TRect& r);
    // The close button on a tab drawn unturned, length long, within the rows top .. bottom.
    TRect ClosePlace(int length, int top, int bottom) const;
    // A rectangle of the unturned tab where the tab, turned to its side, shows it.
    TRect TurnedForTab(const TRect& b, int length, int thickness) const;
    void LayoutSheets();
    // Sets the row's height natively, as the skin or the user asks.
    void ApplyTabHeight(int height);
    // The visible tab under (x, y) becomes the hot one.
    void HoverTest(int x, int y);

    TqlDataSkinTabControl FLook{""};
    const TBitmap* FPicture = nullptr;
    const TBitmap* FBackground = nullptr;
    // The page background at the last size asked: every transparent control of
    // a page paints through it, so it is built once per size and skin.
    TBitmap FPageBackground;
    bool FPageBackgroundValid = false;
    bool FPageBackgroundSkinned = false;
    // The four bands of the frame round the pages at the frame's last size.
    TBitmap FFrameLeft, FFrameTop, FFrameRight, FFrameBottom;
    TPoint FFrameSize{-1, -1};
    int FDefaultItemHeight = 20;
    int FTabHeight = 0;
    TFont FDefaultFont;
    TCustomImageList* FImages = nullptr;
    bool FTabsBGTransparent = false;
    int FHotPage = -1;
    bool FShowCloseButtons = false;
    // The page whose close button was pressed, closed when it is released there.
    int FClosingPage = -1;
    TqlSkinUpDown* FUpDown = nullptr;
};
