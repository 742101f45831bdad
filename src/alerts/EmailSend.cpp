#include "alerts/EmailSend.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "alerts/MailMessage.h"
#include "platform/Clock.h"

namespace {

constexpr long kConnectTimeoutSeconds = 30;

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
template <typename T>
using CurlPtr = std::unique_ptr<T, CurlDeleter>;

// libcurl's global start is not safe to run on two threads at once.
void StartCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Upload {
  std::string bytes;
  std::size_t sent = 0;
};

std::size_t ReadUpload(char* buffer, std::size_t size, std::size_t count, void* userData) {
  auto* upload = static_cast<Upload*>(userData);
  const std::size_t length = std::min(size * count, upload->bytes.size() - upload->sent);
  std::memcpy(buffer, upload->bytes.data() + upload->sent, length);
  upload->sent += length;
  return length;
}

// Called while the transfer runs, also while it waits for the server; nonzero aborts it.
int CheckCancel(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::stop_token*>(userData)->stop_requested() ? 1 : 0;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// The server as an SMTP URL; none for a text that is no host name or address.
CurlPtr<CURLU> ServerUrl(const std::string& server, int port) {
  CurlPtr<CURLU> url(curl_url());
  if (!url || curl_url_set(url.get(), CURLUPART_SCHEME, "smtp", 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_HOST, server.c_str(), 0) != CURLUE_OK)
    return nullptr;
  if (port > 0 && curl_url_set(url.get(), CURLUPART_PORT, std::to_string(port).c_str(), 0) != CURLUE_OK) return nullptr;
  return url;
}

}  // namespace

int CEmailSend::OnSend() {
  // An address with a line break would end the command it is part of and start another.
  if (server.empty() || HasLineBreak(sender) || HasLineBreak(recipient)) return 0;
  StartCurl();
  CurlPtr<CURL> curl(curl_easy_init());
  CurlPtr<CURLU> url = ServerUrl(server, port);
  if (!curl || !url) return 0;
  const std::string from = "<" + sender + ">";
  CurlPtr<curl_slist> recipients(curl_slist_append(nullptr, ("<" + recipient + ">").c_str()));
  Upload upload{ComposeMailMessage({sender, recipient, subject, body, charset}, platform::LocalTime(platform::Now()))};

  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_CURLU, url.get());
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
  // AUTH LOGIN sends the password readable to anyone on the way unless the connection is secured first.
  curl_easy_setopt(handle, CURLOPT_USE_SSL, requireTls ? static_cast<long>(CURLUSESSL_ALL)
                                                       : static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, CheckCancel);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &cancel);
  if (authMode == kAuthLogin) {
    curl_easy_setopt(handle, CURLOPT_USERNAME, userName.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(handle, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
  }
  return curl_easy_perform(handle) == CURLE_OK ? 1 : 0;
}
