// The OK checks of the load-balance dialogs and of the export's date range.
#include <gtest/gtest.h>

#include <chrono>

#include "lbmodel/LoadBalanceForms.h"

namespace {

ApInfoRecord Ap(const std::string& ssid, const std::string& ip, const std::string& mac) {
  ApInfoRecord ap;
  ap.ssid = ssid;
  ap.ip = ip;
  ap.mac = mac;
  ap.location = "hall";  // not read back from a row
  return ap;
}

TEST(GroupFormTest, NameAndDescriptionChecks) {
  struct Case {
    std::string name;
    std::string description;
    std::vector<std::string> groupNames;
    FormAnswer::Kind kind;
    std::string message;
    bool errorBox;
  };
  const std::string thirty(30, 'n');
  std::string accented;  // thirty characters of two bytes each
  for (int i = 0; i < 30; ++i) accented += "\xC3\xA9";
  const Case cases[] = {
      {"", "", {}, FormAnswer::Stay, "Please input group name", true},
      {thirty, "", {}, FormAnswer::Close, "", false},
      {thirty + "n", "", {}, FormAnswer::Stay, "group name max length is 30 characters", true},
      {accented, "", {}, FormAnswer::Close, "", false},
      {"hall", std::string(50, 'd'), {}, FormAnswer::Close, "", false},
      {"hall", std::string(51, 'd'), {}, FormAnswer::Stay, "Description max length is 50 characters", true},
      {"Unknown_group", "", {}, FormAnswer::Stay, "Group name already exist, please retry...", false},
      {"unknown_group", "", {}, FormAnswer::Close, "", false},
      {"hall", "", {"lobby", "hall"}, FormAnswer::Stay, "Group name already exist, please retry...", false},
      {"Hall", "", {"lobby", "hall"}, FormAnswer::Close, "", false},
  };
  for (const Case& c : cases) {
    CLoadBalanceGroupForm form;
    form.name = c.name;
    form.description = c.description;
    form.groupNames = c.groupNames;
    form.Begin();
    const FormAnswer answer = form.Ok({}, -1, "");
    EXPECT_EQ(answer.kind, c.kind) << c.name;
    EXPECT_EQ(answer.message, c.message) << c.name;
    EXPECT_EQ(answer.errorBox, c.errorBox) << c.name;
  }
}

TEST(GroupFormTest, TickedApsOfOneSsidGiveTheGroupItsSsid) {
  CLoadBalanceGroupForm form;
  form.Begin();
  form.name = "hall";  // typed, not preset
  EXPECT_FALSE(form.AddMode());
  const FormAnswer answer = form.Ok({Ap("corvath", "127.0.0.11", "m1"), Ap("corvath", "127.0.0.12", "m2")}, 0, "other");
  EXPECT_EQ(answer.kind, FormAnswer::Close);
  EXPECT_EQ(form.groupSsid, "corvath") << "whatever the list shows";
  ASSERT_EQ(form.selectedAps.size(), 2u);
  EXPECT_EQ(form.selectedAps[1].ip, "127.0.0.12");
  EXPECT_EQ(form.selectedAps[1].location, "") << "only SSID, IP and MAC are read back";
}

TEST(GroupFormTest, TwoSsidsAskForTheGroupSsid) {
  const std::vector<ApInfoRecord> ticked = {Ap("corvath", "127.0.0.11", "m1"), Ap("hall", "127.0.0.12", "m2")};
  {  // No: the dialog closes and the caller refuses the group.
    CLoadBalanceGroupForm form;
    form.name = "lobby";
    form.Begin();
    const FormAnswer answer = form.Ok(ticked, -1, "");
    EXPECT_EQ(answer.kind, FormAnswer::AskSsidChoice);
    EXPECT_EQ(answer.message, "SSID is different , please choice the Group SSID");
    EXPECT_FALSE(form.chooseSsid);
    EXPECT_EQ(form.ssidSet, (std::set<std::string>{"corvath", "hall"}));
  }
  // Yes: OK then needs an SSID from the list; unticking one SSID does not shrink the set.
  CLoadBalanceGroupForm form;
  form.name = "lobby";
  form.Begin();
  ASSERT_EQ(form.Ok(ticked, -1, "").kind, FormAnswer::AskSsidChoice);
  form.AgreeToChooseSsid();
  const FormAnswer none = form.Ok({ticked[0]}, -1, "");
  EXPECT_EQ(none.kind, FormAnswer::Stay);
  EXPECT_EQ(none.message, "please choice the Group SSID");
  EXPECT_EQ(form.ssidSet.size(), 2u);
  const FormAnswer chosen = form.Ok({ticked[0]}, 0, "corvath");
  EXPECT_EQ(chosen.kind, FormAnswer::Close);
  EXPECT_EQ(form.groupSsid, "corvath");
}

TEST(GroupFormTest, AddModeKeepsThePresetSsidWithNothingTicked) {
  CLoadBalanceGroupForm form;
  form.name = "hall";
  form.groupSsid = "corvath";
  form.description = std::string(51, 'd');
  EXPECT_EQ(form.Begin(), "corvath");
  EXPECT_TRUE(form.AddMode());
  EXPECT_EQ(form.Ok({}, 0, "corvath").message, "Description max length is 50 characters") << "also in add mode";
  form.description = "desc";
  EXPECT_EQ(form.Ok({}, 0, "corvath").kind, FormAnswer::Close);
  EXPECT_TRUE(form.selectedAps.empty());
  EXPECT_EQ(form.ssidSet, (std::set<std::string>{"corvath"}));
  EXPECT_EQ(form.groupSsid, "corvath");
}

TEST(SmallFormsTest, JoinRenameAndReportDays) {
  EXPECT_EQ(CheckJoinChoice(-1, ""), "Please select the current group name");
  EXPECT_EQ(CheckJoinChoice(0, ""), "Group name can't be empty , please retry...");
  EXPECT_EQ(CheckJoinChoice(1, "hall"), "");

  struct Rename {
    std::string newName;
    FormAnswer::Kind kind;
    std::string message;
  };
  const std::vector<std::string> names = {"hall", "lobby"};
  const Rename renames[] = {
      {"hall", FormAnswer::Stay, ""},
      {"", FormAnswer::Stay, "Group name Can't be empty , please retry..."},
      {"lobby", FormAnswer::Stay, "Group name already exist, please retry..."},
      {"Lobby", FormAnswer::Close, ""},
      {" hall ", FormAnswer::Close, ""},
  };
  for (const Rename& r : renames) {
    const FormAnswer answer = CheckRename("hall", r.newName, names);
    EXPECT_EQ(answer.kind, r.kind) << r.newName;
    EXPECT_EQ(answer.message, r.message) << r.newName;
  }

  using std::chrono::hours;
  const platform::TimePoint now{std::chrono::seconds(1'800'000'000)};
  EXPECT_EQ(CheckReportDays(now - hours(48), now - hours(24), now), "");
  EXPECT_EQ(CheckReportDays(now, now, now), "");
  EXPECT_EQ(CheckReportDays(now - hours(24), now - hours(48), now), "Begining date can't be bigger than Ending date");
  EXPECT_EQ(CheckReportDays(now + hours(24), now + hours(48), now),
            "Beginning date can't be biger than the Current date");
}

}  // namespace
