#include "skin/controls/SkinControlBases.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

TqlSkinData* FormSkinData(TComponent* owner) {
    for (TComponent* c = owner; c; c = c->Owner())
        for (int i = 0; i < c->ComponentCount(); ++i)
            if (auto* skin = dynamic_cast<TqlSkinData*>(c->Components(i))) return skin;
    return nullptr;
}

TBitmap PaintBuffer(int W, int H) {
    TBitmap B;
    B.SetPixelFormat(TPixelFormat::pfDevice);
    B.SetSize(W, H);
    return B;
}

void LinkSkinData(TqlSkinDataLink& Link, TComponent& Self, TqlSkinData* Skin) {
    if (Link.SkinData() && Link.SkinData() != Skin) Self.RemoveFreeNotification(Link.SkinData());
    Link.TqlSkinDataLink::SetSkinData(Skin);
    if (Skin) Skin->FreeNotification(&Self);
}

const TBitmap* SkinPicture(const TqlSkinData& Skin, int Index) {
    if (Index < 0 || Index >= int(Skin.ActivePictures.size())) return nullptr;
    return Skin.ActivePictures[size_t(Index)].get();
}

void FillWithPiece(TCanvas& C, const TBitmap& Piece, const TRect& Area, bool Stretch, int StretchType) {
    const int pw = Piece.Width(), ph = Piece.Height();
    if (pw < 1 || ph < 1 || RectIsEmpty(Area)) return;
    C.SaveState();
    C.IntersectClipRect(Area);
    const int cw = WidthOfRect(Area), ch = HeightOfRect(Area);
    if (!Stretch) {
        for (int x = 0; x <= cw / pw; ++x)
            for (int y = 0; y <= ch / ph; ++y) C.Draw(Area.Left + x * pw, Area.Top + y * ph, Piece);
    } else if (StretchType == stHorz) {
        for (int x = 0; x <= cw / pw; ++x)
            C.StretchDraw(Rect(Area.Left + x * pw, Area.Top, Area.Left + (x + 1) * pw, Area.Bottom), Piece);
    } else if (StretchType == stVert) {
        for (int y = 0; y <= ch / ph; ++y)
            C.StretchDraw(Rect(Area.Left, Area.Top + y * ph, Area.Right, Area.Top + (y + 1) * ph), Piece);
    } else {
        C.StretchDraw(Area, Piece);
    }
    C.RestoreState();
}

// TqlSkinGeometry

int ResizeModeOf(const TRect& SkinRect, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint) {
    if (WidthOfRect(SkinRect) < 1 || HeightOfRect(SkinRect) < 1) return -1;
    if (RBPoint.X != 0 && RBPoint.Y != 0) return 1;
    if (RTPoint.X != 0 || RTPoint.Y != 0) return 2;
    if (LBPoint.X != 0 || LBPoint.Y != 0) return 3;
    return 0;
}

int TqlSkinGeometry::GetResizeMode() const { return ResizeModeOf(SkinRect, RTPoint, LBPoint, RBPoint); }

void TqlSkinGeometry::CopyGeometry(const TqlDataSkinCustomControl& D, const TqlSkinData& Skin) {
    LTPoint = D.LTPoint;
    RTPoint = D.RTPoint;
    LBPoint = D.LBPoint;
    RBPoint = D.RBPoint;
    SkinRect = D.SkinRect;
    ClRect = D.ClientRect;
    StretchEffect = D.StretchEffect;
    StretchType = int(D.StretchType);
    LeftStretch = D.LeftStretch;
    TopStretch = D.TopStretch;
    RightStretch = D.RightStretch;
    BottomStretch = D.BottomStretch;
    Picture = SkinPicture(Skin, D.PictureIndex);
    ResizeMode = GetResizeMode();
    FCopied = true;
}

void TqlSkinGeometry::ClearGeometry() {
    Picture = nullptr;
    ResizeMode = 0;
    FCopied = false;
}

TqlSkinGeometry TqlSkinGeometry::Of(const TqlDataSkinCustomControl& D, const TqlSkinData& Skin) {
    TqlSkinGeometry G;
    G.CopyGeometry(D, Skin);
    return G;
}

