#include "listfile/ListStoreAdapter.h"

#include <algorithm>

namespace listfile {

ListColumns::ListColumns(std::size_t textColumns) {
  add(caption);
  subItems.resize(textColumns);
  for (auto& column : subItems) add(column);
  add(imageIndex);
  add(subItemCount);
  add(moreSubItems);
}

void SetRow(const Gtk::TreeRow& target, const ListColumns& columns, const Row& row) {
  target[columns.caption] = row.caption;
  const std::size_t shown = columns.subItems.size();
  for (std::size_t i = 0; i < shown; ++i)
    target[columns.subItems[i]] = i < row.subItems.size() ? row.subItems[i] : std::string();
  target[columns.imageIndex] = row.imageIndex;
  target[columns.subItemCount] = static_cast<int>(std::min(row.subItems.size(), kMaxSubItems));
  std::vector<std::string> more;
  if (row.subItems.size() > shown) more.assign(row.subItems.begin() + static_cast<std::ptrdiff_t>(shown), row.subItems.end());
  target[columns.moreSubItems] = more;
}

Row GetRow(const Gtk::TreeRow& source, const ListColumns& columns) {
  Row row;
  row.caption = Glib::ustring(source[columns.caption]).raw();
  row.imageIndex = source[columns.imageIndex];
  const std::size_t shown = columns.subItems.size();
  std::size_t count = static_cast<std::size_t>(std::max(0, int(source[columns.subItemCount])));
  for (std::size_t i = shown; i > count; --i)
    if (!Glib::ustring(source[columns.subItems[i - 1]]).empty()) count = i;
  const std::vector<std::string> more = source[columns.moreSubItems];
  for (std::size_t i = 0; i < std::min(count, shown); ++i)
    row.subItems.push_back(Glib::ustring(source[columns.subItems[i]]).raw());
  if (count > shown) {
    row.subItems.insert(row.subItems.end(), more.begin(),
                        more.begin() + static_cast<std::ptrdiff_t>(std::min(count - shown, more.size())));
    row.subItems.resize(count);
  }
  return row;
}

void FillListStore(const Glib::RefPtr<Gtk::ListStore>& store, const ListColumns& columns, const Rows& rows) {
  store->clear();
  for (const Row& row : rows) SetRow(*store->append(), columns, row);
}

Rows ReadRows(const Glib::RefPtr<Gtk::TreeModel>& model, const ListColumns& columns) {
  Rows rows;
  for (const Gtk::TreeRow& row : model->children()) rows.push_back(GetRow(row, columns));
  return rows;
}

bool SaveListViewToFile(const Glib::RefPtr<Gtk::TreeModel>& model, const ListColumns& columns,
                        const std::string& path, std::string* error) {
  return SaveListViewToFile(ReadRows(model, columns), path, error);
}

bool LoadListViewToFile(const Glib::RefPtr<Gtk::ListStore>& store, const ListColumns& columns,
                        const std::string& path, Gtk::Window* owner) {
  Rows rows;
  if (!LoadListViewToFile(rows, path, owner)) return false;
  FillListStore(store, columns, rows);
  return true;
}

}  // namespace listfile
