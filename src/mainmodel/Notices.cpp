#include "mainmodel/Notices.h"

namespace {

const NoticeText kTexts[kNoticeCount] = {
    {"Discover : Replace AP and AP changed", 400, 280,
     std::string("Replace Case:\n\n") + "\tSave New AP or Replace the AP Configuration\n" + "Replace Procedure:\n" +
         "Step 1 Double click the replace AP\n" + "Step 2 Check  the original AP configuration\n" +
         "Step 3 Keep or change the original AP configuration" + ",then Press 'OK' button to finish\n\n" +
         "Configure change Case:\n\n" + "\tSave the Change or Reload Previous Configuration\n" +
         "Reload Procedure:\n" + "Step 1 Double click the changed AP\n" +
         "Step 2 Press 'OK' button to Reload Previous Configuration\n"},
    {"Discover : AP changed", 150, 280,
     std::string("Save the Change or Reload Previous Configuration\n\n") + "Reload Procedure:\n" +
         "Step 1 Double click the changed AP\n" + "Step 2 Press 'OK' button to Reload Previous Configuration\n"},
    {"Discover : Replace AP", 275, 170,
     std::string("Save New AP or Replace the AP Configuration\n\n") + "Replace Procedure:\n" +
         "Step 1 Double click the replace AP\n" + "Step 2 Check  the original AP configuration\n" +
         "Step 3 Keep or change the original AP configuration\n" + "then Press 'OK' button to finish\n\n" +
         "After the replace process. Original AP setting will be clear\n"},
};

}  // namespace

const NoticeText& NoticeTextOf(NoticeKind kind) { return kTexts[static_cast<int>(kind)]; }

std::array<bool, kNoticeCount> DecideNotices(int changedAps, int replacedAps) {
  const bool changed = changedAps > 0;
  const bool replaced = replacedAps > 0;
  return {changed && replaced, changed && !replaced, replaced && !changed};
}
