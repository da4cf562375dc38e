// The rich-edit pane. The text lives here, as lines of 8-bit text with an
// attribute per byte (Rtf.h); a QPlainTextEdit shows it. The view is built in
// one edit block, and attribute changes made by code are queued and applied in
// one edit block when the event loop next runs (or before the view paints or
// takes input), so highlighting thousands of ranges costs no relayout per range.
// A plain-text editor rather than QTextEdit: it lays out only the lines it
// shows, which keeps panes of many thousand coloured lines quick.

#include "platform/gui/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <iconv.h>
#include <unordered_map>

#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Rtf.h"

namespace {

// Which attribute of the model a run of the view shows.
constexpr int kAttrProperty = QTextFormat::UserProperty + 0x4C58;

class TFlag {
public:
    explicit TFlag(bool& flag) : FFlag(flag), FOld(flag) { flag = true; }
    ~TFlag() { FFlag = FOld; }
    TFlag(const TFlag&) = delete;
    TFlag& operator=(const TFlag&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

QColor ToQColor(TColor color) {
    TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The length of the UTF-8 sequence starting at s[i], or 0 when none starts there
// (the rules of the text crossing into Qt).
size_t Utf8Length(const std::string& s, size_t i) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t extra = c < 0x80 ? 0 : c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 9;
    if (extra == 9 || s.size() - i <= extra) return 0;
    for (size_t k = 1; k <= extra; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return extra + 1;
}

// One character of code page 936 text at s[i]: its code point and byte count.
// A byte that starts no character shows as U+FFFD and counts one, as ToQString shows it.
std::pair<char32_t, size_t> DecodeCp936(const std::string& s, size_t i) {
    static iconv_t cd = iconv_open("UTF-32LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {static_cast<unsigned char>(s[i]), 1};
    char* in = const_cast<char*>(s.data() + i);
    size_t inLeft = std::min<size_t>(2, s.size() - i);
    char out[4];
    char* dst = out;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &in, &inLeft, &dst, &outLeft);  // one character fits: E2BIG after it is expected
    size_t used = static_cast<size_t>(in - (s.data() + i));
    if (dst != out + 4 || used == 0) return {0xFFFD, 1};
    auto b = [&](int k) { return char32_t(static_cast<unsigned char>(out[k])); };
    return {b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24, used};
}

void AppendCodePoint(QString& s, char32_t c) {
    if (c > 0xFFFF) {
        s += QChar(QChar::highSurrogate(c));
        s += QChar(QChar::lowSurrogate(c));
    } else {
        s += QChar(char16_t(c));
    }
}

// The line as ToQString shows it. units[b] receives the UTF-16 units shown
// before byte b (a byte inside a character counts as the character's start);
// it stays empty when every byte shows as one unit.
QString ShowLine(const std::string& line, std::vector<int>& units) {
    units.clear();
    const auto size = static_cast<qsizetype>(line.size());
    if (std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; }))
        return QString::fromLatin1(line.data(), size);
    units.assign(line.size() + 1, 0);
    QString shown;
    shown.reserve(size);
    bool utf8 = IsValidUtf8(line);
    for (size_t i = 0; i < line.size();) {
        const int before = static_cast<int>(shown.size());
        size_t length;
        if (utf8) {
            length = Utf8Length(line, i);
            shown += QString::fromUtf8(line.data() + i, static_cast<qsizetype>(length));
        } else if ((line[i] & 0x80) == 0) {
            length = 1;
            shown += QChar(char16_t(line[i]));
        } else {
            auto [code, used] = DecodeCp936(line, i);
            length = used;
            AppendCodePoint(shown, code);
        }
        std::fill_n(units.begin() + static_cast<std::ptrdiff_t>(i), length, before);
        i += length;
    }
    units.back() = static_cast<int>(shown.size());
    return shown;
}

// Text read back from the view: code page 936 when asked and every character
// has a code there, otherwise UTF-8 (false when code page 936 failed).
bool EncodeShown(const QString& text, bool cp936, std::string& out) {
    if (!cp936) {
        out = text.toUtf8().toStdString();
        return true;
    }
    out.clear();
    for (char32_t c : text.toUcs4()) {
        std::string bytes = EncodeCodePoint(c);
        if (c >= 0x80 && IsValidUtf8(bytes)) return false;  // no code page 936 form
        out += bytes;
    }
    return true;
}

// Selection edges from the view count from the block; Enter inserts a new block.
class TRichView : public QPlainTextEdit {
public:
    std::function<void()> BeforeUse;

protected:
    bool event(QEvent* e) override {
        if (BeforeUse && (e->type() == QEvent::KeyPress || e->type() == QEvent::InputMethod)) BeforeUse();
        return QPlainTextEdit::event(e);
    }
    bool viewportEvent(QEvent* e) override {
        switch (e->type()) {
            case QEvent::Paint: case QEvent::MouseButtonPress: case QEvent::MouseButtonDblClick: case QEvent::Drop:
                if (BeforeUse) BeforeUse();
                break;
            default: break;
        }
        return QPlainTextEdit::viewportEvent(e);
    }
    // Keys the pane got are its own, read-only or not: none bubbles up to the form.
    void keyPressEvent(QKeyEvent* e) override {
        QPlainTextEdit::keyPressEvent(e);
        if (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) e->accept();
    }
};

}  // namespace

struct TRichEdit::TImpl {
    class TLines : public TStringList {
    public:
        explicit TLines(TImpl& impl) : FImpl(impl) {}
        void SetItems(const std::vector<std::string>& items) { FItems = items; }

