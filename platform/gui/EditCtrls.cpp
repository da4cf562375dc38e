// Edits, memos, combo and list boxes: native Qt widgets behind the controls.
// The controls keep the program's 8-bit strings; only the widgets see Qt text.
// Text the program set in code reads back byte for byte as long as the widget
// still shows it; text the user typed reads back as UTF-8.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "platform/gui/NativeText.h"
#include "platform/gui/StdCtrls.h"

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    EnsureWidget();
    FReceiver = new QObject(Widget());
    QObject::connect(LineEdit(), &QLineEdit::textChanged, FReceiver, [this] { Change(); });
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 121, 21);
}

TEdit::~TEdit() {
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TEdit::CreateWidget() { return new QLineEdit; }

QLineEdit* TEdit::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

std::string TEdit::GetText() const {
    std::string shown = FromQString(LineEdit()->text());
    return shown == FShownUtf8 ? FBytes : shown;
}

void TEdit::SetText(const std::string& text) {
    if (text == GetText()) return;
    QString shown = ToQString(text);
    FBytes = text;
    FShownUtf8 = FromQString(shown);
    // Two byte strings can show alike; the change is still a change of Text.
    if (LineEdit()->text() == shown)
        Change();
    else
        LineEdit()->setText(shown);
    Perform(CM_TEXTCHANGED);
}

bool TEdit::ReadOnly() const { return LineEdit()->isReadOnly(); }

void TEdit::SetReadOnly(bool value) { LineEdit()->setReadOnly(value); }

int TEdit::MaxLength() const { return FMaxLength; }

void TEdit::SetMaxLength(int value) {
    FMaxLength = std::max(value, 0);
    LineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

int TEdit::SelStart() const {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    int units = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return BytesOfUnits(edit->text(), units, gbk);
}

void TEdit::SetSelStart(int value) {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    edit->setCursorPosition(UnitsOfBytes(edit->text(), std::max(value, 0), gbk));
}

int TEdit::SelLength() const {
    QLineEdit* edit = LineEdit();
    if (!edit->hasSelectedText()) return 0;
    bool gbk = FromQString(edit->text()) != GetText();
    int start = edit->selectionStart();
    return BytesOfUnits(edit->text(), start + edit->selectedText().size(), gbk) -
           BytesOfUnits(edit->text(), start, gbk);
}

void TEdit::SetSelLength(int value) {
    QLineEdit* edit = LineEdit();
    bool gbk = FromQString(edit->text()) != GetText();
    int startBytes = SelStart();
    int start = UnitsOfBytes(edit->text(), startBytes, gbk);
    int end = UnitsOfBytes(edit->text(), startBytes + std::max(value, 0), gbk);
    edit->setSelection(start, end - start);
}

void TEdit::SelectAll() { LineEdit()->selectAll(); }

void TEdit::Change() {
    if (OnChange) OnChange(this);
}

// Tab, Enter and Escape go to the form as dialog keys.
void TEdit::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

void TEdit::FontChanged() { ApplyFontAndColor(); }

void TEdit::ColorChanged() { ApplyBaseColor(Widget(), Color()); }

// The memo's lines. The widget is the truth for what the user typed: after an
// edit the lines are read back from it on next use, keeping the bytes of
// every line the edit did not touch.
class TMemo::TMemoLines : public TMirroredList {
public:
    explicit TMemoLines(TMemo* memo) : FMemo(memo) {}

    bool Stale = false;       // the user edited the text since the lines were read
    bool TrailingBreak = false;  // the text ends with a line break
    bool Pushing = false;     // the lines are being written into the widget
    bool Pushed = false;      // the widget was rewritten since this was last cleared

    void Pull() {
        if (!Stale) return;
        Stale = false;
        std::vector<QString> blocks;
        for (QTextBlock b = FMemo->Editor()->document()->begin(); b.isValid(); b = b.next()) blocks.push_back(b.text());
        // An empty last paragraph is the line break that ends the text, not a line.
        TrailingBreak = blocks.size() > 1 && blocks.back().isEmpty();
        if (!blocks.empty() && blocks.back().isEmpty()) blocks.pop_back();
        std::vector<std::string> lines(blocks.size());
        size_t head = 0;
        while (head < blocks.size() && head < FItems.size() && blocks[head] == ToQString(FItems[head])) {
            lines[head] = FItems[head];
            ++head;
        }
        size_t tail = 0;
        while (tail < blocks.size() - head && tail < FItems.size() - head &&
               blocks[blocks.size() - 1 - tail] == ToQString(FItems[FItems.size() - 1 - tail])) {
            lines[blocks.size() - 1 - tail] = FItems[FItems.size() - 1 - tail];
            ++tail;
        }
        for (size_t i = head; i < blocks.size() - tail; ++i) lines[i] = FromQString(blocks[i]);
        FItems = std::move(lines);
        FShown = FItems;
    }

    std::string Joined() const {
        std::string text;
        for (size_t i = 0; i < FItems.size(); ++i) {
            if (i) text += "\r\n";
            text += FItems[i];
        }
        if (TrailingBreak && !FItems.empty()) text += "\r\n";
        return text;
    }

    void Push() {
        Pushed = true;
        if (FItems.empty()) TrailingBreak = false;
        QString text;
        for (size_t i = 0; i < FItems.size(); ++i) {
            if (i) text += QChar('\n');
            text += ToQString(FItems[i]);
        }
        if (TrailingBreak) text += QChar('\n');
        {
            TFlagGuard guard(Pushing);
            FMemo->Editor()->setPlainText(text);
        }
        FMemo->Change();
    }

protected:
    void ReplaceRows(int, int, int) override { Push(); }

    void AppendRow() override {
        QTextCursor cursor(FMemo->Editor()->document());
        cursor.movePosition(QTextCursor::End);
        {
            TFlagGuard guard(Pushing);
            cursor.beginEditBlock();
            if (TrailingBreak) {
                cursor.insertText(ToQString(FItems.back()));
                cursor.insertBlock();
            } else {
                if (FItems.size() > 1) cursor.insertBlock();
                cursor.insertText(ToQString(FItems.back()));
            }
            cursor.endEditBlock();
        }
        FMemo->Change();
    }

private:
    TMemo* FMemo;
};

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    EnsureWidget();
    FLines = std::make_unique<TMemoLines>(this);
    FReceiver = new QObject(Widget());
    QObject::connect(Editor(), &QPlainTextEdit::textChanged, FReceiver, [this] {
        if (FLines->Pushing) return;
        FLines->Stale = true;
        Change();
    });
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
}

TMemo::~TMemo() {
    delete FReceiver;
    FReceiver = nullptr;
}

QWidget* TMemo::CreateWidget() {
    auto* editor = new QPlainTextEdit;
    // Tab is a dialog key here; when the form does not take it, Qt moves the focus.
    editor->setTabChangesFocus(true);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return editor;
}

QPlainTextEdit* TMemo::Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }

