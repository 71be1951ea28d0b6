#include "ihm/Proteger.h"

#include "commun/ErreurArithmetique.h"
#include "ihm/BoiteMessage.h"
#include "commun/ErreurSignalee.h"

#include <QAbstractButton>

#include <exception>

namespace sorvel {

bool Proteger(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const ErreurSignalee& e) {
        Message(parent, IconeMessage::Exclamation, QString::fromStdString(e.titre()),
                QString::fromUtf8(e.what()));
    } catch (const ErreurArithmetique& e) {
        Message(parent, IconeMessage::Critique, QStringLiteral("Erreur de calcul."),
                QStringLiteral("Le calcul a été interrompu (%1 à l'étape %2).")
                    .arg(QString::fromUtf8(ErreurArithmetique::libelle(e.nature())),
                         QString::fromStdString(e.etape())));
    } catch (const std::exception& e) {
        Message(parent, IconeMessage::Critique, QStringLiteral("Erreur."),
                QStringLiteral("L'opération a été interrompue : %1").arg(QString::fromUtf8(e.what())));
    }
    return false;
}

void RelierClic(QAbstractButton* bouton, QWidget* ecran, std::function<void()> action) {
    if (!bouton)
        return;
    QObject::connect(bouton, &QAbstractButton::clicked, ecran,
                     [ecran, action = std::move(action)] { Proteger(ecran, action); });
}

} // namespace sorvel
