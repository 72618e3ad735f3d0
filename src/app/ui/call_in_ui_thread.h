// Calls from a background thread into the user-interface thread that wait until the call has
// run, so the background thread's reports see the windows in a consistent state and never
// outrun them.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

namespace tavrel {

/// Runs `call` in the receiver's thread and waits for it (directly when already there).
template <typename Call>
void RunInUiThread(QObject* receiver, Call&& call) {
    if (QThread::currentThread() == receiver->thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(receiver, std::forward<Call>(call), Qt::BlockingQueuedConnection);
}

} // namespace tavrel
