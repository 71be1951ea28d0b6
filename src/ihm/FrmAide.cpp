#include "ihm/FrmAide.h"

#include "ihm/Controles.h"
#include "ihm/Ressources.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sorvel {

namespace {

const QString SchemaAide = QStringLiteral("chm");

QString texteHtml(const QByteArray& octets) {
    // The page says its encoding in its <meta>; without it, UTF-8 when the
    // bytes are valid UTF-8, else the Windows code page of French pages.
    QStringDecoder decodeur = QStringDecoder::decoderForHtml(octets);
    if (decodeur.isValid()) {
        const QString t = decodeur(octets);
        if (!decodeur.hasError())
            return t;
    }
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? ansi(octets) : QString::fromLatin1(octets);
}

QString texteSimple(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().trimmed();
}

QPointer<FrmAide> partagee;

} // namespace

NavigateurAide::NavigateurAide(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("NavigateurAide"));
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &NavigateurAide::suivreLien);
}

QUrl NavigateurAide::Url(const QString& objet) {
    QUrl url;
    url.setScheme(SchemaAide);
    QString chemin = objet;
    QString ancre;
    if (const int diese = int(chemin.indexOf(QLatin1Char('#'))); diese >= 0) {
        ancre = chemin.mid(diese + 1);
        chemin.truncate(diese);
    }
    url.setPath(chemin.startsWith(QLatin1Char('/')) ? chemin : QLatin1Char('/') + chemin);
    if (!ancre.isEmpty())
        url.setFragment(ancre);
    return url;
}

void NavigateurAide::suivreLien(const QUrl& lien) {
    const QUrl cible = source().resolved(lien);
    if (cible.scheme() == SchemaAide) {
        setSource(cible);
        return;
    }
    // Mail addresses and web pages are the desktop's business.
    QDesktopServices::openUrl(cible);
}

QVariant NavigateurAide::loadResource(int type, const QUrl& nom) {
    if (!lecteur_)
        return {};
    const QUrl url = nom.isRelative() ? source().resolved(nom) : nom;
    if (url.scheme() != SchemaAide)
        return {};
    const auto octets = lecteur_->lire(url.path());
    if (!octets)
        return {};
    switch (type) {
    case QTextDocument::HtmlResource: return texteHtml(*octets);
    case QTextDocument::StyleSheetResource: return QString::fromUtf8(*octets);
    case QTextDocument::ImageResource: {
        QImage image;
        image.loadFromData(*octets);
        return image;
    }
    default: return *octets;
    }
}

FrmAide* FrmAide::Instance() {
    if (!partagee) {
        partagee = new FrmAide;
        // The help window never keeps the program alive by itself and goes
        // with it.
        partagee->setAttribute(Qt::WA_QuitOnClose, false);
        if (QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                             partagee.data(), [] { delete partagee.data(); });
    }
    return partagee;
}

FrmAide* FrmAide::Existante() { return partagee; }

FrmAide::FrmAide(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FrmAide"));
    setWindowTitle(QStringLiteral("Aide de Sorvel"));
    setWindowIcon(IconeProgramme());
    resize(900, 640);

    precedent_ = new QPushButton(QStringLiteral("Précédent"), this);
    precedent_->setObjectName(QStringLiteral("CmdPrecedent"));
    suivant_ = new QPushButton(QStringLiteral("Suivant"), this);
    suivant_->setObjectName(QStringLiteral("CmdSuivant"));
    accueil_ = new QPushButton(QStringLiteral("Accueil"), this);
    accueil_->setObjectName(QStringLiteral("CmdAccueil"));
    precedent_->setEnabled(false);
    suivant_->setEnabled(false);

    sommaire_ = new QTreeWidget(this);
    sommaire_->setObjectName(QStringLiteral("ArbreSommaire"));
    sommaire_->setHeaderLabel(QStringLiteral("Sommaire"));
    sommaire_->setAccessibleName(QStringLiteral("Sommaire"));
    navigateur_ = new NavigateurAide(this);
    navigateur_->setAccessibleName(QStringLiteral("Page d'aide"));
    navigateur_->definirLecteur(&lecteur_);

    auto* separateur = new QSplitter(this);
    separateur->addWidget(sommaire_);
    separateur->addWidget(navigateur_);
    separateur->setStretchFactor(1, 1);
    separateur->setSizes({240, 660});

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(precedent_);
    boutons->addWidget(suivant_);
    boutons->addWidget(accueil_);
    boutons->addStretch();
    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(boutons);
    disposition->addWidget(separateur, 1);

    connect(precedent_, &QPushButton::clicked, navigateur_, &QTextBrowser::backward);
    connect(suivant_, &QPushButton::clicked, navigateur_, &QTextBrowser::forward);
    connect(navigateur_, &QTextBrowser::backwardAvailable, precedent_, &QPushButton::setEnabled);
    connect(navigateur_, &QTextBrowser::forwardAvailable, suivant_, &QPushButton::setEnabled);
    connect(accueil_, &QPushButton::clicked, this,
            [this] { afficherSujet(lecteur_.sujetParDefaut()); });
    connect(sommaire_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* element) {
        const QString objet = element->data(0, Qt::UserRole).toString();
        if (!objet.isEmpty())
            afficherSujet(objet);
    });
    connect(navigateur_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { selectionnerDansSommaire(url.path()); });
}

