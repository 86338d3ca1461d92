#include "engine/ErrorPages.h"

#include <gio/gio.h>

namespace engine {

namespace {

// A plain page in the colours of the user's desktop; no script, nothing
// loaded from anywhere.
std::string Page(const std::string& title, const std::string& heading, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
         "</title><style>"
         "body{font-family:sans-serif;margin:0;padding:10vh 8vw;background:#f6f6f6;color:#222;}"
         "h1{font-size:1.6em;font-weight:normal;margin:0 0 .8em;}"
         "p,li{font-size:1.05em;line-height:1.5;max-width:46em;}"
         ".address{font-family:monospace;word-break:break-all;background:#e8e8e8;padding:.1em .3em;}"
         "</style></head><body><h1>" +
         heading + "</h1>" + body + "</body></html>";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string ProcessEndedReason(ProcessEnd why) {
  switch (why) {
    case ProcessEnd::OutOfMemory:
      return "The page was ended because it used too much memory.";
    case ProcessEnd::EndedByProgram:
      return "The page was ended by the program.";
    case ProcessEnd::Crashed:
    default:
      return "The page crashed.";
  }
}

std::string ProcessEndedPage(ProcessEnd why, const std::string& address) {
  return Page(kProcessEndedTitle, "This page stopped",
              "<p>" + EscapeHtml(ProcessEndedReason(why)) + "</p><p>Address: <span class=\"address\">" +
                  EscapeHtml(address) +
                  "</span></p><p>Reload the page to load it again. The other tabs were not affected.</p>");
}

std::vector<std::string> CertificateProblems(unsigned problems, const std::string& host) {
  struct Problem {
    unsigned flag;
    std::string text;
  };
  const Problem known[] = {
      {G_TLS_CERTIFICATE_UNKNOWN_CA,
       "Its certificate was not issued by an authority this computer trusts; it may be self-signed."},
      {G_TLS_CERTIFICATE_BAD_IDENTITY, "Its certificate was made for another site, not for " + host + "."},
      {G_TLS_CERTIFICATE_NOT_ACTIVATED, "Its certificate is not valid yet."},
      {G_TLS_CERTIFICATE_EXPIRED, "Its certificate has expired."},
      {G_TLS_CERTIFICATE_REVOKED, "Its certificate has been revoked."},
      {G_TLS_CERTIFICATE_INSECURE, "Its certificate uses an algorithm that is not considered secure."},
      {G_TLS_CERTIFICATE_GENERIC_ERROR, "Its certificate could not be checked."},
  };
  std::vector<std::string> texts;
  for (const Problem& p : known)
    if (problems & p.flag) texts.push_back(p.text);
  if (texts.empty()) texts.push_back("Its certificate could not be checked.");
  return texts;
}

std::string NotSecurePage(const std::string& host, const std::string& address, unsigned problems) {
  std::string list;
  for (const std::string& text : CertificateProblems(problems, host)) list += "<li>" + EscapeHtml(text) + "</li>";
  return Page(kNotSecureTitle, "The connection to " + EscapeHtml(host) + " is not secure",
              "<p>Lumivale did not show <span class=\"address\">" + EscapeHtml(address) +
                  "</span> because the site could not prove that it is " + EscapeHtml(host) + ":</p><ul>" + list +
                  "</ul><p>Someone may be trying to read or change what you send to this site and what it "
                  "shows you. Nothing was sent to it.</p>");
}

}  // namespace engine
