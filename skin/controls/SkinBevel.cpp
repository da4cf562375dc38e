#include "skin/controls/qlSkinCtrls.h"

TqlSkinBevel::TqlSkinBevel(TComponent* owner) : TBevel(owner) {
    SetSkinDataName("bevel");
    if (TqlSkinData* skin = FormSkinData(owner)) SetSkinData(skin);
}

void TqlSkinBevel::SetSkinData(TqlSkinData* value) {
    if (SkinData() && SkinData() != value) RemoveFreeNotification(SkinData());
    TqlSkinLink::SetSkinData(value);
    // Told of the component's removal, the bevel never reads a freed skin.
    if (value) value->FreeNotification(this);
    GetSkinData();
}

void TqlSkinBevel::SetBounds(int left, int top, int width, int height) {
    TBevel::SetBounds(left, ToolBarCentredTop(*this, top, height), width, height);
}

void TqlSkinBevel::Notification(TComponent* component, TOperation operation) {
    TBevel::Notification(component, operation);
    if (operation == TOperation::opRemove && component == SkinData()) TqlSkinLink::SetSkinData(nullptr);
}

void TqlSkinBevel::GetSkinData() {
    TqlSkinData* skin = SkinData();
    const int index = !skin || skin->Empty ? -1 : skin->IndexOfControlData(SkinDataName());
    if (index == -1) {
        LightColor = clBtnHighlight;
        ShadowColor = clBtnShadow;
    } else if (auto* d = dynamic_cast<const TqlDataSkinBevel*>(skin->CtrlList[size_t(index)].get())) {
        LightColor = d->LightColor;
        ShadowColor = d->DarkColor;
    }
    Repaint();
}

void TqlSkinBevel::SetDividerMode(bool value) {
    FDividerMode = value;
    Repaint();
}

void TqlSkinBevel::Paint() {
    TCanvas& C = Canvas();
    TColor color1 = Style == TBevelStyle::bsLowered ? ShadowColor : LightColor;
    TColor color2 = Style == TBevelStyle::bsLowered ? LightColor : ShadowColor;
    C.Pen().Width = 1;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        C.Pen().Color = color;
        C.MoveTo(x1, y1);
        C.LineTo(x2, y2);
    };
    auto bevelRect = [&](int left, int top, int right, int bottom) {
        C.Pen().Color = color1;
        C.MoveTo(left, bottom);
        C.LineTo(left, top);
        C.LineTo(right, top);
        C.Pen().Color = color2;
        C.LineTo(right, bottom);
        C.LineTo(left, bottom);
    };
    const int W = Width(), H = Height();
    if (FDividerMode) {
        if (Shape == TBevelShape::bsSpacer) return;
        if (Shape == TBevelShape::bsTopLine || Shape == TBevelShape::bsBottomLine)
            bevelRect(2, H / 2 - 1, W - 2, H / 2);
        else
            bevelRect(W / 2 - 1, 2, W / 2, H - 2);
        return;
    }
    switch (Shape) {
        case TBevelShape::bsBox: bevelRect(0, 0, W - 1, H - 1); break;
        case TBevelShape::bsFrame: {
            const TColor temp = color1;
            color1 = color2;
            bevelRect(1, 1, W - 1, H - 1);
            color1 = color2 = temp;
            bevelRect(0, 0, W - 2, H - 2);
            break;
        }
        case TBevelShape::bsTopLine:
            line(color1, 0, 0, W, 0);
            line(color2, 0, 1, W, 1);
            break;
        case TBevelShape::bsBottomLine:
            line(color1, 0, H - 2, W, H - 2);
            line(color2, 0, H - 1, W, H - 1);
            break;
        case TBevelShape::bsLeftLine:
            line(color1, 0, 0, 0, H);
            line(color2, 1, 0, 1, H);
            break;
        case TBevelShape::bsRightLine:
            line(color1, W - 2, 0, W - 2, H);
            line(color2, W - 1, 0, W - 1, H);
            break;
        case TBevelShape::bsSpacer: break;
    }
}
