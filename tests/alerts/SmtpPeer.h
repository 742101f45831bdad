#pragma once
// An SMTP server on a free loopback port, run as a child of the test: aiosmtpd itself, which takes every
// mail, or the tests' own peer on aiosmtpd (smtp_peer.py), which requires AUTH LOGIN, refuses every mail, or
// offers STARTTLS with a certificate no client trusts. Both write the commands they hear to standard error
// and accepted mails to standard output.
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

class SmtpPeer {
 public:
  enum class Mode { Accepting, RequiringAuthLogin, Refusing, OfferingStartTls };

  explicit SmtpPeer(Mode mode, const std::string& user = {}, const std::string& password = {});

  // False when the server did not come up.
  bool Ready() const { return ready_; }
  int Port() const { return port_; }
  // The commands of every session in order, as the client sent them ("EHLO ...", "MAIL FROM:<...>").
  std::vector<std::string> Commands() const;
  // What the server printed of the mails it took.
  std::string Mails() const;

 private:
  testing_support::TempDir dir_;
  int port_ = 0;
  testing_support::ChildProcess process_;
  bool ready_ = false;
};
