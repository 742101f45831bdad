#include "alerts/MailMessage.h"

#include <cstdio>

namespace {

std::string OneLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string CrLfLines(const std::string& text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += c;
    }
  }
  return lines;
}

std::string Base64(const std::string& bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
    text += kDigits[(group >> 18) & 63];
    text += kDigits[(group >> 12) & 63];
    text += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    text += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return text;
}

std::string EncodedSubject(const std::string& subject, const std::string& charset) {
  for (unsigned char c : subject)
    if (c >= 0x80) return "=?" + charset + "?B?" + Base64(subject) + "?=";
  return subject;
}

// RFC 5322 date in English whatever the locale: "Tue, 05 Mar 2024 14:07:09 +0100".
std::string MailDate(const std::tm& date) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const long offsetMinutes = date.tm_gmtoff / 60;
  const long absolute = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[date.tm_wday % 7],
                date.tm_mday, kMonths[date.tm_mon % 12], date.tm_year + 1900, date.tm_hour, date.tm_min, date.tm_sec,
                offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
  return text;
}

}  // namespace

std::string ComposeMailMessage(const MailMessageParts& parts, const std::tm& date) {
  std::string message = "Date: " + MailDate(date) + "\r\n";
  message += "From: " + OneLine(parts.from) + "\r\n";
  message += "To: " + OneLine(parts.to) + "\r\n";
  message += "Subject: " + EncodedSubject(OneLine(parts.subject), parts.charset) + "\r\n";
  message += "MIME-Version: 1.0\r\n";
  message += "Content-Type: text/plain; charset=" + OneLine(parts.charset) + "\r\n";
  message += "Content-Transfer-Encoding: 8bit\r\n\r\n";
  message += CrLfLines(parts.body);
  if (!message.ends_with("\r\n")) message += "\r\n";
  return message;
}
