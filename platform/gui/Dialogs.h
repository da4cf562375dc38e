#pragma once
// The framework's plain message boxes, the shell-execute call, and the test
// seam through which tests answer every modal question and read back what the
// program showed: while the script is active nothing waits for a person.

#include <deque>
#include <string>
#include <vector>

#include "platform/gui/Types.h"

struct TShownDialog {
    enum class Kind { Message, Question, Input, Folder, Save, Menu, Shell };
    Kind kind;
    std::string title;  // caption, or the shell operation's program
    std::string text;   // message, prompt, menu choice, or the shell target
};

class TDialogScript {
public:
    static void Activate(bool active);
    static bool Active();
    // Forgets queued answers and what was shown.
    static void Clear();

    static void QueueResult(TModalResult result);
    static void QueueInput(bool confirmed, const std::string& text = "");
    static void QueueFile(bool confirmed, const std::string& path = "", int filterIndex = 1);
    static void QueueMenuChoice(const std::string& caption);

    // For the dialogs: the next scripted answer, or a cancel when none is queued.
    static TModalResult NextResult();
    static bool NextInput(std::string& text);
    static bool NextFile(std::string& path, int& filterIndex);
    static std::string NextMenuChoice();

    static void Record(const TShownDialog& shown);
    static const std::vector<TShownDialog>& Shown();
    // The texts of the shown dialogs of one kind, in order.
    static std::vector<std::string> Texts(TShownDialog::Kind kind);
};

// The framework's plain message box with an OK button.
void ShowMessage(const std::string& message);

// Opens a document, folder or program with the desktop (xdg-open); recorded
// and not run while the dialog script is active.
bool ShellExecute(const std::string& operation, const std::string& file, const std::string& parameters = "");
