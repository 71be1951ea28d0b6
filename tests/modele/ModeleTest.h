#pragma once

// What the model tests share: the study model on a studies folder of the
// test's own, its messages and questions answered from a script and
// recorded (no window), the rooms a user enters, and the files of the
// study.

#include "Exemples.h"
#include "ExemplesEtude.h"
#include "enregistrements/Enregistrements.h"
#include "modele/EtudeEnCours.h"
#include "stockage/Catalogue.h"
#include "stockage/SessionEtudes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

namespace sorvel::test {

// Answers from a queue; with the queue empty, the cautious answer: OK, No,
// or Cancel.
class QuestionsScriptees : public Questions {
public:
    struct Posee { IconeMessage icone; std::string titre, texte; BoutonsMessage boutons; };
    ReponseMessage Poser(IconeMessage icone, const std::string& titre, const std::string& texte,
                         BoutonsMessage boutons) override {
        posees.push_back({icone, titre, texte, boutons});
        if (reponses.empty())
            return boutons == BoutonsMessage::OK ? ReponseMessage::OK
                   : boutons == BoutonsMessage::OuiNonAnnuler ? ReponseMessage::Annuler : ReponseMessage::Non;
        const ReponseMessage r = reponses.front();
        reponses.pop_front();
        return r;
    }
    // The one message told since the last look, checked: its title, and its
    // text, icon and buttons when given. The record starts afresh.
    ::testing::AssertionResult Seul(const std::string& titre, const std::string& texte = {},
                                    std::optional<IconeMessage> icone = {},
                                    std::optional<BoutonsMessage> boutons = {}) {
        const std::vector<Posee> vues = std::exchange(posees, {});
        if (vues.size() != 1 || vues[0].titre != titre || (!texte.empty() && vues[0].texte != texte) ||
            (icone && vues[0].icone != *icone) || (boutons && vues[0].boutons != *boutons))
            return ::testing::AssertionFailure() << vues.size() << " message(s), the first: "
                                                 << (vues.empty() ? "" : vues[0].titre + " " + vues[0].texte);
        return ::testing::AssertionSuccess();
    }

    std::deque<ReponseMessage> reponses;
    std::vector<Posee> posees;
};

inline const Piece Sejour = exemples::PieceMaison("Séjour", Charge::Normale, 30, 1800);
inline const Piece Chambre = exemples::PieceMaison("Chambre", Charge::Elevee, 14, 900);
inline const Piece Cuisine = exemples::PieceMaison("Cuisine", Charge::Combinee, 12, 700);

// The files of a study: rooms, pressure drops, general data, extension file.
using Jeu = std::vector<QByteArray>;
inline const Jeu Aucun = {"<absent>", "<absent>", "<absent>", "<absent>"};

class ModeleTest : public ::testing::Test {
protected:
    // The model started on its folder, named; the signals counted.
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        etude.Programme().Demarrer();
        B.NommerEtude();
        QObject::connect(&etude, &EtudeEnCours::EtudeRemplacee, [this] { ++remplacements; });
        QObject::connect(&etude, &EtudeEnCours::PiecesChangees, [this] { ++piecesChangees; });
    }
    // The room `p` entered from "Ajouter une pièce" up to its calculation.
    bool Calculer(const Piece& p) {
        if (!S.CommencerNouvellePiece())
            return false;
        S.ModifierPieceEnSaisie([&](Piece& saisie) { saisie = p; });
        return S.CalculerPiece();
    }
    // Then "&OK", after a change on a screen.
    bool Saisir(const Piece& p) {
        const bool calculee = Calculer(p);
        etude.MarquerModifie();
        return calculee && S.AccepterPiece();
    }
    Jeu Stockee(const QString& nom) const {
        return {Contenu(dossier, nom + ExtensionPieces), Contenu(dossier, nom + ExtensionPertes),
                Contenu(dossier, nom + ExtensionGenerales), Contenu(dossier, nom + ExtensionComplements)};
    }
    Jeu Travail() const {
        return {Contenu(dossier, FichierEtude), Contenu(dossier, FichierPerte), Contenu(dossier, FichierGenerales),
                Contenu(dossier, FichierExtension)};
    }

    QTemporaryDir temp_;
    const DossierEtudes dossier{temp_.path() + QStringLiteral("/Etudes")};
    QuestionsScriptees questions;
    EtudeEnCours etude{dossier.Chemin(), questions};
    BibliothequeEtudes& B = etude.Bibliotheque();
    SaisiePiece& S = etude.Saisie();
    int remplacements = 0;
    int piecesChangees = 0;
};

} // namespace sorvel::test
