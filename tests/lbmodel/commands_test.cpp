// The load-balance group commands over a scripted service: what they ask of it, what the action log and the
// tree say afterwards, and that a failure neither reports success nor lets the tree differ from the store.
#include <gtest/gtest.h>

#include "FakeLoadBalanceService.h"
#include "lbmodel/ApListRows.h"
#include "lbmodel/LoadBalanceCommands.h"

namespace {

using Texts = std::vector<std::string>;

class LoadBalanceCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    service.apList = {MakeAp("AP_1", "127.0.0.11", "m1"), MakeAp("AP_2", "127.0.0.12", "m2"),
                      MakeAp("AP_3", "127.0.0.13", "m3", "lobby")};
    LoadBalanceGroupRecord lobby;
    lobby.group_name = "lobby";
    lobby.index = 3;
    lobby.load_balance = 1;
    lobby.type = "corvath";
    lobby.aps = {MakeAp("AP_3", "127.0.0.13", "m3", "lobby"), MakeAp("AP_4", "127.0.0.14", "m4", "lobby")};
    lobby.aps[0].crvAPWaterLevelBalancing = "1";
    service.stored = {lobby};
    ASSERT_TRUE(commands.Refresh());
    service.calls.clear();
  }
  // The tree as "group(image):label(image),label(image)" per root.
  Texts Tree() const {
    Texts roots;
    for (const LbTreeNode& root : commands.Tree().Roots()) {
      std::string line = root.text + "(" + std::to_string(root.image) + "):";
      for (const LbTreeNode& child : root.children)
        line += child.text + "(" + std::to_string(child.image) + "),";
      roots.push_back(line);
    }
    return roots;
  }
  CLoadBalanceGroupForm NewGroup(const std::string& name, const std::vector<ApInfoRecord>& picked) {
    CLoadBalanceGroupForm form = commands.PrepareAddGroup({});
    form.Begin();
    form.name = name;
    EXPECT_EQ(form.Ok(picked, -1, "").kind, FormAnswer::Close);
    return form;
  }

  FakeLoadBalanceService service;
  Texts log;
  CLoadBalanceCommands commands{service, [this](const std::string& line) { log.push_back(line); }};
};

TEST_F(LoadBalanceCommandsTest, RefreshShowsTheStoredGroupsAndAFailedReadShowsNone) {
  EXPECT_EQ(Tree(), (Texts{"lobby(0):AP_3 : (m3) : 127.0.0.13(1),AP_4 : (m4) : 127.0.0.14(2),"}));
  EXPECT_TRUE(commands.Tree().Roots()[0].expanded);
  service.failing = {"LoadGroups"};
  EXPECT_FALSE(commands.Refresh());
  EXPECT_TRUE(Tree().empty());
  EXPECT_TRUE(commands.Groups().empty());
}

TEST_F(LoadBalanceCommandsTest, AddGroupBalancesTheTickedApsAndLeavesOutThoseThatFailed) {
  const CLoadBalanceGroupForm prepared = commands.PrepareAddGroup({service.apList[2], service.apList[0]});
  ASSERT_EQ(prepared.selectedAps.size(), 1u) << "an AP already in a group is not offered";
  EXPECT_EQ(FakeLoadBalanceService::Ips(prepared.candidateAps), "127.0.0.12") << "picked APs are not candidates too";
  EXPECT_EQ(prepared.groupNames, (Texts{"lobby"}));

  service.unreachable = {"127.0.0.12"};
  const CLoadBalanceGroupForm form =
      NewGroup("hall", {MakeAp("", "127.0.0.11", "m1"), MakeAp("", "127.0.0.12", "m2")});
  ASSERT_TRUE(commands.AddGroup(form));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.11,127.0.0.12:1:ssid", "Save:127.0.0.11:ssid",
                                  "CreateGroup:hall:127.0.0.11"}));
  EXPECT_EQ(log, (Texts{"Add LoadBalance Group [hall] Succeed"}));
  EXPECT_EQ(Tree().back(), "hall(0):AP_1 : (m1) : 127.0.0.11(1),");
  const LoadBalanceGroupRecord& hall = commands.Groups().back();
  EXPECT_EQ(hall.index, 7);
  EXPECT_EQ(hall.type, "corvath");
  EXPECT_EQ(hall.founder_name, "default");
  ASSERT_EQ(hall.aps.size(), 1u);
  EXPECT_EQ(hall.aps[0].group_balance, "hall");
}

