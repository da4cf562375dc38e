// The list panel of the Settings page: frequency and cluster lists of the
// checked corpus files, written as TAB-separated ".xls" files into a new
// time-stamped folder under "Frequency Lists".

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/RunScope.h"
#include "app/Unit1.h"
#include "engine/CodePage936.h"
#include "engine/FileChunks.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"

namespace {

const char* const kStopListFile = "stoplist.ini";
// Separators are turned into "_" before clusters are taken, and the builders
// split items at "_", so a word and its tag are split at "_" in the end.
const char* const kTagClass = "[_]";

void PumpMessages() {
    if (Application) Application->ProcessMessages();
}

bool StopListApplies(const std::string& expression) { return !expression.empty() && expression != "[]"; }

// Claims "<base><tail>", else "<base> (2)<tail>", "<base> (3)<tail>"...: the
// first name claim accepts. Runs within one second share a time stamp, and a
// list must never replace one written before.
template <typename Claim>
std::string FirstFreeName(const std::string& base, const std::string& tail, Claim claim) {
    for (int n = 1;; ++n) {
        std::string name = base + (n == 1 ? std::string() : " (" + IntToStr(n) + ")") + tail;
        if (claim(name)) return name;
    }
}

// A new folder of its own for this run, with a trailing "/".
std::string CreateOutputFolder(const std::string& programFolder, const std::string& stamp) {
    std::string lists = programFolder + "Frequency Lists";
    std::error_code ec;
    std::filesystem::create_directories(lists, ec);
    if (ec) throw EFCreateError("Cannot create folder \"" + lists + "\". " + ec.message());
    std::string folder = FirstFreeName(lists + "/[Wordlist]" + stamp, "", [](const std::string& name) {
        std::error_code error;
        if (std::filesystem::create_directory(name, error)) return true;
        if (error) throw EFCreateError("Cannot create folder \"" + name + "\". " + error.message());
        return false;
    });
    return folder + "/";
}

// The clusters of the files read so far, and for each file's run of them the
// class their words and tags are split at.
struct TClusterRun {
    int end;
    std::string splitters;
};

void FormatClusters(TStringList& clusters, const std::vector<TClusterRun>& runs, const std::string& mode) {
    int begin = 0;
    for (const TClusterRun& run : runs) {
        for (int i = begin; i < run.end; ++i)
            clusters.SetStrings(i, TDisplay::FormatToken(clusters[i], run.splitters, mode));
        begin = run.end;
    }
}

// Where a built line's item ends: the builders write item, blank, TAB, count,
// and an item never ends in a blank, so the first " \t" is that TAB even when
// a cluster was joined by a TAB.
size_t ItemEnd(const std::string& line) {
    size_t p = line.find(" \t");
    return p == std::string::npos ? line.find('\t') : p + 1;
}

struct TProgressTextReset {
    TqlSkinGauge* gauge;
    ~TProgressTextReset() { gauge->SetProgressText(""); }
};

}  // namespace

void TForm1::ConnectListPanel() {
    btnCreateList->OnClick = [this](TObject* s) { btnCreateListClick(s); };
    btnSetStopList->OnClick = [this](TObject* s) { btnSetStopListClick(s); };
    rbxUseStopList->OnClick = [this](TObject* s) { rbxUseStopListClick(s); };
    rbxWord->OnClick = [this](TObject* s) { rbxWordClick(s); };
    rbxPos->OnClick = [this](TObject* s) { rbxPosClick(s); };
    rbxWordAndPos->OnClick = [this](TObject* s) { rbxWordAndPosClick(s); };
    rbxWordByPos->OnClick = [this](TObject* s) { rbxWordByPosClick(s); };
    rbxPosByWord->OnClick = [this](TObject* s) { rbxPosByWordClick(s); };
    ccbxClusterLen->OnChange = [this](TObject* s) { ccbxClusterLenChange(s); };
}

bool TForm1::AnyListTypeChecked() {
    return rbxWord->Checked() || rbxPos->Checked() || rbxWordAndPos->Checked() || rbxWordByPos->Checked() ||
           rbxPosByWord->Checked();
}

void TForm1::rbxWordClick(TObject* /*sender*/) {
    gListReady = AnyListTypeChecked();
    btnCreateList->SetEnabled(gListReady);
}

void TForm1::rbxPosClick(TObject* sender) { rbxWordClick(sender); }

void TForm1::rbxWordAndPosClick(TObject* sender) { rbxWordClick(sender); }

