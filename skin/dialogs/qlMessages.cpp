#include "skin/dialogs/qlMessages.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/core/ResourceStrings.h"
#include "skin/dialogs/qlDialogLook.h"

namespace {

struct TButtonKind {
    TMsgDlgBtn flag;
    const char* key;  // of the caption in the skin's string table
    TModalResult result;
};

// In the order the buttons stand in the box. Help is left out: the program
// has no help to show.
constexpr TButtonKind kButtonKinds[] = {
    {mbYes, "MSG_BTN_YES", mrYes},          {mbNo, "MSG_BTN_NO", mrNo},
    {mbOK, "MSG_BTN_OK", mrOk},             {mbCancel, "MSG_BTN_CANCEL", mrCancel},
    {mbAbort, "MSG_BTN_ABORT", mrAbort},    {mbRetry, "MSG_BTN_RETRY", mrRetry},
    {mbIgnore, "MSG_BTN_IGNORE", mrIgnore}, {mbAll, "MSG_BTN_ALL", mrAll},
    {mbNoToAll, "MSG_BTN_NOTOALL", mrNoToAll}, {mbYesToAll, "MSG_BTN_YESTOALL", mrYesToAll},
};

const char* TypeTitleKey(TMsgDlgType type) {
    switch (type) {
        case TMsgDlgType::mtWarning: return "MSG_CAP_WARNING";
        case TMsgDlgType::mtError: return "MSG_CAP_ERROR";
        case TMsgDlgType::mtInformation: return "MSG_CAP_INFORMATION";
        case TMsgDlgType::mtConfirmation: return "MSG_CAP_CONFIRM";
        default: return nullptr;
    }
}

// The icon is drawn four times too large and averaged down, which gives the
// smooth edges an aliased canvas cannot draw.
constexpr int kIconSize = 32;
constexpr int kScale = 4;

void ThickLine(TCanvas& c, double x1, double y1, double x2, double y2, double halfWidth) {
    double dx = x2 - x1, dy = y2 - y1;
    double len = std::max(1.0, std::hypot(dx, dy));
    double nx = -dy / len * halfWidth, ny = dx / len * halfWidth;
    auto pt = [](double x, double y) { return Point(int(std::lround(x)), int(std::lround(y))); };
    c.Polygon({pt(x1 + nx, y1 + ny), pt(x2 + nx, y2 + ny), pt(x2 - nx, y2 - ny), pt(x1 - nx, y1 - ny)});
}

void DrawLargeIcon(TCanvas& c, TMsgDlgType type) {
    const int n = kIconSize * kScale;
    auto disc = [&](TColor fill, TColor edge) {
        c.Pen().Color = edge;
        c.Pen().Width = kScale;
        c.Brush().Color = fill;
        c.Ellipse(Rect(2 * kScale, 2 * kScale, n - 2 * kScale, n - 2 * kScale));
        c.Pen().Color = clWhite;
        c.Pen().Style = TPenStyle::psClear;
        c.Brush().Color = clWhite;
    };
    switch (type) {
        case TMsgDlgType::mtWarning: {
            c.Pen().Color = RGB(176, 120, 0);
            c.Pen().Width = kScale;
            c.Brush().Color = RGB(255, 204, 0);
            c.Polygon({Point(n / 2, 3 * kScale), Point(n - 2 * kScale, n - 4 * kScale), Point(2 * kScale, n - 4 * kScale)});
            c.Pen().Style = TPenStyle::psClear;
            c.Brush().Color = RGB(32, 32, 32);
            c.Polygon({Point(n / 2 - 7 * kScale / 2, 11 * kScale), Point(n / 2 + 7 * kScale / 2, 11 * kScale),
                       Point(n / 2 + 2 * kScale, 21 * kScale), Point(n / 2 - 2 * kScale, 21 * kScale)});
            c.Ellipse(Rect(n / 2 - 2 * kScale, 23 * kScale, n / 2 + 2 * kScale, 27 * kScale));
            break;
        }
        case TMsgDlgType::mtError:
            disc(RGB(218, 48, 40), RGB(150, 20, 16));
            ThickLine(c, 10.5 * kScale, 10.5 * kScale, 21.5 * kScale, 21.5 * kScale, 2.0 * kScale);
            ThickLine(c, 21.5 * kScale, 10.5 * kScale, 10.5 * kScale, 21.5 * kScale, 2.0 * kScale);
            break;
        case TMsgDlgType::mtInformation:
            disc(RGB(40, 110, 210), RGB(20, 64, 150));
            c.Ellipse(Rect(n / 2 - 2 * kScale, 7 * kScale, n / 2 + 2 * kScale, 11 * kScale));
            c.FillRect(Rect(n / 2 - 2 * kScale, 13 * kScale, n / 2 + 2 * kScale, 24 * kScale));
            c.FillRect(Rect(n / 2 - 4 * kScale, 22 * kScale, n / 2 + 4 * kScale, 25 * kScale));
            c.FillRect(Rect(n / 2 - 4 * kScale, 13 * kScale, n / 2, 15 * kScale));
            break;
        case TMsgDlgType::mtConfirmation: {
            disc(RGB(40, 110, 210), RGB(20, 64, 150));
            c.Brush().Style = TBrushStyle::bsClear;
            c.Font().SetName("DejaVu Sans");
            c.Font().SetHeight(-22 * kScale);
            c.Font().SetStyle(fsBold);
            c.Font().SetColor(clWhite);
            TRect r = Rect(0, 0, n, n - kScale);
            c.DrawText("?", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            break;
        }
        default: break;
    }
}

TBitmap MakeIcon(TMsgDlgType type, TColor background) {
    const int n = kIconSize * kScale;
    TBitmap large(n, n);
    large.Canvas().Brush().Color = background;
    large.Canvas().FillRect(Rect(0, 0, n, n));
    DrawLargeIcon(large.Canvas(), type);
    TBitmap icon(kIconSize, kIconSize);
    for (int y = 0; y < kIconSize; ++y) {
        uint8_t* out = icon.ScanLine(y);
        for (int x = 0; x < kIconSize; ++x)
            for (int channel = 0; channel < 3; ++channel) {
                int sum = 0;
                for (int sy = 0; sy < kScale; ++sy) {
                    const uint8_t* in = large.ScanLine(y * kScale + sy);
                    for (int sx = 0; sx < kScale; ++sx) sum += in[(x * kScale + sx) * 3 + channel];
                }
                out[x * 3 + channel] = uint8_t(sum / (kScale * kScale));
            }
    }
    return icon;
}

class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, TMsgDlgType type) : TGraphicControl(owner), FType(type) {
        SetBounds(0, 0, kIconSize, kIconSize);
    }

protected:
    void Paint() override {
        TColor background = ColorToRGB(Parent() ? Parent()->Color() : clBtnFace);
        if (FIcon.Empty() || background != FBackground) {
            FIcon = MakeIcon(FType, background);
            FBackground = background;
        }
        Canvas().Draw(0, 0, FIcon);
    }

private:
    TMsgDlgType FType;
    TBitmap FIcon;
    TColor FBackground = clNone;
};

