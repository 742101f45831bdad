// The e-mail sender against real SMTP servers on loopback ports: what it sends, the conversations with a
// server that takes the mail, one that requires AUTH LOGIN and one that refuses it, the last send time and
// the outcome lines.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "AlertTestFixture.h"
#include "SmtpPeer.h"
#include "alerts/EmailSendThread.h"
#include "db/MailAlertDb.h"

namespace {

// The commands without QUIT (which the client may send after it has its answer) and EHLO's argument.
std::vector<std::string> Dialogue(const SmtpPeer& peer) {
  std::vector<std::string> commands;
  for (const std::string& command : peer.Commands()) {
    if (command == "QUIT") continue;
    commands.push_back(command.starts_with("EHLO ") ? "EHLO" : command);
  }
  return commands;
}

class EmailAlertTest : public AlertTest {
 protected:
  void SetUp() override {
    AlertTest::SetUp();
    now = PinLocalTime(2024, 3, 5, 14, 7, 9);
  }

  // Settings for a server on a loopback port, every level, method "0" unless given.
  void Configure(int port, const std::string& method = "0", std::int32_t mask = 15, const std::string& tls = "0") {
    MailAlertSettings settings;
    settings.destAddress = "admin@example.org";
    settings.senderAddress = "pellion@example.org";
    settings.smtpServerAddress = "127.0.0.1";
    settings.smtpPort = std::to_string(port);
    settings.authMethod = method;
    settings.userName = "alerts";
    settings.password = "s3cret pass";
    settings.schedule.dateType = "1";
    settings.schedule.levelMask = mask;
    settings.requireTls = tls;
    ASSERT_EQ(CMailAlertDb().SetMailAlertParam(settings), 0);
  }

  void AddThreeRows() {
    AddRow("2024-03-05 14:00:00", 1, "AP 10.0.0.7 is down");
    AddRow("2024-03-05 14:00:01", 3, "Zürich AP joined");
    AddRow("2024-03-05 14:00:02", 4, "poll 100% done");
  }

  std::string LastSendTime() { return database.Value("SELECT last_send_time FROM global_setting"); }

  std::string now;
  CEmailSendThread sender;
};

}  // namespace

TEST_F(EmailAlertTest, AMailWithTheNewRowsReachesTheServerAndMovesTheLastSendTime) {
  SmtpPeer peer(SmtpPeer::Mode::Accepting);
  ASSERT_TRUE(peer.Ready());
  Configure(peer.Port());
  AddThreeRows();

  EXPECT_EQ(sender.SendAlertMail(), 1);
  EXPECT_EQ(Dialogue(peer), (std::vector<std::string>{"EHLO", "MAIL FROM:<pellion@example.org>",
                                                      "RCPT TO:<admin@example.org>", "DATA"}));
  const std::string mail = peer.Mails();
  for (const char* expected :
       {"\nFrom: pellion@example.org\n", "\nTo: admin@example.org\n",
        "\nSubject: 2024-03-05 14:00:00    Critical    AP 10.0.0.7 is down\n",
        "\n\n2024-03-05 14:00:00    Critical    AP 10.0.0.7 is down\n2024-03-05 14:00:01    Info    Zürich AP joined\n"
        "2024-03-05 14:00:02    Debug    poll 100% done\n"})
    EXPECT_NE(mail.find(expected), std::string::npos) << expected << " in\n" << mail;
  EXPECT_EQ(LastSendTime(), now);
  EXPECT_EQ(DebugLines("E-mail"), (std::vector<std::string>{now + " send E-mail to admin@example.org."}));

  // Nothing new at levels 1 to 3 since: no mail, and the last send time stays.
  Configure(peer.Port(), "0", 7);
  PinLocalTime(2024, 3, 5, 15, 0, 0);
  EXPECT_EQ(sender.SendAlertMail(), 0);
  const std::vector<std::string> commands = peer.Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), "DATA"), 1);
  EXPECT_EQ(LastSendTime(), now);
  EXPECT_EQ(DebugLines("not send E-mail").back(),
            "2024-03-05 15:00:00, no requested log information, not send E-mail to admin@example.org!");
}

