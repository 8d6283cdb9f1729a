// The desktop layer on X11, drawn with FLTK: the waiting window and the error
// box. It is built as a module of its own and loaded only when a display is
// there (see desktop.h).
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

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

// The desktop's state between the program's calls.
struct finestra_attesa {
  std::string titolo;
  std::unique_ptr<Fl_Window> finestra;
};

void mostra_attesa(finestra_attesa& f) {
  const risoluzione dpi = dpi_dello_schermo();
  auto h = [&](int twip) { return pixel(twip, dpi.orizzontale); };
  auto v = [&](int twip) { return pixel(twip, dpi.verticale); };
  // No position: the window manager places it.
  f.finestra = std::make_unique<Fl_Window>(h(4200), v(2688), f.titolo.c_str());
  auto* etichetta = new Fl_Box(h(960), v(960), h(2652), v(792), "Attendere");
  etichetta->labelfont(carattere_etichetta());
  etichetta->labelsize(static_cast<Fl_Fontsize>(std::lround(24 * dpi.verticale / 72)));
  etichetta->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP);
  f.finestra->end();
  f.finestra->show();
  // Painted once, now, after the window system has shown the window (a
  // drawing made before its first expose would be lost); from here on
  // nothing hands control to the window system, so the label stays as
  // drawn until the process ends.
  f.finestra->wait_for_expose();
  Fl::flush();
  XSync(fl_display, False);
}

// A modal box with the text and one OK button; returns once it is closed.
// The error code's box keeps its fixed size; a longer report (a path and
// the system's reason) widens it to fit.
void mostra_messaggio(const finestra_attesa& f, const char* testo) {
  int larghezza = 0, altezza = 0;
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  fl_measure(testo, larghezza, altezza, 0);
  const int w = std::max(300, std::min(larghezza + 40, 900));
  const int h = std::max(40, altezza + 10);
  Fl_Window scatola(w, h + 70, f.titolo.c_str());
  Fl_Box messaggio(20, 15, w - 40, h);
  messaggio.copy_label(testo);
  messaggio.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_WRAP);
  Fl_Return_Button ok((w - 80) / 2, h + 25, 80, 30, "OK");
  ok.callback(chiudi, &scatola);
  scatola.end();
  scatola.set_modal();
  scatola.show();
  // Escape closes the box through the window's own callback; Return
  // presses OK.
  while (scatola.shown()) Fl::wait();
}

}  // namespace
}  // namespace lorvenna

// The module's whole interface: plain C functions and types, so that the
// module's C++ runtime and the program's never meet.
extern "C" {

__attribute__((visibility("default"))) void* lorvenna_finestra_apri(const char* titolo) {
  // Opening the display here, and not through FLTK, keeps a display that
  // cannot be opened from ending the process.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  fl_open_display(display);
  return new lorvenna::finestra_attesa{titolo, nullptr};
}

__attribute__((visibility("default"))) void lorvenna_finestra_attesa(void* finestra) {
  lorvenna::mostra_attesa(*static_cast<lorvenna::finestra_attesa*>(finestra));
}

__attribute__((visibility("default"))) void lorvenna_finestra_messaggio(void* finestra,
                                                                        const char* testo) {
  lorvenna::mostra_messaggio(*static_cast<lorvenna::finestra_attesa*>(finestra), testo);
}

}  // extern "C"
