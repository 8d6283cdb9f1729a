// The language server's run: messages read from the client on a thread of
// their own, so that a burst of edits waiting in the pipe is applied at
// once and checked once, and a cancellation is seen before the request it
// cancels is served.
#pragma once

#include <istream>

#include "lsp/server.h"

namespace lorvenna {

// Serves the messages of `in` until `exit` or the input's end. Returns the
// exit status the protocol asks for: 0 after `shutdown` and `exit`, 1
// otherwise.
int esegui_server(server_lsp& s, std::istream& in);

}  // namespace lorvenna
