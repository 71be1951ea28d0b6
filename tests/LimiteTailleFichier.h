#pragma once

// Lowers the largest file size this process may write, the way a full disk
// stops a write part-way: the system refuses the bytes beyond the limit.
// Unlike a read-only folder, it stops the administrator too.

#include <csignal>
#include <sys/resource.h>

namespace sorvel::test {

class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(rlim_t octets) {
        signalAvant_ = std::signal(SIGXFSZ, SIG_IGN); // a refused write returns an error, not the end of the program
        getrlimit(RLIMIT_FSIZE, &avant_);
        rlimit r = avant_;
        r.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteTailleFichier() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signalAvant_);
    }
    LimiteTailleFichier(const LimiteTailleFichier&) = delete;
    LimiteTailleFichier& operator=(const LimiteTailleFichier&) = delete;

private:
    rlimit avant_{};
    void (*signalAvant_)(int) = SIG_DFL;
};

} // namespace sorvel::test
