// Entry point of the window and engine tests: GTK needs initialising once
// per process before any widget exists. Listing the tests needs no display.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/main.h>

#include <cstring>

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing |= std::strcmp(argv[i], "--gtest_list_tests") == 0;
  testing::InitGoogleTest(&argc, argv);
  if (listing) return RUN_ALL_TESTS();
  gtk_init(&argc, &argv);
  Gtk::Main::init_gtkmm_internals();
  return RUN_ALL_TESTS();
}
