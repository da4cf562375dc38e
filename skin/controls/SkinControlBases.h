#pragma once
// The bases of the skinned controls: a control names a descriptor of a skin
// data component, looks it up at every paint and draws itself from the
// descriptor's picture at any size, through one off-screen bitmap. Without a
// skin, or without that descriptor, it draws its own plain look.

#include <string>

#include "platform/gui/Controls.h"
#include "skin/core/qlSkinData.h"
#include "skin/core/qlUtils.h"

enum : UINT {
    WM_POPUPCLOSED = 1228,
    // A skinned container changed in a way its children draw through.
    WM_PARENTLOOKCHANGED = 1284,
    // A request to paint into a given device context; the views answer it with
    // kPaintToDcAnswer and nothing here sends it.
    WM_PAINTTODC = 45513,
    // Paints a list view's skinned header into the canvas in WParam.
    WM_PAINTHEADERTODC = 45512,
};
inline constexpr LRESULT kPaintToDcAnswer = 0x3233;
// Answers WM_PAINTTODC for a view; false for any other message.
inline bool AnswerPaintRequest(TMessage& M) {
    if (M.Msg != WM_PAINTTODC) return false;
    M.Result = kPaintToDcAnswer;
    return true;
}

// The Top that centres a control AHeight tall across its parent when that is a
// skinned tool bar keeping its controls centred; ATop anywhere else.
int ToolBarCentredTop(const TControl& C, int ATop, int AHeight);
// Focused, or its form's active control while the form's window is not the
// active one: the skinned controls show their focus either way.
bool HoldsFocus(const TWinControl& C);
// Self is told when List goes (controls draw from image lists, never change them).
void WatchImageList(TComponent& Self, const TCustomImageList* List);
// A click that makes a control take the focus itself: the focus comes first,
// and a command notification arriving meanwhile is the focus change's, not
// the user's.
class TqlClickFocus {
public:
    // Gives C the focus; false when HoldsIt() still says no afterwards.
    template <class Holds>
    bool Take(TWinControl& C, Holds HoldsIt) {
        FTaking = true;
        C.SetFocus();
        FTaking = false;
        return HoldsIt();
    }
    bool Drops(const TMessage& M) const { return FTaking && M.Msg == CN_COMMAND; }

private:
    bool FTaking = false;
};
// The skin data component a control created on a form takes without being told.
TqlSkinData* FormSkinData(TComponent* owner);
// Links a control (Self, through its Link) to Skin: it hears when Skin goes,
// and no longer hears from the skin it had. Stores the link only.
void LinkSkinData(TqlSkinDataLink& Link, TComponent& Self, TqlSkinData* Skin);
// Active picture Index of Skin, or null outside the pictures.
const TBitmap* SkinPicture(const TqlSkinData& Skin, int Index);
// The off-screen picture a control paints into, W x H, in the screen's own
// layout: drawn on the window without a conversion.
TBitmap PaintBuffer(int W, int H);

// Covers Area of C with Piece, tiled from Area's top-left; with Stretch,
// stretched over the area (stFull), or to its height and tiled across
// (stHorz), or to its width and tiled down (stVert).
void FillWithPiece(TCanvas& C, const TBitmap& Piece, const TRect& Area, bool Stretch, int StretchType);

// How a descriptor's picture is cut: -1 nothing to draw, 0 fixed size,
// 1 nine-part, 2 horizontal three-part, 3 vertical three-part.
int ResizeModeOf(const TRect& SkinRect, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint);

// The geometry of a custom-control descriptor, shared by the windowed and the
// windowless bases: how its picture is cut and re-mapped to the control's size.
class TqlSkinGeometry {
public:
    // Resize modes: -1 nothing to draw, 0 fixed size, 1 nine-part, 2 horizontal
    // three-part, 3 vertical three-part.
    int GetResizeMode() const;
    // Adjusts a requested size to what the skin allows and re-maps the points.
    void CalcGeometry(int& W, int& H, bool Skinned);
    // Builds the skinned image at W x H with Face in place of SkinRect.
    void BuildFace(TBitmap& Bitmap, const TRect& Face, int W, int H, bool DrawClient) const;
    // A button face: the skin's own way while it decides the size (or the skin
    // is nine-part), else built to fit W x H: a fixed-size face stretched, a
    // three-part one by the sized nine-part builder, or by its three-part
    // builder when it has no client rectangle to cut by.
    void BuildStateFace(TBitmap& Bitmap, const TRect& Face, int W, int H, bool UseSkinSize) const;
    // A part of a split face, state rectangle Face built at Dest's size by the
    // sized nine-part builder. Without a client rectangle to cut by, a
    // three-part face is built by its three-part builder and any other is
    // stretched whole. False when there is nothing to build from.
    bool BuildPartFace(TBitmap& Dest, const TRect& Face) const;
    // The geometry of a descriptor other than the control's own.
    static TqlSkinGeometry Of(const TqlDataSkinCustomControl& D, const TqlSkinData& Skin);
    // Without the skin's size the client area follows the size asked.
    void CalcFreeSize(int W, int H);
    TRect MapRectToSize(const TRect& R, int W, int H) const;
    // The skin's client piece (ClRect of the picture) as a bitmap of its own.
    TBitmap ClientPiece() const;

protected:
    void CopyGeometry(const TqlDataSkinCustomControl& D, const TqlSkinData& Skin);
    // A descriptor of another class has no geometry: nothing to draw, and the
    // control keeps whatever size it is given.
    void ClearGeometry();

    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    const TBitmap* Picture = nullptr;
    int ResizeMode = 0;
    bool StretchEffect = false;
    int StretchType = 0;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;

private:
    // A three-part face at Dest's size: its ends kept along the cut, the whole
    // strip stretched across it.
    void BuildThreePartSized(TBitmap& Dest, const TRect& Face) const;
    // The geometry was copied from a custom-control descriptor.
    bool FCopied = false;
};

