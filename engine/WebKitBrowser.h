#pragma once
// The product's engine: a WebKitWebView behind engine::Browser. This header
// is toolkit-neutral; only WebKitBrowser.cpp includes WebKit.

#include <memory>
#include <string>

#include "engine/Browser.h"

namespace engine {

// Makes a blank WebKit browser for `content`. Called while a page of
// another WebKit browser asks for a new window, it makes the browser that
// window loads into.
std::unique_ptr<Browser> CreateWebKitBrowser(Content content = Content::Web);

// Keeps the pages' data (cookies, local storage, ...) in `dataFolder` and
// their cache in `cacheFolder`. Called once, before the first browser;
// without it the engine keeps them in its own default places and cookies
// last only for the session.
void StoreWebDataIn(const std::string& dataFolder, const std::string& cacheFolder);

}  // namespace engine
