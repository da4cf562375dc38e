#include "skin/core/ControlDescriptors.h"

void TqlDataSkinEditControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("disabledfontcolor", DisabledFontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Rect("buttonrect", ButtonRect);
    k.Rect("activebuttonrect", ActiveButtonRect);
    k.Rect("downbuttonrect", DownButtonRect);
    k.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TqlDataSkinMemoControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinEditControl::Keys(k);
    k.Color("bgcolor", BGColor);
    k.Color("activebgcolor", ActiveBGColor);
}

void TqlDataSkinSpinEditControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("disabledfontcolor", DisabledFontColor);
    k.UpDownButtons(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                    DownDownButtonRect);
}

void TqlDataSkinListBox::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("itemrect", ItemRect);
    k.Rect("activeitemrect", ActiveItemRect);
    k.Rect("focusitemrect", FocusItemRect);
    k.Integer("itemleftoffset", ItemLeftOffset);
    k.Integer("itemrightoffset", ItemRightOffset);
    k.Rect("itemtextrect", ItemTextRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("focusfontcolor", FocusFontColor);
    k.Rect("captionrect", CaptionRect);
    k.Font("caption", CaptionFontName, CaptionFontHeight, CaptionFontStyle, CaptionFontColor);
    k.UpDownButtons(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                    DownDownButtonRect);
    k.Rect("checkbuttonrect", CheckButtonRect);
    k.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    k.Rect("downcheckbuttonrect", DownCheckButtonRect);
    k.Text("vscrollbarname", VScrollBarName, "vscrollbar");
    k.Text("hscrollbarname", HScrollBarName, "hscrollbar");
    k.Text("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
    k.Bool("showfocus", ShowFocus);
}

void TqlDataSkinCheckListBox::Keys(TqlSkinKeys& k) {
    TqlDataSkinListBox::Keys(k);
    k.Rect("itemcheckrect", ItemCheckRect);
    k.Rect("checkimagerect", CheckImageRect);
    k.Rect("uncheckimagerect", UnCheckImageRect);
}

void TqlDataSkinComboBox::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Rect("itemrect", ItemRect);
    k.Rect("activeitemrect", ActiveItemRect);
    k.Rect("focusitemrect", FocusItemRect);
    k.Integer("itemleftoffset", ItemLeftOffset);
    k.Integer("itemrightoffset", ItemRightOffset);
    k.Rect("itemtextrect", ItemTextRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("focusfontcolor", FocusFontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Text("listboxname", ListBoxName);
    k.Rect("buttonrect", ButtonRect);
    k.Rect("activebuttonrect", ActiveButtonRect);
    k.Rect("downbuttonrect", DownButtonRect);
    k.Rect("unenabledbuttonrect", UnEnabledButtonRect);
    k.Bool("itemstretcheffect", ItemStretchEffect);
    k.Bool("focusitemstretcheffect", FocusItemStretchEffect);
    k.Bool("showfocus", ShowFocus);
}

void TqlDataSkinTextView::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("bgcolor", BGColor);
}

void TqlDataSkinGridControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Rect("fixedcellrect", FixedCellRect);
    k.Rect("selectcellrect", SelectCellRect);
    k.Rect("focuscellrect", FocusCellRect);
    k.Integer("fixedcellleftoffset", FixedCellLeftOffset);
    k.Integer("fixedcellrightoffset", FixedCellRightOffset);
    k.Rect("fixedcelltextrect", FixedCellTextRect);
    k.Integer("cellleftoffset", CellLeftOffset);
    k.Integer("cellrightoffset", CellRightOffset);
    k.Rect("celltextrect", CellTextRect);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
    k.Color("linescolor", LinesColor);
    k.Color("bgcolor", BGColor);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("selectfontcolor", SelectFontColor);
    k.Color("focusfontcolor", FocusFontColor);
    k.Font("fixed", FixedFontName, FixedFontHeight, FixedFontStyle, FixedFontColor);
    k.Bool("cellstretcheffect", CellStretchEffect);
    k.Bool("fixedcellstretcheffect", FixedCellStretchEffect);
    k.Bool("showfocus", ShowFocus);
}
