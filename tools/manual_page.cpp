#include "tools/manual_page.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "driver/file_names.h"
#include "driver/report.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

// The code point that starts at `testo[i]`, advancing `i` past it; a byte
// that starts no UTF-8 sequence stands for itself (as Windows-1252 would).
char32_t codice_utf8(std::string_view testo, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(testo[k]); };
  const unsigned char primo = byte(i);
  size_t lunghezza = primo >= 0xF0 ? 4 : primo >= 0xE0 ? 3 : primo >= 0xC0 ? 2 : 1;
  if (i + lunghezza > testo.size()) lunghezza = 1;
  for (size_t k = 1; k < lunghezza; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) lunghezza = 1;
  }
  if (lunghezza == 1) return byte(i++);
  char32_t c = primo & (0x7F >> lunghezza);
  for (size_t k = 1; k < lunghezza; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
  i += lunghezza;
  return c;
}

// The words that stand for what the user gives, in italics where a file
// name shows them.
constexpr std::string_view kSegnaposti[] = {"DIR", "NAME", "NUMBER"};

std::string corsivo(std::string_view testo) { return "\\fI" + in_roff(testo) + "\\fR"; }
std::string grassetto(std::string_view testo) { return "\\fB" + in_roff(testo) + "\\fR"; }

// "DIR/NAME_linea.txt" with its placeholders in italics.
std::string nome_di_file(std::string_view nome) {
  std::string s;
  size_t inizio = 0;
  for (size_t i = 0; i < nome.size();) {
    const auto* segnaposto =
        std::find_if(std::begin(kSegnaposti), std::end(kSegnaposti),
                     [&](std::string_view p) { return nome.substr(i).starts_with(p); });
    if (segnaposto == std::end(kSegnaposti)) {
      ++i;
      continue;
    }
    s += in_roff(nome.substr(inizio, i - inizio)) + corsivo(*segnaposto);
    i += segnaposto->size();
    inizio = i;
  }
  return s + in_roff(nome.substr(inizio));
}

// "--format text|json|sarif" for a few values, "--no-warn CLASS" for more
// (listed in its entry), as the command's help has it.
std::string forma(const opzione& o) {
  std::string s = grassetto(o.nome);
  if (!o.prende_valore()) return s;
  if (!o.valori.empty() && o.valori.size() <= 3) {
    std::string valori;
    for (const char* v : o.valori) valori += (valori.empty() ? "" : "|") + grassetto(v);
    return s + " " + valori;
  }
  return s + " " + corsivo(o.valore);
}

std::string sinossi_roff(const comando& c) {
  std::string s = grassetto("scenario-tool") + " " + grassetto(c.nome);
  for (const char* cartella : c.cartelle) s += " " + corsivo(cartella);
  if (c.argomento) s += " [" + corsivo(c.argomento) + "]";
  for (const opzione& o : c.opzioni) {
    s += o.obbligatoria ? " " + forma(o) : " [" + forma(o) + "]";
    if (o.ripetibile()) s += "...";
  }
  return s;
}

// The body of an option's entry: its help, its default and, when they are
// too many for the synopsis, the values it takes.
std::string spiegazione(const opzione& o) {
  std::string s = in_roff(o.aiuto);
  // The help's fragment, "how the findings are printed", as a sentence.
  if (!s.empty() && std::islower(static_cast<unsigned char>(s[0]))) {
    s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  }
  if (o.predefinito) s += " (default " + grassetto(o.predefinito) + ")";
  s += ".";
  if (o.valori.size() > 3) {
    s += " " + corsivo(o.valore) + " is ";
    for (size_t i = 0; i < o.valori.size(); ++i) {
      if (i > 0) s += i + 1 == o.valori.size() ? " or " : ", ";
      s += grassetto(o.valori[i]);
    }
    s += ".";
  }
  return s;
}

