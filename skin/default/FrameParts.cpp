// The form frame, push and tool buttons, check and radio boxes, caption buttons.

#include "skin/default/SkinBuilder.h"

namespace defaultskin {

namespace {

// The images and captions of a button in its normal, hover, pressed and disabled states.
void SetButtonLook(TqlDataSkinButtonControl& d, const TRect& normal, const TRect& hover, const TRect& down,
                   const TRect& disabled, int corner) {
    d.SkinRect = normal;
    d.ActiveSkinRect = hover;
    d.DownSkinRect = down;
    d.DisabledSkinRect = disabled;
    NinePart(d, corner);
    SetFont(d);
    d.ActiveFontColor = d.DownFontColor = kText;
    d.DisabledFontColor = kTextDisabled;
    d.AnimateInterval = 25;
}

}  // namespace

// Push buttons and the tool buttons of bars: five states of a rounded face.
void AddButtons(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto s = a.Row(48, 26, 5);
    const Face faces[] = {kNormal, kHover, kDown, kFocused, kDisabled};
    for (int i = 0; i < 5; ++i) DrawFace(a, s[i], faces[i]);
    for (const char* name : {"button", "resizebutton"}) {
        auto& d = b.Control<TqlDataSkinButtonControl>(name, "button", pic);
        SetButtonLook(d, s[0], s[1], s[2], s[4], 6);
        d.FocusedSkinRect = s[3];
    }

    const auto t = a.Row(26, 26, 4);
    const Face toolFaces[] = {kFlat, kHover, kDown, kFlat};
    for (int i = 0; i < 4; ++i) DrawFace(a, t[i], toolFaces[i]);
    const auto markers = a.Row(8, 5, 3);
    for (const TRect& m : markers)
        a.Draw([m](TSkinPainter& p) {
            p.Fill(m, kKey);
            p.Arrow(m, TSkinPainter::Dir::Down, kTextSoft);
        });
    auto tool = [&](TqlDataSkinButtonControl& d) {
        SetButtonLook(d, t[0], t[1], t[2], t[3], 5);
        d.MenuMarkerFlatRect = d.MenuMarkerRect = markers[0];
        d.MenuMarkerActiveRect = markers[1];
        d.MenuMarkerDownRect = markers[2];
        d.MenuMarkerTransparentColor = kKey;
    };
    for (const char* name : {"toolbutton", "bigtoolbutton", "resizetoolbutton", "htracktoolbutton", "vtracktoolbutton"})
        tool(b.Control<TqlDataSkinButtonControl>(name, "button", pic));
    // The drop-down buttons: a tool face that stretches sideways with a
    // 12-pixel track part at its right end, an arrow in it and, under the
    // pointer, a line that marks it off.
    constexpr int kTrack = 12;
    const auto m = a.Row(40, 26, 4);
    for (int i = 0; i < 4; ++i) {
        DrawFace(a, m[i], toolFaces[i]);
        const TRect r = m[i];
        const bool lit = i == 1 || i == 2;
        a.Draw([r, lit](TSkinPainter& p) {
            if (lit) p.Fill(Rect(r.Right - kTrack - 1, r.Top + 4, r.Right - kTrack, r.Bottom - 4), kBorderHover);
            const int top = r.Top + (r.Height() - 5) / 2;
            p.Arrow(Rect(r.Right - kTrack + 2, top, r.Right - 2, top + 5), TSkinPainter::Dir::Down, kTextSoft);
        });
    }
    for (const char* name : {"toolmenubutton", "toolmenutrackbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"}) {
        auto& menu = b.Control<TqlDataSkinMenuButtonControl>(name, "menubutton", pic);
        SetButtonLook(menu, m[0], m[1], m[2], m[3], 5);
        // Horizontal three-part: the track part stays at the right end.
        const int w = m[0].Width(), h = m[0].Height();
        menu.LTPoint = {6, 0};
        menu.RTPoint = {w - kTrack - 2, 0};
        menu.LBPoint = menu.RBPoint = {0, 0};
        menu.ClientRect = Rect(3, 3, w - kTrack - 1, h - 3);
        menu.TrackButtonRect = Rect(w - kTrack, 0, w, h);
        menu.MenuMarkerFlatRect = menu.MenuMarkerRect = markers[0];
        menu.MenuMarkerActiveRect = markers[1];
        menu.MenuMarkerDownRect = markers[2];
        menu.MenuMarkerTransparentColor = kKey;
    }
}

// Check and radio boxes: 14-pixel boxes, accent-filled with a white mark when checked.
void AddCheckRadio(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    for (bool radio : {false, true}) {
        // unchecked, checked, active unchecked, active checked, disabled unchecked, disabled checked, grayed, active
        // grayed
        const auto r = a.Row(14, 14, 8);
        const int radius = radio ? 7 : 3;
        const TColor disabledAccent = MixColor(kAccent, kWhite, 1, 2);
        auto box = [&](const TRect& x, TColor border, TColor fill, TColor mark, bool checked, bool grayed) {
            a.Draw([=](TSkinPainter& p) {
                p.RoundRect(x, radius, 1, border, fill, fill);
                if (checked && radio) p.Disc(Rect(x.Left + 4, x.Top + 4, x.Right - 4, x.Bottom - 4), mark);
                if (checked && !radio) p.Check(Rect(x.Left + 1, x.Top + 1, x.Right - 1, x.Bottom - 1), mark);
                if (grayed) p.RoundRect(Rect(x.Left + 4, x.Top + 4, x.Right - 4, x.Bottom - 4), 1, 1, mark, mark, mark);
            });
        };
        box(r[0], kBorder, kWhite, kWhite, false, false);
        box(r[1], kAccent, kAccent, kWhite, true, false);
        box(r[2], kBorderHover, kWhite, kWhite, false, false);
        box(r[3], kAccentDown, kAccentDown, kWhite, true, false);
        box(r[4], kPanelBorder, kFaceDisabled, kWhite, false, false);
        box(r[5], disabledAccent, disabledAccent, kWhite, true, false);
        box(r[6], kBorder, kWhite, kAccent, false, true);
        box(r[7], kBorderHover, kWhite, kAccentDown, false, true);
        const TRect back = a.Place(120, 20);
        a.Draw([back](TSkinPainter& p) { p.Fill(back, kWindow); });

        auto& d = b.Control<TqlDataSkinCheckRadioControl>(radio ? "radiobox" : "checkbox", "checkradio", pic);
        d.SkinRect = d.ActiveSkinRect = back;
        d.CheckImageArea = Rect(0, 0, 18, 20);
        d.TextArea = Rect(22, 0, 120, 20);
        d.LTPoint = {22, 0};
        d.RTPoint = {118, 0};
        d.LBPoint = {22, 20};
        d.RBPoint = {118, 20};
        d.ClientRect = d.TextArea;
        SetFont(d);
        d.ActiveFontColor = d.FrameFontColor = kText;
        d.UnEnabledFontColor = kTextDisabled;
        d.UnCheckImageRect = r[0];
        d.CheckImageRect = r[1];
        d.ActiveUnCheckImageRect = r[2];
        d.ActiveCheckImageRect = r[3];
        d.UnEnabledUnCheckImageRect = r[4];
        d.UnEnabledCheckImageRect = r[5];
        d.GrayedCheckImageRect = r[6];
        d.ActiveGrayedCheckImageRect = r[7];
    }
}

// Caption buttons of the form frame: close, maximise, restore, minimise in
// normal, hover and pressed states.
void AddCaptionButtons(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    enum Glyph { Close, Max, Restore, Min };
    auto glyph = [](TSkinPainter& p, const TRect& r, Glyph g, TColor c) {
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        switch (g) {
            case Close:
                p.Line(cx - 4, cy - 4, cx + 4, cy + 4, 1, c);
                p.Line(cx - 4, cy + 4, cx + 4, cy - 4, 1, c);
                break;
            case Max:
                p.RoundRect(Rect(cx - 5, cy - 5, cx + 5, cy + 5), 1, 1, c, kWindow, kWindow);
                break;
            case Restore:
                p.RoundRect(Rect(cx - 3, cy - 6, cx + 6, cy + 3), 1, 1, c, kWindow, kWindow);
                p.RoundRect(Rect(cx - 6, cy - 3, cx + 3, cy + 6), 1, 1, c, kWindow, kWindow);
                break;
            case Min:
                p.Line(cx - 5, cy, cx + 5, cy, 1, c);
                break;
        }
    };
    auto row = [&](Glyph g, TColor hoverFill, TColor hoverGlyph) {
        const auto s = a.Row(34, 26, 3);
        a.Draw([=](TSkinPainter& p) {
            p.Fill(s[0], kWindow);
            glyph(p, s[0], g, kText);
            p.Fill(s[1], hoverFill);
            glyph(p, s[1], g, hoverGlyph);
            p.Fill(s[2], MixColor(hoverFill, kText, 1, 6));
            glyph(p, s[2], g, hoverGlyph);
        });
        return s;
    };
    const auto close = row(Close, kCloseHover, kWhite);
    const auto max = row(Max, kGrid, kText);
    const auto restore = row(Restore, kGrid, kText);
    const auto min = row(Min, kGrid, kText);
    auto button = [&](const char* name, TqlStdCommand command, const std::vector<TRect>& s) -> TqlDataSkinStdButton& {
        auto& d = b.Object<TqlDataSkinStdButton>(name, "stdbutton", pic);
        d.SkinRect = d.InActiveSkinRect = d.DisableSkinRect = s[0];
        d.ActiveSkinRect = s[1];
        d.DownRect = s[2];
        d.Command = command;
        return d;
    };
    button("closebutton", TqlStdCommand::cmClose, close);
    auto& maxButton = button("maxbutton", TqlStdCommand::cmMaximize, max);
    maxButton.RestoreRect = maxButton.RestoreInActiveRect = restore[0];
    maxButton.RestoreActiveRect = restore[1];
    maxButton.RestoreDownRect = restore[2];
    button("minbutton", TqlStdCommand::cmMinimize, min);
}

// The form frame and its shape: a white caption bar over the window grey,
// a one-pixel border, rounded top corners.
void AddFormFrame(Builder& b, TqlSkinData& f) {
    const TRect all = b.Frame.Place(196, 116);
    b.Frame.Draw([all](TSkinPainter& p) {
        p.RoundRect(all, 6, 1, kBorder, kWindow, kWindow);
        p.Fill(Rect(all.Left + 1, all.Top + 6, all.Right - 1, all.Top + 31), kWhite);
        p.RoundRect(Rect(all.Left + 1, all.Top + 1, all.Right - 1, all.Top + 12), 5, 0, kWhite, kWhite, kWhite);
        p.Fill(Rect(all.Left + 1, all.Top + 31, all.Right - 1, all.Top + 32), kPanelBorder);
    });
    const TRect shape = b.FrameMask.Place(196, 116);
    b.FrameMask.Draw([shape](TSkinPainter& p) {
        p.Fill(Rect(0, 0, 200, 120), kWhite);  // outside the window
        p.RoundRect(Rect(shape.Left, shape.Top, shape.Right, shape.Bottom + 6), 6, 0, clBlack, clBlack, clBlack);
    });
    const int x = all.Left, y = all.Top;
    f.LTPoint = {x + 8, y + 32};
    f.RTPoint = {x + 188, y + 32};
    f.LBPoint = {x + 8, y + 108};
    f.RBPoint = {x + 188, y + 108};
    f.ClientRect = Rect(x + 1, y + 32, x + 195, y + 115);
    f.MaskRectArea = all;
    f.ButtonsRect = Rect(x + 90, y + 3, x + 194, y + 29);
    f.CaptionRect = Rect(x + 10, y + 1, x + 90, y + 31);
    f.BorderWidth = 1;
    f.FormMinWidth = 320;
    f.StretchEffect = f.LeftStretch = f.RightStretch = f.TopStretch = f.BottomStretch = true;
    f.AutoRenderingInActiveImage = true;
    f.InActiveEffect = TqlInActiveEffect::ieBrightness;

    auto& caption = b.Object<TqlDataSkinCaption>("caption", "caption");
    caption.SkinRect = caption.ActiveSkinRect = caption.InActiveSkinRect = f.CaptionRect;
    caption.TextRect = Rect(0, 0, f.CaptionRect.Width(), f.CaptionRect.Height());
    caption.FontName = kFont;
    caption.FontHeight = 14;
    caption.FontStyle = fsBold;
    caption.FontColor = kTextSoft;
    caption.ActiveFontColor = kText;
    caption.Alignment = TAlignment::taLeftJustify;
    caption.AnimateInterval = 25;
}

}  // namespace defaultskin
