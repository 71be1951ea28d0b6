#pragma once

// Why a file cannot be used, in French: the wording of a system error
// number, for the end of a message.

#include <string>

namespace sorvel {

// "le disque est plein", "l'accès est refusé", "le fichier ou son dossier
// n'existe pas"... for a system error number (errno).
std::string LibelleErreurSysteme(int code);

} // namespace sorvel
