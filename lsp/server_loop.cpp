#include "lsp/server_loop.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "lsp/message_framing.h"

namespace lorvenna {
namespace {

struct coda {
  std::mutex m;
  std::condition_variable pronta;
  std::deque<messaggio_letto> messaggi;
  std::atomic<bool> finita = false;
};

// A cancellation is served as soon as it is read, ahead of the queue.
bool annullamento(server_lsp& s, const std::string& corpo) {
  if (corpo.find("$/cancelRequest") == std::string::npos) return false;
  // Too deep to parse safely: the main thread refuses it.
  if (annidato_oltre(corpo, kAnnidamentoMassimo)) return false;
  const auto m = nlohmann::json::parse(corpo, nullptr, false);
  if (!m.is_object() || m.value("method", "") != "$/cancelRequest") return false;
  const auto params = m.value("params", nlohmann::json::object());
  if (params.is_object() && params.contains("id")) s.annulla(params["id"]);
  return true;
}

}  // namespace

int esegui_server(server_lsp& s, std::istream& in) {
  // A stream tied to the output (std::cin is, to std::cout) flushes it
  // before each read: a client that writes before it reads would stop the
  // reader behind the writer, and its cancellations with it.
  in.tie(nullptr);
  auto c = std::make_shared<coda>();
  std::thread lettore([&s, &in, c] {
    lettore_messaggi l(in);
    for (;;) {
      messaggio_letto m = l.leggi();
      if (m.t == messaggio_letto::tipo::messaggio && annullamento(s, m.corpo)) continue;
      const bool fine = m.t == messaggio_letto::tipo::fine;
      {
        std::lock_guard<std::mutex> g(c->m);
        c->messaggi.push_back(std::move(m));
      }
      c->pronta.notify_one();
      if (fine) break;
    }
    c->finita = true;
  });
  for (;;) {
    messaggio_letto m;
    {
      std::unique_lock<std::mutex> g(c->m);
      if (c->messaggi.empty()) {
        g.unlock();
        s.pubblica();
        g.lock();
      }
      c->pronta.wait(g, [&] { return !c->messaggi.empty(); });
      m = std::move(c->messaggi.front());
      c->messaggi.pop_front();
    }
    if (m.t == messaggio_letto::tipo::fine) break;
    if (m.t == messaggio_letto::tipo::guasto) {
      s.guasto_di_lettura(m.motivo);
      continue;
    }
    s.ricevi(m.corpo);
    if (s.uscito()) break;
  }
  // After `exit` the client may keep the pipe open: the reader, blocked on
  // standard input, ends with the process. Any other stream is read to its
  // end first, as it may not outlive this call.
  if (c->finita || in.rdbuf() != std::cin.rdbuf()) {
    lettore.join();
  } else {
    lettore.detach();
  }
  return s.uscito() ? s.stato_uscita() : 1;
}

}  // namespace lorvenna
