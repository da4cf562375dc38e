#pragma once
// Runs a test of the main form in a private current folder (where the form
// keeps its history and tag-set files), with scripted dialogs, a manual clock
// and an application object of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "tests/support/TempFolder.h"

class AppFixture : public testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(home_.Path());
        TDialogScript::Activate(true);
        TDialogScript::Clear();
        TTimerService::Instance().UseManualClock(true);
        static char name[] = "lexmoor";
        static char* argv[] = {name, nullptr};
        static int argc = 1;
        app_ = std::make_unique<TApplication>(argc, argv);
        app_->Title = "Orvale Lexmoor 1.0";
        // The program's folder, where the lists and the stop list go, is the test's own folder.
        app_->ExeName = "lexmoor";
    }

    void TearDown() override {
        app_.reset();
        TTimerService::Instance().UseManualClock(false);
        TDialogScript::Activate(false);
        std::filesystem::current_path(previous_);
    }

    TempFolder home_;
    std::filesystem::path previous_;
    std::unique_ptr<TApplication> app_;
};