// The message itself in the skin's label font: measured with the flags it is
// drawn with, so the box fits it and an "&" in a file name stays an "&".
class TMessageText : public TqlSkinStdLabel {
public:
    explicit TMessageText(TComponent* owner) : TqlSkinStdLabel(owner) {
        SetShowAccelChar(false);
        WordWrap = true;
        SetAutoSize(false);
    }
    // The rectangle the text takes when wrapped at maxWidth.
    TRect Fit(int maxWidth) const {
        TCanvas canvas;
        SelectCaptionFont(canvas);
        TRect r = Rect(0, 0, maxWidth, 0);
        canvas.DrawText(Caption(), r, DrawFlags() | DT_CALCRECT);
        return r;
    }
    int LineHeight() const {
        TCanvas canvas;
        SelectCaptionFont(canvas);
        return canvas.TextHeight("Ag");
    }
};

// The strip that holds the buttons below the message, in the skin's face
// colour under a line of its shadow colour.
class TButtonStrip : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TColor Face = clBtnFace, Line = RGB(223, 223, 223);

protected:
    void Paint() override {
        Canvas().Brush().Style = TBrushStyle::bsSolid;
        Canvas().Brush().Color = Face;
        Canvas().FillRect(ClientRect());
        Canvas().Pen().Color = Line;
        Canvas().MoveTo(0, 0);
        Canvas().LineTo(Width(), 0);
    }
};

std::string NormalizeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Letters after "&" click their button, with or without Alt, as in the
// system's message boxes.
char AcceleratorOf(const std::string& caption) {
    size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
    return AsciiUpper(caption[amp + 1]);
}

}  // namespace

TqlSkinMessage::TqlSkinMessage(TComponent* owner) : TComponent(owner) {}

