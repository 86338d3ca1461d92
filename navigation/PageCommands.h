#pragma once
// The addresses and texts the page commands build from the current page:
// translation, domain lookup, the mail of a link, and the filters of the
// open and save dialogs.

#include <string>
#include <vector>

#include "ui/Dialogs.h"

namespace navigation {

inline constexpr const char* kTranslateHost = "translate.google.com";
inline constexpr const char* kWhoisHost = "www.whois.com";

// "http://translate.google.com/translate?u=" and `address`, percent-encoded
// so that the service reads it whole: the "&" and "#" of its query are the
// address's own, not further parameters of the service.
std::string TranslateAddress(const std::string& address);

// "http://www.whois.com/whois/" and the host of `address`.
std::string LookupAddress(const std::string& address);

// The mail of a link to a page titled `title` at `address`.
std::string MailSubject(const std::string& title, const std::string& address);
// "Link: ", the address, line feed, carriage return, line feed, carriage
// return, "Description: ", the title.
std::string MailBody(const std::string& title, const std::string& address);
// A "mailto:" address without recipients whose subject and body are the
// two texts, percent-encoded (UTF-8).
std::string MailtoAddress(const std::string& subject, const std::string& body);

// Reads a filter list written as "name|patterns|name|patterns...", the
// patterns of one entry separated by ";" (blanks around them ignored). A
// name without patterns ends the list.
std::vector<ui::FileType> ParseFilters(const std::string& text);

// The filter of the open dialog.
inline constexpr const char* kOpenFileFilter =
    "HTML File (*.htm, *.html)|*.htm; *.html|Web Archive (*.mht)|*.mht|All Files |*.*";

// How a saved page is written.
enum class SaveKind { Html, WebArchive };

// The filters of the save dialog, in this order: a web page (HTML, the
// page as it is now) and a web archive (the page with its pictures and
// styles, MHTML).
std::vector<ui::FileType> SaveFilters();

// The kind a saved page is written as: by the file's extension when it
// names one of the two (".htm", ".html", ".mht", ".mhtml", any letter
// case), else by the filter chosen in the dialog (0: HTML, 1: archive).
SaveKind SaveKindFor(const std::string& path, int chosenFilter);

// A file name for saving a page titled `title`: the title without the
// characters file names cannot hold, "page" when nothing is left, and the
// extension of `kind`.
std::string SuggestedFileName(const std::string& title, SaveKind kind);

}  // namespace navigation
