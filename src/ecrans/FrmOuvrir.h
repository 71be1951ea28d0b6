#pragma once

// The open dialog: the stored studies, one of which is opened or deleted.
// It holds no rule of its own: the study model opens, deletes and asks.

#include <QDialog>

class QListWidget;

namespace sorvel {

class EtudeEnCours;

class FrmOuvrir : public QDialog {
    Q_OBJECT
public:
    // `etudes`: the stored studies to list, the first one chosen.
    FrmOuvrir(EtudeEnCours& etude, const QStringList& etudes, QWidget* parent = nullptr);

    QListWidget* Liste() const { return lstOuvrir_; }

    // "&Ouvrir" and a double click: the chosen study replaces the current one.
    void Ouvrir();
    // "&Supprimer": the chosen study is deleted after the model's question.
    void CmdSupprimer_Click();

signals:
    // A study was opened; the dialog is closing.
    void ouverte();

private:
    void Remplir(const QStringList& etudes);

    EtudeEnCours& etude_;
    QListWidget* lstOuvrir_;
};

} // namespace sorvel
