// scenario-tool compile: the program's compile on an author's texts, after
// the check has looked them over.
#include "tools/command_table.h"
#include "tools/compile_round.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  const giro_compilazione g = compila_testi(r, r.errori, &r.uscita);
  if (g.errori > 0 && !r.o.scrivi_con_errori) {
    r.errori << "scenario-tool: no binary file was written, since the texts have errors; "
                "--write-on-error writes them as the program would\n";
  }
  return g.stato;
}

}  // namespace

const comando& comando_compile() {
  static const comando c{
      .nome = "compile",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "compiles the description texts in DIR into the three binary files",
      .descrizione =
          "Checks the line and train description texts that stand in DIR (NAME_linea.txt and "
          "NAME_NUMBER-.txt) as check does, printing its findings on standard error, then "
          "compiles them into NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat in DIR, with "
          "the same compiler as the program, and prints the codice_errore and posizione_errore "
          "it ends with. When the check finds an error, nothing is written unless "
          "--write-on-error is given. Exit 0 when the compile records no fault, 1 when the check "
          "or the compile finds one, 2 when it stops.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--no-line", &opzioni_tool::senza_linea,
                               "skips the plan view and leaves the line file alone"),
                  interruttore("--delete-texts", &opzioni_tool::cancella_testi,
                               "deletes the texts as the program deletes its own, once the "
                               "binary files made from them are on the disk; without it they "
                               "stay"),
                  interruttore("--write-on-error", &opzioni_tool::scrivi_con_errori,
                               "writes the binary files even when the check finds an error, as "
                               "the program would")},
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
