#pragma once
// The pages the engine shows in place of a page it cannot show: one whose
// process ended, one whose connection is not secure. Plain text in, HTML
// out; GLib only, so they are tested without an engine.

#include <string>
#include <vector>

namespace engine {

// Why a page's process ended.
enum class ProcessEnd { Crashed, OutOfMemory, EndedByProgram };

// `text` with the characters that mean something in HTML (& < > " ')
// written as references, so it shows as the text it is.
std::string EscapeHtml(const std::string& text);

// The program's own pages carry its name in their titles; the history
// records no visit of a page whose title has it.
inline constexpr const char* kProcessEndedTitle = "Lumivale: the page stopped";
inline constexpr const char* kNotSecureTitle = "Lumivale: connection not secure";

// The sentence telling the user why the page's process ended.
std::string ProcessEndedReason(ProcessEnd why);
// The page shown for `address` after its process ended: the reason and
// the address, and that reloading loads the page again.
std::string ProcessEndedPage(ProcessEnd why, const std::string& address);

// One sentence for each problem of a certificate, in a fixed order;
// `problems` holds GTlsCertificateFlags. A certificate refused without a
// known problem gets the general sentence.
std::vector<std::string> CertificateProblems(unsigned problems, const std::string& host);
// The page shown for `address` of `host` when its certificate could not be
// verified: the host, the problems, and no way to go on to the page.
std::string NotSecurePage(const std::string& host, const std::string& address, unsigned problems);

}  // namespace engine