void TqlSkinGeometry::CalcGeometry(int& W, int& H, bool Skinned) {
    const int dx = W - WidthOfRect(SkinRect), dy = H - HeightOfRect(SkinRect);
    NewClRect = ClRect;
    switch (ResizeMode) {
        case 1:
            NewLTPoint = LTPoint;
            NewRTPoint = {RTPoint.X + dx, RTPoint.Y};
            NewLBPoint = {LBPoint.X, LBPoint.Y + dy};
            NewRBPoint = {RBPoint.X + dx, RBPoint.Y + dy};
            NewClRect.Right += dx;
            NewClRect.Bottom += dy;
            break;
        case 2:
            NewLTPoint = LTPoint;
            H = HeightOfRect(SkinRect);
            NewRTPoint = {RTPoint.X + dx, RTPoint.Y};
            NewClRect.Right += dx;
            break;
        case 3:
            NewLTPoint = LTPoint;
            W = WidthOfRect(SkinRect);
            NewLBPoint = {LBPoint.X, LBPoint.Y + dy};
            NewClRect.Bottom += dy;
            break;
        case 0:
            // Only a skin rectangle that was copied decides the size.
            if (Skinned && FCopied) {
                W = WidthOfRect(SkinRect);
                H = HeightOfRect(SkinRect);
            }
            break;
        default: break;
    }
}

void TqlSkinGeometry::BuildFace(TBitmap& B, const TRect& Face, int W, int H, bool DrawClient) const {
    if (!Picture || W < 1 || H < 1) return;
    switch (ResizeMode) {
        case 0:
            B.SetSize(WidthOfRect(Face), HeightOfRect(Face));
            B.Canvas().CopyRect(Rect(0, 0, B.Width(), B.Height()), *Picture, Face);
            break;
        case 1:
            BuildNinePart(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                          NewClRect, B, *Picture, Face, W, H, DrawClient, LeftStretch, TopStretch, RightStretch,
                          BottomStretch, StretchEffect, StretchType);
            break;
        case 2:
            BuildHThreePart(LTPoint.X, WidthOfRect(SkinRect) - RTPoint.X, B, *Picture, Face, W, H, StretchEffect);
            break;
        case 3:
            BuildVThreePart(LTPoint.Y, HeightOfRect(SkinRect) - LBPoint.Y, B, *Picture, Face, W, H, StretchEffect);
            break;
        default: break;
    }
}

void TqlSkinGeometry::BuildStateFace(TBitmap& B, const TRect& Face, int W, int H, bool UseSkinSize) const {
    if (UseSkinSize || ResizeMode == 1)
        BuildFace(B, Face, W, H, true);
    else if (Picture && ResizeMode == 0)
        B.Canvas().CopyRect(Rect(0, 0, W, H), *Picture, Face);
    else if (ResizeMode == 2 || ResizeMode == 3)
        BuildPartFace(B, Face);
}

bool TqlSkinGeometry::BuildPartFace(TBitmap& Dest, const TRect& Face) const {
    if (!Picture || ResizeMode < 0) return false;
    if (!RectIsEmpty(ClRect))
        BuildNinePartSized(Dest, *Picture, Face, ClRect, true);
    else if (ResizeMode == 2 || ResizeMode == 3)
        BuildThreePartSized(Dest, Face);
    else
        Dest.Canvas().CopyRect(Rect(0, 0, Dest.Width(), Dest.Height()), *Picture, Face);
    return true;
}

void TqlSkinGeometry::BuildThreePartSized(TBitmap& Dest, const TRect& Face) const {
    const int W = Dest.Width(), H = Dest.Height();
    TBitmap strip;
    if (ResizeMode == 2)
        BuildHThreePart(LTPoint.X, WidthOfRect(SkinRect) - RTPoint.X, strip, *Picture, Face, W, H, StretchEffect);
    else
        BuildVThreePart(LTPoint.Y, HeightOfRect(SkinRect) - LBPoint.Y, strip, *Picture, Face, W, H, StretchEffect);
    Dest.Canvas().StretchDraw(Rect(0, 0, W, H), strip);
}

TBitmap TqlSkinGeometry::ClientPiece() const {
    TBitmap piece(std::max(WidthOfRect(ClRect), 1), std::max(HeightOfRect(ClRect), 1));
    if (Picture && !RectIsEmpty(ClRect)) {
        const TRect src = Rect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                               SkinRect.Top + ClRect.Bottom);
        piece.Canvas().CopyRect(Rect(0, 0, piece.Width(), piece.Height()), *Picture, src);
    }
    return piece;
}

void TqlSkinGeometry::CalcFreeSize(int W, int H) {
    NewClRect = ClRect;
    NewClRect.Right += W - WidthOfRect(SkinRect);
    NewClRect.Bottom += H - HeightOfRect(SkinRect);
}

