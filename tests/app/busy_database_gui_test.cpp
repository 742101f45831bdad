// Clear Database while another program holds the database: the user is told in words that the database is
// in use, the devices stay, and the engine's own text goes to the exception log.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "app/Resources.h"
#include "db/AccessDatabase.h"
#include "db/DbErrorBox.h"
#include "support/CompetingWriter.h"
#include "uibase/CommandIds.h"

using app_test::ModalDialogRecorder;
using app_test::RunningApp;
using app_test::TestRoot;

TEST(BusyDatabaseGuiTest, ClearDatabaseSaysTheDatabaseIsInUse) {
  const std::filesystem::path folder = TestRoot() / "busy-clear";
  RunningApp app(folder);
  ASSERT_TRUE(app.Started());
  CAccessDatabase database;
  ASSERT_EQ(database.QueryValues("INSERT INTO device_list_prev (ip, mac, name, type) VALUES ('127.0.0.10', "
                                 "'02:44:71:0A:00:01', 'SW_1', 1) RETURNING mac", {}).size(), 1u);
  {
    testing_support::CompetingWriter writer;
    ModalDialogRecorder boxes(wxID_OK, ModalDialogRecorder::Mode::ShowThenPress);
    wxCommandEvent clear(wxEVT_MENU, cmd::WxId(cmd::ID_CLEAR_DATABASE));
    app.Frame()->ProcessWindowEvent(clear);
    const auto shown = boxes.Dialogs();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].message, res::kClearDatabaseConfirm);
    EXPECT_EQ(shown[1].message, db::kDatabaseInUse);
  }
  EXPECT_EQ(database.QueryValues("SELECT COUNT(*) FROM device_list_prev", {})[0][0], "1");
  std::ifstream log(folder / "Exception_log.txt");
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_NE(text.str().find("Exception__Desc: database is locked"), std::string::npos) << text.str();
}