// With Debug in the mask and sends in one second (as real-time mode after quick polling rounds), each row
// goes out once and no send's outcome line makes another mail.
TEST_F(EmailAlertTest, EachRowIsMailedOnceAndOutcomeLinesNeverAre) {
  SmtpPeer peer(SmtpPeer::Mode::Accepting);
  ASSERT_TRUE(peer.Ready());
  Configure(peer.Port());
  AddRow(now, 1, "AP 10.0.0.7 is down");
  EXPECT_EQ(sender.SendAlertMail(), 1);
  EXPECT_EQ(sender.SendAlertMail(), 0) << "nothing new: the first send's rows and its outcome line stay home";
  AddRow(now, 3, "AP 10.0.0.8 joined");
  EXPECT_EQ(sender.SendAlertMail(), 1);

  const std::string mails = peer.Mails();
  const auto count = [&](const std::string& text) {
    std::size_t found = 0;
    for (std::size_t at = mails.find(text); at != std::string::npos; at = mails.find(text, at + 1)) ++found;
    return found;
  };
  EXPECT_EQ(count("---------- MESSAGE FOLLOWS ----------"), 2u);
  // Body lines only: a mail's subject repeats its first row.
  EXPECT_EQ(count("\n" + now + "    Critical    AP 10.0.0.7 is down\n"), 1u) << mails;
  EXPECT_EQ(count("\n" + now + "    Info    AP 10.0.0.8 joined\n"), 1u) << mails;
  EXPECT_EQ(count("send E-mail"), 0u) << mails;
}

// A server without TLS still gets the mail, unless the settings require a secure connection; a server that
// offers STARTTLS is asked for it before anything else, the login included, and a certificate that cannot
// be trusted ends the conversation there.
TEST_F(EmailAlertTest, StartTlsIsUsedWhenOfferedAndARequiredOneIsNeverGivenUp) {
  SmtpPeer plain(SmtpPeer::Mode::Accepting);
  ASSERT_TRUE(plain.Ready());
  AddThreeRows();
  Configure(plain.Port(), "0", 15, "1");
  EXPECT_EQ(sender.SendAlertMail(), 0);
  EXPECT_TRUE(plain.Mails().empty());
  EXPECT_EQ(Dialogue(plain), (std::vector<std::string>{"EHLO"})) << "no mail over a plain connection";
  EXPECT_EQ(LastSendTime(), "");
  EXPECT_EQ(DebugLines("E-mail").back(), now + " send E-mail to admin@example.org failed!");
  Configure(plain.Port(), "0", 15, "0");
  EXPECT_EQ(sender.SendAlertMail(), 1);
  EXPECT_NE(plain.Mails().find("AP 10.0.0.7 is down"), std::string::npos);

  SmtpPeer offering(SmtpPeer::Mode::OfferingStartTls);
  ASSERT_TRUE(offering.Ready());
  Configure(offering.Port(), "1");
  AddRow(now, 1, "AP 10.0.0.9 is down");
  EXPECT_EQ(sender.SendAlertMail(), 0);
  const std::vector<std::string> commands = Dialogue(offering);
  ASSERT_FALSE(commands.empty());
  for (const std::string& command : commands)
    EXPECT_TRUE(command == "EHLO" || command == "STARTTLS") << command << ": nothing else in plain text";
  EXPECT_NE(std::find(commands.begin(), commands.end(), "STARTTLS"), commands.end());
  EXPECT_TRUE(offering.Mails().empty());
}

