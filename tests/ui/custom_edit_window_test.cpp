// The real editor window, typed into and clicked as a user does, saving
// through the real custom-command editor into files of a temporary folder.
#include "ui/custom_edit_window.h"

#include "fakes/custom_editor_rig.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/custom_command_store.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

class CustomEditWindowTest : public ::testing::Test, protected fakes::CustomEditorRig {
protected:
    CustomEditWindowTest() {
        writeFiles(dir.path(), "<GRAMMAR><Grammar/></GRAMMAR>");
        window = new CustomEditWindow(nullptr, editor, boxes);
    }
    ~CustomEditWindowTest() override { delete window.data(); }

    QLineEdit* box(const char* name) { return window->findChild<QLineEdit*>(name); }
    void click(const char* name) {
        QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    // Gone once the deletions it asked for have run.
    bool unloaded() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }
    std::vector<CustomCommand> store() {
        return readCustomCommandStore(files.customStore()).value();
    }

    fakes::TempDir dir;
    QPointer<CustomEditWindow> window;
};

TEST_F(CustomEditWindowTest, TypedCommandIsSavedInLowerCaseAndTheWindowGoes) {
    window->logic().openNew();
    EXPECT_EQ(window->windowTitle(), "Add Custom Voice Command");
    QTest::keyClicks(box("txtCommand"), "Open MySpace Home");
    box("txtWebsite")->clear();
    QTest::keyClicks(box("txtWebsite"), "http://www.myspace.com");
    click("cmdSaveClose");
    EXPECT_EQ(store(), (std::vector<CustomCommand>{
                           {"open myspace home", "open myspace home", "http://www.myspace.com"}}));
    EXPECT_TRUE(unloaded());
}

TEST_F(CustomEditWindowTest, BothBoxesEmptyGiveOneMissingDataBoxWithBothLines) {
    window->logic().openNew();
    box("txtWebsite")->clear();
    click("cmdSaveClose");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Missing Data");
    EXPECT_EQ(dialogs.shown[0].message, "Please complete step 1.\nPlease complete step 3.");
    EXPECT_TRUE(window->isVisible());
    click("cmdCancel");
    EXPECT_TRUE(store().empty());
    EXPECT_TRUE(unloaded());
}

TEST_F(CustomEditWindowTest, ModalEditSavesTheNewTargetThenReturns) {
    ASSERT_TRUE(editor.saveCustomCommand(kCustomStandard, "go fish", "http://old.example"));
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(box("txtCommand")->isReadOnly());
        box("txtWebsite")->setText("http://new.example");
        click("cmdSaveClose");
    });
    EXPECT_TRUE(window->logic().openEdit("go fish", "http://old.example"));
    EXPECT_EQ(store(), (std::vector<CustomCommand>{{"go fish", "go fish", "http://new.example"}}));
    EXPECT_TRUE(unloaded());
}

} // namespace
} // namespace kelvo
