// The key edit box as a user meets it: hex digits only up to its length, the message for a wrong key, and
// any character for the text-key lengths.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include "controls/MacEdit.h"
#include "support/MessageRecorder.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::MessageBoxRecorder;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

class KeyEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "key", wxPoint(0, 0), wxSize(300, 100));
    edit = new CMacEdit(frame, wxID_ANY);
    frame->Show();
    PumpUntil([&] { return edit->IsShownOnScreen(); });
    edit->SetFocus();
    PumpPending();
  }
  void TearDown() override {
    frame->Destroy();
    PumpPending();
  }
  void Type(const char* text) {
    wxUIActionSimulator input;
    input.Text(text);
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  wxFrame* frame = nullptr;
  CMacEdit* edit = nullptr;
  MessageBoxRecorder boxes;
};

TEST_F(KeyEditTest, HexModeRefusesANonHexKeyWithTheMessageAndAnEleventhSilently) {
  EXPECT_EQ(edit->Mode(), 2);
  EXPECT_EQ(&edit->SetMode(10), edit);
  Type("0123g");
  EXPECT_EQ(edit->GetValue(), "0123");
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"Hex digit is either a number from 0 to 9 or a letter from A to F or a to f."});
  Type("456789AB");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  EXPECT_EQ(boxes.Texts().size(), 1u);  // the eleventh character is refused without a message

  Type("F");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  edit->SelectAll();  // a full box refuses typing even over a selection
  Type("f");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  const wxImage shot = testing_support::CaptureWindow(edit);
  SaveCapture(shot, "key_edit");
  EXPECT_GT(CountPixels(shot, *wxBLACK, 100), 30) << "the digits are shown";
}

TEST_F(KeyEditTest, TextKeyModeTakesAnyCharacterUpToItsLength) {
  edit->SetMode(13);
  Type("g!h j-kl.mnopqr");
  EXPECT_EQ(edit->GetValue(), "g!h j-kl.mnop");
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
