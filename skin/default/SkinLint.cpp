// The checks a skin must pass before the program ships it.

#include <map>

#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"

namespace {

// Every rectangle key of a descriptor with its value.
class Rects : public TqlSkinKeyFilter {
public:
    std::map<std::string, TRect> all;
    void Rect(const char* key, TRect& f) override { all[key] = f; }
};

struct Needed {
    const char* name;
    bool (*isClass)(const TqlDataSkinControl*);
};

template <class T>
bool IsA(const TqlDataSkinControl* d) {
    return dynamic_cast<const T*>(d) != nullptr;
}

template <class T>
bool IsObject(const TqlDataSkinObject* d) {
    return dynamic_cast<const T*>(d) != nullptr;
}

// The descriptors the main window and its dialogs look up.
const Needed kControls[] = {
    {"button", IsA<TqlDataSkinButtonControl>},
    {"resizebutton", IsA<TqlDataSkinButtonControl>},
    {"toolbutton", IsA<TqlDataSkinButtonControl>},
    {"bigtoolbutton", IsA<TqlDataSkinButtonControl>},
    {"resizetoolbutton", IsA<TqlDataSkinButtonControl>},
    {"toolmenubutton", IsA<TqlDataSkinMenuButtonControl>},
    {"toolmenutrackbutton", IsA<TqlDataSkinMenuButtonControl>},
    {"bigtoolmenubutton", IsA<TqlDataSkinMenuButtonControl>},
    {"bigtoolmenutrackbutton", IsA<TqlDataSkinMenuButtonControl>},
    {"htracktoolbutton", IsA<TqlDataSkinButtonControl>},
    {"vtracktoolbutton", IsA<TqlDataSkinButtonControl>},
    {"checkbox", IsA<TqlDataSkinCheckRadioControl>},
    {"radiobox", IsA<TqlDataSkinCheckRadioControl>},
    {"panel", IsA<TqlDataSkinPanelControl>},
    {"groupbox", IsA<TqlDataSkinPanelControl>},
    {"statusbar", IsA<TqlDataSkinPanelControl>},
    {"toolpanel", IsA<TqlDataSkinPanelControl>},
    {"bigtoolpanel", IsA<TqlDataSkinPanelControl>},
    {"resizetoolpanel", IsA<TqlDataSkinPanelControl>},
    {"gauge", IsA<TqlDataSkinGaugeControl>},
    {"vgauge", IsA<TqlDataSkinGaugeControl>},
    {"statusgauge", IsA<TqlDataSkinGaugeControl>},
    {"stdlabel", IsA<TqlDataSkinStdLabelControl>},
    {"hsplitter", IsA<TqlDataSkinSplitterControl>},
    {"vsplitter", IsA<TqlDataSkinSplitterControl>},
    {"slider", IsA<TqlDataSkinSlider>},
    {"trackbar", IsA<TqlDataSkinTrackBarControl>},
    {"htrackbar", IsA<TqlDataSkinTrackBarControl>},
    {"tab", IsA<TqlDataSkinTabControl>},
    {"hupdown", IsA<TqlDataSkinUpDownControl>},
    {"hscrollbar", IsA<TqlDataSkinScrollBarControl>},
    {"vscrollbar", IsA<TqlDataSkinScrollBarControl>},
    {"bothhscrollbar", IsA<TqlDataSkinScrollBarControl>},
    {"treeview", IsA<TqlDataSkinTreeView>},
    {"listview", IsA<TqlDataSkinListView>},
    {"edit", IsA<TqlDataSkinEditControl>},
    {"memo", IsA<TqlDataSkinMemoControl>},
    {"spinedit", IsA<TqlDataSkinSpinEditControl>},
    {"combobox", IsA<TqlDataSkinComboBox>},
    {"listbox", IsA<TqlDataSkinListBox>},
    {"checklistbox", IsA<TqlDataSkinCheckListBox>},
    {"bevel", IsA<TqlDataSkinBevel>},
};

struct NeededObject {
    const char* name;
    bool (*isClass)(const TqlDataSkinObject*);
};

const NeededObject kObjects[] = {
    {"closebutton", IsObject<TqlDataSkinStdButton>}, {"maxbutton", IsObject<TqlDataSkinStdButton>},
    {"minbutton", IsObject<TqlDataSkinStdButton>},   {"caption", IsObject<TqlDataSkinCaption>},
    {"menuitem", IsObject<TqlDataSkinMenuItem>},
};

// Images of one part in several states: each must have the size of the first.
const std::vector<std::vector<const char*>> kStateGroups = {
    {"skinrect", "activeskinrect", "downskinrect", "focusedskinrect", "disabledskinrect", "inactiveskinrect",
     "disableskinrsect"},
    {"checkimagerect", "uncheckimagerect", "activecheckimagerect", "activeuncheckimagerect", "unenabledcheckimagerect",
     "unenableduncheckimagerect", "grayedcheckimagerect", "activegrayedcheckimagerect"},
    {"upbuttonrect", "activeupbuttonrect", "downupbuttonrect"},
    {"activedownbuttonrect", "downdownbuttonrect"},
    {"thumbrect", "activethumbrect", "downthumbrect"},
    {"itemrect", "activeitemrect", "focusitemrect"},
    {"buttonrect", "activebuttonrect", "unenabledbuttonrect"},
    {"tabrect", "activetabrect", "focustabrect", "mouseintabrect"},
    {"menumarkerrect", "menumarkerflatrect", "menumarkeractiverect", "menumarkerdownrect"},
    {"restorerect", "restoreactiverect", "restoredownrect", "restoreinactiverect"},
};

bool Inside(const TRect& r, const TBitmap& b) {
    return r.Left >= 0 && r.Top >= 0 && r.Right <= b.Width() && r.Bottom <= b.Height();
}

std::string Show(const TRect& r) {
    return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}

void CheckRects(std::vector<std::string>& problems, const std::string& who, TqlSkinKeyed& d, const TBitmap* picture) {
    Rects rects;
    d.Keys(rects);
    for (const auto& [key, r] : rects.all) {
        if (r.IsEmpty()) continue;
        if (!picture)
            problems.push_back(who + ": " + key + " has no picture");
        else if (!Inside(r, *picture))
            problems.push_back(who + ": " + key + " " + Show(r) + " lies outside its picture");
    }
    for (const auto& group : kStateGroups) {
        const TRect* first = nullptr;
        for (const char* key : group) {
            auto it = rects.all.find(key);
            if (it == rects.all.end() || it->second.IsEmpty()) continue;
            if (!first)
                first = &it->second;
            else if (it->second.Width() != first->Width() || it->second.Height() != first->Height())
                problems.push_back(who + ": " + key + " differs in size from " + group[0]);
        }
    }
}

}  // namespace

