// The default skin: its pictures in the order descriptors address them, and
// the parts drawn into each.

#include "skin/default/DefaultSkin.h"
#include "skin/default/SkinBuilder.h"

TqlSkinContainer BuildDefaultSkin() {
    using namespace defaultskin;
    Builder b;
    TqlSkinData form(nullptr);
    const int buttons = b.AddPicture("buttons.bmp", 256);
    const int frames = b.AddPicture("frames.bmp", 256);
    const int bars = b.AddPicture("bars.bmp", 256);
    const int tabs = b.AddPicture("tabs.bmp", 256);
    const int menus = b.AddPicture("menus.bmp", 256);
    AddFormFrame(b, form);
    AddButtons(b, buttons);
    AddCheckRadio(b, buttons);
    AddCaptionButtons(b, buttons);
    AddPanels(b, frames);
    AddFields(b, frames);
    AddBars(b, bars);
    AddTabs(b, tabs);
    AddMenusAndHints(b, menus);

    b.Colors.cBtnFace = kWindow;
    b.Colors.cBtnText = kText;
    b.Colors.cWindow = kWhite;
    b.Colors.cWindowText = kText;
    b.Colors.cHighLight = kAccent;
    b.Colors.cHighLightText = kWhite;
    b.Colors.cBtnHighLight = kWhite;
    b.Colors.cBtnShadow = kBorder;
    return b.Finish(form);
}
