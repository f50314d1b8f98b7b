#include "ui/qt_dialog_port.h"

#include "ui_test_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace kelvo {
namespace {

using testing::clickChild;
using testing::shownWindow;
using testing::whenShown;
using testing::windowsNamed;

QString labelText(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

bool buttonShown(QWidget* window, const char* name) {
    auto* button = window->findChild<QPushButton*>(name);
    return button != nullptr && button->isVisible();
}

class QtDialogPortTest : public ::testing::Test {
protected:
    void TearDown() override {
        // Leave nothing open for the next test.
        for (const char* name : {"frmCustMsgbox", "frmCustMsg", "frmRuntimeError", "frmError"}) {
            for (QWidget* window : windowsNamed(name)) {
                window->hide();
            }
        }
    }

    QtDialogPort port;
};

TEST_F(QtDialogPortTest, ModalBoxReturnsTheButtonPressed) {
    struct Case {
        BoxStyle style;
        const char* button;
        BoxButton expected;
    };
    const std::vector<Case> cases = {
        {BoxStyle::YesNo, "cmdYes", BoxButton::Yes},
        {BoxStyle::YesNo, "cmdNo", BoxButton::No},
        {BoxStyle::Ok, "cmdOK", BoxButton::Ok},
    };
    for (const Case& c : cases) {
        whenShown("frmCustMsgbox", [&](QWidget* window) {
            EXPECT_TRUE(window->isModal());
            clickChild(window, c.button);
        });
        EXPECT_EQ(port.showMessageBoxModal("Title", c.style, "Question?"), c.expected) << c.button;
        EXPECT_EQ(shownWindow("frmCustMsgbox"), nullptr) << c.button;
    }
}

TEST_F(QtDialogPortTest, ModalBoxClosedByTheWindowButtonReturnsClosed) {
    whenShown("frmCustMsgbox", [](QWidget* window) { window->close(); });
    EXPECT_EQ(port.showMessageBoxModal("Title", BoxStyle::YesNo, "Question?"), BoxButton::Closed);
}

TEST_F(QtDialogPortTest, BoxShowsCaptionMessageAndTheButtonsOfItsStyle) {
    struct Case {
        BoxStyle style;
        bool yesNo;
        bool ok;
    };
    const std::vector<Case> cases = {
        {BoxStyle::YesNo, true, false},
        {BoxStyle::Ok, false, true},
        {BoxStyle::None, false, false},
    };
    for (const Case& c : cases) {
        port.showMessageBoxModeless("Caption", c.style, "The message", [](BoxButton) {});
        QWidget* window = shownWindow("frmCustMsgbox");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Caption");
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(labelText(window, "Label1"), "The message");
        EXPECT_EQ(buttonShown(window, "cmdYes"), c.yesNo);
        EXPECT_EQ(buttonShown(window, "cmdNo"), c.yesNo);
        EXPECT_EQ(buttonShown(window, "cmdOK"), c.ok);
    }
}

TEST_F(QtDialogPortTest, MessagesAreShownAsPlainText) {
    const std::string markup = "<b>bold</b> &amp; <a href=\"x\">link</a>";
    port.showMessageBoxModeless("t", BoxStyle::Ok, markup, [](BoxButton) {});
    auto* label = shownWindow("frmCustMsgbox")->findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text().toStdString(), markup);
}

TEST_F(QtDialogPortTest, ModelessBoxReturnsAtOnceAndAnswersOnce) {
    std::vector<BoxButton> answers;
    port.showMessageBoxModeless("t", BoxStyle::YesNo, "m",
                                [&](BoxButton button) { answers.push_back(button); });
    QWidget* window = shownWindow("frmCustMsgbox");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(answers.empty());

    clickChild(window, "cmdNo");
    EXPECT_EQ(answers, std::vector<BoxButton>{BoxButton::No});
    EXPECT_FALSE(window->isVisible());
    QTest::qWait(20);
    EXPECT_EQ(answers.size(), 1u);
}

TEST_F(QtDialogPortTest, ModelessBoxClosedByTheWindowButtonAnswersClosedOnce) {
    std::vector<BoxButton> answers;
    port.showMessageBoxModeless("t", BoxStyle::YesNo, "m",
                                [&](BoxButton button) { answers.push_back(button); });
    QWidget* window = shownWindow("frmCustMsgbox");
    ASSERT_NE(window, nullptr);
    window->close();
    window->close();
    EXPECT_EQ(answers, std::vector<BoxButton>{BoxButton::Closed});
}

TEST_F(QtDialogPortTest, ANewBoxReusesTheWindowAndClosesTheOldRequest) {
    std::vector<BoxButton> first;
    std::vector<BoxButton> second;
    port.showMessageBoxModeless("one", BoxStyle::YesNo, "first",
                                [&](BoxButton button) { first.push_back(button); });
    port.showMessageBoxModeless("two", BoxStyle::Ok, "second",
                                [&](BoxButton button) { second.push_back(button); });
    EXPECT_EQ(first, std::vector<BoxButton>{BoxButton::Closed});
    ASSERT_EQ(windowsNamed("frmCustMsgbox").size(), 1u);
    QWidget* window = shownWindow("frmCustMsgbox");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(labelText(window, "Label1"), "second");

    clickChild(window, "cmdOK");
    EXPECT_EQ(first, std::vector<BoxButton>{BoxButton::Closed});
    EXPECT_EQ(second, std::vector<BoxButton>{BoxButton::Ok});
}

TEST_F(QtDialogPortTest, ABoxOpenedInsideAModalOneNeverAnswersForIt) {
    std::vector<BoxButton> nested;
    whenShown("frmCustMsgbox", [&](QWidget*) {
        port.showMessageBoxModeless("nested", BoxStyle::YesNo, "other question",
                                    [&](BoxButton button) { nested.push_back(button); });
    });
    // The outer box lost its window to the nested one: it reports Closed,
    // not the nested box's answer.
    EXPECT_EQ(port.showMessageBoxModal("outer", BoxStyle::YesNo, "question"), BoxButton::Closed);
    QWidget* window = shownWindow("frmCustMsgbox");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    clickChild(window, "cmdYes");
    EXPECT_EQ(nested, std::vector<BoxButton>{BoxButton::Yes});
}

TEST_F(QtDialogPortTest, NestedModalBoxesEachReturnTheirOwnButton) {
    BoxButton inner = BoxButton::Ok;
    whenShown("frmCustMsgbox", [&](QWidget*) {
        whenShown("frmCustMsgbox", [](QWidget* window) { clickChild(window, "cmdNo"); });
        inner = port.showMessageBoxModal("inner", BoxStyle::YesNo, "inner?");
    });
    EXPECT_EQ(port.showMessageBoxModal("outer", BoxStyle::YesNo, "outer?"), BoxButton::Closed);
    EXPECT_EQ(inner, BoxButton::No);
    EXPECT_EQ(shownWindow("frmCustMsgbox"), nullptr);
}

TEST_F(QtDialogPortTest, NoticeShowsBothTextsAndClosesItselfAfterTheInterval) {
    port.showNotice("Heading", "Details here", true, 30, false);
    QWidget* window = shownWindow("frmCustMsg");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(labelText(window, "Label3"), "Heading");
    EXPECT_EQ(labelText(window, "Label1"), "Details here");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
}

TEST_F(QtDialogPortTest, NoticeWithoutAutoCloseStaysOpen) {
    port.showNotice("Heading", "Stays", false, 20, false);
    QWidget* window = shownWindow("frmCustMsg");
    ASSERT_NE(window, nullptr);
    QTest::qWait(200);
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtDialogPortTest, ReusedNoticeFollowsTheNewestRequest) {
    port.showNotice("first", "closes soon", true, 30, false);
    port.showNotice("second", "stays", false, 30, false);
    ASSERT_EQ(windowsNamed("frmCustMsg").size(), 1u);
    QWidget* window = shownWindow("frmCustMsg");
    ASSERT_NE(window, nullptr);
    QTest::qWait(200);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(labelText(window, "Label3"), "second");
}

TEST_F(QtDialogPortTest, ModalNoticeReturnsOnceItClosedItself) {
    bool forced = false;
    // Should the timer fail, close the notice so the test ends and fails.
    QTimer::singleShot(5000, [&] {
        if (QWidget* window = shownWindow("frmCustMsg")) {
            forced = true;
            window->close();
        }
    });
    port.showNotice("Wait", "a moment", true, 30, true);
    EXPECT_FALSE(forced);
    EXPECT_EQ(shownWindow("frmCustMsg"), nullptr);
}

TEST_F(QtDialogPortTest, RuntimeErrorIsModelessAndItsOkRunsTheCallbackOnce) {
    int oks = 0;
    port.showRuntimeError("kelvo Error", "13: Type mismatch\nMutPma", [&] { ++oks; });
    QWidget* window = shownWindow("frmRuntimeError");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "kelvo Error");
    EXPECT_EQ(labelText(window, "Label1"), "13: Type mismatch\nMutPma");
    EXPECT_EQ(oks, 0);
    clickChild(window, "cmdOK");
    EXPECT_EQ(oks, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtDialogPortTest, ClosingTheRuntimeErrorCountsAsItsOk) {
    int oks = 0;
    port.showRuntimeError("kelvo Error", "m", [&] { ++oks; });
    shownWindow("frmRuntimeError")->close();
    EXPECT_EQ(oks, 1);
}

TEST_F(QtDialogPortTest, AReplacedRuntimeErrorNeverRunsItsCallback) {
    int firstOks = 0;
    int secondOks = 0;
    port.showRuntimeError("kelvo Error", "one", [&] { ++firstOks; });
    port.showRuntimeError("kelvo Error", "two", [&] { ++secondOks; });
    ASSERT_EQ(windowsNamed("frmRuntimeError").size(), 1u);
    clickChild(shownWindow("frmRuntimeError"), "cmdOK");
    EXPECT_EQ(firstOks, 0);
    EXPECT_EQ(secondOks, 1);
}

TEST_F(QtDialogPortTest, ErrorDialogLinkRunsTheActionAndOkReturns) {
    int links = 0;
    whenShown("frmError", [](QWidget* window) {
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(labelText(window, "lblError"), "<i>Audio</i> problem");
        EXPECT_EQ(labelText(window, "lblLink"), "Click here");
        EXPECT_EQ(window->findChild<QLabel*>("lblLink")->textFormat(), Qt::PlainText);
        clickChild(window, "lblLink");
        EXPECT_TRUE(window->isVisible());
        clickChild(window, "cmdOK");
    });
    EXPECT_EQ(port.showErrorDialog("Error", BoxStyle::Ok, "<i>Audio</i> problem", "Click here",
                                   true, [&] { ++links; }),
              BoxButton::Ok);
    EXPECT_EQ(links, 1);
}

TEST_F(QtDialogPortTest, ModelessErrorDialogReturnsAtOnce) {
    EXPECT_EQ(port.showErrorDialog("Error", BoxStyle::YesNo, "m", "link", false, [] {}),
              BoxButton::Ok);
    QWidget* window = shownWindow("frmError");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(buttonShown(window, "cmdYes"));
    EXPECT_FALSE(buttonShown(window, "cmdOK"));
}

} // namespace
} // namespace kelvo
