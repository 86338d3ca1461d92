#pragma once
// The product's engine: a WebKitWebView behind engine::Browser. This header
// is toolkit-neutral; only WebKitBrowser.cpp includes WebKit.

#include <memory>

#include "engine/Browser.h"

namespace engine {

// Makes a blank WebKit browser. Called while a page of another WebKit
// browser asks for a new window, it makes the browser that window loads
// into.
std::unique_ptr<Browser> CreateWebKitBrowser();

}  // namespace engine