QRect FrmAide::DansLaZone(const QRect& voulue, const QRect& zone) {
    // `voulue`: where the frame starts, and the size inside it.
    if (zone.isEmpty())
        return voulue;
    const QSize taille = voulue.size().boundedTo(zone.size() - CadreFenetre);
    const int x = qBound(zone.left(), voulue.left(), zone.left() + zone.width() - taille.width() - CadreFenetre.width());
    const int y = qBound(zone.top(), voulue.top(), zone.top() + zone.height() - taille.height() - CadreFenetre.height());
    return QRect(QPoint(x, y), taille);
}

bool FrmAide::ouvrir(const QString& fichier) {
    // The same file, unchanged since it was opened, is kept as it is (with
    // the page history); a file replaced in between is read again.
    const QFileInfo info(fichier);
    const QString empreinte = info.exists()
        ? QString::number(info.size()) + QLatin1Char('/') + info.lastModified().toString(Qt::ISODateWithMs)
        : QString();
    if (lecteur_.estOuvert() && lecteur_.chemin() == fichier && empreinte == empreinte_)
        return true;
    empreinte_ = empreinte;
    navigateur_->clear();
    navigateur_->clearHistory();
    if (!lecteur_.ouvrir(fichier)) {
        sommaire_->clear();
        return false;
    }
    construireSommaire();
    return true;
}

QString FrmAide::afficher(const QString& typeFenetre, std::optional<int> contexte) {
    QString titre;
    if (!typeFenetre.trimmed().isEmpty())
        if (auto f = lecteur_.fenetre(typeFenetre)) {
            titre = f->titre;
            // The window type says where the window first opens; once the
            // user has moved or sized it, it stays as they left it.
            if (!isVisible() && !f->position.isEmpty() && !dejaPlacee_) {
                setGeometry(f->position);
                dejaPlacee_ = true;
            }
        }
    // Never larger than the screen, which may be smaller than the window the
    // file asks for.
    if (!isVisible())
        if (const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen()) {
            const QRect place = DansLaZone(QRect(pos(), size()), ecran->availableGeometry());
            resize(place.size());
            move(place.topLeft());
        }
    if (titre.isEmpty())
        titre = lecteur_.titre();
    setWindowTitle(titre.isEmpty() ? QStringLiteral("Aide de Sorvel") : titre);

    QString objet;
    if (contexte)
        objet = lecteur_.sujetDuContexte(*contexte).value_or(QString());
    if (objet.isEmpty() || !lecteur_.existe(objet))
        objet = lecteur_.sujetParDefaut();
    if (objet.isEmpty() || !lecteur_.lire(objet))
        return {};
    afficherSujet(objet);
    return objet;
}

void FrmAide::afficherSujet(const QString& objet) {
    if (objet.isEmpty())
        return;
    navigateur_->setSource(NavigateurAide::Url(objet), QTextDocument::HtmlResource);
}

QString FrmAide::sujetAffiche() const { return navigateur_->source().path(); }

void FrmAide::construireSommaire() {
    sommaire_->clear();
    const QString fichierSommaire = lecteur_.sommaire();
    const auto octets = fichierSommaire.isEmpty() ? std::nullopt : lecteur_.lire(fichierSommaire);
    if (!octets) {
        sommaire_->hide();
        return;
    }
    sommaire_->show();
    // A sitemap: nested <UL> lists of <OBJECT type="text/sitemap"> holding
    // the <param> "Name" and "Local" of each entry.
    const QString html = texteHtml(*octets);
    static const QRegularExpression jetons(
        QStringLiteral("<\\s*ul\\b[^>]*>|<\\s*/\\s*ul\\s*>|<\\s*object\\b[^>]*>(.*?)<\\s*/\\s*object\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression parametre(
        QStringLiteral("<\\s*param\\s+name\\s*=\\s*\"([^\"]*)\"\\s+value\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    QList<QTreeWidgetItem*> parents;  // one per open <UL> below the top one
    int profondeur = 0;
    QTreeWidgetItem* dernier = nullptr;
    auto it = jetons.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString jeton = m.captured(0).toLower();
        if (jeton.startsWith(QLatin1String("</"))) {
            if (profondeur > 1 && !parents.isEmpty())
                parents.removeLast();
            profondeur = qMax(0, profondeur - 1);
        } else if (m.captured(1).isNull() && !jeton.contains(QLatin1String("object"))) {
            if (profondeur >= 1)
                parents.append(dernier);
            ++profondeur;
        } else {
            QString nom, local;
            auto p = parametre.globalMatch(m.captured(1));
            while (p.hasNext()) {
                const auto q = p.next();
                if (q.captured(1).compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                    nom = texteSimple(q.captured(2));
                else if (q.captured(1).compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
                    local = q.captured(2);
            }
            if (nom.isEmpty())
                continue;
            QTreeWidgetItem* parent = parents.isEmpty() ? nullptr : parents.last();
            dernier = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(sommaire_);
            dernier->setText(0, nom);
            if (auto objet = lecteur_.objetDuChemin(local))
                dernier->setData(0, Qt::UserRole, *objet);
        }
    }
    sommaire_->expandAll();
}

void FrmAide::selectionnerDansSommaire(const QString& objet) {
    for (QTreeWidgetItemIterator it(sommaire_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == objet) {
            sommaire_->setCurrentItem(*it);
            return;
        }
}

} // namespace sorvel
