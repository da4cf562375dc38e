// The rich-edit pane. The text lives here, as lines of 8-bit text with an
// attribute per byte (Rtf.h); a QPlainTextEdit shows it. The view is built in
// one edit block, and attribute changes made by code are queued and applied in
// one edit block when the event loop next runs (or before the view paints or
// takes input), so highlighting thousands of ranges costs no relayout per range.
// A plain-text editor rather than QTextEdit: it lays out only the lines it
// shows, which keeps panes of many thousand coloured lines quick.

#include "platform/gui/RichEdit.h"
#include "platform/gui/QtGlue.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <unordered_map>

#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/Rtf.h"

namespace {

// Which attribute of the model a run of the view shows.
constexpr int kAttrProperty = QTextFormat::UserProperty + 0x4C58;

void AppendCodePoint(QString& s, char32_t c) {
    if (c > 0xFFFF) {
        s += QChar(QChar::highSurrogate(c));
        s += QChar(QChar::lowSurrogate(c));
    } else {
        s += QChar(char16_t(c));
    }
}

// A character the line's padding counts as two columns, in UTF-16 units of the shown line.
struct TWideCharacter {
    int Byte, From, To;
    char32_t Code;
};

// How a line is shown: Units[b] is the number of UTF-16 units shown before
// byte b (a byte inside a character counts as the character's start), empty
// when every byte shows as one unit; Wide lists the two-column characters.
struct TShownLine {
    std::vector<int> Units;
    std::vector<TWideCharacter> Wide;
};

// The line as ToQString shows it.
QString ShowLine(const std::string& line, TShownLine& out) {
    std::vector<int>& units = out.Units;
    units.clear();
    out.Wide.clear();
    const auto size = static_cast<qsizetype>(line.size());
    if (std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; }))
        return QString::fromLatin1(line.data(), size);
    units.assign(line.size() + 1, 0);
    QString shown;
    shown.reserve(size);
    bool utf8 = IsValidUtf8(line);
    for (size_t i = 0; i < line.size();) {
        const int before = static_cast<int>(shown.size());
        const auto [code, length] = ShownCharacterAt(line, i, utf8);
        // The odd UTF-8 forms (overlong, surrogates) as Qt's own decoder shows them.
        if (utf8 && code == 0xFFFD && length > 1)
            shown += QString::fromUtf8(line.data() + i, static_cast<qsizetype>(length));
        else
            AppendCodePoint(shown, code);
        std::fill_n(units.begin() + static_cast<std::ptrdiff_t>(i), length, before);
        if (TextColumns(std::string_view(line).substr(i, length), utf8) == 2)
            out.Wide.push_back({static_cast<int>(i), before, static_cast<int>(shown.size()), code});
        i += length;
    }
    units.back() = static_cast<int>(shown.size());
    return shown;
}

// Text read back from the view, in code page 936 when asked (false when a
// character has no code there), else in UTF-8.
bool EncodeShown(const QString& text, bool cp936, std::string& out) {
    if (!cp936) {
        out = text.toUtf8().toStdString();
        return true;
    }
    out.clear();
    std::string bytes;
    for (char32_t c : text.toUcs4()) {
        if (!EncodeCodePage936(c, bytes)) return false;
        out += bytes;
    }
    return true;
}

// The widget: code's queued changes reach it before it paints or takes input.
class TRichView : public QPlainTextEdit {
public:
    std::function<void()> BeforeUse;
    // True while the view handles a key, mouse or input-method event: the
    // selection it changes then is the user's.
    bool InUserInput = false;

protected:
    bool event(QEvent* e) override {
        if (BeforeUse && (e->type() == QEvent::KeyPress || e->type() == QEvent::InputMethod)) BeforeUse();
        return AsInput(e, [&] { return QPlainTextEdit::event(e); });
    }
    bool viewportEvent(QEvent* e) override {
        switch (e->type()) {
            case QEvent::Paint: case QEvent::MouseButtonPress: case QEvent::MouseButtonDblClick: case QEvent::Drop:
                if (BeforeUse) BeforeUse();
                break;
            default: break;
        }
        return AsInput(e, [&] { return QPlainTextEdit::viewportEvent(e); });
    }
    // Keys the pane got are its own, read-only or not: none bubbles up to the form.
    void keyPressEvent(QKeyEvent* e) override {
        QPlainTextEdit::keyPressEvent(e);
        if (e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) e->accept();
    }

private:
    template <class F>
    bool AsInput(QEvent* e, F handle) {
        switch (e->type()) {
            case QEvent::KeyPress: case QEvent::InputMethod: case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick: case QEvent::MouseMove: {
                TFlagGuard user(InUserInput);
                return handle();
            }
            default:
                return handle();
        }
    }
};

}  // namespace

