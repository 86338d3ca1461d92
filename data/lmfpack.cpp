// Builds the seed files that ship beside the executable from their
// readable sources:
//
//   lmfpack list SOURCE.tsv OUT.lmf
//     one row per line: the caption, then each sub-item, separated by tabs;
//   lmfpack keywords SOURCE.txt OUT
//     one breaking-news keyword per line, written as one comma-separated
//     line with no line break (a line break would become part of the last
//     keyword).
//
// In both sources blank lines and lines starting with "#" are skipped.
// The written file is read back and checked, so a bad seed fails the build.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listfile/ListFile.h"
#include "settings/AtomicFile.h"

namespace {

std::vector<std::string_view> SourceLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Split(std::string_view line, char separator) {
  std::vector<std::string> fields;
  for (;;) {
    const std::size_t at = line.find(separator);
    fields.emplace_back(line.substr(0, at));
    if (at == std::string_view::npos) return fields;
    line.remove_prefix(at + 1);
  }
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "lmfpack: %s\n", message.c_str());
  return 1;
}

int PackList(const std::string& source, const std::string& out, std::string_view text) {
  listfile::Rows rows;
  for (std::string_view line : SourceLines(text)) {
    std::vector<std::string> fields = Split(line, '\t');
    listfile::Row row;
    row.caption = fields.front();
    row.subItems.assign(fields.begin() + 1, fields.end());
    rows.push_back(std::move(row));
  }
  if (rows.empty()) return Fail(source + " holds no rows");
  std::string error;
  if (!listfile::SaveListViewToFile(rows, out, &error)) return Fail(error);
  const std::optional<std::string> written = settings::ReadWholeFile(out);
  const listfile::Decoded back = listfile::Decode(written.value_or(""));
  if (!back.complete || back.rows != rows) return Fail(out + " does not read back as written");
  return 0;
}

int PackKeywords(const std::string& source, const std::string& out, std::string_view text) {
  std::string joined;
  for (std::string_view line : SourceLines(text)) {
    const std::string_view keyword = Trim(line);
    if (keyword.empty()) continue;
    if (keyword.find(',') != std::string_view::npos) return Fail(source + ": a keyword holds a comma");
    if (!joined.empty()) joined += ',';
    joined += keyword;
  }
  if (joined.empty()) return Fail(source + " holds no keywords");
  std::string error;
  if (!settings::WriteFileAtomically(out, joined, &error)) return Fail(error);
  if (settings::ReadWholeFile(out) != joined) return Fail(out + " does not read back as written");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: lmfpack list SOURCE.tsv OUT.lmf\n       lmfpack keywords SOURCE.txt OUT\n");
    return 2;
  }
  const std::string mode = argv[1], source = argv[2], out = argv[3];
  const std::optional<std::string> text = settings::ReadWholeFile(source);
  if (!text) return Fail("cannot read " + source);
  if (mode == "list") return PackList(source, out, *text);
  if (mode == "keywords") return PackKeywords(source, out, *text);
  return Fail("unknown mode " + mode);
}
