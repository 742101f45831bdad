// The doorbell a second start rings: only the exact ring counts, whatever else arrives on the socket.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/InstanceDoorbell.h"
#include "support/TempDir.h"

namespace {

// Sends raw bytes to the socket at the path, as any local process could.
bool SendRaw(const std::string& path, const std::string& bytes) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
  const ssize_t sent = ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  ::close(fd);
  return sent == static_cast<ssize_t>(bytes.size());
}

}  // namespace

TEST(InstanceDoorbellTest, TheSocketLiesBesideTheLockFile) {
  EXPECT_EQ(platform::DoorbellPathFor("/run/user/7/pellion/Pellion.lock"), "/run/user/7/pellion/Pellion.door");
  EXPECT_EQ(platform::DoorbellPathFor("/tmp/x"), "/tmp/x.door");
}

TEST(InstanceDoorbellTest, ARingIsTakenOnceAndNothingElseCounts) {
  testing_support::TempDir folder;
  const std::string path = folder.File("app.door");
  EXPECT_FALSE(platform::CInstanceDoorbell::Ring(path)) << "nobody listens yet";
  {
    std::ofstream stale(path);  // a file a crashed copy left behind
  }
  platform::CInstanceDoorbell doorbell(path);
  ASSERT_TRUE(doorbell.Open());
  EXPECT_FALSE(doorbell.TakeRings()) << "nothing waiting";

  const std::vector<std::string> noise = {"", "sho", "showx", "SHOW", std::string("show\0", 5),
                                          std::string(70000, 's'), std::string(4096, '\xff')};
  for (const std::string& bytes : noise) {
    SendRaw(path, bytes);
    EXPECT_FALSE(doorbell.TakeRings()) << bytes.size() << " bytes";
  }

  EXPECT_TRUE(platform::CInstanceDoorbell::Ring(path));
  EXPECT_TRUE(platform::CInstanceDoorbell::Ring(path));
  SendRaw(path, "noise");
  EXPECT_TRUE(doorbell.TakeRings()) << "rings among other datagrams";
  EXPECT_FALSE(doorbell.TakeRings()) << "each ring is taken once";
}

TEST(InstanceDoorbellTest, TheSocketGoesWithItsOwnerAndALongPathIsNoDoorbell) {
  testing_support::TempDir folder;
  const std::string path = folder.File("app.door");
  {
    platform::CInstanceDoorbell doorbell(path);
    ASSERT_TRUE(doorbell.Open());
    EXPECT_TRUE(std::filesystem::exists(path));
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(platform::CInstanceDoorbell::Ring(path));

  const std::string tooLong = folder.File(std::string(200, 'd'));
  platform::CInstanceDoorbell doorbell(tooLong);
  EXPECT_FALSE(doorbell.Open());
  EXPECT_EQ(doorbell.Fd(), -1);
  EXPECT_FALSE(doorbell.TakeRings());
  EXPECT_FALSE(platform::CInstanceDoorbell::Ring(tooLong));
}

TEST(InstanceDoorbellTest, ASocketInAFolderDeeperThanASocketAddressHoldsStillRings) {
  testing_support::TempDir folder;
  const std::filesystem::path deep = folder.Path() / std::string(60, 'a') / std::string(60, 'b');
  std::filesystem::create_directories(deep);
  const std::string path = (deep / "app.door").string();
  ASSERT_GT(path.size(), sizeof(sockaddr_un::sun_path));

  {
    platform::CInstanceDoorbell doorbell(path);
    ASSERT_TRUE(doorbell.Open());
    EXPECT_TRUE(std::filesystem::exists(path)) << "the socket lies at the path itself";
    EXPECT_TRUE(platform::CInstanceDoorbell::Ring(path));
    EXPECT_TRUE(doorbell.TakeRings());
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(platform::CInstanceDoorbell::Ring(path));
}
