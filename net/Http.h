#pragma once
// HTTP over libsoup, toolkit-free.

#include <optional>
#include <string>

namespace net {

// What FetchStatus answers for a server that was reached but whose
// certificate could not be verified: nothing was sent to it.
inline constexpr int kUntrustedCertificate = -1;

// Requests `url` (GET) with the agent text `agent`, bypassing every cache
// and following redirects. Lets messages run while it waits, at most
// `timeoutMs`. Answers the final HTTP status code, kUntrustedCertificate,
// or nothing when the request failed (bad address, unresolvable name,
// refused connection, time-out).
std::optional<int> FetchStatus(const std::string& url, const std::string& agent, int timeoutMs);

}  // namespace net