    protected:
        void Changed() override {
            if (!FImpl.Mirroring) FImpl.LinesChanged();
        }
        void Appended() override {
            if (!FImpl.Mirroring) FImpl.LineAppended();
        }

    private:
        TImpl& FImpl;
    };

    using Id = TAttrTable::Id;

    explicit TImpl(TRichEdit& owner) : Owner(owner), Lines(*this) {}

    TRichEdit& Owner;
    TRichText Doc;
    std::vector<std::vector<int>> Units;  // per line, as ShowLine gives them
    mutable std::vector<int> Starts;      // position of each line; empty when stale
    TLines Lines;
    bool Mirroring = false;  // the model is writing the line list
    bool Updating = false;   // the model is writing the view
    TTextAttr Def;
    int SelStart = 0, SelLength = 0;
    struct TRange {
        int Line, From, To;  // bytes
    };
    std::vector<TRange> Pending;  // attribute changes not yet shown
    bool SelectionPending = false;
    bool FlushQueued = false;
    std::vector<QTextCharFormat> Formats;  // by attribute id
    QObject* Receiver = nullptr;

    QPlainTextEdit* View() const { return static_cast<QPlainTextEdit*>(Owner.Widget()); }
    QTextDocument* ViewDoc() const { return View()->document(); }
    int Count() const { return static_cast<int>(Doc.Lines.size()); }
    int Length(int line) const { return static_cast<int>(Doc.Lines[size_t(line)].size()); }

    void Attach() {
        auto* view = static_cast<TRichView*>(View());
        view->BeforeUse = [this] { Flush(); };
        Receiver = new QObject(view);
        QObject::connect(view, &QPlainTextEdit::cursorPositionChanged, Receiver, [this] { ViewSelectionChanged(); });
        QObject::connect(view, &QPlainTextEdit::selectionChanged, Receiver, [this] { ViewSelectionChanged(); });
        QObject::connect(ViewDoc(), &QTextDocument::contentsChange, Receiver,
                         [this](int from, int removed, int added) { ViewContentsChanged(from, removed, added); });
    }

    // Positions.

    const std::vector<int>& LineStarts() const {
        if (Starts.size() != Doc.Lines.size()) {
            Starts.resize(Doc.Lines.size());
            int position = 0;
            for (size_t i = 0; i < Doc.Lines.size(); ++i) {
                Starts[i] = position;
                position += static_cast<int>(Doc.Lines[i].size()) + 2;
            }
        }
        return Starts;
    }
    void PositionsChanged() { Starts.clear(); }

    int TextLength() const { return Count() == 0 ? 0 : LineStarts().back() + Length(Count() - 1); }