// What both bases do with a skin data component and a descriptor name.
class TqlSkinLookup : public TqlSkinLink {
public:
    int Index() const { return FIndex; }

protected:
    // FIndex := the descriptor's index, -1 without a loaded skin or descriptor.
    void LookUp();
    // The descriptor name looked up: SkinDataName, unless a control falls back.
    virtual std::string LookupName() const { return SkinDataName(); }
    const TqlDataSkinControl* Descriptor() const;
    bool EffectsEnabled() const;
    int FIndex = -1;
};

// The font and size a control uses while unskinned.
class TqlSkinDefaults {
public:
    TqlSkinDefaults();
    virtual ~TqlSkinDefaults() = default;
    int DefaultWidth() const { return FDefaultWidth; }
    int DefaultHeight() const { return FDefaultHeight; }
    TFont& DefaultFont() { return FDefaultFont; }
    const TFont& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    bool UseSkinFont = true;

protected:
    virtual void DefaultFontChanged() {}
    virtual void DefaultFontOnChange() = 0;
    int FDefaultWidth = 0, FDefaultHeight = 0;

private:
    TFont FDefaultFont;
};

class TqlSkinControl : public TCustomControl, public TqlSkinLookup {
public:
    explicit TqlSkinControl(TComponent* AOwner);
    void SetSkinData(TqlSkinData* Value) override;
    void SetSkinDataName(const std::string& Value) override { TqlSkinLookup::SetSkinDataName(Value); }
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { FIndex = -1; }
    // A slot kept for descendants; nothing overrides or calls it.
    virtual void EmptyHook() {}
    virtual void GetSkinData() { LookUp(); }
    int HintImageIndex = 0;
    // Not owned; forgotten when the list goes.
    const TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(const TCustomImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}
    virtual void ParentLookChanged() {}
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    // Answers an erase request by painting the whole control into the canvas
    // in WParam, unless the control is inside its own paint.
    void PaintOnErase(TMessage& M);
    bool FInPaint = false;

private:
    const TCustomImageList* FHintImageList = nullptr;
};

class TqlSkinCustomControl : public TqlSkinControl, public TqlSkinDefaults, protected TqlSkinGeometry {
public:
    explicit TqlSkinCustomControl(TComponent* AOwner);
    ~TqlSkinCustomControl() override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetDefaultWidth(int Value);
    void SetDefaultHeight(int Value);
    virtual void CalcSize(int& W, int& H) { CalcGeometry(W, H, FIndex != -1); }
    void BroadcastParentLookChanged();
    using TqlSkinGeometry::MapRectToSize;
    TRect MapRectToSize(const TRect& R) const { return MapRectToSize(R, Width(), Height()); }
    using TqlSkinGeometry::GetResizeMode;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    virtual void SetControlRegion();
    void DefaultFontOnChange() override;

    bool FramePaintMode = false;
    bool FillClientArea = true;
    const TBitmap* MaskPicture = nullptr;

private:
    void PaintFrame();
    void FillClientPiece();
    // The region last handed to the window; the window owns and frees it.
    HRGN FRgn = nullptr;
};

class TqlGraphicSkinControl : public TGraphicControl, public TqlSkinLookup {
public:
    explicit TqlGraphicSkinControl(TComponent* AOwner);
    void SetSkinData(TqlSkinData* Value) override;
    virtual void GetSkinData() { LookUp(); }
    virtual void ChangeSkinData();
    virtual void BeforeChangeSkinData() { FIndex = -1; }
    int HintImageIndex = 0;
    // Not owned; forgotten when the list goes.
    const TCustomImageList* HintImageList() const { return FHintImageList; }
    void SetHintImageList(const TCustomImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void CreateControlDefaultImage(TBitmap& /*B*/) {}
    virtual void CreateControlSkinImage(TBitmap& /*B*/) {}

private:
    const TCustomImageList* FHintImageList = nullptr;
};

class TqlGraphicSkinCustomControl : public TqlGraphicSkinControl,
                                    public TqlSkinDefaults,
                                    protected TqlSkinGeometry {
public:
    explicit TqlGraphicSkinCustomControl(TComponent* AOwner);
    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetDefaultWidth(int Value);
    void SetDefaultHeight(int Value);
    virtual void CalcSize(int& W, int& H) { CalcGeometry(W, H, FIndex != -1); }

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void DefaultFontOnChange() override;
};