TRect TqlSkinGeometry::MapRectToSize(const TRect& R, int W, int H) const {
    const int dx = W - WidthOfRect(SkinRect), dy = H - HeightOfRect(SkinRect);
    const int sw = WidthOfRect(SkinRect), sh = HeightOfRect(SkinRect);
    TRect Result = R;
    auto moved = [&](int mx, int my) { return Rect(R.Left + mx, R.Top + my, R.Right + mx, R.Bottom + my); };
    switch (ResizeMode) {
        case 1: {
            const TRect lt = Rect(0, 0, LTPoint.X, LTPoint.Y), rt = Rect(RTPoint.X, 0, sw, RTPoint.Y),
                        lb = Rect(0, LBPoint.Y, LBPoint.X, sh), rb = Rect(RBPoint.X, RBPoint.Y, sw, sh);
            const TPoint tl{R.Left, R.Top}, br{R.Right, R.Bottom};
            auto inside = [&](const TRect& a) { return a.Contains(tl) && a.Contains(br); };
            if (inside(lt)) return R;
            if (inside(rt)) return moved(dx, 0);
            if (inside(lb)) return moved(0, dy);
            if (inside(rb)) return moved(dx, dy);
            auto in = [](const TRect& a, const TPoint& p) { return PointInRectIncl(a, p); };
            if (in(lt, tl) && in(rb, br)) {
                Result.Right += dx;
                Result.Bottom += dy;
            } else if (in(lt, tl) && in(rt, br)) {
                Result.Right += dx;
            } else if (in(lb, tl) && in(rb, br)) {
                Result = moved(0, dy);
                Result.Right += dx;
            } else if (in(lt, tl) && in(lb, br)) {
                Result.Bottom += dy;
            } else if (in(rt, tl) && in(rb, br)) {
                Result = moved(dx, 0);
                Result.Bottom += dy;
            }
            return Result;
        }
        case 2:
            if (R.Left <= LTPoint.X && R.Right >= RTPoint.X)
                Result.Right += dx;
            else if (R.Left >= RTPoint.X && R.Right > RTPoint.X)
                Result = moved(dx, 0);
            return Result;
        case 3:
            if (R.Top <= LTPoint.Y && R.Bottom >= LBPoint.Y)
                Result.Bottom += dy;
            else if (R.Top >= LBPoint.Y && R.Bottom > LBPoint.Y)
                Result = moved(0, dy);
            return Result;
        default: return Result;
    }
}

// TqlSkinLookup

void TqlSkinLookup::LookUp() {
    TqlSkinData* skin = SkinData();
    FIndex = !skin || skin->Empty ? -1 : skin->IndexOfControlData(LookupName());
}

const TqlDataSkinControl* TqlSkinLookup::Descriptor() const {
    if (FIndex < 0 || !SkinData() || FIndex >= int(SkinData()->CtrlList.size())) return nullptr;
    return SkinData()->CtrlList[size_t(FIndex)].get();
}

bool TqlSkinLookup::EffectsEnabled() const {
    return SkinData() && !SkinData()->Empty && SkinData()->EnableSkinEffects;
}

// TqlSkinDefaults

TqlSkinDefaults::TqlSkinDefaults() {
    FDefaultFont.SetName("Arial");
    FDefaultFont.SetHeight(14);
    FDefaultFont.OnChange = [this](TFont*) { DefaultFontOnChange(); };
}

void TqlSkinDefaults::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

namespace {

void FillFace(TBitmap& B) {
    B.Canvas().Brush().Color = clBtnFace;
    B.Canvas().Brush().Style = TBrushStyle::bsSolid;
    B.Canvas().FillRect(Rect(0, 0, B.Width(), B.Height()));
}

}  // namespace

// TqlSkinControl

TqlSkinControl::TqlSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {
    LinkSkinData(*this, *this, FormSkinData(AOwner));
}

void TqlSkinControl::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqlSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == SkinData()) TqlSkinLookup::SetSkinData(nullptr);
    if (AComponent == FHintImageList) FHintImageList = nullptr;
}

void TqlSkinControl::SetHintImageList(const TCustomImageList* Value) {
    FHintImageList = Value;
    WatchImageList(*this, Value);
}

void TqlSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TqlSkinControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_PARENTLOOKCHANGED) {
        ParentLookChanged();
        return;
    }
    TCustomControl::WndProc(Message);
}

void TqlSkinControl::WMPaint(TMessage& M) {
    FInPaint = true;
    TCustomControl::WMPaint(M);
    FInPaint = false;
}

