// The "Save New Device" dialog on its own: what it lists, a refill, the boxes by the defaults, and Save
// with nothing to save, and headings that show whole.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "AppTestEnvironment.h"
#include "config/ui/SaveNewDev.h"
#include "db/DbErrorBox.h"
#include "support/CompetingWriter.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

using app_test::PumpUntil;

namespace {

struct SaveDialogFixture : ::testing::Test {
  testing_support::TempDatabase database;
  testing_support::MessageRecorder mainWindow;
  wxFrame* parent = new wxFrame(nullptr, wxID_ANY, "parent");
  ~SaveDialogFixture() override { parent->Destroy(); }

  void AddNew(const std::string& mac, const std::string& name, int type, int status = 0) {
    ASSERT_TRUE(database.Exec("INSERT INTO device_list (ip, mac, name, type, status) VALUES ('127.0.0.9', ?, ?, ?, ?)",
                              {mac, name, type, status}));
  }
};

std::vector<std::string> Names(wxListCtrl* list) {
  std::vector<std::string> names;
  for (long row = 0; row < list->GetItemCount(); ++row) names.push_back(list->GetItemText(row, 1).utf8_string());
  return names;
}

TEST_F(SaveDialogFixture, ListsNewApsAndSwitchesOnceEvenAfterARefill) {
  AddNew("02:44:71:0A:00:01", "SW_1", 1);
  AddNew("02:44:71:0B:00:01", "AP_1", 2);
  AddNew("02:44:71:0B:00:02", "AP_2", 2, 5);  // replacing another AP: not listed
  AddNew("02:44:71:0C:00:01", "DEV_1", 0);    // unknown device: not listed
  CSaveNewDevDlg dialog(parent);
  EXPECT_EQ(Names(dialog.SwitchList()), std::vector<std::string>{"SW_1"});
  EXPECT_EQ(Names(dialog.ApList()), std::vector<std::string>{"AP_1"});
  EXPECT_EQ(dialog.ApList()->GetItemText(0, 2).utf8_string(), "AP");
  EXPECT_EQ(dialog.SwitchList()->GetItemText(0, 2).utf8_string(), "switch");
  EXPECT_FALSE(dialog.ApList()->IsItemChecked(0)) << "the defaults say not to apply";

  AddNew("02:44:71:0A:00:02", "SW_2", 1);
  ASSERT_TRUE(database.Exec("UPDATE global_setting SET b_apply_defparam = '1'"));
  dialog.FillLists();
  EXPECT_EQ(Names(dialog.SwitchList()), (std::vector<std::string>{"SW_1", "SW_2"}));
  EXPECT_TRUE(dialog.ApList()->IsItemChecked(0));
}

TEST_F(SaveDialogFixture, EveryHeadingShowsWhole) {
  AddNew("02:44:71:0B:00:01", "AP_1", 2);
  CSaveNewDevDlg dialog(parent);
  dialog.Show();
  testing_support::SaveCapture(testing_support::CaptureWindow(&dialog), "save_new_device");
  for (wxListCtrl* list : {dialog.ApList(), dialog.SwitchList()}) {
    for (int column = 0; column < list->GetColumnCount(); ++column) {
      wxListItem heading;
      heading.SetMask(wxLIST_MASK_TEXT);
      list->GetColumn(column, heading);
      const int checkBox = list == dialog.ApList() && column == 0 ? 20 : 0;
      EXPECT_GT(list->GetColumnWidth(column), list->GetTextExtent(heading.GetText()).x + 8 + checkBox)
          << heading.GetText();
    }
  }
  dialog.Hide();
}

TEST_F(SaveDialogFixture, SaveWithNothingListedEndsAtOnce) {
  CSaveNewDevDlg dialog(parent);
  dialog.CallAfter([&dialog] {
    wxCommandEvent save(wxEVT_BUTTON, wxID_OK);
    dialog.FindWindow(wxID_OK)->ProcessWindowEvent(save);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_TRUE(mainWindow.Messages().empty()) << "no worker, so polling is neither locked nor restarted";
}

TEST_F(SaveDialogFixture, SaveMovesEveryListedDeviceAndEndsWithOk) {
  AddNew("02:44:71:0A:00:01", "SW_1", 1);
  AddNew("02:44:71:0B:00:01", "AP_1", 2);
  CSaveNewDevDlg dialog(parent);
  dialog.CallAfter([&dialog] {
    wxCommandEvent save(wxEVT_BUTTON, wxID_OK);
    dialog.FindWindow(wxID_OK)->ProcessWindowEvent(save);
    EXPECT_FALSE(dialog.FindWindow(wxID_CANCEL)->IsEnabled()) << "both buttons wait for the worker";
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(dialog.Progress()->GetValue(), 50);
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list"), "0");
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list_prev"), "2");
  EXPECT_TRUE(mainWindow.WaitFor(0x4F5, 1));
}

TEST_F(SaveDialogFixture, SaveWhileAnotherProgramHoldsTheDatabaseSaysSoAndKeepsTheDevicesNew) {
  AddNew("02:44:71:0A:00:01", "SW_1", 1);
  AddNew("02:44:71:0B:00:01", "AP_1", 2);
  testing_support::MessageBoxRecorder boxes;
  testing_support::CompetingWriter writer;
  CSaveNewDevDlg dialog(parent);
  dialog.CallAfter([&dialog] {
    wxCommandEvent save(wxEVT_BUTTON, wxID_OK);
    dialog.FindWindow(wxID_OK)->ProcessWindowEvent(save);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  writer.LetGo();
  const std::vector<std::string> texts = boxes.Texts();
  ASSERT_FALSE(texts.empty());
  for (const std::string& text : texts) EXPECT_EQ(text, db::kDatabaseInUse);
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list"), "2");
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list_prev"), "0");
  EXPECT_NE(database.ExceptionLog().find("database is locked"), std::string::npos) << "the engine's text is kept";
}

}  // namespace
