#include "navigation/UrlResolution.h"
#include "net/Http.h"

namespace navigation {

bool CheckUrl(const std::string& text, int timeoutMs) {
  const auto status = net::FetchStatus(ProbeAddress(text), kProbeAgent, timeoutMs);
  // A server whose certificate cannot be verified is an address: its tab
  // then says why the page is not shown. Searching for it would hand the
  // address to the search engine.
  return status == 200 || status == 302 || status == net::kUntrustedCertificate;
}

}  // namespace navigation