TEST_F(LoadBalanceCommandsTest, AFailedStepEndsAddGroupWithoutSuccess) {
  for (const char* step : {"SetLoadBalance", "Save", "CreateGroup"}) {
    service.failing = {step};
    log.clear();
    EXPECT_FALSE(commands.AddGroup(NewGroup("hall", {MakeAp("", "127.0.0.11", "m1")}))) << step;
    EXPECT_TRUE(log.empty()) << step;
    EXPECT_EQ(Tree().size(), 1u) << step;
    EXPECT_EQ(commands.Groups().size(), 1u) << step;
  }
}

TEST_F(LoadBalanceCommandsTest, TwoSsidsWithoutAChoiceOnlyLogTheRefusal) {
  CLoadBalanceGroupForm form = commands.PrepareAddGroup({});
  form.Begin();
  form.name = "hall";
  ASSERT_EQ(form.Ok({MakeAp("", "127.0.0.11", "m1", "", "a"), MakeAp("", "127.0.0.12", "m2", "", "b")}, -1, "").kind,
            FormAnswer::AskSsidChoice);
  EXPECT_FALSE(commands.AddGroup(form));
  EXPECT_TRUE(service.calls.empty());
  EXPECT_EQ(log, (Texts{"Add LoadBalance Group [hall] Failed, SSId is different"}));
}

TEST_F(LoadBalanceCommandsTest, AddingApsWithANewSsidSendsItToTheMembersWithoutListingThemTwice) {
  std::optional<CLoadBalanceGroupForm> form = commands.PrepareAddAps("lobby");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->groupSsid, "corvath");
  EXPECT_EQ(FakeLoadBalanceService::Ips(form->candidateAps), "127.0.0.11,127.0.0.12");
  form->Begin();
  EXPECT_TRUE(form->AddMode());
  form->AgreeToChooseSsid();
  ASSERT_EQ(form->Ok({MakeAp("", "127.0.0.11", "m1", "", "hall")}, 1, "hall").kind, FormAnswer::Close);
  ASSERT_TRUE(commands.AddAps("lobby", *form));
  EXPECT_EQ(service.calls,
            (Texts{"SetLoadBalance:127.0.0.11,127.0.0.13,127.0.0.14:1:ssid", "Save:127.0.0.11,127.0.0.13,127.0.0.14:ssid",
                   "AddApsToGroup:lobby:127.0.0.11,127.0.0.13,127.0.0.14:hall"}));
  const LoadBalanceGroupRecord& lobby = commands.Groups()[0];
  EXPECT_EQ(FakeLoadBalanceService::Ips(lobby.aps), "127.0.0.13,127.0.0.14,127.0.0.11") << "one entry per MAC";
  EXPECT_EQ(lobby.type, "hall") << "the group keeps the SSID it now has";
  EXPECT_EQ(Tree(), (Texts{"lobby(0):AP_1 : (m1) : 127.0.0.11(1),AP_3 : (m3) : 127.0.0.13(1),AP_4 : (m4) : "
                           "127.0.0.14(1),"}))
      << "the nodes of the APs set are made anew";
  EXPECT_TRUE(log.empty()) << "adding APs writes no line";
  EXPECT_FALSE(commands.PrepareAddAps("nowhere"));
}

TEST_F(LoadBalanceCommandsTest, RemovingAllApsKeepsTheOnesTheStoreKept) {
  service.unremovable = {"m4"};
  EXPECT_FALSE(commands.DeleteGroupAps("lobby"));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.13,127.0.0.14:0:ssid", "Save:127.0.0.13,127.0.0.14",
                                  "Remove:lobby:m3", "Remove:lobby:m4"}));
  EXPECT_EQ(service.saved.back()[1].crvAPWaterLevelBalancing, "0");
  EXPECT_EQ(Tree(), (Texts{"lobby(0):AP_4 : (m4) : 127.0.0.14(2),"})) << "the node of the AP still in the group stays";
  EXPECT_EQ(log, (Texts{"Delete All aps of LoadBalance Group [lobby] Failed"}));
  log.clear();

  service.unremovable.clear();
  service.calls.clear();
  EXPECT_TRUE(commands.DeleteGroupAps("lobby"));
  EXPECT_EQ(service.calls.back(), "SetGroupLoadBalance:lobby:1") << "an emptied group keeps its member flag";
  EXPECT_EQ(Tree(), (Texts{"lobby(0):"}));
  EXPECT_EQ(log, (Texts{"Delete All aps of LoadBalance Group [lobby] Succeeded"}));
}

