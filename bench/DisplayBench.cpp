// Times the collocate detail pane as a user drives it: Display writes N
// coloured concordance lines into the pane, Highlight marks a frequent word
// in them.
//
//   lexmoor-display-bench [--lines N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Unit1.h"
#include "platform/gui/Dialogs.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    int lines = 10000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--lines") lines = std::atoi(argv[i + 1]);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication application(argc, argv);
    TDialogScript::Activate(true);
    TForm1* form = application.CreateForm<TForm1>();
    form->SetVisible(true);
    form->rdoRaw->SetChecked(true);
    form->tsColligate->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);

    const char* lefts[] = {"and then the people of the", "it was said that the", "when we saw the"};
    const char* rights[] = {"of the house was dark and", "that they had made in the", "and the rest of them"};
    const char* nodes[] = {"end", "door", "city", "work", "day"};
    for (int i = 0; i < lines; ++i) {
        TResultStr hit;
        hit.Left = lefts[i % 3];
        hit.Center = nodes[i % 5];
        hit.Right = rights[(i / 3) % 3];
        hit.FileName = "part" + std::to_string(i % 8) + ".txt";
        form->gCollDetail.push_back(hit);
    }

    auto start = std::chrono::steady_clock::now();
    form->btnDisplayColClick(form);
    // Until the pane has shown it: the pane applies formats when it next paints.
    form->rdtDetailCol->Repaint();
    double display = Seconds(start);

    form->cbxQSearchCol->SetText("the");
    start = std::chrono::steady_clock::now();
    form->btnHighlightColClick(form);
    form->rdtDetailCol->Repaint();
    double highlight = Seconds(start);

    std::printf("lines: %d (pane holds %d)\n", lines, form->rdtDetailCol->Lines().Count() - 1);
    std::printf("display (format, sort, write coloured, load, paint): %.3f s\n", display);
    std::printf("highlight \"the\" (marks and paint): %.3f s, %s\n", highlight, form->lblInfoCol->Caption().c_str());
    return 0;
}