// A cross list groups single tokens only, so it takes the cluster length away.
void TForm1::rbxWordByPosClick(TObject* sender) {
    rbxWordClick(sender);
    cbxSortType2->SetEnabled(rbxWordByPos->Checked() || rbxPosByWord->Checked());
    ccbxClusterLen->SetEnabled(!cbxSortType2->Enabled());
}

void TForm1::rbxPosByWordClick(TObject* sender) { rbxWordByPosClick(sender); }

void TForm1::ccbxClusterLenChange(TObject* /*sender*/) {
    bool singleTokens = ccbxClusterLen->GetText() == "1";
    for (TqlSkinCheckRadioBox* cross : {rbxWordByPos, rbxPosByWord}) {
        if (!singleTokens) cross->SetChecked(false);
        cross->SetEnabled(singleTokens);
    }
    gListReady = AnyListTypeChecked();
    btnCreateList->SetEnabled(gListReady);
}

void TForm1::rbxUseStopListClick(TObject* /*sender*/) { btnSetStopList->SetEnabled(rbxUseStopList->Checked()); }

// The editor is offered a file to open: an empty stop list where there is none yet.
void TForm1::btnSetStopListClick(TObject* /*sender*/) {
    const std::string path = ProgramFolder() + kStopListFile;
    if (!PathExists(path)) WriteFileReplacing(path, "");
    ShellExecute("open", path);
}

// A missing file raises the file-open error: a run with the stop list on
// must not quietly write its lists unfiltered.
std::string TForm1::ReadStopList(const std::string& path) {
    std::string text = ReadFileBytes(path);
    // An editor may save the list with a UTF-8 byte-order mark, which would
    // stand before the first alternative's "^".
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    TStringList lines;
    lines.SetText(text);
    return Trim(lines.Text());
}

int TForm1::ListItemCount(const std::string& line) {
    size_t start = ItemEnd(line);
    if (start == std::string::npos) throw EConvertError("No count in the list line \"" + line + "\"");
    ++start;
    size_t end = line.find('\t', start);
    return StrToInt(Trim(std::string_view(line).substr(start, end == std::string::npos ? end : end - start)));
}

void TForm1::WriteFrequencyList(const std::string& fileName, const std::string& stopExpression, TStringList& list,
                                bool tagsTaken) {
    TRegExpr stop;
    bool useStop = btnSetStopList->Enabled() && StopListApplies(stopExpression);
    if (useStop) {
        stop.SetExpression(stopExpression);
        stop.SetModifierI(true);
        stop.Compile();
    }
    double minimum = edtMinFre->Value();
    std::string text;
    int written = 0;
    for (const std::string& line : list.Items()) {
        if (static_cast<double>(ListItemCount(line)) < minimum) continue;
        if (useStop && stop.Exec(line)) continue;
        ++written;
        // Items that lost their tags keep a "_" that is part of a code page 936
        // character: only the token it was part of told it from a separator.
        if (tagsTaken ? !HoldsCharacter(line, '_') : line.find('_') == std::string::npos) {
            text += line;
        } else {
            size_t tab = ItemEnd(line);
            std::string item = line.substr(0, tab);
            text += TDisplay::FormatToken(item, kTagClass, "WORD") + "\t" + TDisplay::FormatToken(item, kTagClass, "POS") +
                    "\t" + line.substr(tab + 1);
        }
        text += "\r\n";
    }
    WriteFileReplacing(fileName, text);
    std::string tail = (minimum > 1.0 ? "(" + IntToStr(written) + ")" : std::string()) + ".xls";
    FirstFreeName(fileName, tail, [&](const std::string& name) {
        if (FileExists(name) || DirectoryExists(name)) return false;
        std::error_code ec;
        std::filesystem::rename(fileName, name, ec);
        if (ec) throw EFCreateError("Cannot rename \"" + fileName + "\" to \"" + name + "\". " + ec.message());
        return true;
    });
}

