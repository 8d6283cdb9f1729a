// The desktop layer on X11, drawn with FLTK: the waiting window and the error
// box. It is built as a module of its own and loaded only when a display is
// there (see desktop.h).
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/piattaforma.h"
#include "platform/window_module.h"

namespace lorvenna {
namespace {

// The form's measures are in twips, 1440 to the inch.
constexpr int kTwipPerPollice = 1440;

struct risoluzione {
  float orizzontale;
  float verticale;
};

risoluzione dpi_dello_schermo() {
  risoluzione r{};
  Fl::screen_dpi(r.orizzontale, r.verticale);
  if (r.orizzontale <= 0) r.orizzontale = 96;
  if (r.verticale <= 0) r.verticale = 96;
  return r;
}

int pixel(int twip, float dpi) {
  return static_cast<int>(std::lround(twip * dpi / kTwipPerPollice));
}

// "MS Sans Serif" bold where the system has that family, FLTK's bold
// Helvetica elsewhere.
Fl_Font carattere_etichetta() {
  FcPattern* cercato = FcNameParse(reinterpret_cast<const FcChar8*>("MS Sans Serif:bold"));
  FcConfigSubstitute(nullptr, cercato, FcMatchPattern);
  FcDefaultSubstitute(cercato);
  FcResult esito;
  FcPattern* trovato = FcFontMatch(nullptr, cercato, &esito);
  bool presente = false;
  FcChar8* famiglia = nullptr;
  if (trovato != nullptr && FcPatternGetString(trovato, FC_FAMILY, 0, &famiglia) == FcResultMatch) {
    presente = std::string(reinterpret_cast<char*>(famiglia)) == "MS Sans Serif";
  }
  if (trovato != nullptr) FcPatternDestroy(trovato);
  FcPatternDestroy(cercato);
  if (!presente) return FL_HELVETICA_BOLD;
  Fl::set_font(FL_FREE_FONT, "BMS Sans Serif");  // "B": the bold face
  return FL_FREE_FONT;
}

void chiudi(Fl_Widget*, void* finestra) { static_cast<Fl_Window*>(finestra)->hide(); }

class piattaforma_fltk : public piattaforma {
 public:
  explicit piattaforma_fltk(std::string titolo) : titolo_(std::move(titolo)) {}

  void mostra_attesa() override {
    const risoluzione dpi = dpi_dello_schermo();
    auto h = [&](int twip) { return pixel(twip, dpi.orizzontale); };
    auto v = [&](int twip) { return pixel(twip, dpi.verticale); };
    // No position: the window manager places it.
    finestra_ = std::make_unique<Fl_Window>(h(4200), v(2688), titolo_.c_str());
    auto* etichetta = new Fl_Box(h(960), v(960), h(2652), v(792), "Attendere");
    etichetta->labelfont(carattere_etichetta());
    etichetta->labelsize(static_cast<Fl_Fontsize>(std::lround(24 * dpi.verticale / 72)));
    etichetta->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP);
    finestra_->end();
    finestra_->show();
    // Painted once, now, after the window system has shown the window (a
    // drawing made before its first expose would be lost); from here on
    // nothing hands control to the window system, so the label stays as
    // drawn until the process ends.
    finestra_->wait_for_expose();
    Fl::flush();
    XSync(fl_display, False);
  }

  // Started from a desktop or a terminal alike, the program reports on
  // standard error, as it does without a display.
  void segnala_fallimento(const std::string& testo) override { std::fputs(testo.c_str(), stderr); }

  [[noreturn]] void errore(const std::string& a) override {
    const std::string testo = messaggio_errore(a);
    Fl_Window scatola(300, 110, titolo_.c_str());
    Fl_Box messaggio(20, 15, 260, 40);
    messaggio.copy_label(testo.c_str());
    messaggio.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    Fl_Return_Button ok(110, 65, 80, 30, "OK");
    ok.callback(chiudi, &scatola);
    scatola.end();
    scatola.set_modal();
    scatola.show();
    // Escape closes the box through the window's own callback; Return
    // presses OK.
    while (scatola.shown()) Fl::wait();
    std::exit(2);
  }

 private:
  std::string titolo_;
  std::unique_ptr<Fl_Window> finestra_;
};

}  // namespace
}  // namespace lorvenna

extern "C" __attribute__((visibility("default"))) lorvenna::piattaforma* lorvenna_crea_finestra(
    const char* titolo) {
  // Opening the display here, and not through FLTK, keeps a display that
  // cannot be opened from ending the process.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  fl_open_display(display);
  return new lorvenna::piattaforma_fltk(titolo);
}
