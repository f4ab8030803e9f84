#include "toolkit/web_fetch.h"

#include <atomic>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/codepage.h"
#include "platform/event_pump.h"
#include "platform/http_session.h"
#include "toolkit/fetch_record.h"
#include "toolkit/http_exchange.h"

namespace mozhou {
namespace {

using ascii::TrimBlanks;
using ascii::StartsWithNoCase;

// Shared by the caller and its worker; whichever lets go last frees it. After a time-out
// the caller lets go at once and never looks at the record again.
struct FetchJob {
  FetchRecord record;
  std::atomic<bool> cancelled{false};
  pump::Completion done;
  std::unique_ptr<net::TransferScope> running = std::make_unique<net::TransferScope>();
};

std::string AsText(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

void RunWorker(const std::shared_ptr<FetchJob>& job) {
  try {
    Http_Exchange(job->record, job->cancelled);
  } catch (...) {
    job->record[FetchRecord::kAddress].clear();
  }
  job->done.Finish();
  job->running.reset();
}

std::string BodyInForm(const std::string& body, std::optional<int> form) {
  switch (form.value_or(static_cast<int>(ResultForm::Raw))) {
    case static_cast<int>(ResultForm::Utf8ToGbk):
      return codepage::Utf8_ToGbk(AsText(body));
    case static_cast<int>(ResultForm::Big5ToSimplifiedGbk):
      return codepage::Utf8_ToGbk(
          codepage::Utf8_TraditionalToSimplified(codepage::Big5_ToUtf8(AsText(body))));
    default:
      return body;
  }
}

}  // namespace

std::string Web_Fetch(std::string& address, const FetchOptions& options) {
  const auto start = pump::Clock::now();
  const std::string_view trimmed = TrimBlanks(address);
  if (trimmed.empty()) return {};
  std::string target(trimmed);
  if (!StartsWithNoCase(target, "http://") && !StartsWithNoCase(target, "https://")) {
    target = "http://" + target;
    address = target;
  }

  auto job = std::make_shared<FetchJob>();
  FetchRecord& record = job->record;
  record[FetchRecord::kAddress] = target;
  record[FetchRecord::kMethod] = options.method.value_or(0) == 1 ? "POST" : "GET";
  record[FetchRecord::kProxy] = options.proxy.value_or(std::string());
  record[FetchRecord::kHeaders] = options.headers.value_or(std::string());
  record[FetchRecord::kData] = options.data.value_or(std::string());
  record[FetchRecord::kCookies] = options.cookies.value_or(std::string());
  record[FetchRecord::kFollowRedirects] = options.follow_redirects.value_or(true) ? "1" : "0";

  try {
    net::Worker_Start([job] { RunWorker(job); });
  } catch (const std::system_error&) {
    return {};  // no worker: nothing will ever answer
  }

  const std::chrono::milliseconds limit =
      std::chrono::seconds(options.timeout_seconds.value_or(kFetchDefaultTimeoutSeconds));
  const auto deadline = start + limit;
  bool timed_out = false;
  for (;;) {
    const bool finished = pump::Wait(job->done, deadline);
    // A worker that ended after the time-out had passed still counts as a time-out.
    timed_out = pump::Clock::now() - start >= limit;
    pump::ProcessPendingEvents();
    if (timed_out || finished) break;
  }

  if (timed_out) {
    job->cancelled.store(true, std::memory_order_release);
    return codepage::Utf8_ToGbk(kFetchTimeoutMessage);
  }

  // The worker has finished: the record is ours again.
  if (options.response_headers != nullptr) *options.response_headers = AsText(record[FetchRecord::kCookies]);
  if (options.received_cookies != nullptr) *options.received_cookies = AsText(record[FetchRecord::kMethod]);
  return BodyInForm(record[FetchRecord::kAddress], options.result_form);
}

}  // namespace mozhou