void TForm1::btnCreateListClick(TObject* /*sender*/) {
    std::string splitters = SplitterClass(cblSplitterList);
    std::string programFolder = ProgramFolder();
    std::string stopExpression;
    // The stop list is read only while it is switched on (a missing file then
    // ends the click with the file-open error); an expression that cannot
    // match anything is reported before any file is written.
    if (btnSetStopList->Enabled()) {
        stopExpression = ReadStopList(programFolder + kStopListFile);
        if (StopListApplies(stopExpression)) {
            try {
                TRegExpr(stopExpression).Compile();
            } catch (const ERegExpr& e) {
                ShowMessage(e.Message);
                return;
            }
        }
    }
    int64_t started = TickCount();
    if (!gListReady) {
        ShowMessage("Please select a type! (e.g. WORD, POS, WORD_POS, etc.)");
        return;
    }

    struct TListType {
        TqlSkinCheckRadioBox* box;
        std::string name, blanks;
    };
    const TListType types[] = {{rbxWord, "WORD", "    "},
                               {rbxPos, "POS", "     "},
                               {rbxWordAndPos, "WORD and POS", "     "},
                               {rbxWordByPos, "WORD by POS", "     "},
                               {rbxPosByWord, "POS by WORD", "     "}};
    std::string folder;
    std::vector<std::string> leftOut;
    {
        TRunScope run(this, nullptr, ggFreList);
        TProgressTextReset progressText{ggFreList};
        folder = CreateOutputFolder(programFolder, ListTimeStamp());
        LastListFolder = folder;
        int checkedTypes = 0;
        for (const TListType& type : types) checkedTypes += type.box->Checked() ? 1 : 0;

        TStringList lines, clusters, backup;
        std::vector<TClusterRun> runs;
        for (int k = 0; k < ccbxClusterLen->Items().Count(); ++k) {
            if (!ccbxClusterLen->Checked(k)) continue;
            const int length = k + 1;
            PumpMessages();
            lines.Clear();
            clusters.Clear();
            backup.Clear();
            runs.clear();
            for (int i = 0; i < clbFileList->Items().Count(); ++i) {
                if (!clbFileList->Checked(i)) continue;
                clbFileList->SetItemIndex(i);
                const std::string name = clbFileList->Items()[i];
                bool utf16 = false;
                lines.SetText(ReadCorpusFile(IncludeTrailingPathDelimiter(lblDir->Caption()) + name, &utf16));
                if (utf16) {
                    // Named once, whatever the cluster lengths.
                    if (std::find(leftOut.begin(), leftOut.end(), name) == leftOut.end()) leftOut.push_back(name);
                    continue;
                }
                ggFreList->SetMaxValue(std::max(lines.Count() - 1, 0));
                ggFreList->SetProgressText("Loading file " + IntToStr(i + 1) + ", cluster length=" +
                                           IntToStr(length) + "     ");
                // A trail byte of a code page 936 character is no "_".
                bool tagged = std::any_of(lines.Items().begin(), lines.Items().end(),
                                          [](const std::string& l) { return HoldsCharacter(l, '_'); });
                // Raw text has no separators to turn into "_".
                bool replace = !tagged && !splitters.empty();
                for (int j = 0; j < lines.Count(); ++j) {
                    ggFreList->SetValue(j);
                    ProcessMessages();
                    std::string line = Trim(lines[j]);
                    // A cluster runs on over two blanks or a TAB as the search does, and no
                    // TAB inside one splits the columns of the list file.
                    SingleBlanks(line);
                    if (replace) line = TDisplay::ReplaceSeparators(line, splitters, "_");
                    TDisplay::ExtractClusters(line, length, clusters);
                }
                runs.push_back({clusters.Count(), replace || splitters.empty() ? kTagClass : splitters});
            }
            if (checkedTypes > 1) backup.Assign(clusters);

            bool first = true;
            for (const TListType& type : types) {
                if (!type.box->Checked()) continue;
                if (!first) clusters.Assign(backup);
                first = false;
                PumpMessages();
                ggFreList->SetValue(0);
                TRunScope marquee(nullptr, Timer2);
                ggFreList->SetProgressText("Outputting " + type.name + " list, cluster length=" + IntToStr(length) +
                                           type.blanks);
                if (type.box == rbxWord) FormatClusters(clusters, runs, "WORD");
                if (type.box == rbxPos) FormatClusters(clusters, runs, "POS");
                lines.Clear();
                lines.SetNameValueSeparator('\t');
                if (type.box == rbxWordByPos || type.box == rbxPosByWord)
                    TDisplay::BuildCrossList(clusters, lines, type.box == rbxWordByPos, cbxSortType1->GetText(),
                                             cbxSortType2->GetText(), true);
                else
                    TDisplay::CountRuns(clusters, lines, cbxSortType1->GetText(), true);
                WriteFrequencyList(folder + type.name + "[" + IntToStr(length) + "](" + IntToStr(lines.Count()) + ")",
                                   stopExpression, lines, type.box != rbxWordAndPos);
            }
        }
    }
    ReportLeftOutFiles(leftOut);
    ShellExecute("open", folder);
    ShowMessage(FormatFixed((TickCount() - started) / 1000.0L, 3) + " Seconds Used!");
}