// An option that several commands take with the same help is described once,
// under OPTIONS; the rest under the one command that takes them.
struct opzione_comune {
  const opzione* o;
  std::vector<const char*> comandi;
};

std::vector<opzione_comune> opzioni_comuni(std::span<const comando* const> tabella) {
  std::vector<opzione_comune> tutte;
  for (const comando* c : tabella) {
    for (const opzione& o : c->opzioni) {
      auto stessa = std::find_if(tutte.begin(), tutte.end(), [&](const opzione_comune& x) {
        return std::string_view(x.o->nome) == o.nome;
      });
      if (stessa == tutte.end()) {
        tutte.push_back({&o, {c->nome}});
      } else if (spiegazione(*stessa->o) == spiegazione(o) && forma(*stessa->o) == forma(o)) {
        stessa->comandi.push_back(c->nome);
      } else {
        stessa->comandi.clear();  // told differently by each: each tells it
      }
    }
  }
  std::erase_if(tutte, [](const opzione_comune& x) { return x.comandi.size() < 2; });
  return tutte;
}

bool e_comune(const std::vector<opzione_comune>& comuni, const opzione& o) {
  return std::any_of(comuni.begin(), comuni.end(), [&](const opzione_comune& x) {
    return std::string_view(x.o->nome) == o.nome;
  });
}

std::string elenco(const std::vector<const char*>& nomi) {
  std::string s;
  for (size_t i = 0; i < nomi.size(); ++i) {
    if (i > 0) s += i + 1 == nomi.size() ? " and " : ", ";
    s += grassetto(nomi[i]);
  }
  return s;
}

std::string voce(const std::string& etichetta, const std::string& testo) {
  return ".TP\n" + etichetta + "\n" + testo + "\n";
}

std::string sezione_sinossi(std::span<const comando* const> tabella) {
  std::string s = ".SH SYNOPSIS\n.ad l\n.in +4n\n";
  for (const comando* c : tabella) s += ".ti -4n\n" + sinossi_roff(*c) + "\n";
  s += ".ti -4n\n" + grassetto("scenario-tool") + " " + grassetto("--help") + " | " +
       grassetto("--version") + "\n";
  return s + ".in\n.ad\n";
}

std::string sezione_comandi(std::span<const comando* const> tabella,
                            const std::vector<opzione_comune>& comuni) {
  std::string s = ".SH COMMANDS\n";
  for (const comando* c : tabella) {
    std::string etichetta = grassetto(c->nome);
    for (const char* cartella : c->cartelle) etichetta += " " + corsivo(cartella);
    if (c->argomento) etichetta += " [" + corsivo(c->argomento) + "]";
    s += voce(etichetta, in_roff(c->descrizione));
    std::string proprie;
    for (const opzione& o : c->opzioni) {
      if (!e_comune(comuni, o)) proprie += voce(forma(o), spiegazione(o));
    }
    if (!proprie.empty()) s += ".RS\n" + proprie + ".RE\n";
  }
  return s;
}

std::string sezione_opzioni(const std::vector<opzione_comune>& comuni) {
  std::string s = ".SH OPTIONS\n";
  s += voce(grassetto("--help") + ", " + grassetto("-h"),
            "Prints every command's synopsis; after a command, that command's synopsis, "
            "description and options.");
  s += voce(grassetto("--version"), "Prints the version.");
  for (const opzione_comune& x : comuni) {
    s += voce(forma(*x.o), spiegazione(*x.o) + " Taken by " + elenco(x.comandi) + ".");
  }
  return s;
}

std::string sezione_stati() {
  const auto stato = [](int n, const char* testo) {
    return voce(std::to_string(n), in_roff(testo));
  };
  return ".SH \"EXIT STATUS\"\n" +
         stato(kStatoCompleto,
               "The command did what it was asked and found nothing wrong: the compile recorded "
               "no fault, the check found no error, the binary files agree or are the same.") +
         stato(kStatoConCodice,
               "The command ran and found a fault: the compile recorded a fault code or the "
               "check an error, verify found the files inconsistent, diff found them different, "
               "explain has no entry for the topic. Each command's entry above says which.") +
         stato(kStatoFermato,
               "The run stopped before its end: a file could not be read or written, and the "
               "message names it and the system's reason, or the compile stopped on error 1250 "
               "or 1251.") +
         stato(kStatoUso,
               "A usage error: an unknown command or option, or a folder or value missing; the "
               "command's synopsis follows the message.");
}