TEST_F(LoadBalanceCommandsTest, RemovingOneAp) {
  const std::string label = "AP_3 : (m3) : 127.0.0.13";
  service.unremovable = {"m3"};
  EXPECT_FALSE(commands.DeleteApNode("lobby", label));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.13:0", "Save:127.0.0.13", "Remove:lobby:m3"}));
  EXPECT_EQ(Tree().size(), 1u);
  EXPECT_EQ(commands.Groups()[0].aps.size(), 2u);
  EXPECT_TRUE(log.empty());

  service.unremovable.clear();
  EXPECT_TRUE(commands.DeleteApNode("lobby", label));
  EXPECT_EQ(Tree(), (Texts{"lobby(0):AP_4 : (m4) : 127.0.0.14(2),"}));
  EXPECT_EQ(log, (Texts{"Disable the ap[" + label + "] from the group[lobby] Succeeded"}));
  EXPECT_FALSE(commands.DeleteApNode("lobby", label)) << "no longer a member";
}

TEST_F(LoadBalanceCommandsTest, SwitchingBalancingLogsOnlyWhatHappened) {
  EXPECT_FALSE(commands.SetGroupBalancing("nowhere", true));
  service.failing = {"SetGroupLoadBalance"};
  EXPECT_FALSE(commands.SetGroupBalancing("lobby", false));
  EXPECT_EQ(log, (Texts{"Disable LoadBalance Group [lobby] Failed"}));
  EXPECT_EQ(commands.Groups()[0].load_balance, 1);
  log.clear();

  service.failing.clear();
  service.calls.clear();
  service.unreachable = {"127.0.0.14"};
  ASSERT_TRUE(commands.SetGroupBalancing("lobby", false));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.13,127.0.0.14:0", "Save:127.0.0.13",
                                  "SetGroupLoadBalance:lobby:0"}));
  EXPECT_EQ(log, (Texts{"Disable LoadBalance Group [lobby] Succeeded"}));
  EXPECT_EQ(Tree(), (Texts{"lobby(2):AP_3 : (m3) : 127.0.0.13(2),AP_4 : (m4) : 127.0.0.14(2),"}));
  EXPECT_EQ(commands.Groups()[0].load_balance, 0);
}

TEST_F(LoadBalanceCommandsTest, DeleteAndRename) {
  ASSERT_TRUE(commands.RenameGroup("lobby", "O'Brien"));
  EXPECT_EQ(service.calls.back(), "Rename:lobby:O'Brien");
  EXPECT_EQ(Tree()[0].substr(0, 11), "O'Brien(0):");
  EXPECT_EQ(commands.Groups()[0].aps[0].group_balance, "O'Brien");
  EXPECT_EQ(log.back(), "LoadBalance Group [lobby] Renamed [O'Brien] Succeeded");

  service.failing = {"DeleteGroup"};
  EXPECT_FALSE(commands.DeleteGroup("O'Brien"));
  EXPECT_EQ(Tree().size(), 1u);
  service.failing.clear();
  service.unreachable = {"127.0.0.13"};
  service.calls.clear();
  ASSERT_TRUE(commands.DeleteGroup("O'Brien"));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.13,127.0.0.14:0:ssid", "Save:127.0.0.13,127.0.0.14",
                                  "DeleteGroup:O'Brien"}))
      << "every member is stored as not balancing, also one that did not answer";
  EXPECT_TRUE(Tree().empty());
  EXPECT_TRUE(commands.Groups().empty());
  EXPECT_EQ(log.back(), "Delete LoadBalance Group [O'Brien] Succeeded");
}

