#pragma once
// Deciding whether typed text is an address: the reachability probe and
// the host part of an address.

#include <string>

namespace navigation {

// The agent text the probe sends.
inline constexpr const char* kProbeAgent = "InetURL:/1.0";

// The address the probe requests for `text`: the text itself when its
// lower-case form contains "http://" or "https://" anywhere, otherwise
// "http://" followed by the text. Empty text gives "http://".
std::string ProbeAddress(const std::string& text);

// Requests ProbeAddress(text) once, with the agent kProbeAgent, past every
// cache, following redirects, and letting messages run for at most
// `timeoutMs`. True exactly when the final status is 200 or 302; any other
// status, a failed request and a time-out give false.
bool CheckUrl(const std::string& text, int timeoutMs = 10000);

// The host part of an address: everything up to and including the first
// "://" is dropped, then everything from the first "/" of the rest on.
std::string ExtractHost(const std::string& text);

}  // namespace navigation
