#include "library/ListView.h"

#include <glibmm/main.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <string>
#include <utility>

namespace library {
namespace {

// A flat tree model over a vector of rows owned by the view. An iterator
// holds the row's index; iterators do not outlive a change.
struct LumivaleRowsModel {
  GObject parent;
  const listfile::Rows* rows;
  gint columns;
  gint stamp;
};
struct LumivaleRowsModelClass {
  GObjectClass parent_class;
};

void lumivale_rows_model_tree_model_init(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(LumivaleRowsModel, lumivale_rows_model, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, lumivale_rows_model_tree_model_init))

LumivaleRowsModel* Self(GtkTreeModel* model) { return reinterpret_cast<LumivaleRowsModel*>(model); }

gint Count(GtkTreeModel* model) { return gint(Self(model)->rows->size()); }

std::size_t IndexOf(const GtkTreeIter* iter) { return GPOINTER_TO_SIZE(iter->user_data); }

gboolean SetIter(GtkTreeModel* model, GtkTreeIter* iter, gint index) {
  if (index < 0 || index >= Count(model)) {
    iter->stamp = 0;
    return FALSE;
  }
  iter->stamp = Self(model)->stamp;
  iter->user_data = GSIZE_TO_POINTER(std::size_t(index));
  iter->user_data2 = nullptr;
  iter->user_data3 = nullptr;
  return TRUE;
}

GtkTreeModelFlags GetFlags(GtkTreeModel*) { return GTK_TREE_MODEL_LIST_ONLY; }
gint GetNColumns(GtkTreeModel* model) { return Self(model)->columns; }
GType GetColumnType(GtkTreeModel*, gint) { return G_TYPE_STRING; }

gboolean GetIter(GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path) {
  if (gtk_tree_path_get_depth(path) != 1) {
    iter->stamp = 0;
    return FALSE;
  }
  return SetIter(model, iter, gtk_tree_path_get_indices(path)[0]);
}

GtkTreePath* GetPath(GtkTreeModel*, GtkTreeIter* iter) {
  return gtk_tree_path_new_from_indices(gint(IndexOf(iter)), -1);
}

const std::string* TextOf(const listfile::Row& row, gint column) {
  if (column == 0) return &row.caption;
  const std::size_t sub = std::size_t(column - 1);
  return sub < row.subItems.size() ? &row.subItems[sub] : nullptr;
}

void GetValue(GtkTreeModel* model, GtkTreeIter* iter, gint column, GValue* value) {
  g_value_init(value, G_TYPE_STRING);
  const std::size_t index = IndexOf(iter);
  if (index >= Self(model)->rows->size()) return;
  if (const std::string* text = TextOf((*Self(model)->rows)[index], column)) g_value_set_string(value, text->c_str());
}

gboolean IterNext(GtkTreeModel* model, GtkTreeIter* iter) { return SetIter(model, iter, gint(IndexOf(iter)) + 1); }
gboolean IterPrevious(GtkTreeModel* model, GtkTreeIter* iter) {
  return SetIter(model, iter, gint(IndexOf(iter)) - 1);
}
gboolean IterChildren(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent) {
  if (parent) {
    iter->stamp = 0;
    return FALSE;
  }
  return SetIter(model, iter, 0);
}
gboolean IterHasChild(GtkTreeModel*, GtkTreeIter*) { return FALSE; }
gint IterNChildren(GtkTreeModel* model, GtkTreeIter* iter) { return iter ? 0 : Count(model); }
gboolean IterNthChild(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n) {
  if (parent) {
    iter->stamp = 0;
    return FALSE;
  }
  return SetIter(model, iter, n);
}
gboolean IterParent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*) {
  iter->stamp = 0;
  return FALSE;
}

void lumivale_rows_model_tree_model_init(GtkTreeModelIface* iface) {
  iface->get_flags = GetFlags;
  iface->get_n_columns = GetNColumns;
  iface->get_column_type = GetColumnType;
  iface->get_iter = GetIter;
  iface->get_path = GetPath;
  iface->get_value = GetValue;
  iface->iter_next = IterNext;
  iface->iter_previous = IterPrevious;
  iface->iter_children = IterChildren;
  iface->iter_has_child = IterHasChild;
  iface->iter_n_children = IterNChildren;
  iface->iter_nth_child = IterNthChild;
  iface->iter_parent = IterParent;
}

void lumivale_rows_model_init(LumivaleRowsModel* self) {
  self->rows = nullptr;
  self->columns = 0;
  self->stamp = gint(g_random_int());
}

void lumivale_rows_model_class_init(LumivaleRowsModelClass*) {}

GdkRGBA ToRgba(controls::Rgb c) { return GdkRGBA{c.r / 255.0, c.g / 255.0, c.b / 255.0, 1.0}; }

GtkTreePath* PathOf(std::size_t index) { return gtk_tree_path_new_from_indices(gint(index), -1); }

// Lists at least this long are freed when the program is idle.
constexpr std::size_t kFreeLater = 4096;

}  // namespace

