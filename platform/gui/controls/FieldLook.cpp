#include "platform/gui/controls/FieldLook.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "platform/gui/QtGlue.h"

namespace {

void Set(QPalette& palette, QPalette::ColorRole role, TColor color) {
    if (color != clNone) SetEnabledColor(palette, role, ToQColor(ColorToRGB(color)));
}

}  // namespace

void SetFieldLook(TWinControl& field, const TFieldLook& look) {
    QWidget* w = field.Widget();
    if (!w) return;
    QPalette palette = w->palette();
    Set(palette, QPalette::Base, look.Face);
    Set(palette, QPalette::Text, look.Text);
    Set(palette, QPalette::Highlight, look.Selection);
    Set(palette, QPalette::HighlightedText, look.SelectionText);
    Set(palette, QPalette::Window, look.Surface);
    Set(palette, QPalette::Button, look.Surface);
    w->setPalette(palette);
}

void ClearFieldLook(TWinControl& field) {
    QWidget* w = field.Widget();
    if (!w) return;
    const QPalette native = QApplication::palette(w);
    QPalette palette = w->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText,
                                     QPalette::Window, QPalette::Button})
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, role, native.color(group, role));
    w->setPalette(palette);
    // The field's own colour and font colour go back over the platform's.
    field.Perform(CM_COLORCHANGED);
    field.Perform(CM_FONTCHANGED);
}
