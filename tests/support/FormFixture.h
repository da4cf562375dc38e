#pragma once
// The main form shown over a corpus folder of the test's own, chosen through
// the folder dialog as a user chooses it.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/Unit1.h"
#include "platform/gui/Dialogs.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TempFolder.h"

// Checks the named corpus files alone, as a user ticks them in the list.
inline void CheckOnlyFiles(TForm1& form, std::initializer_list<const char*> names) {
    TForm1::SetAllChecked(form.clbFileList, false);
    for (const char* name : names) form.clbFileList->SetChecked(form.clbFileList->Items().IndexOf(name), true);
    form.clbFileListClickCheck(form.clbFileList);
}

class FormFixture : public AppFixture {
protected:
    // Writes the files (name, bytes), creates the form and opens the folder.
    void OpenCorpus(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& [name, bytes] : files) corpus_.Write(name, bytes);
        form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
        ChooseCorpusFolder();
    }

    // Chooses the corpus folder again through the folder dialog, as after
    // adding files to it.
    void ChooseCorpusFolder() {
        TDialogScript::QueueFile(true, corpus_.Path());
        form->btnChoseDir->Click();
    }

    TempFolder corpus_;
    TForm1* form = nullptr;
};
