#pragma once
// What the engine's highlighting needs of a rich-text pane: its lines, where
// each begins, and marking a selected range. The GUI's rich edit provides it.

#include <cstdint>
#include <string>

class TRichTextTarget {
public:
    virtual ~TRichTextTarget() = default;
    virtual int LineCount() const = 0;
    virtual std::string LineText(int line) const = 0;
    // The position of the line's first character (line breaks count two).
    virtual int LineStart(int line) const = 0;
    // Selects [start, start + length), then gives the selection the colour
    // (0x00BBGGRR) and the underline style.
    virtual void MarkRange(int start, int length, int32_t color) = 0;
};
