#include "foundation/ui/gui_thread_calls.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace tavrel {

namespace {

const QEvent::Type CallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

void GuiThreadCalls::Run(const std::function<void()>& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    Pending pending{&call, false};
    std::unique_lock lock(m_mutex);
    m_queue.push_back(&pending);
    QCoreApplication::postEvent(this, new QEvent(CallEvent));
    m_done.wait(lock, [&pending] { return pending.done; });
}

bool GuiThreadCalls::event(QEvent* event) {
    // Locked before the event is read: the worker made it, and only the mutex orders that.
    std::unique_lock lock(m_mutex);
    if (event->type() != CallEvent) {
        lock.unlock();
        return QObject::event(event);
    }
    Pending* pending = m_queue.front();
    m_queue.pop_front();
    lock.unlock();
    (*pending->call)();
    lock.lock();
    pending->done = true;
    lock.unlock();
    m_done.notify_all();
    return true;
}

} // namespace tavrel