ListView::ListView() {
  auto* model = static_cast<LumivaleRowsModel*>(g_object_new(lumivale_rows_model_get_type(), nullptr));
  model->rows = &rows_;
  model_ = GTK_TREE_MODEL(model);
  get_selection()->set_mode(Gtk::SELECTION_SINGLE);
  set_enable_search(false);
  set_fixed_height_mode(true);
}

ListView::~ListView() {
  freeGarbage_.disconnect();
  if (attached_) gtk_tree_view_set_model(gobj(), nullptr);
  g_object_unref(model_);
}

void ListView::AddColumn(const char* title, int width, bool clickable) {
  const int index = columns_++;
  Self(model_)->columns = columns_;
  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  g_object_set(cell, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
  GtkTreeViewColumn* column = gtk_tree_view_column_new();
  gtk_tree_view_column_set_title(column, title);
  gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(column, width);
  gtk_tree_view_column_set_resizable(column, TRUE);
  gtk_tree_view_column_set_clickable(column, clickable);
  gtk_tree_view_column_pack_start(column, cell, TRUE);
  g_object_set_data(G_OBJECT(column), "lumivale-column", GINT_TO_POINTER(index));
  gtk_tree_view_column_set_cell_data_func(column, cell, &ListView::DrawCell, this, nullptr);
  gtk_tree_view_append_column(gobj(), column);
  if (clickable) Glib::wrap(column)->signal_clicked().connect([this, index] { columnClick_.emit(index); });
}

void ListView::DrawCell(GtkTreeViewColumn* column, GtkCellRenderer* cell, GtkTreeModel*, GtkTreeIter* iter,
                        gpointer self) {
  auto* view = static_cast<ListView*>(self);
  const std::size_t index = IndexOf(iter);
  if (index >= view->rows_.size()) return;
  const int at = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), "lumivale-column"));
  const std::string* text = TextOf(view->rows_[index], at);
  g_object_set(cell, "text", text ? text->c_str() : "", nullptr);
  // A selected row shows in the selection's colours.
  if (!view->colorsOf_ || gtk_tree_selection_iter_is_selected(gtk_tree_view_get_selection(view->gobj()), iter)) {
    g_object_set(cell, "cell-background-set", FALSE, "foreground-set", FALSE, nullptr);
    return;
  }
  const CellColors colors = view->colorsOf_(index, at);
  const GdkRGBA background = ToRgba(colors.background);
  const GdkRGBA foreground = ToRgba(colors.text);
  g_object_set(cell, "cell-background-rgba", &background, "foreground-rgba", &foreground, nullptr);
}

void ListView::Attach() {
  if (attached_) return;
  attached_ = true;
  gtk_tree_view_set_model(gobj(), model_);
}

void ListView::on_realize() {
  Attach();
  Gtk::TreeView::on_realize();
}

bool ListView::on_button_press_event(GdkEventButton* event) {
  const bool handled = Gtk::TreeView::on_button_press_event(event);
  auto bin = get_bin_window();
  if (event->type == GDK_2BUTTON_PRESS && event->button == 1 && bin && event->window == bin->gobj()) {
    doubleClick_.emit();
    return true;
  }
  return handled;
}

