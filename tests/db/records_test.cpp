// The shared records and the string matrix.
#include <gtest/gtest.h>

#include <stdexcept>

#include "db/ConnectionRecord.h"
#include "db/DeviceRecord.h"
#include "db/QuickLaunchEntry.h"
#include "db/StringMatrix.h"

namespace {

CStringMatrix TwoByThree() {
  CStringMatrix matrix;
  EXPECT_EQ(matrix.SetColumnCount(3), 2);
  EXPECT_EQ(matrix.SetRowCount(2), 1);
  matrix.SetCells({"a", "b", "c", "d", "e", "f"});
  return matrix;
}

TEST(StringMatrixTest, CellsAreAddressedRowByRowWithTheColumnCountAsStride) {
  const CStringMatrix matrix = TwoByThree();
  EXPECT_EQ(matrix.GetLastRow(), 1);
  EXPECT_EQ(matrix.GetLastColumn(), 2);
  EXPECT_EQ(matrix.GetCellCount(), 6);
  const struct {
    int row, column;
    const char* text;
  } cases[] = {{0, 0, "a"}, {0, 2, "c"}, {1, 0, "d"}, {1, 2, "f"}};
  for (const auto& c : cases) EXPECT_EQ(matrix.GetCell(c.row, c.column), c.text) << c.row << "," << c.column;
}

TEST(StringMatrixTest, CellsOutsideTheSequenceThrowAndAFreshMatrixIsEmpty) {
  const CStringMatrix matrix = TwoByThree();
  for (auto [row, column] : {std::pair{2, 0}, {-1, 0}, {0, -1}, {1, 3}})
    EXPECT_THROW(matrix.GetCell(row, column), std::out_of_range) << row << "," << column;
  const CStringMatrix fresh;
  EXPECT_EQ(fresh.GetLastRow(), -1);
  EXPECT_EQ(fresh.GetLastColumn(), -1);
  EXPECT_EQ(fresh.GetCellCount(), 0);
  EXPECT_THROW(fresh.GetCell(0, 0), std::out_of_range);
}

TEST(RecordsTest, FreshRecordsHoldTheirStartValues) {
  const CDeviceRecord device;
  EXPECT_EQ(device.portCount, 1);
  EXPECT_EQ(device.online, 1);
  EXPECT_EQ(device.autoPosition, 1);
  EXPECT_EQ(device.autoP, 1);
  for (int value : {device.kind, device.displayStatus, device.newDevice, device.xPosition, device.yPosition,
                    device.xP, device.yP})
    EXPECT_EQ(value, 0);
  for (const std::string& text : {device.ip, device.mac, device.name, device.location}) EXPECT_EQ(text, "");

  const CConnectionRecord link;
  EXPECT_EQ(link.srcMac + link.destMac, "");
  EXPECT_EQ(link.srcPort + link.destPort + link.linkType, 0);

  const QuickLaunchEntry entry;
  EXPECT_TRUE(entry.members.empty());
}

TEST(RecordsTest, CopiesAreIndependent) {
  CDeviceRecord source;
  source.name = "AP_1";
  source.xP = 5;
  CDeviceRecord target;
  target = source;
  target.name = "AP_2";
  EXPECT_EQ(source.name, "AP_1");
  EXPECT_EQ(target.xP, 5);

  QuickLaunchEntry entry;
  entry.members = {"00:11:22:33:44:55"};
  QuickLaunchEntry copy = entry;
  copy.members.push_back("66:77:88:99:aa:bb");
  EXPECT_EQ(entry.members.size(), 1u);
}

}  // namespace
