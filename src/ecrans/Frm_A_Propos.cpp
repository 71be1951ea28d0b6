#include "ecrans/Frm_A_Propos.h"

#include "commun/Version.h"
#include "ihm/Controles.h"
#include "ihm/Ressources.h"

#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace sorvel {

namespace {

std::function<bool(const QUrl&)>& ouvreur() {
    static std::function<bool(const QUrl&)> f;
    return f;
}

} // namespace

const QString Frm_A_Propos::AdresseContact = QStringLiteral("contact@sorvel.fr");
const QString Frm_A_Propos::SujetCourriel = QStringLiteral("Erreur détectée dans Sorvel !");

LienCourriel::LienCourriel(const QString& adresse, QWidget* parent)
    : QLabel(parent), adresse_(adresse) {
    setText(QStringLiteral("<a href=\"%1\">%2</a>")
                .arg(url().toString(QUrl::FullyEncoded).toHtmlEscaped(), adresse.toHtmlEscaped()));
    setTextFormat(Qt::RichText);
    // The press is handled here, not by the label's own link handling.
    setTextInteractionFlags(Qt::NoTextInteraction);
    setToolTip(QStringLiteral("Écrire à ") + adresse);
    // Qt shows a widget's own cursor while the mouse is over it and gives the
    // previous one back when it leaves, which is all the capture did.
    if (auto curseur = ChargerCurseur(QStringLiteral("Main.cur")))
        setCursor(*curseur);
}

QUrl LienCourriel::url() const {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(adresse_);
    QUrlQuery requete;
    requete.addQueryItem(QStringLiteral("subject"), Frm_A_Propos::SujetCourriel);
    url.setQuery(requete);
    return url;
}

void LienCourriel::DefinirOuvreur(std::function<bool(const QUrl&)> f) { ouvreur() = std::move(f); }

void LienCourriel::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(evenement);
        return;
    }
    // A mail program that does not start is not reported.
    if (ouvreur())
        ouvreur()(url());
    else
        QDesktopServices::openUrl(url());
    evenement->accept();
}

Frm_A_Propos::Frm_A_Propos(const QString& dossierEtudes, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_A_Propos"));
    setWindowTitle(QStringLiteral("À propos de Sorvel"));
    setWindowIcon(IconeProgramme());

    auto* icone = new QLabel(this);
    icone->setObjectName(QStringLiteral("ImgIcone"));
    icone->setPixmap(ImageIconeProgramme(64));
    icone->setFixedSize(64, 64);
    icone->setAccessibleName(QStringLiteral("Icône de Sorvel"));

    auto* titre = new QLabel(QStringLiteral("Sorvel"), this);
    titre->setObjectName(QStringLiteral("LblTitre"));
    QFont police = titre->font();
    police.setPointSizeF(police.pointSizeF() * 1.6);
    police.setBold(true);
    titre->setFont(police);

    auto* version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(VersionSorvel),
                               this);
    version->setObjectName(QStringLiteral("LblVersion"));

    auto* description = new QLabel(
        QStringLiteral("Le programme 'Sorvel' permet le dimensionnement des grilles chauffantes de sol "
                       "dans les logements individuels. Ce programme est totalement gratuit. Malgré "
                       "les tests effectués, si vous détectez une erreur, veuillez m'en faire part en "
                       "me contactant à l'adresse ci-dessous. Merci."),
        this);
    description->setObjectName(QStringLiteral("LblDescription"));
    description->setTextFormat(Qt::PlainText);
    description->setWordWrap(true);
    // A wrapped label only gets its true height from a known width.
    description->setFixedWidth(420);

    // The folder is shown whole and can be selected, to be found again in a
    // file manager or copied into a message.
    auto* legendeEtudes = new QLabel(QStringLiteral("Dossier des études :"), this);
    legendeEtudes->setObjectName(QStringLiteral("LblLegendeDossierEtudes"));
    auto* etudes = new QLabel(dossierEtudes, this);
    etudes->setObjectName(QStringLiteral("LblDossierEtudes"));
    etudes->setTextFormat(Qt::PlainText);
    etudes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    etudes->setWordWrap(true);
    etudes->setFixedWidth(420);
    etudes->setAccessibleName(dossierEtudes);
    legendeEtudes->setBuddy(etudes);

    auto* courriel = new LienCourriel(AdresseContact, this);
    courriel->setObjectName(QStringLiteral("TxtMailto"));
    // Read out as the address it shows; what it does, as its description.
    courriel->setAccessibleName(AdresseContact);
    courriel->setAccessibleDescription(QStringLiteral("Adresse de contact : écrire un courriel"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* entete = new QVBoxLayout;
    entete->addWidget(titre);
    entete->addWidget(version);
    auto* haut = new QHBoxLayout;
    haut->addWidget(icone, 0, Qt::AlignTop);
    haut->addSpacing(12);
    haut->addLayout(entete, 1);

    auto* bas = new QHBoxLayout;
    bas->addWidget(courriel);
    bas->addStretch();
    bas->addWidget(ok);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(haut);
    disposition->addWidget(Trait(this, QStringLiteral("LigneDecor_0")));
    disposition->addWidget(description);
    disposition->addSpacing(6);
    disposition->addWidget(legendeEtudes);
    disposition->addWidget(etudes);
    disposition->addWidget(Trait(this, QStringLiteral("LigneDecor_1")));
    disposition->addLayout(bas);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace sorvel
