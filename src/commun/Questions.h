#pragma once

// How the program tells the user something or asks a question: an icon, a
// title, a text and a set of buttons, answered by the button pressed. The
// study model speaks through this interface; the windows answer it with a
// real message box, the tests with a script.

#include <string>

namespace sorvel {

enum class IconeMessage { Aucune, Information, Question, Exclamation, Critique };
// OuiNonDefautNon: the question of a deletion or of work thrown away, where
// Enter (the default button) must not be the answer that loses something.
enum class BoutonsMessage { OK, OuiNon, OuiNonAnnuler, OuiNonDefautNon };
enum class ReponseMessage { OK, Oui, Non, Annuler };

class Questions {
public:
    virtual ~Questions() = default;
    // `titre` and `texte` are UTF-8.
    virtual ReponseMessage Poser(IconeMessage icone, const std::string& titre, const std::string& texte,
                                 BoutonsMessage boutons) = 0;
};

} // namespace sorvel
