#pragma once

// Why a file cannot be used, in French: the wording of a system error
// number, and the diagnosis of a path when the failed call left no number.

#include <filesystem>
#include <string>

namespace sorvel {

// French wording of a system error number (errno), for the end of a
// message: "le disque est plein", "l'accès est refusé", "le fichier
// n'existe pas"...
std::string LibelleErreurSysteme(int code);

// What stands in the way of reading the file `chemin`, as a system error
// number: ENOENT only when the file (or a folder of its path) does not
// exist; ENOTDIR when an element of the path is a file, ENAMETOOLONG,
// EACCES, ELOOP... as the system reports them; EISDIR for a folder. 0 when
// the file can be opened for reading.
int DiagnostiquerLecture(const std::filesystem::path& chemin);

} // namespace sorvel
