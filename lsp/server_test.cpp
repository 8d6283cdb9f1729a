#include "lsp/server.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "compiler/text_limit.h"
#include "encoding/windows1252.h"
#include "lsp/message_framing.h"
#include "lsp/server_loop.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;

constexpr const char* kLinea = "/s/Prova_linea.txt";
constexpr const char* kTreno = "/s/Prova_1-.txt";
constexpr const char* kUriLinea = "file:///s/Prova_linea.txt";
constexpr const char* kUriTreno = "file:///s/Prova_1-.txt";

// The embedded scenario's texts on a disk in memory, and a server that
// writes each message it sends into `inviati`.
class ServerTest : public ::testing::Test {
 protected:
  ServerTest() {
    disco.write(kLinea, testo_da_tabella(righe_linea()));
    disco.write(kTreno, testo_da_tabella(righe_treno()));
  }

  void manda(const std::string& metodo, json params, std::optional<int> id = std::nullopt) {
    json m = {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(params)}};
    if (id) m["id"] = *id;
    s.ricevi(m.dump());
    s.pubblica();
  }

  json risposta(int id) {
    for (const json& m : inviati) {
      if (m.contains("id") && m["id"] == id) return m;
    }
    ADD_FAILURE() << "no answer to request " << id;
    return {};
  }

  json chiedi(const std::string& metodo, json params) {
    manda(metodo, std::move(params), ++ultimo_id);
    return risposta(ultimo_id);
  }

  // The last diagnostics published for `uri`.
  std::optional<json> diagnostiche(const std::string& uri) {
    for (auto m = inviati.rbegin(); m != inviati.rend(); ++m) {
      if (m->value("method", "") == "textDocument/publishDiagnostics" &&
          (*m)["params"]["uri"] == uri) {
        return (*m)["params"]["diagnostics"];
      }
    }
    return std::nullopt;
  }

  void inizia(json capacita = json::object()) {
    chiedi("initialize", {{"capabilities", std::move(capacita)}});
    manda("initialized", json::object());
  }

  // Opens a text as the editor shows it: decoded from Windows-1252.
  void apri(const std::string& uri, const std::string& percorso) {
    manda("textDocument/didOpen",
          {{"textDocument",
            {{"uri", uri},
             {"languageId", "lorvenna"},
             {"version", 1},
             {"text", windows1252_a_utf8(disco.read(percorso, kLimiteTesto))}}}});
  }

  void cambia(const std::string& uri, int riga, int da, int a, const std::string& testo) {
    manda("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", ++versione}}},
                                     {"contentChanges",
                                      {{{"range",
                                         {{"start", {{"line", riga}, {"character", da}}},
                                          {"end", {{"line", riga}, {"character", a}}}}},
                                        {"text", testo}}}}});
  }

  // The line, from 0, of the first record of the text whose line starts with `inizio`.
  static int riga_di(std::span<const std::string_view> righe, std::string_view inizio) {
    std::istringstream testo(testo_da_tabella(righe));
    int n = 0;
    for (std::string r; std::getline(testo, r); ++n) {
      if (r.starts_with(inizio)) return n;
    }
    return -1;
  }

  static json al_punto(const std::string& uri, int riga, int carattere) {
    return {{"textDocument", {{"uri", uri}}},
            {"position", {{"line", riga}, {"character", carattere}}}};
  }

  MemoryFileSystem disco;
  std::vector<json> inviati;
  server_lsp s{disco, [](const std::string&) { return std::vector<std::string>(); },
               [this](const std::string& corpo) { inviati.push_back(json::parse(corpo)); },
               "file:///doc/reference.md"};
  int ultimo_id = 0;
  int versione = 1;
};

