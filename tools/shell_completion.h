// scenario-tool's bash completion, made from the command table: commands,
// each one's options, the values of an option that takes only a few, the
// folders and `explain`'s topics.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace lorvenna {

struct comando;

// A script that defines _scenario_tool and binds it to scenario-tool;
// `argomenti` are the words a command's other argument (explain's TOPIC)
// may be.
std::string completamento_bash(std::span<const comando* const> tabella,
                               const std::vector<std::string>& argomenti);

}  // namespace lorvenna
