#include <glib.h>
#include <gtest/gtest.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <cerrno>
#include <filesystem>

#include "listfile/ListStoreAdapter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

using listfile::ListColumns;
using listfile::Row;
using listfile::Rows;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

namespace {

// Two text columns, as the history window has (title, address); rows with
// fewer and more sub-items than that must come back as they went in.
Rows Sample() {
  return {
      {"10.12.2026   14:03:22", {"Start page", "https://lumivale.example/"}, 0},
      {"no sub-items", {}, 3},
      {"one", {""}, -1},
      {"four", {"a", "b", "c", "d"}, 0},
  };
}

}  // namespace

TEST(ListStoreAdapter, ShowsTheRowsAndGivesThemBackUnchanged) {
  ListColumns columns(2);
  auto store = Gtk::ListStore::create(columns);
  Gtk::Window window;
  Gtk::TreeView view(store);
  view.append_column("History", columns.caption);
  view.append_column("Title", columns.subItems[0]);
  view.append_column("URL", columns.subItems[1]);
  window.add(view);
  window.show_all();

  listfile::FillListStore(store, columns, Sample());
  ASSERT_EQ(store->children().size(), 4u);
  const Gtk::TreeRow first = store->children()[0];
  EXPECT_EQ(Glib::ustring(first[columns.subItems[1]]), "https://lumivale.example/");
  const Gtk::TreeRow fourth = store->children()[3];
  EXPECT_EQ(Glib::ustring(fourth[columns.subItems[1]]), "b");
  EXPECT_EQ(listfile::ReadRows(store, columns), Sample());

  // A row a window adds by hand, without SetRow, keeps its address.
  Gtk::TreeRow added = *store->append();
  added[columns.caption] = "added";
  added[columns.subItems[0]] = "https://added.example/";
  EXPECT_EQ(listfile::GetRow(added, columns), (Row{"added", {"https://added.example/"}, 0}));
}

TEST(ListStoreAdapter, SavesAndLoadsAStoreThroughAListFile) {
  TempFolder dir;
  ScriptedDialogs dialogs;
  ListColumns columns(1);
  auto store = Gtk::ListStore::create(columns);
  listfile::FillListStore(store, columns, Sample());
  ASSERT_TRUE(listfile::SaveListViewToFile(store, columns, dir / "history.lmf"));

  auto other = Gtk::ListStore::create(columns);
  listfile::FillListStore(other, columns, {{"old", {}, 0}});
  ASSERT_TRUE(listfile::LoadListViewToFile(other, columns, dir / "history.lmf"));
  EXPECT_EQ(listfile::ReadRows(other, columns), Sample());

  Gtk::Window owner;
  EXPECT_FALSE(listfile::LoadListViewToFile(other, columns, dir / "2rss.lmf", &owner));
  EXPECT_EQ(listfile::ReadRows(other, columns), Sample());  // the store keeps its rows
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "File \"2rss.lmf\" does not exist!");

  std::filesystem::create_directory(dir.path() / "2favlist.lmf");
  EXPECT_FALSE(listfile::LoadListViewToFile(other, columns, dir / "2favlist.lmf", &owner));
  EXPECT_EQ(listfile::ReadRows(other, columns), Sample());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, std::string("File \"2favlist.lmf\" cannot be read: ") + g_strerror(EISDIR));
  listfile::SetListLoaded(true);
}