struct TRichEdit::TImpl {
    using Id = TAttrTable::Id;

    // The line list mirrors the text; a change to it changes the text.
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

    explicit TImpl(TRichEdit& owner) : Owner(owner), Lines(*this) {}

    TRichEdit& Owner;
    TRichText Doc;
    std::vector<TShownLine> Shown;  // per line
    TLines Lines;
    bool Mirroring = false;  // the model is writing the line list
    bool Updating = false;   // the model is writing the view
    TTextAttr Def;
    int SelStart = 0, SelLength = 0;
    struct TRange {
        int Line, From, To;  // bytes
        bool Font = false;   // the change may have changed their font
    };
    std::vector<TRange> Pending;  // attribute changes not shown yet
    int AppendsPending = 0;       // lines added at the end not shown yet
    bool SelectionPending = false;
    bool ByUser = false;  // the selection being reported was made by the user
    bool FlushQueued = false;
    std::vector<QTextCharFormat> Formats;  // by attribute id
    std::unordered_map<uint64_t, int> WideSpacings;          // by attribute id and code point
    std::unordered_map<int, QTextCharFormat> SpacingFormats;  // by spacing
    QObject* Receiver = nullptr;

    QPlainTextEdit* View() const { return static_cast<QPlainTextEdit*>(Owner.Widget()); }
    QTextDocument* ViewDoc() const { return View()->document(); }

    void Attach() {
        auto* view = static_cast<TRichView*>(View());
        view->BeforeUse = [this] { Flush(); };
        Receiver = new QObject(view);
        QObject::connect(view, &QPlainTextEdit::cursorPositionChanged, Receiver, [this] { ViewSelectionChanged(); });
        QObject::connect(view, &QPlainTextEdit::selectionChanged, Receiver, [this] { ViewSelectionChanged(); });
        QObject::connect(ViewDoc(), &QTextDocument::contentsChange, Receiver,
                         [this](int from, int removed, int added) { ViewContentsChanged(from, removed, added); });
    }

    // Byte positions and the view's character positions.

    int UnitOf(int line, int byte) const {
        const auto& units = Shown[size_t(line)].Units;
        return units.empty() ? byte : units[size_t(byte)];
    }

    int ByteOf(int line, int unit) const {
        const auto& units = Shown[size_t(line)].Units;
        if (units.empty()) return std::clamp(unit, 0, Doc.Length(line));
        auto at = std::lower_bound(units.begin(), units.end(), unit);
        return std::min(static_cast<int>(at - units.begin()), Doc.Length(line));
    }

    int ViewPosition(int position) const {
        if (Doc.Count() == 0) return 0;
        auto [line, byte] = Doc.Locate(position);
        return ViewDoc()->findBlockByNumber(line).position() + UnitOf(line, byte);
    }

    int PositionOfView(int viewPosition) const {
        if (Doc.Count() == 0) return 0;
        QTextBlock block = ViewDoc()->findBlock(viewPosition);
        if (!block.isValid()) return Doc.TextLength();
        const int line = std::min(block.blockNumber(), Doc.Count() - 1);
        return Doc.LineStarts()[size_t(line)] + ByteOf(line, viewPosition - block.position());
    }

    // Attributes.

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