TEST_F(ServerTest, AnswersAsTheProtocolSaysBeforeDuringAndAfterItsLife) {
  EXPECT_EQ(chiedi("textDocument/hover", al_punto(kUriTreno, 0, 0))["error"]["code"], -32002);
  const json init = chiedi("initialize", {{"capabilities", json::object()}});
  EXPECT_EQ(init["result"]["capabilities"]["textDocumentSync"]["change"], 2);
  EXPECT_EQ(init["result"]["serverInfo"]["name"], "scenario-tool");
  EXPECT_EQ(chiedi("initialize", json::object())["error"]["code"], -32600);
  EXPECT_EQ(chiedi("workspace/symbol", json::object())["error"]["code"], -32601);
  EXPECT_EQ(chiedi("textDocument/hover", json::object())["error"]["code"], -32602);
  EXPECT_EQ(chiedi("textDocument/hover", al_punto("http://x/y", 0, 0))["error"]["code"], -32602);
  EXPECT_EQ(chiedi("textDocument/hover", al_punto(kUriTreno, -1, 0))["error"]["code"], -32602);
  const size_t prima = inviati.size();
  manda("$/setTrace", {{"value", "off"}});
  manda("workspace/didChangeConfiguration", json::object());
  EXPECT_EQ(inviati.size(), prima) << "unknown notifications are passed over in silence";
  s.ricevi("{\"jsonrpc\": \"2.0\", \"id\": 7, \"method\"");
  EXPECT_EQ(inviati.back()["error"]["code"], -32700);
  EXPECT_TRUE(inviati.back()["id"].is_null());
  s.annulla(ultimo_id + 1);
  EXPECT_EQ(chiedi("textDocument/completion", al_punto(kUriTreno, 0, 0))["error"]["code"], -32800);
  EXPECT_TRUE(chiedi("shutdown", nullptr)["result"].is_null());
  EXPECT_EQ(chiedi("textDocument/completion", al_punto(kUriTreno, 0, 0))["error"]["code"], -32600);
  EXPECT_FALSE(s.uscito());
  manda("exit", nullptr);
  EXPECT_TRUE(s.uscito());
  EXPECT_EQ(s.stato_uscita(), 0);
}

// Each feature `initialize` offers is a method the server serves.
TEST_F(ServerTest, ServesEveryFeatureItOffers) {
  const std::map<std::string, std::string> metodi = {
      {"hoverProvider", "textDocument/hover"},
      {"documentSymbolProvider", "textDocument/documentSymbol"},
      {"completionProvider", "textDocument/completion"},
      {"signatureHelpProvider", "textDocument/signatureHelp"}};
  const json offerte =
      chiedi("initialize", {{"capabilities", json::object()}})["result"]["capabilities"];
  manda("initialized", json::object());
  apri(kUriTreno, kTreno);
  for (const auto& voce : offerte.items()) {
    const std::string capacita = voce.key();
    if (!capacita.ends_with("Provider")) continue;
    const auto m = metodi.find(capacita);
    ASSERT_NE(m, metodi.end()) << capacita << " is offered, but this test names no method for it";
    const json r = chiedi(m->second, al_punto(kUriTreno, 0, 0));
    EXPECT_TRUE(r.contains("result")) << m->second << ": " << r.dump();
  }
}

TEST_F(ServerTest, ExitWithoutShutdownIsAFailure) {
  inizia();
  manda("exit", nullptr);
  EXPECT_TRUE(s.uscito());
  EXPECT_EQ(s.stato_uscita(), 1);
}

TEST_F(ServerTest, PublishesTheCheckAsTheTextIsEditedAndClearsItWhenMended) {
  inizia({{"textDocument", {{"publishDiagnostics", {{"codeDescriptionSupport", true}}}}}});
  apri(kUriTreno, kTreno);
  ASSERT_TRUE(diagnostiche(kUriTreno));
  EXPECT_EQ(*diagnostiche(kUriTreno), json::array()) << "the embedded texts check clean";
  // "segnale,    7100," with an x before the position.
  const int riga = riga_di(righe_treno(), "segnale");
  cambia(kUriTreno, riga, 12, 12, "x");
  const json d = *diagnostiche(kUriTreno);
  ASSERT_EQ(d.size(), 1u) << d.dump(1);
  EXPECT_EQ(d[0]["range"]["start"], (json{{"line", riga}, {"character", 12}}));
  EXPECT_EQ(d[0]["range"]["end"], (json{{"line", riga}, {"character", 17}}));
  EXPECT_EQ(d[0]["code"], 25);
  EXPECT_EQ(d[0]["severity"], 1);
  EXPECT_NE(d[0]["message"].get<std::string>().find("\"x7100\" is not a number"), std::string::npos)
      << d[0]["message"];
  EXPECT_EQ(d[0]["codeDescription"]["href"], "file:///doc/reference.md#code-25");
  cambia(kUriTreno, riga, 12, 13, "");
  EXPECT_EQ(*diagnostiche(kUriTreno), json::array());
}