// The whole control is painted from one bitmap, so erasing first would only flicker.
void TqlSkinControl::WMEraseBkgnd(TMessage& M) { M.Result = 1; }

void TqlSkinControl::PaintOnErase(TMessage& M) {
    if (!FInPaint && M.WParam) PaintWindow(*reinterpret_cast<TCanvas*>(M.WParam));
    M.Result = 1;
}

void TqlSkinControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    TBitmap B = PaintBuffer(Width(), Height());
    if (FIndex == -1)
        CreateControlDefaultImage(B);
    else
        CreateControlSkinImage(B);
    Canvas().Draw(0, 0, B);
}

// TqlSkinCustomControl

TqlSkinCustomControl::TqlSkinCustomControl(TComponent* AOwner) : TqlSkinControl(AOwner) {}

TqlSkinCustomControl::~TqlSkinCustomControl() = default;

void TqlSkinCustomControl::GetSkinData() {
    TqlSkinControl::GetSkinData();
    if (FIndex == -1) return;
    if (auto* d = dynamic_cast<const TqlDataSkinCustomControl*>(Descriptor())) {
        CopyGeometry(*d, *SkinData());
        MaskPicture = SkinPicture(*SkinData(), d->MaskPictureIndex);
    } else {
        ClearGeometry();
        MaskPicture = nullptr;
    }
}

void TqlSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    const int oldW = Width(), oldH = Height();
    if (FIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        int W = Width(), H = Height();
        CalcSize(W, H);
        if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
    }
    // A resize re-applies the region only while skinned; an unskinned control
    // must lose its shape here whatever its size did.
    const bool resized = oldW != Width() || oldH != Height();
    if (resized && FIndex != -1) return;
    SetControlRegion();
    if (!resized) Repaint();
}

void TqlSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool resized = AWidth != Width() || AHeight != Height();
    const bool adjusted = resized && FIndex != -1;
    if (adjusted) CalcSize(AWidth, AHeight);
    ATop = ToolBarCentredTop(*this, ATop, AHeight);
    TqlSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (adjusted) {
        SetControlRegion();
        Repaint();
    }
    if (FIndex != -1 && StretchEffect) BroadcastParentLookChanged();
}

bool HoldsFocus(const TWinControl& C) {
    if (C.Focused()) return true;
    const TForm* form = C.ParentForm();
    return form && form->ActiveControl() == &C;
}

void WatchImageList(TComponent& Self, const TCustomImageList* List) {
    if (List) const_cast<TCustomImageList*>(List)->FreeNotification(&Self);
}

void TqlSkinCustomControl::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TqlSkinCustomControl::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0) SetHeight(Value);
}

void TqlSkinCustomControl::DefaultFontOnChange() {
    DefaultFontChanged();
    if (FIndex == -1) Repaint();
}

void TqlSkinCustomControl::BroadcastParentLookChanged() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (auto* window = dynamic_cast<TWinControl*>(child))
            SendMessage(window, WM_PARENTLOOKCHANGED, 0, 0);
        else
            child->Perform(WM_PARENTLOOKCHANGED);
    }
}

void TqlSkinCustomControl::CreateControlDefaultImage(TBitmap& B) { FillFace(B); }

void TqlSkinCustomControl::CreateControlSkinImage(TBitmap& B) {
    if (ResizeMode == 1 && FramePaintMode) return;
    BuildFace(B, SkinRect, Width(), Height(), true);
}

void TqlSkinCustomControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    int W = Width(), H = Height();
    CalcSize(W, H);
    if (FIndex == -1 || !FramePaintMode || ResizeMode != 1 || !Picture) {
        TqlSkinControl::Paint();
        return;
    }
    PaintFrame();
}

void TqlSkinCustomControl::PaintFrame() {
    TBitmap left, top, right, bottom;
    BuildFrameImage(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                    NewClRect, left, top, right, bottom, *Picture, SkinRect, Width(), Height(), LeftStretch,
                    TopStretch, RightStretch, BottomStretch);
    CreateControlSkinImage(top);
    if (FillClientArea) FillClientPiece();
    TCanvas& C = Canvas();
    C.Draw(0, 0, top);
    C.Draw(0, top.Height(), left);
    C.Draw(Width() - right.Width(), top.Height(), right);
    C.Draw(0, Height() - bottom.Height(), bottom);
}

