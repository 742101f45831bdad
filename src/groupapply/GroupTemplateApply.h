#pragma once
// Writes one group's template into one AP over SNMP, setting by setting in the AP's fixed order, commits
// it so the AP restarts with it, and stores what the AP accepted. The caller sees the progress through
// two callbacks and may cancel between the steps.
#include <functional>
#include <string>
#include <vector>

#include "db/ApPropertyUpdate.h"
#include "db/GroupTemplateRecord.h"
#include "snmp/y_snmp.h"

class CGroupTemplateApply {
 public:
  struct Callbacks {
    std::function<bool()> cancelled;                   // asked between the steps
    std::function<void()> step;                        // one progress step, five per AP
    std::function<void(const std::string&)> status;    // the text of the setting about to be sent
  };

  CGroupTemplateApply(std::string group, std::string ip, std::string mac, Callbacks callbacks);

  // Runs the whole apply; the outcome is in the action log.
  void Run();

  // The template's transmit-rate index 0..12 as the AP codes the rate; "" for any other index.
  static std::string TxRateIndexToValue(int index);

 private:
  enum class Refusal { Counts, Ignored };

  bool RadioSettings();     // bg mode .. SSID broadcast, with the channel block
  bool SecuritySettings();  // security type and its keys or servers
  bool WepKeys();
  bool RateSettings();      // transmit rate .. RTS threshold
  bool FrameSettings();     // fragmentation .. user limit, with the MAC filter
  bool MacFilter();
  void Commit();

  // Posts the status word (when given) and sets root + suffix, recording an accepted value under column
  // (when given). True when the AP accepted it.
  bool Send(const char* word, const std::string& suffix, const std::string& value, const char* column,
            Refusal refusal = Refusal::Counts);
  // As Send, with a cancel check after the status; false when cancelled.
  bool SendChecked(const char* word, const std::string& suffix, const std::string& value, const char* column);
  void PostStatus(const std::string& word);
  // True when the caller cancelled; writes the fail line once.
  bool Cancelled();
  void Fail(const std::string& systemLine);

  const std::string group_, ip_, mac_;
  const Callbacks callbacks_;
  GroupTemplateRecord template_;
  CYSnmp snmp_;
  std::string root_;  // the AP's sysObjectID
  std::vector<ApPropertyUpdate> updates_;
  bool allOk_ = true;
  std::string successText_, failText_, notStoredText_;
};
