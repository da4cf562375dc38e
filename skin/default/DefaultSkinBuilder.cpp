// The default skin: one geometry table in code lays out every part in its
// picture, draws it there and fills the descriptor that the INI text is
// written from, so a rectangle can never disagree with its picture.

#include <functional>
#include <memory>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"
#include "skin/default/SkinPainter.h"

namespace {

// The palette: calm greys, one blue accent.
constexpr TColor kWindow = RGB(0xF4, 0xF5, 0xF7);
constexpr TColor kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr TColor kFaceBottom = RGB(0xF7, 0xF8, 0xFA);
constexpr TColor kBorder = RGB(0xC4, 0xCA, 0xD3);
constexpr TColor kBorderHover = RGB(0x8E, 0x99, 0xA8);
constexpr TColor kPanelBorder = RGB(0xD5, 0xD9, 0xE0);
constexpr TColor kAccent = RGB(0x2F, 0x6F, 0xDB);
constexpr TColor kAccentDown = RGB(0x24, 0x57, 0xB0);
constexpr TColor kAccentLight = RGB(0xE3, 0xEC, 0xFB);
constexpr TColor kText = RGB(0x1F, 0x23, 0x29);
constexpr TColor kTextSoft = RGB(0x4A, 0x52, 0x60);
constexpr TColor kTextDisabled = RGB(0x9A, 0xA1, 0xAB);
constexpr TColor kFaceDisabled = RGB(0xF0, 0xF1, 0xF3);
constexpr TColor kPressed = RGB(0xE4, 0xE8, 0xEE);
constexpr TColor kGrid = RGB(0xE6, 0xE9, 0xEE);
constexpr TColor kTabIdle = RGB(0xEA, 0xEC, 0xF0);
constexpr TColor kTrack = RGB(0xEE, 0xF0, 0xF3);
constexpr TColor kThumb = RGB(0xC3, 0xC9, 0xD2);
constexpr TColor kThumbHover = RGB(0xA7, 0xAF, 0xBB);
constexpr TColor kCloseHover = RGB(0xE8, 0x11, 0x23);
constexpr TColor kKey = RGB(0xFF, 0x00, 0xFF);  // drawn transparent where a descriptor says so
const TColor kFocus = MixColor(kWhite, kAccent, 3, 5);
const char* const kFont = "DejaVu Sans";
constexpr int kFontHeight = 13;

// How a face is drawn: border, vertical gradient, border width.
struct Face {
    TColor border, top, bottom;
    int width = 1;
};

const Face kNormal{kBorder, kWhite, kFaceBottom};
const Face kHover{kBorderHover, kWhite, kWhite};
const Face kDown{kBorderHover, kPressed, kPressed};
const Face kFocused{kFocus, kWhite, kFaceBottom, 2};
const Face kDisabled{kPanelBorder, kFaceDisabled, kFaceDisabled};
const Face kFlat{kWindow, kWindow, kWindow};

// One picture of the skin: parts are placed left to right in rows, and drawn
// once the picture's height is known.
class Atlas {
public:
    Atlas(std::string name, int width) : FName(std::move(name)), FWidth(width) {}
    const std::string& Name() const { return FName; }

    // count rectangles of w x h side by side in one row.
    std::vector<TRect> Row(int w, int h, int count = 1) {
        if (FX + count * (w + kGap) > FWidth) NewRow();
        std::vector<TRect> out;
        for (int i = 0; i < count; ++i) {
            out.push_back(Bounds(FX, FY, w, h));
            FX += w + kGap;
        }
        FRowHeight = std::max(FRowHeight, h);
        return out;
    }
    TRect Place(int w, int h) { return Row(w, h)[0]; }
    void Draw(std::function<void(TSkinPainter&)> draw) { FDraws.push_back(std::move(draw)); }

