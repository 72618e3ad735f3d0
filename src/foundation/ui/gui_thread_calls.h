// Calls from worker threads that run in the thread of a QObject (the user-interface thread)
// while the worker waits. The order between the two threads is carried by a std::mutex and a
// condition variable, which a race detector sees; a blocking queued connection orders them by a
// semaphore inside Qt, which it does not, so every hand-over would look like a race.
#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace tavrel {

class GuiThreadCalls : public QObject {
    Q_OBJECT
public:
    explicit GuiThreadCalls(QObject* parent) : QObject(parent) {}

    /// Runs `call` in this object's thread and returns when it has run; called from that
    /// thread, runs it at once. Several workers may wait at the same time.
    void Run(const std::function<void()>& call);

protected:
    bool event(QEvent* event) override;

private:
    struct Pending {
        const std::function<void()>* call = nullptr;
        bool done = false;
    };

    std::mutex m_mutex;
    std::condition_variable m_done;
    std::deque<Pending*> m_queue;
};

} // namespace tavrel
