#pragma once
// Page controls, progress bars, track bars and status bars.

#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/PropertyField.h"

class TPageControl;

// One page of a page control; its tab shows Caption while TabVisible.
class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pageControl);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // Position among the page control's pages.
    int PageIndex() const;

protected:
    void TextChanged() override;
    void EnabledChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// Draws an owner-drawn tab (TabIndex among the visible tabs) on the control's canvas.
using TDrawTabEvent = std::function<void(TPageControl* Control, int TabIndex, const TRect& Rect, bool Active)>;

// Tabs in a row along one side (the top unless TabPosition says otherwise);
// the active page fills the area beside them. A disabled page cannot be
// entered by a click on its tab.
class TPageControl : public TCustomControl {
public:
    bool ShowsOwnFocus() const override { return true; }
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages[static_cast<size_t>(index)]; }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // A page's tab as the tab-control message reports it (TCM_GETITEMRECT);
    // empty for a page without a visible tab.
    virtual TRect TabRect(int pageIndex) const;
    // Activates the next (or previous) page with a visible tab that is enabled,
    // wrapping around, as the user does with Ctrl+Tab.
    void SelectNextPage(bool forward);
    // The row's height; written, it goes through SetTabHeight, so a subclass
    // sees every change however it is made.
    TPropertyField<int> TabHeight{22, [this](int value) { SetTabHeight(value); }};
    // 0 or less: the platform's own height.
    virtual void SetTabHeight(int value);
    // Every tab this wide; 0: each as wide as its caption needs.
    int TabWidth = 0;
    // Room added to a tab sized by its caption, for what is drawn beside the
    // caption (an image, a close button).
    int TabExtraWidth = 0;
    TTabPosition TabPosition() const { return FTabPosition; }
    virtual void SetTabPosition(TTabPosition value);
    // Tabs on the left or right run down the side, each turned a quarter.
    bool SideTabs() const { return FTabPosition == TTabPosition::tpLeft || FTabPosition == TTabPosition::tpRight; }
    TRect ClientRect() const override;
    // Tabs that do not fit in one row wrap into more rows instead of scrolling;
    // the row holding the active tab stands next to the page.
    bool MultiLine() const { return FMultiLine; }
    virtual void SetMultiLine(bool value);
    int RowCount() const;
    // The tab under the pointer shows its caption in the hot colour.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    // Tabs show their face only; OnDrawTab draws what is on them.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

protected:
    // The user moved to another page: OnChange.
    virtual void Change();
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void CMMouseLeave(TMessage& m) override;
    void WMGetDlgCode(TMessage& m) override;
    void CMDialogKey(TMessage& m) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void BoundsChanged(bool moved, bool resized) override;
    // R with the row of tabs taken off the side they stand on.
    TRect WithoutTabRow(TRect r) const;
    // The tab-control messages of the platform; tabs are counted among the
    // visible ones, as the platform's tab control holds only those.
    void Dispatch(TMessage& m) override;
    // Told after the row's tabs changed: a page added or removed, a tab
    // shown or hidden, a caption changed.
    virtual void TabRowChanged() {}
    // Told after the active page changed, however it was changed.
    virtual void ActivePageChanged() {}

private:
    friend class TTabSheet;
    // The rectangles of the visible tabs, in order, the row's scrolling applied.
    std::vector<TRect> VisibleTabRects() const;
    // The visible tabs' rectangles and how many rows they take.
    std::vector<TRect> LayTabs(int* rows) const;
    int VisibleIndexOf(const TTabSheet* page) const;
    // The visible tab drawn at p (TabRect, so as a subclass places it), -1 none.
    int VisibleTabAt(TPoint p) const;
    TTabSheet* VisiblePage(int visibleIndex) const;
    // The page a user can move to from `from`: the nearest one in that
    // direction with a visible tab and enabled; nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* from, bool forward, bool wrap) const;
    void TabVisibilityChanged(TTabSheet* page);
    bool HasFocusWithin() const;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void LayoutPages();
    void StartRowIfItFits();
    // The row's tabs changed: laid out anew, then TabRowChanged.
    void RowChanged();
    // Changes the page the way a user does: OnChanging may refuse, OnChange follows.
    bool ChangeActivePage(TTabSheet* page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    // The visible tab the row starts with, after scrolling.
    int FFirstTab = 0;
    TTabPosition FTabPosition = TTabPosition::tpTop;
    bool FMultiLine = false, FHotTrack = false, FOwnerDraw = false;
    // The visible tab under the pointer, -1 none.
    int FHotTab = -1;
};

class TProgressBar : public TCustomControl {
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int value);
    void SetMax(int value);
    // Kept within Min..Max.
    void SetPosition(int value);
    // Text drawn centred over the bar (empty for none).
    std::string ProgressText() const { return FProgressText; }
    void SetProgressText(const std::string& text);
    bool Vertical = false;

protected:
    void Paint() override;

private:
    int FMin = 0, FMax = 100, FPosition = 0;
    std::string FProgressText;
};

// A slider between Min and Max; the user drags the thumb or uses the arrow keys.
class TTrackBar : public TCustomControl {
public:
    explicit TTrackBar(TComponent* owner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int value);
    void SetMax(int value);
    // Kept within Min..Max; fires OnChange when the position changes.
    void SetPosition(int value);
    bool Vertical = false;
    // Steps of the arrow keys and of Page Up/Page Down.
    int LineSize = 1;
    int PageSize = 2;
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMGetDlgCode(TMessage& m) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    int PositionAt(int x, int y) const;

private:
    int FMin = 0, FMax = 10, FPosition = 0;
    bool FDragging = false;
    // Where on the thumb it was grabbed, from its centre along the track.
    int FGrabOffset = 0;
};

struct TStatusPanel {
    std::string Text;
    int Width = 50;
};

// Panels each take their Width but the last, which takes the rest.
class TStatusBar : public TCustomControl {
public:
    explicit TStatusBar(TComponent* owner);
    std::vector<TStatusPanel> Panels;
    bool SimplePanel = true;
    std::string SimpleText() const { return GetText(); }
    void SetSimpleText(const std::string& text) { SetText(text); }
    bool SizeGrip = true;

protected:
    void Paint() override;
};
