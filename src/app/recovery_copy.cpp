#include "app/recovery_copy.h"

#include "foundation/atomic_file.h"
#include "foundation/my_ini_file.h"
#include "model/projekt_file.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace tavrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Prefix = "recovery-";
constexpr std::string_view Extension = ".TVP";
constexpr const char* Section = "Recovery";

std::string lockPathOf(const fs::path& copy) {
    fs::path lock = copy;
    return lock.replace_extension(".lock").string();
}

std::string nowText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &local);
    return text;
}

/// Whether a running program holds the lock of a copy. A lock file nobody holds, or none at
/// all, belongs to a program that has ended.
bool ownerIsRunning(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // also drops the lock when this test took it
    return held;
}

bool isRecoveryCopyName(const std::string& name) {
    return name.starts_with(Prefix) && name.ends_with(Extension);
}

} // namespace

RecoveryWriter::RecoveryWriter(std::string folder, std::chrono::milliseconds interval)
    : m_folder(std::move(folder)), m_interval(interval) {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    const std::string stem = std::string(Prefix) + std::to_string(::getpid());
    m_path = (fs::path(m_folder) / (stem + std::string(Extension))).string();
    m_lockPath = lockPathOf(m_path);
    if (fs::exists(m_path, ec)) {
        // A dead program that had this process id left it: keep it for the next start.
        const auto unique = std::chrono::steady_clock::now().time_since_epoch().count();
        fs::rename(m_path, fs::path(m_folder) / (stem + "-" + std::to_string(unique) + ".TVP"), ec);
    }
    m_lockFd = ::open(m_lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (m_lockFd >= 0) {
        ::flock(m_lockFd, LOCK_EX | LOCK_NB);
    }
    m_thread = std::thread([this] { run(); });
}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    std::error_code ec;
    fs::remove(m_path, ec);
    fs::remove(m_lockPath, ec);
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
    }
}

void RecoveryWriter::Offer(const TProjekt& project, const RecoveryOrigin& origin) {
    auto copy = std::make_unique<TProjekt>(project);
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(copy);
        m_pendingOrigin = origin;
        m_discard = false;
    }
    m_wake.notify_all();
}

void RecoveryWriter::Discard() {
    {
        std::lock_guard lock(m_mutex);
        m_pending.reset();
        m_discard = true;
    }
    m_wake.notify_all();
}

void RecoveryWriter::Flush() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_pending && !m_discard && !m_busy; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || m_discard || m_pending; });
        if (m_stop) {
            return;
        }
        if (m_discard) {
            m_discard = false;
            m_busy = true;
            lock.unlock();
            std::error_code ec;
            fs::remove(m_path, ec);
            lock.lock();
        } else {
            // Edits in quick succession: only the last of an interval is written.
            m_wake.wait_until(lock, m_nextWrite, [this] { return m_stop || m_discard; });
            if (m_stop || m_discard || !m_pending) {
                continue;
            }
            const std::unique_ptr<TProjekt> project = std::move(m_pending);
            const RecoveryOrigin origin = m_pendingOrigin;
            m_busy = true;
            lock.unlock();
            write(*project, origin);
            lock.lock();
            m_nextWrite = std::chrono::steady_clock::now() + m_interval;
        }
        m_busy = false;
        m_idle.notify_all();
    }
}

void RecoveryWriter::write(const TProjekt& project, const RecoveryOrigin& origin) const {
    TMyIniFile store(std::string(), false, true, false);
    WriteProjektStore(project, store);
    store.WriteString(Section, "File", origin.projectPath);
    store.WriteBool(Section, "Coded", origin.coded);
    store.WriteString(Section, "Time", nowText());
    // A copy that cannot be written only means less to recover; the next change tries again.
    WriteFileAtomically(m_path, store.ToBytes());
}

std::vector<RecoveryCopy> FindOrphanedRecoveryCopies(const std::string& folder) {
    std::vector<std::pair<fs::file_time_type, RecoveryCopy>> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isRecoveryCopyName(name) || ownerIsRunning(lockPathOf(entry.path()))) {
            continue;
        }
        RecoveryCopy copy;
        copy.path = entry.path().string();
        TMyIniFile store = TMyIniFile::OpenStored(copy.path, false);
        if (store.WrongHeader() || store.KeyCount() == 0) {
            DeleteRecoveryCopy(copy);
            continue;
        }
        copy.origin.projectPath = store.ReadString(Section, "File", "noname.TVP");
        copy.origin.coded = store.ReadBool(Section, "Coded", true);
        copy.time = store.ReadString(Section, "Time", "");
        found.emplace_back(entry.last_write_time(ec), std::move(copy));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<RecoveryCopy> copies;
    for (auto& [time, copy] : found) {
        copies.push_back(std::move(copy));
    }
    return copies;
}

void DeleteRecoveryCopy(const RecoveryCopy& copy) {
    std::error_code ec;
    fs::remove(copy.path, ec);
    fs::remove(lockPathOf(copy.path), ec);
}

} // namespace tavrel