std::string sezione_file() {
  const nomi_file nomi = nomi_file_per("DIR", "NAME", "NUMBER");
  return ".SH FILES\n" +
         voce(nome_di_file(nomi.linea_txt),
              "The line description text, in Windows-1252 (or as its byte-order mark says).") +
         voce(nome_di_file(nomi.treno_txt), "The train description text, encoded the same way.") +
         voce(nome_di_file(nomi.linea_dat), "The line file the compile writes: the plan view.") +
         voce(nome_di_file(nomi.scenario_sim),
              "The scenario file the compile writes: the general records.") +
         voce(nome_di_file(nomi.treno_dat), "The train file the compile writes: the track cells.");
}

}  // namespace

std::string in_roff(std::string_view testo) {
  std::string s;
  bool a_inizio_riga = true;
  bool in_codice = false;
  for (size_t i = 0; i < testo.size();) {
    const char32_t c = codice_utf8(testo, i);
    if (a_inizio_riga && (c == '.' || c == '\'')) s += "\\&";
    a_inizio_riga = c == '\n';
    if (c == '\\') {
      s += "\\e";
    } else if (c == '-') {
      s += "\\-";
    } else if (c == '`') {
      s += in_codice ? "\\fR" : "\\fB";
      in_codice = !in_codice;
    } else if (c > 0x7F) {
      char codice[16];
      std::snprintf(codice, sizeof codice, "\\[u%04X]", static_cast<unsigned>(c));
      s += codice;
    } else {
      s += static_cast<char>(c);
    }
  }
  if (in_codice) s += "\\fR";
  return s;
}

std::string pagina_manuale(std::span<const comando* const> tabella, std::string_view versione,
                           std::string_view riferimento) {
  const std::vector<opzione_comune> comuni = opzioni_comuni(tabella);
  return ".\\\" Made from scenario-tool's command table (tools/command_*.cpp) at build time:\n"
         ".\\\" edit the table, not this page.\n"
         ".TH SCENARIO\\-TOOL 1 \"\" \"" +
         in_roff("scenario-tool " + std::string(versione)) +
         "\" \"User Commands\"\n"
         // Option names and values must not be broken at a line's end.
         ".nh\n"
         ".SH NAME\n"
         "scenario\\-tool \\- compile, check and inspect the scenarios of a train\\-driving "
         "simulator\n" +
         sezione_sinossi(tabella) + ".SH DESCRIPTION\n" + grassetto("scenario-tool") + " " +
         in_roff(
             "is the companion for scenario authors: it compiles the line and train description "
             "texts of a scenario with the same compiler as the simulator's own program, shows "
             "each mistake in them where it is, and verifies, decodes, compares and draws the "
             "binary files a compile writes.") +
         "\n.PP\n" +
         in_roff(
             "A command that works on a scenario finds it in its folder, DIR, by the scenario's "
             "name and the train's number, which start every file name (see FILES). An option's "
             "value follows it as the next argument or after `=` (`--scenario=Prova`); a flag "
             "takes no value.") +
         "\n" + sezione_comandi(tabella, comuni) + sezione_opzioni(comuni) + sezione_stati() +
         sezione_file() + ".SH \"SEE ALSO\"\n" +
         in_roff(
             "The author's reference, with every record, field, fault code and warning "
             "class: ") +
         corsivo(riferimento) + in_roff("; `scenario-tool explain TOPIC` prints one entry of it.") +
         "\n";
}

}  // namespace lorvenna
