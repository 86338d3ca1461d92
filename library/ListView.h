#pragma once
// A report-style list of list-file rows: the caption in the first column,
// the sub-items in the next ones, one colour pair per cell. The view reads
// the rows where they are kept, so a list of 65535 rows opens and repaints
// in the time its visible rows take; nothing is copied into a store.
//
// Read-only, whole-row single selection. A double click anywhere in the
// rows area (on a row or below the last) raises `double_click`; a click on
// a clickable column header raises `column_click` with the column's index.

#include <gtkmm/treeview.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "library/RowColors.h"
#include "listfile/ListFile.h"

namespace library {

class ListView : public Gtk::TreeView {
 public:
  // The colours of the cell of `row` in `column` (0 is the caption).
  using ColorsOf = std::function<CellColors(std::size_t row, int column)>;

  ListView();
  ~ListView() override;
  ListView(const ListView&) = delete;
  ListView& operator=(const ListView&) = delete;

  // Adds the next column: the caption's first, then one per sub-item. A
  // clickable header raises `column_click`.
  void AddColumn(const char* title, int width, bool clickable = false);
  void SetColors(ColorsOf colorsOf) { colorsOf_ = std::move(colorsOf); }

  const listfile::Rows& Items() const { return rows_; }
  // Replaces every row.
  void Assign(listfile::Rows rows);
  void Clear() { Assign({}); }
  void Insert(std::size_t index, listfile::Row row);
  void Append(listfile::Row row) { Insert(rows_.size(), std::move(row)); }
  void Erase(std::size_t index);
  void Replace(std::size_t index, listfile::Row row);
  // Puts the rows in a new order: place i gets the row that was at
  // order[i] (a permutation of every index). The selection moves with
  // its row.
  void Reorder(const std::vector<std::size_t>& order);

  // The topmost selected row.
  std::optional<std::size_t> Selected();
  // Every selected row, from the top.
  std::vector<std::size_t> SelectedRows();
  void Select(std::size_t index);

  sigc::signal<void()>& signal_double_click() { return doubleClick_; }
  sigc::signal<void(int)>& signal_column_click() { return columnClick_; }

 protected:
  void on_realize() override;
  bool on_button_press_event(GdkEventButton* event) override;
  bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

 private:
  // The view takes its model when it is first drawn or asked for its
  // selection: the rows of a long list cost nothing before that.
  void Attach();
  // Frees the rows the view no longer shows when the program is idle.
  void FreeGarbageLater();
  static void DrawCell(GtkTreeViewColumn* column, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                       gpointer self);

  listfile::Rows rows_;
  GtkTreeModel* model_ = nullptr;
  bool attached_ = false;
  int columns_ = 0;
  ColorsOf colorsOf_;
  std::vector<listfile::Rows> garbage_;
  sigc::connection freeGarbage_;
  sigc::signal<void()> doubleClick_;
  sigc::signal<void(int)> columnClick_;
};

}  // namespace library
