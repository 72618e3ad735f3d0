// Crash recovery. While a project is modified, a background writer keeps a copy of it in the
// configuration folder, at most once per interval and never in the caller's way, so a later
// start can offer what a crash or a kill left behind. Every running program keeps its own copy,
// named after its process id, and holds a lock on a companion file for as long as it runs: the
// lock, which the system drops when a process dies however it dies, tells a live program's copy
// from a dead one's even when the process id has been reused.
#pragma once

#include "model/projekt.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavrel {

/// What a copy must remember besides the project: where the user's file is and its form.
struct RecoveryOrigin {
    std::string projectPath; ///< the project's file ("noname.TVP" for a new one)
    bool coded = true;       ///< the store form a save of it keeps
};

/// A copy left behind by a program that no longer runs.
struct RecoveryCopy {
    std::string path; ///< the copy itself, a project file
    RecoveryOrigin origin;
    std::string time; ///< when it was written, "DD.MM.YYYY HH:MM"
};

class RecoveryWriter {
public:
    /// Keeps this program's copy in `folder` (created when missing), writing at most once per
    /// `interval`.
    RecoveryWriter(std::string folder, std::chrono::milliseconds interval);
    /// Stops the writer and deletes this program's copy: a program that ends in order leaves
    /// nothing to recover.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    /// Takes a copy of `project` to write; a copy still waiting for its turn is replaced.
    void Offer(const TProjekt& project, const RecoveryOrigin& origin);
    /// Drops a waiting copy and deletes the written one (after a save, or when the user
    /// discarded the changes).
    void Discard();
    /// Waits until everything offered or discarded so far is done on disk.
    void Flush();
    const std::string& Path() const { return m_path; }
    const std::string& Folder() const { return m_folder; }

private:
    void run();
    void write(const TProjekt& project, const RecoveryOrigin& origin) const;

    std::string m_folder;
    std::string m_path;
    std::string m_lockPath;
    int m_lockFd = -1;
    std::chrono::milliseconds m_interval;

    std::mutex m_mutex;
    std::condition_variable m_wake; ///< something to do, or stop
    std::condition_variable m_idle; ///< the last request is done
    std::unique_ptr<TProjekt> m_pending;
    RecoveryOrigin m_pendingOrigin;
    bool m_discard = false;
    bool m_busy = false;
    bool m_stop = false;
    std::chrono::steady_clock::time_point m_nextWrite{};
    std::thread m_thread;
};

/// The copies in `folder` of programs that no longer run, newest first. A copy that cannot be
/// read as a project is deleted.
std::vector<RecoveryCopy> FindOrphanedRecoveryCopies(const std::string& folder);
/// Deletes a copy once it was restored or discarded.
void DeleteRecoveryCopy(const RecoveryCopy& copy);

} // namespace tavrel
