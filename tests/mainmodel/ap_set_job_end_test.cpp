// What an AP-set job's end leaves in the database: a replacement AP takes the managed place of the AP it
// replaced, and the AP's sync results are gone; a job the AP did not apply leaves everything as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeFrameWindows.h"
#include "config/ApSetThread.h"
#include "db/TopologyDBManager.h"
#include "mainmodel/ApSetJobEnd.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;

namespace {

// A1 is managed; A2 is a new AP in A1's place whose sync results name A1 as the AP it replaced.
class ApSetJobEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    ASSERT_TRUE(TopologyDBManager().SetNewDeviceToManaged(net::kAp1, false));
    ASSERT_TRUE(AddSyncResult(net::kAp2, "crvAPChannel", "11", "ap_property"));
  }
  bool AddSyncResult(const std::string& mac, const char* property, const char* current, const char* type,
                     const std::string& previous = "") {
    return database_.Exec(
        "INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, ?, ?, ?, ?)",
        {mac, property, current, previous, type});
  }
  // The discovery marks a new AP that took a known AP's port as replacing it.
  bool MarkReplacing(const std::string& mac) {
    return database_.Exec("UPDATE device_list SET status=5 WHERE mac=?", {mac});
  }
  bool Managed(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM device_list_prev WHERE mac=?", {mac}) == "1";
  }
  std::string Differences(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM sync_result WHERE mac=? AND property<>'port_reload'", {mac});
  }
  std::string PortReloads(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM sync_result WHERE mac=? AND property='port_reload'", {mac});
  }

  testing_support::TempDatabase database_;
};

}  // namespace

TEST_F(ApSetJobEnd, AReplacementTakesTheReplacedApsPlaceAndLosesItsSyncResults) {
  ASSERT_TRUE(AddSyncResult(net::kAp2, "port_reload", "", "", net::kAp1));
  ASSERT_TRUE(MarkReplacing(net::kAp2));
  FinishApSetJob({"127.0.0.12", net::kAp2, true});
  EXPECT_TRUE(Managed(net::kAp2));
  EXPECT_FALSE(Managed(net::kAp1)) << "the replaced AP is deleted";
  EXPECT_EQ(Differences(net::kAp2), "0");
  EXPECT_EQ(PortReloads(net::kAp2), "0");
}

TEST_F(ApSetJobEnd, AReplacementWithoutARecordedPredecessorDeletesNothing) {
  ASSERT_TRUE(MarkReplacing(net::kAp2));
  FinishApSetJob({"127.0.0.12", net::kAp2, true});
  EXPECT_TRUE(Managed(net::kAp2));
  EXPECT_TRUE(Managed(net::kAp1));
  EXPECT_EQ(Differences(net::kAp2), "0");
}

TEST_F(ApSetJobEnd, AnOrdinaryJobOnlyClearsTheSyncResults) {
  ASSERT_TRUE(AddSyncResult(net::kAp2, "port_reload", "", "", net::kAp1));
  FinishApSetJob({"127.0.0.12", net::kAp2, false});
  EXPECT_FALSE(Managed(net::kAp2)) << "the new AP stays new";
  EXPECT_TRUE(Managed(net::kAp1));
  EXPECT_EQ(Differences(net::kAp2), "0");
  EXPECT_EQ(PortReloads(net::kAp2), "1") << "only a replacement takes the predecessor's note";
}

namespace {

using testing_support::DevSimReference;
const std::string kApRoot = "1.3.6.1.4.1.44711.1";

// The whole road on the simulated A2: the main window's controller starts the job on the frame's AP-set
// thread, the thread's messages reach the controller, and the job's end runs through the frame's hooks.
class ApSetJobEndOnTheAp : public ApSetJobEnd {
 protected:
  enum class Ending { Applied, CommitRefused, Cancelled, EverySetRefused };

  void SetUp() override {
    ApSetJobEnd::SetUp();
    SetSnmpDefaults("public", "private", 50);
    ASSERT_TRUE(AddSyncResult(net::kAp2, "port_reload", "", "", net::kAp1));
    ASSERT_TRUE(MarkReplacing(net::kAp2));
    ASSERT_TRUE(database_.Exec("INSERT INTO ap_property (mac, crvAPssid) VALUES (?, 'old')", {net::kAp1}));
    ASSERT_TRUE(AddSyncResult(net::kAp1, "crvAPssid", "x", "ap_property"));
    FrameJobHooks hooks;
    hooks.abortApSet = [this] {
      job_.Abort();
      job_.Stop(false);
    };
    hooks.apSetApplied = [this] { return job_.AppliedAndStored(); };
    hooks.finishApSet = FinishApSetJob;
    controller_.SetJobHooks(hooks);
  }
  void TearDown() override { platform::RunShutdown(); }