    TBitmap Render() const {
        TBitmap b(FWidth, FY + FRowHeight + kGap);
        b.SetPixelFormat(TPixelFormat::pf24bit);
        TSkinPainter p(b);
        p.Fill(Rect(0, 0, b.Width(), b.Height()), kWindow);
        for (const auto& d : FDraws) d(p);
        return b;
    }

private:
    static constexpr int kGap = 2;
    void NewRow() {
        FY += FRowHeight + kGap;
        FX = kGap;
        FRowHeight = 0;
    }
    std::string FName;
    int FWidth;
    int FX = kGap, FY = kGap, FRowHeight = 0;
    std::vector<std::function<void(TSkinPainter&)>> FDraws;
};

void DrawFace(Atlas& a, const TRect& r, const Face& f, int radius = 4) {
    a.Draw([=](TSkinPainter& p) { p.RoundRect(r, radius, f.width, f.border, f.top, f.bottom); });
}

// Nine-part geometry with fixed corners of the given size, every part stretched.
void NinePart(TqlDataSkinCustomControl& d, int corner) {
    const int w = d.SkinRect.Width(), h = d.SkinRect.Height();
    d.LTPoint = {corner, corner};
    d.RTPoint = {w - corner, corner};
    d.LBPoint = {corner, h - corner};
    d.RBPoint = {w - corner, h - corner};
    d.ClientRect = Rect(corner, corner, w - corner, h - corner);
    d.StretchEffect = d.LeftStretch = d.TopStretch = d.RightStretch = d.BottomStretch = true;
}

// The six images of an up and a down button, each in normal, hover and pressed states.
template <class D>
void SetUpDownButtons(D& d, const std::vector<TRect>& up, const std::vector<TRect>& down) {
    d.UpButtonRect = up[0];
    d.ActiveUpButtonRect = up[1];
    d.DownUpButtonRect = up[2];
    d.DownButtonRect = down[0];
    d.ActiveDownButtonRect = down[1];
    d.DownDownButtonRect = down[2];
}

template <class D>
void SetFont(D& d, TColor color = kText) {
    d.FontName = kFont;
    d.FontHeight = kFontHeight;
    d.FontColor = color;
}

class Builder {
public:
    int AddPicture(std::string name, int width) {
        FPictures.push_back(std::make_unique<Atlas>(std::move(name), width));
        return static_cast<int>(FPictures.size()) - 1;
    }
    Atlas& Pic(int index) { return *FPictures[static_cast<size_t>(index)]; }

    template <class T>
    T& Control(const std::string& name, const char* typeWord, int picture = -1) {
        auto d = std::make_unique<T>(name);
        d->PictureIndex = picture;
        T& ref = *d;
        FControls.push_back({typeWord, std::move(d)});
        return ref;
    }
    template <class T>
    T& Object(const std::string& name, const char* typeWord, int picture = -1) {
        auto d = std::make_unique<T>(name);
        d->ActivePictureIndex = picture;
        d->SkinRectInAPicture = picture >= 0;
        T& ref = *d;
        FObjects.push_back({typeWord, std::move(d)});
        return ref;
    }

    Atlas Frame{"frame.bmp", 200};
    Atlas FrameMask{"mask.bmp", 200};
    TqlDataSkinPopupWindow Popup;
    TqlDataSkinHintWindow Hint;
    TqlSkinColors Colors;

