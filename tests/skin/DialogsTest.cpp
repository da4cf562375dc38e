#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/ShellCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/core/ResourceStrings.h"
#include "skin/default/DefaultSkin.h"
#include "skin/forms/qlCorvane.h"
#include "skin/dialogs/qlDialogs.h"
#include "skin/dialogs/qlMessages.h"
#include "skin/dialogs/qlSkinShellCtrls.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Typing.h"

namespace fs = std::filesystem;

namespace {

using Kind = TShownDialog::Kind;
using TDialogAction = std::function<void(TForm*)>;

struct ScriptOn {
    ScriptOn() {
        TDialogScript::Clear();
        TDialogScript::Activate(true);
    }
    ~ScriptOn() {
        TDialogScript::Activate(false);
        TDialogScript::Clear();
    }
};

// The form a dialog component has open: the component owns it while it shows.
TForm* OpenForm(TComponent* dialog) {
    for (int i = 0; i < dialog->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm*>(dialog->Components(i)); form && form->Modal()) return form;
    return nullptr;
}

template <class T>
T* Part(TForm* form, const std::string& name) {
    auto* part = dynamic_cast<T*>(form->FindComponent(name));
    EXPECT_NE(part, nullptr) << name;
    return part;
}

void Press(TWinControl* control, uint16_t key, char character) {
    TQtBridge::KeyPressed(control, key, 0, character);
    if (IsWindow(control)) TQtBridge::KeyReleased(control, key, 0);
}

// A hidden window that receives one posted message, so the action runs inside
// the dialog's modal loop as a user's input would.
class TActionWindow : public TForm {
public:
    TActionWindow(TComponent* dialog, TDialogAction action)
        : TForm(nullptr), FDialog(dialog), FAction(std::move(action)) {
        PostMessage(this, WM_USER + 1, 0, 0);
    }
    void WndProc(TMessage& m) override {
        if (m.Msg != WM_USER + 1) return TForm::WndProc(m);
        TForm* form = OpenForm(FDialog);
        ASSERT_NE(form, nullptr);
        FAction(form);
        if (form->ModalResult() == mrNone) {
            ADD_FAILURE() << "the dialog stayed open";
            form->SetModalResult(mrAbort);
        }
    }

private:
    TComponent* FDialog;
    TDialogAction FAction;
};

// Runs the dialog with the action playing the user.
template <class Show>
auto Drive(TComponent* dialog, TDialogAction action, Show show) {
    TDialogScript::Activate(false);
    TActionWindow window(dialog, std::move(action));
    return show();
}

}  // namespace

TEST(DialogScript, ScriptedAnswersAreTakenInOrderAndEveryDialogIsRecorded) {
    ScriptOn script;
    TqlSkinMessage message(nullptr);
    message.Caption = "Lexmoor";
    TDialogScript::QueueResult(mrYes);
    EXPECT_EQ(message.MessageDlg("Clear the history?", TMsgDlgType::mtConfirmation, mbYes | mbNo), mrYes);
    EXPECT_EQ(message.MessageDlg("Saved.", TMsgDlgType::mtInformation, mbOK), mrCancel) << "nothing queued";

    TqlSkinInputDialog input(nullptr);
    std::string value = "old";
    TDialogScript::QueueInput(true, "verbs");
    EXPECT_TRUE(input.InputQuery("2 lines selected:", "New name", value));
    EXPECT_EQ(value, "verbs");
    EXPECT_FALSE(input.InputQuery("1 lines selected:", "New name", value));
    EXPECT_EQ(value, "verbs");

    TqlSkinSaveDialog save(nullptr);
    save.Filter = "Excel 97-2003 Format (*.xls)|*.xls";
    TDialogScript::QueueFile(true, "/data/out.xls", 1);
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "/data/out.xls");
    EXPECT_EQ(save.FilterIndex, 1);
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName, "/data/out.xls");

    TqlSkinSelectDirectoryDialog folder(nullptr);
    folder.Title = "Corpus";
    TDialogScript::QueueFile(true, "/data/corpus/");
    EXPECT_TRUE(folder.Execute());
    EXPECT_EQ(folder.Directory, "/data/corpus");
    EXPECT_FALSE(folder.Execute());

    const std::vector<std::tuple<Kind, std::string, std::string>> expected = {
        {Kind::Question, "Lexmoor", "Clear the history?"}, {Kind::Message, "Lexmoor", "Saved."},
        {Kind::Input, "2 lines selected:", "New name"},    {Kind::Input, "1 lines selected:", "New name"},
        {Kind::Save, "", save.Filter},                     {Kind::Save, "", save.Filter},
        {Kind::Folder, "Corpus", ""},                      {Kind::Folder, "Corpus", ""},
    };
    ASSERT_EQ(TDialogScript::Shown().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const TShownDialog& shown = TDialogScript::Shown()[i];
        EXPECT_EQ(shown.kind, std::get<0>(expected[i]));
        EXPECT_EQ(shown.title, std::get<1>(expected[i]));
        EXPECT_EQ(shown.text, std::get<2>(expected[i]));
    }
}

