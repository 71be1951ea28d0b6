#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace sorvel {

// The contact address of the about box: a label that starts a new message
// in the desktop's mail program when pressed, under a pointing-hand cursor.
class LienCourriel : public QLabel {
    Q_OBJECT
public:
    explicit LienCourriel(const QString& adresse, QWidget* parent = nullptr);
    QUrl url() const;

    // How the mail program is reached: QDesktopServices::openUrl unless a
    // test put its own function here (an empty function restores it).
    static void DefinirOuvreur(std::function<bool(const QUrl&)> ouvreur);

protected:
    void mousePressEvent(QMouseEvent* evenement) override;

private:
    QString adresse_;
};

// The about box: title, version, description, the studies folder of this
// run (where the user finds their studies) and the contact address.
class Frm_A_Propos : public QDialog {
    Q_OBJECT
public:
    explicit Frm_A_Propos(const QString& dossierEtudes, QWidget* parent = nullptr);

    static const QString AdresseContact;
    static const QString SujetCourriel;
};

} // namespace sorvel
