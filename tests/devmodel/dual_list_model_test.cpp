// The column chooser's two lists: moves both ways with the selection following the moved items, the
// available list sorted, reordering of scattered selections, and the button states.
#include <gtest/gtest.h>

#include "devmodel/DualListModel.h"

namespace {

using Side = CDualListModel::Side;
using Command = CDualListModel::Command;

class DualList : public ::testing::Test {
 protected:
  // Available: "Name", "IP", "MAC" (shown sorted); chosen: "SSID", "Channel", "Group".
  void SetUp() override {
    model_.AddAvailable("Name", 1);
    model_.AddAvailable("IP", 2);
    model_.AddAvailable("MAC", 3);
    model_.AddChosen("SSID", 4);
    model_.AddChosen("Channel", 5);
    model_.AddChosen("Group", 6);
    model_.Bind(false, false);
  }
  std::vector<std::string> Texts(Side side) const {
    std::vector<std::string> texts;
    for (auto key : model_.Rows(side)) texts.push_back(model_.Text(key));
    return texts;
  }
  CDualListModel model_;
};

TEST_F(DualList, BindShowsTheAvailableSortedTheChosenInOrderAndSelectsTheFirstRows) {
  EXPECT_EQ(Texts(Side::Available), (std::vector<std::string>{"IP", "MAC", "Name"}));
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"SSID", "Channel", "Group"}));
  EXPECT_EQ(model_.Selection(Side::Available), (std::set<int>{0}));
  EXPECT_EQ(model_.Selection(Side::Chosen), (std::set<int>{0}));
  const auto states = model_.States();
  EXPECT_TRUE(states.add && states.addAll && states.remove && states.removeAll && states.moveDown);
  EXPECT_FALSE(states.moveUp) << "the first row cannot go up";
}

TEST_F(DualList, AddMovesTheSelectedToTheEndOfTheChosenAndSelectsThemThere) {
  model_.SetSelection(Side::Available, {0, 2});  // IP, Name
  model_.Run(Command::Add);
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"SSID", "Channel", "Group", "IP", "Name"}));
  EXPECT_EQ(model_.Selection(Side::Chosen), (std::set<int>{3, 4}));
  EXPECT_EQ(Texts(Side::Available), (std::vector<std::string>{"MAC"}));
  EXPECT_EQ(model_.Selection(Side::Available), (std::set<int>{0})) << "the row at the first moved index, or the last";

  model_.DoubleClick(Side::Chosen);  // removes IP and Name again
  EXPECT_EQ(Texts(Side::Available), (std::vector<std::string>{"IP", "MAC", "Name"}));
  EXPECT_EQ(model_.Selection(Side::Available), (std::set<int>{0, 2}));
  EXPECT_EQ(model_.ChosenKeys(), (std::vector<CDualListModel::Key>{4, 5, 6}));
}

TEST_F(DualList, AllMovesEmptyOneSideAndSelectTheTargetsFirstRow) {
  model_.Run(Command::RemoveAll);
  EXPECT_TRUE(model_.ChosenKeys().empty());
  EXPECT_EQ(Texts(Side::Available).size(), 6u);
  EXPECT_EQ(model_.Selection(Side::Available), (std::set<int>{0}));
  auto states = model_.States();
  EXPECT_FALSE(states.remove || states.removeAll || states.moveUp || states.moveDown);
  model_.Run(Command::AddAll);
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"Channel", "Group", "IP", "MAC", "Name", "SSID"}))
      << "taken in the available list's order";
  states = model_.States();
  EXPECT_FALSE(states.add || states.addAll);
}

TEST_F(DualList, MovesPassOneUnselectedRowPerClickAndKeepABlockAtTheEdge) {
  model_.SetSelection(Side::Chosen, {1});  // Channel
  model_.Run(Command::MoveUp);
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"Channel", "SSID", "Group"}));
  EXPECT_EQ(model_.Selection(Side::Chosen), (std::set<int>{0}));
  model_.Run(Command::MoveUp);
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"Channel", "SSID", "Group"})) << "already at the top";

  model_.SetSelection(Side::Chosen, {0, 2});  // scattered: Channel and Group
  auto states = model_.States();
  EXPECT_TRUE(states.moveUp && states.moveDown) << "a gap allows both";
  model_.Run(Command::MoveDown);
  EXPECT_EQ(Texts(Side::Chosen), (std::vector<std::string>{"SSID", "Channel", "Group"}));
  EXPECT_EQ(model_.Selection(Side::Chosen), (std::set<int>{1, 2}));
  states = model_.States();
  EXPECT_TRUE(states.moveUp);
  EXPECT_FALSE(states.moveDown);
}

TEST(DualListSingleSelect, ASingleSelectListKeepsOneRow) {
  CDualListModel model;
  model.AddAvailable("b", 1);
  model.AddAvailable("a", 2);
  model.Bind(true, true);
  model.SetSelection(Side::Available, {0, 1});
  EXPECT_EQ(model.Selection(Side::Available), (std::set<int>{1}));
  model.Run(Command::Add);
  EXPECT_EQ(model.ChosenKeys(), (std::vector<CDualListModel::Key>{1}));
  EXPECT_EQ(model.States().remove, true);
}

}  // namespace
