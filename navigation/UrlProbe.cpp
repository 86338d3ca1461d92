#include "navigation/UrlResolution.h"
#include "net/Http.h"

namespace navigation {

bool CheckUrl(const std::string& text, int timeoutMs) {
  const auto status = net::FetchStatus(ProbeAddress(text), kProbeAgent, timeoutMs);
  return status == 200 || status == 302;
}

}  // namespace navigation
