#pragma once
// The main window as the program makes it, with real WebKit browsers, in a
// scratch settings folder, its home page on the test's server.

#include <functional>
#include <memory>
#include <string>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "engine/WebKitBrowser.h"
#include "library/Tfhistory.h"
#include "navigation/UrlResolution.h"
#include "support/TempFolder.h"
#include "ui/ProcessMessages.h"

namespace engine_testing {

class RealMainForm {
 public:
  RealMainForm() = default;
  RealMainForm(const RealMainForm&) = delete;
  RealMainForm& operator=(const RealMainForm&) = delete;
  ~RealMainForm() { Close(); }

  // Writes `homePage` into the settings, makes the window from the
  // program's environment (as `adjust` changes it), starts it with the
  // history window beside it (recording as the settings say, or never) and
  // shows it. The home page loads meanwhile.
  void Open(const std::string& homePage, const std::function<void(app::Environment&)>& adjust = {},
            bool recordHistory = true) {
    data.Write("Lumivale/Lumivale.cfg", "[Config]\nHomepage=" + homePage + "\n");
    app::Environment env;
    env.appDataFolder = data.str();
    env.programFolder = program.str();
    env.newBrowser = [] { return engine::CreateWebKitBrowser(); };
    env.endProgram = [] {};
    env.checkUrl = [](const std::string& text) { return navigation::CheckUrl(text, 5000); };
    if (adjust) adjust(env);
    form = std::make_unique<app::TMainForm>(env);
    form->FormCreate();
    history = std::make_unique<library::Tfhistory>(form->SettingsFolder() + "history.lmf",
                                                   recordHistory ? form->config.enableHist : 0);
    app::forms().fhistory = history.get();
    form->show();
  }

  void Close() {
    app::forms() = app::Forms{};
    form.reset();
    history.reset();
    ui::ProcessMessages();
  }

  testing_support::TempFolder data;
  testing_support::TempFolder program;
  std::unique_ptr<app::TMainForm> form;
  std::unique_ptr<library::Tfhistory> history;
};

}  // namespace engine_testing
