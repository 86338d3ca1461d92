#pragma once
// Between list files and the GTK list views of the bookmarks, history and
// feed windows: a column record with the caption, N text columns for the
// sub-items and the image index, and the list-file operations on a store.
//
// A row keeps exactly its own number of sub-items: the text columns show
// the first N, the hidden columns hold how many the row has and any beyond
// N, so saving writes back what loading read. Rows a window adds itself
// should go through SetRow; for a row that did not, the count is taken
// from its last non-empty text column.

#include <gtkmm/liststore.h>
#include <gtkmm/treemodel.h>
#include <gtkmm/treemodelcolumn.h>

#include <string>
#include <vector>

#include "listfile/ListFile.h"

namespace listfile {

class ListColumns : public Gtk::TreeModelColumnRecord {
 public:
  explicit ListColumns(std::size_t textColumns);

  Gtk::TreeModelColumn<Glib::ustring> caption;
  std::vector<Gtk::TreeModelColumn<Glib::ustring>> subItems;  // one per text column
  Gtk::TreeModelColumn<int> imageIndex;
  Gtk::TreeModelColumn<int> subItemCount;                            // hidden
  Gtk::TreeModelColumn<std::vector<std::string>> moreSubItems;       // hidden
};

void SetRow(const Gtk::TreeRow& target, const ListColumns& columns, const Row& row);
Row GetRow(const Gtk::TreeRow& source, const ListColumns& columns);

// Replaces the store's rows with `rows`.
void FillListStore(const Glib::RefPtr<Gtk::ListStore>& store, const ListColumns& columns, const Rows& rows);
// The model's rows in order.
Rows ReadRows(const Glib::RefPtr<Gtk::TreeModel>& model, const ListColumns& columns);

bool SaveListViewToFile(const Glib::RefPtr<Gtk::TreeModel>& model, const ListColumns& columns,
                        const std::string& path, std::string* error = nullptr);
// As the Rows overload: on failure the store keeps its rows.
bool LoadListViewToFile(const Glib::RefPtr<Gtk::ListStore>& store, const ListColumns& columns,
                        const std::string& path, Gtk::Window* owner = nullptr);

}  // namespace listfile
