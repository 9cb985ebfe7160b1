// The user ports of the command-line tool: messages on stderr, questions answered by the
// command's options.
#include <iostream>

#include "commands.h"

namespace tz::cli {

std::string ForTerminal(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out.push_back(text[i]);
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out.push_back('\n');  // a lone CR breaks the line as CR LF does
    }
  }
  return out;
}

void TerminalPort::Error(std::string_view title, std::string_view text) {
  ++errors;
  std::cerr << ForTerminal(text) << "\n";
}

void TerminalPort::Info(std::string_view title, std::string_view text) {
  std::cerr << ForTerminal(text) << "\n";
}

Answer TerminalPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                         Icon icon, Answer defaultAnswer) {
  Answer a = assumeYes ? Answer::Yes : defaultAnswer;
  std::cerr << ForTerminal(text) << " -> " << (a == Answer::Yes ? "Yes" : a == Answer::No ? "No" : a == Answer::Ok ? "OK" : "Cancel") << "\n";
  return a;
}

Answer ConversionPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                           Icon icon, Answer defaultAnswer) {
  if (buttons == Buttons::Ok) {
    if (icon == Icon::Warning) ++errors;
    std::cerr << ForTerminal(text) << "\n";
    return Answer::Ok;
  }
  return Answer::Yes;
}

}  // namespace tz::cli