TEST_F(LoadBalanceCommandsTest, JoinAndDropAddUngroupedAps) {
  ASSERT_TRUE(commands.JoinGroup("lobby", {service.apList[0], service.apList[2]}));
  EXPECT_EQ(service.calls, (Texts{"SetLoadBalance:127.0.0.11:1:ssid", "Save:127.0.0.11:ssid",
                                  "AddApsToGroup:lobby:127.0.0.11:corvath"}));
  EXPECT_EQ(FakeLoadBalanceService::Ips(commands.Groups()[0].aps), "127.0.0.13,127.0.0.14,127.0.0.11");

  EXPECT_FALSE(commands.DropApOnGroup(service.apList[2], "lobby")) << "an AP in a group is not moved";
  service.calls.clear();
  ASSERT_TRUE(commands.DropApOnGroup(service.apList[1], "lobby"));
  EXPECT_EQ(service.calls.front(), "SetLoadBalance:127.0.0.12:1");
  EXPECT_TRUE(Tree()[0].ends_with("AP_2 : (m2) : 127.0.0.12(1),")) << Tree()[0];
  service.unreachable = {"127.0.0.99"};
  EXPECT_FALSE(commands.DropApOnGroup(MakeAp("AP_9", "127.0.0.99", "m9"), "lobby")) << "nothing set, nothing joined";
}

TEST_F(LoadBalanceCommandsTest, SummaryCountsGroupsAndBalancingAps) {
  service.apList[2].crvAPWaterLevelBalancing = "1";
  EXPECT_EQ(commands.SummaryText("2026.12.11 05:00:00"),
            "Load Balance Summary \r\n\r\n"
            "\r\nTotal Load balance Group numbers\t:1 \r\n"
            "\r\nTotal Load balance AP numbers   \t:1 \r\n"
            "\r\nEnable Load balance Group numbers \t:1\r\n"
            "\r\nLast polling time   : 2026.12.11 05:00:00\r\n");
}

TEST(LoadBalanceTreeTest, GroupsOfOneNameShareANodeAndAnApIsShownOnce) {
  LoadBalanceGroupRecord first;
  first.group_name = "hall";
  first.index = 1;
  first.load_balance = 1;
  first.aps = {MakeAp("AP_1", "127.0.0.11", "m1")};
  LoadBalanceGroupRecord second = first;
  second.index = 2;
  second.load_balance = 0;
  second.aps.push_back(MakeAp("AP_2", "127.0.0.12", "m2"));
  LoadBalanceGroupRecord empty;
  empty.group_name = "empty";
  empty.load_balance = 1;
  CLoadBalanceTree tree;
  tree.Build({first, second, empty});
  ASSERT_EQ(tree.Roots().size(), 2u);
  const LbTreeNode& hall = tree.Roots()[0];
  EXPECT_EQ(hall.image, CLoadBalanceTree::kGroupImage) << "the first record makes the node";
  EXPECT_EQ(hall.data, 2);
  ASSERT_EQ(hall.children.size(), 2u);
  EXPECT_EQ(hall.children[0].text, "AP_1 : (m1) : 127.0.0.11") << "replaced by its new node at the end";
  EXPECT_EQ(hall.children[1].text, "AP_2 : (m2) : 127.0.0.12");
  EXPECT_EQ(tree.Roots()[1].image, CLoadBalanceTree::kGroupImage);
  EXPECT_TRUE(tree.Roots()[1].children.empty());

  tree.BuildGroup(empty, 1);
  EXPECT_EQ(tree.Roots()[1].image, CLoadBalanceTree::kGroupImage) << "single-group mode without APs leaves the image";
  EXPECT_EQ(FindGroup(std::vector<LoadBalanceGroupRecord>{first, second}, "hall")->index, 1);
}

TEST(ApListRowsTest, FilterAndStateImage) {
  std::vector<ApInfoRecord> aps = {MakeAp("a", "1", "m1"), MakeAp("b", "2", "m2", "hall"), MakeAp("c", "3", "m3")};
  std::vector<ApInfoRecord> grouped = aps;
  FilterApListByGroup(aps, true);
  EXPECT_EQ(FakeLoadBalanceService::Ips(aps), "1,3");
  FilterApListByGroup(grouped, false);
  EXPECT_EQ(FakeLoadBalanceService::Ips(grouped), "2");

  ApInfoRecord ap = MakeAp("a", "1", "m1", "", "");
  EXPECT_EQ(ApStateImage(ap), kApImage);
  ap.isnew = "1";
  EXPECT_EQ(ApStateImage(ap), kNewApImage);
  ap.online = "0";
  EXPECT_EQ(ApStateImage(ap), kOfflineApImage) << "offline wins over new";
  EXPECT_EQ(ApDialogRowTexts(ap)[0], "<NULL>");
  EXPECT_EQ(ApListRowTexts(ap)[0], "");
}

}  // namespace
