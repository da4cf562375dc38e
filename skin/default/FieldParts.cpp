// Panels and bars, edits, lists, combo boxes and views.

#include "skin/default/SkinBuilder.h"

namespace defaultskin {

// Panels, group boxes, the status and tool bars: white cards or the window grey.
void AddPanels(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto s = a.Row(24, 24, 3);
    DrawFace(a, s[0], Face{kPanelBorder, kWhite, kWhite});
    a.Draw([r = s[1]](TSkinPainter& p) {
        p.Fill(r, kWindow);
        p.Fill(Rect(r.Left, r.Top, r.Right, r.Top + 1), kPanelBorder);
    });
    // A tool bar: the window grey over a line that parts it from what lies below.
    a.Draw([r = s[2]](TSkinPainter& p) {
        p.Fill(r, kWindow);
        p.Fill(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), kPanelBorder);
    });
    const TRect grip = a.Place(12, 12);
    a.Draw([grip](TSkinPainter& p) {
        p.Fill(grip, kKey);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j <= i; ++j)
                p.Disc(Rect(grip.Right - 3 - 4 * j, grip.Bottom - 3 - 4 * (2 - i), grip.Right - 1 - 4 * j,
                            grip.Bottom - 1 - 4 * (2 - i)),
                       kThumbHover);
    });
    auto panel = [&](const char* name, const TRect& r) -> TqlDataSkinPanelControl& {
        auto& d = b.Control<TqlDataSkinPanelControl>(name, "panel", pic);
        d.SkinRect = r;
        NinePart(d, 6);
        SetFont(d);
        d.Alignment = TAlignment::taCenter;
        return d;
    };
    panel("panel", s[0]);
    auto& group = panel("groupbox", s[0]);
    group.Alignment = TAlignment::taLeftJustify;
    group.FontStyle = fsBold;
    auto& status = panel("statusbar", s[1]);
    status.GripperRect = grip;
    status.GripperTransparent = true;
    status.GripperTransparentColor = kKey;
    for (const char* name : {"toolpanel", "bigtoolpanel", "resizetoolpanel"}) panel(name, s[2]);

    auto& bevel = b.Control<TqlDataSkinBevel>("bevel", "bevel");
    bevel.LightColor = kWhite;
    bevel.DarkColor = kPanelBorder;
}