    // The line and byte of a position; a position in a line break is the end of its line.
    std::pair<int, int> Locate(int position) const {
        if (Count() == 0) return {0, 0};
        const auto& starts = LineStarts();
        position = std::clamp(position, 0, TextLength());
        int line = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), position) - starts.begin()) - 1;
        return {line, std::min(position - starts[size_t(line)], Length(line))};
    }

    int UnitOf(int line, int byte) const {
        const auto& units = Units[size_t(line)];
        return units.empty() ? byte : units[size_t(byte)];
    }

    int ByteOf(int line, int unit) const {
        const auto& units = Units[size_t(line)];
        if (units.empty()) return std::clamp(unit, 0, Length(line));
        auto at = std::lower_bound(units.begin(), units.end(), unit);
        return std::min(static_cast<int>(at - units.begin()), Length(line));
    }

    int ViewPosition(int position) const {
        if (Count() == 0) return 0;
        auto [line, byte] = Locate(position);
        return ViewDoc()->findBlockByNumber(line).position() + UnitOf(line, byte);
    }

    int PositionOfView(int viewPosition) const {
        if (Count() == 0) return 0;
        QTextBlock block = ViewDoc()->findBlock(viewPosition);
        if (!block.isValid()) return TextLength();
        int line = std::min(block.blockNumber(), Count() - 1);
        return LineStarts()[size_t(line)] + ByteOf(line, viewPosition - block.position());
    }

    // Attributes.

    Id DefId() { return Doc.Table.Intern(Def); }

    const QTextCharFormat& Format(Id id) {
        while (Formats.size() <= id) {
            const TTextAttr& a = Doc.Table[Id(Formats.size())];
            QTextCharFormat f;
            f.setForeground(ToQColor(a.Color));
            f.setFontFamilies(QStringList{ToQString(a.Name)});
            f.setProperty(QTextFormat::FontPixelSize, std::max(1, (a.Size * 96 + 36) / 72));
            f.setFontWeight((a.Style & fsBold) ? QFont::Bold : QFont::Normal);
            f.setFontItalic((a.Style & fsItalic) != 0);
            f.setFontUnderline((a.Style & fsUnderline) != 0);
            f.setFontStrikeOut((a.Style & fsStrikeOut) != 0);
            f.setFontStyleStrategy(QFont::NoAntialias);
            f.setProperty(kAttrProperty, static_cast<int>(Formats.size()));
            Formats.push_back(f);
        }
        return Formats[id];
    }

    Id IdOfFormat(const QTextCharFormat& f) {
        if (f.hasProperty(kAttrProperty)) {
            int id = f.intProperty(kAttrProperty);
            if (id >= 0 && size_t(id) < Doc.Table.Count()) return Id(id);
        }
        TTextAttr a = Def;
        if (f.hasProperty(QTextFormat::ForegroundBrush)) {
            QColor c = f.foreground().color();
            a.Color = RGB(c.red(), c.green(), c.blue());
        }
        a.Style = 0;
        if (f.fontWeight() >= QFont::Bold) a.Style |= fsBold;
        if (f.fontItalic()) a.Style |= fsItalic;
        if (f.fontUnderline()) a.Style |= fsUnderline;
        if (f.fontStrikeOut()) a.Style |= fsStrikeOut;
        return Doc.Table.Intern(a);
    }

    // The attribute of the first selected character; with nothing selected,
    // of the character before the caret.
    TTextAttr SelectionAttr() const {
        if (Count() == 0) return Def;
        auto [line, byte] = Locate(SelStart);
        const int end = SelStart + SelLength;
        if (SelLength > 0)
            for (int l = line, b = byte; l < Count() && LineStarts()[size_t(l)] + b < end; ++l, b = 0)
                if (b < Length(l)) return Doc.Table[Doc.Attrs[size_t(l)][size_t(b)]];
        if (byte > 0) return Doc.Table[Doc.Attrs[size_t(line)][size_t(byte) - 1]];
        if (Length(line) > 0) return Doc.Table[Doc.Attrs[size_t(line)][0]];
        return Def;
    }

    template <class F>
    void ChangeSelection(F change) {
        auto changed = [&](Id id) {
            TTextAttr a = Doc.Table[id];
            change(a);
            return Doc.Table.Intern(a);
        };
        if (SelLength == 0) {
            // What the user types at the caret next.
            Flush();
            TFlag updating(Updating);
            View()->setCurrentCharFormat(Format(changed(Doc.Table.Intern(SelectionAttr()))));
            return;
        }
        std::unordered_map<Id, Id> map;
        auto [line, from] = Locate(SelStart);
        auto [lastLine, to] = Locate(SelStart + SelLength);
        for (int l = line; l <= lastLine; ++l) {
            int b0 = l == line ? from : 0, b1 = l == lastLine ? to : Length(l);
            auto& attrs = Doc.Attrs[size_t(l)];
            for (int b = b0; b < b1; ++b) {
                auto it = map.find(attrs[size_t(b)]);
                if (it == map.end()) it = map.emplace(attrs[size_t(b)], changed(attrs[size_t(b)])).first;
                attrs[size_t(b)] = it->second;
            }
            if (b1 > b0) Pending.push_back({l, b0, b1});
        }
        QueueFlush();
    }

    // The view.

    void QueueFlush() {
        if (FlushQueued) return;
        FlushQueued = true;
        QMetaObject::invokeMethod(Receiver, [this] {
            FlushQueued = false;
            Flush();
        }, Qt::QueuedConnection);
    }

    void InsertRuns(QTextCursor& cursor, int line, const QString& shown) {
        const auto& attrs = Doc.Attrs[size_t(line)];
        for (int b = 0; b < Length(line);) {
            int e = b + 1;
            while (e < Length(line) && attrs[size_t(e)] == attrs[size_t(b)]) ++e;
            int u0 = UnitOf(line, b), u1 = UnitOf(line, e);
            if (u1 > u0) cursor.insertText(shown.mid(u0, u1 - u0), Format(attrs[size_t(b)]));
            b = e;
        }
    }

    // Shows lines [first, first + count) of the model at the cursor, one block each.
    void InsertLines(QTextCursor& cursor, int first, int count, bool blockBefore, bool blockAfter) {
        for (int k = 0; k < count; ++k) {
            int line = first + k;
            QString shown = ShowLine(Doc.Lines[size_t(line)], Units[size_t(line)]);
            if (k > 0 || blockBefore) cursor.insertBlock();
            InsertRuns(cursor, line, shown);
            if (blockAfter && k == count - 1) cursor.insertBlock();
        }
    }

    void Rebuild() {
        Pending.clear();
        Units.assign(Doc.Lines.size(), {});
        QTextDocument* doc = ViewDoc();
        {
            TFlag updating(Updating);
            doc->setUndoRedoEnabled(false);
            QTextCursor cursor(doc);
            cursor.beginEditBlock();
            cursor.select(QTextCursor::Document);
            cursor.removeSelectedText();
            cursor.setBlockCharFormat(Format(DefId()));
            InsertLines(cursor, 0, Count(), false, false);
            cursor.endEditBlock();
            doc->setUndoRedoEnabled(true);
        }
        SelectionPending = true;
        Flush();
    }

    // Model lines [first, first + inserted) replaced view blocks [first, first + removed).
    void ReplaceViewLines(int first, int removed, int inserted, int oldCount) {
        if (oldCount == 0 || Count() == 0) return Rebuild();
        Flush();
        for (int k = 0; k < inserted; ++k) Units[size_t(first + k)].clear();
        QTextDocument* doc = ViewDoc();
        TFlag updating(Updating);
        doc->setUndoRedoEnabled(false);
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        if (removed > 0) {
            QTextBlock b0 = doc->findBlockByNumber(first), b1 = doc->findBlockByNumber(first + removed - 1);
            int from = b0.position(), to = b1.position() + b1.length() - 1;
            // Removing whole lines takes one block break with them: the next one, or at the end the one before.
            if (inserted == 0) {
                if (first + removed < oldCount)
                    ++to;
                else
                    --from;
            }
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            InsertLines(cursor, first, inserted, false, false);
        } else if (first < oldCount) {
            cursor.setPosition(doc->findBlockByNumber(first).position());
            InsertLines(cursor, first, inserted, false, true);
        } else {
            cursor.movePosition(QTextCursor::End);
            InsertLines(cursor, first, inserted, true, false);
        }
        cursor.endEditBlock();
        doc->setUndoRedoEnabled(true);
        SelectionPending = true;
    }

    void Flush() {
        if (Pending.empty() && !SelectionPending) return;
        TFlag updating(Updating);
        QTextDocument* doc = ViewDoc();
        if (!Pending.empty()) {
            doc->setUndoRedoEnabled(false);
            QTextCursor cursor(doc);
            cursor.beginEditBlock();
            for (const TRange& r : Pending) {
                if (r.Line >= Count()) continue;
                const int base = doc->findBlockByNumber(r.Line).position();
                const auto& attrs = Doc.Attrs[size_t(r.Line)];
                for (int b = r.From; b < std::min(r.To, Length(r.Line));) {
                    int e = b + 1;
                    while (e < r.To && attrs[size_t(e)] == attrs[size_t(b)]) ++e;
                    cursor.setPosition(base + UnitOf(r.Line, b));
                    cursor.setPosition(base + UnitOf(r.Line, e), QTextCursor::KeepAnchor);
                    cursor.setCharFormat(Format(attrs[size_t(b)]));
                    b = e;
                }
            }
            cursor.endEditBlock();
            doc->setUndoRedoEnabled(true);
            Pending.clear();
        }
        if (SelectionPending) {
            SelectionPending = false;
            QTextCursor cursor(doc);
            cursor.setPosition(ViewPosition(SelStart));
            cursor.setPosition(ViewPosition(SelStart + SelLength), QTextCursor::KeepAnchor);
            View()->setTextCursor(cursor);
        }
    }

    // Changes of the text and the selection.

    void SetSelection(int start, int length, bool fromView) {
        start = std::clamp(start, 0, TextLength());
        length = std::clamp(length, 0, TextLength() - start);
        if (!fromView) {
            SelectionPending = true;
            QueueFlush();
        }
        if (start == SelStart && length == SelLength) return;
        SelStart = start;
        SelLength = length;
        if (Owner.OnSelectionChange) Owner.OnSelectionChange(&Owner);
    }

    void ViewSelectionChanged() {
        if (Updating) return;
        SelectionPending = false;
        QTextCursor c = View()->textCursor();
        int a = PositionOfView(c.anchor()), p = PositionOfView(c.position());
        SetSelection(std::min(a, p), std::abs(a - p), true);
    }

    void TextChanged() {
        PositionsChanged();
        {
            TFlag mirroring(Mirroring);
            Lines.SetItems(Doc.Lines);
        }
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    void SetDocument(TRichText text) {
        Doc = std::move(text);
        Formats.clear();
        PositionsChanged();
        const bool moved = SelStart != 0 || SelLength != 0;
        SelStart = SelLength = 0;
        Rebuild();
        TextChanged();
        if (moved && Owner.OnSelectionChange) Owner.OnSelectionChange(&Owner);
    }

    template <class F>
    void Change(const TTextAttributes* which, F change) {
        if (which == &Owner.FDefAttributes)
            change(Def);
        else
            ChangeSelection(change);
    }

    TRichText PlainDocument(std::string_view bytes) {
        TStringList split;
        split.SetText(bytes);
        TRichText text;
        text.Lines = split.Items();
        Id id = text.Table.Intern(Def);
        for (const auto& line : text.Lines) text.Attrs.emplace_back(line.size(), id);
        return text;
    }

    // The line list was changed as a list: lines that differ take the default attributes.
    void LinesChanged() {
        const auto& items = Lines.Items();
        const int oldCount = Count(), newCount = static_cast<int>(items.size());
        int head = 0, tail = 0;
        while (head < oldCount && head < newCount && Doc.Lines[size_t(head)] == items[size_t(head)]) ++head;
        while (tail < oldCount - head && tail < newCount - head &&
               Doc.Lines[size_t(oldCount - 1 - tail)] == items[size_t(newCount - 1 - tail)])
            ++tail;
        const int removed = oldCount - head - tail, inserted = newCount - head - tail;
        if (removed == 0 && inserted == 0) return;
        Flush();
        auto at = [&](auto& v) { return v.begin() + head; };
        Doc.Lines.erase(at(Doc.Lines), at(Doc.Lines) + removed);
        Doc.Attrs.erase(at(Doc.Attrs), at(Doc.Attrs) + removed);
        Units.erase(at(Units), at(Units) + removed);
        Doc.Lines.insert(at(Doc.Lines), items.begin() + head, items.begin() + head + inserted);
        Id id = DefId();
        for (int k = 0; k < inserted; ++k) {
            Doc.Attrs.insert(at(Doc.Attrs) + k, std::vector<Id>(items[size_t(head + k)].size(), id));
            Units.insert(at(Units) + k, std::vector<int>());
        }
        PositionsChanged();
        ReplaceViewLines(head, removed, inserted, oldCount);
        SetSelection(SelStart, SelLength, false);
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    void LineAppended() {
        const std::string& line = Lines.Items().back();
        Doc.Lines.push_back(line);
        Doc.Attrs.emplace_back(line.size(), DefId());
        Units.emplace_back();
        PositionsChanged();
        ReplaceViewLines(Count() - 1, 0, 1, Count() - 1);
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    // Reads view blocks back as lines; false when code page 936 was asked and cannot hold them.
    bool ReadBlock(const QTextBlock& block, bool cp936, std::string& line, std::vector<Id>& attrs) {
        line.clear();
        attrs.clear();
        std::string bytes;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!EncodeShown(fragment.text(), cp936, bytes)) return false;
            line += bytes;
            attrs.insert(attrs.end(), bytes.size(), IdOfFormat(fragment.charFormat()));
        }
        return true;
    }

    // The user edited the view: the blocks the edit touched replace their lines.
    // A line shown as code page 936 stays in it when it can; new text is UTF-8.
    void ViewContentsChanged(int from, int /*removed*/, int added) {
        if (Updating) return;
        QTextDocument* doc = ViewDoc();
        const int oldCount = Count(), oldBlocks = std::max(1, oldCount);
        const int delta = doc->blockCount() - oldBlocks;
        const int first = doc->findBlock(from).blockNumber();
        const int lastNew = doc->findBlock(std::min(from + added, doc->characterCount() - 1)).blockNumber();
        const int lastOld = lastNew - delta;
        if (first < 0 || lastNew < first) return;
        const bool cp936 = first < oldCount && !IsValidUtf8(Doc.Lines[size_t(first)]);
        std::vector<std::string> lines;
        std::vector<std::vector<Id>> attrs;
        for (QTextBlock b = doc->findBlockByNumber(first); b.isValid() && b.blockNumber() <= lastNew; b = b.next()) {
            lines.emplace_back();
            attrs.emplace_back();
            if (!ReadBlock(b, cp936, lines.back(), attrs.back())) ReadBlock(b, false, lines.back(), attrs.back());
        }
        const int eraseEnd = std::min(lastOld + 1, oldCount);
        const int erased = std::max(0, eraseEnd - first);
        Doc.Lines.erase(Doc.Lines.begin() + first, Doc.Lines.begin() + first + erased);
        Doc.Attrs.erase(Doc.Attrs.begin() + first, Doc.Attrs.begin() + first + erased);
        Units.erase(Units.begin() + first, Units.begin() + first + erased);
        Doc.Lines.insert(Doc.Lines.begin() + first, lines.begin(), lines.end());
        Doc.Attrs.insert(Doc.Attrs.begin() + first, attrs.begin(), attrs.end());
        Units.insert(Units.begin() + first, lines.size(), std::vector<int>());
        for (size_t k = 0; k < lines.size(); ++k) ShowLine(Doc.Lines[first + k], Units[first + k]);
        // An empty pane has no lines, though its view keeps one empty block.
        if (Count() == 1 && Doc.Lines[0].empty()) {
            Doc.Lines.clear();
            Doc.Attrs.clear();
            Units.clear();
        }
        TextChanged();
    }
};

