#pragma once
// Delivers one text mail to an SMTP server over libcurl: without authentication in mode 0, with AUTH LOGIN
// in mode 2. The connection turns to TLS by STARTTLS whenever the server offers it (the server's certificate
// is checked); with requireTls a server that does not offer it gets no mail. The properties are set before
// each attempt; OnSend may be called again on the same object.
#include <stop_token>
#include <string>

class CEmailSend {
 public:
  enum AuthMode { kNoAuthentication = 0, kAuthLogin = 2 };

  // Nonzero when the server accepted the message; 0 when it did not, when the transfer failed, or when
  // cancel was requested meanwhile.
  int OnSend();

  std::string recipient;
  std::string sender;
  std::string subject;
  std::string body;
  std::string server;  // a name or a dotted address
  int port = 0;        // 0 for the SMTP default
  int authMode = kNoAuthentication;
  std::string userName;
  std::string password;
  bool requireTls = false;
  std::string charset = "utf-8";
  std::stop_token cancel;  // ends a transfer in progress, for a program that shuts down
};
