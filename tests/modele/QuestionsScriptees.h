#pragma once

// The study model's messages and questions, answered from a queue and
// recorded: the model is tested without a window.

#include "commun/Questions.h"

#include <deque>
#include <string>
#include <vector>

namespace sorvel::test {

struct QuestionPosee {
    IconeMessage icone;
    std::string titre;
    std::string texte;
    BoutonsMessage boutons;
};

// With the queue empty it gives the cautious answer: OK, No, or Cancel.
class QuestionsScriptees : public Questions {
public:
    ReponseMessage Poser(IconeMessage icone, const std::string& titre, const std::string& texte,
                         BoutonsMessage boutons) override {
        posees.push_back({icone, titre, texte, boutons});
        if (!reponses.empty()) {
            const ReponseMessage r = reponses.front();
            reponses.pop_front();
            return r;
        }
        switch (boutons) {
        case BoutonsMessage::OK: return ReponseMessage::OK;
        case BoutonsMessage::OuiNon: return ReponseMessage::Non;
        case BoutonsMessage::OuiNonAnnuler: return ReponseMessage::Annuler;
        }
        return ReponseMessage::Annuler;
    }
    // Titles of the messages, in order.
    std::vector<std::string> titres() const {
        std::vector<std::string> t;
        for (const auto& q : posees)
            t.push_back(q.titre);
        return t;
    }

    std::deque<ReponseMessage> reponses;
    std::vector<QuestionPosee> posees;
};

} // namespace sorvel::test
