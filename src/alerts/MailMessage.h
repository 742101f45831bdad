#pragma once
// One plain-text mail as it goes to the server: the headers, a blank line and the body, every line ending
// in CR LF. Texts from the log and the settings can never add a header line: a line break inside a header
// value becomes a blank, and a lone CR or LF in the body becomes CR LF.
#include <ctime>
#include <string>

struct MailMessageParts {
  std::string from;
  std::string to;
  std::string subject;  // non-ASCII text is written as an encoded word in charset
  std::string body;
  std::string charset;
};

// date is the local time of composing, with its offset from UTC.
std::string ComposeMailMessage(const MailMessageParts& parts, const std::tm& date);
