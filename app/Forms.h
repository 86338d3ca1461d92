#pragma once
// The program's windows, each created once at start-up in a fixed order
// and kept until the process ends. Code that needs another window reaches
// it here; a window that does not exist (in tests) is null.

namespace Gtk {
class Window;
}
namespace designer {
class Tfdesigner;
}
namespace library {
class Tfaddfav;
class Tfeditfavorites;
class Tffavorit;
class Tfhistory;
}
namespace options {
class Tfabout;
class Tfaddstring;
class Tfhomepage;
class Tfoptions;
}
namespace navigation {
class Tfhint;
class Tfred;
class Tfzum;
}
namespace rss {
class Tfmanage;
class Tfrss;
class Tfslide;
class Tfnews;
class Tfhotwords;
}

namespace app {

class TMainForm;

struct Forms {
  TMainForm* MainForm = nullptr;
  navigation::Tfhint* fhint = nullptr;
  library::Tffavorit* ffavorit = nullptr;
  library::Tfaddfav* faddfav = nullptr;
  Gtk::Window* fmemo = nullptr;
  rss::Tfslide* fslide = nullptr;
  library::Tfeditfavorites* feditfavorites = nullptr;
  rss::Tfrss* frss = nullptr;
  rss::Tfmanage* fmanage = nullptr;
  options::Tfoptions* foptions = nullptr;
  options::Tfaddstring* faddstring = nullptr;
  options::Tfhomepage* fhomepage = nullptr;
  Gtk::Window* ftransparent = nullptr;
  options::Tfabout* fabout = nullptr;
  navigation::Tfred* fred = nullptr;
  library::Tfhistory* fhistory = nullptr;
  navigation::Tfzum* fzum = nullptr;
  rss::Tfnews* fnews = nullptr;
  rss::Tfhotwords* fhotwords = nullptr;
  designer::Tfdesigner* fdesigner = nullptr;
};

Forms& forms();

// Creates every window after the main window, in the program's order:
// the floating toolbar first, the HTML designer last. Their creation reads
// the values the main window's start-up has set.
void CreateForms(TMainForm& mainForm);

// Frees the windows CreateForms made and empties forms().
void DestroyForms();

}  // namespace app
