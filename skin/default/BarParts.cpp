// Scroll bars, gauges, the slider, splitters, tabs, popup menus and hints.

#include "skin/default/SkinBuilder.h"

namespace defaultskin {

// Scroll bars, gauges, the slider, splitters and the tab row's up-down.
void AddBars(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    using Dir = TSkinPainter::Dir;
    // An arrow cell of a scroll bar, in one of its three states.
    const auto arrowCell = [](TSkinPainter& p, const TRect& r, Dir dir, int state) {
        const TColor glyphs[] = {kThumbHover, kTextSoft, kText};
        p.Fill(r, state == 2 ? kThumb : kTrack);
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        const bool v = dir == Dir::Up || dir == Dir::Down;
        p.Arrow(v ? Rect(cx - 4, cy - 2, cx + 4, cy + 2) : Rect(cx - 2, cy - 4, cx + 2, cy + 4), dir, glyphs[state]);
    };
    // A bar is its decrement cell, a 34-pixel track and its increment cell (a
    // horizontal bar beside a vertical one adds the corner square): the
    // picture shows the buttons at rest, the descriptor names where they sit.
    constexpr int kCell = 14, kTrackLength = 34, kBarLength = 2 * kCell + kTrackLength;
    for (bool vertical : {true, false}) {
        const Dir incDir = vertical ? Dir::Down : Dir::Right, decDir = vertical ? Dir::Up : Dir::Left;
        const auto inc = a.Row(kCell, kCell, 3);
        const auto dec = a.Row(kCell, kCell, 3);
        for (int i = 0; i < 3; ++i)
            a.Draw([=](TSkinPainter& p) {
                arrowCell(p, inc[i], incDir, i);
                arrowCell(p, dec[i], decDir, i);
            });
        const auto thumbs = vertical ? a.Row(kCell, 24, 3) : a.Row(24, kCell, 3);
        const TColor fills[] = {kThumb, kThumbHover, kBorderHover};
        for (int i = 0; i < 3; ++i)
            a.Draw([r = thumbs[i], fill = fills[i], vertical](TSkinPainter& p) {
                p.Fill(r, kTrack);
                const TRect bar = vertical ? Rect(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1)
                                           : Rect(r.Left + 1, r.Top + 3, r.Right - 1, r.Bottom - 3);
                p.RoundRect(bar, 4, 0, fill, fill, fill);
            });
        const std::vector<const char*> names = vertical ? std::vector<const char*>{"vscrollbar"}
                                                        : std::vector<const char*>{"hscrollbar", "bothhscrollbar"};
        for (const char* name : names) {
            const bool both = std::string(name) == "bothhscrollbar";
            const int length = kBarLength + (both ? kCell : 0);
            const TRect bar = vertical ? a.Place(kCell, length) : a.Place(length, kCell);
            // Both are drawn from later, when the atlas renders: they keep copies.
            auto at = [vertical](int from, int to) {
                return vertical ? Rect(0, from, kCell, to) : Rect(from, 0, to, kCell);
            };
            auto shifted = [bar](const TRect& r) {
                return Rect(r.Left + bar.Left, r.Top + bar.Top, r.Right + bar.Left, r.Bottom + bar.Top);
            };
            a.Draw([=](TSkinPainter& p) {
                p.Fill(bar, kTrack);
                arrowCell(p, shifted(at(0, kCell)), decDir, 0);
                arrowCell(p, shifted(at(kCell + kTrackLength, kBarLength)), incDir, 0);
                if (both) p.Fill(shifted(at(kBarLength, length)), kWindow);
            });
            auto& d = b.Control<TqlDataSkinScrollBarControl>(name, "scrollbar", pic);
            d.SkinRect = bar;
            // The far end stretches from one pixel inside the track, so the
            // increment button counts as lying beyond the corner point.
            const int corner = kCell + kTrackLength - 1;
            d.LTPoint = vertical ? TPoint{0, kCell} : TPoint{kCell, 0};
            (vertical ? d.LBPoint : d.RTPoint) = vertical ? TPoint{0, corner} : TPoint{corner, 0};
            d.ClientRect = at(kCell, corner);
            d.StretchEffect = true;
            d.TrackArea = at(kCell, kCell + kTrackLength);
            d.UpButtonRect = at(kCell + kTrackLength, kBarLength);
            d.ActiveUpButtonRect = inc[1];
            d.DownUpButtonRect = inc[2];
            d.DownButtonRect = at(0, kCell);
            d.ActiveDownButtonRect = dec[1];
            d.DownDownButtonRect = dec[2];
            d.ThumbRect = thumbs[0];
            d.ActiveThumbRect = thumbs[1];
            d.DownThumbRect = thumbs[2];
            d.ThumbOffset1 = d.ThumbOffset2 = 6;
            d.ThumbStretchEffect = true;
            d.ThumbMinSize = 20;
        }
    }

    for (const char* name : {"gauge", "statusgauge", "vgauge"}) {
        const bool vertical = std::string(name) == "vgauge";
        const TRect track = vertical ? a.Place(14, 60) : a.Place(60, 14);
        const TRect bar = vertical ? a.Place(10, 20) : a.Place(20, 10);
        a.Draw([track, bar](TSkinPainter& p) {
            p.RoundRect(track, 5, 1, kPanelBorder, kTrack, kTrack);
            p.RoundRect(bar, 3, 0, kAccent, kGaugeBar, kGaugeBar);
        });
        auto& d = b.Control<TqlDataSkinGaugeControl>(name, "gauge", pic);
        d.SkinRect = track;
        NinePart(d, 5);
        d.ProgressArea = vertical ? Rect(2, 2, 12, 58) : Rect(2, 2, 58, 12);
        d.ProgressRect = bar;
        d.BeginOffset = d.EndOffset = 4;
        d.ProgressStretch = true;
        d.Vertical = vertical;
        SetFont(d);
    }

    auto& slider = b.Control<TqlDataSkinSlider>("slider", "slider", pic);
    slider.HRulerRect = a.Place(60, 6);
    slider.VRulerRect = a.Place(6, 60);
    // The thumb's two cells side by side: normal, then pressed or disabled.
    slider.HThumbRect = slider.VThumbRect = a.Place(32, 16);
    a.Draw([h = slider.HRulerRect, v = slider.VRulerRect, t = slider.HThumbRect](TSkinPainter& p) {
        p.RoundRect(h, 3, 0, kThumb, kThumb, kThumb);
        p.RoundRect(v, 3, 0, kThumb, kThumb, kThumb);
        p.RoundRect(Rect(t.Left, t.Top, t.Left + 16, t.Bottom), 8, 2, kAccent, kWhite, kWhite);
        p.RoundRect(Rect(t.Left + 16, t.Top, t.Right, t.Bottom), 8, 2, kAccentDown, kAccent, kAccent);
    });
    slider.SkinRect = slider.HRulerRect;
    slider.BGColor = kWindow;
    slider.EdgeSize = 4;
    slider.PointsColor = kBorder;

    // Track bars: a thin groove, filled with the accent up to the thumb (the
    // active picture), and a round thumb like the slider's; the thumb's
    // corners are the window grey, which the descriptor makes transparent.
    const auto thumbs = a.Row(16, 16, 2);
    a.Draw([normal = thumbs[0], active = thumbs[1]](TSkinPainter& p) {
        p.RoundRect(normal, 8, 2, kAccent, kWhite, kWhite);
        p.RoundRect(active, 8, 2, kAccentDown, kAccentLight, kAccentLight);
    });
    for (bool vertical : {true, false}) {
        const auto tracks = vertical ? a.Row(20, 60, 2) : a.Row(60, 20, 2);
        for (int i = 0; i < 2; ++i)
            a.Draw([r = tracks[i], fill = i == 0 ? kThumb : kAccent, vertical](TSkinPainter& p) {
                const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
                p.RoundRect(vertical ? Rect(cx - 2, r.Top + 4, cx + 2, r.Bottom - 4)
                                     : Rect(r.Left + 4, cy - 2, r.Right - 4, cy + 2),
                            2, 0, fill, fill, fill);
            });
        auto& d = b.Control<TqlDataSkinTrackBarControl>(vertical ? "trackbar" : "htrackbar", "trackbar", pic);
        d.SkinRect = tracks[0];
        d.ActiveSkinRect = tracks[1];
        // Three parts along the bar: fixed ends, the middle stretched.
        d.LTPoint = vertical ? TPoint{0, 10} : TPoint{10, 0};
        (vertical ? d.LBPoint : d.RTPoint) = vertical ? TPoint{0, 50} : TPoint{50, 0};
        d.StretchEffect = true;
        d.TrackArea = vertical ? Rect(0, 2, 20, 58) : Rect(2, 0, 58, 20);
        d.ButtonRect = thumbs[0];
        d.ActiveButtonRect = thumbs[1];
        d.Vertical = vertical;
        d.ButtonTransparent = true;
        d.ButtonTransparentColor = kWindow;
    }

    // The bar is plain, so it can be tiled to any length; the gripper is a
    // picture of its own, drawn once in the middle.
    for (bool vertical : {true, false}) {
        const TRect r = vertical ? a.Place(6, 40) : a.Place(40, 6);
        const TRect grip = vertical ? a.Place(6, 20) : a.Place(20, 6);
        a.Draw([r, grip](TSkinPainter& p) {
            p.Fill(r, kWindow);
            p.Fill(grip, kWindow);
            p.Grip(grip, kThumbHover);
        });
        auto& d = b.Control<TqlDataSkinSplitterControl>(vertical ? "vsplitter" : "hsplitter", "splitter", pic);
        d.SkinRect = r;
        NinePart(d, 0);
        d.GripperRect = grip;
    }

    const auto right = a.Row(16, 16, 3);
    const auto left = a.Row(16, 16, 3);
    for (int i = 0; i < 3; ++i) {
        const Face faces[] = {kNormal, kHover, kDown};
        DrawFace(a, right[i], faces[i], 3);
        DrawFace(a, left[i], faces[i], 3);
        a.Draw([r = right[i], l = left[i]](TSkinPainter& p) {
            const int cy = (r.Top + r.Bottom) / 2;
            p.Arrow(Rect(r.Left + 6, cy - 4, r.Left + 10, cy + 4), Dir::Right, kTextSoft);
            p.Arrow(Rect(l.Left + 6, cy - 4 + (l.Top - r.Top), l.Left + 10, cy + 4 + (l.Top - r.Top)), Dir::Left,
                    kTextSoft);
        });
    }
    auto& updown = b.Control<TqlDataSkinUpDownControl>("hupdown", "updown", pic);
    updown.SkinRect = Rect(right[0].Left, right[0].Top, right[0].Left + 16, right[0].Bottom);
    SetUpDownButtons(updown, right, left);
}

// The page control: idle tabs on the window grey, the selected one white,
// joined to the page, with an accent line on top.
void AddTabs(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto t = a.Row(40, 28, 4);  // idle, selected, focused, under the mouse
    auto tab = [&](const TRect& r, TColor fill, bool selected, bool focused = false) {
        a.Draw([=](TSkinPainter& p) {
            p.Fill(r, kWindow);
            p.RoundRect(Rect(r.Left, r.Top, r.Right, r.Bottom + 6), 4, 1, kPanelBorder, fill, fill);
            p.Fill(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), selected ? kWhite : kPanelBorder);
            if (selected) {
                p.Fill(Rect(r.Left, r.Bottom - 1, r.Left + 1, r.Bottom), kPanelBorder);
                p.Fill(Rect(r.Right - 1, r.Bottom - 1, r.Right, r.Bottom), kPanelBorder);
                p.RoundRect(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 3), 1, 0, kAccent, kAccent, kAccent);
            }
            // The focus ring around the caption, inside the side parts so that it stretches with the tab.
            if (focused) p.RoundRect(Rect(r.Left + 3, r.Top + 5, r.Right - 3, r.Bottom - 3), 3, 2, kFocus, fill, fill);
        });
    };
    tab(t[0], kTabIdle, false);
    tab(t[1], kWhite, true);
    tab(t[2], kWhite, true, true);
    tab(t[3], kFaceBottom, false);
    const TRect page = a.Place(40, 40);
    const TRect row = a.Place(20, 28);
    a.Draw([page, row](TSkinPainter& p) {
        // A white card with a thin border, inset by a margin of window grey.
        // No line along its top: the strip's bottom line runs under the idle
        // tabs and the selected tab opens into its page.
        p.Fill(page, kWindow);
        p.Fill(Rect(page.Left + 3, page.Top, page.Right - 3, page.Bottom - 3), kPanelBorder);
        p.Fill(Rect(page.Left + 4, page.Top, page.Right - 4, page.Bottom - 4), kWhite);
        p.Fill(row, kWindow);
        p.Fill(Rect(row.Left, row.Bottom - 1, row.Right, row.Bottom), kPanelBorder);
    });
    auto& d = b.Control<TqlDataSkinTabControl>("tab", "tab", pic);
    d.SkinRect = page;
    d.TabRect = t[0];
    d.ActiveTabRect = t[1];
    d.FocusTabRect = t[2];
    d.MouseInTabRect = t[3];
    d.ClientRect = Rect(4, 0, 36, 36);
    d.LTPoint = {4, 4};
    d.RTPoint = {36, 4};
    d.LBPoint = {4, 36};
    d.RBPoint = {36, 36};
    d.TabLeftOffset = d.TabRightOffset = 6;
    d.TabsBGRect = row;
    d.TabStretchEffect = true;
    d.StretchEffect = d.LeftStretch = d.TopStretch = d.RightStretch = d.BottomStretch = true;
    SetFont(d, kTextSoft);
    d.ActiveFontColor = d.FocusFontColor = kText;
    d.MouseInFontColor = kText;
    d.UpDown = "hupdown";
}

