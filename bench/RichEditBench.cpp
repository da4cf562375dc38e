// Times the rich-edit pane on a concordance as the program shows one: the
// coloured RTF of many lines loaded into a pane, then highlighting that
// selects and colours short byte ranges one at a time, each selection
// reported, messages pumped now and then; and the first paint after each.
//
//   lexmoor-richedit-bench [--lines N] [--gbk]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/core/Messages.h"
#include "platform/gui/Forms.h"
#include "platform/gui/RichEdit.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A word of the generated contexts: ASCII, or two GBK characters.
std::string Word(unsigned& seed, bool gbk) {
    seed = seed * 1103515245u + 12345u;
    if (gbk) {
        std::string w;
        for (int k = 0; k < 2; ++k) {
            w += char(0xB0 + (seed >> 8) % 0x27);
            w += char(0xA1 + (seed >> 16) % 0x5E);
            seed = seed * 1103515245u + 12345u;
        }
        return w;
    }
    static const char* words[] = {"the", "of", "corpus", "line", "make", "up", "language", "word", "text", "cat"};
    return words[(seed >> 16) % 10];
}

std::string Context(unsigned& seed, bool gbk, size_t bytes) {
    std::string s;
    while (s.size() < bytes) s += Word(seed, gbk) + " ";
    return s.substr(0, bytes);
}

// The document the concordance writer produces: header, one \par line per
// hit with five colour runs, and the closing text.
std::string ConcordanceRtf(int lines, bool gbk) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset0 Courier "
        "New;}}\r\n{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green1\\blue186;\\red0\\green0\\blue0;\\red0\\green128"
        "\\blue255;\\red128\\green128\\blue255;}\r\n{\\*\\generator Msftedit 5.41.15.1515;}\\viewkind4\\uc1\\pard\\cf1"
        "\\lang2052\\b\\f0\\fs22\r\n";
    unsigned seed = 7;
    const int width = static_cast<int>(std::to_string(lines).size());
    auto escape = [](const std::string& s) {
        std::string out;
        static const char* hex = "0123456789abcdef";
        for (unsigned char c : s) {
            if (c == '\t') out += "\\tab ";
            else if (c < 0x80) out += char(c);
            else out += std::string("\\'") + hex[c >> 4] + hex[c & 15];
        }
        return out;
    };
    for (int i = 0; i < lines; ++i) {
        std::string c = std::to_string(i % 10 < 5 ? 2 : 4);
        std::string number = std::to_string(i + 1);
        number = " " + std::string(size_t(width) - number.size(), ' ') + number + ".\t";
        std::string left = "    " + Context(seed, gbk, 58) + " \t ";
        std::string key = "language \t ";
        std::string right = " " + Context(seed, gbk, 58) + "    \t ";
        std::string file = "corpus_file.txt ";
        rtf += "\\par \\cf" + c + "\\b " + escape(number) + "\\cf" + c + "\\b0" + escape(left) + "\\cf3\\b " +
               escape(key) + "\\cf" + c + "\\b0" + escape(right) + "\\cf" + c + escape(file) + "\r\n";
    }
    return rtf + "\\par \\cf2 \r\n\\par }\r\n \r\n";
}

double PaintMs(TRichEdit* pane) {
    auto start = Clock::now();
    TBitmap picture(pane->Width(), pane->Height());
    pane->PaintTo(picture.Canvas(), 0, 0);
    return MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    int lines = 10000;
    bool gbk = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--lines") && i + 1 < argc) lines = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--gbk")) gbk = true;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 1000, 700);
    auto* pane = new TRichEdit(form);
    pane->SetParent(form);
    pane->SetAlign(TAlign::alClient);
    pane->SetWordWrap(false);
    pane->SetReadOnly(true);
    form->SetVisible(true);
    app.ProcessMessages();

    const std::string rtf = ConcordanceRtf(lines, gbk);
    auto start = Clock::now();
    pane->LoadFromBytes(rtf, true);
    const double loadMs = MsSince(start);
    const double loadPaintMs = PaintMs(pane);
    if (pane->Lines().Count() != lines + 1) {
        std::fprintf(stderr, "expected %d lines, got %d\n", lines + 1, pane->Lines().Count());
        return 1;
    }

    // Two marks per line, in the left and right contexts, as highlighting a
    // word in the whole line finds them.
    int selections = 0;
    pane->OnSelectionChange = [&selections](TObject*) { ++selections; };
    const TColor mark = RGB(0, 160, 0);
    const int leftAt = pane->Lines()[1].find(".\t") + 8, rightAt = pane->Lines()[1].find("language") + 16;
    start = Clock::now();
    int marks = 0;
    for (int line = 1; line <= lines; ++line) {
        const int base = pane->LineIndex(line);
        for (int offset : {leftAt, rightAt}) {
            pane->Select(base + offset, 4);
            pane->SelAttributes().SetColor(mark);
            pane->SelAttributes().SetStyle(fsUnderline);
            ++marks;
        }
        ProcessMessages();
    }
    const double markMs = MsSince(start);
    const double markPaintMs = PaintMs(pane);
    start = Clock::now();
    app.ProcessMessages();
    const double idleMs = MsSince(start);

    const int last = pane->LineIndex(lines) + rightAt;
    bool ok = selections == marks && pane->ColorAt(last) == mark && pane->StyleAt(last) == fsUnderline &&
              pane->ColorAt(last - 1) != mark && pane->ColorAt(last + 4) != mark;
    std::printf("lines %d (%s), RTF %.1f MB\n", lines, gbk ? "GBK contexts" : "ASCII contexts", rtf.size() / 1e6);
    std::printf("load RTF          %8.1f ms  (%.2f us per line)\n", loadMs, 1000 * loadMs / lines);
    std::printf("  first paint     %8.1f ms\n", loadPaintMs);
    std::printf("mark %d ranges %8.1f ms  (%.2f us per range, %d selections reported)\n", marks, markMs,
                1000 * markMs / marks, selections);
    std::printf("  first paint     %8.1f ms  (shows what is still queued)\n", markPaintMs);
    std::printf("  events after    %8.1f ms\n", idleMs);
    std::printf("check %s\n", ok ? "ok" : "FAILED");
    delete form;
    return ok ? 0 : 1;
}
