#pragma once
// The main window's file commands on invoice books, without any widget: New,
// Open, Save, Save As, the save prompt, the close query and the close step,
// and the automatic opening at start-up. They act on the invoice window's
// logic (kyr::Facture) and ask their questions through the platform, so a
// scripted platform drives them in the tests.
#include "book/facture.h"
#include "common/plateforme.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace kyr {

class PrelectureLivre;

class Coquille {
public:
    Coquille(Facture& facture, Plateforme& plateforme);
    ~Coquille();

    // The open book's file name (with its folder); empty for a book that has
    // no file of its own. A book is only ever saved to this name, and it is
    // set only once the book has really been read from or written to it.
    QString FichierCourant;
    // The working directory at start-up; made current again before the last
    // files are written at exit.
    QString RepertoireDepart;
    // The book commands have been enabled (the main window's Valide).
    bool CommandesLivre = false;

    // When the main window is first shown: automatic opening of the book
    // remembered in the settings, then RepertoireDepart. True when that book
    // was loaded.
    bool Demarrage();
    // The remembered book read ahead, if the start-up did so: Demarrage takes
    // its lines when they are those of the file it opens.
    PrelectureLivre* Prelecture = nullptr;
    bool AutoOuverture() const;      // GetIni's flag
    void SetIni(bool ouvertureAuto); // "&Ouvrir automatiquement"

    // The file commands. Errors of the store (ErreurExecution) reach the
    // caller's dispatch, the state staying as described on each command.
    void NouveauLivre();
    bool Ouvrir(); // true when a book was loaded
    // Saving returns once the book's bytes are with the system, the book shown
    // as saved; the final step (the flush to the disk and the rename over the
    // old file) goes on on a worker thread. Its outcome comes back through the
    // platform's Poste, or is taken by the next command that waits for it.
    // True when the book was written (or had nothing to write).
    bool Enregistrer();
    bool EnregistrerSous(); // same, after choosing a new name

    // A save's final step is still running.
    bool SauvegardeEnCours() const { return m_enCours != nullptr; }
    // Waits for it and takes its outcome: on success the book's file is
    // FichierCourant, locked and fingerprinted from the bytes written; on
    // failure the book is marked modified again and the error is thrown
    // (ErreurExecution). Every command on the book's file waits here first.
    void AttendSauvegarde();
    // Run on the main thread when a save's outcome came back on its own, after
    // its error (if any) was shown: the window shows the caption again. Also
    // after the save that issuing a document asks for.
    std::function<void()> SauvegardeTerminee;

    // The save before a document is issued (Facture::EnregistrePourEmission,
    // which this object provides): "&Enregistrer", waiting until the book is
    // on disk. The book's file name; nullopt when it was not saved.
    std::optional<QString> EnregistrePourEmission();

    // Closing: the query (save prompt) and the step (last files written).
    // Both return false when the program must stay open.
    bool DemandeFermeture();
    bool Fermeture();

    // The book name written to the settings at exit: the open book's, or the
    // last one remembered when this run never gave the book a file.
    QString LivreMemorise() const;

    // "devis.2000" -> "devis.fct": everything from the first "." of the file
    // name part is replaced by ".fct"; "/" and "\" both separate folders.
    static QString NormaliseExtension(const QString& nom);
    // The file name part, after the last "/" or "\".
    static QString NomSansDossier(const QString& nom);
    // The lock file that marks a book as open in a running copy of the
    // program: ".livre.fct.verrou" beside "livre.fct".
    static QString NomVerrou(const QString& livre);
    // This copy holds the lock of the open book.
    bool TientVerrou() const;
    // The last four characters are ".fct", in any letter case.
    static bool TypeValide(const QString& nom);

private:
    // The save prompt before New, Open and Quit; true when the command may go
    // on (the book was saved, or the user chose not to save it).
    bool ProposeEnregistrement();
    void Memorise(const QString& nom);
    // Taking the lock of a book before it is opened or written.
    struct PriseVerrou {
        std::unique_ptr<QLockFile> verrou; // null: held already, or impossible here
        bool refuse = false; // another running copy holds it and the user chose not to go on
    };
    // `question` asks whether to go on when another copy holds the lock; %1
    // is the book's name; an empty question only tries, silently. A folder where no lock can be
    // made (read-only) gives no lock and no question: the check of the file's content on saving
    // still protects it.
    PriseVerrou Verrouille(const QString& nom, const QString& question);
    // FichierCourant is now the book's file, as `empreinte` found it; the
    // lock taken for it (if any) replaces the one held before.
    void Attache(PriseVerrou prise, std::optional<EmpreinteFichier> empreinte);
    void Detache();
    bool EnregistrerSousNom();
    // The save of the book to `nom`, its final step handed to a worker
    // thread; `prise` is the lock taken for a new name.
    struct EnCours;
    void Lance(const QString& nom, PriseVerrou prise, bool nouveauNom);
    void Recoit(unsigned numero); // the worker's result, posted to the main thread
    void Conclut();

    Facture& m_facture;
    Plateforme& m_plateforme;
    QString m_livreMemorise;
    // The book file as this copy last read or wrote it, and its lock.
    std::optional<EmpreinteFichier> m_empreinte;
    std::unique_ptr<QLockFile> m_verrou;
    std::unique_ptr<EnCours> m_enCours;
    unsigned m_numero = 0; // of the last save started
    // Held by the results posted to the main thread: one arriving after this
    // object is gone does nothing.
    std::shared_ptr<const bool> m_vivant = std::make_shared<const bool>(true);
};

} // namespace kyr
