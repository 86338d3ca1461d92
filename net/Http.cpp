#include "net/Http.h"

namespace net {
std::optional<int> FetchStatus(const std::string&, const std::string&, int) { return std::nullopt; }
}  // namespace net
