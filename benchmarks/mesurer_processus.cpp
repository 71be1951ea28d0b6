// Times whole processes for temps-sorvel-calcul.sh. Reads one command a
// line on its standard input, "label<TAB>program<TAB>argument...", then
// runs every command in turn, `runs` rounds over the list, so that a load
// on the machine weighs on every command alike. Each run's output goes to
// /dev/null; a run that fails stops everything. Prints, for each command in
// order, "label<TAB>median<TAB>min<TAB>max<TAB>CPU median": wall time from
// the start to the end of the run, and the user plus system time the
// process itself used, in microseconds.
//   mesurer_processus RUNS < COMMANDS

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Commande {
    std::string libelle;
    std::vector<std::string> arguments;
    std::vector<long> durees, processeur; // µs
};

long Microsecondes(const timeval& t) { return t.tv_sec * 1'000'000L + t.tv_usec; }

// Runs the command once; false when it cannot start or fails.
bool Executer(Commande& c) {
    std::vector<char*> argv;
    for (std::string& a : c.arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int erreur = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int statut = 0;
    rusage usage{};
    if (erreur != 0 || wait4(pid, &statut, 0, &usage) != pid)
        return false;
    const auto fin = std::chrono::steady_clock::now();
    c.durees.push_back(std::chrono::duration_cast<std::chrono::microseconds>(fin - debut).count());
    c.processeur.push_back(Microsecondes(usage.ru_utime) + Microsecondes(usage.ru_stime));
    return WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
}

long Mediane(std::vector<long> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int fois = argc == 2 ? std::atoi(argv[1]) : 0;
    if (fois <= 0) {
        std::fprintf(stderr, "usage : mesurer_processus FOIS < COMMANDES\n");
        return 1;
    }
    std::vector<Commande> commandes;
    for (std::string ligne; std::getline(std::cin, ligne);) {
        std::istringstream champs(ligne);
        Commande c;
        std::getline(champs, c.libelle, '\t');
        for (std::string a; std::getline(champs, a, '\t');)
            c.arguments.push_back(a);
        if (!c.arguments.empty())
            commandes.push_back(std::move(c));
    }
    for (int n = 0; n < fois; ++n)
        for (Commande& c : commandes)
            if (!Executer(c)) {
                std::fprintf(stderr, "mesurer_processus : échec de « %s »\n", c.libelle.c_str());
                return 2;
            }
    for (const Commande& c : commandes)
        std::printf("%s\t%ld\t%ld\t%ld\t%ld\n", c.libelle.c_str(), Mediane(c.durees),
                    *std::min_element(c.durees.begin(), c.durees.end()),
                    *std::max_element(c.durees.begin(), c.durees.end()), Mediane(c.processeur));
    return 0;
}
