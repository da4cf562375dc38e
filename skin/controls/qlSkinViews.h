#pragma once
// Skinned scroll bars attached to a view in place of its native ones. The
// view keeps its own scroll state; the bars mirror it (SetRange, no events),
// show only while the content overflows, and scroll the view by WM_VSCROLL
// and WM_HSCROLL. With both bars shown the horizontal one takes the "Both"
// descriptor that leaves the corner square free.

#include <memory>

#include "skin/controls/qlSkinScrollBar.h"

class TqlAttachedScrollBars : public TComponent {
public:
    // Owned by the view and freed with it; the bars sit beside it in its parent.
    explicit TqlAttachedScrollBars(TWinControl* AView);
    ~TqlAttachedScrollBars() override;
    TqlSkinScrollBar* VScrollBar() const { return FVBar; }
    TqlSkinScrollBar* HScrollBar() const { return FHBar; }
    // Mirrors the view's scroll state and places the bars along its edges.
    void Update();
    // Takes a new skin (or none) for both bars.
    void ChangeSkinData();

private:
    // Mirrors one bar; true when the view's content overflows along it.
    bool Mirror(TqlSkinScrollBar* Bar, int Which);
    void Scroll(TqlSkinScrollBar* Bar, UINT Msg);

    TWinControl* FView;
    TqlSkinScrollBar* FVBar;
    TqlSkinScrollBar* FHBar;
    bool FUpdating = false;
    // The view reports many changes at once, some while it is being torn
    // down: they are gathered into one update on the next timer tick.
    TqlControlTimer FPending;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TListView;

// The column header of a list view drawn from a button descriptor of the
// form's skin (default "resizebutton"): each section with its own caption,
// the pressed one in the pressed face; the platform's look without that skin.
class TqlSkinHeader : public TComponent {
public:
    // Owned by the view and freed with it.
    explicit TqlSkinHeader(TListView* AView);
    std::string HeaderSkinDataName = "resizebutton";

private:
    void DrawSection(TCanvas& Canvas, const TRect& R, int Column, bool Pressed);
    TListView* FView;
};