void ListView::Assign(listfile::Rows rows) {
  if (attached_) gtk_tree_view_set_model(gobj(), nullptr);
  listfile::Rows old = std::exchange(rows_, std::move(rows));
  // The view takes the new rows as a new model: much faster than a notice
  // per row.
  if (attached_) gtk_tree_view_set_model(gobj(), model_);
  // Freeing a long list costs about as much as reading it: it waits until
  // the new one is on the screen.
  if (old.size() >= kFreeLater) {
    garbage_.push_back(std::move(old));
    if (!get_mapped()) FreeGarbageLater();
  }
}

void ListView::FreeGarbageLater() {
  if (garbage_.empty() || freeGarbage_.connected()) return;
  freeGarbage_ = Glib::signal_idle().connect(
      [this] {
        garbage_.clear();
        return false;
      },
      Glib::PRIORITY_LOW);
}

bool ListView::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
  const bool handled = Gtk::TreeView::on_draw(cr);
  FreeGarbageLater();
  return handled;
}

void ListView::Insert(std::size_t index, listfile::Row row) {
  if (index > rows_.size()) index = rows_.size();
  rows_.insert(rows_.begin() + std::ptrdiff_t(index), std::move(row));
  if (!attached_) return;
  GtkTreeIter iter;
  SetIter(model_, &iter, gint(index));
  GtkTreePath* path = PathOf(index);
  gtk_tree_model_row_inserted(model_, path, &iter);
  gtk_tree_path_free(path);
}

void ListView::Erase(std::size_t index) {
  if (index >= rows_.size()) return;
  rows_.erase(rows_.begin() + std::ptrdiff_t(index));
  if (!attached_) return;
  GtkTreePath* path = PathOf(index);
  gtk_tree_model_row_deleted(model_, path);
  gtk_tree_path_free(path);
}

void ListView::Replace(std::size_t index, listfile::Row row) {
  if (index >= rows_.size()) return;
  rows_[index] = std::move(row);
  if (!attached_) return;
  GtkTreeIter iter;
  SetIter(model_, &iter, gint(index));
  GtkTreePath* path = PathOf(index);
  gtk_tree_model_row_changed(model_, path, &iter);
  gtk_tree_path_free(path);
}

void ListView::Reorder(const std::vector<std::size_t>& order) {
  if (order.size() != rows_.size() || rows_.empty()) return;
  listfile::Rows sorted;
  sorted.reserve(rows_.size());
  for (std::size_t from : order) sorted.push_back(std::move(rows_[from]));
  rows_ = std::move(sorted);
  if (!attached_) return;
  std::vector<gint> newOrder(order.begin(), order.end());
  GtkTreePath* root = gtk_tree_path_new();
  gtk_tree_model_rows_reordered_with_length(model_, root, nullptr, newOrder.data(), gint(newOrder.size()));
  gtk_tree_path_free(root);
}

std::vector<std::size_t> ListView::SelectedRows() {
  Attach();
  std::vector<std::size_t> selected;
  GList* paths = gtk_tree_selection_get_selected_rows(gtk_tree_view_get_selection(gobj()), nullptr);
  for (GList* p = paths; p; p = p->next) {
    auto* path = static_cast<GtkTreePath*>(p->data);
    if (gtk_tree_path_get_depth(path) == 1) selected.push_back(std::size_t(gtk_tree_path_get_indices(path)[0]));
  }
  g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
  std::sort(selected.begin(), selected.end());
  return selected;
}

std::optional<std::size_t> ListView::Selected() {
  const std::vector<std::size_t> selected = SelectedRows();
  if (selected.empty()) return std::nullopt;
  return selected.front();
}

void ListView::Select(std::size_t index) {
  Attach();
  if (index >= rows_.size()) return;
  GtkTreePath* path = PathOf(index);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(gobj()), path);
  gtk_tree_view_set_cursor(gobj(), path, nullptr, FALSE);
  gtk_tree_path_free(path);
}

}  // namespace library
