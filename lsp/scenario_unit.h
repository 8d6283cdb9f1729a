// A scenario's two description texts, which an editor opens one at a time
// but the check reads together: the train text's positions are bounded by
// the line text's route, and the line's records are placed on the track the
// train text's records also mark.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lorvenna {

struct unita_scenario {
  std::string scenario;  // as the file names write it
  std::string treno;
  std::string linea;        // the line text's path
  std::string testo_treno;  // the train text's path; empty when none was found
  bool linea_trovata = false;
};

// Whether a text is there, opened in the editor or on the disk.
using esiste_testo = std::function<bool(const std::string& percorso)>;
// The names of the files in a folder.
using elenco_cartella = std::function<std::vector<std::string>(const std::string& cartella)>;

// The unit of the text at `percorso`: for a line text (NAME_linea.txt), with
// the train text among `preferiti` when one is there, else the first the
// folder holds; for a train text (NAME_NUMBER-.txt), with the line text of
// the longest NAME that has one. Nothing for any other file.
std::optional<unita_scenario> unita_di(const std::string& percorso, const esiste_testo& esiste,
                                       const elenco_cartella& elenca,
                                       const std::vector<std::string>& preferiti);

// "Prova_1-.txt" is a train text, "Prova_linea.txt" a line text.
bool testo_di_linea(const std::string& percorso);
bool testo_di_treno(const std::string& percorso);

}  // namespace lorvenna
