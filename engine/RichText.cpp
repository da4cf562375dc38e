// Coloured concordance lines as RTF, and highlighting words in a pane.

#include <cctype>
#include <cstdio>

#include "engine/Query.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"

std::string TDisplay::RtfEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (ch == '\\' || ch == '{' || ch == '}') {
            out += '\\';
            out += ch;
        } else if (c > 127) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out;
}

void TDisplay::WriteRtfHeader(TStringList& lines, int fontSize) {
    lines.Insert(0, "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset0 Courier "
                    "New;}}");
    lines.Insert(1, "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green1\\blue186;\\red0\\green0\\blue0;\\red0\\green128"
                    "\\blue255;\\red128\\green128\\blue255;}");
    lines.Insert(2, "{\\*\\generator Msftedit 5.41.15.1515;}\\viewkind4\\uc1\\pard\\cf1\\lang2052\\b\\f0\\fs" +
                        IntToStr(2 * fontSize));
    lines.Add("\\par \\cf2 \r\n\\par }\r\n ");
}

void TDisplay::RtfLine(const std::string& number, const std::string& left, const std::string& key,
                       const std::string& right, const std::string& fileName, int index, std::string& line) {
    // The colour changes every five lines so that the eye keeps its place.
    std::string c = (index % 10) < 5 ? "2" : "4";
    // Corpus text is escaped: a "\" or a brace in a text must not become RTF.
    // A file name starting with a digit or "-" would run into the colour
    // word before it ("\cf2" + "1990.txt" reads as colour 21990).
    std::string file = RtfEscape(fileName);
    if (!file.empty() && (std::isdigit(static_cast<unsigned char>(file[0])) || file[0] == '-'))
        file = " " + file;
    line = "\\par \\cf" + c + "\\b " + RtfEscape(number) + "\\cf" + c + "\\b0" + RtfEscape(left) + "\\cf3\\b " +
           RtfEscape(key) + "\\cf" + c + "\\b0" + RtfEscape(right) + "\\cf" + c + file;
}

void TDisplay::JoinHits(TStringList& list, bool caseSensitive, std::string& result) {
    result.clear();
    if (list.Count() == 0) return;
    if (list.Count() == 1) {
        result = list[0] + "(1)";
        return;
    }
    list.SetCaseSensitive(false);
    list.CustomSort(CompareAlpha);
    TStringList counted;
    int runStart = 0, last = list.Count() - 1;
    for (int i = 0; i <= last; ++i) {
        std::string current = Trim(list[i]);
        if (i < last) {
            std::string next = Trim(list[i + 1]);
            if (caseSensitive ? current == next : SameText(current, next)) continue;
        }
        counted.Add(IntToStr(i + 1 - runStart) + "_" + current);
        runStart = i + 1;
    }
    counted.SetCaseSensitive(false);
    counted.CustomSort(CompareAlpha);
    for (int i = 0; i < counted.Count(); ++i) {
        const std::string& entry = counted[i];
        size_t underscore = entry.find('_');
        counted.SetStrings(i, entry.substr(underscore + 1) + "(" + entry.substr(0, underscore) + ")   ");
    }
    result = StringReplace(counted.Text(), "\r\n", "\r\n     ", rfReplaceAll);
}

bool TDisplay::Highlight(const std::string& word, int32_t color, TRichTextTarget& richEdit, bool ignoreCase,
                         int& progress, int start, int len, std::string& summary) {
    return Highlight(word, color, richEdit, ignoreCase, progress, [start, len](int, int& s, int& l) {
        s = start;
        l = len;
    }, summary);
}

bool TDisplay::Highlight(const std::string& word, int32_t color, TRichTextTarget& richEdit, bool ignoreCase,
                         int& progress, const TLineSpan& span, std::string& summary) {
    summary.clear();
    if (Trim(word).empty()) {
        ShowPlainMessage("The input box cannot be blank!");
        return true;
    }
    TRegExpr re(WholeWord(word));
    re.SetModifierI(ignoreCase);
    TStringList found;
    for (int i = 0; i < richEdit.LineCount(); ++i) {
        progress = i + 1;
        std::string line = richEdit.LineText(i);
        if (Trim(line).empty()) continue;
        ProcessMessages();
        // Not only compiling can fail: a later match of the line can exceed the library's limits.
        try {
            bool matched = re.Exec(line);
            // Positions come from the pane itself, so a line of blanks before a
            // match cannot move the mark off its word.
            int lineStart = richEdit.LineStart(i);
            int start = 0, len = 0;
            span(i, start, len);
            while (matched) {
                int pos = re.MatchPos(0);
                if (pos >= start && pos < start + len) {
                    richEdit.MarkRange(lineStart + pos - 1, re.MatchLen(0), color);
                    found.Add(re.Match(0));
                }
                matched = re.ExecNext();
            }
        } catch (const ERegExpr&) {
            ShowPlainMessage("An error occured! Expression=" + word);
            return false;
        }
    }
    if (found.Count() == 0) return true;
    std::string joined;
    JoinHits(found, false, joined);
    summary = IntToStr(found.Count()) + "   \r\n     " + Trim(joined);
    return true;
}
