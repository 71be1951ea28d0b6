#include "commun/ErreurSysteme.h"

#include <cerrno>

namespace sorvel {

std::string LibelleErreurSysteme(int code) {
    switch (code) {
    case ENOSPC: return "le disque est plein";
#ifdef EDQUOT
    case EDQUOT: return "le quota d'espace disque est dépassé";
#endif
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case EROFS: return "le disque est en lecture seule";
    case ENOENT: return "le fichier ou son dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "un dossier porte ce nom";
    case EIO: return "erreur matérielle de lecture ou d'écriture";
    case EMFILE:
    case ENFILE: return "trop de fichiers sont ouverts";
    case ENAMETOOLONG: return "le nom du fichier est trop long";
    case ELOOP: return "le chemin tourne en rond (liens symboliques)";
    case EFBIG: return "le fichier est trop grand";
    case EBUSY:
    case ETXTBSY: return "le fichier est utilisé par un autre programme";
    case 0: return "cause inconnue";
    default: return "erreur du système n° " + std::to_string(code);
    }
}

} // namespace sorvel
