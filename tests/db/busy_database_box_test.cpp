// A database another program holds: the boxes say so in words, and the engine's text goes to the exception
// log. Any other database error still shows the engine's text.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PoolFixture.h"
#include "db/AccessDatabase.h"
#include "db/ApListDBManager.h"
#include "db/DbErrorBox.h"
#include "db/TopologyDBManager.h"
#include "support/CompetingWriter.h"

namespace {

using testing_support::CompetingWriter;

class BusyDatabaseBox : public PoolFixture {
 protected:
  void SetUp() override {
    Run("INSERT INTO device_list_prev (ip, mac, name, type) VALUES ('127.0.0.10', '02:44:71:0A:00:01', 'SW_1', 1)");
    Run("INSERT INTO device_list (ip, mac, name, type) VALUES ('127.0.0.11', '02:44:71:0B:00:01', 'AP_1', 2)");
  }
  int Count(const char* table) { return std::stoi(Column(std::string("SELECT COUNT(*) FROM ") + table).at(0)); }
};

struct Operation {
  const char* name;
  std::function<bool()> run;
};

const Operation kOperations[] = {
    {"clear", [] { return CAccessDatabase().ClearDatabase(); }},
    {"save new devices", [] { return TopologyDBManager().SetAllNewDeviceToManaged(nullptr); }},
    {"save the AP list's columns",
     [] { return ApListDBManager().SaveDisplayedApPropertyNames({{"ip", "IP"}}); }},
};

TEST_F(BusyDatabaseBox, AnOperationMeetingAHeldDatabaseSaysTheDatabaseIsInUse) {
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    const size_t boxesBefore = boxes_.Texts().size();
    {
      CompetingWriter writer;
      EXPECT_FALSE(operation.run());
    }
    const std::vector<std::string> texts = boxes_.Texts();
    ASSERT_EQ(texts.size(), boxesBefore + 1);
    EXPECT_EQ(texts.back(), db::kDatabaseInUse);
    EXPECT_EQ(Count("device_list_prev"), 1);
    EXPECT_EQ(Count("device_list"), 1);
  }
  const std::string log = ReadLog();
  size_t engineTexts = 0;
  for (size_t at = log.find("Exception__Desc: database is locked"); at != std::string::npos;
       at = log.find("Exception__Desc: database is locked", at + 1))
    ++engineTexts;
  EXPECT_EQ(engineTexts, std::size(kOperations)) << "each engine text is kept in the exception log once\n" << log;
}

TEST_F(BusyDatabaseBox, AnotherDatabaseErrorStillShowsTheEnginesText) {
  ASSERT_TRUE(database_.BreakWrites("device_list_prev", "DELETE"));
  EXPECT_FALSE(CAccessDatabase().ClearDatabase());
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_TRUE(boxes_.Texts()[0].starts_with("Exception__Desc: disk I/O error")) << boxes_.Texts()[0];
}

}  // namespace
