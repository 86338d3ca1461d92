#pragma once
// When a finished download becomes a row of the web history, and what the
// row holds: caption = date and time of the visit, then the page title
// and the address. Row 0 is the newest.

#include <ctime>
#include <optional>
#include <string>

#include "listfile/ListFile.h"

namespace library {

struct Visit {
  bool recordingOn = false;  // the history window's switch
  std::string title;         // the last page title reported
  std::string address;       // the current page's address
  std::string date;          // the date in the user's short format
  std::string time;          // the time in the user's long format
};

// The part of the recording rule that does not depend on the rows: false
// while recording is off, for a title containing "Lumivale" and for an
// empty address.
bool Recordable(const Visit& visit);

// Applies the recording rule to `rows`. Answers true when a row was added,
// so the list must be written. Nothing is recorded while recording is off,
// for a title containing "Lumivale", for an empty address, or when the
// address occurs anywhere in the newest row's address (a reload, or a
// prefix of it). The first row of an empty history has one blank between
// date and time, every later one three. A full list drops its oldest row.
bool RecordVisit(listfile::Rows& rows, const Visit& visit);

// The row RecordVisit would put at the top of `rows`, or nothing when the
// visit is not recorded. (The caller drops the oldest row of a full list.)
std::optional<listfile::Row> VisitRow(const listfile::Rows& rows, const Visit& visit);

// The date and time texts of `when` in the user's locale.
std::string ShortDate(std::time_t when);
std::string LongTime(std::time_t when);

}  // namespace library
