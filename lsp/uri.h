// The `file:` URIs a language client names documents by, and the paths the
// tool reads them at.
#pragma once

#include <optional>
#include <string>

namespace lorvenna {

// The path of a `file:` URI, its escapes decoded ("file:///c%3A/x" is
// "c:/x" on Windows); nothing for another scheme, a broken escape or a
// path that holds a NUL.
std::optional<std::string> percorso_da_uri(const std::string& uri);

// The `file:` URI of an absolute path, every byte outside the unreserved
// set escaped.
std::string uri_da_percorso(const std::string& percorso);

}  // namespace lorvenna