TEST_F(EmailAlertTest, AServerThatRequiresAuthLoginGetsTheMailOnTheSecondAttempt) {
  SmtpPeer peer(SmtpPeer::Mode::RequiringAuthLogin, "alerts", "s3cret pass");
  ASSERT_TRUE(peer.Ready());
  AddThreeRows();

  // Method "0": one attempt without credentials, which the server turns away.
  Configure(peer.Port(), "0");
  EXPECT_EQ(sender.SendAlertMail(), 0);
  EXPECT_EQ(Dialogue(peer), (std::vector<std::string>{"EHLO", "MAIL FROM:<pellion@example.org>"}));
  EXPECT_EQ(LastSendTime(), "");
  EXPECT_EQ(DebugLines("E-mail"), (std::vector<std::string>{now + " send E-mail to admin@example.org failed!"}));

  // Method "1": the same first attempt, then AUTH LOGIN with the stored user and password.
  Configure(peer.Port(), "1");
  EXPECT_EQ(sender.SendAlertMail(), 1);
  EXPECT_EQ(Dialogue(peer),
            (std::vector<std::string>{"EHLO", "MAIL FROM:<pellion@example.org>", "EHLO",
                                      "MAIL FROM:<pellion@example.org>", "EHLO", "AUTH LOGIN",
                                      "MAIL FROM:<pellion@example.org>", "RCPT TO:<admin@example.org>", "DATA"}));
  const std::string mail = peer.Mails();
  EXPECT_NE(mail.find("X-MailFrom: pellion@example.org\nX-RcptTo: admin@example.org\n"), std::string::npos) << mail;
  EXPECT_NE(mail.find("\nSubject: 2024-03-05 14:00:00    Critical    AP 10.0.0.7 is down\n"), std::string::npos);
  EXPECT_EQ(LastSendTime(), now);
  EXPECT_EQ(DebugLines("send E-mail to").back(), now + " send E-mail to admin@example.org.");
  // The password went to the server only: no log row holds it.
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM system_log WHERE instr(description, 's3cret') > 0"), "0");
}

TEST_F(EmailAlertTest, AServerThatRefusesTheMailLeavesTheLastSendTime) {
  AddThreeRows();
  const struct {
    const char* method;
    std::vector<std::string> dialogue;
  } cases[] = {
      {"0", {"EHLO", "MAIL FROM:<pellion@example.org>", "RCPT TO:<admin@example.org>", "DATA"}},
      {"1",
       {"EHLO", "MAIL FROM:<pellion@example.org>", "RCPT TO:<admin@example.org>", "DATA", "EHLO", "AUTH LOGIN",
        "MAIL FROM:<pellion@example.org>", "RCPT TO:<admin@example.org>", "DATA"}},
  };
  for (const auto& c : cases) {
    SmtpPeer peer(SmtpPeer::Mode::Refusing);
    ASSERT_TRUE(peer.Ready());
    Configure(peer.Port(), c.method);
    EXPECT_EQ(sender.SendAlertMail(), 0) << c.method;
    EXPECT_EQ(Dialogue(peer), c.dialogue) << c.method;
    EXPECT_EQ(peer.Mails(), "");
    EXPECT_EQ(LastSendTime(), "");
    EXPECT_EQ(DebugLines("E-mail").back(), now + " send E-mail to admin@example.org failed!");
  }
}

TEST_F(EmailAlertTest, RunsThatFindNothingToSendSayWhyAndLeaveTheLastSendTime) {
  Configure(1, "0", 0);
  AddThreeRows();
  EXPECT_EQ(sender.SendAlertMail(), 0);
  EXPECT_EQ(DebugLines("E-mail").back(), now + ", get log information error, not send E-mail to admin@example.org!");

  ASSERT_TRUE(database.Exec("DELETE FROM system_log"));
  Configure(1, "0", 15);
  EXPECT_EQ(sender.SendAlertMail(), 0);
  EXPECT_EQ(DebugLines("E-mail").back(), now + ", no requested log information, not send E-mail to admin@example.org!");

  ASSERT_TRUE(database.Exec("DELETE FROM global_setting"));
  EXPECT_EQ(sender.SendAlertMail(), 0);
  EXPECT_EQ(DebugLines("E-mail").back(), now + ", get parameters error, not send E-mail!");
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(EmailAlertTest, DestroyingTheSenderEndsARunThatWaitsForASilentServer) {
  // A listener that never greets: the client's connection waits in its queue.
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  Configure(ntohs(address.sin_port));
  AddThreeRows();

  auto running = std::make_unique<CEmailSendThread>();
  ASSERT_TRUE(running->Start());
  EXPECT_FALSE(running->IsIdle());
  pollfd pending{listener, POLLIN, 0};
  EXPECT_EQ(poll(&pending, 1, 10000), 1);
  running.reset();  // returns once the run has ended; a run that ignored the stop would hang here

  EXPECT_EQ(DebugLines("E-mail").back(), now + " send E-mail to admin@example.org failed!");
  EXPECT_EQ(LastSendTime(), "");
  close(listener);
}
