#include "app/outsidework.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <deque>

namespace {

struct TPosted {
  QPointer<QObject> context;
  std::function<void()> work;
};

std::deque<TPosted>& Queue() {
  static std::deque<TPosted> queue;
  return queue;
}

// A pop-up menu says nothing when it closes: how soon to look again.
constexpr int kMenuRetryMs = 100;

int holds = 0;
bool scheduled = false;

// An open pop-up menu holds work back too: the command chosen from it acts
// on the document it was opened over. A tool button's menu runs a loop of
// its own.
bool MenuOpen() { return QApplication::activePopupWidget() != nullptr; }

void RunQueue();

void Schedule() {
  if (scheduled || holds > 0 || Queue().empty()) return;
  scheduled = true;
  QMetaObject::invokeMethod(QCoreApplication::instance(), RunQueue, Qt::QueuedConnection);
}

// A nested event loop may call this while something still holds work
// back; the last hold to go schedules it again.
void RunQueue() {
  scheduled = false;
  if (holds > 0) return;
  if (MenuOpen()) {
    scheduled = true;
    QTimer::singleShot(kMenuRetryMs, RunQueue);
    return;
  }
  const TOutsideWork::THold hold;
  while (!Queue().empty()) {
    TPosted next = std::move(Queue().front());
    Queue().pop_front();
    if (next.context) next.work();
  }
}

}  // namespace

void TOutsideWork::Post(QObject* context, std::function<void()> work) {
  Queue().push_back(TPosted{context, std::move(work)});
  Schedule();
}

bool TOutsideWork::Idle() { return holds == 0 && !MenuOpen(); }

TOutsideWork::THold::THold() { ++holds; }

TOutsideWork::THold::~THold() {
  if (--holds == 0) Schedule();
}
