#pragma once
// Run-time errors of the program: a conversion or arithmetic failure carries
// its French message; the main window's command dispatch shows it in the
// standard error box (message followed by ".").
#include <QString>
#include <exception>
#include <string_view>

namespace kyr {

// A value of the user's data as a message quotes it: at most 60 characters,
// then "…". A damaged file can hold a "value" of several megabytes, which a
// message box or a list would take minutes to lay out.
QString Citation(std::string_view octets);

class ErreurExecution : public std::exception {
public:
    explicit ErreurExecution(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override;

    // The program's standard messages; the texts are 8-bit (Windows-1252) bytes.
    static ErreurExecution
    EntierIncorrect(std::string_view texte); // '%s' n'est pas une valeur entière correcte
    static ErreurExecution
    FlottantIncorrect(std::string_view texte); // '%s' n'est pas une valeur flottante correcte
    static ErreurExecution
    DateIncorrecte(std::string_view texte);                     // '%s' n'est pas une date correcte
    static ErreurExecution DivisionParZero();                   // Division flottante par zéro
    static ErreurExecution OperationIncorrecte();               // Opération flottante incorrecte
    static ErreurExecution Debordement();                       // Débordement flottant
    static ErreurExecution CreationFichier(const QString& nom); // Ne peut créer le fichier %s
    // The same with why, as a sentence of its own after it ("Le disque est plein").
    static ErreurExecution CreationFichier(const QString& nom, const QString& cause);
    static ErreurExecution LectureFichier(const QString& nom); // Ne peut lire le fichier %s

    // The same error, followed by the sentence that what was being saved is
    // still in the window and not on disk.
    ErreurExecution ModificationsGardees() const;

private:
    QString m_message;
    mutable std::string m_utf8;
};

} // namespace kyr
