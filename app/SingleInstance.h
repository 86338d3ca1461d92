#pragma once
// One browser window per desktop session: the first Lumivale process
// owns the program's name on the session bus; a later one hands its
// addresses to it and ends, so that a link opened by another program
// becomes a tab of the running browser.

#include <functional>
#include <string>
#include <vector>

typedef struct _GApplication GApplication;

namespace app {

class SingleInstance {
 public:
  // `open` receives the addresses another process was given (empty: it
  // was started without any).
  using Open = std::function<void(const std::vector<std::string>& addresses)>;

  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Starts connecting to the session bus in the background, so that
  // Register finds the connection made while the rest of start-up ran.
  void Prepare();
  // Takes the program's name on the session bus. False when another
  // process has it: then HandOver passes this one's command line on.
  // Without a session bus every process is on its own (true).
  bool Register();
  // Sends the command line to the process owning the name and answers its
  // exit status for this process.
  int HandOver(int argc, char** argv);
  // Where addresses from later processes go; they arrive while the main
  // loop runs.
  void OnOpen(Open open) { open_ = std::move(open); }

 private:
  GApplication* application_ = nullptr;
  Open open_;
  unsigned long handler_ = 0;
};

// The program's name on the session bus (and of its desktop entry's
// metainfo).
inline constexpr const char* kApplicationId = "example.lumivale.Lumivale";

}  // namespace app
