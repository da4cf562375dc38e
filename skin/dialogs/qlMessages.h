#pragma once
// The skinned message box component of a form.

#include <string>

#include "platform/gui/Controls.h"
#include "skin/core/qlSkinData.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64, mbAll = 128,
    mbNoToAll = 256, mbYesToAll = 512, mbHelp = 1024,
};
using TMsgDlgButtons = unsigned;

class TqlSkinMessage : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinMessage(TComponent* owner);

    // Shows msg in a modal box with the icon of the type and the buttons, and
    // returns the modal result of the button pressed (OK 1, Yes 6, No 7);
    // closing the box without a button gives Cancel (2). With the dialog
    // script active, the scripted result is returned and the box is recorded.
    int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0);

    std::string Caption;  // title of the box; empty: the application title
};
