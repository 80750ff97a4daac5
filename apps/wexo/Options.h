#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wexo::app {

// What the command line asks for.
struct Options {
    bool stdio = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    bool measureLatency = false;
    std::string screen;  // "WIDTHxHEIGHT@HZ", empty for the default
};

// One option of the table: its name, the name of its argument (none when
// it takes none), its line of help, and what it sets. A new option is one
// more row.
struct OptionRow {
    std::string_view name;
    std::string_view argument;
    std::string_view help;
    // Applies the option; a problem with its argument, or nothing.
    std::optional<std::string> (*apply)(Options&, std::string_view argument);
};

const std::vector<OptionRow>& optionTable();
// Reads the arguments (without the program's name): the options, or the
// problem to report.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem);
// The usage text, one line per option.
std::string usageText();

}  // namespace wexo::app
