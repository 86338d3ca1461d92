#pragma once
// A history as full as the list file holds (65535 rows) with titles and
// addresses of typical lengths, for the benchmarks of the history.

#include <string>

#include "listfile/ListFile.h"

inline listfile::Rows FullHistory() {
  listfile::Rows rows;
  rows.reserve(listfile::kMaxRows);
  for (std::size_t i = 0; i < listfile::kMaxRows; ++i)
    rows.push_back({"10/12/26   14:03:22",
                    {"Example Domain - a page title of a typical length " + std::to_string(i),
                     "https://www.example.com/articles/2026/12/10/some-article-" + std::to_string(i) + ".html"},
                    0});
  return rows;
}
