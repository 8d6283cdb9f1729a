// A stream's text shared between a run's thread and the test's own, which
// waits for a line to appear on it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <streambuf>
#include <string>

namespace lorvenna::testing {

class SharedText : public std::streambuf {
 public:
  bool attendi(const std::string& parte, std::chrono::seconds limite) {
    std::unique_lock<std::mutex> l(mutex_);
    return arrivato_.wait_for(l, limite, [&] { return testo_.find(parte) != std::string::npos; });
  }
  std::string testo() {
    std::lock_guard<std::mutex> l(mutex_);
    return testo_;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      const char carattere = traits_type::to_char_type(c);
      xsputn(&carattere, 1);
    }
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    {
      std::lock_guard<std::mutex> l(mutex_);
      testo_.append(s, static_cast<size_t>(n));
    }
    arrivato_.notify_all();
    return n;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrivato_;
  std::string testo_;
};

}  // namespace lorvenna::testing