TRichEdit::TRichEdit(TComponent* owner)
    : TWinControl(owner), FImpl(std::make_unique<TImpl>(*this)), FSelAttributes(*this), FDefAttributes(*this) {
    SetNativeDefault(true);
    EnsureWidget();
    FImpl->Attach();
    FImpl->Def = {Font().Color(), Font().Style(), Font().Size(), Font().Name()};
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(Left(), Top(), 185, 89);
}

TRichEdit::~TRichEdit() {
    // The widget outlives this object by a moment: nothing of it may call back.
    static_cast<TRichView*>(Widget())->BeforeUse = nullptr;
    delete FImpl->Receiver;
    FImpl->Receiver = nullptr;
}

QWidget* TRichEdit::CreateWidget() {
    auto* view = new TRichView;
    view->setTabChangesFocus(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->document()->setUndoRedoEnabled(true);
    return view;
}

TStringList& TRichEdit::Lines() { return FImpl->Lines; }

std::string TRichEdit::GetText() const {
    std::string text;
    for (size_t i = 0; i < FImpl->Doc.Lines.size(); ++i) {
        if (i) text += "\r\n";
        text += FImpl->Doc.Lines[i];
    }
    return text;
}

void TRichEdit::SetText(const std::string& text) { FImpl->SetDocument(FImpl->PlainDocument(text)); }

void TRichEdit::Clear() { FImpl->SetDocument(TRichText{}); }

int TRichEdit::SelStart() const { return FImpl->SelStart; }

void TRichEdit::SetSelStart(int position) { FImpl->SetSelection(position, 0, false); }

int TRichEdit::SelLength() const { return FImpl->SelLength; }

void TRichEdit::SetSelLength(int length) { FImpl->SetSelection(FImpl->SelStart, length, false); }

void TRichEdit::Select(int start, int length) { FImpl->SetSelection(start, length, false); }

std::string TRichEdit::SelText() const {
    auto [line, from] = FImpl->Locate(FImpl->SelStart);
    auto [last, to] = FImpl->Locate(FImpl->SelStart + FImpl->SelLength);
    const auto& lines = FImpl->Doc.Lines;
    if (lines.empty()) return "";
    if (line == last) return lines[size_t(line)].substr(size_t(from), size_t(to - from));
    std::string text = lines[size_t(line)].substr(size_t(from));
    for (int l = line + 1; l < last; ++l) text += "\r\n" + lines[size_t(l)];
    return text + "\r\n" + lines[size_t(last)].substr(0, size_t(to));
}

void TRichEdit::SelectAll() { FImpl->SetSelection(0, FImpl->TextLength(), false); }

int TRichEdit::LineFromChar(int position) const {
    if (position < 0) position = FImpl->SelStart;  // -1 asks for the caret's line
    return FImpl->Locate(position).first;
}

int TRichEdit::LineIndex(int line) const {
    if (line < 0) line = LineFromChar(-1);
    if (FImpl->Count() == 0) return line == 0 ? 0 : -1;
    if (line >= FImpl->Count()) return -1;
    return FImpl->LineStarts()[size_t(line)];
}

bool TRichEdit::ReadOnly() const { return FImpl->View()->isReadOnly(); }

void TRichEdit::SetReadOnly(bool value) {
    QPlainTextEdit* view = FImpl->View();
    view->setReadOnly(value);
    // A read-only pane still has a caret the keys move, as the program's panes need.
    if (value) view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

bool TRichEdit::WordWrap() const { return FImpl->View()->lineWrapMode() != QPlainTextEdit::NoWrap; }

void TRichEdit::SetWordWrap(bool value) {
    FImpl->View()->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TRichEdit::LoadFromBytes(const std::string& bytes, bool rtf) {
    FImpl->SetDocument(rtf ? ReadRtf(bytes, FImpl->Def) : FImpl->PlainDocument(bytes));
}

void TRichEdit::LoadFromFile(const std::string& fileName) {
    std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(bytes, !PlainText && LooksLikeRtf(bytes));
}

std::string TRichEdit::SaveToBytes(bool rtf) const {
    return rtf ? WriteRtf(FImpl->Doc) : GetText();
}

void TRichEdit::SaveToFile(const std::string& fileName) const { WriteFileBytes(fileName, SaveToBytes(!PlainText)); }

TColor TRichEdit::ColorAt(int position) const {
    if (position < 0 || position >= FImpl->TextLength()) return FImpl->Def.Color;
    auto [line, byte] = FImpl->Locate(position);
    if (byte >= FImpl->Length(line)) return FImpl->Def.Color;
    return FImpl->Doc.Table[FImpl->Doc.Attrs[size_t(line)][size_t(byte)]].Color;
}

TFontStyles TRichEdit::StyleAt(int position) const {
    if (position < 0 || position >= FImpl->TextLength()) return FImpl->Def.Style;
    auto [line, byte] = FImpl->Locate(position);
    if (byte >= FImpl->Length(line)) return FImpl->Def.Style;
    return FImpl->Doc.Table[FImpl->Doc.Attrs[size_t(line)][size_t(byte)]].Style;
}

// Arrows and characters; Enter too, which the program's panes react to even when read-only.
void TRichEdit::WMGetDlgCode(TMessage& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    if (m.WParam == VK_RETURN) m.Result |= DLGC_WANTALLKEYS;
}

// The caret goes where the button went down before OnMouseDown runs, so a
// handler reading the caret's line sees the line clicked.
void TRichEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && !(shift & ssDouble)) {
        FImpl->Flush();
        QPlainTextEdit* view = FImpl->View();
        QTextCursor at = view->cursorForPosition(view->viewport()->mapFrom(view, QPoint(x, y)));
        if (shift & ssShift) {
            QTextCursor extended = view->textCursor();
            extended.setPosition(at.position(), QTextCursor::KeepAnchor);
            at = extended;
        }
        view->setTextCursor(at);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TRichEdit::FontChanged() {
    TWinControl::FontChanged();
    FImpl->Def = {Font().Color(), Font().Style(), Font().Size(), Font().Name()};
}

void TRichEdit::ColorChanged() {
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Base, ToQColor(Color()));
    Widget()->setPalette(palette);
}

// The attributes: those of the selection, or the defaults for new text.

TColor TTextAttributes::Color() const {
    auto& impl = *FOwner.FImpl;
    return this == &FOwner.FDefAttributes ? impl.Def.Color : impl.SelectionAttr().Color;
}

TFontStyles TTextAttributes::Style() const {
    auto& impl = *FOwner.FImpl;
    return this == &FOwner.FDefAttributes ? impl.Def.Style : impl.SelectionAttr().Style;
}

std::string TTextAttributes::Name() const {
    auto& impl = *FOwner.FImpl;
    return this == &FOwner.FDefAttributes ? impl.Def.Name : impl.SelectionAttr().Name;
}

int TTextAttributes::Size() const {
    auto& impl = *FOwner.FImpl;
    return this == &FOwner.FDefAttributes ? impl.Def.Size : impl.SelectionAttr().Size;
}

void TTextAttributes::SetColor(TColor color) {
    FOwner.FImpl->Change(this, [color](TTextAttr& a) { a.Color = color; });
}

void TTextAttributes::SetStyle(TFontStyles style) {
    FOwner.FImpl->Change(this, [style](TTextAttr& a) { a.Style = style; });
}

void TTextAttributes::SetName(const std::string& name) {
    FOwner.FImpl->Change(this, [&name](TTextAttr& a) { a.Name = name; });
}

void TTextAttributes::SetSize(int points) {
    points = std::clamp(points, 1, 1638);
    FOwner.FImpl->Change(this, [points](TTextAttr& a) { a.Size = points; });
}

void TTextAttributes::Assign(const TFont& font) {
    TTextAttr from{font.Color(), font.Style(), std::clamp(font.Size(), 1, 1638), font.Name()};
    FOwner.FImpl->Change(this, [&from](TTextAttr& a) { a = from; });
}
