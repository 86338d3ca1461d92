#include "engine/WebKitBrowser.h"

#include <webkit2/webkit2.h>

namespace engine {
std::unique_ptr<Browser> CreateWebKitBrowser() { return nullptr; }
}  // namespace engine
