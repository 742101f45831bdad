#include <gtest/gtest.h>

#include <bit>
#include <thread>

#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/StatusText.h"
#include "platform/Window.h"
#include "support/MessageRecorder.h"

using testing_support::MessageBoxRecorder;
using testing_support::MessageRecorder;

TEST(PostMessageTest, DeliversInOrderWithOwnedText) {
  MessageRecorder window;
  {
    std::string buffer = "first";
    platform::PostMessage(window.Id(), 0x500, 1, 2, buffer);
    buffer = "changed after posting";  // the sender's buffer may change or die; the message keeps its copy
  }
  platform::PostMessage(window.Id(), 0x501, 3, 4);
  auto messages = window.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].id, 0x500u);
  EXPECT_EQ(messages[0].text, "first");
  EXPECT_EQ(messages[0].wParam, 1u);
  EXPECT_EQ(messages[0].lParam, 2);
  EXPECT_EQ(messages[1].id, 0x501u);
}

TEST(PostMessageTest, MessagesFromOneThreadKeepTheirOrder) {
  MessageRecorder window;
  std::thread worker([&] {
    for (int i = 0; i < 500; ++i) platform::PostMessage(window.Id(), 0x600, i);
  });
  worker.join();
  auto messages = window.MessagesWithId(0x600);
  ASSERT_EQ(messages.size(), 500u);
  for (size_t i = 0; i < messages.size(); ++i) EXPECT_EQ(messages[i].wParam, i);
}

TEST(PostMessageTest, UnregisteredWindowDropsTheMessage) {
  platform::WindowId gone;
  {
    MessageRecorder window;
    gone = window.Id();
  }
  EXPECT_FALSE(platform::PostMessage(gone, 0x500));
  EXPECT_EQ(platform::GetMainWindow(), platform::kNoWindow) << "the main window is cleared when it goes";
}

TEST(StatusTextTest, PostsTheIncrementAsFloatBitsWithLParamOne) {
  MessageRecorder window;
  struct Case {
    float increment;
    std::uint32_t bits;
  };
  for (Case c : {Case{30.0f, 0x41F00000u}, Case{0.0f, 0u}, Case{-1.5f, 0xBFC00000u}}) {
    window.Clear();
    PostStatusText("Scanning", c.increment);
    auto messages = window.MessagesWithId(msg::WM_NMS_STATUS_TEXT);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, c.bits);
    EXPECT_EQ(messages[0].lParam, 1);
  }
  EXPECT_EQ(GetStatusText(), "Scanning");
}

TEST(StatusTextTest, NullTextKeepsTheTextButStillPosts) {
  MessageRecorder window;
  SetStatusText("kept");
  PostStatusText(nullptr, 2.0f);
  EXPECT_EQ(GetStatusText(), "kept");
  EXPECT_EQ(window.MessagesWithId(msg::WM_NMS_STATUS_TEXT).size(), 1u);
  PostStatusText("", 0.0f);
  EXPECT_EQ(GetStatusText(), "") << "an empty text empties the status";
}

TEST(StatusTextTest, ProgressSpanStartsAtZero) { EXPECT_EQ(GetProgressSpan(), 0.0f); }

TEST(MessageBoxTest, RecorderSeesTextAndGivesScriptedAnswers) {
  MessageBoxRecorder boxes;
  boxes.ScriptAnswers({platform::IDNO});
  EXPECT_EQ(platform::MessageBox("Delete?", "Pellion", platform::MB_YESNO), platform::IDNO);
  EXPECT_EQ(platform::MessageBox("Done"), platform::IDOK);
  ASSERT_EQ(boxes.Texts(), (std::vector<std::string>{"Delete?", "Done"}));
  EXPECT_EQ(boxes.Boxes()[0].caption, "Pellion");
}

TEST(MessageBoxTest, WorkerThreadReachesTheHandler) {
  MessageBoxRecorder boxes;
  std::thread worker([] { platform::MessageBox("from a worker"); });
  worker.join();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"from a worker"});
}