TStringList& TMemo::Lines() {
    FLines->Pull();
    return *FLines;
}

std::string TMemo::GetText() const {
    FLines->Pull();
    return FLines->Joined();
}

void TMemo::SetText(const std::string& text) {
    if (text == GetText()) return;
    FLines->TrailingBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    FLines->Pushed = false;
    FLines->SetText(text);
    // Lines alike but for the final line break still change the text.
    if (!FLines->Pushed) FLines->Push();
    Perform(CM_TEXTCHANGED);
}

bool TMemo::ReadOnly() const { return Editor()->isReadOnly(); }

void TMemo::SetReadOnly(bool value) { Editor()->setReadOnly(value); }

bool TMemo::WordWrap() const { return Editor()->lineWrapMode() != QPlainTextEdit::NoWrap; }

void TMemo::SetWordWrap(bool value) {
    Editor()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::Change() {
    if (OnChange) OnChange(this);
}

// Arrows and characters; Enter through CM_WANTSPECIALKEY so that Tab stays a dialog key.
void TMemo::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }

void TMemo::CMWantSpecialKey(TMessage& m) { m.Result = m.WParam == VK_RETURN ? 1 : 0; }

void TMemo::FontChanged() { ApplyFontAndColor(); }

void TMemo::ColorChanged() { ApplyBaseColor(Widget(), Color()); }
