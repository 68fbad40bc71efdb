#include "tests/alarmmodel/database/AlarmsBench.h"

using namespace alarmsbench;

// Here only a driver with "Access" but without "Microsoft" in its description is installed.
TEST(NoAccessDriver, NoDataSourceIsCreatedAndNothingCopied)
{
    CAlarmsDatabase db;
    EXPECT_FALSE(db.CreateAccessDsn(L"Tervok Alarms Missing", L"Tervok alarms database"));
    EXPECT_EQ(CString(L"OK Creating ODBC System DSN \"Tervok Alarms Missing\"...\n"
                      L"Error Microsoft Access Driver not found.\n"),
              Joined(db.GetReportLines()));
}
