#include "skin/boxes/qlSkinFieldLook.h"

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ListView.h"
#include "platform/gui/RichEdit.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/controls/FieldLook.h"
#include "skin/controls/SkinControlBases.h"

namespace {

struct TFieldFont {
    std::string Name;
    int Height = 0;
    TColor Color = clNone;
};

// The font of the descriptor a field names, when it is one that gives a font.
TFieldFont FontOf(const TqlSkinData& Skin, const std::string& Name) {
    const int i = Skin.IndexOfControlData(Name);
    if (i < 0) return {};
    const TqlDataSkinControl* d = Skin.CtrlList[size_t(i)].get();
    if (auto* e = dynamic_cast<const TqlDataSkinEditControl*>(d)) return {e->FontName, e->FontHeight, e->FontColor};
    if (auto* c = dynamic_cast<const TqlDataSkinComboBox*>(d)) return {c->FontName, c->FontHeight, c->FontColor};
    if (auto* l = dynamic_cast<const TqlDataSkinListBox*>(d)) return {l->FontName, l->FontHeight, l->FontColor};
    return {};
}

void Apply(TWinControl& Field, const TqlSkinData* Skin) {
    // Tables and rich-text panes keep the program's own colours and fonts.
    const bool programs = dynamic_cast<TListView*>(&Field) || dynamic_cast<TRichEdit*>(&Field);
    const bool field = dynamic_cast<TEdit*>(&Field) || dynamic_cast<TComboBox*>(&Field) || dynamic_cast<TListBox*>(&Field);
    auto* link = dynamic_cast<TqlSkinLink*>(&Field);
    if (!programs && !(field && link)) return;
    if (!Skin || Skin->Empty) {
        ClearFieldLook(Field);
        return;
    }
    const TqlSkinColors& c = Skin->SkinColors;
    TFieldLook look;
    look.Selection = c.cHighLight;
    look.SelectionText = c.cHighLightText;
    look.Surface = c.cBtnFace;
    if (!programs) {
        look.Face = c.cWindow;
        const TFieldFont font = FontOf(*Skin, link->SkinDataName());
        look.Text = font.Color != clNone ? font.Color : c.cWindowText;
        if (!font.Name.empty()) Field.Font().SetName(font.Name);
        if (font.Height > 0) Field.Font().SetHeight(font.Height);
    }
    SetFieldLook(Field, look);
}

}  // namespace

void ApplySkinFieldLooks(TWinControl* Root, const TqlSkinData* Skin) {
    for (int i = 0; i < Root->ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(Root->Controls(i));
        if (!w) continue;
        Apply(*w, Skin);
        ApplySkinFieldLooks(w, Skin);
    }
}
