// Clash renaming reports through the real conflicts notice, found by name in
// the window registry as the program registers it.
#include "ui/window_notices.h"

#include "fakes/catalogue_builder.h"
#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "speech/clash_renaming.h"
#include "ui/conflicts_notice_window.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(WindowNotices, ClashRenamingShowsItsReportInTheConflictsNotice) {
    fakes::TempDir dir;
    CatalogueFiles files{dir / "data", dir / "documents"};
    ASSERT_TRUE(
        writeFileAtomically(files.catalogue(), fakes::CatalogueBuilder().web("go mail", "1").xml())
            .ok());
    ASSERT_TRUE(writeFileAtomically(files.customStore(),
                                    "<cset><c d=\"go mail\" u=\"https://m\">go mail</c></cset>")
                    .ok());
    QtWindowRegistry windows;
    windows.registerWindow(ConflictsNoticeWindow::kName,
                           []() -> QWidget* { return new ConflictsNoticeWindow(); });
    WindowNotices notices(windows);
    fakes::FakeErrorSink errors;

    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* notice = windows.loaded(ConflictsNoticeWindow::kName);
        ASSERT_NE(notice, nullptr);
        shown = notice->findChild<QLabel*>("lblMsg")->text();
        notice->close();
    });
    renameClashingCustomCommands(files, errors, notices);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(shown.toStdString(),
              std::string(kConflictsHeading) + "\n\n  go mail is now => 'my go mail'");
}

} // namespace
} // namespace kelvo
