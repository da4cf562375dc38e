// The rich edit as the engine's highlighting sees it.

#include "platform/gui/RichEdit.h"

int TRichEdit::LineCount() const { return const_cast<TRichEdit*>(this)->Lines().Count(); }

std::string TRichEdit::LineText(int line) const { return const_cast<TRichEdit*>(this)->Lines()[line]; }

int TRichEdit::LineStart(int line) const { return LineIndex(line); }

void TRichEdit::MarkRange(int start, int length, int32_t color) {
    Select(start, length);
    SelAttributes().SetColor(color);
    SelAttributes().SetStyle(fsUnderline);
}
