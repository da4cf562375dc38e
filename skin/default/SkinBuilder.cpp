#include "skin/default/SkinBuilder.h"

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"

namespace defaultskin {

TqlSkinContainer Builder::Finish(TqlSkinData& form) {
    TMemIniFile ini;
    ini.WriteString("VERSION", "skinname", "Lexmoor Calm");
    ini.WriteString("VERSION", "skinauthor", "Orvale Lexmoor");
    ini.WriteString("VERSION", "skincomments", "Drawn by the program's own skin generator");
    ini.WriteString("PICTURES", "picture", Frame.Name());
    ini.WriteString("PICTURES", "inactivepicture", "");
    ini.WriteString("PICTURES", "mask", FrameMask.Name());
    TStringList names;
    for (const auto& p : FPictures) names.Add(p->Name());
    WriteStringListKey(ini, "PICTURES", "activepictures", names);
    form.WriteFormInfo(ini);
    Popup.WriteToIni(ini);
    Hint.WriteToIni(ini);
    Colors.WriteToIni(ini);
    ini.WriteInteger("SKINOBJECTS", "count", static_cast<int>(FObjects.size()));
    for (size_t i = 0; i < FObjects.size(); ++i)
        ini.WriteString("SKINOBJECTS", IntToStr(int64_t(i)), FObjects[i].d->IDName + ":" + FObjects[i].typeWord);
    ini.WriteInteger("SKINCONTROLS", "count", static_cast<int>(FControls.size()));
    for (size_t i = 0; i < FControls.size(); ++i)
        ini.WriteString("SKINCONTROLS", IntToStr(int64_t(i)), FControls[i].d->IDName + ":" + FControls[i].typeWord);
    for (const auto& e : FObjects) e.d->WriteToIni(ini);
    for (const auto& e : FControls) e.d->WriteToIni(ini);

    TqlSkinContainer c;
    c.Picture = Frame.Render();
    c.Mask = FrameMask.Render();
    for (const auto& p : FPictures) c.ActivePictures.push_back(std::make_unique<TBitmap>(p->Render()));
    TStringList lines;
    ini.GetStrings(lines);
    c.IniText = lines.Text();
    return c;
}

}  // namespace defaultskin
