// The user ports of the command-line tool: messages on stderr, questions answered by the
// command's options.
#include <iostream>

#include "commands.h"

namespace tz::cli {

std::string ForTerminal(std::string_view text) { return MessageLines(text); }

void PrintMessage(std::string_view text) {
  std::string t = ForTerminal(text);
  if (t.empty() || t.back() != '\n') t.push_back('\n');
  std::cerr << t;
}

void TerminalPort::Error(std::string_view title, std::string_view text) {
  ++errors;
  PrintMessage(text);
}

void TerminalPort::Info(std::string_view title, std::string_view text) { PrintMessage(text); }

void TerminalPort::Warning(std::string_view title, std::string_view text) {
  ++errors;
  PrintMessage(text);
}

Answer TerminalPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                         Icon icon, Answer defaultAnswer) {
  Answer a = assumeYes ? Answer::Yes : defaultAnswer;
  const char* shown =
      a == Answer::Yes ? "Yes" : a == Answer::No ? "No" : a == Answer::Ok ? "OK" : "Cancel";
  std::cerr << ForTerminal(text) << " -> " << shown << "\n";
  return a;
}

Answer ConversionPort::Ask(std::string_view title, std::string_view text, Buttons buttons,
                           Icon icon, Answer defaultAnswer) {
  if (buttons == Buttons::Ok) {
    PrintMessage(text);
    return Answer::Ok;
  }
  return Answer::Yes;
}

}  // namespace tz::cli
