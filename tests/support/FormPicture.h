#pragma once
// A form painted as it shows into a bitmap: what a control shows is read
// inside the control's own area, wherever the layout has put it, and the
// picture checked is the picture written for a person to look at.

#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "tests/support/Pictures.h"

// The colour of the first five lines of a coloured concordance: the second
// colour of its RTF's colour table.
constexpr TColor kFirstLinesColour = RGB(255, 1, 186);

class FormPicture {
public:
    explicit FormPicture(TForm* form) : form_(form), bitmap_(form->ClientWidth(), form->ClientHeight()) {
        form->PaintTo(bitmap_.Canvas(), 0, 0);
    }

    // The pixels inside the control's area that have exactly the colour.
    int Count(const TControl* control, TColor colour) const {
        TPoint at = control->ClientToScreen({0, 0}), origin = form_->ClientToScreen({0, 0});
        int left = at.X - origin.X, top = at.Y - origin.Y, n = 0;
        TColor wanted = ColorToRGB(colour);
        for (int y = top; y < top + control->Height(); ++y)
            for (int x = left; x < left + control->Width(); ++x) n += bitmap_.Pixel(x, y) == wanted;
        return n;
    }

    // The colour at a point of the control's client area.
    TColor Pixel(const TControl* control, TPoint p) const {
        TPoint at = control->ClientToScreen(p), origin = form_->ClientToScreen({0, 0});
        return bitmap_.Pixel(at.X - origin.X, at.Y - origin.Y);
    }

    bool Save(const std::string& name) const { return bitmap_.SavePng(PicturePath(name)); }

private:
    TForm* form_;
    TBitmap bitmap_;
};
