#pragma once
// Letting pending messages run: the program's long operations iterate the
// GLib main context themselves so the windows keep repainting and input
// and engine events keep arriving. Every wait has a time limit.

#include <functional>

namespace ui {

// Runs every event that is ready now, without blocking.
void ProcessMessages();

// Waits `milliseconds` while letting messages run.
void WaitWithMessages(int milliseconds);

// Lets messages run until `done` answers true or `timeoutMs` have passed.
// Answers whether `done` became true. Sleeps in the main loop, never spins.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// How many nested message loops are running now (waits, modal dialogs).
// Objects that a handler further up the stack may still use are freed
// only when this is 0.
int NestedDepth();
// Counts a nested message loop for as long as it lives.
class NestedLoop {
 public:
  NestedLoop();
  ~NestedLoop();
  NestedLoop(const NestedLoop&) = delete;
  NestedLoop& operator=(const NestedLoop&) = delete;
};

// True once the program has begun to end; waits give up early then.
bool Terminating();
void SetTerminating(bool terminating);

}  // namespace ui