    // The letter spacing, in the layout's unit of 1/64 px, that makes a wide
    // character of attribute id two columns of its font wide. A fallback
    // font's ideograph is about 1 em wide where two columns of a fixed-pitch
    // font are 1.2 em, so lines padded by columns would drift apart and cross
    // tab stops. Proportional fonts have no columns to keep.
    int WideSpacing(Id id, char32_t code) {
        const uint64_t key = (uint64_t(id) << 32) | code;
        if (auto it = WideSpacings.find(key); it != WideSpacings.end()) return it->second;
        const QFont font = Format(id).font().resolve(ViewDoc()->defaultFont());
        int spacing = 0;
        if (QFontInfo(font).fixedPitch()) {
            QString text;
            AppendCodePoint(text, code);
            const QFontMetricsF metrics(font);
            spacing = qRound((2 * metrics.horizontalAdvance(QLatin1Char(' ')) - metrics.horizontalAdvance(text)) * 64);
        }
        WideSpacings.emplace(key, spacing);
        return spacing;
    }

    // Spaces the wide characters of a line's block as formats of its layout,
    // over the attributes' own: the document keeps one fragment a run, which
    // loading thousands of Chinese lines needs, and its formats stay the model's.
    // clear: the block may hold spacing from an earlier text.
    void SpaceWideCharacters(int line, const QTextBlock& block, bool clear) {
        const auto& attrs = Doc.Attrs[size_t(line)];
        QList<QTextLayout::FormatRange> ranges;
        int last = 0;
        for (const TWideCharacter& w : Shown[size_t(line)].Wide) {
            const int spacing = WideSpacing(attrs[size_t(w.Byte)], w.Code);
            if (spacing == 0) continue;
            if (!ranges.isEmpty() && ranges.back().start + ranges.back().length == w.From && spacing == last) {
                ranges.back().length = w.To - ranges.back().start;
                continue;
            }
            QTextLayout::FormatRange range;
            range.start = w.From;
            range.length = w.To - w.From;
            auto [at, added] = SpacingFormats.try_emplace(spacing);
            if (added) {
                at->second.setFontLetterSpacingType(QFont::AbsoluteSpacing);
                at->second.setFontLetterSpacing(spacing / 64.0);
            }
            range.format = at->second;
            ranges.append(range);
            last = spacing;
        }
        if (!ranges.isEmpty())
            block.layout()->setFormats(ranges);
        else if (clear)
            block.layout()->clearFormats();
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

    TTextAttr SelectionAttr() const { return Doc.FirstAttr(SelStart, SelLength, Def); }

    template <class F>
    void Change(const TTextAttributes* which, F change) {
        if (which == &Owner.FDefAttributes) {
            change(Def);
            return;
        }
        bool font = false;
        auto changed = [&](Id id) {
            TTextAttr a = Doc.Table[id];
            const TTextAttr was = a;
            change(a);
            font = font || a.Name != was.Name || a.Size != was.Size || ((a.Style ^ was.Style) & (fsBold | fsItalic));
            return Doc.Table.Intern(a);
        };
        if (SelLength == 0) {
            // What the user types at the caret next.
            Flush();
            TFlagGuard updating(Updating);
            View()->setCurrentCharFormat(Format(changed(Doc.Table.Intern(SelectionAttr()))));
            return;
        }
        std::unordered_map<Id, Id> map;
        const size_t first = Pending.size();
        Doc.ChangeAttrs(
            SelStart, SelLength,
            [&](Id id) {
                auto it = map.find(id);
                return it != map.end() ? it->second : map.emplace(id, changed(id)).first->second;
            },
            [&](int line, int from, int to) { Pending.push_back({line, from, to}); });
        for (size_t k = first; k < Pending.size(); ++k) Pending[k].Font = font;
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

    // Shows lines [first, first + count) at the cursor, one block each.
    void InsertLines(QTextCursor& cursor, int first, int count, bool blockBefore, bool blockAfter) {
        for (int line = first; line < first + count; ++line) {
            QString shown = ShowLine(Doc.Lines[size_t(line)], Shown[size_t(line)]);
            if (line > first || blockBefore) cursor.insertBlock();
            const auto& attrs = Doc.Attrs[size_t(line)];
            for (int b = 0; b < Doc.Length(line);) {
                int e = b + 1;
                while (e < Doc.Length(line) && attrs[size_t(e)] == attrs[size_t(b)]) ++e;
                const int u0 = UnitOf(line, b), u1 = UnitOf(line, e);
                if (u1 > u0) cursor.insertText(shown.mid(u0, u1 - u0), Format(attrs[size_t(b)]));
                b = e;
            }
            SpaceWideCharacters(line, cursor.block(), false);
        }
        if (blockAfter) cursor.insertBlock();
    }

    // Runs an edit of the view that is no edit of the user's.
    template <class F>
    void EditView(F edit) {
        TFlagGuard updating(Updating);
        QTextDocument* doc = ViewDoc();
        doc->setUndoRedoEnabled(false);
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        edit(cursor);
        cursor.endEditBlock();
        doc->setUndoRedoEnabled(true);
    }

    void Rebuild() {
        Pending.clear();
        AppendsPending = 0;
        Shown.assign(Doc.Lines.size(), {});
        EditView([this](QTextCursor& cursor) {
            cursor.select(QTextCursor::Document);
            cursor.removeSelectedText();
            cursor.setBlockCharFormat(Format(Doc.Table.Intern(Def)));
            InsertLines(cursor, 0, Doc.Count(), false, false);
        });
        SelectionPending = true;
        Flush();
    }

    // Model lines [first, first + inserted) replaced view blocks [first, first + removed).
    void ReplaceViewLines(int first, int removed, int inserted, int oldCount) {
        Shown.erase(Shown.begin() + first, Shown.begin() + first + removed);
        Shown.insert(Shown.begin() + first, size_t(inserted), TShownLine());
        if (oldCount == 0 || Doc.Count() == 0) return Rebuild();
        EditView([&](QTextCursor& cursor) {
            QTextDocument* doc = ViewDoc();
            if (removed > 0) {
                QTextBlock b0 = doc->findBlockByNumber(first), b1 = doc->findBlockByNumber(first + removed - 1);
                int from = b0.position(), to = b1.position() + b1.length() - 1;
                // Whole lines go with one block break: the next one, or at the end the one before.
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
        });
        SelectionPending = true;
        QueueFlush();
    }

    void Flush() {
        FlushFormats();
        if (!SelectionPending) return;
        SelectionPending = false;
        TFlagGuard updating(Updating);
        QTextCursor cursor(ViewDoc());
        cursor.setPosition(ViewPosition(SelStart));
        cursor.setPosition(ViewPosition(SelStart + SelLength), QTextCursor::KeepAnchor);
        View()->setTextCursor(cursor);
    }

    // The queued appends and attribute changes; lines must not move while some are queued.
    void FlushFormats() {
        if (AppendsPending > 0) {
            const int first = Doc.Count() - AppendsPending;
            AppendsPending = 0;
            ReplaceViewLines(first, 0, Doc.Count() - first, first);
        }
        if (Pending.empty()) return;
        EditView([this](QTextCursor& cursor) {
            std::vector<int> lines;
            for (const TRange& r : Pending) {
                if (r.Line >= Doc.Count()) continue;
                if (r.Font && !Shown[size_t(r.Line)].Wide.empty()) lines.push_back(r.Line);
                const int base = ViewDoc()->findBlockByNumber(r.Line).position();
                const auto& attrs = Doc.Attrs[size_t(r.Line)];
                for (int b = r.From, to = std::min(r.To, Doc.Length(r.Line)); b < to;) {
                    int e = b + 1;
                    while (e < to && attrs[size_t(e)] == attrs[size_t(b)]) ++e;
                    cursor.setPosition(base + UnitOf(r.Line, b));
                    cursor.setPosition(base + UnitOf(r.Line, e), QTextCursor::KeepAnchor);
                    cursor.setCharFormat(Format(attrs[size_t(b)]));
                    b = e;
                }
            }
            // A wide character's spacing follows its font.
            std::sort(lines.begin(), lines.end());
            lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
            for (int line : lines) SpaceWideCharacters(line, ViewDoc()->findBlockByNumber(line), true);
        });
        Pending.clear();
    }

    // Changes of the text and the selection.

    void SetSelection(int start, int length, bool fromView) {
        start = std::clamp(start, 0, Doc.TextLength());
        length = std::clamp(length, 0, Doc.TextLength() - start);
        if (!fromView) {
            SelectionPending = true;
            QueueFlush();
        }
        if (start == SelStart && length == SelLength) return;
        SelStart = start;
        SelLength = length;
        ReportSelection(fromView && static_cast<TRichView*>(View())->InUserInput);
    }

    void ReportSelection(bool byUser) {
        TFlagGuard user(ByUser);
        ByUser = byUser;
        if (Owner.OnSelectionChange) Owner.OnSelectionChange(&Owner);
    }

    void ViewSelectionChanged() {
        if (Updating) return;
        SelectionPending = false;
        QTextCursor c = View()->textCursor();
        const int a = PositionOfView(c.anchor()), p = PositionOfView(c.position());
        SetSelection(std::min(a, p), std::abs(a - p), true);
    }

    void TextChanged() {
        {
            TFlagGuard mirroring(Mirroring);
            Lines.SetItems(Doc.Lines);
        }
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    void SetDocument(TRichText text) {
        Doc = std::move(text);
        Formats.clear();
        WideSpacings.clear();
        const bool moved = SelStart != 0 || SelLength != 0;
        SelStart = SelLength = 0;
        Rebuild();
        TextChanged();
        if (moved) ReportSelection(false);
    }

    // The line list was changed as a list: lines that differ take the default attributes.
    void LinesChanged() {
        const auto& items = Lines.Items();
        const int oldCount = Doc.Count(), newCount = static_cast<int>(items.size());
        int head = 0, tail = 0;
        while (head < oldCount && head < newCount && Doc.Lines[size_t(head)] == items[size_t(head)]) ++head;
        while (tail < oldCount - head && tail < newCount - head &&
               Doc.Lines[size_t(oldCount - 1 - tail)] == items[size_t(newCount - 1 - tail)])
            ++tail;
        const int removed = oldCount - head - tail, inserted = newCount - head - tail;
        if (removed == 0 && inserted == 0) return;
        FlushFormats();
        std::vector<std::string> lines(items.begin() + head, items.begin() + head + inserted);
        std::vector<std::vector<Id>> attrs;
        for (const auto& line : lines) attrs.emplace_back(line.size(), Doc.Table.Intern(Def));
        Doc.Replace(head, removed, std::move(lines), std::move(attrs));
        ReplaceViewLines(head, removed, inserted, oldCount);
        SetSelection(SelStart, SelLength, false);
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    void LineAppended() {
        const std::string& line = Lines.Items().back();
        Doc.Replace(Doc.Count(), 0, {line}, {std::vector<Id>(line.size(), Doc.Table.Intern(Def))});
        ++AppendsPending;
        QueueFlush();
        if (Owner.OnChange) Owner.OnChange(&Owner);
    }

    // A view block read back as a line; false when code page 936 was asked and cannot hold it.
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
    // A line shown as code page 936 stays in it when it can; other text is UTF-8.
    void ViewContentsChanged(int from, int /*removed*/, int added) {
        if (Updating) return;
        QTextDocument* doc = ViewDoc();
        const int oldCount = Doc.Count();
        const int delta = doc->blockCount() - std::max(1, oldCount);
        const int first = doc->findBlock(from).blockNumber();
        const int lastNew = doc->findBlock(std::min(from + added, doc->characterCount() - 1)).blockNumber();
        if (first < 0 || lastNew < first) return;
        const bool cp936 = first < oldCount && !IsValidUtf8(Doc.Lines[size_t(first)]);
        std::vector<std::string> lines;
        std::vector<std::vector<Id>> attrs;
        for (QTextBlock b = doc->findBlockByNumber(first); b.isValid() && b.blockNumber() <= lastNew; b = b.next()) {
            lines.emplace_back();
            attrs.emplace_back();
            if (!ReadBlock(b, cp936, lines.back(), attrs.back())) ReadBlock(b, false, lines.back(), attrs.back());
        }
        const int removed = std::max(0, std::min(lastNew - delta + 1, oldCount) - first);
        Shown.erase(Shown.begin() + first, Shown.begin() + first + removed);
        Shown.insert(Shown.begin() + first, lines.size(), TShownLine());
        for (size_t k = 0; k < lines.size(); ++k) ShowLine(lines[k], Shown[size_t(first) + k]);
        const int count = static_cast<int>(lines.size());
        Doc.Replace(first, removed, std::move(lines), std::move(attrs));
        for (int line = first; line < first + count; ++line)
            SpaceWideCharacters(line, doc->findBlockByNumber(line), true);
        // An empty pane has no lines, though its view keeps one empty block.
        if (Doc.Count() == 1 && Doc.Lines[0].empty()) {
            Doc.Replace(0, 1, {}, {});
            Shown.clear();
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
    // Tab stops every half inch, as the platform's rich edit sets them.
    view->setTabStopDistance(48);
    return view;
}

TStringList& TRichEdit::Lines() { return FImpl->Lines; }

std::string TRichEdit::GetText() const { return FImpl->Doc.Text(0, FImpl->Doc.TextLength()); }

void TRichEdit::SetText(const std::string& text) { FImpl->SetDocument(TRichText::FromPlainText(text, FImpl->Def)); }

void TRichEdit::Clear() { FImpl->SetDocument(TRichText{}); }

int TRichEdit::SelStart() const { return FImpl->SelStart; }

void TRichEdit::SetSelStart(int position) { FImpl->SetSelection(position, 0, false); }

int TRichEdit::SelLength() const { return FImpl->SelLength; }

void TRichEdit::SetSelLength(int length) { FImpl->SetSelection(FImpl->SelStart, length, false); }

void TRichEdit::Select(int start, int length) { FImpl->SetSelection(start, length, false); }

bool TRichEdit::SelectionByUser() const { return FImpl->ByUser; }

std::string TRichEdit::SelText() const { return FImpl->Doc.Text(FImpl->SelStart, FImpl->SelLength); }

void TRichEdit::SelectAll() { FImpl->SetSelection(0, FImpl->Doc.TextLength(), false); }

int TRichEdit::LineFromChar(int position) const {
    if (position < 0) position = FImpl->SelStart;  // -1 asks for the caret's line
    return FImpl->Doc.Locate(position).first;
}

int TRichEdit::LineIndex(int line) const {
    if (line < 0) line = LineFromChar(-1);
    if (FImpl->Doc.Count() == 0) return line == 0 ? 0 : -1;
    if (line >= FImpl->Doc.Count()) return -1;
    return FImpl->Doc.LineStarts()[size_t(line)];
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
    FImpl->SetDocument(rtf ? ReadRtf(bytes, FImpl->Def) : TRichText::FromPlainText(bytes, FImpl->Def));
}

void TRichEdit::LoadFromFile(const std::string& fileName) {
    std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(bytes, !PlainText && LooksLikeRtf(bytes));
}

std::string TRichEdit::SaveToBytes(bool rtf) const { return rtf ? WriteRtf(FImpl->Doc) : GetText(); }

void TRichEdit::SaveToFile(const std::string& fileName) const { WriteFileReplacing(fileName, SaveToBytes(!PlainText)); }

TColor TRichEdit::ColorAt(int position) const {
    const TTextAttr* a = FImpl->Doc.AttrAt(position);
    return a ? a->Color : FImpl->Def.Color;
}

TFontStyles TRichEdit::StyleAt(int position) const {
    const TTextAttr* a = FImpl->Doc.AttrAt(position);
    return a ? a->Style : FImpl->Def.Style;
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
    SetEnabledColor(palette, QPalette::Base, ToQColor(Color()));
    Widget()->setPalette(palette);
}

// Reading gives the selection's attributes (or the defaults for new text);
// writing changes them.

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
