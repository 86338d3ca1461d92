#pragma once
// The user's list of optional user-agent strings and its file "uas.cfg":
// one string per line, kept sorted without regard to case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace options {

inline constexpr const char* kAgentFileName = "uas.cfg";

// The list used while there is no "uas.cfg", in this order.
const std::vector<std::string>& BuiltInAgents();

// The file's lines, split at CR LF, CR or LF. Every line, empty ones
// included, is one string; a line end at the very end adds none. Text that
// is not UTF-8 is read as Windows-1252.
std::vector<std::string> ParseAgentList(std::string_view bytes);

// The strings, each followed by CR LF.
std::string FormatAgentList(const std::vector<std::string>& agents);

// Orders texts as the list keeps them: without regard to case.
bool AgentLess(const std::string& a, const std::string& b);

// Puts `agent` into the sorted `agents` at its place (after the strings
// equal to it); answers that place.
std::size_t InsertSorted(std::vector<std::string>& agents, const std::string& agent);

// `agents` in the list's order.
std::vector<std::string> SortedAgents(std::vector<std::string> agents);

// The question asked before `agent` leaves the list.
std::string RemovalQuestion(const std::string& agent);

// The strings of the file at `path`, or nothing when there is no such file
// or it cannot be read.
std::optional<std::vector<std::string>> LoadAgentFile(const std::string& path);

// Writes the strings to `path` whole; false (with `error`) when that failed.
bool SaveAgentFile(const std::string& path, const std::vector<std::string>& agents, std::string* error = nullptr);

}  // namespace options
