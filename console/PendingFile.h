#ifndef CORVALD_CONSOLE_PENDINGFILE_H
#define CORVALD_CONSOLE_PENDINGFILE_H

#include <cstddef>
#include <string>

namespace console {

// A file written under a name of its own beside its target ("players.csv.partial-PID-N",
// created exclusively, so two programs never share one) and then renamed over the target:
// a reader sees the old file or the new one, never half of one. Until then the file is
// removed when the object goes, and when SIGINT, SIGTERM or SIGHUP ends the process (the
// signal then takes its former course).
//
// Faults throw std::system_error naming the target and the system's reason. For one
// thread: the files a signal removes are kept in one table for the process.
class PendingFile {
public:
    // Files that can be pending at once; a further one is not removed by a signal.
    static constexpr std::size_t max_pending = 4;

    // Creates the empty file beside `target`.
    explicit PendingFile(const std::string& target);
    // Removes the file unless it replaced the target.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Writes all of `content` and closes the file.
    void write(const std::string& content);
    // Renames the written file over the target.
    void replace_target();

    const std::string& path() const { return path_; }

private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
    // The signal-removal slot holding path_, or max_pending for none.
    std::size_t slot_;
    bool done_ = false;
};

} // namespace console

#endif