std::vector<std::string> LintSkin(TqlSkinData& skin) {
    std::vector<std::string> problems;
    if (skin.Empty) return {"the skin is empty"};
    if (skin.Picture.Empty()) problems.push_back("no main picture");
    if (skin.Mask.Width() != skin.Picture.Width() || skin.Mask.Height() != skin.Picture.Height())
        problems.push_back("the mask differs in size from the main picture");
    for (const Needed& n : kControls) {
        const int i = skin.IndexOfControlData(n.name);
        if (i < 0)
            problems.push_back(std::string("missing control ") + n.name);
        else if (!n.isClass(skin.CtrlList[size_t(i)].get()))
            problems.push_back(std::string("control ") + n.name + " has the wrong class");
    }
    for (const NeededObject& n : kObjects) {
        const int i = skin.IndexOfObjectData(n.name);
        if (i < 0)
            problems.push_back(std::string("missing skin object ") + n.name);
        else if (!n.isClass(skin.ObjectList[size_t(i)].get()))
            problems.push_back(std::string("skin object ") + n.name + " has the wrong class");
    }
    auto picture = [&](int index) -> const TBitmap* {
        return index >= 0 && index < int(skin.ActivePictures.size()) ? skin.ActivePictures[size_t(index)].get()
                                                                     : nullptr;
    };
    for (auto& d : skin.CtrlList) {
        // Loading drops an index that names no picture; a part with an image must keep one.
        if (!d->SkinRect.IsEmpty() && !picture(d->PictureIndex))
            problems.push_back("control " + d->IDName + " has an image but no picture");
        CheckRects(problems, "control " + d->IDName, *d, picture(d->PictureIndex));
    }
    for (auto& d : skin.ObjectList)
        CheckRects(problems, "skin object " + d->IDName, *d,
                   d->ActivePictureIndex >= 0 ? picture(d->ActivePictureIndex) : &skin.Picture);
    if (!picture(skin.PopupWindow.WindowPictureIndex)) problems.push_back("the popup frame has no picture");
    if (!picture(skin.HintWindow.WindowPictureIndex)) problems.push_back("the hint frame has no picture");
    return problems;
}
