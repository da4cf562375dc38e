#pragma once
// A rich-text pane: lines of the program's 8-bit text with per-character
// colour, bold, underline, font name and size. Positions (SelStart,
// SelLength, LineFromChar) count the bytes of the lines and two for every
// line break, as the program computes them; the view maps them to what it shows.

#include <memory>
#include <string>

#include "platform/core/Classes.h"
#include "platform/core/RichText.h"
#include "platform/gui/Controls.h"


// The attributes of the selection: reading gives those of its first
// character; writing applies to the whole selection.
class TTextAttributes {
public:
    explicit TTextAttributes(class TRichEdit& owner) : FOwner(owner) {}
    TColor Color() const;
    void SetColor(TColor color);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    std::string Name() const;
    void SetName(const std::string& name);
    int Size() const;
    void SetSize(int points);
    // Font name, size, colour and style at once.
    void Assign(const TFont& font);

private:
    TRichEdit& FOwner;
};

class TRichEdit : public TWinControl, public TRichTextTarget {
public:
    explicit TRichEdit(TComponent* owner);
    ~TRichEdit() override;

    // The lines as 8-bit text. Changing the list replaces the pane's text
    // (plain, in the default attributes).
    TStringList& Lines();
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void Clear();

    int SelStart() const;
    void SetSelStart(int position);
    int SelLength() const;
    void SetSelLength(int length);
    // Selects [start, start + length) and reports it through OnSelectionChange.
    void Select(int start, int length);
    std::string SelText() const;
    void SelectAll();
    // While OnSelectionChange runs: whether the user made the selection with
    // the mouse or keys (false for selections made by code or by loading).
    bool SelectionByUser() const;
    TTextAttributes& SelAttributes() { return FSelAttributes; }
    // The attributes new text takes.
    TTextAttributes& DefAttributes() { return FDefAttributes; }
    // The index of the line holding position (the last line for a position past the end).
    int LineFromChar(int position) const;
    // The position where line index starts (-1 for an index past the last line).
    int LineIndex(int line) const;

    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool WordWrap() const;
    void SetWordWrap(bool value);
    // When true, LoadFromFile/LoadFromBytes take the text as plain text.
    bool PlainText = false;

    // Loads RTF (the subset this program writes: font and colour tables, \par,
    // \cfN, \b, \b0, \ul, \ulnone, \fsN, \'hh, \uN, groups; unknown control
    // words are skipped) or plain text (CR, LF or CR LF line ends). Malformed
    // RTF loads what it can and never throws.
    void LoadFromBytes(const std::string& bytes, bool rtf);
    void LoadFromFile(const std::string& fileName);
    // RTF keeps colour, bold and underline; plain text writes the lines with CR LF.
    std::string SaveToBytes(bool rtf) const;
    void SaveToFile(const std::string& fileName) const;

    // The colour, style and text of one character position (for tests and highlighting checks).
    TColor ColorAt(int position) const;
    TFontStyles StyleAt(int position) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

    // What highlighting asks of the pane.
    int LineCount() const override;
    std::string LineText(int line) const override;
    int LineStart(int line) const override;
    void MarkRange(int start, int length, int32_t color) override;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;

private:
    friend class TTextAttributes;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void FontChanged() override;
    void ColorChanged() override;
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    TTextAttributes FSelAttributes;
    TTextAttributes FDefAttributes;
};
