#pragma once
// The small windows of the page commands: the find bar over the current
// page, the page's source text and the print preview. Each builds its
// widgets when it is first shown.

#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>

#include "engine/Browser.h"
#include "engine/BrowserFactory.h"

namespace navigation {

// Finds text in the current page: Next, Previous, Match case.
class Tffind : public Gtk::Window {
 public:
  explicit Tffind(std::function<engine::Browser*()> currentBrowser);

  // Shows the window with the text selected, ready for typing.
  void Open();
  // Finds the entry's text in the current page; shows how many matches
  // there are. Answers that number.
  int FindNext(bool backwards);

  Gtk::Entry etext;
  Gtk::CheckButton cmatchcase{"Match case"};
  Gtk::Button bprevious{"Previous"};
  Gtk::Button bnext{"Next"};
  Gtk::Label lresult;

 private:
  void Build();
  void on_hide() override;

  std::function<engine::Browser*()> currentBrowser_;
  engine::Browser* searched_ = nullptr;  // the browser the marks are in
  bool built_ = false;
  Gtk::Box box_{Gtk::ORIENTATION_HORIZONTAL, 6};
};

// The source text of a page.
class Tfsource : public Gtk::Window {
 public:
  Tfsource();
  void ShowSource(const std::string& address, const std::string& text);
  std::string Text() const;

  Gtk::TextView memo;

 private:
  bool built_ = false;
  Gtk::ScrolledWindow scroll_;
};

// The page as it will be printed: a PDF of it shown in a browser of its
// own, with Print and Close. The PDF file goes when the window closes.
class Tfpreview : public Gtk::Window {
 public:
  Tfpreview(engine::BrowserFactory newBrowser, std::function<void()> print);
  ~Tfpreview() override;
  // Shows `pdfFile`, which the window owns from now on.
  void ShowPreview(const std::string& pdfFile);
  engine::Browser* browser() const { return browser_.get(); }

  Gtk::Button bprint{"Print..."};
  Gtk::Button bclose{"Close"};

 private:
  void on_hide() override;
  void RemoveFile();

  engine::BrowserFactory newBrowser_;
  std::function<void()> print_;
  std::unique_ptr<engine::Browser> browser_;
  std::string file_;
  bool built_ = false;
  Gtk::Box box_{Gtk::ORIENTATION_VERTICAL};
  Gtk::Box bar_{Gtk::ORIENTATION_HORIZONTAL, 6};
};

}  // namespace navigation