int TqlSkinMessage::MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpCtx*/) {
    TqlSkinData* skin = DialogSkinData(*this);
    // A box of a type is titled by it; one of no type by the program.
    std::string title = Caption;
    if (title.empty() && TypeTitleKey(type)) title = DialogString(skin, TypeTitleKey(type));
    if (title.empty() && Application) title = Application->Title;

    std::vector<const TButtonKind*> kinds;
    for (const TButtonKind& kind : kButtonKinds)
        if (buttons & kind.flag) kinds.push_back(&kind);
    if (kinds.empty()) kinds.push_back(&kButtonKinds[2]);

    if (TDialogScript::Active()) {
        bool okOnly = kinds.size() == 1 && kinds[0]->flag == mbOK;
        TDialogScript::Record({okOnly ? TShownDialog::Kind::Message : TShownDialog::Kind::Question, title, msg});
        return TDialogScript::NextResult();
    }

    const bool skinned = skin && !skin->Empty;
    std::unique_ptr<TForm> form(new TForm(this));
    form->SetText(title);
    form->Position = TPosition::poScreenCenter;
    form->BorderStyle = TBorderStyle::bsDialog;

    const int margin = 16;
    TMessageIcon* icon = nullptr;
    int textLeft = margin;
    if (type != TMsgDlgType::mtCustom) {
        icon = new TMessageIcon(form.get(), type);
        icon->SetParent(form.get());
        icon->SetBounds(margin, margin, kIconSize, kIconSize);
        textLeft = margin + kIconSize + 14;
    }

    auto* label = new TMessageText(form.get());
    label->Name = "lblMessage";
    label->SetParent(form.get());
    label->SetSkinData(skin);
    label->SetText(NormalizeLineBreaks(msg));
    // Wrapped at a comfortable width; a long message gets a wider box before a taller one.
    TRect textRect = label->Fit(420);
    if (textRect.Height() > 320) textRect = label->Fit(680);
    int textWidth = std::max(textRect.Width(), 1) + 2;
    int textHeight = std::min(std::max(textRect.Height(), label->LineHeight()), 560);
    int contentHeight = std::max(textHeight, icon ? kIconSize : 0);
    label->SetBounds(textLeft, margin + (contentHeight - textHeight) / 2, textWidth, textHeight);

    const int buttonHeight = 25, gap = 8;
    TBitmap measure(1, 1);
    measure.Canvas().Font() = form->Font();
    std::vector<int> widths;
    int buttonsWidth = 0;
    std::vector<std::string> captions;
    for (const TButtonKind* kind : kinds) captions.push_back(DialogString(skin, kind->key));
    for (const std::string& caption : captions) {
        std::string plain = StringReplace(caption, "&", "", rfReplaceAll);
        widths.push_back(std::max(80, measure.Canvas().TextWidth(plain) + 24));
        buttonsWidth += widths.back() + (buttonsWidth ? gap : 0);
    }

    int stripTop = margin + contentHeight + margin;
    int clientWidth = std::max({textLeft + textWidth + margin + 8, buttonsWidth + 2 * margin, 260});
    int clientHeight = stripTop + buttonHeight + 2 * 11;

    auto* strip = new TButtonStrip(form.get());
    strip->SetParent(form.get());
    strip->SetBounds(0, stripTop, clientWidth, clientHeight - stripTop);
    if (skinned) {
        strip->Face = skin->SkinColors.cBtnFace;
        strip->Line = skin->SkinColors.cBtnShadow;
    }

    const TMsgDlgBtn cancelFlag = (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : mbOK;
    std::vector<TqlSkinButton*> created;
    int x = (clientWidth - buttonsWidth) / 2;
    for (size_t i = 0; i < kinds.size(); ++i) {
        auto* button = new TqlSkinButton(form.get());
        // Named by the built-in caption, whatever the table says.
        button->Name = "btn" + StringReplace(StringReplace(BuiltInResString(kinds[i]->key), "&", "", rfReplaceAll), " ", "",
                                             rfReplaceAll);
        button->SetParent(form.get());
        button->SetCaption(captions[i]);
        button->ModalResult = kinds[i]->result;
        button->SetDefault(i == 0);
        button->Cancel = kinds[i]->flag == cancelFlag;
        button->SetTabStop(true);
        button->TabOrder = int(i);
        button->SetBounds(x, stripTop + 11, widths[i], buttonHeight);
        x += widths[i] + gap;
        created.push_back(button);
    }
    form->SetClientSize(clientWidth, clientHeight);
    // The message stands on the skin's field colour above the strip.
    SkinDialogForm(*form, skin, TqlDialogGround::Field);

    form->KeyPreview = true;
    form->OnKeyDown = [created](TObject*, uint16_t& key, TShiftState shift) {
        if (shift & ssCtrl) return;
        for (TqlSkinButton* button : created)
            if (key >= 'A' && key <= 'Z' && AcceleratorOf(button->Caption()) == char(key)) {
                key = 0;
                button->Click();
                return;
            }
    };
    form->SetActiveControl(created.front());
    return form->ShowModal();
}
