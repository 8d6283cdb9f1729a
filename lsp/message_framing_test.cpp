#include "lsp/message_framing.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lorvenna {
namespace {

// "M:body", "F:reason" or "E" for each reading, up to the end.
std::vector<std::string> leggi_tutto(const std::string& ingresso, size_t limite = 100) {
  std::istringstream in(ingresso);
  lettore_messaggi lettore(in, limite);
  std::vector<std::string> letti;
  for (int i = 0; i < 10; ++i) {
    const messaggio_letto m = lettore.leggi();
    switch (m.t) {
      case messaggio_letto::tipo::messaggio:
        letti.push_back("M:" + m.corpo);
        break;
      case messaggio_letto::tipo::guasto:
        letti.push_back("F:" + m.motivo);
        break;
      case messaggio_letto::tipo::fine:
        letti.push_back("E");
        return letti;
    }
  }
  return letti;
}

TEST(MessageFraming, ReadsEachMessageAndTellsEachFaultThenGoesOn) {
  struct caso {
    const char* nome;
    std::string ingresso;
    std::vector<std::string> atteso;
  };
  const std::string uno = incornicia("{\"a\":1}");
  const caso casi[] = {
      {"two messages", uno + incornicia("{}"), {"M:{\"a\":1}", "M:{}", "E"}},
      {"other headers, any case, LF alone",
       "content-length: 2\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}",
       {"M:{}", "E"}},
      {"no Content-Length",
       "Content-Type: x\r\n\r\n" + uno,
       {"F:a message header without Content-Length", "M:{\"a\":1}", "E"}},
      {"not a number",
       "Content-Length: 1x\r\n\r\n" + uno,
       {"F:a Content-Length that is not a number: \"1x\"", "M:{\"a\":1}", "E"}},
      {"a line without a colon",
       "hello\r\nContent-Length: 2\r\n\r\n{}",
       {"F:a header line without a colon", "E"}},
      {"over the limit",
       "Content-Length: 101\r\n\r\n" + std::string(101, 'x') + uno,
       {"F:a message of 101 bytes, over the limit of 100", "M:{\"a\":1}", "E"}},
      {"a huge length",
       "Content-Length: 99999999999999999999\r\n\r\n",
       {"F:a Content-Length that is not a number: \"99999999999999999999\"", "E"}},
      {"cut in the body",
       "Content-Length: 10\r\n\r\n{}",
       {"F:the input ends inside a message's body", "E"}},
      {"cut in the header", "Content-Len", {"F:the input ends inside a message's header", "E"}},
      {"a line too long",
       std::string(5000, 'a') + "\r\nContent-Length: 2\r\n\r\n{}",
       {"F:a header line longer than 1024 bytes", "E"}},
      {"nothing", "", {"E"}},
  };
  for (const caso& c : casi) EXPECT_EQ(leggi_tutto(c.ingresso), c.atteso) << c.nome;
}

}  // namespace
}  // namespace lorvenna
