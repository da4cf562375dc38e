#include "skin/core/ControlDescriptors.h"

void TqlDataSkinControl::Keys(TqlSkinKeys& k) {
    k.Integer("pictureindex", PictureIndex, -1);
    k.Integer("maskpictureindex", MaskPictureIndex, -1);
    k.Rect("skinrect", SkinRect);
}

void TqlDataSkinCustomControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Point("lefttoppoint", LTPoint);
    k.Point("righttoppoint", RTPoint);
    k.Point("leftbottompoint", LBPoint);
    k.Point("rightbottompoint", RBPoint);
    k.Rect("clientrect", ClientRect);
    k.Bool("leftstretch", LeftStretch);
    k.Bool("topstretch", TopStretch);
    k.Bool("rightstretch", RightStretch);
    k.Bool("bottomstretch", BottomStretch);
    k.Bool("stretcheffect", StretchEffect);
    k.StretchType("stretchtype", StretchType);
}

namespace {

template <class T>
constexpr auto Make = MakeDescriptor<TqlDataSkinControl, T>;

// In comparison order; the first match wins.
constexpr TqlTypeWord<TqlDataSkinControl> kControlTypes[] = {
    {"panel", Make<TqlDataSkinPanelControl>},
    {"expanel", Make<TqlDataSkinExPanelControl>},
    {"menubutton", Make<TqlDataSkinMenuButtonControl>},
    {"button", Make<TqlDataSkinButtonControl>},
    {"checkradio", Make<TqlDataSkinCheckRadioControl>},
    {"gauge", Make<TqlDataSkinGaugeControl>},
    {"splitter", Make<TqlDataSkinSplitterControl>},
    {"trackbar", Make<TqlDataSkinTrackBarControl>},
    {"label", Make<TqlDataSkinLabelControl>},
    {"stdlabel", Make<TqlDataSkinStdLabelControl>},
    {"updown", Make<TqlDataSkinUpDownControl>},
    {"grid", Make<TqlDataSkinGridControl>},
    {"tab", Make<TqlDataSkinTabControl>},
    {"mainmenubar", Make<TqlDataSkinMainMenuBar>},
    {"controlbar", Make<TqlDataSkinControlBar>},
    {"memo", Make<TqlDataSkinMemoControl>},
    {"edit", Make<TqlDataSkinEditControl>},
    {"checklistbox", Make<TqlDataSkinCheckListBox>},
    {"listbox", Make<TqlDataSkinListBox>},
    {"combobox", Make<TqlDataSkinComboBox>},
    {"scrollbar", Make<TqlDataSkinScrollBarControl>},
    {"spinedit", Make<TqlDataSkinSpinEditControl>},
    {"scrollbox", Make<TqlDataSkinScrollBoxControl>},
    {"treeview", Make<TqlDataSkinTreeView>},
    {"bevel", Make<TqlDataSkinBevel>},
    {"slider", Make<TqlDataSkinSlider>},
    {"listview", Make<TqlDataSkinListView>},
    {"richedit", Make<TqlDataSkinRichEdit>},
};

}  // namespace

std::unique_ptr<TqlDataSkinControl> CreateControlDescriptor(std::string_view typeWord, std::string idName) {
    return CreateByTypeWord<TqlDataSkinControl>(kControlTypes, typeWord, std::move(idName));
}