    TqlSkinContainer Finish(TqlSkinData& form);

private:
    template <class D>
    struct Entry {
        const char* typeWord;
        std::unique_ptr<D> d;
    };
    std::vector<std::unique_ptr<Atlas>> FPictures;
    std::vector<Entry<TqlDataSkinControl>> FControls;
    std::vector<Entry<TqlDataSkinObject>> FObjects;
};

void WriteFormInfo(TMemIniFile& ini, TqlSkinData& f) {
    TqlSkinKeyWriter k(ini, "FORMINFO");
    k.Point("lefttoppoint", f.LTPoint);
    k.Point("righttoppoint", f.RTPoint);
    k.Point("leftbottompoint", f.LBPoint);
    k.Point("rightbottompoint", f.RBPoint);
    k.Rect("clientrect", f.ClientRect);
    k.Integer("bgpictureindex", f.BGPictureIndex, -1);
    k.Bool("leftstretch", f.LeftStretch);
    k.Bool("rightstretch", f.RightStretch);
    k.Bool("topstretch", f.TopStretch);
    k.Bool("bottomstretch", f.BottomStretch);
    k.Bool("stretcheffect", f.StretchEffect);
    k.StretchType("stretchtype", f.StretchType);
    k.Rect("maskrectarea", f.MaskRectArea);
    k.Rect("buttonsrect", f.ButtonsRect);
    k.Rect("captionrect", f.CaptionRect);
    k.Integer("buttonsoffset", f.ButtonsOffset, 0);
    k.Integer("borderwidth", f.BorderWidth, 0);
    k.Integer("formminwidth", f.FormMinWidth, 0);
    k.Bool("autorenderinginactiveimage", f.AutoRenderingInActiveImage);
    k.InActiveEffect("inactiveeffect", f.InActiveEffect);
}

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
    WriteFormInfo(ini, form);
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

// Push buttons and the tool buttons of bars: five states of a rounded face.
void AddButtons(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto s = a.Row(48, 26, 5);
    const Face faces[] = {kNormal, kHover, kDown, kFocused, kDisabled};
    for (int i = 0; i < 5; ++i) DrawFace(a, s[i], faces[i]);
    for (const char* name : {"button", "resizebutton"}) {
        auto& d = b.Control<TqlDataSkinButtonControl>(name, "button", pic);
        d.SkinRect = s[0];
        d.ActiveSkinRect = s[1];
        d.DownSkinRect = s[2];
        d.FocusedSkinRect = s[3];
        d.DisabledSkinRect = s[4];
        NinePart(d, 6);
        SetFont(d);
        d.ActiveFontColor = d.DownFontColor = kText;
        d.DisabledFontColor = kTextDisabled;
        d.AnimateInterval = 25;
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
        d.SkinRect = t[0];
        d.ActiveSkinRect = t[1];
        d.DownSkinRect = t[2];
        d.DisabledSkinRect = t[3];
        NinePart(d, 5);
        SetFont(d);
        d.ActiveFontColor = d.DownFontColor = kText;
        d.DisabledFontColor = kTextDisabled;
        d.AnimateInterval = 25;
        d.MenuMarkerFlatRect = d.MenuMarkerRect = markers[0];
        d.MenuMarkerActiveRect = markers[1];
        d.MenuMarkerDownRect = markers[2];
        d.MenuMarkerTransparentColor = kKey;
    };
    for (const char* name :
         {"toolbutton", "resizetoolbutton", "toolmenutrackbutton", "htracktoolbutton", "vtracktoolbutton"})
        tool(b.Control<TqlDataSkinButtonControl>(name, "button", pic));
    auto& menu = b.Control<TqlDataSkinMenuButtonControl>("toolmenubutton", "menubutton", pic);
    tool(menu);
    menu.TrackButtonRect = Rect(t[0].Right - 12, t[0].Top, t[0].Right, t[0].Bottom);
}

// Check and radio boxes: 14-pixel boxes, accent-filled with a white mark when checked.
void AddCheckRadio(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    for (bool radio : {false, true}) {
        // unchecked, checked, active unchecked, active checked, disabled unchecked, disabled checked, grayed, active grayed
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

// Panels, group boxes, the status and tool bars: white cards or the window grey.
void AddPanels(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    const auto s = a.Row(24, 24, 3);
    DrawFace(a, s[0], Face{kPanelBorder, kWhite, kWhite});
    a.Draw([r = s[1]](TSkinPainter& p) {
        p.Fill(r, kWindow);
        p.Fill(Rect(r.Left, r.Top, r.Right, r.Top + 1), kPanelBorder);
    });
    a.Draw([r = s[2]](TSkinPainter& p) { p.Fill(r, kWindow); });
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
    panel("toolpanel", s[2]);

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

    auto edit = [&](TqlDataSkinEditControl& d) {
        d.SkinRect = field[0];
        d.ActiveSkinRect = field[1];
        NinePart(d, 4);
        SetFont(d);
        d.ActiveFontColor = kText;
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
    spin.SkinRect = field[0];
    spin.ActiveSkinRect = field[1];
    NinePart(spin, 4);
    SetFont(spin);
    spin.ActiveFontColor = kText;
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
    combo.SkinRect = field[0];
    combo.ActiveSkinRect = field[1];
    NinePart(combo, 4);
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

// Scroll bars, gauges, the slider, splitters and the tab row's up-down.
void AddBars(Builder& b, int pic) {
    Atlas& a = b.Pic(pic);
    using Dir = TSkinPainter::Dir;
    for (bool vertical : {true, false}) {
        const TRect track = vertical ? a.Place(14, 48) : a.Place(48, 14);
        a.Draw([track](TSkinPainter& p) { p.Fill(track, kTrack); });
        auto buttons = [&](Dir dir) {
            const auto s = a.Row(14, 14, 3);
            const TColor glyphs[] = {kThumbHover, kTextSoft, kText};
            for (int i = 0; i < 3; ++i)
                a.Draw([r = s[i], g = glyphs[i], dir, pressed = i == 2](TSkinPainter& p) {
                    p.Fill(r, pressed ? kThumb : kTrack);
                    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
                    const bool v = dir == Dir::Up || dir == Dir::Down;
                    p.Arrow(v ? Rect(cx - 4, cy - 2, cx + 4, cy + 2) : Rect(cx - 2, cy - 4, cx + 2, cy + 4), dir, g);
                });
            return s;
        };
        const auto inc = buttons(vertical ? Dir::Down : Dir::Right);
        const auto dec = buttons(vertical ? Dir::Up : Dir::Left);
        const auto thumbs = vertical ? a.Row(14, 24, 3) : a.Row(24, 14, 3);
        const TColor fills[] = {kThumb, kThumbHover, kBorderHover};
        for (int i = 0; i < 3; ++i)
            a.Draw([r = thumbs[i], fill = fills[i], vertical](TSkinPainter& p) {
                p.Fill(r, kTrack);
                const TRect bar = vertical ? Rect(r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1)
                                           : Rect(r.Left + 1, r.Top + 3, r.Right - 1, r.Bottom - 3);
                p.RoundRect(bar, 4, 0, fill, fill, fill);
            });
        const std::vector<const char*> names =
            vertical ? std::vector<const char*>{"vscrollbar"} : std::vector<const char*>{"hscrollbar", "bothhscrollbar"};
        for (const char* name : names) {
            auto& d = b.Control<TqlDataSkinScrollBarControl>(name, "scrollbar", pic);
            d.SkinRect = track;
            NinePart(d, 0);
            d.TrackArea = vertical ? Rect(0, 14, 14, 34) : Rect(14, 0, 34, 14);
            SetUpDownButtons(d, inc, dec);
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
            p.RoundRect(bar, 3, 0, kAccent, kAccent, kAccent);
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
    slider.HThumbRect = slider.VThumbRect = a.Place(16, 16);
    a.Draw([h = slider.HRulerRect, v = slider.VRulerRect, t = slider.HThumbRect](TSkinPainter& p) {
        p.RoundRect(h, 3, 0, kThumb, kThumb, kThumb);
        p.RoundRect(v, 3, 0, kThumb, kThumb, kThumb);
        p.RoundRect(t, 8, 2, kAccent, kWhite, kWhite);
    });
    slider.SkinRect = slider.HRulerRect;
    slider.BGColor = kWindow;
    slider.EdgeSize = 4;
    slider.PointsColor = kBorder;

    for (bool vertical : {true, false}) {
        const TRect r = vertical ? a.Place(6, 40) : a.Place(40, 6);
        const TRect grip = vertical ? Rect(r.Left, r.Top + 10, r.Right, r.Bottom - 10)
                                    : Rect(r.Left + 10, r.Top, r.Right - 10, r.Bottom);
        a.Draw([r, grip](TSkinPainter& p) {
            p.Fill(r, kWindow);
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
    auto tab = [&](const TRect& r, TColor fill, bool selected) {
        a.Draw([=](TSkinPainter& p) {
            p.Fill(r, kWindow);
            p.RoundRect(Rect(r.Left, r.Top, r.Right, r.Bottom + 6), 4, 1, kPanelBorder, fill, fill);
            p.Fill(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), selected ? kWhite : kPanelBorder);
            if (selected) {
                p.Fill(Rect(r.Left + 1, r.Bottom - 1, r.Left + 2, r.Bottom), kPanelBorder);
                p.Fill(Rect(r.Right - 2, r.Bottom - 1, r.Right - 1, r.Bottom), kPanelBorder);
                p.RoundRect(Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 3), 1, 0, kAccent, kAccent, kAccent);
            }
        });
    };
    tab(t[0], kTabIdle, false);
    tab(t[1], kWhite, true);
    tab(t[2], kWhite, true);
    tab(t[3], kFaceBottom, false);
    const TRect page = a.Place(40, 40);
    const TRect row = a.Place(20, 28);
    a.Draw([page, row](TSkinPainter& p) {
        p.Fill(page, kPanelBorder);
        p.Fill(Rect(page.Left + 1, page.Top + 1, page.Right - 1, page.Bottom - 1), kWhite);
        p.Fill(row, kWindow);
        p.Fill(Rect(row.Left, row.Bottom - 1, row.Right, row.Bottom), kPanelBorder);
    });
    auto& d = b.Control<TqlDataSkinTabControl>("tab", "tab", pic);
    d.SkinRect = page;
    d.TabRect = t[0];
    d.ActiveTabRect = t[1];
    d.FocusTabRect = t[2];
    d.MouseInTabRect = t[3];
    d.ClientRect = Rect(1, 1, 39, 39);
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

}  // namespace

TqlSkinContainer BuildDefaultSkin() {
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
