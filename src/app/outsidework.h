// Work that arrives from outside the code that is running: a later start's
// files, a drop, a timer, a clipboard notice. A modal window, the busy
// indicator or a command may be under way, with windows and editors in
// use further up the stack; such work must not act on them meanwhile. It
// waits while anything holds it back and then runs from the event loop.
#pragma once

#include <QObject>

#include <functional>

class TOutsideWork {
 public:
  // Runs work from the event loop once nothing holds it back; never
  // within the caller. Dropped when context is gone by then.
  static void Post(QObject* context, std::function<void()> work);
  // Nothing holds work back: periodic work may run now, or skip its turn.
  static bool Idle();

  // While one exists, posted work waits: a command runs, a modal window is
  // open, or posted work itself runs. An open pop-up menu holds it back too.
  class THold {
   public:
    THold();
    ~THold();
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;
  };
};
