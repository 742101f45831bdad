#pragma once
// The Anti-rogue page of one switch's configuration: the port control loaded from the stored text, the
// ports it offers, and Apply, which writes the switch's bitmap with one SNMP set and stores it.
#include <string>
#include <vector>

#include "config/AntiRogueBitmap.h"

class CAntiRoguePageModel {
 public:
  struct Row {
    int port;
    bool enabled;
  };

  explicit CAntiRoguePageModel(std::string mac);

  // Reads the port count (-1 when the device tables do not have it) and loads the stored text.
  void InitControls();
  // Reloads the stored text: the rows to list, empty when the text cannot be used. A bad character
  // shows "anti-rogue value error\r\nanti-rogue value : %s" and ends the list before its port.
  const std::vector<Row>& RefreshList();
  // False when the switch has LLDP off: the page can be viewed but not changed.
  bool CanChange() const;

  // Applies Enable (control 0) or Disable (control 1) to the ports of the From and To choices (indexes,
  // -1 for none), with the page's messages; true when the switch took the new bitmap.
  bool Apply(int fromIndex, int toIndex, int controlIndex);

  int PortCount() const { return portCount_; }
  int OfferedPorts() const { return CAntiRogueBitmap::OfferedPorts(portCount_); }
  const std::vector<Row>& Rows() const { return rows_; }
  const CAntiRogueBitmap& Bitmap() const { return bitmap_; }

 private:
  std::string mac_;
  int portCount_ = -1;
  CAntiRogueBitmap bitmap_;
  std::vector<Row> rows_;
};
