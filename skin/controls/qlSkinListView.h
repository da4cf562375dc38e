#pragma once
// The skinned list view: the platform's list view in the skin's colours and
// font, without native scroll bars or frame (so a bar's page is all the view
// shows), scrolled by two skinned bars that the form places beside it, with a
// column header drawn from a button descriptor (default "resizebutton").
//
// The header is taken over when the view reports a "SysHeader32" child made
// while ShowColumnHeaders is on (and again whenever one is made anew): its
// messages go through this object, which paints it, widens it by 4 pixels and
// keeps the pressed section; the header gets its own procedure back when this
// view goes.
//
//   trigger                               synchronises the bars
//   size, paint                           unless a bar's visibility is changing
//   key down, left button up              always
//   a bar moved by the user               never (the view follows the bar)

#include <memory>
#include <string>

#include "platform/gui/ListView.h"
#include "platform/gui/views/HeaderWindow.h"
#include "skin/controls/qlSkinScrollBar.h"

class TqlSkinCustomListView : public TCustomListView, public TqlSkinLink {
public:
    explicit TqlSkinCustomListView(TComponent* AOwner);
    ~TqlSkinCustomListView() override;

    TqlSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TqlSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    // Not owned: the form places and frees the bars; the view feeds them.
    void SetVScrollBar(TqlSkinScrollBar* Value);
    void SetHScrollBar(TqlSkinScrollBar* Value);
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    TColor DefaultColor = clWindow;
    bool UseSkinFont = true;
    std::string HeaderSkinDataName = "resizebutton";
    void SetSkinData(TqlSkinData* Value) override;
    void ChangeSkinData();
    int Index() const { return FIndex; }
    int HeaderIndex() const { return FHeaderIndex; }
    void SetVisible(bool Value) override;
    // Mirrors the native scroll state into the attached bars by view style.
    void Synchronize();
    // The header window taken over, or null.
    THeaderWindow* HeaderWindow() const;
    // The section a press went down on (-1 none), and whether it shows pressed.
    int PressedSection() const { return FPressedSection; }
    bool HeaderPressed() const { return FHeaderPressed; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& M) override;

private:
    void AttachBar(TqlSkinScrollBar*& Field, TqlSkinScrollBar* Value, bool Vertical);
    bool ShowBar(TqlSkinScrollBar* Bar, bool Show);
    void VBarChanged();
    void HBarChanged();
    TRect ItemZeroRect();
    int ItemZeroHeight();
    void SynchronizeLater();

    void TakeHeader(THeaderWindow* Header);
    void GiveHeaderBack();
    void HeaderWndProc(TMessage& M);
    void PaintHeader(TCanvas& Canvas);
    void GetHeaderSkinData();
    void BuildHeaderFace(TBitmap& Face, const TRect& Source, int W, int H) const;
    void DrawHeaderSection(TCanvas& Canvas, const TRect& R, int Column, bool Pressed);
    void DrawHeaderRest(TCanvas& Canvas, const TRect& R);

    int FIndex = -1;
    TFont FDefaultFont;
    TqlSkinScrollBar* FVScrollBar = nullptr;
    TqlSkinScrollBar* FHScrollBar = nullptr;
    int FOldVPos = 0, FOldHPos = 0;
    // Set while a bar's visibility or the parent's alignment changes.
    bool FSyncing = false;
    // Set while a bar's change is being applied to the view.
    bool FBarScrolling = false;

    THeaderWindow* FHeader = nullptr;
    THeaderWindow::TWndMethod FOldHeaderProc;
    int FPressedSection = -1;
    bool FHeaderPressed = false;
    int FHeaderIndex = -1;
    const TqlDataSkinButtonControl* FHeaderLook = nullptr;
    const TBitmap* FHeaderPicture = nullptr;

    TqlControlTimer FPending;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