TEST_F(ServerTest, AChangeToTheLineTextChecksTheTrainTextAgain) {
  inizia();
  apri(kUriTreno, kTreno);
  apri(kUriLinea, kLinea);
  // A route of 5 km leaves most of the train's records past the track.
  const int riga = riga_di(righe_linea(), "lunghezza percorso");
  const std::string linea = windows1252_a_utf8(disco.read(kLinea, kLimiteTesto));
  std::istringstream righe(linea);
  std::string r;
  for (int i = 0; i <= riga; ++i) std::getline(righe, r);
  const int da = static_cast<int>(r.find_first_of("0123456789"));
  const int a = static_cast<int>(r.find_last_of("0123456789")) + 1;
  inviati.clear();
  cambia(kUriLinea, riga, da, a, "5000");
  ASSERT_TRUE(diagnostiche(kUriTreno)) << "the train text is checked again";
  ASSERT_TRUE(diagnostiche(kUriLinea));
  const json d = *diagnostiche(kUriLinea);
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d[0]["code"], 15);
  EXPECT_EQ(d[0]["range"]["start"]["line"], riga);
}

TEST_F(ServerTest, ACollisionNamesTheOtherRecordWhereTheClientShowsIt) {
  for (const bool relazioni : {true, false}) {
    SCOPED_TRACE(relazioni);
    inviati.clear();
    server_lsp altro(
        disco, {}, [this](const std::string& c) { inviati.push_back(json::parse(c)); }, "");
    altro.ricevi(json{
        {"jsonrpc", "2.0"},
        {"id", 1},
        {"method", "initialize"},
        {"params",
         {{"capabilities",
           {{"textDocument", {{"publishDiagnostics", {{"relatedInformation", relazioni}}}}}}}}}}
                     .dump());
    std::string treno = windows1252_a_utf8(disco.read(kTreno, kLimiteTesto));
    // The second signal moved onto the first one's cell.
    const size_t secondo = treno.find("segnale", treno.find("segnale") + 1);
    treno.replace(treno.find_first_of("0123456789", secondo), 5, " 7100");
    altro.ricevi(
        json{{"jsonrpc", "2.0"},
             {"method", "textDocument/didOpen"},
             {"params",
              {{"textDocument",
                {{"uri", kUriTreno}, {"version", 1}, {"languageId", "x"}, {"text", treno}}}}}}
            .dump());
    altro.pubblica();
    const json d = *diagnostiche(kUriTreno);
    ASSERT_EQ(d.size(), 1u) << d.dump(1);
    EXPECT_EQ(d[0]["code"], 16);
    EXPECT_FALSE(d[0].contains("codeDescription")) << "not asked for";
    if (relazioni) {
      ASSERT_EQ(d[0]["relatedInformation"].size(), 1u);
      EXPECT_EQ(d[0]["relatedInformation"][0]["location"]["uri"], kUriTreno);
      EXPECT_EQ(d[0]["relatedInformation"][0]["location"]["range"]["start"]["line"],
                riga_di(righe_treno(), "segnale"));
    } else {
      EXPECT_NE(d[0]["message"].get<std::string>().find("\nnote: the signal already on"),
                std::string::npos)
          << d[0]["message"];
    }
  }
}

TEST_F(ServerTest, CountsCharactersAsTheEditorDoesPastAccentsAndEmoji) {
  inizia();
  apri(kUriTreno, kTreno);
  const int riga = riga_di(righe_treno(), "stazione");
  // "GALLARATE" becomes "Gallaratè😀": the emoji has no Windows-1252 form.
  const std::string linea = std::string(righe_treno()[static_cast<size_t>(riga)]);
  const int nome = static_cast<int>(linea.find("GALLARATE"));
  cambia(kUriTreno, riga, nome, nome + 9, "Gallarat\xC3\xA8\xF0\x9F\x98\x80");
  const json d = *diagnostiche(kUriTreno);
  ASSERT_EQ(d.size(), 1u) << d.dump(1);
  EXPECT_EQ(d[0]["code"], "encoding");
  EXPECT_EQ(d[0]["range"]["start"]["character"], nome + 9);
  EXPECT_EQ(d[0]["range"]["end"]["character"], nome + 11) << "two UTF-16 units";
}

// A line of 20,000 accented letters and 3,000 emoji, which Windows-1252
// lacks, was 3,000 findings, each placed by going over the line from its
// start: one finding now, placed past the accents, that counts the others.
TEST_F(ServerTest, ALineOfManyFaultsIsOneFindingPlacedInUtf16) {
  inizia();
  apri(kUriTreno, kTreno);
  const int riga = riga_di(righe_treno(), "[fine]");
  ASSERT_GT(riga, 0);
  std::string accenti, emoji;
  for (int i = 0; i < 20000; ++i) accenti += "\xC3\xA8";
  for (int i = 0; i < 3000; ++i) emoji += "\xF0\x9F\x98\x80";
  cambia(kUriTreno, riga, 0, 0, "# " + accenti + emoji + "\r\n");
  const json d = *diagnostiche(kUriTreno);
  std::vector<json> codifica;
  for (const json& x : d) {
    if (x["code"] == "encoding") codifica.push_back(x);
  }
  ASSERT_EQ(codifica.size(), 1u) << d.dump(1).substr(0, 2000);
  EXPECT_EQ(codifica[0]["range"]["start"], (json{{"line", riga}, {"character", 20002}}));
  EXPECT_EQ(codifica[0]["range"]["end"], (json{{"line", riga}, {"character", 20004}}));
  EXPECT_NE(codifica[0]["message"].get<std::string>().find("\nand 2,999 more on this line\n"),
            std::string::npos)
      << codifica[0]["message"];
}

