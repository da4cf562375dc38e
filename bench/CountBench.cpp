// Times the Count page on a corpus of identical lines, the one huge group
// that counting the tag patterns of a frequent word gives: the whole Count
// click (search, format, group, sort, list), then the grouping alone.
//
//   lexmoor-count-bench [--lines N]

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    int lines = 200000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--lines") lines = std::atoi(argv[i + 1]);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("lexmoor-count-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string text;
    for (int i = 0; i < lines; ++i) text += "the_DT cat_NN sat_VV on_II the_AT mat_NN\r\n";
    WriteFileBytes((folder / "lines.txt").string(), text);

    TApplication application(argc, argv);
    TDialogScript::Activate(true);
    TForm1* form = application.CreateForm<TForm1>();
    form->SetVisible(true);
    TDialogScript::QueueFile(true, folder.string());
    form->btnChoseDir->Click();
    form->cbxLeftRangeNum->SetItemIndex(1);
    form->cbxRightRangeNum->SetItemIndex(1);
    form->crbxByLitN->SetChecked(true);
    form->cbxInputStrN->SetText("sat");

    auto start = std::chrono::steady_clock::now();
    form->btnQueryNClick(form->btnQueryN);
    const double click = Seconds(start);
    const std::string summary = Trim(form->lblInfoN1->Caption());

    // The same lines as the page formats them, grouped again on their own.
    TArrResultStr hits(static_cast<size_t>(lines));
    for (TResultStr& hit : hits) hit.Left = "DT", hit.Center = "VV", hit.Right = "II";
    start = std::chrono::steady_clock::now();
    form->GroupCountHits(hits, false);
    const double grouping = Seconds(start);

    std::printf("identical lines: %d\n", lines);
    std::printf("Count click (search, format, group, sort, list): %.3f s, %s\n", click, summary.c_str());
    std::printf("grouping alone: %.3f s, %zu group(s) of %d\n", grouping, hits.size(), hits.empty() ? 0 : hits[0].Count);
    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
