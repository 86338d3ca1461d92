#pragma once

#include <functional>
#include <memory>

#include "engine/Browser.h"

namespace engine {

// Makes a new, blank browser. The main window gets one at construction, so
// tests can hand it FakeBrowsers and the product WebKitBrowsers.
using BrowserFactory = std::function<std::unique_ptr<Browser>()>;

}  // namespace engine
