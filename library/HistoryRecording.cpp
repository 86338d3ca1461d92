#include "library/HistoryRecording.h"

namespace library {
namespace {

std::string Format(std::time_t when, const char* format) {
  std::tm local{};
  localtime_r(&when, &local);
  char buffer[128];
  const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, n);
}

}  // namespace

bool Recordable(const Visit& visit) {
  return visit.recordingOn && visit.title.find("Lumivale") == std::string::npos && !visit.address.empty();
}

std::optional<listfile::Row> VisitRow(const listfile::Rows& rows, const Visit& visit) {
  if (!Recordable(visit)) return std::nullopt;
  if (rows.empty()) return listfile::Row{visit.date + " " + visit.time, {visit.title, visit.address}, 0};
  const auto& newest = rows.front().subItems;
  if (newest.size() >= 2 && newest[1].find(visit.address) != std::string::npos) return std::nullopt;
  return listfile::Row{visit.date + "   " + visit.time, {visit.title, visit.address}, 0};
}

bool RecordVisit(listfile::Rows& rows, const Visit& visit) {
  std::optional<listfile::Row> row = VisitRow(rows, visit);
  if (!row) return false;
  if (rows.size() >= listfile::kMaxRows) rows.pop_back();
  rows.insert(rows.begin(), std::move(*row));
  return true;
}

std::string ShortDate(std::time_t when) { return Format(when, "%x"); }
std::string LongTime(std::time_t when) { return Format(when, "%X"); }

}  // namespace library
