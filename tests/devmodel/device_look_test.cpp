// The status words, icons and shades of the AP list and the device tree, and the header bar's tables:
// which controls each mode shows and which command each button sends.
#include <gtest/gtest.h>

#include "devmodel/DeviceCommandIds.h"
#include "devmodel/DeviceLook.h"
#include "devmodel/HeaderBarModel.h"

namespace {

TEST(DeviceLook, TheApListShowsEveryStatusWithItsWordIconAndShade) {
  struct Case {
    int status;
    const char* text;
    int image;
    RowShade shade;
  };
  const Case cases[] = {{0, "Online", kApOnline, RowShade::Window},
                        {1, "New", kApNew, RowShade::NewDevice},
                        {2, "Offline", kApOffline, RowShade::Offline},
                        {3, "Changed", kApChanged, RowShade::Window},
                        {4, "Replace", kApReplace, RowShade::NewDevice},
                        {5, "System-key Error", kApSysKeyError, RowShade::NewDevice},
                        {6, "System-key Error", kApSysKeyError, RowShade::Offline},
                        {7, "DHCP Error", kApDhcpError, RowShade::Offline},
                        {8, "Not Available", kApNotAvailable, RowShade::Offline},
                        {9, "Password Error", kApPasswordError, RowShade::Offline},
                        {-1, "", -1, RowShade::Window},
                        {10, "", -1, RowShade::Window}};
  for (const Case& c : cases) {
    const StatusLook look = ApListStatusLook(c.status);
    EXPECT_EQ(look.text, c.text) << c.status;
    EXPECT_EQ(look.image, c.image) << c.status;
    EXPECT_EQ(look.shade, c.shade) << c.status;
  }
}

TEST(DeviceLook, TheTreeShadesByKindAndStatus) {
  struct Case {
    int kind, status, image;
    RowShade shade;
  };
  const Case cases[] = {{2, 3, kTreeApChanged, RowShade::Changed},     {1, 3, kTreeSwitch, RowShade::Window},
                        {1, 1, kTreeSwitchNew, RowShade::NewDevice},  {0, 1, kTreeOtherDevice, RowShade::Window},
                        {2, 4, kTreeApReplace, RowShade::NewDevice},  {1, 4, kTreeSwitch, RowShade::Window},
                        {0, 5, kTreeSysKeyError, RowShade::NewDevice}, {0, 6, kTreeOtherDevice, RowShade::Window},
                        {1, 6, kTreeSysKeyError, RowShade::Offline},  {2, 9, kTreePasswordError, RowShade::Offline},
                        {2, -1, kTreeSwitch, RowShade::Window},       {0, 42, kTreeOtherDevice, RowShade::Window}};
  for (const Case& c : cases) {
    const StatusLook look = DeviceTreeLook(c.kind, c.status);
    EXPECT_EQ(look.image, c.image) << c.kind << "/" << c.status;
    EXPECT_EQ(look.shade, c.shade) << c.kind << "/" << c.status;
  }
}

TEST(HeaderBar, EachModeShowsItsControlsAndAnUnknownModeChangesNothing) {
  HeaderControlGroups groups;
  ASSERT_TRUE(CHeaderBarModel::ControlsOf(0, groups));
  EXPECT_TRUE(groups.viewRadios && groups.listControls);
  EXPECT_FALSE(groups.deviceButtons || groups.mapButtons || groups.firmwareControls || groups.firmwareRadios);
  ASSERT_TRUE(CHeaderBarModel::ControlsOf(2, groups));
  EXPECT_TRUE(groups.viewRadios && groups.deviceButtons && groups.mapButtons);
  EXPECT_FALSE(groups.listControls) << "the one-row header has no second row";
  ASSERT_TRUE(CHeaderBarModel::ControlsOf(4, groups));
  EXPECT_TRUE(groups.firmwareRadios && groups.firmwareControls);
  EXPECT_FALSE(groups.viewRadios || groups.listControls);
  EXPECT_FALSE(CHeaderBarModel::ControlsOf(5, groups));
  EXPECT_TRUE(groups.firmwareRadios) << "left as it was";
}

TEST(HeaderBar, ButtonsForwardTheCommandOfTheCurrentViewAndShape) {
  using B = HeaderButton;
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::Configuration, 0, 0), devcmd::kListConfiguration);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::Customize, 0, 0), devcmd::kListCustomColumns);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::Configuration, 1, 0), devcmd::kTreeConfiguration);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::ReloadPrevious, 1, 0), devcmd::kTreeApReloadPrevious);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::SaveToDatabase, 2, kMapSwitchShape), devcmd::kMapSwitchSaveToDatabase);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::SaveToDatabase, 2, kMapApShape), devcmd::kMapApSaveToDatabase);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::DeleteFromDatabase, 2, kMapOtherShape), devcmd::kDeleteOtherDevice);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::Configuration, 2, kMapOtherShape), 0);
  EXPECT_EQ(CHeaderBarModel::ButtonCommand(B::Configuration, 3, 0), 0);
}

TEST(HeaderBar, OnlyTheAutomaticChannelColumnMapsEnableAndDisable) {
  EXPECT_EQ(CHeaderBarModel::StoredFilterValue("crvAPAutoChannel", "Enable"), "1");
  EXPECT_EQ(CHeaderBarModel::StoredFilterValue("crvapautochannel", "Disable"), "0");
  EXPECT_EQ(CHeaderBarModel::StoredFilterValue("crvAPAutoChannel", "6"), "6");
  EXPECT_EQ(CHeaderBarModel::StoredFilterValue("crvAPssid", "Enable"), "Enable");
}

}  // namespace
