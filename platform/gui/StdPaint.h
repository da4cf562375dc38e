#pragma once
// What the self-painted standard controls share when they draw: the desktop
// style, fed with a palette made of the classic colour scheme and the
// control's own colours, so that the style's pictures sit well on forms
// filled with the scheme; and the classic 3-D frames and greyed text.
// Private to platform/gui.

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>
#include <string>

#include "platform/gui/Controls.h"
#include "platform/gui/QtGlue.h"

namespace stdpaint {

inline QColor ToColor(TColor color) { return ToQColor(color); }

inline QRect ToRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

inline QStyle& Style() { return *QApplication::style(); }

inline QPalette Palette(const TControl& control) {
    QPalette palette = QApplication::palette();
    const QColor face = ToColor(control.Color());
    const QColor text = ToColor(control.Font().Color());
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor ink = group == QPalette::Disabled ? ToColor(clGrayText) : text;
        palette.setColor(group, QPalette::Window, face);
        palette.setColor(group, QPalette::Button, face);
        palette.setColor(group, QPalette::Base, ToColor(group == QPalette::Disabled ? clBtnFace : clWindow));
        palette.setColor(group, QPalette::WindowText, ink);
        palette.setColor(group, QPalette::ButtonText, ink);
        palette.setColor(group, QPalette::Text, ink);
        palette.setColor(group, QPalette::Light, ToColor(clBtnHighlight));
        palette.setColor(group, QPalette::Midlight, ToColor(cl3DLight));
        palette.setColor(group, QPalette::Dark, ToColor(clBtnShadow));
        palette.setColor(group, QPalette::Mid, ToColor(clBtnShadow));
        palette.setColor(group, QPalette::Shadow, ToColor(cl3DDkShadow));
        palette.setColor(group, QPalette::Highlight, ToColor(clHighlight));
        palette.setColor(group, QPalette::HighlightedText, ToColor(clHighlightText));
    }
    return palette;
}

// The parts of a style option every control fills the same way; enabled is
// passed because a part of a control (a tab) can be disabled on its own.
inline void InitOption(QStyleOption& option, const TControl& control, const TRect& r, bool enabled) {
    option.rect = ToRect(r);
    option.direction = Qt::LeftToRight;
    option.palette = Palette(control);
    option.palette.setCurrentColorGroup(enabled ? QPalette::Active : QPalette::Disabled);
    option.fontMetrics = QFontMetrics(control.Font().ToQFont());
    option.state = QStyle::State_Active;
    if (enabled) option.state |= QStyle::State_Enabled;
}

// Text in the canvas' font, embossed in the scheme's shadow colours when
// disabled, as the classic desktop greys a caption.
inline void DrawCaption(TCanvas& canvas, const std::string& text, TRect r, unsigned flags, bool enabled) {
    canvas.Brush().Style = TBrushStyle::bsClear;
    if (enabled) {
        canvas.DrawText(text, r, flags);
        return;
    }
    const TColor color = canvas.Font().Color();
    TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, flags);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, r, flags);
    canvas.Font().SetColor(color);
}

// A 3-D border `width` pixels wide on the edge of r; r shrinks to the inside.
inline void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
    canvas.Brush().Style = TBrushStyle::bsSolid;
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        canvas.Brush().Color = topLeft;
        canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
        canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
        canvas.Brush().Color = bottomRight;
        canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
        canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
}

inline void Fill(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = color;
    canvas.FillRect(r);
}

}  // namespace stdpaint