// Edits, memos, spin edits, combo and list boxes and the views: white fields
// whose border turns blue with the focus.
void AddFields(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto field = a.Row(24, 24, 3);
    DrawFace(a, field[0], Face{kBorder, kWhite, kWhite}, 3);
    DrawFace(a, field[1], Face{kAccent, kWhite, kWhite}, 3);
    DrawFace(a, field[2], Face{kPanelBorder, kFaceDisabled, kFaceDisabled}, 3);

    // A field's image, and the focused one, with its text colours.
    auto fieldLook = [&](auto& d) {
        d.SkinRect = field[0];
        d.ActiveSkinRect = field[1];
        NinePart(d, 4);
        SetFont(d);
        d.ActiveFontColor = kText;
    };
    auto edit = [&](TqlDataSkinEditControl& d) {
        fieldLook(d);
        d.DisabledFontColor = kTextDisabled;
    };
    edit(b.Control<TqlDataSkinEditControl>("edit", "edit", pic));
    auto& memo = b.Control<TqlDataSkinMemoControl>("memo", "memo", pic);
    edit(memo);
    memo.BGColor = memo.ActiveBGColor = kWhite;

    // Small arrow buttons: up and down in normal, hover and pressed states.
    auto arrows = [&](int w, int h, TSkinPainter::Dir dir) {
        const auto s = a.Row(w, h, 3);
        const TColor fills[] = {kWhite, kGrid, kPressed};
        for (int i = 0; i < 3; ++i)
            a.Draw([r = s[i], fill = fills[i], dir](TSkinPainter& p) {
                p.Fill(r, fill);
                const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
                const bool vertical = dir == TSkinPainter::Dir::Up || dir == TSkinPainter::Dir::Down;
                p.Arrow(vertical ? Rect(cx - 4, cy - 2, cx + 4, cy + 2) : Rect(cx - 2, cy - 4, cx + 2, cy + 4), dir,
                        kTextSoft);
            });
        return s;
    };
    const auto up = arrows(16, 11, TSkinPainter::Dir::Up);
    const auto down = arrows(16, 11, TSkinPainter::Dir::Down);
    auto& spin = b.Control<TqlDataSkinSpinEditControl>("spinedit", "spinedit", pic);
    fieldLook(spin);
    spin.DisabledFontColor = kTextDisabled;
    SetUpDownButtons(spin, up, down);

    // Items of lists: plain, under the mouse, selected.
    const auto items = a.Row(40, 20, 3);
    a.Draw([items](TSkinPainter& p) {
        p.Fill(items[0], kWhite);
        p.Fill(items[1], kAccentLight);
        p.RoundRect(items[2], 3, 0, kAccent, kAccent, kAccent);
    });
    const auto drop = arrows(20, 22, TSkinPainter::Dir::Down);
    const TRect dropDisabled = a.Place(20, 22);
    a.Draw([dropDisabled](TSkinPainter& p) {
        p.Fill(dropDisabled, kFaceDisabled);
        const int cx = (dropDisabled.Left + dropDisabled.Right) / 2, cy = (dropDisabled.Top + dropDisabled.Bottom) / 2;
        p.Arrow(Rect(cx - 4, cy - 2, cx + 4, cy + 2), TSkinPainter::Dir::Down, kTextDisabled);
    });
    auto listItems = [&](auto& d) {
        d.ItemRect = items[0];
        d.ActiveItemRect = items[1];
        d.FocusItemRect = items[2];
        d.ItemLeftOffset = d.ItemRightOffset = 4;
        d.ItemTextRect = Rect(6, 0, 34, 20);
        SetFont(d);
        d.ActiveFontColor = kText;
        d.FocusFontColor = kWhite;
    };
    auto& combo = b.Control<TqlDataSkinComboBox>("combobox", "combobox", pic);
    fieldLook(combo);
    listItems(combo);
    combo.ListBoxName = "listbox";
    combo.ButtonRect = drop[0];
    combo.ActiveButtonRect = drop[1];
    combo.DownButtonRect = drop[2];
    combo.UnEnabledButtonRect = dropDisabled;
    combo.ItemStretchEffect = combo.FocusItemStretchEffect = true;

    const auto checks = a.Row(14, 14, 2);
    a.Draw([checks](TSkinPainter& p) {
        p.RoundRect(checks[0], 3, 1, kBorder, kWhite, kWhite);
        p.RoundRect(checks[1], 3, 1, kAccent, kAccent, kAccent);
        p.Check(Rect(checks[1].Left + 1, checks[1].Top + 1, checks[1].Right - 1, checks[1].Bottom - 1), kWhite);
    });
    for (bool checked : {false, true}) {
        TqlDataSkinListBox& list = checked ? b.Control<TqlDataSkinCheckListBox>("checklistbox", "checklistbox", pic)
                                           : b.Control<TqlDataSkinListBox>("listbox", "listbox", pic);
        list.SkinRect = field[0];
        NinePart(list, 3);
        listItems(list);
        list.VScrollBarName = "vscrollbar";
        list.HScrollBarName = "hscrollbar";
        list.BothHScrollBarName = "bothhscrollbar";
        list.CaptionFontName = kFont;
        list.CaptionFontHeight = kFontHeight;
        list.CaptionFontColor = kText;
        if (auto* c = dynamic_cast<TqlDataSkinCheckListBox*>(&list)) {
            c->ItemCheckRect = Rect(4, 3, 18, 17);
            c->UnCheckImageRect = checks[0];
            c->CheckImageRect = checks[1];
            c->ItemTextRect = Rect(24, 0, 34, 20);
        }
    }
    auto view = [&](TqlDataSkinTextView& d) {
        d.PictureIndex = pic;
        d.SkinRect = field[0];
        SetFont(d);
        d.BGColor = kWhite;
    };
    view(b.Control<TqlDataSkinTreeView>("treeview", "treeview", pic));
    view(b.Control<TqlDataSkinListView>("listview", "listview", pic));

    auto& label = b.Control<TqlDataSkinStdLabelControl>("stdlabel", "stdlabel");
    SetFont(label);
    label.ActiveFontColor = kAccent;
}

}  // namespace defaultskin
