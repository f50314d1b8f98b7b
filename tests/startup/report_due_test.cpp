#include "startup/report_due.h"

#include "fakes/fake_error_sink.h"
#include "fakes/temp_dir.h"
#include "platform/atomic_file.h"
#include "services/hex_coding.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

using namespace std::chrono;

class ReportDueTest : public ::testing::Test {
protected:
    fakes::TempDir dir;
    fakes::FakeErrorSink errors;
    SettingsFile settings{dir / "mouse.ini", errors};
    year_month_day today{year(2009), month(3), day(20)};

    bool due(const std::string& ini) {
        EXPECT_TRUE(writeFileAtomically(settings.path(), ini).ok());
        return isStartupReportDue(settings, today);
    }
};

TEST_F(ReportDueTest, DueByTheLastContentUpdate) {
    const std::string recent = stringToHex("3/15/2009");
    const std::string old = stringToHex("3/1/2009");
    const std::string quiet = "[Yazoo]\nDate=x\nDisplay=False\n";
    struct Case {
        std::string etowah;
        bool due;
    };
    const std::vector<Case> cases = {
        {"Last=x\nDays=7\n", true},
        {"Last=" + recent + "\nDays=7\n", false},
        {"Last=" + recent + "\nDays=4\n", true},  // 15 + 4 = 19 < 20
        {"Last=" + recent + "\nDays=5\n", false}, // 15 + 5 = 20, not later
        {"Last=" + old + "\nDays=30\n", false},
        {"Last=" + old + "\nDays=18\n", true},
        // Unset or unreadable values make it due rather than stop the start.
        {"Days=7\n", true},
        {"Last=" + recent + "\n", true},
        {"Last=" + recent + "\nDays=seven\n", true},
        {"Last=zz\nDays=7\n", true},
        {"Last=" + stringToHex("not a date") + "\nDays=7\n", true},
        {"Last=" + recent + "\nDays=99999999999999\n", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(due("[Etowah]\n" + c.etowah + quiet), c.due) << c.etowah;
    }
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(ReportDueTest, DueByTheQuestionnaire) {
    const std::string etowah = "[Etowah]\nLast=" + stringToHex("3/15/2009") + "\nDays=30\n";
    struct Case {
        std::string yazoo;
        bool due;
    };
    const std::vector<Case> cases = {
        {"Date=x\nDisplay=True\n", true},
        {"Date=x\nDisplay=False\n", false},
        {"Date=x\n", false},
        {"Date=2/17/2009\n", true},  // 30 days on is 3/19
        {"Date=2/18/2009\n", false}, // 30 days on is 3/20, not later
        {"Date=12/3/2008\nDisplay=False\n", true},
        {"Date=garbage\nDisplay=True\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(due(etowah + "[Yazoo]\n" + c.yazoo), c.due) << c.yazoo;
    }
}

} // namespace
} // namespace kelvo
