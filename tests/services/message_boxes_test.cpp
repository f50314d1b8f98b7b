#include "services/message_boxes.h"

#include "fakes/fake_app_control.h"
#include "fakes/fake_dialog_port.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using fakes::FakeAppControl;
using fakes::FakeDialogPort;
using Calls = std::vector<std::string>;

class MessageBoxesTest : public ::testing::Test {
protected:
    MessageBoxState state;
    FakeDialogPort dialogs;
    FakeAppControl app;
    MessageBoxes boxes{state, dialogs, app};
};

TEST_F(MessageBoxesTest, ModalBoxReturnsTheAnswerCodes) {
    dialogs.modalAnswers = {BoxButton::Yes, BoxButton::No, BoxButton::Ok, BoxButton::Closed};
    EXPECT_EQ(boxes.custMsgBox("t", "yesno", "m", true), 6);
    EXPECT_EQ(state.msgBoxAnswer, "6");
    EXPECT_EQ(boxes.custMsgBox("t", "yesno", "m", true), 7);
    EXPECT_EQ(state.msgBoxAnswer, "7");
    EXPECT_EQ(boxes.custMsgBox("t", "ok", "m", true), 0);
    EXPECT_EQ(state.msgBoxAnswer, "0");
    EXPECT_EQ(boxes.custMsgBox("t", "ok", "m", true), 0);
    EXPECT_EQ(state.msgBoxAnswer, "");
    EXPECT_EQ(dialogs.shown[0].style, BoxStyle::YesNo);
    EXPECT_EQ(dialogs.shown[2].style, BoxStyle::Ok);
}

TEST_F(MessageBoxesTest, UnknownStyleShowsNoButtons) {
    boxes.custMsgBox("t", "YESNO", "m", true);
    EXPECT_EQ(dialogs.shown.at(0).style, BoxStyle::None);
}

TEST_F(MessageBoxesTest, ModelessBoxReturnsZeroAndAnswersLater) {
    state.msgBoxAnswer = "7";
    EXPECT_EQ(boxes.custMsgBox("Quit", "yesno", "Really?", false), 0);
    EXPECT_EQ(state.msgBoxAnswer, "");
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_EQ(state.msgBoxAnswer, "6");
}

TEST_F(MessageBoxesTest, YesCarriesOutQuitAfterBackup) {
    state.pendingAction = "Quit";
    boxes.custMsgBox("Quit", "yesno", "Quit?", false);
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_EQ(app.calls, (Calls{"pump", "questionnaire", "backup", "quit"}));
}

TEST_F(MessageBoxesTest, QuestionnaireCanTakeOverTheQuit) {
    app.questionnaireTakesOver = true;
    state.pendingAction = "Quit";
    boxes.custMsgBox("Quit", "yesno", "Quit?", false);
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_EQ(app.calls, (Calls{"pump", "questionnaire"}));
}

TEST_F(MessageBoxesTest, YesCarriesOutShutdown) {
    state.pendingAction = "Shutdown";
    boxes.custMsgBox("Shut down", "yesno", "Shut down?", false);
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_EQ(app.calls, (Calls{"backup", "shutdown 10 Vista Will Shutdown in 10 seconds"}));
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, "notice");
    EXPECT_EQ(dialogs.shown.back().title, "Vista Will Shutdown in 10 seconds");
}

TEST_F(MessageBoxesTest, PendingActionDoesNotSurviveANo) {
    state.pendingAction = "Quit";
    boxes.custMsgBox("Quit", "yesno", "Quit?", false);
    dialogs.answerModeless(BoxButton::No);
    // A later, unrelated question answered Yes must not quit.
    boxes.custMsgBox("Other", "yesno", "Something else?", false);
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_TRUE(app.calls.empty());
    EXPECT_EQ(state.pendingAction, "");
}

TEST_F(MessageBoxesTest, YesWithoutPendingActionOnlyCloses) {
    boxes.custMsgBox("t", "yesno", "m", false);
    dialogs.answerModeless(BoxButton::Yes);
    EXPECT_TRUE(app.calls.empty());
    EXPECT_EQ(state.msgBoxAnswer, "6");
}

TEST_F(MessageBoxesTest, NestedBoxDoesNotChangeTheModalCallersAnswer) {
    dialogs.modalAnswers = {BoxButton::Yes};
    dialogs.duringModal = [this] {
        dialogs.duringModal = nullptr;
        boxes.custMsgBox("nested", "yesno", "m", false);
        dialogs.answerModeless(BoxButton::No);
    };
    EXPECT_EQ(boxes.custMsgBox("outer", "yesno", "m", true), 6);
}

TEST_F(MessageBoxesTest, NoticeAlwaysUsesTheFixedInterval) {
    boxes.showNotice("Title", "Text", 5000, false);
    boxes.showNotice("Title", "Text", 0, true);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[0].autoClose);
    EXPECT_EQ(dialogs.shown[0].autoCloseMs, 4500);
    EXPECT_FALSE(dialogs.shown[1].autoClose);
    EXPECT_TRUE(dialogs.shown[1].modal);
}

TEST_F(MessageBoxesTest, ErrorReportTextAndOkEndsTheProgram) {
    boxes.reportError(13, "Type mismatch", "MutPri");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "runtime");
    EXPECT_EQ(dialogs.shown[0].title, "kelvo Error");
    EXPECT_EQ(dialogs.shown[0].message, "13: Type mismatch\nMutPri");
    dialogs.runtimeErrorOk();
    EXPECT_EQ(app.calls, (Calls{"end"}));
}

TEST_F(MessageBoxesTest, WhatTheMachineRefusedIsABoxAndTheProgramGoesOn) {
    state.pendingAction = "Quit";
    for (int number : {53, 61, 70, 75, 76}) {
        boxes.reportError(number, "cannot write", "MutPwi");
        ASSERT_EQ(dialogs.shown.back().kind, "modeless") << number;
        EXPECT_EQ(dialogs.shown.back().title, "kelvo Error");
        EXPECT_EQ(dialogs.shown.back().message, std::to_string(number) + ": cannot write\nMutPwi");
        dialogs.answerModeless(BoxButton::Ok);
    }
    EXPECT_TRUE(app.calls.empty());
    // The question that set the pending action still owns it.
    EXPECT_EQ(state.pendingAction, "Quit");
}

TEST_F(MessageBoxesTest, ErrorLinkActsOnlyForAudioProblem) {
    bool helpOpened = false;
    boxes.setAudioProblemHandler([&] { helpOpened = true; });
    boxes.showErrorDialog("Error", "ok", "m", "link", "Other", false);
    dialogs.errorLink();
    EXPECT_FALSE(helpOpened);
    EXPECT_TRUE(app.calls.empty());

    boxes.showAudioSetupError();
    EXPECT_TRUE(dialogs.shown.back().modal);
    dialogs.errorLink();
    EXPECT_TRUE(helpOpened);
    EXPECT_EQ(app.calls, (Calls{"end"}));
}

} // namespace
} // namespace kelvo