void TqlSkinCustomControl::FillClientPiece() {
    // An empty client piece or client area has nothing to tile.
    if (RectIsEmpty(ClRect) || RectIsEmpty(NewClRect)) return;
    FillWithPiece(Canvas(), ClientPiece(), NewClRect, StretchEffect, StretchType);
}

void TqlSkinCustomControl::SetControlRegion() {
    if (MaskPicture && FIndex != -1 && ResizeMode >= 0) {
        int W = Width(), H = Height();
        CalcSize(W, H);
        const int dx = Width() - WidthOfRect(SkinRect), dy = Height() - HeightOfRect(SkinRect);
        HRGN region = nullptr;
        switch (ResizeMode) {
            case 0: RegionFromMask(region, *MaskPicture); break;
            case 1:
                RegionFromNinePartMask(region, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint,
                                       NewLBPoint, NewRBPoint, NewClRect, *MaskPicture, Width(), Height());
                break;
            case 2: {
                const TPoint r{RTPoint.X + dx, RTPoint.Y};
                RegionFromNinePartMask(region, LTPoint, RTPoint, LTPoint, RTPoint, ClRect, NewLTPoint, r, NewLTPoint,
                                       r, NewClRect, *MaskPicture, Width(), Height());
                break;
            }
            case 3: {
                const TPoint b{LBPoint.X, LBPoint.Y + dy};
                RegionFromNinePartMask(region, LTPoint, LTPoint, LBPoint, LBPoint, ClRect, NewLTPoint, NewLTPoint, b,
                                       b, NewClRect, *MaskPicture, Width(), Height());
                break;
            }
            default: break;
        }
        // The window frees the region it held; a region handed over is never freed here.
        SetWindowRgn(region, true);
        FRgn = region;
        return;
    }
    if (FRgn) {
        SetWindowRgn(nullptr, true);
        FRgn = nullptr;
    }
}

// TqlGraphicSkinControl

TqlGraphicSkinControl::TqlGraphicSkinControl(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
    LinkSkinData(*this, *this, FormSkinData(AOwner));
}

void TqlGraphicSkinControl::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    if (Value && !Value->Empty) ChangeSkinData();
}

void TqlGraphicSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == SkinData()) TqlSkinLookup::SetSkinData(nullptr);
    if (AComponent == FHintImageList) FHintImageList = nullptr;
}

void TqlGraphicSkinControl::SetHintImageList(const TCustomImageList* Value) {
    FHintImageList = Value;
    WatchImageList(*this, Value);
}

void TqlGraphicSkinControl::ChangeSkinData() {
    GetSkinData();
    Repaint();
}

void TqlGraphicSkinControl::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    TBitmap B = PaintBuffer(Width(), Height());
    if (FIndex == -1)
        CreateControlDefaultImage(B);
    else
        CreateControlSkinImage(B);
    Canvas().Draw(0, 0, B);
}

// TqlGraphicSkinCustomControl

TqlGraphicSkinCustomControl::TqlGraphicSkinCustomControl(TComponent* AOwner) : TqlGraphicSkinControl(AOwner) {}

void TqlGraphicSkinCustomControl::GetSkinData() {
    TqlGraphicSkinControl::GetSkinData();
    if (FIndex == -1) return;
    if (auto* d = dynamic_cast<const TqlDataSkinCustomControl*>(Descriptor()))
        CopyGeometry(*d, *SkinData());
    else
        ClearGeometry();
}

void TqlGraphicSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    const int oldW = Width(), oldH = Height();
    if (FIndex == -1) {
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else {
        int W = Width(), H = Height();
        CalcSize(W, H);
        if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
    }
    if (oldW == Width() && oldH == Height()) Repaint();
}

void TqlGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool resized = AWidth != Width() || AHeight != Height();
    if (resized && FIndex != -1) CalcSize(AWidth, AHeight);
    ATop = ToolBarCentredTop(*this, ATop, AHeight);
    TqlGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && FIndex != -1) Repaint();
}

void TqlGraphicSkinCustomControl::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (FIndex == -1 && Value > 0) SetWidth(Value);
}

void TqlGraphicSkinCustomControl::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (FIndex == -1 && Value > 0) SetHeight(Value);
}

void TqlGraphicSkinCustomControl::DefaultFontOnChange() {
    DefaultFontChanged();
    if (FIndex == -1) Repaint();
}

void TqlGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap& B) { FillFace(B); }

void TqlGraphicSkinCustomControl::CreateControlSkinImage(TBitmap& B) {
    BuildFace(B, SkinRect, Width(), Height(), true);
}