TEST(MessageBox, EachWayOfAnsweringGivesItsModalResult) {
    auto click = [](const char* name) { return [=](TForm* f) { Part<TqlSkinButton>(f, name)->Click(); }; };
    auto key = [](uint16_t vk, char ch) { return [=](TForm* f) { Press(f->ActiveControl(), vk, ch); }; };
    struct Case {
        const char* what;
        TMsgDlgButtons buttons;
        TDialogAction action;
        int expected;
    } cases[] = {
        {"click No", mbYes | mbNo, click("btnNo"), mrNo},
        {"click Retry", mbAbort | mbRetry | mbIgnore, click("btnRetry"), mrRetry},
        {"Enter takes the first button", mbYes | mbNo, key(VK_RETURN, '\r'), mrYes},
        {"Enter on an OK box", mbOK, key(VK_RETURN, '\r'), mrOk},
        {"Escape is No without Cancel", mbYes | mbNo, key(VK_ESCAPE, 27), mrNo},
        {"Escape is Cancel", mbYes | mbNo | mbCancel, key(VK_ESCAPE, 27), mrCancel},
        {"the underlined letter", mbYes | mbNo | mbCancel, key('N', 'n'), mrNo},
        {"closing the window", mbYes | mbNo, [](TForm* f) { f->Perform(WM_CLOSE); }, mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TqlSkinMessage message(nullptr);
        int result = Drive(&message, c.action, [&] {
            return message.MessageDlg("Delete the rows?", TMsgDlgType::mtConfirmation, c.buttons);
        });
        EXPECT_EQ(result, c.expected);
    }
}

TEST(MessageBox, ButtonsStandInTheUsualOrderWithTheFirstAsDefault) {
    TqlSkinMessage message(nullptr);
    message.Caption = "Orvale";
    Drive(&message, [](TForm* f) {
        EXPECT_EQ(f->Caption(), "Orvale");
        auto* yes = Part<TqlSkinButton>(f, "btnYes");
        auto* no = Part<TqlSkinButton>(f, "btnNo");
        auto* cancel = Part<TqlSkinButton>(f, "btnCancel");
        EXPECT_EQ(yes->Caption(), "&Yes");
        EXPECT_EQ(no->Caption(), "&No");
        EXPECT_EQ(cancel->Caption(), "Cancel");
        EXPECT_LT(yes->Left(), no->Left());
        EXPECT_LT(no->Left(), cancel->Left());
        EXPECT_TRUE(yes->Default() && !no->Default() && !cancel->Default());
        EXPECT_TRUE(cancel->Cancel && !yes->Cancel && !no->Cancel);
        EXPECT_EQ(yes->ModalResult, mrYes);
        cancel->Click();
    }, [&] { return message.MessageDlg("?", TMsgDlgType::mtWarning, mbCancel | mbNo | mbYes); });
}

TEST(InputDialog, OkReturnsTheEditedTextAndCancelKeepsTheValue) {
    struct Case {
        const char* what;
        TDialogAction finish;
        bool confirmed;
        std::string value;
    } cases[] = {
        {"Enter", [](TForm* f) { Press(Part<TEdit>(f, "edtValue"), VK_RETURN, '\r'); }, true, "new name"},
        {"Escape", [](TForm* f) { Press(Part<TEdit>(f, "edtValue"), VK_ESCAPE, 27); }, false, "old"},
        {"Cancel", [](TForm* f) { Part<TqlSkinButton>(f, "btnCancel")->Click(); }, false, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TqlSkinInputDialog input(nullptr);
        std::string value = "old";
        bool confirmed = Drive(&input, [&](TForm* f) {
            EXPECT_EQ(f->Caption(), "3 lines selected:");
            EXPECT_EQ(Part<TCustomLabel>(f, "lblPrompt")->Caption(), "Please input a new name");
            auto* edit = Part<TEdit>(f, "edtValue");
            EXPECT_EQ(edit->Text(), "old");
            EXPECT_EQ(edit->SelStart(), 0);
            EXPECT_EQ(edit->SelLength(), 3) << "the initial value is selected";
            edit->SetText("new name");
            c.finish(f);
        }, [&] { return input.InputQuery("3 lines selected:", "Please input a new name", value); });
        EXPECT_EQ(confirmed, c.confirmed);
        EXPECT_EQ(value, c.value);
    }
}

TEST(SaveDialog, TypedNameLandsInTheShownFolderWithTheFilterExtension) {
    TempFolder tmp;
    tmp.Write("a.xls", "");
    tmp.Write("b.txt", "");
    fs::create_directory(fs::path(tmp.Path()) / "sub");
    struct Case {
        std::string typed, defaultExt;
        int chosenFilter;  // 0-based filter chosen in the dialog, -1 to keep the given one
        std::string expected;
        int filterIndex;
    } cases[] = {
        {"result", "", -1, tmp.Path() + "/result.xls", 2},
        {"result.csv", "", -1, tmp.Path() + "/result.csv", 2},
        {"result", "dat", -1, tmp.Path() + "/result.dat", 2},
        {"r", "", 0, tmp.Path() + "/r.txt", 1},
        {"sub/r", "", -1, tmp.Path() + "/sub/r.xls", 2},
        {tmp.Path() + "/sub/../abs", "", -1, tmp.Path() + "/abs.xls", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TqlSkinSaveDialog save(nullptr);
        save.Filter = "Text (*.txt)|*.txt|Excel 97-2003 Format (*.xls)|*.xls";
        save.FilterIndex = 2;
        save.InitialDir = tmp.Path();
        save.DefaultExt = c.defaultExt;
        bool confirmed = Drive(&save, [&](TForm* f) {
            EXPECT_EQ(Part<TEdit>(f, "edtFolder")->Text(), tmp.Path());
            auto* files = Part<TqlSkinShellListView>(f, "lvFiles");
            ASSERT_EQ(files->Items().Count(), 1) << "only the files of the chosen filter";
            EXPECT_EQ(files->Items()[0]->Caption, "a.xls");
            if (c.chosenFilter >= 0) Part<TComboBox>(f, "cbxFileType")->SetItemIndex(c.chosenFilter);
            auto* name = Part<TEdit>(f, "edtFileName");
            name->SetText(c.typed);
            Press(name, VK_RETURN, '\r');
        }, [&] { return save.Execute(); });
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(save.FileName, c.expected);
        EXPECT_EQ(save.FilterIndex, c.filterIndex);
    }
}

// The file list is a skinned list view with the skin's bars and header: a
// row per file with its size, and a chosen row gives its name.
TEST(SaveDialog, TheFileListShowsSizesAndGivesTheChosenName) {
    TempFolder tmp;
    tmp.Write("small.txt", "hello");
    tmp.Write("large.txt", std::string(3000, 'x'));
    TqlSkinSaveDialog save(nullptr);
    save.Filter = "Text (*.txt)|*.txt";
    save.InitialDir = tmp.Path();
    bool confirmed = Drive(&save, [&](TForm* f) {
        auto* files = Part<TqlSkinShellListView>(f, "lvFiles");
        ASSERT_EQ(files->Items().Count(), 2);
        EXPECT_NE(files->VScrollBar(), nullptr);
        EXPECT_NE(files->HeaderWindow(), nullptr) << "the header is the skin's";
        struct Row {
            const char* name;
            const char* size;
        } rows[] = {{"large.txt", "3 KB"}, {"small.txt", "1 KB"}};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(files->Items()[i]->Caption, rows[i].name);
            EXPECT_EQ(files->Items()[i]->SubItems, std::vector<std::string>{rows[i].size});
        }
        // The user clicks the second row.
        QWidget* viewport = static_cast<QAbstractScrollArea*>(files->Widget())->viewport();
        const TRect r = files->ItemRect(1);
        const QPoint at = viewport->mapFrom(files->Widget(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent e(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(viewport, &e);
        }
        EXPECT_EQ(Part<TEdit>(f, "edtFileName")->Text(), "small.txt");
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return save.Execute(); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(save.FileName, tmp.Path() + "/small.txt");
}

TEST(SaveDialog, AFolderTypedAsTheNameIsOpened) {
    TempFolder tmp;
    fs::create_directory(fs::path(tmp.Path()) / "sub");
    TqlSkinSaveDialog save(nullptr);
    save.Filter = "Excel 97-2003 Format (*.xls)|*.xls";
    save.InitialDir = tmp.Path();
    bool confirmed = Drive(&save, [&](TForm* f) {
        auto* name = Part<TEdit>(f, "edtFileName");
        name->SetText("sub");
        Part<TqlSkinButton>(f, "btnOk")->Click();
        ASSERT_EQ(f->ModalResult(), mrNone);
        EXPECT_EQ(Part<TEdit>(f, "edtFolder")->Text(), tmp.Path() + "/sub");
        EXPECT_EQ(Part<TqlSkinShellTreeView>(f, "tvFolders")->SelectedPath(), tmp.Path() + "/sub");
        name->SetText("x");
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return save.Execute(); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(save.FileName, tmp.Path() + "/sub/x.xls");
}

TEST(FolderDialog, ReturnsTheFolderTypedInThePathLine) {
    TempFolder tmp;
    fs::create_directory(fs::path(tmp.Path()) / "corpus");
    TqlSkinSelectDirectoryDialog dialog(nullptr);
    dialog.Directory = tmp.Path();
    EXPECT_TRUE(Drive(&dialog, [&](TForm* f) {
        auto* path = Part<TEdit>(f, "edtFolder");
        auto* tree = Part<TqlSkinShellTreeView>(f, "tvFolders");
        EXPECT_EQ(path->Text(), tmp.Path()) << "starts at Directory";
        EXPECT_EQ(tree->SelectedPath(), tmp.Path());
        path->SetText(tmp.Path() + "/corpus/");
        Press(path, VK_RETURN, '\r');
        ASSERT_EQ(f->ModalResult(), mrNone) << "the first Enter goes to the folder";
        EXPECT_EQ(tree->SelectedPath(), tmp.Path() + "/corpus");
        Press(path, VK_RETURN, '\r');
    }, [&] { return dialog.Execute(); }));
    EXPECT_EQ(dialog.Directory, tmp.Path() + "/corpus");

    // Relative to the shown folder, confirmed with OK at once.
    dialog.Directory = tmp.Path();
    EXPECT_TRUE(Drive(&dialog, [](TForm* f) {
        Part<TEdit>(f, "edtFolder")->SetText("corpus");
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return dialog.Execute(); }));
    EXPECT_EQ(dialog.Directory, tmp.Path() + "/corpus");

    // A Directory that does not exist starts at home; Escape leaves Directory alone.
    const char* home = std::getenv("HOME");
    dialog.Directory = tmp.Path() + "/missing";
    EXPECT_FALSE(Drive(&dialog, [&](TForm* f) {
        EXPECT_EQ(Part<TEdit>(f, "edtFolder")->Text(), fs::path(home ? home : "/").lexically_normal().string());
        Press(Part<TqlSkinShellTreeView>(f, "tvFolders"), VK_ESCAPE, 27);
    }, [&] { return dialog.Execute(); }));
    EXPECT_EQ(dialog.Directory, tmp.Path() + "/missing");
}

// The first time at the user's home folder (whatever it is), then where the
// user chose last.
TEST(FolderDialog, StartsAtHomeAndThenAtTheFolderChosenLast) {
    TempFolder home;
    fs::create_directory(fs::path(home.Path()) / "corpus");
    const char* saved = std::getenv("HOME");
    std::string previous = saved ? saved : "";
    setenv("HOME", home.Path().c_str(), 1);
    TqlSkinSelectDirectoryDialog dialog(nullptr);
    EXPECT_TRUE(Drive(&dialog, [&](TForm* f) {
        EXPECT_EQ(Part<TEdit>(f, "edtFolder")->Text(), home.Path());
        Part<TEdit>(f, "edtFolder")->SetText("corpus");
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return dialog.Execute(); }));
    EXPECT_FALSE(Drive(&dialog, [&](TForm* f) {
        EXPECT_EQ(Part<TEdit>(f, "edtFolder")->Text(), home.Path() + "/corpus");
        Part<TqlSkinButton>(f, "btnCancel")->Click();
    }, [&] { return dialog.Execute(); }));
    if (saved) setenv("HOME", previous.c_str(), 1); else unsetenv("HOME");
}

// Paths and names hold punctuation: typed key by key, they arrive whole.
TEST(DialogLines, PathsAndNamesTypedKeyByKeyArriveWhole) {
    TempFolder tmp;
    const std::string folderName = "a.b_c-d [e]~f,g;h'i@j+k=l#m";
    fs::create_directory(fs::path(tmp.Path()) / folderName);
    TqlSkinSelectDirectoryDialog dialog(nullptr);
    dialog.Directory = tmp.Path();
    EXPECT_TRUE(Drive(&dialog, [&](TForm* f) {
        auto* path = Part<TEdit>(f, "edtFolder");
        path->SetText("");
        typing::Type(path->Widget(), QString::fromStdString(tmp.Path() + "/" + folderName));
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return dialog.Execute(); }));
    EXPECT_EQ(dialog.Directory, tmp.Path() + "/" + folderName);

    TqlSkinSaveDialog save(nullptr);
    save.Filter = "Excel 97-2003 Format (*.xls)|*.xls";
    save.InitialDir = tmp.Path();
    EXPECT_TRUE(Drive(&save, [&](TForm* f) {
        typing::Type(Part<TEdit>(f, "edtFileName")->Widget(), "node_time-5.5 (v2)!.xls");
        Part<TqlSkinButton>(f, "btnOk")->Click();
    }, [&] { return save.Execute(); }));
    EXPECT_EQ(save.FileName, tmp.Path() + "/node_time-5.5 (v2)!.xls");
}

// Writes the boxes as PNGs into the build folder, for a person to look at.
TEST(DialogPictures, WarningBoxAndFolderDialog) {
    TqlSkinMessage message(nullptr);
    message.Caption = "Orvale Lexmoor";
    Drive(&message, [](TForm* f) {
        TBitmap picture(f->Width(), f->Height());
        f->PaintTo(picture.Canvas(), 0, 0);
        EXPECT_TRUE(picture.SavePng(PicturePath("dialog-warning.png")));
        // Left of the "!" inside the triangle: the warning yellow.
        TColor c = picture.Pixel(16 + 10, 16 + 24);
        EXPECT_GT(GetRValue(c), 200);
        EXPECT_LT(GetBValue(c), 80);
        auto* text = f->FindComponent("lblMessage");
        ASSERT_NE(text, nullptr);
        EXPECT_LE(static_cast<TControl*>(text)->BoundsRect().Right, f->ClientWidth());
        Part<TqlSkinButton>(f, "btnYes")->Click();
    }, [&] {
        return message.MessageDlg("The separator \";\" is used twice.\nDo you want to keep both of them and go on "
                                  "building the lists from the files of the corpus folder?",
                                  TMsgDlgType::mtWarning, mbYes | mbNo);
    });

    TempFolder tmp;
    for (const char* sub : {"corpus", "lists", "results"}) fs::create_directory(fs::path(tmp.Path()) / sub);
    TqlSkinSelectDirectoryDialog dialog(nullptr);
    dialog.Directory = tmp.Path() + "/corpus";
    Drive(&dialog, [](TForm* f) {
        TBitmap picture(f->Width(), f->Height());
        f->PaintTo(picture.Canvas(), 0, 0);
        EXPECT_TRUE(picture.SavePng(PicturePath("dialog-folder.png")));
        Part<TqlSkinButton>(f, "btnCancel")->Click();
    }, [&] { return dialog.Execute(); });
}

namespace {

// Dialogs standing on a form that holds the default skin.
class SkinnedDialogs : public testing::Test {
protected:
    void SetUp() override {
        host = new TForm(nullptr);
        stored = new TqlCompressedStoredSkin(host);
        stored->SetCompressedData(DefaultSkinZlib());
        skin = new TqlSkinData(host);
        skin->SetCompressedStoredSkin(stored);
        ASSERT_FALSE(skin->Empty);
    }
    void TearDown() override { delete host; }

    // Every dialog, opened and looked at by check, then cancelled.
    void ForEachDialog(TqlSkinData* own, const std::function<void(const char*, TForm*)>& check) {
        TempFolder tmp;
        for (const char* sub : {"corpus", "lists", "results"}) fs::create_directory(fs::path(tmp.Path()) / sub);
        tmp.Write("collocates.xls", "");
        auto cancel = [&](const char* what) {
            return [&, what](TForm* f) {
                check(what, f);
                Part<TqlSkinButton>(f, "btnCancel")->Click();
            };
        };
        TqlSkinMessage message(host);
        message.SetSkinData(own);
        Drive(&message, cancel("message"), [&] {
            return message.MessageDlg("3 line(s) will be deleted, are you sure?", TMsgDlgType::mtConfirmation,
                                      mbYes | mbNo | mbCancel);
        });
        TqlSkinInputDialog input(host);
        input.SetSkinData(own);
        std::string value = "the";
        Drive(&input, cancel("input"), [&] {
            return input.InputQuery("Rename Collocate", "Please input a new name for the Collocate", value);
        });
        TqlSkinSaveDialog save(host);
        save.SetSkinData(own);
        save.Filter = "Excel 97-2003 Format (*.xls)|*.xls|Text (*.txt)|*.txt";
        save.InitialDir = tmp.Path();
        save.FileName = "collocates.xls";
        Drive(&save, cancel("save"), [&] { return save.Execute(); });
        TqlSkinSelectDirectoryDialog folder(host);
        folder.SetSkinData(own);
        folder.Directory = tmp.Path() + "/corpus";
        Drive(&folder, cancel("folder"), [&] { return folder.Execute(); });
    }

    TForm* host = nullptr;
    TqlCompressedStoredSkin* stored = nullptr;
    TqlSkinData* skin = nullptr;
};

template <class T>
std::vector<T*> PartsOf(TWinControl* parent) {
    std::vector<T*> found;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        if (auto* t = dynamic_cast<T*>(parent->Controls(i))) found.push_back(t);
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i)))
            for (T* t : PartsOf<T>(w)) found.push_back(t);
    }
    return found;
}

TqlCorvane* CorvaneOf(TForm* form) {
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TqlCorvane*>(form->Components(i))) return c;
    return nullptr;
}

}  // namespace

TEST_F(SkinnedDialogs, EveryDialogIsDrawnFromTheSkinOfTheFormItStandsOn) {
    ForEachDialog(nullptr, [&](const char* what, TForm* f) {
        SCOPED_TRACE(what);
        const bool message = std::string(what) == "message";
        EXPECT_EQ(f->Color(), message ? skin->SkinColors.cWindow : skin->SkinColors.cBtnFace);
        TqlCorvane* corvane = CorvaneOf(f);
        ASSERT_NE(corvane, nullptr);
        EXPECT_EQ(corvane->SkinData(), skin);
        auto buttons = PartsOf<TqlSkinButton>(f);
        ASSERT_GE(buttons.size(), 2u);
        for (TqlSkinButton* b : buttons) {
            EXPECT_EQ(b->SkinData(), skin) << b->Name;
            EXPECT_NE(b->Index(), -1) << b->Name << " found its descriptor";
        }
        for (TqlSkinStdLabel* l : PartsOf<TqlSkinStdLabel>(f)) {
            EXPECT_EQ(l->SkinData(), skin) << l->Name;
            EXPECT_NE(l->Index(), -1) << l->Name;
        }
        EXPECT_TRUE(PartsOf<TButton>(f).empty()) << "no platform buttons left";
        for (TCustomLabel* l : PartsOf<TCustomLabel>(f)) EXPECT_NE(dynamic_cast<TqlSkinStdLabel*>(l), nullptr) << l->Name;
        // The folder tree scrolls by skinned bars beside it, never by native ones.
        const bool browses = std::string(what) == "save" || std::string(what) == "folder";
        EXPECT_EQ(PartsOf<TqlSkinShellTreeView>(f).size(), browses ? 1u : 0u);
        for (TqlSkinShellTreeView* tree : PartsOf<TqlSkinShellTreeView>(f)) {
            EXPECT_EQ(tree->SkinData(), skin);
            EXPECT_NE(tree->Index(), -1);
            EXPECT_FALSE(NativeScrollBarsShown(*tree));
            ASSERT_NE(tree->VScrollBar(), nullptr);
            ASSERT_NE(tree->HScrollBar(), nullptr);
            EXPECT_EQ(tree->VScrollBar()->SkinData(), skin);
            EXPECT_EQ(tree->VScrollBar()->Parent(), tree->Parent());
        }
        // Native fields take the skin's field colour.
        for (TEdit* e : PartsOf<TEdit>(f)) EXPECT_EQ(ColorToRGB(e->Color()), skin->SkinColors.cWindow) << e->Name;
    });
}

// Titles, labels and button captions come from the skin's string table, by
// key; without a table, from the built-in captions.
TEST_F(SkinnedDialogs, DialogTextsComeFromTheSkinsStringTable) {
    auto texts = [](TForm* f) {
        std::vector<std::string> out{f->Caption()};
        for (TqlSkinButton* b : PartsOf<TqlSkinButton>(f)) {
            out.push_back(b->Caption());
            if (b->ShowHint) out.push_back(b->Hint);
        }
        for (TqlSkinStdLabel* l : PartsOf<TqlSkinStdLabel>(f)) out.push_back(l->Caption());
        for (TqlSkinShellListView* v : PartsOf<TqlSkinShellListView>(f))
            for (int i = 0; i < v->ColumnCount(); ++i) out.push_back(v->Column(i)->Caption);
        return out;
    };
    auto has = [](const std::vector<std::string>& all, const std::string& text) {
        return std::find(all.begin(), all.end(), text) != all.end();
    };
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::map<std::string, std::vector<std::string>> expected;
    } cases[] = {
        {"built in", {},
         {{"message", {"Confirm", "&Yes", "&No", "Cancel"}},
          {"input", {"OK", "Cancel"}},
          {"save", {"Look in: ", "File name:", "File type:", "&Save", "Cancel", "Name", "Size", "Up One Level"}},
          {"folder", {"OK", "Cancel"}}}},
        {"from the table",
         {"MSG_CAP_CONFIRM=Frage", "MSG_BTN_YES=&Ja", "MSG_BTN_NO=&Nein", "MSG_BTN_CANCEL=Abbrechen", "MSG_BTN_OK=Gut",
          "FLV_LOOKIN=Suchen in: ", "MSG_FILENAME=Dateiname:", "MSG_FILETYPE=Dateityp:", "MSG_BTN_SAVE=&Speichern",
          "FLV_NAME=Datei", "FLV_SIZE=Umfang", "MSG_BTN_UP_HINT=Eine Ebene nach oben"},
         {{"message", {"Frage", "&Ja", "&Nein", "Abbrechen"}},
          {"input", {"Gut", "Abbrechen"}},
          {"save", {"Suchen in: ", "Dateiname:", "Dateityp:", "&Speichern", "Abbrechen", "Datei", "Umfang",
                    "Eine Ebene nach oben"}},
          {"folder", {"Gut", "Abbrechen"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.lines.empty()) {
            auto* table = new TqlResourceStrData(host);
            TStringList lines;
            for (const std::string& line : c.lines) lines.Add(line);
            table->SetResStrings(lines);
            skin->SetResourceStrData(table);
        }
        int seen = 0;
        ForEachDialog(nullptr, [&](const char* what, TForm* f) {
            SCOPED_TRACE(what);
            ++seen;
            const auto all = texts(f);
            for (const std::string& text : c.expected.at(what)) EXPECT_TRUE(has(all, text)) << text;
        });
        EXPECT_EQ(seen, 4);
    }
}

TEST_F(SkinnedDialogs, ADialogsOwnSkinDataComesBeforeTheForms) {
    auto* own = new TqlSkinData(host);
    own->SetCompressedStoredSkin(stored);
    ForEachDialog(own, [&](const char* what, TForm* f) {
        SCOPED_TRACE(what);
        EXPECT_EQ(CorvaneOf(f)->SkinData(), own);
        for (TqlSkinButton* b : PartsOf<TqlSkinButton>(f)) EXPECT_EQ(b->SkinData(), own) << b->Name;
    });
}

// A button that is neither default nor focused shows the skin's resting face,
// as a lone skinned button of its size does; the pictures are written for a
// person to look at.
TEST_F(SkinnedDialogs, ButtonsShowTheSkinsFaceAndPicturesAreWritten) {
    ForEachDialog(nullptr, [&](const char* what, TForm* f) {
        SCOPED_TRACE(what);
        TBitmap picture(f->Width(), f->Height());
        f->PaintTo(picture.Canvas(), 0, 0);
        EXPECT_TRUE(picture.SavePng(PicturePath(std::string("dialog-skinned-") + what + ".png")));
        int compared = 0;
        for (TqlSkinButton* b : PartsOf<TqlSkinButton>(f)) {
            if (b->Default() || b == f->ActiveControl() || !b->Enabled()) continue;
            TForm plain(nullptr);
            plain.SetBounds(0, 0, 200, 100);
            auto* lone = new TqlSkinButton(&plain);
            lone->SetParent(&plain);
            lone->SetSkinData(skin);
            lone->SetBounds(0, 0, b->Width(), b->Height());
            TBitmap expected(b->Width(), b->Height());
            lone->PaintTo(expected.Canvas(), 0, 0);
            const TPoint origin = f->ScreenToClient(b->ClientToScreen(Point(0, 0)));
            for (TPoint p : {Point(0, b->Height() / 2), Point(b->Width() / 2, 1), Point(3, b->Height() - 3)})
                EXPECT_EQ(picture.Pixel(origin.X + p.X, origin.Y + p.Y), expected.Pixel(p.X, p.Y))
                    << b->Name << " at " << p.X << "," << p.Y;
            ++compared;
        }
        EXPECT_GE(compared, 1);
    });
}