// Popup menus and hints: white cards; menu items highlighted in a light accent.
void AddMenusAndHints(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const TRect popup = a.Place(40, 40);
    const TRect hint = a.Place(40, 30);
    DrawFace(a, popup, Face{kPanelBorder, kWhite, kWhite}, 4);
    DrawFace(a, hint, Face{kBorder, kWhite, kWhite}, 4);
    auto frame = [](auto& f, const TRect& r, int pictureIndex) {
        f.WindowPictureIndex = pictureIndex;
        f.LTPoint = {r.Left + 6, r.Top + 6};
        f.RTPoint = {r.Right - 6, r.Top + 6};
        f.LBPoint = {r.Left + 6, r.Bottom - 6};
        f.RBPoint = {r.Right - 6, r.Bottom - 6};
        f.StretchEffect = f.LeftStretch = f.TopStretch = f.RightStretch = f.BottomStretch = true;
        f.StretchType = TqlStretchType::stFull;
    };
    frame(b.Popup, popup, pic);
    b.Popup.ItemsRect = Rect(popup.Left + 4, popup.Top + 4, popup.Right - 4, popup.Bottom - 4);
    b.Popup.ScrollMarkerColor = kTextDisabled;
    b.Popup.ScrollMarkerActiveColor = kText;
    frame(b.Hint, hint, pic);
    b.Hint.ClientRect = Rect(hint.Left + 6, hint.Top + 4, hint.Right - 6, hint.Bottom - 4);
    b.Hint.FontName = kFont;
    b.Hint.FontHeight = 12;
    b.Hint.FontColor = kText;

    const auto item = a.Row(60, 24, 2);
    const TRect divider = a.Place(60, 7);
    const auto marks = a.Row(14, 14, 2);
    const auto arrow = a.Row(6, 10, 2);
    a.Draw([=](TSkinPainter& p) {
        p.Fill(item[0], kWhite);
        p.Fill(item[1], kWhite);
        p.RoundRect(item[1], 3, 0, kAccentLight, kAccentLight, kAccentLight);
        p.Fill(divider, kWhite);
        p.Fill(Rect(divider.Left + 4, divider.Top + 3, divider.Right - 4, divider.Top + 4), kGrid);
        p.Fill(marks[0], kWhite);
        p.Check(Rect(marks[0].Left + 1, marks[0].Top + 1, marks[0].Right - 1, marks[0].Bottom - 1), kText);
        p.Fill(marks[1], kWhite);
        p.Disc(Rect(marks[1].Left + 4, marks[1].Top + 4, marks[1].Right - 4, marks[1].Bottom - 4), kText);
        p.Fill(arrow[0], kWhite);
        p.Arrow(arrow[0], TSkinPainter::Dir::Right, kTextSoft);
        p.Fill(arrow[1], kAccentLight);
        p.Arrow(arrow[1], TSkinPainter::Dir::Right, kText);
    });
    auto& m = b.Object<TqlDataSkinMenuItem>("menuitem", "menuitem", pic);
    m.SkinRect = m.InActiveSkinRect = item[0];
    m.ActiveSkinRect = item[1];
    m.DividerRect = divider;
    m.DividerLeftOffset = m.DividerRightOffset = 4;
    m.ItemLeftOffset = m.ItemRightOffset = 4;
    m.FontName = kFont;
    m.FontHeight = kFontHeight;
    m.FontColor = m.ActiveFontColor = kText;
    m.UnEnabledFontColor = kTextDisabled;
    m.TextRect = Rect(26, 0, 50, 24);
    m.ImageRect = Rect(4, 4, 20, 20);
    m.StretchEffect = m.DividerStretchEffect = true;
    m.AnimateInterval = 25;
    m.CheckImageRect = m.ActiveCheckImageRect = marks[0];
    m.RadioImageRect = m.ActiveRadioImageRect = marks[1];
    m.ArrowImageRect = arrow[0];
    m.ActiveArrowImageRect = arrow[1];
}

}  // namespace defaultskin