TEST_F(ServerTest, HoverTellsTheCellAndWhatTheCompilePutThere) {
  inizia();
  apri(kUriTreno, kTreno);
  const int segnale = riga_di(righe_treno(), "segnale");
  const std::string su_posizione =
      chiedi("textDocument/hover", al_punto(kUriTreno, segnale, 13))["result"]["contents"]["value"];
  EXPECT_NE(su_posizione.find("7100 m: km 7+100, 50 m cell 143"), std::string::npos)
      << su_posizione;
  EXPECT_NE(su_posizione.find("- type: signal"), std::string::npos) << su_posizione;
  EXPECT_NE(su_posizione.find("- codes: "), std::string::npos) << su_posizione;
  const std::string su_parola =
      chiedi("textDocument/hover", al_punto(kUriTreno, segnale, 2))["result"]["contents"]["value"];
  EXPECT_TRUE(su_parola.starts_with("### `segnale`")) << su_parola;
  const int stazione = riga_di(righe_treno(), "stazione");
  const std::string area = chiedi("textDocument/hover",
                                  al_punto(kUriTreno, stazione, 13))["result"]["contents"]["value"];
  EXPECT_NE(area.find("Station entry 1, its area from"), std::string::npos) << area;
  EXPECT_TRUE(chiedi("textDocument/hover", al_punto(kUriTreno, 0, 0))["result"].is_null());
}

