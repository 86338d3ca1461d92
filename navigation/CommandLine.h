#pragma once
// The addresses given to the program on its command line (by the user or
// by another program opening a link).

#include <string>
#include <vector>

namespace navigation {

// The address a command-line argument stands for: an address with a
// scheme and an absolute path stay as they are; a relative path of a file
// that exists in `folder` (the folder the command was given in) becomes
// its absolute path; anything else is taken as typed into the address bar.
std::string CommandLineAddress(const std::string& argument, const std::string& folder);

// The addresses of the arguments after the program's own name, in their
// order. Options ("--...") and empty arguments are left out; after "--"
// every non-empty argument is an address.
std::vector<std::string> CommandLineAddresses(const std::vector<std::string>& arguments, const std::string& folder);

// The option that starts an independent window instead of handing the
// addresses to a running one.
inline constexpr const char* kNewSessionOption = "--new-session";

}  // namespace navigation