  void Run(bool replace, Ending ending) {
    if (ending == Ending::CommitRefused)
      devsim_.Configure(DevSimReference::kAp2, "commit-restart " + kApRoot + ".1.99.0");
    if (ending == Ending::Cancelled) devsim_.Configure(DevSimReference::kAp2, "delay-ms 200");
    if (ending == Ending::EverySetRefused) {
      // A wrong write community: the AP knows the job's community as a read-only one.
      devsim_.Configure(DevSimReference::kAp2, "write-community other");
      devsim_.Configure(DevSimReference::kAp2, "read-community private");
    }
    // A user limit outside a balancing group needs no commit: nothing but the refused sets can stop the job.
    const ApSetEntryList entries = ending == Ending::EverySetRefused
                                       ? ApSetEntryList{{1, ".4.16.0", "8"}, {1, ".4.16.0", "16"}}
                                       : ApSetEntryList{{1, ".4.3.0", "a"}, {1, ".4.3.0", "b"}, {1, ".4.3.0", "c"}};
    const CApSetTask task{DevSimReference::kAp2, net::kAp2, entries, replace};
    ASSERT_TRUE(controller_.StartApSetJob(entries.size(), "AP setting", {task.ip, task.mac, replace}, [&] {
      job_.SetTask(task);
      job_.StartJob();
    }));
    if (ending == Ending::Cancelled) {
      ASSERT_TRUE(jobWindow_.WaitFor(msg::WM_NMS_APSET_STEP, 1));
      controller_.Dispatch({msg::WM_NMS_APSET_CANCEL, 0, 0, {}});  // the progress window's Cancel
    }
    job_.Stop(false);
    for (const platform::Message& message : jobWindow_.Messages()) controller_.Dispatch(message);
    ASSERT_FALSE(windows_.HasProgress(JobKind::ApSet));
  }
  bool Logged(const std::string& line) {
    const auto log = database_.ActionLog();
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  testing_support::DevSimProcess devsim_;
  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageRecorder jobWindow_{false};
  FakeFrameWindows windows_;
  CMainController controller_{windows_, nullptr};
  CApSetThread job_{jobWindow_.Id(), 0};
};

TEST_F(ApSetJobEndOnTheAp, AJobTheApDidNotApplyLeavesEverythingForARetry) {
  // The device keeps each ending's directives: every ending runs for both kinds of job before the next.
  for (const Ending ending : {Ending::CommitRefused, Ending::Cancelled, Ending::EverySetRefused})
    for (const bool replace : {true, false}) {
      SCOPED_TRACE(std::string(replace ? "replacement, " : "plain change, ") +
                   (ending == Ending::Cancelled         ? "cancelled"
                    : ending == Ending::EverySetRefused ? "every set refused"
                                                        : "commit refused"));
      Run(replace, ending);
      EXPECT_FALSE(Managed(net::kAp2)) << "the new AP stays new";
      EXPECT_TRUE(Managed(net::kAp1)) << "the replaced AP stays";
      EXPECT_EQ(database_.Value("SELECT crvAPssid FROM ap_property WHERE mac=?", {net::kAp1}), "old");
      EXPECT_EQ(Differences(net::kAp1), "1");
      EXPECT_EQ(Differences(net::kAp2), "1");
      EXPECT_EQ(PortReloads(net::kAp2), "1");
      EXPECT_FALSE(Logged("Save AP properties"));
      jobWindow_.Clear();
    }
}

TEST_F(ApSetJobEndOnTheAp, AnAppliedReplacementTakesThePlaceOfTheReplacedAp) {
  Run(true, Ending::Applied);
  EXPECT_TRUE(Managed(net::kAp2));
  EXPECT_FALSE(Managed(net::kAp1));
  EXPECT_EQ(Differences(net::kAp2), "0");
  EXPECT_TRUE(Logged("Save AP properties"));
}

}  // namespace