TEST_F(ServerTest, OutlinesTheRouteAndCompletesAndExplainsRecords) {
  inizia({{"textDocument",
           {{"documentSymbol", {{"hierarchicalDocumentSymbolSupport", true}}},
            {"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}});
  apri(kUriTreno, kTreno);
  const json simboli =
      chiedi("textDocument/documentSymbol", {{"textDocument", {{"uri", kUriTreno}}}})["result"];
  ASSERT_FALSE(simboli.empty());
  std::vector<std::string> nomi;
  int64_t prima = -1;
  for (const json& x : simboli) {
    nomi.push_back(x["name"]);
    const int64_t qui = std::stoll(x["detail"].get<std::string>());
    EXPECT_LE(prima, qui) << "by position along the route";
    prima = qui;
  }
  EXPECT_NE(std::find(nomi.begin(), nomi.end(), "stazione GALLARATE"), nomi.end());
  EXPECT_NE(std::find(nomi.begin(), nomi.end(), "segnale"), nomi.end());

  const json voci = chiedi("textDocument/completion", al_punto(kUriTreno, 0, 0))["result"];
  const auto stazione = std::find_if(voci.begin(), voci.end(),
                                     [](const json& v) { return v["label"] == "stazione"; });
  ASSERT_NE(stazione, voci.end());
  EXPECT_TRUE((*stazione)["insertText"].get<std::string>().starts_with(
      "stazione, ${1:position}, ${2:type}"));
  EXPECT_EQ((*stazione)["insertTextFormat"], 2);
  const json della_linea = chiedi("textDocument/completion", al_punto(kUriLinea, 0, 0))["result"];
  EXPECT_TRUE(std::any_of(della_linea.begin(), della_linea.end(),
                          [](const json& v) { return v["label"] == "curva"; }));

  // "segnale,    7100,   2, 3," with the cursor after its fourth comma.
  const int segnale = riga_di(righe_treno(), "segnale");
  const json firma =
      chiedi("textDocument/signatureHelp", al_punto(kUriTreno, segnale, 25))["result"];
  EXPECT_EQ(firma["activeParameter"], 3) << "s2, the fourth field";
  const std::string etichetta = firma["signatures"][0]["label"];
  const json p = firma["signatures"][0]["parameters"][0];
  EXPECT_EQ(
      etichetta.substr(p["label"][0], p["label"][1].get<size_t>() - p["label"][0].get<size_t>()),
      "position");
  EXPECT_NE(p["documentation"]["value"].get<std::string>().find("Unit: m."), std::string::npos);
  EXPECT_TRUE(
      chiedi("textDocument/signatureHelp", al_punto(kUriTreno, segnale, 3))["result"].is_null());
}

TEST_F(ServerTest, ATextThatVanishesIsToldNotFatal) {
  inizia();
  apri(kUriTreno, kTreno);
  disco.remove(kLinea);
  cambia(kUriTreno, 0, 0, 0, "");
  const json d = *diagnostiche(kUriTreno);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0]["severity"], 3);
  EXPECT_NE(d[0]["message"].get<std::string>().find("/s/Prova_linea.txt does not exist"),
            std::string::npos);
  manda("textDocument/didClose", {{"textDocument", {{"uri", kUriTreno}}}});
  EXPECT_EQ(chiedi("textDocument/hover", al_punto(kUriTreno, 0, 0))["result"], nullptr);
}

// What a hostile client sends is refused as malformed, and the server goes
// on serving: a message nested past what a recursive copy survives, an id
// no answer could be matched by, a URI whose path the system would cut.
TEST_F(ServerTest, RefusesWhatItCouldNotServeSafelyAndGoesOn) {
  inizia();
  const std::string profondo = std::string(100000, '[') + std::string(100000, ']');
  s.ricevi(R"({"jsonrpc":"2.0","id":90,"method":"textDocument/hover","params":)" + profondo + "}");
  EXPECT_EQ(inviati.back()["error"]["code"], -32600);
  for (const char* id : {R"({"n":1})", "1.5", "true", "[1]"}) {
    s.ricevi(std::string(R"({"jsonrpc":"2.0","method":"shutdown","id":)") + id + "}");
    EXPECT_EQ(inviati.back()["error"]["code"], -32600) << id;
    EXPECT_TRUE(inviati.back()["id"].is_null()) << id;
  }
  EXPECT_EQ(chiedi("textDocument/hover",
                   al_punto("file:///s/Prova_1-.txt%00/../x", 0, 0))["error"]["code"],
            -32602);
  EXPECT_TRUE(chiedi("textDocument/completion", al_punto(kUriTreno, 0, 0)).contains("result"))
      << "still serving, and not shut down by a request without a usable id";
}

// The loop over a stream: a broken header is logged, the messages around
// it are served, and `exit` ends the run with the status the protocol asks.
TEST(ServerLoopTest, ServesAStreamThroughItsFaults) {
  MemoryFileSystem disco;
  std::vector<json> inviati;
  server_lsp s(disco, {}, [&](const std::string& c) { inviati.push_back(json::parse(c)); });
  std::istringstream in(
      incornicia(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
      "Content-Length: nine\r\n\r\n" +
      incornicia(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
      incornicia(R"({"jsonrpc":"2.0","method":"exit"})"));
  EXPECT_EQ(esegui_server(s, in), 0);
  ASSERT_EQ(inviati.size(), 3u);
  EXPECT_EQ(inviati[0]["id"], 1);
  EXPECT_EQ(inviati[1]["method"], "window/logMessage");
  EXPECT_EQ(inviati[2]["id"], 2);
}

// The reader never waits on the writer: an input tied to the output (as
// std::cin is to std::cout) is not flushed before each read, and a deep
// cancellation is left to the server to refuse rather than parsed on the
// reader's thread.
TEST(ServerLoopTest, ReadsWithoutWaitingOnItsOutput) {
  struct conta_svuotamenti : std::streambuf {
    int n = 0;
    int sync() override { return ++n, 0; }
  } uscita;
  std::ostream legata(&uscita);
  MemoryFileSystem disco;
  std::vector<json> inviati;
  server_lsp s(disco, {}, [&](const std::string& c) { inviati.push_back(json::parse(c)); });
  const std::string profondo = std::string(100000, '[') + std::string(100000, ']');
  std::istringstream in(
      incornicia(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
      incornicia(R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":)" + profondo +
                 "}}") +
      incornicia(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
      incornicia(R"({"jsonrpc":"2.0","method":"exit"})"));
  in.tie(&legata);
  EXPECT_EQ(esegui_server(s, in), 0);
  EXPECT_EQ(uscita.n, 0);
  ASSERT_EQ(inviati.size(), 3u);
  EXPECT_EQ(inviati[1]["error"]["code"], -32600);
  EXPECT_EQ(inviati[2]["id"], 2);
}

TEST(ServerLoopTest, AnInputThatEndsWithoutExitIsAFailure) {
  MemoryFileSystem disco;
  server_lsp s(disco, {}, [](const std::string&) {});
  std::istringstream in(incornicia(R"({"jsonrpc":"2.0","id":1,"method":"initialize"})"));
  EXPECT_EQ(esegui_server(s, in), 1);
}

}  // namespace
}  // namespace lorvenna
