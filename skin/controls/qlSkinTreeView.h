#pragma once
// The skinned tree view: the platform's tree in the skin's colours and font,
// without native scroll bars or frame. It mirrors its own scroll state into
// two skinned bars that the form places beside it, shows them only while the
// items overflow, and scrolls itself when the user moves them.
//
//   trigger                                    synchronises
//   size, paint, scroll state changed          unless already synchronising
//   key down, left button up, selection moved  always

#include <memory>

#include "platform/gui/views/TreeView.h"
#include "skin/controls/qlSkinScrollBar.h"

class TqlSkinCustomTreeView : public TCustomTreeView, public TqlSkinLink {
public:
    explicit TqlSkinCustomTreeView(TComponent* AOwner);
    ~TqlSkinCustomTreeView() override;

    TqlSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TqlSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    // Not owned: the form places and frees the bars; the view feeds them.
    void SetVScrollBar(TqlSkinScrollBar* Value);
    void SetHScrollBar(TqlSkinScrollBar* Value);
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    TColor DefaultColor = clWindow;
    bool UseSkinFont = true;
    void SetSkinData(TqlSkinData* Value) override;
    void ChangeSkinData();
    int Index() const { return FIndex; }
    void SetVisible(bool Value) override;
    // Mirrors the native scroll state into the attached bars.
    void Synchronize();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& M) override;
    void Change() override;

private:
    void AttachBar(TqlSkinScrollBar*& Field, TqlSkinScrollBar* Value, UINT ScrollMessage);
    // Shows or hides Bar; true when its visibility changed.
    bool ShowBar(TqlSkinScrollBar* Bar, bool Show);
    void SynchronizeLater();

    int FIndex = -1;
    TFont FDefaultFont;
    TqlSkinScrollBar* FVScrollBar = nullptr;
    TqlSkinScrollBar* FHScrollBar = nullptr;
    bool FSyncing = false;
    TqlControlTimer FPending;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
