#pragma once
// What the native controls share: positions counted in the program's bytes
// against Qt's UTF-16 units, and string lists that mirror themselves into a
// widget's rows. Only platform/gui's native control sources include it.

#include <QPalette>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/gui/QtGlue.h"

// The background of a native widget's text area.
inline void ApplyBaseColor(QWidget* widget, TColor color) {
    QPalette palette = widget->palette();
    SetEnabledColor(palette, QPalette::Base, ToQColor(color));
    widget->setPalette(palette);
}

// Positions the program counts in bytes of its string, Qt in UTF-16 units of
// the text shown. Text in code page 936 takes two bytes per non-ASCII character.
inline int BytesOfUnits(const QString& shown, int units, bool gbk) {
    int bytes = 0;
    units = std::min<int>(units, static_cast<int>(shown.size()));
    for (int i = 0; i < units; ++i) {
        char16_t c = shown[i].unicode();
        if (c < 0x80) {
            bytes += 1;
        } else if (QChar::isHighSurrogate(c)) {
            bytes += 4;
            ++i;
        } else {
            bytes += gbk || c < 0x800 ? 2 : 3;
        }
    }
    return bytes;
}

inline int UnitsOfBytes(const QString& shown, int bytes, bool gbk) {
    int units = 0;
    while (units < shown.size() && BytesOfUnits(shown, units + 1, gbk) <= bytes) ++units;
    return units;
}

// A string list that mirrors itself into a widget's rows. An append adds one
// row; any other change is narrowed to the run of items that differ from the
// rows shown, so the rows around it keep their selection and check marks.
class TMirroredList : public TStringList {
protected:
    // Widget rows [first, first + removed) become items [first, first + inserted).
    virtual void ReplaceRows(int first, int removed, int inserted) = 0;
    // The widget gains a row for the last item.
    virtual void AppendRow() = 0;

    void Changed() override {
        const size_t oldCount = FShown.size(), newCount = FItems.size();
        size_t head = 0;
        while (head < oldCount && head < newCount && FShown[head] == FItems[head]) ++head;
        size_t tail = 0;
        while (tail < oldCount - head && tail < newCount - head &&
               FShown[oldCount - 1 - tail] == FItems[newCount - 1 - tail])
            ++tail;
        const size_t removed = oldCount - head - tail, inserted = newCount - head - tail;
        if (removed == 0 && inserted == 0) return;
        const auto at = static_cast<std::ptrdiff_t>(head);
        FShown.erase(FShown.begin() + at, FShown.begin() + at + static_cast<std::ptrdiff_t>(removed));
        FShown.insert(FShown.begin() + at, FItems.begin() + at, FItems.begin() + at + static_cast<std::ptrdiff_t>(inserted));
        ReplaceRows(static_cast<int>(head), static_cast<int>(removed), static_cast<int>(inserted));
    }

    void Appended() override {
        FShown.push_back(FItems.back());
        AppendRow();
    }

    // The items as the widget shows them.
    std::vector<std::string> FShown;
};
