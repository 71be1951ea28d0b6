#pragma once

// Lowers the largest file size this process may write, the way a full disk
// stops a write part-way: the system refuses the bytes beyond the limit.
// Unlike a read-only folder, it stops the administrator too.

#include <csignal>
#include <sys/resource.h>

namespace sorvel::test {

class LimiteTailleFichier {
public:
    // A refused write then returns an error instead of ending the program.
    explicit LimiteTailleFichier(rlim_t octets) : signalAvant_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        const rlimit limite{octets, avant_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTailleFichier() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signalAvant_);
    }
    LimiteTailleFichier(const LimiteTailleFichier&) = delete;
    LimiteTailleFichier& operator=(const LimiteTailleFichier&) = delete;

private:
    void (*signalAvant_)(int);
    rlimit avant_{};
};

} // namespace sorvel::test
